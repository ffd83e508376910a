#include "design/calc_view.h"
#include "app/doc.h"

IMPLEMENT_DYNCREATE(CCalcView, CScrollView)

CCalcView::CCalcView() : m_global(g_pCalcView, this) {}

void CCalcView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == CMarivoltenDoc::HINT_RESULTS_DISCARDED)
        m_bNoPendingEdits = 1;
    CScrollView::OnUpdate(pSender, lHint, pHint);
}
