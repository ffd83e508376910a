#include "design/calc_view.h"
#include "app/globals.h"

IMPLEMENT_DYNCREATE(CCalcView, CScrollView)

CCalcView::CCalcView() { g_pCalcView = this; }
CCalcView::~CCalcView() { if (g_pCalcView == this) g_pCalcView = nullptr; }
