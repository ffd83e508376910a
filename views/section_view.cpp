#include "views/section_view.h"

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

CSectionView* g_pSectionView = nullptr;

IMPLEMENT_DYNCREATE(CSectionView, CStationView)

namespace {

// The drawing's room and place at scale 1 (0.1 mm); 1 m is 100 units there.
constexpr int kExtent = 5500;
constexpr int kOriginX = 200, kOriginY = -900;
// On paper the widest station takes 70 % of the width inside the margins, or 16 m of
// drawing the height inside them.
constexpr double kPrintWidthShare = 0.7;
constexpr double kPrintHeight = 16.0;

}

CSectionView::CSectionView()
    : CStationView(WM_SECTION_SELECT, WM_SECTION_SCALE, CPoint(kOriginX, kOriginY)), m_global(g_pSectionView, this)
{
}

CSectionView::~CSectionView() = default;

double* CSectionView::Scale() const { return g_pDoc ? &g_pDoc->m_dSectionScale : nullptr; }

int CSectionView::RebuildDrawers(CMarivoltenDoc* pDoc)
{
    m_nDrawers = std::max(g_nCrossSections, 0);
    m_pDrawers = std::make_unique<CCrossSectionDrawer[]>(size_t(m_nDrawers));
    for (int i = 0; i < m_nDrawers; ++i)
        m_pDrawers[size_t(i)].Setup(pDoc, i);
    return 1;
}

CDPoint CSectionView::DrawingScale() const
{
    const double k = (g_pDoc ? g_pDoc->m_dSectionScale : 1.0) * 100.0;
    return CDPoint(k, k);
}

void CSectionView::FitToScale()
{
    const double k = DrawingScale().x;
    if (!(k > 0.0) || !(k < 1e4))
        return;
    m_ptOrigin = CPoint(int(kOriginX * k / 100.0), int(kOriginY * k / 100.0));
    FitScrollToDrawing(CSize(int(k / 100.0 * kExtent), int(k / 100.0 * kExtent)));
}

PlacedDrawing CSectionView::Drawing(int nStation)
{
    CCrossSectionDrawer* d = &m_pDrawers[size_t(nStation)];
    return [d](CDC* dc, CPoint o, CDPoint k) { d->DrawDimensioned(dc, o, k, false); };
}

void CSectionView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nSpans == 0)
        return;
    const int station = PlanCurrentStation(*doc);
    DrawViewPage(pDC, pInfo, AfxFormat("_横断面 %d 形状", station + 1));
    RebuildDrawers(doc);
    if (station >= m_nDrawers)
        return;
    // Every station prints at the scale of the widest.
    double widest = 1e-20;
    for (int i = 0; i < m_nDrawers; ++i)
        widest = std::max(widest, m_pDrawers[size_t(i)].m_dWidth);
    const int W = m_sizePaper.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const int H = m_sizePaper.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    if (W <= 0 || H <= 0)
        return;
    const double kx = W / widest / 100.0 * kPrintWidthShare, ky = H / kPrintHeight / 100.0;
    const double s = kx < ky ? kx : ky;
    CPoint origin(doc->m_nMarginLeft + (W - int(widest * s * 100.0)) / 2 - 50, -m_sizePaper.cy / 2 - 100);
    CDPoint scale(s * 100.0, s * 100.0);
    const PlacedDrawing draw = Drawing(station);
    const CRect frame = ViewPageFrame();
    FitDrawing(pDC, draw, frame, false, origin, scale);
    double text = 1.0;
    LabelTrials trials;
    GrowAndStretchForLabels(pDC, draw, frame, false, origin, scale, text, true, trials);
    DrawLabelled(pDC, draw, origin, scale, frame, text, true, &trials);
}
