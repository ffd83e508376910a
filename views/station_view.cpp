#include "views/station_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"
#include "views/label_layout.h"
#include "views/plan_view.h"

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
    m_laidOut.Drop();
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

const std::vector<CDC::Record>* CStationView::LaidOut()
{
    CMarivoltenDoc* doc = g_pDoc;
    const CDPoint scale = DrawingScale();
    if (!doc || g_nSpans == 0 || !(scale.x > 0.0) || !(scale.x < 1e4))
        return nullptr;
    const int station = PlanCurrentStation(*doc);
    // Everything the drawing reads but the drawers' own data, which the document's rebuild
    // and the views' update notice renew.
    const CLaidOutDrawing::Key key{scale.x, scale.y, double(station), double(m_ptLaidOut.x), double(m_ptLaidOut.y),
                                   double(doc->m_nRebuildCount), double(doc->m_dlgBasic.m_nSidewalk),
                                   double(g_bSIUnits), double(g_nCrossSections)};
    const CPoint origin = m_ptLaidOut;
    bool none = false;
    const std::vector<CDC::Record>& records = m_laidOut.Records(key, [&](CDC* probe) {
        RebuildDrawers(doc);
        none = station >= Drawers();
        if (none)
            return;
        // The window's scale stays: labels that find no room there are written smaller, as on
        // paper, or led farther off.
        DrawLabelledAtScale(probe, Drawing(station), origin, scale);
    });
    return records.empty() && none ? nullptr : &records;
}

void CStationView::OnDraw(CDC* pDC)
{
    if (!g_pDoc || g_nSpans == 0)
        return;
    FitToScale();
    if (const std::vector<CDC::Record>* records = LaidOut())
        PlayRecords(pDC, *records, CPoint(m_ptOrigin.x - m_ptLaidOut.x, m_ptOrigin.y - m_ptLaidOut.y));
}

void CStationView::FitScrollToDrawing(CSize sizeTotal)
{
    // Texts keep their size at every scale: a small drawing's labels reach far past its lines.
    constexpr int kMargin = 50;
    m_ptLaidOut = m_ptOrigin;
    const std::vector<CDC::Record>* records = LaidOut();
    CRect b = records ? DrawnBounds(*records) : CRect();
    if (b.right > b.left || b.bottom > b.top) {
        // The area runs right from x = 0 and down from y = 0.
        const CPoint shift(std::max(0, kMargin - b.left), std::min(0, -kMargin - b.bottom));
        m_ptOrigin.Offset(shift.x, shift.y);
        b.OffsetRect(shift.x, shift.y);
        sizeTotal.cx = std::max(sizeTotal.cx, b.right + kMargin);
        sizeTotal.cy = std::max(sizeTotal.cy, -b.top + kMargin);
    }
    m_sizeTotal = sizeTotal;
    const CDPoint scale = DrawingScale();
    SetDrawingScrollSizes(*this, m_sizeTotal, scale.x, scale.y);
}
