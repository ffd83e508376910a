// The plan view: the bridge seen from above, with its bar's choices held in the document.
#pragma once

#include "framework/bars.h"
#include "framework/gdi.h"
#include "framework/view.h"
#include "framework/print.h"
#include "geometry/plan.h"
#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>
#include "views/label_layout.h"
#include "views/laid_out_drawing.h"
#include "views/window_global.h"

class CMarivoltenDoc;
struct CPlanLabelLayout;

enum : UINT { WM_PLAN_SELECT = WM_USER + 22, WM_PLAN_SCALE = WM_USER + 23 };

// Model metres to logical 0.1 mm: turned by the plan angle about the model origin, scaled
// by k, truncated towards zero, moved to the origin.
struct CPlanTransform {
    double m_dAngle = 0.0;      // degrees
    double m_dScale = 1.0;
    CPoint m_ptOrigin;
    CDPoint Turn(CDPoint p) const;
    CPoint Map(CDPoint p) const;
};

// Scroll extent of the plan at a plan scale.
int PlanExtent(double dPlanScale);
// The document's current girder, station and panel point within the present counts.
int PlanCurrentGirder(const CMarivoltenDoc& doc);
int PlanCurrentStation(const CMarivoltenDoc& doc);
int PlanCurrentPanelPoint(const CMarivoltenDoc& doc);

// The plan's drawers, shared by the plan window and the report's plan page: each draws one
// kind of element through the drawer's transform, with its own pens, and returns 1.
class CPlanDrawer {
public:
    virtual ~CPlanDrawer() = default;

    int DrawSpanDimensions(CDC* pDC, CMarivoltenDoc* pDoc, int bShow);
    int DrawPanelDimensions(CDC* pDC, CMarivoltenDoc* pDoc, int bShow);
    int DrawBaseLine(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawGirderLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawSupports(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawNodeNumbers(CDC* pDC, CMarivoltenDoc* pDoc);
    // The cross-member labels, then the girder labels.
    int DrawLabels(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawCrossMemberLabels(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawGirderLabels(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawBridgeTypeLabel(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawNodeMarks(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawCurbLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawKerbOuterLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawRailingLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawCarriagewayLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawEdgeIntersections(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawCrossSectionLines(CDC* pDC, CMarivoltenDoc* pDoc);
    int DrawCrossMembers(CDC* pDC, CMarivoltenDoc* pDoc);

    // With a label room open on the DC: keeps the labels off the supports' squares and the
    // nodes' marks, which are drawn around them, and where it can off the deck's edges; the
    // page's own labels (girder names, node numbers, cross-member labels, dimension values)
    // off every line the plan draws (the dimension lines where bDimensions, the cross-member
    // labels then beyond the other edge), a character's gap from other texts and nearer what
    // they name than anything else of its kind or led to it. Called at the start of each page.
    void KeepLabelsOffMarks(CDC* pDC, CMarivoltenDoc* pDoc, bool bDimensions = false);
    // Makes the plan smaller and centres it in the frame where its dimension lines and values
    // or the labels beyond its deck, which a fit of the deck alone knows nothing of, would
    // leave it.
    // And larger, where some labels that must not be left out find no place, else their
    // lengths written smaller.
    void KeepInFrame(CDC* pDC, CMarivoltenDoc* pDoc, const CRect& frame);
    // The report's plan page, once its layout is kept (KeepLabelsOffMarks).
    void DrawPage(CDC* pDC, CMarivoltenDoc* pDoc);

    double m_dScale = 1.0;
    CPoint m_ptOrigin;
    // The plan's turn in degrees where it is not the document's (a sideways page), else NAN.
    double m_dOwnAngle = std::nan("");
    // Labels and node numbers; null writes them in the font the DC has.
    CFont* m_pLabelFont = nullptr;
    // Dimension values; null writes them in the font the DC has.
    CFont* m_pDimensionFont = nullptr;
    // The dimension values written this much of their font's size (1 as it is).
    double m_dDimensionScale = 1.0;
    // 1: texts run along the turned plan and the dimension values up the page.
    int m_bTurnedText = 0;
    // 1: the numbers of the outer girders stand outside the deck, clear of its edge.
    int m_bNumbersBesideDeck = 1;
    // The lanes' edges: the window draws them wide and solid.
    int m_nCarriagewayPenStyle = PS_SOLID;
    int m_nCarriagewayPenWidth = 3;
    // Curved dimension lines drawn as chords, where the drawing is measured: an arc's record
    // reaches as far as its whole circle.
    bool m_bArcsAsChords = false;
    // A cell the page writes in itself, such as its section's caption (top <= bottom), that
    // the labels keep clear of, and the plan fitted below where it would run through it; empty
    // where there is none.
    CRect m_rcPageText;

protected:
    CPlanTransform Transform(const CMarivoltenDoc& doc) const;
    void DrawEdgeKinds(CDC* pDC, CMarivoltenDoc* pDoc, std::initializer_list<int> kinds);
    void DrawStationLine(CDC* pDC, const CMarivoltenDoc& doc, int span, int station);
    // A label centred on the first of its places that is clear (see CLabelRoom).
    void DrawCentredText(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& places, const QString& text,
                         CPoint anchor = CPoint(), LabelKind kind = LabelKind::None);
    // A text upright, or along the turned plan, at the first of its top-left corners that is
    // clear: on a page with a layout, clear of every line the plan draws too.
    void WriteText(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& corners, const QString& text);
    // A label that names the point `anchor` as a thing of its kind, at the first of its corners
    // that the page's layout finds clear, led back where it stands apart, else left out;
    // without a layout as WriteClear writes it. A node number of girder nGirder (>= 0) stands
    // on no other girder's line drawn on.
    int WriteLabel(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& corners, const QString& text,
                   CPoint anchor, LabelKind kind, int nGirder = -1);
    int TextEscapement(const CMarivoltenDoc& doc) const;
    // The layout of the page being drawn on the DC, null on screen or a page without one.
    CPlanLabelLayout* Layout(CDC* pDC) const;
    std::shared_ptr<CPlanLabelLayout> m_pLayout;
};

// The plan page of a turned plan: scale and origin that fit the plan's deck (its outer edges
// without their end points), kept dMargin metres clear above and below, into fFraction of
// the page inside the margins and centred on the page.
struct CPlanFit {
    double m_dScale = 0.0;
    CPoint m_ptOrigin;
    bool m_bValid = false;
};
CPlanFit FitPlanToPage(const CMarivoltenDoc& doc, double dAngle, CSize page, int nLeft, int nRight, int nTop,
                       int nBottom, double dFraction, double dMargin);

class CGridView : public CScrollView, public CPlanDrawer {
    DECLARE_DYNCREATE(CGridView)
public:
    CGridView();
    ~CGridView() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    int m_bDrawing = 1;     // 0 suppresses drawing while the cross beams are re-initialised

    int DrawSelection(CDC* pDC, CMarivoltenDoc* pDoc);

    CSize m_sizeTotal{12000, 12000};
    CSize m_sizePaper = kA4Portrait;
    CFont m_fontSmall;
    double m_dAngle = 0.0;
    CFont m_font;
    int m_nPaper = 9;
    // The plan with its labels laid out as on paper, once for a scale, turn and design.
    CLaidOutDrawing m_laidOut;

private:
    // The plan as the window shows it but for the choices of its bar, its labels laid out.
    void LayOut(CDC* pDC, CMarivoltenDoc* pDoc);
    CWindowGlobal<CGridView> m_global;
};

// The plan window's bar: every choice goes into the document at once and the plan follows.
class CGridBar : public CDialogBar {
public:
    CGridBar();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int OnCreate() override;
    // Shows the document's choices.
    void Refresh();
    void OnHScroll(CWnd* pSlider);
    // A spin step; false when it would leave the range.
    bool OnDeltaPosGirder(int nDelta);
    bool OnDeltaPosSection(int nDelta);
    bool OnDeltaPosCrossBeam(int nDelta);
    void OnChangeAngle();

    double m_adScale[10] = {0.2, 0.5, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0};
    double m_adAngle[360];
    int m_bFirstPaint = 1;

private:
    void SetText(int nID, const QString& text);
    void Select(int nWhat, int nIndex);
    bool StepChoice(int nCurrent, int nCount, int nDelta, int& nMember, int nId, int nWhat);
    CWindowGlobal<CGridBar> m_global;
};

extern CGridView* g_pGridView;
extern CGridBar* g_pGridBar;
