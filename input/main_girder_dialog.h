// Main girder data 1: plate size limits, steel grades, the box shape, stiffener and thickness
// steps, section lengths, the bending stress margin and the field-joint block lengths.
#pragma once

#include <vector>
#include "app/globals.h"
#include "framework/dialog.h"
#include "grid/tablegrid.h"
#include "input/picture_frame.h"
#include "res/resource_ids.h"

// The field-joint blocks of each main girder (for a single box, of the box).
struct JointPositionData {
    bool operator==(const JointPositionData&) const = default;
    int m_bBlocksSet = 0;                               // 0: the blocks are laid out automatically
    int m_anBlockCount[MAX_GIRDERS] = {};
    std::vector<double> m_apdBlockLength[MAX_GIRDERS];  // m, one per block
    double m_adGirderLength[MAX_GIRDERS] = {};          // m
};

class CJointPositionDlg;

// Per girder: the blocks' total with what remains to the girder length, and the block count.
class CJointPositionGrid1 : public CTableGrid {
public:
    enum { COL_TOTAL, COL_COUNT, COLS };
    explicit CJointPositionGrid1(CJointPositionDlg* pDlg) : m_pDlg(pDlg) {}
    void OnSetup() override;
    void OnCellChange(int oldCol, int newCol, int oldRow, int newRow) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnEditStart(int col, int row, CWnd* edit) override;
    BOOL OnEditVerify(int col, int row, CWnd* edit, UINT* vcKey) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override;
    // The block columns follow the largest count.
    void UpdateBlockColumns();
    // A girder's count as typed, truncated.
    int Count(int row);

private:
    CJointPositionDlg* m_pDlg;
};

// Per girder one column per block: the block lengths in mm.
class CJointPositionGrid2 : public CTableGrid {
public:
    explicit CJointPositionGrid2(CJointPositionDlg* pDlg);
    void OnSetup() override;
    void OnCellChange(int oldCol, int newCol, int oldRow, int newRow) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnEditStart(int col, int row, CWnd* edit) override;
    BOOL OnEditVerify(int col, int row, CWnd* edit, UINT* vcKey) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override;
    // The first table's totals from this table's lengths.
    void UpdateTotals();
    double Number(int col, int row);

    CJointPositionGrid1* m_pGrid1 = nullptr;

private:
    CJointPositionDlg* m_pDlg;
};

// The field-joint positions as block lengths of each main girder.
class CJointPositionDlg : public CDialog, public JointPositionData {
public:
    static constexpr int MAX_BLOCKS = 280;

    CJointPositionDlg();
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Back to automatic joint positions.
    void ResetBlocks();
    // The blocks of every girder from its designed sections, where there are some; the
    // girder lengths from the design objects, or from the plan before there are any.
    void ComputeBlockLengths();
    // Whether every girder has its blocks; says what is missing when not.
    int CheckBlockLengthsEntered();
    // The tables' blocks become the stored ones and, when there are results, the girders'
    // field-joint blocks; the estimate follows.
    void ApplyBlockLengths();
    // The second table with n block columns; bFill puts the stored lengths in.
    void RebuildBlockTable(int n, int bFill);
    // Rows of the tables: one per girder, one for a single box.
    static int Rows();

    CJointPositionGrid1 m_grid1;
    CJointPositionGrid2 m_grid2;
    int m_nBlockColumns = 0;
};

struct MainGirderData {
    bool operator==(const MainGirderData&) const = default;
    double m_dFlangeWidthW = 2200.0;    // mm, box girder flange width W
    double m_dWebSpacingA = 1800.0;     // mm, box girder web spacing a
    double m_dOverhangB = 200.0;        // mm, box girder overhang b
    // Plate limits: 0 自動決定, 1 入力.
    int m_nMaxUFThickMode = 0;
    int m_nMinUFThickMode = 0;
    int m_nMaxUFWidthMode = 0;
    int m_nMinUFWidthMode = 0;
    int m_nMaxLFThickMode = 0;
    int m_nMinLFThickMode = 0;
    int m_nMaxLFWidthMode = 0;
    int m_nMinLFWidthMode = 0;
    int m_nMaxWebThickMode = 0;
    int m_nMinWebThickMode = 0;
    int m_nStiffenerSteps = 0;          // 0 自動決定, 1 0段, 2 1段, 3 2段
    int m_nThicknessStep = 1;           // 0 market sizes, 1 whole millimetres
    // Typed plate limits, mm.
    double m_dMaxUFThick = 100.0;
    double m_dMinUFThick = 9.0;
    double m_dMaxUFWidth = 1200.0;
    double m_dMinUFWidth = 180.0;
    double m_dMaxLFThick = 100.0;
    double m_dMinLFThick = 9.0;
    double m_dMaxLFWidth = 1200.0;
    double m_dMinLFWidth = 180.0;
    double m_dMaxWebThick = 16.0;
    double m_dMinWebThick = 8.0;
    double m_dBendingMargin = 0.0;      // stress unit of the unit system
    double m_dMaxSectionLength = 12.0;  // m
    double m_dMinSectionLength = 2.0;   // m
    int m_bConstFlangeWidth = 1;
    int m_bIgnoreTB16 = 0;
    int m_nBlockLengthMode = 0;         // main girder blocks: 0 automatic, 1 set by hand
    int m_bMinWebTableOnly = 0;
    // The limits the design takes while a radio says 自動決定, in the order of the limits above
    // with widths after thicknesses per flange, mm.
    double m_adAutoLimits[10] = {100.0, 9.0, 1200.0, 180.0, 100.0, 9.0, 1200.0, 180.0, 100.0, 9.0};
    int m_nUFGrade = 3;                 // index into g_szSteelGrades9
    int m_nLFGrade = 3;
    int m_nWebGrade = 3;
};

// Draws the box girder cross-section with the dimensions W, a and b into rect.
void DrawBoxShape(CDC* pDC, const CRect& rect);

class CSetupMainGirderDialog : public CDialog, public MainGirderData {
public:
    CSetupMainGirderDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CJointPositionDlg m_dlgJointPosition;
    CComboBox m_cbUFGrade;
    CComboBox m_cbLFGrade;
    CComboBox m_cbWebGrade;
    CPictureFrame m_picture;

private:
    // A limit's value and spin are open to typing only while its radio says 入力; the flange
    // widths only on plate girders.
    void EnableLimit(int nLimit);
    void EnableBlockLengthMode(int bGiven);
    void OnBoxDimensionChange();
    void OnBlockLengths();
};
