// The cell area's mouse and painting, the headings and their sizing, the corner, the scroll
// bars and the hint window.
#include <gtest/gtest.h>
#include <QScrollBar>
#include <QWheelEvent>

#include "framework/dc.h"
#include "framework/menu.h"
#include "grid/gridctrl.h"
#include "grid_ui.h"

using namespace gridui;

namespace {

// Logs the mouse notifications of the area, the headings and the corner.
class MouseGrid : public CGridCtrl {
public:
    QStringList log;
    BOOL allowSizeCol = TRUE;
    QString hintText;
    int hintRow = -1, hintPercent = -1;
    void OnCellLeftClick(int col, int row, int updn, CRect*, CPoint*, int processed) override
    {
        log << QStringLiteral("left %1 %2 %3 %4").arg(col).arg(row).arg(updn).arg(processed);
    }
    void OnCellRightClick(int col, int row, int updn, CRect*, CPoint*, int processed) override
    {
        log << QStringLiteral("right %1 %2 %3 %4").arg(col).arg(row).arg(updn).arg(processed);
    }
    void OnCellDoubleClick(int col, int row, CRect*, CPoint*, int processed) override
    {
        log << QStringLiteral("double %1 %2 %3").arg(col).arg(row).arg(processed);
    }
    void OnTopHeadingClick(int col, int updn) override { log << QStringLiteral("top %1 %2").arg(col).arg(updn); }
    void OnSideHeadingClick(int row, int updn) override { log << QStringLiteral("side %1 %2").arg(row).arg(updn); }
    BOOL OnMenuStart(int col, int row, int section) override
    {
        log << QStringLiteral("menu %1 %2 %3").arg(col).arg(row).arg(section);
        EmptyMenu();
        AddMenuItem(1234, "item");
        return TRUE;
    }
    BOOL OnMenuCommand(int col, int row, int section, int item) override
    {
        log << QStringLiteral("command %1 %2 %3 %4").arg(col).arg(row).arg(section).arg(item);
        return TRUE;
    }
    BOOL OnCanSizeColumn(int) override { return allowSizeCol; }
    void OnColumnSized(int, int* width) override { log << QStringLiteral("sized %1").arg(*width); }
    BOOL OnVScrollHint(int row, int percent, CGridHint* hint) override
    {
        hintRow = row;
        hintPercent = percent;
        hint->SetText(hintText);
        return TRUE;
    }
};

// Chooses the first item of every popup menu, and says which menu it saw.
struct MenuChooser {
    std::vector<UINT> seen;
    MenuChooser()
    {
        AfxSetPopupMenuHook([this](const CMenu& m) {
            seen.push_back(m.GetMenuItemCount() > 0 ? m.GetMenuItemID(0) : 0);
            return m.GetMenuItemCount() > 0 ? m.GetMenuItemID(0) : 0u;
        });
    }
    ~MenuChooser() { AfxSetPopupMenuHook(nullptr); }
};

// Drags with the left button held from one point of a window to another.
void Drag(QWidget* w, QPoint from, QPoint to)
{
    Mouse(w, QEvent::MouseButtonPress, from);
    Mouse(w, QEvent::MouseMove, to, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, to);
}

} // namespace

// ---------------------------------------------------------------- the cell area

TEST(GridArea, ClicksOnAndOffTheCells)
{
    Hosted<MouseGrid> h(3, 3);
    MouseGrid& g = h.grid;
    g.EnablePopupMenu(TRUE);
    MenuChooser menus;
    Click(h.Area(), h.At(1, 2));
    EXPECT_EQ(g.log, (QStringList{"left 1 2 1 2", "left 1 2 0 2"}));
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(1, 2));
    g.log.clear();
    const QPoint empty(390, 200);   // right of the last column, below the last row
    Mouse(h.Area(), QEvent::MouseButtonDblClick, empty);
    Click(h.Area(), empty, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(g.log, (QStringList{"double -1 -1 2", "right -1 -1 1 2", "menu -1 -1 1", "command -1 -1 1 1234",
                                  "right -1 -1 0 2"}));
    EXPECT_EQ(std::make_pair(g.GetCurrentCol(), g.GetCurrentRow()), std::make_pair(1, 2));
}

TEST(GridArea, AnEmptyGridPaintsItsBackgroundAndIgnoresTheMouse)
{
    Hosted<MouseGrid> h(0, 0);
    MouseGrid& g = h.grid;
    Mouse(h.Area(), QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
    const QImage picture = h.Area()->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    const QColor back = QColor(GetRValue(GetSysColor(COLOR_WINDOW)), GetGValue(GetSysColor(COLOR_WINDOW)),
                               GetBValue(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(picture.pixelColor(5, 5), back);
    EXPECT_EQ(picture.pixelColor(picture.width() - 3, picture.height() - 3), back);
    EXPECT_TRUE(g.log.isEmpty());
}

TEST(GridArea, HoldingTheButtonBelowTheAreaScrollsARowAStep)
{
    Hosted<MouseGrid> h(3, 40);
    MouseGrid& g = h.grid;
    CGridArea& area = g.m_area;
    g.SetMultiSelectMode(TRUE);
    Mouse(h.Area(), QEvent::MouseButtonPress, h.At(0, 3));
    const QPoint below(20, h.Area()->height() + 30);
    Mouse(h.Area(), QEvent::MouseMove, below, Qt::LeftButton);
    const int first = g.GetCurrentRow();
    EXPECT_EQ(first, 4);                         // one row at once
    area.SendMessage(WM_TIMER, GRID_TIMER_DRAGSCROLL);
    area.SendMessage(WM_TIMER, GRID_TIMER_DRAGSCROLL);
    EXPECT_EQ(g.GetCurrentRow(), 6);             // and one per step
    EXPECT_TRUE(g.GetMultiSelect()->IsSelected(0, 5));
    Mouse(h.Area(), QEvent::MouseButtonRelease, below);
    area.SendMessage(WM_TIMER, GRID_TIMER_DRAGSCROLL);
    EXPECT_EQ(g.GetCurrentRow(), 6);             // released: no more steps
    // Mode 1 moves by the distance in rows.
    g.GetSettings()->m_nDragScrollMode = 1;
    Mouse(h.Area(), QEvent::MouseButtonPress, h.At(0, 6));
    Mouse(h.Area(), QEvent::MouseMove, QPoint(20, h.Area()->height() + 3 * 20 + 5), Qt::LeftButton);
    EXPECT_EQ(g.GetCurrentRow(), 9);
    Mouse(h.Area(), QEvent::MouseButtonRelease, below);
}

TEST(GridArea, ManyRowsArePlacedByTheirOneHeight)
{
    Hosted<MouseGrid> h(3, 64000);
    MouseGrid& g = h.grid;
    ASSERT_EQ(g.GetSettings()->m_bUniformRowHeight, 1);
    ASSERT_EQ(g.SetTopRow(1000), 1);
    ASSERT_TRUE(g.SetColWidth(1, 0));   // hidden: no point lies in it
    CRect r;
    ASSERT_TRUE(g.GetCellRect(2, 1003, &r));
    EXPECT_EQ(r, CRect(100, 60, 200, 80));
    ASSERT_TRUE(g.GetCellRect(0, 998, &r));
    EXPECT_EQ(r, CRect(0, -40, 100, -20));
    int col = 0, row = 0;
    EXPECT_TRUE(g.GetCellFromPoint(100, 79, &col, &row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 1003));
    EXPECT_FALSE(g.GetCellFromPoint(150, -1, &col, &row));
    ASSERT_TRUE(g.SetDefRowHeight(25));
    ASSERT_TRUE(g.GetCellRect(2, 1003, &r));
    EXPECT_EQ(r, CRect(100, 75, 200, 100));
}

TEST(GridArea, OnlyTheCellsThatChangedArePainted)
{
    Hosted<MouseGrid> h(4, 8);
    MouseGrid& g = h.grid;
    h.Area()->repaint();
    EXPECT_EQ(g.m_area.m_nCellsDrawn, 32);
    g.GotoCell(1, 1);
    QApplication::processEvents();
    EXPECT_EQ(g.m_area.m_nCellsDrawn, 2);        // the old and the new current cell
    // A joined block that starts above the view is drawn once, whole.
    g.SetNumberRows(30);
    g.JoinCells(0, 2, 1, 6);
    g.SetTopRow(4);
    CDC dc;
    dc.SetRecording(true);
    g.m_area.QueueRange(0, 4, 3, 5);
    g.m_area.DrawListedCells(&dc);
    EXPECT_EQ(g.m_area.m_nCellsDrawn, 2 * 2 + 1);
    int fills = 0;
    for (const CDC::Record& r : dc.Records())
        if (r.op == "ExtTextOut" && r.args.size() >= 7 && r.args[3] == 0 && r.args[4] == -40 && r.args[5] == 199
            && r.args[6] == 59)
            ++fills;
    EXPECT_EQ(fills, 1);                         // from two rows above the view, inside its border
}

TEST(GridArea, DoubleBufferingPaintsTheSamePicture)
{
    Hosted<MouseGrid> h(3, 5);
    MouseGrid& g = h.grid;
    for (int r = 0; r < 5; ++r)
        g.SetCellText(1, r, QStringLiteral("R%1").arg(r));
    const QImage plain = h.Area()->grab().toImage();
    ASSERT_TRUE(g.m_area.SetDoubleBuffer(1));
    const QImage buffered = h.Area()->grab().toImage();
    EXPECT_EQ(plain, buffered);
    EXPECT_TRUE(g.m_area.SetDoubleBuffer(0));
}

// ---------------------------------------------------------------- headings

TEST(GridHeadings, TheSizingZoneReachesFourPixelsEachSide)
{
    Hosted<MouseGrid> h(6, 4);
    MouseGrid& g = h.grid;
    CGridTopHeading& top = g.m_topHeading;
    QWidget* w = top.GetWidget();
    Mouse(w, QEvent::MouseMove, QPoint(104, 5), Qt::NoButton);
    EXPECT_TRUE(top.m_bInZone);
    EXPECT_EQ(top.m_nSizeIndex, 0);
    Mouse(w, QEvent::MouseMove, QPoint(105, 5), Qt::NoButton);
    EXPECT_FALSE(top.m_bInZone);
    Mouse(w, QEvent::MouseMove, QPoint(196, 5), Qt::NoButton);
    EXPECT_TRUE(top.m_bInZone);
    EXPECT_EQ(top.m_nSizeIndex, 1);
    // Dragging the boundary sizes the column; the owner hears the final width.
    Mouse(w, QEvent::MouseButtonPress, QPoint(196, 5));
    Mouse(w, QEvent::MouseMove, QPoint(236, 5), Qt::LeftButton);
    EXPECT_EQ(g.GetSettings()->ColWidth(1), 140);
    Mouse(w, QEvent::MouseButtonRelease, QPoint(236, 5));
    EXPECT_TRUE(g.log.contains("sized 140"));
    int width = 0;
    g.GetColWidth(1, &width);
    EXPECT_EQ(width, 140);
    // A refused column does not size.
    g.allowSizeCol = FALSE;
    Mouse(w, QEvent::MouseMove, QPoint(100, 5), Qt::NoButton);
    EXPECT_FALSE(top.m_bInZone);
    // Outside a zone a press is a click on the heading.
    g.log.clear();
    Click(w, QPoint(50, 5));
    Click(w, QPoint(2000, 5));
    EXPECT_EQ(g.log, (QStringList{"top 0 1", "top 0 0", "top -1 1", "top -1 0"}));
}

TEST(GridHeadings, AHiddenColumnReopensFromItsBoundary)
{
    Hosted<MouseGrid> h(6, 4);
    MouseGrid& g = h.grid;
    g.SetColWidth(4, 0);
    QWidget* w = g.m_topHeading.GetWidget();
    Mouse(w, QEvent::MouseMove, QPoint(400, 5), Qt::NoButton);
    EXPECT_EQ(g.m_topHeading.m_nSizeIndex, 4);
    Drag(w, QPoint(400, 5), QPoint(430, 5));
    int width = -1;
    g.GetColWidth(4, &width);
    EXPECT_EQ(width, 30);
    g.GetColWidth(3, &width);
    EXPECT_EQ(width, 100);
}

TEST(GridHeadings, ManyRowsAllTakeTheDraggedHeight)
{
    Hosted<MouseGrid> h(3, 64000);
    MouseGrid& g = h.grid;
    ASSERT_EQ(g.SetTopRow(1000), 1);
    // The rows down to the dragged boundary share the mouse's y.
    QWidget* side = g.m_sideHeading.GetWidget();
    Mouse(side, QEvent::MouseMove, QPoint(10, 40), Qt::NoButton);
    ASSERT_TRUE(g.m_sideHeading.m_bInZone);
    EXPECT_EQ(g.m_sideHeading.m_nSizeIndex, 1001);
    Drag(side, QPoint(10, 40), QPoint(10, 61));
    int height = 0;
    g.GetRowHeight(5, &height);
    EXPECT_EQ(height, 30);
    CRect r;
    ASSERT_TRUE(g.GetCellRect(2, 1003, &r));
    EXPECT_EQ(r, CRect(200, 90, 300, 120));
    int col = 0, row = 0;
    EXPECT_TRUE(g.GetCellFromPoint(200, 89, &col, &row));
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 1002));
}

TEST(GridHeadings, RowsSizeAndMenusNameTheirHeading)
{
    Hosted<MouseGrid> h(3, 6);
    MouseGrid& g = h.grid;
    g.EnablePopupMenu(TRUE);
    MenuChooser menus;
    QWidget* side = g.m_sideHeading.GetWidget();
    Mouse(side, QEvent::MouseMove, QPoint(10, 40), Qt::NoButton);
    ASSERT_TRUE(g.m_sideHeading.m_bInZone);
    EXPECT_EQ(g.m_sideHeading.m_nSizeIndex, 1);
    Drag(side, QPoint(10, 40), QPoint(10, 52));
    int height = 0;
    g.GetRowHeight(1, &height);
    EXPECT_EQ(height, 32);
    g.log.clear();
    Mouse(side, QEvent::MouseMove, QPoint(10, 70), Qt::NoButton);
    Click(side, QPoint(10, 70), Qt::NoModifier, Qt::RightButton);
    Click(g.m_topHeading.GetWidget(), QPoint(150, 5), Qt::NoModifier, Qt::RightButton);
    EXPECT_TRUE(g.log.contains("menu -1 2 3"));
    EXPECT_TRUE(g.log.contains("command -1 2 3 1234"));
    EXPECT_TRUE(g.log.contains("menu 1 -1 2"));
    EXPECT_TRUE(g.log.contains("command 1 -1 2 1234"));
}

// ---------------------------------------------------------------- corner

TEST(GridCorner, DraggingTheBottomEdgeToTheTopHidesTheColumnHeadings)
{
    Hosted<MouseGrid> h(3, 6);
    MouseGrid& g = h.grid;
    QWidget* corner = g.m_corner.GetWidget();
    Mouse(corner, QEvent::MouseMove, QPoint(20, 18), Qt::NoButton);
    EXPECT_TRUE(g.m_corner.m_bSizeHeight);
    EXPECT_FALSE(g.m_corner.m_bSizeWidth);
    Mouse(corner, QEvent::MouseButtonPress, QPoint(20, 18));
    Mouse(corner, QEvent::MouseMove, QPoint(20, 31), Qt::LeftButton);
    EXPECT_EQ(g.GetSettings()->m_nTopHeadingHeight, 31);    // it follows every move
    Mouse(corner, QEvent::MouseMove, QPoint(20, 0), Qt::LeftButton);
    Mouse(corner, QEvent::MouseButtonRelease, QPoint(20, 0));
    EXPECT_EQ(g.GetSettings()->m_nTopHeadingHeight, 0);
    EXPECT_EQ(g.m_topHeading.GetWidget()->height(), 0);
    EXPECT_EQ(g.m_area.GetWidget()->y(), 0);
    // The corner of both edges sizes both strips; a click elsewhere is a click.
    g.SetTopHeadingHeight(20);
    Mouse(corner, QEvent::MouseMove, QPoint(45, 15), Qt::NoButton);
    EXPECT_TRUE(g.m_corner.m_bSizeHeight && g.m_corner.m_bSizeWidth);
    Mouse(corner, QEvent::MouseMove, QPoint(10, 5), Qt::NoButton);
    EXPECT_FALSE(g.m_corner.m_bCursorShown);
}

// ---------------------------------------------------------------- scroll bars

TEST(GridScrollBars, FiftyThousandRowsScaleTheBarToAThousand)
{
    Hosted<MouseGrid> h(3, 50000, CRect(0, 0, 300, 240));
    MouseGrid& g = h.grid;
    g.SetColWidth(0, 400);
    const int lastTop = g.GetSettings()->m_nLastTopRow;
    ASSERT_LT(lastTop, 49999);
    int lo = -1, hi = -1;
    g.m_vScroll.GetScrollRange(&lo, &hi);
    EXPECT_EQ(std::make_pair(lo, hi), std::make_pair(0, 1000));
    g.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (500 << 16), 0);
    EXPECT_EQ(g.GetSettings()->m_nTopRow, 25000);
    EXPECT_EQ(g.m_vScroll.GetScrollPos(), 500);
    g.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (1000 << 16), 0);
    EXPECT_EQ(g.GetSettings()->m_nTopRow, lastTop);
    g.SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(g.GetSettings()->m_nTopRow, 0);
    EXPECT_EQ(g.GetCurrentRow(), 0);             // scrolling leaves the current cell
}

TEST(GridScrollBars, OnePositionPerTopRowAndAThumbDragChangesNothing)
{
    // 100 rows, ten of them in the area.
    Hosted<MouseGrid> h(3, 100, CRect(0, 0, 300, 20 + 200 + GetSystemMetrics(SM_CYHSCROLL)));
    MouseGrid& g = h.grid;
    g.SetColWidth(0, 400);
    CGridSettings* s = g.GetSettings();
    ASSERT_EQ(s->m_nLastTopRow, 90);
    SCROLLINFO si;
    g.m_vScroll.GetScrollInfo(&si);
    EXPECT_EQ(si.nMax, 99);
    EXPECT_EQ(si.nPage, 10u);
    EXPECT_EQ(g.m_vScroll.GetMaxPos(), 90);
    auto* bar = qobject_cast<QScrollBar*>(g.m_vScroll.GetWidget());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 90);
    g.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(s->m_nTopRow, 10);
    EXPECT_EQ(bar->value(), 10);
    g.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(s->m_nTopRow, 9);
    // Without hint and tracking a drag shows nothing and moves nothing until the release.
    g.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (40 << 16), 0);
    EXPECT_EQ(s->m_nTopRow, 9);
    EXPECT_FALSE(g.m_hint.IsWindowVisible());
    s->m_bVScrollHint = 1;
    g.hintText = "row";
    g.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (45 << 16), 0);
    EXPECT_TRUE(g.m_hint.IsWindowVisible());
    EXPECT_EQ(g.hintRow, 45);
    EXPECT_EQ(g.hintPercent, 49);                // 45 of 91 possible top rows
    EXPECT_EQ(s->m_nTopRow, 9);
    s->m_bVThumbTrack = 1;
    g.SendMessage(WM_VSCROLL, SB_THUMBTRACK | (50 << 16), 0);
    EXPECT_EQ(s->m_nTopRow, 50);
    g.SendMessage(WM_VSCROLL, SB_THUMBPOSITION | (60 << 16), 0);
    EXPECT_EQ(s->m_nTopRow, 60);
    EXPECT_FALSE(g.m_hint.IsWindowVisible());
    // The bar itself: its arrow and a dragged thumb ask the grid, which places the bar.
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s->m_nTopRow, 61);
    EXPECT_EQ(bar->value(), 61);
    s->m_bVScrollHint = 0;
    s->m_bVThumbTrack = 0;
    bar->setSliderDown(true);
    bar->setSliderPosition(30);
    EXPECT_EQ(s->m_nTopRow, 61);
    bar->setSliderDown(false);
    EXPECT_EQ(s->m_nTopRow, 30);
    EXPECT_EQ(bar->value(), 30);
    // The wheel over the cells scrolls three rows a notch.
    QWheelEvent wheel(QPointF(10, 10), QPointF(h.Area()->mapToGlobal(QPoint(10, 10))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.Area(), &wheel);
    EXPECT_EQ(s->m_nTopRow, 33);
    // The horizontal bar: one position per possible left column.
    g.SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(s->m_nLeftCol, s->m_nLastLeftCol);
    EXPECT_EQ(g.m_hScroll.GetScrollPos(), s->m_nLastLeftCol);
}

TEST(GridHint, StaysInsideTheGrid)
{
    CGridHint hint;
    hint.SetText("1234");
    hint.SetAlignment(GRID_ALIGN_VCENTER | GRID_ALIGN_RIGHT);
    const CRect grid(0, 0, 300, 200);
    CRect r = hint.Place(290, 100, 80, grid);
    EXPECT_EQ(r.right, 290);                     // ends at x
    EXPECT_EQ(r.Width(), 80);
    EXPECT_EQ(r.top + r.Height() / 2, 100);
    r = hint.Place(40, 5, 80, grid);             // would start left of and above the grid
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    hint.SetAlignment(GRID_ALIGN_BOTTOM | GRID_ALIGN_CENTER);
    r = hint.Place(295, 150, 80, grid);
    EXPECT_EQ(r.right, 300);                     // moved left by the overflow
    EXPECT_EQ(r.bottom, 150);
    hint.SetText(QString(60, u'W'));
    r = hint.Place(150, 150, 80, grid);
    EXPECT_GT(r.Width(), 80);                    // a long text widens it
}
