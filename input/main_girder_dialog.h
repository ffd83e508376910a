// Main girder data: design margins, block lengths and the field-joint positions.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

// Field-joint block lengths of every main girder.
class CJointPositionDlg : public CDialog {
public:
    CJointPositionDlg() : CDialog(IDD_JOINT_POSITION) {}
    // Back to automatic joint positions; the block table arrives with the section design.
    void ResetBlocks() {}
    // Block lengths from the girders' design objects; arrives with the section design.
    void ComputeBlockLengths() {}
};

struct MainGirderData {
    bool operator==(const MainGirderData&) const = default;
    double m_dBendingMargin = 0.0;      // stress unit of the unit system
    int m_nBlockLengthMode = 0;         // main girder blocks: 0 automatic, 1 set by hand
};

class CSetupMainGirderDialog : public CDialog, public MainGirderData {
public:
    CSetupMainGirderDialog() : CDialog(IDD_MAIN_GIRDER) {}
    CJointPositionDlg m_dlgJointPosition;
};

// Representative girder heights as typed.
