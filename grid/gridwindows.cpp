#include "grid/gridwindows.h"
#include "grid/gridctrl.h"
#include "framework/childwnd.h"
#include "framework/dc.h"
#include "framework/paintdc.h"

#include <tuple>
#include <utility>

namespace {

// Selects the grid's font for a cell that has none of its own.
void selectCellFont(CDC* dc, const CGridCell& cell, const CGridSettings& s)
{
    if (!cell.m_pFont && s.m_pDefFont)
        dc->SelectObject(s.m_pDefFont);
}

// Draws a heading cell (or the corner's) in its rectangle: border, font, cell type.
void drawHeadingCell(CDC* dc, CGridCtrl* grid, CGridCell* cell, int col, int row, CRect inner)
{
    grid->GetCellIndirect(col, row, cell);
    grid->DrawBorder(dc, &inner, cell->m_nBorder);
    selectCellFont(dc, *cell, *grid->GetSettings());
    grid->GetCellTypeById(cell->m_nCellType)->Draw(dc, &inner, cell, 0, 0);
}

// The DC a heading strip or the corner paints through, as the owner set it up for the
// section; the pen and font it had then are put back at the end.
class HeadingDC : public CPaintDC {
public:
    HeadingDC(CWnd* wnd, CGridCtrl* grid, int section) : CPaintDC(wnd)
    {
        grid->OnScreenDCSetup(this, section);
        m_pOldPen = GetCurrentPen();
        m_pOldFont = GetCurrentFont();
    }
    ~HeadingDC() override
    {
        SelectObject(m_pOldPen);
        SelectObject(m_pOldFont);
    }

private:
    CPen* m_pOldPen;
    CFont* m_pOldFont;
};

// The area takes the keys before a drag or a scroll; an edit whose text is refused keeps them.
bool takeFocus(CGridCtrl* grid)
{
    CGridArea& area = grid->m_area;
    if (!area.EndEdit())
        return false;
    if (!area.m_bHasFocus)
        area.SetFocus();
    return true;
}

// The visible column (row) at a position of the area; -1 when none is there.
int visibleAt(const CGridSettings& s, GridAxis a, int pos)
{
    if (pos < 0)
        return -1;
    long long start = 0;
    for (int i = s.First(a); i < s.Count(a); ++i) {
        const int size = s.Size(a, i);
        if (size > 0 && pos < start + size)
            return i;
        start += size;
    }
    return -1;
}

// Where a column (row) starts in the area, negative before the first one shown.
int offsetOf(const CGridSettings& s, GridAxis a, int index)
{
    int pos = 0;
    for (int i = s.First(a); i < index; ++i)
        pos += s.Size(a, i);
    for (int i = index; i < s.First(a); ++i)
        pos -= s.Size(a, i);
    return pos;
}

// Where the columns (rows) first..last start and end in the area; the walk stops once it
// passes limit, whatever the range's size.
std::pair<long long, long long> spanOf(const CGridSettings& s, GridAxis a, int first, int last, int limit)
{
    long long start = 0;
    int i = s.First(a);
    for (; i < first && start <= limit; ++i)
        start += s.Size(a, i);
    long long end = start;
    for (i = first; i <= last && end <= limit; ++i)
        end += s.Size(a, i);
    return {start, end};
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

// ---------------------------------------------------------------- every child

void CGridChildWnd::TrackMenu(CPoint point)
{
    ClientToScreen(&point);
    m_pGrid->GetPopupMenu()->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL CGridChildWnd::RouteMenuCommand(WPARAM wParam, LPARAM lParam, int col, int row, int section)
{
    const UINT id = UINT(wParam & 0xFFFF);
    if (id >= 1000) {
        m_pGrid->OnMenuCommand(col, row, section, int(id));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------- cell area

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
    const CGridSettings& s = *m_pSettings;
    if (y < 0 || s.m_nRows == 0)
        return -1;
    if (s.m_bUniformRowHeight) {
        const long long r = s.m_nTopRow + y / std::max(1, s.m_nDefRowHeight);
        return r < s.m_nRows ? int(r) : -1;
    }
    return visibleAt(s, GRID_AXIS_ROWS, y);
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
    const int y = s.m_bUniformRowHeight ? (row - s.m_nTopRow) * s.m_nDefRowHeight : offsetOf(s, GRID_AXIS_ROWS, row);
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
    long long y1 = 0, y2 = 0;
    if (s.m_bUniformRowHeight) {
        y1 = (long long)(startRow - s.m_nTopRow) * s.m_nDefRowHeight;
        y2 = (long long)(endRow - s.m_nTopRow + 1) * s.m_nDefRowHeight;
    } else {
        std::tie(y1, y2) = spanOf(s, GRID_AXIS_ROWS, startRow, endRow, rc.bottom);
    }
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
        if (h > 0 && row >= r1) {
            int x = 0;
            int col = s.m_nLeftCol;
            for (; col <= c2 && col < s.m_nCols; ++col) {
                const int w = s.ColWidth(col);
                if (w > 0 && col >= c1 && (grew || m_redraw.Contains(col, row))) {
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
    long long dy = 0, dx = 0;
    for (int r = std::min(s.m_nTopRow, s.m_nPrevTopRow); r < std::max(s.m_nTopRow, s.m_nPrevTopRow) && dy <= rc.Height(); ++r)
        dy += s.RowHeight(r);
    for (int c = std::min(s.m_nLeftCol, s.m_nPrevLeftCol); c < std::max(s.m_nLeftCol, s.m_nPrevLeftCol) && dx <= rc.Width(); ++c)
        dx += s.ColWidth(c);
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
    if (!m_edit.IsOpen())
        return TRUE;
    // A refused text already told the user; the edit is taking the focus back.
    if (m_edit.IsRefused())
        return FALSE;
    if (!m_edit.Store()) {
        if (m_edit.IsOpen())
            m_edit.SetFocus();
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
    if (!takeFocus(m_pGrid))
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
    if (!takeFocus(m_pGrid))
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

// ---------------------------------------------------------------- headings

CGridHeading::CGridHeading(GridAxis axis, int section) : m_axis(axis), m_nSection(section) {}

CRect CGridHeading::Band(int from, int to, int across) const
{
    return m_axis == GRID_AXIS_ROWS ? CRect(0, from, across, to) : CRect(from, 0, to, across);
}

void CGridHeading::OnPaint()
{
    HeadingDC dc(this, m_pGrid, m_nSection);
    const CGridSettings& s = *m_pSettings;
    CRect rc;
    GetClientRect(&rc);
    const int length = m_axis == GRID_AXIS_ROWS ? rc.bottom : rc.right;
    const int across = m_axis == GRID_AXIS_ROWS ? rc.right : rc.bottom;
    int pos = 0;
    for (int i = s.First(m_axis); i < s.Count(m_axis) && pos <= length; ++i) {
        const int size = s.Size(m_axis, i);
        if (size <= 0)
            continue;
        drawHeadingCell(&dc, m_pGrid, &m_cell, CellCol(i), CellRow(i), Band(pos, pos + size, across - 1));
        pos += size;
    }
    if (pos < length)
        dc.FillSolidRect(Band(pos, length, across), m_pGrid->GetHeadingDefaultCell()->m_crBack);
    dc.SelectStockObject(BLACK_PEN);
    DrawEdge(&dc, rc);
}

int CGridHeading::IndexAt(int pos) const
{
    const CGridSettings& s = *m_pSettings;
    for (int i = s.First(m_axis); i < s.Count(m_axis); ++i) {
        pos -= s.Size(m_axis, i);
        if (pos < 0)
            return i;
    }
    return -1;
}

void CGridHeading::OnMouseMove(UINT, CPoint point)
{
    CGridSettings& s = *m_pSettings;
    const int pos = Along(point);
    if (m_bSizing) {
        SizeTo(pos);
        return;
    }
    const int count = s.Count(m_axis);
    bool found = false;
    if (count > 0) {
        long long edge = 0;
        for (int i = s.First(m_axis); i < count; ++i) {
            edge += s.Size(m_axis, i);
            if (edge - 5 < pos && pos < edge + 5) {
                // A hidden column (row) after the boundary is the one a drag reopens.
                int index = i;
                while (index + 1 < count && s.Size(m_axis, index + 1) < 5)
                    ++index;
                if (s.m_nSizingMode >= 1 && CanSize(index)) {
                    AfxSetWindowCursor(this, m_axis == GRID_AXIS_ROWS ? IDC_SIZENS : IDC_SIZEWE);
                    m_bInZone = 1;
                    m_bSizing = 0;
                    m_nSizeIndex = index;
                    m_nStartSize = s.Size(m_axis, index);
                    m_nStartPos = pos;
                    found = true;
                }
                break;
            }
            if (edge - 5 >= pos)
                break;   // before this boundary and out of its zone
        }
    }
    if (!found && m_bInZone) {
        m_bInZone = 0;
        AfxSetWindowCursor(this, IDC_ARROW);
    }
}

void CGridHeading::SizeTo(int pos)
{
    CGridSettings& s = *m_pSettings;
    int size = std::max(0, m_nStartSize - (m_nStartPos - pos));
    Sizing(m_nSizeIndex, &size);
    size = std::max(0, size);
    if (m_nSizeIndex < s.Count(m_axis) && size != s.Size(m_axis, m_nSizeIndex)) {
        std::vector<int>& sizes = m_axis == GRID_AXIS_ROWS ? s.m_anRowHeights : s.m_anColWidths;
        sizes[size_t(m_nSizeIndex)] = size;
        ShowNewSize();
    }
}

void CGridHeading::ShowNewSize()
{
    Invalidate(FALSE);
    if (m_pSettings->m_nSizingMode >= 2)
        m_pGrid->m_area.Invalidate(FALSE);
}

void CGridHeading::OnLButtonDown(UINT, CPoint point)
{
    if (m_bInZone) {
        if (takeFocus(m_pGrid))
            m_bSizing = 1;
        return;
    }
    Click(IndexAt(Along(point)), 1);
}

void CGridHeading::OnLButtonUp(UINT, CPoint point)
{
    if (m_bSizing) {
        m_bSizing = 0;
        m_pGrid->AdjustComponentSizes();
        m_pGrid->RedrawAll();
        Sized(m_nSizeIndex);
        return;
    }
    Click(IndexAt(Along(point)), 0);
}

void CGridHeading::OnLButtonDblClk(UINT, CPoint point)
{
    if (!m_bInZone)
        DoubleClick(IndexAt(Along(point)));
}

void CGridHeading::OnRButtonDown(UINT, CPoint point)
{
    const int index = IndexAt(Along(point));
    if (!m_bInZone)
        RightClick(index, 1);
    if (m_pSettings->m_bPopupMenu && m_pGrid->OnMenuStart(CellCol(index), CellRow(index), m_nSection)) {
        m_nMenuCol = CellCol(index);
        m_nMenuRow = CellRow(index);
        TrackMenu(point);
    }
}

void CGridHeading::OnRButtonUp(UINT, CPoint point)
{
    if (!m_bInZone)
        RightClick(IndexAt(Along(point)), 0);
}

BOOL CGridHeading::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return RouteMenuCommand(wParam, lParam, m_nMenuCol, m_nMenuRow, m_nSection);
}

// ---------------------------------------------------------------- column headings

CGridTopHeading::CGridTopHeading() : CGridHeading(GRID_AXIS_COLS, GRID_SECTION_TOPHEADING) {}

void CGridTopHeading::OnMouseMove(UINT nFlags, CPoint point)
{
    const bool sizing = m_bSizing;
    CGridHeading::OnMouseMove(nFlags, point);
    if (!sizing)
        Default();
}

void CGridTopHeading::Moved()
{
    if (m_pSettings->m_nLeftCol != m_pSettings->m_nPrevLeftCol)
        Invalidate(FALSE);
}

void CGridTopHeading::Sized(int col)
{
    int width = m_pSettings->ColWidth(col);
    m_pGrid->OnColumnSized(col, &width);
    m_pGrid->SetColWidth(col, std::max(0, width));
}

void CGridTopHeading::DrawEdge(CDC* dc, const CRect& rc)
{
    dc->MoveTo(rc.left - 1, rc.bottom - 1);
    dc->LineTo(rc.right, rc.bottom - 1);
}

BOOL CGridTopHeading::CanSize(int col) { return m_pGrid->OnCanSizeColumn(col); }
void CGridTopHeading::Sizing(int col, int* width) { m_pGrid->OnColumnSizing(col, width); }
void CGridTopHeading::Click(int col, int updn) { m_pGrid->OnTopHeadingClick(col, updn); }
void CGridTopHeading::RightClick(int col, int updn) { m_pGrid->OnTopHeadingRightClick(col, updn); }
void CGridTopHeading::DoubleClick(int col) { m_pGrid->OnTopHeadingDoubleClick(col); }

// ---------------------------------------------------------------- row headings

CGridSideHeading::CGridSideHeading() : CGridHeading(GRID_AXIS_ROWS, GRID_SECTION_SIDEHEADING) {}

void CGridSideHeading::Moved()
{
    const CGridSettings& s = *m_pSettings;
    if (s.m_nTopRow != s.m_nPrevTopRow || s.m_nCurRow != s.m_nPrevRow)
        Invalidate(FALSE);
}

void CGridSideHeading::SizeTo(int pos)
{
    CGridSettings& s = *m_pSettings;
    if (!s.m_bUniformRowHeight) {
        CGridHeading::SizeTo(pos);
        return;
    }
    // All rows share one height: the rows down to the dragged one share the mouse's y.
    const int rows = std::max(1, m_nSizeIndex - s.m_nTopRow + 1);
    int height = std::max(4, pos / rows);
    Sizing(m_nSizeIndex, &height);
    height = std::max(1, height);
    if (height != s.m_nDefRowHeight) {
        s.m_nDefRowHeight = height;
        ShowNewSize();
    }
}

void CGridSideHeading::Sized(int row)
{
    const CGridSettings& s = *m_pSettings;
    int height = s.RowHeight(row);
    m_pGrid->OnRowSized(row, &height);
    // Uniform rows took their height during the drag.
    if (!s.m_bUniformRowHeight)
        m_pGrid->SetRowHeight(row, std::max(0, height));
}

void CGridSideHeading::DrawEdge(CDC* dc, const CRect& rc)
{
    dc->MoveTo(rc.right - 1, rc.top);
    dc->LineTo(rc.right - 1, rc.bottom);
}

BOOL CGridSideHeading::CanSize(int row) { return m_pGrid->OnCanSizeRow(row); }
void CGridSideHeading::Sizing(int row, int* height) { m_pGrid->OnRowSizing(row, height); }
void CGridSideHeading::Click(int row, int updn) { m_pGrid->OnSideHeadingClick(row, updn); }
void CGridSideHeading::RightClick(int row, int updn) { m_pGrid->OnSideHeadingRightClick(row, updn); }
void CGridSideHeading::DoubleClick(int row) { m_pGrid->OnSideHeadingDoubleClick(row); }

// ---------------------------------------------------------------- corner

void CGridCornerButton::OnPaint()
{
    HeadingDC dc(this, m_pGrid, GRID_SECTION_CORNER);
    const CGridSettings& s = *m_pSettings;
    CRect rc;
    GetClientRect(&rc);
    // Locked columns from right to left, the corner cell last at the left edge.
    int right = rc.right - 1;
    for (int col = std::min(s.m_nLockedCols, s.m_nCols) - 1; col >= -1; --col) {
        const int w = col == -1 ? right : s.ColWidth(col);
        drawHeadingCell(&dc, m_pGrid, &m_cell, col, -1, CRect(col == -1 ? 0 : right - w, 0, right, rc.bottom - 1));
        right -= w;
    }
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(rc.left, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.bottom - 1);
    dc.LineTo(rc.right - 1, rc.top - 1);
}

void CGridCornerButton::OnMouseMove(UINT, CPoint point)
{
    CGridSettings& s = *m_pSettings;
    if (m_bSizing) {
        // The corner sits at the grid's origin, so the mouse gives the strip sizes directly.
        m_pGrid->SetPaintMode(0);
        if (m_bSizeHeight && s.m_nTopHeadingHeight != point.y)
            m_pGrid->SetTopHeadingHeight(std::max(0, point.y));
        if (m_bSizeWidth && s.m_nSideHeadingWidth != point.x)
            m_pGrid->SetSideHeadingWidth(std::max(0, point.x));
        m_pGrid->SetPaintMode(1);
        return;
    }
    if (!s.m_bUserSizing)
        return;
    CRect rc;
    GetClientRect(&rc);
    bool height = point.y > rc.bottom - 5 && m_pGrid->OnCanSizeTopHeading();
    bool width = point.x > rc.right - 5 && m_pGrid->OnCanSizeSideHeading();
    if (point.y > rc.bottom - 8 && point.x > rc.right - 8 && m_pGrid->OnCanSizeTopHeading()
        && m_pGrid->OnCanSizeSideHeading())
        height = width = true;
    m_bSizeHeight = height;
    m_bSizeWidth = width;
    if (height || width) {
        AfxSetWindowCursor(this, height && width ? IDC_SIZENWSE : width ? IDC_SIZEWE : IDC_SIZENS);
        m_bCursorShown = 1;
    } else if (m_bCursorShown) {
        AfxSetWindowCursor(this, IDC_ARROW);
        m_bCursorShown = 0;
    }
}

void CGridCornerButton::OnLButtonDown(UINT, CPoint)
{
    if (m_bCursorShown && (m_bSizeHeight || m_bSizeWidth)) {
        if (takeFocus(m_pGrid))
            m_bSizing = 1;
        return;
    }
    m_pGrid->OnCornerLeftClick(1);
}

void CGridCornerButton::OnLButtonUp(UINT, CPoint)
{
    if (m_bSizing) {
        m_bSizing = 0;
        m_pGrid->AdjustComponentSizes();
        return;
    }
    m_pGrid->OnCornerLeftClick(0);
}

void CGridCornerButton::OnLButtonDblClk(UINT, CPoint)
{
    m_pGrid->OnCornerDoubleClick();
}

void CGridCornerButton::OnRButtonDown(UINT, CPoint point)
{
    m_pGrid->OnCornerRightClick(1);
    if (m_pSettings->m_bPopupMenu && m_pGrid->OnMenuStart(-1, -1, GRID_SECTION_CORNER))
        TrackMenu(point);
}

void CGridCornerButton::OnRButtonUp(UINT, CPoint)
{
    m_pGrid->OnCornerRightClick(0);
}

BOOL CGridCornerButton::OnCommand(WPARAM wParam, LPARAM lParam)
{
    return RouteMenuCommand(wParam, lParam, -1, -1, GRID_SECTION_CORNER);
}

// ---------------------------------------------------------------- scroll bars

namespace {

// The thumb's place in the grid, for the hint.
CPoint cursorInGrid(CGridCtrl* grid)
{
    CPoint p;
    GetCursorPos(&p);
    grid->ScreenToClient(&p);
    return p;
}

// The move a line, page or end request asks for (the horizontal codes have the same
// values as the vertical ones); -1 for the other requests.
int barMove(UINT code)
{
    switch (code) {
    case SB_LINEUP: return GRID_MOVE_BACK;
    case SB_LINEDOWN: return GRID_MOVE_ON;
    case SB_PAGEUP: return GRID_MOVE_PAGEBACK;
    case SB_PAGEDOWN: return GRID_MOVE_PAGEON;
    case SB_TOP: return GRID_MOVE_FIRST;
    case SB_BOTTOM: return GRID_MOVE_LAST;
    default: return -1;
    }
}

CPoint barOrigin(CWnd* bar, CGridCtrl* grid)
{
    CRect r;
    bar->GetWindowRect(&r);
    CPoint p(r.left, r.top);
    grid->ScreenToClient(&p);
    return p;
}

} // namespace

void CGridVScroll::Update()
{
    if (!m_pSettings)
        return;
    const CGridSettings& s = *m_pSettings;
    // A scaled bar stands for a share of all rows (its positions past the last
    // top row stop there); an unscaled one has a position per possible top row.
    const int rows = std::max(0, s.m_nRows);
    const int n = rows > 1000 ? rows : (rows > 0 ? s.m_nLastTopRow + 1 : 0);
    const int page = std::max(0, s.m_nAreaHeight) / std::max(1, s.m_nDefRowHeight);
    bool changed = false;
    if (n != m_nLastRange || (n <= 1000 && page != m_nLastPage)) {
        m_nLastRange = n;
        m_nLastPage = page;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        if (n > 1000) {
            si.nMax = 1000;
            si.nPage = 1;
            m_dScaleToBar = 1000.0 / n;
            m_dScaleToRows = n / 1000.0;
        } else {
            // One thumb position per possible top row, the page as long as the area shows.
            si.nMax = std::max(0, n - 1 + std::max(0, page - 1));
            si.nPage = UINT(page);
            m_dScaleToBar = m_dScaleToRows = 1.0;
        }
        SetScrollInfo(&si);
        changed = true;
    }
    if (changed || s.m_nTopRow != m_nLastTop) {
        m_nLastTop = s.m_nTopRow;
        SetScrollPos(int(s.m_nTopRow * m_dScaleToBar));
    }
}

void CGridVScroll::OnScroll(UINT nSBCode, int nPos)
{
    if (!m_pGrid || !takeFocus(m_pGrid))
        return;
    const CGridSettings& s = *m_pSettings;
    auto rowOf = [&](int pos) { return std::min(int(pos * m_dScaleToRows), s.m_nLastTopRow); };
    switch (nSBCode) {
    case SB_THUMBPOSITION:
        m_pGrid->m_hint.Hide();
        m_pGrid->SetTopRow(rowOf(nPos));
        break;
    case SB_THUMBTRACK:
        if (s.m_bVScrollHint) {
            CGridHint& hint = m_pGrid->m_hint;
            hint.SetAlignment(GRID_ALIGN_VCENTER | GRID_ALIGN_RIGHT);
            const double span = m_nLastRange * m_dScaleToBar;
            const int percent = span > 0 ? int(nPos / span * 100) : 0;
            m_pGrid->OnVScrollHint(int(nPos * m_dScaleToRows), percent, &hint);
            hint.Move(barOrigin(this, m_pGrid).x - 1, cursorInGrid(m_pGrid).y, 80);
            hint.Show();
        }
        if (s.m_bVThumbTrack == 1)
            m_pGrid->SetTopRow(rowOf(nPos));
        break;
    default:
        if (const int how = barMove(nSBCode); how >= 0)
            m_pGrid->MoveTopRow(how);
        break;
    }
    Update();
}

void CGridHScroll::Update()
{
    if (!m_pSettings)
        return;
    const CGridSettings& s = *m_pSettings;
    const int n = s.m_nCols > 0 ? s.m_nLastLeftCol + 1 : 0;
    const int page = std::max(0, s.m_nAreaWidth) / std::max(1, s.m_nDefColWidth);
    bool changed = false;
    if (n != m_nLastRange || page != m_nLastPage) {
        m_nLastRange = n;
        m_nLastPage = page;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = std::max(0, n - 1 + std::max(0, page - 1));
        si.nPage = UINT(page);
        SetScrollInfo(&si);
        changed = true;
    }
    if (changed || s.m_nLeftCol != m_nLastLeft) {
        m_nLastLeft = s.m_nLeftCol;
        SetScrollPos(s.m_nLeftCol);
    }
}

void CGridHScroll::OnScroll(UINT nSBCode, int nPos)
{
    if (!m_pGrid || !takeFocus(m_pGrid))
        return;
    const CGridSettings& s = *m_pSettings;
    switch (nSBCode) {
    case SB_THUMBPOSITION:
        m_pGrid->m_hint.Hide();
        m_pGrid->SetLeftCol(std::min(nPos, s.m_nLastLeftCol));
        break;
    case SB_THUMBTRACK:
        if (s.m_bHScrollHint) {
            CGridHint& hint = m_pGrid->m_hint;
            hint.SetAlignment(GRID_ALIGN_BOTTOM | GRID_ALIGN_CENTER);
            const int percent = m_nLastRange > 0 ? int(double(nPos) / m_nLastRange * 100) : 0;
            m_pGrid->OnHScrollHint(nPos, percent, &hint);
            hint.Move(cursorInGrid(m_pGrid).x, barOrigin(this, m_pGrid).y - 1, 80);
            hint.Show();
        }
        if (s.m_bHThumbTrack == 1)
            m_pGrid->SetLeftCol(std::min(nPos, s.m_nLastLeftCol));
        break;
    default:
        if (const int how = barMove(nSBCode); how >= 0)
            m_pGrid->MoveLeftCol(how);
        break;
    }
    Update();
}

// ---------------------------------------------------------------- hint

void CGridHint::SetFont(CFont* pFont)
{
    m_pFont = pFont;
    m_nLineHeight = 0;
}

int CGridHint::TextWidth() const
{
    CDC dc;
    if (m_pFont)
        dc.SelectObject(m_pFont);
    return dc.GetTextExtent(m_strText).cx;
}

CRect CGridHint::Place(int x, int y, int minWidth, const CRect& parent) const
{
    int lineHeight = m_nLineHeight;
    if (lineHeight <= 0) {
        CDC dc;
        if (m_pFont)
            dc.SelectObject(m_pFont);
        lineHeight = dc.GetTextExtent(QStringLiteral("X")).cy + (m_pFont ? 3 : 0);
    }
    const int width = std::max(minWidth, TextWidth() + 4);
    const int height = lineHeight;
    int left = (m_nAlign & GRID_ALIGN_CENTER) ? x - width / 2 : (m_nAlign & GRID_ALIGN_RIGHT) ? x - width : x;
    int top = (m_nAlign & GRID_ALIGN_VCENTER) ? y - height / 2 : (m_nAlign & GRID_ALIGN_BOTTOM) ? y - height : y;
    if (left < parent.left)
        left = parent.left;
    if (top < parent.top)
        top = parent.top;
    if (left + width > parent.right)
        left -= left + width - parent.right;
    if (top + height > parent.bottom)
        top -= top + height - parent.bottom;
    return CRect(left, top, left + width, top + height);
}

void CGridHint::Move(int x, int y, int minWidth)
{
    CRect parent;
    if (m_pGrid)
        m_pGrid->GetClientRect(&parent);
    if (m_nLineHeight <= 0) {
        CDC dc;
        if (m_pFont)
            dc.SelectObject(m_pFont);
        m_nLineHeight = dc.GetTextExtent(QStringLiteral("X")).cy + (m_pFont ? 3 : 0);
    }
    MoveWindow(Place(x, y, minWidth, parent));
    Invalidate(FALSE);
}

void CGridHint::Show()
{
    ShowWindow(SW_SHOW);
}

void CGridHint::Hide()
{
    ShowWindow(SW_HIDE);
}

void CGridHint::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CRect inner = rc;
    GridDrawBorder(&dc, &inner, GRID_BORDER_LEFT | GRID_BORDER_TOP | GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM, 1);
    CFont* oldFont = dc.GetCurrentFont();
    if (m_pFont)
        dc.SelectObject(m_pFont);
    dc.SetTextColor(m_crText);
    dc.SetBkColor(m_crBack);
    dc.ExtTextOut(3, 2, ETO_OPAQUE | ETO_CLIPPED, inner, m_strText);
    dc.SelectObject(oldFont);
}
