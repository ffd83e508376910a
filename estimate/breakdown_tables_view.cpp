#include "estimate/estimate_view.h"

void CEstimateView::FillMassBreakdown() {}

void CEstimateView::FillLabourElements() {}
