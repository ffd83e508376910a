#include "estimate/estimate_view.h"

void CEstimateView::FillContractCost() {}

void CEstimateView::FillMaterialCost() {}

void CEstimateView::FillFabricationCost() {}
