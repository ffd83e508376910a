// The estimate data dialog: the hub of the estimate input, owning its sub-dialogs.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "input/estimate_choices.h"
#include "input/estimate_labour.h"
#include "input/estimate_tables.h"
#include "res/resource_ids.h"

class CSetupEstimateDialog : public CDialog {
public:
    CSetupEstimateDialog() : CDialog(IDD_ESTIMATE_INPUT) {}
    CEstimateFactorDialog m_dlgFactor;
};
