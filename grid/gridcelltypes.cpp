#include "grid/gridcelltypes.h"
#include "grid/gridedit.h"
#include "grid/gridctrl.h"
#include "grid/gridsettings.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/wnd.h"
#include "framework/wndextras.h"

#include <QStringList>

namespace {

// Mouse hit tests of the types include the right and bottom edges.
bool inside(const CRect& r, const CPoint& p)
{
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

void line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

// The two edges of a square frame whose pixels run from (l, t) to (r, b) inclusive:
// the left and top edge with one pen, the right and bottom edge with the other.
void squareEdges(CDC* dc, int l, int t, int r, int b, CPen* topLeft, CPen* bottomRight)
{
    dc->SelectObject(topLeft);
    dc->MoveTo(l, b);
    dc->LineTo(l, t);
    dc->LineTo(r, t);
    dc->SelectObject(bottomRight);
    dc->MoveTo(r, t);
    dc->LineTo(r, b);
    dc->LineTo(l, b);
}

CPen* blackPen() { return static_cast<CPen*>(GetStockObject(BLACK_PEN)); }

} // namespace

// ---------------------------------------------------------------- check box

CGridCheckBoxCellType::CGridCheckBoxCellType()
{
    m_nId = GRID_CT_CHECKBOX;
    m_bEditable = FALSE;
    m_penShadow.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    m_penLight.CreatePen(PS_SOLID, 1, RGB(0xE1, 0xE1, 0xE1));
    m_penFace.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
}

int CGridCheckBoxCellType::BoxSide(int width, int height)
{
    return std::min(std::min(height, width) - 6, 12);
}

BOOL CGridCheckBoxCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    const CRect cellRect = *rect;
    const int w = cellRect.Width(), h = cellRect.Height();
    const int s = BoxSide(w, h);
    const int left = cellRect.left + 3, top = cellRect.top + (h - s) / 2;
    const int right = left + s, bottom = top + s;
    const int style = std::max(cell->m_nCellTypeEx, 0);

    dc->FillSolidRect(cellRect, UseSelectedColors(selected, current) ? cell->m_crSelBack : cell->m_crBack);

    if (s > 5) {
        CPen* oldPen = dc->GetCurrentPen();
        int l, t, r, b;
        if (style & (GRID_CHECK_SUNKEN | GRID_CHECK_RAISED)) {
            if (style & GRID_CHECK_SUNKEN) {
                squareEdges(dc, left, top, right, bottom, &m_penShadow, &m_penLight);
                squareEdges(dc, left + 1, top + 1, right - 1, bottom - 1, blackPen(), &m_penFace);
            } else {
                squareEdges(dc, left, top, right, bottom, &m_penLight, blackPen());
                squareEdges(dc, left + 1, top + 1, right - 1, bottom - 1, &m_penFace, &m_penShadow);
            }
            l = left + 2, t = top + 2, r = right - 1, b = bottom - 1;
        } else {
            squareEdges(dc, left, top, right, bottom, blackPen(), blackPen());
            l = left + 1, t = top + 1, r = right, b = bottom;
        }
        dc->FillSolidRect(CRect(l, t, r, b), GetSysColor(COLOR_WINDOW));

        if (cell->m_dValue > 0) {
            dc->SelectObject(blackPen());
            if (style & GRID_CHECK_TICK) {
                dc->MoveTo(l + 2, b - 4);
                dc->LineTo(l + 4, b - 2);
                dc->LineTo(r + 3, t - 1);
                if (s > 9) {
                    dc->MoveTo(l + 2, b - 5);
                    dc->LineTo(l + 4, b - 3);
                    dc->LineTo(r + 3, t - 2);
                    line(dc, l + 5, b - 2, r + 4, t - 1);
                    line(dc, l + 2, b - 6, l + 5, b - 3);
                }
            } else {
                const int cl = l + 1, ct = t + 1, cr = r - 2, cb = b - 2;
                line(dc, cl, ct, cr + 1, cb + 1);
                line(dc, cl, cb, cr + 1, ct - 1);
                if (s > 9) {
                    line(dc, cl + 1, ct, cr + 1, cb);
                    line(dc, cl, cb - 1, cr, ct - 1);
                    line(dc, cl, ct + 1, cr, cb + 1);
                    line(dc, cl + 1, cb, cr + 1, ct);
                }
            }
        }
        dc->SelectObject(oldPen);
    }

    if (s + 6 < w) {
        // The caption (third string) beside the box, with the cell's colours and alignment.
        m_bShowCaption = TRUE;
        CRect rest(cellRect.left + 6 + s, cellRect.top, cellRect.right, cellRect.bottom);
        CGridCellType::Draw(dc, &rest, cell, selected, current);
    }
    return TRUE;
}

int CGridCheckBoxCellType::Toggle(int col, int row)
{
    // A record without a value counts as 0, as the column default does.
    m_cell.m_dValue = 0.0;
    if (m_pGrid)
        m_pGrid->GetCell(col, row, &m_cell);
    const int value = m_cell.m_dValue == 0 ? 1 : 0;
    m_cell.SetNumber(value);
    if (m_pGrid)
        m_pGrid->SetCell(col, row, &m_cell);
    RedrawGridCell(col, row);
    return value;
}

int CGridCheckBoxCellType::OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point)
{
    if (!updn)
        return GRID_TYPE_DONE;
    const int h = rect->Height();
    const int s = std::min(h - 6, 12);
    const CRect box(rect->left + 3, rect->top + (h - s) / 2, rect->left + 3 + s, rect->top + (h - s) / 2 + s);
    if (!inside(box, *point))
        return GRID_TYPE_DONE;
    const int value = Toggle(col, row);
    NotifyGrid(col, row, GRID_NOTIFY_CHECK_CHANGED, value);
    return GRID_TYPE_HANDLED;
}

int CGridCheckBoxCellType::OnDoubleClick(int col, int row, CRect* rect, CPoint* point)
{
    return OnLeftClick(col, row, 1, rect, point);
}

int CGridCheckBoxCellType::OnKeyDown(UINT* vcKey)
{
    if (*vcKey != VK_SPACE || !m_pSettings)
        return GRID_TYPE_DONE;
    const int col = m_pSettings->m_nCurCol, row = m_pSettings->m_nCurRow;
    const int value = Toggle(col, row);
    // The owner hears of a change by key as it does of one by click.
    NotifyGrid(col, row, GRID_NOTIFY_CHECK_CHANGED, value);
    return GRID_TYPE_HANDLED;
}

// ---------------------------------------------------------------- drop list

CGridDropListCellType::CGridDropListCellType() : m_pList(new CGridDropList)
{
    m_nId = GRID_CT_DROPLIST;
    m_bEditable = TRUE;
    m_penFace.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    m_brushFace.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    m_nButtonWidth = GetSystemMetrics(SM_CXVSCROLL);
}

CGridDropListCellType::~CGridDropListCellType()
{
    delete m_pList;
}

QStringList CGridDropListCellType::Choices(const QString& choiceList)
{
    // One choice per line; a final line break ends the last choice but makes no new one.
    QStringList pieces = choiceList.split(u'\n');
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

BOOL CGridDropListCellType::GetEditRect(CRect* rect)
{
    rect->right -= m_nButtonWidth + 1;
    return TRUE;
}

BOOL CGridDropListCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    if (cell->m_nCellTypeEx < 0)
        cell->m_nCellTypeEx = 0;
    if (((cell->m_nCellTypeEx & GRID_STYLE_CURRENTONLY) && !current) || PaperScale() > 0.0)
        return CGridCellType::Draw(dc, rect, cell, selected, current);

    const CRect r = *rect;
    const int w = r.Width(), h = r.Height(), bw = m_nButtonWidth;
    const CRect button(std::max(r.left, r.right - bw), r.top, r.right, r.bottom);
    CRect face = button;
    DrawGridBorder(dc, &face, (m_bPressed && current) ? GRID_BORDER_SUNKEN : GRID_BORDER_RAISED);
    dc->FillRect(face, &m_brushFace);

    CPen* oldPen = dc->GetCurrentPen();
    if (h > 5 && w > bw / 2 + 3) {
        const int x = r.right - bw / 2 - 2, y = r.top + h / 2 - 1;
        dc->SelectObject(blackPen());
        line(dc, x, y, x + 5, y);
        line(dc, x + 1, y + 1, x + 4, y + 1);
        line(dc, x + 2, y + 2, x + 3, y + 2);
    }
    if (w > bw) {
        dc->SelectObject(&m_penFace);
        line(dc, button.left - 1, r.top, button.left - 1, r.bottom);
    }
    dc->SelectObject(oldPen);
    if (w > bw + 1) {
        CRect rest(r.left, r.top, button.left - 1, r.bottom);
        CGridCellType::Draw(dc, &rest, cell, selected, current);
    }
    return TRUE;
}

int CGridDropListCellType::OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point)
{
    if (!updn) {
        if (!m_bPressed)
            return GRID_TYPE_DONE;
        m_bPressed = FALSE;
        RedrawGridCell(col, row);
        return GRID_TYPE_HANDLED;
    }
    if (point->x > rect->right - m_nButtonWidth) {
        if (!(col == m_nListCol && row == m_nListRow) && m_nListCol != -2) {
            m_rcButton = CRect(std::max(rect->left, rect->right - m_nButtonWidth), rect->top, rect->right, rect->bottom);
            m_bPressed = TRUE;
            m_nListCol = col;
            m_nListRow = row;
            RedrawGridCell(col, row);
            ShowList();
            return GRID_TYPE_HANDLED;
        }
        // A press on the button of an open list (or of one that just lost the focus) closes it.
        m_nListCol = m_nListRow = -1;
        HideList();
        return GRID_TYPE_DONE;
    }
    if (m_nListCol == -2)
        m_nListCol = m_nListRow = -1;
    return GRID_TYPE_DONE;
}

int CGridDropListCellType::OnDoubleClick(int col, int row, CRect* rect, CPoint* point)
{
    if (point->x > rect->right - m_nButtonWidth)
        return OnLeftClick(col, row, 1, rect, point);
    return GRID_TYPE_NOTHANDLED;
}

int CGridDropListCellType::OnMouseMove(CPoint* point, int buttonHeld)
{
    if (!buttonHeld)
        return GRID_TYPE_DONE;
    const BOOL in = inside(m_rcButton, *point);
    if (in != m_bPressed) {
        m_bPressed = in;
        if (m_pSettings)
            RedrawGridCell(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow);
    }
    return GRID_TYPE_HANDLED;
}

int CGridDropListCellType::OnKeyDown(UINT* vcKey)
{
    if (*vcKey == VK_RETURN || (*vcKey == VK_DOWN && CWnd::GetKeyState(VK_CONTROL) < 0)) {
        ShowList();
        *vcKey = 0;
        return GRID_TYPE_HANDLED;
    }
    return GRID_TYPE_NOTHANDLED;
}

void CGridDropListCellType::OnKillFocus(int col, int row, CGridCell* cell)
{
    CGridCellType::OnKillFocus(col, row, cell);
    m_nListCol = m_nListRow = -1;
}

BOOL CGridDropListCellType::ShowList()
{
    if (!m_pGrid || !m_pSettings || m_pList->IsOpen())
        return FALSE;
    const int col = m_pSettings->m_nCurCol, row = m_pSettings->m_nCurRow;
    m_nListCol = col;
    m_nListRow = row;
    CGridCell cell;
    m_pGrid->GetCellIndirect(col, row, &cell);
    QStringList choices = Choices(cell.m_strChoiceList);
    NotifyGrid(col, row, GRID_NOTIFY_LIST_OPENING, LPARAM(&choices));
    CGridArea& area = m_pGrid->m_area;
    if (!area.GetSafeHwnd())
        return FALSE;

    CFont* font = cell.m_pFont ? cell.m_pFont : m_pSettings->m_pDefFont;
    int itemHeight = font ? std::abs(int(font->LogFont().lfHeight)) : 0;
    if (itemHeight == 0) {
        CDC dc;
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        itemHeight = std::max(1, int(tm.tmHeight));
    }
    CRect rect;
    m_pGrid->GetCellRect(col, row, &rect);
    rect.OffsetRect(10, 0);
    rect.top = rect.bottom;
    rect.bottom = rect.top + 2 + itemHeight * std::min<int>(int(choices.size()), 4);
    CRect client;
    area.GetClientRect(&client);
    if (rect.bottom > client.bottom)
        rect.OffsetRect(0, -std::min(rect.bottom - client.bottom, rect.top));
    if (rect.right > client.right)
        rect.OffsetRect(-std::min(rect.right - client.right, rect.left), 0);
    return m_pList->Open(m_pGrid, &area, rect, font, itemHeight, choices, &m_nListCol, &m_nListRow);
}

void CGridDropListCellType::HideList()
{
    if (!m_pList->IsOpen())
        return;
    m_pList->Close();
    // Closed on purpose: the next press opens it again.
    m_nListCol = m_nListRow = -1;
}

// ---------------------------------------------------------------- fit font

CGridFitFontCellType::CGridFitFontCellType()
{
    m_nId = GRID_CT_FITFONT;
    m_bEditable = TRUE;
}

BOOL CGridFitFontCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    CFont* oldFont = dc->GetCurrentFont();
    if (cell->m_pFont)
        dc->SelectObject(cell->m_pFont);
    else if (m_pSettings && m_pSettings->m_pDefFont)
        dc->SelectObject(m_pSettings->m_pDefFont);
    const int saved = dc->SaveDC();
    const QString face = dc->GetCurrentFont()->LogFont().lfFaceName;
    const QString& text = cell->m_strText;
    const int w = rect->Width() - 6;
    const int n = int(text.size());
    if (n == 0 || w <= 0) {
        // Nothing to fit: an empty text or no room is drawn as a normal cell.
        dc->RestoreDC(saved);
        dc->SelectObject(oldFont);
        return CGridCellType::Draw(dc, rect, cell, selected, current);
    }

    auto measure = [&](int height) {
        CFont font;
        font.CreateFont(height, 0, 0, 0, 600, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
        CFont* previous = dc->SelectObject(&font);
        const CSize extent = dc->GetTextExtent(text);
        dc->SelectObject(previous);
        return extent;
    };
    int height = w / n + (w / n) / 2;
    CSize extent = measure(height);
    if (extent.cx > 0)
        height = int(float(w) * (float(extent.cy) / float(extent.cx)));
    extent = measure(height);
    if (extent.cx < w) {
        while (extent.cx < w && height < 500)
            extent = measure(++height);
        --height;
    } else if (extent.cx > w) {
        while (extent.cx > w && height > 1)
            extent = measure(--height);
        --height;
    }
    if (height > rect->Height() - 2)
        height = std::max(rect->Height() - 2, 2);
    height = std::max(height, 1);   // 0 would ask for the face's default size

    dc->RestoreDC(saved);
    CFont fitted;
    fitted.CreateFont(height, 0, 0, 0, 600, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, face);
    CFont* own = cell->m_pFont;
    cell->m_pFont = &fitted;
    CGridCellType::Draw(dc, rect, cell, selected, current);
    cell->m_pFont = own;
    dc->SelectObject(oldFont);
    fitted.DeleteObject();
    return TRUE;
}

// ---------------------------------------------------------------- progress

CGridProgressCellType::CGridProgressCellType()
{
    m_nId = GRID_CT_PROGRESS;
    m_bEditable = FALSE;
}

QString CGridProgressCellType::Label(const CGridCell& cell, int* percent)
{
    int value = 0;
    cell.GetTextAsInt(value);
    value = std::clamp(value, 0, 100);
    if (percent)
        *percent = value;
    if (cell.m_nCellTypeEx == 1)
        return cell.m_strChoiceList;
    return AfxFormat("%% %ld", long(value));
}

BOOL CGridProgressCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    CFont* oldFont = dc->GetCurrentFont();
    if (cell->m_pFont)
        dc->SelectObject(cell->m_pFont);
    else if (m_pSettings && m_pSettings->m_pDefFont)
        dc->SelectObject(m_pSettings->m_pDefFont);
    int percent = 0;
    const QString label = Label(*cell, &percent);
    const CRect r = *rect;
    const CSize ext = dc->GetTextExtent(label);
    const int align = std::max<int>(cell->m_nAlignment, 0);
    int x = r.left + 3, y = r.top + 1;
    if (align & GRID_ALIGN_CENTER) x = r.left + (r.Width() - ext.cx) / 2;
    else if (align & GRID_ALIGN_RIGHT) x = r.right - ext.cx - 3;
    if (align & GRID_ALIGN_VCENTER) y = r.top + (r.Height() - ext.cy) / 2;
    else if (align & GRID_ALIGN_BOTTOM) y = r.bottom - ext.cy - 1;

    dc->FillSolidRect(r, cell->m_crBack);
    const CRect bar(r.left, r.top + 1, r.left + r.Width() * percent / 100, r.bottom - 1);
    dc->SetTextColor(cell->m_crSelText);
    dc->SetBkColor(cell->m_crSelBack);
    dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, bar, label);
    if (percent < 100) {
        const CRect rest(bar.right, r.top + 1, r.right, r.bottom - 1);
        dc->SetTextColor(cell->m_crText);
        dc->SetBkColor(cell->m_crBack);
        dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, rest, label);
    }
    dc->SelectObject(oldFont);
    return TRUE;
}

// ---------------------------------------------------------------- spin

CGridSpinCellType::CGridSpinCellType()
{
    m_nId = GRID_CT_SPIN;
    m_bEditable = TRUE;
    m_penFace.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    m_brushFace.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    m_nButtonWidth = GetSystemMetrics(SM_CXVSCROLL);
}

BOOL CGridSpinCellType::GetEditRect(CRect* rect)
{
    rect->right -= m_nButtonWidth + 1;
    return TRUE;
}

BOOL CGridSpinCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    if (cell->m_nCellTypeEx < 0)
        cell->m_nCellTypeEx = 0;
    // Paper shows the value, not the buttons.
    if (PaperScale() > 0.0)
        return CGridCellType::Draw(dc, rect, cell, selected, current);
    const CRect r = *rect;
    const int w = r.Width(), h = r.Height(), bw = m_nButtonWidth;
    const int left = std::max(r.left, r.right - bw);
    const CRect up(left, r.top, r.right, r.top + h / 2), down(left, r.top + h / 2, r.right, r.bottom);
    CRect face = up;
    DrawGridBorder(dc, &face, (m_bUpPressed && current) ? GRID_BORDER_SUNKEN : GRID_BORDER_RAISED);
    dc->FillRect(face, &m_brushFace);
    face = down;
    DrawGridBorder(dc, &face, (m_bDownPressed && current) ? GRID_BORDER_SUNKEN : GRID_BORDER_RAISED);
    dc->FillRect(face, &m_brushFace);

    CPen* oldPen = dc->GetCurrentPen();
    if (h > 9 && w > bw / 2 + 3) {
        const int x = r.right - bw / 2 - 2;
        const int yUp = r.top + h / 4 + 1, yDown = r.top + h / 2 + h / 4 - 1;
        dc->SelectObject(blackPen());
        line(dc, x, yUp, x + 5, yUp);
        line(dc, x + 1, yUp - 1, x + 4, yUp - 1);
        line(dc, x + 2, yUp - 2, x + 3, yUp - 2);
        line(dc, x, yDown, x + 5, yDown);
        line(dc, x + 1, yDown + 1, x + 4, yDown + 1);
        line(dc, x + 2, yDown + 2, x + 3, yDown + 2);
    }
    if (w > bw) {
        dc->SelectObject(&m_penFace);
        line(dc, left - 1, r.top, left - 1, r.bottom);
    }
    dc->SelectObject(oldPen);
    if (w > bw + 1) {
        CRect rest(r.left, r.top, left - 1, r.bottom);
        CGridCellType::Draw(dc, &rest, cell, selected, current);
    }
    return TRUE;
}

int CGridSpinCellType::OnLeftClick(int col, int row, int updn, CRect* rect, CPoint* point)
{
    if (!updn) {
        if (!m_nHeld)
            return GRID_TYPE_DONE;
        m_bUpPressed = m_bDownPressed = FALSE;
        m_nHeld = 0;
        RedrawGridCell(m_nPressCol, m_nPressRow);
        return GRID_TYPE_HANDLED;
    }
    if (point->x <= rect->right - m_nButtonWidth)
        return GRID_TYPE_DONE;
    m_nPressCol = col;
    m_nPressRow = row;
    const int left = std::max(rect->left, rect->right - m_nButtonWidth);
    const int middle = rect->top + rect->Height() / 2;
    // One notification per press; holding the button does not repeat it.
    if (point->y < middle) {
        m_nHeld = 1;
        m_bUpPressed = TRUE;
        m_rcTrack = CRect(left, rect->top, rect->right, middle);
        NotifyGrid(col, row, GRID_NOTIFY_SPIN_UP, 0);
    } else {
        m_nHeld = 2;
        m_bDownPressed = TRUE;
        m_rcTrack = CRect(left, middle, rect->right, rect->bottom);
        NotifyGrid(col, row, GRID_NOTIFY_SPIN_DOWN, 0);
    }
    RedrawGridCell(col, row);
    return GRID_TYPE_HANDLED;
}

int CGridSpinCellType::OnDoubleClick(int col, int row, CRect* rect, CPoint* point)
{
    return OnLeftClick(col, row, 1, rect, point);
}

int CGridSpinCellType::OnMouseMove(CPoint* point, int buttonHeld)
{
    if (!m_nHeld)
        return GRID_TYPE_DONE;
    const bool in = inside(m_rcTrack, *point);
    const BOOL up = in && m_nHeld == 1, down = in && m_nHeld == 2;
    if (up != m_bUpPressed || down != m_bDownPressed) {
        m_bUpPressed = up;
        m_bDownPressed = down;
        RedrawGridCell(m_nPressCol, m_nPressRow);
    }
    return GRID_TYPE_DONE;
}

// ---------------------------------------------------------------- sort arrow

CGridSortArrowCellType::CGridSortArrowCellType()
{
    m_nId = GRID_CT_SORTARROW;
    m_bEditable = FALSE;
}

BOOL CGridSortArrowCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    const CRect r = *rect;
    dc->FillSolidRect(r, (selected || current) ? cell->m_crSelBack : cell->m_crBack);
    const int style = cell->m_nCellTypeEx;
    const bool twin = style == GRID_ARROW_RIGHT2 || style == GRID_ARROW_LEFT2;
    if (r.Height() <= 7 || r.Width() <= (twin ? 11 : 5))
        return TRUE;
    const int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
    // Seven strokes from x - 3 to x + 3: the broad side 8 pixels tall, the point one column.
    auto triangle = [&](int x, int direction) {
        for (int i = -3; i <= 3; ++i) {
            const int half = (8 - 8 * i / 3) / 4;
            line(dc, x + direction * i, cy - half, x + direction * i, cy + half);
        }
    };
    CPen pen(PS_SOLID, 1, cell->m_crText);
    CPen* oldPen = dc->SelectObject(&pen);
    if (style <= GRID_ARROW_RIGHT)
        triangle(cx, 1);
    else if (style == GRID_ARROW_LEFT)
        triangle(cx, -1);
    else if (style == GRID_ARROW_RIGHT2 || style == GRID_ARROW_LEFT2) {
        const int direction = style == GRID_ARROW_RIGHT2 ? 1 : -1;
        triangle(cx - 3, direction);
        triangle(cx + 3, direction);
    }
    dc->SelectObject(oldPen);
    return TRUE;
}

// ---------------------------------------------------------------- push button

CGridButtonCellType::CGridButtonCellType()
{
    m_nId = GRID_CT_BUTTON;
    m_bEditable = TRUE;
}

BOOL CGridButtonCellType::GetEditRect(CRect* rect)
{
    GridAdjustCellRect(rect, GRID_BORDER_RAISED, FrameWidth());
    return TRUE;
}

BOOL CGridButtonCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int selected, int current)
{
    CRect face = *rect;
    DrawGridBorder(dc, &face, (m_bPressed && current) ? GRID_BORDER_SUNKEN : GRID_BORDER_RAISED);
    CGridCellType::Draw(dc, &face, cell, selected, current);
    if (cell->m_nCellTypeEx > 0 && (cell->m_nCellTypeEx & GRID_STYLE_CURRENTONLY))
        rect->SetRectEmpty();   // no focus frame on the button
    return TRUE;
}

int CGridButtonCellType::PaperTextWidth(CDC* dc, CGridCell* cell, double scale)
{
    const int text = CGridCellType::PaperTextWidth(dc, cell, scale);
    return text > 0 ? text + 2 * FrameWidth() * dc->HairlinePixels() : 0;
}

int CGridButtonCellType::OnLeftClick(int col, int row, int updn, CRect* rect, CPoint*)
{
    if (updn) {
        NotifyGrid(col, row, GRID_NOTIFY_BUTTON_PRESSED, 0);
        m_bPressed = TRUE;
        m_nPressCol = col;
        m_nPressRow = row;
        m_rcPress = *rect;
    } else {
        NotifyGrid(col, row, GRID_NOTIFY_BUTTON_RELEASED, 0);
        if (col == m_nPressCol && row == m_nPressRow && m_bPressed)
            NotifyGrid(col, row, GRID_NOTIFY_BUTTON_CLICKED, 0);
        m_bPressed = FALSE;
    }
    RedrawGridCell(col, row);
    return GRID_TYPE_HANDLED;
}

int CGridButtonCellType::OnMouseMove(CPoint* point, int buttonHeld)
{
    if (!buttonHeld)
        return GRID_TYPE_NOTHANDLED;
    const BOOL in = inside(m_rcPress, *point);
    if (in != m_bPressed) {
        m_bPressed = in;
        RedrawGridCell(m_nPressCol, m_nPressRow);
    }
    return GRID_TYPE_DONE;
}

int CGridButtonCellType::OnKeyDown(UINT* vcKey)
{
    if (*vcKey == VK_RETURN && m_pSettings)
        NotifyGrid(m_pSettings->m_nCurCol, m_pSettings->m_nCurRow, GRID_NOTIFY_BUTTON_CLICKED, 0);
    return GRID_TYPE_HANDLED;
}

void CGridButtonCellType::OnKillFocus(int col, int row, CGridCell* cell)
{
    CGridCellType::OnKillFocus(col, row, cell);
    m_bPressed = FALSE;
}

// ---------------------------------------------------------------- drawn picture

CGridDrawnCellType::CGridDrawnCellType()
{
    m_nId = GRID_CT_DRAWN;
    m_bEditable = FALSE;
}

BOOL CGridDrawnCellType::Draw(CDC* dc, CRect* rect, CGridCell* cell, int, int)
{
    // A picture is no selection: it keeps its own background.
    const COLORREF back = cell->m_crBack == GRID_COLOR_UNSET ? RGB(255, 255, 255) : cell->m_crBack;
    dc->FillSolidRect(*rect, back);
    CRect inner(rect->left + 2, rect->top + 2, rect->right - 2, rect->bottom - 2);
    if (!m_fnDraw || inner.Width() <= 0 || inner.Height() <= 0)
        return TRUE;
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(inner);
    m_fnDraw(dc, inner, *cell);
    dc->RestoreDC(saved);
    return TRUE;
}
