#include "views/drawing_views.h"
#include "app/doc.h"

CGridView* g_pGridView = nullptr;
CSectionView* g_pSectionView = nullptr;
CLoadView* g_pLoadView = nullptr;
CForceView* g_pForceView = nullptr;
CSection2View* g_pSection2View = nullptr;
CGridBar* g_pGridBar = nullptr;

IMPLEMENT_DYNCREATE(CGridView, CScrollView)
IMPLEMENT_DYNCREATE(CSectionView, CScrollView)
IMPLEMENT_DYNCREATE(CLoadView, CScrollView)
IMPLEMENT_DYNCREATE(CForceView, CScrollView)
IMPLEMENT_DYNCREATE(CSection2View, CScrollView)

CGridView::CGridView() { g_pGridView = this; }
CGridView::~CGridView() { if (g_pGridView == this) g_pGridView = nullptr; }
CSectionView::CSectionView() { g_pSectionView = this; }
CSectionView::~CSectionView() { if (g_pSectionView == this) g_pSectionView = nullptr; }
CLoadView::CLoadView() { g_pLoadView = this; }
CLoadView::~CLoadView() { if (g_pLoadView == this) g_pLoadView = nullptr; }
CForceView::CForceView() { g_pForceView = this; }
CForceView::~CForceView() { if (g_pForceView == this) g_pForceView = nullptr; }
CSection2View::CSection2View() { g_pSection2View = this; }
CSection2View::~CSection2View() { if (g_pSection2View == this) g_pSection2View = nullptr; }

CGridBar::CGridBar() { g_pGridBar = this; }
CGridBar::~CGridBar() { if (g_pGridBar == this) g_pGridBar = nullptr; }

void CGridView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CScrollView::OnUpdate(pSender, lHint, pHint);
    // The bar shows the plan's counts.
    if (g_pGridBar)
        g_pGridBar->Invalidate();
}

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
