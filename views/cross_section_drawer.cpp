#include "views/cross_section_drawer.h"

#include "app/doc.h"
#include "framework/gdi.h"
#include "geometry/records.h"
#include "views/dimension_line.h"
#include "views/drawing_helpers.h"

#include <cmath>

namespace {

constexpr double kTurn = 270.0;
// Plates of the girders are drawn this thick (m); railing posts this wide and high.
constexpr double kPlate = 0.04;
constexpr double kPostWidth = 0.04;
constexpr double kPostHeight = 1.0;
// The leads of the thickness stacks, and of the haunch heights, reach at most this far (logical
// units) for each metre they reach on a wide deck: their labels stay by what they name.
constexpr double kLeadReach = 20.0;
// Up the page they reach farther, to stand clear of the slab and kerbs they name.
constexpr double kLeadRise = 50.0;
constexpr double kHaunchLeadReach = 80.0;
// A profile point this close to the start of a span (m) is the span's first point.
constexpr double kSpanStartTol = 1e-9;

const COLORREF kBlue = RGB(0, 0, 255);

// The three dimension objects of a dimensioning routine.
struct DimensionSet {
    CDimensionLine E{PS_SOLID, 0, kBlue, 0};
    CDimensionLine D{PS_SOLID, 1, kBlue, 1};
    CDimensionLine C{PS_DASHDOT, 0, kBlue, 0};
    DimensionSet()
    {
        for (CDimensionLine* l : {&E, &D, &C})
            l->SetHideZeroLabel(1);
    }
};

}

CCrossSectionDrawer::CCrossSectionDrawer() = default;
CCrossSectionDrawer::~CCrossSectionDrawer() = default;

CRect CCrossSectionDrawer::MakeRect(double dAngle, int x1, int y1, int x2, int y2)
{
    CRect r;
    if (!CDimensionLine::RotateSegment(dAngle, x1, y1, x2, y2, &r))
        r = CRect(-420, -2384, -420, -2384);
    return r;
}

CPoint CCrossSectionDrawer::Canvas::Place(CPoint p) const
{
    return turned ? MakeRect(angle, p.x, p.y, 0, 0).TopLeft() : p;
}

void CCrossSectionDrawer::Canvas::Rect(CDPoint a, CDPoint b) const
{
    const CPoint p = Map(a), q = Map(b);
    dc->Rectangle(turned ? MakeRect(angle, p.x, p.y, q.x, q.y) : CRect(p.x, p.y, q.x, q.y));
}

void CCrossSectionDrawer::Canvas::Plate(CDPoint a, CDPoint b) const
{
    Polygon({a, {b.x, a.y}, b, {a.x, b.y}});
}

void CCrossSectionDrawer::Canvas::Polygon(const CDPoint (&p)[4]) const
{
    CPoint pts[4];
    for (int i = 0; i < 4; ++i)
        pts[i] = Place(Map(p[i]));
    dc->Polygon(pts, 4);
}

void CCrossSectionDrawer::Canvas::Line(CDimensionLine& line, CDPoint a, CDPoint b, int nPlace) const
{
    if (turned)
        line.DrawAngled(angle, dc, a, b, origin.x, origin.y, scale, nPlace);
    else
        line.Draw(dc, a, b, origin.x, origin.y, scale, nPlace);
}

std::vector<double> CCrossSectionDrawer::Webs(int i) const
{
    const double x = GirderX(i);
    if (m_nBridgeType == 0)
        return {x};
    if (m_nBridgeType == 2) {
        const double d = (m_dWidth - B(11) - B(12)) / 2;
        return {x - d, x + d};
    }
    const double a = g_pDoc ? g_pDoc->m_dlgMainGirder.m_dWebSpacingA / 1000.0 : 0.0;
    return {x - a / 2, x + a / 2};
}

bool CCrossSectionDrawer::DrawsAlike(const CCrossSectionDrawer& o) const
{
    auto same = [](const auto& a, const auto& b) { return std::equal(std::begin(a), std::end(a), std::begin(b)); };
    return m_nSidewalk == o.m_nSidewalk && m_nBridgeType == o.m_nBridgeType && m_nGirders == o.m_nGirders &&
           m_dGirderSpacing == o.m_dGirderSpacing && same(m_adB, o.m_adB) && same(m_adH, o.m_adH) &&
           m_dWidth == o.m_dWidth && m_dRoadwayLeft == o.m_dRoadwayLeft && m_dRoadwayRight == o.m_dRoadwayRight &&
           same(m_adHeight, o.m_adHeight) && same(m_adHaunchHeight, o.m_adHaunchHeight) &&
           same(m_adHaunchWidth, o.m_adHaunchWidth) && same(m_adGirderHeight, o.m_adGirderHeight) &&
           same(m_adX, o.m_adX);
}

int CCrossSectionDrawer::Setup(CMarivoltenDoc* pDoc, int nStation)
{
    m_nBridgeType = g_nBridgeType;
    m_nGirders = std::clamp(g_nGirders, 0, MAX_GIRDERS);
    if (!pDoc)
        return 1;
    const CMarivoltenDoc& doc = *pDoc;
    m_nSidewalk = doc.m_dlgBasic.m_nSidewalk;

    // The station's span: a support between two spans is the last station of the first.
    const int spans = std::clamp(std::min(g_nSpans, int(doc.m_aSpans.size())), 0, MAX_SPANS);
    int span = -1, local = 0;
    for (int i = 0; i < spans; ++i)
        if (doc.m_anSupportStation[i] <= nStation && nStation <= doc.m_anSupportStation[i + 1]) {
            span = i;
            local = nStation - doc.m_anSupportStation[i];
            break;
        }
    const std::vector<CStationRecord>* stations = span >= 0 ? &doc.m_aSpans[size_t(span)].m_aStations : nullptr;
    if (stations && local < int(stations->size())) {
        const CStationRecord& st = (*stations)[size_t(local)];
        m_dAngle = st.m_dSkew;
        m_dPosition = st.m_dPosition;
        std::copy(std::begin(st.m_adB), std::end(st.m_adB), m_adB);
        std::copy(std::begin(st.m_adH), std::end(st.m_adH), m_adH);
        m_dWidth = st.m_dWidth;
        m_dRoadwayLeft = st.m_dRoadwayLeft;
        m_dRoadwayRight = st.m_dRoadwayRight;
    }

    const double W = m_dWidth;
    const double x[15] = {B(1),           0.0,           W,           B(2),          W - B(6),
                          B(2) + B(3) - B(8), W - B(5) - B(6) + B(9), B(2) + B(3), W - B(5) - B(6),
                          B(1) - B(4) / 2, B(1) + B(4) / 2, B(2) - B(7), W - B(6) + B(10), B(11), W - B(12)};
    std::copy(std::begin(x), std::end(x), m_adX);
    const bool left = m_nSidewalk == 1 || m_nSidewalk == 3, right = m_nSidewalk == 2 || m_nSidewalk == 3;
    const double hL = left ? H(1) + H(2) + H(3) : H(1) + H(4);
    const double hR = right ? H(8) + H(9) + H(10) : H(8) + H(7);
    const double sL = std::max(0.0, (H(3) + H(11) + H(4) - H(2)) / 2);
    const double sR = std::max(0.0, (H(10) + H(12) + H(7) - H(9)) / 2);
    const double h[26] = {hL + H(5),          hR + H(5),          H(2) + H(3) + H(5), H(9) + H(10) + H(5),
                          H(3) + H(5),        H(10) + H(5),       H(4) + H(5),        H(7) + H(5),
                          H(5) + H(11) + H(4), H(5) + H(12) + H(7), H(5),             H(5) + H(6) + H(7),
                          hL,                 hR,                 H(2),               H(9),
                          H(2) + sL,          H(9) + sR,          H(11) + H(4),       H(12) + H(7),
                          sL,                 sR,                 H(4),               H(7),
                          H(5),               H(6) + H(7)};
    std::copy(std::begin(h), std::end(h), m_adHeight);
    m_dGirderSpacing = m_nGirders > 1 ? (W - B(11) - B(12)) / (m_nGirders - 1) : 0.0;

    const double* constant = g_nBridgeType == 0 ? doc.m_dlgPlateGirder.m_adGirderHeight : doc.m_dlgBoxGirder.m_adGirderHeight;
    const bool varies = doc.m_dlgBasic.m_nHeightVariation == 0;
    for (int i = 0; i < MAX_GIRDERS; ++i) {
        const bool exists = i < m_nGirders;
        m_adGirderHeight[i] = !exists ? 0.0 : varies ? ProfileHeight(doc, i, std::max(span, 0)) : constant[i];
        m_adHaunchHeight[i] = exists ? doc.m_dlgSteelWeight.m_adHaunchH[i] : 0.0;
        m_adHaunchWidth[i] = exists ? doc.m_dlgSteelWeight.m_adHaunchB[i] : 0.0;
    }
    return 1;
}

double CCrossSectionDrawer::ProfileHeight(const CMarivoltenDoc& doc, int nGirder, int nSpan) const
{
    const CPolyline2D* profile = doc.m_apGirderProfiles[nGirder];
    if (!profile || profile->m_aPoints.empty())
        return 0.0;
    // The profile's x starts again at every span; measured over the bridge the station lies
    // at the spans before it plus its place in its span. No interpolation: the height of the
    // first point not more than a millimetre before the station.
    double X = m_dPosition;
    for (int s = 0; s < nSpan && s < MAX_SPANS; ++s)
        X += g_adSpanLength[s];
    const int spans = std::clamp(g_nSpans, 0, MAX_SPANS);
    double offset = 0.0;
    int next = 0;
    for (size_t i = 0; i < profile->m_aPoints.size(); ++i) {
        const CDPoint& p = profile->m_aPoints[i];
        if (i > 0 && std::fabs(p.x) <= kSpanStartTol && next < spans)
            offset += g_adSpanLength[next++];
        if (p.x + offset > X - 0.001)
            return p.y;
    }
    // Beyond the last point: the bridge end, at the last height.
    return profile->m_aPoints.back().y;
}

// ---- the section body ----

int CCrossSectionDrawer::DrawSection(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Section({pDC, origin, scale});
}

int CCrossSectionDrawer::DrawSectionForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Section({pDC, origin, scale, true, kTurn});
}

int CCrossSectionDrawer::Section(const Canvas& c)
{
    const double W = m_dWidth, H5 = H(5);
    const double hL = m_adHeight[12], hR = m_adHeight[13];
    CPen p1(PS_SOLID, 3, RGB(0, 0, 0)), p2(PS_SOLID, 1, RGB(255, 0, 0)), p3(PS_SOLID, 1, RGB(50, 255, 255));
    CBrush concrete(RGB(191, 191, 191)), steel(RGB(255, 192, 192)), mount(RGB(50, 255, 255));
    Selected<CPen> pen(c.dc, &p1);
    Selected<CBrush> brush(c.dc, &concrete);

    // Slab, edge blocks, curbs, median and railing posts.
    c.Rect({0, 0}, {W, H5});
    c.Rect({0, H5}, {B(2), H5 + hL});
    c.Rect({W - B(6), H5}, {W, H5 + hR});
    c.Rect({m_adX[5], H5}, {m_adX[7], H5 + H(4) + H(11)});
    c.Rect({m_adX[8], H5}, {m_adX[6], H5 + H(7) + H(12)});
    c.Rect({m_adX[9], H5}, {m_adX[10], m_adHeight[11]});
    c.Rect({m_adX[11] - kPostWidth / 2, H5 + hL}, {m_adX[11] + kPostWidth / 2, H5 + hL + kPostHeight});
    c.Rect({m_adX[12] - kPostWidth / 2, H5 + hR}, {m_adX[12] + kPostWidth / 2, H5 + hR + kPostHeight});

    // Pavements of the sidewalks and the carriageways.
    c.dc->SelectObject(&p2);
    c.dc->SelectObject(&steel);
    c.Polygon({{B(2), H5 + H(2) + H(3)}, {m_adX[5], H5 + H(4) + H(11)}, {m_adX[5], H5 + H(4) + H(11) - H(2)},
               {B(2), H5 + H(3)}});
    c.Polygon({{m_adX[6], H5 + H(7) + H(12)}, {W - B(6), H5 + H(9) + H(10)}, {W - B(6), H5 + H(10)},
               {m_adX[6], H5 + H(7) + H(12) - H(9)}});
    c.Rect({m_adX[7], H5}, {m_adX[9], H5 + H(4)});
    c.Rect({m_adX[8], H5}, {m_adX[10], H5 + H(7)});

    // Sidewalk mounts.
    c.dc->SelectObject(&p3);
    c.dc->SelectObject(&mount);
    c.Polygon({{B(2), H5 + H(3)}, {m_adX[5], H5 + H(4) + H(11) - H(2)}, {m_adX[5], H5}, {B(2), H5}});
    c.Polygon({{m_adX[6], H5 + H(7) + H(12) - H(9)}, {W - B(6), H5 + H(10)}, {W - B(6), H5}, {m_adX[6], H5}});

    // The slab top under the sidewalks.
    c.dc->SelectObject(&p1);
    CDimensionLine heavy(PS_SOLID, 0, RGB(0, 0, 0), 0);
    heavy.SetPenWidth(5);
    c.Line(heavy, {B(2), H5}, {m_adX[5], H5});
    c.Line(heavy, {m_adX[6], H5}, {W - B(6), H5});

    // Haunches, sloping 3 across to 1 down; the outer ones reach the deck edges.
    c.dc->SelectObject(&concrete);
    const int first = FirstDrawnGirder(), last = LastDrawnGirder();
    for (int i = first; i <= last; ++i) {
        const double x = GirderX(i), h = m_adHaunchHeight[i], w = m_adHaunchWidth[i];
        const bool single = m_nBridgeType == 2;
        const double l = !single && i == 0 ? 0.0 : x - w / 2 - 3 * h;
        const double r = !single && i == m_nGirders - 1 ? W : x + w / 2 + 3 * h;
        c.Polygon({{l, 0}, {r, 0}, {x + w / 2, -h}, {x - w / 2, -h}});
    }

    // Girders, their plates drawn 0.04 m thick.
    c.dc->SelectObject(&p2);
    c.dc->SelectObject(&steel);
    const CMarivoltenDoc* doc = g_pDoc;
    const double boxFlange = doc ? doc->m_dlgMainGirder.m_dFlangeWidthW / 1000.0 : 0.0;
    for (int i = first; i <= last; ++i) {
        const double x = GirderX(i), h = m_adHaunchHeight[i], G = m_adGirderHeight[i];
        const std::vector<double> webs = Webs(i);
        // The single box's flanges reach 0.1 m beyond its webs.
        double fl = webs.front() - 0.1, fr = webs.back() + 0.1;
        if (m_nBridgeType != 2) {
            const double f = m_nBridgeType == 1 ? boxFlange : m_adHaunchWidth[i] / 2;
            fl = x - f / 2;
            fr = x + f / 2;
        }
        c.Plate({fl, -(h - kPlate)}, {fr, -h});
        c.Plate({fl, -(h + G)}, {fr, -(h + G + kPlate)});
        for (double web : webs)
            c.Plate({web - kPlate / 2, -h}, {web + kPlate / 2, -(h + G)});
    }
    return 1;
}

// ---- dimensions ----

int CCrossSectionDrawer::DrawWidthDimensions(CDC* pDC, CPoint origin, CDPoint scale)
{
    return WidthDimensions({pDC, origin, scale});
}

int CCrossSectionDrawer::DrawWidthDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return WidthDimensions({pDC, origin, scale, true, kTurn});
}

int CCrossSectionDrawer::WidthDimensions(const Canvas& c)
{
    DimensionSet d;
    const double W = m_dWidth;
    const double* x = m_adX;
    const double median = m_adHeight[11];
    if (B(4) > 0.0 && H(6) != 0.0) {
        c.Line(d.C, {B(1), 0}, {B(1), 8.0}, 2);
        c.Line(d.E, {x[9], median}, {x[9], 5.0});
        c.Line(d.E, {x[10], median}, {x[10], 5.0});
        c.Line(d.D, {B(1), 6.0}, {0, 6.0}, 2);
        c.Line(d.D, {x[9], 5.0}, {x[7], 5.0}, 2);
        c.Line(d.D, {x[10], 5.0}, {x[9], 5.0}, 2);
        c.Line(d.D, {x[8], 5.0}, {x[10], 5.0}, 2);
    } else {
        c.Line(d.D, {x[8], 5.0}, {x[7], 5.0}, 2);
    }
    c.Line(d.E, {0, 0}, {0, 7.0});
    c.Line(d.E, {W, 0}, {W, 7.0});
    c.Line(d.E, {x[3], m_adHeight[0]}, {x[3], 5.0});
    c.Line(d.E, {x[7], m_adHeight[8]}, {x[7], 5.0});
    c.Line(d.E, {x[8], m_adHeight[9]}, {x[8], 5.0});
    c.Line(d.E, {x[4], m_adHeight[1]}, {x[4], 5.0});
    c.Line(d.E, {x[11], m_adHeight[0]}, {x[11], 4.0});
    c.Line(d.E, {x[5], m_adHeight[8]}, {x[5], 4.0});
    c.Line(d.E, {x[6], m_adHeight[9]}, {x[6], 4.0});
    c.Line(d.E, {x[12], m_adHeight[1]}, {x[12], 4.0});
    c.Line(d.D, {W, 7.0}, {0, 7.0}, 2);
    c.Line(d.D, {x[3], 5.0}, {0, 5.0}, 1);
    c.Line(d.D, {x[7], 5.0}, {x[3], 5.0}, 2);
    c.Line(d.D, {x[4], 5.0}, {x[8], 5.0}, 2);
    c.Line(d.D, {W, 5.0}, {x[4], 5.0}, 3);
    c.Line(d.D, {x[11], 4.0}, {0, 4.0}, 1);
    c.Line(d.D, {x[7], 4.0}, {x[5], 4.0}, 2);
    c.Line(d.D, {x[8], 4.0}, {x[6], 4.0}, 2);
    c.Line(d.D, {x[12], 4.0}, {x[4], 4.0}, 3);
    return 1;
}

int CCrossSectionDrawer::DrawGirderLayoutDimensions(CDC* pDC, CPoint origin, CDPoint scale)
{
    return GirderLayoutDimensions({pDC, origin, scale});
}

int CCrossSectionDrawer::DrawGirderLayoutDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return GirderLayoutDimensions({pDC, origin, scale, true, kTurn});
}

int CCrossSectionDrawer::GirderLayoutDimensions(const Canvas& c)
{
    DimensionSet d;
    const double W = m_dWidth;
    // The row stands under the deepest girder.
    const double y = LowerRow();
    if (B(4) > 0.0 && H(6) != 0.0)
        c.Line(d.C, {B(1), y - 1.0}, {B(1), 0}, 2);
    c.Line(d.E, {0, y}, {0, 0});
    c.Line(d.E, {W, y}, {W, 0});
    const int n = std::max(m_nGirders, 1);
    c.Line(d.E, {B(11), y}, {B(11), -m_adHaunchHeight[0] - m_adGirderHeight[0]});
    c.Line(d.E, {W - B(12), y}, {W - B(12), -m_adHaunchHeight[n - 1] - m_adGirderHeight[n - 1]});
    c.Line(d.D, {B(11), y}, {0, y}, 2);
    c.Line(d.D, {W - B(12), y}, {B(11), y}, 2);
    c.Line(d.D, {W, y}, {W - B(12), y}, 2);
    return 1;
}

int CCrossSectionDrawer::DrawDetailDimensions(CDC* pDC, CPoint origin, CDPoint scale)
{
    return DetailDimensions({pDC, origin, scale});
}

int CCrossSectionDrawer::DrawDetailDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return DetailDimensions({pDC, origin, scale, true, kTurn});
}

void CCrossSectionDrawer::DrawDimensioned(CDC* pDC, CPoint origin, CDPoint scale, bool bTurned)
{
    if (bTurned) {
        DrawSectionForPrint(pDC, origin, scale);
        DrawWidthDimensionsForPrint(pDC, origin, scale);
        DrawGirderLayoutDimensionsForPrint(pDC, origin, scale);
        DrawDetailDimensionsForPrint(pDC, origin, scale);
    } else {
        DrawSection(pDC, origin, scale);
        DrawWidthDimensions(pDC, origin, scale);
        DrawGirderLayoutDimensions(pDC, origin, scale);
        DrawDetailDimensions(pDC, origin, scale);
    }
}

int CCrossSectionDrawer::DetailDimensions(const Canvas& c)
{
    DimensionSet d;
    const double H5 = H(5);
    const double* x = m_adX;
    // The leads are as long on the page as on a deck of about 20 m: on a narrow deck, drawn
    // larger, a metre's would run across it to the other side's stacks.
    auto shorten = [&](double reach, double rise) {
        return CDPoint(std::min(1.0, reach / std::max(std::fabs(c.scale.x), 1e-9)),
                       std::min(1.0, rise / std::max(std::fabs(c.scale.y), 1e-9)));
    };
    CDPoint k = shorten(kLeadReach, kLeadRise);
    // A measured point led off by (dx, dy) to its dimension line.
    auto lead = [&](double px, double py, double dx, double dy) {
        c.Line(d.E, {px, py}, {px + k.x * dx, py + k.y * dy});
    };
    // A height measured at px, on the dimension line led off by (dx, dy); its label names the
    // measured part, led to it.
    auto height = [&](double px, double y1, double y2, double dx, double dy, int place) {
        d.D.m_ledFrom = CDPoint(px, (y1 + y2) / 2);
        c.Line(d.D, {px + k.x * dx, y1 + k.y * dy}, {px + k.x * dx, y2 + k.y * dy}, place);
        d.D.m_ledFrom.reset();
    };

    // Median height.
    if (B(4) > 0.0 && H(6) > 0.0) {
        lead(x[10], m_adHeight[11], 1.5, 0.75);
        height(x[10], H(7) + H5, m_adHeight[11], 1.5, 0.75, 3);
    }
    // Left edge block.
    if (m_nSidewalk == 1 || m_nSidewalk == 3) {
        for (double y : {m_adHeight[0], m_adHeight[2], H(3) + H5, H5})
            lead(B(2), y, 1.5, 1.5);
        height(B(2), m_adHeight[2], m_adHeight[0], 1.5, 1.5, 3);
        height(B(2), H(3) + H5, m_adHeight[2], 1.5, 1.5, 4);
        height(B(2), H5, H(3) + H5, 1.5, 1.5, 5);
    } else {
        for (double y : {m_adHeight[0], H5 + H(4)})
            lead(B(2), y, 1.5, 1.5);
        height(B(2), H5 + H(4), m_adHeight[0], 1.5, 1.5, 3);
    }
    // Left carriageway, slab and left curb.
    for (double y : {H(4) + H5, H5, 0.0})
        lead(x[7], y, 1.5, 0.75);
    for (double y : {H(7) + H5, H5})
        lead(x[10], y, 1.5, 0.75);
    height(x[7], H5, H(4) + H5, 1.5, 0.75, 4);
    height(x[7], 0.0, H5, 1.5, 0.75, 5);
    height(x[10], H5, H(7) + H5, 1.5, 0.75, 4);
    lead(x[7], H5 + H(4), 1.5, 0.75);
    lead(x[7], H5 + H(11) + H(4), 1.5, 0.75);
    height(x[7], H5 + H(4), H5 + H(11) + H(4), 1.5, 0.75, 3);
    // Right edge block, mirrored.
    if (m_nSidewalk == 0 || m_nSidewalk == 1) {
        for (double y : {m_adHeight[1], H5 + H(7)})
            lead(x[4], y, -1.5, 1.5);
        height(x[4], H5 + H(7), m_adHeight[1], -1.5, 1.5, 1);
    } else {
        for (double y : {m_adHeight[1], m_adHeight[3], H(10) + H5, H5})
            lead(x[4], y, -1.5, 1.5);
        height(x[4], m_adHeight[3], m_adHeight[1], -1.5, 1.5, 1);
        height(x[4], H(10) + H5, m_adHeight[3], -1.5, 1.5, 8);
        height(x[4], H5, H(10) + H5, -1.5, 1.5, 7);
    }
    // Right curb.
    if (H(12) > 0.0) {
        lead(x[8], H5 + H(7), -0.375, 0.275);
        lead(x[8], H5 + H(12) + H(7), -0.375, 0.275);
        height(x[8], H5 + H(7), H5 + H(12) + H(7), -0.375, 0.275, 8);
    }
    // Girder heights and haunches; the haunch width under the last girder.
    // The haunch's lead clears a box's web beside it.
    k = shorten(kHaunchLeadReach, kHaunchLeadReach);
    const int first = FirstDrawnGirder(), last = LastDrawnGirder();
    for (int i = first; i <= last; ++i) {
        const double h = m_adHaunchHeight[i], w = m_adHaunchWidth[i], G = m_adGirderHeight[i];
        const double xr = GirderX(i) + w / 2, xl = xr - w;
        // The haunch width first, over its short line: the height label, right of its line or,
        // where a web is there, left of it, then stands clear of it rather than over the point
        // it names. The haunch height left of its line, away from the girder and the width.
        if (i == last) {
            c.Line(d.E, {xl, -h}, {xl, -h - 0.75});
            c.Line(d.D, {xl, -h - 0.75}, {xr, -h - 0.75}, 2);
        }
        c.Line(d.D, {xr, -h}, {xr, -h - G}, 4);
        lead(xl, 0.0, -0.75, -0.375);
        lead(xl, -h, -0.75, -0.375);
        height(xl, 0.0, -h, -0.75, -0.375, 7);
    }
    return 1;
}
