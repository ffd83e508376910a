// The grid's child windows around the cell area: the column and row headings, the corner
// button, the two scroll bars and the hint window, and what every child shares. Each reads
// the grid's shared settings and reports to the grid.
#pragma once

#include <QString>
#include "framework/gdi.h"
#include "framework/scrollbar.h"
#include "framework/wnd.h"
#include "grid/gridcell.h"
#include "grid/gridsettings.h"

class CDC;
class CFont;
class CGridCtrl;

// Child ids of the grid's windows.
enum : UINT {
    GRID_ID_AREA = 1, GRID_ID_TOPHEADING = 2, GRID_ID_SIDEHEADING = 3, GRID_ID_CORNER = 4,
    GRID_ID_VSCROLL = 5, GRID_ID_HSCROLL = 6, GRID_ID_HINT = 7
};

// What every child of the grid holds.
struct CGridChildLink {
    void SetGrid(CGridSettings* pSettings, CGridCtrl* pGrid) { m_pSettings = pSettings; m_pGrid = pGrid; }
    CGridSettings* m_pSettings = nullptr;
    CGridCtrl* m_pGrid = nullptr;
};

class CGridChildWnd : public CWnd, public CGridChildLink {
protected:
    // Opens the grid's popup menu at a point of this window.
    void TrackMenu(CPoint point);
    // Hands a command of the popup menu (ids from 1000 on) to the grid for the cell the
    // menu was opened on; other commands go to CWnd.
    BOOL RouteMenuCommand(WPARAM wParam, LPARAM lParam, int col, int row, int section);
};

// What the column and the row headings share: a strip of heading cells along one axis,
// from the left column (top row) on, with a sizing zone at each boundary, clicks and the
// popup menu. Each strip names its own notifications and keeps what only it does.
class CGridHeading : public CGridChildWnd {
public:
    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CGridCell m_cell;
    int m_bSizing = 0;
    int m_bInZone = 0;
    int m_nSizeIndex = 0;
    int m_nStartSize = 0;
    int m_nStartPos = 0;
    int m_nMenuCol = -1;         // the heading cell the popup menu was opened on
    int m_nMenuRow = -1;

protected:
    CGridHeading(GridAxis axis, int section);
    // The heading under a position along the strip, -1 past the last one.
    int IndexAt(int pos) const;
    // The drag of a boundary has reached pos along the strip. Uniform rows all take the
    // size the drag gives.
    void SizeTo(int pos);
    // The drag ended: the owner hears the size and the strip keeps what it answers.
    void KeepSize(int index);
    // Repaints after a size changed during a drag; the cells too when they follow it.
    void ShowNewSize();

private:
    const GridAxis m_axis;
    const int m_nSection;
    int Along(CPoint point) const { return m_axis == GRID_AXIS_ROWS ? point.y : point.x; }
    int CellCol(int index) const { return m_axis == GRID_AXIS_ROWS ? -1 : index; }
    int CellRow(int index) const { return m_axis == GRID_AXIS_ROWS ? index : -1; }
    // The rectangle from..to along the strip and 0..across through it.
    CRect Band(int from, int to, int across) const;

    // The owner's notifications under the strip's own names.
    virtual BOOL CanSize(int index) = 0;
    virtual void Sizing(int index, int* size) = 0;
    virtual void Sized(int index, int* size) = 0;
    virtual void Click(int index, int updn) = 0;
    virtual void RightClick(int index, int updn) = 0;
    virtual void DoubleClick(int index) = 0;
    // The black line between the strip and the cell area.
    virtual void DrawEdge(CDC* dc, const CRect& rc) = 0;
};

// The column headings above the cell area.
class CGridTopHeading : public CGridHeading {
public:
    CGridTopHeading();
    // Moves outside a drag go on to the grid as well.
    void OnMouseMove(UINT nFlags, CPoint point) override;
    // Repaints when the left column changed.
    void Moved();
    // The column under x, -1 past the last heading.
    int ColAt(int x) const { return IndexAt(x); }

private:
    BOOL CanSize(int col) override;
    void Sizing(int col, int* width) override;
    void Sized(int col, int* width) override;
    void Click(int col, int updn) override;
    void RightClick(int col, int updn) override;
    void DoubleClick(int col) override;
    void DrawEdge(CDC* dc, const CRect& rc) override;
};

// The row headings left of the cell area.
class CGridSideHeading : public CGridHeading {
public:
    CGridSideHeading();
    // Repaints when the top row or the current row changed.
    void Moved();
    // The row under y, -1 past the last heading.
    int RowAt(int y) const { return IndexAt(y); }

private:
    BOOL CanSize(int row) override;
    void Sizing(int row, int* height) override;
    void Sized(int row, int* height) override;
    void Click(int row, int updn) override;
    void RightClick(int row, int updn) override;
    void DoubleClick(int row) override;
    void DrawEdge(CDC* dc, const CRect& rc) override;
};

// Where the headings meet; its edges size the heading strips.
class CGridCornerButton : public CGridChildWnd {
public:
    void OnPaint() override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CGridCell m_cell;
    int m_bSizing = 0;
    int m_bCursorShown = 0;
    int m_bSizeHeight = 0;
    int m_bSizeWidth = 0;
};

class CGridHint;

// The vertical scroll bar: one position per possible top row, or 0..1000 for more rows.
class CGridVScroll : public CScrollBar, public CGridChildLink {
public:
    // Brings range, page and position in line with the grid.
    void Update();
    // A scroll request of the bar (the grid hands its WM_VSCROLL on to it).
    void OnScroll(UINT nSBCode, int nPos);
    double m_dScaleToBar = 1.0;
    double m_dScaleToRows = 1.0;
    int m_nLastRange = -2;
private:
    int m_nLastPage = -1;
    int m_nLastTop = -1;
};

// The horizontal scroll bar: one position per possible left column.
class CGridHScroll : public CScrollBar, public CGridChildLink {
public:
    void Update();
    void OnScroll(UINT nSBCode, int nPos);
    int m_nLastRange = -1;
private:
    int m_nLastPage = -1;
    int m_nLastLeft = -1;
};

// A small text beside a dragged scroll thumb; created hidden.
class CGridHint : public CGridChildWnd {
public:
    // Placement flags as the cell alignment: 2 right, 4 centre, 16 bottom, 32 vertical centre.
    void SetAlignment(int flags) { m_nAlign = flags; }
    void SetFont(CFont* pFont);
    void SetText(const QString& text) { m_strText = text; }
    void SetTextColor(COLORREF color) { m_crText = color; }
    void SetBackColor(COLORREF color) { m_crBack = color; }
    // Places the hint at (x, y) of the grid by its flags, at least minWidth wide, inside the grid.
    void Move(int x, int y, int minWidth);
    void Show();
    void Hide();
    void OnPaint() override;
    // The rectangle Move computes for a parent of that size.
    CRect Place(int x, int y, int minWidth, const CRect& parent) const;

    QString m_strText;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(255, 255, 0);
    int m_nAlign = 0;
    CFont* m_pFont = nullptr;
    int m_nLineHeight = 0;
    int TextWidth() const;
};
