// The drawing pages of the batch report: the plan, the longitudinal sections and the
// sectional force diagrams. Each draws with the drawers of its window, placed on the page.
#include "print/print_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/dimension_line.h"
#include "views/drawing_helpers.h"
#include "views/cross_section_drawer.h"
#include "views/force_view.h"
#include "views/label_layout.h"
#include "views/load_diagram.h"
#include "views/plan_view.h"
#include "views/section2_drawer.h"

#include <algorithm>
#include <cmath>
#include <functional>

// ---------------------------------------------------------------- turned text and points

void CPrintView::DrawRotatedText(CDC* pDC, double dAngle, int x, int y, QString text)
{
    TextOutTurned(pDC, int(dAngle) * 10, x, y, text);
}

CRect CPrintView::GetRotatedLabelRect(double dAngle, int x1, int y1, int x2, int y2)
{
    CRect r;
    if (CDimensionLine::RotateSegment(dAngle, x1, y1, x2, y2, &r))
        return r;
    // Off the quarter turns both corners fall on the sheet's offset.
    return CRect(-420, -2384, -420, -2384);
}

bool CPrintView::IsUpright(int nPortraitId) const
{
    const auto* b = dynamic_cast<const CButton*>(GetControl(nPortraitId));
    return !b || b->GetCheck() == 1;
}

// ---------------------------------------------------------------- plan

void CPrintView::PrintPlan(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    const bool upright = IsUpright(IDC_PR_PLAN_PORTRAIT);
    doc->LoadPrintSettings();
    FramedPage page(*this, pDC, pInfo, QStringLiteral("_平面図"));
    // A sideways page lays the plan along the sheet; the window's angle stays as it is.
    CPlanDrawer plan;
    plan.m_dOwnAngle = upright ? doc->m_dPlanAngle : 90.0;
    const CPlanFit fit = FitPlanToPage(*doc, plan.m_dOwnAngle, m_sizePage, doc->m_nMarginLeft, doc->m_nMarginRight,
                                       doc->m_nMarginTop, doc->m_nMarginBottom, 0.65, 10.0);
    if (!fit.m_bValid || g_nSpans <= 0)
        return;
    plan.m_pLabelFont = upright ? &m_font[1] : nullptr;
    plan.m_bTurnedText = upright ? 0 : 1;
    plan.m_bNumbersBesideDeck = 0;
    plan.m_nCarriagewayPenStyle = PS_DASHDOT;
    plan.m_nCarriagewayPenWidth = 1;
    plan.m_dScale = fit.m_dScale;
    plan.m_ptOrigin = fit.m_ptOrigin;
    // The section's caption, written on its first page after the plan, as wide as its widest
    // number makes it: the labels keep clear of it.
    if (m_anSectionStart[RS_PLAN] == int(pInfo->m_nCurPage)) {
        Selected<CFont> heading(pDC, &m_font[9]);
        const QString caption = AfxFormat("§%2d ", 99) + SectionName(RS_PLAN);
        const CPoint at = SectionHeadingAt(pDC, caption);
        plan.m_rcPageText = TextCell(pDC, 0, at.x, at.y, caption);
    }
    plan.KeepInFrame(pDC, doc, doc->PageFrameRect(pInfo));
    m_dPlanScale = plan.m_dScale;
    m_ptPlanOrigin = plan.m_ptOrigin;
    CLabelRoom room(pDC, doc->PageFrameRect(pInfo));
    plan.KeepLabelsOffMarks(pDC, doc, true);
    plan.DrawPage(pDC, doc);
}

// ---------------------------------------------------------------- longitudinal sections

int CPrintView::PrepareLongitudinalSections(CMarivoltenDoc* pDoc)
{
    m_nSection2Drawers = std::clamp(g_nGirders, 0, int(MAX_GIRDERS));
    m_pSection2Drawers = std::make_unique<CSection2Drawer[]>(size_t(m_nSection2Drawers));
    for (int i = 0; i < m_nSection2Drawers; ++i)
        m_pSection2Drawers[size_t(i)].Prepare(pDoc, i);
    return 1;
}

void CPrintView::PrintLongitudinalSection(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    const bool upright = IsUpright(IDC_PR_LONG_PORTRAIT);
    const int g = int(pInfo->m_nCurPage) - m_anSectionStart[RS_LONGITUDINAL];
    m_sizePage = kA4Portrait;
    FramedPage page(*this, pDC, pInfo, AfxFormat("_縦断面 %d 形状", g + 1));
    // The whole girder over 0.7 of the width inside the margins, heights over the rest.
    double L = 0.0;
    for (int i = 0; i < std::clamp(g_nSpans, 0, MAX_SPANS); ++i)
        L += g_adSpanLength[i];
    L /= 10.0;
    const int PW = m_sizePage.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const int PH = m_sizePage.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    if (!(L > 0.0) || PW <= 0 || PH <= 0)
        return;
    const double sx = PW / L / 100.0 * 0.7, sy = PH / 16.0 / 100.0;
    const int x0 = doc->m_nMarginLeft + (PW - int(L * sx * 100.0)) / 2;
    m_ptSection2Origin = CPoint(x0 - 150, int(-m_sizePage.cy / 1.4));
    m_vSection2Scale = CDPoint(sx * 10.0, sy * 100.0);
    PrepareLongitudinalSections(doc);
    if (g < 0 || g >= m_nSection2Drawers)
        return;
    CSection2Drawer& drawer = m_pSection2Drawers[size_t(g)];
    drawer.SetGirder(g);
    // Inside the frame where a deep girder's supports would reach past it, its span lengths
    // and support numbers clear of the lines and of one another.
    const PlacedDrawing draw = [&drawer, upright](CDC* dc, CPoint o, CDPoint k) { drawer.DrawAll(dc, o, k, !upright); };
    const CRect frame = doc->PageFrameRect(pInfo);
    CPoint origin = m_ptSection2Origin;
    CDPoint scale = m_vSection2Scale;
    FitDrawing(pDC, draw, frame, !upright, origin, scale);
    DrawLabelled(pDC, draw, origin, scale, frame);
}

// ---------------------------------------------------------------- sectional force diagrams

void CPrintView::PrintForceDiagram(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    const int g = int(pInfo->m_nCurPage) - m_anSectionStart[RS_FORCE_DIAGRAM];
    FramedPage page(*this, pDC, pInfo, AfxFormat("_断面力図 (G%d主桁)", g + 1));
    const CGirderDesign* girder = PrintedGirder(g);
    if (!girder)
        return;
    double L = 0.0;
    for (int i = 0; i < std::min(std::clamp(g_nSpans, 0, MAX_SPANS), int(girder->m_pdSpanLength.size())); ++i)
        L += girder->m_pdSpanLength[size_t(i)];
    const double V = 2.0 * (doc->m_bForceShowResisting ? girder->GetMaxResistingMoment()
                                                       : girder->GetMaxMomentPoint().y);
    const double W = m_sizePage.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const double H = m_sizePage.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    // A girder without length or forces has no diagram to scale.
    if (!(L > 0.0) || !(V > 0.0) || !(W > 0.0) || !(H > 0.0))
        return;
    const double kx = W / L / 10.0 * 0.8, ky = H / V * 0.5;
    const int x0 = int(doc->m_nMarginLeft + (W - L * kx * 10.0) / 2.0);
    CPoint origin(x0 - 50, -m_sizePage.cy / 2 + 50);
    CDPoint scale(kx * 10.0, ky);
    const bool upright = IsUpright(IDC_PR_FORCE_PORTRAIT);
    if (!upright) {
        scale = CDPoint(kx * 13.0, ky * 0.8);
        origin.x -= int(L / 2.0) + 200;
    }

    CForceDrawer diagram;
    diagram.m_pGirder = girder;
    diagram.m_bTurned = upright ? 0 : 1;
    // Smaller and moved where the curves, labels or caption would leave the frame or reach
    // the section's heading above them.
    CRect frame = doc->PageFrameRect(pInfo);
    {
        Selected<CFont> heading(pDC, &m_font[9]);
        const int h = pDC->GetTextExtent(SectionName(RS_FORCE_DIAGRAM)).cy;
        frame.top = std::min<int>(frame.top, -(m_nTopMargin + 3 * h) + 20);
    }
    diagram.FitInto(pDC, frame, origin, scale);
    diagram.GrowForStrays(pDC, frame, origin, scale);
    m_ptForceOrigin = origin;
    m_vForceScale = scale;
    diagram.DrawAll(pDC, origin.x, origin.y, scale);
}

// ---------------------------------------------------------------- cross sections and load diagrams

int CPrintView::PrepareSectionShapes(CMarivoltenDoc* pDoc)
{
    m_nSectionDrawers = std::clamp(g_nCrossSections, 0, int(MAX_STATIONS));
    m_pSectionDrawers = std::make_unique<CCrossSectionDrawer[]>(size_t(m_nSectionDrawers));
    for (int i = 0; i < m_nSectionDrawers; ++i)
        m_pSectionDrawers[size_t(i)].Setup(pDoc, i);
    return 1;
}

int CPrintView::PrepareSectionLoads(CMarivoltenDoc* pDoc)
{
    m_nLoadDiagrams = std::clamp(g_nCrossSections, 0, int(MAX_STATIONS));
    m_pLoadDiagrams = std::make_unique<CLoadDiagram[]>(size_t(m_nLoadDiagrams));
    for (int i = 0; i < m_nLoadDiagrams; ++i)
        m_pLoadDiagrams[size_t(i)].Setup(pDoc, i);
    return 1;
}

int CPrintView::StationOfPage(int nSection, const int* abRows, CPrintInfo* pInfo) const
{
    const int k = int(pInfo->m_nCurPage) - m_anSectionStart[nSection];
    const int stations = std::clamp(g_nCrossSections, 0, int(MAX_STATIONS));
    for (int row = 0, seen = 0; row < stations && k >= 0; ++row)
        if (abRows[row] && ++seen == k + 1)
            return row;
    return -1;
}

CStationPlacement ShapePlacement(double dWidest, CSize page, int nPW, int nPH, int nLeft, bool bUpright)
{
    CStationPlacement at;
    const double W = std::max(dWidest, 1e-20);
    at.sx = nPW / W / 100.0 * 0.7;
    at.sy = nPH / 16.0 / 100.0;
    at.x0 = nLeft + (nPW - int(W * at.sx * 100.0)) / 2;
    at.origin = CPoint(at.x0 - 50, -page.cy / 2 - 100);
    at.vector = bUpright ? CDPoint(at.sx * 75.0, at.sy * 80.0) : CDPoint(at.sx * 80.0, at.sy * 75.0);
    return at;
}

CStationPlacement LoadPlacement(double dWidest, CSize page, int nPW, int nPH, int nLeft, bool bUpright)
{
    CStationPlacement at;
    const double W = std::max(dWidest, 1e-20) * (bUpright ? 0.72 : 0.7);
    at.sx = nPW / W / 150.0 * 0.75;
    at.sy = nPH / (bUpright ? 17.0 : 18.0) / 150.0;
    at.x0 = int(nLeft + (nPW - W * at.sx * 200.0) / 2.0);
    at.origin = bUpright ? CPoint(at.x0 + 80, -page.cy / 2 + 300 + 220) : CPoint(at.x0 + 80 - 50, -page.cy / 2 + 300 + 200);
    at.vector = bUpright ? CDPoint(at.sx * 85.0, at.sy * 50.0) : CDPoint(at.sx * 100.0, at.sy * 40.0);
    return at;
}

namespace {
// The widest cross section of a drawer array, in m.
template <class T>
double WidestOf(const T* drawers, int n)
{
    double w = 1e-20;
    for (int i = 0; i < n; ++i)
        w = std::max(w, drawers[i].m_dWidth);
    return w;
}

// A station page's drawing asked at origin and scale, fitted in the frame and grown for its
// labels by `search`: the placement the job found on such a page for an earlier station that
// draws alike, else the search's, kept for those after it while a job prints.
void PlaceStation(CPrintView& view, CDC* pDC, int nSection, int nStation, const std::function<bool(int)>& alike,
                  const CRect& frame, bool upright, CPoint& origin, CDPoint& scale, double& text, LabelTrials& trials,
                  const std::function<void()>& search)
{
    const LOGFONT font = pDC->GetCurrentFont() ? pDC->GetCurrentFont()->LogFont() : LOGFONT();
    auto asked = [&](const CPrintView::StationFit& f) {
        return f.section == nSection && f.upright == upright && f.frame == frame && f.font == font &&
               f.asked == origin && f.askedScale == scale && alike(f.station);
    };
    const std::vector<CPrintView::StationFit>& fits = view.m_stationFits;
    if (const auto it = std::find_if(fits.begin(), fits.end(), asked); it != fits.end()) {
        origin = it->origin;
        scale = it->scale;
        text = it->text;
        trials.leadFar = it->leadFar;
        return;
    }
    const CPoint askedAt = origin;
    const CDPoint askedScale = scale;
    search();
    if (view.m_bJobPrinting)
        view.m_stationFits.push_back(
            {nSection, nStation, upright, frame, font, askedAt, askedScale, origin, scale, text, trials.leadFar});
}
}

void CPrintView::PrintCrossSectionShape(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    const int station = StationOfPage(RS_CROSS_SECTIONS, m_abShapeRows, pInfo);
    m_sizePage = kA4Portrait;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    {
        FramedPage page(*this, pDC, pInfo, AfxFormat("_横断面 %d 形状", station + 1));
        PrepareSectionShapes(doc);
        const int PW = m_sizePage.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
        const int PH = m_sizePage.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
        // A design without a deck width has nothing to scale: the frame alone.
        if (station >= 0 && station < m_nSectionDrawers && PW > 0 && PH > 0 &&
            WidestOf(m_pSectionDrawers.get(), m_nSectionDrawers) > 1e-9) {
            // Every station at the scale that fits the widest.
            const bool upright = IsUpright(IDC_PR_SHAPE_PORTRAIT);
            const CStationPlacement at = ShapePlacement(WidestOf(m_pSectionDrawers.get(), m_nSectionDrawers), m_sizePage,
                                                        PW, PH, doc->m_nMarginLeft, upright);
            m_stationPlacement = at;
            CPoint origin = at.origin;
            CDPoint v = at.vector;
            CCrossSectionDrawer& d = m_pSectionDrawers[size_t(station)];
            const PlacedDrawing draw = [&d, upright](CDC* dc, CPoint o, CDPoint k) {
                d.DrawDimensioned(dc, o, k, !upright);
            };
            // Grown or stretched, it keeps below the section's heading.
            CRect frame = doc->PageFrameRect(pInfo);
            {
                Selected<CFont> heading(pDC, &m_font[9]);
                const int h = pDC->GetTextExtent(SectionName(RS_CROSS_SECTIONS)).cy;
                frame.top = std::min<int>(frame.top, -(m_nTopMargin + 3 * h) + 20);
            }
            double text = 1.0;
            LabelTrials trials;
            const CCrossSectionDrawer* drawers = m_pSectionDrawers.get();
            PlaceStation(*this, pDC, RS_CROSS_SECTIONS, station, [&](int s) { return drawers[s].DrawsAlike(d); }, frame,
                         upright, origin, v, text, trials, [&] {
                             FitDrawing(pDC, draw, frame, !upright, origin, v);
                             GrowAndStretchForLabels(pDC, draw, frame, !upright, origin, v, text, true, trials);
                         });
            DrawLabelled(pDC, draw, origin, v, frame, text, true, &trials);
        }
    }
    pDC->SelectObject(oldPen);
}

void CPrintView::PrintCrossSectionLoads(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    const int station = StationOfPage(RS_LOADS, m_abLoadRows, pInfo);
    m_sizePage = kA4Portrait;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    {
        FramedPage page(*this, pDC, pInfo, AfxFormat("_横断面 %d 荷重", station + 1));
        PrepareSectionLoads(doc);
        const int PW = m_sizePage.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
        const int PH = m_sizePage.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
        if (station >= 0 && station < m_nLoadDiagrams && PW > 0 && PH > 0 &&
            WidestOf(m_pLoadDiagrams.get(), m_nLoadDiagrams) > 1e-9) {
            const bool upright = IsUpright(IDC_PR_LOAD_PORTRAIT);
            const CStationPlacement at = LoadPlacement(WidestOf(m_pLoadDiagrams.get(), m_nLoadDiagrams), m_sizePage,
                                                       PW, PH, doc->m_nMarginLeft, upright);
            m_stationPlacement = at;
            CPoint origin = at.origin;
            CDPoint v = at.vector;
            const int sidewalk = doc->m_dlgBasic.m_nSidewalk;
            CLoadDiagram& d = m_pLoadDiagrams[size_t(station)];
            const PlacedDrawing draw = [&d, upright, sidewalk](CDC* dc, CPoint o, CDPoint k) {
                d.DrawDiagram(dc, sidewalk, o, k, !upright);
            };
            const CRect frame = doc->PageFrameRect(pInfo);
            double text = 1.0;
            LabelTrials trials;
            const CLoadDiagram* diagrams = m_pLoadDiagrams.get();
            PlaceStation(*this, pDC, RS_LOADS, station, [&](int s) { return diagrams[s].DrawsAlike(d); }, frame, upright,
                         origin, v, text, trials, [&] {
                             FitDrawing(pDC, draw, frame, !upright, origin, v);
                             GrowForLabels(pDC, draw, frame, !upright, origin, v, text, false, &trials);
                         });
            DrawLabelled(pDC, draw, origin, v, frame, text, true, &trials);
        }
    }
    pDC->SelectObject(oldPen);
}
