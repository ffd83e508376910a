// The base of every table in the program: one table font, the current row's and column's
// headings highlighted, the clipboard menu, the range check of typed numbers, and the
// grid's notifications turned into messages to the table's parent window.
#pragma once

#include "framework/gdi.h"
#include "grid/gridctrl.h"

// Messages to the parent (sent; wParam and lParam as noted).
enum : UINT {
    WM_GRID_CELLCHANGED = WM_USER + 5,   // column, row: left button down and up on a cell
    WM_GRID_COLCHANGED = WM_USER + 6,    // previous column, new column
    WM_GRID_ROWCHANGED = WM_USER + 7,    // previous row, new row
    WM_GRID_EDITDONE = WM_USER + 8,      // column, row: a typed text is accepted, before it is stored
    WM_GRID_SPIN = WM_USER + 9,          // column, row: a spin button was pressed
    WM_GRID_CHECK = WM_USER + 10         // column, row: a check box was clicked
};

// Popup menu items.
enum : UINT {
    ID_GRID_CUT = 1000, ID_GRID_COPY = 1001, ID_GRID_PASTE = 1002, ID_GRID_COPYALL = 1003,
    ID_GRID_PASTEALL = 1004
};

class CTableGrid : public CGridCtrl {
    DECLARE_DYNAMIC(CTableGrid)
public:
    CTableGrid();
    ~CTableGrid() override;

    void OnSetup() override;
    void OnColChange(int oldCol, int newCol) override;
    void OnRowChange(int oldRow, int newRow) override;
    void OnCellLeftClick(int col, int row, int updn, CRect* rect, CPoint* point, int processed) override;
    void OnCellDoubleClick(int col, int row, CRect* rect, CPoint* point, int processed) override;
    void OnCornerLeftClick(int updn) override;
    void OnCornerRightClick(int updn) override;
    void OnCharDown(UINT* vcKey, int processed) override;
    void OnGetCell(int col, int row, CGridCell* cell) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit) override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    BOOL OnMenuCommand(int col, int row, int section, int item) override;
    BOOL OnMenuStart(int col, int row, int section) override;

    // "min から max までの数値を入力して下さい。" with the cell's decimals; empty when the
    // decimals are beyond 99 (such a cell refuses without a word).
    static QString RangeMessage(const CGridCell& cell);
    // Selects every cell of the table.
    void SelectAll();

    CFont m_font;
    // A 12-pixel em, as the face the tables were laid out with has in a 12-pixel cell; a cell
    // height of 12 would give the wider-spaced IPA face an 11-pixel em.
    int m_nFontHeight = -12;

protected:
    // Sends to the parent window, when there is one.
    void Notify(UINT message, int wParam, int lParam);
};
