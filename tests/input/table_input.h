// A dialog's table driven as a person drives it: typing into a cell, pressing a spin
// cell's arrows, reading what a cell shows.
#pragma once

#include "grid/grid_ui.h"
#include "grid/tablegrid.h"

namespace tableinput {

inline QString Cell(CTableGrid& t, int row, int col)
{
    CGridCell c;
    t.GetCellIndirect(col, row, &c);
    return c.GetText();
}

inline COLORREF TextColor(CTableGrid& t, int row, int col)
{
    CGridCell c;
    t.GetCellIndirect(col, row, &c);
    return c.GetTextColor();
}

// The cell made current, the first character opens the grid's edit, Enter ends it; the
// edit that Enter opens on the next cell is left with Escape.
inline void Enter(CTableGrid& t, int row, int col, const QString& value)
{
    t.GotoCell(col, row);
    for (QChar c : value) {
        QWidget* target = t.GetEdit()->IsOpen() ? t.GetEdit()->GetWidget() : t.m_area.GetWidget();
        gridui::Key(target, int(c.toUpper().unicode()), Qt::NoModifier, QString(c));
    }
    if (!t.GetEdit()->IsOpen())
        return;
    gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    if (t.GetEdit()->IsOpen())
        gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Escape);
}

// Presses the up or down arrow of a spin cell.
inline void Spin(CTableGrid& t, int row, int col, bool up)
{
    t.GotoCell(col, row);
    CRect r;
    t.GetCellRect(col, row, &r);
    gridui::Click(t.m_area.GetWidget(), QPoint(r.right - 4, up ? r.top + 3 : r.bottom - 3));
}

}
