#include "grid/gridarea.h"
#include "grid/gridctrl.h"
#include "framework/childwnd.h"
#include "framework/dc.h"
#include "framework/paintdc.h"

#include <utility>

namespace {

// The visible column (row) at a position of the area; -1 when none is there.
int visibleAt(const CGridSettings& s, GridAxis a, int pos)
{
    if (pos < 0 || s.Count(a) == 0)
        return -1;
    if (s.Uniform(a)) {
        const long long i = s.First(a) + pos / std::max(1, s.DefSize(a));
        return i < s.Count(a) ? int(i) : -1;
    }
    long long start = 0;
    for (int i = s.First(a); i < s.Count(a); ++i) {
        const int size = s.Size(a, i);
        if (!s.Hidden(a, i) && pos < start + size)
            return i;
        start += size;
    }
    return -1;
}

// Where a column (row) starts in the area, negative before the first one shown.
int offsetOf(const CGridSettings& s, GridAxis a, int index)
{
    return int(s.Total(a, s.First(a), index) - s.Total(a, index, s.First(a)));
}

// Where the columns (rows) first..last start and end in the area; past limit the ends say
// only that they lie past it.
std::pair<long long, long long> spanOf(const CGridSettings& s, GridAxis a, int first, int last, int limit)
{
    const long long start = s.Total(a, s.First(a), first, limit);
    return {start, start + s.Total(a, first, last + 1, limit - start)};
}

// Steps of the drag scrolling come at least this far apart (milliseconds), so that a
// delay of 0 still shows each step.
constexpr UINT kMinDragStep = 30;

int power(int steps, int mode)
{
    switch (mode) {
    case 1: return steps;
    case 2: return steps * steps;
    case 3: return steps * steps * steps;
    default: return steps;
    }
}

} // namespace

CGridArea::CGridArea() = default;

CGridArea::~CGridArea()
{
    delete m_pBuffer;
}

bool CGridArea::InDialog() const
{
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (p->IsKindOf(RUNTIME_CLASS(CDialog)))
            return true;
    return false;
}

CGridCellType* CGridArea::CurrentType()
{
    CGridCell cell;
    m_pGrid->GetCellIndirect(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow, &cell);
    return m_pGrid->GetCellTypeById(cell.m_nCellType);
}

BOOL CGridArea::TakeFocus()
{
    if (!EndEdit())
        return FALSE;
    if (!m_bHasFocus)
        SetFocus();
    return TRUE;
}

BOOL CGridArea::HitCell(CPoint point, int* col, int* row, CRect* rect)
{
    *rect = CRect();
    *col = *row = -1;
    // Only what the area shows can be under the mouse.
    CRect rc;
    GetClientRect(&rc);
    if (!rc.PtInRect(point) || !m_pGrid->GetCellFromPoint(point.x, point.y, col, row))
        return FALSE;
    m_pGrid->GetCellRect(*col, *row, rect);
    return TRUE;
}

int CGridArea::RowAt(int y) const
{
    return visibleAt(*m_pSettings, GRID_AXIS_ROWS, y);
}

int CGridArea::ColAt(int x) const
{
    return visibleAt(*m_pSettings, GRID_AXIS_COLS, x);
}

BOOL CGridArea::GetCellRectInArea(int col, int row, CRect* rect) const
{
    const CGridSettings& s = *m_pSettings;
    if (col < 0 || row < 0 || col >= s.m_nCols || row >= s.m_nRows)
        return FALSE;
    const int x = offsetOf(s, GRID_AXIS_COLS, col);
    const int y = offsetOf(s, GRID_AXIS_ROWS, row);
    *rect = CRect(x, y, x + s.ColWidth(col), y + s.RowHeight(row));
    return col >= s.m_nLeftCol && row >= s.m_nTopRow;
}

CRect CGridArea::RangeRect(int startCol, int startRow, int endCol, int endRow) const
{
    const CGridSettings& s = *m_pSettings;
    CRect rc;
    GetClientRect(&rc);
    startCol = std::max(startCol, s.m_nLeftCol);
    startRow = std::max(startRow, s.m_nTopRow);
    endCol = std::min(endCol, s.m_nCols - 1);
    endRow = std::min(endRow, s.m_nRows - 1);
    if (startCol > endCol || startRow > endRow)
        return CRect();
    const auto [x1, x2] = spanOf(s, GRID_AXIS_COLS, startCol, endCol, rc.right);
    const auto [y1, y2] = spanOf(s, GRID_AXIS_ROWS, startRow, endRow, rc.bottom);
    const CRect r(int(std::min<long long>(x1, rc.right)), int(std::min<long long>(y1, rc.bottom)),
                  int(std::min<long long>(x2, rc.right)), int(std::min<long long>(y2, rc.bottom)));
    return r.IsRectEmpty() ? CRect() : r;
}

void CGridArea::QueueCell(int col, int row)
{
    CGridCell cell;
    if (!m_pGrid->GetCell(col, row, &cell))
        return;
    if (cell.m_bJoined && cell.m_bJoinOrigin)
        m_redraw.AddRange(col, row, cell.m_nJoinCol, cell.m_nJoinRow);
    else
        m_redraw.AddCell(col, row);
}

void CGridArea::FlushRedraw()
{
    if (GetSafeHwnd()) {
        int c1, r1, c2, r2;
        for (int i = 0; m_redraw.GetRange(i, &c1, &r1, &c2, &r2); ++i) {
            const CRect r = RangeRect(c1, r1, c2, r2);
            if (!r.IsRectEmpty())
                InvalidateRect(&r, FALSE);
        }
    }
    m_redraw.Clear();
}

void CGridArea::MakeBuffer()
{
    delete m_pBuffer;
    m_pBuffer = new CBitmap;
    CDC dc;
    CRect rc;
    GetClientRect(&rc);
    if (!m_pBuffer->CreateCompatibleBitmap(&dc, std::max(1, rc.Width()), std::max(1, rc.Height()))) {
        delete m_pBuffer;
        m_pBuffer = nullptr;
    }
}

BOOL CGridArea::SetDoubleBuffer(int mode)
{
    delete m_pBuffer;
    m_pBuffer = nullptr;
    m_nDoubleBuffer = mode;
    if (mode == 1) {
        MakeBuffer();
        if (!m_pBuffer) {
            m_nDoubleBuffer = 0;
            return FALSE;
        }
    }
    // The buffer must hold the whole picture before it is copied to the screen.
    Invalidate(FALSE);
    if (!m_pSettings->m_bPaintOn) {
        m_bForcePaint = 1;
        UpdateWindow();
        m_bForcePaint = 0;
    }
    return TRUE;
}

void CGridArea::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    m_rcClient = CRect(0, 0, cx, cy);
    if (m_nDoubleBuffer == 1) {
        MakeBuffer();
        if (!m_pBuffer)
            m_nDoubleBuffer = 0;
    }
}

void CGridArea::OnPaint()
{
    CPaintDC dc(this);
    const CGridSettings& s = *m_pSettings;
    CRect rc;
    GetClientRect(&rc);
    CDC mem;
    CDC* target = &dc;
    const bool buffered = m_nDoubleBuffer == 1 && m_pBuffer;
    if (buffered) {
        mem.CreateCompatibleDC(&dc);
        mem.SelectObject(m_pBuffer);
        target = &mem;
    }
    if (s.m_nCols == 0 || s.m_nRows == 0) {
        target->SetBkColor(m_pGrid->GetDefaultCell()->m_crBack);
        target->ExtTextOut(0, 0, ETO_OPAQUE, rc, QString());
    } else {
        CFont* oldFont = target->GetCurrentFont();
        if (s.m_pDefFont)
            target->SelectObject(s.m_pDefFont);
        // The cells under each invalid rectangle; space beyond the cells needs the whole walk.
        std::vector<CRect> parts;
        if (!AfxGetPaintRects(&parts) || parts.empty()) {
            CRect clip;
            dc.GetClipBox(&clip);
            parts.assign(1, clip.IsRectEmpty() ? rc : clip);
        }
        for (const CRect& part : parts) {
            const int c1 = ColAt(part.left), r1 = RowAt(part.top);
            if (c1 < 0 || r1 < 0) {
                m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, s.m_nCols - 1, s.m_nRows - 1);
            } else {
                const int c2 = ColAt(part.right - 1), r2 = RowAt(part.bottom - 1);
                m_redraw.AddRange(c1, r1, c2 < 0 ? s.m_nCols - 1 : c2, r2 < 0 ? s.m_nRows - 1 : r2);
            }
        }
        DrawListedCells(target);
        target->SelectObject(oldFont);
    }
    if (buffered) {
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
        mem.DeleteDC();
    }
}

void CGridArea::DrawListedCells(CDC* dc)
{
    CGridSettings& s = *m_pSettings;
    m_nCellsDrawn = 0;
    m_pGrid->OnScreenDCSetup(dc, GRID_SECTION_AREA);
    int c1, r1, c2, r2;
    if ((!s.m_bPaintOn && !m_bForcePaint) || !m_redraw.GetBounds(&c1, &r1, &c2, &r2)) {
        m_redraw.Clear();
        return;
    }
    c1 = std::max(c1, s.m_nLeftCol);
    r1 = std::max(r1, s.m_nTopRow);
    c2 = std::min(c2, s.m_nCols - 1);
    r2 = std::min(r2, s.m_nRows - 1);
    CRect first;
    if (c1 > c2 || r1 > r2 || !GetCellRectInArea(c1, r1, &first)) {
        m_redraw.Clear();
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    const COLORREF empty = m_pGrid->GetDefaultCell()->m_crBack;

    int y = 0;
    int row = s.m_nTopRow;
    bool grew = false;
    for (; row <= r2 && row < s.m_nRows; ++row) {
        const int h = s.RowHeight(row);
        if (!s.Hidden(GRID_AXIS_ROWS, row) && row >= r1) {
            int x = 0;
            int col = s.m_nLeftCol;
            for (; col <= c2 && col < s.m_nCols; ++col) {
                const int w = s.ColWidth(col);
                if (!s.Hidden(GRID_AXIS_COLS, col) && col >= c1 && (grew || m_redraw.Contains(col, row))) {
                    m_pGrid->GetCellIndirect(col, row, &m_cell);
                    if (m_cell.m_bJoined) {
                        // A joined block is drawn once, over its whole rectangle.
                        const int oc = m_cell.m_bJoinOrigin ? col : m_cell.m_nJoinCol;
                        const int orow = m_cell.m_bJoinOrigin ? row : m_cell.m_nJoinRow;
                        if (!m_redraw.IsDone(oc, orow)) {
                            m_redraw.AddDone(oc, orow);
                            CGridCell origin;
                            m_pGrid->GetCellIndirect(oc, orow, &origin);
                            CRect topLeft, bottomRight;
                            GetCellRectInArea(oc, orow, &topLeft);
                            GetCellRectInArea(std::min(origin.m_nJoinCol, s.m_nCols - 1),
                                              std::min(origin.m_nJoinRow, s.m_nRows - 1), &bottomRight);
                            DrawCell(dc, oc, orow, CRect(topLeft.left, topLeft.top, bottomRight.right, bottomRight.bottom));
                            ++m_nCellsDrawn;
                        }
                    } else {
                        DrawCell(dc, col, row, CRect(x, y, x + w, y + h));
                        ++m_nCellsDrawn;
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
        // At the last row the data source may have more.
        if (row == s.m_nRows - 1 && row == r2) {
            const int rows = s.m_nRows;
            if (m_pGrid->AskForRows(rows) > 0 && s.m_nRows > rows) {
                r2 = rows;
                grew = true;
            }
        }
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
    m_redraw.AddRange(startCol, startRow, endCol, endRow);
    FlushRedraw();
}

void CGridArea::Moved()
{
    const CGridSettings& s = *m_pSettings;
    if (!GetSafeHwnd()) {
        m_redraw.Clear();
        return;
    }
    if (s.m_nTopRow < 0 || s.m_nLeftCol < 0) {
        m_redraw.Clear();
        Invalidate(TRUE);
        return;
    }
    // The edit belongs to the cell it was opened on, where it was opened.
    if (m_edit.IsOpen() && (s.m_nCurCol != s.m_nPrevCol || s.m_nCurRow != s.m_nPrevRow
                            || s.m_nTopRow != s.m_nPrevTopRow || s.m_nLeftCol != s.m_nPrevLeftCol)) {
        if (m_edit.m_bHasFocus)
            SetFocus();
        if (m_edit.IsOpen())
            m_edit.FocusLost();
        if (m_edit.IsOpen())
            m_edit.Close();
    }

    CRect rc;
    GetClientRect(&rc);
    const int rows = s.m_nTopRow - s.m_nPrevTopRow, cols = s.m_nLeftCol - s.m_nPrevLeftCol;
    // How far the picture moves; past the area's size it is drawn anew.
    const long long dy = s.Total(GRID_AXIS_ROWS, std::min(s.m_nTopRow, s.m_nPrevTopRow),
                                 std::max(s.m_nTopRow, s.m_nPrevTopRow), rc.Height());
    const long long dx = s.Total(GRID_AXIS_COLS, std::min(s.m_nLeftCol, s.m_nPrevLeftCol),
                                 std::max(s.m_nLeftCol, s.m_nPrevLeftCol), rc.Width());
    if (dy > rc.Height() || dx > rc.Width() || ((dx || dy) && m_nDoubleBuffer == 1)) {
        m_redraw.Clear();
        Invalidate(FALSE);
        return;
    }
    if (rows > 0) {
        const int r = RowAt(rc.bottom - int(dy));
        m_redraw.AddRange(s.m_nLeftCol, r < 0 ? s.m_nRows - 1 : r, s.m_nCols - 1, s.m_nRows - 1);
    } else if (rows < 0) {
        const int r = RowAt(int(dy));
        m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, s.m_nCols - 1, r < 0 ? s.m_nRows - 1 : r + 1);
    }
    if (cols > 0) {
        const int c = ColAt(rc.right - int(dx));
        m_redraw.AddRange(c < 0 ? s.m_nCols - 1 : c, s.m_nTopRow, s.m_nCols - 1, s.m_nRows - 1);
    } else if (cols < 0) {
        const int c = ColAt(int(dx));
        m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, c < 0 ? s.m_nCols - 1 : c + 1, s.m_nRows - 1);
    }
    if (dx || dy)
        AfxScrollWindow(this, int(cols > 0 ? -dx : dx), int(rows > 0 ? -dy : dy));

    const bool moved = s.m_nCurCol != s.m_nPrevCol || s.m_nCurRow != s.m_nPrevRow;
    if (!moved) {
        QueueCell(s.m_nCurCol, s.m_nCurRow);
    } else if (!rows && !cols) {
        if (s.m_nHighlightMode) {
            m_redraw.AddRange(s.m_nLeftCol, s.m_nCurRow, s.m_nCols - 1, s.m_nCurRow);
            m_redraw.AddRange(s.m_nLeftCol, s.m_nPrevRow, s.m_nCols - 1, s.m_nPrevRow);
        } else {
            QueueCell(s.m_nCurCol, s.m_nCurRow);
            QueueCell(s.m_nPrevCol, s.m_nPrevRow);
        }
    } else {
        if (rows > 0)
            m_redraw.AddRange(s.m_nLeftCol, s.m_nPrevRow, s.m_nCols - 1, s.m_nRows - 1);
        else if (rows < 0)
            m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, s.m_nCols - 1, s.m_nPrevRow);
        if (cols > 0)
            m_redraw.AddRange(s.m_nPrevCol, s.m_nTopRow, s.m_nCols - 1, s.m_nRows - 1);
        else if (cols < 0)
            m_redraw.AddRange(s.m_nLeftCol, s.m_nTopRow, s.m_nPrevCol, s.m_nRows - 1);
        QueueCell(s.m_nCurCol, s.m_nCurRow);
        QueueCell(s.m_nPrevCol, s.m_nPrevRow);
    }
    FlushRedraw();
}

BOOL CGridArea::StartEdit(int key)
{
    CGridSettings& s = *m_pSettings;
    const int col = s.m_nCurCol, row = s.m_nCurRow;
    if (!GetSafeHwnd() || col < 0 || row < 0 || col >= s.m_nCols || row >= s.m_nRows)
        return FALSE;
    m_pGrid->GetCellIndirect(col, row, &m_cell);
    if (m_cell.m_nReadOnly > 0)
        return FALSE;
    m_pGrid->ClearSelections();
    CGridCellType* type = m_pGrid->GetCellTypeById(m_cell.m_nCellType);
    if (!type->IsEditable())
        return FALSE;
    m_edit.Close();
    CRect rect;
    m_pGrid->GetCellRect(col, row, &rect);
    m_pGrid->AdjustCellRect(&rect, m_cell.m_nBorder);
    type->GetEditRect(&rect);
    DWORD style = DWORD(WS_CHILD) | DWORD(ES_AUTOHSCROLL);
    m_pGrid->OnSetupEdit(col, row, &rect, &m_cell, &style, 0);
    m_edit.SetGrid(m_pGrid, this);
    if (!m_edit.Open(style, rect, GRID_ID_EDIT))
        return FALSE;
    AfxSetWindowFont(&m_edit, m_cell.m_pFont ? m_cell.m_pFont : s.m_pDefFont);
    const QString text = m_cell.m_strText;
    const QString mask = m_cell.m_strLabel;
    m_edit.m_bBusy = 1;
    m_edit.SetWindowText(text);
    m_edit.m_bBusy = 0;
    m_edit.SetMask(mask);
    if (!m_pGrid->OnEditStart(col, row, &m_edit)) {
        m_edit.Close();
        return FALSE;
    }
    s.m_nEditRow = row;
    s.m_nEditCol = col;
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetFocus();
    m_edit.SetSel(0, -1);
    m_edit.m_bAccept = 1;
    if (key > 0)
        m_edit.SendMessage(WM_CHAR, WPARAM(key), 0);
    return TRUE;
}

BOOL CGridArea::EndEdit()
{
    // A text refused as the focus left the edit already told the user; the cell takes the
    // keys back.
    if (m_edit.IsRefused())
        return FALSE;
    if (!m_edit.IsOpen())
        return TRUE;
    if (!m_edit.Store()) {
        m_edit.ReturnToCell();
        return FALSE;
    }
    m_edit.Close();
    return TRUE;
}

void CGridArea::OnSetFocus(CWnd*)
{
    m_bHasFocus = 1;
    QueueCell(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow);
    FlushRedraw();
}

void CGridArea::OnKillFocus(CWnd*)
{
    m_bHasFocus = 0;
    QueueCell(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow);
    FlushRedraw();
}

void CGridArea::OnKeyDown(UINT nChar, UINT, UINT)
{
    CGridSettings& s = *m_pSettings;
    // In a dialog Tab moves to the next control and Enter presses the default button.
    if ((nChar == VK_TAB || nChar == VK_RETURN) && InDialog()) {
        Default();
        return;
    }
    if (s.m_nCols == 0 || s.m_nRows == 0) {
        Default();
        return;
    }
    UINT key = nChar;
    const int processed = CurrentType()->OnKeyDown(&key);
    m_pGrid->OnKeyDown(&key, processed);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    s.m_nMoveCause = GRID_MOVE_KEY;
    bool moveKey = true;
    switch (key) {
    case VK_LEFT: m_pGrid->MoveCurrentCol(GRID_MOVE_BACK); break;
    case VK_RIGHT: m_pGrid->MoveCurrentCol(GRID_MOVE_ON); break;
    case VK_UP: m_pGrid->MoveCurrentRow(GRID_MOVE_BACK); break;
    case VK_DOWN: m_pGrid->MoveCurrentRow(GRID_MOVE_ON); break;
    case VK_PRIOR: m_pGrid->MoveCurrentRow(GRID_MOVE_PAGEBACK); break;
    case VK_NEXT: m_pGrid->MoveCurrentRow(GRID_MOVE_PAGEON); break;
    case VK_HOME: ctrl ? m_pGrid->MoveCurrentRow(GRID_MOVE_FIRST) : m_pGrid->MoveCurrentCol(GRID_MOVE_FIRST); break;
    case VK_END: ctrl ? m_pGrid->MoveCurrentRow(GRID_MOVE_LAST) : m_pGrid->MoveCurrentCol(GRID_MOVE_LAST); break;
    default: moveKey = false; break;
    }
    s.m_nMoveCause = GRID_MOVE_CALL;
    // The key's character follows unless the key moved or a cell type took it.
    if (!moveKey && processed != GRID_TYPE_HANDLED)
        Default();
}

void CGridArea::OnChar(UINT nChar, UINT, UINT)
{
    const CGridSettings& s = *m_pSettings;
    if ((nChar == VK_TAB || nChar == VK_RETURN) && InDialog()) {
        Default();
        return;
    }
    if (s.m_nCols == 0 || s.m_nRows == 0)
        return;
    UINT key = nChar;
    const int processed = CurrentType()->OnCharDown(&key);
    m_pGrid->OnCharDown(&key, processed);
}

void CGridArea::GotoClicked(int col, int row, CRect* rect)
{
    CGridSettings& s = *m_pSettings;
    const int lookAhead = s.m_nLookAhead;
    s.m_nLookAhead = 0;
    m_pGrid->GotoCell(col, row);
    s.m_nLookAhead = lookAhead;
    m_pGrid->GetCellRect(col, row, rect);
}

void CGridArea::OnLButtonDown(UINT, CPoint point)
{
    CGridSettings& s = *m_pSettings;
    if (!TakeFocus())
        return;
    s.m_bNoCapture = 0;
    s.m_nMoveCause = GRID_MOVE_CLICK;
    int col, row;
    CRect rect;
    if (HitCell(point, &col, &row, &rect)) {
        GotoClicked(col, row, &rect);
        int processed = GRID_TYPE_NOTHANDLED;
        if (col == s.m_nCurCol && row == s.m_nCurRow) {
            CGridCellType* type = CurrentType();
            processed = type->OnLeftClick(col, row, 1, &rect, &point);
            if (processed == GRID_TYPE_HANDLED)
                m_pMouseType = type;
        }
        m_pGrid->OnCellLeftClick(col, row, 1, &rect, &point, processed);
    } else {
        m_pGrid->OnCellLeftClick(-1, -1, 1, &rect, &point, GRID_TYPE_NOTHANDLED);
    }
    if (!s.m_bNoCapture)
        m_bButtonDown = 1;
    s.m_nMoveCause = GRID_MOVE_CALL;
}

void CGridArea::OnLButtonUp(UINT, CPoint point)
{
    CGridSettings& s = *m_pSettings;
    StopDragScroll();
    int col, row;
    CRect rect;
    const bool hit = HitCell(point, &col, &row, &rect);
    if (m_pMouseType) {
        // The type that kept the mouse hears its release, wherever it happens.
        const int processed = m_pMouseType->OnLeftClick(hit ? col : -1, hit ? row : -1, 0, &rect, &point);
        m_pGrid->OnCellLeftClick(hit ? col : -1, hit ? row : -1, 0, &rect, &point, processed);
    } else if (hit) {
        // A press that an edit's refused text stopped moves nothing at its release either.
        if (m_bButtonDown) {
            s.m_nMoveCause = GRID_MOVE_CLICK;
            const int lookAhead = s.m_nLookAhead;
            s.m_nLookAhead = 0;
            m_pGrid->GotoCell(col, row);
            m_pGrid->BringCurrentIntoView();
            s.m_nLookAhead = lookAhead;
            m_pGrid->GetCellRect(col, row, &rect);
        }
        int processed = GRID_TYPE_NOTHANDLED;
        if (col == s.m_nCurCol && row == s.m_nCurRow)
            processed = CurrentType()->OnLeftClick(col, row, 0, &rect, &point);
        m_pGrid->OnCellLeftClick(col, row, 0, &rect, &point, processed);
    } else {
        m_pGrid->OnCellLeftClick(-1, -1, 0, &rect, &point, GRID_TYPE_NOTHANDLED);
    }
    m_bButtonDown = 0;
    m_pMouseType = nullptr;
    s.m_nMoveCause = GRID_MOVE_CALL;
}

void CGridArea::OnLButtonDblClk(UINT, CPoint point)
{
    const CGridSettings& s = *m_pSettings;
    if (!EndEdit())
        return;
    int col, row;
    CRect rect;
    if (HitCell(point, &col, &row, &rect)) {
        int processed = GRID_TYPE_NOTHANDLED;
        if (col == s.m_nCurCol && row == s.m_nCurRow)
            processed = CurrentType()->OnDoubleClick(col, row, &rect, &point);
        m_pGrid->OnCellDoubleClick(col, row, &rect, &point, processed);
    } else {
        m_pGrid->OnCellDoubleClick(-1, -1, &rect, &point, GRID_TYPE_NOTHANDLED);
    }
}

void CGridArea::RightClick(CPoint& point, int updn, int* col, int* row)
{
    CGridSettings& s = *m_pSettings;
    s.m_nMoveCause = GRID_MOVE_CLICK;
    CRect rect;
    if (HitCell(point, col, row, &rect)) {
        GotoClicked(*col, *row, &rect);
        int processed = GRID_TYPE_NOTHANDLED;
        if (*col == s.m_nCurCol && *row == s.m_nCurRow)
            processed = CurrentType()->OnRightClick(*col, *row, updn, &rect, &point);
        m_pGrid->OnCellRightClick(*col, *row, updn, &rect, &point, processed);
    } else {
        *col = *row = -1;
        m_pGrid->OnCellRightClick(-1, -1, updn, &rect, &point, GRID_TYPE_NOTHANDLED);
    }
    s.m_nMoveCause = GRID_MOVE_CALL;
}

void CGridArea::OnRButtonDown(UINT, CPoint point)
{
    if (!TakeFocus())
        return;
    int col, row;
    RightClick(point, 1, &col, &row);
    if (m_pSettings->m_bPopupMenu && m_pGrid->OnMenuStart(col, row, GRID_SECTION_AREA)) {
        m_nMenuCol = col;
        m_nMenuRow = row;
        TrackMenu(point);
    }
}

void CGridArea::OnRButtonUp(UINT, CPoint point)
{
    int col, row;
    RightClick(point, 0, &col, &row);
}

void CGridArea::OnMouseMove(UINT, CPoint point)
{
    CGridSettings& s = *m_pSettings;
    if (s.m_nCols == 0 || s.m_nRows == 0)
        return;
    int col, row;
    CRect rect;
    const bool hit = HitCell(point, &col, &row, &rect);
    if (!m_bButtonDown) {
        if (hit) {
            CGridCell cell;
            m_pGrid->GetCellIndirect(col, row, &cell);
            m_pGrid->GetCellTypeById(cell.m_nCellType)->OnMouseMove(&point, 0);
        }
        return;
    }
    if (m_pMouseType) {
        m_pMouseType->OnMouseMove(&point, 1);
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    if (rc.PtInRect(point)) {
        StopDragScroll();
        if (hit) {
            s.m_nMoveCause = GRID_MOVE_DRAG;
            const int lookAhead = s.m_nLookAhead;
            s.m_nLookAhead = 0;
            m_pGrid->GotoCell(col, row);
            s.m_nLookAhead = lookAhead;
            s.m_nMoveCause = GRID_MOVE_CALL;
        }
        return;
    }
    // Outside the area the view follows the mouse by itself while the button is held.
    m_ptDrag = point;
    if (!m_bDragTimer) {
        const UINT delay = std::max<UINT>(kMinDragStep, UINT(std::max(0, s.m_nDragScrollDelay)));
        m_bDragTimer = SetTimer(GRID_TIMER_DRAGSCROLL, delay) != 0;
        DragScrollStep();
    }
}

void CGridArea::StopDragScroll()
{
    if (m_bDragTimer) {
        KillTimer(GRID_TIMER_DRAGSCROLL);
        m_bDragTimer = false;
    }
}

void CGridArea::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == GRID_TIMER_DRAGSCROLL)
        DragScrollStep();
}

void CGridArea::DragScrollStep()
{
    CGridSettings& s = *m_pSettings;
    if (!m_bButtonDown || m_pMouseType) {
        StopDragScroll();
        return;
    }
    CRect rc;
    GetClientRect(&rc);
    const CPoint p = m_ptDrag;
    const int mode = s.m_nDragScrollMode;
    s.m_nMoveCause = GRID_MOVE_DRAG;
    const int lookAhead = s.m_nLookAhead;
    s.m_nLookAhead = 0;
    if (p.x < 0 || p.x > rc.right) {
        const int dist = p.x < 0 ? -p.x : p.x - rc.right;
        const int steps = dist / std::max(1, s.m_nDefColWidth / 2);
        const int n = (mode == 0 || steps == 0) ? 1 : mode == 1 ? steps : steps * steps;
        m_pGrid->GotoCol(s.m_nCurCol + (p.x < 0 ? -n : n));
    }
    if (p.y < 0 || p.y > rc.bottom) {
        const int dist = p.y < 0 ? -p.y : p.y - rc.bottom;
        const int steps = dist / std::max(1, s.m_nDefRowHeight);
        const int n = (mode == 0 || steps == 0) ? 1 : power(steps, mode);
        m_pGrid->GotoRow(s.m_nCurRow + (p.y < 0 ? -n : n));
    }
    s.m_nLookAhead = lookAhead;
    s.m_nMoveCause = GRID_MOVE_CALL;
}

BOOL CGridArea::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Three rows a notch, as lists scroll on this platform.
    const CGridSettings& s = *m_pSettings;
    const int rows = -int(zDelta) * 3 / 120;
    if (rows == 0 || s.m_nRows == 0 || !EndEdit())
        return TRUE;
    m_pGrid->SetTopRow(std::clamp(s.m_nTopRow + rows, 0, std::max(0, s.m_nLastTopRow)));
    return TRUE;
}

BOOL CGridArea::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = UINT(wParam & 0xFFFF), code = UINT((wParam >> 16) & 0xFFFF);
    if (id == GRID_ID_EDIT && code == EN_UPDATE) {
        m_edit.Reformat();
        return TRUE;
    }
    return RouteMenuCommand(wParam, lParam, m_nMenuCol, m_nMenuRow, GRID_SECTION_AREA);
}
