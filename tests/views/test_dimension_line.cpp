// The dimension line on a recording device context: placement, labels, end marks and the
// sideways turn.
#include "views/dimension_line.h"
#include "views/label_layout.h"

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

std::vector<CDC::Record> Ops(const CDC& dc, const char* op)
{
    std::vector<CDC::Record> out;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String(op))
            out.push_back(r);
    return out;
}

struct DimensionLineTest : ::testing::Test {
    CDC dc;
    DimensionLineTest() { dc.SetMapMode(MM_LOMETRIC); }
};

TEST_F(DimensionLineTest, PlacesTheScaledLineAndLabelsItInMillimetres)
{
    CDimensionLine line(PS_SOLID, 1, RGB(255, 0, 0), 1);
    line.Draw(&dc, CDPoint(0, 0), CDPoint(12.5, 0), 100, -200, CDPoint(10, 10), 0);
    const auto lines = Ops(dc, "LineTo");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].args, (std::vector<int>{100, -200, 225, -200}));
    EXPECT_EQ(lines[0].penColor, RGB(255, 0, 0));
    // Marks on both ends, pointing inwards.
    EXPECT_EQ(lines[1].args, (std::vector<int>{111, -200, 113, -200}));
    EXPECT_EQ(lines[2].args, (std::vector<int>{214, -200, 212, -200}));
    EXPECT_EQ(lines[1].penWidth, 7);
    const auto texts = Ops(dc, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("12500"));
    EXPECT_EQ(texts[0].fontHeight, 36);
    EXPECT_EQ(texts[0].bkMode, TRANSPARENT);
    // Centred on the mid point (162, -200) before any offset.
    CFont& font = line.m_font;
    CFont* old = dc.SelectObject(&font);
    const CSize ext = dc.GetTextExtent(QStringLiteral("12500"));
    dc.SelectObject(old);
    EXPECT_EQ(texts[0].args[0], 162 - ext.cx / 2);
    EXPECT_EQ(texts[0].args[1], -200 + ext.cy / 2);

    dc.ClearRecords();
    line.Draw(&dc, CDPoint(0, 0), CDPoint(12.5, 0), 0, 0, CDPoint(1000, 1000), 0);
    EXPECT_EQ(Ops(dc, "TextOut")[0].text, QStringLiteral("12500"));
}

TEST_F(DimensionLineTest, LabelCodesMoveTheLabelAndOthersCentreIt)
{
    CDimensionLine line(PS_SOLID, 0, 0, 1);
    std::vector<std::vector<int>> at;
    for (int code : {0, 3, 7, 9}) {
        dc.ClearRecords();
        line.Draw(&dc, CDPoint(0, 0), CDPoint(1, 0), 0, 0, CDPoint(100, 100), code);
        at.push_back(Ops(dc, "TextOut")[0].args);
    }
    EXPECT_EQ(at[1][0] - at[0][0], 40);
    EXPECT_EQ(at[1][1] - at[0][1], 20);
    EXPECT_EQ(at[2][0] - at[0][0], -40);
    EXPECT_EQ(at[2][1] - at[0][1], -20);
    EXPECT_EQ(at[3], at[0]);
}

TEST_F(DimensionLineTest, MarksOnlyOnUprightOrLevelLinesAndStyleTwoOnTheSecondEnd)
{
    CDimensionLine both(PS_SOLID, 1, 0, 0);
    both.Draw(&dc, CDPoint(0, 0), CDPoint(1, 1), 0, 0, CDPoint(100, 100), 0);
    EXPECT_EQ(Ops(dc, "LineTo").size(), 1u);

    CDimensionLine arrow(PS_SOLID, 2, 0, 0);
    dc.ClearRecords();
    arrow.Draw(&dc, CDPoint(0, 0), CDPoint(0, 1), 0, 0, CDPoint(100, 100), 0);
    auto lines = Ops(dc, "LineTo");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].args, (std::vector<int>{0, 89, 0, 87}));
    EXPECT_EQ(lines[2].args, (std::vector<int>{0, 87, 0, 84}));
    EXPECT_EQ(lines[2].penWidth, 11);
    dc.ClearRecords();
    arrow.Draw(&dc, CDPoint(0, 1), CDPoint(0, 0), 0, 0, CDPoint(100, 100), 0);
    lines = Ops(dc, "LineTo");
    EXPECT_EQ(lines[1].args, (std::vector<int>{0, 11, 0, 13}));
}

TEST_F(DimensionLineTest, HidesZeroLabelsOnlyWhenAsked)
{
    CDimensionLine line(PS_SOLID, 0, 0, 1);
    line.Draw(&dc, CDPoint(0, 0), CDPoint(0.0004, 0), 0, 0, CDPoint(100, 100), 0);
    ASSERT_EQ(Ops(dc, "TextOut").size(), 1u);
    EXPECT_EQ(Ops(dc, "TextOut")[0].text, QStringLiteral("0"));
    line.SetHideZeroLabel(1);
    EXPECT_EQ(line.GetHideZeroLabel(), 1);
    dc.ClearRecords();
    line.Draw(&dc, CDPoint(0, 0), CDPoint(0.0004, 0), 0, 0, CDPoint(100, 100), 0);
    EXPECT_TRUE(Ops(dc, "TextOut").empty());
}

TEST_F(DimensionLineTest, LabelsRoundHalfMillimetresUp)
{
    EXPECT_EQ(CDimensionLine::LabelText(CDPoint(0, 0), CDPoint(0.0125, 0)), QStringLiteral("13"));
    EXPECT_EQ(CDimensionLine::LabelText(CDPoint(0, 0), CDPoint(0, -0.0125)), QStringLiteral("13"));
}

TEST_F(DimensionLineTest, TruncatesTowardsZero)
{
    CDimensionLine line;
    line.Draw(&dc, CDPoint(-1.27, 0), CDPoint(1.27, 0), 0, 0, CDPoint(10, 10), 0);
    EXPECT_EQ(Ops(dc, "LineTo")[0].args, (std::vector<int>{-12, 0, 12, 0}));
}

TEST_F(DimensionLineTest, TurnsByQuarterTurnsAndRefusesOtherAngles)
{
    CRect r;
    ASSERT_TRUE(CDimensionLine::RotateSegment(270, 100, -300, 0, 0, &r));
    EXPECT_EQ(r.TopLeft(), CPoint(-120, -2284));
    ASSERT_TRUE(CDimensionLine::RotateSegment(0, 100, -300, 0, 0, &r));
    EXPECT_EQ(r.TopLeft(), CPoint(-520, -2084));
    ASSERT_TRUE(CDimensionLine::RotateSegment(90, 100, -300, 0, 0, &r));
    EXPECT_EQ(r.TopLeft(), CPoint(-720, -2484));
    ASSERT_TRUE(CDimensionLine::RotateSegment(180, 100, -300, 0, 0, &r));
    EXPECT_EQ(r.TopLeft(), CPoint(-320, -2684));
    EXPECT_FALSE(CDimensionLine::RotateSegment(45, 100, -300, 0, 0, &r));

    CDimensionLine line(PS_SOLID, 1, 0, 1);
    line.DrawAngled(45, &dc, CDPoint(0, 0), CDPoint(1, 0), 0, 0, CDPoint(100, 100), 0);
    EXPECT_TRUE(dc.Records().empty() || Ops(dc, "LineTo").empty());
}

TEST_F(DimensionLineTest, TurnedLabelKeepsTheLabelFontAndTheBackgroundMode)
{
    CDimensionLine line(PS_SOLID, 1, 0, 1);
    dc.SetBkMode(OPAQUE);
    line.Draw(&dc, CDPoint(0, 0), CDPoint(1, 0), 0, 0, CDPoint(100, 100), 0);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    dc.SetBkMode(TRANSPARENT);
    dc.ClearRecords();
    line.DrawAngled(90, &dc, CDPoint(0, 0), CDPoint(1, 0), 0, 0, CDPoint(100, 100), 0);
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    const auto lines = Ops(dc, "LineTo");
    ASSERT_EQ(lines.size(), 3u);
    // (0, 0)-(100, 0) turned a quarter: (x, y) -> (y - 420, -x - 2384).
    EXPECT_EQ(lines[0].args, (std::vector<int>{-420, -2384, -420, -2484}));
    EXPECT_EQ(lines[1].args, (std::vector<int>{-420, -2395, -420, -2397}));
    const auto texts = Ops(dc, "TextOut");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("1000"));
    // The text turns with the line: a quarter and half round, reading along it.
    EXPECT_EQ(texts[0].escapement, 2700);
    EXPECT_EQ(texts[0].fontHeight, 36);
    EXPECT_EQ(texts[0].fontFace, QStringLiteral("ＭＳ 明朝"));

    // No turn still places the label on the sideways page with the line.
    dc.ClearRecords();
    line.DrawAngled(0, &dc, CDPoint(0, 0), CDPoint(1, 0), 0, 0, CDPoint(100, 100), 0);
    const auto upright = Ops(dc, "TextOut");
    ASSERT_EQ(upright.size(), 1u);
    EXPECT_LT(upright[0].args[1], -2000);
}

} // namespace

namespace {

// The label notes of a drawing of dimension lines drawn in a label room kept off its lines.
std::vector<LabelNote> LabelledNotes(CDC& dc, const std::function<void(CDC*)>& draw)
{
    DrawLabelled(&dc, [&](CDC* d, CPoint, CDPoint) { draw(d); }, CPoint(), CDPoint(1, 1));
    return LabelNotes(dc.Records());
}

}

// A label names its line: at its usual place the line's middle, moved along or beyond it the
// point of the line nearest to it. It keeps off a rectangle's edges as off lines, and a
// character's gap (half its height) from a text in its line.
TEST_F(DimensionLineTest, LabelsNameTheirLineAndKeepOffRectanglesAndOtherTexts)
{
    CDimensionLine line(PS_SOLID, 1, RGB(0, 0, 255), 1);
    auto notes = LabelledNotes(dc, [&](CDC* d) { line.Draw(d, CDPoint(0, 0), CDPoint(2000, 0), 0, -1000, CDPoint(1, 1), 2); });
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, LabelKind::Dimension);
    EXPECT_EQ(notes[0].place, 0);
    EXPECT_EQ(notes[0].anchor, CPoint(1000, -1000));

    // A slab's edge over the usual place: the label goes elsewhere, and names the line there.
    dc.ClearRecords();
    notes = LabelledNotes(dc, [&](CDC* d) {
        d->Rectangle(CRect(900, -990, 1100, -970));
        line.Draw(d, CDPoint(0, 0), CDPoint(2000, 0), 0, -1000, CDPoint(1, 1), 2);
    });
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_GT(notes[0].place, 0);
    EXPECT_EQ(notes[0].anchor.y, -1000);
    EXPECT_GE(notes[0].anchor.x, 0);
    EXPECT_LE(notes[0].anchor.x, 2000);
    EXPECT_LE(std::abs(notes[0].cell.CenterPoint().x - notes[0].anchor.x), notes[0].cell.Width());
    const CRect& cell = notes[0].cell;
    EXPECT_FALSE(cell.left < 1100 && cell.right > 900 && cell.top < -970 && cell.bottom > -990);

    // Two short lines end to end: their labels stand a character apart, or not in one line.
    dc.ClearRecords();
    notes = LabelledNotes(dc, [&](CDC* d) {
        line.Draw(d, CDPoint(0, 0), CDPoint(60, 0), 0, -1000, CDPoint(1, 1), 2);
        line.Draw(d, CDPoint(60, 0), CDPoint(120, 0), 0, -1000, CDPoint(1, 1), 2);
    });
    ASSERT_EQ(notes.size(), 2u);
    const CRect &a = notes[0].cell, &b = notes[1].cell;
    const int across = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    const int gap = std::max(a.left, b.left) - std::min(a.right, b.right);
    EXPECT_TRUE(across <= 3 || gap >= a.Height() / 2) << across << " " << gap;
}

// Beside its line a label keeps one gap from it whatever its width; written smaller it stands
// as many of its own heights off the line's middle as at full size.
TEST_F(DimensionLineTest, LabelsBesideTheirLinesKeepOneGapAndTheirHeightsWrittenSmaller)
{
    CDimensionLine line(PS_SOLID, 1, RGB(0, 0, 255), 1);
    // Vertical lines of 80 mm and 12500 mm, labelled right of them.
    auto near = [&](double length) {
        dc.ClearRecords();
        line.Draw(&dc, CDPoint(0, 0), CDPoint(0, -length), 500, -1000, CDPoint(1000, 1), 4);
        const auto notes = LabelNotes(dc.Records());
        return notes.size() == 1 ? notes[0].cell.left - 500 : -1;
    };
    EXPECT_GT(near(0.08), 0);
    EXPECT_EQ(near(0.08), near(12.5));

    // The middle of a label above its line, in its heights, at full size and at 0.6 of it.
    auto heightsOff = [&](double dScale) {
        dc.ClearRecords();
        DrawLabelled(
            &dc, [&](CDC* d, CPoint o, CDPoint k) { line.Draw(d, CDPoint(0, 0), CDPoint(2, 0), o.x, o.y, k, 2); },
            CPoint(0, -1000), CDPoint(1000, 1000), CRect(), dScale);
        const auto notes = LabelNotes(dc.Records());
        return notes.size() == 1 ? double(notes[0].cell.CenterPoint().y - notes[0].anchor.y) / notes[0].cell.Height()
                                 : 0.0;
    };
    EXPECT_GT(heightsOff(1.0), 0.0);
    EXPECT_NEAR(heightsOff(0.6), heightsOff(1.0), 0.1);
}

// A line shorter than a text is high: where its usual side is taken the label stands past its
// end on that side, under it here, before it goes round to the other side.
TEST_F(DimensionLineTest, AShortLinesLabelTriesItsEndBeforeItsOtherSide)
{
    CDimensionLine line(PS_SOLID, 1, RGB(0, 0, 255), 1);
    const auto notes = LabelledNotes(dc, [&](CDC* d) {
        // A line a few units left of it, where the label would stand left and below.
        d->MoveTo(470, -900);
        d->LineTo(470, -1200);
        line.Draw(d, CDPoint(0, 0), CDPoint(0, -0.08), 500, -1000, CDPoint(100, 100), 7);
    });
    ASSERT_EQ(notes.size(), 1u);
    const CRect& cell = notes[0].cell;
    EXPECT_GT(notes[0].place, 0);
    EXPECT_LE(cell.bottom, -1008 - 3);                    // under the line's lower end
    EXPECT_LE(std::abs(cell.CenterPoint().x - 500), 2);   // centred on it
}
