#include "views/section2_drawer.h"

#include "app/doc.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "geometry/records.h"
#include "input/height_dialog.h"
#include "views/dimension_line.h"
#include "views/drawing_helpers.h"
#include "views/label_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// Heights are drawn down from the girder's top at this height; the rows above it hold the
// span lengths, the change point lines reach from kLow up to them.
constexpr double kTop = 4.0;
constexpr double kDimension = 5.0;
constexpr double kLow = 1.0;
// A position reached within this (m) counts as reached.
constexpr double kPlaceTol = 1e-6;
constexpr double kTurn = 270.0;
// A support's number keeps this far (logical units) from its triangle, which reaches no more
// than kMostHalfWidth either side of the support.
constexpr int kNumberGap = 10;
constexpr double kMostHalfWidth = 30.0;
// Extension lines reach this far (logical units) past the span dimension line: the span
// lengths above it stay clear of them.
constexpr double kOvershoot = 12.0;

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

const CPolyline2D* HeightProfile(int nGirder)
{
    const CMarivoltenDoc* doc = g_pDoc;
    return doc && nGirder >= 0 && nGirder < MAX_GIRDERS ? doc->m_apGirderProfiles[nGirder] : nullptr;
}

}

CSection2Drawer::CSection2Drawer()
{
    m_font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
}

CSection2Drawer::~CSection2Drawer() = default;

int CSection2Drawer::Prepare(CMarivoltenDoc* pDoc, int)
{
    if (pDoc)
        m_nHeightVariation = pDoc->m_dlgBasic.m_nHeightVariation;
    return 1;
}

int CSection2Drawer::Spans() const
{
    const CMarivoltenDoc* doc = g_pDoc;
    return doc ? std::clamp(std::min(g_nSpans, int(doc->m_aSpans.size())), 0, MAX_SPANS) : 0;
}

int CSection2Drawer::Panels(int nSpan) const
{
    return std::clamp(g_anPanelCount[nSpan], 0, MAX_PANELS);
}

double CSection2Drawer::PanelLength(int nSpan, int nPanel) const
{
    return nSpan >= 0 && nSpan < Spans() && nPanel >= 0 && nPanel < Panels(nSpan) ? m_adPanelLength[nSpan][nPanel] : 0.0;
}

void CSection2Drawer::SetGirder(int nGirder)
{
    m_nGirder = std::clamp(nGirder, 0, MAX_GIRDERS - 1);
    CalcPanelLengths();
    for (int s = 0; s < MAX_SPANS; ++s) {
        m_adSpanLength[s] = 0.0;
        if (s < Spans())
            for (int p = 0; p < Panels(s); ++p)
                m_adSpanLength[s] += m_adPanelLength[s][p];
    }
}

void CSection2Drawer::CalcPanelLengths()
{
    for (auto& span : m_adPanelLength)
        std::fill(std::begin(span), std::end(span), 0.0);
    const CMarivoltenDoc* doc = g_pDoc;
    const size_t g = size_t(m_nGirder);
    for (int s = 0; s < Spans(); ++s) {
        const CSpanData& sp = doc->m_aSpans[size_t(s)];
        // Along the girder's own line, as the grillage measures its members.
        const double radius = g < sp.m_aGirderLines.size() ? sp.m_aGirderLines[g].m_dRadius : kStraightRadius;
        for (int p = 0; p < Panels(s) && size_t(p) + 1 < sp.m_aPanelPoints.size(); ++p) {
            const auto& a = sp.m_aPanelPoints[size_t(p)].m_aptGirder;
            const auto& b = sp.m_aPanelPoints[size_t(p) + 1].m_aptGirder;
            if (g < a.size() && g < b.size())
                m_adPanelLength[s][p] = CMarivoltenDoc::ArcLength(a[g], b[g], radius);
        }
    }
}

double CSection2Drawer::SpanStart(int nSpan) const
{
    double x = 0.0;
    for (int s = 0; s < nSpan && s < MAX_SPANS; ++s)
        x += m_adSpanLength[s];
    return x;
}

double CSection2Drawer::TotalLength() const { return SpanStart(Spans()); }

double CSection2Drawer::AlongGirder(int nSpan, double x) const
{
    // The profile and the change points are measured on the base line; a curved girder is
    // longer or shorter in proportion.
    const double base = g_adSpanLength[nSpan], own = m_adSpanLength[nSpan];
    return base > 1e-9 && own > 1e-9 ? x * own / base : x;
}

std::vector<CSection2Drawer::ProfilePoint> CSection2Drawer::ProfilePoints() const
{
    std::vector<ProfilePoint> out;
    const CPolyline2D* profile = HeightProfile(m_nGirder);
    const int spans = Spans();
    if (!profile || spans == 0)
        return out;
    int k = 0;
    for (int i = 0; i < profile->Count(); ++i) {
        const CDPoint& p = profile->m_aPoints[size_t(i)];
        // Every span's points start again at 0; the first point starts no new span.
        if (i > 0 && std::fabs(p.x) <= 1e-9 && k + 1 < spans)
            ++k;
        const double x = AlongGirder(k, p.x);
        // Heights to the micrometre: the smoothing leaves noise that would make a level
        // girder's bottom line jump by a unit here and there.
        const double h = std::round(p.y * 1e6) / 1e6;
        out.push_back({CDPoint(SpanStart(k) + x, kTop - h), x, k});
    }
    return out;
}

void CSection2Drawer::Line(bool bTurned, CDC* pDC, CDimensionLine& line, CDPoint p1, CDPoint p2, CPoint origin,
                           CDPoint scale, int nPlace)
{
    if (bTurned)
        line.DrawAngled(kTurn, pDC, p1, p2, origin.x, origin.y, scale, nPlace);
    else
        line.Draw(pDC, p1, p2, origin.x, origin.y, scale, nPlace);
}

int CSection2Drawer::DrawHeightProfile(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Profile(false, pDC, origin, scale);
}

int CSection2Drawer::DrawHeightProfileForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return g_pHeightDlg ? Profile(true, pDC, origin, scale) : 0;
}

int CSection2Drawer::Profile(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale)
{
    if (!g_pDoc)
        return 0;
    CDimensionLine red(PS_SOLID, 0, RGB(255, 0, 0), 0);
    const std::vector<ProfilePoint> pts = ProfilePoints();
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        // On screen each piece is level at the height of its first point.
        const CDPoint to = bTurned ? pts[i + 1].at : CDPoint(pts[i + 1].at.x, pts[i].at.y);
        Line(bTurned, pDC, red, pts[i].at, to, origin, scale);
    }
    return 1;
}

int CSection2Drawer::DrawSpanDimensions(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Dimensions(false, pDC, origin, scale);
}

int CSection2Drawer::DrawSpanDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return g_pHeightDlg ? Dimensions(true, pDC, origin, scale) : 0;
}

int CSection2Drawer::Dimensions(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale)
{
    const int spans = Spans();
    const double total = TotalLength();
    CDimensionLine dashDot(PS_DASHDOT, 0, kBlack, 0);
    // The change point list holds each span's support and change points and, after the last
    // span, the last support; every position is from the start of its span.
    if (const CSetupHeightDialog* h = g_pHeightDlg) {
        int e = 0, m = 0;
        for (int s = 0; s < spans; ++s) {
            m += 1 + std::max(h->m_anPointCount[s], 0);
            for (; e <= m && e < HeightChangeData::POINTS; ++e) {
                const double x = SpanStart(s) + AlongGirder(s, h->m_adPointPos[e]);
                Line(bTurned, pDC, dashDot, CDPoint(x, kLow), CDPoint(x, kDimension), origin, scale);
            }
        }
    }
    Line(bTurned, pDC, dashDot, CDPoint(total, kLow), CDPoint(total, kDimension), origin, scale);

    CDimensionLine dimension(PS_SOLID, 1, kBlue, 1), tick(PS_SOLID, 0, kBlue, 0);
    const double tickTop = kDimension + (scale.y > 0.0 ? std::min(1.0, kOvershoot / scale.y) : 1.0);
    for (int s = 0; s < spans; ++s) {
        const double x = SpanStart(s);
        Line(bTurned, pDC, dimension, CDPoint(x, kDimension), CDPoint(x + m_adSpanLength[s], kDimension), origin,
             scale, 2);
        Line(bTurned, pDC, tick, CDPoint(x, kTop), CDPoint(x, tickTop), origin, scale);
    }
    Line(bTurned, pDC, tick, CDPoint(total, kTop), CDPoint(total, tickTop), origin, scale);
    CDimensionLine top(PS_SOLID, 0, kBlack, 0);
    Line(bTurned, pDC, top, CDPoint(0, kTop), CDPoint(total, kTop), origin, scale);
    return 1;
}

int CSection2Drawer::Draw(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Elevation(false, pDC, origin, scale);
}

int CSection2Drawer::DrawForPrint(CDC* pDC, CPoint origin, CDPoint scale)
{
    return Elevation(true, pDC, origin, scale);
}

int CSection2Drawer::Elevation(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale)
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (bTurned)
        DrawHeightProfileForPrint(pDC, origin, scale);
    else
        DrawHeightProfile(pDC, origin, scale);
    const bool varies = m_nHeightVariation == 0;
    const CGirderDesign* girder = doc && doc->m_pGirders && m_nGirder < g_nGirders ? &doc->m_pGirders[m_nGirder] : nullptr;
    if (!varies && !girder)
        return 0;
    const std::vector<ProfilePoint> pts = ProfilePoints();
    if (pts.empty())
        return 1;
    CDimensionLine black(PS_SOLID, 0, kBlack, 0);
    auto riser = [&](CDPoint from) { Line(bTurned, pDC, black, from, CDPoint(from.x, kTop), origin, scale); };

    riser(pts.front().at);
    Support(bTurned, pDC, pts.front().at, origin, scale, 1, 1);
    if (varies) {
        // A line at every panel point within a span: the first profile point at or beyond it.
        int j = 0;
        double q = PanelLength(0, 0);
        for (size_t i = 0; i < pts.size(); ++i) {
            const int k = pts[i].span;
            if (i > 0 && k != pts[i - 1].span) {
                j = 0;
                q = PanelLength(k, 0);
                riser(pts[i].at);
                Support(bTurned, pDC, CDPoint(pts[i].at.x, pts[i - 1].at.y), origin, scale, k + 1, 1);
            }
            if (j + 1 < Panels(k) && q <= pts[i].x + kPlaceTol) {
                riser(pts[i].at);
                ++j;
                q += PanelLength(k, j);
            }
        }
    } else {
        // A line at the end of every designed section, drawn as the walk reaches its start.
        const std::vector<CSectionRecord>& sections = girder->m_pSections;
        size_t t = 0;
        double J = 0.0;
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const ProfilePoint& next = pts[i + 1];
            if (next.span != pts[i].span) {
                riser(next.at);
                Support(bTurned, pDC, next.at, origin, scale, next.span + 1, 1);
            }
            while (t < sections.size() && J <= next.at.x + kPlaceTol) {
                J += sections[t++].m_dLength;
                riser(CDPoint(J, next.at.y));
            }
        }
    }
    const CDPoint last(TotalLength(), pts.back().at.y);
    riser(last);
    Support(bTurned, pDC, last, origin, scale, Spans() + 1, 1);
    return 1;
}

void CSection2Drawer::DrawSupport(CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber, int bLabel)
{
    Support(false, pDC, at, origin, scale, nNumber, bLabel);
}

void CSection2Drawer::DrawSupportForPrint(CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber, int bLabel)
{
    Support(true, pDC, at, origin, scale, nNumber, bLabel);
}

void CSection2Drawer::Support(bool bTurned, CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber,
                              int bLabel)
{
    CDimensionLine black(PS_SOLID, 0, kBlack, 0);
    // A metre either side, but never wider than the paper's few millimetres.
    const double half = scale.x > 0.0 ? std::min(1.0, kMostHalfWidth / scale.x) : 1.0;
    const CDPoint left(at.x - half, at.y - 0.5), right(at.x + half, at.y - 0.5);
    Line(bTurned, pDC, black, at, left, origin, scale);
    Line(bTurned, pDC, black, left, right, origin, scale);
    Line(bTurned, pDC, black, right, at, origin, scale);
    if (bLabel != 1)
        return;
    // The number beside the triangle's foot after the support, else before it, else under the
    // triangle, naming the support line at the foot; worked out upright and turned with the
    // drawing onto a sideways page, so that it keeps its side and distance there.
    const QString text = AfxFormat("%d", nNumber);
    Selected<CFont> font(pDC, &m_font);
    auto logical = [&](CDPoint p) { return CPoint(origin.x + int(p.x * scale.x), origin.y + int(p.y * scale.y)); };
    const CPoint apex = logical(at), l = logical(left), r = logical(right);
    const std::vector<CPoint> upright = {CornerBeside(pDC, 0, text, CPoint(r.x, r.y), kNumberGap, 1, 0),
                                         CornerBeside(pDC, 0, text, CPoint(l.x, l.y), kNumberGap, -1, 0),
                                         CornerBeside(pDC, 0, text, CPoint(apex.x, l.y), kNumberGap, 0, -1)};
    std::vector<CPoint> corners;
    for (CPoint p : upright)
        corners.push_back(Turned(bTurned, p));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    WriteClear(pDC, bTurned ? CDimensionLine::TurnedEscapement(kTurn) : 0, corners, text,
               Turned(bTurned, CPoint(apex.x, l.y)), LabelKind::Support);
    pDC->SetBkMode(oldMode);
}

CPoint CSection2Drawer::Turned(bool bTurned, CPoint p)
{
    CRect r;
    if (!bTurned || !CDimensionLine::RotateSegment(kTurn, p.x, p.y, 0, 0, &r))
        return p;
    return r.TopLeft();
}

void CSection2Drawer::DrawAll(CDC* pDC, CPoint origin, CDPoint scale, bool bTurned)
{
    if (bTurned) {
        DrawSpanDimensionsForPrint(pDC, origin, scale);
        DrawForPrint(pDC, origin, scale);
    } else {
        DrawSpanDimensions(pDC, origin, scale);
        Draw(pDC, origin, scale);
    }
}
