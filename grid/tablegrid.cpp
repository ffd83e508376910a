#include "grid/tablegrid.h"
#include "framework/format.h"
#include "framework/msgbox.h"

IMPLEMENT_DYNAMIC(CTableGrid, CGridCtrl)

namespace {
constexpr COLORREF kCurrentText = RGB(0, 0, 255);
constexpr COLORREF kCurrentBack = RGB(255, 255, 255);
constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
}

CTableGrid::CTableGrid() = default;
CTableGrid::~CTableGrid() = default;

void CTableGrid::Notify(UINT message, int wParam, int lParam)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(message, WPARAM(wParam), LPARAM(lParam));
}

void CTableGrid::OnSetup()
{
    m_font.DeleteObject();
    m_font.CreateFont(m_nFontHeight, 0, 0, 0, FW_MEDIUM, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                      QStringLiteral("ＭＳ ゴシック"));
    SetDefFont(&m_font);
}

void CTableGrid::OnColChange(int oldCol, int newCol)
{
    CGridCell cell;
    if (GetCell(newCol, -1, &cell)) {
        cell.SetTextColor(kCurrentText);
        cell.SetBackColor(kCurrentBack);
        SetCell(newCol, -1, &cell);
    }
    if (GetCell(oldCol, -1, &cell)) {
        cell.SetTextColor(kHeadingText);
        cell.SetBackColor(kHeadingBack);
        SetCell(oldCol, -1, &cell);
    }
    RedrawAll();
    Notify(WM_GRID_COLCHANGED, oldCol, newCol);
}

void CTableGrid::OnRowChange(int oldRow, int newRow)
{
    Notify(WM_GRID_ROWCHANGED, oldRow, newRow);
}

void CTableGrid::OnCellLeftClick(int col, int row, int, CRect*, CPoint*, int)
{
    Notify(WM_GRID_CELLCHANGED, col, row);
}

void CTableGrid::OnCellDoubleClick(int col, int row, CRect*, CPoint*, int processed)
{
    // Off the cells there is nothing to edit.
    if (processed != GRID_TYPE_HANDLED && col >= 0 && row >= 0)
        StartEdit();
}

void CTableGrid::SelectAll()
{
    if (GetNumberCols() > 0 && GetNumberRows() > 0)
        SelectBlock(0, 0, GetNumberCols() - 1, GetNumberRows() - 1);
}

void CTableGrid::OnCornerLeftClick(int)
{
    SelectAll();
    RedrawAll();
}

void CTableGrid::OnCornerRightClick(int)
{
    OnMenuStart(-1, -1, GRID_SECTION_CORNER);
}

void CTableGrid::OnCharDown(UINT* vcKey, int processed)
{
    if (processed != GRID_TYPE_HANDLED)
        StartEditWithChar(*vcKey);
}

void CTableGrid::OnGetCell(int col, int row, CGridCell* cell)
{
    if ((row == -1 && col >= 0 && col == GetCurrentCol()) || (col == -1 && row >= 0 && row == GetCurrentRow())) {
        cell->SetTextColor(kCurrentText);
        cell->SetBackColor(kCurrentBack);
    }
}

void CTableGrid::OnCellTypeNotify(long typeId, int col, int row, long, LPARAM)
{
    if (typeId == GRID_CT_SPIN)
        Notify(WM_GRID_SPIN, col, row);
    else if (typeId == GRID_CT_CHECKBOX)
        Notify(WM_GRID_CHECK, col, row);
}

BOOL CTableGrid::OnEditFinish(int col, int row, CWnd* edit)
{
    return OnCheckText(col, row, edit ? edit->GetWindowText() : QString(), GRID_TEXT_EDIT);
}

QString CTableGrid::RangeMessage(const CGridCell& cell)
{
    const int decimals = cell.m_nDecimals;
    if (decimals > 99)
        return QString();
    return AfxFormat("%.*f", decimals, cell.m_dMin) + QStringLiteral(" から ")
         + AfxFormat("%.*f", decimals, cell.m_dMax) + QStringLiteral(" までの数値を入力して下さい。");
}

BOOL CTableGrid::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!GetParent())
        return FALSE;
    CGridCell cell;
    GetCell(col, row, &cell);
    if (cell.m_nRangeCheck == -1) {
        Notify(WM_GRID_EDITDONE, col, row);
        return TRUE;
    }
    const double value = AfxAtof(text);
    if (cell.m_dMin <= value && value <= cell.m_dMax) {
        Notify(WM_GRID_EDITDONE, col, row);
        return TRUE;
    }
    const QString message = RangeMessage(cell);
    if (message.isEmpty())
        return FALSE;
    // A paste or cut tells of its first refused cell only.
    if (source == GRID_TEXT_EDIT || GetTextRefusalCount() == 0)
        AfxMessageBox(message, MB_OK);
    if (source == GRID_TEXT_EDIT)
        GotoCell(col, row);
    return FALSE;
}

BOOL CTableGrid::OnMenuStart(int, int, int section)
{
    EmptyMenu();
    if (section == GRID_SECTION_AREA) {
        AddMenuItem(ID_GRID_CUT, QStringLiteral("選択部を切り取り"));
        AddMenuItem(ID_GRID_COPY, QStringLiteral("選択部をｺﾋﾟｰ"));
        AddMenuItem(ID_GRID_PASTE, QStringLiteral("貼り付け"));
        AddMenuItem(ID_GRID_COPYALL, QStringLiteral("表全体をｺﾋﾟｰ"));
        AddMenuItem(ID_GRID_PASTEALL, QStringLiteral("表全体を貼り付け"));
    } else if (section == GRID_SECTION_CORNER) {
        AddMenuItem(ID_GRID_COPY, QStringLiteral("表全体をｺﾋﾟｰ"));
    }
    return TRUE;
}

BOOL CTableGrid::OnMenuCommand(int, int, int section, int item)
{
    if (section == GRID_SECTION_AREA) {
        switch (item) {
        case ID_GRID_CUT: CutSelected(); break;
        case ID_GRID_COPY: CopySelected(); break;
        case ID_GRID_PASTE: case ID_GRID_PASTEALL: Paste(); break;
        case ID_GRID_COPYALL:
            SelectAll();
            RedrawAll();
            CopySelected();
            break;
        default: break;
        }
    } else if (section == GRID_SECTION_CORNER && item == int(ID_GRID_COPY)) {
        CopySelected();
    }
    return TRUE;
}
