// The grid's shared state: sizes, positions and options that the grid hands to its
// child windows and cell types, so that they read them without calls.
#pragma once

#include <vector>
#include "framework/types.h"

class CFont;

// Why the current cell moved last.
enum : int { GRID_MOVE_CALL = 0, GRID_MOVE_KEY = 1, GRID_MOVE_CLICK = 2, GRID_MOVE_DRAG = 3 };

// Bits of m_nCurrentCellMode.
enum : int { GRID_CURRENT_FOCUSFRAME = 1, GRID_CURRENT_HIGHLIGHT = 2 };

// The two directions of the grid, for code that treats columns and rows alike.
enum GridAxis : int { GRID_AXIS_COLS = 0, GRID_AXIS_ROWS = 1 };

struct CGridSettings {
    int m_nCols = 0;
    int m_nCurCol = 0;
    int m_nPrevCol = 0;
    int m_nLeftCol = 0;
    int m_nPrevLeftCol = 0;
    int m_nLastLeftCol = 0;           // largest left column that still fills the area
    std::vector<int> m_anColWidths;
    int m_nDefColWidth = 100;

    int m_nRows = 0;
    int m_nCurRow = 0;
    int m_nPrevRow = 0;
    int m_nTopRow = 0;
    int m_nPrevTopRow = 0;
    int m_nLastTopRow = 0;
    std::vector<int> m_anRowHeights;  // empty with uniform row height
    int m_nDefRowHeight = 20;
    int m_bUniformRowHeight = 0;

    int m_nTopHeadingHeight = 20;
    int m_nSideHeadingWidth = 50;
    int m_nVScrollWidth = 0;          // the system's sizes, set by the grid
    int m_nHScrollHeight = 0;
    int m_nAreaHeight = 0;
    int m_nAreaWidth = 0;
    int m_bHScrollShown = 0;
    int m_bVScrollShown = 0;

    int m_bMultiSelect = 0;
    int m_nMoveCause = GRID_MOVE_CALL;
    int m_nFrameWidth = 1;            // inset of the 3-D cell borders
    CFont* m_pDefFont = nullptr;      // not owned
    int m_bPaintOn = 1;
    int m_bPopupMenu = 0;
    int m_nEditRow = 0;
    int m_nEditCol = 0;

    // Display options of the cell area, the headings, the corner and the scroll bars.
    int m_nHighlightMode = 0;         // 0 the current cell, otherwise the whole current row
    int m_nCurrentCellMode = GRID_CURRENT_FOCUSFRAME;
    int m_bFrameWithoutFocus = 0;     // focus frame also while the area has no focus
    int m_nLookAhead = 1;             // rows and columns kept visible beyond the current cell
    int m_bNoCapture = 0;             // a click notification may keep the area from capturing
    int m_nDragScrollMode = 0;
    int m_nDragScrollDelay = 0;       // milliseconds
    int m_nSizingMode = 2;            // headings: <1 none, 1 cells follow at release, 2 during the drag
    int m_bUserSizing = 1;            // the corner lets the user size the heading strips
    int m_nLockedCols = 0;
    int m_bVScrollHint = 0;
    int m_bHScrollHint = 0;
    int m_bVThumbTrack = 0;
    int m_bHThumbTrack = 0;

    int RowHeight(int row) const
    {
        if (m_bUniformRowHeight || row < 0 || size_t(row) >= m_anRowHeights.size())
            return m_nDefRowHeight;
        return m_anRowHeights[size_t(row)];
    }
    int ColWidth(int col) const
    {
        return col < 0 || size_t(col) >= m_anColWidths.size() ? m_nDefColWidth : m_anColWidths[size_t(col)];
    }

    // The same values along either axis: how many columns (rows), the current one, the first
    // shown, the largest first one that still fills the area, the area's width (height) and
    // the width (height) of one.
    int Count(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nRows : m_nCols; }
    int Current(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nCurRow : m_nCurCol; }
    int First(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nTopRow : m_nLeftCol; }
    int LastFirst(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nLastTopRow : m_nLastLeftCol; }
    int AreaLength(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nAreaHeight : m_nAreaWidth; }
    int Size(GridAxis a, int index) const { return a == GRID_AXIS_ROWS ? RowHeight(index) : ColWidth(index); }
};
