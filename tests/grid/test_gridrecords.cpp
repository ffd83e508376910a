// The grid's value records and bookkeeping: cells, range lists, the memory data
// source and the multi-selection.
#include <gtest/gtest.h>

#include "grid/gridcell.h"
#include "grid/griddatasource.h"
#include "grid/gridmultiselect.h"
#include "grid/gridrangelist.h"
#include "grid/gridsettings.h"

// ---------------------------------------------------------------- cell record

TEST(GridCell, NumberFromTextNeedsADigitAndIsLimited)
{
    CGridCell c;
    const std::pair<const char*, double> cases[] = {
        {"abc", 0.0}, {"-", 0.0}, {"1e30", 1e20}, {"-1e30", -1e20}, {"  12.5mm", 12.5}, {"-0.25", -0.25}, {"", 0.0}};
    for (const auto& [text, expected] : cases) {
        c.SetText(QString::fromLatin1(text));
        EXPECT_DOUBLE_EQ(c.GetNumber(), expected) << text;
    }
}

TEST(GridCell, SetNumberWritesTheTextWithTheCellsDecimals)
{
    CGridCell c;
    EXPECT_EQ(c.GetDecimals(), 2);
    c.SetNumber(1.5);
    EXPECT_EQ(c.GetText(), "1.50");
    EXPECT_EQ(c.GetDataType(), 2);
    EXPECT_DOUBLE_EQ(c.GetValue(), 1.5);
    c.SetDecimals(0);
    c.SetNumber(1.5);
    EXPECT_EQ(c.GetText(), "2");
    c.SetNumber(2.5);   // halves away from zero, as the program always printed them
    EXPECT_EQ(c.GetText(), "3");
    c.SetNumber(-2.5);
    EXPECT_EQ(c.GetText(), "-3");
    // Text and value are independent: typed text is read back with GetNumber.
    c.SetText("7.25");
    EXPECT_DOUBLE_EQ(c.GetValue(), -2.5);
    EXPECT_DOUBLE_EQ(c.GetNumber(), 7.25);
}

TEST(GridCell, EnteredNumbersTakeANumberCellsDecimals)
{
    CGridCell c;
    c.SetDecimals(1);
    c.SetNumber(0.0);
    c.SetEnteredText("45000");
    EXPECT_EQ(c.GetText(), "45000.0");
    EXPECT_DOUBLE_EQ(c.GetValue(), 45000.0);
    c.SetEnteredText(" -2.25 ");
    EXPECT_EQ(c.GetText(), "-2.3");
    // What is no plain number stays as typed: a masked text, a word, nothing.
    for (const char* text : {"123x45", "abc", "", "1 2", "inf"}) {
        c.SetEnteredText(text);
        EXPECT_EQ(c.GetText(), text);
    }
    // A cell that is no number cell keeps the text too.
    CGridCell plain;
    plain.SetEnteredText("5.9");
    EXPECT_EQ(plain.GetText(), "5.9");
}

TEST(GridCell, TextAsIntLeavesTheValueWithoutANumber)
{
    CGridCell c;
    int v = 99;
    c.SetText("  -42abc");
    EXPECT_TRUE(c.GetTextAsInt(v));
    EXPECT_EQ(v, -42);
    c.SetText("abc");
    EXPECT_TRUE(c.GetTextAsInt(v));
    EXPECT_EQ(v, -42);
    c.SetText("99999999999");
    c.GetTextAsInt(v);
    EXPECT_EQ(v, INT_MAX);
}

namespace {
CGridCell fullRecord()
{
    CGridCell c;
    c.SetText("t");
    c.SetLabel("999x99");
    c.SetChoiceList("a\nb\n");
    c.SetDecimals(3);
    c.SetNumber(4.5);
    c.SetRange(-1, 9);
    c.EnableRangeCheck(1);
    c.SetTextColor(RGB(1, 2, 3));
    c.SetBackColor(RGB(0, 0, 0));   // black is a colour, not "unset"
    c.SetSelTextColor(RGB(4, 5, 6));
    c.SetSelBackColor(RGB(7, 8, 9));
    c.SetAlignment(36);
    c.SetBorder(12);
    c.SetReadOnly(1);
    c.SetCellType(6);
    c.SetCellTypeEx(16);
    return c;
}

void expectSame(const CGridCell& a, const CGridCell& b)
{
    EXPECT_EQ(a.m_nDataType, b.m_nDataType);
    EXPECT_EQ(a.m_strText, b.m_strText);
    EXPECT_EQ(a.m_strLabel, b.m_strLabel);
    EXPECT_EQ(a.m_strChoiceList, b.m_strChoiceList);
    EXPECT_EQ(a.m_dValue, b.m_dValue);
    EXPECT_EQ(a.m_nDecimals, b.m_nDecimals);
    EXPECT_EQ(a.m_dMin, b.m_dMin);
    EXPECT_EQ(a.m_dMax, b.m_dMax);
    EXPECT_EQ(a.m_nRangeCheck, b.m_nRangeCheck);
    EXPECT_EQ(a.m_crText, b.m_crText);
    EXPECT_EQ(a.m_crBack, b.m_crBack);
    EXPECT_EQ(a.m_crSelText, b.m_crSelText);
    EXPECT_EQ(a.m_crSelBack, b.m_crSelBack);
    EXPECT_EQ(a.m_nAlignment, b.m_nAlignment);
    EXPECT_EQ(a.m_nBorder, b.m_nBorder);
    EXPECT_EQ(a.m_nReadOnly, b.m_nReadOnly);
    EXPECT_EQ(a.m_nCellType, b.m_nCellType);
    EXPECT_EQ(a.m_nCellTypeEx, b.m_nCellTypeEx);
    EXPECT_EQ(a.m_bJoined, b.m_bJoined);
    EXPECT_EQ(a.m_nJoinCol, b.m_nJoinCol);
}
} // namespace

TEST(GridCell, MergingAFreshRecordChangesNothing)
{
    CGridCell target = fullRecord();
    const CGridCell before = target;
    target.AddInfoFrom(CGridCell());
    expectSame(target, before);
}

TEST(GridCell, MergeTakesOnlyWhatTheSourceSets)
{
    CGridCell target = fullRecord();
    CGridCell s;
    s.SetText("new");
    s.SetTextColor(RGB(0, 0, 0));
    s.SetCellType(0);
    s.m_dValue = 77;           // travels only with a data type
    s.SetRange(5, 6);          // travels only with the range flag
    target.AddInfoFrom(s);
    EXPECT_EQ(target.m_strText, "new");
    EXPECT_EQ(target.m_strLabel, "999x99");
    EXPECT_EQ(target.m_crText, RGB(0, 0, 0));
    EXPECT_EQ(target.m_nCellType, 0);
    EXPECT_EQ(target.m_nCellTypeEx, 16);
    EXPECT_DOUBLE_EQ(target.m_dValue, 4.5);
    EXPECT_DOUBLE_EQ(target.m_dMin, -1);

    s.EnableRangeCheck(0);
    s.SetDataType(0);
    target.AddInfoFrom(s);
    EXPECT_DOUBLE_EQ(target.m_dMin, 5);
    EXPECT_DOUBLE_EQ(target.m_dValue, 77);
    EXPECT_EQ(target.m_nDecimals, 2);
}

TEST(GridCell, CopyKeepsValueWithoutADataTypeAndJoinWithoutAJoin)
{
    CGridCell target = fullRecord();
    target.m_bJoined = 1;
    target.m_nJoinCol = 4;
    CGridCell s;
    s.SetText("x");
    s.m_dValue = 12;
    target.CopyInfoFrom(s);
    EXPECT_EQ(target.m_strText, "x");
    EXPECT_EQ(target.m_strLabel, "");
    EXPECT_EQ(target.m_nDataType, -1);
    EXPECT_DOUBLE_EQ(target.m_dValue, 4.5);
    EXPECT_EQ(target.m_nDecimals, 3);
    EXPECT_EQ(target.m_nCellType, -1);
    EXPECT_EQ(target.m_bJoined, 1);
    EXPECT_EQ(target.m_nJoinCol, 4);
}

TEST(GridCell, ClearAllKeepsValueAndBounds)
{
    CGridCell c = fullRecord();
    c.ClearAll();
    EXPECT_EQ(c.m_nDataType, -1);
    EXPECT_TRUE(c.m_strText.isEmpty() && c.m_strLabel.isEmpty() && c.m_strChoiceList.isEmpty());
    EXPECT_EQ(c.m_nDecimals, 2);
    EXPECT_EQ(c.m_crBack, GRID_COLOR_UNSET);
    EXPECT_EQ(c.m_nRangeCheck, -1);
    EXPECT_DOUBLE_EQ(c.m_dValue, 4.5);
    EXPECT_DOUBLE_EQ(c.m_dMin, -1);
    EXPECT_DOUBLE_EQ(c.m_dMax, 9);
}

// ---------------------------------------------------------------- range list

TEST(GridRangeList, BoundsContainsAndDone)
{
    CGridRangeList list;
    int a = -7, b = -7, c = -7, d = -7;
    EXPECT_EQ(list.GetBounds(&a, &b, &c, &d), 0);
    EXPECT_EQ(a, -7);
    EXPECT_EQ(list.Contains(0, 0), 0);
    EXPECT_EQ(list.IsDone(0, 0), 0);

    list.AddRange(2, 5, 3, 6);
    list.AddRange(0, 8, 1, 9);
    ASSERT_EQ(list.GetBounds(&a, &b, &c, &d), 1);
    EXPECT_EQ(std::make_tuple(a, b, c, d), std::make_tuple(0, 5, 3, 9));
    for (auto [col, row] : {std::pair{2, 5}, {3, 6}, {2, 6}, {3, 5}})
        EXPECT_EQ(list.Contains(col, row), 1) << col << "," << row;
    for (auto [col, row] : {std::pair{1, 5}, {4, 5}, {2, 4}, {2, 7}, {2, 8}})
        EXPECT_EQ(list.Contains(col, row), 0) << col << "," << row;

    list.AddDone(1, 8);
    EXPECT_EQ(list.IsDone(1, 8), 1);
    EXPECT_EQ(list.IsDone(8, 1), 0);
    list.Clear();
    EXPECT_EQ(list.Contains(2, 5), 0);
    EXPECT_EQ(list.IsDone(1, 8), 0);
}

// ---------------------------------------------------------------- data sources

TEST(GridMemDataSource, EmptySourceLeavesTheCellAlone)
{
    CGridMemDataSource ds;
    CGridCell c;
    c.SetText("mine");
    EXPECT_EQ(ds.GetCell(0, 0, &c), 0);
    EXPECT_EQ(c.GetText(), "mine");
    // A memory source never adds rows on request.
    int found = 0;
    EXPECT_EQ(ds.AddRows(10, 1, &found), 2);
}

TEST(GridMemDataSource, StoringOneCellMakesTheSlotsBeforeIt)
{
    CGridMemDataSource ds;
    CGridCell c;
    c.SetText("x");
    EXPECT_EQ(ds.SetCell(5, 3, &c), 1);
    EXPECT_EQ(ds.RowSlotCount(), 4);
    EXPECT_EQ(ds.CellSlotCount(3), 6);
    EXPECT_EQ(ds.CellSlotCount(2), 0);
    for (int col = 0; col < 5; ++col)
        EXPECT_FALSE(ds.HasRecord(col, 3));
    CGridCell out;
    EXPECT_EQ(ds.GetCell(2, 3, &out), 0);
    EXPECT_EQ(ds.GetCell(5, 3, &out), 1);
    EXPECT_EQ(out.GetText(), "x");
    EXPECT_EQ(ds.GetCell(6, 3, &out), 0);
    EXPECT_EQ(ds.GetCell(0, 4, &out), 0);
}

TEST(GridMemDataSource, RowHeadingSlotDoesNotShiftColumns)
{
    CGridMemDataSource ds;
    CGridCell c;
    c.SetText("c2");
    ds.SetCell(2, 0, &c);
    c.SetText("head");
    ds.SetCell(-1, 0, &c);
    CGridCell out;
    ASSERT_EQ(ds.GetCell(2, 0, &out), 1);
    EXPECT_EQ(out.GetText(), "c2");
    ASSERT_EQ(ds.GetCell(-1, 0, &out), 1);
    EXPECT_EQ(out.GetText(), "head");
    EXPECT_EQ(ds.CellSlotCount(0), 4);
}

TEST(GridMemDataSource, StoreWithoutDataTypeKeepsTheStoredNumber)
{
    CGridMemDataSource ds;
    CGridCell c;
    c.SetDecimals(1);
    c.SetNumber(3.25);
    ds.SetCell(0, 0, &c);
    CGridCell plain;
    plain.SetText("typed");
    ds.SetCell(0, 0, &plain);
    const CGridCell* stored = ds.PeekCell(0, 0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->GetText(), "typed");
    EXPECT_EQ(stored->GetDataType(), -1);
    EXPECT_DOUBLE_EQ(stored->GetValue(), 3.25);
    EXPECT_EQ(stored->GetDecimals(), 1);
}

TEST(GridMemDataSource, InsertAndDeleteShiftTheSlots)
{
    CGridMemDataSource ds;
    CGridCell c;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            c.SetText(QStringLiteral("%1%2").arg(col).arg(row));
            ds.SetCell(col, row, &c);
        }
    auto text = [&](int col, int row) {
        CGridCell out;
        return ds.GetCell(col, row, &out) ? out.GetText() : QStringLiteral("-");
    };
    EXPECT_EQ(ds.DeleteCell(1, 0), 1);
    EXPECT_EQ(text(1, 0), "20");
    EXPECT_EQ(text(2, 0), "-");
    EXPECT_EQ(ds.DeleteCell(7, 0), 0);
    EXPECT_EQ(ds.InsertRow(1), 1);
    EXPECT_EQ(text(0, 1), "-");
    EXPECT_EQ(text(0, 2), "01");
    EXPECT_EQ(ds.DeleteRow(1), 1);
    EXPECT_EQ(text(0, 1), "01");
    EXPECT_EQ(ds.InsertCol(0), 1);
    EXPECT_EQ(text(1, 2), "02");
    EXPECT_EQ(ds.DeleteColumn(0), 1);
    EXPECT_EQ(text(0, 2), "02");
    EXPECT_EQ(ds.DeleteAll(), 3);
    EXPECT_EQ(text(0, 2), "-");
    EXPECT_EQ(ds.InsertCol(0), 0);
}

// ---------------------------------------------------------------- multi-selection

namespace {
struct Selection {
    CGridSettings settings;
    CGridMultiSelect select{&settings};
    std::vector<std::pair<int, int>> Enumerate()
    {
        std::vector<std::pair<int, int>> cells;
        int col, row;
        for (int found = select.EnumFirstSelected(&col, &row); found; found = select.EnumNextSelected(&col, &row))
            cells.emplace_back(col, row);
        return cells;
    }
};
} // namespace

TEST(GridMultiSelect, DraggedBlockIsOrderedFromItsCorners)
{
    Selection s;
    s.select.SetMode(GRID_SELECT_CELLS);
    s.select.StartBlock(3, 5);
    EXPECT_EQ(s.select.ExtendBlock(1, 2), 1);
    const CGridMultiSelect::Block* b = s.select.CurrentBlock();
    ASSERT_TRUE(b);
    EXPECT_EQ(std::make_tuple(b->left, b->right, b->top, b->bottom), std::make_tuple(1, 3, 2, 5));
    EXPECT_EQ(s.select.IsSelected(1, 2), 1);
    EXPECT_EQ(s.select.IsSelected(3, 5), 1);
    EXPECT_EQ(s.select.IsSelected(0, 2), 0);
    EXPECT_EQ(s.select.IsSelected(2, 6), 0);
    int col = 0, row = 0;
    EXPECT_EQ(s.select.GetStartCell(&col, &row), 1);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 5));
}

TEST(GridMultiSelect, CtrlClickTogglesOneCellInsideABlock)
{
    Selection s;
    s.select.SetMode(GRID_SELECT_CELLS);
    s.select.StartBlock(0, 0);
    s.select.ExtendBlock(2, 2);
    s.select.AddBlock(1, 1);
    EXPECT_EQ(s.select.IsSelected(1, 1), 0);
    EXPECT_EQ(s.select.IsSelected(0, 1), 1);
    s.select.AddBlock(1, 1);
    EXPECT_EQ(s.select.IsSelected(1, 1), 1);
    s.select.AddBlock(5, 5);   // an unselected cell gets a selecting block
    EXPECT_EQ(s.select.IsSelected(5, 5), 1);
}

TEST(GridMultiSelect, EnumerationRunsRowByRowOverTheSelectedCells)
{
    Selection s;
    s.settings.m_nCurCol = 4;
    s.settings.m_nCurRow = 0;
    s.select.SetMode(GRID_SELECT_CELLS);
    s.select.StartBlock(1, 1);
    s.select.ExtendBlock(2, 2);
    s.select.AddBlock(2, 1);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 2}, {2, 2}};
    EXPECT_EQ(s.Enumerate(), expected);
    EXPECT_EQ(s.select.EnumNextSelected(nullptr, nullptr), 0);
}

TEST(GridMultiSelect, WithoutBlocksTheCurrentCellIsTheSelection)
{
    Selection s;
    s.settings.m_nCurCol = 2;
    s.settings.m_nCurRow = 7;
    const std::vector<std::pair<int, int>> current = {{2, 7}};
    // Off: blocks are not even recorded.
    s.select.StartBlock(0, 0);
    EXPECT_EQ(s.select.ExtendBlock(1, 1), 1);
    EXPECT_EQ(s.select.IsSelected(0, 0), 0);
    EXPECT_EQ(s.Enumerate(), current);

    s.select.SetMode(GRID_SELECT_CELLS);
    EXPECT_EQ(s.select.ExtendBlock(1, 1), 0);   // no block started
    s.select.StartBlock(0, 0);
    s.select.ExtendBlock(1, 1);
    EXPECT_EQ(s.Enumerate().size(), 4u);
    s.select.ClearSelections();
    EXPECT_EQ(s.select.GetStartCell(nullptr, nullptr), 0);
    EXPECT_EQ(s.Enumerate(), current);
}
