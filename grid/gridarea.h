// The grid's cell area: the cells between the headings and the scroll bars, their
// painting, the keys and the mouse over them, the drag scrolling and the in-place edit.
#pragma once

#include "framework/gdi.h"
#include "grid/gridcell.h"
#include "grid/gridedit.h"
#include "grid/gridrangelist.h"
#include "grid/gridwindows.h"

class CDC;
class CGridCellType;

// Where the drag scrolling's timer runs.
enum : UINT_PTR { GRID_TIMER_DRAGSCROLL = 1 };

// The cells between the headings and the scroll bars.
class CGridArea : public CGridChildWnd {
public:
    CGridArea();
    ~CGridArea() override;

    void OnPaint() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void OnKillFocus(CWnd* pNewWnd) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Repaint these cells.
    void RedrawCell(int col, int row) { RedrawRange(col, row, col, row); }
    void RedrawRow(int row);
    void RedrawCol(int col);
    void RedrawRange(int startCol, int startRow, int endCol, int endRow);
    // Update after the current cell, the top row or the left column changed: the picture
    // moves with the view and only the cells that changed are painted anew.
    void Moved();
    // Opens the in-place edit on the current cell; key > 0 is its first character.
    BOOL StartEdit(int key = 0);
    // Ends a running edit, storing its text; FALSE when the text was refused and the
    // edit stays open for the user.
    BOOL EndEdit();
    // 1 paints through an off-screen bitmap; FALSE when the bitmap cannot be had.
    BOOL SetDoubleBuffer(int mode);
    int GetDoubleBuffer() const { return m_nDoubleBuffer; }

    // Queues cells for painting (a joined origin with its whole block), and invalidates
    // what is queued.
    void QueueCell(int col, int row);
    void QueueRange(int startCol, int startRow, int endCol, int endRow) { m_redraw.AddRange(startCol, startRow, endCol, endRow); }
    void FlushRedraw();

    // Draws the visible cells that the redraw list holds.
    void DrawListedCells(CDC* dc);
    // Draws one cell in its rectangle: border, cell type, focus frame.
    void DrawCell(CDC* dc, int col, int row, CRect rect);
    // Rectangle of a cell in area pixels (it may lie outside the view); FALSE when it
    // lies before the view.
    BOOL GetCellRectInArea(int col, int row, CRect* rect) const;
    // The visible row (column) at a pixel of the area; -1 when none is there.
    int RowAt(int y) const;
    int ColAt(int x) const;
    // Pixel rectangle of the visible part of a range of cells.
    CRect RangeRect(int startCol, int startRow, int endCol, int endRow) const;
    // Runs one step of the drag scrolling (the timer calls it).
    void DragScrollStep();
    // Ends a running edit and takes the keys, before a drag or a scroll elsewhere in the
    // grid; FALSE when the edit's text was refused and the edit keeps them.
    BOOL TakeFocus();

    int m_bButtonDown = 0;
    CGridCellType* m_pMouseType = nullptr;   // a type that keeps the mouse until release
    int m_bHasFocus = 0;
    int m_nMenuCol = -1;
    int m_nMenuRow = -1;
    CGridRangeList m_redraw;     // cells waiting to be drawn, and the joined ones drawn
    CGridCell m_cell;            // the cell being drawn
    CGridEdit m_edit;
    CRect m_rcClient;
    int m_nCellsDrawn = 0;       // cells drawn by the last paint (joined blocks once)

private:
    CBitmap* m_pBuffer = nullptr;
    int m_nDoubleBuffer = 0;
    int m_bForcePaint = 0;
    CPoint m_ptDrag;
    bool m_bDragTimer = false;
    bool InDialog() const;
    CGridCellType* CurrentType();
    BOOL HitCell(CPoint point, int* col, int* row, CRect* rect);
    // A click makes the cell current without the look-ahead margin; *rect is read anew.
    void GotoClicked(int col, int row, CRect* rect);
    // A right press (updn 1) or release: the cell under the mouse becomes current, its type
    // and then the owner hear of it; *col and *row are -1 off the cells.
    void RightClick(CPoint& point, int updn, int* col, int* row);
    void StopDragScroll();
    void MakeBuffer();
};
