// The batch print selection view and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/window_global.h"

class CPrintView : public CScrollView {
    DECLARE_DYNCREATE(CPrintView)
public:
    CPrintView();
private:
    CWindowGlobal<CPrintView> m_global;
};

class CPrintBar : public CDialogBar {};

extern CPrintView* g_pPrintView;
