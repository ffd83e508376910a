#include "views/load_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/drawing_helpers.h"
#include "views/force_bars.h"
#include "views/label_layout.h"
#include "views/plan_view.h"

#include <algorithm>
#include <cmath>

CLoadView* g_pLoadView = nullptr;

IMPLEMENT_DYNCREATE(CLoadView, CStationView)

namespace {

// The drawing's room and place at scale 1 (0.1 mm); 1 m is 100 units across and 50 up there.
constexpr int kExtent = 6000;
constexpr int kOriginX = 200, kOriginY = -500;
// On paper the drawing keeps this far inside the page frame (0.1 mm).
constexpr int kFramePad = 30;
// Shown above the drawing's top when the window opens or the scale changes (0.1 mm).
constexpr int kTopRoom = 100;

}

CLoadView::CLoadView()
    : CStationView(WM_LOAD_SELECT, WM_LOAD_SCALE, CPoint(kOriginX, kOriginY)), m_global(g_pLoadView, this)
{
}

CLoadView::~CLoadView() = default;

double* CLoadView::Scale() const { return g_pDoc ? &g_pDoc->m_dLoadScale : nullptr; }

void CLoadView::OnInitialUpdate()
{
    CStationView::OnInitialUpdate();
    ScrollToDrawingTop();
}

void CLoadView::ScrollToDrawingTop()
{
    // The upper dimensions reach 8.5 m above the slab's underside; a little room above them.
    const double ky = (g_pDoc ? g_pDoc->m_dLoadScale : 1.0) * 50.0;
    if (ky > 0.0 && ky < 1e4)
        ScrollToPosition(CPoint(0, std::min(0, m_ptOrigin.y + int(8.5 * ky) + kTopRoom)));
}

int CLoadView::RebuildDrawers(CMarivoltenDoc* pDoc)
{
    m_nDiagrams = std::max(g_nCrossSections, 0);
    m_pDiagrams = std::make_unique<CLoadDiagram[]>(size_t(m_nDiagrams));
    for (int i = 0; i < m_nDiagrams; ++i)
        m_pDiagrams[size_t(i)].Setup(pDoc, i);
    return 1;
}

void CLoadView::OnScale(int nTenths)
{
    CStationView::OnScale(nTenths);
    ScrollToDrawingTop();
}

CDPoint CLoadView::DrawingScale() const
{
    const double s = g_pDoc ? g_pDoc->m_dLoadScale : 1.0;
    return CDPoint(s * 100.0, s * 50.0);
}

void CLoadView::FitToScale()
{
    const CDPoint k = DrawingScale();
    if (!(k.x > 0.0) || !(k.x < 1e4))
        return;
    m_ptOrigin = CPoint(int(k.x / 100.0 * kOriginX), int(k.x / 50.0 * kOriginY));
    FitScrollToDrawing(CSize(int(k.x / 100.0 * kExtent), int(k.y / 50.0 * kExtent)));
}

PlacedDrawing CLoadView::Drawing(int nStation)
{
    CLoadDiagram* d = &m_pDiagrams[size_t(nStation)];
    const int sidewalk = g_pDoc ? g_pDoc->m_dlgBasic.m_nSidewalk : 0;
    return [d, sidewalk](CDC* dc, CPoint o, CDPoint k) { d->DrawDiagram(dc, sidewalk, o, k, false); };
}

void CLoadView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nSpans == 0)
        return;
    const int station = PlanCurrentStation(*doc);
    DrawViewPage(pDC, pInfo, AfxFormat("_横断面 %d 荷重", station + 1));
    RebuildDrawers(doc);
    if (station >= m_nDiagrams)
        return;
    // The diagram stands upright on the page, inside its frame with a little room.
    CRect frame = ViewPageFrame();
    frame.NormalizeRect();
    frame.DeflateRect(kFramePad, kFramePad);
    const int sidewalk = doc->m_dlgBasic.m_nSidewalk;
    // Every station prints at one scale: 70 % of the width inside the margins over the widest
    // station at 200 units a metre, or 16 m of drawing the height inside them, and smaller
    // where the drawings with their texts, which do not grow with the scale, would not fit.
    const int PW = m_sizePaper.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const int PH = m_sizePaper.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    double widest = 1e-20;
    int fixedX = 0, fixedY = 0, modelX = 0, modelY = 0;
    for (int i = 0; i < m_nDiagrams; ++i) {
        widest = std::max(widest, m_pDiagrams[size_t(i)].m_dWidth);
        const CRect r0 = m_pDiagrams[size_t(i)].Reach(pDC, sidewalk, 0.0, 0.0);
        const CRect r1 = m_pDiagrams[size_t(i)].Reach(pDC, sidewalk, 100.0, 50.0);
        fixedX = std::max(fixedX, r0.right - r0.left);
        fixedY = std::max(fixedY, r0.top - r0.bottom);
        modelX = std::max(modelX, (r1.right - r1.left) - (r0.right - r0.left));
        modelY = std::max(modelY, (r1.top - r1.bottom) - (r0.top - r0.bottom));
    }
    if (modelX <= 0 || modelY <= 0 || PW <= 0 || PH <= 0)
        return;
    const double fits = std::min(double(frame.Width() - fixedX) / modelX, double(frame.Height() - fixedY) / modelY);
    const double s = std::min({PW / widest / 200.0 * 0.7, PH / 16.0 / 200.0, fits});
    if (!(s > 0.0))
        return;
    const double kx = s * 100.0, ky = s * 50.0;
    CLoadDiagram& d = m_pDiagrams[size_t(station)];
    const CRect reach = d.Reach(pDC, sidewalk, kx, ky);
    CPoint origin(frame.left + (frame.Width() - (reach.right - reach.left)) / 2 - reach.left,
                  frame.bottom - (frame.Height() - (reach.top - reach.bottom)) / 2 - reach.top);
    CDPoint scale(kx, ky);
    // Larger where a value finds no clear place at that scale, as far as the page holds it;
    // wider where the depths between close webs or a long note above a narrow deck still find none.
    const PlacedDrawing draw = Drawing(station);
    double text = 1.0;
    LabelTrials trials;
    GrowAndStretchForLabels(pDC, draw, ViewPageFrame(), false, origin, scale, text, false, trials);
    DrawLabelled(pDC, draw, origin, scale, ViewPageFrame(), text, true, &trials);
}
