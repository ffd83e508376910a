#include "views/section2_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/calc_view.h"
#include "framework/format.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"

#include <algorithm>

CSection2View* g_pSection2View = nullptr;

IMPLEMENT_DYNCREATE(CSection2View, CScrollView)

CSection2View::CSection2View() : m_global(g_pSection2View, this)
{
    auto printable = [](CCmdUI* pCmdUI) { pCmdUI->Enable(g_nSpans != 0); };
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        HandleUpdate(id, printable);
    OnMessage(WM_SECTION2_GIRDER, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnGirderChanged(int(lParam));
        return 0;
    });
    OnMessage(WM_SECTION2_SCALE, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
        OnScaleChanged(int(wParam), int(lParam));
        return 0;
    });
}

CSection2View::~CSection2View() = default;

void CSection2View::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_LOMETRIC, m_sizeTotal, CSize(m_sizeTotal.cx / 5, m_sizeTotal.cy / 5),
                   CSize(m_sizeTotal.cx / 20, m_sizeTotal.cy / 20));
}

void CSection2View::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    RebuildDrawers(g_pDoc);
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CSection2View::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
    PrepareDrawingDC(*this, pDC);
}

int CSection2View::RebuildDrawers(CMarivoltenDoc* pDoc)
{
    m_nDrawers = std::clamp(g_nGirders, 0, MAX_GIRDERS);
    m_pDrawers = std::make_unique<CSection2Drawer[]>(size_t(m_nDrawers));
    for (int i = 0; i < m_nDrawers; ++i)
        m_pDrawers[size_t(i)].Prepare(pDoc, i);
    return 1;
}

CSection2Drawer* CSection2View::ShownDrawer()
{
    const int g = CCalcView::ShownGirder();
    if (!m_pDrawers || g < 0 || g >= m_nDrawers)
        return nullptr;
    CSection2Drawer& drawer = m_pDrawers[size_t(g)];
    drawer.SetGirder(g);
    return &drawer;
}

void CSection2View::OnGirderChanged(int nGirder)
{
    if (g_pDoc)
        g_pDoc->m_nCalcGirder = g_nBridgeType == 2 ? 1 : nGirder;
    Invalidate();
}

void CSection2View::OnScaleChanged(int nSlider, int nTenths)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    if (nSlider == IDC_SECTION2_XSCALE_SLIDER)
        doc->m_dSection2ScaleX = nTenths / 10.0;
    else if (nSlider == IDC_SECTION2_YSCALE_SLIDER)
        doc->m_dSection2ScaleY = nTenths / 10.0;
    const double sx = doc->m_dSection2ScaleX * 100.0, sy = doc->m_dSection2ScaleY * 100.0;
    if (sx > 0.0 && sy > 0.0) {
        m_sizeTotal = CSize(int(sx / 100.0 * 13000.0), int(sy / 100.0 * 6000.0));
        const CSize page(int(m_sizeTotal.cx / (5.0 * sx)), int(m_sizeTotal.cy / (5.0 * sy)));
        const CSize line(int(m_sizeTotal.cx / (20.0 * sx)), int(m_sizeTotal.cy / (20.0 * sy)));
        SetScrollSizes(MM_LOMETRIC, m_sizeTotal, page, line);
        // The span lengths with room above them just under the window's top.
        ScrollToPosition(CPoint(m_ptOrigin.x - 100, std::min(0, DrawingOrigin().y + int(7.0 * sy) + 150)));
    }
    Invalidate();
}

void CSection2View::OnDraw(CDC* pDC)
{
    g_pSection2View = this;
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nSpans == 0)
        return;
    const CDPoint scale(doc->m_dSection2ScaleX * 25.0, doc->m_dSection2ScaleY * 100.0);
    CSection2Drawer* drawer = ShownDrawer();
    if (!drawer || !(scale.x > 0.0) || !(scale.y > 0.0))
        return;
    DrawLabelled(pDC, Drawing(*drawer), DrawingOrigin(), scale);
}

PlacedDrawing CSection2View::Drawing(CSection2Drawer& drawer)
{
    return [&drawer](CDC* dc, CPoint o, CDPoint k) { drawer.DrawAll(dc, o, k, false); };
}

CPoint CSection2View::DrawingOrigin() const
{
    // 1000 units per unit of vertical scale below the base origin, less 500.
    const double scaleY = g_pDoc ? g_pDoc->m_dSection2ScaleY : 1.0;
    return CPoint(m_ptOrigin.x, m_ptOrigin.y + 500 + int(scaleY * 100.0 * -100.0 / 10.0));
}

BOOL CSection2View::OnPreparePrinting(CPrintInfo* pInfo)
{
    return PrepareA4Printing(this, pInfo, &m_sizePaper);
}

void CSection2View::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int number = g_nBridgeType == 2 ? 1 : CCalcView::ShownGirder() + 1;
    DrawViewPage(pDC, pInfo, AfxFormat("_縦断面 %d 形状", number));
    CSection2Drawer* drawer = g_nSpans != 0 ? ShownDrawer() : nullptr;
    if (!drawer)
        return;
    // The girder over 70 % of the width inside the margins, centred; 16 m of drawing height
    // over the height inside them.
    double T = 0.0;
    for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
        T += g_adSpanLength[s];
    T /= 10.0;
    const int W = m_sizePaper.cx - (doc->m_nMarginLeft + doc->m_nMarginRight);
    const int H = m_sizePaper.cy - (doc->m_nMarginTop + doc->m_nMarginBottom);
    if (!(T > 0.0) || W <= 0 || H <= 0)
        return;
    const double hs = W / T / 100.0 * 0.7, vs = H / 16.0 / 100.0;
    CPoint origin(doc->m_nMarginLeft + (W - int(T * hs * 100.0)) / 2 - 150, int(-(m_sizePaper.cy / 1.5)));
    CDPoint scale(hs * 10.0, vs * 100.0);
    // A deep girder's supports would reach past the frame: drawn smaller there.
    const CRect frame = ViewPageFrame();
    FitDrawing(pDC, Drawing(*drawer), frame, false, origin, scale);
    DrawLabelled(pDC, Drawing(*drawer), origin, scale, frame);
}

// ---- bar ----

CSection2Bar::CSection2Bar()
    : m_adScaleX{0.1, 0.25, 0.35, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 2.5},
      m_adScaleY{0.2, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0, 5.0, 7.0, 10.0}
{
}

void CSection2Bar::Refresh()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int girder = CCalcView::ShownGirder() + 1;
    SetBarSpin(*this, IDC_SECTION2_GIRDER_SPIN, g_nGirders, girder);
    SetBarText(*this, IDC_SECTION2_GIRDER, AfxFormat("%4d", g_nBridgeType == 2 ? 1 : girder));
    ShowBarScale(*this, IDC_SECTION2_XSCALE_SLIDER, IDC_SECTION2_XSCALE, m_adScaleX, 10, doc->m_dSection2ScaleX);
    ShowBarScale(*this, IDC_SECTION2_YSCALE_SLIDER, IDC_SECTION2_YSCALE, m_adScaleY, 10, doc->m_dSection2ScaleY);
}

bool CSection2Bar::OnSpin(int nID, int nDelta)
{
    return nID == IDC_SECTION2_GIRDER_SPIN && OnDeltaposGirderSpin(nDelta);
}

bool CSection2Bar::OnDeltaposGirderSpin(int nDelta)
{
    const int g = StepSharedGirder(*this, IDC_SECTION2_GIRDER, nDelta);
    if (g < 0)
        return false;
    if (g_pSection2View)
        g_pSection2View->SendMessage(WM_SECTION2_GIRDER, WPARAM(g), LPARAM(g));
    g_pDoc->UpdateAllViews(nullptr);
    return true;
}

void CSection2Bar::OnHScroll(CWnd* pSlider)
{
    // Only the scale of the slider moved goes to the view: the other one stays as it is.
    if (const CMarivoltenDoc* doc = g_pDoc) {
        if (!SendBarScale(*this, pSlider, IDC_SECTION2_XSCALE_SLIDER, IDC_SECTION2_XSCALE, m_adScaleX, 10,
                          g_pSection2View, WM_SECTION2_SCALE, doc->m_dSection2ScaleX))
            SendBarScale(*this, pSlider, IDC_SECTION2_YSCALE_SLIDER, IDC_SECTION2_YSCALE, m_adScaleY, 10,
                         g_pSection2View, WM_SECTION2_SCALE, doc->m_dSection2ScaleY);
    }
}
