// A person at a table: typing into cells, moving with the keys, selecting with Shift and
// Ctrl, copying and pasting through the table's menu; and the picture that results.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QImage>
#include <QTemporaryDir>

#include "framework/menu.h"
#include "grid/tablegrid.h"
#include "grid_ui.h"

using namespace gridui;

namespace {

// Right-clicks a cell and chooses an item of the table's menu.
void menuCommand(Hosted<CTableGrid>& h, int col, int row, UINT item)
{
    AfxSetPopupMenuHook([item](const CMenu&) { return item; });
    Click(h.Area(), h.At(col, row), Qt::NoModifier, Qt::RightButton);
    AfxSetPopupMenuHook(nullptr);
}

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

} // namespace

TEST(GridUi, TypeMoveSelectCopyAndPaste)
{
    Hosted<CTableGrid> h(5, 8, CRect(0, 0, 600, 260));
    CTableGrid& g = h.grid;
    g.EnablePopupMenu(TRUE);
    g.SetMultiSelectMode(TRUE);

    // Typing starts an edit on the current cell; Enter stores and goes right, an arrow
    // key stores and goes down.
    Type("1");
    Type("0");
    Key(Focus(), Qt::Key_Return, Qt::NoModifier, "\r");
    Type("20");
    Key(Focus(), Qt::Key_Down);
    Type("40");
    Key(Focus(), Qt::Key_Escape);           // the last one is thrown away
    Key(Focus(), Qt::Key_Left);              // the area has the keys again
    Type("30");
    Key(Focus(), Qt::Key_Tab);
    Key(Focus(), Qt::Key_Escape);
    EXPECT_EQ(h.Text(0, 0), "10");
    EXPECT_EQ(h.Text(1, 0), "20");
    EXPECT_EQ(h.Text(1, 1), "");
    EXPECT_EQ(h.Text(0, 1), "30");
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(1, 1));
    EXPECT_GE(h.host.Count(WM_GRID_EDITDONE), 3);

    // Shift with the arrows selects the block from (0, 0) to (1, 1).
    Key(h.Area(), Qt::Key_Up);
    Key(h.Area(), Qt::Key_Left);
    Key(h.Area(), Qt::Key_Right, Qt::ShiftModifier);
    Key(h.Area(), Qt::Key_Down, Qt::ShiftModifier);
    menuCommand(h, 1, 1, ID_GRID_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "10\t20\n30\t");

    // Paste at (2, 3); the pasted block is selected.
    Click(h.Area(), h.At(2, 3));
    menuCommand(h, 2, 3, ID_GRID_PASTE);
    EXPECT_EQ(h.Text(2, 3), "10");
    EXPECT_EQ(h.Text(3, 3), "20");
    EXPECT_EQ(h.Text(2, 4), "30");
    EXPECT_TRUE(g.GetMultiSelect()->IsSelected(3, 4));

    // Ctrl adds single cells to a selection; copying joins them row by row.
    Click(h.Area(), h.At(0, 0));
    Click(h.Area(), h.At(3, 3), Qt::ControlModifier);
    menuCommand(h, 3, 3, ID_GRID_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), "10\n20");

    // Cut through the menu empties the cut cells.
    Click(h.Area(), h.At(2, 4));
    menuCommand(h, 2, 4, ID_GRID_CUT);
    EXPECT_EQ(QApplication::clipboard()->text(), "30");
    EXPECT_EQ(h.Text(2, 4), "");

    // The picture: a selected block in the highlight colour, the current cell not.
    Click(h.Area(), h.At(1, 5));
    Click(h.Area(), h.At(2, 6), Qt::ShiftModifier);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("table.png");
    ASSERT_TRUE(AfxSaveWindowImage(&h.host, file));
    const QImage picture(file);
    ASSERT_FALSE(picture.isNull());
    const QPoint area = g.m_area.GetWidget()->mapTo(h.host.GetWidget(), QPoint(0, 0));
    auto pixel = [&](int col, int row) {
        CRect r;
        g.GetCellRect(col, row, &r);
        return picture.pixelColor(area.x() + r.left + 2, area.y() + r.bottom - 3);
    };
    EXPECT_EQ(pixel(1, 5), qcolor(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(pixel(1, 6), qcolor(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(pixel(2, 5), qcolor(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(pixel(3, 5), qcolor(GetSysColor(COLOR_WINDOW)));
    EXPECT_NE(pixel(2, 6), qcolor(GetSysColor(COLOR_HIGHLIGHT)));   // the current cell
}
