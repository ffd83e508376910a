#include "input/cross_section_picture.h"
#include "input/sketch.h"

#include <algorithm>

namespace {

// The sketch is laid out on a board of 600 x 330 units, y downwards, scaled into the frame.
constexpr double kBoardW = 600.0, kBoardH = 330.0;
constexpr double X0 = 70.0, X1 = 530.0;         // deck edges
constexpr double kGuard = 30.0;                 // wheel guard width
constexpr double kRailing = 10.0;               // railing centre from the outer edge
constexpr double kWalk = 76.0, kCurb = 20.0;    // sidewalk with its curb on the carriageway side
constexpr double kMedianC = 300.0, kMedian = 30.0;
// Levels.
constexpr double kSlabTop = 196.0, kSlabBottom = 218.0;
constexpr double kRoad = kSlabTop - 12.0;       // carriageway surface
constexpr double kMount = kSlabTop - 26.0;      // sidewalk mount top
constexpr double kWalkTop = kMount - 12.0;      // sidewalk surface and curb top
constexpr double kMedianTop = kRoad - 22.0;
// Dimension lines.
constexpr double kRowB1 = 22.0, kRowChain = 44.0, kRowInner = 66.0, kRowBottom = 312.0;
constexpr double kChainL = 42.0, kChainR = 558.0;

using namespace sketch;

// The deck sketch marks the dimension of the table row the user is on.
class DeckSketch : public sketch::Sketch {
public:
    DeckSketch(CDC* dc, const CRect& rect, int highlightRow)
        : sketch::Sketch(dc, rect, {kBoardW, kBoardH, 12.0, true}), m_nMarked(highlightRow)
    {
    }

    bool Marked(const QString& name) const
    {
        if (m_nMarked < 2 || m_nMarked > 25)
            return false;
        const QString marked = m_nMarked < 14 ? QStringLiteral("B%1").arg(m_nMarked - 1) : QStringLiteral("H%1").arg(m_nMarked - 13);
        return marked == name;
    }
    // A width between xa and xb on the line at y, with its name above.
    void HDim(double xa, double xb, double y, const QString& name) { sketch::Sketch::HDim(xa, xb, y, name, Marked(name)); }
    // A height between ya and yb on the line at x, its name on the side given (-1 left, 1 right),
    // beside its middle or, for one too short to hold it, above its top.
    void VDim(double x, double ya, double yb, const QString& name, int side, bool above = false)
    {
        const bool marked = Marked(name);
        const COLORREF c = DimLine(x, ya, x, yb, marked);
        const UINT align = side < 0 ? TA_RIGHT : TA_LEFT;
        if (above)
            Text(x + side * 2.0, std::min(ya, yb) - 2.0, align | TA_BOTTOM, name, c, marked);
        else
            Text(x + side * 4.0, (ya + yb) / 2.0 - 7.0, align | TA_TOP, name, c, marked);
    }

private:
    int m_nMarked;
};

// One side of the deck, drawn for the left side (dir 1 from the left edge) or mirrored.
struct Side {
    bool walk;          // a sidewalk on this side
    double dir;         // 1 left side, -1 right side
    double edge;        // deck edge
    double X(double fromEdge) const { return edge + dir * fromEdge; }
    double GuardTop() const { return walk ? kWalkTop - 26.0 : kRoad - 30.0; }
    double RoadStart() const { return walk ? kGuard + kWalk : kGuard; }
};

void DrawSide(DeckSketch& k, const Side& s)
{
    const auto lr = [&s](double a, double b) { return std::pair(std::min(s.X(a), s.X(b)), std::max(s.X(a), s.X(b))); };
    // Wheel guard and railing.
    const auto [gl, gr] = lr(0.0, kGuard);
    k.Box(gl, s.GuardTop(), gr, kSlabTop, kConcrete);
    const double rx = s.X(kRailing);
    k.Line(rx, s.GuardTop(), rx, s.GuardTop() - 40.0, kInk, 2);
    k.Box(rx - 5.0, s.GuardTop() - 46.0, rx + 5.0, s.GuardTop() - 40.0, RGB(200, 200, 200));
    if (s.walk) {
        const auto [wl, wr] = lr(kGuard, kGuard + kWalk - kCurb);
        k.Box(wl, kMount, wr, kSlabTop, kConcrete);
        k.Box(wl, kWalkTop, wr, kMount, kPavement);
        const auto [cl, cr] = lr(kGuard + kWalk - kCurb, kGuard + kWalk);
        k.Box(cl, kWalkTop, cr, kSlabTop, kConcrete);
    }
    // Carriageway pavement up to the median.
    const double roadEnd = kMedianC - s.dir * kMedian / 2.0;
    k.Box(std::min(s.X(s.RoadStart()), roadEnd), kRoad, std::max(s.X(s.RoadStart()), roadEnd), kSlabTop, kPavement);
}

// Heights of one side: the chain on the outside and the curb's and carriageway's beside the curb.
void SideHeights(DeckSketch& k, const Side& s, const QString& guard, const QString& walkPave, const QString& mount,
                 const QString& roadPave, const QString& curb)
{
    const double chain = s.dir > 0 ? kChainL : kChainR;
    const int side = s.dir > 0 ? -1 : 1;
    const double top = s.GuardTop();
    k.Extension(chain, top, s.edge, top);
    k.Extension(chain, kSlabTop, s.edge, kSlabTop);
    if (s.walk) {
        k.Extension(chain, kMount, s.X(kGuard), kMount);
        k.Extension(chain, kWalkTop, s.X(kGuard), kWalkTop);
        k.VDim(chain, kSlabTop, kMount, mount, side);
        k.VDim(chain, kMount, kWalkTop, walkPave, side);
        k.VDim(chain, kWalkTop, top, guard, side);
        // Curb rise from the carriageway surface, and the carriageway pavement, inside the carriageway.
        const double face = s.X(kGuard + kWalk);
        k.VDim(face + s.dir * 8.0, kRoad, kWalkTop, curb, -side);
        k.VDim(face + s.dir * 36.0, kSlabTop, kRoad, roadPave, -side, true);
    } else {
        k.Extension(chain, kRoad, s.X(kGuard), kRoad);
        k.VDim(chain, kSlabTop, kRoad, roadPave, side);
        k.VDim(chain, kRoad, top, guard, side);
    }
}

// Girders under the slab; returns the positions of the outer girder lines that B11 and B12 reach.
std::pair<double, double> DrawGirders(DeckSketch& k, int type, int girders)
{
    if (type == 2) {
        // One box: its webs stand on the outer girder lines.
        const double l = X0 + 110.0, r = X1 - 110.0;
        k.Shape({{l - 8, kSlabBottom}, {r + 8, kSlabBottom}, {r + 8, kSlabBottom + 5}, {r, kSlabBottom + 5},
                 {r - 20, kSlabBottom + 70}, {l + 20, kSlabBottom + 70}, {l, kSlabBottom + 5}, {l - 8, kSlabBottom + 5}},
                kSteel, kSteelInk);
        k.Line(X0 + 110.0 + 20.0, kSlabBottom + 70.0, X1 - 110.0 - 20.0, kSlabBottom + 70.0, kSteelInk, 2);
        return {l, r};
    }
    const int n = type == 1 ? std::clamp(girders, 2, 3) : std::clamp(girders, 2, 6);
    const double first = X0 + (type == 1 ? 80.0 : 50.0), last = X1 - (type == 1 ? 80.0 : 50.0);
    for (int g = 0; g < n; ++g) {
        const double c = first + (last - first) * g / (n - 1);
        if (type == 1) {
            k.Shape({{c - 36, kSlabBottom}, {c + 36, kSlabBottom}, {c + 36, kSlabBottom + 5}, {c + 30, kSlabBottom + 5},
                     {c + 24, kSlabBottom + 66}, {c - 24, kSlabBottom + 66}, {c - 30, kSlabBottom + 5},
                     {c - 36, kSlabBottom + 5}},
                    kSteel, kSteelInk);
        } else {
            k.Box(c - 13, kSlabBottom, c + 13, kSlabBottom + 4, kSteel, kSteelInk);
            k.Box(c - 2, kSlabBottom + 4, c + 2, kSlabBottom + 62, kSteel, kSteelInk);
            k.Box(c - 15, kSlabBottom + 62, c + 15, kSlabBottom + 66, kSteel, kSteelInk);
        }
    }
    return {first, last};
}

}

void DrawCrossSectionPicture(CDC* pDC, const CRect& rect, const CrossSectionPicture& what)
{
    DeckSketch k(pDC, rect, what.nHighlightRow);
    const Side left{what.nSidewalk == 1 || what.nSidewalk == 3, 1.0, X0};
    const Side right{what.nSidewalk == 2 || what.nSidewalk == 3, -1.0, X1};

    // Slab, what stands on it, and the girders under it.
    k.Box(X0, kSlabTop, X1, kSlabBottom, kConcrete);
    DrawSide(k, left);
    DrawSide(k, right);
    k.Box(kMedianC - kMedian / 2.0, kMedianTop, kMedianC + kMedian / 2.0, kSlabTop, kConcrete);
    const auto [g1, gn] = DrawGirders(k, what.nBridgeType, what.nGirders);
    for (const Side* s : {&left, &right})
        k.Text((s->X(s->RoadStart()) + kMedianC) / 2.0, kRoad - 24.0, TA_CENTER | TA_BOTTOM,
               QStringLiteral("車道"), kCaption);
    for (const Side* s : {&left, &right})
        if (s->walk)
            k.Text(s->X(kGuard + (kWalk - kCurb) / 2.0), kWalkTop - 3.0, TA_CENTER | TA_BOTTOM, QStringLiteral("歩道"),
                   kCaption);
    k.Text(X1 - 40.0, kSlabTop + 4.0, TA_CENTER | TA_TOP, QStringLiteral("床版"), kCaption);

    // Widths above the deck: B1 to the median's centre, the chain of the parts, the railings and curbs.
    k.Extension(X0, kRowB1, X0, left.GuardTop());
    k.Extension(X1, kRowChain, X1, right.GuardTop());
    k.Extension(kMedianC, kRowB1, kMedianC, kMedianTop);
    k.HDim(X0, kMedianC, kRowB1, QStringLiteral("B1"));
    const double ml = kMedianC - kMedian / 2.0, mr = kMedianC + kMedian / 2.0;
    k.Extension(ml, kRowChain, ml, kMedianTop);
    k.Extension(mr, kRowChain, mr, kMedianTop);
    k.HDim(ml, mr, kRowChain, QStringLiteral("B4"));
    struct SideNames { const Side* s; const char* guard; const char* walk; const char* railing; const char* curb; };
    for (const SideNames& n : {SideNames{&left, "B2", "B3", "B7", "B8"}, SideNames{&right, "B6", "B5", "B10", "B9"}}) {
        const Side& s = *n.s;
        k.Extension(s.X(kGuard), kRowChain, s.X(kGuard), s.GuardTop());
        k.HDim(s.X(0.0), s.X(kGuard), kRowChain, QString::fromLatin1(n.guard));
        k.Extension(s.X(kRailing), kRowInner, s.X(kRailing), s.GuardTop() - 46.0);
        k.HDim(s.X(kRailing), s.X(kGuard), kRowInner, QString::fromLatin1(n.railing));
        if (s.walk) {
            const double walkEnd = s.X(kGuard + kWalk), curbStart = s.X(kGuard + kWalk - kCurb);
            k.Extension(walkEnd, kRowChain, walkEnd, kWalkTop);
            k.Extension(curbStart, kRowInner, curbStart, kWalkTop);
            k.HDim(s.X(kGuard), walkEnd, kRowChain, QString::fromLatin1(n.walk));
            k.HDim(curbStart, walkEnd, kRowInner, QString::fromLatin1(n.curb));
        }
        // The rest of the chain, the carriageway, without a name.
        k.HDim(s.X(s.RoadStart()), s.dir > 0 ? ml : mr, kRowChain, QString());
    }

    // Heights: the slab at the left edge, each side's chain, the median.
    k.VDim(kChainL - 20.0, kSlabBottom, kSlabTop, QStringLiteral("H5"), -1);
    k.Extension(kChainL - 20.0, kSlabBottom, X0, kSlabBottom);
    k.Extension(kChainL - 20.0, kSlabTop, kChainL, kSlabTop);
    SideHeights(k, left, QStringLiteral("H1"), QStringLiteral("H2"), QStringLiteral("H3"), QStringLiteral("H4"),
                QStringLiteral("H11"));
    SideHeights(k, right, QStringLiteral("H8"), QStringLiteral("H9"), QStringLiteral("H10"), QStringLiteral("H7"),
                QStringLiteral("H12"));
    k.VDim(mr + 8.0, kRoad, kMedianTop, QStringLiteral("H6"), 1);
    k.Extension(mr, kMedianTop, mr + 8.0, kMedianTop);

    // Overhangs under the deck: from the edges to the outer girder lines.
    k.Extension(X0, kSlabBottom, X0, kRowBottom);
    k.Extension(X1, kSlabBottom, X1, kRowBottom);
    k.Extension(g1, kSlabBottom + 70.0, g1, kRowBottom);
    k.Extension(gn, kSlabBottom + 70.0, gn, kRowBottom);
    k.HDim(X0, g1, kRowBottom, QStringLiteral("B11"));
    k.HDim(gn, X1, kRowBottom, QStringLiteral("B12"));
}
