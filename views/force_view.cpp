#include "views/force_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/calc_view.h"
#include "design/girder_design.h"
#include "design/steel_tables.h"
#include "framework/format.h"
#include "framework/print.h"
#include "geometry/curves.h"
#include "input/block_dialog.h"
#include "res/resource_ids.h"
#include "views/dimension_line.h"
#include "views/drawing_helpers.h"
#include "views/force_bars.h"
#include "views/force_labels.h"
#include "views/label_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

CForceView* g_pForceView = nullptr;

IMPLEMENT_DYNCREATE(CForceView, CScrollView)

using namespace force;

namespace {

// A node of a girder lies on a support or a peak within this (m).
constexpr double kPlaceTol = 1e-6;
// A shear change beyond this (tf) between two nodes is a jump the curve does not join.
constexpr double kShearJump = 3.0;
// Curve points per panel of the moment curves.
constexpr int kSplineSteps = 8;
// White round the diagram in the window, in logical units.
constexpr int kMargin = 50;
// Two tick labels at least this far apart, or the later one is left out.
constexpr int kLabelGap = 4;
// A label at a support starts clear of the axis ticks there, which reach 10 units out, by a
// little more than a quarter of a value's character: nearer, a tick reads as a sign of it.
constexpr int kBesideTick = 18;
// A step's number stands in an ellipse of these half axes, this far off its step.
constexpr int kCircleRx = 26;
constexpr int kCircleRy = 22;
constexpr int kCircleOff = 4;

// Shown units per stored unit: kN for tf in SI units.
double UnitFactor() { return g_bSIUnits == 1 ? steel::kGravity : 1.0; }

int Folded() { return g_pDoc ? g_pDoc->m_bForceFolded : 0; }

int SpanCount(const CGirderDesign& g)
{
    return std::clamp(std::min(g_nSpans, int(g.m_pnSpanStart.size()) - 1), 0, MAX_SPANS);
}

// The members of span s within the girder's arrays.
std::pair<int, int> SpanMembers(const CGirderDesign& g, int s)
{
    const int n = int(g.m_pdPanelLength.size());
    return {std::clamp(g.m_pnSpanStart[size_t(s)], 0, n), std::clamp(g.m_pnSpanStart[size_t(s) + 1], 0, n)};
}

int NodeCount(const CGirderDesign& g, const std::vector<CDPoint>& a, const std::vector<CDPoint>& b)
{
    return std::max(0, std::min({g.m_nNodes, int(a.size()), int(b.size())}));
}

QString ValueText(double value) { return AfxFormat("%5.1f", value * UnitFactor()); }

CPoint Logical(int ox, int oy, CDPoint scale, double x, double y)
{
    return CPoint(ox + int(x * scale.x), oy + int(y * scale.y));
}

// A curve of (x, value) points, drawn with its positive values below the base line, or
// above it when folded. Where it jumps at one place by more than kShearJump (at a support)
// it is left open; along a member it always runs on. Its lines go to `lines`, upright.
void DrawBrokenCurve(const CForceDrawer& d, CDC* pDC, const CDPoint* pts, int n, int ox, int oy, CDPoint scale,
                     int nSide, std::vector<std::pair<CPoint, CPoint>>& lines)
{
    CPoint last;
    for (int j = 0; j < n; ++j) {
        const CPoint q(ox + int(scale.x * pts[j].x), oy + nSide * int(scale.y * pts[j].y));
        const CPoint p = d.Place(q);
        if (j == 0 ||
            (std::fabs(pts[j].x - pts[j - 1].x) <= kPlaceTol && std::fabs(pts[j].y - pts[j - 1].y) > kShearJump)) {
            pDC->MoveTo(p);
        } else {
            pDC->LineTo(p);
            lines.emplace_back(last, q);
        }
        last = q;
    }
}

// A new scale for a drawing of `size` at scale k that must come down to `room`: from the
// last two tries where there are two (their texts keep their size), else in proportion.
double ShrunkScale(double k, double size, double kBefore, double sizeBefore, double room)
{
    double next = k * room / size;
    if (kBefore > 0.0 && kBefore != k && size != sizeBefore) {
        const double slope = (size - sizeBefore) / (k - kBefore);
        if (slope > 0.0)
            next = k + (room - size) / slope;
    }
    return std::clamp(next, k * 0.05, k * 0.98);
}

} // namespace

CForceTicks ForceTicks(double dMax)
{
    static const struct {
        double below;
        int step;
    } kSteps[] = {{100, 10},   {250, 20},   {500, 50},     {1000, 100},   {2500, 200},
                  {5000, 500}, {10000, 1000}, {25000, 2000}, {50000, 5000}, {100000, 10000}};
    CForceTicks t;
    // Beyond a few hundred ticks there is no axis to draw.
    if (!(dMax > 0.0) || dMax >= 1e7)
        return t;
    t.m_nStep = 20000;
    for (const auto& s : kSteps)
        if (dMax < s.below) {
            t.m_nStep = s.step;
            break;
        }
    t.m_nCount = int(dMax) / t.m_nStep;
    if (dMax / t.m_nStep - t.m_nCount > 0.2)
        ++t.m_nCount;
    t.m_nTop = t.m_nCount * t.m_nStep;
    return t;
}

CForceView::CForceView() : m_global(g_pForceView, this)
{
    m_font.CreateFont(24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
    m_pFont = &m_font;
    auto printable = [](CCmdUI* pCmdUI) { pCmdUI->Enable(CCalcView::ShownDesign() != nullptr); };
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        HandleUpdate(id, printable);
    HandleCommand(ID_BLOCK_DIALOG, &CForceView::OnBlockDialog);
    HandleUpdate(ID_BLOCK_DIALOG, &CForceView::OnUpdateBlockDialog);
    OnMessage(WM_FORCEBAR_GIRDER, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSelectGirder(int(lParam));
        return 0;
    });
    OnMessage(WM_FORCEBAR_SCALE, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
        OnSetScale(int(wParam), int(lParam));
        return 0;
    });
}

void CForceView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_LOMETRIC, m_sizeTotal, CSize(m_sizeTotal.cx / 5, m_sizeTotal.cy / 5),
                   CSize(m_sizeTotal.cx / 20, m_sizeTotal.cy / 20));
    ShowNewDiagram();
    ScrollToPosition(CPoint(0, GetScrollPosition().y));
}

void CForceView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CScrollView::OnUpdate(pSender, lHint, pHint);
    if (!GetSafeHwnd() || !g_pDoc)
        return;
    // Another girder or other results, or a scale fitted anew: the diagram from its top.
    if (CCalcView::ShownDesign() != m_pShown) {
        ShowNewDiagram();
        return;
    }
    const double before = g_pDoc->m_dForceVScale;
    FitScaleToWindow();
    if (g_pDoc->m_dForceVScale != before)
        ScrollToDiagramTop();
}

void CForceView::ShowNewDiagram()
{
    m_pShown = CCalcView::ShownDesign();
    // A window not yet laid out fits the scale at its first paint.
    m_bFitPending = !FitScaleToWindow();
    ScrollToDiagramTop();
}

bool CForceView::FitScaleToWindow()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || doc->m_bForceVScaleChosen || !CCalcView::ShownDesign())
        return true;
    if (!GetSafeHwnd())
        return false;
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    CSize room(client.Width(), client.Height());
    dc.DPtoLP(&room);
    const int height = std::abs(room.cy) - 2 * kMargin;
    if (height <= 0)
        return false;
    // The default scale where the diagram fits the window's height, else the largest of the
    // bar's smaller ones at which it does, else the smallest.
    constexpr double kDefault = 1.0;
    double chosen = kForceVScales[0];
    for (int i = int(std::size(kForceVScales)) - 1; i >= 0; --i) {
        const double v = kForceVScales[i];
        if (v > kDefault)
            continue;
        const CRect b = DrawnBounds(&dc, CPoint(0, 0), CDPoint(doc->m_dForceHScale * 10.0, v));
        if (b.top - b.bottom <= height) {
            chosen = v;
            break;
        }
    }
    doc->m_dForceVScale = chosen;
    return true;
}

void CForceView::ScrollToDiagramTop()
{
    FitToDiagram();
    // The drawing's top, its caption, stands at the top of the scroll area.
    ScrollToPosition(CPoint(GetScrollPosition().x, 0));
}

void CForceView::FitToDiagram()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || !CCalcView::ShownDesign())
        return;
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    const CRect b = DrawnBounds(&dc, CPoint(0, 0), CDPoint(doc->m_dForceHScale * 10.0, doc->m_dForceVScale));
    if (b.right <= b.left || b.top <= b.bottom)
        return;
    // The scroll area is the drawing with a margin round it; the first support stays where
    // the window always had it when the axis labels leave room.
    const CPoint origin(std::max(200, kMargin - b.left), -kMargin - b.top);
    const CSize total(origin.x + b.right + kMargin, -(origin.y + b.bottom) + kMargin);
    if (origin == m_ptOrigin && total == m_sizeTotal)
        return;
    m_ptOrigin = origin;
    m_sizeTotal = total;
    SetScrollSizes(MM_LOMETRIC, m_sizeTotal, CSize(m_sizeTotal.cx / 5, m_sizeTotal.cy / 5),
                   CSize(m_sizeTotal.cx / 20, m_sizeTotal.cy / 20));
}

void CForceView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
    PrepareDrawingDC(*this, pDC);
}

void CForceView::OnSelectGirder(int nGirder)
{
    if (g_pDoc)
        g_pDoc->m_nCalcGirder = g_nBridgeType == 2 ? 1 : nGirder;
    ShowNewDiagram();
    Invalidate();
}

void CForceView::OnSetScale(int nSlider, int nTenths)
{
    if (CMarivoltenDoc* doc = g_pDoc) {
        if (nSlider == IDC_FORCE_HSCALE_SLIDER) {
            doc->m_dForceHScale = nTenths / 10.0;
        } else if (nSlider == IDC_FORCE_VSCALE_SLIDER) {
            doc->m_dForceVScale = nTenths / 10.0;
            doc->m_bForceVScaleChosen = 1;
        }
    }
    if (nSlider == IDC_FORCE_VSCALE_SLIDER)
        ScrollToDiagramTop();
    Invalidate();
}

void CForceView::OnBlockDialog()
{
    if (g_pBlockDlg && g_pBlockDlg->GetSafeHwnd())
        g_pBlockDlg->ShowWindow(g_pBlockDlg->IsWindowVisible() ? SW_HIDE : SW_SHOWNORMAL);
}

void CForceView::OnUpdateBlockDialog(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(g_pBlockDlg && g_pBlockDlg->GetSafeHwnd() && g_pBlockDlg->IsWindowVisible());
    pCmdUI->Enable(g_nSpans != 0 && g_bResultsValid);
}

void CForceView::OnDraw(CDC* pDC)
{
    g_pForceView = this;
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || !CCalcView::ShownDesign())
        return;
    if (m_bFitPending && !pDC->IsPrinting())
        ShowNewDiagram();
    FitToDiagram();
    m_bShownLayout = true;
    DrawDiagram(pDC, m_ptOrigin, CDPoint(doc->m_dForceHScale * 10.0, doc->m_dForceVScale));
    m_bShownLayout = false;
}

void CForceDrawer::DrawAll(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CMarivoltenDoc* doc = g_pDoc;
    const CGirderDesign* g = Girder();
    if (!doc || !g || !(scale.x > 0.0) || !(scale.y > 0.0) || !std::isfinite(scale.x) || !std::isfinite(scale.y))
        return;
    if (AxisTicks(*g).m_nStep == 0)
        return;
    DrawParts(pDC, ox, oy, scale);
}

void CForceDrawer::DrawParts(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CMarivoltenDoc* doc = g_pDoc;
    m_aTaken.clear();
    m_aLines.clear();
    m_aAsks.clear();
    m_nAxisX = ox;
    m_ptDrawn = CPoint(ox, oy);
    Selected<CFont> font(pDC, m_pFont);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    DrawFrame(pDC, ox, oy, scale);
    DrawAxisLabels(pDC, ox, oy, scale);
    if (doc->m_bForceShowResisting)
        DrawResistingMoment(pDC, ox, oy, scale);
    if (doc->m_bForceShowShear) {
        if (doc->m_bForceFolded)
            DrawShearEnvelope(pDC, ox, oy, scale);
        else
            DrawShearCurves(pDC, ox, oy, scale);
    }
    if (doc->m_bForceShowMoment) {
        if (doc->m_bForceFolded)
            DrawMomentEnvelope(pDC, ox, oy, scale);
        else
            DrawMomentCurves(pDC, ox, oy, scale);
    }
    WriteCaption(pDC, ox, oy, scale);
    WriteLabels(pDC);
    pDC->SetBkMode(oldMode);
}

CRect CForceDrawer::DrawnBounds(CDC* pLike, CPoint origin, CDPoint scale)
{
    CDC plain;
    const std::vector<CDC::Record> records =
        ProbeLike(pLike ? pLike : &plain, [&](CDC* probe) { DrawAll(probe, origin.x, origin.y, scale); });
    // Top is the highest y here (y up).
    const CRect b = ::DrawnBounds(records);
    return CRect(b.left, b.bottom, b.right, b.top);
}

namespace {

// The sides of the frame (any two corners) a little inside it: left, right, bottom, top.
std::array<int, 4> InsideFrame(const CRect& frame)
{
    return {std::min(frame.left, frame.right) + kFrameInset, std::max(frame.left, frame.right) - kFrameInset,
            std::min(frame.top, frame.bottom) + kFrameInset, std::max(frame.top, frame.bottom) - kFrameInset};
}

}

void CForceDrawer::FitInto(CDC* pLike, const CRect& frame, CPoint& origin, CDPoint& scale)
{
    const auto [left, right, bottom, top] = InsideFrame(frame);
    if (right <= left || top <= bottom)
        return;
    // Along the girder and across it, as the page has them: a sideways page runs the girder
    // up the sheet and the forces to the left.
    const double roomAlong = m_bTurned ? top - bottom : right - left;
    const double roomAcross = m_bTurned ? right - left : top - bottom;
    double kAlongBefore = 0.0, sizeAlongBefore = 0.0, kAcrossBefore = 0.0, sizeAcrossBefore = 0.0;
    bool shrunkAlong = false, shrunkAcross = false;
    for (int tries = 0; tries < 12; ++tries) {
        const CRect b = DrawnBounds(pLike, origin, scale);
        if (b.right <= b.left && b.top <= b.bottom)
            return;
        const double sizeAlong = m_bTurned ? b.top - b.bottom : b.right - b.left;
        const double sizeAcross = m_bTurned ? b.right - b.left : b.top - b.bottom;
        const bool fitsAlong = sizeAlong <= roomAlong, fitsAcross = sizeAcross <= roomAcross;
        if (fitsAlong && fitsAcross) {
            // Moved inside the frame; a diagram made smaller is centred in it.
            auto shift = [](int lo, int hi, int from, int to, bool centre) {
                if (centre)
                    return (from + to) / 2 - (lo + hi) / 2;
                return lo < from ? from - lo : hi > to ? to - hi : 0;
            };
            const int dx = shift(b.left, b.right, left, right, m_bTurned ? shrunkAcross : shrunkAlong);
            const int dy = shift(b.bottom, b.top, bottom, top, m_bTurned ? shrunkAlong : shrunkAcross);
            origin = m_bTurned ? CPoint(origin.x + dy, origin.y - dx) : CPoint(origin.x + dx, origin.y + dy);
            return;
        }
        // Each way on its own, remembering the try before for the next guess.
        auto shrink = [](double& k, double size, double& kBefore, double& sizeBefore, double room) {
            const double next = ShrunkScale(k, size, kBefore, sizeBefore, room);
            kBefore = k;
            sizeBefore = size;
            k = next;
        };
        if (!fitsAlong) {
            shrink(scale.x, sizeAlong, kAlongBefore, sizeAlongBefore, roomAlong);
            shrunkAlong = true;
        }
        if (!fitsAcross) {
            shrink(scale.y, sizeAcross, kAcrossBefore, sizeAcrossBefore, roomAcross);
            shrunkAcross = true;
        }
    }
}

void CForceDrawer::GrowForStrays(CDC* pLike, const CRect& frame, CPoint& origin, CDPoint& scale)
{
    m_labelFrame = frame;
    const auto [left, right, bottom, top] = InsideFrame(frame);
    if (right <= left || top <= bottom)
        return;
    // The labels the layout of the last drawing found no place for, and the values it put over
    // lines or far off, or wrote smaller than half their size.
    auto strays = [&](CPoint o, CDPoint k, CRect& b) {
        b = DrawnBounds(pLike, o, k);
        if (m_aAsks.empty() || (b.right <= b.left && b.top <= b.bottom))
            return 0;
        return int(std::count_if(m_lastLayout.placed.begin(), m_lastLayout.placed.end(), [](const Placed& p) {
            return p.place < 0 || p.stray || (p.height > 0 && p.height < kValueHeight / 2);
        }));
    };
    CRect b;
    int fewest = strays(origin, scale, b);
    CPoint o = origin;
    CDPoint k = scale;
    // Centred in the frame: on a sideways page the origin's x moves the diagram up and its y
    // to the left.
    auto centre = [&] {
        const int dx = (left + right) / 2 - (b.left + b.right) / 2;
        const int dy = (bottom + top) / 2 - (b.bottom + b.top) / 2;
        o = m_bTurned ? CPoint(o.x + dy, o.y - dx) : CPoint(o.x + dx, o.y + dy);
    };
    // Kept where it leaves fewer and lies inside the frame.
    auto better = [&] {
        centre();
        const int n = strays(o, k, b);
        if (n >= fewest || b.left < left || b.right > right || b.bottom < bottom || b.top > top)
            return false;
        fewest = n;
        origin = o;
        scale = k;
        return true;
    };
    // A crowded diagram drawn as tall as the frame lets it at once: its values find room over
    // and under one another where the paper across the girder stands empty.
    if (fewest > 2) {
        const double sizeAcross = m_bTurned ? b.right - b.left : b.top - b.bottom;
        const double roomAcross = m_bTurned ? right - left : top - bottom;
        // A little short of it, for the caption and the labels, which do not grow: one try, a
        // layout of every label.
        const double grow = sizeAcross > 0.0 ? 0.92 * roomAcross / sizeAcross : 1.0;
        if (grow > 1.1) {
            k = CDPoint(k.x, k.y * grow);
            // Where it would land, grown about the origin, to centre it without a layout more.
            const CPoint at = Place(o);
            auto scaled = [&](LONG& v, int pivot) { v = pivot + LONG(std::lround((v - pivot) * grow)); };
            if (m_bTurned) {
                scaled(b.left, at.x);
                scaled(b.right, at.x);
            } else {
                scaled(b.bottom, at.y);
                scaled(b.top, at.y);
            }
            better();
        }
        o = origin;
        k = scale;
    }
    // Only a few: growing by steps does not clear a crowded diagram, and each try is a layout.
    if (fewest > 2)
        return;
    // An eighth larger at a step each way, a smaller step where that would no longer fit, and
    // none where a sixty-fourth would not.
    // A few larger ones that help none end the search: each lays every label out again.
    double along = 1.125, across = 1.125;
    for (int step = 0, idle = 0; step < 8 && idle < 2 && fewest > 0 && (along > 1.0 || across > 1.0); ++step) {
        const CDPoint grown(k.x * along, k.y * across);
        b = DrawnBounds(pLike, o, grown);
        const bool fitsAlong = m_bTurned ? b.top - b.bottom <= top - bottom : b.right - b.left <= right - left;
        const bool fitsAcross = m_bTurned ? b.right - b.left <= right - left : b.top - b.bottom <= top - bottom;
        if (!fitsAlong || !fitsAcross) {
            auto smaller = [](double g) { return g > 1.02 ? 1.0 + (g - 1.0) / 2.0 : 1.0; };
            along = fitsAlong ? along : smaller(along);
            across = fitsAcross ? across : smaller(across);
            continue;
        }
        k = grown;
        idle = better() ? 0 : idle + 1;
    }
}

const CGirderDesign* CForceView::Girder() const { return CCalcView::ShownDesign(); }

void CForceView::DrawDiagram(CDC* pDC, CPoint origin, CDPoint scale)
{
    DrawAll(pDC, origin.x, origin.y, scale);
}

std::vector<double> CForceDrawer::SupportPositions(const CGirderDesign& g)
{
    std::vector<double> at{0.0};
    double x = 0.0;
    for (int s = 0; s < SpanCount(g); ++s) {
        const auto [first, last] = SpanMembers(g, s);
        for (int m = first; m < last; ++m)
            x += g.m_pdPanelLength[size_t(m)];
        at.push_back(x);
    }
    return at;
}

CForceTicks CForceDrawer::AxisTicks(const CGirderDesign& g)
{
    return ForceTicks(g.GetMaxMomentPoint().y * UnitFactor());
}

CPoint CForceDrawer::Place(CPoint p) const
{
    CRect r;
    if (m_bTurned && CDimensionLine::RotateSegment(kTurn, p.x, p.y, 0, 0, &r))
        return CPoint(r.left, r.top);
    return p;
}

void CForceDrawer::Write(CDC* pDC, int x, int y, const QString& text) const
{
    // Turned with the drawing: its top left corner where the upright one's lands.
    const CPoint p = Place(CPoint(x, y));
    const int esc = m_bTurned ? CDimensionLine::TurnedEscapement(kTurn) : 0;
    if (CLabelRoom* room = CLabelRoom::Of(pDC)) {
        const CRect cell = TextCell(pDC, esc, p.x, p.y, text);
        room->Take(cell, text, m_bTurned != 0, cell);
    }
    if (m_bTurned)
        TextOutTurned(pDC, esc, p.x, p.y, text);
    else
        pDC->TextOut(x, y, text);
}

void CForceDrawer::Line(CDimensionLine& line, CDC* pDC, CDPoint p1, CDPoint p2, int ox, int oy, CDPoint scale)
{
    m_aLines.emplace_back(Logical(ox, oy, scale, p1.x, p1.y), Logical(ox, oy, scale, p2.x, p2.y));
    if (m_bTurned)
        line.DrawAngled(kTurn, pDC, p1, p2, ox, oy, scale, 2);
    else
        line.Draw(pDC, p1, p2, ox, oy, scale, 2);
}

void CForceDrawer::Curve(CDC* pDC, const std::vector<CPoint>& points)
{
    for (size_t i = 1; i < points.size(); ++i)
        m_aLines.emplace_back(points[i - 1], points[i]);
    if (!m_bTurned) {
        pDC->Polyline(points.data(), int(points.size()));
        return;
    }
    std::vector<CPoint> turned;
    turned.reserve(points.size());
    for (const CPoint& p : points)
        turned.push_back(Place(p));
    pDC->Polyline(turned.data(), int(turned.size()));
}

int CForceDrawer::DrawFrame(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    const double f = UnitFactor();
    const CForceTicks ticks = AxisTicks(*g);
    m_nTickStep = ticks.m_nStep;
    const bool folded = Folded();
    const double top = ticks.m_nTop / f, bottom = folded ? 0.0 : -top;
    CDimensionLine grey(PS_SOLID, 0, RGB(127, 127, 127), 0);
    Line(grey, pDC, CDPoint(0, top), CDPoint(0, bottom), ox, oy, scale);
    double x = 0.0;
    for (int s = 0; s < SpanCount(*g); ++s) {
        const auto [first, last] = SpanMembers(*g, s);
        for (int m = first; m < last; ++m) {
            x += g->m_pdPanelLength[size_t(m)];
            if (m == last - 1)
                Line(grey, pDC, CDPoint(x, top), CDPoint(x, bottom), ox, oy, scale);
            else
                Line(grey, pDC, CDPoint(x, 10.0), CDPoint(x, folded ? 0.0 : -10.0), ox, oy, scale);
        }
    }
    Line(grey, pDC, CDPoint(0, 0), CDPoint(x, 0), ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawAxisLabels(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g || m_nTickStep <= 0)
        return 1;
    const double f = UnitFactor();
    const bool si = g_bSIUnits == 1, folded = Folded();
    const CForceTicks ticks = AxisTicks(*g);
    CDimensionLine grey(PS_SOLID, 0, RGB(127, 127, 127), 0);
    const double half = 10.0 / scale.x;
    // The ticks as shown, from the base line outwards: negative values above it, positive
    // ones below, unless the diagram is folded.
    std::vector<int> shown;
    for (int k = 0; k <= ticks.m_nCount; ++k) {
        const int tick = m_nTickStep * k;
        shown.push_back(folded ? tick : -tick);
        if (!folded && k > 0)
            shown.push_back(tick);
    }
    const std::vector<double> supports = SupportPositions(*g);
    for (const double x : supports)
        for (const int v : shown) {
            const double y = (folded ? v : -v) / f;
            Line(grey, pDC, CDPoint(x - half, y), CDPoint(x + half, y), ox, oy, scale);
        }
    // The labels at the first support, their right edges 10 units left of the ticks; one
    // that would touch a label nearer the base line is left out.
    const int tickLeft = ox + int((supports.front() - half) * scale.x);
    for (const int v : shown) {
        const QString text = AfxFormat(si ? "%5d" : "%4d", v);
        const CSize ext = pDC->GetTextExtent(text);
        const double y = (folded ? v : -v) / f;
        const int lx = tickLeft - ext.cx - 10, ly = oy + int(y * scale.y + ext.cy / 2);
        const Taken cell{lx, ly - ext.cy, lx + ext.cx, ly};
        if (IsTaken(cell, kLabelGap))
            continue;
        m_aTaken.push_back(cell);
        Write(pDC, lx, ly, text);
    }
    return 1;
}

void CForceDrawer::WriteCaption(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return;
    const QString caption = g_bSIUnits == 1 ? QStringLiteral("ﾓｰﾒﾝﾄ(kN・m)､せん断力(kN)")
                                            : QStringLiteral("ﾓｰﾒﾝﾄ(tf・m)､せん断力(tf)");
    const CSize ext = pDC->GetTextExtent(caption);
    // Over the top tick, and over a step or curve that rises beyond it with room for a step's
    // number above it.
    const int tick = oy + int(AxisTicks(*g).m_nTop / UnitFactor() * scale.y);
    int top = tick + 40;
    for (const auto& [p, q] : m_aLines)
        if (std::max(p.y, q.y) > tick)
            top = std::max(top, std::max(p.y, q.y) + 2 * (kCircleRy + kCircleOff) + kAcrossGap);
    const int cy = top + ext.cy;
    m_aTaken.push_back({ox, cy - ext.cy, ox + ext.cx, cy});
    Write(pDC, ox, cy, caption);
}

int CForceDrawer::DrawMomentCurves(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    Selected<CPen> pen(pDC, &red);
    size_t members = g->m_pdPanelLength.size();
    for (const std::vector<double>* c : {&g->m_pdMomentMaxI, &g->m_pdMomentMaxJ, &g->m_pdMomentMinI, &g->m_pdMomentMinJ})
        members = std::min(members, c->size());
    double x0 = 0.0;
    std::vector<CDPoint> c1, c2;
    std::vector<CPoint> line;
    for (int s = 0; s < SpanCount(*g); ++s) {
        const auto [first, last] = SpanMembers(*g, s);
        const int p = last - first + 1;
        double x = 0.0;
        if (p >= 2 && size_t(last) <= members) {
            // Member-end values, smoothed by a spline through them.
            c1.assign(size_t(p + (p - 1) * (kSplineSteps - 1)), CDPoint());
            c2.assign(c1.size(), CDPoint());
            c1[0] = CDPoint(0, g->m_pdMomentMaxI[size_t(first)]);
            c2[0] = CDPoint(0, g->m_pdMomentMinI[size_t(first)]);
            for (int m = first; m < last; ++m) {
                x += g->m_pdPanelLength[size_t(m)];
                c1[size_t(m - first + 1)] = CDPoint(x, g->m_pdMomentMaxJ[size_t(m)]);
                c2[size_t(m - first + 1)] = CDPoint(x, g->m_pdMomentMinJ[size_t(m)]);
            }
            for (std::vector<CDPoint>* c : {&c1, &c2}) {
                InterpolateSpline(c->data(), kSplineSteps, p);
                line.clear();
                for (const CDPoint& q : *c)
                    line.emplace_back(ox + int((x0 + q.x) * scale.x), oy - int(scale.y * q.y));
                Curve(pDC, line);
            }
        } else {
            for (int m = first; m < last; ++m)
                x += g->m_pdPanelLength[size_t(m)];
        }
        x0 += x;
    }
    DrawMomentLabels(pDC, ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawMomentEnvelope(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    Selected<CPen> pen(pDC, &red);
    const int n = NodeCount(*g, g->m_pMomentEnv, g->m_pMomentEnv);
    std::vector<CPoint> line;
    for (int k = 0; k < n; ++k) {
        const CDPoint& q = g->m_pMomentEnv[size_t(k)];
        line.emplace_back(ox + int(scale.x * q.x), oy + int(scale.y * q.y));
    }
    if (n > 1)
        Curve(pDC, line);
    DrawMomentLabels(pDC, ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawMomentLabels(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    const LabelFont font(pDC);
    const int nodes = std::min(NodeCount(*g, g->m_pMomentEnv, g->m_pMomentEnv), int(g->m_pnMomentSign.size()));
    const std::vector<double> supports = SupportPositions(*g);
    for (int i = 0; i < std::clamp(g->m_nPeaks, 0, 100); ++i) {
        const CDPoint peak = g->m_aPeaks[i];
        // The envelope node at the peak's place that holds its value gives the sign.
        int at = -1;
        for (int k = 0; k < nodes; ++k) {
            const CDPoint& q = g->m_pMomentEnv[size_t(k)];
            if (std::fabs(q.x - peak.x) <= kPlaceTol &&
                (at < 0 || std::fabs(q.y - peak.y) < std::fabs(g->m_pMomentEnv[size_t(at)].y - peak.y)))
                at = k;
        }
        if (at < 0)
            continue;
        double v = g->m_pnMomentSign[size_t(at)] * peak.y;
        QString text;
        if (Folded()) {
            v = -std::fabs(v);
            text = ValueText(std::fabs(peak.y));
        } else {
            text = ValueText(v);
        }
        const CSize ext = pDC->GetTextExtent(text);
        // Over a point above the base line, hanging below one under it.
        const int dy = v < 0 ? ext.cy : -ext.cy / 4;
        const CPoint p(ox + int(scale.x * peak.x), oy - int(v * scale.y));
        const bool onSupport = std::any_of(supports.begin(), supports.end(),
                                           [&](double x) { return std::fabs(x - peak.x) <= kPlaceTol; });
        // Beside a support's line rather than across it, after it first.
        const CPoint usual = onSupport ? CPoint(p.x + kBesideTick, p.y + dy) : CPoint(p.x - ext.cx / 2, p.y + dy);
        AskValue(pDC, p, usual, text, onSupport, 0);
    }
    return 1;
}

int CForceDrawer::DrawShearCurves(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    Selected<CPen> pen(pDC, &blue);
    const int n = NodeCount(*g, g->m_pShearMax, g->m_pShearMin);
    DrawBrokenCurve(*this, pDC, g->m_pShearMax.data(), n, ox, oy, scale, -1, m_aLines);
    DrawBrokenCurve(*this, pDC, g->m_pShearMin.data(), n, ox, oy, scale, -1, m_aLines);
    DrawShearLabels(pDC, ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawShearEnvelope(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    Selected<CPen> pen(pDC, &blue);
    DrawBrokenCurve(*this, pDC, g->m_pShearEnv.data(), NodeCount(*g, g->m_pShearEnv, g->m_pShearEnv), ox, oy, scale, 1,
                    m_aLines);
    DrawShearEnvelopeLabels(pDC, ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawShearLabels(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    const LabelFont font(pDC);
    const int n = NodeCount(*g, g->m_pShearMax, g->m_pShearMin);
    const std::vector<double> supports = SupportPositions(*g);
    for (double X : supports) {
        // The lowest and the highest value of both curves at the support; the larger of
        // the two in magnitude is labelled.
        int low = -1, high = -1;
        CDPoint lowest, highest;
        for (int j = 0; j < n; ++j)
            for (const CDPoint& q : {g->m_pShearMin[size_t(j)], g->m_pShearMax[size_t(j)]}) {
                if (std::fabs(q.x - X) > kPlaceTol)
                    continue;
                if (low < 0 || q.y < lowest.y) {
                    low = j;
                    lowest = q;
                }
                if (high < 0 || q.y > highest.y) {
                    high = j;
                    highest = q;
                }
            }
        if (low < 0)
            continue;
        const bool lower = std::fabs(highest.y) <= std::fabs(lowest.y);
        const CDPoint c = lower ? lowest : highest;
        const QString text = ValueText(c.y);
        const CSize ext = pDC->GetTextExtent(text);
        const int dy = c.y > 0 ? -ext.cy / 3 : ext.cy;
        const CPoint p(ox + int(scale.x * c.x), oy - int(scale.y * c.y));
        // On the side of the span whose end it is: an even node starts a member, an odd one ends it.
        const int side = (lower ? low : high) % 2 == 0 ? 1 : -1;
        // Past the last support it names no other span.
        const CPoint usual(side > 0 ? p.x + kBesideTick : p.x - kBesideTick - ext.cx, p.y + dy);
        AskValue(pDC, p, usual, text, true, X == supports.back() ? 0 : side);
    }
    return 1;
}

int CForceDrawer::DrawShearEnvelopeLabels(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    const LabelFont font(pDC);
    const int n = NodeCount(*g, g->m_pShearEnv, g->m_pShearEnv);
    const std::vector<double> supports = SupportPositions(*g);
    for (double X : supports) {
        // The envelope's largest value at the support.
        int at = -1;
        for (int j = 0; j < n; ++j)
            if (std::fabs(g->m_pShearEnv[size_t(j)].x - X) <= kPlaceTol &&
                (at < 0 || std::fabs(g->m_pShearEnv[size_t(j)].y) > std::fabs(g->m_pShearEnv[size_t(at)].y)))
                at = j;
        if (at < 0)
            continue;
        const CDPoint c = g->m_pShearEnv[size_t(at)];
        const QString text = ValueText(std::fabs(c.y));
        const CSize ext = pDC->GetTextExtent(text);
        const int dy = c.y > 0 ? ext.cy : -ext.cy / 3;
        const CPoint p(ox + int(scale.x * c.x), oy + int(std::fabs(c.y) * scale.y));
        // On the side of the span whose end it is: an even node starts a member.
        const int side = at % 2 == 0 ? 1 : -1;
        // Past the last support it names no other span.
        const CPoint usual(side > 0 ? p.x + kBesideTick : p.x - kBesideTick - ext.cx, p.y + dy);
        AskValue(pDC, p, usual, text, true, X == supports.back() ? 0 : side);
    }
    return 1;
}

int CForceDrawer::DrawResistingMoment(CDC* pDC, int ox, int oy, CDPoint scale)
{
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    Selected<CPen> pen(pDC, &black);
    if (g_pDoc && g_pDoc->m_dlgBasic.m_nHeightVariation == 0)
        DrawResistingMomentVarying(pDC, ox, oy, scale);
    else
        DrawResistingMomentConstant(pDC, ox, oy, scale);
    return 1;
}

int CForceDrawer::DrawResistingMomentConstant(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    std::vector<ResistingStep> steps;
    for (const CSectionRecord& s : g->m_pSections) {
        const double a = s.m_adCheck[0], b = s.m_adCheck[1];
        steps.push_back({a, b, s.m_dMr, g->GetMomentSignAt((a + b) / 2)});
    }
    DrawResistingSteps(pDC, ox, oy, scale, steps, false);
    return 1;
}

int CForceDrawer::DrawResistingMomentVarying(CDC* pDC, int ox, int oy, CDPoint scale)
{
    const CGirderDesign* g = Girder();
    if (!g)
        return 1;
    // A group runs from a section not joined to the one before to one not joined to the next.
    std::vector<ResistingStep> steps;
    bool open = false;
    for (const CSectionRecord& s : g->m_pSections) {
        if (!open || s.m_nJoinPrev != 1) {
            steps.push_back({s.m_adCheck[0], s.m_adCheck[1], s.m_dMr, 0});
            open = true;
        }
        ResistingStep& group = steps.back();
        group.b = s.m_adCheck[1];
        group.mr = std::max(group.mr, s.m_dMr);
        if (s.m_nJoinNext != 1)
            open = false;
    }
    for (ResistingStep& group : steps)
        group.sign = g->GetMomentSignAt((group.a + group.b) / 2);
    DrawResistingSteps(pDC, ox, oy, scale, steps, true);
    return 1;
}

void CForceDrawer::DrawResistingSteps(CDC* pDC, int ox, int oy, CDPoint scale, const std::vector<ResistingStep>& steps,
                                    bool bGroups)
{
    const bool folded = Folded();
    CDimensionLine grey(PS_SOLID, 0, RGB(191, 191, 191), 0);
    grey.SetPenWidth(3);
    // Drawn on the side of its moment: a positive one below the base line.
    auto level = [folded](const ResistingStep& s) { return folded ? s.mr : -s.sign * s.mr; };
    for (size_t d = 0; d < steps.size(); ++d) {
        const ResistingStep& s = steps[d];
        if (d > 0) {
            const ResistingStep& prev = steps[d - 1];
            const bool rise = folded || (bGroups ? int(s.mr) != 0 : prev.sign * s.sign != 0);
            if (rise)
                Line(grey, pDC, CDPoint(s.a, level(prev)), CDPoint(s.a, level(s)), ox, oy, scale);
        }
        Line(grey, pDC, CDPoint(s.a, level(s)), CDPoint(s.b, level(s)), ox, oy, scale);
        // The step's number in an ellipse, on the side away from the base line.
        const CPoint p1 = Logical(ox, oy, scale, s.a, level(s)), p2 = Logical(ox, oy, scale, s.b, level(s));
        const int xc = (p1.x + p2.x) / 2, yc = (p1.y + p2.y) / 2;
        const QString text = AfxFormat("%d", int(d) + 1);
        const bool above = folded || s.sign < 1;
        // Just off its step, on the side away from the base line.
        const int off = above ? kCircleRy + kCircleOff : -kCircleRy - kCircleOff;
        Ask ask{LabelKind::Section, text, CPoint(xc, yc),
                {xc - kCircleRx, yc + off - kCircleRy, xc + kCircleRx, yc + off + kCircleRy}};
        ask.from = std::min(p1.x, p2.x);
        ask.to = std::max(p1.x, p2.x);
        ask.away = above ? 1 : -1;
        m_aAsks.push_back(ask);
    }
}

BOOL CForceView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return PrepareA4Printing(this, pInfo, &m_sizePage);
}

void CForceView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int number = g_nBridgeType == 2 ? 1 : CCalcView::ShownGirder() + 1;
    DrawViewPage(pDC, pInfo, AfxFormat("_断面力図 (G%d主桁)", number));
    const CGirderDesign* g = CCalcView::ShownDesign();
    if (!g)
        return;
    // The girder over 80 % of the width inside the margins, its largest moment over a
    // quarter of the height, both sides of the base line about the middle of the page; less
    // where what else it draws would leave the frame.
    const std::vector<double> supports = SupportPositions(*g);
    const double L = supports.back(), H = 2.0 * g->GetMaxMomentPoint().y;
    const double W = m_sizePage.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const double V = m_sizePage.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    if (!(L > 0.0) || !(H > 0.0) || !(W > 0.0) || !(V > 0.0))
        return;
    const double hs = W / L / 10.0 * 0.8, vs = V / H * 0.5;
    CPoint origin(int(doc->m_nMarginLeft + (W - L * hs * 10.0) / 2.0) - 50, -m_sizePage.cy / 2 + 50);
    CDPoint scale(hs * 10.0, vs);
    Selected<CFont> font(pDC, &m_font);
    FitInto(pDC, ViewPageFrame(), origin, scale);
    // Labels moved off the lines stay on the page; the window's own are not limited.
    GrowForStrays(pDC, ViewPageFrame(), origin, scale);
    DrawDiagram(pDC, origin, scale);
    m_labelFrame = CRect();
}
