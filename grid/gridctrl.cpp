#include "grid/gridctrl.h"
#include "framework/childwnd.h"
#include "framework/dc.h"
#include "framework/paintdc.h"
#include "framework/wndextras.h"

#include <cmath>
#include <iterator>

IMPLEMENT_DYNAMIC(CGridCtrl, CWnd)

namespace {
// At this many rows and more the row heights are one value, not an array.
constexpr int kUniformRows = 64000;
}

CGridCtrl::CGridCtrl()
    : m_pDataSource(std::make_unique<CGridMemDataSource>()), m_select(&m_settings), m_print(this)
{
    m_settings.m_nVScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    m_settings.m_nHScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    m_pDataSource->SetGrid(this);

    m_cellDefault.SetText(QString());
    m_cellDefault.SetRange(0.0, 1e20);
    m_cellDefault.SetDataType(0);
    m_cellDefault.SetAlignment(1);
    m_cellDefault.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    m_cellDefault.SetBackColor(GetSysColor(COLOR_WINDOW));
    m_cellDefault.SetSelTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    m_cellDefault.SetSelBackColor(GetSysColor(COLOR_HIGHLIGHT));
    m_cellDefault.SetBorder(GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM);
    m_cellDefault.SetReadOnly(0);

    m_cellHeadingDefault.SetRange(0.0, 1e20);
    m_cellHeadingDefault.SetBorder(GRID_BORDER_RAISED);
    m_cellHeadingDefault.SetTextColor(RGB(0, 0, 0));
    m_cellHeadingDefault.SetBackColor(GetSysColor(COLOR_BTNFACE));
    m_cellHeadingDefault.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);

    m_cellCorner.SetRange(0.0, 1e20);

    m_normalType.SetGrid(&m_settings, this);
    m_cellTypes.push_back(&m_normalType);
    AddCellType(&m_checkBoxType);
    AddCellType(&m_dropListType);
    AddCellType(&m_sortArrowType);
    AddCellType(&m_fitFontType);
    AddCellType(&m_progressType);
    AddCellType(&m_spinType);

    m_menu.CreatePopupMenu();
    // The children read the settings also before they have windows.
    for (CGridChildLink* child : std::initializer_list<CGridChildLink*>{&m_area, &m_topHeading, &m_sideHeading, &m_corner,
                                                                      &m_vScroll, &m_hScroll, &m_hint})
        child->SetGrid(&m_settings, this);
    m_area.m_edit.SetGrid(this, &m_area);

    // The scroll bars report to their parent, the grid, which hands the request back to them.
    OnMessage(WM_VSCROLL, [this](WPARAM w, LPARAM) -> LRESULT {
        m_vScroll.OnScroll(UINT(w & 0xFFFF), int((w >> 16) & 0xFFFF));
        return 0;
    });
    OnMessage(WM_HSCROLL, [this](WPARAM w, LPARAM) -> LRESULT {
        m_hScroll.OnScroll(UINT(w & 0xFFFF), int((w >> 16) & 0xFFFF));
        return 0;
    });
}

CGridCtrl::~CGridCtrl() = default;

// ---------------------------------------------------------------- creation and layout

BOOL CGridCtrl::CreateGrid(DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID)
{
    m_dwStyle = dwStyle | WS_CLIPCHILDREN;
    if (!CreateEx(pParent, rect, nID))
        return FALSE;
    // A child made after its parent is on screen shows only when told to.
    if (!(m_dwStyle & WS_VISIBLE))
        ShowWindow(SW_HIDE);
    else if (pParent)
        ShowWindow(SW_SHOW);
    OnSetup();
    return TRUE;
}

BOOL CGridCtrl::AttachGrid(UINT nID, CWnd* pParent)
{
    if (!pParent || !pParent->GetDlgItem(int(nID)) || !SubclassDlgItem(nID, pParent))
        return FALSE;
    m_dwStyle |= WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP;
    TakeParentFont();
    CreateChildren();
    AdjustComponentSizes();
    OnSetup();
    return TRUE;
}

int CGridCtrl::OnCreate()
{
    if (CWnd::OnCreate() == -1)
        return -1;
    TakeParentFont();
    CreateChildren();
    AdjustComponentSizes();
    return 0;
}

void CGridCtrl::TakeParentFont()
{
    LOGFONT lf;
    if (!AfxGetWindowLogFont(GetParent(), &lf))
        return;
    m_fontParent.DeleteObject();
    m_fontParent.CreateFontIndirect(&lf);
    m_settings.m_pDefFont = &m_fontParent;
}

void CGridCtrl::CreateChildren()
{
    // A table redrawn in its owner's paint must not paint its owner again.
    AfxSetWindowOpaque(this);
    CGridChildWnd* windows[] = {&m_area, &m_topHeading, &m_sideHeading, &m_corner};
    const UINT ids[] = {GRID_ID_AREA, GRID_ID_TOPHEADING, GRID_ID_SIDEHEADING, GRID_ID_CORNER};
    for (size_t i = 0; i < std::size(windows); ++i) {
        windows[i]->SetGrid(&m_settings, this);
        if (!windows[i]->GetSafeHwnd())
            windows[i]->CreateEx(this, CRect(), ids[i]);
        // A table attached to a control already on screen would otherwise keep them hidden.
        windows[i]->ShowWindow(SW_SHOW);
    }
    m_vScroll.SetGrid(&m_settings, this);
    m_hScroll.SetGrid(&m_settings, this);
    if (!m_vScroll.GetSafeHwnd())
        m_vScroll.Create(TRUE, CRect(), this, GRID_ID_VSCROLL);
    if (!m_hScroll.GetSafeHwnd())
        m_hScroll.Create(FALSE, CRect(), this, GRID_ID_HSCROLL);
    // Made last, the hint lies above the others.
    m_hint.SetGrid(&m_settings, this);
    if (!m_hint.GetSafeHwnd())
        m_hint.CreateEx(this, CRect(), GRID_ID_HINT);
    m_hint.ShowWindow(SW_HIDE);
    m_hint.SetFont(m_settings.m_pDefFont);
    m_area.m_edit.SetGrid(this, &m_area);
    // The keys stay with the cells when a heading, the corner or the hint is clicked.
    for (CWnd* w : std::initializer_list<CWnd*>{&m_topHeading, &m_sideHeading, &m_corner, &m_hint})
        AfxSetWindowFocusable(w, FALSE);
}

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, GetSysColor(COLOR_BTNFACE));
}

void CGridCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    AdjustComponentSizes();
}

void CGridCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    m_area.SetFocus();
    MoveUpdate();
}

void CGridCtrl::AdjustComponentSizes()
{
    if (m_bInLayout)
        return;
    m_bInLayout = true;
    CGridSettings& s = m_settings;
    CRect rc;
    GetClientRect(&rc);
    const int cw = rc.Width(), ch = rc.Height();
    const int vWidth = s.m_nVScrollWidth, hHeight = s.m_nHScrollHeight;

    // A bar that is not needed gives its room to the area, where the other axis may then fit
    // too: columns fitted to the width of a table without a vertical bar need no horizontal one.
    int vRoom = vWidth, hRoom = hHeight;
    for (int pass = 0; pass < 3; ++pass) {
        s.m_nAreaWidth = cw - s.m_nSideHeadingWidth - vRoom;
        s.m_nAreaHeight = ch - s.m_nTopHeadingHeight - hRoom;
        CalcFit(GRID_AXIS_COLS);
        CalcFit(GRID_AXIS_ROWS);
        const int v = s.m_bVScrollShown ? vWidth : 0, h = s.m_bHScrollShown ? hHeight : 0;
        if (v == vRoom && h == hRoom)
            break;
        vRoom = v;
        hRoom = h;
    }
    // A bar that is not needed has no size in this layout.
    if (!s.m_bVScrollShown)
        s.m_nVScrollWidth = 0;
    if (!s.m_bHScrollShown)
        s.m_nHScrollHeight = 0;
    s.m_nAreaWidth = cw - s.m_nSideHeadingWidth - s.m_nVScrollWidth;
    s.m_nAreaHeight = ch - s.m_nTopHeadingHeight - s.m_nHScrollHeight;

    auto place = [](CWnd& w, int x, int y, int width, int height) {
        if (w.GetSafeHwnd())
            w.MoveWindow(x, y, std::max(width, 0), std::max(height, 0));
    };
    place(m_area, s.m_nSideHeadingWidth, s.m_nTopHeadingHeight, s.m_nAreaWidth, s.m_nAreaHeight);
    place(m_topHeading, s.m_nSideHeadingWidth, 0, cw - s.m_nSideHeadingWidth - s.m_nVScrollWidth, s.m_nTopHeadingHeight);
    place(m_sideHeading, 0, s.m_nTopHeadingHeight, s.m_nSideHeadingWidth, ch - s.m_nTopHeadingHeight - s.m_nHScrollHeight);
    place(m_vScroll, cw - s.m_nVScrollWidth, 0, s.m_nVScrollWidth, ch - s.m_nHScrollHeight);
    place(m_hScroll, 0, ch - s.m_nHScrollHeight, cw - s.m_nVScrollWidth, s.m_nHScrollHeight);
    place(m_corner, 0, 0, s.m_nSideHeadingWidth, s.m_nTopHeadingHeight);

    s.m_nVScrollWidth = vWidth;
    s.m_nHScrollHeight = hHeight;
    s.m_nPrevLeftCol = s.m_nLeftCol;
    s.m_nPrevTopRow = s.m_nTopRow;
    RefreshChildren();
    m_bInLayout = false;
    const long long rows = s.Total(GRID_AXIS_ROWS, 0, s.m_nRows);
    if (m_bAllRowsShown && s.m_nAreaHeight < rows)
        AfxEnsureWindowHeight(this, int(s.m_nTopHeadingHeight + rows + (s.m_bHScrollShown ? s.m_nHScrollHeight : 0)));
}

void CGridCtrl::KeepAllRowsShown()
{
    m_bAllRowsShown = true;
    AdjustComponentSizes();
}

void CGridCtrl::CalcFit(GridAxis a)
{
    CGridSettings& s = m_settings;
    const int count = s.Count(a);
    int last = 0;
    if (count > 0) {
        int remaining = s.AreaLength(a);
        int i = count - 1;
        for (; i >= 0; --i) {
            remaining -= s.Size(a, i);
            if (remaining < 0)
                break;
        }
        last = i < 0 ? 0 : std::min(i + 1, count - 1);
    }
    const bool rows = a == GRID_AXIS_ROWS;
    int& lastFirst = rows ? s.m_nLastTopRow : s.m_nLastLeftCol;
    int& first = rows ? s.m_nTopRow : s.m_nLeftCol;
    int& barShown = rows ? s.m_bVScrollShown : s.m_bHScrollShown;
    const int oldLast = lastFirst, oldShown = barShown;
    lastFirst = last;
    if (first > last)
        first = last;
    barShown = last != 0;
    if (oldLast != last || oldShown != barShown)
        AdjustComponentSizes();
}

void CGridCtrl::RefreshChildren()
{
    m_area.Invalidate(FALSE);
    m_topHeading.Invalidate(FALSE);
    m_sideHeading.Invalidate(FALSE);
    m_corner.Invalidate(FALSE);
    m_vScroll.Update();
    m_hScroll.Update();
}

BOOL CGridCtrl::SetStripSize(int* size, int value)
{
    if (value < 0)
        return FALSE;
    *size = value;
    AdjustComponentSizes();
    return TRUE;
}

BOOL CGridCtrl::SetTopHeadingHeight(int height)
{
    return SetStripSize(&m_settings.m_nTopHeadingHeight, height);
}

BOOL CGridCtrl::SetSideHeadingWidth(int width)
{
    return SetStripSize(&m_settings.m_nSideHeadingWidth, width);
}

BOOL CGridCtrl::SetVScrollWidth(int width)
{
    return SetStripSize(&m_settings.m_nVScrollWidth, width);
}

BOOL CGridCtrl::SetHScrollHeight(int height)
{
    return SetStripSize(&m_settings.m_nHScrollHeight, height);
}

void CGridCtrl::SetDefFont(CFont* pFont)
{
    m_settings.m_pDefFont = pFont;
    m_hint.SetFont(pFont);
    RefreshChildren();
}

BOOL CGridCtrl::SetDefColWidth(int width)
{
    return SetDefSize(GRID_AXIS_COLS, width);
}

BOOL CGridCtrl::SetDefRowHeight(int height)
{
    return SetDefSize(GRID_AXIS_ROWS, height);
}

BOOL CGridCtrl::SetDefSize(GridAxis a, int size)
{
    // The scroll bars and the drag scrolling divide by it.
    if (size < 1)
        return FALSE;
    m_settings.DefSize(a) = size;
    if (m_settings.Uniform(a)) {
        CalcFit(a);
        RedrawAll();
    }
    return TRUE;
}

void CGridCtrl::RedrawAll()
{
    RefreshChildren();
}

void CGridCtrl::RedrawCell(int col, int row)
{
    m_area.RedrawCell(col, row);
}

void CGridCtrl::SetPaintMode(int mode)
{
    m_settings.m_bPaintOn = mode;
    if (mode)
        RedrawAll();
}

// ---------------------------------------------------------------- size

BOOL CGridCtrl::SetNumberCols(int count, BOOL bRedraw)
{
    if (count < 0)
        return FALSE;
    CGridSettings& s = m_settings;
    s.m_anColWidths.resize(size_t(count), s.m_nDefColWidth);
    m_colDefaults.resize(size_t(count), m_cellDefault);
    m_colHeadings.resize(size_t(count), m_cellCorner);
    s.m_nCols = count;
    if (count == 0) {
        s.m_nCurCol = s.m_nPrevCol = s.m_nLeftCol = s.m_nPrevLeftCol = 0;
    } else if (s.m_nCurCol > count - 1 || s.m_nCurCol < 0) {
        s.m_nCurCol = s.m_nCurCol < 0 ? 0 : count - 1;
        MoveUpdate();
    }
    CalcFit(GRID_AXIS_COLS);
    if (bRedraw)
        RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::SetNumberRows(int count, BOOL bRedraw)
{
    if (count < 0)
        return FALSE;
    CGridSettings& s = m_settings;
    if (!s.m_bUniformRowHeight) {
        if (count >= kUniformRows) {
            s.m_anRowHeights.clear();
            s.m_anRowHeights.shrink_to_fit();
            s.m_bUniformRowHeight = 1;
        } else {
            s.m_anRowHeights.resize(size_t(count), s.m_nDefRowHeight);
        }
    }
    s.m_nRows = count;
    if (count == 0) {
        s.m_nCurRow = s.m_nPrevRow = s.m_nTopRow = s.m_nPrevTopRow = 0;
    } else {
        s.m_nTopRow = std::min(s.m_nTopRow, count - 1);
        const int old = s.m_nCurRow;
        s.m_nCurRow = std::clamp(s.m_nCurRow, 0, count - 1);
        if (s.m_nCurRow != old)
            MoveUpdate();
    }
    CalcFit(GRID_AXIS_ROWS);
    if (bRedraw)
        RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::SetColWidth(int col, int width)
{
    return SetSize(GRID_AXIS_COLS, col, width);
}

BOOL CGridCtrl::GetColWidth(int col, int* width) const
{
    return GetSize(GRID_AXIS_COLS, col, width);
}

BOOL CGridCtrl::SetRowHeight(int row, int height)
{
    return SetSize(GRID_AXIS_ROWS, row, height);
}

BOOL CGridCtrl::GetRowHeight(int row, int* height) const
{
    return GetSize(GRID_AXIS_ROWS, row, height);
}

BOOL CGridCtrl::SetSize(GridAxis a, int index, int size)
{
    CGridSettings& s = m_settings;
    if (index < 0 || index >= s.Count(a) || size < 0)
        return FALSE;
    if (s.Uniform(a)) {
        // One size for all; the scroll bars divide by it.
        if (size < 1)
            return FALSE;
        s.DefSize(a) = size;
    } else {
        s.Sizes(a)[size_t(index)] = size;
    }
    CalcFit(a);
    RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::GetSize(GridAxis a, int index, int* size) const
{
    if (index < 0 || index >= m_settings.Count(a) || !size)
        return FALSE;
    *size = m_settings.Size(a, index);
    return TRUE;
}

BOOL CGridCtrl::FitColumnsToWidth(int firstCol, int lastCol)
{
    CGridSettings& s = m_settings;
    if (firstCol < 0 || firstCol > lastCol || lastCol >= s.m_nCols)
        return FALSE;
    CRect rc;
    if (m_area.GetSafeHwnd())
        m_area.GetClientRect(&rc);
    else
        rc = CRect(0, 0, s.m_nAreaWidth, s.m_nAreaHeight);
    const int areaWidth = rc.Width();
    const long long sum = s.Total(GRID_AXIS_COLS, firstCol, lastCol + 1);
    int used = 0;
    if (sum > 0) {
        const float factor = float(areaWidth) / float(sum);
        for (int c = firstCol; c < lastCol; ++c) {
            int& w = s.m_anColWidths[size_t(c)];
            w = int(float(w) * factor);
            used += w;
        }
    } else {
        // Columns of no width stay so; the last one takes the area.
        used = int(s.Total(GRID_AXIS_COLS, firstCol, lastCol));
    }
    s.m_anColWidths[size_t(lastCol)] = areaWidth - used;
    CalcFit(GRID_AXIS_COLS);
    RedrawAll();
    return TRUE;
}

BOOL CGridCtrl::BestFit(int col)
{
    if (col < 0 || col >= m_settings.m_nCols)
        return FALSE;
    CDC dc;
    CGridCell cell;
    int widest = 0;
    for (int row = -1; row < m_settings.m_nRows; ++row) {
        GetCellIndirect(col, row, &cell);
        CSize size;
        GetCellTypeById(cell.m_nCellType)->GetBestSize(&dc, &size, &cell);
        widest = std::max(widest, size.cx);
    }
    return SetColWidth(col, widest + 6);
}

void CGridCtrl::WidenForTexts(CDC* dc, double textScale, double colScale, int startCol, int startRow, int endCol,
                              int endRow, std::vector<int>& widths)
{
    const CGridSettings& s = m_settings;
    auto width = [&](int col) -> int& { return widths[size_t(col - startCol)]; };
    auto rowShown = [&](int row) { return row < 0 ? s.m_nTopHeadingHeight > 0 : !s.Hidden(GRID_AXIS_ROWS, row); };
    auto needed = [&](CGridCell& cell) {
        return GetCellTypeById(cell.m_nCellType)->PaperTextWidth(dc, &cell, textScale);
    };
    CGridCell cell;
    for (int row = startRow; row <= endRow; ++row) {
        if (!rowShown(row))
            continue;
        for (int col = startCol; col <= endCol; ++col) {
            if (width(col) <= 0 || !GetCellIndirect(col, row, &cell) || cell.m_bJoined)
                continue;
            width(col) = std::max(width(col), int(std::ceil(needed(cell) / colScale)));
        }
    }
    // A joined block's text has its columns together: what they lack is shared among them,
    // a pixel more each for the truncation of every scaled width.
    for (int row = startRow; row <= endRow; ++row) {
        if (!rowShown(row))
            continue;
        for (int col = std::max(startCol, 0); col <= endCol; ++col) {
            if (!GetCellIndirect(col, row, &cell) || !cell.m_bJoined || !cell.m_bJoinOrigin)
                continue;
            const int last = std::min(cell.m_nJoinCol, endCol);
            int have = 0, shown = 0;
            for (int c = col; c <= last; ++c) {
                have += width(c);
                shown += width(c) > 0;
            }
            if (shown == 0)
                continue;
            const int lacking = int(std::ceil((needed(cell) + shown) / colScale)) - have;
            if (lacking <= 0)
                continue;
            const int share = (lacking + shown - 1) / shown;
            for (int c = col; c <= last; ++c)
                if (width(c) > 0)
                    width(c) += share;
        }
    }
}

void CGridCtrl::WidenColumnsToTexts()
{
    CGridSettings& s = m_settings;
    if (s.m_nCols <= 0)
        return;
    std::vector<int> widths(size_t(s.m_nCols) + 1);
    widths[0] = s.m_nSideHeadingWidth;
    for (int col = 0; col < s.m_nCols; ++col)
        widths[size_t(col) + 1] = s.ColWidth(col);
    const std::vector<int> before = widths;
    CDC dc;
    WidenForTexts(&dc, 1.0, 1.0, -1, -1, s.m_nCols - 1, s.m_nRows - 1, widths);
    // Headings of more than one line.
    if (s.m_nTopHeadingHeight > 0) {
        int tallest = s.m_nTopHeadingHeight;
        CGridCell cell;
        for (int col = -1; col < s.m_nCols; ++col)
            if (widths[size_t(col) + 1] > 0 && GetCellIndirect(col, -1, &cell) && !cell.m_bJoined)
                tallest = std::max(tallest, GetCellTypeById(cell.m_nCellType)->PaperTextHeight(&dc, &cell, 1.0));
        if (tallest != s.m_nTopHeadingHeight)
            SetTopHeadingHeight(tallest);
    }
    if (widths == before)
        return;
    if (widths[0] != before[0])
        SetSideHeadingWidth(widths[0]);
    for (int col = 0; col < s.m_nCols; ++col)
        if (widths[size_t(col) + 1] != before[size_t(col) + 1])
            SetColWidth(col, widths[size_t(col) + 1]);
}

// ---------------------------------------------------------------- cells

bool CGridCtrl::Inside(int col, int row) const
{
    return col >= -1 && row >= -1 && col < m_settings.m_nCols && row < m_settings.m_nRows;
}

CGridCell* CGridCtrl::GetColumnDefault(int col)
{
    return col >= 0 && size_t(col) < m_colDefaults.size() ? &m_colDefaults[size_t(col)] : nullptr;
}

BOOL CGridCtrl::GetCell(int col, int row, CGridCell* cell)
{
    if (!cell)
        return FALSE;
    cell->ClearAll();
    if (!Inside(col, row))
        return FALSE;
    if (row == -1)
        cell->CopyInfoFrom(col == -1 ? m_cellCorner : m_colHeadings[size_t(col)]);
    else
        m_pDataSource->GetCell(col, row, cell);
    return TRUE;
}

BOOL CGridCtrl::SetCell(int col, int row, CGridCell* cell)
{
    if (!cell || !Inside(col, row))
        return FALSE;
    OnSetCell(col, row, cell);
    if (row == -1)
        (col == -1 ? m_cellCorner : m_colHeadings[size_t(col)]).CopyInfoFrom(*cell);
    else
        m_pDataSource->SetCell(col, row, cell);
    return TRUE;
}

BOOL CGridCtrl::GetCellIndirect(int col, int row, CGridCell* cell)
{
    if (!cell || !Inside(col, row))
        return FALSE;
    cell->ClearAll();
    if (col >= 0 && row >= 0) {
        cell->CopyInfoFrom(m_colDefaults[size_t(col)]);
        m_pDataSource->GetCell(col, row, cell);
    } else if (row >= 0) {
        cell->CopyInfoFrom(m_cellHeadingDefault);
        m_pDataSource->GetCell(col, row, cell);
    } else {
        cell->CopyInfoFrom(m_cellHeadingDefault);
        cell->AddInfoFrom(col == -1 ? m_cellCorner : m_colHeadings[size_t(col)]);
    }
    OnGetCell(col, row, cell);
    return TRUE;
}

template <class Change>
BOOL CGridCtrl::ChangeCell(int col, int row, Change change)
{
    if (!GetCell(col, row, &m_cellScratch))
        return FALSE;
    change(m_cellScratch);
    return SetCell(col, row, &m_cellScratch);
}

BOOL CGridCtrl::SetCellText(int col, int row, const QString& text)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetText(text); });
}

BOOL CGridCtrl::SetCellTextColor(int col, int row, COLORREF color)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetTextColor(color); });
}

BOOL CGridCtrl::SetCellBackColor(int col, int row, COLORREF color)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetBackColor(color); });
}

BOOL CGridCtrl::SetCellAlignment(int col, int row, short alignment)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetAlignment(alignment); });
}

BOOL CGridCtrl::SetCellType(int col, int row, int typeId)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetCellType(typeId); });
}

BOOL CGridCtrl::SetCellTypeEx(int col, int row, int style)
{
    return ChangeCell(col, row, [&](CGridCell& cell) { cell.SetCellTypeEx(style); });
}

BOOL CGridCtrl::JoinCells(int startCol, int startRow, int endCol, int endRow)
{
    if (startCol > endCol || startRow > endRow || startCol < 0 || startRow < 0
        || endCol >= m_settings.m_nCols || endRow >= m_settings.m_nRows)
        return FALSE;
    for (int row = startRow; row <= endRow; ++row) {
        for (int col = startCol; col <= endCol; ++col) {
            GetCell(col, row, &m_cellScratch);
            m_cellScratch.m_bJoined = 1;
            m_cellScratch.m_bJoinOrigin = 0;
            m_cellScratch.m_nJoinCol = startCol;
            m_cellScratch.m_nJoinRow = startRow;
            SetCell(col, row, &m_cellScratch);
        }
    }
    GetCell(startCol, startRow, &m_cellScratch);
    m_cellScratch.m_bJoinOrigin = 1;
    m_cellScratch.m_nJoinCol = endCol;
    m_cellScratch.m_nJoinRow = endRow;
    SetCell(startCol, startRow, &m_cellScratch);
    return TRUE;
}

int CGridCtrl::OnSortCompare(CGridCell* cell1, CGridCell* cell2)
{
    return cell1->m_strText.compare(cell2->m_strText);
}

// ---------------------------------------------------------------- cell types

int CGridCtrl::AddCellType(CGridCellType* pType)
{
    m_cellTypes.push_back(pType);
    pType->SetGrid(&m_settings, this);
    return pType->GetId();
}

CGridCellType* CGridCtrl::GetCellTypeById(int id)
{
    if (id >= 1)
        for (size_t i = 1; i < m_cellTypes.size(); ++i)
            if (m_cellTypes[i]->GetId() == id)
                return m_cellTypes[i];
    return &m_normalType;
}

BOOL CGridCtrl::SetCellTypeEditable(int id, BOOL bEditable)
{
    GetCellTypeById(id)->SetEditable(bEditable);
    return TRUE;
}

void CGridCtrl::AdjustCellRect(CRect* rect, int border) const
{
    GridAdjustCellRect(rect, border, m_settings.m_nFrameWidth);
}

void CGridCtrl::DrawBorder(CDC* dc, CRect* rect, int border) const
{
    GridDrawBorder(dc, rect, border, m_settings.m_nFrameWidth);
}

// ---------------------------------------------------------------- popup menu

BOOL CGridCtrl::EmptyMenu()
{
    while (m_menu.GetMenuItemCount() > 0)
        m_menu.DeleteMenu(0, MF_BYPOSITION);
    return TRUE;
}

BOOL CGridCtrl::AddMenuItem(UINT nID, const QString& text)
{
    if (text.isEmpty())
        return m_menu.AppendMenu(MF_SEPARATOR);
    return m_menu.AppendMenu(MF_STRING, nID, text);
}
