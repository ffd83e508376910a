#include "estimate/estimate_view.h"

CEstimateView* g_pEstimateView = nullptr;

IMPLEMENT_DYNCREATE(CEstimateView, CScrollView)

CEstimateView::CEstimateView() : m_global(g_pEstimateView, this) {}
