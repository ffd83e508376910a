#include "views/load_diagram.h"

#include "app/doc.h"
#include "design/girder_design.h"
#include "design/steel_tables.h"
#include "framework/format.h"
#include "views/dimension_line.h"
#include "views/drawing_helpers.h"
#include "views/label_layout.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kTurn = 270.0;
// Slanted leaders of the curb heights (m along each axis), at most this long on the page
// (logical units) for each metre of it.
constexpr double kLeader = 0.75;
constexpr double kLeaderReach = 60.0;
// The text room above the upper dimensions (m).
constexpr double kTop = 8.5;
// Captions start this far right of the deck (logical units); values over the sidewalk
// pavements stand this much higher than those over the carriageways.
constexpr int kCaptionGap = 100;
constexpr int kSidewalkRaise = 32;
// A caption keeps this far below the row above (logical units).
constexpr int kCaptionRoom = 2;
// Room kept around the drawing for the labels at its edges, and between a text and the
// frame lines at the deck edges (logical units).
constexpr int kTextRoom = 50;
constexpr int kEdgeGap = 6;

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);

// A loaded zone of a row: from xa to xb, as high as its load in tf/m2, its value printed
// centred at xc over it when shown.
struct Block {
    int row;
    double xa, xb, height;
    double value;
    bool shown;
    double xc;
    int raise = 0;
    const char* format = "%.3f";
};

// A line load of a row at x.
struct Marker {
    int row;
    double x;
    double value;
    bool shown;
};

}

CLoadDiagram::CLoadDiagram()
{
    m_font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
}

CLoadDiagram::~CLoadDiagram() = default;

double CLoadDiagram::Gravity() { return g_bSIUnits == 1 ? steel::kGravity : 1.0; }

int CLoadDiagram::Setup(CMarivoltenDoc* pDoc, int nStation)
{
    CCrossSectionDrawer::Setup(pDoc, nStation);
    if (!pDoc)
        return 1;
    const double* d = pDoc->m_dlgDeadLoad.m_adValue;
    double* loads[10] = {&m_dLeftRailing,        &m_dRightRailing,   &m_dSidewalkPavingWeight, &m_dRoadPavingWeight,
                         &m_dMedianWeight,       &m_dKerbWeight,     &m_dSidewalkSlabWeight,   &m_dRoadSlabWeight,
                         &m_dCurbWeight,         &m_dSnowLoad};
    for (int i = 0; i < 10; ++i)
        *loads[i] = d[i];
    const SteelWeightData& sw = pDoc->m_dlgSteelWeight;
    m_nAttachments = std::clamp(sw.m_nAttachments, 0, SteelWeightData::ATTACHMENTS);
    for (int i = 0; i < m_nGirders; ++i)
        m_adHaunchWeight[i] = sw.m_adHaunchWeight[i];
    for (int j = 0; j < m_nAttachments; ++j) {
        m_anAttachmentGirder[j] = sw.m_anAttachGirder[j];
        m_adAttachmentLoad[j] = sw.m_adAttachLoad[j];
        m_adAttachmentX[j] = m_anAttachmentGirder[j] * m_dGirderSpacing + B(11) + sw.m_adAttachPosition[j];
    }
    return 1;
}

bool CLoadDiagram::DrawsAlike(const CLoadDiagram& o) const
{
    auto same = [](const auto& a, const auto& b) { return std::equal(std::begin(a), std::end(a), std::begin(b)); };
    return CCrossSectionDrawer::DrawsAlike(o) && m_dLeftRailing == o.m_dLeftRailing &&
           m_dRightRailing == o.m_dRightRailing && m_dSidewalkPavingWeight == o.m_dSidewalkPavingWeight &&
           m_dRoadPavingWeight == o.m_dRoadPavingWeight && m_dMedianWeight == o.m_dMedianWeight &&
           m_dKerbWeight == o.m_dKerbWeight && m_dSidewalkSlabWeight == o.m_dSidewalkSlabWeight &&
           m_dRoadSlabWeight == o.m_dRoadSlabWeight && m_dCurbWeight == o.m_dCurbWeight &&
           m_dSnowLoad == o.m_dSnowLoad && same(m_adHaunchWeight, o.m_adHaunchWeight) &&
           same(m_adAttachmentLoad, o.m_adAttachmentLoad) && same(m_adAttachmentX, o.m_adAttachmentX) &&
           same(m_anAttachmentGirder, o.m_anAttachmentGirder) && m_nAttachments == o.m_nAttachments &&
           m_font.LogFont() == o.m_font.LogFont();
}

CLoadDiagram::Rows CLoadDiagram::LayOutRows(int nSidewalk) const
{
    Rows r;
    const bool left = nSidewalk == 1 || nSidewalk == 3, right = nSidewalk == 2 || nSidewalk == 3;
    int k = 3;
    if ((left && m_dSidewalkSlabWeight * m_adHeight[20] > 0.0) || (right && m_dSidewalkSlabWeight * m_adHeight[21] > 0.0))
        r.mount = ++k;
    r.mountBlocks = k;
    r.railingMarkers = ++k;
    if (m_dLeftRailing > 0.0 || m_dRightRailing > 0.0)
        r.railing = k++;
    r.haunch = k;
    r.steel = ++k;
    if (m_dSnowLoad != 0.0)
        r.snow = ++k;
    if (m_nAttachments != 0)
        r.attachments = ++k;
    r.last = k;
    return r;
}

double CLoadDiagram::SteelWeight(int nGirder) const
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || nGirder < 0 || nGirder >= MAX_GIRDERS)
        return 0.0;
    const double g = Gravity();
    const SteelWeightData& sw = doc->m_dlgSteelWeight;
    const bool single = g_nBridgeType == 2;
    const int i = single ? 1 : nGirder;
    const CGirderDesign* girder = doc->m_pGirders && i < g_nGirders ? &doc->m_pGirders[i] : nullptr;
    if (g_bResultsValid == 0 || sw.m_nDeadLoadChoice == 1 || !girder)
        return sw.m_adSteelWeight[i] / g;
    double w = 0.0;
    if (sw.m_nDeadLoadChoice == 3) {
        const CEstimateData& e = *doc;
        const CSetupMainMemberDialog& mm = doc->m_dlgMainMember;
        w = e.m_dGirderMass + e.m_dFlangeRibMass;
        if (e.m_nCrossBeamCount > 0)
            w += e.m_dCrossBeamMass;
        if (e.m_nEndSwayCount + e.m_nMidSwayCount + e.m_nPierSwayCount > 0)
            w += e.m_dSwayMass;
        if (mm.m_bUseLateral)
            w += e.m_dLateralMass;
        if (mm.m_bUseLeftBracket || mm.m_bUseRightBracket)
            w += e.m_dLeftBracketMass + e.m_dRightBracketMass;
        if (mm.m_bUseEdgeStringer)
            w += e.m_dEdgeStringerMass;
        if (mm.m_bUseStringer)
            w += e.m_dStringerMass;
        w += e.m_dGirderBoltMass + e.m_dCrossBeamBoltMass;
        if (!single && g_nGirders > 0)
            w /= g_nGirders;
    } else {
        for (const CSectionRecord& s : girder->m_pSections)
            w += s.m_dWWhole;
        if (sw.m_nDeadLoadChoice == 2)
            w *= doc->m_dlgEstimate.m_dlgFactor.m_dGirderFactor;
    }
    if (girder->m_dGirderLength > 1e-20)
        w /= girder->m_dGirderLength;
    return w;
}

// ---- dimensions ----

int CLoadDiagram::DrawUpperDimensions(CDC* pDC, CPoint origin, double dScaleX, double dScaleY)
{
    return UpperDimensions({pDC, origin, CDPoint(dScaleX, dScaleY)});
}

int CLoadDiagram::DrawUpperDimensionsForPrint(CDC* pDC, CPoint origin, double dScaleX, double dScaleY)
{
    return UpperDimensions({pDC, origin, CDPoint(dScaleX, dScaleY), true, kTurn});
}

int CLoadDiagram::DrawLowerDimensions(CDC* pDC, CPoint origin, double dScaleX, double dScaleY)
{
    return LowerDimensions({pDC, origin, CDPoint(dScaleX, dScaleY)});
}

int CLoadDiagram::DrawLowerDimensionsForPrint(CDC* pDC, CPoint origin, double dScaleX, double dScaleY)
{
    return LowerDimensions({pDC, origin, CDPoint(dScaleX, dScaleY), true, kTurn});
}

namespace {

// The four dimension objects of the load diagram, none labelling a length of zero.
struct LoadDimensionSet {
    CDimensionLine extension{PS_DASHDOT, 0, kBlue, 0};
    CDimensionLine row{PS_DASHDOT, 1, kBlue, 1};
    CDimensionLine leader{PS_SOLID, 0, kBlue, 0};
    CDimensionLine height{PS_SOLID, 1, kBlue, 1};
    LoadDimensionSet()
    {
        for (CDimensionLine* l : {&extension, &row, &leader, &height})
            l->SetHideZeroLabel(1);
    }
};

}

int CLoadDiagram::UpperDimensions(const Canvas& c)
{
    LoadDimensionSet d;
    c.dc->SetBkMode(TRANSPARENT);
    // The leaders as long on the page as on a wide deck, not across a narrow one drawn large.
    const double W = m_dWidth, tx = kLeader * std::min(1.0, kLeaderReach / std::max(std::fabs(c.scale.x), 1e-9));
    const double t = kLeader * std::min(1.0, kLeaderReach / std::max(std::fabs(c.scale.y), 1e-9));
    const double cL = m_adHeight[0], cR = m_adHeight[1], sL = m_adHeight[2], sR = m_adHeight[3];
    if (B(4) > 0.0 && H(6) > 0.0) {
        c.Line(d.extension, {B(1), 8.5}, {B(1), 0}, 2);
        c.Line(d.row, {0, 7.0}, {B(1), 7.0}, 2);
    }
    c.Line(d.extension, {0, 8.1}, {0, 0}, 2);
    c.Line(d.extension, {W, 8.1}, {W, 0}, 2);
    c.Line(d.extension, {B(2), 6.0}, {B(2), cL}, 2);
    c.Line(d.extension, {W - B(6), 6.0}, {W - B(6), cR}, 2);
    c.Line(d.row, {0, 8.0}, {W, 8.0}, 2);
    c.Line(d.row, {B(2), 6.0}, {W - B(6), 6.0}, 2);
    c.Line(d.row, {0, 6.0}, {B(2), 6.0}, 2);
    c.Line(d.row, {W - B(6), 6.0}, {W, 6.0}, 2);
    // Each names the kerb it measures, led to it.
    d.height.m_ledFrom = CDPoint(B(2), (cL + sL) / 2);
    c.Line(d.height, {B(2) + tx, cL + t}, {B(2) + tx, sL + t}, 4);
    d.height.m_ledFrom = CDPoint(W - B(6), (cR + sR) / 2);
    c.Line(d.height, {W - B(6) - tx, cR + t}, {W - B(6) - tx, sR + t}, 8);
    d.height.m_ledFrom.reset();
    c.Line(d.leader, {B(2), cL}, {B(2) + tx, cL + t}, 2);
    c.Line(d.leader, {B(2), sL}, {B(2) + tx, sL + t}, 2);
    c.Line(d.leader, {W - B(6), cR}, {W - B(6) - tx, cR + t}, 2);
    c.Line(d.leader, {W - B(6), sR}, {W - B(6) - tx, sR + t}, 2);
    c.dc->SetBkMode(OPAQUE);
    return 1;
}

int CLoadDiagram::LowerDimensions(const Canvas& c)
{
    LoadDimensionSet d;
    c.dc->SetBkMode(TRANSPARENT);
    const double W = m_dWidth;
    const int n = std::max(m_nGirders, 1);
    const double x0 = B(11), xn = W - B(12);
    if (B(4) > 0.0 && H(6) > 0.0)
        c.Line(d.extension, {B(1), 0}, {B(1), -3.0}, 2);
    c.Line(d.extension, {0, 0}, {0, LowerRow()}, 2);
    c.Line(d.extension, {W, 0}, {W, LowerRow()}, 2);
    c.Line(d.extension, {x0, -m_adHaunchHeight[0] - m_adGirderHeight[0]}, {x0, LowerRow()}, 2);
    c.Line(d.extension, {xn, -m_adHaunchHeight[n - 1] - m_adGirderHeight[n - 1]}, {xn, LowerRow()}, 2);
    c.Line(d.row, {0, LowerRow()}, {x0, LowerRow()}, 2);
    c.Line(d.row, {x0, LowerRow()}, {xn, LowerRow()}, 2);
    c.Line(d.row, {W, LowerRow()}, {xn, LowerRow()}, 2);
    c.dc->SetBkMode(OPAQUE);
    return 1;
}

// ---- loads ----

namespace {

std::vector<Block> BlocksOf(const CLoadDiagram& d, int nSidewalk, const CLoadDiagram::Rows& rows, double g)
{
    const double W = d.m_dWidth;
    const double* x = d.m_adX;
    const double* h = d.m_adHeight;
    const bool left = nSidewalk == 1 || nSidewalk == 3, right = nSidewalk == 2 || nSidewalk == 3;
    auto block = [](int row, double xa, double xb, double value, double g, bool shown) {
        return Block{row, xa, xb, value / g, value, shown, (xa + xb) / 2};
    };
    std::vector<Block> out;
    // Pavements.
    const double D3 = d.m_dSidewalkPavingWeight, D4 = d.m_dRoadPavingWeight;
    out.push_back(block(1, d.B(2), x[5], D3 * d.H(2), g, true));
    out.back().raise = kSidewalkRaise;
    out.push_back(block(1, x[6], x[4], D3 * d.H(9), g, true));
    out.back().raise = kSidewalkRaise;
    out.push_back(block(1, x[7], x[9], D4 * d.H(4), g, true));
    out.push_back(block(1, x[10], x[8], D4 * d.H(7), g, true));
    // Slab, its value at the median.
    out.push_back(block(2, 0.0, W, d.m_dRoadSlabWeight * d.H(5), g, true));
    out.back().xc = d.B(1);
    // Curbs, kerbs and median. A kerb is drawn as high as the sidewalk beside it, but its value
    // is the kerb's full height above the slab, the load the analysis applies.
    const double D6 = d.m_dKerbWeight;
    out.push_back(block(3, 0.0, d.B(2), d.m_dCurbWeight * h[12], g, true));
    out.push_back(block(3, x[4], W, d.m_dCurbWeight * h[13], g, true));
    out.push_back(block(3, x[5], x[7], D6 * (d.H(2) + h[20]), g, D6 > 0.0 && left && d.B(8) > 1e-20));
    out.back().value = D6 * (d.H(11) + d.H(4));
    out.push_back(block(3, x[8], x[6], D6 * (d.H(9) + h[21]), g, D6 > 0.0 && right && d.B(9) > 1e-20));
    out.back().value = D6 * (d.H(12) + d.H(7));
    if (d.B(4) > 0.0 && d.H(6) > 0.0)
        out.push_back(block(3, x[9], x[10], d.m_dMedianWeight * (d.H(6) + d.H(7)), g, true));
    // Sidewalk mounts, on their own row when one carries a load.
    const double D7 = d.m_dSidewalkSlabWeight;
    if (left)
        out.push_back(block(rows.mountBlocks, d.B(2), x[5], D7 * h[20], g, rows.mount != 0));
    if (right)
        out.push_back(block(rows.mountBlocks, x[6], x[4], D7 * h[21], g, rows.mount != 0));
    // Snow over the whole deck, its value at the median.
    if (rows.snow) {
        out.push_back(block(rows.snow, 0.0, W, d.m_dSnowLoad, g, true));
        out.back().xc = d.B(1);
        out.back().format = "%.2f";
    }
    return out;
}

std::vector<Marker> MarkersOf(const CLoadDiagram& d, const CLoadDiagram::Rows& rows, double g)
{
    std::vector<Marker> out;
    if (d.m_dLeftRailing > 0.0)
        out.push_back({rows.railingMarkers, d.m_adX[11], d.m_dLeftRailing, true});
    if (d.m_dRightRailing > 0.0)
        out.push_back({rows.railingMarkers, d.m_adX[12], d.m_dRightRailing, true});
    // The single box carries its haunch and steel on girder line 1.
    for (int i = d.FirstDrawnGirder(); i <= d.LastDrawnGirder(); ++i)
        out.push_back({rows.haunch, d.GirderX(i), d.m_adHaunchWeight[i], true});
    for (int i = d.FirstDrawnGirder(); i <= d.LastDrawnGirder(); ++i)
        out.push_back({rows.steel, d.GirderX(i), d.SteelWeight(i) * g, i < g_nGirders});
    for (int j = 0; rows.attachments && j < d.m_nAttachments; ++j)
        out.push_back({rows.attachments, d.m_adAttachmentX[j], d.m_adAttachmentLoad[j], true});
    return out;
}

}

int CLoadDiagram::DrawLoadAreas(CDC* pDC, int nSidewalk, const CPoint& origin, double dScaleX, double dScaleY)
{
    return LoadAreas({pDC, origin, CDPoint(dScaleX, dScaleY)}, nSidewalk);
}

int CLoadDiagram::DrawLoadAreasForPrint(double dAngle, CDC* pDC, int nSidewalk, const CPoint& origin,
                                        double dScaleX, double dScaleY)
{
    return LoadAreas({pDC, origin, CDPoint(dScaleX, dScaleY), true, dAngle}, nSidewalk);
}

int CLoadDiagram::LoadAreas(const Canvas& c, int nSidewalk)
{
    CPen pen(PS_SOLID, 3, RGB(0, 0, 0));
    CBrush brush(RGB(255, 192, 192));
    Selected<CPen> oldPen(c.dc, &pen);
    Selected<CBrush> oldBrush(c.dc, &brush);
    c.dc->SetBkMode(TRANSPARENT);
    const Rows rows = LayOutRows(nSidewalk);
    const double g = Gravity();
    for (const Block& b : BlocksOf(*this, nSidewalk, rows, g))
        c.Rect({b.xa, RowY(b.row) + b.height}, {b.xb, RowY(b.row)});
    CDimensionLine marker(PS_SOLID, 2, kRed, 0);
    for (const Marker& m : MarkersOf(*this, rows, g))
        c.Line(marker, {m.x, RowY(m.row) + 1.0}, {m.x, RowY(m.row)});
    c.dc->SetBkMode(OPAQUE);
    return 1;
}

int CLoadDiagram::DrawValueText(CDC* pDC, int x, int y, const QString& text)
{
    if (AfxAtof(text) == 0.0)
        return 0;
    pDC->SetBkMode(TRANSPARENT);
    const int result = pDC->TextOut(x, y, text);
    pDC->SetBkMode(OPAQUE);
    return result;
}

void CLoadDiagram::DrawRotatedText(CDC* pDC, double dAngle, int x, int y, const QString& text, int bSkipZero)
{
    CFont* current = pDC->GetCurrentFont();
    LOGFONT lf = current ? current->LogFont() : m_font.LogFont();
    lf.lfEscapement = CDimensionLine::TurnedEscapement(dAngle);
    lf.lfClipPrecision = CLIP_LH_ANGLES;
    CFont turned;
    turned.CreateFontIndirect(&lf);
    CFont* old = pDC->SelectObject(&turned);
    pDC->SetBkMode(TRANSPARENT);
    if (!(bSkipZero == 1 && AfxAtof(text) == 0.0))
        pDC->TextOut(x, y, text);
    pDC->SelectObject(old);
    pDC->SetBkMode(OPAQUE);
}

int CLoadDiagram::Text(const Canvas& c, const std::vector<CPoint>& places, const QString& text, bool bValue,
                       CPoint named, LabelKind kind, const std::vector<CPoint>& leaders)
{
    // Values that read as zero stay blank; a text whose places are all taken is left out.
    if (bValue && AfxAtof(text) == 0.0)
        return -1;
    std::vector<CPoint> corners;
    for (CPoint p : places)
        corners.push_back(c.turned ? c.Place(p) : p);
    const int oldMode = c.dc->SetBkMode(TRANSPARENT);
    std::vector<CPoint> feet;
    for (CPoint p : leaders)
        feet.push_back(c.Place(p));
    const int taken = WriteClear(c.dc, c.turned ? CDimensionLine::TurnedEscapement(c.angle) : 0, corners, text,
                                 c.Place(named), kind, feet,
                                 leaders.empty() ? std::nullopt : std::optional<CPoint>(c.Place(named)));
    c.dc->SetBkMode(oldMode);
    return taken;
}

int CLoadDiagram::DrawLoads(int nSidewalk, CDC* pDC, CPoint origin, double dScaleX, double dScaleY)
{
    return Loads({pDC, origin, CDPoint(dScaleX, dScaleY)}, nSidewalk);
}

int CLoadDiagram::DrawLoadsForPrint(double dAngle, int nSidewalk, CDC* pDC, CPoint origin, double dScaleX,
                                    double dScaleY)
{
    return Loads({pDC, origin, CDPoint(dScaleX, dScaleY), true, dAngle}, nSidewalk);
}

void CLoadDiagram::DrawDiagram(CDC* pDC, int nSidewalk, CPoint origin, CDPoint scale, bool bTurned)
{
    if (bTurned) {
        DrawUpperDimensionsForPrint(pDC, origin, scale.x, scale.y);
        DrawSectionForPrint(pDC, origin, scale);
        DrawLoadAreasForPrint(270.0, pDC, nSidewalk, origin, scale.x, scale.y);
        DrawLowerDimensionsForPrint(pDC, origin, scale.x, scale.y);
        DrawLoadsForPrint(270.0, nSidewalk, pDC, origin, scale.x, scale.y);
    } else {
        DrawUpperDimensions(pDC, origin, scale.x, scale.y);
        DrawSection(pDC, origin, scale);
        DrawLoadAreas(pDC, nSidewalk, origin, scale.x, scale.y);
        DrawLowerDimensions(pDC, origin, scale.x, scale.y);
        DrawLoads(nSidewalk, pDC, origin, scale.x, scale.y);
    }
}

int CLoadDiagram::Loads(const Canvas& c, int nSidewalk)
{
    CDC* dc = c.dc;
    Selected<CFont> font(dc, &m_font);
    dc->SetBkMode(TRANSPARENT);
    const double W = m_dWidth, sx = c.scale.x;
    auto X = [&](double x) { return c.origin.x + int(x * c.scale.x); };
    auto Y = [&](double y) { return c.origin.y + int(y * c.scale.y); };
    // The notes and values stand as many of their heights off what they name however large
    // they are written: their places by their size as written.
    const double smaller = CLabelRoom::Of(dc) ? CLabelRoom::Of(dc)->TextScale() : 1.0;
    auto written = [&](CSize e) { return CSize(int(std::lround(e.cx * smaller)), int(std::lround(e.cy * smaller))); };
    // Girder lines with their depths. A depth written smaller keeps the whole gap from its line:
    // nearer, the line would read as a digit of it.
    CDimensionLine depth(PS_SOLID, 1, kBlue, 1);
    if (const CLabelRoom* room = CLabelRoom::Of(dc); room && room->TextScale() > 0.0)
        depth.m_sizeTextOffset.cx = int(std::ceil(depth.m_sizeTextOffset.cx / room->TextScale()));
    for (int i = FirstDrawnGirder(); i <= LastDrawnGirder(); ++i) {
        // Half a haunch out from the web; a plate girder's just outside its flange where its depth
        // at full size fits on neither side and that leaves it a wider one.
        double x = GirderX(i) + m_adHaunchWidth[i] / 2;
        if (m_nBridgeType == 0 && i + 1 < m_nGirders && sx > 0.0) {
            const double flange = GirderX(i) + m_adHaunchWidth[i] / 4 + kEdgeGap / sx, next = GirderX(i + 1);
            const double side = std::max(x - GirderX(i), next - x);
            const double room = (dc->GetTextExtent(CDimensionLine::LabelText({0, 0}, {0, m_adGirderHeight[i]})).cx +
                                 depth.m_sizeTextOffset.cx + kEdgeGap) / sx;
            if (side < room && next - flange > side)
                x = flange;
        }
        const double top = -m_adHaunchHeight[i];
        const double bottom = top - m_adGirderHeight[i];
        // The girder's name first, below its foot, lower down or beside it, then its depth
        // around it.
        if (m_nBridgeType != 2) {
            const QString name = AfxFormat("G%d", i + 1);
            // Its places by its size as written, smaller where the labels are (upright).
            const CLabelRoom* room = CLabelRoom::Of(dc);
            const double t = room && !c.turned ? room->TextScale() : 1.0;
            const CSize full = dc->GetTextExtent(name);
            const CSize ext(int(std::lround(full.cx * t)), int(std::lround(full.cy * t)));
            const int gx = X(x), gy = Y(bottom);
            std::vector<CPoint> places;
            for (CPoint p : {CPoint(gx, gy), CPoint(gx, gy - ext.cy), CPoint(gx - ext.cx, gy),
                             CPoint(gx - ext.cx, gy - ext.cy), CPoint(gx + kEdgeGap, gy + ext.cy),
                             CPoint(gx - ext.cx - kEdgeGap, gy + ext.cy)})
                places.push_back(c.turned ? p : CornerWrittenAt(dc, 0, name, p));
            Text(c, places, name, false, CPoint(gx, gy), LabelKind::Girder);
        }
        c.Line(depth, {x, top}, {x, bottom}, 4);
    }

    // Thickness notes of the pavements and the slab, each led up from its layer a line or a few
    // of text above it, the leader short on the page however large the deck is drawn; the
    // narrowest layer first, whose leader has the least room.
    CDimensionLine leader(PS_SOLID, 2, kBlue, 0), shelf(PS_SOLID, 0, kBlue, 0);
    const double q = (W - B(2) - B(6)) / 4;
    struct Note {
        const char* format;
        double value, x;
        double end, from, to;
    };
    Note notes[] = {{"右車道舗装 t = %.0fmm", H(7) * 1000, B(2) + 3 * q, H(5) + H(7) / 2, m_adX[10], m_adX[8]},
                    {"左車道舗装 t = %.0fmm", H(4) * 1000, B(2) + q, H(5) + H(4) / 2, m_adX[7], m_adX[9]},
                    {"RC床版 t = %.0fmm", H(5) * 1000, B(1) / 2, H(5) / 2, 0.0, W}};
    std::stable_sort(std::begin(notes), std::end(notes),
                     [](const Note& a, const Note& b) { return a.to - a.from < b.to - b.from; });
    for (const auto& n : notes) {
        const QString text = AfxFormat(n.format, n.value);
        // Its size as written exactly: a long note's rounding is wider than the gaps it stands in.
        const CSize ext = WrittenExtent(dc, text);
        if (!(sx > 0.0) || !(c.scale.y > 0.0))
            continue;
        // The corner to ask for the note standing on `bottom` from `left` as written.
        const CPoint shift = CornerWrittenAt(dc, 0, text, CPoint());
        auto corner = [&](int left, int bottom) { return CPoint(left + shift.x, bottom + ext.cy + shift.y); };
        // A note too long for the deck right of its place moves left with its leader, as far
        // as its layer goes: it stays clear of the right edge block's dimension lines.
        const double x0 = std::max(n.from, std::min(n.x, W - B(6) - (ext.cx + kEdgeGap) / sx));
        // Where another note stands there, a line of text higher, its leader longer; where a
        // line runs through all of them (the deck's centre line), the same a quarter of the
        // note's length aside, left first, as far as its layer goes. A place whose leader would
        // run through a text written already is none while another is left.
        struct Place {
            CPoint corner;
            CDPoint shelf;  // the leader's top, where the note stands
            int towards;    // the note stands right of its leader (1) or left of it (-1)
            int off = 0;    // and this far from it along its shelf
        };
        std::vector<Place> all, clear;
        const int layer = Y(n.end);
        const double step = ext.cx / 8.0 / sx;
        for (int towards : {1, -1})
            for (int j = 0; j <= int((n.to - n.from) / step) + 1; ++j)
                for (int side : {-1, 1}) {
                    const double x = x0 + side * j * step;
                    if ((j == 0 && side > 0) || (!all.empty() && (x < n.from || x > n.to)))
                        continue;
                    const int left = towards > 0 ? X(x) : X(x) - ext.cx;
                    for (int k = 1; k <= 3; ++k) {
                        const int rise = ext.cy * k;
                        all.push_back({corner(left, layer + rise), CDPoint(x, n.end + rise / c.scale.y),
                                       towards});
                    }
                }
        // Last, beyond the deck's edge, its shelf run out from its layer's end on that side: a
        // narrow deck drawn small has no room between the lines above it for a long note. It
        // stands no farther from its layer there than a led label may, by the edge nearer to
        // its layer, not across the other half of the deck; higher, over the dimensions' labels
        // beside the edge, where the other notes took the lower places.
        for (int towards : {-1, 1}) {
            const double x = towards < 0 ? n.from : n.to;
            if (towards < 0 ? n.from > W - n.to : W - n.to > n.from)
                continue;
            const int left = towards > 0 ? X(W) + kEdgeGap : X(0) - kEdgeGap - ext.cx;
            const int off = towards > 0 ? left - X(x) : X(x) - left - ext.cx;
            for (int k = 1; std::hypot(off, ext.cy * k) <= CLabelRoom::kLongestLeader; ++k) {
                const int rise = ext.cy * k;
                all.push_back({corner(left, layer + rise), CDPoint(x, n.end + rise / c.scale.y), towards, off});
            }
        }
        CLabelRoom* room = CLabelRoom::Of(dc);
        auto ends = [&](const Place& p) {
            return std::pair{c.Place(c.Map({p.shelf.x, n.end})), c.Place(c.Map(p.shelf))};
        };
        auto shelfEnd = [&](const Place& p) {
            return c.Place(c.Map({p.shelf.x + p.towards * (ext.cx + p.off) / sx, p.shelf.y}));
        };
        for (const Place& p : all)
            if (const auto [foot, top] = ends(p);
                !room || (!room->CrossesText(foot, top) && !room->CrossesText(top, shelfEnd(p))))
                clear.push_back(p);
        const std::vector<Place>& at = clear.empty() ? all : clear;
        std::vector<CPoint> corners, feet;
        for (const Place& p : at) {
            corners.push_back(p.corner);
            feet.push_back(c.Map({p.shelf.x, n.end}));
        }
        const int taken = Text(c, corners, text, false, c.Map({x0, n.end}), LabelKind::Layer, feet);
        // A note standing elsewhere has its leader from the layer already.
        if (taken < 0 || taken >= int(at.size()))
            continue;
        const Place& p = at[size_t(taken)];
        c.Line(leader, p.shelf, {p.shelf.x, n.end});
        c.Line(shelf, {p.shelf.x + p.towards * (ext.cx + p.off) / sx, p.shelf.y}, p.shelf);
        // The texts written after it keep off its leader and its shelf.
        if (room) {
            const auto [foot, top] = ends(p);
            room->KeepOffLine(foot, top);
            room->KeepOffLine(top, shelfEnd(p));
        }
    }

    // The rows: caption right of the deck over a baseline that runs under it, then the values.
    const Rows rows = LayOutRows(nSidewalk);
    const double g = Gravity();
    // The values written, each over the point it names: a block's top at its middle, a
    // marker's top.
    struct Value {
        int row;
        QString text;
        CPoint named;
        int raise;
    };
    std::vector<Value> values;
    for (const Block& b : BlocksOf(*this, nSidewalk, rows, g))
        if (b.shown)
            values.push_back({b.row, AfxFormat(b.format, b.value), CPoint(X(b.xc), Y(RowY(b.row) + b.height)), b.raise});
    for (const Marker& m : MarkersOf(*this, rows, g))
        if (m.shown)
            values.push_back({m.row, AfxFormat("%.3f", m.value), CPoint(X(m.x), Y(RowY(m.row)) + int(c.scale.y)), 0});
    std::erase_if(values, [](const Value& v) { return AfxAtof(v.text) == 0.0; });
    // The room knows them all before the first is written: one moved off its place is led back
    // where it stands nearer to what a later one names.
    if (CLabelRoom* room = CLabelRoom::Of(dc))
        for (const Value& v : values)
            room->Named(LabelKind::Value, c.Place(v.named));
    // Whether a value's cell stands nearer to what another value names than to its own point.
    // Squares of whole numbers order as their distances; only a tie is left to the distances.
    auto nearerToAnother = [&](const CRect& cell, CPoint own) {
        auto off = [&](CPoint p) {
            return CPoint(std::max({cell.left - p.x, 0, p.x - cell.right}), std::max({cell.top - p.y, 0, p.y - cell.bottom}));
        };
        auto square = [](CPoint d) { return std::int64_t(d.x) * d.x + std::int64_t(d.y) * d.y; };
        const CPoint ownOff = off(own);
        const std::int64_t ownSquare = square(ownOff);
        return std::any_of(values.begin(), values.end(), [&](const Value& v) {
            if (v.named == own)
                return false;
            const CPoint d = off(v.named);
            const std::int64_t sq = square(d);
            return sq < ownSquare || (sq == ownSquare && std::hypot(d.x, d.y) < std::hypot(ownOff.x, ownOff.y));
        });
    };
    // Centred over the point it names; where that place is taken (a wider value of the block
    // beside), slid along the row, nearest first, as long as the value stays nearest its own
    // point and its near edge no more than two and a half text heights beyond it; where a
    // place crosses a frame line at a deck edge, pulled in between them. Where the labels are,
    // those heights are of the value as written, smaller at small scales: a place farther off
    // is none, and the room leads the value back from where it finds one.
    const CLabelRoom* room = CLabelRoom::Of(dc);
    auto places = [&](const Value& v) {
        const CSize e = written(dc->GetTextExtent(v.text));
        const CPoint shift = CornerWrittenAt(dc, 0, v.text, CPoint());
        const int step = std::max<int>(e.cy / 2, 1), reach = e.cx / 2 + 5 * e.cy / 2;
        const int foot = v.named.y + int(std::lround((v.raise + 2) * smaller));
        std::vector<CPoint> out, pulled;
        auto add = [&](std::vector<CPoint>& to, int left) {
            const CRect cell(left, foot, left + e.cx, foot + e.cy);
            const CPoint mid = cell.CenterPoint();
            const double off = std::hypot(std::max(std::abs(mid.x - v.named.x) - e.cx / 2.0, 0.0),
                                          std::max(std::abs(mid.y - v.named.y) - e.cy / 2.0, 0.0));
            if (to.empty() && &to == &out)
                to.emplace_back(left + shift.x, foot + e.cy + shift.y);
            else if (room && off > 2.5 * e.cy)
                return;
            else if (!nearerToAnother(cell, v.named))
                to.emplace_back(left + shift.x, foot + e.cy + shift.y);
        };
        for (int along = 0; along <= reach; along += step)
            for (int sign : {1, -1}) {
                if (along == 0 && sign < 0)
                    continue;
                const int left = v.named.x - e.cx / 2 + sign * along;
                const int in = std::clamp(left, X(0) + kEdgeGap, std::max(X(0) + kEdgeGap, X(W) - kEdgeGap - e.cx));
                if (along == 0 || in == left)
                    add(out, left);
                else if (pulled.empty() || pulled.back().x != in + shift.x)
                    add(pulled, in);
            }
        // Without a room to find them clear, pulled in at once.
        if (!CLabelRoom::Of(dc) && !pulled.empty())
            return std::vector<CPoint>{pulled.front()};
        out.insert(out.end(), pulled.begin(), pulled.end());
        return out;
    };
    CDimensionLine baseline(PS_DASHDOT, 0, kBlue, 0);
    // Each caption stands on its own row's baseline: where the rows stand closer than a caption
    // is high, even with the labels written smaller, the captions are written smaller still, and
    // where the labels are, a caption keeps its foot on the baseline rather than its middle.
    const double high = dc->GetTextExtent(QStringLiteral("舗装")).cy * smaller;
    const int pitch = int(3.0 * c.scale.y) - kCaptionRoom;
    const bool crowded = high > 0.0 && pitch > 0 && pitch < high;
    CFont smallCaption;
    if (crowded) {
        LOGFONT lf = m_font.LogFont();
        lf.lfHeight = LONG(lf.lfHeight * pitch / high);
        smallCaption.CreateFontIndirect(&lf);
    }
    for (const Caption& cap : Captions(rows, c.turned)) {
        const double y = RowY(cap.row);
        const CSize ext = dc->GetTextExtent(cap.text);
        {
            Selected<CFont> font(dc, crowded ? &smallCaption : nullptr);
            const int cy = dc->GetTextExtent(cap.text).cy;
            Text(c, {CPoint(X(W) + kCaptionGap, Y(y) + int(std::lround(cy * (1.0 + smaller) / 2.0)))}, cap.text,
                 false, CPoint(X(W) + kCaptionGap, Y(y)));
        }
        if (sx > 0.0)
            c.Line(baseline, {0, y}, {W + (kCaptionGap + ext.cx) / sx, y});
        for (const Value& v : values)
            if (v.row == cap.row)
                Text(c, places(v), v.text, true, v.named, LabelKind::Value);
    }
    // Frame lines at the deck edges from the last row up to the dimension row.
    c.Line(baseline, {0, RowY(rows.last)}, {0, LowerRow()});
    c.Line(baseline, {W, RowY(rows.last)}, {W, LowerRow()});
    dc->SetBkMode(OPAQUE);
    return 1;
}

std::vector<CLoadDiagram::Caption> CLoadDiagram::Captions(const Rows& rows, bool bPrint) const
{
    const bool si = g_bSIUnits == 1;
    const QString area = si ? QStringLiteral("kN/m2") : QStringLiteral("tf/m2");
    const QString line = si ? QStringLiteral("kN/m") : QStringLiteral("tf/m");
    // On paper the railing and steel captions are spelled a little differently.
    const QString railing = bPrint ? QStringLiteral("高欄(%1)") : QStringLiteral("高欄  (%1)");
    const QString steel = bPrint ? QStringLiteral("鋼重（%1）") : QStringLiteral("鋼重(%1)");
    const Caption all[] = {{1, QStringLiteral("舗装(%1)").arg(area)},
                           {2, QStringLiteral("床版(%1)").arg(area)},
                           {3, QStringLiteral("地覆等(%1)").arg(area)},
                           {rows.mount, QStringLiteral("歩道マウント(%1)").arg(area)},
                           {rows.railing, railing.arg(line)},
                           {rows.haunch, QStringLiteral("ハンチ(%1)").arg(line)},
                           {rows.steel, steel.arg(line)},
                           {rows.snow, QStringLiteral("雪    (%1)").arg(area)},
                           {rows.attachments, QStringLiteral("添架物(%1)").arg(line)}};
    std::vector<Caption> out;
    for (const Caption& c : all)
        if (c.row != 0)
            out.push_back(c);
    return out;
}

CRect CLoadDiagram::Reach(CDC* pDC, int nSidewalk, double dScaleX, double dScaleY)
{
    const Rows rows = LayOutRows(nSidewalk);
    Selected<CFont> font(pDC, &m_font);
    int caption = 0;
    for (bool print : {false, true})
        for (const Caption& c : Captions(rows, print))
            caption = std::max(caption, pDC->GetTextExtent(c.text).cx);
    // The railing posts may stand beyond the left edge; the dimension labels reach above the
    // top row and the girder names below the girders.
    const double left = std::min({0.0, m_adX[11] - 0.02});
    return CRect(int(left * dScaleX) - kTextRoom, int(kTop * dScaleY) + kTextRoom,
                 int(m_dWidth * dScaleX) + kCaptionGap + caption + kTextRoom, int(RowY(rows.last) * dScaleY) - kTextRoom);
}
