// The label room's part in a drawing's labels: a label moved off its places is led back where
// it stands nearer to what another label names, and a drawing whose labels find no place clear
// of its lines has them written smaller.
#include "views/drawing_helpers.h"
#include "views/label_layout.h"

#include "common/drawing_checks.h"

#include <gtest/gtest.h>

namespace {

struct LabelRoomTest : ::testing::Test {
    CDC dc;
    CFont font;
    LabelRoomTest()
    {
        dc.SetMapMode(MM_LOMETRIC);
        font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
        dc.SelectObject(&font);
    }
    int Leaders() const
    {
        int n = 0;
        for (const CDC::Record& r : dc.Records())
            n += r.op == QLatin1String("LineTo");
        return n;
    }
    // Upright lines a label's width apart at scale 100, `half` each side of the origin, reaching
    // `reach` up and down (at scale 100 too where bScaled), and "1000" written among them.
    PlacedDrawing LinesAWidthApart(int half, int reach, bool bScaled)
    {
        const QString text = QStringLiteral("1000");
        const int width = dc.GetTextExtent(text).cx;
        return [this, text, width, half, reach, bScaled](CDC* d, CPoint o, CDPoint k) {
            Selected<CFont> f(d, &font);
            const int step = int(k.x * width / 100.0);
            const int up = bScaled ? int(reach * k.y / 100.0) : reach;
            for (int i = -half; i <= half; ++i) {
                d->MoveTo(o.x + i * step, o.y - up);
                d->LineTo(o.x + i * step, o.y + up);
            }
            WriteClear(d, 0, std::vector<CPoint>{CPoint(o.x + 4, o.y + 18)}, text, CPoint(o.x, o.y), LabelKind::Dimension);
        };
    }
    // The drawing's one label, drawn as laid out, stands clear of its lines.
    void ExpectItsLabelClear(const PlacedDrawing& draw, CPoint origin, CDPoint scale, const CRect& frame, double smaller)
    {
        dc.ClearRecords();
        DrawLabelled(&dc, draw, origin, scale, frame, smaller);
        CLabelRoom lines(&dc);
        lines.KeepOffLines(dc.Records());
        const std::vector<LabelNote> notes = LabelNotes(dc.Records());
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_TRUE(lines.IsClear(notes[0].cell)) << notes[0].cell.left << " " << notes[0].cell.right;
    }
};

}

// Its place taken, a value goes to the nearest clear place; where that stands nearer to the
// point another value names than to its own, a leader joins it to its own point.
TEST_F(LabelRoomTest, AMovedLabelNearerToAnothersPointIsLedToItsOwn)
{
    const CPoint named(0, -60), corner(0, 40);
    const QString text = QStringLiteral("1.800");
    auto write = [&](const std::optional<CPoint>& other) {
        dc.ClearRecords();
        CLabelRoom room(&dc, CRect(), true);
        room.Take(TextCell(&dc, 0, corner.x, corner.y, text));
        if (other)
            room.Named(LabelKind::Value, *other);
        WriteClear(&dc, 0, std::vector<CPoint>{corner}, text, named, LabelKind::Value);
        const std::vector<LabelNote> notes = LabelNotes(dc.Records());
        return notes.size() == 1 ? notes[0] : LabelNote();
    };
    const LabelNote alone = write(std::nullopt);
    ASSERT_TRUE(alone.written());
    EXPECT_EQ(alone.place, 1);
    EXPECT_FALSE(alone.led);
    // Another value names a point at the middle of the place it moves to.
    const LabelNote beside = write(alone.cell.CenterPoint());
    EXPECT_EQ(beside.cell, alone.cell);
    EXPECT_TRUE(beside.led);
    EXPECT_EQ(Leaders(), 1);
    // A point of another kind does not count.
    dc.ClearRecords();
    {
        CLabelRoom room(&dc, CRect(), true);
        room.Take(TextCell(&dc, 0, corner.x, corner.y, text));
        room.Named(LabelKind::Girder, alone.cell.CenterPoint());
        WriteClear(&dc, 0, std::vector<CPoint>{corner}, text, named, LabelKind::Value);
    }
    ASSERT_EQ(LabelNotes(dc.Records()).size(), 1u);
    EXPECT_EQ(LabelNotes(dc.Records())[0].led, alone.led);
}

// Lines a label's width apart all round it, in a frame the drawing fills: drawn no larger,
// its label finds no place clear of them but written smaller it does.
TEST_F(LabelRoomTest, LabelsWithNoPlaceClearOfTheLinesAreWrittenSmaller)
{
    const int width = dc.GetTextExtent(QStringLiteral("1000")).cx;
    const PlacedDrawing draw = LinesAWidthApart(12, 500, false);
    CPoint origin(0, -1500);
    CDPoint scale(100, 100);
    const CRect frame(-12 * width - 20, -2020, 12 * width + 20, -980);
    double smaller = 1.0;
    GrowForLabels(&dc, draw, frame, false, origin, scale, smaller);
    EXPECT_LT(smaller, 1.0);
    EXPECT_GE(smaller, 0.6);
    ExpectItsLabelClear(draw, origin, scale, frame, smaller);
}

// The same lines as tall as the frame: drawn no larger, but stretched across where the frame
// has room, its label stands clear of them at its own size and the drawing keeps its height.
TEST_F(LabelRoomTest, LabelsWithNoPlaceClearOfTheLinesStretchTheDrawingAcross)
{
    const int width = dc.GetTextExtent(QStringLiteral("1000")).cx;
    const PlacedDrawing draw = LinesAWidthApart(6, 500, true);
    CPoint origin(0, -1500);
    CDPoint scale(100, 100);
    const CRect frame(-40 * width, -2030, 40 * width, -970);
    double smaller = 1.0;
    GrowForLabels(&dc, draw, frame, false, origin, scale, smaller);
    StretchForLabels(&dc, draw, frame, false, origin, scale, smaller);
    EXPECT_DOUBLE_EQ(scale.y, 100.0);
    EXPECT_GT(scale.x, 100.0);
    EXPECT_EQ(smaller, 1.0);
    ExpectItsLabelClear(draw, origin, scale, frame, smaller);
}

// A label whose usual place is crossed by a line takes its next place, by the point a label
// written later names: that point is known before, so the label stands elsewhere or is led.
TEST_F(LabelRoomTest, ALabelKeepsOffThePointALaterLabelNames)
{
    const PlacedDrawing draw = [&](CDC* d, CPoint o, CDPoint) {
        Selected<CFont> f(d, &font);
        d->MoveTo(o.x + 30, o.y - 100);
        d->LineTo(o.x + 30, o.y + 100);
        WriteClear(d, 0, std::vector<CPoint>{CPoint(o.x + 10, o.y + 50), CPoint(o.x - 60, o.y + 50)},
                   QStringLiteral("260"), o, LabelKind::Dimension);
        WriteClear(d, 0, std::vector<CPoint>{CPoint(o.x - 60, o.y + 110)}, QStringLiteral("210"),
                   CPoint(o.x - 35, o.y + 60), LabelKind::Dimension);
    };
    DrawLabelled(&dc, draw, CPoint(0, -1500), CDPoint(100, 100));
    const std::vector<LabelNote> notes = LabelNotes(dc.Records());
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_TRUE(notes[0].written());
    EXPECT_TRUE(notes[0].place != 1 || notes[0].led);
    EXPECT_TRUE(drawingchecks::StrayLabels(dc.Records()).isEmpty())
        << drawingchecks::StrayLabels(dc.Records()).join(QLatin1Char('\n')).toStdString();
}

// A support's square just past a number's last digit reads as a digit of it: the number keeps
// its ends off the marks as off the lines' ends.
TEST_F(LabelRoomTest, ANumberKeepsItsEndsOffMarks)
{
    CLabelRoom room(&dc);
    dc.SetBkMode(TRANSPARENT);
    const CRect cell(0, -40, 48, -14);
    room.Take(CRect(50, -35, 75, -10));
    EXPECT_TRUE(room.IsClear(cell));
    const int ends = NumberEndReach(QStringLiteral("7500"), cell, false);
    ASSERT_GT(ends, 0);
    EXPECT_FALSE(room.IsClear(cell, true, false, ends));
    // Across its line the touch allowance stays.
    EXPECT_TRUE(room.IsClear(CRect(40, -70, 88, -33), true, false, ends));
    // A number written opaque blanks the mark's edge under it.
    dc.SetBkMode(OPAQUE);
    EXPECT_TRUE(room.IsClear(cell, true, false, ends));
}

// A number is one with the spaces about it, full-width ones too, and a sign before it.
TEST(LabelNumbers, ANumberIsReadWithoutTheSpacesAboutIt)
{
    for (const char* text : {"7500", "  -12.5 ", "\u30007,500\u3000", "+3", "0."})
        EXPECT_TRUE(IsNumber(QString::fromUtf8(text))) << text;
    for (const char* text : {"", "   ", "-", " - 1", "12a", ".5", "G1", "1 2"})
        EXPECT_FALSE(IsNumber(QString::fromUtf8(text))) << text;
    EXPECT_EQ(NumberEndReach(QStringLiteral("  -12.5 "), CRect(0, 0, 64, 20), false), 2);
}

// A note over a shelf the drawing draws under it as long as the note is written: written
// smaller, the note keeps its place, its shelf drawn at its size and not at the full one.
TEST_F(LabelRoomTest, ALabelWrittenSmallerKeepsItsPlaceOverTheShelfDrawnForIt)
{
    const QString text = QStringLiteral("RC床版 t = 210mm");
    const CSize full = dc.GetTextExtent(text);
    const PlacedDrawing draw = [&](CDC* d, CPoint o, CDPoint) {
        Selected<CFont> f(d, &font);
        const CLabelRoom* room = CLabelRoom::Of(d);
        const double t = room ? room->TextScale() : 1.0;
        const CSize e(int(std::lround(full.cx * t)), int(std::lround(full.cy * t)));
        // Its foot a text height above the point, the room writing it about its cell's middle.
        const int shelf = o.y + e.cy;
        const CPoint corner(o.x + e.cx / 2 - full.cx / 2, shelf + e.cy / 2 + full.cy / 2);
        WriteClear(d, 0, std::vector<CPoint>{corner}, text, o, LabelKind::Layer);
        d->MoveTo(o.x, o.y);
        d->LineTo(o.x, shelf);
        d->LineTo(o.x + e.cx, shelf);
    };
    dc.ClearRecords();
    DrawLabelled(&dc, draw, CPoint(0, -1500), CDPoint(100, 100), CRect(), 0.8);
    const std::vector<LabelNote> notes = LabelNotes(dc.Records());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].place, 0);
    EXPECT_LT(notes[0].cell.Height(), full.cy);
}

// A label moved off its place keeps off the first place of a stack label of its kind still to
// come; once that one is written, or for a place of another kind, it takes the nearest.
TEST_F(LabelRoomTest, AMovedLabelKeepsOffTheFirstPlaceOfALaterOne)
{
    const CPoint named(0, -60), corner(0, 40);
    const QString text = QStringLiteral("260");
    auto write = [&](std::optional<LabelKind> reserved, bool written) {
        dc.ClearRecords();
        CLabelRoom room(&dc, CRect(), true);
        room.Take(TextCell(&dc, 0, corner.x, corner.y, text));
        // Where it goes alone: the later label's place.
        const CRect later = TextCell(&dc, 0, corner.x, corner.y - 40, QStringLiteral("210"));
        if (reserved)
            room.Reserve(*reserved, later, QStringLiteral("210"));
        if (written)
            room.Unreserve(later, QStringLiteral("210"));
        WriteClear(&dc, 0, std::vector<CPoint>{corner}, text, named, LabelKind::Dimension);
        const std::vector<LabelNote> notes = LabelNotes(dc.Records());
        return notes.size() == 1 ? notes[0].cell : CRect();
    };
    const CRect alone = write(std::nullopt, false);
    ASSERT_FALSE(alone.IsRectEmpty());
    const CRect kept = write(LabelKind::Dimension, false);
    ASSERT_FALSE(kept.IsRectEmpty());
    EXPECT_NE(kept, alone);
    EXPECT_EQ(write(LabelKind::Value, false), alone);
    EXPECT_EQ(write(LabelKind::Dimension, true), alone);
}
