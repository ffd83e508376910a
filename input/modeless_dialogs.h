// The modeless input windows that the main frame creates for the program's whole life.
#pragma once

#include "input/modeless.h"
#include "res/resource_ids.h"

class CSetupCrossSectionDialog : public CModelessInputDialog {
public:
    CSetupCrossSectionDialog() : CModelessInputDialog(IDD_CROSS_SECTION) {}
    void SetDefaults() {}
};

class CSetupPanelDialog : public CModelessInputDialog {
public:
    CSetupPanelDialog() : CModelessInputDialog(IDD_PANEL) {}
    void SetDefaults() {}
};

class CSetupCrossBeamDialog : public CModelessInputDialog {
public:
    CSetupCrossBeamDialog() : CModelessInputDialog(IDD_CROSS_BEAM) {}
};

class CSetupBlockDialog : public CModelessInputDialog {
public:
    CSetupBlockDialog() : CModelessInputDialog(IDD_BLOCK) {}
};

class CSetupHeightDialog : public CModelessInputDialog {
public:
    CSetupHeightDialog() : CModelessInputDialog(IDD_HEIGHT) {}
    void SetDefaults() {}
};

extern CSetupCrossSectionDialog* g_pCrossSectionDlg;
extern CSetupPanelDialog* g_pPanelDlg;
extern CSetupCrossBeamDialog* g_pCrossBeamDlg;
extern CSetupBlockDialog* g_pBlockDlg;
extern CSetupHeightDialog* g_pHeightDlg;
