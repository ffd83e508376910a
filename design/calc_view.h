// The section calculation table view and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"

class CCalcView : public CScrollView {
    DECLARE_DYNCREATE(CCalcView)
public:
    CCalcView();
    ~CCalcView() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    int m_bNoPendingEdits = 1;  // the table holds no unsaved edits
};

class CCalcBar : public CDialogBar {};
