// A ruled table of the printed reports, laid out in 0.1 mm with y negative downwards: the
// origin is its top-left corner, rows run down and columns to the right.
#pragma once

#include <QString>
#include "framework/types.h"

class CDC;

class CPrintTable {
public:
    enum : int { MAX_ROWS = 50, MAX_COLS = 30 };
    // Joins a cell with its right neighbour before a sub-table is laid over it.
    enum : int { JOIN_NONE = 0, JOIN_RIGHT = 4 };

    // Sizes beyond MAX_ROWS or MAX_COLS are cut off; the caption is kept, never drawn.
    CPrintTable(int x, int y, int nRows, int nCols, const int* anRowHeights, const int* anColWidths,
                const QString& strCaption = QString());
    // nRows x nCols over the parent's cell (row, col), joined with its neighbour as nJoin says;
    // the cell's height and width are shared out in proportion to the weights.
    CPrintTable(const CPrintTable& parent, int row, int col, int nRows, int nCols, const int* anRowWeights,
                const int* anColWeights, int nJoin);

    // The rules of every row and column and the outer frame; with bShade the heading cells
    // are filled first: the corner, the rest of row 0 and the rest of column 0.
    void DrawTable(CDC* pDC, BOOL bShade) const;
    // Every cell filled with the colour inside a black frame, then the rules.
    void DrawTableFilled(CDC* pDC, COLORREF colour) const;
    // One cell framed in the pen colour and filled.
    void DrawCellFrameEx(CDC* pDC, int row, int col, COLORREF fill, COLORREF pen) const;
    // Text in a cell, vertically centred, never clipped.
    void DrawTextLeftMiddle(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextCentreMiddle(CDC* pDC, int row, int col, const QString& text) const;
    void DrawTextRightMiddle(CDC* pDC, int row, int col, const QString& text) const;

    int GetTotalHeight() const { return m_nTotalHeight; }
    int GetTotalWidth() const { return m_nTotalWidth; }
    int GetRows() const { return m_nRows; }
    int GetCols() const { return m_nCols; }
    CPoint GetOrigin() const { return m_ptOrigin; }
    void SetOrigin(int x, int y) { m_ptOrigin = CPoint(x, y); }
    // The cell in logical units: left, top, right, bottom (bottom below top).
    CRect CellRect(int row, int col) const;

    static constexpr COLORREF kCornerShade = RGB(128, 192, 192);
    static constexpr COLORREF kRowShade = RGB(192, 255, 192);
    static constexpr COLORREF kColumnShade = RGB(192, 255, 255);

private:
    void Sum();
    void DrawRules(CDC* pDC) const;
    void DrawTextAt(CDC* pDC, int row, int col, const QString& text, int nAlign) const;

    CPoint m_ptOrigin;
    int m_nRows = 0, m_nCols = 0;
    int m_anRowHeight[MAX_ROWS] = {};
    int m_anColWidth[MAX_COLS] = {};
    int m_nTotalHeight = 0, m_nTotalWidth = 0;
    QString m_strCaption;
    // Insets of left- and right-aligned cell text.
    int m_nInsetRight = 40, m_nInsetLeft = 30;
};
