// The input dialogs that the document holds by value: their members are the design input.
#pragma once

#include "framework/dialog.h"
#include "input/basic_dialog.h"
#include "input/estimate_dialogs.h"
#include "input/girder_data_dialogs.h"
#include "input/load_dialogs.h"
#include "input/main_girder_dialog.h"
#include "input/member_dialogs.h"
#include "input/span_dialog.h"
#include "res/resource_ids.h"

// Asks whether to stop a running calculation.
class CAbortConfirmDlg : public CDialog {
public:
    CAbortConfirmDlg() : CDialog(IDD_ABORT_CONFIRM) {}
};
