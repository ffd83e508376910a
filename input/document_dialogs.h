// The input dialogs that the document holds by value: their members are the design input.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "input/basic_dialog.h"
#include "input/member_dialogs.h"
#include "input/span_dialog.h"
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
struct GirderHeightData {
    explicit GirderHeightData(double h)
    {
        for (double& v : m_adGirderHeight)
            v = h;
    }
    bool operator==(const GirderHeightData&) const = default;
    double m_adGirderHeight[MAX_GIRDERS];   // m
};
struct PlateGirderData : GirderHeightData {
    PlateGirderData() : GirderHeightData(1.8) {}
};
struct BoxGirderData : GirderHeightData {
    BoxGirderData() : GirderHeightData(2.0) {}
};

class CSetupPlateGirderDialog : public CDialog, public PlateGirderData {
public:
    CSetupPlateGirderDialog() : CDialog(IDD_PLATE_GIRDER) {}
};

class CSetupBoxGirderDialog : public CDialog, public BoxGirderData {
public:
    CSetupBoxGirderDialog() : CDialog(IDD_BOX_GIRDER) {}
};

struct MainMemberData {
    bool operator==(const MainMemberData&) const = default;
    int m_bUseLateral = 1;              // lateral bracing (横構) used
};

class CSetupMainMemberDialog : public CDialog, public MainMemberData {
public:
    CSetupMainMemberDialog() : CDialog(IDD_MAIN_MEMBER) {}
    CSetupEndSwayDialog m_dlgEndSway;
    CSetupMidSwayDialog m_dlgMidSway;
    CSetupPierSwayDialog m_dlgPierSway;
    CSetupCrossBeamTypeDialog m_dlgCrossBeamType;
    CSetupLateralDialog m_dlgLateral;
    CSetupLeftBracketDialog m_dlgLeftBracket;
    CSetupRightBracketDialog m_dlgRightBracket;
    CSetupMidStringerDialog m_dlgMidStringer;
    CSetupEdgeStringerDialog m_dlgEdgeStringer;
};

// Dead loads: ten items, with the presets of the unit system.
struct DeadLoadData {
    static constexpr int ITEMS = 10;
    // The presets and values of a new design in the unit system (1 SI, 0 gravitational).
    explicit DeadLoadData(int bSIUnits = 1);
    bool operator==(const DeadLoadData&) const = default;
    // Presets of the unit system: 1 SI, 0 gravitational.
    void SetDefaults(int bSIUnits);
    // Copies the presets into the values.
    void ApplyPresets();

    double m_adValue[ITEMS] = {};
    double m_adPreset[ITEMS] = {};
    int m_bValuesSI = 1;
    int m_bRailingToEstimate = 1;
};

class CSetupDeadLoadDialog : public CDialog, public DeadLoadData {
public:
    CSetupDeadLoadDialog() : CDialog(IDD_DEAD_LOAD), DeadLoadData(g_bSIUnits) {}
};

// Assumed steel weight and haunch of every girder, and attached loads.
struct SteelWeightData {
    static constexpr int ATTACHMENTS = 10;
    SteelWeightData();
    bool operator==(const SteelWeightData&) const = default;
    // Assumed steel weight and haunch weight of a new design in the current units.
    void SetNewDesignWeights(int bSIUnits);

    int m_nAttachments = 0;
    int m_nDeadLoadChoice = 2;
    double m_adHaunchB[MAX_GIRDERS];
    double m_adHaunchBin[MAX_GIRDERS];
    double m_adHaunchH[MAX_GIRDERS];
    double m_adSteelWeight[MAX_GIRDERS];
    double m_adHaunchWeight[MAX_GIRDERS];
    int m_anAttachGirder[ATTACHMENTS] = {};
    double m_adAttachLoad[ATTACHMENTS] = {};
    double m_adAttachPosition[ATTACHMENTS] = {};
};

class CSetupSteelWeightDialog : public CDialog, public SteelWeightData {
public:
    CSetupSteelWeightDialog() : CDialog(IDD_STEEL_WEIGHT) {}
};

// Extra factors and unit masses of the estimate.
struct EstimateFactorData {
    bool operator==(const EstimateFactorData&) const = default;
    double m_dGirderEndLength = 0.5;    // m, girder beyond each end support (桁端張出長)
};

class CEstimateFactorDialog : public CDialog, public EstimateFactorData {
public:
    CEstimateFactorDialog() : CDialog(IDD_ESTIMATE_FACTOR) {}
};

class CSetupEstimateDialog : public CDialog {
public:
    CSetupEstimateDialog() : CDialog(IDD_ESTIMATE_INPUT) {}
    CEstimateFactorDialog m_dlgFactor;
};

// Asks whether to stop a running calculation.
class CAbortConfirmDlg : public CDialog {
public:
    CAbortConfirmDlg() : CDialog(IDD_ABORT_CONFIRM) {}
};

struct RibPanelData {
    bool operator==(const RibPanelData&) const = default;
    int m_bResetRibs = 1;
};

class CSetupRibPanelDialog : public CDialog, public RibPanelData {
public:
    CSetupRibPanelDialog() : CDialog(IDD_RIB_PANEL) {}
};
