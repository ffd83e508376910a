// Cell types: how they draw (recorded calls and pixels) and how they answer events.
#include <gtest/gtest.h>

#include "framework/dc.h"
#include "framework/wndextras.h"
#include "grid/gridctrl.h"

#include <QImage>
#include <QPainter>

namespace {

using Note = std::array<long, 5>;   // type id, column, row, code, parameter

class TypeGrid : public CGridCtrl {
public:
    std::vector<Note> notes;
    TypeGrid()
    {
        SetNumberCols(3);
        SetNumberRows(3);
    }
    void OnCellTypeNotify(long id, int col, int row, long msg, LPARAM param) override
    {
        notes.push_back({id, col, row, msg, long(param)});
    }
    double Value(int col, int row)
    {
        CGridCell c;
        GetCell(col, row, &c);
        return c.GetValue();
    }
};

// A white image with a painting DC on it.
struct Canvas {
    QImage image;
    QPainter painter;
    CDC dc;
    Canvas(int w, int h) : image(w, h, QImage::Format_RGB32), painter((image.fill(Qt::white), &image)), dc(&painter) {}
    COLORREF At(int x, int y) const
    {
        const QRgb p = image.pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }
};

CGridCell cellWith(CGridCtrl& g, int type, int style, double value, const QString& caption = QString())
{
    CGridCell c = *g.GetDefaultCell();
    c.SetCellType(type);
    c.SetCellTypeEx(style);
    c.m_dValue = value;
    c.SetChoiceList(caption);
    return c;
}

int count(const CDC& dc, const QString& op)
{
    return int(std::count_if(dc.Records().begin(), dc.Records().end(), [&](const CDC::Record& r) { return r.op == op; }));
}

const CDC::Record* find(const CDC& dc, const QString& op, const QString& text = QString())
{
    for (const CDC::Record& r : dc.Records())
        if (r.op == op && (text.isNull() || r.text == text))
            return &r;
    return nullptr;
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCellBack = RGB(255, 255, 200);

} // namespace

// ---------------------------------------------------------------- normal type

TEST(NormalCellType, AlignmentFlagsAndWordWrap)
{
    CGridCtrl g;
    CGridCellType* normal = g.GetCellTypeById(0);
    CGridCell c = cellWith(g, 0, 0, 0);
    c.SetText("abc");
    auto format = [&](short align, int style) {
        CDC dc;
        dc.SetRecording(true);
        c.SetAlignment(align);
        c.SetCellTypeEx(style);
        CRect r(0, 0, 100, 20);
        normal->Draw(&dc, &r, &c, 0, 0);
        EXPECT_EQ(r, CRect(0, 0, 100, 20));   // handed back as it came
        const CDC::Record* t = find(dc, "DrawText", "abc");
        EXPECT_TRUE(t);
        EXPECT_EQ(std::vector<int>(t->args.begin(), t->args.begin() + 4), (std::vector<int>{3, 1, 97, 19}));
        return UINT(t->args[4]);
    };
    EXPECT_TRUE(format(GRID_ALIGN_CENTER | GRID_ALIGN_RIGHT, 0) & DT_CENTER);
    EXPECT_FALSE(format(GRID_ALIGN_CENTER | GRID_ALIGN_RIGHT, 0) & DT_RIGHT);
    EXPECT_TRUE(format(GRID_ALIGN_RIGHT, 0) & DT_RIGHT);
    EXPECT_TRUE(format(GRID_ALIGN_VCENTER | GRID_ALIGN_BOTTOM, 0) & DT_VCENTER);
    EXPECT_FALSE(format(GRID_ALIGN_VCENTER | GRID_ALIGN_BOTTOM, 0) & DT_BOTTOM);
    EXPECT_TRUE(format(GRID_ALIGN_BOTTOM, 0) & DT_BOTTOM);
    const UINT wrapped = format(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER, GRID_STYLE_WORDWRAP);
    EXPECT_TRUE(wrapped & DT_WORDBREAK);
    EXPECT_FALSE(wrapped & (DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

TEST(NormalCellType, SmallCellsShowNoTextAndStyleIsMadeValid)
{
    CGridCtrl g;
    CGridCellType* normal = g.GetCellTypeById(0);
    CGridCell c = cellWith(g, 0, -1, 0);
    c.SetText("abc");
    for (CRect r : {CRect(0, 0, 12, 20), CRect(0, 0, 100, 4)}) {
        CDC dc;
        dc.SetRecording(true);
        normal->Draw(&dc, &r, &c, 0, 0);
        EXPECT_EQ(count(dc, "DrawText"), 0);
        EXPECT_EQ(count(dc, "ExtTextOut"), 1);   // the background is still filled
    }
    EXPECT_EQ(c.GetCellTypeEx(), 0);
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 13, 5);
    normal->Draw(&dc, &r, &c, 0, 0);
    EXPECT_EQ(count(dc, "DrawText"), 1);
}

TEST(NormalCellType, SelectedOrHighlightedCurrentCellsUseSelectionColours)
{
    CGridCtrl g;
    CGridCellType* normal = g.GetCellTypeById(0);
    CGridCell c = cellWith(g, 0, 0, 0);
    auto back = [&](int selected, int current) {
        CDC dc;
        dc.SetRecording(true);
        CRect r(0, 0, 50, 20);
        normal->Draw(&dc, &r, &c, selected, current);
        return find(dc, "ExtTextOut")->bkColor;
    };
    EXPECT_EQ(back(1, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(back(0, 1), GetSysColor(COLOR_WINDOW));
    g.GetSettings()->m_nCurrentCellMode |= GRID_CURRENT_HIGHLIGHT;
    EXPECT_EQ(back(0, 1), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(NormalCellType, EllipsisOnlyWhenTheTextIsTooWide)
{
    CGridCtrl g;
    CGridCellType* normal = g.GetCellTypeById(0);
    CGridCell c = cellWith(g, 0, GRID_STYLE_ELLIPSIS, 0);
    c.SetText("ab");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 200, 20);
    normal->Draw(&dc, &r, &c, 0, 0);
    EXPECT_FALSE(find(dc, "DrawText", "..."));

    c.SetText("a text that is much wider than the cell it is in");
    dc.ClearRecords();
    r = CRect(0, 0, 80, 20);
    normal->Draw(&dc, &r, &c, 0, 0);
    const CDC::Record* dots = find(dc, "DrawText", "...");
    ASSERT_TRUE(dots);
    const int width = dc.GetTextExtent("...").cx;
    EXPECT_EQ(dots->args[0], 77 - width);
    EXPECT_EQ(dots->args[2], 77);
    const CDC::Record* text = find(dc, "DrawText", c.GetText());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->args[2], 77 - width - 1);
}

TEST(NormalCellType, BitmapsShrinkKeepingTheirShapeOrStayAsTheyAre)
{
    CGridCtrl g;
    CGridCellType* normal = g.GetCellTypeById(0);
    CDC screen;
    CBitmap big, small;
    big.CreateCompatibleBitmap(&screen, 40, 20);
    small.CreateCompatibleBitmap(&screen, 8, 6);
    big.GetImage()->fill(Qt::white);
    small.GetImage()->fill(Qt::white);
    small.GetImage()->setPixel(4, 3, qRgb(0, 0, 0));

    CDC dc;
    dc.SetRecording(true);
    CRect r(10, 0, 110, 20);   // 96 x 16 available
    EXPECT_EQ(normal->DrawBitmap(&dc, &big, &r, kCellBack), 32 + 4);
    const CDC::Record* s = find(dc, "StretchBlt");
    ASSERT_TRUE(s);
    EXPECT_EQ(std::vector<int>(s->args.begin(), s->args.begin() + 4), (std::vector<int>{12, 2 + (20 - 16) / 2, 32, 16}));

    dc.ClearRecords();
    EXPECT_EQ(normal->DrawBitmap(&dc, &small, &r, kCellBack), 8 + 4);
    const CDC::Record* b = find(dc, "BitBlt");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->args[0], 12);
    EXPECT_EQ(b->args[2], 8);
    // The bitmap's background took the cell colour; the dot did not.
    EXPECT_EQ(small.GetImage()->pixel(0, 0), qRgb(255, 255, 200));
    EXPECT_EQ(small.GetImage()->pixel(4, 3), qRgb(0, 0, 0));

    // Drawn with a cell, the text moves right by the width used.
    CGridCell c = cellWith(g, 0, 0, 0);
    c.SetText("x");
    c.SetBitmap(&small);
    dc.ClearRecords();
    normal->Draw(&dc, &r, &c, 0, 0);
    EXPECT_EQ(find(dc, "DrawText", "x")->args[0], 10 + 12 + 3);
}

TEST(NormalCellType, PrintingScalesTheFontByTheRowHeight)
{
    CGridCtrl g;
    CFont font;
    font.CreateFont(12, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック");
    g.SetDefFont(&font);
    CGridCell c = cellWith(g, 0, 0, 0);
    c.SetText("p");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 300, 60);
    g.GetCellTypeById(0)->Print(&dc, &r, &c, 100, 20);
    const CDC::Record* t = find(dc, "DrawText", "p");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->fontHeight, 36);
    EXPECT_EQ(t->fontWeight, FW_BOLD);
    EXPECT_EQ(t->fontFace, "ＭＳ ゴシック");
    EXPECT_EQ(c.GetFont(), nullptr);   // the cell has its own font back
    // A row of no height on screen prints at the screen size.
    dc.ClearRecords();
    g.GetCellTypeById(0)->Print(&dc, &r, &c, 100, 0);
    EXPECT_EQ(find(dc, "DrawText", "p")->fontHeight, 12);
}

TEST(CellBorders, InsetsAddUpPerEdge)
{
    CGridCtrl g;
    CRect r(0, 0, 100, 20);
    g.AdjustCellRect(&r, GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM);
    EXPECT_EQ(r, CRect(0, 0, 99, 19));
    r = CRect(0, 0, 100, 20);
    g.AdjustCellRect(&r, GRID_BORDER_RAISED);
    EXPECT_EQ(r, CRect(1, 1, 99, 19));
    r = CRect(0, 0, 100, 20);
    g.AdjustCellRect(&r, GRID_BORDER_LEFT2 | GRID_BORDER_BOTTOM3 | GRID_BORDER_BOTTOM);
    EXPECT_EQ(r, CRect(2, 0, 100, 16));

    Canvas cv(10, 10);
    CRect cell(0, 0, 10, 10);
    g.DrawBorder(&cv.dc, &cell, GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM);
    EXPECT_EQ(cell, CRect(0, 0, 9, 9));
    EXPECT_EQ(cv.At(9, 0), kBlack);
    EXPECT_EQ(cv.At(0, 9), kBlack);
    EXPECT_EQ(cv.At(8, 8), RGB(255, 255, 255));
    cell = CRect(0, 0, 10, 10);
    g.DrawBorder(&cv.dc, &cell, GRID_BORDER_RAISED);
    EXPECT_EQ(cv.At(0, 0), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(cv.At(9, 5), GetSysColor(COLOR_3DSHADOW));
}

// ---------------------------------------------------------------- check box

TEST(CheckBoxCellType, BoxSideFollowsTheCell)
{
    EXPECT_EQ(CGridCheckBoxCellType::BoxSide(100, 14), 8);
    EXPECT_EQ(CGridCheckBoxCellType::BoxSide(100, 30), 12);
    EXPECT_EQ(CGridCheckBoxCellType::BoxSide(11, 30), 5);
}

TEST(CheckBoxCellType, NarrowCellShowsNoMarkAndNoCaption)
{
    CGridCtrl g;
    CGridCellType* check = g.GetCellTypeById(1);
    CGridCell c = cellWith(g, 1, 0, 1, "cap");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 11, 20);
    check->Draw(&dc, &r, &c, 0, 0);
    EXPECT_EQ(count(dc, "LineTo"), 0);
    EXPECT_EQ(count(dc, "DrawText"), 0);

    dc.ClearRecords();
    r = CRect(0, 0, 60, 20);
    check->Draw(&dc, &r, &c, 0, 0);
    EXPECT_GT(count(dc, "LineTo"), 4);
    const CDC::Record* caption = find(dc, "DrawText", "cap");
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->args[0], 6 + 12 + 3);
}

TEST(CheckBoxCellType, CrossMarkPixels)
{
    CGridCtrl g;
    CGridCell c = cellWith(g, 1, 0, 1);
    c.SetBackColor(kCellBack);
    Canvas cv(40, 20);
    CRect r(0, 0, 40, 20);
    g.GetCellTypeById(1)->Draw(&cv.dc, &r, &c, 0, 0);
    // Box side 12 at (3, 4): frame from x 3 to 15 and y 4 to 16, both inclusive.
    for (auto [x, y] : {std::pair{3, 4}, {15, 4}, {3, 16}, {15, 16}, {9, 4}, {3, 10}})
        EXPECT_EQ(cv.At(x, y), kBlack) << x << "," << y;
    EXPECT_EQ(cv.At(2, 10), kCellBack);
    EXPECT_EQ(cv.At(16, 10), kCellBack);
    // The cross runs from (5, 6) to (13, 14); its end points are left out.
    for (auto [x, y] : {std::pair{5, 6}, {13, 14}, {9, 10}, {5, 14}, {13, 6}, {6, 6}, {5, 7}})
        EXPECT_EQ(cv.At(x, y), kBlack) << x << "," << y;
    for (auto [x, y] : {std::pair{4, 5}, {14, 15}, {14, 5}, {4, 15}, {9, 5}})
        EXPECT_EQ(cv.At(x, y), GetSysColor(COLOR_WINDOW)) << x << "," << y;
}

TEST(CheckBoxCellType, TickMarkInASunkenBox)
{
    CGridCtrl g;
    CGridCell c = cellWith(g, 1, GRID_CHECK_SUNKEN | GRID_CHECK_TICK, 1);
    c.SetBackColor(kCellBack);
    Canvas cv(40, 20);
    CRect r(0, 0, 40, 20);
    g.GetCellTypeById(1)->Draw(&cv.dc, &r, &c, 0, 0);
    EXPECT_EQ(cv.At(3, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(cv.At(4, 10), kBlack);
    EXPECT_EQ(cv.At(15, 10), RGB(0xE1, 0xE1, 0xE1));
    EXPECT_EQ(cv.At(14, 10), GetSysColor(COLOR_BTNFACE));
    // Inner corner (5, 6, 14, 15): the tick bends at (9, 13) and reaches past the box.
    for (auto [x, y] : {std::pair{7, 11}, {8, 12}, {9, 13}, {12, 10}, {16, 6}, {17, 6}, {7, 9}, {9, 11}})
        EXPECT_EQ(cv.At(x, y), kBlack) << x << "," << y;
    EXPECT_EQ(cv.At(17, 5), kCellBack);
    EXPECT_EQ(cv.At(18, 5), kCellBack);
    EXPECT_EQ(cv.At(6, 7), GetSysColor(COLOR_WINDOW));

    // No mark for a value of 0 or less.
    c.m_dValue = -1;
    g.GetCellTypeById(1)->Draw(&cv.dc, &r, &c, 0, 0);
    EXPECT_EQ(cv.At(9, 13), GetSysColor(COLOR_WINDOW));
}

TEST(CheckBoxCellType, ClickInTheBoxTogglesAndNotifies)
{
    TypeGrid g;
    CGridCellType* check = g.GetCellTypeById(1);
    CRect r(0, 20, 80, 40);
    CPoint inBox(3 + 12, 24);
    CPoint beside(30, 30);
    EXPECT_EQ(check->OnLeftClick(1, 2, 1, &r, &beside), GRID_TYPE_DONE);
    EXPECT_TRUE(g.notes.empty());
    EXPECT_EQ(check->OnLeftClick(1, 2, 1, &r, &inBox), GRID_TYPE_HANDLED);
    EXPECT_DOUBLE_EQ(g.Value(1, 2), 1);
    CGridCell c;
    g.GetCell(1, 2, &c);
    EXPECT_EQ(c.GetText(), "1.00");
    ASSERT_EQ(g.notes.size(), 1u);
    EXPECT_EQ(g.notes[0], (Note{1, 1, 2, 1, 1}));
    EXPECT_EQ(check->OnLeftClick(1, 2, 0, &r, &inBox), GRID_TYPE_DONE);
    EXPECT_EQ(check->OnDoubleClick(1, 2, &r, &inBox), GRID_TYPE_HANDLED);
    EXPECT_DOUBLE_EQ(g.Value(1, 2), 0);
    EXPECT_EQ(g.notes.back(), (Note{1, 1, 2, 1, 0}));

    // Any value that is not 0 turns into 0.
    c.SetNumber(-1);
    g.SetCell(0, 0, &c);
    check->OnLeftClick(0, 0, 1, &r, &inBox);
    EXPECT_DOUBLE_EQ(g.Value(0, 0), 0);
}

TEST(CheckBoxCellType, SpaceBarTogglesWithTheSameNotification)
{
    TypeGrid g;
    g.GetSettings()->m_nCurCol = 2;
    g.GetSettings()->m_nCurRow = 1;
    CGridCellType* check = g.GetCellTypeById(1);
    UINT key = VK_SPACE;
    EXPECT_EQ(check->OnKeyDown(&key), GRID_TYPE_HANDLED);
    EXPECT_DOUBLE_EQ(g.Value(2, 1), 1);
    ASSERT_EQ(g.notes.size(), 1u);
    EXPECT_EQ(g.notes[0], (Note{1, 2, 1, 1, 1}));
    key = 'A';
    EXPECT_EQ(check->OnKeyDown(&key), GRID_TYPE_DONE);
    EXPECT_EQ(g.notes.size(), 1u);
}

// ---------------------------------------------------------------- spin, button, drop list

TEST(SpinCellType, OnePressOneNotification)
{
    TypeGrid g;
    CGridCellType* spin = g.GetCellTypeById(6);
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    CRect r(0, 0, 100, 20);
    CPoint up(99, 3), down(99, 15), text(10, 10);
    EXPECT_EQ(spin->OnLeftClick(1, 1, 1, &r, &text), GRID_TYPE_DONE);
    EXPECT_EQ(spin->OnLeftClick(1, 1, 0, &r, &text), GRID_TYPE_DONE);
    EXPECT_EQ(spin->OnLeftClick(1, 1, 1, &r, &up), GRID_TYPE_HANDLED);
    CPoint out(10, 3);
    spin->OnMouseMove(&out, 1);
    spin->OnMouseMove(&up, 1);
    EXPECT_EQ(spin->OnLeftClick(1, 1, 0, &r, &up), GRID_TYPE_HANDLED);
    CPoint edge(100 - bw, 15);   // the button starts right of this
    EXPECT_EQ(spin->OnLeftClick(1, 1, 1, &r, &edge), GRID_TYPE_DONE);
    EXPECT_EQ(spin->OnDoubleClick(1, 1, &r, &down), GRID_TYPE_HANDLED);
    const std::vector<Note> expected = {{6, 1, 1, 16, 0}, {6, 1, 1, 17, 0}};
    EXPECT_EQ(g.notes, expected);

    CRect edit(0, 0, 100, 20);
    spin->GetEditRect(&edit);
    EXPECT_EQ(edit.right, 100 - bw - 1);
}

TEST(SpinCellType, ButtonsAndTriangles)
{
    CGridCtrl g;
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    CGridCell c = cellWith(g, 6, 0, 0);
    c.SetText("1.5");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 100, 20);
    g.GetCellTypeById(6)->Draw(&dc, &r, &c, 0, 0);
    const int x = 100 - bw / 2 - 2;
    auto hasLine = [&](std::vector<int> args) {
        return std::any_of(dc.Records().begin(), dc.Records().end(),
                           [&](const CDC::Record& rec) { return rec.op == "LineTo" && rec.args == args; });
    };
    EXPECT_TRUE(hasLine({x, 6, x + 5, 6}));          // up: base at top + h/4 + 1
    EXPECT_TRUE(hasLine({x + 2, 4, x + 3, 4}));      // its point above
    EXPECT_TRUE(hasLine({x, 14, x + 5, 14}));        // down: base at top + h/2 + h/4 - 1
    EXPECT_TRUE(hasLine({x + 2, 16, x + 3, 16}));
    EXPECT_TRUE(hasLine({100 - bw - 1, 0, 100 - bw - 1, 20}));   // separator
    const CDC::Record* text = find(dc, "DrawText", "1.5");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->args[2], 100 - bw - 1 - 3);
}

TEST(ButtonCellType, ClickOnlyWhenReleasedOnThePressedButton)
{
    TypeGrid g;
    CGridButtonCellType button;
    g.AddCellType(&button);
    CRect r(0, 0, 80, 20);
    CPoint in(40, 10), outside(120, 10);
    EXPECT_EQ(button.OnLeftClick(0, 1, 1, &r, &in), GRID_TYPE_HANDLED);
    EXPECT_EQ(button.OnMouseMove(&outside, 1), GRID_TYPE_DONE);
    EXPECT_EQ(button.OnLeftClick(0, 1, 0, &r, &outside), GRID_TYPE_HANDLED);
    std::vector<Note> expected = {{1000, 0, 1, 2, 0}, {1000, 0, 1, 3, 0}};
    EXPECT_EQ(g.notes, expected);

    g.notes.clear();
    button.OnLeftClick(0, 1, 1, &r, &in);
    button.OnMouseMove(&outside, 1);
    button.OnMouseMove(&in, 1);
    button.OnLeftClick(0, 1, 0, &r, &in);
    expected = {{1000, 0, 1, 2, 0}, {1000, 0, 1, 3, 0}, {1000, 0, 1, 1, 0}};
    EXPECT_EQ(g.notes, expected);

    g.notes.clear();
    g.GetSettings()->m_nCurCol = 2;
    g.GetSettings()->m_nCurRow = 2;
    UINT key = VK_RETURN;
    EXPECT_EQ(button.OnKeyDown(&key), GRID_TYPE_HANDLED);
    key = VK_LEFT;
    EXPECT_EQ(button.OnKeyDown(&key), GRID_TYPE_HANDLED);
    expected = {{1000, 2, 2, 1, 0}};
    EXPECT_EQ(g.notes, expected);
}

TEST(ButtonCellType, DrawsRaisedAndHidesTheFocusFrameWithStyle16)
{
    CGridCtrl g;
    CGridButtonCellType button;
    g.AddCellType(&button);
    CGridCell c = cellWith(g, 1000, 16, 0);
    c.SetText("OK");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 60, 20);
    button.Draw(&dc, &r, &c, 0, 1);
    const CDC::Record* frame = find(dc, "Draw3dRect");
    ASSERT_TRUE(frame);
    EXPECT_EQ(COLORREF(frame->args[4]), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(find(dc, "DrawText", "OK")->args[0], 1 + 3);
    EXPECT_TRUE(r.IsRectEmpty());
    CRect edit(0, 0, 60, 20);
    button.GetEditRect(&edit);
    EXPECT_EQ(edit, CRect(1, 1, 59, 19));
}

TEST(DropListCellType, ChoicesAreThePiecesANewlineEnds)
{
    EXPECT_EQ(CGridDropListCellType::Choices("a\nb\nc"), (QStringList{"a", "b", "c"}));   // the last choice needs no line break
    EXPECT_EQ(CGridDropListCellType::Choices("a\nb\nc\n"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(CGridDropListCellType::Choices("\n\n"), (QStringList{"", ""}));
    EXPECT_TRUE(CGridDropListCellType::Choices("").isEmpty());

    TypeGrid g;
    auto* list = static_cast<CGridDropListCellType*>(g.GetCellTypeById(2));
    const int bw = GetSystemMetrics(SM_CXVSCROLL);
    CRect edit(0, 0, 100, 20);
    list->GetEditRect(&edit);
    EXPECT_EQ(edit.right, 100 - bw - 1);
    UINT key = VK_RETURN;
    EXPECT_EQ(list->OnKeyDown(&key), GRID_TYPE_HANDLED);
    EXPECT_EQ(key, 0u);
    ASSERT_EQ(g.notes.size(), 1u);
    EXPECT_EQ(g.notes[0][3], 100);
    key = VK_LEFT;
    EXPECT_EQ(list->OnKeyDown(&key), GRID_TYPE_NOTHANDLED);
}

// ---------------------------------------------------------------- progress, fit font, arrow

TEST(ProgressCellType, LabelIsTheClampedPercentage)
{
    CGridCell c;
    int percent = -1;
    c.SetText("150");
    EXPECT_EQ(CGridProgressCellType::Label(c, &percent), "% 100");
    EXPECT_EQ(percent, 100);
    c.SetText("-5");
    EXPECT_EQ(CGridProgressCellType::Label(c, &percent), "% 0");
    c.SetText("42.9");
    EXPECT_EQ(CGridProgressCellType::Label(c, &percent), "% 42");
    c.SetCellTypeEx(1);
    c.SetChoiceList("halfway");
    EXPECT_EQ(CGridProgressCellType::Label(c), "halfway");

    CGridCtrl g;
    CGridCell cell = cellWith(g, 5, 0, 0);
    cell.SetText("25");
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 200, 20);
    g.GetCellTypeById(5)->Draw(&dc, &r, &cell, 0, 0);
    ASSERT_EQ(count(dc, "ExtTextOut"), 2);
    const CDC::Record& bar = *find(dc, "ExtTextOut");
    EXPECT_EQ(bar.text, "% 25");
    EXPECT_EQ(std::vector<int>(bar.args.begin() + 3, bar.args.end()), (std::vector<int>{0, 1, 50, 19}));
    EXPECT_EQ(bar.bkColor, GetSysColor(COLOR_HIGHLIGHT));
}

TEST(FitFontCellType, FitsTheWidthAndToleratesAnEmptyText)
{
    CGridCtrl g;
    CGridCellType* fit = g.GetCellTypeById(4);
    CGridCell c = cellWith(g, 4, 0, 0);
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 200, 60);
    EXPECT_TRUE(fit->Draw(&dc, &r, &c, 0, 0));   // empty: drawn as a normal cell
    EXPECT_EQ(count(dc, "DrawText"), 1);

    c.SetText("WIDE");
    dc.ClearRecords();
    fit->Draw(&dc, &r, &c, 0, 0);
    const CDC::Record* t = find(dc, "DrawText", "WIDE");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->fontWeight, 600);
    EXPECT_GT(t->fontHeight, 10);
    EXPECT_LE(t->fontHeight, 58);
    EXPECT_EQ(c.GetFont(), nullptr);

    // A narrow cell limits the height by the width.
    r = CRect(0, 0, 40, 60);
    dc.ClearRecords();
    fit->Draw(&dc, &r, &c, 0, 0);
    t = find(dc, "DrawText", "WIDE");
    ASSERT_TRUE(t);
    CFont f;
    f.CreateFont(t->fontHeight, 0, 0, 0, 600, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, t->fontFace);
    dc.SelectObject(&f);
    EXPECT_LE(dc.GetTextExtent("WIDE").cx, 34);
}

TEST(SortArrowCellType, TrianglesAreSevenStrokes)
{
    CGridCtrl g;
    CGridCellType* arrow = g.GetCellTypeById(8);
    CGridCell c = cellWith(g, 8, 0, 0);
    CDC dc;
    dc.SetRecording(true);
    CRect r(0, 0, 20, 20);
    arrow->Draw(&dc, &r, &c, 0, 0);
    ASSERT_EQ(count(dc, "LineTo"), 7);
    const CDC::Record* first = find(dc, "LineTo");
    EXPECT_EQ(first->args, (std::vector<int>{7, 6, 7, 14}));   // the broad side, 8 pixels
    EXPECT_EQ(first->penColor, GetSysColor(COLOR_WINDOWTEXT));

    c.SetCellTypeEx(GRID_ARROW_LEFT2);
    dc.ClearRecords();
    arrow->Draw(&dc, &r, &c, 0, 0);
    EXPECT_EQ(count(dc, "LineTo"), 14);
    EXPECT_EQ(find(dc, "LineTo")->args, (std::vector<int>{10, 6, 10, 14}));

    for (int style : {int(GRID_ARROW_LEFT2), 65}) {
        c.SetCellTypeEx(style);
        dc.ClearRecords();
        CRect narrow(0, 0, 11, 20);
        arrow->Draw(&dc, &narrow, &c, 0, 0);
        EXPECT_EQ(count(dc, "LineTo"), 0);
    }
}

// ---------------------------------------------------------------- drawn picture

TEST(DrawnCellType, OwnerDrawsInsideTheCellOnItsBackground)
{
    TypeGrid g;
    CGridDrawnCellType type;
    g.AddCellType(&type);
    EXPECT_FALSE(type.IsEditable());
    CRect seen;
    double value = 0.0;
    type.SetDrawFn([&](CDC* dc, const CRect& rect, const CGridCell& cell) {
        seen = rect;
        value = cell.GetValue();
        // Past the rectangle: the cell's clip holds it in.
        dc->FillSolidRect(CRect(0, 0, 60, 40), RGB(0, 0, 170));
    });
    Canvas canvas(60, 40);
    CGridCell c = cellWith(g, GRID_CT_DRAWN, 0, 154.0);
    c.SetBackColor(kCellBack);
    CRect r(10, 10, 50, 30);
    type.Draw(&canvas.dc, &r, &c, 1, 1);
    EXPECT_EQ(seen, CRect(12, 12, 48, 28));
    EXPECT_EQ(value, 154.0);
    EXPECT_EQ(canvas.At(30, 20), RGB(0, 0, 170));
    EXPECT_EQ(canvas.At(11, 11), kCellBack);   // the margin keeps the cell's own colour, selected or not
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(r, CRect(10, 10, 50, 30));
}
