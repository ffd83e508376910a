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

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <optional>

CForceView* g_pForceView = nullptr;

IMPLEMENT_DYNCREATE(CForceView, CScrollView)

namespace {

// A node of a girder lies on a support or a peak within this (m).
constexpr double kPlaceTol = 1e-6;
// A shear change beyond this (tf) between two nodes is a jump the curve does not join.
constexpr double kShearJump = 3.0;
// Curve points per panel of the moment curves.
constexpr int kSplineSteps = 8;
// White round the diagram in the window, in logical units.
constexpr int kMargin = 50;
// A printed diagram keeps this clear of its frame: a text measured on another device may
// come out a little wider.
constexpr int kFrameInset = 20;
// Two tick labels at least this far apart, or the later one is left out.
constexpr int kLabelGap = 4;
// A label at a support starts clear of the axis ticks there, which reach 10 units out, by a
// little more than a quarter of a value's character: nearer, a tick reads as a sign of it.
constexpr int kBesideTick = 18;
// Lines keep this clear of a label's cell (0.1 mm).
constexpr int kLineGap = 1;
// A step's number stands in an ellipse of these half axes, this far off its step.
constexpr int kCircleRx = 26;
constexpr int kCircleRy = 22;
constexpr int kCircleOff = 4;
// A label moved off its place looks for a clear one up to this many text heights from it
// (a leader of some 15 mm at most), in steps of a quarter of one; farther than one from its
// point it is led back to it.
constexpr int kLabelReach = 4;
// A leader may cross the lines this near its point (0.1 mm), which meet there.
constexpr double kLeaderStart = 8.0;
// A leader's own course keeps this clear of the lines (0.1 mm) that run its way within about
// 15 degrees (the sine), not to run along one.
constexpr int kLeaderClear = 3;
constexpr double kAlongSine = 0.25;
// Labels keep half a value's height apart along their line, and a little across it.
constexpr int kValueHeight = 36;
constexpr int kAcrossGap = 4;
// A sideways page turns the upright diagram by this (degrees).
constexpr double kTurn = 270.0;

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

// The font of the value labels, made for a painter and selected while it writes.
class LabelFont {
public:
    explicit LabelFont(CDC* pDC, int nHeight = kValueHeight) : m_dc(pDC)
    {
        m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                          CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
        m_old = pDC->SelectObject(&m_font);
    }
    ~LabelFont() { m_dc->SelectObject(m_old); }
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_old = nullptr;
};

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

bool CForceDrawer::IsTaken(const Taken& cell, int nGap) const
{
    return std::any_of(m_aTaken.begin(), m_aTaken.end(), [&](const Taken& t) {
        return cell.l < t.r + nGap && t.l < cell.r + nGap && cell.b < t.t + nGap && t.b < cell.t + nGap;
    });
}

namespace {

// The lines of a diagram in a grid of small squares, to find those near a cell quickly: a line
// stands in every square its bounds touch, those beyond the grid in its edge squares.
class LineStrips {
public:
    explicit LineStrips(const std::vector<std::pair<CPoint, CPoint>>& lines)
    {
        if (lines.empty())
            return;
        m_x0 = m_y0 = INT_MAX;
        int x1 = INT_MIN, y1 = INT_MIN;
        for (const auto& [p, q] : lines) {
            m_x0 = std::min({m_x0, p.x, q.x});
            x1 = std::max({x1, p.x, q.x});
            m_y0 = std::min({m_y0, p.y, q.y});
            y1 = std::max({y1, p.y, q.y});
        }
        m_nCols = (x1 - m_x0) / kStrip + 1;
        m_nRows = (y1 - m_y0) / kStrip + 1;
        m_cells.resize(size_t(m_nCols) * size_t(m_nRows));
        for (const auto& [p, q] : lines)
            Add(p, q);
    }
    void Add(CPoint p, CPoint q)
    {
        if (m_cells.empty())
            return;
        m_lines.emplace_back(p, q);
        const int i = int(m_lines.size()) - 1;
        Visit(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y),
              [&](std::vector<int>& cell) {
                  cell.push_back(i);
                  return false;
              });
    }
    // Whether a line runs through or touches the rectangle (y up).
    bool Cross(int l, int b, int r, int t) const
    {
        return Any(l, b, r, t, [&](CPoint p, CPoint q) { return Meets(p, q, l, b, r, t); });
    }
    // How many lines run through or touch the rectangle, counted up to `most`.
    int Count(int l, int b, int r, int t, int most) const
    {
        std::vector<int> seen;
        Visit(l, b, r, t, [&](const std::vector<int>& cell) {
            for (int i : cell)
                if (std::find(seen.begin(), seen.end(), i) == seen.end() &&
                    Meets(m_lines[size_t(i)].first, m_lines[size_t(i)].second, l, b, r, t))
                    seen.push_back(i);
            return int(seen.size()) >= most;
        });
        return std::min(int(seen.size()), most);
    }
    // Whether a line runs within d of the point nearly along (dx, dy): one that crosses that
    // way does not.
    bool Along(CPoint p, int d, double dx, double dy) const
    {
        const double n = std::hypot(dx, dy);
        return Near(p, d, [&](CPoint a, CPoint b) {
            const double ex = b.x - a.x, ey = b.y - a.y, e = std::hypot(ex, ey);
            return n <= 0.0 || e <= 0.0 || std::fabs(dx * ey - dy * ex) <= kAlongSine * n * e;
        });
    }
    // Whether a line (that `counts`) runs within d of the point.
    template <typename Counts = bool (*)(CPoint, CPoint)>
    bool Near(CPoint p, int d, Counts counts = [](CPoint, CPoint) { return true; }) const
    {
        return Any(p.x - d, p.y - d, p.x + d, p.y + d, [&](CPoint a, CPoint b) {
            if (!counts(a, b))
                return false;
            const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
            const double t = len > 0.0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0.0;
            return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y) <= d;
        });
    }
    // Whether a line crosses the segment p-q.
    bool Cross(CPoint p, CPoint q) const
    {
        return Any(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y),
                   [&](CPoint a, CPoint b) { return Intersect(p, q, a, b); });
    }
    // Whether the segment p-q runs through or touches the rectangle.
    static bool Meets(CPoint p, CPoint q, int l, int b, int r, int t)
    {
        if (std::max(p.x, q.x) < l || std::min(p.x, q.x) > r || std::max(p.y, q.y) < b || std::min(p.y, q.y) > t)
            return false;
        return SegmentThrough(p, q, CRect(l, b, r, t), 0);
    }

private:
    static bool Intersect(CPoint a, CPoint b, CPoint c, CPoint d)
    {
        auto side = [](CPoint o, CPoint p, CPoint q) {
            const long long v = (long long)(p.x - o.x) * (q.y - o.y) - (long long)(p.y - o.y) * (q.x - o.x);
            return v > 0 ? 1 : v < 0 ? -1 : 0;
        };
        return side(a, b, c) * side(a, b, d) <= 0 && side(c, d, a) * side(c, d, b) <= 0 &&
               std::max(a.x, b.x) >= std::min(c.x, d.x) && std::max(c.x, d.x) >= std::min(a.x, b.x) &&
               std::max(a.y, b.y) >= std::min(c.y, d.y) && std::max(c.y, d.y) >= std::min(a.y, b.y);
    }
    // Calls f with the lines of each square the rectangle touches, until it says done.
    template <typename F>
    void Visit(int l, int b, int r, int t, F f) const { VisitIn(*this, l, b, r, t, f); }
    template <typename F>
    void Visit(int l, int b, int r, int t, F f) { VisitIn(*this, l, b, r, t, f); }
    template <typename Self, typename F>
    static void VisitIn(Self& self, int l, int b, int r, int t, F& f)
    {
        if (self.m_cells.empty())
            return;
        auto col = [&](int x) { return std::clamp((x - self.m_x0) / kStrip, 0, self.m_nCols - 1); };
        auto row = [&](int y) { return std::clamp((y - self.m_y0) / kStrip, 0, self.m_nRows - 1); };
        const int c1 = col(r), r0 = row(b), r1 = row(t);
        for (int c = col(l); c <= c1; ++c)
            for (int k = r0; k <= r1; ++k)
                if (f(self.m_cells[size_t(c) * size_t(self.m_nRows) + size_t(k)]))
                    return;
    }
    // Whether a line of the squares the rectangle touches passes the test.
    template <typename Test>
    bool Any(int l, int b, int r, int t, Test test) const
    {
        bool found = false;
        Visit(l, b, r, t, [&](const std::vector<int>& cell) {
            for (int i : cell)
                if (test(m_lines[size_t(i)].first, m_lines[size_t(i)].second))
                    return found = true;
            return false;
        });
        return found;
    }
    static constexpr int kStrip = 16;
    int m_x0 = 0, m_y0 = 0, m_nCols = 0, m_nRows = 0;
    std::vector<std::pair<CPoint, CPoint>> m_lines;
    std::vector<std::vector<int>> m_cells;
};

double Distance(int l, int b, int r, int t, CPoint p)
{
    return std::hypot(double(p.x - std::clamp(p.x, l, r)), double(p.y - std::clamp(p.y, b, t)));
}

} // namespace

void CForceDrawer::AskValue(CDC* pDC, CPoint p, CPoint usual, const QString& text, bool bOnLine, int side)
{
    const CSize ext = pDC->GetTextExtent(text);
    Ask ask{LabelKind::Value, text, p, {usual.x, usual.y - ext.cy, usual.x + ext.cx, usual.y}};
    ask.side = side;
    ask.onLine = bOnLine;
    m_aAsks.push_back(ask);
}

void CForceDrawer::WriteLabels(CDC* pDC)
{
    if (m_aAsks.empty())
        return;
    LineStrips lines(m_aLines);
    CRect frame = m_labelFrame;
    frame.NormalizeRect();
    if (!frame.IsRectEmpty())
        frame.DeflateRect(kFrameInset, kFrameInset);
    // Where an upright cell lands on the page (top <= bottom).
    auto onPage = [this](const Taken& c) {
        const CPoint a = Place(CPoint(c.l, c.b)), b = Place(CPoint(c.r, c.t));
        return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    };
    // How far lines keep off a value's ends along its line, where they would read as a digit
    // or a sign of it.
    auto ends = [](const Ask& a, const Taken& c) {
        // A step's number stands in its own ring instead.
        if (a.kind != LabelKind::Value)
            return 0;
        const int reach = NumberEndReach(a.text, CRect(c.l, c.b, c.r, c.t), false);
        return reach > 0 ? reach + 1 : 0;
    };
    // A leader's end at the cell: short of a value's ends.
    auto nearest = [&](const Taken& c, const Ask& a) {
        const int e = ends(a, c);
        return CPoint(std::clamp(a.at.x, c.l - e, c.r + e), std::clamp(a.at.y, c.b, c.t));
    };
    const int gap = kValueHeight / 2;
    std::vector<Placed> placed(m_aAsks.size());
    auto near = [gap](const Taken& c, const Taken& t) {
        return c.l < t.r + gap && t.l < c.r + gap && c.b < t.t + kAcrossGap && t.b < c.t + kAcrossGap;
    };
    // A value beside a support on the other side of it than its span's: only led (see anySide).
    auto offSide = [](const Ask& a, const Taken& c) {
        return (a.side > 0 && c.l <= a.at.x) || (a.side < 0 && c.r >= a.at.x);
    };
    // A value with no place on its span's side of its support (a span narrower than the value)
    // may stand beyond the support or over and under the lines, led back to its point.
    bool anySide = false;
    // Only the places beyond the support: those on its own side have been tried at that size.
    bool offOnly = false;
    // Whether ask i may stand in cell c, led back to its point or not: 1, or 2 where its leader
    // crosses lines, which it may only where no other is clear (or with `crossing`). With `evict`, the values at their
    // own places that it would meet go there instead of keeping it out, or with `evictNumbers` the numbers it or its
    // leader would meet. `over` 1: over the lines; 2: its leader across texts too.
    auto fits = [&](size_t i, const Taken& c, bool led, bool crossing = false, std::vector<size_t>* evict = nullptr,
                    int over = 0, bool evictNumbers = false) -> int {
        const Ask& a = m_aAsks[i];
        if (a.kind == LabelKind::Value && (c.l < m_nAxisX || (offSide(a, c) && (!anySide || !led))))
            return 0;
        // The frame and the lines first: on a crowded diagram they keep out most places.
        if (!frame.IsRectEmpty()) {
            const CRect d = onPage(c);
            if (d.left < frame.left || d.right > frame.right || d.top < frame.top || d.bottom > frame.bottom)
                return 0;
        }
        if (over == 0 && lines.Cross(c.l - kLineGap - ends(a, c), c.b - kLineGap, c.r + kLineGap + ends(a, c),
                                     c.t + kLineGap))
            return 0;
        if (std::any_of(m_aTaken.begin(), m_aTaken.end(), [&](const Taken& t) { return near(c, t); }))
            return 0;
        if (evict)
            evict->clear();
        for (size_t j = 0; j < placed.size(); ++j) {
            if (j == i || placed[j].place < 0 || !near(c, placed[j].cell))
                continue;
            if (!evict || (evictNumbers ? m_aAsks[j].kind != LabelKind::Section
                                        : m_aAsks[j].kind != LabelKind::Value || placed[j].place != 0))
                return 0;
            evict->push_back(j);
        }
        if (led) {
            // Its leader runs through no text, and crosses no line once off the lines at its point.
            const CPoint end = nearest(c, a);
            const double len = std::hypot(double(end.x - a.at.x), double(end.y - a.at.y));
            const double k = std::min(1.0, kLeaderStart / std::max(len, 1.0));
            const CPoint from(a.at.x + int(std::lround((end.x - a.at.x) * k)),
                              a.at.y + int(std::lround((end.y - a.at.y) * k)));
            auto meets = [&](const Taken& t) { return LineStrips::Meets(a.at, end, t.l, t.b, t.r, t.t); };
            const bool across = !crossing && lines.Cross(from, end);
            // Nor runs along one, where it would not show: down its support's line least of all.
            const int mid = from.x + (end.x - from.x) / 2;
            if (a.onLine && std::abs(mid - a.at.x) <= 2 * kLeaderClear)
                return 0;
            for (const double f : {0.25, 0.5, 0.75}) {
                const CPoint m(from.x + int(std::lround((end.x - from.x) * f)),
                               from.y + int(std::lround((end.y - from.y) * f)));
                if (lines.Along(m, kLeaderClear, end.x - from.x, end.y - from.y))
                    return 0;
            }
            if (over >= 2)
                return across ? 2 : 1;
            if (std::any_of(m_aTaken.begin(), m_aTaken.end(), meets))
                return 0;
            for (size_t j = 0; j < placed.size(); ++j) {
                if (j == i || placed[j].place < 0)
                    continue;
                // Nor ends by a value's first or last character.
                Taken reach = placed[j].cell;
                const int e = ends(m_aAsks[j], reach);
                reach.l -= e;
                reach.r += e;
                if (!meets(reach))
                    continue;
                if (!evictNumbers || !evict || m_aAsks[j].kind != LabelKind::Section)
                    return 0;
                if (std::find(evict->begin(), evict->end(), j) == evict->end())
                    evict->push_back(j);
            }
            return across ? 2 : 1;
        }
        // Nearer its own point than any other of its kind.
        const double own = Distance(c.l, c.b, c.r, c.t, a.at) + 2.0, own2 = own * own;
        for (const Ask& other : m_aAsks) {
            if (other.kind != a.kind || other.at == a.at)
                continue;
            const double dx = other.at.x - std::clamp(other.at.x, c.l, c.r);
            const double dy = other.at.y - std::clamp(other.at.y, c.b, c.t);
            if (dx * dx + dy * dy <= own2)
                return 0;
        }
        return 1;
    };
    auto take = [&](size_t i, const Taken& c, int place, bool led) {
        placed[i] = {c, place, led};
        if (led)
            lines.Add(m_aAsks[i].at, nearest(c, m_aAsks[i]));
    };
    // Each at its own place where that is clear, the values first.
    for (const LabelKind kind : {LabelKind::Value, LabelKind::Section})
        for (size_t i = 0; i < m_aAsks.size(); ++i)
            if (m_aAsks[i].kind == kind && fits(i, m_aAsks[i].usual, false) == 1)
                take(i, m_aAsks[i].usual, 0, false);
    // The others at the clear place nearest their own: off it and near their point, a value
    // anywhere round it, a number along its step or farther off it.
    struct Try {
        double cost;
        Taken cell;
        bool led;
    };
    std::vector<Try> tries;
    // A number moved off for a value lays out again, but moves no value off in turn.
    bool relaying = false;
    std::function<void(size_t)> layOut = [&](size_t i) {
        const Ask& a = m_aAsks[i];
        const LabelKind kind = a.kind;
        anySide = offOnly = false;
        const Taken& u = a.usual;
        const int w = u.r - u.l, h = u.t - u.b;
        // The cell the places are tried round: the label's own, or a smaller one there.
        Taken base = u;
        auto add = [&](int dx, int dy, double farOff) {
            const Taken c{base.l + dx, base.b + dy, base.r + dx, base.t + dy};
            const bool off = offSide(a, c);
            if ((off && !anySide) || (!off && offOnly) || (kind == LabelKind::Value && c.l < m_nAxisX))
                return;
            const double d = Distance(c.l, c.b, c.r, c.t, a.at);
            // Off its side far enough for its leader to show.
            if (d <= farOff && (!off || d >= (base.t - base.b) / 2))
                tries.push_back({d + 0.25 * std::hypot(double(dx), double(dy)), c, off || d > base.t - base.b});
        };
        // A value's places round its own, out to `reach`, nearest first.
        auto around = [&](int step, int reach) {
            tries.clear();
            const int bw = base.r - base.l, bh = base.t - base.b;
            for (int dy = -(reach + bh) / step * step; dy <= reach + bh; dy += step)
                for (int dx = -(reach + bw) / step * step; dx <= reach + bw; dx += step)
                    if (dx != 0 || dy != 0)
                        add(dx, dy, reach);
            std::stable_sort(tries.begin(), tries.end(),
                             [](const Try& x, const Try& y) { return x.cost < y.cost; });
        };
        tries.clear();
        if (kind == LabelKind::Value) {
            around(std::max(2, h / 4), kLabelReach * h);
        } else {
            // Along its step, and off a short one far enough to clear a support's line.
            const int step = std::max(2, h / 8);
            const int slide = std::max((a.to - a.from) / 2 - w / 2, w / 2 + 2 * step) / step * step;
            for (int off = 0; off <= 2 * h; off += step)
                for (int dx = -slide; dx <= slide; dx += step)
                    if (dx != 0 || off != 0)
                        add(dx, a.away * off, 3.0 * h);
            std::stable_sort(tries.begin(), tries.end(),
                             [](const Try& x, const Try& y) { return x.cost < y.cost; });
        }
        // The first of the tries that fits, else the first whose leader crosses lines.
        auto firstFit = [&]() {
            size_t second = tries.size();
            for (size_t k = 0; k < tries.size(); ++k) {
                const int f = fits(i, tries[k].cell, tries[k].led);
                if (f == 1)
                    return k;
                if (f == 2 && second == tries.size())
                    second = k;
            }
            return second;
        };
        // The first of the tries clear but for numbers, which go round their steps again; not
        // where one of them then finds no place. Its place index counts from `first`.
        auto takeMoving = [&](int first) {
            const std::vector<Try> cands = tries;
            const bool wasAny = anySide, wasOff = offOnly;
            std::vector<size_t> moved;
            for (const int want : {1, 2}) {
                for (size_t k = 0; k < cands.size() && placed[i].place < 0; ++k) {
                    if (fits(i, cands[k].cell, cands[k].led, false, &moved, 0, true) != want || moved.empty())
                        continue;
                    const std::vector<Placed> before = placed;
                    const LineStrips linesBefore = lines;
                    for (size_t j : moved)
                        placed[j] = Placed();
                    take(i, cands[k].cell, first + int(k), cands[k].led);
                    relaying = true;
                    for (size_t j : std::vector<size_t>(moved))
                        layOut(j);
                    relaying = false;
                    if (std::any_of(moved.begin(), moved.end(), [&](size_t j) { return placed[j].place < 0; })) {
                        placed = before;
                        lines = linesBefore;
                    }
                }
                if (placed[i].place >= 0)
                    break;
            }
            anySide = wasAny;
            offOnly = wasOff;
        };
        if (const size_t k = firstFit(); k < tries.size())
            take(i, tries[k].cell, int(k) + 1, tries[k].led);
        const int tried = int(tries.size());
        // A number with no place of its own takes that of values, which have more places to
        // go to, and they go there.
        std::vector<size_t> evicted;
        for (size_t k = 0; k <= tries.size() && kind == LabelKind::Section && !relaying && placed[i].place < 0;
             ++k) {
            const Taken& c = k == 0 ? u : tries[k - 1].cell;
            const bool led = k > 0 && tries[k - 1].led;
            if (fits(i, c, led, false, &evicted) == 1) {
                for (size_t j : evicted)
                    placed[j] = Placed();
                take(i, c, int(k), led);
            }
        }
        // A number still with no place stands anywhere round its step, led to it; in finer
        // steps where that finds none, to stand in a gap between risers; else where other
        // numbers stand, which go round their steps again.
        for (const int part : {4, 8}) {
            if (kind != LabelKind::Section || placed[i].place >= 0)
                break;
            around(std::max(2, h / part), kLabelReach * kValueHeight);
            if (const size_t k = firstFit(); k < tries.size())
                take(i, tries[k].cell, 2 * tried + int(k) + 1, tries[k].led);
        }
        if (kind == LabelKind::Section && placed[i].place < 0 && !relaying) {
            around(std::max(2, h / 4), kLabelReach * kValueHeight);
            takeMoving(2 * tried + 1);
        }
        // A value with no place clear of the lines near by is written smaller, on the same side
        // of its point; one beside a support with none on its span's side stands beyond the
        // support or over or under the lines, led back to its point, at its size or smaller.
        // Half as high at last, where nothing else is clear of the lines.
        struct Pass {
            bool any;
            std::vector<int> heights;
        };
        const Pass passes[] = {{false, {kValueHeight * 4 / 5, kValueHeight * 2 / 3}},
                               {true, {kValueHeight, kValueHeight * 4 / 5, kValueHeight * 2 / 3}},
                               {true, {kValueHeight / 2}}};
        for (const Pass& pass : passes) {
            if (kind != LabelKind::Value || placed[i].place >= 0)
                break;
            // A value with no side has tried its size on every side already.
            if (pass.any && a.side == 0 && pass.heights.front() == kValueHeight)
                continue;
            anySide = pass.any && a.side != 0;
            for (const int height : pass.heights) {
                if (placed[i].place >= 0)
                    continue;
                offOnly = anySide && height != kValueHeight / 2;
                CSize ext;
                {
                    const LabelFont small(pDC, height);
                    ext = pDC->GetTextExtent(a.text);
                }
                base.l = u.r < a.at.x ? u.r - ext.cx : u.l > a.at.x ? u.l : (u.l + u.r - ext.cx) / 2;
                base.b = u.t < a.at.y ? u.t - ext.cy : u.b > a.at.y ? u.b : (u.b + u.t - ext.cy) / 2;
                base.r = base.l + ext.cx;
                base.t = base.b + ext.cy;
                // In steps of a quarter of the smaller text, no finer than a quarter of the
                // value's own at half its size: the places tried stay as many.
                around(std::max({2, ext.cy / 4, h / 6}), kLabelReach * h);
                if (const size_t k = firstFit(); k < tries.size()) {
                    take(i, tries[k].cell, tried + int(k) + 1, tries[k].led);
                    placed[i].height = height == kValueHeight ? 0 : height;
                }
            }
        }
        offOnly = false;
        if (kind == LabelKind::Value && placed[i].place < 0) {
            base = u;
            around(std::max(2, h / 4), kLabelReach * h);
        }
        // A value with no place clear of the lines but where numbers stand takes it, and they
        // go round their steps again; not where one of them then finds no place.
        if (kind == LabelKind::Value && placed[i].place < 0 && !relaying) {
            takeMoving(tried + 1);
            if (placed[i].place < 0) {
                base = u;
                around(std::max(2, h / 4), kLabelReach * h);
            }
        }
        // A value the diagram shows is never left out: with no place clear of the lines near by
        // it stands over them clear of the texts, farther off where it must, its leader across
        // texts at worst, else at its own, right of the axis, where the numbers give way.
        // Over the fewest lines, the nearest first.
        int fewest = INT_MAX;
        size_t best = 0;
        for (size_t k = 0; k < tries.size() && kind == LabelKind::Value && placed[i].place < 0 && fewest > 1;
             ++k) {
            const Taken& c = tries[k].cell;
            if (fits(i, c, tries[k].led, true, nullptr, 1) != 1)
                continue;
            const int n = lines.Count(c.l - kLineGap, c.b - kLineGap, c.r + kLineGap, c.t + kLineGap, fewest);
            if (n < fewest) {
                fewest = n;
                best = k;
            }
        }
        if (fewest < INT_MAX)
            take(i, tries[best].cell, tried + int(best) + 1, tries[best].led);
        if (placed[i].place < 0 && kind == LabelKind::Value) {
            around(h, 3 * kLabelReach * h);
            for (const int over : {1, 2})
                for (size_t k = 0; k < tries.size() && placed[i].place < 0; ++k)
                    if (fits(i, tries[k].cell, tries[k].led, true, nullptr, over) == 1)
                        take(i, tries[k].cell, 2 * tried + int(k) + 1, tries[k].led);
        }
        if (placed[i].place < 0 && kind == LabelKind::Value) {
            Taken c = u;
            const int dx = std::max(0, m_nAxisX - c.l);
            c.l += dx;
            c.r += dx;
            for (size_t j = 0; j < placed.size(); ++j)
                if (m_aAsks[j].kind == LabelKind::Section && placed[j].place >= 0 && near(c, placed[j].cell))
                    placed[j] = Placed();
            take(i, c, 3 * tried + 1, false);
        }
    };
    for (const LabelKind kind : {LabelKind::Section, LabelKind::Value})
        for (size_t i = 0; i < m_aAsks.size(); ++i)
            if (m_aAsks[i].kind == kind && placed[i].place < 0)
                layOut(i);

    const int esc = m_bTurned ? CDimensionLine::TurnedEscapement(kTurn) : 0;
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    auto lead = [&](size_t i) {
        if (!placed[i].led)
            return;
        Selected<CPen> pen(pDC, &black);
        pDC->MoveTo(Place(m_aAsks[i].at));
        pDC->LineTo(Place(nearest(placed[i].cell, m_aAsks[i])));
    };
    // The numbers in their circles, in the font of the axis.
    for (size_t i = 0; i < m_aAsks.size(); ++i) {
        const Ask& a = m_aAsks[i];
        if (a.kind != LabelKind::Section)
            continue;
        const Placed& p = placed[i];
        if (p.place < 0) {
            NoteLabel(pDC, {a.kind, a.text, Place(a.at), CRect(), 0, false});
            continue;
        }
        const CRect e = onPage(p.cell);
        pDC->Ellipse(e.left, e.top, e.right, e.bottom);
        if (CLabelRoom* room = CLabelRoom::Of(pDC))
            room->Take(e);
        const CSize ext = pDC->GetTextExtent(a.text);
        Write(pDC, (p.cell.l + p.cell.r) / 2 - ext.cx / 2, (p.cell.b + p.cell.t) / 2 + ext.cy / 2, a.text);
        lead(i);
        NoteLabel(pDC, {a.kind, a.text, Place(a.at), e, p.place, p.led});
    }
    const LabelFont font(pDC);
    for (size_t i = 0; i < m_aAsks.size(); ++i) {
        const Ask& a = m_aAsks[i];
        if (a.kind != LabelKind::Value)
            continue;
        const Placed& p = placed[i];
        std::optional<LabelFont> small;
        if (p.height > 0)
            small.emplace(pDC, p.height);
        const CPoint at = Place(CPoint(p.cell.l, p.cell.t));
        if (m_bTurned)
            TextOutTurned(pDC, esc, at.x, at.y, a.text);
        else
            pDC->TextOut(at.x, at.y, a.text);
        const CRect cell = TextCell(pDC, esc, at.x, at.y, a.text);
        if (CLabelRoom* room = CLabelRoom::Of(pDC))
            room->Take(cell, a.text, m_bTurned != 0, cell);
        lead(i);
        NoteLabel(pDC, {a.kind, a.text, Place(a.at), cell, p.place, p.led});
    }
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
    DrawDiagram(pDC, m_ptOrigin, CDPoint(doc->m_dForceHScale * 10.0, doc->m_dForceVScale));
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

void CForceDrawer::FitInto(CDC* pLike, const CRect& frame, CPoint& origin, CDPoint& scale)
{
    const int left = std::min(frame.left, frame.right) + kFrameInset;
    const int right = std::max(frame.left, frame.right) - kFrameInset;
    const int bottom = std::min(frame.top, frame.bottom) + kFrameInset;
    const int top = std::max(frame.top, frame.bottom) - kFrameInset;
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
    m_labelFrame = ViewPageFrame();
    DrawDiagram(pDC, origin, scale);
    m_labelFrame = CRect();
}
