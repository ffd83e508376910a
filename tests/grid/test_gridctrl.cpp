// The grid control: sizes, layout, cell access, cell types and the popup menu.
#include <gtest/gtest.h>

#include "common/grid_checks.h"
#include "common/test_resources.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/wndextras.h"
#include "grid/gridctrl.h"

namespace {

// A grid that records the notifications cell access raises.
class NotingGrid : public CGridCtrl {
public:
    int setups = 0;
    std::vector<std::pair<int, int>> setCells;
    void OnSetup() override { ++setups; }
    void OnSetCell(int col, int row, CGridCell* cell) override
    {
        setCells.emplace_back(col, row);
        if (cell->GetText() == "shout")
            cell->SetText("SHOUT");
    }
    void OnGetCell(int col, int row, CGridCell* cell) override
    {
        if (col == 0 && row == 0)
            cell->SetBackColor(RGB(1, 2, 3));
    }
};

QString textOf(CGridCtrl& g, int col, int row)
{
    CGridCell c;
    g.GetCellIndirect(col, row, &c);
    return c.GetText();
}

} // namespace

TEST(GridCtrl, CountsAndSizes)
{
    CGridCtrl g;
    EXPECT_FALSE(g.SetNumberCols(-1));
    EXPECT_FALSE(g.SetNumberRows(-1));
    ASSERT_TRUE(g.SetNumberCols(3));
    ASSERT_TRUE(g.SetColWidth(1, 40));
    ASSERT_TRUE(g.SetNumberCols(5));
    int w = 0;
    const int expected[] = {100, 40, 100, 100, 100};
    for (int col = 0; col < 5; ++col) {
        ASSERT_TRUE(g.GetColWidth(col, &w));
        EXPECT_EQ(w, expected[col]) << col;
    }
    EXPECT_FALSE(g.GetColWidth(5, &w));
    EXPECT_FALSE(g.SetColWidth(5, 10));
    EXPECT_FALSE(g.SetColWidth(0, -1));
    EXPECT_TRUE(g.SetColWidth(0, 0));   // a hidden column

    ASSERT_TRUE(g.SetNumberRows(10));
    EXPECT_TRUE(g.SetRowHeight(3, 33));
    int h = 0;
    g.GetRowHeight(3, &h);
    EXPECT_EQ(h, 33);
    g.GetRowHeight(4, &h);
    EXPECT_EQ(h, 20);
    EXPECT_FALSE(g.SetRowHeight(10, 5));
    EXPECT_FALSE(g.GetRowHeight(-1, &h));
}

TEST(GridCtrl, ManyRowsShareOneHeight)
{
    CGridCtrl g;
    g.SetNumberCols(2);
    ASSERT_TRUE(g.SetNumberRows(63999));
    EXPECT_EQ(g.GetSettings()->m_bUniformRowHeight, 0);
    ASSERT_TRUE(g.SetNumberRows(64000));
    EXPECT_EQ(g.GetSettings()->m_bUniformRowHeight, 1);
    EXPECT_EQ(g.GetNumberRows(), 64000);
    EXPECT_TRUE(g.GetSettings()->m_anRowHeights.empty());
    ASSERT_TRUE(g.SetRowHeight(5, 30));
    int h = 0;
    g.GetRowHeight(63999, &h);
    EXPECT_EQ(h, 30);
    // A zero height would leave the scroll bars nothing to divide by.
    EXPECT_FALSE(g.SetRowHeight(5, 0));
    EXPECT_FALSE(g.SetDefRowHeight(0));
    EXPECT_FALSE(g.SetDefColWidth(0));
    g.GetRowHeight(0, &h);
    EXPECT_EQ(h, 30);
    // Fewer rows later keep the single height.
    g.SetNumberRows(10);
    EXPECT_EQ(g.GetSettings()->m_bUniformRowHeight, 1);
}

TEST(GridCtrl, ShrinkingPullsTheCurrentCellBack)
{
    CGridCtrl g;
    g.SetNumberCols(6);
    g.SetNumberRows(8);
    CGridSettings* s = g.GetSettings();
    s->m_nCurCol = 5;
    s->m_nCurRow = 7;
    s->m_nTopRow = 6;
    g.SetNumberCols(3);
    g.SetNumberRows(4);
    EXPECT_EQ(s->m_nCurCol, 2);
    EXPECT_EQ(s->m_nCurRow, 3);
    EXPECT_LE(s->m_nTopRow, 3);
    EXPECT_EQ(s->m_nPrevCol, 2);   // the move update ran
    g.SetNumberCols(0);
    g.SetNumberRows(0);
    EXPECT_EQ(std::make_tuple(s->m_nCurCol, s->m_nLeftCol, s->m_nCurRow, s->m_nTopRow), std::make_tuple(0, 0, 0, 0));
}

TEST(GridCtrl, CellAccessOutsideIsRefusedWithAClearedCell)
{
    CGridCtrl g;
    g.SetNumberCols(2);
    g.SetNumberRows(3);
    CGridCell c;
    c.SetText("left over");
    c.SetCellType(6);
    EXPECT_FALSE(g.GetCell(2, 0, &c));
    EXPECT_TRUE(c.GetText().isEmpty());
    EXPECT_EQ(c.GetCellType(), -1);
    EXPECT_FALSE(g.GetCell(0, 3, &c));
    EXPECT_FALSE(g.GetCell(-2, 0, &c));
    EXPECT_FALSE(g.SetCell(0, 3, &c));
    EXPECT_FALSE(g.GetCellIndirect(2, 0, &c));
    EXPECT_FALSE(g.SetCellText(0, -2, "x"));
}

TEST(GridCtrl, ShownCellsLayTheStoredRecordOverTheDefaults)
{
    NotingGrid g;
    g.SetNumberCols(2);
    g.SetNumberRows(3);
    ASSERT_TRUE(g.SetCellText(1, 2, "v"));
    ASSERT_TRUE(g.SetCellAlignment(1, 2, GRID_ALIGN_RIGHT));

    CGridCell c;
    ASSERT_TRUE(g.GetCell(1, 2, &c));
    EXPECT_EQ(c.GetText(), "v");
    EXPECT_EQ(c.GetBorder(), -1);   // the stored record only
    ASSERT_TRUE(g.GetCellIndirect(1, 2, &c));
    EXPECT_EQ(c.GetText(), "v");
    EXPECT_EQ(c.GetAlignment(), GRID_ALIGN_RIGHT);
    EXPECT_EQ(c.GetBorder(), GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM);
    EXPECT_EQ(c.GetBackColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(c.m_crSelBack, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(c.GetReadOnly(), 0);
    EXPECT_EQ(c.GetDataType(), 0);

    // A changed column default shows under every cell of the column.
    g.GetColumnDefault(1)->SetTextColor(RGB(9, 9, 9));
    g.GetCellIndirect(1, 0, &c);
    EXPECT_EQ(c.GetTextColor(), RGB(9, 9, 9));
    g.GetCellIndirect(0, 0, &c);
    EXPECT_EQ(c.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(c.GetBackColor(), RGB(1, 2, 3));   // the owner's OnGetCell
    g.GetCell(0, 0, &c);
    EXPECT_EQ(c.GetBackColor(), GRID_COLOR_UNSET);
}

TEST(GridCtrl, HeadingsAndCorner)
{
    NotingGrid g;
    g.SetNumberCols(2);
    g.SetNumberRows(2);
    ASSERT_TRUE(g.SetCellText(1, -1, "B"));
    ASSERT_TRUE(g.SetCellText(-1, 1, "2"));
    ASSERT_TRUE(g.SetCellText(-1, -1, "corner"));
    EXPECT_EQ(textOf(g, 1, -1), "B");
    EXPECT_EQ(textOf(g, -1, 1), "2");
    EXPECT_EQ(textOf(g, -1, -1), "corner");
    EXPECT_EQ(textOf(g, 0, -1), "");

    CGridCell c;
    g.GetCellIndirect(1, -1, &c);
    EXPECT_EQ(c.GetBorder(), GRID_BORDER_RAISED);
    EXPECT_EQ(c.GetAlignment(), GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
    EXPECT_EQ(c.GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(c.GetTextColor(), RGB(0, 0, 0));
    g.GetCellIndirect(-1, 1, &c);
    EXPECT_EQ(c.GetBorder(), GRID_BORDER_RAISED);
    // Row headings live with the data; column headings and the corner in the grid.
    EXPECT_TRUE(static_cast<CGridMemDataSource*>(g.GetDataSource())->HasRecord(-1, 1));
    EXPECT_FALSE(static_cast<CGridMemDataSource*>(g.GetDataSource())->HasRecord(1, -1));
    // New columns take a copy of the corner record as their heading.
    g.SetNumberCols(3);
    EXPECT_EQ(textOf(g, 2, -1), "corner");
}

TEST(GridCtrl, SetCellTellsTheOwnerFirst)
{
    NotingGrid g;
    g.SetNumberCols(1);
    g.SetNumberRows(1);
    g.SetCellText(0, 0, "shout");
    EXPECT_EQ(textOf(g, 0, 0), "SHOUT");
    const std::vector<std::pair<int, int>> expected = {{0, 0}};
    EXPECT_EQ(g.setCells, expected);
    g.SetCellText(5, 5, "no");
    EXPECT_EQ(g.setCells.size(), 1u);
}

TEST(GridCtrl, JoinedBlockPointsAtItsOrigin)
{
    CGridCtrl g;
    g.SetNumberCols(5);
    g.SetNumberRows(5);
    EXPECT_FALSE(g.JoinCells(2, 1, 1, 3));
    EXPECT_FALSE(g.JoinCells(1, 1, 5, 3));
    EXPECT_FALSE(g.JoinCells(-1, 1, 2, 3));
    ASSERT_TRUE(g.JoinCells(1, 1, 3, 2));
    CGridCell c;
    int joined, origin, col, row;
    g.GetCellIndirect(1, 1, &c);
    c.GetJoinInfo(&joined, &origin, &col, &row);
    EXPECT_EQ(std::make_tuple(joined, origin, col, row), std::make_tuple(1, 1, 3, 2));
    g.GetCellIndirect(3, 2, &c);
    c.GetJoinInfo(&joined, &origin, &col, &row);
    EXPECT_EQ(std::make_tuple(joined, origin, col, row), std::make_tuple(1, 0, 1, 1));
    g.GetCellIndirect(4, 2, &c);
    EXPECT_EQ(c.m_bJoined, 0);
}

TEST(GridCtrl, BestFitTakesTheWidestTextPlusSix)
{
    CGridCtrl g;
    g.SetNumberCols(2);
    g.SetNumberRows(3);
    g.SetCellText(0, -1, "heading");
    g.SetCellText(0, 1, "the longest text of the column");
    g.SetCellText(1, 2, "a much, much longer text in another column");
    ASSERT_TRUE(g.BestFit(0));
    CDC dc;
    int w = 0;
    g.GetColWidth(0, &w);
    EXPECT_EQ(w, dc.GetTextExtent("the longest text of the column").cx + 6);
    EXPECT_FALSE(g.BestFit(2));
}

TEST(GridCtrl, ColumnsWidenOnScreenToTheirWidestTexts)
{
    CGridCtrl g;
    CGridButtonCellType button;
    g.AddCellType(&button);
    g.SetNumberCols(5);
    g.SetNumberRows(3);
    g.SetSideHeadingWidth(20);
    for (int col = 0; col < 5; ++col)
        g.SetColWidth(col, 40);
    g.SetColWidth(2, 0);
    g.SetColWidth(3, 400);
    g.SetCellText(-1, 1, QStringLiteral("570材相当部材質量"));
    g.SetCellText(0, -1, QStringLiteral("大型材片質量(Kg)"));
    g.SetCellText(1, 2, QStringLiteral("570材相当品による影響割増"));
    g.SetCellText(2, 1, QStringLiteral("見えない列の長い文字列"));
    g.SetCellText(3, 1, QStringLiteral("短い"));
    g.SetCellText(4, 1, QStringLiteral("小型材片質量(Kg)"));
    g.SetCellType(4, 1, GRID_CT_BUTTON);
    g.JoinCells(0, 0, 1, 0);
    g.SetCellText(0, 0, QStringLiteral("主桁と横桁と縦桁と対傾構と横構の質量の合計"));
    ASSERT_EQ(gridchecks::CutTexts(g).size(), 5);

    g.WidenColumnsToTexts();
    EXPECT_TRUE(gridchecks::CutTexts(g).isEmpty()) << gridchecks::CutTexts(g).join(QStringLiteral(" / ")).toStdString();
    int width = -1;
    g.GetColWidth(2, &width);
    EXPECT_EQ(width, 0) << "a hidden column stays hidden";
    g.GetColWidth(3, &width);
    EXPECT_EQ(width, 400) << "a wide enough column keeps its width";
    // Once wide enough, a column stays as it is.
    std::vector<int> widths(5);
    for (int col = 0; col < 5; ++col)
        g.GetColWidth(col, &widths[size_t(col)]);
    g.WidenColumnsToTexts();
    for (int col = 0; col < 5; ++col) {
        g.GetColWidth(col, &width);
        EXPECT_EQ(width, widths[size_t(col)]) << col;
    }
}

TEST(GridCtrl, CellTypesAreFoundById)
{
    CGridCtrl g;
    for (int id : {1, 2, 4, 5, 6, 8})
        EXPECT_EQ(g.GetCellTypeById(id)->GetId(), id);
    EXPECT_EQ(g.GetCellTypeById(0)->GetId(), 0);
    EXPECT_EQ(g.GetCellTypeById(-1)->GetId(), 0);
    EXPECT_EQ(g.GetCellTypeById(7)->GetId(), 0);
    EXPECT_EQ(g.GetCellTypeById(1000)->GetId(), 0);

    CGridButtonCellType button;
    EXPECT_EQ(g.AddCellType(&button), 1000);
    EXPECT_EQ(g.GetCellTypeById(1000), &button);
    EXPECT_EQ(button.GetGrid(), &g);
    EXPECT_TRUE(g.GetCellTypeById(6)->IsEditable());
    EXPECT_FALSE(g.GetCellTypeById(1)->IsEditable());
    EXPECT_FALSE(g.GetCellTypeById(5)->IsEditable());
    g.SetCellTypeEditable(6, FALSE);
    EXPECT_FALSE(g.GetCellTypeById(6)->IsEditable());
}

TEST(GridCtrl, PopupMenuItemsAndSeparators)
{
    CGridCtrl g;
    EXPECT_EQ(g.GetSettings()->m_bPopupMenu, 0);
    g.EnablePopupMenu(TRUE);
    EXPECT_EQ(g.GetSettings()->m_bPopupMenu, 1);
    EXPECT_TRUE(g.AddMenuItem(1000, "cut"));
    EXPECT_TRUE(g.AddMenuItem(0, ""));
    EXPECT_TRUE(g.AddMenuItem(1001, "copy"));
    CMenu* m = g.GetPopupMenu();
    ASSERT_EQ(m->GetMenuItemCount(), 3);
    EXPECT_EQ(m->GetMenuItemID(0), 1000u);
    EXPECT_TRUE(m->Items()[1].flags & MF_SEPARATOR);
    EXPECT_EQ(m->GetMenuString(1001, MF_BYCOMMAND), "copy");
    g.EmptyMenu();
    EXPECT_EQ(m->GetMenuItemCount(), 0);

    // Tracking hands the chosen item to the owner as a command.
    g.AddMenuItem(1002, "paste");
    AfxSetPopupMenuHook([](const CMenu& menu) { return menu.GetMenuItemID(0); });
    EXPECT_EQ(m->TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, 0, 0, nullptr), 1002);
    AfxSetPopupMenuHook({});
}

// ---------------------------------------------------------------- windows and layout

namespace {
struct Window {
    NotingGrid grid;
    explicit Window(int width, int height, int cols = 0, int rows = 0)
    {
        EXPECT_TRUE(grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 100));
        grid.SetNumberCols(cols);
        grid.SetNumberRows(rows);
    }
    CRect Place(CWnd& w)
    {
        CRect r;
        w.GetWindowRect(&r);
        CPoint tl = r.TopLeft();
        grid.ScreenToClient(&tl);
        return CRect(tl, r.Size());
    }
};
} // namespace

TEST(GridWindow, CreationMakesTheChildrenAndRunsSetupOnce)
{
    Window w(400, 300, 3, 5);
    EXPECT_EQ(w.grid.setups, 1);
    EXPECT_EQ(w.grid.GetDlgCtrlID(), 100u);
    for (UINT id = GRID_ID_AREA; id <= GRID_ID_HINT; ++id)
        EXPECT_NE(w.grid.GetDlgItem(int(id)), nullptr) << id;
    EXPECT_FALSE(w.grid.m_hint.IsWindowVisible());
}

TEST(GridWindow, AGridMadeInAShownParentShowsAsItsStyleSays)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(nullptr, CRect(0, 0, 400, 300), 0));
    parent.ShowWindow(SW_SHOW);
    CGridCtrl shown, hidden;
    ASSERT_TRUE(shown.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
    ASSERT_TRUE(hidden.CreateGrid(WS_CHILD, CRect(0, 0, 100, 100), &parent, 2));
    EXPECT_TRUE(shown.IsWindowVisible());
    EXPECT_FALSE(hidden.IsWindowVisible());
}

TEST(GridWindow, LayoutPlacesTheChildrenAroundTheArea)
{
    // Everything fits: neither bar is shown and the area takes their room.
    Window w(400, 300, 3, 5);
    const CGridSettings* s = w.grid.GetSettings();
    EXPECT_EQ(s->m_bHScrollShown, 0);
    EXPECT_EQ(s->m_bVScrollShown, 0);
    EXPECT_EQ(w.Place(w.grid.m_area), CRect(50, 20, 400, 300));
    EXPECT_EQ(w.Place(w.grid.m_topHeading), CRect(50, 0, 400, 20));
    EXPECT_EQ(w.Place(w.grid.m_sideHeading), CRect(0, 20, 50, 300));
    EXPECT_EQ(w.Place(w.grid.m_corner), CRect(0, 0, 50, 20));

    ASSERT_TRUE(w.grid.SetTopHeadingHeight(0));
    EXPECT_FALSE(w.grid.SetTopHeadingHeight(-1));
    EXPECT_FALSE(w.grid.SetSideHeadingWidth(-1));
    EXPECT_EQ(w.Place(w.grid.m_area), CRect(50, 0, 400, 300));
}

TEST(GridWindow, ColumnsThatDoNotFitShowTheBar)
{
    // Area 400 - 50 - bar: five columns of 100 leave the last left column at 2 or 3.
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    Window w(50 + 250 + bar, 300, 5, 5);
    const CGridSettings* s = w.grid.GetSettings();
    EXPECT_EQ(s->m_nLastLeftCol, 3);
    EXPECT_EQ(s->m_bHScrollShown, 1);
    EXPECT_EQ(w.Place(w.grid.m_hScroll), CRect(0, 300 - s->m_nHScrollHeight, 50 + 250 + bar, 300));

    // Rows: area height 300 - 20 - bar height; 20 rows of 20 pixels.
    w.grid.SetNumberRows(20);
    const int area = 300 - 20 - s->m_nHScrollHeight;
    EXPECT_EQ(s->m_nLastTopRow, 20 - area / 20);
    EXPECT_EQ(s->m_bVScrollShown, 1);

    // A column wider than the area alone: the last column is the last left column.
    w.grid.SetNumberCols(2);
    w.grid.SetColWidth(1, 1000);
    EXPECT_EQ(s->m_nLastLeftCol, 1);
    w.grid.SetNumberCols(0);
    EXPECT_EQ(s->m_nLastLeftCol, 0);
    EXPECT_EQ(s->m_bHScrollShown, 0);
}

TEST(GridWindow, FitColumnsFillsTheAreaExactly)
{
    Window w(301, 200, 2, 2);
    w.grid.SetSideHeadingWidth(0);
    ASSERT_EQ(w.grid.GetSettings()->m_nAreaWidth, 301);
    ASSERT_TRUE(w.grid.FitColumnsToWidth(0, 1));
    int a = 0, b = 0;
    w.grid.GetColWidth(0, &a);
    w.grid.GetColWidth(1, &b);
    EXPECT_EQ(a, 150);
    EXPECT_EQ(b, 151);
    // With no vertical bar taking room, the next layout keeps the fit without a horizontal bar.
    ASSERT_TRUE(w.grid.SetTopHeadingHeight(24));
    EXPECT_EQ(w.grid.GetSettings()->m_bHScrollShown, 0);
    EXPECT_EQ(w.grid.GetSettings()->m_nAreaWidth, 301);
    EXPECT_FALSE(w.grid.FitColumnsToWidth(1, 0));
    EXPECT_FALSE(w.grid.FitColumnsToWidth(0, 2));
    // Columns of no width give the whole area to the last one.
    w.grid.SetColWidth(0, 0);
    w.grid.SetColWidth(1, 0);
    ASSERT_TRUE(w.grid.FitColumnsToWidth(0, 1));
    w.grid.GetColWidth(1, &b);
    EXPECT_EQ(b, 301);
}

TEST(GridWindow, AttachTakesOverADialogControl)
{
    TestResources res({DialogTemplate{4100, "表", "ＭＳ ゴシック", 9, 0, 0,
                                      {ControlTemplate{CtlKind::Custom, 1001, "", 0, 0, 1, 1, 0, 0, 200, 100}}}});
    CDialog dlg(4100);
    ASSERT_TRUE(dlg.Create(4100));
    NotingGrid grid;
    EXPECT_FALSE(grid.AttachGrid(1002, &dlg));
    EXPECT_EQ(grid.setups, 0);
    ASSERT_TRUE(grid.AttachGrid(1001, &dlg));
    EXPECT_EQ(grid.setups, 1);
    EXPECT_EQ(dlg.GetDlgItem(1001), &grid);
    EXPECT_NE(grid.GetDlgItem(GRID_ID_AREA), nullptr);
    ASSERT_NE(grid.GetDefFont(), nullptr);   // the dialog's font until the owner sets one
    EXPECT_EQ(grid.GetDefFont()->LogFont().lfFaceName, "ＭＳ ゴシック");
    dlg.DestroyWindow();
}
