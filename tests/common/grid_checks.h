// What a grid on screen shows of its texts: the texts its columns are too narrow or its rows
// too low for, measured as a cell draws them.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>

#include "framework/dc.h"
#include "grid/gridctrl.h"

namespace gridchecks {

// Each shown text (headings too) that its column, or its joined columns together, cannot hold
// inside the cell's border, its text margins of 3 and a button's raised frame, and a wrapped
// text whose lines its row cannot hold, as "col,row: text".
inline QStringList CutTexts(CGridCtrl& grid)
{
    const CGridSettings& s = *grid.GetSettings();
    auto width = [&](int col) { return col < 0 ? s.m_nSideHeadingWidth : s.ColWidth(col); };
    auto shownRow = [&](int row) { return row < 0 ? s.m_nTopHeadingHeight > 0 : !s.Hidden(GRID_AXIS_ROWS, row); };
    QStringList cut;
    CDC dc;
    CFont* const plain = dc.GetCurrentFont();
    CGridCell cell;
    for (int row = -1; row < s.m_nRows; ++row) {
        if (!shownRow(row))
            continue;
        for (int col = -1; col < s.m_nCols; ++col) {
            if (width(col) <= 0 || !grid.GetCellIndirect(col, row, &cell) || (cell.m_bJoined && !cell.m_bJoinOrigin))
                continue;
            const int style = cell.m_nCellTypeEx < 0 ? 0 : cell.m_nCellTypeEx;
            if (cell.m_strText.isEmpty() || (style & (GRID_STYLE_ELLIPSIS | GRID_STYLE_CHOICES)))
                continue;
            int room = width(col);
            if (cell.m_bJoined)
                for (int c = col + 1; c <= cell.m_nJoinCol; ++c)
                    room += std::max(0, width(c));
            const int frame = cell.m_nCellType == GRID_CT_BUTTON ? 2 * s.m_nFrameWidth : 0;
            CFont* font = cell.m_pFont ? cell.m_pFont : s.m_pDefFont;
            dc.SelectObject(font ? font : plain);
            // A wrapped text by its own lines, one below the other.
            CRect text(CPoint(0, 0), dc.GetTextExtent(cell.m_strText));
            if (style & GRID_STYLE_WORDWRAP)
                dc.DrawText(cell.m_strText, &text, DT_CALCRECT | DT_NOPREFIX);
            const int height = row < 0 ? s.m_nTopHeadingHeight : s.RowHeight(row);
            if (text.Width() > room - 2 - 6 - frame || (style & GRID_STYLE_WORDWRAP && text.Height() > height - 2 - 2))
                cut << QStringLiteral("%1,%2: %3").arg(col).arg(row).arg(QString(cell.m_strText).replace(u'\n', u'|'));
        }
    }
    return cut;
}

} // namespace gridchecks
