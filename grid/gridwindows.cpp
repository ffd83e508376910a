#include "grid/gridwindows.h"
#include "grid/gridctrl.h"
#include "framework/dc.h"
#include "framework/paintdc.h"

namespace {

// Selects the grid's font for a cell that has none of its own.
void selectCellFont(CDC* dc, const CGridCell& cell, const CGridSettings& s)
{
    if (!cell.m_pFont && s.m_pDefFont)
        dc->SelectObject(s.m_pDefFont);
}

} // namespace

// ---------------------------------------------------------------- cell area

BOOL CGridArea::GetCellRectInArea(int col, int row, CRect* rect) const
{
    const CGridSettings& s = *m_pSettings;
    if (col < 0 || row < 0 || col >= s.m_nCols || row >= s.m_nRows)
        return FALSE;
    int x = 0, y = 0;
    for (int c = s.m_nLeftCol; c < col; ++c)
        x += s.ColWidth(c);
    for (int c = col; c < s.m_nLeftCol; ++c)
        x -= s.ColWidth(c);
    if (s.m_bUniformRowHeight) {
        y = (row - s.m_nTopRow) * s.m_nDefRowHeight;
    } else {
        for (int r = s.m_nTopRow; r < row; ++r)
            y += s.RowHeight(r);
        for (int r = row; r < s.m_nTopRow; ++r)
            y -= s.RowHeight(r);
    }
    *rect = CRect(x, y, x + s.ColWidth(col), y + s.RowHeight(row));
    return col >= s.m_nLeftCol && row >= s.m_nTopRow;
}

void CGridArea::OnPaint()
{
    CPaintDC dc(this);
    const CGridSettings& s = *m_pSettings;
    CRect rc;
    GetClientRect(&rc);
    if (s.m_nCols == 0 || s.m_nRows == 0) {
        dc.SetBkColor(m_pGrid->GetDefaultCell()->m_crBack);
        dc.ExtTextOut(0, 0, ETO_OPAQUE, rc, QString());
        return;
    }
    CFont* oldFont = dc.GetCurrentFont();
    if (s.m_pDefFont)
        dc.SelectObject(s.m_pDefFont);
    m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, s.m_nCols - 1, s.m_nRows - 1);
    DrawListedCells(&dc);
    dc.SelectObject(oldFont);
}

void CGridArea::DrawListedCells(CDC* dc)
{
    const CGridSettings& s = *m_pSettings;
    m_pGrid->OnScreenDCSetup(dc, GRID_SECTION_AREA);
    int c1, r1, c2, r2;
    if (!s.m_bPaintOn || !m_redraw.GetBounds(&c1, &r1, &c2, &r2)) {
        m_redraw.Clear();
        return;
    }
    c1 = std::max(c1, s.m_nLeftCol);
    r1 = std::max(r1, s.m_nTopRow);
    c2 = std::min(c2, s.m_nCols - 1);
    r2 = std::min(r2, s.m_nRows - 1);
    CRect rc;
    GetClientRect(&rc);
    const COLORREF empty = m_pGrid->GetDefaultCell()->m_crBack;

    int y = 0;
    int row = s.m_nTopRow;
    for (; row <= r2 && row < s.m_nRows; ++row) {
        const int h = s.RowHeight(row);
        if (h > 0 && row >= r1) {
            int x = 0;
            int col = s.m_nLeftCol;
            for (; col <= c2 && col < s.m_nCols; ++col) {
                const int w = s.ColWidth(col);
                if (w > 0 && col >= c1 && m_redraw.Contains(col, row)) {
                    m_pGrid->GetCellIndirect(col, row, &m_cell);
                    if (m_cell.m_bJoined) {
                        // A joined block is drawn once, over its whole rectangle.
                        const int oc = m_cell.m_bJoinOrigin ? col : m_cell.m_nJoinCol;
                        const int orow = m_cell.m_bJoinOrigin ? row : m_cell.m_nJoinRow;
                        if (!m_redraw.IsDone(oc, orow)) {
                            m_redraw.AddDone(oc, orow);
                            CGridCell origin;
                            m_pGrid->GetCellIndirect(oc, orow, &origin);
                            CRect first, last;
                            GetCellRectInArea(oc, orow, &first);
                            GetCellRectInArea(std::min(origin.m_nJoinCol, s.m_nCols - 1),
                                              std::min(origin.m_nJoinRow, s.m_nRows - 1), &last);
                            DrawCell(dc, oc, orow, CRect(first.left, first.top, last.right, last.bottom));
                        }
                    } else {
                        DrawCell(dc, col, row, CRect(x, y, x + w, y + h));
                    }
                }
                x += w;
                if (x > rc.right)
                    break;
            }
            if (col >= s.m_nCols && x < rc.right)
                dc->FillSolidRect(CRect(x, y, rc.right, y + h), empty);
        }
        y += h;
        if (y > rc.bottom)
            break;
    }
    if (row >= s.m_nRows && y < rc.bottom)
        dc->FillSolidRect(CRect(0, y, rc.right, rc.bottom), empty);
    m_redraw.Clear();
}

void CGridArea::DrawCell(CDC* dc, int col, int row, CRect rect)
{
    const CGridSettings& s = *m_pSettings;
    m_pGrid->GetCellIndirect(col, row, &m_cell);
    int current = 0, selected = 0;
    if (row == s.m_nCurRow) {
        if (col == s.m_nCurCol)
            current = 1;
        else if (s.m_nHighlightMode)
            selected = 1;
    }
    if (s.m_bMultiSelect && !current && m_pGrid->GetMultiSelect()->IsSelected(col, row))
        selected = 1;
    CRect inner = rect;
    m_pGrid->DrawBorder(dc, &inner, m_cell.m_nBorder);
    m_pGrid->GetCellTypeById(m_cell.m_nCellType)->Draw(dc, &inner, &m_cell, selected, current);
    if (current && (s.m_nCurrentCellMode & GRID_CURRENT_FOCUSFRAME) && (m_bHasFocus || s.m_bFrameWithoutFocus)
        && !inner.IsRectEmpty()) {
        dc->DrawFocusRect(inner);
        inner.DeflateRect(1, 1);
        dc->DrawFocusRect(inner);
    }
}

void CGridArea::RedrawRow(int row)
{
    RedrawRange(m_pSettings->m_nLeftCol, row, m_pSettings->m_nCols - 1, row);
}

void CGridArea::RedrawCol(int col)
{
    RedrawRange(col, m_pSettings->m_nTopRow, col, m_pSettings->m_nRows - 1);
}

void CGridArea::RedrawRange(int startCol, int startRow, int endCol, int endRow)
{
    if (!GetSafeHwnd())
        return;
    const CGridSettings& s = *m_pSettings;
    startCol = std::max(startCol, s.m_nLeftCol);
    startRow = std::max(startRow, s.m_nTopRow);
    endCol = std::min(endCol, s.m_nCols - 1);
    endRow = std::min(endRow, s.m_nRows - 1);
    if (startCol > endCol || startRow > endRow)
        return;
    CRect first, last;
    GetCellRectInArea(startCol, startRow, &first);
    GetCellRectInArea(endCol, endRow, &last);
    const CRect r(first.left, first.top, last.right, last.bottom);
    InvalidateRect(&r, FALSE);
    UpdateWindow();
}

void CGridArea::Moved()
{
    Invalidate(FALSE);
}

BOOL CGridArea::StartEdit(int)
{
    // There is no in-place edit window yet.
    return FALSE;
}

void CGridArea::OnSetFocus(CWnd*)
{
    m_bHasFocus = 1;
    RedrawCell(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow);
}

void CGridArea::OnKillFocus(CWnd*)
{
    m_bHasFocus = 0;
    RedrawCell(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow);
}

// ---------------------------------------------------------------- headings and corner

void CGridTopHeading::OnPaint()
{
    CPaintDC dc(this);
    const CGridSettings& s = *m_pSettings;
    m_pGrid->OnScreenDCSetup(&dc, GRID_SECTION_TOPHEADING);
    CRect rc;
    GetClientRect(&rc);
    CPen* oldPen = dc.GetCurrentPen();
    CFont* oldFont = dc.GetCurrentFont();
    int x = 0;
    for (int col = s.m_nLeftCol; col < s.m_nCols && x <= rc.right; ++col) {
        const int w = s.ColWidth(col);
        if (w <= 0)
            continue;
        m_pGrid->GetCellIndirect(col, -1, &m_cell);
        CRect inner(x, 0, x + w, rc.bottom - 1);
        m_pGrid->DrawBorder(&dc, &inner, m_cell.m_nBorder);
        selectCellFont(&dc, m_cell, s);
        m_pGrid->GetCellTypeById(m_cell.m_nCellType)->Draw(&dc, &inner, &m_cell, 0, 0);
        x += w;
    }
    if (x < rc.right)
        dc.FillSolidRect(CRect(x, 0, rc.right, rc.bottom), m_pGrid->GetHeadingDefaultCell()->m_crBack);
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(rc.left - 1, rc.bottom - 1);
    dc.LineTo(rc.right, rc.bottom - 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void CGridSideHeading::OnPaint()
{
    CPaintDC dc(this);
    const CGridSettings& s = *m_pSettings;
    m_pGrid->OnScreenDCSetup(&dc, GRID_SECTION_SIDEHEADING);
    CRect rc;
    GetClientRect(&rc);
    CPen* oldPen = dc.GetCurrentPen();
    CFont* oldFont = dc.GetCurrentFont();
    int y = 0;
    for (int row = s.m_nTopRow; row < s.m_nRows && y <= rc.bottom; ++row) {
        const int h = s.RowHeight(row);
        if (h <= 0)
            continue;
        m_pGrid->GetCellIndirect(-1, row, &m_cell);
        CRect inner(0, y, rc.right - 1, y + h);
        m_pGrid->DrawBorder(&dc, &inner, m_cell.m_nBorder);
        selectCellFont(&dc, m_cell, s);
        m_pGrid->GetCellTypeById(m_cell.m_nCellType)->Draw(&dc, &inner, &m_cell, 0, 0);
        y += h;
    }
    if (y < rc.bottom)
        dc.FillSolidRect(CRect(0, y, rc.right, rc.bottom), m_pGrid->GetHeadingDefaultCell()->m_crBack);
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(rc.right - 1, rc.top);
    dc.LineTo(rc.right - 1, rc.bottom);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void CGridCornerButton::OnPaint()
{
    CPaintDC dc(this);
    const CGridSettings& s = *m_pSettings;
    m_pGrid->OnScreenDCSetup(&dc, GRID_SECTION_CORNER);
    CRect rc;
    GetClientRect(&rc);
    CPen* oldPen = dc.GetCurrentPen();
    CFont* oldFont = dc.GetCurrentFont();
    // Locked columns from right to left, the corner cell last at the left edge.
    int right = rc.right - 1;
    for (int col = std::min(s.m_nLockedCols, s.m_nCols) - 1; col >= -1; --col) {
        const int w = col == -1 ? right : s.ColWidth(col);
        m_pGrid->GetCellIndirect(col, -1, &m_cell);
        CRect inner(col == -1 ? 0 : right - w, 0, right, rc.bottom - 1);
        m_pGrid->DrawBorder(&dc, &inner, m_cell.m_nBorder);
        selectCellFont(&dc, m_cell, s);
        m_pGrid->GetCellTypeById(m_cell.m_nCellType)->Draw(&dc, &inner, &m_cell, 0, 0);
        right -= w;
    }
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.top - 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}
