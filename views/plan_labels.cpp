#include "views/plan_labels.h"

#include "framework/format.h"
#include "views/drawing_helpers.h"
#include "views/label_layout.h"
#include "views/plan_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <unordered_map>

using namespace plan;

namespace {

// The point of a deck edge square across from girder point g of panel point j: the edge's
// intersection with the panel point's line, moved along the girder, as the lines over the
// supports run skewed.
CDPoint EdgeAcross(const CSpanData& sp, int j, int g, CDPoint edge)
{
    const int n = PanelPoints(sp);
    const CDPoint* p = GirderPoint(sp.m_aPanelPoints[size_t(j)], g);
    const CDPoint* a = GirderPoint(sp.m_aPanelPoints[size_t(std::max(j - 1, 0))], g);
    const CDPoint* b = GirderPoint(sp.m_aPanelPoints[size_t(std::min(j + 1, n - 1))], g);
    if (!p || !a || !b)
        return edge;
    const double dx = b->x - a->x, dy = b->y - a->y, len2 = dx * dx + dy * dy;
    if (len2 < 1e-12)
        return edge;
    const double along = ((edge.x - p->x) * dx + (edge.y - p->y) * dy) / len2;
    return CDPoint(edge.x - along * dx, edge.y - along * dy);
}

// Where a label may stand, going out from a point: first the usual distance, then farther
// out step by step, so that labels crowded at a skewed end stand staggered.
std::vector<CPoint> LabelPlaces(const CPlanTransform& t, CDPoint from, double angle, double r)
{
    std::vector<CPoint> out;
    for (double k : {1.0, 1.75, 2.5, 3.25, 4.0})
        out.push_back(t.Map(Polar(from, angle, r * k)));
    return out;
}

// On a page, where a label keeps its distances whatever the plan's scale, so that a sideways
// page drawn larger puts it as the upright one does: the centres of the cell out from a point
// along the unit direction `dir`, its near side nGap away and its middle dLeast or more, then
// farther out by three quarters of its height a step.
std::vector<CPoint> PagePlaces(CDC* pDC, int nEscapement, const QString& text, CPoint from, CDPoint dir, int nGap,
                               double dLeast = 0.0, int nCount = 5)
{
    const CRect cell = TextCell(pDC, nEscapement, 0, 0, text);
    const double half = (std::fabs(dir.x) * cell.Width() + std::fabs(dir.y) * cell.Height()) / 2.0;
    const double step = 0.75 * pDC->GetTextExtent(text).cy;
    std::vector<CPoint> out;
    for (int k = 0; k < nCount; ++k) {
        const double r = std::max(nGap + half, dLeast) + k * step;
        out.emplace_back(from.x + int(std::lround(dir.x * r)), from.y + int(std::lround(dir.y * r)));
    }
    return out;
}

// The pen and font of the plan's labels, for the life of the scope.
struct LabelPens {
    LabelPens(CDC* pDC, CFont* pFont, COLORREF colour)
        : pen(PS_SOLID, 1, colour), selPen(pDC, &pen), selFont(pDC, pFont)
    {
    }
    CPen pen;
    Selected<CPen> selPen;
    Selected<CFont> selFont;
};

// Beyond a support's square (half 12.5 units) a number stands clear of it; nearer, it only
// touches the square's corner.
constexpr int kClearOfSquare = 14;
constexpr int kNearSquare = 10;
// On a page a girder's name stands 2 mm beyond its end, clear of the square there.
constexpr int kBeyondEnd = 20;
// A cross member's label stands with its middle 2.1 texts out from the member's end, else
// beyond the deck's edge by 0.4 of a text: counted in its text's height, so that a sideways
// page writing larger puts it as the upright one does, whatever either page's scale.
constexpr double kMemberLabelOut = 2.1;
constexpr double kBeyondEdge = 0.4;

// How far a text may run into the one above or below it on the DC: see CPlanLabelLayout.
int TextOverlap(CDC* pDC)
{
    const int dpi = pDC->GetDeviceCaps(LOGPIXELSY);
    const int pixel = dpi > 0 ? int(std::lround(254.0 / dpi)) : 0;
    return std::max(kTouch - pixel, 0);
}

CRect Around(CPoint p, CPoint q)
{
    return CRect(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y));
}

// A leader is short: 15 mm at most.
constexpr int kLongestLeader = 150;

CPoint NearestIn(const CRect& r, CPoint p)
{
    return CPoint(std::clamp(p.x, r.left, r.right), std::clamp(p.y, r.top, r.bottom));
}

double Distance(CPoint a, CPoint b) { return std::hypot(double(a.x - b.x), double(a.y - b.y)); }

// Whether a label in the cell stands nearer the point a than b: by its middle, and by its
// nearest point no farther.
bool Nearer(const CRect& cell, CPoint a, CPoint b)
{
    return Distance(NearestIn(cell, a), a) <= Distance(NearestIn(cell, b), b) + 0.5 &&
           Distance(cell.CenterPoint(), a) < Distance(cell.CenterPoint(), b);
}

} // namespace

// What the plan's labels keep clear of on a page beyond the room's marks: every line the plan
// draws, the plan's texts by a character's gap, and the other things of their kind.
struct CPlanLabelLayout {
    CLabelRoom* room = nullptr;
    CDC* dc = nullptr;
    std::vector<std::pair<CPoint, CPoint>> lines;
    CBuckets lineBuckets;
    std::vector<CRect> texts;
    CBuckets textBuckets;
    std::vector<CPoint> anchors[int(LabelKind::Value) + 1];
    CBuckets anchorBuckets[int(LabelKind::Value) + 1];
    // The labels written or left out, by kind, text and point: a node at a pier both its spans
    // number, a cross member both label, is tried once.
    std::set<std::tuple<int, QString, int, int>> tried;
    // The cross members' labels stand beyond the last girder's edge, the dimension lines
    // taking the first's.
    bool membersBeyondLast = false;
    // How far a text may run into the one above or below it: the touch, less what the device
    // may add to each cell in rounding it to its pixels (a screen's are a quarter millimetre).
    int overlap = kTouch;

    void AddLine(CPoint p, CPoint q)
    {
        lineBuckets.Add(Around(p, q), int(lines.size()));
        lines.emplace_back(p, q);
    }
    void AddLines(const std::vector<CDC::Record>& records);
    // A length's cell reaches a little beyond its ends for the leaders (see NumberEndReach); the
    // node numbers, written last, stand clear of the leaders drawn before them.
    void AddText(const CRect& cell, const QString& text, bool bAlongY, bool bReach = true)
    {
        CRect reach = cell;
        // A unit more where the device's pixels are coarse enough to round it away.
        if (const int ends = bReach ? NumberEndReach(text, cell, bAlongY) : 0; ends > 0) {
            const int by = ends + (overlap < kTouch ? 2 : 1);
            bAlongY ? reach.InflateRect(0, by) : reach.InflateRect(by, 0);
        }
        textBuckets.Add(reach, int(texts.size()));
        texts.push_back(cell);
        reaches.push_back(reach);
    }
    std::vector<CRect> reaches;
    // The outlines of the supports' squares, which a length keeps off its ends as lines.
    std::vector<std::pair<CPoint, CPoint>> marks;
    CBuckets markBuckets;
    void AddAnchor(LabelKind kind, CPoint p)
    {
        anchorBuckets[int(kind)].Add(CRect(p.x, p.y, p.x, p.y), int(anchors[int(kind)].size()));
        anchors[int(kind)].push_back(p);
    }
    // The girders' lines drawn on beyond the bridge's ends, where a node number of another
    // girder would read as on them.
    std::vector<std::tuple<CPoint, CPoint, int>> extensions;
    CBuckets extensionBuckets;
    void AddExtension(CPoint p, CPoint q, int girder)
    {
        extensionBuckets.Add(Around(p, q), int(extensions.size()));
        extensions.emplace_back(p, q, girder);
    }
    bool OnOtherGirder(const CRect& cell, int girder) const
    {
        return extensionBuckets.Any(cell, [&](int i) {
            const auto& [p, q, g] = extensions[size_t(i)];
            return g != girder && SegmentThrough(p, q, cell);
        });
    }
    bool CrossesLine(const CRect& cell) const
    {
        // A line keeps a little farther than the touch: the device rounds the cell it writes.
        return lineBuckets.Any(cell, [&](int i) {
            return SegmentThrough(lines[size_t(i)].first, lines[size_t(i)].second, cell, kTouch - 2);
        });
    }
    // A leader keeps off the plan's texts as their lines do: the device rounds the cells.
    bool CrossesText(CPoint p, CPoint q) const
    {
        return textBuckets.Any(Around(p, q), [&](int i) { return SegmentThrough(p, q, reaches[size_t(i)], kTouch - 2); }) ||
               room->CrossesText(p, q);
    }
    // Along its line a text keeps half its height from the plan's other texts.
    bool KeepsGap(const CRect& cell, bool bAlongY, int nHeight) const
    {
        CRect wide = cell;
        const int gap = nHeight / 2;
        wide.InflateRect(bAlongY ? -overlap : gap, bAlongY ? gap : -overlap);
        return !textBuckets.Any(wide, [&](int i) {
            const CRect& t = texts[size_t(i)];
            return std::min(t.right, wide.right) > std::max(t.left, wide.left) &&
                   std::min(t.bottom, wide.bottom) > std::max(t.top, wide.top);
        });
    }
    // Nothing else of its kind stands nearer the cell than the anchor.
    bool NearestIs(LabelKind kind, const CRect& cell, CPoint anchor) const
    {
        const auto& points = anchors[int(kind)];
        if (points.empty())
            return true;
        const int reach = int(std::max(Distance(NearestIn(cell, anchor), anchor), Distance(cell.CenterPoint(), anchor))) + 2;
        CRect around = cell;
        around.InflateRect(reach, reach);
        return !anchorBuckets[int(kind)].Any(around, [&](int i) {
            const CPoint p = points[size_t(i)];
            return p != anchor && !Nearer(cell, anchor, p);
        });
    }
    // Clear of the lines, marks, texts and frame. A value written at nEscapement may stand on
    // its line: its foot (a sixth of its height) holds no glyphs of digits. A number keeps the
    // lines off its ends along its line besides (see NumberEndReach).
    bool IsClear(const CRect& cell, int nEscapement, int nHeight, bool bOnLine = false,
                 const QString& text = QString()) const
    {
        const bool alongY = (nEscapement / 900) % 2 != 0;
        const double e = nEscapement / 10.0 * kPi / 180.0;
        const double fx = std::sin(e), fy = -std::cos(e);
        CRect ink = cell;
        const int foot = bOnLine ? nHeight / 6 : 0;
        if (fx > 0.5)
            ink.right -= foot;
        else if (fx < -0.5)
            ink.left += foot;
        if (fy > 0.5)
            ink.bottom -= foot;
        else if (fy < -0.5)
            ink.top += foot;
        const int ends = NumberEndReach(text, cell, alongY);
        if (ends > 0) {
            ink.InflateRect(std::fabs(fy) >= 0.5 ? ends + 2 : 0, std::fabs(fx) >= 0.5 ? ends + 2 : 0);
            // A support's square may touch a length across its line, as in the room, but not
            // its ends. The node numbers stand by their squares as the room lets them.
            CRect reach = cell;
            alongY ? reach.InflateRect(-kTouch, ends + 2) : reach.InflateRect(ends + 2, -kTouch);
            if (bOnLine && markBuckets.Any(reach, [&](int i) { return SegmentThrough(marks[size_t(i)].first, marks[size_t(i)].second, reach, 0); }))
                return false;
        }
        return !CrossesLine(ink) && KeepsGap(cell, alongY, nHeight) && room->IsClear(cell, true, alongY, ends);
    }
};

namespace {

// The arcs drawn as the chords of 32 steps along them.
void AddArc(CPlanLabelLayout& layout, const std::vector<int>& a)
{
    const std::vector<CPoint> points = ArcPoints(a, 32);
    for (size_t k = 0; k + 1 < points.size(); ++k)
        layout.AddLine(points[k], points[k + 1]);
}

// Writes a label at the corner, takes its cell and notes it.
void PutLabel(CDC* pDC, CPlanLabelLayout* layout, int nEscapement, CPoint corner, const LabelNote& note)
{
    if (nEscapement % 3600 != 0)
        TextOutTurned(pDC, nEscapement, corner.x, corner.y, note.text);
    else
        pDC->TextOut(corner.x, corner.y, note.text);
    if (CLabelRoom* room = CLabelRoom::Of(pDC))
        room->Take(note.cell, note.text, (nEscapement / 900) % 2 != 0, note.cell);
    if (layout)
        layout->AddText(note.cell, note.text, (nEscapement / 900) % 2 != 0, note.kind != LabelKind::Node);
    NoteLabel(pDC, note);
}

// A leader from the point a label names to the nearest point of its cell.
// Where a leader from the point meets the label's cell: short of a number's ends along its line,
// not to read as a digit or a sign of it.
CPoint LeaderEnd(const CRect& cell, CPoint from, const QString& text)
{
    const bool alongY = cell.Height() > cell.Width();
    CRect reach = cell;
    if (const int ends = NumberEndReach(text, cell, alongY); ends > 0)
        alongY ? reach.InflateRect(0, ends + kTouch) : reach.InflateRect(ends + kTouch, 0);
    return NearestIn(reach, from);
}

void DrawLeader(CDC* pDC, CPlanLabelLayout* layout, CPoint from, const CRect& cell, const QString& text = QString())
{
    const CPoint to = LeaderEnd(cell, from, text);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    Selected<CPen> leader(pDC, &pen);
    pDC->MoveTo(from);
    pDC->LineTo(to);
    if (CLabelRoom* room = CLabelRoom::Of(pDC))
        room->KeepOffLine(from, to);
    if (layout)
        layout->AddLine(from, to);
}

// The end of the cross member at panel point pp nearer the deck edge its label stands beyond,
// the first (0) or the last (1).
CDPoint MemberEnd(const CPanelPointRecord& pp, int edge)
{
    const CDPoint E = pp.m_aptEdge[edge];
    return std::hypot(pp.m_ptLine1.x - E.x, pp.m_ptLine1.y - E.y) <= std::hypot(pp.m_ptLine2.x - E.x, pp.m_ptLine2.y - E.y)
               ? pp.m_ptLine1
               : pp.m_ptLine2;
}

} // namespace

void CPlanLabelLayout::AddLines(const std::vector<CDC::Record>& records)
{
    for (const CDC::Record& r : records) {
        const auto& a = r.args;
        if (r.op == QLatin1String("LineTo") && a.size() >= 4) {
            AddLine(CPoint(a[0], a[1]), CPoint(a[2], a[3]));
        } else if (r.op == QLatin1String("Polyline") || r.op == QLatin1String("Polygon")) {
            for (size_t i = 0; i + 3 < a.size(); i += 2)
                AddLine(CPoint(a[i], a[i + 1]), CPoint(a[i + 2], a[i + 3]));
            if (r.op == QLatin1String("Polygon") && a.size() >= 4)
                AddLine(CPoint(a[a.size() - 2], a[a.size() - 1]), CPoint(a[0], a[1]));
        } else if (r.op == QLatin1String("Arc") && a.size() >= 8) {
            AddArc(*this, a);
        } else if (r.op == QLatin1String("Rectangle") && a.size() >= 4) {
            const CPoint c[] = {{a[0], a[1]}, {a[2], a[1]}, {a[2], a[3]}, {a[0], a[3]}};
            for (int k = 0; k < 4; ++k) {
                markBuckets.Add(Around(c[k], c[(k + 1) % 4]), int(marks.size()));
                marks.emplace_back(c[k], c[(k + 1) % 4]);
            }
        }
    }
}

void CPlanDrawer::KeepLabelsOffMarks(CDC* pDC, CMarivoltenDoc* pDoc, bool bDimensions)
{
    m_pLayout.reset();
    CLabelRoom* room = CLabelRoom::Of(pDC);
    if (!room)
        return;
    if (!m_rcPageText.IsRectEmpty())
        room->Take(m_rcPageText);
    room->KeepOffMarks(ProbeLike(pDC, [&](CDC* probe) {
        DrawSupports(probe, pDoc);
        DrawNodeMarks(probe, pDoc);
    }));
    // And where they can, off the deck's edges.
    room->KeepOffLines(ProbeLike(pDC, [&](CDC* probe) {
        DrawCurbLines(probe, pDoc);
        DrawRailingLines(probe, pDoc);
    }));
    auto layout = std::make_shared<CPlanLabelLayout>();
    layout->room = room;
    layout->dc = pDC;
    layout->overlap = TextOverlap(pDC);
    layout->membersBeyondLast = bDimensions && pDoc->m_bPlanScaleReversed != 1 &&
                                (pDoc->m_bPlanShowSpanLengths == 1 || pDoc->m_bPlanShowPanelLengths == 1);
    const std::vector<CDC::Record> drawn = ProbeLike(pDC, [&](CDC* probe) {
        if (bDimensions) {
            DrawSpanDimensions(probe, pDoc, pDoc->m_bPlanShowSpanLengths);
            DrawPanelDimensions(probe, pDoc, pDoc->m_bPlanShowPanelLengths);
        }
        DrawBaseLine(probe, pDoc);
        DrawGirderLines(probe, pDoc);
        // The supports' lines too: a number's end by one reads as a digit.
        DrawSupports(probe, pDoc);
        DrawCurbLines(probe, pDoc);
        DrawKerbOuterLines(probe, pDoc);
        DrawRailingLines(probe, pDoc);
        DrawCarriagewayLines(probe, pDoc);
        DrawCrossSectionLines(probe, pDoc);
        DrawCrossMembers(probe, pDoc);
    });
    layout->AddLines(drawn);
    // The points the dimension values name, as the probe noted them.
    for (const LabelNote& n : LabelNotes(drawn))
        if (n.kind == LabelKind::Dimension)
            layout->AddAnchor(LabelKind::Dimension, n.anchor);
    const CPlanTransform t = Transform(*pDoc);
    const int spans = BuiltSpans(*pDoc);
    // Each girder's end segments at the bridge's ends drawn on 6 mm.
    for (int end = 0; end < 2 && spans > 0; ++end) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(end == 0 ? 0 : spans - 1)];
        const int n = PanelPoints(sp);
        if (n < 2)
            continue;
        const CPanelPointRecord& a = sp.m_aPanelPoints[size_t(end == 0 ? 0 : n - 1)];
        const CPanelPointRecord& b = sp.m_aPanelPoints[size_t(end == 0 ? 1 : n - 2)];
        for (int g = 0; g < g_nGirders; ++g) {
            const CDPoint *p = GirderPoint(a, g), *q = GirderPoint(b, g);
            if (!p || !q)
                continue;
            const CPoint from = t.Map(*p), inner = t.Map(*q);
            const double len = Distance(from, inner);
            if (len < 1.0)
                continue;
            const double k = 60.0 / len;
            layout->AddExtension(from, CPoint(from.x + int(std::lround((from.x - inner.x) * k)),
                                              from.y + int(std::lround((from.y - inner.y) * k))), g);
        }
    }
    for (int i = 0; i < spans; ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            for (int g = 0; g < g_nGirders && g < int(pp.m_anNodes.size()); ++g)
                if (const CDPoint* p = GirderPoint(pp, g))
                    layout->AddAnchor(LabelKind::Node, t.Map(*p));
            if (!pp.m_anNodes.empty())
                layout->AddAnchor(LabelKind::Member, t.Map(MemberEnd(pp, layout->membersBeyondLast ? 1 : 0)));
        }
    }
    m_pLayout = layout;
}

void CPlanDrawer::KeepInFrame(CDC* pDC, CMarivoltenDoc* pDoc, const CRect& frame)
{
    CPoint origin = m_ptOrigin;
    CDPoint scale(m_dScale, m_dScale);
    const PlacedDrawing bounds = [&](CDC* probe, CPoint o, CDPoint k) {
        CPlanDrawer sized = *this;
        sized.m_pLayout.reset();
        sized.m_bArcsAsChords = true;
        sized.m_ptOrigin = o;
        sized.m_dScale = k.x;
        sized.DrawSpanDimensions(probe, pDoc, pDoc->m_bPlanShowSpanLengths);
        sized.DrawPanelDimensions(probe, pDoc, pDoc->m_bPlanShowPanelLengths);
        sized.DrawGirderLines(probe, pDoc);
        sized.DrawSupports(probe, pDoc);
        sized.DrawGirderLabels(probe, pDoc);
        sized.DrawCrossMemberLabels(probe, pDoc);
        sized.DrawCurbLines(probe, pDoc);
        sized.DrawRailingLines(probe, pDoc);
    };
    // Whether the plan's lines or marks run through the page's own text.
    auto overText = [&](CPoint o, double k) {
        if (m_rcPageText.IsRectEmpty())
            return false;
        const std::vector<CDC::Record> drawn = ProbeLike(pDC, [&](CDC* probe) { bounds(probe, o, CDPoint(k, k)); });
        CDC probe;
        CLabelRoom lines(&probe);
        lines.KeepOffMarks(drawn);
        lines.KeepOffLines(drawn);
        return !lines.IsClear(m_rcPageText);
    };
    FitDrawing(pDC, bounds, frame, false, origin, scale);
    // Below the page's text where it would stand over it.
    CRect fitted = frame;
    if (overText(origin, scale.x)) {
        fitted.top = std::min(frame.top, m_rcPageText.top - 10);
        origin = m_ptOrigin;
        scale = CDPoint(m_dScale, m_dScale);
        FitDrawing(pDC, bounds, fitted, false, origin, scale);
    }
    m_ptOrigin = origin;
    m_dScale = scale.x;
    // Larger, an eighth at a step and centred, while labels that must not be left out find no
    // clear place and the larger plan still fits: the fit leaves a long plan room across.
    auto leftOut = [&](CPoint o, double k) {
        CPlanDrawer sized = *this;
        sized.m_ptOrigin = o;
        sized.m_dScale = k;
        int n = 0;
        for (const LabelNote& note : LabelNotes(ProbeLike(pDC, [&](CDC* probe) {
                 CLabelRoom room(probe, frame);
                 sized.KeepLabelsOffMarks(probe, pDoc, true);
                 sized.DrawPage(probe, pDoc);
             })))
            n += !note.written() && note.kind != LabelKind::Node && note.kind != LabelKind::Member;
        return n;
    };
    int fewest = leftOut(m_ptOrigin, m_dScale);
    // A millimetre in from the frame, as the fit keeps it.
    CRect inside = fitted;
    inside.NormalizeRect();
    inside.DeflateRect(10, 10);
    CPoint o = m_ptOrigin;
    double k = m_dScale;
    for (int step = 0; step < 6 && fewest > 0; ++step) {
        k *= 1.125;
        const CRect b = DrawnBounds(ProbeLike(pDC, [&](CDC* probe) { bounds(probe, o, CDPoint(k, k)); }));
        if (b.Width() > inside.Width() || b.Height() > inside.Height())
            break;
        o.Offset((inside.left + inside.right) / 2 - (b.left + b.right) / 2,
                 (inside.top + inside.bottom) / 2 - (b.top + b.bottom) / 2);
        if (overText(o, k))
            continue;
        if (const int n = leftOut(o, k); n < fewest) {
            fewest = n;
            m_ptOrigin = o;
            m_dScale = k;
        }
    }
    // The lengths a tenth smaller at a step, down to 0.6 of their size.
    const double full = m_dDimensionScale;
    double best = full;
    for (double t = 0.9; t > 0.55 && fewest > 0; t -= 0.1) {
        m_dDimensionScale = full * t;
        if (const int n = leftOut(m_ptOrigin, m_dScale); n < fewest) {
            fewest = n;
            best = m_dDimensionScale;
        }
    }
    m_dDimensionScale = best;
}

CPlanLabelLayout* CPlanDrawer::Layout(CDC* pDC) const
{
    CLabelRoom* room = CLabelRoom::Of(pDC);
    return m_pLayout && room && m_pLayout->room == room && m_pLayout->dc == pDC ? m_pLayout.get() : nullptr;
}

int CPlanDrawer::WriteLabel(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& corners,
                            const QString& text, CPoint anchor, LabelKind kind, int nGirder)
{
    const int esc = TextEscapement(doc);
    CPlanLabelLayout* layout = Layout(pDC);
    if (!layout)
        return WriteClear(pDC, esc, corners, text, anchor, kind);
    if (!layout->tried.insert({int(kind), text, anchor.x, anchor.y}).second)
        return -1;
    const int h = pDC->GetTextExtent(text).cy;
    // A value, never left out, tries its places moved inside the frame last, led back.
    std::vector<CPoint> places = corners;
    if (kind == LabelKind::Dimension || kind == LabelKind::Value)
        for (CPoint c : corners) {
            const CPoint d = layout->room->IntoFrame(TextCell(pDC, esc, c.x, c.y, text));
            if (d != CPoint())
                places.emplace_back(c.x + d.x, c.y + d.y);
        }
    for (size_t i = 0; i < places.size(); ++i) {
        const CRect cell = TextCell(pDC, esc, places[i].x, places[i].y, text);
        if ((nGirder >= 0 && layout->OnOtherGirder(cell, nGirder)) ||
            !layout->IsClear(cell, esc, h, kind == LabelKind::Dimension, text))
            continue;
        // Farther than two and a half texts from what it names it is led back to it, by a
        // leader through no text; so is a value nearer another thing of its kind, which is
        // never left out.
        const CPoint end = NearestIn(cell, anchor);
        const bool nearest = layout->NearestIs(kind, cell, anchor);
        if (!nearest && kind != LabelKind::Dimension)
            continue;
        const bool led = !nearest || Distance(anchor, end) > 2.5 * std::min(cell.Width(), cell.Height());
        if (led && (Distance(anchor, end) > kLongestLeader || layout->CrossesText(anchor, LeaderEnd(cell, anchor, text))))
            continue;
        if (led)
            DrawLeader(pDC, layout, anchor, cell, text);
        PutLabel(pDC, layout, esc, places[i], {kind, text, anchor, cell, int(i), led});
        return int(i);
    }
    NoteLabel(pDC, {kind, text, anchor, CRect(), -1, false});
    return -1;
}

int CPlanDrawer::TextEscapement(const CMarivoltenDoc& doc) const
{
    // Turned with the plan, so that a reader who turns the sheet to read them sees the
    // bridge as on an upright page.
    return m_bTurnedText ? int(Transform(doc).m_dAngle * 10.0) % 3600 : 0;
}

void CPlanDrawer::WriteText(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& corners, const QString& text)
{
    const int esc = TextEscapement(doc);
    CPlanLabelLayout* layout = Layout(pDC);
    if (!layout) {
        WriteClear(pDC, esc, corners, text);
        return;
    }
    // The room knows only the deck's edges: the page's layout keeps it off every line drawn.
    const int h = pDC->GetTextExtent(text).cy;
    std::vector<CPoint> clear;
    for (CPoint c : corners)
        if (layout->IsClear(TextCell(pDC, esc, c.x, c.y, text), esc, h, false, text))
            clear.push_back(c);
    const int taken = clear.empty() ? -1 : WriteClear(pDC, esc, clear, text);
    if (taken >= 0)
        layout->AddText(TextCell(pDC, esc, clear[size_t(taken)].x, clear[size_t(taken)].y, text), text,
                        (esc / 900) % 2 != 0);
}

void CPlanDrawer::DrawCentredText(CDC* pDC, const CMarivoltenDoc& doc, const std::vector<CPoint>& places,
                                  const QString& text, CPoint anchor, LabelKind kind)
{
    const CSize ext = pDC->GetTextExtent(text);
    const int esc = TextEscapement(doc);
    std::vector<CPoint> corners;
    for (CPoint at : places)
        corners.push_back(TurnedCorner(esc, at, CPoint(at.x - ext.cx / 2, at.y + ext.cy / 2)));
    if (kind != LabelKind::None)
        WriteLabel(pDC, doc, corners, text, anchor, kind);
    else
        WriteText(pDC, doc, corners, text);
}

int CPlanDrawer::DrawNodeNumbers(CDC* pDC, CMarivoltenDoc* pDoc)
{
    LabelPens pens(pDC, m_pLabelFont, RGB(192, 192, 192));
    const CPlanTransform t = Transform(*pDoc);
    const int last = g_nGirders - 1;
    // The outer girder whose numbers may stand beyond the deck's edge: not where the cross
    // members' labels stand.
    const CPlanLabelLayout* layout = Layout(pDC);
    const int outer = layout && layout->membersBeyondLast ? 0 : last;
    // The quarter turns of the text.
    const int quarters = ((int(std::lround(TextEscapement(*pDoc) / 900.0)) % 4) + 4) % 4;
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            for (int g = 0; g < g_nGirders && g < int(pp.m_anNodes.size()); ++g) {
                const CDPoint* p = GirderPoint(pp, g);
                if (!p)
                    continue;
                const CPoint at = t.Map(*p);
                // A number stands right of and below its point, between its girder and the next
                // one. Below the last girder runs the deck's edge (below the first in a plan
                // turned over): there the number goes outside the deck, right of and below the
                // edge's point across from its own.
                CPoint place = at;
                if (m_bNumbersBesideDeck && (g == 0 || g == last) && last > 0) {
                    const CPoint edge = t.Map(EdgeAcross(sp, j, g, pp.m_aptEdge[g == 0 ? 0 : 1]));
                    if (edge.y < at.y)
                        place = edge;
                }
                // Where that is taken (a support's square, the other span's number at a pier,
                // a neighbour at a skewed end) beside the point's mark, on any side; an outer
                // girder's number last outside the deck, beyond its edge where the cross
                // members' labels do not stand. The sides turn with the text.
                const QString text = AfxFormat("%d", pp.m_anNodes[size_t(g)]);
                const int esc = TextEscapement(*pDoc);
                std::vector<CPoint> corners{TurnedCorner(esc, place, CPoint(place.x + 5, place.y - 5))};
                auto around = [&](CPoint p, std::initializer_list<int> gaps) {
                    for (int gap : gaps)
                        for (auto [sx, sy] : {std::pair{1, -1}, {1, 1}, {-1, -1}, {-1, 1}, {1, 0}, {-1, 0}, {0, -1},
                                              {0, 1}}) {
                            for (int q = 0; q < quarters; ++q)
                                std::tie(sx, sy) = std::pair{-sy, sx};
                            corners.push_back(CornerBeside(pDC, esc, text, p, gap, sx, sy));
                        }
                };
                around(place, {5, kNearSquare, kClearOfSquare});
                if (place != at)
                    around(at, {5, kNearSquare, kClearOfSquare});
                if (g == outer && last > 0 && !m_bNumbersBesideDeck)
                    around(t.Map(EdgeAcross(sp, j, g, pp.m_aptEdge[g == 0 ? 0 : 1])),
                           {5, kClearOfSquare, 2 * kClearOfSquare});
                WriteLabel(pDC, *pDoc, corners, text, at, LabelKind::Node, g);
            }
        }
    }
    return 1;
}

int CPlanDrawer::DrawLabels(CDC* pDC, CMarivoltenDoc* pDoc)
{
    DrawCrossMemberLabels(pDC, pDoc);
    return DrawGirderLabels(pDC, pDoc);
}

int CPlanDrawer::DrawCrossMemberLabels(CDC* pDC, CMarivoltenDoc* pDoc)
{
    LabelPens pens(pDC, m_pLabelFont, RGB(0, 0, 0));
    const CPlanTransform t = Transform(*pDoc);
    const int spans = BuiltSpans(*pDoc);
    for (int i = 0; i < spans; ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            if (pp.m_anNodes.empty())
                continue;
            const CPlanLabelLayout* layout = Layout(pDC);
            const int edge = layout && layout->membersBeyondLast ? 1 : 0;
            const CDPoint E = pp.m_aptEdge[edge], F = pp.m_aptEdge[1 - edge];
            double a = pp.m_dAngle;
            if (Dot(E, F, Polar(E, a, 2.0)) < 0)
                a -= kPi;
            // Where the line over a station runs out through them, beside it.
            const QString text = AfxFormat("C%d", pp.m_anNodes.front());
            // On a page the label's middle stands a fixed way out from the member's end, where
            // the deck's edge, which lies farther out on a page drawn larger, lets it; else
            // beyond the edge.
            const CPoint end = t.Map(MemberEnd(pp, edge)), at = t.Map(E);
            const CDPoint out = t.Turn(CDPoint(std::cos(a), std::sin(a)));
            std::vector<CPoint> places;
            if (layout) {
                const double h = pDC->GetTextExtent(text).cy;
                const double edgeOut = (at.x - end.x) * out.x + (at.y - end.y) * out.y;
                places = PagePlaces(pDC, TextEscapement(*pDoc), text, at, out, int(std::lround(kBeyondEdge * h)),
                                    kMemberLabelOut * h - edgeOut, 7);
                const CPoint usual(end.x + int(std::lround(out.x * kMemberLabelOut * h)),
                                   end.y + int(std::lround(out.y * kMemberLabelOut * h)));
                if (places.front() != usual)
                    places.insert(places.begin(), usual);
            } else {
                places = LabelPlaces(t, E, a, 2.0);
            }
            const CDPoint side = t.Turn(CDPoint(-std::sin(a), std::cos(a)));
            const CRect cell = TextCell(pDC, TextEscapement(*pDoc), 0, 0, text);
            const double shift = (std::fabs(side.x) * cell.Width() + std::fabs(side.y) * cell.Height()) / 2.0 +
                                 pDC->GetTextExtent(text).cy / 4.0;
            for (size_t k = 0, n = places.size(); k < n; ++k)
                for (double sign : {1.0, -1.0})
                    places.emplace_back(places[k].x + int(std::lround(sign * shift * side.x)),
                                        places[k].y + int(std::lround(sign * shift * side.y)));
            DrawCentredText(pDC, *pDoc, places, text, end, LabelKind::Member);
        }
    }
    return 1;
}

int CPlanDrawer::DrawGirderLabels(CDC* pDC, CMarivoltenDoc* pDoc)
{
    LabelPens pens(pDC, m_pLabelFont, RGB(0, 0, 0));
    const CPlanTransform t = Transform(*pDoc);
    if (BuiltSpans(*pDoc) == 0 || pDoc->m_aSpans.front().m_aPanelPoints.empty())
        return 1;
    const CSpanData& first = pDoc->m_aSpans.front();
    const double a0 = first.m_aPanelPoints.front().m_dAngle;
    const int esc = TextEscapement(*pDoc);
    const bool alongY = (esc / 900) % 2 != 0;
    // Each name stands out from its girder's start, farther out step by step where it is taken.
    struct Name {
        QString text;
        CPoint anchor;
        CDPoint out;        // unit, on the page
        std::vector<CPoint> corners;
        CPoint farAnchor;   // the girder's end at the bridge's far end, and out from it
        CDPoint farOut;
    };
    std::vector<Name> names;
    const CSpanData& last = pDoc->m_aSpans[size_t(BuiltSpans(*pDoc) - 1)];
    // Out from a girder line's end S, away from its other end T, square to the line over the
    // support there (at angle a).
    auto outFrom = [&](CDPoint S, CDPoint T, double a) {
        double b = a + kPi / 2;
        if (Dot(S, T, Polar(S, b, 2.0)) < 0)
            b = a - kPi + kPi / 2;
        return b;
    };
    // Unled, a name stands within two and a half texts of its girder's end.
    auto withinReach = [](const CRect& cell, CPoint anchor) {
        return Distance(NearestIn(cell, anchor), anchor) <= 2.5 * std::min(cell.Width(), cell.Height());
    };
    auto girderLabel = [&](int rec, int number) {
        if (rec >= int(first.m_aGirderLines.size()))
            return;
        const CDPoint S = first.m_aGirderLines[size_t(rec)].m_ptStart, T = first.m_aGirderLines[size_t(rec)].m_ptEnd;
        const double a = outFrom(S, T, a0);
        const QString text = AfxFormat("G%d", number);
        const CSize ext = pDC->GetTextExtent(text);
        Name n{text, t.Map(S), t.Turn(CDPoint(std::cos(a), std::sin(a))), {}, t.Map(S), CDPoint()};
        n.farOut = CDPoint(-n.out.x, -n.out.y);
        if (rec < int(last.m_aGirderLines.size()) && !last.m_aPanelPoints.empty()) {
            const CDPoint E = last.m_aGirderLines[size_t(rec)].m_ptEnd, F = last.m_aGirderLines[size_t(rec)].m_ptStart;
            const double b = outFrom(E, F, last.m_aPanelPoints.back().m_dAngle);
            n.farAnchor = t.Map(E);
            n.farOut = t.Turn(CDPoint(std::cos(b), std::sin(b)));
        }
        std::vector<CPoint> places =
            Layout(pDC) ? PagePlaces(pDC, esc, text, n.anchor, n.out, kBeyondEnd) : LabelPlaces(t, S, a, 2.0);
        auto corner = [&](CPoint at) { return TurnedCorner(esc, at, CPoint(at.x - ext.cx / 2, at.y + ext.cy / 2)); };
        auto within = [&](CPoint at) {
            const CPoint c = corner(at);
            return withinReach(TextCell(pDC, esc, c.x, c.y, text), n.anchor);
        };
        // The steps out may pass the reach by less than a step: the first place beyond it is
        // pulled in to its edge, so that a line across the nearer places (on a skewed end the
        // lengths' line at the bridge's start) leaves the name one more place clear of it.
        for (size_t k = 1; k < places.size(); ++k) {
            if (!within(places[k - 1]) || within(places[k]))
                continue;
            const double step = Distance(places[k], places[k - 1]);
            for (double back = 1.0; back < step; back += 1.0) {
                const CPoint at(places[k].x - int(std::lround(n.out.x * back)),
                                places[k].y - int(std::lround(n.out.y * back)));
                if (within(at)) {
                    places[k] = at;
                    break;
                }
            }
            break;
        }
        for (CPoint at : places)
            n.corners.push_back(corner(at));
        names.push_back(n);
    };
    if (g_nBridgeType == 2)
        girderLabel(1, 1);
    else
        for (int g = 0; g < g_nGirders; ++g)
            girderLabel(g, g + 1);
    if (names.empty())
        return 1;
    CPlanLabelLayout* layout = Layout(pDC);
    CLabelRoom* room = CLabelRoom::Of(pDC);
    const int h = pDC->GetTextExtent(QStringLiteral("G")).cy;
    const int overlap = layout ? layout->overlap : kTouch;
    auto clear = [&](const CRect& cell) {
        return layout ? layout->IsClear(cell, esc, h) : !room || room->IsClear(cell, true, alongY);
    };
    // Apart from the names placed before by a character's gap along their line.
    auto apart = [&](const CRect& cell, const std::vector<CRect>& placed) {
        for (const CRect& c : placed) {
            CRect wide = c;
            wide.InflateRect(alongY ? -overlap : h / 2, alongY ? h / 2 : -overlap);
            if (std::min(cell.right, wide.right) > std::max(cell.left, wide.left) &&
                std::min(cell.bottom, wide.bottom) > std::max(cell.top, wide.top))
                return false;
        }
        return true;
    };

    // At their own places where the names' first places stand apart and every name finds one
    // nearer its girder than any other; farther out only where something else takes the first.
    std::vector<CRect> cells, firsts;
    std::vector<int> places;
    bool crowded = false;
    for (const Name& n : names) {
        const CRect own = TextCell(pDC, esc, n.corners[0].x, n.corners[0].y, n.text);
        crowded = crowded || !apart(own, firsts);
        firsts.push_back(own);
    }
    for (const Name& n : names) {
        if (crowded)
            break;
        const size_t before = cells.size();
        for (size_t i = 0; i < n.corners.size(); ++i) {
            const CRect cell = TextCell(pDC, esc, n.corners[i].x, n.corners[i].y, n.text);
            bool nearest = withinReach(cell, n.anchor);
            for (const Name& other : names)
                nearest = nearest && (&other == &n || Nearer(cell, n.anchor, other.anchor));
            if (nearest && apart(cell, cells) && clear(cell)) {
                cells.push_back(cell);
                places.push_back(int(i));
                break;
            }
        }
        if (cells.size() == before)
            break;
    }
    if (cells.size() == names.size()) {
        for (size_t k = 0; k < names.size(); ++k)
            PutLabel(pDC, layout, esc, names[k].corners[size_t(places[k])],
                     {LabelKind::Girder, names[k].text, names[k].anchor, cells[k], places[k], false});
        return 1;
    }

    // Crowded: the names in a column (a row where the girders spread along the text) beyond the
    // girders' ends, in the girders' order, each led to its girder; where the column would run
    // too far for short leaders, half of them at the bridge's far end.
    const double e = esc / 10.0 * kPi / 180.0;
    const CDPoint along(std::cos(e), std::sin(e)), up(-std::sin(e), std::cos(e));
    auto dot = [](CDPoint p, CDPoint d) { return p.x * d.x + p.y * d.y; };
    struct Placed {
        size_t name;
        CPoint anchor, corner;
        CRect cell;
    };
    // The names `which` stacked beyond the ends `far` or not; whether the place found is clear.
    auto group = [&](const std::vector<size_t>& which, bool far, std::vector<Placed>& chosen) {
        auto anchor = [&](size_t k) { return far ? names[k].farAnchor : names[k].anchor; };
        auto spread = [&](CDPoint d) {
            double lo = 1e300, hi = -1e300;
            for (size_t k : which) {
                const double v = dot(CDPoint(anchor(k).x, anchor(k).y), d);
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
            return std::pair{lo, hi};
        };
        const auto [upLo, upHi] = spread(up);
        const auto [alLo, alHi] = spread(along);
        const bool column = upHi - upLo >= alHi - alLo;
        const CDPoint s = column ? up : along, o = column ? along : up;
        double outward = 0.0;
        for (size_t k : which)
            outward += dot(far ? names[k].farOut : names[k].out, o);
        const double sign = outward >= 0.0 ? 1.0 : -1.0;
        std::vector<size_t> order = which;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return dot(CDPoint(anchor(a).x, anchor(a).y), s) < dot(CDPoint(anchor(b).x, anchor(b).y), s);
        });
        // Sizes along the stack and across it.
        std::vector<CSize> ext(names.size());
        int across = 0, length = 0;
        const int gap = column ? std::max(h / 4, kTouch + 2) : h / 2 + 2;
        for (size_t k : which) {
            const CSize x = pDC->GetTextExtent(names[k].text);
            ext[k] = column ? CSize(x.cy, x.cx) : CSize(x.cx, x.cy);
            length += ext[k].cx + (length > 0 ? gap : 0);
            across = std::max(across, int(ext[k].cy));
        }
        const auto [sLo, sHi] = spread(s);
        double reach = -1e300;
        for (size_t k : which)
            reach = std::max(reach, sign * dot(CDPoint(anchor(k).x, anchor(k).y), o));
        const double usual = layout ? double(kBeyondEnd) : std::max(2.0 * t.m_dScale - across / 2.0, h / 2.0);
        auto stack = [&](double distance, double shift) {
            std::vector<Placed> out;
            double pos = (sLo + sHi) / 2.0 - length / 2.0 + shift;
            const double oc = sign * (reach + distance + across / 2.0);
            for (size_t k : order) {
                const double sc = pos + ext[k].cx / 2.0;
                const CRect c0 = TextCell(pDC, esc, 0, 0, names[k].text);
                const CPoint corner(int(std::lround(s.x * sc + o.x * oc)) - c0.CenterPoint().x,
                                    int(std::lround(s.y * sc + o.y * oc)) - c0.CenterPoint().y);
                out.push_back({k, anchor(k), corner, TextCell(pDC, esc, corner.x, corner.y, names[k].text)});
                pos += ext[k].cx + gap;
            }
            return out;
        };
        auto fits = [&](const std::vector<Placed>& placed) {
            for (const Placed& p : placed) {
                if (!clear(p.cell))
                    return false;
                const CPoint end = NearestIn(p.cell, p.anchor);
                if (Distance(p.anchor, end) > kLongestLeader)
                    return false;
                for (const Placed& q : placed)
                    if (&q != &p && SegmentThrough(p.anchor, end, q.cell))
                        return false;
                if (layout ? layout->CrossesText(p.anchor, end) : room && room->CrossesText(p.anchor, end))
                    return false;
            }
            return true;
        };
        for (int step = 0; step < 8; ++step)
            for (int shift : {0, 1, -1, 2, -2, 3, -3, 4, -4}) {
                std::vector<Placed> placed = stack(usual + step * h / 2.0, shift * h);
                if (fits(placed)) {
                    chosen = std::move(placed);
                    return true;
                }
            }
        chosen = stack(usual, 0.0);
        return false;
    };
    std::vector<size_t> all(names.size());
    for (size_t k = 0; k < all.size(); ++k)
        all[k] = k;
    std::vector<Placed> chosen;
    if (!group(all, false, chosen) && names.size() > 1) {
        const size_t half = (names.size() + 1) / 2;
        std::vector<Placed> near, far;
        if (group(std::vector<size_t>(all.begin(), all.begin() + long(half)), false, near) &&
            group(std::vector<size_t>(all.begin() + long(half), all.end()), true, far)) {
            chosen = near;
            chosen.insert(chosen.end(), far.begin(), far.end());
        } else if (std::vector<Placed> farEnd; group(all, true, farEnd)) {
            // The lengths may take the near end.
            chosen = std::move(farEnd);
        }
    }
    const int place = int(names.front().corners.size());
    for (const Placed& p : chosen) {
        DrawLeader(pDC, layout, p.anchor, p.cell);
        PutLabel(pDC, layout, esc, p.corner, {LabelKind::Girder, names[p.name].text, p.anchor, p.cell, place, true});
    }
    return 1;
}

int CPlanDrawer::DrawBridgeTypeLabel(CDC* pDC, CMarivoltenDoc* pDoc)
{
    if (BuiltSpans(*pDoc) == 0)
        return 1;
    const CSpanData& sp = pDoc->m_aSpans.front();
    if (sp.m_aStations.empty() || sp.m_aPanelPoints.empty())
        return 1;
    const QString text = g_nBridgeType == 0   ? QStringLiteral("鈑桁")
                         : g_nBridgeType == 1 ? QStringLiteral("箱桁")
                                              : QStringLiteral("箱桁(1BOX)");
    const CDPoint B = sp.m_aStations.front().m_ptBase, A = sp.m_aStations.front().m_aptEdge[0][0];
    const double a = sp.m_aPanelPoints.front().m_dAngle;
    const double quarter = 0.7853981633975;
    double toward = a + quarter;
    if (Dot(B, A, Polar(B, toward, 7.0)) < 0)
        toward = a - kPi + quarter;
    // Before the bridge's first end, not over its deck: mirrored in the station's line where
    // it would lean towards the next panel point.
    if (sp.m_aPanelPoints.size() > 1 && Dot(sp.m_aPanelPoints[1].m_ptBase, Polar(B, toward, 7.0), B) > 0)
        toward = 2.0 * a - toward;
    // Nearer the deck where 7 m before it is off the page or taken.
    const CPlanTransform t = Transform(*pDoc);
    std::vector<CPoint> places;
    for (double r : {7.0, 5.0, 3.5, 2.0})
        places.push_back(t.Map(Polar(B, toward, r)));
    // A plan drawn small has its labels within those metres: farther, by texts of the page.
    const double h = pDC->GetTextExtent(text).cy;
    for (double k : {2.0, 3.0, 4.0, 5.5, 7.0})
        if (const double r = k * h / std::max(t.m_dScale, 1e-9); r > 7.0)
            places.push_back(t.Map(Polar(B, toward, r)));
    DrawCentredText(pDC, *pDoc, places, text);
    return 1;
}
