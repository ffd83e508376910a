#include "input/member_pictures.h"
#include "input/sketch.h"

#include <algorithm>

namespace {

// Every sketch is laid out on a board of 400 x 220 units, y downwards, scaled into the frame.
constexpr double kBoardW = 400.0, kBoardH = 220.0;

using namespace sketch;

// The member the dialog sets, and a second kind of it.
const COLORREF kMember = RGB(240, 170, 80);
const COLORREF kMemberLight = RGB(250, 214, 160);
const COLORREF kMemberInk = RGB(150, 70, 0);
const COLORREF kOther = RGB(120, 180, 110);
const COLORREF kOtherInk = RGB(30, 100, 30);

class MemberSketch : public sketch::Sketch {
public:
    MemberSketch(CDC* dc, const CRect& rect) : sketch::Sketch(dc, rect, {kBoardW, kBoardH, 12.0, false}) {}

    // A narrow width (a thickness): ticks at xa and xb, the line running on to its name at the right.
    void ThicknessH(double xa, double xb, double y, const QString& name)
    {
        Line(xa - 8.0, y, xb + 6.0, y, kDim);
        Tick(xa, y);
        Tick(xb, y);
        Text(xb + 8.0, y + 7.0, TA_LEFT | TA_BOTTOM, name, kDim);
    }
    // A height between ya and yb on the line at x, its name beside the middle (-1 left, 1 right).
    void VDim(double x, double ya, double yb, const QString& name, int side)
    {
        DimLine(x, ya, x, yb, false);
        Text(x + side * 4.0, (ya + yb) / 2.0 + 7.0, (side < 0 ? TA_RIGHT : TA_LEFT) | TA_BOTTOM, name, kDim);
    }
    void Caption(const QString& text) { Text(kBoardW / 2.0, kBoardH - 2.0, TA_CENTER | TA_BOTTOM, text, kCaption); }
};

QString U(const char* s) { return QString::fromUtf8(s); }

// A main girder seen in cross section.
void Girder(MemberSketch& k, double xc, double top, double bottom, double half = 22.0)
{
    k.Box(xc - half, top, xc + half, top + 5.0, kSteel, kSteelInk);
    k.Box(xc - 2.0, top + 5.0, xc + 2.0, bottom - 5.0, kSteel, kSteelInk);
    k.Box(xc - half, bottom - 5.0, xc + half, bottom, kSteel, kSteelInk);
}

void Support(MemberSketch& k, double xc, double y)
{
    k.Shape({{xc, y}, {xc + 9.0, y + 12.0}, {xc - 9.0, y + 12.0}}, kConcrete, kInk);
}

// An I-section in detail, flange width from l to r; names for its flange width, flange
// thickness, web thickness and (when given) web height.
void ISection(MemberSketch& k, double l, double r, double top, double bottom, const QString& width, const QString& height)
{
    const double xc = (l + r) / 2.0, tf = 8.0, tw = 4.0;
    k.Box(l, top, r, top + tf, kMember, kMemberInk);
    k.Box(xc - tw, top + tf, xc + tw, bottom - tf, kMemberLight, kMemberInk);
    k.Box(l, bottom - tf, r, bottom, kMember, kMemberInk);
    k.Extension(l, top - 14.0, l, top);
    k.Extension(r, top - 14.0, r, top);
    k.HDim(l, r, top - 10.0, width);
    // Flange thickness on the left, web thickness across the web.
    k.Extension(l - 14.0, top, l, top);
    k.Extension(l - 14.0, top + tf, l, top + tf);
    k.Line(l - 10.0, top - 6.0, l - 10.0, top + tf + 6.0, kDim);
    k.Tick(l - 10.0, top);
    k.Tick(l - 10.0, top + tf);
    k.Text(l - 14.0, top + tf + 6.0, TA_RIGHT | TA_BOTTOM, U("ﾌﾗﾝｼﾞ厚"), kDim);
    k.ThicknessH(xc - tw, xc + tw, (top + bottom) / 2.0 + 14.0, U("ｳｪﾌﾞ厚"));
    if (!height.isEmpty()) {
        k.Extension(xc + tw, top + tf, r + 14.0, top + tf);
        k.Extension(xc + tw, bottom - tf, r + 14.0, bottom - tf);
        k.VDim(r + 10.0, top + tf, bottom - tf, height, 1);
    }
}

// Sway bracing between two girders: chords, an inverted V of diagonals and the spacing b.
void DrawSway(MemberSketch& k, MemberPictureKind kind)
{
    const double gl = 90.0, gr = 310.0, top = 40.0, bottom = 190.0;
    const double yU = 62.0, yL = 168.0, apex = (gl + gr) / 2.0;
    k.Box(30.0, 24.0, 370.0, top, kConcrete, kInk);
    Girder(k, gl, top, bottom);
    Girder(k, gr, top, bottom);
    if (kind != MemberPictureKind::MidSway) {
        Support(k, gl, bottom);
        Support(k, gr, bottom);
    }
    k.Bar(gl + 6.0, yL - 3.0, apex, yU + 3.0, 5.0, kOther, kOtherInk);
    k.Bar(gr - 6.0, yL - 3.0, apex, yU + 3.0, 5.0, kOther, kOtherInk);
    k.Box(gl + 2.0, yU - 3.0, gr - 2.0, yU + 3.0, kMember, kMemberInk);
    k.Box(gl + 2.0, yL - 3.0, gr - 2.0, yL + 3.0, kMember, kMemberInk);

    const bool oneChord = kind != MemberPictureKind::EndSway;
    k.Text(150.0, yU - 5.0, TA_CENTER | TA_BOTTOM, oneChord ? U("上下弦材") : U("上弦材"), kMemberInk);
    k.Text(apex, yL + 6.0, TA_CENTER | TA_TOP, oneChord ? U("上下弦材") : U("下弦材"), kMemberInk);
    k.Text(136.0, 124.0, TA_RIGHT | TA_BOTTOM, U("斜材"), kOtherInk);

    k.Extension(gr + 4.0, yU, 356.0, yU);
    k.Extension(gr + 4.0, yL, 356.0, yL);
    k.VDim(350.0, yU, yL, QStringLiteral("b"), 1);
    k.Caption(kind == MemberPictureKind::EndSway ? U("端対傾構")
              : kind == MemberPictureKind::MidSway ? U("中間対傾構") : U("中間支点上対傾構"));
}

// A plate cross beam between two girders, with its section beside.
void DrawCrossBeam(MemberSketch& k)
{
    const double gl = 60.0, gr = 220.0, top = 40.0, bottom = 190.0;
    k.Box(20.0, 24.0, 260.0, top, kConcrete, kInk);
    Girder(k, gl, top, bottom);
    Girder(k, gr, top, bottom);
    k.Box(gl + 2.0, 65.0, gr - 2.0, 165.0, kMemberLight, kMemberInk);
    k.Box(gl + 2.0, 60.0, gr - 2.0, 65.0, kMember, kMemberInk);
    k.Box(gl + 2.0, 165.0, gr - 2.0, 170.0, kMember, kMemberInk);
    k.VDim(140.0, 62.5, 167.5, QStringLiteral("b"), 1);
    ISection(k, 300.0, 370.0, 76.0, 170.0, U("ﾌﾗﾝｼﾞ幅"), QString());
    k.Caption(U("横桁"));
}

// Lateral bracing in plan: the outer bays and the inner bay.
void DrawLateral(MemberSketch& k)
{
    const double x0 = 40.0, x1 = 320.0;
    const double ys[4] = {40.0, 85.0, 130.0, 175.0};
    const int panels = 4;
    const double w = (x1 - x0) / panels;
    for (int p = 0; p <= panels; ++p)
        k.Line(x0 + p * w, ys[0], x0 + p * w, ys[3], kSteelInk);
    for (int bay = 0; bay < 3; ++bay) {
        const bool inner = bay == 1;
        for (int p = 0; p < panels; ++p) {
            const double l = x0 + p * w, r = l + w;
            for (const auto& [ya, yb] : {std::pair(ys[bay], ys[bay + 1]), std::pair(ys[bay + 1], ys[bay])})
                k.Bar(l + 3.0, ya + (yb > ya ? 3.0 : -3.0), r - 3.0, yb + (yb > ya ? -3.0 : 3.0), 3.0,
                      inner ? kOther : kMember, inner ? kOtherInk : kMemberInk);
        }
        k.Text(x1 + 8.0, (ys[bay] + ys[bay + 1]) / 2.0 + 7.0, TA_LEFT | TA_BOTTOM,
               inner ? U("内側鋼材") : U("外側鋼材"), inner ? kOtherInk : kMemberInk);
    }
    for (int g = 0; g < 4; ++g) {
        k.Box(x0 - 4.0, ys[g] - 2.5, x1 + 4.0, ys[g] + 2.5, kSteel, kSteelInk);
        k.Text(x0 - 8.0, ys[g] + 7.0, TA_RIGHT | TA_BOTTOM, QStringLiteral("G%1").arg(g + 1), kSteelInk);
    }
    k.Caption(U("横構（平面）"));
}

// A bracket cantilevered from the outer girder: deep (0.8 of the girder) at the girder,
// shallow (0.5) at the tip. The left bracket hangs from G1 to the left, the right one mirrored.
void DrawBracket(MemberSketch& k, bool left)
{
    const auto X = [left](double x) { return left ? x : kBoardW - x; };
    const double top = 50.0, bottom = 190.0, tip = 40.0, girder = 300.0;
    const double yTip = top + 70.0, yGirder = top + 112.0;
    k.Box(std::min(X(20.0), X(380.0)), 34.0, std::max(X(20.0), X(380.0)), top, kConcrete, kInk);
    Girder(k, X(girder), top, bottom);
    const double web = girder - 2.0;
    k.Shape({{X(tip), top + 5.0}, {X(web), top + 5.0}, {X(web), yGirder}, {X(tip), yTip}}, kMemberLight, kMemberInk);
    k.Shape({{X(tip), top}, {X(web), top}, {X(web), top + 5.0}, {X(tip), top + 5.0}}, kMember, kMemberInk);
    k.Shape({{X(tip), yTip}, {X(web), yGirder}, {X(web), yGirder + 5.0}, {X(tip), yTip + 5.0}}, kMember, kMemberInk);

    const QString atTip = left ? QStringLiteral("BL") : QStringLiteral("BR");
    const QString atGirder = left ? QStringLiteral("BR") : QStringLiteral("BL");
    const int outward = left ? -1 : 1;
    k.Extension(X(tip), top + 2.5, X(tip - 18.0), top + 2.5);
    k.Extension(X(tip), yTip + 2.5, X(tip - 18.0), yTip + 2.5);
    k.VDim(X(tip - 14.0), top + 2.5, yTip + 2.5, atTip, outward);
    k.VDim(X(girder - 20.0), top + 2.5, yGirder + 2.5, atGirder, outward);
    k.Extension(X(tip), yTip + 5.0, X(tip), 206.0);
    k.Extension(X(web), bottom, X(web), 206.0);
    k.HDim(X(tip), X(web), 202.0, QStringLiteral("L"));
    k.Text(X(150.0), 92.0, TA_CENTER | TA_BOTTOM, U("ｳｪﾌﾞ厚"), kMemberInk);
    k.Text(X(150.0), top + 20.0, TA_CENTER | TA_BOTTOM, U("ﾌﾗﾝｼﾞ幅・厚"), kMemberInk);
    k.Caption(left ? U("左ﾌﾞﾗｹｯﾄ") : U("右ﾌﾞﾗｹｯﾄ"));
}

// A small I-section of the member the dialog sets.
void MemberI(MemberSketch& k, double xc, double top, double bottom, double half)
{
    k.Box(xc - half, top, xc + half, top + 4.0, kMember, kMemberInk);
    k.Box(xc - 1.5, top + 4.0, xc + 1.5, bottom - 4.0, kMemberLight, kMemberInk);
    k.Box(xc - half, bottom - 4.0, xc + half, bottom, kMember, kMemberInk);
}

// Stringers: where they stand in the deck, and their section in detail.
void DrawStringer(MemberSketch& k, bool mid)
{
    const double top = 52.0;
    if (mid) {
        k.Box(20.0, 40.0, 230.0, top, kConcrete, kInk);
        Girder(k, 50.0, top, 160.0, 16.0);
        Girder(k, 200.0, top, 160.0, 16.0);
        for (double x : {87.5, 125.0, 162.5})
            MemberI(k, x, top, 88.0, 9.0);
        k.Extension(87.5, 92.0, 87.5, 100.0);
        k.Extension(162.5, 92.0, 162.5, 100.0);
        k.Line(87.5, 96.0, 162.5, 96.0, kDim);
        k.Text(125.0, 100.0, TA_CENTER | TA_TOP, U("本数"), kDim);
        k.Caption(U("中間縦桁"));
    } else {
        // At the tip of a bracket, outside the outer girder.
        k.Box(40.0, 40.0, 250.0, top, kConcrete, kInk);
        Girder(k, 210.0, top, 170.0, 16.0);
        k.Shape({{60.0, top}, {208.0, top}, {208.0, top + 80.0}, {60.0, top + 40.0}}, kSteel, kSteelInk);
        MemberI(k, 60.0, top, 88.0, 9.0);
        k.Text(48.0, 84.0, TA_RIGHT | TA_BOTTOM, U("耳縦桁"), kMemberInk);
        k.Caption(U("耳縦桁"));
    }
    ISection(k, 296.0, 356.0, 60.0, 176.0, QStringLiteral("B"), QStringLiteral("L"));
}

}

void DrawMemberPicture(CDC* pDC, const CRect& rect, MemberPictureKind kind)
{
    if (!pDC || rect.IsRectEmpty())
        return;
    MemberSketch k(pDC, rect);
    switch (kind) {
    case MemberPictureKind::EndSway:
    case MemberPictureKind::MidSway:
    case MemberPictureKind::PierSway: DrawSway(k, kind); break;
    case MemberPictureKind::CrossBeam: DrawCrossBeam(k); break;
    case MemberPictureKind::Lateral: DrawLateral(k); break;
    case MemberPictureKind::LeftBracket: DrawBracket(k, true); break;
    case MemberPictureKind::RightBracket: DrawBracket(k, false); break;
    case MemberPictureKind::MidStringer: DrawStringer(k, true); break;
    case MemberPictureKind::EdgeStringer: DrawStringer(k, false); break;
    }
}
