#include "print/print_table.h"

#include "framework/dc.h"
#include "framework/gdi.h"

#include <algorithm>

namespace {

enum { ALIGN_LEFT, ALIGN_CENTRE, ALIGN_RIGHT };

// Shares out a length in proportion to the weights; the last part takes what rounding left.
void Share(int total, int n, const int* weights, int* out)
{
    long sum = 0;
    for (int i = 0; i < n; ++i)
        sum += std::max(weights[i], 0);
    int given = 0;
    for (int i = 0; i < n; ++i) {
        out[i] = sum > 0 ? int(long(total) * std::max(weights[i], 0) / sum) : 0;
        given += out[i];
    }
    if (n > 0 && sum > 0)
        out[n - 1] += total - given;
}

}

CPrintTable::CPrintTable(int x, int y, int nRows, int nCols, const int* anRowHeights, const int* anColWidths,
                         const QString& strCaption)
    : m_ptOrigin(x, y), m_nRows(std::clamp(nRows, 0, int(MAX_ROWS))), m_nCols(std::clamp(nCols, 0, int(MAX_COLS))),
      m_strCaption(strCaption)
{
    for (int r = 0; r < m_nRows; ++r)
        m_anRowHeight[r] = anRowHeights[r];
    for (int c = 0; c < m_nCols; ++c)
        m_anColWidth[c] = anColWidths[c];
    Sum();
}

CPrintTable::CPrintTable(const CPrintTable& parent, int row, int col, int nRows, int nCols, const int* anRowWeights,
                         const int* anColWeights, int nJoin)
    : m_nRows(std::clamp(nRows, 0, int(MAX_ROWS))), m_nCols(std::clamp(nCols, 0, int(MAX_COLS)))
{
    CRect cell = parent.CellRect(row, col);
    if (nJoin == JOIN_RIGHT && col + 1 < parent.m_nCols)
        cell.right = parent.CellRect(row, col + 1).right;
    m_ptOrigin = CPoint(cell.left, cell.top);
    Share(cell.top - cell.bottom, m_nRows, anRowWeights, m_anRowHeight);
    Share(cell.right - cell.left, m_nCols, anColWeights, m_anColWidth);
    Sum();
}

void CPrintTable::Sum()
{
    m_nTotalHeight = 0;
    m_nTotalWidth = 0;
    for (int r = 0; r < m_nRows; ++r)
        m_nTotalHeight += m_anRowHeight[r];
    for (int c = 0; c < m_nCols; ++c)
        m_nTotalWidth += m_anColWidth[c];
}

CRect CPrintTable::CellRect(int row, int col) const
{
    row = std::clamp(row, 0, std::max(m_nRows - 1, 0));
    col = std::clamp(col, 0, std::max(m_nCols - 1, 0));
    int top = m_ptOrigin.y, left = m_ptOrigin.x;
    for (int r = 0; r < row; ++r)
        top -= m_anRowHeight[r];
    for (int c = 0; c < col; ++c)
        left += m_anColWidth[c];
    return CRect(left, top, left + m_anColWidth[col], top - m_anRowHeight[row]);
}

void CPrintTable::DrawRules(CDC* pDC) const
{
    const int left = m_ptOrigin.x, right = left + m_nTotalWidth;
    const int top = m_ptOrigin.y, bottom = top - m_nTotalHeight;
    int y = top;
    for (int r = 0; r + 1 < m_nRows; ++r) {
        y -= m_anRowHeight[r];
        pDC->MoveTo(left, y);
        pDC->LineTo(right, y);
    }
    int x = left;
    for (int c = 0; c + 1 < m_nCols; ++c) {
        x += m_anColWidth[c];
        pDC->MoveTo(x, top);
        pDC->LineTo(x, bottom);
    }
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(left, top, right, bottom);
    pDC->SelectObject(oldBrush);
}

void CPrintTable::DrawTable(CDC* pDC, BOOL bShade) const
{
    if (m_nRows <= 0 || m_nCols <= 0)
        return;
    if (bShade) {
        const COLORREF oldBk = pDC->GetBkColor();
        pDC->FillSolidRect(CellRect(0, 0), kCornerShade);
        for (int c = 1; c < m_nCols; ++c)
            pDC->FillSolidRect(CellRect(0, c), kRowShade);
        for (int r = 1; r < m_nRows; ++r)
            pDC->FillSolidRect(CellRect(r, 0), kColumnShade);
        pDC->SetBkColor(oldBk);
    }
    DrawRules(pDC);
}

void CPrintTable::DrawTableFilled(CDC* pDC, COLORREF colour) const
{
    for (int r = 0; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c)
            DrawCellFrameEx(pDC, r, c, colour, RGB(0, 0, 0));
    if (m_nRows > 0 && m_nCols > 0)
        DrawRules(pDC);
}

void CPrintTable::DrawCellFrameEx(CDC* pDC, int row, int col, COLORREF fill, COLORREF pen) const
{
    CPen framePen(PS_SOLID, 1, pen);
    CBrush brush(fill);
    CPen* oldPen = pDC->SelectObject(&framePen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(CellRect(row, col));
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

void CPrintTable::DrawTextAt(CDC* pDC, int row, int col, const QString& text, int nAlign) const
{
    if (text.isEmpty() || m_nRows <= 0 || m_nCols <= 0)
        return;
    const CRect cell = CellRect(row, col);
    const CSize extent = pDC->GetTextExtent(text);
    int x = cell.left + m_nInsetLeft;
    if (nAlign == ALIGN_CENTRE)
        x = (cell.left + cell.right) / 2 - extent.cx / 2;
    else if (nAlign == ALIGN_RIGHT)
        x = cell.right - m_nInsetRight - extent.cx;
    const int y = cell.top - (cell.top - cell.bottom - extent.cy) / 2;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(x, y, text);
    pDC->SetBkMode(oldMode);
}

void CPrintTable::DrawTextLeftMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAt(pDC, row, col, text, ALIGN_LEFT);
}

void CPrintTable::DrawTextCentreMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAt(pDC, row, col, text, ALIGN_CENTRE);
}

void CPrintTable::DrawTextRightMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAt(pDC, row, col, text, ALIGN_RIGHT);
}
