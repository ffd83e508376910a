#include "views/table_views.h"

CReactView* g_pReactView = nullptr;
CConditionView* g_pConditionView = nullptr;
CSectionPropertiesView* g_pPropertiesView = nullptr;

IMPLEMENT_DYNCREATE(CReactView, CScrollView)
IMPLEMENT_DYNCREATE(CConditionView, CScrollView)
IMPLEMENT_DYNCREATE(CSectionPropertiesView, CScrollView)

CReactView::CReactView() { g_pReactView = this; }
CReactView::~CReactView() { if (g_pReactView == this) g_pReactView = nullptr; }
CConditionView::CConditionView() { g_pConditionView = this; }
CConditionView::~CConditionView() { if (g_pConditionView == this) g_pConditionView = nullptr; }
CSectionPropertiesView::CSectionPropertiesView() { g_pPropertiesView = this; }
CSectionPropertiesView::~CSectionPropertiesView() { if (g_pPropertiesView == this) g_pPropertiesView = nullptr; }
