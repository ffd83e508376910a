#include "views/plan_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "geometry/curves.h"
#include "geometry/records.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/paper_dialog.h"
#include "framework/scrollbar.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"
#include "views/drawing_views.h"
#include "views/label_layout.h"
#include "views/plan_labels.h"

#include <algorithm>
#include <cmath>

using namespace plan;

CGridView* g_pGridView = nullptr;
CGridBar* g_pGridBar = nullptr;

IMPLEMENT_DYNCREATE(CGridView, CScrollView)

namespace {

// The turned plan's outline in logical units (top = greatest y): the outer deck edges, the
// girder points and the base line; false with nothing built.
bool PlanBox(const CMarivoltenDoc& doc, const CPlanTransform& t, CRect& box)
{
    bool any = false;
    auto add = [&](CDPoint p) {
        const CPoint q = t.Map(p);
        if (!any)
            box = CRect(q.x, q.y, q.x, q.y);
        box.left = std::min(box.left, q.x);
        box.right = std::max(box.right, q.x);
        box.top = std::max(box.top, q.y);
        box.bottom = std::min(box.bottom, q.y);
        any = true;
    };
    for (int e : {0, 1})
        if (const CPolyline2D* line = doc.m_apEdgeLines[e])
            for (CDPoint p : line->m_aPoints)
                add(p);
    for (int i = 0; i < BuiltSpans(doc); ++i) {
        const CSpanData& sp = doc.m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            add(pp.m_ptBase);
            for (CDPoint p : pp.m_aptGirder)
                add(p);
        }
    }
    return any;
}

} // namespace

CDPoint CPlanTransform::Turn(CDPoint p) const
{
    const double t = m_dAngle * kPi / 180.0;
    return CDPoint(p.x * std::cos(t) - p.y * std::sin(t), p.x * std::sin(t) + p.y * std::cos(t));
}

CPoint CPlanTransform::Map(CDPoint p) const
{
    const CDPoint t = Turn(p);
    return CPoint(m_ptOrigin.x + int(t.x * m_dScale), m_ptOrigin.y + int(t.y * m_dScale));
}

CPlanFit FitPlanToPage(const CMarivoltenDoc& doc, double dAngle, CSize page, int nLeft, int nRight, int nTop,
                       int nBottom, double dFraction, double dMargin)
{
    // The deck's outer edges; their ends are left out where there are inner points.
    const CPlanTransform turn{dAngle, 1.0, CPoint()};
    double minX = 1e20, maxX = -1e20, minY = 1e20, maxY = -1e20;
    for (int i = 0; i < 2; ++i) {
        const CPolyline2D* line = doc.m_apEdgeLines[i];
        if (!line)
            continue;
        const int n = line->Count();
        const int from = n > 2 ? 1 : 0, to = n > 2 ? n - 1 : n;
        for (int k = from; k < to; ++k) {
            const CDPoint p = turn.Turn(line->m_aPoints[size_t(k)]);
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    CPlanFit fit;
    if (!(minX <= maxX))
        return fit;
    maxY += dMargin;
    minY -= dMargin;
    // A plan narrower than a metre still fits as one metre.
    const int W = std::max(int(maxX - minX), 1), H = std::max(int(maxY - minY), 1);
    const double fx = double(page.cx - nLeft - nRight) / W;
    const double fy = double(page.cy - nTop - nBottom) / H;
    const double k = dFraction * std::min(fx, fy);
    if (!(k > 0.0))
        return fit;
    fit.m_dScale = k;
    // Centred on the page: the leftmost point lands half the spare width in.
    fit.m_ptOrigin.x = (page.cx - int((maxX - minX) * k)) / 2 - int(minX * k);
    fit.m_ptOrigin.y = -((page.cy - int((maxY - minY) * k)) / 2) - int(maxY * k);
    fit.m_bValid = true;
    return fit;
}

int PlanExtent(double dPlanScale)
{
    return dPlanScale < 1.0 ? 6550 : int(6550.0 * dPlanScale);
}

int PlanCurrentGirder(const CMarivoltenDoc& doc)
{
    return std::clamp(doc.m_nCurGirder, 0, std::max(g_nGirders - 1, 0));
}

int PlanCurrentStation(const CMarivoltenDoc& doc)
{
    return std::clamp(doc.m_nCurCrossSection, 0, std::max(g_nCrossSections - 1, 0));
}

int PlanCurrentPanelPoint(const CMarivoltenDoc& doc)
{
    return std::clamp(doc.m_nPlanCrossBeam, 0, std::max(g_nPanelPoints - 1, 0));
}

CGridView::CGridView() : m_global(g_pGridView, this)
{
    m_fontSmall.CreateFont(28, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                           CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
    m_font.CreateFont(35, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                      CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
    m_pLabelFont = &m_fontSmall;
    m_pDimensionFont = &m_font;
    auto printable = [](CCmdUI* pCmdUI) { pCmdUI->Enable(g_nSpans != 0); };
    HandleUpdate(ID_FILE_PRINT_PREVIEW, printable);
    HandleUpdate(ID_FILE_PRINT, printable);
    // The bar has already written its choice into the document.
    OnMessage(WM_PLAN_SELECT, [this](WPARAM, LPARAM) -> LRESULT {
        Invalidate();
        return 0;
    });
    OnMessage(WM_PLAN_SCALE, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (wParam == IDC_PLAN_SCALE_SLIDER && g_pDoc)
            g_pDoc->m_dPlanScale = double(lParam) / 10.0;
        Invalidate();
        return 0;
    });
}

CGridView::~CGridView() = default;

void CGridView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    m_laidOut.Drop();
    CScrollView::OnUpdate(pSender, lHint, pHint);
    // The bar shows the plan's counts.
    if (g_pGridBar)
        g_pGridBar->Invalidate();
}

void CGridView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    m_sizeTotal = CSize(12000, 12000);
    SetScrollSizes(MM_LOMETRIC, m_sizeTotal, CSize(m_sizeTotal.cx / 5, m_sizeTotal.cy / 5),
                   CSize(m_sizeTotal.cx / 20, m_sizeTotal.cy / 20));
    ScrollToPosition(CPoint(m_sizeTotal.cx / 2, -m_sizeTotal.cy / 2));
}

void CGridView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
    pDC->SetMapMode(MM_LOMETRIC);
    // The scroll position is the logical point at the window's top left.
    if (!pDC->IsPrinting())
        pDC->SetWindowOrg(GetScrollPosition());
}

CPlanTransform CPlanDrawer::Transform(const CMarivoltenDoc& doc) const
{
    return CPlanTransform{std::isnan(m_dOwnAngle) ? doc.m_dPlanAngle : m_dOwnAngle, m_dScale, m_ptOrigin};
}

void CPlanDrawer::DrawPage(CDC* pDC, CMarivoltenDoc* pDoc)
{
    // The girders' names first, the lengths, then the crowded cross-member labels and node
    // numbers giving way to them, the numbers last.
    DrawGirderLabels(pDC, pDoc);
    DrawSpanDimensions(pDC, pDoc, pDoc->m_bPlanShowSpanLengths);
    DrawPanelDimensions(pDC, pDoc, pDoc->m_bPlanShowPanelLengths);
    DrawBaseLine(pDC, pDoc);
    DrawGirderLines(pDC, pDoc);
    DrawSupports(pDC, pDoc);
    DrawCrossMemberLabels(pDC, pDoc);
    DrawNodeNumbers(pDC, pDoc);
    DrawNodeMarks(pDC, pDoc);
    DrawCurbLines(pDC, pDoc);
    DrawKerbOuterLines(pDC, pDoc);
    DrawRailingLines(pDC, pDoc);
    DrawCarriagewayLines(pDC, pDoc);
    DrawCrossSectionLines(pDC, pDoc);
    DrawCrossMembers(pDC, pDoc);
}

void CGridView::OnDraw(CDC* pDC)
{
    CMarivoltenDoc* doc = g_pDoc;
    g_pGridView = this;
    if (!doc || g_nSpans == 0 || BuiltSpans(*doc) == 0 || !m_bDrawing)
        return;
    Selected<CFont> font(pDC, &m_font);

    const double s = doc->m_dPlanScale;
    if (s * 10.0 != m_dScale) {
        const int ext = PlanExtent(s);
        m_sizeTotal = CSize(ext, ext);
        const int page = int(ext / (5.0 * 10 * s)), line = int(ext / (20.0 * 10 * s));
        SetScrollSizes(MM_LOMETRIC, m_sizeTotal, CSize(page, page), CSize(line, line));
        ScrollToPosition(CPoint(ext / 2, -ext / 2));
    }
    // The turned plan is kept in view by moving the origin against the turn.
    const int a = int(doc->m_dPlanAngle);
    const double phi = (360 - (((a + 180) % 360 + 360) % 360)) * kPi / 180.0;
    const double r = 2000.0 * s;
    const CPoint shift(int(r * std::cos(phi) - r * std::sin(phi)), int(r * std::sin(phi) + r * std::cos(phi)));
    const double angle = doc->m_dPlanAngle * kPi / 180.0;
    m_ptOrigin = CPoint(shift.x + 500 + m_sizeTotal.cx / 2, -500 - shift.y - m_sizeTotal.cy / 2);
    if (angle != m_dAngle || s * 10.0 != m_dScale) {
        m_dAngle = angle;
        m_dScale = 10.0 * s;
        // The turned plan's top left corner 5 cm in from the window's, whichever way it
        // runs from its origin.
        CPoint pos(shift.x + m_sizeTotal.cx / 2, -shift.y - m_sizeTotal.cy / 2);
        if (CRect box; PlanBox(*doc, Transform(*doc), box))
            pos = CPoint(box.left - 500, box.top + 500);
        ScrollToPosition(pos);
        // The window origin of this paint already came from the old position.
        pDC->SetWindowOrg(GetScrollPosition());
    }

    const CLaidOutDrawing::Key key{s,
                                   doc->m_dPlanAngle,
                                   double(m_ptOrigin.x),
                                   double(m_ptOrigin.y),
                                   double(doc->m_nRebuildCount),
                                   double(doc->m_bPlanScaleReversed),
                                   double(doc->m_bPlanShowSpanLengths),
                                   double(doc->m_bPlanShowPanelLengths),
                                   double(g_bCoordinatePlan),
                                   double(g_nBridgeType),
                                   double(g_nGirders),
                                   double(g_nSpans)};
    PlayRecords(pDC, m_laidOut.Records(key, [&](CDC* probe) { LayOut(probe, doc); }));
    DrawSelection(pDC, doc);
}

void CGridView::LayOut(CDC* pDC, CMarivoltenDoc* pDoc)
{
    Selected<CFont> font(pDC, &m_font);
    CLabelRoom room(pDC);
    KeepLabelsOffMarks(pDC, pDoc, true);
    DrawPage(pDC, pDoc);
    m_pLayout.reset();
    {
        // The window always names the girder type: near its places where the labels took them.
        CLabelRoom type(pDC, CRect(), true);
        type.KeepOffLines(ProbeLike(pDC, [&](CDC* probe) { DrawPage(probe, pDoc); }));
        DrawBridgeTypeLabel(pDC, pDoc);
    }
    if (g_bCoordinatePlan)
        DrawEdgeIntersections(pDC, pDoc);
}

BOOL CGridView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (!DoPreparePrinting(pInfo))
        return FALSE;
    // The paper is settled here, before the job lays out its first page.
    if (!g_bNoA3Paper) {
        CPaperSelectDlg dlg;
        dlg.ReadPrinter(pInfo);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        dlg.ApplyPaper(pInfo);
    }
    m_nPaper = pInfo->GetSettings().m_nPaperSize;
    if (g_pDoc)
        g_pDoc->SetupPrinterPaper(pInfo, &m_sizePaper, m_nPaper);
    return TRUE;
}

void CGridView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const double theta = doc->m_dPlanAngle * kPi / 180.0;
    doc->LoadPrintSettings();
    if (CSize(doc->m_nPageWidth, doc->m_nPageHeight) != m_sizePaper)
        doc->SetupPrinterPaper(pInfo, &m_sizePaper, m_nPaper);
    const CPoint savedOrigin = m_ptOrigin;
    const double savedScale = m_dScale;
    m_dAngle = theta;

    const CPlanFit fit = FitPlanToPage(*doc, doc->m_dPlanAngle, CSize(doc->m_nPageWidth, doc->m_nPageHeight),
                                       doc->m_nMarginLeft, doc->m_nMarginRight, doc->m_nMarginTop,
                                       doc->m_nMarginBottom, 0.7, 0.0);
    doc->DrawPageFrame(pDC, pInfo, QStringLiteral("_平面図"));
    if (fit.m_bValid && BuiltSpans(*doc) > 0) {
        m_dScale = fit.m_dScale;
        m_ptOrigin = fit.m_ptOrigin;
        CLabelRoom room(pDC, doc->PageFrameRect(pInfo));
        KeepLabelsOffMarks(pDC, doc);
        DrawBaseLine(pDC, doc);
        DrawGirderLines(pDC, doc);
        DrawSupports(pDC, doc);
        // The girders' names go first: crowded cross-member labels and node numbers, the
        // numbers last, may give way, they may not.
        DrawGirderLabels(pDC, doc);
        DrawCrossMemberLabels(pDC, doc);
        DrawNodeNumbers(pDC, doc);
        {
            // The page names the girder type as the screen does; in the labels' font, as the
            // plan stands smaller on paper and the screen's would run into the girder labels.
            Selected<CFont> font(pDC, &m_fontSmall);
            DrawBridgeTypeLabel(pDC, doc);
        }
        DrawNodeMarks(pDC, doc);
        DrawCurbLines(pDC, doc);
        DrawKerbOuterLines(pDC, doc);
        DrawRailingLines(pDC, doc);
        DrawCarriagewayLines(pDC, doc);
        DrawCrossSectionLines(pDC, doc);
        DrawCrossMembers(pDC, doc);
        m_pLayout.reset();
    }
    m_ptOrigin = savedOrigin;
    m_dScale = savedScale;
}

int CPlanDrawer::DrawBaseLine(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_DASHDOT, 1, RGB(0, 128, 0));
    Selected<CPen> sel(pDC, &pen);
    const CPlanTransform t = Transform(*pDoc);
    const int spans = BuiltSpans(*pDoc);
    if (g_bCoordinatePlan) {
        std::vector<CDPoint> pts;
        for (int i = 0; i < spans; ++i) {
            const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
            for (int j = i == 0 ? 0 : 1; j < PanelPoints(sp); ++j)
                pts.push_back(sp.m_aPanelPoints[size_t(j)].m_ptBase);
        }
        const int n = int(pts.size());
        if (n < 2)
            return 1;
        // Beyond what the curve takes the points are subdivided straight.
        pts.resize(size_t(n + (n - 1) * 9));
        InterpolateCurve(pts.data(), 10, n);
        std::vector<CPoint> mapped;
        mapped.reserve(pts.size());
        for (const CDPoint& p : pts)
            mapped.push_back(t.Map(p));
        pDC->Polyline(mapped.data(), int(mapped.size()));
        return 1;
    }
    for (int i = 0; i < spans; ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        const CPoint a = t.Map(sp.m_base.m_ptStart), b = t.Map(sp.m_base.m_ptEnd);
        if (!sp.m_bCurvedBaseLine) {
            pDC->MoveTo(a);
            pDC->LineTo(b);
        } else {
            const CPoint c = t.Map(sp.m_base.m_ptCentre);
            const int r = int(t.m_dScale * sp.m_dRadius);
            const int ar = std::abs(r);
            const CRect box(c.x - ar, c.y - ar, c.x + ar, c.y + ar);
            if (r > 0)
                pDC->Arc(box, a, b);
            else
                pDC->Arc(box, b, a);
        }
    }
    return 1;
}

int CPlanDrawer::DrawGirderLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    Selected<CPen> sel(pDC, &pen);
    const CPlanTransform t = Transform(*pDoc);
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int g = 0; g < g_nGirders; ++g)
            for (int j = 0; j + 1 < PanelPoints(sp); ++j) {
                const CDPoint* a = GirderPoint(sp.m_aPanelPoints[size_t(j)], g);
                const CDPoint* b = GirderPoint(sp.m_aPanelPoints[size_t(j + 1)], g);
                if (!a || !b)
                    continue;
                pDC->MoveTo(t.Map(*a));
                pDC->LineTo(t.Map(*b));
            }
    }
    return 1;
}

int CPlanDrawer::DrawSupports(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush brush(RGB(255, 0, 0));
    Selected<CPen> selPen(pDC, &pen);
    Selected<CBrush> selBrush(pDC, &brush);
    const CPlanTransform t = Transform(*pDoc);
    auto square = [&](const CDPoint* p) {
        if (!p)
            return;
        const CDPoint q = t.Turn(*p);
        const double x = q.x * t.m_dScale, y = q.y * t.m_dScale;
        pDC->Rectangle(t.m_ptOrigin.x + int(x - 12.5), t.m_ptOrigin.y + int(y + 12.5),
                       t.m_ptOrigin.x + int(x + 12.5), t.m_ptOrigin.y + int(y - 12.5));
    };
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        const int n = PanelPoints(sp);
        if (n == 0)
            continue;
        for (const CPanelPointRecord* pp : {&sp.m_aPanelPoints.front(), &sp.m_aPanelPoints[size_t(n - 1)]}) {
            if (g_nBridgeType == 2) {
                square(GirderPoint(*pp, 0));
                square(GirderPoint(*pp, 2));
            } else {
                for (int g = 0; g < g_nGirders; ++g)
                    square(GirderPoint(*pp, g));
            }
        }
    }
    return 1;
}

int CPlanDrawer::DrawNodeMarks(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_SOLID, 1, RGB(192, 192, 192));
    Selected<CPen> selPen(pDC, &pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(LTGRAY_BRUSH);
    const CPlanTransform t = Transform(*pDoc);
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j)
            for (int g = 0; g < g_nGirders; ++g)
                if (const CDPoint* p = GirderPoint(sp.m_aPanelPoints[size_t(j)], g)) {
                    const CPoint c = t.Map(*p);
                    pDC->Ellipse(c.x - 8, c.y + 8, c.x + 8, c.y - 8);
                }
    }
    pDC->SelectObject(oldBrush);
    return 1;
}

void CPlanDrawer::DrawEdgeKinds(CDC* pDC, CMarivoltenDoc* pDoc, std::initializer_list<int> kinds)
{
    const CPlanTransform t = Transform(*pDoc);
    std::vector<CPoint> buf;
    for (int kind : kinds)
        for (int side = 0; side < 2; ++side) {
            const CPolyline2D* line = pDoc->m_apEdgeLines[side + 2 * kind];
            if (!line || line->Count() < 2)
                continue;
            buf.clear();
            for (const CDPoint& p : line->m_aPoints)
                buf.push_back(t.Map(p));
            pDC->Polyline(buf.data(), int(buf.size()));
        }
}

int CPlanDrawer::DrawCurbLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_SOLID, 1, RGB(128, 0, 128));
    Selected<CPen> sel(pDC, &pen);
    DrawEdgeKinds(pDC, pDoc, {0, 2});
    return 1;
}

int CPlanDrawer::DrawKerbOuterLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_SOLID, 1, RGB(0, 128, 0));
    Selected<CPen> sel(pDC, &pen);
    DrawEdgeKinds(pDC, pDoc, {3});
    return 1;
}

int CPlanDrawer::DrawRailingLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_DOT, 1, RGB(0, 0, 0));
    Selected<CPen> sel(pDC, &pen);
    DrawEdgeKinds(pDC, pDoc, {1});
    return 1;
}

int CPlanDrawer::DrawCarriagewayLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(m_nCarriagewayPenStyle, m_nCarriagewayPenWidth, RGB(0, 128, 0));
    Selected<CPen> sel(pDC, &pen);
    CGdiObject* oldBrush = pDC->SelectStockObject(WHITE_BRUSH);
    DrawEdgeKinds(pDC, pDoc, {4, 5});
    pDC->SelectObject(oldBrush);
    return 1;
}

int CPlanDrawer::DrawEdgeIntersections(CDC* pDC, CMarivoltenDoc* pDoc)
{
    if (!g_bCoordinatePlan)
        return 1;
    CPen pen(PS_SOLID, 1, RGB(192, 192, 0));
    CBrush brush(RGB(192, 192, 0));
    Selected<CPen> selPen(pDC, &pen);
    Selected<CBrush> selBrush(pDC, &brush);
    Selected<CFont> selFont(pDC, m_pLabelFont);
    const CPlanTransform t = Transform(*pDoc);
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j)
            for (const CDPoint& e : sp.m_aPanelPoints[size_t(j)].m_aptEdge) {
                const CPoint c = t.Map(e);
                pDC->Ellipse(c.x - 6, c.y + 6, c.x + 6, c.y - 6);
            }
    }
    return 1;
}

void CPlanDrawer::DrawStationLine(CDC* pDC, const CMarivoltenDoc& doc, int span, int station)
{
    const CStationRecord& st = doc.m_aSpans[size_t(span)].m_aStations[size_t(station)];
    const CDPoint A = st.m_aptEdge[0][0], B = st.m_aptEdge[0][1];
    const double a = st.m_dAngle;
    // Both ends reach 5 m beyond the outermost edges.
    CDPoint p1 = Polar(A, a, 5.0);
    if (Dot(p1, A, B) < 0)
        p1 = Polar(A, a - kPi, 5.0);
    CDPoint p2 = Polar(B, a, 5.0);
    if (Dot(p2, A, B) >= 0)
        p2 = Polar(B, a - kPi, 5.0);
    const CPlanTransform t = Transform(doc);
    pDC->MoveTo(t.Map(p1));
    pDC->LineTo(t.Map(p2));
}

int CPlanDrawer::DrawCrossSectionLines(CDC* pDC, CMarivoltenDoc* pDoc)
{
    CPen pen(PS_DOT, 1, RGB(128, 128, 128));
    Selected<CPen> sel(pDC, &pen);
    for (int i = 0; i < BuiltSpans(*pDoc); ++i)
        for (int k = 0; k < int(pDoc->m_aSpans[size_t(i)].m_aStations.size()); ++k)
            DrawStationLine(pDC, *pDoc, i, k);
    return 1;
}

int CPlanDrawer::DrawCrossMembers(CDC* pDC, CMarivoltenDoc* pDoc)
{
    const CPlanTransform t = Transform(*pDoc);
    CPen* old = nullptr;
    for (int i = 0; i < BuiltSpans(*pDoc); ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        for (int j = 0; j < PanelPoints(sp); ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            COLORREF colour = RGB(0, 0, 255);
            switch (pp.m_nMemberKind) {
            case END_SWAY_BRACING: colour = RGB(255, 255, 0); break;
            case INTERMEDIATE_SWAY_BRACING: colour = RGB(50, 255, 255); break;
            case SUPPORT_SWAY_BRACING: colour = RGB(255, 0, 0); break;
            default: break;
            }
            CPen pen(pp.m_bDistributing ? PS_SOLID : PS_DOT, 1, colour);
            CPen* prev = pDC->SelectObject(&pen);
            if (!old)
                old = prev;
            pDC->MoveTo(t.Map(pp.m_ptLine1));
            pDC->LineTo(t.Map(pp.m_ptLine2));
            pDC->SelectObject(old);
        }
    }
    return 1;
}

int CGridView::DrawSelection(CDC* pDC, CMarivoltenDoc* pDoc)
{
    const CPlanTransform t = Transform(*pDoc);
    const int spans = BuiltSpans(*pDoc);
    if (g_nBridgeType != 2) {
        CPen red(PS_SOLID, 5, RGB(255, 0, 0));
        Selected<CPen> sel(pDC, &red);
        const int g = PlanCurrentGirder(*pDoc);
        for (int i = 0; i < spans; ++i) {
            const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
            for (int j = 0; j + 1 < PanelPoints(sp); ++j) {
                const CDPoint* a = GirderPoint(sp.m_aPanelPoints[size_t(j)], g);
                const CDPoint* b = GirderPoint(sp.m_aPanelPoints[size_t(j + 1)], g);
                if (!a || !b)
                    continue;
                pDC->MoveTo(t.Map(*a));
                pDC->LineTo(t.Map(*b));
            }
        }
    }
    CPen grey(PS_SOLID, 5, RGB(128, 128, 128));
    Selected<CPen> sel(pDC, &grey);
    const int cur = PlanCurrentStation(*pDoc);
    for (int i = 0; i < spans; ++i) {
        const int first = pDoc->m_anSupportStation[i], last = pDoc->m_anSupportStation[i + 1];
        if (first <= cur && cur <= last) {
            const int k = cur - first;
            if (k < int(pDoc->m_aSpans[size_t(i)].m_aStations.size()))
                DrawStationLine(pDC, *pDoc, i, k);
            break;
        }
    }
    return 1;
}

// ---- bar ----

// The number the text begins with, 0 without one.
static double LeadingNumber(const QString& textIn)
{
    const QString text = textIn.trimmed();
    int n = 0;
    while (n < text.size() && (text[n].isDigit() || text[n] == u'.' || ((text[n] == u'-' || text[n] == u'+') && n == 0)))
        ++n;
    for (int k = n; k > 0; --k) {
        bool ok = false;
        const double v = text.left(k).toDouble(&ok);
        if (ok)
            return v;
    }
    return 0.0;
}

CGridBar::CGridBar() : m_global(g_pGridBar, this)
{
    for (int i = 0; i < 360; ++i)
        m_adAngle[i] = i;
}

void CGridBar::SetText(int nID, const QString& text)
{
    if (CWnd* w = GetControl(nID); w && w->GetWindowText() != text)
        w->SetWindowText(text);
}

void CGridBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The bar has no commands of its own: its checks follow the document.
    Refresh();
}

// A new bar shows the document's choices at once; later it follows them at the frame's idle
// update. A paint writes nothing: a check box repaints the bar between its new state and the
// click that reports it, and would be set back to the document's old value.
int CGridBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    Refresh();
    return 0;
}

void CGridBar::Refresh()
{
    g_pGridBar = this;
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    auto spin = [this](int nID, int nUpper, int nPos) {
        if (auto* s = dynamic_cast<CSpinButtonCtrl*>(GetControl(nID))) {
            s->SetRange(1, std::max(nUpper, 1));
            s->SetPos(nPos);
        }
    };
    const int girder = PlanCurrentGirder(*doc) + 1, station = PlanCurrentStation(*doc) + 1;
    const int beam = PlanCurrentPanelPoint(*doc) + 1;
    spin(IDC_PLAN_GIRDER_SPIN, g_nGirders, girder);
    spin(IDC_PLAN_CROSS_BEAM_SPIN, g_nPanelPoints, beam);
    spin(IDC_PLAN_SECTION_SPIN, g_nCrossSections, station);
    SetText(IDC_PLAN_GIRDER, AfxFormat("%4d", g_nBridgeType == 2 ? 1 : girder));
    SetText(IDC_PLAN_CROSS_BEAM, AfxFormat("%4d", beam));
    SetText(IDC_PLAN_SECTION, AfxFormat("%4d", station));

    auto* scale = dynamic_cast<CSliderCtrl*>(GetControl(IDC_PLAN_SCALE_SLIDER));
    auto* angle = dynamic_cast<CSliderCtrl*>(GetControl(IDC_PLAN_ANGLE_SLIDER));
    if (m_bFirstPaint && scale && angle) {
        // Starts where the document's scale is, so that bar and plan agree.
        int pos = 3;
        for (int i = 0; i < 10; ++i)
            if (m_adScale[i] == doc->m_dPlanScale)
                pos = i;
        scale->SetRange(0, 9);
        scale->SetPos(pos);
        angle->SetRange(0, 359);
        angle->SetPos(0);
        m_bFirstPaint = 0;
    }
    if (scale)
        SetText(IDC_PLAN_SCALE, AfxFormat("%4.1f", m_adScale[std::clamp(scale->GetPos(), 0, 9)]));
    if (angle)
        angle->SetPos(std::clamp(int(doc->m_dPlanAngle), 0, 359));
    // An angle being typed is left as it stands while it reads as the plan's angle.
    if (CWnd* edit = GetControl(IDC_PLAN_ANGLE); edit && (edit->GetWindowText().trimmed().isEmpty() || LeadingNumber(edit->GetWindowText()) != doc->m_dPlanAngle))
        SetText(IDC_PLAN_ANGLE, AfxFormat("%7.3f", doc->m_dPlanAngle));
    auto check = [this](int nID, int value) {
        if (auto* b = dynamic_cast<CButton*>(GetControl(nID)); b && b->GetCheck() != value)
            b->SetCheck(value);
    };
    check(IDC_PLAN_REVERSE, doc->m_bPlanScaleReversed);
    check(IDC_PLAN_SHOW_SPANS, doc->m_bPlanShowSpanLengths);
    check(IDC_PLAN_SHOW_PANELS, doc->m_bPlanShowPanelLengths);
}

LRESULT CGridBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL) {
        OnHScroll(reinterpret_cast<CWnd*>(lParam));
        return 0;
    }
    if (message != WM_COMMAND)
        return CDialogBar::WindowProc(message, wParam, lParam);
    const int id = int(wParam & 0xFFFF);
    const UINT code = UINT((wParam >> 16) & 0xFFFF);
    if (code == UDN_DELTAPOS) {
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(id))) {
            // The bar writes the choice and the edit itself.
            spin->m_bRefused = true;
            if (id == IDC_PLAN_GIRDER_SPIN)
                OnDeltaPosGirder(spin->m_nDelta);
            else if (id == IDC_PLAN_SECTION_SPIN)
                OnDeltaPosSection(spin->m_nDelta);
            else if (id == IDC_PLAN_CROSS_BEAM_SPIN)
                OnDeltaPosCrossBeam(spin->m_nDelta);
        }
        return 0;
    }
    if (code == EN_CHANGE && id == IDC_PLAN_ANGLE) {
        OnChangeAngle();
        return 0;
    }
    if (code == BN_CLICKED && g_pDoc) {
        int* flag = id == IDC_PLAN_SHOW_SPANS    ? &g_pDoc->m_bPlanShowSpanLengths
                    : id == IDC_PLAN_SHOW_PANELS ? &g_pDoc->m_bPlanShowPanelLengths
                    : id == IDC_PLAN_REVERSE     ? &g_pDoc->m_bPlanScaleReversed
                                                 : nullptr;
        if (flag) {
            if (auto* b = dynamic_cast<CButton*>(GetControl(id)))
                *flag = b->GetCheck() ? 1 : 0;
            if (g_pGridView)
                g_pGridView->Invalidate();
            return 0;
        }
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

void CGridBar::OnHScroll(CWnd* pSlider)
{
    auto* slider = dynamic_cast<CSliderCtrl*>(pSlider);
    if (!slider)
        return;
    if (slider == GetControl(IDC_PLAN_SCALE_SLIDER)) {
        const int i = std::clamp(slider->GetPos(), 0, 9);
        if (g_pGridView)
            g_pGridView->SendMessage(WM_PLAN_SCALE, IDC_PLAN_SCALE_SLIDER, LPARAM(int(m_adScale[i] * 10.0)));
        SetText(IDC_PLAN_SCALE, AfxFormat("%4.1f", m_adScale[i]));
    } else if (slider == GetControl(IDC_PLAN_ANGLE_SLIDER)) {
        const int i = std::clamp(slider->GetPos(), 0, 359);
        if (g_pDoc)
            g_pDoc->m_dPlanAngle = m_adAngle[i];
        SetText(IDC_PLAN_ANGLE, AfxFormat("%7.3f", m_adAngle[i]));
        if (g_pGridView)
            g_pGridView->SendMessage(WM_PLAN_SCALE, IDC_PLAN_ANGLE_SLIDER, LPARAM(int(m_adAngle[i])));
    }
}

void CGridBar::OnChangeAngle()
{
    CWnd* edit = GetControl(IDC_PLAN_ANGLE);
    if (!edit || !g_pDoc)
        return;
    // A typed angle is not limited.
    g_pDoc->m_dPlanAngle = LeadingNumber(edit->GetWindowText());
    if (g_pGridView)
        g_pGridView->SendMessage(WM_PLAN_SCALE, IDC_PLAN_ANGLE_SLIDER, 0);
}

void CGridBar::Select(int nWhat, int nIndex)
{
    if (g_pGridView)
        g_pGridView->SendMessage(WM_PLAN_SELECT, WPARAM(nWhat), LPARAM(nIndex));
    g_pDoc->UpdateAllViews(nullptr, 0, nullptr);
}

// Steps one of the bar's choices within 1 .. nCount; false when the step would leave it.
bool CGridBar::StepChoice(int nCurrent, int nCount, int nDelta, int& nMember, int nId, int nWhat)
{
    const int n = nCurrent + 1 + nDelta;
    if (n < 1 || n > nCount)
        return false;
    nMember = n - 1;
    SetText(nId, AfxFormat("%4d", n));
    Select(nWhat, n - 1);
    return true;
}

bool CGridBar::OnDeltaPosGirder(int nDelta)
{
    if (!g_pDoc || g_nBridgeType == 2)
        return false;
    return StepChoice(PlanCurrentGirder(*g_pDoc), g_nGirders, nDelta, g_pDoc->m_nCurGirder, IDC_PLAN_GIRDER, 0);
}

bool CGridBar::OnDeltaPosSection(int nDelta)
{
    if (!g_pDoc)
        return false;
    return StepChoice(PlanCurrentStation(*g_pDoc), g_nCrossSections, nDelta, g_pDoc->m_nCurCrossSection,
                      IDC_PLAN_SECTION, 1);
}

bool CGridBar::OnDeltaPosCrossBeam(int nDelta)
{
    if (!g_pDoc)
        return false;
    return StepChoice(PlanCurrentPanelPoint(*g_pDoc), g_nPanelPoints, nDelta, g_pDoc->m_nPlanCrossBeam,
                      IDC_PLAN_CROSS_BEAM, 2);
}
