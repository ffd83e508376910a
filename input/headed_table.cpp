#include "input/headed_table.h"

#include <algorithm>
#include <cmath>

namespace headedtable {

void AttachTable(CTableGrid& t, UINT nID, CWnd* pParent)
{
    t.AttachGrid(nID, pParent);
    t.GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    t.GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
}

void ValueColumn(CTableGrid& t, int rows, int sideHeadingWidth, bool scrolls)
{
    t.SetPaintMode(0);
    t.SetNumberCols(1, FALSE);
    t.SetNumberRows(rows, FALSE);
    t.SetSideHeadingWidth(sideHeadingWidth);
    if (!scrolls) {
        t.SetVScrollWidth(0);
        t.KeepAllRowsShown();
    }
    t.FitColumnsToWidth(0, 0);
}

void Heading(CTableGrid& t, int col, int row, const QString& text, short align)
{
    CGridCell cell;
    t.GetCell(col, row, &cell);
    cell.SetText(text);
    cell.SetTextColor(kHeadingText);
    cell.SetAlignment(short(align | GRID_ALIGN_VCENTER));
    cell.SetCellType(GRID_CT_NORMAL);
    t.SetCell(col, row, &cell);
}

void SpinNumber(CTableGrid& t, int col, int row, double value, int decimals, double lo, double hi, const QString& label)
{
    CGridCell cell;
    t.GetCell(col, row, &cell);
    cell.SetCellType(GRID_CT_SPIN);
    cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
    cell.SetDecimals(WORD(decimals));
    cell.SetReadOnly(0);
    if (!label.isEmpty())
        cell.SetLabel(label);
    if (lo <= hi) {
        cell.SetRange(lo, hi);
        cell.EnableRangeCheck(1);
    }
    cell.SetNumber(value);
    t.SetCell(col, row, &cell);
}

void SetNumber(CTableGrid& t, int col, int row, double value)
{
    CGridCell cell;
    t.GetCell(col, row, &cell);
    cell.SetNumber(value);
    t.SetCell(col, row, &cell);
}

double CellNumber(CGridCtrl& t, int col, int row)
{
    CGridCell cell;
    return t.GetCell(col, row, &cell) ? cell.GetNumber() : 0.0;
}

int CellInt(CGridCtrl& t, int col, int row)
{
    return int(std::clamp(std::trunc(CellNumber(t, col, row)), -1e9, 1e9));
}

bool IsSpinStep(long typeId, long msg)
{
    return typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN);
}

void StepCell(CTableGrid& t, int col, int row, long msg, double step)
{
    CGridCell cell;
    if (!t.GetCell(col, row, &cell))
        return;
    double value = cell.GetNumber();
    if (msg == GRID_NOTIFY_SPIN_UP) {
        value += step;
    } else if (value > 0.0) {
        value -= step;
        if (value < -1e-20)
            value = 0.0;
    }
    cell.SetNumber(value);
    t.SetCell(col, row, &cell);
    t.RedrawCell(col, row);
}

}
