// The estimate data dialog: the hub of the estimate input, owning its sub-dialogs.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "input/estimate_choices.h"
#include "input/estimate_labour.h"
#include "input/estimate_tables.h"
#include "res/resource_ids.h"

// Holds no values of its own; each button opens one sub-dialog. The sub-dialogs' values
// belong to the design, so a cancelled hub puts them back with the rest of it.
class CSetupEstimateDialog : public CDialog {
public:
    CSetupEstimateDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;

    CEstimateFactorDialog m_dlgFactor;
    CEstimateBearingDialog m_dlgBearing;
    CEstimateLabourDialog m_dlgLabour;
    CEstimateSteelPriceDialog m_dlgSteelPrice;
    CEstimateFittingDialog m_dlgFitting;
    CEstimateOverheadDialog m_dlgOverhead;
    CEstimateOptionDialog m_dlgOption;

private:
    void OpenSubDialog(CDialog* pDlg);
};
