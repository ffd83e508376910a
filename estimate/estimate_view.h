// The estimate view with its eight tables, and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"

class CEstimateView : public CScrollView {
    DECLARE_DYNCREATE(CEstimateView)
public:
    CEstimateView();
    ~CEstimateView() override;
};

class CEstimateBar : public CDialogBar {};

extern CEstimateView* g_pEstimateView;
