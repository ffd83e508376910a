#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "framework/wndextras.h"

CEstimateView* g_pEstimateView = nullptr;

IMPLEMENT_DYNCREATE(CEstimateView, CScrollView)

CEstimateView::CEstimateView() : m_global(g_pEstimateView, this) {}

CEstimateView::~CEstimateView() = default;

CMarivoltenDoc* CEstimateView::GetDocument() const
{
    return static_cast<CMarivoltenDoc*>(CScrollView::GetDocument());
}

CTableGrid& CEstimateView::Grid(int nTable)
{
    CTableGrid* grids[TABLE_COUNT] = {&m_gridTable0, &m_gridTable1, &m_gridTable2, &m_gridTable3,
                                      &m_gridTable4, &m_gridTable5, &m_gridTable6, &m_gridTable7};
    return *grids[nTable];
}

bool CEstimateView::EnsureGrid(int nTable)
{
    if (!m_abGridNotCreated[nTable])
        return true;
    if (!Grid(nTable).CreateGrid(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 100), this, 1234))
        return false;
    m_abGridNotCreated[nTable] = 0;
    return true;
}
