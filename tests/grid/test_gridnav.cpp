// Navigation, the move reports, the selection that follows the moves, and the clipboard.
#include <gtest/gtest.h>
#include <QClipboard>

#include "grid/gridctrl.h"
#include "grid_ui.h"

using namespace gridui;

namespace {

// Records what the grid reports while it moves.
class NavGrid : public CGridCtrl {
public:
    QStringList log;
    BOOL allowMove = TRUE;
    BOOL allowScroll = TRUE;
    BOOL OnCanMoveCell(int, int, int, int) override { return allowMove; }
    BOOL OnCanScrollView(int, int, int, int) override { return allowScroll; }
    void OnRowPastEnd(int count, int past, int found) override { log << QStringLiteral("pastend %1 %2 %3").arg(count).arg(past).arg(found); }
    void OnRowBeforeStart(int count, int row) override { log << QStringLiteral("beforestart %1 %2").arg(count).arg(row); }
    void OnRowChange(int o, int n) override { log << QStringLiteral("row %1 %2").arg(o).arg(n); }
    void OnColChange(int o, int n) override { log << QStringLiteral("col %1 %2").arg(o).arg(n); }
    void OnCellChange(int oc, int nc, int orow, int nrow) override
    {
        log << QStringLiteral("cell %1 %2 %3 %4").arg(oc).arg(nc).arg(orow).arg(nrow);
    }
    void OnTopRowChange(int o, int n) override { log << QStringLiteral("top %1 %2").arg(o).arg(n); }
    void OnLeftColChange(int o, int n) override { log << QStringLiteral("left %1 %2").arg(o).arg(n); }
};

void fill(CGridCtrl& g)
{
    for (int r = 0; r < g.GetNumberRows(); ++r)
        for (int c = 0; c < g.GetNumberCols(); ++c)
            g.SetCellText(c, r, QStringLiteral("%1%2").arg(QChar(u'a' + c)).arg(r));
}

QString clipboard() { return QApplication::clipboard()->text(); }

} // namespace

// ---------------------------------------------------------------- moves

TEST(GridNav, GotoRowClampsAndNotifiesAtBothEnds)
{
    NavGrid g;
    g.SetNumberCols(3);
    g.SetNumberRows(10);
    g.log.clear();
    EXPECT_EQ(g.GotoRow(25), 1);
    EXPECT_EQ(g.GetCurrentRow(), 9);
    ASSERT_FALSE(g.log.isEmpty());
    EXPECT_EQ(g.log.front(), "pastend 10 16 0");
    g.log.clear();
    EXPECT_EQ(g.GotoRow(-1), 1);
    EXPECT_EQ(g.GetCurrentRow(), 0);
    EXPECT_EQ(g.log.front(), "beforestart 10 -1");
    // GotoCell does not clamp: a bound refuses.
    EXPECT_EQ(g.GotoCell(1, 10), 0);
    EXPECT_EQ(g.GotoCell(3, 1), 0);
    EXPECT_EQ(g.GetCurrentRow(), 0);
}

TEST(GridNav, ReportsComeInTheirOrderAndARefusalMovesNothing)
{
    Hosted<NavGrid> h(20, 40);
    NavGrid& g = h.grid;
    g.log.clear();
    EXPECT_EQ(g.GotoCell(2, 30), 1);
    const QStringList expected = {"row 0 30", "col 0 2", "cell 0 2 0 30"};
    ASSERT_GE(g.log.size(), 4);
    EXPECT_EQ(g.log.mid(0, 3), expected);
    EXPECT_TRUE(g.log[3].startsWith("top 0 "));   // the view followed
    g.allowMove = FALSE;
    g.log.clear();
    EXPECT_EQ(g.GotoCell(5, 5), -1);
    EXPECT_EQ(g.MoveCurrentRow(GRID_MOVE_ON), -1);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 30));
    EXPECT_TRUE(g.log.isEmpty());
    EXPECT_EQ(g.MoveCurrentRow(9), 3);   // not a way to move
}

TEST(GridNav, PagingRightFromColumnZeroLandsOnColumnThree)
{
    // Columns 100 wide in an area 350 wide.
    Hosted<NavGrid> h(10, 40, CRect(0, 0, 50 + 350 + GetSystemMetrics(SM_CXVSCROLL), 300));
    NavGrid& g = h.grid;
    ASSERT_EQ(g.GetSettings()->m_nAreaWidth, 350);
    EXPECT_EQ(g.MoveCurrentCol(GRID_MOVE_PAGEON), 1);
    EXPECT_EQ(g.GetCurrentCol(), 3);
    EXPECT_EQ(g.MoveCurrentCol(GRID_MOVE_PAGEBACK), 1);
    EXPECT_EQ(g.GetCurrentCol(), 0);
    g.GotoCol(9);
    g.log.clear();
    EXPECT_EQ(g.MoveCurrentCol(GRID_MOVE_PAGEON), 1);
    EXPECT_EQ(g.GetCurrentCol(), 9);
    EXPECT_TRUE(g.log.isEmpty());
}

TEST(GridNav, JoinedBlocksAreReachedAtTheirOrigin)
{
    NavGrid g;
    g.SetNumberCols(6);
    g.SetNumberRows(10);
    ASSERT_TRUE(g.JoinCells(2, 3, 3, 5));   // columns 2-3, rows 3-5
    EXPECT_EQ(g.GotoCell(3, 4), 1);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 3));
    // Down from the block's origin row lands below the block, right beside it.
    EXPECT_EQ(g.MoveCurrentRow(GRID_MOVE_ON), 1);
    EXPECT_EQ(g.GetCurrentRow(), 6);
    EXPECT_EQ(g.MoveCurrentRow(GRID_MOVE_BACK), 1);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 3));
    EXPECT_EQ(g.MoveCurrentCol(GRID_MOVE_ON), 1);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(4, 3));
    EXPECT_EQ(g.MoveCurrentCol(GRID_MOVE_BACK), 1);
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(2, 3));
    // The block's rectangle is the whole block.
    CRect r;
    ASSERT_TRUE(g.GetCellRect(3, 5, &r));
    EXPECT_EQ(r.Width(), 200);
    EXPECT_EQ(r.Height(), 60);
}

TEST(GridNav, KeysKeepOneMoreRowInViewClicksDoNot)
{
    // An area of 7.5 rows: rows 0-6 whole, row 7 in part.
    Hosted<NavGrid> h(5, 30, CRect(0, 0, 400, 20 + 150 + GetSystemMetrics(SM_CYHSCROLL)));
    NavGrid& g = h.grid;
    CGridSettings* s = g.GetSettings();
    ASSERT_EQ(s->m_nAreaHeight, 150);
    g.GotoRow(6);
    EXPECT_EQ(s->m_nTopRow, 0);       // row 7 shows in part: enough
    g.GotoRow(7);
    EXPECT_EQ(s->m_nTopRow, 2);       // row 8 comes into view whole
    g.SetTopRow(0);
    g.GotoRow(0);
    // A click on the part-shown row 7 makes it current and leaves the view.
    Click(h.Area(), QPoint(20, 7 * 20 + 3));
    EXPECT_EQ(g.GetCurrentRow(), 7);
    EXPECT_EQ(s->m_nTopRow, 0);
    // Ctrl+End and Ctrl+Home go to the last and first rows; End and Home to the columns.
    Key(h.Area(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.GetCurrentRow(), 29);
    EXPECT_EQ(s->m_nTopRow, s->m_nLastTopRow);
    Key(h.Area(), Qt::Key_End);
    EXPECT_EQ(g.GetCurrentCol(), 4);
    EXPECT_EQ(g.GetCurrentRow(), 29);
    Key(h.Area(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.GetCurrentRow(), 0);
    Key(h.Area(), Qt::Key_Home);
    EXPECT_EQ(g.GetCurrentCol(), 0);
    Key(h.Area(), Qt::Key_PageDown);
    EXPECT_EQ(g.GetCurrentRow(), 7);   // the row at which 150 pixels are exceeded
}

TEST(GridNav, KeysBringAPartShownLastRowInWhole)
{
    // Ten rows in an area of 9.5, as a dialog's table may get: row 9 shows its top half.
    Hosted<NavGrid> h(1, 10, CRect(0, 0, 400, 20 + 190));
    NavGrid& g = h.grid;
    CGridSettings* s = g.GetSettings();
    ASSERT_EQ(s->m_nAreaHeight, 190);
    for (int i = 0; i < 9; ++i)
        Key(h.Area(), Qt::Key_Down);
    EXPECT_EQ(g.GetCurrentRow(), 9);
    EXPECT_EQ(s->m_nTopRow, 1);
    CRect r;
    g.GetCellRect(0, 9, &r);
    EXPECT_LE(r.bottom, s->m_nAreaHeight);
    // The owner's moves show the row whole as well; Up brings the first one back.
    g.SetTopRow(0);
    g.GotoRow(0);
    g.GotoRow(9);
    EXPECT_EQ(s->m_nTopRow, 1);
    for (int i = 0; i < 9; ++i)
        Key(h.Area(), Qt::Key_Up);
    EXPECT_EQ(s->m_nTopRow, 0);
}

TEST(GridNav, ScrollingMovesTheViewOnly)
{
    Hosted<NavGrid> h(5, 50, CRect(0, 0, 400, 20 + 150 + GetSystemMetrics(SM_CYHSCROLL)));
    NavGrid& g = h.grid;
    CGridSettings* s = g.GetSettings();
    EXPECT_EQ(s->m_nLastTopRow, 43);   // 50 rows, 7 of them whole in 150 pixels
    EXPECT_EQ(g.MoveTopRow(GRID_MOVE_PAGEON), 1);
    EXPECT_EQ(s->m_nTopRow, 7);
    EXPECT_EQ(g.GetCurrentRow(), 0);
    EXPECT_EQ(g.MoveTopRow(GRID_MOVE_LAST), 1);
    EXPECT_EQ(s->m_nTopRow, 43);
    EXPECT_EQ(g.SetTopRow(44), 0);     // beyond the last top row
    EXPECT_EQ(g.MoveTopRow(GRID_MOVE_PAGEBACK), 1);
    EXPECT_EQ(s->m_nTopRow, 36);
    g.allowScroll = FALSE;
    EXPECT_EQ(g.MoveTopRow(GRID_MOVE_FIRST), -1);
    EXPECT_EQ(s->m_nTopRow, 36);
}

// ---------------------------------------------------------------- selection by keys and clicks

TEST(GridNav, ShiftExtendsCtrlAddsAPlainMoveStartsAgain)
{
    Hosted<NavGrid> h(6, 10, CRect(0, 0, 700, 300));
    NavGrid& g = h.grid;
    CGridMultiSelect* sel = g.GetMultiSelect();
    g.SetMultiSelectMode(TRUE);
    Key(h.Area(), Qt::Key_Right, Qt::ShiftModifier);
    Key(h.Area(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(sel->IsSelected(0, 0) && sel->IsSelected(1, 1) && sel->IsSelected(0, 1));
    Key(h.Area(), Qt::Key_Down);
    EXPECT_FALSE(sel->IsSelected(0, 0));
    EXPECT_TRUE(sel->IsSelected(1, 2));
    // Ctrl+click adds a cell, Shift+click extends the newest block, a plain click starts over.
    Click(h.Area(), h.At(4, 5), Qt::ControlModifier);
    EXPECT_TRUE(sel->IsSelected(1, 2));
    EXPECT_TRUE(sel->IsSelected(4, 5));
    Click(h.Area(), h.At(5, 6), Qt::ShiftModifier);
    EXPECT_TRUE(sel->IsSelected(5, 5) && sel->IsSelected(4, 6));
    Click(h.Area(), h.At(2, 2));
    EXPECT_FALSE(sel->IsSelected(4, 5));
    EXPECT_TRUE(sel->IsSelected(2, 2));
    // A drag extends the block from the pressed cell.
    Mouse(h.Area(), QEvent::MouseButtonPress, h.At(0, 0));
    Mouse(h.Area(), QEvent::MouseMove, h.At(1, 2), Qt::LeftButton);
    Mouse(h.Area(), QEvent::MouseButtonRelease, h.At(1, 2));
    EXPECT_TRUE(sel->IsSelected(0, 0) && sel->IsSelected(1, 2) && sel->IsSelected(0, 2));
    EXPECT_FALSE(sel->IsSelected(2, 2));
}

// ---------------------------------------------------------------- clipboard

TEST(GridClipboard, CopyJoinsCellsWithTabsAndRowsWithLineFeeds)
{
    CGridCtrl g;
    g.SetNumberCols(3);
    g.SetNumberRows(3);
    g.SetCellText(0, 0, "a");
    g.SetCellText(1, 0, "b");
    g.SetCellText(0, 1, "c");
    g.SetCellText(1, 1, "d");
    // Without a selection only the current cell.
    ASSERT_TRUE(g.CopySelected());
    EXPECT_EQ(clipboard(), "a");
    g.SetMultiSelectMode(TRUE);
    g.SelectBlock(0, 0, 1, 1);
    ASSERT_TRUE(g.CopySelected());
    EXPECT_EQ(clipboard(), "a\tb\nc\td");
    EXPECT_TRUE(g.GetMultiSelect()->Blocks().empty());   // the selection goes after a copy
}

TEST(GridClipboard, PasteSplitsAtTabsAndLineBreaks)
{
    CGridCtrl g;
    g.SetNumberCols(4);
    g.SetNumberRows(4);
    fill(g);
    g.SetMultiSelectMode(TRUE);
    g.GotoCell(1, 1);
    QApplication::clipboard()->setText("x\t\ty\r\nz\r\n");
    ASSERT_TRUE(g.Paste());
    auto text = [&](int c, int r) {
        CGridCell cell;
        g.GetCellIndirect(c, r, &cell);
        return cell.GetText();
    };
    EXPECT_EQ(text(1, 1), "x");
    EXPECT_EQ(text(2, 1), "");          // the empty field between the tabs
    EXPECT_EQ(text(3, 1), "y");
    EXPECT_EQ(text(1, 2), "z");
    EXPECT_EQ(text(1, 3), "b3");        // the final line break writes nothing
    EXPECT_EQ(text(2, 2), "c2");
    // The pasted block is selected.
    EXPECT_TRUE(g.GetMultiSelect()->IsSelected(3, 2));
    EXPECT_FALSE(g.GetMultiSelect()->IsSelected(1, 3));

    // Fields past the grid's edge are dropped; a lone carriage return breaks a line too.
    g.GotoCell(3, 2);
    QApplication::clipboard()->setText("p\tq\rr");
    ASSERT_TRUE(g.Paste());
    EXPECT_EQ(text(3, 2), "p");
    EXPECT_EQ(text(3, 3), "r");
    QApplication::clipboard()->clear();
    EXPECT_FALSE(g.Paste());
}

TEST(GridClipboard, PasteAndCutChangeTextsOnlyAndLeaveReadOnlyCells)
{
    CGridCtrl g;
    g.SetNumberCols(3);
    g.SetNumberRows(2);
    fill(g);
    CGridCell c;
    g.GetCell(1, 0, &c);
    c.SetReadOnly(1);
    c.SetBackColor(RGB(1, 2, 3));
    g.SetCell(1, 0, &c);
    g.GetCell(2, 0, &c);
    c.SetCellType(GRID_CT_CHECKBOX);
    c.SetTextColor(RGB(9, 9, 9));
    g.SetCell(2, 0, &c);

    QApplication::clipboard()->setText("1\t2\t3");
    g.Paste();
    g.GetCell(1, 0, &c);
    EXPECT_EQ(c.GetText(), "b0");       // read-only: kept
    g.GetCell(2, 0, &c);
    EXPECT_EQ(c.GetText(), "3");
    EXPECT_EQ(c.GetCellType(), GRID_CT_CHECKBOX);

    g.SetMultiSelectMode(TRUE);
    g.SelectBlock(0, 0, 2, 0);
    ASSERT_TRUE(g.CutSelected());
    EXPECT_EQ(clipboard(), "1\tb0\t3");
    g.GetCell(0, 0, &c);
    EXPECT_EQ(c.GetText(), "");
    g.GetCell(1, 0, &c);
    EXPECT_EQ(c.GetText(), "b0");
    EXPECT_EQ(c.GetBackColor(), RGB(1, 2, 3));
    g.GetCell(2, 0, &c);
    EXPECT_EQ(c.GetText(), "");
    EXPECT_EQ(c.GetCellType(), GRID_CT_CHECKBOX);   // the record stays, only its text goes
    EXPECT_EQ(c.GetTextColor(), RGB(9, 9, 9));
}
