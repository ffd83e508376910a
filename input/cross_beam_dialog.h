// The cross-beam arrangement window: the cross member at every panel point.
#pragma once

#include "app/globals.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

// Kind of cross member and load distribution at every panel point of the bridge.
struct CrossBeamArrangementData {
    static constexpr int POINTS = 281;
    CrossBeamArrangementData();
    bool operator==(const CrossBeamArrangementData&) const = default;
    int m_anMemberKind[POINTS];     // index into g_szCrossMemberKinds, per panel point of the bridge
    int m_abDistributing[POINTS];
    int m_bResetArrangement = 1;
};

class CSetupCrossBeamDialog : public CModelessInputDialog, public CrossBeamArrangementData {
public:
    CSetupCrossBeamDialog() : CModelessInputDialog(IDD_CROSS_BEAM) {}
    // A new arrangement for the current spans and girder type; with 1 the user is told
    // once when an arrangement of theirs is dropped.
    void InitArrangement(int bAll);
};

extern CSetupCrossBeamDialog* g_pCrossBeamDlg;
