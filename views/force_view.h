// The sectional force diagram of one main girder: its bending-moment, shear-force and
// resisting-moment curves over a frame of supports, panel points and a force axis.
#pragma once

#include <memory>
#include <vector>
#include "framework/gdi.h"
#include "framework/view.h"
#include "framework/print.h"
#include "geometry/plan.h"
#include "views/label_layout.h"
#include "views/window_global.h"

class CGirderDesign;
class CDimensionLine;

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

// The painters of the diagram, shared by the force window and the report's diagram pages.
// Each takes the origin (first support, force zero) in logical units and the scale (logical
// units per metre and per tf·m) and returns 1.
class CForceDrawer {
public:
    virtual ~CForceDrawer() = default;

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
    // The whole diagram as the document's switches show it: frame, axis, resisting moment,
    // shear and moment. Nothing without a girder or a moment to scale the axis on.
    void DrawAll(CDC* pDC, int ox, int oy, CDPoint scale);
    // Where the whole diagram at this origin and scale lands on a DC like pLike, its labels
    // included (left <= right, bottom <= top by value, y up); empty when it draws nothing.
    CRect DrawnBounds(CDC* pLike, CPoint origin, CDPoint scale);
    // The scale shrunk and the origin moved, where needed, so that all of the diagram lies
    // inside the frame (y up) by a little; a diagram inside it already stays as it is.
    void FitInto(CDC* pLike, const CRect& frame, CPoint& origin, CDPoint& scale);
    // The diagram drawn larger, step by step and centred in the frame, while a few (up to two)
    // of its labels find no place or no clear one near by, or one only smaller than half their
    // size, and the larger one still fits; it stays at the first scale with the fewest of them.
    // One with more is first drawn as tall as the frame lets it, where that leaves fewer. The
    // values stay inside the frame (m_labelFrame set to it).
    void GrowForStrays(CDC* pLike, const CRect& frame, CPoint& origin, CDPoint& scale);

    // The girder drawn.
    virtual const CGirderDesign* Girder() const { return m_pGirder; }
    const CGirderDesign* m_pGirder = nullptr;
    // 1: every point, line and text turned by 270 degrees onto a sideways page.
    int m_bTurned = 0;
    // The font of the axis, the caption and the step numbers; null: the DC's.
    CFont* m_pFont = nullptr;
    // The frame the value labels stay inside on a page (any two corners); empty: no limit.
    CRect m_labelFrame;
    // Labels laid out as a reader sees them, also with no frame: smaller and moving others
    // where a crowded diagram leaves no room (a window's while it paints). A layout that only
    // measures skips that, as a page's trials do.
    bool m_bShownLayout = false;
    int m_nTickStep = 50;       // in the unit shown

    // Positions of the supports along a girder, first to last.
    static std::vector<double> SupportPositions(const CGirderDesign& g);
    // A point of the upright layout where it lands on the page.
    CPoint Place(CPoint p) const;

protected:
    // One step of the resisting-moment diagram: a section, or a group of joined sections.
    struct ResistingStep {
        double a, b;    // extent along the girder
        double mr;      // resisting moment, tf·m
        int sign;       // sign of the moment over it
    };
    void DrawResistingSteps(CDC* pDC, int ox, int oy, CDPoint scale, const std::vector<ResistingStep>& steps,
                            bool bGroups);
    // A rectangle of the upright layout (left, bottom, right, top; y up).
    struct Taken {
        int l, b, r, t;
    };
    // The texts written before the labels: the axis labels and the caption.
    std::vector<Taken> m_aTaken;
    int m_nAxisX = 0;   // the force axis, upright; value labels stay right of it
    // Whether a cell comes within nGap of what the diagram holds.
    bool IsTaken(const Taken& cell, int nGap) const;
    // The diagram with its labels where the document's switches show it (see DrawAll).
    void DrawParts(CDC* pDC, int ox, int oy, CDPoint scale);

    // A label the painters ask for: a value at a point of a curve, or a step's number in its
    // circle. They are laid out together once every line of the diagram is drawn, upright, so
    // that a sideways page has each where the upright one has it.
    struct Ask {
        LabelKind kind;
        QString text;
        CPoint at;      // the point it names
        Taken usual;    // its own place: the text's cell, or the number's circle
        // A value beside a support: -1 stays left of it, 1 right of it, 0 either side.
        int side = 0;
        bool onLine = false;    // a value at a support, on its line
        int from = 0, to = 0;   // a number's step, along which its circle may slide
        int away = 1;           // a circle moves off its step this way (y)
    };
    std::vector<Ask> m_aAsks;
    // Where each label went: its cell, the index of its place, whether it is led, the height
    // of a value written smaller.
    struct Placed {
        Taken cell{};
        int place = -1;     // -1: not placed
        bool led = false;
        int height = 0;     // 0: its font's; a number's: its smaller ring's
        bool stray = false; // a value over lines or far off, for want of a clear place near by
        int leader = -1;    // the layout's line of its leader, while it lays out
    };
    // How far lines keep off a value's ends along its line, where they would read as a digit
    // or a sign of it; 0 for a step's number, which stands in its own ring.
    static int ValueEnds(const Ask& a, const Taken& c);
    // The same for a value known to be a number of nChars characters (0: none), not read again
    // for every place a label tries.
    static int NumberEnds(qsizetype nChars, const Taken& c);
    // A leader's end at the cell: short of a value's ends.
    static CPoint LeaderEnd(const Taken& c, const Ask& a);
    static CPoint LeaderEnd(const Taken& c, CPoint at, int nEnds);
    // Asks for a value of the point p (upright) with its cell's top left at `usual`; a point on a
    // support line (bOnLine) labelled on the side `side` of it (see Ask).
    void AskValue(CDC* pDC, CPoint p, CPoint usual, const QString& text, bool bOnLine, int side);
    // Lays out and writes the labels asked for: each at its own place where that is clear of the
    // lines and a character's gap from the texts and nearer its point than any other of its
    // kind, else at the clear place nearest it, led back to its point where it stands off. A
    // number with no such place takes a value's own, which moves, else stands round its step led
    // to it. A value with none is written smaller; one at a support of a span narrower than it
    // stands beyond the support or over or under the lines, led; half as high at last, two fifths
    // in a narrower gap; with none even so it stands over the lines, farther off where it must,
    // or at its own.
    void WriteLabels(CDC* pDC);
    // What a layout found in trying places: the bounds (upright) of every cell whose fit decided
    // where a label goes, and the extents of the values it measured smaller.
    // Laid out again with all it is laid out from moved by a step, it comes out the same moved
    // by that step: but for halves of sums of points (`halved`, the numerators), which truncate
    // towards zero, and distances it found within a hair of a limit (`close`).
    struct LabelTrace {
        bool any = false;
        Taken fit{};
        std::vector<std::pair<QString, int>> smaller;     // text and height
        std::vector<CSize> smallerExtents;
        std::vector<int> halvedX, halvedY;
        bool close = false;
    };
    // The places of the labels asked for, inside the frame (top <= bottom; empty: anywhere),
    // as a reader sees them where `shown` (see m_bShownLayout).
    std::vector<Placed> LayOutLabels(CDC* pDC, const CRect& frame, bool shown, LabelTrace& trace);
    // The last layout and what it was laid out from, the asks, lines and texts: the same diagram
    // drawn again at that scale, a fit's trial and then the page, lays its labels out once, moved
    // with the origin where the trace allows. It holds in another frame where every cell it
    // found fit to decide by lies inside that frame, as the frame only keeps out cells beyond it.
    struct LabelLayout {
        bool valid = false;
        CPoint origin;
        int turned = 0;
        CRect frame;
        bool shown = false;
        std::vector<Ask> asks;
        std::vector<std::pair<CPoint, CPoint>> lines;
        std::vector<Taken> taken;
        LabelTrace trace;
        std::vector<Placed> placed;
    };
    LabelLayout m_lastLayout;
    // The places a label tries round a cell, sorted, by all they depend on: where its point and
    // the axis stand from the cell, its size and the steps. Labels alike and the same diagram at
    // another origin or scale try the same, made once.
    struct SpotCache;
    std::shared_ptr<SpotCache> m_pSpots;
    // Whether the last layout holds for the asks now on the DC in the frame, as one shown where
    // that is asked.
    bool LastLayoutHolds(CDC* pDC, const CRect& frame, bool shown) const;
    CPoint m_ptDrawn;   // the origin the diagram was last drawn at
    // The caption of the axis, over all that the diagram draws.
    void WriteCaption(CDC* pDC, int ox, int oy, CDPoint scale);
    // The lines drawn, upright.
    std::vector<std::pair<CPoint, CPoint>> m_aLines;
    // Writes a text with its top left at (x, y) (upright), turned with a sideways page; a label
    // room open on the DC takes its cell.
    void Write(CDC* pDC, int x, int y, const QString& text) const;
    void Line(CDimensionLine& line, CDC* pDC, CDPoint p1, CDPoint p2, int ox, int oy, CDPoint scale);
    void Curve(CDC* pDC, const std::vector<CPoint>& points);
    // Ticks of the axis for the girder, in the unit shown.
    static CForceTicks AxisTicks(const CGirderDesign& g);
};

class CForceView : public CScrollView, public CForceDrawer {
    DECLARE_DYNCREATE(CForceView)
public:
    CForceView();
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
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
    const CGirderDesign* Girder() const override;

    CSize m_sizeTotal{12000, 6000};
    CSize m_sizePage = kA4Portrait;
    CFont m_font;
    CPoint m_ptOrigin{200, -2700};

private:
    // The scroll area made the extent of the diagram at the document's scales, its labels
    // included, with a little white round it.
    void FitToDiagram();
    // Scrolls to the top of the drawing, its caption.
    void ScrollToDiagramTop();
    // Where the default vertical scale would take the diagram beyond the window's height and
    // the user has not chosen one since the design changed: the largest of the bar's scales
    // at which it fits. False when the window has no size to fit to yet.
    bool FitScaleToWindow();
    // Another girder or other results shown: the scale fitted and the drawing from its top.
    void ShowNewDiagram();
    const CGirderDesign* m_pShown = nullptr;
    bool m_bFitPending = false;
    CWindowGlobal<CForceView> m_global;
};

extern CForceView* g_pForceView;
