// The cross-beam arrangement window: the cross member at every panel point.
#pragma once

#include "app/globals.h"
#include "grid/tablegrid.h"
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

// One row per panel point: the member kind (stepped by its spin) and the distributing flag.
class CSetupCrossBeamGrid : public CTableGrid {
public:
    enum { COL_KIND = 0, COL_DISTRIBUTING = 1 };
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    // A kind cell's value, name and colours.
    static void SetKind(CGridCell* cell, int nKind);
};

class CSetupCrossBeamDialog : public CModelessInputDialog, public CrossBeamArrangementData {
public:
    CSetupCrossBeamDialog();
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;

    // A new arrangement for the current spans and girder type; with 1 the user is told
    // once when an arrangement of theirs is dropped.
    void InitArrangement(int bAll);
    // Fills the table from the members, as each showing does.
    void FillTable();
    // "更新": stores the table and carries it into the plan; 1 when stored.
    int OnUpdate();
    // Panel points of the current spans, within the arrays.
    static int PanelPointCount();

    CSetupCrossBeamGrid m_grid;
};

extern CSetupCrossBeamDialog* g_pCrossBeamDlg;
