#include "input/load_dialogs.h"

namespace {
const double kDeadLoadPresetSI[DeadLoadData::ITEMS] = {0.5, 0.5, 22.5, 22.5, 24.5, 24.5, 23.5, 24.5, 24.5, 0.0};
const double kDeadLoadPresetGrav[DeadLoadData::ITEMS] = {0.05, 0.05, 2.3, 2.3, 2.5, 2.5, 2.35, 2.5, 2.5, 0.0};
}

DeadLoadData::DeadLoadData(int bSIUnits)
{
    SetDefaults(bSIUnits);
    ApplyPresets();
    m_bValuesSI = bSIUnits;
    m_bRailingToEstimate = 1;
}

void DeadLoadData::SetDefaults(int bSIUnits)
{
    const double* presets = bSIUnits == 1 ? kDeadLoadPresetSI : kDeadLoadPresetGrav;
    for (int i = 0; i < ITEMS; ++i)
        m_adPreset[i] = presets[i];
}

void DeadLoadData::ApplyPresets()
{
    for (int i = 0; i < ITEMS; ++i)
        m_adValue[i] = m_adPreset[i];
}

SteelWeightData::SteelWeightData()
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adHaunchB[g] = 1.0;
        m_adHaunchBin[g] = 0.5;
        m_adHaunchH[g] = 0.08;
        m_adSteelWeight[g] = 0.45;
        m_adHaunchWeight[g] = 0.12;
    }
}

void SteelWeightData::SetNewDesignWeights(int bSIUnits)
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adSteelWeight[g] = bSIUnits == 1 ? 4.5 : 0.45;
        m_adHaunchWeight[g] = bSIUnits == 1 ? 1.2 : 0.12;
    }
}
