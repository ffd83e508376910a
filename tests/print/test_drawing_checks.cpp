// The drawing sweep's checks on pages made by hand: each finds the fault it is for and lets
// pass what a reader reads clearly.
#include "common/drawing_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace drawingchecks;

// Texts 3.6 mm high (cells as the recording DC gives them, y up) and lines in 0.1 mm.
CDC::Record Text(const QString& text, int left, int bottom, int width, int escapement = 0)
{
    CDC::Record r;
    r.op = QStringLiteral("TextOut");
    r.text = text;
    r.fontHeight = 36;
    r.escapement = escapement;
    r.bkMode = TRANSPARENT;
    const bool turned = (escapement / 900) % 2 != 0;
    r.box = turned ? CRect(left, bottom, left + 36, bottom + width) : CRect(left, bottom, left + width, bottom + 36);
    r.args = {left, bottom + 36};
    return r;
}

CDC::Record Line(int x0, int y0, int x1, int y1)
{
    CDC::Record r;
    r.op = QStringLiteral("LineTo");
    r.args = {x0, y0, x1, y1};
    return r;
}

CDC::Record Shape(const char* op, int left, int bottom, int right, int top, UINT brush)
{
    CDC::Record r;
    r.op = QString::fromLatin1(op);
    r.args = {left, bottom, right, top};
    r.brushStyle = brush;
    return r;
}

// The page: a frame with its header before it and its company line after, then the records.
std::vector<CDC::Record> Page(std::vector<CDC::Record> records)
{
    const CDC::Record header = Text(QStringLiteral("title"), 0, 0, 200);
    const CDC::Record frame = Shape("Rectangle", 0, -2900, 2000, -10, BS_NULL);
    const CDC::Record company = Text(QStringLiteral("company"), 1800, -2940, 200);
    records.insert(records.begin(), {header, frame, company});
    return records;
}

TEST(DrawingChecks, LinesThroughTextsCountOnlyTheLinesOverItsGlyphs)
{
    const CDC::Record value = Text(QStringLiteral("1250"), 1000, -1000, 80);
    // Through the middle of the digits, drawn after them or before a transparent text.
    EXPECT_EQ(LinesThroughTexts(Page({value, Line(900, -982, 1200, -982)})).size(), 1);
    EXPECT_EQ(LinesThroughTexts(Page({Line(1040, -1100, 1040, -900), value})).size(), 1);
    // Under the digits, where the cell keeps the font's descent; a leader ending at the cell.
    EXPECT_TRUE(LinesThroughTexts(Page({value, Line(900, -995, 1200, -995)})).isEmpty());
    EXPECT_TRUE(LinesThroughTexts(Page({value, Line(900, -1100, 1000, -1000)})).isEmpty());
    // Hidden under an opaque text, or a filled circle the text stands in.
    CDC::Record opaque = value;
    opaque.bkMode = OPAQUE;
    EXPECT_TRUE(LinesThroughTexts(Page({Line(1040, -1100, 1040, -900), opaque})).isEmpty());
    EXPECT_TRUE(LinesThroughTexts(Page({Line(1040, -1100, 1040, -900), Shape("Ellipse", 960, -1040, 1120, -940, BS_SOLID),
                                        value}))
                    .isEmpty());
    EXPECT_EQ(LinesThroughTexts(Page({Line(1040, -1100, 1040, -900), Shape("Ellipse", 960, -1040, 1120, -940, BS_NULL),
                                      value}))
                  .size(),
              1);
    // A line ending by a number's first or last digit, within a quarter of a character (5),
    // reads as a digit or a sign of it; farther off, or by a word, it does not.
    EXPECT_EQ(LinesThroughTexts(Page({value, Line(997, -1100, 997, -960)})).size(), 1);
    EXPECT_EQ(LinesThroughTexts(Page({value, Line(1082, -982, 1300, -982)})).size(), 1);
    EXPECT_TRUE(LinesThroughTexts(Page({value, Line(993, -1100, 993, -960)})).isEmpty());
    EXPECT_TRUE(LinesThroughTexts(Page({Text(QStringLiteral("G12"), 1000, -1000, 60), Line(997, -1100, 997, -960)}))
                    .isEmpty());
    // A rectangle's edge, and the frame's own texts not at all.
    EXPECT_EQ(LinesThroughTexts(Page({value, Shape("Rectangle", 1030, -1100, 1050, -985, BS_NULL)})).size(), 1);
    EXPECT_TRUE(LinesThroughTexts(Page({Line(-10, 20, 300, 20)})).isEmpty());
}

TEST(DrawingChecks, CrowdedTextsKeepACharacterApartInALine)
{
    const CDC::Record a = Text(QStringLiteral("400"), 1000, -1000, 60);
    // In one line: 1 mm apart is too near, 2 mm is a character.
    EXPECT_EQ(CrowdedTexts(Page({a, Text(QStringLiteral("1250"), 1070, -1000, 80)})).size(), 1);
    EXPECT_TRUE(CrowdedTexts(Page({a, Text(QStringLiteral("1250"), 1080, -1000, 80)})).isEmpty());
    // A line lower, side by side: two lines, unless they overlap.
    EXPECT_TRUE(CrowdedTexts(Page({a, Text(QStringLiteral("1250"), 1062, -1025, 80)})).isEmpty());
    EXPECT_EQ(CrowdedTexts(Page({a, Text(QStringLiteral("1250"), 1050, -1025, 80)})).size(), 1);
    // One above the other, just clear.
    EXPECT_TRUE(CrowdedTexts(Page({a, Text(QStringLiteral("1250"), 1000, -1037, 80)})).isEmpty());
    // Turned texts read up the page: their line runs along y.
    const CDC::Record up = Text(QStringLiteral("400"), 1000, -1000, 60, 900);
    EXPECT_EQ(CrowdedTexts(Page({up, Text(QStringLiteral("1250"), 1000, -930, 80, 900)})).size(), 1);
    EXPECT_TRUE(CrowdedTexts(Page({up, Text(QStringLiteral("1250"), 1040, -930, 80, 900)})).isEmpty());
    // A text drawn twice in one place reads as one.
    EXPECT_TRUE(CrowdedTexts(Page({a, a})).isEmpty());
}

// Notes of labels as the drawings write them.
std::vector<CDC::Record> Notes(const std::vector<LabelNote>& notes)
{
    CDC dc;
    for (const LabelNote& n : notes)
        NoteLabel(&dc, n);
    return dc.Records();
}

TEST(DrawingChecks, StrayLabelsStandNearestTheirOwnThing)
{
    const CRect below(980, -1060, 1020, -1024);   // just below the node at (1000, -1000)
    EXPECT_TRUE(StrayLabels(Notes({{LabelKind::Node, "1", {1000, -1000}, below},
                                   {LabelKind::Node, "2", {1100, -1000}, CRect(1080, -1060, 1120, -1024)}}))
                    .isEmpty());
    // Nearer to the next node than to its own.
    EXPECT_EQ(StrayLabels(Notes({{LabelKind::Node, "1", {1000, -1000}, CRect(1050, -1060, 1090, -1024), 2},
                                 {LabelKind::Node, "2", {1100, -1000}, CRect()}}))
                  .size(),
              1);
    // Another kind's point, one at its own, or a label of no kind do not count.
    EXPECT_TRUE(StrayLabels(Notes({{LabelKind::Node, "1", {1000, -1000}, CRect(1050, -1060, 1090, -1024)},
                                   {LabelKind::Member, "C1", {1100, -1000}, CRect()},
                                   {LabelKind::Node, "501", {1000, -1000}, CRect()},
                                   {LabelKind::None, "x", {1000, -1000}, CRect(1500, -1500, 1540, -1464)}}))
                    .isEmpty());
    // Far from its own thing with nothing else near, unless led there by a short leader.
    EXPECT_EQ(StrayLabels(Notes({{LabelKind::Girder, "G1", {1000, -1000}, CRect(1000, -1150, 1040, -1114)}})).size(),
              1);
    EXPECT_TRUE(StrayLabels(Notes({{LabelKind::Girder, "G1", {1000, -1000}, CRect(1000, -1150, 1040, -1114), 6,
                                    true}}))
                    .isEmpty());
    EXPECT_EQ(StrayLabels(Notes({{LabelKind::Girder, "G1", {1000, -1000}, CRect(1000, -1300, 1040, -1264), 6,
                                  true}}))
                  .size(),
              1);
}

TEST(DrawingChecks, LabelsTurnWithTheDrawing)
{
    // Upright the name stands 4 mm below its girder's foot; on the sideways page the drawing's
    // down runs to the right.
    const auto upright = Notes({{LabelKind::Girder, "G1", {1000, -1000}, CRect(980, -1058, 1020, -1022)}});
    EXPECT_TRUE(
        UnturnedLabels(upright, Notes({{LabelKind::Girder, "G1", {500, -700}, CRect(522, -720, 558, -680)}})).isEmpty());
    // Written larger there, it keeps the distance in text heights.
    EXPECT_TRUE(
        UnturnedLabels(upright, Notes({{LabelKind::Girder, "G1", {500, -700}, CRect(529, -724, 577, -676)}})).isEmpty());
    // Left of it, or at another place than its first, it is not the same side.
    EXPECT_EQ(
        UnturnedLabels(upright, Notes({{LabelKind::Girder, "G1", {500, -700}, CRect(442, -720, 478, -680)}})).size(), 1);
    EXPECT_TRUE(UnturnedLabels(upright, Notes({{LabelKind::Girder, "G1", {500, -700}, CRect(442, -720, 478, -680), 1}}))
                    .isEmpty());
}

TEST(DrawingChecks, GirderNamesAreFoundWhole)
{
    const auto page = Page({Text(QStringLiteral("G1"), 100, -100, 30), Text(QStringLiteral("G12"), 100, -200, 40)});
    EXPECT_TRUE(WritesGirderNames(page));
    EXPECT_EQ(MissingTexts(page, {QStringLiteral("G1"), QStringLiteral("G2"), QStringLiteral("G12")}),
              QStringList{QStringLiteral("G2")});
    EXPECT_FALSE(WritesGirderNames(Page({Text(QStringLiteral("G1主桁"), 100, -100, 60)})));
}

}
