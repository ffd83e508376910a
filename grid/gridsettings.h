// The grid's shared state: sizes, positions and options that the grid hands to its
// child windows and cell types, so that they read them without calls.
#pragma once

#include <algorithm>
#include <limits>
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

    // The same values along either axis: how many columns (rows), the current one, the first
    // shown, the largest first one that still fills the area and the area's width (height).
    int Count(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nRows : m_nCols; }
    int Current(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nCurRow : m_nCurCol; }
    int First(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nTopRow : m_nLeftCol; }
    int LastFirst(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nLastTopRow : m_nLastLeftCol; }
    int AreaLength(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nAreaHeight : m_nAreaWidth; }

    // Column widths (row heights): one stored per column, and the default for new ones.
    // Very many rows keep no heights: they all have the default one.
    bool Uniform(GridAxis a) const { return a == GRID_AXIS_ROWS && m_bUniformRowHeight; }
    std::vector<int>& Sizes(GridAxis a) { return a == GRID_AXIS_ROWS ? m_anRowHeights : m_anColWidths; }
    const std::vector<int>& Sizes(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_anRowHeights : m_anColWidths; }
    int& DefSize(GridAxis a) { return a == GRID_AXIS_ROWS ? m_nDefRowHeight : m_nDefColWidth; }
    int DefSize(GridAxis a) const { return a == GRID_AXIS_ROWS ? m_nDefRowHeight : m_nDefColWidth; }
    // The width (height) of one; the default outside the stored ones.
    int Size(GridAxis a, int index) const
    {
        const std::vector<int>& sizes = Sizes(a);
        if (Uniform(a) || index < 0 || size_t(index) >= sizes.size())
            return DefSize(a);
        return sizes[size_t(index)];
    }
    // How many of the default width (height) the area holds: the scroll bar's page.
    int Page(GridAxis a) const { return std::max(0, AreaLength(a)) / std::max(1, DefSize(a)); }
    // One of no width (height) is not drawn and takes no point.
    bool Hidden(GridAxis a, int index) const { return Size(a, index) <= 0; }
    // The sizes of from..to-1 together. The walk stops once the sum passes limit, so that
    // past it the answer says only that.
    long long Total(GridAxis a, int from, int to, long long limit = std::numeric_limits<long long>::max()) const
    {
        if (to <= from)
            return 0;
        // Uniform rows are too many to walk, and each adds the same.
        if (Uniform(a))
            return (long long)(to - from) * DefSize(a);
        long long sum = 0;
        for (int i = from; i < to && sum <= limit; ++i)
            sum += Size(a, i);
        return sum;
    }
    int RowHeight(int row) const { return Size(GRID_AXIS_ROWS, row); }
    int ColWidth(int col) const { return Size(GRID_AXIS_COLS, col); }
};
