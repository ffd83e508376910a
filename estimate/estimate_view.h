// The estimate view with its eight tables, and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/window_global.h"

class CEstimateView : public CScrollView {
    DECLARE_DYNCREATE(CEstimateView)
public:
    CEstimateView();
private:
    CWindowGlobal<CEstimateView> m_global;
};

class CEstimateBar : public CDialogBar {};

extern CEstimateView* g_pEstimateView;
