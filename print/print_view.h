// The batch print selection view and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"

class CPrintView : public CScrollView {
    DECLARE_DYNCREATE(CPrintView)
public:
    CPrintView();
    ~CPrintView() override;
};

class CPrintBar : public CDialogBar {};

extern CPrintView* g_pPrintView;
