#include "views/drawing_views.h"
#include "app/doc.h"

CSectionView* g_pSectionView = nullptr;
CLoadView* g_pLoadView = nullptr;
CForceView* g_pForceView = nullptr;
CSection2View* g_pSection2View = nullptr;

IMPLEMENT_DYNCREATE(CSectionView, CScrollView)
IMPLEMENT_DYNCREATE(CLoadView, CScrollView)
IMPLEMENT_DYNCREATE(CForceView, CScrollView)
IMPLEMENT_DYNCREATE(CSection2View, CScrollView)

CSectionView::CSectionView() : m_global(g_pSectionView, this) {}
CLoadView::CLoadView() : m_global(g_pLoadView, this) {}
CForceView::CForceView() : m_global(g_pForceView, this) {}
CSection2View::CSection2View() : m_global(g_pSection2View, this) {}


void CSectionView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == CMarivoltenDoc::HINT_GEOMETRY)
        RebuildDrawers(dynamic_cast<CMarivoltenDoc*>(GetDocument()));
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CSection2View::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == CMarivoltenDoc::HINT_GEOMETRY)
        RebuildDrawers(dynamic_cast<CMarivoltenDoc*>(GetDocument()));
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

CForceBar::CForceBar()
    : m_adScale1{0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 3.0, 5.0, 7.0, 10.0},
      m_adScale2{0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0}
{
}
