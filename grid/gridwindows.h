// The grid's child windows: the cell area, the column and row headings, the corner
// button, the two scroll bars and the hint window. Each reads the grid's shared
// settings and reports to the grid.
#pragma once

#include <QString>
#include "framework/wnd.h"
#include "grid/gridcell.h"
#include "grid/gridrangelist.h"

class CDC;
class CFont;
class CGridCtrl;
struct CGridSettings;

// Child ids of the grid's windows.
enum : UINT {
    GRID_ID_AREA = 1, GRID_ID_TOPHEADING = 2, GRID_ID_SIDEHEADING = 3, GRID_ID_CORNER = 4,
    GRID_ID_VSCROLL = 5, GRID_ID_HSCROLL = 6, GRID_ID_HINT = 7
};

// What every child of the grid holds.
class CGridChildWnd : public CWnd {
public:
    void SetGrid(CGridSettings* pSettings, CGridCtrl* pGrid) { m_pSettings = pSettings; m_pGrid = pGrid; }
    CGridSettings* m_pSettings = nullptr;
    CGridCtrl* m_pGrid = nullptr;
};

// The cells between the headings and the scroll bars.
class CGridArea : public CGridChildWnd {
public:
    void OnPaint() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;

    // Repaint these cells at once.
    void RedrawCell(int col, int row) { RedrawRange(col, row, col, row); }
    void RedrawRow(int row);
    void RedrawCol(int col);
    void RedrawRange(int startCol, int startRow, int endCol, int endRow);
    // Update after the current cell, the top row or the left column changed.
    void Moved();
    // Opens the in-place edit on the current cell; key > 0 is its first character.
    BOOL StartEdit(int key = 0);

    // Draws the visible cells that the redraw list holds.
    void DrawListedCells(CDC* dc);
    // Draws one cell in its rectangle: border, cell type, focus frame.
    void DrawCell(CDC* dc, int col, int row, CRect rect);
    // Rectangle of a visible cell in area pixels; FALSE when it lies before the view.
    BOOL GetCellRectInArea(int col, int row, CRect* rect) const;

    int m_bHasFocus = 0;
    CGridRangeList m_redraw;     // cells waiting to be drawn, and the joined ones drawn
    CGridCell m_cell;            // the cell being drawn

private:
    void RedrawListed();
};

// The column headings above the cell area.
class CGridTopHeading : public CGridChildWnd {
public:
    void OnPaint() override;
    void Moved() { Invalidate(FALSE); }
    CGridCell m_cell;
};

// The row headings left of the cell area.
class CGridSideHeading : public CGridChildWnd {
public:
    void OnPaint() override;
    void Moved() { Invalidate(FALSE); }
    CGridCell m_cell;
};

// Where the headings meet.
class CGridCornerButton : public CGridChildWnd {
public:
    void OnPaint() override;
    CGridCell m_cell;
};

// The scroll bars follow the visible range.
class CGridVScroll : public CGridChildWnd {
public:
    void Update() {}
};

class CGridHScroll : public CGridChildWnd {
public:
    void Update() {}
};

// A small text beside a dragged scroll thumb; created hidden.
class CGridHint : public CGridChildWnd {
public:
    void SetFont(CFont* pFont) { m_pFont = pFont; }
    void SetText(const QString& text) { m_strText = text; }
    QString m_strText;
    CFont* m_pFont = nullptr;
};
