#include "views/force_labels.h"

#include "views/dimension_line.h"
#include "views/drawing_helpers.h"
#include "views/force_view.h"
#include "views/label_layout.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

using namespace force;

namespace {

// Lines keep this clear of a label's cell (0.1 mm).
constexpr int kLineGap = 1;
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
        m_nOwn = m_lines.size();
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
    // The lines added and taken off so far, to undo what follows (see Undo).
    struct Marked {
        size_t lines, dropped;
    };
    Marked Mark() const { return {m_lines.size(), m_dropped.size()}; }
    // The number the next line added gets.
    int Next() const { return int(m_lines.size()); }
    // Takes an added line off (the leader of a label gone elsewhere): it stands far off the
    // diagram, where nothing meets it, its number kept in its squares.
    void Drop(int i)
    {
        if (i < int(m_nOwn) || size_t(i) >= m_lines.size())
            return;
        m_dropped.emplace_back(i, m_lines[size_t(i)]);
        m_lines[size_t(i)] = {CPoint(kGone, kGone), CPoint(kGone, kGone)};
    }
    // Takes the lines added since `mark` off and puts back those dropped since, leaving the
    // squares as they were then: a line's number stands last in each of its squares.
    void Undo(Marked mark)
    {
        for (; m_dropped.size() > mark.dropped; m_dropped.pop_back())
            m_lines[size_t(m_dropped.back().first)] = m_dropped.back().second;
        while (m_lines.size() > mark.lines) {
            const auto [p, q] = m_lines.back();
            const int i = int(m_lines.size()) - 1;
            Visit(std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y),
                  [&](std::vector<int>& cell) {
                      if (!cell.empty() && cell.back() == i)
                          cell.pop_back();
                      return false;
                  });
            m_lines.pop_back();
        }
    }
    // Whether a line runs through or touches the rectangle (y up).
    bool Cross(int l, int b, int r, int t) const
    {
        return Any(l, b, r, t, [&](CPoint p, CPoint q) { return Meets(p, q, l, b, r, t); });
    }
    // The same for the lines it was made with, which stay, or for those added since (leaders).
    bool CrossOwn(int l, int b, int r, int t) const
    {
        // A square lists its own lines first, those added after them.
        bool found = false;
        Visit(l, b, r, t, [&](const std::vector<int>& cell) {
            for (auto it = cell.begin(); it != cell.end() && size_t(*it) < m_nOwn; ++it)
                if (Meets(m_lines[size_t(*it)].first, m_lines[size_t(*it)].second, l, b, r, t))
                    return found = true;
            return false;
        });
        return found;
    }
    bool CrossAdded(int l, int b, int r, int t) const
    {
        // A square lists the lines added after its own.
        bool found = false;
        Visit(l, b, r, t, [&](const std::vector<int>& cell) {
            for (auto it = cell.rbegin(); it != cell.rend() && size_t(*it) >= m_nOwn; ++it)
                if (Meets(m_lines[size_t(*it)].first, m_lines[size_t(*it)].second, l, b, r, t))
                    return found = true;
            return false;
        });
        return found;
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
            const double ex = b.x - a.x, ey = b.y - a.y;
            if (n <= 0.0 || (ex == 0.0 && ey == 0.0))
                return true;
            // Squares decide all but the near ties without a root, as the root would.
            const double cross = std::fabs(dx * ey - dy * ex), bound = kAlongSine * n;
            const double lhs = cross * cross, rhs = bound * bound * (ex * ex + ey * ey);
            if (lhs < rhs * (1.0 - 1e-9))
                return true;
            if (lhs > rhs * (1.0 + 1e-9))
                return false;
            return cross <= bound * std::hypot(ex, ey);
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
            const double rx = a.x + t * dx - p.x, ry = a.y + t * dy - p.y, r2 = rx * rx + ry * ry;
            // Well within or beyond d the square tells without a root (and is no near tie).
            if (r2 > double(d + 1) * (d + 1))
                return false;
            if (d >= 1 && r2 < double(d - 1) * (d - 1))
                return true;
            const double r = std::hypot(rx, ry);
            // To an end, or from a line along or across the page, it comes out whole wherever the
            // points stand; from a slanting one to within the rounding of where they stand.
            if (m_pClose && dx != 0.0 && dy != 0.0 && t > 0.0 && t < 1.0 && std::fabs(r - d) < 1e-9)
                *m_pClose = true;
            return r <= d;
        });
    }
    // Told where a distance comes within a hair of its limit (see CForceDrawer::LabelTrace).
    void TellClose(bool* pClose) { m_pClose = pClose; }
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
    // Whether the segments a-b and c-d cross or touch.
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

private:
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
    // Far off any diagram, yet near enough that differences of points stay within an int.
    static constexpr int kGone = -(1 << 28);
    std::vector<std::pair<int, std::pair<CPoint, CPoint>>> m_dropped;  // a line's number, and where it stood
    bool* m_pClose = nullptr;
    int m_x0 = 0, m_y0 = 0, m_nCols = 0, m_nRows = 0;
    size_t m_nOwn = 0;  // the lines it was made with
    std::vector<std::pair<CPoint, CPoint>> m_lines;
    std::vector<std::vector<int>> m_cells;
};

double Distance(int l, int b, int r, int t, CPoint p)
{
    return std::hypot(double(p.x - std::clamp(p.x, l, r)), double(p.y - std::clamp(p.y, b, t)));
}

} // namespace

struct CForceDrawer::SpotCache {
    // A place tried, by its step from the cell, whether it is led, and what is known of it (see
    // LayOutLabels); kept with nothing known.
    struct Spot {
        int dx, dy;
        bool led;
        std::uint8_t known;
    };
    // By the point's place from the cell's left and bottom, the cell's width and height, the
    // step, the reach, anySide, offOnly, the side and the axis from the cell's left.
    std::map<std::array<int, 9>, std::vector<Spot>> byKey;
};

bool CForceDrawer::IsTaken(const Taken& cell, int nGap) const
{
    return std::any_of(m_aTaken.begin(), m_aTaken.end(), [&](const Taken& t) {
        return cell.l < t.r + nGap && t.l < cell.r + nGap && cell.b < t.t + nGap && t.b < cell.t + nGap;
    });
}

void CForceDrawer::AskValue(CDC* pDC, CPoint p, CPoint usual, const QString& text, bool bOnLine, int side)
{
    const CSize ext = pDC->GetTextExtent(text);
    Ask ask{LabelKind::Value, text, p, {usual.x, usual.y - ext.cy, usual.x + ext.cx, usual.y}};
    ask.side = side;
    ask.onLine = bOnLine;
    m_aAsks.push_back(ask);
}

int CForceDrawer::ValueEnds(const Ask& a, const Taken& c)
{
    return a.kind == LabelKind::Value && IsNumber(a.text) ? NumberEnds(a.text.size(), c) : 0;
}

int CForceDrawer::NumberEnds(qsizetype nChars, const Taken& c)
{
    if (nChars <= 0)
        return 0;
    const int reach = NumberEndReach(std::abs(c.r - c.l), nChars);
    return reach > 0 ? reach + 1 : 0;
}

CPoint CForceDrawer::LeaderEnd(const Taken& c, const Ask& a)
{
    return LeaderEnd(c, a.at, ValueEnds(a, c));
}

CPoint CForceDrawer::LeaderEnd(const Taken& c, CPoint at, int nEnds)
{
    return CPoint(std::clamp(at.x, c.l - nEnds, c.r + nEnds), std::clamp(at.y, c.b, c.t));
}

std::vector<CForceDrawer::Placed> CForceDrawer::LayOutLabels(CDC* pDC, const CRect& frame, bool shown,
                                                             LabelTrace& trace)
{
    LineStrips lines(m_aLines);
    lines.TellClose(&trace.close);
    // Where an upright cell lands on the page (top <= bottom).
    auto onPage = [this](const Taken& c) {
        const CPoint a = Place(CPoint(c.l, c.b)), b = Place(CPoint(c.r, c.t));
        return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    };
    // The characters of each value that is a number (0: none), read once.
    std::vector<qsizetype> numberChars(m_aAsks.size());
    for (size_t j = 0; j < m_aAsks.size(); ++j)
        if (m_aAsks[j].kind == LabelKind::Value && IsNumber(m_aAsks[j].text))
            numberChars[j] = m_aAsks[j].text.size();
    auto ends = [&](size_t j, const Taken& c) { return NumberEnds(numberChars[j], c); };
    auto nearest = [&](const Taken& c, size_t j) { return LeaderEnd(c, m_aAsks[j].at, ends(j, c)); };
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
    // A place a label tries: its cell, whether it is led back to its point, and what is known of
    // it for good (see fits), kept with the places tried round a label's own (null: nothing).
    struct Try {
        Taken cell;
        bool led;
        std::uint8_t* known = nullptr;
    };
    // What stays through the layout keeps a place out for good, found once for a place tried again:
    // the frame or the texts written before, and the diagram's own lines (the leaders drawn
    // come and go).
    enum : std::uint8_t { kOutFrame = 1, kOutLines = 2, kKnowFrame = 4, kKnowLines = 8 };
    // Whether ask i may stand in the try's cell, led back to its point or not: 1, or 2 where its leader
    // crosses lines, which it may only where no other is clear (or with `crossing`). With `evict`, the values at their
    // own places that it would meet go there instead of keeping it out, or with `evictNumbers` the numbers it or its
    // leader would meet. `over` 1: over the lines; 2: its leader across texts too.
    // Whether what stays keeps ask i out of the try's cell: the frame or the texts, or with `over`
    // 0 the diagram's own lines.
    auto keptOut = [&](size_t i, const Try& at, int over) {
        const Taken& c = at.cell;
        std::uint8_t once = 0;
        std::uint8_t& known = at.known ? *at.known : once;
        if (!(known & kKnowFrame)) {
            known |= kKnowFrame;
            if (!frame.IsRectEmpty()) {
                const CRect d = onPage(c);
                if (d.left < frame.left || d.right > frame.right || d.top < frame.top || d.bottom > frame.bottom)
                    known |= kOutFrame;
            }
            if (std::any_of(m_aTaken.begin(), m_aTaken.end(), [&](const Taken& t) { return near(c, t); }))
                known |= kOutFrame;
        }
        if (known & kOutFrame)
            return true;
        if (over == 0 && !(known & kKnowLines)) {
            known |= kKnowLines;
            const int e = ends(i, c);
            if (lines.CrossOwn(c.l - kLineGap - e, c.b - kLineGap, c.r + kLineGap + e, c.t + kLineGap))
                known |= kOutLines;
        }
        return over == 0 && (known & kOutLines);
    };
    auto fits = [&](size_t i, const Try& at, bool crossing = false, std::vector<size_t>* evict = nullptr,
                    int over = 0, bool evictNumbers = false) -> int {
        const Taken& c = at.cell;
        const bool led = at.led;
        const Ask& a = m_aAsks[i];
        if (a.kind == LabelKind::Value && (c.l < m_nAxisX || (offSide(a, c) && (!anySide || !led))))
            return 0;
        // The frame and the lines first: on a crowded diagram they keep out most places.
        if (keptOut(i, at, over))
            return 0;
        if (over == 0) {
            const int e = ends(i, c);
            if (lines.CrossAdded(c.l - kLineGap - e, c.b - kLineGap, c.r + kLineGap + e, c.t + kLineGap))
                return 0;
        }
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
            const CPoint end = nearest(c, i);
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
                const int e = ends(j, reach);
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
    // A cell whose fit decided where a label goes (see LabelTrace).
    auto decided = [&](const Taken& c) {
        Taken& b = trace.fit;
        b = trace.any ? Taken{std::min(b.l, c.l), std::min(b.b, c.b), std::max(b.r, c.r), std::max(b.t, c.t)} : c;
        trace.any = true;
    };
    auto take = [&](size_t i, const Taken& c, int place, bool led) {
        decided(c);
        placed[i] = {c, place, led};
        if (led) {
            placed[i].leader = lines.Next();
            lines.Add(m_aAsks[i].at, nearest(c, i));
        }
    };
    // Takes a label off its place, and its leader.
    auto takeOff = [&](size_t j) {
        lines.Drop(placed[j].leader);
        placed[j] = Placed();
    };
    // Each at its own place where that is clear, the values first.
    for (const LabelKind kind : {LabelKind::Value, LabelKind::Section})
        for (size_t i = 0; i < m_aAsks.size(); ++i)
            if (m_aAsks[i].kind == kind && fits(i, Try{m_aAsks[i].usual, false}) == 1)
                take(i, m_aAsks[i].usual, 0, false);
    // The others at the clear place nearest their own: off it and near their point, a value
    // anywhere round it, a number along its step or farther off it.
    // The places tried round a cell, nearest first, by their steps from it. A label laid out again
    // (a number moved off for a value) tries the same places, made and sorted once.
    using Spot = SpotCache::Spot;
    struct Places {
        Taken base{};
        std::vector<Spot> spots;
        // Those of the first `seen` spots that nothing which stays keeps out at the lines (see
        // keptOut), in order: a scan of places clear of the lines passes over the others.
        std::vector<unsigned> open;
        size_t seen = 0;
    };
    struct Tries {
        Places* places = nullptr;
        size_t size() const { return places ? places->spots.size() : 0; }
        Try operator[](size_t k) const
        {
            Spot& s = places->spots[k];
            const Taken& b = places->base;
            return {Taken{b.l + s.dx, b.b + s.dy, b.r + s.dx, b.t + s.dy}, s.led, &s.known};
        }
    };
    // By the label, the cell, the step and reach (-1: along a number's step), anySide and offOnly.
    std::map<std::tuple<size_t, int, int, int, int, int, int, bool, bool>, Places> made;
    struct Scored {
        double cost;
        Spot spot;
    };
    std::vector<Scored> scored;
    Tries tries;
    // Calls f with each place of t in order that what stays does not keep ask i out of at the lines,
    // while it says go on.
    auto eachOpen = [&](size_t i, const Tries& t, auto f) {
        Places& p = *t.places;
        for (size_t n = 0;; ++n) {
            while (n == p.open.size() && p.seen < p.spots.size()) {
                const size_t k = p.seen++;
                if (!keptOut(i, t[k], 0))
                    p.open.push_back(unsigned(k));
            }
            if (n == p.open.size() || !f(size_t(p.open[n])))
                return;
        }
    };
    // A number moved off for a value lays out again, but moves no value off in turn.
    bool relaying = false;
    // Numbers left out once the values have their places: only smaller rings are tried.
    bool ringsOnly = false;
    // Numbers laid out again for a value that would else stand over the lines: in rings a third
    // smaller at once, as a number's own ring seldom finds room again in that crowd, and the
    // trial costs.
    bool ringsToo = false;
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
            // Well beyond farOff the square tells without a root.
            const double ex = a.at.x - std::clamp(a.at.x, c.l, c.r), ey = a.at.y - std::clamp(a.at.y, c.b, c.t);
            if (ex * ex + ey * ey > farOff * farOff * (1.0 + 1e-9))
                return;
            const double d = Distance(c.l, c.b, c.r, c.t, a.at);
            // Off its side far enough for its leader to show.
            if (d <= farOff && (!off || d >= (base.t - base.b) / 2))
                scored.push_back({d + 0.25 * std::hypot(double(dx), double(dy)), {dx, dy, off || d > base.t - base.b, 0}});
        };
        // The places `make` adds round the cell, nearest first (the first made of a tie), made once.
        auto choose = [&](int step, int reach, auto make) {
            auto [it, fresh] = made.try_emplace({i, base.l, base.b, base.r, base.t, step, reach, anySide, offOnly});
            if (fresh) {
                it->second.base = base;
                std::vector<Spot>& spots = it->second.spots;
                // Round a value's cell (reach >= 0) the places depend only on what stands
                // relative to it; the axis matters only within the reach of the places.
                std::vector<Spot>* shared = nullptr;
                if (reach >= 0) {
                    const int span = reach + (base.r - base.l) + step + 1;
                    const int axis = kind == LabelKind::Value ? std::clamp(m_nAxisX - base.l, -span, span) : INT_MIN;
                    const std::array<int, 9> key{a.at.x - base.l, a.at.y - base.b, base.r - base.l, base.t - base.b,
                                                  step, reach, int(anySide) * 2 + int(offOnly),
                                                  (a.side > 0) - (a.side < 0), axis};
                    if (!m_pSpots || m_pSpots->byKey.size() > 4096)
                        m_pSpots = std::make_shared<SpotCache>();
                    auto [kept, first] = m_pSpots->byKey.try_emplace(key);
                    if (!first) {
                        spots = kept->second;
                        tries = Tries{&it->second};
                        return;
                    }
                    shared = &kept->second;
                }
                scored.clear();
                make();
                std::vector<size_t> order(scored.size());
                for (size_t k = 0; k < order.size(); ++k)
                    order[k] = k;
                std::sort(order.begin(), order.end(), [&](size_t x, size_t y) {
                    return scored[x].cost < scored[y].cost || (scored[x].cost == scored[y].cost && x < y);
                });
                spots.reserve(order.size());
                for (size_t k : order)
                    spots.push_back(scored[k].spot);
                if (shared)
                    *shared = spots;
            }
            tries = Tries{&it->second};
        };
        // A value's places round its own, out to `reach`, nearest first.
        auto around = [&](int step, int reach) {
            choose(step, reach, [&] {
                const int bw = base.r - base.l, bh = base.t - base.b;
                for (int dy = -(reach + bh) / step * step; dy <= reach + bh; dy += step)
                    for (int dx = -(reach + bw) / step * step; dx <= reach + bw; dx += step)
                        if (dx != 0 || dy != 0)
                            add(dx, dy, reach);
            });
        };
        if (kind == LabelKind::Value) {
            around(std::max(2, h / 4), kLabelReach * h);
        }
        // A number's places along its step, and off a short one far enough to clear a support's line.
        auto alongStep = [&] {
            const int step = std::max(2, h / 8);
            choose(step, -1, [&] {
                const int slide = std::max((a.to - a.from) / 2 - w / 2, w / 2 + 2 * step) / step * step;
                for (int off = 0; off <= 2 * h; off += step)
                    for (int dx = -slide; dx <= slide; dx += step)
                        if (dx != 0 || off != 0)
                            add(dx, a.away * off, 3.0 * h);
            });
        };
        if (kind == LabelKind::Section && !ringsOnly && !ringsToo)
            alongStep();
        // The first of the tries that fits, else the first whose leader crosses lines.
        auto firstFit = [&]() {
            size_t first = tries.size(), second = tries.size();
            eachOpen(i, tries, [&](size_t k) {
                const int f = fits(i, tries[k]);
                if (f == 1)
                    first = k;
                else if (f == 2 && second == tries.size())
                    second = k;
                return f != 1;
            });
            return first < tries.size() ? first : second;
        };
        // The number in a ring num/den as large, round its step as before; the ring's height.
        auto smallerRing = [&](int num, int den) {
            const int rw = w * num / den, rh = h * num / den;
            base = Taken{u.l + (w - rw) / 2, u.b + (h - rh) / 2, u.l + (w - rw) / 2 + rw, u.b + (h - rh) / 2 + rh};
            alongStep();
            const int tried = int(tries.size());
            for (const int part : {0, 4}) {
                if (placed[i].place >= 0)
                    break;
                if (part > 0)
                    around(std::max(2, h / part), kLabelReach * kValueHeight);
                if (const size_t k = firstFit(); k < tries.size()) {
                    take(i, tries[k].cell, 3 * tried + int(k) + 1, tries[k].led);
                    placed[i].height = rh;
                }
            }
            return rh;
        };
        // The first of the tries clear but for numbers, which go round their steps again; not
        // where one of them then finds no place. Its place index counts from `first`.
        auto takeMoving = [&](int first) {
            const Tries cands = tries;
            const bool wasAny = anySide, wasOff = offOnly;
            std::vector<size_t> moved;
            for (const int want : {1, 2}) {
                eachOpen(i, cands, [&](size_t k) {
                    if (placed[i].place >= 0)
                        return false;
                    if (fits(i, cands[k], false, &moved, 0, true) != want || moved.empty())
                        return true;
                    decided(cands[k].cell);
                    const std::vector<Placed> before = placed;
                    const auto linesBefore = lines.Mark();
                    for (size_t j : moved)
                        takeOff(j);
                    take(i, cands[k].cell, first + int(k), cands[k].led);
                    relaying = true;
                    for (size_t j : std::vector<size_t>(moved))
                        layOut(j);
                    relaying = false;
                    if (std::any_of(moved.begin(), moved.end(), [&](size_t j) { return placed[j].place < 0; })) {
                        placed = before;
                        lines.Undo(linesBefore);
                    }
                    return true;
                });
                if (placed[i].place >= 0)
                    break;
            }
            anySide = wasAny;
            offOnly = wasOff;
        };
        // The numbers a value at the try's place would meet, or whose leaders it would; or that
        // its leader would run through or across.
        auto numbersIn = [&](const Try& at) {
            std::vector<size_t> found;
            const Taken& c = at.cell;
            const int e = ends(i, c);
            const CPoint end = nearest(c, i);
            for (size_t j = 0; j < placed.size(); ++j) {
                const Placed& p = placed[j];
                if (j == i || p.place < 0 || m_aAsks[j].kind != LabelKind::Section)
                    continue;
                const CPoint from = m_aAsks[j].at, to = nearest(p.cell, j);
                if (near(c, p.cell) ||
                    (p.led && LineStrips::Meets(from, to, c.l - kLineGap - e, c.b - kLineGap, c.r + kLineGap + e,
                                                c.t + kLineGap)) ||
                    (at.led && (LineStrips::Meets(a.at, end, p.cell.l, p.cell.b, p.cell.r, p.cell.t) ||
                                (p.led && LineStrips::Intersect(a.at, end, from, to)))))
                    found.push_back(j);
            }
            return found;
        };
        // The first of the tries clear of the lines and the values where numbers stand or lead,
        // taken by the value written `height` high; they go round their steps again in smaller
        // rings (see ringsToo); not where one of them then finds no place. Nor where the value
        // stands straight off a number's step, as far as a ring's height twice: round the value
        // that number seldom finds a place, and the trial costs. Its place index counts from `first`.
        auto takeEvicting = [&](int first, int height, bool lanes) {
            const Tries cands = tries;
            for (const int want : {1, 2}) {
                eachOpen(i, cands, [&](size_t k) {
                    if (placed[i].place >= 0)
                        return false;
                    const Taken& c = cands[k].cell;
                    const std::vector<size_t> moved = numbersIn(cands[k]);
                    if (moved.empty() || std::any_of(moved.begin(), moved.end(), [&](size_t j) {
                            if (!lanes)
                                return false;
                            const Ask& n = m_aAsks[j];
                            const CPoint off(n.at.x, n.at.y + n.away * 2 * (n.usual.t - n.usual.b));
                            return LineStrips::Meets(n.at, off, c.l - kLineGap, c.b - kLineGap, c.r + kLineGap,
                                                     c.t + kLineGap);
                        }))
                        return true;
                    const std::vector<Placed> before = placed;
                    const auto linesBefore = lines.Mark();
                    for (size_t j : moved)
                        takeOff(j);
                    if (fits(i, cands[k]) == want) {
                        decided(c);
                        take(i, c, first + int(k), cands[k].led);
                        placed[i].height = height;
                        relaying = ringsToo = true;
                        for (size_t j : moved)
                            if (layOut(j), placed[j].place < 0)
                                break;
                        relaying = ringsToo = false;
                    }
                    if (placed[i].place < 0 ||
                        std::any_of(moved.begin(), moved.end(), [&](size_t j) { return placed[j].place < 0; })) {
                        placed = before;
                        lines.Undo(linesBefore);
                    }
                    return true;
                });
                if (placed[i].place >= 0)
                    break;
            }
        };
        // A number left out, among the crowded steps of narrow spans, stands in a ring a fifth
        // smaller, else a third, round its step as before: once the values have their places, not
        // to take theirs (laid out again for a value, a third smaller at once, see ringsToo). Left
        // out even so, it takes a place where other numbers stand in a ring a third smaller, and
        // they go round their steps again; not where one of them then finds no place. Half as
        // large at last, where nothing else is clear.
        if (ringsOnly || ringsToo) {
            for (const auto& [num, den] : {std::pair(4, 5), std::pair(2, 3), std::pair(1, 2)}) {
                if (placed[i].place >= 0 || (num == 4 && ringsToo) || (num == 1 && relaying))
                    continue;
                const int rh = smallerRing(num, den);
                if (num == 2 && ringsOnly && !relaying && placed[i].place < 0) {
                    takeMoving(1);
                    if (placed[i].place >= 0)
                        placed[i].height = rh;
                }
            }
            return;
        }
        if (const size_t k = firstFit(); k < tries.size())
            take(i, tries[k].cell, int(k) + 1, tries[k].led);
        const int tried = int(tries.size());
        // A number with no place of its own takes that of values, which have more places to
        // go to, and they go there.
        std::vector<size_t> evicted;
        for (size_t k = 0; k <= tries.size() && kind == LabelKind::Section && !relaying && placed[i].place < 0;
             ++k) {
            const Try at = k == 0 ? Try{u, false} : tries[k - 1];
            if (fits(i, at, false, &evicted) == 1) {
                for (size_t j : evicted)
                    takeOff(j);
                take(i, at.cell, int(k), at.led);
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
        // The value written `height` high at a clear place round its point, in steps of a quarter
        // of the smaller text, no finer than a quarter of the value's own at half its size: the
        // places tried stay as many; `between`: half a step along off those.
        auto smallerBase = [&](int height, bool between) {
            CSize ext;
            {
                const LabelFont small(pDC, height);
                ext = pDC->GetTextExtent(a.text);
            }
            trace.smaller.emplace_back(a.text, height);
            trace.smallerExtents.push_back(ext);
            const int step = std::max({2, ext.cy / 4, h / 6});
            base.l = u.r < a.at.x ? u.r - ext.cx : u.l > a.at.x ? u.l : (u.l + u.r - ext.cx) / 2;
            base.b = u.t < a.at.y ? u.t - ext.cy : u.b > a.at.y ? u.b : (u.b + u.t - ext.cy) / 2;
            trace.halvedX.push_back(u.l + u.r - ext.cx);
            trace.halvedY.push_back(u.b + u.t - ext.cy);
            if (between)
                base.l += step / 2;
            base.r = base.l + ext.cx;
            base.t = base.b + ext.cy;
            around(step, kLabelReach * h);
        };
        auto smaller = [&](int height, bool between) {
            smallerBase(height, between);
            if (const size_t k = firstFit(); k < tries.size()) {
                take(i, tries[k].cell, tried + int(k) + 1, tries[k].led);
                placed[i].height = height == kValueHeight ? 0 : height;
            }
        };
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
                smaller(height, false);
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
        // A value with none even so stands in a gap only a little wider than it at half its size,
        // as between a support and a step of the resisting moment: half as high between the
        // places tried, else two fifths as high.
        if (kind == LabelKind::Value && placed[i].place < 0) {
            anySide = a.side != 0;
            for (const auto& [height, between] : {std::pair(kValueHeight / 2, true), std::pair(kValueHeight * 2 / 5, false),
                                                  std::pair(kValueHeight * 2 / 5, true)})
                if (placed[i].place < 0)
                    smaller(height, between);
            anySide = false;
            if (placed[i].place < 0) {
                base = u;
                around(std::max(2, h / 4), kLabelReach * h);
            }
        }
        // Where it is seen, a value with none even so takes a place clear of the lines where numbers
        // stand or lead, a fifth, a third or half smaller, or two fifths as high (see
        // takeEvicting); first not straight off a number's step, then there too.
        if (kind == LabelKind::Value && placed[i].place < 0 && !relaying && shown) {
            anySide = a.side != 0;
            for (const bool lanes : {true, false})
                for (const int height :
                     {kValueHeight * 4 / 5, kValueHeight * 2 / 3, kValueHeight / 2, kValueHeight * 2 / 5}) {
                    if (placed[i].place >= 0)
                        break;
                    smallerBase(height, false);
                    takeEvicting(tried + 1, height, lanes);
                }
            anySide = false;
            if (placed[i].place < 0) {
                base = u;
                around(std::max(2, h / 4), kLabelReach * h);
            }
        }
        // A value with none even so takes a clear place that a value laid out before it took off its
        // own, led, and that one lays out again: led, it may find room farther off, where this one
        // only has room by its point. Not where that one then finds no clear place.
        for (size_t j = 0; j < placed.size() && kind == LabelKind::Value && placed[i].place < 0 && !relaying; ++j) {
            const Placed& p = placed[j];
            if (j == i || m_aAsks[j].kind != LabelKind::Value || p.place <= 0 || !p.led || p.stray ||
                Distance(p.cell.l, p.cell.b, p.cell.r, p.cell.t, a.at) > kLabelReach * h + w + gap)
                continue;
            const std::vector<Placed> before = placed;
            const auto linesBefore = lines.Mark();
            takeOff(j);
            base = u;
            around(std::max(2, h / 4), kLabelReach * h);
            if (const size_t k = firstFit(); k < tries.size()) {
                take(i, tries[k].cell, tried + int(k) + 1, tries[k].led);
                const bool wasAny = anySide, wasOff = offOnly;
                relaying = true;
                layOut(j);
                relaying = false;
                anySide = wasAny;
                offOnly = wasOff;
            }
            if (placed[i].place < 0 || placed[j].place < 0 || placed[j].stray) {
                placed = before;
                lines.Undo(linesBefore);
            }
        }
        if (kind == LabelKind::Value && placed[i].place < 0) {
            base = u;
            around(std::max(2, h / 4), kLabelReach * h);
        }
        // A value the diagram shows is never left out: with no place clear of the lines near by
        // it stands over them clear of the texts, farther off where it must, its leader across
        // texts at worst, else at its own, right of the axis, where the numbers give way.
        // Over the fewest lines, the nearest first.
        const bool stray = kind == LabelKind::Value && placed[i].place < 0;
        int fewest = INT_MAX;
        size_t best = 0;
        for (size_t k = 0; k < tries.size() && kind == LabelKind::Value && placed[i].place < 0 && fewest > 1;
             ++k) {
            const Taken c = tries[k].cell;
            if (fits(i, tries[k], true, nullptr, 1) != 1)
                continue;
            const int n = lines.Count(c.l - kLineGap, c.b - kLineGap, c.r + kLineGap, c.t + kLineGap, fewest);
            if (n < fewest) {
                decided(c);
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
                    if (fits(i, tries[k], true, nullptr, over) == 1)
                        take(i, tries[k].cell, 2 * tried + int(k) + 1, tries[k].led);
        }
        if (placed[i].place < 0 && kind == LabelKind::Value) {
            Taken c = u;
            const int dx = std::max(0, m_nAxisX - c.l);
            c.l += dx;
            c.r += dx;
            for (size_t j = 0; j < placed.size(); ++j)
                if (m_aAsks[j].kind == LabelKind::Section && placed[j].place >= 0 && near(c, placed[j].cell))
                    takeOff(j);
            take(i, c, 3 * tried + 1, false);
        }
        placed[i].stray = stray;
    };
    for (const LabelKind kind : {LabelKind::Section, LabelKind::Value})
        for (size_t i = 0; i < m_aAsks.size(); ++i)
            if (m_aAsks[i].kind == kind && placed[i].place < 0)
                layOut(i);
    // Only where it is seen: a trial's layout only measures the diagram (see m_bShownLayout).
    ringsOnly = true;
    for (size_t i = 0; i < m_aAsks.size() && shown; ++i)
        if (m_aAsks[i].kind == LabelKind::Section && placed[i].place < 0)
            layOut(i);
    return placed;
}

bool CForceDrawer::LastLayoutHolds(CDC* pDC, const CRect& frame, bool shown) const
{
    const LabelLayout& last = m_lastLayout;
    if (!last.valid || (shown && !last.shown) || last.turned != m_bTurned || last.asks.size() != m_aAsks.size() ||
        last.lines.size() != m_aLines.size() || last.taken.size() != m_aTaken.size())
        return false;
    // Moved by d from the last.
    const CPoint d(m_ptDrawn.x - last.origin.x, m_ptDrawn.y - last.origin.y);
    if (d != CPoint() && last.trace.close)
        return false;
    auto moved = [&](CPoint p, CPoint q) { return p.x + d.x == q.x && p.y + d.y == q.y; };
    auto same = [&](const Taken& a, const Taken& b) {
        return a.l + d.x == b.l && a.b + d.y == b.b && a.r + d.x == b.r && a.t + d.y == b.t;
    };
    auto halves = [](const std::vector<int>& sums, int step) {
        return std::all_of(sums.begin(), sums.end(), [&](int n) { return (n + 2 * step) / 2 == n / 2 + step; });
    };
    if (!halves(last.trace.halvedX, d.x) || !halves(last.trace.halvedY, d.y))
        return false;
    for (size_t i = 0; i < m_aAsks.size(); ++i) {
        const Ask &a = last.asks[i], &b = m_aAsks[i];
        if (a.kind != b.kind || a.text != b.text || !moved(a.at, b.at) || !same(a.usual, b.usual) ||
            a.side != b.side || a.onLine != b.onLine || a.to - a.from != b.to - b.from || a.away != b.away)
            return false;
    }
    for (size_t i = 0; i < m_aLines.size(); ++i)
        if (!moved(last.lines[i].first, m_aLines[i].first) || !moved(last.lines[i].second, m_aLines[i].second))
            return false;
    for (size_t i = 0; i < m_aTaken.size(); ++i)
        if (!same(last.taken[i], m_aTaken[i]))
            return false;
    for (size_t k = 0; k < last.trace.smaller.size(); ++k) {
        const LabelFont small(pDC, last.trace.smaller[k].second);
        if (pDC->GetTextExtent(last.trace.smaller[k].first) != last.trace.smallerExtents[k])
            return false;
    }
    if (d == CPoint() && frame == last.frame)
        return true;
    if (!last.frame.IsRectEmpty())
        return false;
    if (!last.trace.any || frame.IsRectEmpty())
        return true;
    // Every cell whose fit decided lies inside the frame, so that the frame keeps none of them out.
    const Taken& c = last.trace.fit;
    const CPoint a = Place(CPoint(c.l + d.x, c.b + d.y)), b = Place(CPoint(c.r + d.x, c.t + d.y));
    return std::min(a.x, b.x) >= frame.left && std::max(a.x, b.x) <= frame.right && std::min(a.y, b.y) >= frame.top &&
           std::max(a.y, b.y) <= frame.bottom;
}

void CForceDrawer::WriteLabels(CDC* pDC)
{
    if (m_aAsks.empty())
        return;
    CRect frame = m_labelFrame;
    frame.NormalizeRect();
    if (!frame.IsRectEmpty())
        frame.DeflateRect(kFrameInset, kFrameInset);
    std::vector<Placed> placed;
    const bool shown = !frame.IsRectEmpty() || m_bShownLayout;
    if (LastLayoutHolds(pDC, frame, shown)) {
        const CPoint d(m_ptDrawn.x - m_lastLayout.origin.x, m_ptDrawn.y - m_lastLayout.origin.y);
        placed = m_lastLayout.placed;
        for (Placed& p : placed)
            if (p.place >= 0)
                p.cell = Taken{p.cell.l + d.x, p.cell.b + d.y, p.cell.r + d.x, p.cell.t + d.y};
    } else {
        LabelLayout& last = m_lastLayout;
        last.trace = LabelTrace();
        last.placed = LayOutLabels(pDC, frame, shown, last.trace);
        last.valid = true;
        last.origin = m_ptDrawn;
        last.turned = m_bTurned;
        last.frame = frame;
        last.shown = shown;
        last.asks = m_aAsks;
        last.lines = m_aLines;
        last.taken = m_aTaken;
        placed = last.placed;
    }
    // Where an upright cell lands on the page (top <= bottom).
    auto onPage = [this](const Taken& c) {
        const CPoint a = Place(CPoint(c.l, c.b)), b = Place(CPoint(c.r, c.t));
        return CRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    };
    auto nearest = [](const Taken& c, const Ask& a) { return LeaderEnd(c, a); };

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
        // In a smaller ring, as much smaller.
        CFont smallFont;
        std::optional<Selected<CFont>> small;
        if (p.height > 0 && pDC->GetCurrentFont()) {
            LOGFONT lf = pDC->GetCurrentFont()->LogFont();
            lf.lfHeight = int(std::lround(double(lf.lfHeight) * p.height / (a.usual.t - a.usual.b)));
            smallFont.CreateFontIndirect(&lf);
            small.emplace(pDC, &smallFont);
        }
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
        if (CLabelRoom* room = CLabelRoom::Of(pDC)) {
            room->Take(cell, a.text, m_bTurned != 0, cell);
            if (p.stray)
                room->AddStray(true);
        }
        lead(i);
        NoteLabel(pDC, {a.kind, a.text, Place(a.at), cell, p.place, p.led});
    }
}
