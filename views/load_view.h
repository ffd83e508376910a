// The load diagram window.
#pragma once

#include "framework/view.h"
#include "views/window_global.h"

class CLoadView : public CScrollView {
    DECLARE_DYNCREATE(CLoadView)
public:
    CLoadView();
private:
    CWindowGlobal<CLoadView> m_global;
};

extern CLoadView* g_pLoadView;
