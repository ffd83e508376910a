// The program's table widget: a window of cells with column headings above and row
// headings at the left, drawn through the device context. Owners derive from it and
// override the notification operations; the defaults let everything happen.
//
// Columns and rows count from 0; row -1 addresses the column headings, column -1 the
// row headings and (-1, -1) the corner. Operations refuse a bad index with FALSE and
// change nothing.
#pragma once

#include <memory>
#include <optional>
#include <vector>
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/wnd.h"
#include "grid/gridarea.h"
#include "grid/gridcell.h"
#include "grid/gridcelltypes.h"
#include "grid/griddatasource.h"
#include "grid/gridmultiselect.h"
#include "grid/gridprint.h"
#include "grid/gridsettings.h"
#include "grid/gridwindows.h"

class CDC;

// Where a notification comes from.
enum : int { GRID_SECTION_AREA = 1, GRID_SECTION_TOPHEADING = 2, GRID_SECTION_SIDEHEADING = 3, GRID_SECTION_CORNER = 4 };

// How MoveCurrentRow, MoveCurrentCol, MoveTopRow and MoveLeftCol move.
enum : int {
    GRID_MOVE_BACK = 0, GRID_MOVE_ON = 1, GRID_MOVE_PAGEBACK = 2, GRID_MOVE_PAGEON = 3,
    GRID_MOVE_FIRST = 4, GRID_MOVE_LAST = 5
};

// Where a text offered to OnCheckText comes from.
enum : int { GRID_TEXT_EDIT = 0, GRID_TEXT_PASTE = 1, GRID_TEXT_CUT = 2 };

class CGridCtrl : public CWnd {
    DECLARE_DYNAMIC(CGridCtrl)
public:
    CGridCtrl();
    ~CGridCtrl() override;

    // ---- creation and layout
    // A child window of its own (views).
    BOOL CreateGrid(DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID);
    // Takes over the dialog control nID of pParent (dialogs); FALSE when there is none.
    BOOL AttachGrid(UINT nID, CWnd* pParent);
    BOOL SetTopHeadingHeight(int height);
    BOOL SetSideHeadingWidth(int width);
    BOOL SetVScrollWidth(int width);
    BOOL SetHScrollHeight(int height);
    void SetDefFont(CFont* pFont);
    CFont* GetDefFont() const { return m_settings.m_pDefFont; }
    // Sizes of new columns and rows (and of all rows when they are uniform); never below 1.
    BOOL SetDefColWidth(int width);
    BOOL SetDefRowHeight(int height);
    void RedrawAll();
    void RedrawCell(int col, int row);
    // 0 stops painting (bulk changes); 1 paints again and redraws everything.
    void SetPaintMode(int mode);
    // Places the child windows for the client size; also run after every strip size change.
    void AdjustComponentSizes();
    // For a table without a vertical scroll bar: whenever its rows do not fit, the window asks
    // the layout it lies in for the height of the headings and every row.
    void KeepAllRowsShown();

    // ---- size
    BOOL SetNumberCols(int count, BOOL bRedraw = TRUE);
    BOOL SetNumberRows(int count, BOOL bRedraw = TRUE);
    int GetNumberCols() const { return m_settings.m_nCols; }
    int GetNumberRows() const { return m_settings.m_nRows; }
    BOOL SetColWidth(int col, int width);
    BOOL GetColWidth(int col, int* width) const;
    BOOL SetRowHeight(int row, int height);
    BOOL GetRowHeight(int row, int* height) const;
    // The same along either axis. A size may be 0 (hidden); uniform rows take one height
    // for all, never below 1.
    BOOL SetSize(GridAxis a, int index, int size);
    BOOL GetSize(GridAxis a, int index, int* size) const;
    BOOL SetDefSize(GridAxis a, int size);
    // Scales the columns first..last so that they fill the cell area exactly.
    BOOL FitColumnsToWidth(int firstCol, int lastCol);
    // Gives the column the width of its widest cell text plus 6.
    BOOL BestFit(int col);
    // Widens `widths` (of columns startCol..endCol, indexed from startCol; 0 for one not shown)
    // so that every one-line text of the shown rows startRow..endRow fits: a column its own
    // cells', a joined block's its columns together, what they lack shared among them. Texts
    // are measured on dc at textScale device pixels a screen pixel; a column's screen pixel
    // takes colScale there.
    void WidenForTexts(CDC* dc, double textScale, double colScale, int startCol, int startRow, int endCol,
                       int endRow, std::vector<int>& widths);
    // Every shown column on screen, the side headings' too, at least as wide as its widest
    // text, heading or cell, and the top headings as tall as their lines, so that none is cut
    // whatever font stands in.
    void WidenColumnsToTexts();

    // ---- cells
    // The stored record only (cleared first).
    BOOL GetCell(int col, int row, CGridCell* cell);
    BOOL SetCell(int col, int row, CGridCell* cell);
    // The cell as it is shown: column default or heading default, stored record, OnGetCell.
    BOOL GetCellIndirect(int col, int row, CGridCell* cell);
    BOOL SetCellText(int col, int row, const QString& text);
    BOOL SetCellTextColor(int col, int row, COLORREF color);
    BOOL SetCellBackColor(int col, int row, COLORREF color);
    BOOL SetCellAlignment(int col, int row, short alignment);
    BOOL SetCellType(int col, int row, int typeId);
    BOOL SetCellTypeEx(int col, int row, int style);
    BOOL JoinCells(int startCol, int startRow, int endCol, int endRow);
    CGridCell* GetDefaultCell() { return &m_cellDefault; }
    CGridCell* GetHeadingDefaultCell() { return &m_cellHeadingDefault; }
    // The column's default cell, under the stored records of its cells; null outside the grid.
    CGridCell* GetColumnDefault(int col);

    // ---- cell types
    int AddCellType(CGridCellType* pType);
    CGridCellType* GetCellTypeById(int id);
    BOOL SetCellTypeEditable(int id, BOOL bEditable);

    // ---- borders
    // Shrinks a cell rectangle by the insets of the border bits.
    void AdjustCellRect(CRect* rect, int border) const;
    // Draws a cell's border and leaves the rectangle inside it.
    void DrawBorder(CDC* dc, CRect* rect, int border) const;

    // ---- popup menu
    void EnablePopupMenu(BOOL bEnable) { m_settings.m_bPopupMenu = bEnable; }
    BOOL EmptyMenu();
    BOOL AddMenuItem(UINT nID, const QString& text);
    CMenu* GetPopupMenu() { return &m_menu; }

    // ---- state
    CGridSettings* GetSettings() { return &m_settings; }
    const CGridSettings* GetSettings() const { return &m_settings; }
    CGridDataSource* GetDataSource() { return m_pDataSource.get(); }
    CGridMultiSelect* GetMultiSelect() { return &m_select; }
    int GetCurrentCol() const { return m_settings.m_nCurCol; }
    int GetCurrentRow() const { return m_settings.m_nCurRow; }
    // Keeps the notifications, the selection and the views in step after a move.
    void MoveUpdate();

    // ---- navigation: 1 done (or nothing to do), 0 refused by a bound, -1 refused by a notification
    int GotoCell(int col, int row);
    int GotoRow(int row);
    int GotoCol(int col);
    // how: GRID_MOVE_BACK ... GRID_MOVE_LAST; any other value answers 3.
    int MoveCurrentRow(int how);
    int MoveCurrentCol(int how);
    // Scrolling without moving the current cell.
    int SetTopRow(int row);
    int MoveTopRow(int how);
    int SetLeftCol(int col);
    int MoveLeftCol(int how);
    // The cell at a point of the cell area (a joined block answers with its origin); FALSE
    // and -1/-1 off the cells.
    BOOL GetCellFromPoint(int x, int y, int* col, int* row);
    // The rectangle of a cell in the cell area (a joined block's whole rectangle).
    BOOL GetCellRect(int col, int row, CRect* rect);
    // Scrolls so that the current cell is in view (with the look-ahead margin).
    void BringCurrentIntoView();

    // ---- editing
    BOOL StartEdit();
    BOOL StartEditWithChar(UINT key);
    // After Tab, Enter or an arrow ended an edit: move on by the steps and edit there.
    void EditContinue(int colStep, int rowStep);
    CGridEdit* GetEdit() { return &m_area.m_edit; }

    // ---- selection
    void SetMultiSelectMode(BOOL bOn);
    void ClearSelections();
    BOOL SelectBlock(int startCol, int startRow, int endCol, int endRow);
    int EnumFirstSelected(int* col, int* row) { return m_select.EnumFirstSelected(col, row); }
    int EnumNextSelected(int* col, int* row) { return m_select.EnumNextSelected(col, row); }

    // ---- clipboard: plain text, a tab between cells and a line feed between rows
    BOOL CopySelected();
    // Copies, then empties the texts of the selected cells that may be changed.
    BOOL CutSelected();
    // Writes the clipboard's text from the current cell on, into the cells that may be
    // changed and take the text (OnCheckText).
    BOOL Paste();
    // Asks the data source for rows up to and including row; the rows it added.
    int AskForRows(int row);
    // Texts that OnCheckText refused in the running or last paste or cut.
    int GetTextRefusalCount() const { return m_nTextRefusals; }

    // ---- printing
    CGridPrint* GetPrint() { return &m_print; }

    // ---- notifications, in the order owners know them
    virtual void OnSetup() {}
    virtual BOOL OnCanMoveCell(int oldCol, int oldRow, int newCol, int newRow) { return TRUE; }
    virtual BOOL OnCanScrollView(int oldLeftCol, int oldTopRow, int newLeftCol, int newTopRow) { return TRUE; }
    virtual void OnRowPastEnd(int rowCount, int rowsPast, int rowsFound) {}
    virtual void OnRowBeforeStart(int rowCount, int row) {}
    virtual BOOL OnCanSizeColumn(int col) { return TRUE; }
    virtual void OnColumnSizing(int col, int* width) {}
    virtual void OnColumnSized(int col, int* width) {}
    virtual BOOL OnCanSizeRow(int row) { return TRUE; }
    virtual void OnRowSizing(int row, int* height) {}
    virtual void OnRowSized(int row, int* height) {}
    virtual BOOL OnCanSizeTopHeading() { return TRUE; }
    virtual BOOL OnCanSizeSideHeading() { return TRUE; }
    virtual void OnColChange(int oldCol, int newCol) {}
    virtual void OnRowChange(int oldRow, int newRow) {}
    virtual void OnCellChange(int oldCol, int newCol, int oldRow, int newRow) {}
    virtual void OnLeftColChange(int oldLeftCol, int newLeftCol) {}
    virtual void OnTopRowChange(int oldTopRow, int newTopRow) {}
    virtual void OnCellLeftClick(int col, int row, int updn, CRect* rect, CPoint* point, int processed) {}
    virtual void OnCellRightClick(int col, int row, int updn, CRect* rect, CPoint* point, int processed) {}
    virtual void OnCellDoubleClick(int col, int row, CRect* rect, CPoint* point, int processed) {}
    virtual void OnTopHeadingClick(int col, int updn) {}
    virtual void OnTopHeadingRightClick(int col, int updn) {}
    virtual void OnTopHeadingDoubleClick(int col) {}
    virtual void OnSideHeadingClick(int row, int updn) {}
    virtual void OnSideHeadingRightClick(int row, int updn) {}
    virtual void OnSideHeadingDoubleClick(int row) {}
    virtual void OnCornerLeftClick(int updn) {}
    virtual void OnCornerRightClick(int updn) {}
    virtual void OnCornerDoubleClick() {}
    using CWnd::OnKeyDown;
    virtual void OnKeyDown(UINT* vcKey, int processed) {}
    virtual void OnCharDown(UINT* vcKey, int processed) {}
    virtual void OnGetCell(int col, int row, CGridCell* cell) {}
    virtual void OnSetCell(int col, int row, CGridCell* cell) {}
    virtual void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) {}
    virtual BOOL OnEditStart(int col, int row, CWnd* edit) { return TRUE; }
    virtual BOOL OnEditVerify(int col, int row, CWnd* edit, UINT* vcKey) { return TRUE; }
    virtual BOOL OnEditFinish(int col, int row, CWnd* edit) { return TRUE; }
    virtual BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) { return TRUE; }
    virtual BOOL OnMenuCommand(int col, int row, int section, int item) { return TRUE; }
    virtual BOOL OnMenuStart(int col, int row, int section) { return TRUE; }
    virtual BOOL OnVScrollHint(int row, int percent, CGridHint* hint) { return TRUE; }
    virtual BOOL OnHScrollHint(int col, int percent, CGridHint* hint) { return TRUE; }
    virtual void OnScreenDCSetup(CDC* dc, int section) {}
    virtual int OnSortCompare(CGridCell* cell1, CGridCell* cell2);
    virtual BOOL OnSetupEdit(int col, int row, CRect* rect, CGridCell* cell, DWORD* style, int reserved) { return TRUE; }
    // Whether a text that is pasted, cut or typed (the tables route OnEditFinish here) may
    // go into the cell; FALSE keeps the cell's text.
    virtual BOOL OnCheckText(int col, int row, const QString& text, int source) { return TRUE; }

    // ---- window handlers
    int OnCreate() override;
    void OnPaint() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(CWnd* pOldWnd) override;

    // The child windows.
    CGridArea m_area;
    CGridTopHeading m_topHeading;
    CGridSideHeading m_sideHeading;
    CGridCornerButton m_corner;
    CGridVScroll m_vScroll;
    CGridHScroll m_hScroll;
    CGridHint m_hint;

protected:
    CGridSettings m_settings;
    std::unique_ptr<CGridMemDataSource> m_pDataSource;
    CGridMultiSelect m_select;
    std::vector<CGridCell> m_colDefaults;    // one per column
    std::vector<CGridCell> m_colHeadings;    // heading record of each column
    CGridCell m_cellDefault;                 // the default data cell
    CGridCell m_cellHeadingDefault;
    CGridCell m_cellCorner;                  // also the heading record of the corner
    CGridCell m_cellCurrent;                 // the current cell as read at the last move
    CGridCell m_cellScratch;

    CGridCellType m_normalType;
    CGridCheckBoxCellType m_checkBoxType;
    CGridDropListCellType m_dropListType;
    CGridSortArrowCellType m_sortArrowType;
    CGridFitFontCellType m_fitFontType;
    CGridProgressCellType m_progressType;
    CGridSpinCellType m_spinType;
    std::vector<CGridCellType*> m_cellTypes;  // entry 0 is the normal type; not owned

    CMenu m_menu;
    CFont m_fontParent;                      // the parent's font, the default until set
    DWORD m_dwStyle = 0;
    CGridPrint m_print;
    int m_nTextRefusals = 0;

private:
    bool m_bInLayout = false;
    bool m_bAllRowsShown = false;
    // 1 when a row may become the current row (top row with bTop), 0 when not.
    int CheckRow(int row, bool bTop);
    void KeepCurrentVisible();
    int PageTarget(int from, int direction, GridAxis a) const;
    // Where a move by how goes along an axis: of the current cell, or of the view's first
    // row (column) with bView; nullopt for an unknown how.
    std::optional<int> MoveTarget(GridAxis a, int how, bool bView) const;
    // Makes the cell current, a joined block at its origin: 1, or -1 when the owner refuses.
    int MoveCurrentTo(int col, int row);
    // Moving on from the origin of a block goes past the block: the index after its last row
    // (column) when to lies inside it, else to.
    int PastCurrentBlock(GridAxis a, int to);
    int ScrollTo(int newLeft, int newTop);
    void QueueSelection();
    BOOL WriteText(int col, int row, const QString& text, int source);
    void CreateChildren();
    void TakeParentFont();
    void RefreshChildren();
    // The largest first column (row) that still fills the area; the view and the scroll
    // bar follow it.
    void CalcFit(GridAxis a);
    // A strip's width or height; FALSE for a negative one.
    BOOL SetStripSize(int* size, int value);
    // Reads the stored record of a cell, changes it and stores it; FALSE outside the grid.
    template <class Change>
    BOOL ChangeCell(int col, int row, Change change);
    bool Inside(int col, int row) const;
};
