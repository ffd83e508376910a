#include "views/load_view.h"

CLoadView* g_pLoadView = nullptr;

IMPLEMENT_DYNCREATE(CLoadView, CScrollView)

CLoadView::CLoadView() : m_global(g_pLoadView, this) {}
