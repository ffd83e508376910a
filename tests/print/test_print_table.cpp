// The ruled table of the printed pages, as the recording DC sees it drawn.
#include <gtest/gtest.h>

#include "framework/dc.h"
#include "framework/gdi.h"
#include "views/print_table.h"

#include <vector>

namespace {

const int kRows3[] = {100, 100, 100};
const int kCols2[] = {300, 500};

// A DC in the printed pages' units with a font of the report's size.
struct PageDC {
    CDC dc;
    CFont font;
    PageDC()
    {
        dc.SetMapMode(MM_LOMETRIC);
        font.CreateFont(32, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
        dc.SelectObject(&font);
    }
    std::vector<CDC::Record> Ops(const char* op) const
    {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String(op))
                out.push_back(r);
        return out;
    }
};

}

TEST(PrintTable, SumsItsSizesAndPlacesItsCellsDownwards)
{
    const CPrintTable t(200, -300, 3, 2, kRows3, kCols2);
    EXPECT_EQ(t.GetTotalWidth(), 800);
    EXPECT_EQ(t.GetTotalHeight(), 300);
    EXPECT_EQ(t.GetCellOrigin(1, 1), CPoint(500, -400));
    EXPECT_EQ(t.GetCellSize(1, 1), CSize(500, -100));
    // The far edges are cells too; sizes beyond the limits are not taken.
    EXPECT_EQ(t.GetCellOrigin(3, 2), CPoint(1000, -600));
    std::vector<int> sizes(80, 10);
    const CPrintTable big(0, 0, 80, 80, sizes.data(), sizes.data());
    EXPECT_EQ(big.m_nRows, CPrintTable::MAX_ROWS);
    EXPECT_EQ(big.GetTotalWidth(), 10 * CPrintTable::MAX_COLS);
}

TEST(PrintTable, RulesEveryRowAndColumnAndFramesTheWhole)
{
    PageDC p;
    CPrintTable t(200, -300, 3, 2, kRows3, kCols2);
    t.DrawTable(&p.dc, FALSE);
    const auto lines = p.Ops("LineTo");
    ASSERT_EQ(lines.size(), 5u);
    const std::vector<std::vector<int>> expected = {{200, -300, 1000, -300}, {200, -400, 1000, -400},
                                                    {200, -500, 1000, -500}, {200, -300, 200, -600},
                                                    {500, -300, 500, -600}};
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].args, expected[i]) << i;
    const auto frames = p.Ops("Rectangle");
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].args, (std::vector<int>{200, -300, 1000, -600}));
    EXPECT_EQ(frames[0].brushStyle, UINT(BS_HOLLOW));
    // The hollow brush stays for what the page draws next.
    EXPECT_TRUE(p.dc.GetCurrentBrush()->IsNull());
}

TEST(PrintTable, ShadedHeadingsAreFilledBeforeTheRules)
{
    PageDC p;
    CPrintTable t(200, -300, 3, 2, kRows3, kCols2);
    t.DrawTable(&p.dc, TRUE);
    const auto& records = p.dc.Records();
    struct Fill {
        std::vector<int> rect;
        COLORREF colour;
    };
    const Fill fills[] = {{{200, -300, 500, -400}, RGB(128, 192, 192)},
                          {{500, -300, 1000, -400}, RGB(192, 255, 192)},
                          {{200, -400, 500, -500}, RGB(192, 255, 255)},
                          {{200, -500, 500, -600}, RGB(192, 255, 255)}};
    ASSERT_GE(records.size(), 4u);
    for (size_t i = 0; i < std::size(fills); ++i) {
        EXPECT_EQ(records[i].op, QStringLiteral("Rectangle"));
        EXPECT_EQ(records[i].args, fills[i].rect) << i;
        EXPECT_EQ(records[i].brushColor, fills[i].colour) << i;
        EXPECT_EQ(records[i].brushStyle, UINT(BS_SOLID));
        EXPECT_EQ(records[i].penColor, RGB(0, 0, 0));
    }
    EXPECT_EQ(records[4].op, QStringLiteral("LineTo"));
}

TEST(PrintTable, TextsSitAtTheirInsetsAndCentresTruncate)
{
    PageDC p;
    CPrintTable t(200, -300, 3, 2, kRows3, kCols2);
    const QString text = QStringLiteral("断面");
    const CSize e = p.dc.GetTextExtent(text);
    t.DrawTextLeftMiddle(&p.dc, 1, 1, text);
    t.DrawTextRightMiddle(&p.dc, 1, 1, text);
    t.DrawTextCentreMiddle(&p.dc, 1, 1, text);
    t.DrawTextCentreTop(&p.dc, 1, 1, text);
    t.DrawTextCentreBottom(&p.dc, 1, 1, text);
    const auto texts = p.Ops("TextOut");
    ASSERT_EQ(texts.size(), 5u);
    const int middle = -400 - (100 - e.cy) / 2;
    EXPECT_EQ(texts[0].args, (std::vector<int>{530, middle}));
    EXPECT_EQ(texts[1].args, (std::vector<int>{1000 - e.cx - 40, middle}));
    EXPECT_EQ(texts[2].args, (std::vector<int>{500 + (500 - e.cx) / 2, middle}));
    EXPECT_EQ(texts[3].args, (std::vector<int>{500 + (500 - e.cx) / 2, -420}));
    // A bottom text ends 20 above the cell's lower edge.
    EXPECT_EQ(texts[4].args, (std::vector<int>{500 + (500 - e.cx) / 2, -500 + e.cy + 20}));
    EXPECT_EQ(p.dc.GetBkMode(), TRANSPARENT);
    // A centred text wider than its cell overhangs both sides by half the excess.
    const QString wide = QStringLiteral("孔引による引張σ増加率孔引による引張σ増加率");
    const int w = p.dc.GetTextExtent(wide).cx;
    ASSERT_GT(w, 500);
    t.DrawTextCentreMiddle(&p.dc, 1, 1, wide);
    EXPECT_EQ(p.Ops("TextOut").back().args[0], 500 + (500 - w) / 2);
}

TEST(PrintTable, ThickRulesRunOverTheWholeTable)
{
    PageDC p;
    CPrintTable t(200, -300, 3, 2, kRows3, kCols2);
    t.DrawColumnRule(&p.dc, 1, 5);
    t.DrawRowRuleTop(&p.dc, 1, 3);
    t.DrawRowRuleBottom(&p.dc, 2, 3);
    const auto lines = p.Ops("LineTo");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{500, -300, 500, -600}));
    EXPECT_EQ(lines[0].penWidth, 5);
    EXPECT_EQ(lines[1].args, (std::vector<int>{200, -400, 1000, -400}));
    // The last row's bottom rule lies on the table's bottom edge.
    EXPECT_EQ(lines[2].args, (std::vector<int>{200, -600, 1000, -600}));
    EXPECT_EQ(lines[2].penWidth, 3);
    // The caller's pen is back.
    EXPECT_EQ(p.dc.GetCurrentPen()->GetWidth(), 0);
}

TEST(PrintTable, JoinedSubTableSharesItsAreaByWeight)
{
    const int rows[] = {100, 60};
    const int cols[] = {300, 500};
    const CPrintTable parent(200, -300, 2, 2, rows, cols);
    const int ones[] = {1, 1, 1};
    const int weights[] = {1, 3};
    // To the right: cells (0, 0) and (0, 1) together, 800 wide and 100 high.
    const CPrintTable right(parent, 0, 0, 3, 2, ones, weights, 4);
    EXPECT_EQ(right.m_ptOrigin, CPoint(200, -300));
    EXPECT_EQ(right.GetTotalWidth(), 800);
    EXPECT_EQ(right.GetTotalHeight(), 100);
    EXPECT_EQ(right.m_anRowHeight[0], 33);
    EXPECT_EQ(right.m_anRowHeight[2], 33);
    EXPECT_EQ(right.m_anColWidth[0], 200);
    EXPECT_EQ(right.m_anColWidth[1], 600);
    // Its frame still spans the whole area.
    PageDC p;
    CPrintTable drawn = right;
    drawn.DrawTable(&p.dc, FALSE);
    EXPECT_EQ(p.Ops("Rectangle")[0].args, (std::vector<int>{200, -300, 1000, -400}));

    const CPrintTable above(parent, 1, 1, 1, 1, ones, ones, 2);
    EXPECT_EQ(above.m_ptOrigin, CPoint(500, -300));
    EXPECT_EQ(above.GetTotalHeight(), 160);
    const CPrintTable below(parent, 0, 1, 1, 1, ones, ones, 6);
    EXPECT_EQ(below.m_ptOrigin, CPoint(500, -300));
    EXPECT_EQ(below.GetTotalHeight(), 160);
    const CPrintTable left(parent, 1, 1, 1, 1, ones, ones, 8);
    EXPECT_EQ(left.m_ptOrigin, CPoint(200, -400));
    EXPECT_EQ(left.GetTotalWidth(), 800);
    // Weights of nothing give empty cells.
    const int zeros[] = {0, 0};
    const CPrintTable none(parent, 1, 0, 2, 2, zeros, zeros, 4);
    EXPECT_EQ(none.m_anRowHeight[0], 0);
    EXPECT_EQ(none.m_anColWidth[1], 0);
}
