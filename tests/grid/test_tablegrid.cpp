// The program's base table: messages to its parent, the range check of typed and pasted
// numbers, the highlighted headings, and the clipboard menu.
#include <gtest/gtest.h>
#include <QClipboard>

#include "framework/menu.h"
#include "framework/msgbox.h"
#include "grid/tablegrid.h"
#include "grid_ui.h"

using namespace gridui;

namespace {

// Answers every message box with OK and keeps its text.
struct Messages {
    QStringList texts;
    Messages()
    {
        AfxSetMessageBoxHandler([this](const QString& text, UINT) {
            texts << text;
            return IDOK;
        });
    }
    ~Messages() { AfxSetMessageBoxHandler(nullptr); }
};

struct MenuPick {
    UINT pick;
    QStringList shown;
    explicit MenuPick(UINT id) : pick(id)
    {
        AfxSetPopupMenuHook([this](const CMenu& m) {
            shown.clear();
            for (const CMenu::Item& i : m.Items())
                shown << i.text;
            return pick;
        });
    }
    ~MenuPick() { AfxSetPopupMenuHook(nullptr); }
};

void rangeCell(CGridCtrl& g, int col, int row, double lo, double hi, WORD decimals)
{
    CGridCell c;
    g.GetCell(col, row, &c);
    c.SetRange(lo, hi);
    c.SetDataType(2);   // decimals travel with a number cell
    c.SetDecimals(decimals);
    c.EnableRangeCheck(1);
    g.SetCell(col, row, &c);
}

using Msg = std::tuple<UINT, WPARAM, LPARAM>;

} // namespace

TEST(TableGrid, RangeMessagesUseTheCellsDecimals)
{
    CGridCell c;
    c.SetRange(0, 100);
    c.SetDecimals(2);
    EXPECT_EQ(CTableGrid::RangeMessage(c), QString::fromUtf8("0.00 から 100.00 までの数値を入力して下さい。"));
    c.SetRange(1, 30);
    c.SetDecimals(0);
    EXPECT_EQ(CTableGrid::RangeMessage(c), QString::fromUtf8("1 から 30 までの数値を入力して下さい。"));
    c.SetDecimals(12);
    EXPECT_EQ(CTableGrid::RangeMessage(c), QString::fromUtf8("1.000000000000 から 30.000000000000 までの数値を入力して下さい。"));
    c.SetDecimals(100);
    EXPECT_TRUE(CTableGrid::RangeMessage(c).isEmpty());
}

TEST(TableGrid, TheRangeCheckAcceptsTheBoundsAndRefusesWithAMessage)
{
    Hosted<CTableGrid> h(4, 4);
    CTableGrid& g = h.grid;
    Messages boxes;
    rangeCell(g, 0, 0, 0, 100, 2);
    rangeCell(g, 1, 0, 1, 30, 0);
    h.host.messages.clear();
    for (const char* ok : {"0", "100", "55.5", "abc"})   // text without a number counts as 0
        EXPECT_TRUE(g.OnCheckText(0, 0, ok, GRID_TEXT_EDIT)) << ok;
    EXPECT_EQ(h.host.Count(WM_GRID_EDITDONE), 4);
    EXPECT_TRUE(boxes.texts.isEmpty());
    g.GotoCell(3, 3);
    EXPECT_FALSE(g.OnCheckText(1, 0, "0", GRID_TEXT_EDIT));
    EXPECT_EQ(boxes.texts, QStringList{QString::fromUtf8("1 から 30 までの数値を入力して下さい。")});
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(1, 0));   // back to the cell
    EXPECT_EQ(h.host.Count(WM_GRID_EDITDONE), 4);
    // A cell without a range takes anything; decimals past 99 refuse without a word.
    EXPECT_TRUE(g.OnCheckText(2, 2, "anything", GRID_TEXT_EDIT));
    rangeCell(g, 3, 0, 0, 1, 100);
    EXPECT_FALSE(g.OnCheckText(3, 0, "5", GRID_TEXT_EDIT));
    EXPECT_EQ(boxes.texts.size(), 1);
    // Without a parent a table stores nothing.
    CTableGrid orphan;
    orphan.SetNumberCols(1);
    orphan.SetNumberRows(1);
    EXPECT_FALSE(orphan.OnCheckText(0, 0, "1", GRID_TEXT_EDIT));
}

TEST(TableGrid, ARefusedNumberIsDroppedAndTheCellKeepsItsValueAndTheKeys)
{
    Hosted<CTableGrid> h(3, 3);
    CTableGrid& g = h.grid;
    Messages boxes;
    rangeCell(g, 0, 0, 0, 100, 2);
    g.SetCellText(0, 0, "50.00");
    Type("150");                       // a character starts the edit
    ASSERT_TRUE(g.GetEdit()->IsOpen());
    Key(Focus(), Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::processEvents();
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_EQ(boxes.texts[0], QString::fromUtf8("0.00 から 100.00 までの数値を入力して下さい。"));
    EXPECT_EQ(h.Text(0, 0), "50.00");
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(0, 0));
    EXPECT_EQ(Focus(), h.Area());
    Type("75");
    Key(Focus(), Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(h.Text(0, 0), "75.00");   // in the cell's decimals
    EXPECT_EQ(g.GetCurrentCol(), 1);    // and on to the next cell
    EXPECT_EQ(h.host.Count(WM_GRID_EDITDONE), 1);
}

TEST(TableGrid, ColumnAndRowChangesAndClicksReachTheParent)
{
    Hosted<CTableGrid> h(5, 5);
    CTableGrid& g = h.grid;
    g.GotoCell(2, 0);
    h.host.messages.clear();
    g.GotoCell(3, 1);
    ASSERT_GE(h.host.messages.size(), 2u);
    EXPECT_EQ(h.host.messages[0], Msg(WM_GRID_ROWCHANGED, 0, 1));
    EXPECT_EQ(h.host.messages[1], Msg(WM_USER + 6, 2, 3));
    CGridCell heading;
    g.GetCellIndirect(2, -1, &heading);
    EXPECT_EQ(heading.GetTextColor(), RGB(0, 0, 150));
    EXPECT_EQ(heading.GetBackColor(), RGB(192, 192, 192));
    g.GetCellIndirect(3, -1, &heading);
    EXPECT_EQ(heading.GetTextColor(), RGB(0, 0, 255));
    EXPECT_EQ(heading.GetBackColor(), RGB(255, 255, 255));
    g.GetCellIndirect(-1, 1, &heading);
    EXPECT_EQ(heading.GetTextColor(), RGB(0, 0, 255));   // the current row's heading
    g.GetCellIndirect(-1, 2, &heading);
    EXPECT_NE(heading.GetTextColor(), RGB(0, 0, 255));
    h.host.messages.clear();
    Click(h.Area(), h.At(3, 1));
    EXPECT_EQ(h.host.messages, (std::vector<Msg>{Msg(WM_GRID_CELLCHANGED, 3, 1), Msg(WM_GRID_CELLCHANGED, 3, 1)}));
    // Spin and check box events.
    h.host.messages.clear();
    g.OnCellTypeNotify(GRID_CT_SPIN, 1, 2, GRID_NOTIFY_SPIN_UP, 0);
    g.OnCellTypeNotify(GRID_CT_CHECKBOX, 4, 0, GRID_NOTIFY_CHECK_CHANGED, 1);
    g.OnCellTypeNotify(GRID_CT_BUTTON, 4, 0, 1, 0);
    EXPECT_EQ(h.host.messages, (std::vector<Msg>{Msg(WM_GRID_SPIN, 1, 2), Msg(WM_GRID_CHECK, 4, 0)}));
}

TEST(TableGrid, DoubleClickAndTypingStartEditing)
{
    Hosted<CTableGrid> h(3, 3);
    CTableGrid& g = h.grid;
    g.SetCellText(1, 1, "x");
    Click(h.Area(), h.At(1, 1));
    Mouse(h.Area(), QEvent::MouseButtonDblClick, h.At(1, 1));
    ASSERT_TRUE(g.GetEdit()->IsOpen());
    EXPECT_EQ(h.Edit()->text(), "x");
    EXPECT_TRUE(h.Edit()->hasSelectedText());
    Key(Focus(), Qt::Key_Escape);
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    // A double click off the cells edits nothing.
    Mouse(h.Area(), QEvent::MouseButtonDblClick, QPoint(390, 200));
    EXPECT_FALSE(g.GetEdit()->IsOpen());
    EXPECT_EQ(g.GetDefFont()->LogFont().lfFaceName, QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(g.GetDefFont()->LogFont().lfHeight, -12);
}

TEST(TableGrid, MenusAndTheClipboardThroughThem)
{
    Hosted<CTableGrid> h(3, 2);
    CTableGrid& g = h.grid;
    g.EnablePopupMenu(TRUE);
    g.SetMultiSelectMode(TRUE);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCellText(c, r, QStringLiteral("%1%2").arg(r).arg(c));
    {
        MenuPick menu(ID_GRID_COPYALL);
        Click(h.Area(), h.At(1, 1), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(menu.shown.size(), 5);
        EXPECT_EQ(menu.shown.value(3), QString::fromUtf8("表全体をｺﾋﾟｰ"));
        EXPECT_EQ(QApplication::clipboard()->text(), "00\t01\t02\n10\t11\t12");
    }
    {
        MenuPick menu(0);
        Click(g.m_topHeading.GetWidget(), QPoint(20, 5), Qt::NoModifier, Qt::RightButton);
        EXPECT_TRUE(menu.shown.isEmpty());   // the headings have no items
    }
    {
        // A click on the corner selects the table; its menu copies it.
        Click(g.m_corner.GetWidget(), QPoint(10, 5));
        MenuPick menu(ID_GRID_COPY);
        QApplication::clipboard()->clear();
        Click(g.m_corner.GetWidget(), QPoint(10, 5), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(menu.shown, QStringList{QString::fromUtf8("表全体をｺﾋﾟｰ")});
        EXPECT_EQ(QApplication::clipboard()->text(), "00\t01\t02\n10\t11\t12");
    }
    {
        MenuPick menu(ID_GRID_PASTE);
        QApplication::clipboard()->setText("a\tb");
        Click(h.Area(), h.At(1, 0), Qt::NoModifier, Qt::RightButton);
        EXPECT_EQ(h.Text(1, 0), "a");
        EXPECT_EQ(h.Text(2, 0), "b");
    }
}

TEST(TableGrid, PasteAndCutKeepReadOnlyCellsAndTheRangeAndTellTheParent)
{
    Hosted<CTableGrid> h(4, 2);
    CTableGrid& g = h.grid;
    Messages boxes;
    CGridCell c;
    g.GetCell(1, 0, &c);
    c.SetReadOnly(1);
    c.SetText("fixed");
    g.SetCell(1, 0, &c);
    rangeCell(g, 2, 0, 0, 10, 1);
    rangeCell(g, 3, 0, 0, 10, 1);
    g.SetCellText(2, 0, "5.0");
    g.SetCellText(3, 0, "6.0");
    h.host.messages.clear();
    QApplication::clipboard()->setText("x\ty\t99\t98");
    ASSERT_TRUE(g.Paste());
    EXPECT_EQ(h.Text(0, 0), "x");
    EXPECT_EQ(h.Text(1, 0), "fixed");
    EXPECT_EQ(h.Text(2, 0), "5.0");
    EXPECT_EQ(h.Text(3, 0), "6.0");
    EXPECT_EQ(boxes.texts.size(), 1);      // one message for the paste
    EXPECT_EQ(g.GetTextRefusalCount(), 2);
    EXPECT_EQ(h.host.Count(WM_GRID_EDITDONE), 1);
    EXPECT_EQ(std::get<1>(h.host.messages.back()), 0u);
    // Cutting a range-checked cell offers the empty text, which reads as 0.
    g.SetMultiSelectMode(TRUE);
    g.SelectBlock(0, 0, 3, 0);
    ASSERT_TRUE(g.CutSelected());
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("x\tfixed\t5.0\t6.0"));
    EXPECT_EQ(h.Text(0, 0), "");
    EXPECT_EQ(h.Text(1, 0), "fixed");
    EXPECT_EQ(h.Text(2, 0), "");
    EXPECT_EQ(h.Text(3, 0), "");
    // Pasted numbers show in their cells' decimals, as typed ones do.
    QApplication::clipboard()->setText("7\t8.25");
    g.GotoCell(2, 0);
    ASSERT_TRUE(g.Paste());
    EXPECT_EQ(h.Text(2, 0), "7.0");
    EXPECT_EQ(h.Text(3, 0), "8.3");
}
