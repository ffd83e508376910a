#include "estimate/estimate_view.h"

void CEstimateView::FillMassSummary() {}

void CEstimateView::FillMassByGrade() {}

void CEstimateView::FillAreaVolume() {}
