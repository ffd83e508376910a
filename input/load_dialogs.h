// Loads: dead loads, and the assumed steel weight, haunch and attached loads.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

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
