// A ruled table of a printed page, in 0.1 mm with y upwards: rows grow towards negative y.
#pragma once

#include <QString>
#include "framework/types.h"

class CDC;

class CPrintTable {
public:
    enum : int { MAX_COLS = 30, MAX_ROWS = 50 };
    // How a table laid over a cell joins that cell with a neighbour.
    enum : int { JOIN_NONE = 0, JOIN_UP = 2, JOIN_RIGHT = 4, JOIN_DOWN = 6, JOIN_LEFT = 8 };

    // A table of the given row heights and column widths with its top-left corner at (x, y).
    CPrintTable(int x, int y, int nRows, int nCols, const int* anRowHeight, const int* anColWidth);
    // A table laid over the parent's cell (row, col) joined with its neighbour above (2), to
    // the right (4), below (6) or to the left (8), or with none (0); its rows and columns share out that area
    // by their weights.
    CPrintTable(const CPrintTable& parent, int row, int col, int nRows, int nCols, const int* anRowWeight,
                const int* anColWeight, int nDirection);

    CPoint GetCellOrigin(int row, int col) const;
    // Width and height of the cell; the height comes back negative, as the page runs down.
    CSize GetCellSize(int row, int col) const;
    int GetTotalHeight() const { return m_nTotalHeight; }
    int GetTotalWidth() const { return m_nTotalWidth; }

    // The rules and the outer frame, the heading cells first filled when bShade is set.
    void DrawTable(CDC* pDC, BOOL bShade) const;
    void DrawTableResized(CDC* pDC, BOOL bShade, int nRows, int nCols, const int* anRowHeight, const int* anColWidth);
    void DrawTableFilled(CDC* pDC, COLORREF crFill) const;
    // The corner, the rest of row 0 and the rest of column 0 in their heading colours.
    void DrawHeadingFills(CDC* pDC) const;
    void DrawCellFrame(CDC* pDC, int row, int col, COLORREF crFill) const;
    void DrawCellFrameEx(CDC* pDC, int row, int col, COLORREF crFill, COLORREF crFrame) const;
    // Thick black rules over the whole table: left of a column, above or below a row.
    void DrawColumnRule(CDC* pDC, int col, int nWidth) const;
    void DrawRowRuleTop(CDC* pDC, int row, int nWidth) const;
    void DrawRowRuleBottom(CDC* pDC, int row, int nWidth) const;

    // Texts in their cell, with a transparent background, in the DC's font.
    void DrawTextLeftMiddle(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextCentreMiddle(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextRightMiddle(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextCentreTop(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextCentreBottom(CDC* pDC, int row, int col, const QString& text) const;

    static constexpr COLORREF kCornerFill = RGB(128, 192, 192);
    static constexpr COLORREF kRowFill = RGB(192, 255, 192);
    static constexpr COLORREF kColumnFill = RGB(192, 255, 255);

    CPoint m_ptOrigin;
    int m_nCols = 0;
    int m_nRows = 0;
    int m_anColWidth[MAX_COLS] = {};
    int m_anRowHeight[MAX_ROWS] = {};
    int m_nTotalWidth = 0;
    int m_nTotalHeight = 0;
    int m_nInsetTop = 20;
    int m_nInsetBottom = 20;
    int m_nInsetRight = 40;
    int m_nInsetLeft = 30;
    int m_nCaptionGap = 20;

private:
    enum class HAlign { Left, Centre, Right };
    enum class VAlign { Top, Middle, Bottom };
    void DrawTextAligned(CDC* pDC, int row, int col, const QString& text, HAlign h, VAlign v) const;
    void SetSizes(int nRows, int nCols, const int* anRowHeight, const int* anColWidth);
    void DrawRules(CDC* pDC) const;
    void DrawLine(CDC* pDC, CPoint from, CPoint to, int nWidth) const;
};
