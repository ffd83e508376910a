#include "estimate/estimate_view.h"

CEstimateView* g_pEstimateView = nullptr;

IMPLEMENT_DYNCREATE(CEstimateView, CScrollView)

CEstimateView::CEstimateView() { g_pEstimateView = this; }
CEstimateView::~CEstimateView() { if (g_pEstimateView == this) g_pEstimateView = nullptr; }
