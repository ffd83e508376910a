#include "design/calc_view.h"
#include "app/globals.h"

IMPLEMENT_DYNCREATE(CCalcView, CScrollView)

CCalcView::CCalcView() : m_global(g_pCalcView, this) {}
