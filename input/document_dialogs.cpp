#include "input/document_dialogs.h"

namespace {
const double kDeadLoadPresetSI[CSetupDeadLoadDialog::ITEMS] = {0.5, 0.5, 22.5, 22.5, 24.5, 24.5, 23.5, 24.5, 24.5, 0.0};
const double kDeadLoadPresetGrav[CSetupDeadLoadDialog::ITEMS] = {0.05, 0.05, 2.3, 2.3, 2.5, 2.5, 2.35, 2.5, 2.5, 0.0};
}

CSetupDeadLoadDialog::CSetupDeadLoadDialog() : CDialog(IDD_DEAD_LOAD)
{
    SetDefaults(g_bSIUnits);
    ApplyPresets();
    m_bValuesSI = g_bSIUnits;
    m_bRailingToEstimate = 1;
}

void CSetupDeadLoadDialog::SetDefaults(int bSIUnits)
{
    const double* presets = bSIUnits == 1 ? kDeadLoadPresetSI : kDeadLoadPresetGrav;
    for (int i = 0; i < ITEMS; ++i)
        m_adPreset[i] = presets[i];
}

void CSetupDeadLoadDialog::ApplyPresets()
{
    for (int i = 0; i < ITEMS; ++i)
        m_adValue[i] = m_adPreset[i];
}

CSetupSteelWeightDialog::CSetupSteelWeightDialog() : CDialog(IDD_STEEL_WEIGHT)
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adHaunchB[g] = 1.0;
        m_adHaunchBin[g] = 0.5;
        m_adHaunchH[g] = 0.08;
        m_adSteelWeight[g] = 0.45;
        m_adHaunchWeight[g] = 0.12;
    }
}

void CSetupSteelWeightDialog::SetNewDesignWeights(int bSIUnits)
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adSteelWeight[g] = bSIUnits == 1 ? 4.5 : 0.45;
        m_adHaunchWeight[g] = bSIUnits == 1 ? 1.2 : 0.12;
    }
}
