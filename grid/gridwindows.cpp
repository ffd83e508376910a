#include "grid/gridwindows.h"
#include "grid/gridctrl.h"
#include "framework/childwnd.h"
#include "framework/dc.h"
#include "framework/paintdc.h"

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
        if (s.Hidden(m_axis, i))
            continue;
        const int size = s.Size(m_axis, i);
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
    if (s.Uniform(m_axis)) {
        // All share one size: the ones from the first shown to the dragged one share pos.
        const int shared = std::max(1, m_nSizeIndex - s.First(m_axis) + 1);
        int size = std::max(4, pos / shared);
        Sizing(m_nSizeIndex, &size);
        size = std::max(1, size);
        if (size != s.DefSize(m_axis)) {
            s.DefSize(m_axis) = size;
            ShowNewSize();
        }
        return;
    }
    int size = std::max(0, m_nStartSize - (m_nStartPos - pos));
    Sizing(m_nSizeIndex, &size);
    size = std::max(0, size);
    if (m_nSizeIndex < s.Count(m_axis) && size != s.Size(m_axis, m_nSizeIndex)) {
        s.Sizes(m_axis)[size_t(m_nSizeIndex)] = size;
        ShowNewSize();
    }
}

void CGridHeading::KeepSize(int index)
{
    const CGridSettings& s = *m_pSettings;
    int size = s.Size(m_axis, index);
    Sized(index, &size);
    // Uniform sizes were taken during the drag.
    if (!s.Uniform(m_axis))
        m_pGrid->SetSize(m_axis, index, std::max(0, size));
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
        if (m_pGrid->m_area.TakeFocus())
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
        KeepSize(m_nSizeIndex);
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

void CGridTopHeading::DrawEdge(CDC* dc, const CRect& rc)
{
    dc->MoveTo(rc.left - 1, rc.bottom - 1);
    dc->LineTo(rc.right, rc.bottom - 1);
}

BOOL CGridTopHeading::CanSize(int col) { return m_pGrid->OnCanSizeColumn(col); }
void CGridTopHeading::Sizing(int col, int* width) { m_pGrid->OnColumnSizing(col, width); }
void CGridTopHeading::Sized(int col, int* width) { m_pGrid->OnColumnSized(col, width); }
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

void CGridSideHeading::DrawEdge(CDC* dc, const CRect& rc)
{
    dc->MoveTo(rc.right - 1, rc.top);
    dc->LineTo(rc.right - 1, rc.bottom);
}

BOOL CGridSideHeading::CanSize(int row) { return m_pGrid->OnCanSizeRow(row); }
void CGridSideHeading::Sizing(int row, int* height) { m_pGrid->OnRowSizing(row, height); }
void CGridSideHeading::Sized(int row, int* height) { m_pGrid->OnRowSized(row, height); }
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
        if (m_pGrid->m_area.TakeFocus())
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
    const int page = s.Page(GRID_AXIS_ROWS);
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
    if (!m_pGrid || !m_pGrid->m_area.TakeFocus())
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
    const int page = s.Page(GRID_AXIS_COLS);
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
    if (!m_pGrid || !m_pGrid->m_area.TakeFocus())
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
