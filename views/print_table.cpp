#include "views/print_table.h"

#include "framework/dc.h"
#include "framework/gdi.h"

#include <algorithm>

namespace {

int Sum(const int* values, int n)
{
    int total = 0;
    for (int i = 0; i < n; ++i)
        total += values[i];
    return total;
}

// Weights shared out over a length in single precision, each part truncated; weights that
// sum to nothing give parts of nothing.
void ShareOut(int* parts, const int* weights, int n, int length)
{
    float total = 0.0f;
    for (int i = 0; i < n; ++i)
        total += float(weights[i]);
    const float factor = total != 0.0f ? float(length) / total : 0.0f;
    for (int i = 0; i < n; ++i)
        parts[i] = int(float(weights[i]) * factor);
}

}

CPrintTable::CPrintTable(int x, int y, int nRows, int nCols, const int* anRowHeight, const int* anColWidth)
    : m_ptOrigin(x, y)
{
    SetSizes(nRows, nCols, anRowHeight, anColWidth);
}

CPrintTable::CPrintTable(const CPrintTable& parent, int row, int col, int nRows, int nCols, const int* anRowWeight,
                         const int* anColWeight, int nDirection)
{
    const int w = parent.GetCellSize(row, col).cx;
    const int h = -parent.GetCellSize(row, col).cy;
    switch (nDirection) {
    case 2:
        m_ptOrigin = parent.GetCellOrigin(row - 1, col);
        m_nTotalWidth = w;
        m_nTotalHeight = h - parent.GetCellSize(row - 1, col).cy;
        break;
    case 4:
        m_ptOrigin = parent.GetCellOrigin(row, col);
        m_nTotalWidth = w + parent.GetCellSize(row, col + 1).cx;
        m_nTotalHeight = h;
        break;
    case 6:
        m_ptOrigin = parent.GetCellOrigin(row, col);
        m_nTotalWidth = w;
        m_nTotalHeight = h - parent.GetCellSize(row + 1, col).cy;
        break;
    case 8:
        m_ptOrigin = parent.GetCellOrigin(row, col - 1);
        m_nTotalWidth = w + parent.GetCellSize(row, col - 1).cx;
        m_nTotalHeight = h;
        break;
    default:
        m_ptOrigin = parent.GetCellOrigin(row, col);
        m_nTotalWidth = w;
        m_nTotalHeight = h;
        break;
    }
    m_nRows = std::clamp(nRows, 0, int(MAX_ROWS));
    m_nCols = std::clamp(nCols, 0, int(MAX_COLS));
    ShareOut(m_anRowHeight, anRowWeight, m_nRows, m_nTotalHeight);
    ShareOut(m_anColWidth, anColWeight, m_nCols, m_nTotalWidth);
}

void CPrintTable::SetSizes(int nRows, int nCols, const int* anRowHeight, const int* anColWidth)
{
    m_nRows = std::clamp(nRows, 0, int(MAX_ROWS));
    m_nCols = std::clamp(nCols, 0, int(MAX_COLS));
    std::copy(anRowHeight, anRowHeight + m_nRows, m_anRowHeight);
    std::copy(anColWidth, anColWidth + m_nCols, m_anColWidth);
    m_nTotalHeight = Sum(m_anRowHeight, m_nRows);
    m_nTotalWidth = Sum(m_anColWidth, m_nCols);
}

CPoint CPrintTable::GetCellOrigin(int row, int col) const
{
    return CPoint(m_ptOrigin.x + Sum(m_anColWidth, std::clamp(col, 0, m_nCols)),
                  m_ptOrigin.y - Sum(m_anRowHeight, std::clamp(row, 0, m_nRows)));
}

CSize CPrintTable::GetCellSize(int row, int col) const
{
    const int w = col >= 0 && col < m_nCols ? m_anColWidth[col] : 0;
    const int h = row >= 0 && row < m_nRows ? m_anRowHeight[row] : 0;
    return CSize(w, -h);
}

void CPrintTable::DrawRules(CDC* pDC) const
{
    pDC->SelectStockObject(HOLLOW_BRUSH);
    int y = m_ptOrigin.y;
    for (int row = 0; row < m_nRows; ++row) {
        pDC->MoveTo(m_ptOrigin.x, y);
        pDC->LineTo(m_ptOrigin.x + m_nTotalWidth, y);
        y -= m_anRowHeight[row];
    }
    int x = m_ptOrigin.x;
    for (int col = 0; col < m_nCols; ++col) {
        pDC->MoveTo(x, m_ptOrigin.y);
        pDC->LineTo(x, m_ptOrigin.y - m_nTotalHeight);
        x += m_anColWidth[col];
    }
    pDC->Rectangle(m_ptOrigin.x, m_ptOrigin.y, m_ptOrigin.x + m_nTotalWidth, m_ptOrigin.y - m_nTotalHeight);
}

void CPrintTable::DrawTable(CDC* pDC, BOOL bShade) const
{
    if (bShade)
        DrawHeadingFills(pDC);
    DrawRules(pDC);
}

void CPrintTable::DrawTableResized(CDC* pDC, BOOL bShade, int nRows, int nCols, const int* anRowHeight,
                                   const int* anColWidth)
{
    SetSizes(nRows, nCols, anRowHeight, anColWidth);
    DrawTable(pDC, bShade);
}

void CPrintTable::DrawTableFilled(CDC* pDC, COLORREF crFill) const
{
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            DrawCellFrame(pDC, row, col, crFill);
    DrawRules(pDC);
}

void CPrintTable::DrawHeadingFills(CDC* pDC) const
{
    if (m_nRows < 1 || m_nCols < 1)
        return;
    DrawCellFrame(pDC, 0, 0, kCornerFill);
    for (int col = 1; col < m_nCols; ++col)
        DrawCellFrame(pDC, 0, col, kRowFill);
    for (int row = 1; row < m_nRows; ++row)
        DrawCellFrame(pDC, row, 0, kColumnFill);
}

void CPrintTable::DrawCellFrame(CDC* pDC, int row, int col, COLORREF crFill) const
{
    DrawCellFrameEx(pDC, row, col, crFill, RGB(0, 0, 0));
}

void CPrintTable::DrawCellFrameEx(CDC* pDC, int row, int col, COLORREF crFill, COLORREF crFrame) const
{
    CPen pen(PS_SOLID, 1, crFrame);
    CBrush brush(crFill);
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    const CPoint o = GetCellOrigin(row, col);
    const CSize s = GetCellSize(row, col);
    pDC->Rectangle(o.x, o.y, o.x + s.cx, o.y + s.cy);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

void CPrintTable::DrawLine(CDC* pDC, CPoint from, CPoint to, int nWidth) const
{
    CPen pen(PS_SOLID, nWidth, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(from);
    pDC->LineTo(to);
    pDC->SelectObject(oldPen);
}

void CPrintTable::DrawColumnRule(CDC* pDC, int col, int nWidth) const
{
    const CPoint o = GetCellOrigin(0, col);
    DrawLine(pDC, o, CPoint(o.x, o.y - m_nTotalHeight), nWidth);
}

void CPrintTable::DrawRowRuleTop(CDC* pDC, int row, int nWidth) const
{
    const CPoint o = GetCellOrigin(row, 0);
    DrawLine(pDC, o, CPoint(o.x + m_nTotalWidth, o.y), nWidth);
}

void CPrintTable::DrawRowRuleBottom(CDC* pDC, int row, int nWidth) const
{
    CPoint o = GetCellOrigin(row, 0);
    o.y += GetCellSize(row, 0).cy;
    DrawLine(pDC, o, CPoint(o.x + m_nTotalWidth, o.y), nWidth);
}

void CPrintTable::DrawTextAligned(CDC* pDC, int row, int col, const QString& text, HAlign h, VAlign v) const
{
    pDC->SetBkMode(TRANSPARENT);
    const CSize extent = pDC->GetTextExtent(text);
    const CPoint o = GetCellOrigin(row, col);
    const int W = GetCellSize(row, col).cx;
    const int H = -GetCellSize(row, col).cy;
    const int x = h == HAlign::Left     ? o.x + m_nInsetLeft
                : h == HAlign::Centre   ? o.x + (W - extent.cx) / 2
                                        : o.x + W - extent.cx - m_nInsetRight;
    const int y = v == VAlign::Top      ? o.y - m_nInsetTop
                : v == VAlign::Middle   ? o.y - (H - extent.cy) / 2
                                        : o.y - H + extent.cy + m_nInsetBottom;
    pDC->TextOut(x, y, text);
}

void CPrintTable::DrawTextLeftMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAligned(pDC, row, col, text, HAlign::Left, VAlign::Middle);
}

void CPrintTable::DrawTextCentreMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAligned(pDC, row, col, text, HAlign::Centre, VAlign::Middle);
}

void CPrintTable::DrawTextRightMiddle(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAligned(pDC, row, col, text, HAlign::Right, VAlign::Middle);
}

void CPrintTable::DrawTextCentreTop(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAligned(pDC, row, col, text, HAlign::Centre, VAlign::Top);
}

void CPrintTable::DrawTextCentreBottom(CDC* pDC, int row, int col, const QString& text) const
{
    DrawTextAligned(pDC, row, col, text, HAlign::Centre, VAlign::Bottom);
}
