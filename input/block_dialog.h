// The window that joins and splits the blocks of the current girder and sets their lengths,
// working on the girder's designed sections.
#pragma once

#include <vector>
#include "grid/tablegrid.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

class CGirderDesign;

// A bar that steps the current girder tells the window (lParam: the girder from 0).
enum : UINT { WM_FORCEBAR_GIRDER = WM_USER + 26, WM_CALCBAR_GIRDER = WM_USER + 28 };

// One row per block (per section while the girder height is constant), lengths in mm.
class CSetupBlockGrid : public CTableGrid {
public:
    void OnSetup() override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    // The row's number; a text being accepted counts already, so the total is current at once.
    double Number(int row);

private:
    int m_nAcceptRow = -1;
    double m_dAccepted = 0.0;
};

class CSetupBlockDialog : public CModelessInputDialog {
public:
    CSetupBlockDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
    // Enter reads the fields and hides the window, Escape hides it.
    void OnOK() override;
    void OnCancel() override;

    void OnMode(int nMode);
    void OnSplitAtMiddle();
    void OnSplitAtGiven();
    void OnSplitDeltaPos();
    void OnExecute();
    // A bar stepped to girder g: the table follows it.
    void SelectGirder(int g);

    CSetupBlockGrid m_grid;
    int m_nBlocks = 1;                      // table rows
    std::vector<double> m_pdBlockLength;    // m
    int m_nMode = 0;                        // 0 join, 1 split, 2 lengths
    int m_nSplitAt = 0;                     // 0 middle of the unit, 1 given position
    int m_nSplitSection = 0;                // the numbers count from 1
    int m_nSplitPos = 0;                    // mm from the unit's left end
    int m_nStartSection = 0;
    int m_nEndSection = 0;
    int m_nGirder = 0;                      // the girder the table shows

private:
    CGirderDesign* Girder() const;
    // While the height is constant the window counts sections, otherwise blocks.
    bool CountsSections() const;
    int UnitCount() const;
    void FillTable();
    void UpdateControls();
    void ResetNumbers();
    void ShowTableSum();
    // Half the length of unit n (from 1) in whole mm; false when there is no such unit.
    bool HalfLength(int n, int* pMm);
    // The number field's value, or a refusal when it names no unit.
    bool CheckUnit(int nNumber);
    bool ApplyLengths(CGirderDesign& girder);
};

extern CSetupBlockDialog* g_pBlockDlg;
