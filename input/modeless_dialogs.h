// The modeless input windows that the main frame creates for the program's whole life.
#pragma once

#include <vector>
#include "input/modeless.h"
#include "app/globals.h"
#include "res/resource_ids.h"

class CSetupCrossSectionDialog : public CModelessInputDialog {
public:
    static constexpr int STATIONS = 155;
    CSetupCrossSectionDialog() : CModelessInputDialog(IDD_CROSS_SECTION), m_arrB1(STATIONS, 4.5) {}
    void SetDefaults() {}
    // Entries for the median (0 with, 1 without) and for the sidewalks (0 none .. 3 both);
    // their tables arrive with the cross-section input.
    void ResetEntries(int nMedian) {}
    void ResetSidewalkEntries(int nSidewalk) {}
    std::vector<double> m_arrD;     // station positions in m, support 1, the stations of span 1, support 2 ...
    std::vector<double> m_arrB1;    // distance to the median, m
};

class CSetupPanelDialog : public CModelessInputDialog {
public:
    CSetupPanelDialog() : CModelessInputDialog(IDD_PANEL)
    {
        for (int s = 0; s < MAX_SPANS; ++s)
            for (int e = 0; e < 2; ++e) {
                m_adBaseToG1[s][e] = 2.6;
                m_adGirderSpacing[s][e] = 2.3;
            }
    }
    void SetDefaults() {}
    double m_adBaseToG1[MAX_SPANS][2];      // m, framework base line to girder G1 at span start and end
    double m_adGirderSpacing[MAX_SPANS][2]; // m, main girder spacing at span start and end
};

class CSetupCrossBeamDialog : public CModelessInputDialog {
public:
    CSetupCrossBeamDialog() : CModelessInputDialog(IDD_CROSS_BEAM) {}
    // A new arrangement for the current spans; arrives with the cross-beam input.
    void InitArrangement(int bAll) {}
};

class CSetupBlockDialog : public CModelessInputDialog {
public:
    CSetupBlockDialog() : CModelessInputDialog(IDD_BLOCK) {}
};

class CSetupHeightDialog : public CModelessInputDialog {
public:
    CSetupHeightDialog() : CModelessInputDialog(IDD_HEIGHT) {}
    void SetDefaults() {}
    // 1 clears every change point, 0 goes back to the defaults; arrives with the height input.
    void Reset(int bClear) {}
};

extern CSetupCrossSectionDialog* g_pCrossSectionDlg;
extern CSetupPanelDialog* g_pPanelDlg;
extern CSetupCrossBeamDialog* g_pCrossBeamDlg;
extern CSetupBlockDialog* g_pBlockDlg;
extern CSetupHeightDialog* g_pHeightDlg;
