#include "input/modeless_dialogs.h"

CSetupCrossSectionDialog* g_pCrossSectionDlg = nullptr;
CSetupPanelDialog* g_pPanelDlg = nullptr;
CSetupCrossBeamDialog* g_pCrossBeamDlg = nullptr;
CSetupBlockDialog* g_pBlockDlg = nullptr;
CSetupHeightDialog* g_pHeightDlg = nullptr;
