// The please-wait window of the grillage analysis.
#pragma once

#include "framework/dialog.h"
#include "res/resource_ids.h"

class CCalcProgressDlg : public CDialog {
public:
    CCalcProgressDlg() : CDialog(IDD_CALC_PROGRESS) {}
    void Start(int) { m_bShown = true; }
    void Stop() { m_bShown = false; }
    bool IsShown() const { return m_bShown; }

private:
    bool m_bShown = false;
};
