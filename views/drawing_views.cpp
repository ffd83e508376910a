#include "views/drawing_views.h"
#include "app/doc.h"

CSectionView* g_pSectionView = nullptr;
CLoadView* g_pLoadView = nullptr;

IMPLEMENT_DYNCREATE(CSectionView, CScrollView)
IMPLEMENT_DYNCREATE(CLoadView, CScrollView)

CSectionView::CSectionView() : m_global(g_pSectionView, this) {}
CLoadView::CLoadView() : m_global(g_pLoadView, this) {}


void CSectionView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == CMarivoltenDoc::HINT_GEOMETRY)
        RebuildDrawers(dynamic_cast<CMarivoltenDoc*>(GetDocument()));
    CScrollView::OnUpdate(pSender, lHint, pHint);
}
