#include "views/station_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStationView, CScrollView)

CStationView::CStationView(UINT nSelectMessage, UINT nScaleMessage, CPoint origin) : m_ptOrigin(origin)
{
    auto printable = [](CCmdUI* pCmdUI) { pCmdUI->Enable(g_nSpans != 0); };
    for (UINT id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW})
        HandleUpdate(id, printable);
    OnMessage(nSelectMessage, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSelect(int(lParam));
        return 0;
    });
    OnMessage(nScaleMessage, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnScale(int(lParam));
        return 0;
    });
}

void CStationView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    FitToScale();
}

void CStationView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    RebuildDrawers(g_pDoc);
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CStationView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
    PrepareDrawingDC(*this, pDC);
}

BOOL CStationView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return PrepareA4Printing(this, pInfo, &m_sizePaper);
}

void CStationView::OnSelect(int nStation)
{
    if (g_pDoc)
        g_pDoc->m_nCurCrossSection = nStation;
    Invalidate();
}

void CStationView::OnScale(int nTenths)
{
    if (double* scale = Scale())
        *scale = nTenths / 10.0;
    FitToScale();
    Invalidate();
}

void CStationView::FitScrollToDrawing(const PlacedDrawing& draw, CDPoint scale, CSize sizeTotal)
{
    // Texts keep their size at every scale: a small drawing's labels reach far past its lines.
    constexpr int kMargin = 50;
    CRect b;
    if (draw) {
        CDC screen;
        screen.SetMapMode(MM_LOMETRIC);
        b = DrawnBounds(ProbeLike(&screen, [&](CDC* probe) { DrawLabelled(probe, draw, m_ptOrigin, scale); }));
    }
    if (b.right > b.left || b.bottom > b.top) {
        // The area runs right from x = 0 and down from y = 0.
        const CPoint shift(std::max(0, kMargin - b.left), std::min(0, -kMargin - b.bottom));
        m_ptOrigin.Offset(shift.x, shift.y);
        b.OffsetRect(shift.x, shift.y);
        sizeTotal.cx = std::max(sizeTotal.cx, b.right + kMargin);
        sizeTotal.cy = std::max(sizeTotal.cy, -b.top + kMargin);
    }
    m_sizeTotal = sizeTotal;
    SetDrawingScrollSizes(*this, m_sizeTotal, scale.x, scale.y);
}
