// The section calculation table view and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/window_global.h"

class CCalcView : public CScrollView {
    DECLARE_DYNCREATE(CCalcView)
public:
    CCalcView();
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    int m_bNoPendingEdits = 1;  // the table holds no unsaved edits
private:
    CWindowGlobal<CCalcView> m_global;
};

class CCalcBar : public CDialogBar {};
