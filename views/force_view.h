// The sectional force diagram of one main girder: its bending-moment, shear-force and
// resisting-moment curves over a frame of supports, panel points and a force axis.
#pragma once

#include <vector>
#include "framework/gdi.h"
#include "framework/view.h"
#include "geometry/plan.h"
#include "views/window_global.h"

class CGirderDesign;

// From the force bar: wParam the slider (the horizontal or the vertical scale), lParam the
// scale in tenths. The girder comes as WM_FORCEBAR_GIRDER (input/block_dialog.h).
enum : UINT { WM_FORCEBAR_SCALE = WM_USER + 27 };

// Ticks of the force axis for the largest value of a diagram: the step between two ticks,
// the number of steps above the base line and the top tick. No ticks (all 0) for a value
// that is not positive.
struct CForceTicks {
    int m_nStep = 0;
    int m_nCount = 0;
    int m_nTop = 0;
};
CForceTicks ForceTicks(double dMax);

class CForceView : public CScrollView {
    DECLARE_DYNCREATE(CForceView)
public:
    CForceView();
    void OnInitialUpdate() override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // Messages of the force bar.
    void OnSelectGirder(int nGirder);
    void OnSetScale(int nSlider, int nTenths);
    // Command 32817: the block window shown or hidden.
    void OnBlockDialog();
    void OnUpdateBlockDialog(CCmdUI* pCmdUI);

    // The diagram of the shown girder with its origin (first support, force zero) in logical
    // units and its scale: logical units per metre and per tf·m. Draws nothing without
    // results, without a moment peak or at a scale that is not positive.
    void DrawDiagram(CDC* pDC, CPoint origin, CDPoint scale);

    // The painters: each takes the origin and the scale of DrawDiagram and returns 1.
    int DrawFrame(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawAxisLabels(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawMomentCurves(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawMomentEnvelope(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawMomentLabels(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawShearCurves(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawShearEnvelope(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawShearLabels(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawShearEnvelopeLabels(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawResistingMoment(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawResistingMomentConstant(CDC* pDC, int ox, int oy, CDPoint scale);
    int DrawResistingMomentVarying(CDC* pDC, int ox, int oy, CDPoint scale);

    CSize m_sizeTotal{12000, 6000};
    CSize m_sizePage{2100, 2970};
    CFont m_font;
    CPoint m_ptOrigin{200, -2700};
    int m_nTickStep = 50;       // in the unit the axis is labelled in

private:
    // One step of the resisting-moment diagram: a section, or a group of joined sections.
    struct ResistingStep {
        double a, b;    // extent along the girder
        double mr;      // resisting moment, tf·m
        int sign;       // sign of the moment over it
    };
    void DrawResistingSteps(CDC* pDC, int ox, int oy, CDPoint scale, const std::vector<ResistingStep>& steps,
                            bool bGroups);
    // Positions of the supports along the shown girder, first to last.
    static std::vector<double> SupportPositions(const CGirderDesign& g);
    // The scroll extent and the origin's height grown, where the diagram at the document's
    // scales needs it, so that every part of it can be scrolled to.
    void FitToDiagram();
    // Scrolls so that the diagram shows from its caption down, or from the usual place.
    void ScrollToDiagramTop();
    // Where the diagram holds text or a number already (left, bottom, right, top).
    struct Taken {
        int l, b, r, t;
    };
    std::vector<Taken> m_aTaken;
    // Writes a value label with its top left at (x, y), moved away from the base line (nAway
    // +1 upwards, -1 downwards) past what the diagram holds there already.
    void PlaceLabel(CDC* pDC, int x, int y, const QString& text, int nAway);
    CWindowGlobal<CForceView> m_global;
};

extern CForceView* g_pForceView;
