// Moving the current cell and the view, the selection that follows the moves, the hand-off
// from one in-place edit to the next, and the clipboard.
#include "grid/gridctrl.h"
#include "framework/clipboard.h"

// ---------------------------------------------------------------- move update

namespace {

// The smallest first index from which the row (column) `last` shows whole; `last` itself
// when it is longer than the area.
int firstShowingWhole(const CGridSettings& s, GridAxis a, int last)
{
    const int area = s.AreaLength(a);
    int from = last;
    long long sum = s.Size(a, last);
    while (from > 0 && sum + s.Size(a, from - 1) <= area)
        sum += s.Size(a, --from);
    return from;
}

// The first index shown along an axis (top row, left column) that keeps the current one and
// the look-ahead margin around it in view, as little moved from the first shown now as may be.
int firstKeepingCurrent(const CGridSettings& s, GridAxis a, int margin)
{
    const int area = s.AreaLength(a);
    const int current = s.Current(a);
    const int before = std::max(0, current - margin);
    const int after = std::min(s.Count(a) - 1, current + margin);
    int first = s.First(a);
    if (before < first) {
        first = before;
    } else {
        // A move that keeps a margin (keys, the owner's calls) shows the current row (column)
        // whole, since that is where the typing goes; a click leaves the view as it is when
        // the clicked one shows in part.
        int from = first;
        if (margin > 0 && s.Total(a, first, current + 1, area) > area)
            from = std::max(from, firstShowingWhole(s, a, current));
        // The look-ahead ones count as visible when they show at least in part; one out of
        // view is brought in whole.
        if (s.Total(a, first, after, area - 1) >= area)
            from = std::max(from, firstShowingWhole(s, a, after));
        first = from;
    }
    return std::clamp(first, 0, std::max(0, s.LastFirst(a)));
}

} // namespace

void CGridCtrl::KeepCurrentVisible()
{
    CGridSettings& s = m_settings;
    const int margin = std::max(0, s.m_nLookAhead);
    if (s.m_nRows > 0)
        s.m_nTopRow = firstKeepingCurrent(s, GRID_AXIS_ROWS, margin);
    if (s.m_nCols > 0)
        s.m_nLeftCol = firstKeepingCurrent(s, GRID_AXIS_COLS, margin);
}

void CGridCtrl::QueueSelection()
{
    if (const CGridMultiSelect::Block* b = m_select.CurrentBlock()) {
        if (m_settings.m_nHighlightMode)
            m_area.QueueRange(m_settings.m_nLeftCol, b->top, m_settings.m_nCols - 1, b->bottom);
        else
            m_area.QueueRange(b->left, b->top, b->right, b->bottom);
    }
}

void CGridCtrl::MoveUpdate()
{
    CGridSettings& s = m_settings;
    const bool rowChanged = s.m_nCurRow != s.m_nPrevRow;
    const bool colChanged = s.m_nCurCol != s.m_nPrevCol;
    if (rowChanged || colChanged)
        KeepCurrentVisible();
    if (rowChanged)
        OnRowChange(s.m_nPrevRow, s.m_nCurRow);
    if (colChanged)
        OnColChange(s.m_nPrevCol, s.m_nCurCol);
    if (rowChanged || colChanged)
        OnCellChange(s.m_nPrevCol, s.m_nCurCol, s.m_nPrevRow, s.m_nCurRow);
    if (s.m_nTopRow != s.m_nPrevTopRow)
        OnTopRowChange(s.m_nPrevTopRow, s.m_nTopRow);
    if (s.m_nLeftCol != s.m_nPrevLeftCol)
        OnLeftColChange(s.m_nPrevLeftCol, s.m_nLeftCol);

    if (s.m_bMultiSelect && (rowChanged || colChanged)) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const int col = s.m_nCurCol, row = s.m_nCurRow;
        QueueSelection();   // the old extent
        switch (s.m_nMoveCause) {
        case GRID_MOVE_CLICK:
            // Ctrl adds a block with the mouse only; otherwise a click selects as a key does.
            if (ctrl) {
                m_select.AddBlock(col, row);
                break;
            }
            [[fallthrough]];
        case GRID_MOVE_KEY:
            if (shift) {
                m_select.ExtendBlock(col, row);
            } else {
                ClearSelections();
                m_select.StartBlock(col, row);
            }
            break;
        case GRID_MOVE_DRAG:
            m_select.ExtendBlock(col, row);
            break;
        default:
            ClearSelections();
            m_select.StartBlock(col, row);
            break;
        }
        QueueSelection();   // the new extent
    }

    if (rowChanged || colChanged) {
        GetCellTypeById(m_cellCurrent.m_nCellType)->OnKillFocus(s.m_nPrevCol, s.m_nPrevRow, &m_cellCurrent);
        GetCellIndirect(s.m_nCurCol, s.m_nCurRow, &m_cellCurrent);
        GetCellTypeById(m_cellCurrent.m_nCellType)->OnSetFocus(s.m_nCurCol, s.m_nCurRow, &m_cellCurrent);
    }

    m_area.Moved();
    m_topHeading.Moved();
    m_sideHeading.Moved();
    m_vScroll.Update();
    m_hScroll.Update();
    s.m_nPrevCol = s.m_nCurCol;
    s.m_nPrevRow = s.m_nCurRow;
    s.m_nPrevLeftCol = s.m_nLeftCol;
    s.m_nPrevTopRow = s.m_nTopRow;
}

void CGridCtrl::BringCurrentIntoView()
{
    KeepCurrentVisible();
    if (m_settings.m_nTopRow != m_settings.m_nPrevTopRow || m_settings.m_nLeftCol != m_settings.m_nPrevLeftCol)
        MoveUpdate();
}

// ---------------------------------------------------------------- navigation

int CGridCtrl::AskForRows(int row)
{
    const int rows = m_settings.m_nRows;
    int found = 0;
    if (m_pDataSource->AddRows(rows, row - rows + 1, &found) == GRID_DS_OK && found > 0)
        SetNumberRows(rows + found);
    else
        found = 0;
    return found;
}

int CGridCtrl::CheckRow(int row, bool bTop)
{
    CGridSettings& s = m_settings;
    if (row == (bTop ? s.m_nTopRow : s.m_nCurRow))
        return 0;
    if (row < 0) {
        OnRowBeforeStart(s.m_nRows, row);
        return 0;
    }
    if (row >= s.m_nRows) {
        const int rows = s.m_nRows;
        const int found = AskForRows(row);
        OnRowPastEnd(rows, row - rows + 1, found);
        if (row >= s.m_nRows)
            return 0;
    }
    if (bTop && row > s.m_nLastTopRow)
        return 0;
    return 1;
}

int CGridCtrl::MoveCurrentTo(int col, int row)
{
    CGridSettings& s = m_settings;
    CGridCell cell;
    GetCell(col, row, &cell);
    if (cell.m_bJoined && !cell.m_bJoinOrigin) {
        // A block is reached at its origin.
        col = cell.m_nJoinCol;
        row = cell.m_nJoinRow;
        if (col == s.m_nCurCol && row == s.m_nCurRow)
            return 1;
    }
    if (!OnCanMoveCell(s.m_nCurCol, s.m_nCurRow, col, row))
        return -1;
    s.m_nCurCol = col;
    s.m_nCurRow = row;
    MoveUpdate();
    return 1;
}

int CGridCtrl::PastCurrentBlock(GridAxis a, int to)
{
    const CGridSettings& s = m_settings;
    if (to <= s.Current(a))
        return to;
    CGridCell cell;
    GetCell(s.m_nCurCol, s.m_nCurRow, &cell);
    const int last = a == GRID_AXIS_ROWS ? cell.m_nJoinRow : cell.m_nJoinCol;
    return cell.m_bJoined && cell.m_bJoinOrigin && to <= last ? last + 1 : to;
}

int CGridCtrl::GotoCell(int col, int row)
{
    CGridSettings& s = m_settings;
    if (col < 0 || col >= s.m_nCols)
        return 0;
    if (row != s.m_nCurRow && !CheckRow(row, false))
        return 0;
    if (col == s.m_nCurCol && row == s.m_nCurRow)
        return 1;
    return MoveCurrentTo(col, row);
}

int CGridCtrl::GotoRow(int row)
{
    CGridSettings& s = m_settings;
    if (s.m_nRows == 0 || s.m_nCols == 0)
        return 0;
    // A row outside the grid is reported (more rows may come) before it is clamped.
    if (!CheckRow(row, false))
        row = std::clamp(row, 0, s.m_nRows - 1);
    if (row == s.m_nCurRow)
        return 1;
    const int past = PastCurrentBlock(GRID_AXIS_ROWS, row);
    if (past != row && !CheckRow(past, false))
        return 0;
    return MoveCurrentTo(s.m_nCurCol, past);
}

int CGridCtrl::GotoCol(int col)
{
    CGridSettings& s = m_settings;
    if (s.m_nRows == 0 || s.m_nCols == 0)
        return 0;
    col = std::clamp(col, 0, s.m_nCols - 1);
    if (col == s.m_nCurCol)
        return 1;
    // A block that reaches the last column leaves nowhere to go on to.
    const int past = PastCurrentBlock(GRID_AXIS_COLS, col);
    if (past >= s.m_nCols)
        return 0;
    return MoveCurrentTo(past, s.m_nCurRow);
}

int CGridCtrl::PageTarget(int from, int direction, GridAxis a) const
{
    const CGridSettings& s = m_settings;
    const bool rows = a == GRID_AXIS_ROWS;
    const int area = s.AreaLength(a);
    const int count = s.Count(a);
    long long sum = s.Size(a, from);
    int i = from;
    while (sum <= area) {
        if (direction < 0) {
            if (i == 0)
                break;
            --i;
        } else {
            // Rows may page past the end (the row check then decides); columns stop at the last.
            if (!rows && i >= count - 1)
                break;
            ++i;
        }
        sum += s.Size(a, i);
    }
    return i;
}

std::optional<int> CGridCtrl::MoveTarget(GridAxis a, int how, bool bView) const
{
    const CGridSettings& s = m_settings;
    const int from = bView ? s.First(a) : s.Current(a);
    const int last = bView ? s.LastFirst(a) : s.Count(a) - 1;
    switch (how) {
    case GRID_MOVE_BACK: return from - 1;
    case GRID_MOVE_ON: return from + 1;
    case GRID_MOVE_PAGEBACK: return PageTarget(from, -1, a);
    // The view stops at its last first index; the current row may page past the end,
    // where the row check asks for more rows.
    case GRID_MOVE_PAGEON: return bView ? std::min(PageTarget(from, 1, a), last) : PageTarget(from, 1, a);
    case GRID_MOVE_FIRST: return 0;
    case GRID_MOVE_LAST: return last;
    default: return std::nullopt;
    }
}

int CGridCtrl::MoveCurrentRow(int how)
{
    const std::optional<int> row = MoveTarget(GRID_AXIS_ROWS, how, false);
    return row ? GotoRow(*row) : 3;
}

int CGridCtrl::MoveCurrentCol(int how)
{
    const std::optional<int> col = MoveTarget(GRID_AXIS_COLS, how, false);
    return col ? GotoCol(*col) : 3;
}

int CGridCtrl::ScrollTo(int newLeft, int newTop)
{
    CGridSettings& s = m_settings;
    if (!OnCanScrollView(s.m_nLeftCol, s.m_nTopRow, newLeft, newTop))
        return -1;
    s.m_nLeftCol = newLeft;
    s.m_nTopRow = newTop;
    MoveUpdate();
    return 1;
}

int CGridCtrl::SetTopRow(int row)
{
    if (m_settings.m_nRows == 0)
        return 0;
    if (row == m_settings.m_nTopRow)
        return 1;
    if (!CheckRow(row, true))
        return 0;
    return ScrollTo(m_settings.m_nLeftCol, row);
}

int CGridCtrl::MoveTopRow(int how)
{
    const std::optional<int> row = MoveTarget(GRID_AXIS_ROWS, how, true);
    return row ? SetTopRow(*row) : 3;
}

int CGridCtrl::SetLeftCol(int col)
{
    if (m_settings.m_nCols == 0 || col < 0 || col > m_settings.m_nLastLeftCol)
        return 0;
    if (col == m_settings.m_nLeftCol)
        return 1;
    return ScrollTo(col, m_settings.m_nTopRow);
}

int CGridCtrl::MoveLeftCol(int how)
{
    const std::optional<int> col = MoveTarget(GRID_AXIS_COLS, how, true);
    return col ? SetLeftCol(*col) : 3;
}

BOOL CGridCtrl::GetCellFromPoint(int x, int y, int* col, int* row)
{
    *col = *row = -1;
    const int c = m_area.ColAt(x), r = m_area.RowAt(y);
    if (c < 0 || r < 0)
        return FALSE;
    CGridCell cell;
    GetCell(c, r, &cell);
    if (cell.m_bJoined && !cell.m_bJoinOrigin) {
        *col = cell.m_nJoinCol;
        *row = cell.m_nJoinRow;
    } else {
        *col = c;
        *row = r;
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int col, int row, CRect* rect)
{
    const CGridSettings& s = m_settings;
    if (!rect || col < 0 || row < 0 || col >= s.m_nCols || row >= s.m_nRows)
        return FALSE;
    CGridCell cell;
    GetCell(col, row, &cell);
    if (cell.m_bJoined && !cell.m_bJoinOrigin) {
        col = cell.m_nJoinCol;
        row = cell.m_nJoinRow;
        GetCell(col, row, &cell);
    }
    CRect first;
    m_area.GetCellRectInArea(col, row, &first);
    if (cell.m_bJoined && cell.m_bJoinOrigin) {
        CRect last;
        m_area.GetCellRectInArea(std::min(cell.m_nJoinCol, s.m_nCols - 1), std::min(cell.m_nJoinRow, s.m_nRows - 1), &last);
        first.right = last.right;
        first.bottom = last.bottom;
    }
    *rect = first;
    return TRUE;
}

// ---------------------------------------------------------------- editing

BOOL CGridCtrl::StartEdit()
{
    return m_area.StartEdit(0);
}

BOOL CGridCtrl::StartEditWithChar(UINT key)
{
    return m_area.StartEdit(int(key));
}

void CGridCtrl::EditContinue(int colStep, int rowStep)
{
    const CGridSettings& s = m_settings;
    if (s.m_nCols == 0 || s.m_nRows == 0) {
        m_area.m_edit.Close();
        return;
    }
    auto wrap = [&](int* col, int* row) {
        if (*col >= s.m_nCols) {
            *col = 0;
            ++*row;
        } else if (*col < 0) {
            *col = s.m_nCols - 1;
            --*row;
        }
        *row = std::clamp(*row, 0, s.m_nRows - 1);
    };
    int col = s.m_nEditCol + colStep, row = s.m_nEditRow + rowStep;
    wrap(&col, &row);
    if (!OnEditContinue(s.m_nCurCol, s.m_nCurRow, &col, &row)) {
        m_area.m_edit.Close();
        return;
    }
    col = std::clamp(col, -1, s.m_nCols);
    wrap(&col, &row);
    GotoCell(col, row);
    if (!m_area.StartEdit(0))
        m_area.m_edit.Close();
}

// ---------------------------------------------------------------- selection

void CGridCtrl::SetMultiSelectMode(BOOL bOn)
{
    if (bOn) {
        m_select.SetMode(GRID_SELECT_CELLS);
        m_settings.m_bMultiSelect = 1;
        m_select.StartBlock(m_settings.m_nCurCol, m_settings.m_nCurRow);
    } else {
        ClearSelections();
        m_select.SetMode(GRID_SELECT_OFF);
        m_settings.m_bMultiSelect = 0;
    }
}

void CGridCtrl::ClearSelections()
{
    for (const CGridMultiSelect::Block& b : m_select.Blocks())
        m_area.QueueRange(m_settings.m_nHighlightMode ? m_settings.m_nLeftCol : b.left, b.top,
                          m_settings.m_nHighlightMode ? m_settings.m_nCols - 1 : b.right, b.bottom);
    m_select.ClearSelections();
    m_area.FlushRedraw();
}

BOOL CGridCtrl::SelectBlock(int startCol, int startRow, int endCol, int endRow)
{
    if (m_select.GetMode() == GRID_SELECT_OFF)
        return FALSE;
    m_select.StartBlock(startCol, startRow);
    m_select.ExtendBlock(endCol, endRow);
    QueueSelection();
    m_area.FlushRedraw();
    return TRUE;
}

// ---------------------------------------------------------------- clipboard

BOOL CGridCtrl::CopySelected()
{
    QString text;
    CGridCell cell;
    int col = 0, row = 0, prevRow = 0;
    bool first = true;
    for (int found = EnumFirstSelected(&col, &row); found; found = EnumNextSelected(&col, &row)) {
        GetCellIndirect(col, row, &cell);
        if (!first)
            text += row != prevRow ? u'\n' : u'\t';
        text += cell.m_strText;
        prevRow = row;
        first = false;
    }
    if (!AfxSetClipboardText(text))
        return FALSE;
    ClearSelections();
    RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::WriteText(int col, int row, const QString& text, int source)
{
    CGridCell cell;
    if (!GetCellIndirect(col, row, &cell) || col < 0 || row < 0)
        return FALSE;
    // Pasting and cutting change what typing may change, and nothing else.
    if (cell.m_nReadOnly > 0)
        return FALSE;
    if (!OnCheckText(col, row, text, source)) {
        ++m_nTextRefusals;
        return FALSE;
    }
    GetCell(col, row, &cell);
    cell.SetEnteredText(text);
    return SetCell(col, row, &cell);
}

BOOL CGridCtrl::CutSelected()
{
    std::vector<CPoint> cells;
    int col = 0, row = 0;
    for (int found = EnumFirstSelected(&col, &row); found; found = EnumNextSelected(&col, &row))
        cells.emplace_back(col, row);
    QString text;
    CGridCell cell;
    for (size_t i = 0; i < cells.size(); ++i) {
        GetCellIndirect(cells[i].x, cells[i].y, &cell);
        if (i > 0)
            text += cells[i].y != cells[i - 1].y ? u'\n' : u'\t';
        text += cell.m_strText;
    }
    if (!AfxSetClipboardText(text))
        return FALSE;
    m_nTextRefusals = 0;
    for (const CPoint& p : cells)
        WriteText(p.x, p.y, QString(), GRID_TEXT_CUT);
    ClearSelections();
    RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::Paste()
{
    QString text;
    if (!AfxGetClipboardText(&text))
        return FALSE;
    const int startCol = m_settings.m_nCurCol, startRow = m_settings.m_nCurRow;
    int c = startCol, r = startRow, maxCol = startCol, maxRow = startRow;
    m_nTextRefusals = 0;
    auto separator = [](QChar ch) { return ch == u'\t' || ch == u'\r' || ch == u'\n'; };
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        if (separator(text[p])) {
            WriteText(c, r, QString(), GRID_TEXT_PASTE);
        } else {
            qsizetype q = p;
            while (q < n && !separator(text[q]))
                ++q;
            WriteText(c, r, text.mid(p, q - p), GRID_TEXT_PASTE);
            maxCol = std::max(maxCol, c);
            maxRow = std::max(maxRow, r);
            p = q;
        }
        if (p >= n)
            break;
        const QChar sep = text[p++];
        if (sep == u'\t') {
            ++c;
        } else {
            if (sep == u'\r' && p < n && text[p] == u'\n')
                ++p;
            ++r;
            c = startCol;
        }
    }
    ClearSelections();
    SelectBlock(startCol, startRow, maxCol, maxRow);
    m_area.QueueRange(startCol, startRow, maxCol, maxRow);
    m_area.FlushRedraw();
    RedrawAll();
    return TRUE;
}
