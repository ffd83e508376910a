#include "views/table_views.h"

CReactView* g_pReactView = nullptr;
CConditionView* g_pConditionView = nullptr;
CSectionPropertiesView* g_pPropertiesView = nullptr;

IMPLEMENT_DYNCREATE(CReactView, CScrollView)
IMPLEMENT_DYNCREATE(CConditionView, CScrollView)
IMPLEMENT_DYNCREATE(CSectionPropertiesView, CScrollView)

CReactView::CReactView() : m_global(g_pReactView, this) {}
CConditionView::CConditionView() : m_global(g_pConditionView, this) {}
CSectionPropertiesView::CSectionPropertiesView() : m_global(g_pPropertiesView, this) {}
