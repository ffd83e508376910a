#include "input/load_pictures.h"
#include "input/sketch.h"

namespace {

// Both sketches are laid out on a board of 600 x 330 units, y downwards, scaled into the frame.
constexpr double kBoardW = 600.0, kBoardH = 330.0;

using namespace sketch;

const COLORREF kMarkedFill = RGB(150, 190, 255);

class LoadSketch : public sketch::Sketch {
public:
    LoadSketch(CDC* dc, const CRect& rect) : sketch::Sketch(dc, rect, {kBoardW, kBoardH, 15.0, true}) {}

    // A name centred on a point, vertically too.
    void Name(double x, double y, const QString& text, COLORREF color, bool bold)
    {
        Text(x, y - 8.0, TA_CENTER | TA_TOP, text, color, bold);
    }
    void VDim(double x, double ya, double yb, const QString& name, bool marked)
    {
        const COLORREF c = DimLine(x, ya, x, yb, marked);
        Text(x + 5.0, (ya + yb) / 2.0 - 8.0, TA_LEFT | TA_TOP, name, c, marked);
    }
    // A load arrow pointing down at (x, y).
    void Arrow(double x, double yTop, double y, COLORREF color)
    {
        Line(x, yTop, x, y - 8.0, color, 3);
        Shape({{x - 6.0, y - 10.0}, {x + 6.0, y - 10.0}, {x, y}}, color, color);
    }
};

// ---- dead loads: a sidewalk on the left, a wheel guard alone on the right ----

constexpr double X0 = 40.0, X1 = 560.0;
constexpr double kSlabTop = 210.0, kSlabBottom = 250.0;
constexpr double kRoad = 188.0;                  // carriageway surface
constexpr double kMount = 180.0;                 // sidewalk slab top
constexpr double kWalkTop = 158.0;               // sidewalk surface and kerb top
constexpr double kGuard = 34.0;                  // wheel guard width
constexpr double kWalk = 88.0;                   // sidewalk slab width, guard to kerb
constexpr double kKerb = 30.0;
constexpr double kMedianC = 330.0, kMedian = 44.0, kMedianTop = kRoad - 30.0;
constexpr double kLeftGuardTop = kWalkTop - 30.0, kRightGuardTop = kRoad - 40.0;

void Railing(LoadSketch& k, double x, double guardTop, bool marked)
{
    const COLORREF ink = marked ? kMarked : kInk;
    k.Line(x, guardTop, x, guardTop - 50.0, ink, marked ? 4 : 2);
    k.Box(x - 7.0, guardTop - 57.0, x + 7.0, guardTop - 50.0, marked ? kMarkedFill : RGB(200, 200, 200), ink);
}

}

void DrawDeadLoadPicture(CDC* pDC, const CRect& rect, int nMarked)
{
    LoadSketch k(pDC, rect);
    auto fill = [nMarked](int item, COLORREF normal) { return item == nMarked ? kMarkedFill : normal; };
    auto name = [&k, nMarked](int item, double x, double y, COLORREF normal) {
        const bool marked = item == nMarked;
        k.Name(x, y, QStringLiteral("D%1").arg(item + 1), marked ? kMarked : normal, marked);
    };

    // Girders under the slab.
    for (int g = 0; g < 4; ++g) {
        const double c = X0 + 70.0 + (X1 - X0 - 140.0) * g / 3.0;
        k.Box(c - 16, kSlabBottom, c + 16, kSlabBottom + 5, kSteel, kSteelInk);
        k.Box(c - 2, kSlabBottom + 5, c + 2, kSlabBottom + 62, kSteel, kSteelInk);
        k.Box(c - 18, kSlabBottom + 62, c + 18, kSlabBottom + 67, kSteel, kSteelInk);
    }
    // D8 roadway slab.
    k.Box(X0, kSlabTop, X1, kSlabBottom, fill(7, kConcrete));
    name(7, (kMedianC + X1) / 2.0, (kSlabTop + kSlabBottom) / 2.0, kInk);

    // Left: D9 wheel guard with D1 railing, D7 sidewalk slab under D3 pavement, D6 kerb.
    const double walkL = X0 + kGuard, kerbL = walkL + kWalk, kerbR = kerbL + kKerb;
    k.Box(X0, kLeftGuardTop, walkL, kSlabTop, fill(8, kConcrete));
    name(8, X0 + kGuard / 2.0, (kLeftGuardTop + kSlabTop) / 2.0, kInk);
    Railing(k, X0 + kGuard / 2.0, kLeftGuardTop, nMarked == 0);
    name(0, X0 + kGuard / 2.0, kLeftGuardTop - 70.0, kInk);
    k.Box(walkL, kMount, kerbL, kSlabTop, fill(6, kConcrete));
    name(6, (walkL + kerbL) / 2.0, (kMount + kSlabTop) / 2.0, kInk);
    k.Box(walkL, kWalkTop, kerbL, kMount, fill(2, kPavement));
    name(2, (walkL + kerbL) / 2.0, (kWalkTop + kMount) / 2.0, RGB(255, 255, 255));
    k.Box(kerbL, kWalkTop, kerbR, kSlabTop, fill(5, kConcrete));
    name(5, (kerbL + kerbR) / 2.0, (kWalkTop + kSlabTop) / 2.0, kInk);

    // D4 carriageway pavement on both sides of the D5 median.
    const double ml = kMedianC - kMedian / 2.0, mr = kMedianC + kMedian / 2.0;
    const double guardR = X1 - kGuard;
    k.Box(kerbR, kRoad, ml, kSlabTop, fill(3, kPavement));
    k.Box(mr, kRoad, guardR, kSlabTop, fill(3, kPavement));
    name(3, (kerbR + ml) / 2.0, (kRoad + kSlabTop) / 2.0, RGB(255, 255, 255));
    k.Box(ml, kMedianTop, mr, kSlabTop, fill(4, kConcrete));
    name(4, kMedianC, (kMedianTop + kRoad) / 2.0 + 4.0, kInk);

    // Right: D9 wheel guard with D2 railing.
    k.Box(guardR, kRightGuardTop, X1, kSlabTop, fill(8, kConcrete));
    name(8, X1 - kGuard / 2.0, (kRightGuardTop + kSlabTop) / 2.0, kInk);
    Railing(k, X1 - kGuard / 2.0, kRightGuardTop, nMarked == 1);
    name(1, X1 - kGuard / 2.0, kRightGuardTop - 70.0, kInk);

    k.Text((walkL + kerbL) / 2.0, kWalkTop - 4.0, TA_CENTER | TA_BOTTOM, QStringLiteral("歩道"), kCaption);
    k.Text((kerbR + ml) / 2.0, kRoad - 4.0, TA_CENTER | TA_BOTTOM, QStringLiteral("車道"), kCaption);
    k.Text((mr + guardR) / 2.0, kRoad - 4.0, TA_CENTER | TA_BOTTOM, QStringLiteral("車道"), kCaption);
}

void DrawHaunchPicture(CDC* pDC, const CRect& rect, int nBridgeType, HaunchMark marked)
{
    LoadSketch k(pDC, rect);
    constexpr double slabTop = 60.0, slabBottom = 110.0, haunchBottom = 140.0;
    constexpr double cx = 380.0;        // girder centre
    constexpr double load = 130.0;      // the attached load's line
    constexpr double slope = 45.0;      // how far a haunch side reaches out along the slab
    const bool box = nBridgeType != 0;
    const double half = box ? 80.0 : 55.0;   // half the haunch width B
    const double l = cx - half, r = cx + half;

    k.Box(30.0, slabTop, 570.0, slabBottom, kConcrete);
    k.Text(60.0, slabTop + 4.0, TA_LEFT | TA_TOP, QStringLiteral("床版"), kCaption);

    double innerL = 0.0, innerR = 0.0;
    if (box) {
        // Two webs under one haunch each; Bin is the clear width between the haunches.
        const double flange = 40.0;
        innerL = l + flange;
        innerR = r - flange;
        k.Shape({{l - slope, slabBottom}, {innerL + slope / 3.0, slabBottom}, {innerL, haunchBottom}, {l, haunchBottom}},
                kConcrete);
        k.Shape({{innerR - slope / 3.0, slabBottom}, {r + slope, slabBottom}, {r, haunchBottom}, {innerR, haunchBottom}},
                kConcrete);
        k.Box(l, haunchBottom, innerL, haunchBottom + 7.0, kSteel, kSteelInk);
        k.Box(innerR, haunchBottom, r, haunchBottom + 7.0, kSteel, kSteelInk);
        const double webL = l + flange / 2.0, webR = r - flange / 2.0;
        k.Shape({{webL - 3.0, haunchBottom + 7.0}, {webL + 3.0, haunchBottom + 7.0}, {webL + 23.0, 280.0}, {webL + 17.0, 280.0}},
                kSteel, kSteelInk);
        k.Shape({{webR - 3.0, haunchBottom + 7.0}, {webR + 3.0, haunchBottom + 7.0}, {webR - 17.0, 280.0}, {webR - 23.0, 280.0}},
                kSteel, kSteelInk);
        k.Box(webL + 10.0, 280.0, webR - 10.0, 287.0, kSteel, kSteelInk);
    } else {
        k.Shape({{l - slope, slabBottom}, {r + slope, slabBottom}, {r, haunchBottom}, {l, haunchBottom}}, kConcrete);
        k.Box(l, haunchBottom, r, haunchBottom + 7.0, kSteel, kSteelInk);
        k.Box(cx - 3.0, haunchBottom + 7.0, cx + 3.0, 280.0, kSteel, kSteelInk);
        k.Box(cx - 45.0, 280.0, cx + 45.0, 287.0, kSteel, kSteelInk);
    }
    // The girder's centre line, from which L is measured.
    k.Line(cx, 20.0, cx, 300.0, kCaption, 1, PS_DASHDOT);
    k.Text(cx + 4.0, 22.0, TA_LEFT | TA_TOP, QStringLiteral("主桁中心"), kCaption);

    // H beside the haunch, B under the girder, Bin between the haunches.
    k.Extension(r + slope, slabBottom, r + 70.0, slabBottom);
    k.Extension(r, haunchBottom, r + 70.0, haunchBottom);
    k.VDim(r + 62.0, slabBottom, haunchBottom, QStringLiteral("H"), marked == HAUNCH_MARK_H);
    k.Extension(l, haunchBottom + 7.0, l, 316.0);
    k.Extension(r, haunchBottom + 7.0, r, 316.0);
    k.HDim(l, r, 310.0, QStringLiteral("B"), marked == HAUNCH_MARK_B);
    if (nBridgeType == 1)
        k.HDim(innerL, innerR, 130.0, QStringLiteral("Bin"), marked == HAUNCH_MARK_BIN);

    // The attachment hangs from the slab; its line load P acts at L from the girder's centre.
    k.Line(load, slabBottom, load, 150.0, kInk, 2);
    k.Circle(load, 166.0, 16.0, RGB(240, 220, 170), kInk);
    k.Text(load - 22.0, 166.0, TA_RIGHT | TA_BASELINE, QStringLiteral("添架物"), kCaption);
    const bool markP = marked == HAUNCH_MARK_P;
    k.Arrow(load, 192.0, 240.0, markP ? kMarked : kDim);
    k.Text(load + 8.0, 208.0, TA_LEFT | TA_TOP, QStringLiteral("P"), markP ? kMarked : kDim, markP);
    k.Extension(load, 240.0, load, 266.0);
    k.HDim(load, cx, 260.0, QStringLiteral("L"), marked == HAUNCH_MARK_L);
}
