#include "views/load_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/drawing_helpers.h"
#include "views/force_bars.h"
#include "views/plan_view.h"

#include <algorithm>
#include <cmath>

CLoadView* g_pLoadView = nullptr;

IMPLEMENT_DYNCREATE(CLoadView, CStationView)

namespace {

// The drawing's room and place at scale 1 (0.1 mm); 1 m is 100 units across and 50 up there.
constexpr int kExtent = 6000;
constexpr int kOriginX = 200, kOriginY = -500;
// On the sideways page the drawing keeps this far inside the page frame (0.1 mm).
constexpr int kFramePad = 30;
constexpr double kTurn = 270.0;
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

void CLoadView::FitToScale()
{
    const double s = g_pDoc ? g_pDoc->m_dLoadScale : 1.0;
    const double kx = s * 100.0, ky = s * 50.0;
    if (!(kx > 0.0) || !(kx < 1e4))
        return;
    m_ptOrigin = CPoint(int(kx / 100.0 * kOriginX), int(kx / 50.0 * kOriginY));
    m_sizeTotal = CSize(int(kx / 100.0 * kExtent), int(ky / 50.0 * kExtent));
    SetDrawingScrollSizes(*this, m_sizeTotal, kx, ky);
}

void CLoadView::OnDraw(CDC* pDC)
{
    g_pLoadView = this;
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nSpans == 0)
        return;
    RebuildDrawers(doc);
    FitToScale();
    const double kx = doc->m_dLoadScale * 100.0, ky = doc->m_dLoadScale * 50.0;
    const int station = PlanCurrentStation(*doc);
    if (!(kx > 0.0) || station >= m_nDiagrams)
        return;
    CLoadDiagram& d = m_pDiagrams[size_t(station)];
    const int sidewalk = doc->m_dlgBasic.m_nSidewalk;
    d.DrawUpperDimensions(pDC, m_ptOrigin, kx, ky);
    d.DrawSection(pDC, m_ptOrigin, CDPoint(kx, ky));
    d.DrawLoadAreas(pDC, sidewalk, m_ptOrigin, kx, ky);
    d.DrawLowerDimensions(pDC, m_ptOrigin, kx, ky);
    d.DrawLoads(sidewalk, pDC, m_ptOrigin, kx, ky);
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
    // The diagram lies turned a quarter on the page, its deck along the page's height. Before
    // the turn the frame is the box below: x along the page from its foot, y across it.
    const CRect frame = ViewPageFrame();
    const int left = frame.bottom + 2384 + kFramePad, right = frame.top + 2384 - kFramePad;
    const int top = -frame.left - 420 - kFramePad, bottom = -frame.right - 420 + kFramePad;
    const int sidewalk = doc->m_dlgBasic.m_nSidewalk;
    // Every station prints at one scale: what the drawings need at scale 1 beyond the room
    // of their texts, which does not grow with the scale.
    int fixedX = 0, fixedY = 0, modelX = 0, modelY = 0;
    for (int i = 0; i < m_nDiagrams; ++i) {
        const CRect r0 = m_pDiagrams[size_t(i)].Reach(pDC, sidewalk, 0.0, 0.0);
        const CRect r1 = m_pDiagrams[size_t(i)].Reach(pDC, sidewalk, 100.0, 50.0);
        fixedX = std::max(fixedX, r0.right - r0.left);
        fixedY = std::max(fixedY, r0.top - r0.bottom);
        modelX = std::max(modelX, (r1.right - r1.left) - (r0.right - r0.left));
        modelY = std::max(modelY, (r1.top - r1.bottom) - (r0.top - r0.bottom));
    }
    if (modelX <= 0 || modelY <= 0)
        return;
    const double s = std::min(double(right - left - fixedX) / modelX, double(top - bottom - fixedY) / modelY);
    if (!(s > 0.0))
        return;
    const double kx = s * 100.0, ky = s * 50.0;
    CLoadDiagram& d = m_pDiagrams[size_t(station)];
    const CRect reach = d.Reach(pDC, sidewalk, kx, ky);
    const CPoint origin(left + (right - left - (reach.right - reach.left)) / 2 - reach.left,
                        top - (top - bottom - (reach.top - reach.bottom)) / 2 - reach.top);
    d.DrawUpperDimensionsForPrint(pDC, origin, kx, ky);
    d.DrawSectionForPrint(pDC, origin, CDPoint(kx, ky));
    d.DrawLoadAreasForPrint(kTurn, pDC, sidewalk, origin, kx, ky);
    d.DrawLowerDimensionsForPrint(pDC, origin, kx, ky);
    d.DrawLoadsForPrint(kTurn, sidewalk, pDC, origin, kx, ky);
}
