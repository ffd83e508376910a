// The section calculation table view, its table and its bar.
#pragma once

#include <vector>
#include "framework/bars.h"
#include "framework/view.h"
#include "grid/tablegrid.h"
#include "views/window_global.h"

class CGirderDesign;
class CSectionRecord;

// The table of the view: spin steps by row, and every change marks the view's edits pending.
class CCalcGrid : public CTableGrid {
public:
    BOOL OnEditVerify(int col, int row, CWnd* edit, UINT* vcKey) override { return TRUE; }
    BOOL OnEditFinish(int col, int row, CWnd* edit) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override { return TRUE; }
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    // A paste or cut changes cells as typing does.
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    // A grade typed as a number shows by its name.
    void OnSetCell(int col, int row, CGridCell* cell) override;
};

class CCalcView : public CScrollView {
    DECLARE_DYNCREATE(CCalcView)
public:
    // Rows of the table; the box types add the rib rows.
    enum : int {
        ROW_BLOCK = 0, ROW_LENGTH = 8, ROW_GRADE_UPPER = 9, ROW_GRADE_LOWER = 10, ROW_GRADE_WEB = 11,
        ROW_B_UPPER = 12, ROW_T_UPPER = 13, ROW_B_LOWER = 14, ROW_T_LOWER = 15, ROW_H_WEB = 16, ROW_T_WEB = 17,
        ROW_STIFFENERS = 18, ROW_HOLES_L = 19, ROW_HOLES_R = 20, ROW_RIB_H_UPPER = 38, ROW_RIB_T_UPPER = 39,
        ROW_RIBS_UPPER = 40, ROW_RIB_H_LOWER = 41, ROW_RIB_T_LOWER = 42, ROW_RIBS_LOWER = 43,
        ROWS_PLATE = 38, ROWS_BOX = 44
    };
    static constexpr UINT WM_SELECT_GIRDER = WM_USER + 28;   // lParam: the girder from 0

    CCalcView();
    ~CCalcView() override;
    int OnCreate() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // Command 32793: the typed values into the shown girder's sections, checked again.
    void OnSectionCalc();
    void OnUpdateSectionCalc(CCmdUI* pCmdUI);
    // Command 32817: the block window, from the records rather than from pending edits.
    void OnBlockDialog();
    // The girder chosen on the bar.
    void OnSelectGirder(int nGirder);

    // The design object the view shows (object 1 of a single box), or null.
    static int ShownGirder();
    static CGirderDesign* ShownDesign();
    // Writes every cell from the records of the shown girder.
    void FillTable();
    int RowCount() const;
    static bool IsEditableRow(int row);
    // The row's heading as the printed table labels it (with its unit).
    static QString RowLabel(int row);
    // A stress check row (26 to 37): flange, flange, shear and combined at L, R and C, the
    // value with its mark and allowable as the printed table shows them.
    static QString CheckText(const CSectionRecord& s, const CGirderDesign& g, int row);

    // The question before pending edits are dropped; true to go on.
    bool ConfirmDropEdits() const;

    int m_bNoPendingEdits = 1;  // the table holds no unsaved edits
    CCalcGrid m_grid;
    CSize m_sizePage{2100, 2970};
    int m_nTableGirder = -1;    // the girder whose records the table shows

private:
    // Step 1 to 5 of the command: the cells into a copy of the sections; false after a message.
    bool ReadTable(const CGirderDesign& girder, std::vector<CSectionRecord>& sections, bool& lengthChanged);
    bool m_bForwarding = false;
    CWindowGlobal<CCalcView> m_global;
};

// The bar: the girder shown, and the two commands of the view as buttons.
class CCalcBar : public CDialogBar {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The spin's range and position and the edit from the document.
    void Refresh();
    // A step of the girder spin; false when refused.
    bool StepGirder(int nDelta);
};
