// The price extras file, steel material codes, price classes and the bearing step table.
#include "estimate/estimate_calc.h"

#include <gtest/gtest.h>

using namespace estimate;

namespace {

QByteArray Lines(int count, const char* format, int first = 100)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray(format).replace("%", QByteArray::number(first + i)) + "\n";
    return text;
}

int Defaults(int index)
{
    int d[kClasses];
    SetDefaultUnitPrices(d);
    return d[index];
}

} // namespace

TEST(SteelExtrasFile, ReadsOneNumberALineOrAllOnOneLine)
{
    int out[kClasses] = {};
    EXPECT_EQ(ParseSteelExtras(Lines(97, "%"), out), ExtrasStatus::Read);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[96], 196);
    QByteArray oneLine;
    for (int i = 0; i < 97; ++i)
        oneLine += QByteArray::number(100 + i) + " ";
    int again[kClasses] = {};
    EXPECT_EQ(ParseSteelExtras(oneLine, again), ExtrasStatus::Read);
    EXPECT_TRUE(std::equal(std::begin(out), std::end(out), std::begin(again)));
}

TEST(SteelExtrasFile, CommentsDecideWhichNumberOfALineCounts)
{
    struct Case {
        const char* name;
        QByteArray head;    // followed by 96 commented lines counting 100, 101 …
        int first;
        int second;
    };
    const Case cases[] = {
        {"number before the comment", "1300 // SS400\n", 1300, 100},
        {"the label's digits come first", "SS400 1300 // plate\n", 400, 100},
        {"seven characters drop the line", "1234567 // long\n2000 // next\n", 2000, 100},
        {"a leading minus", "-500 // credit\n", -500, 100},
        {"digits before the point", "12.5 // half\n", 12, 100},
        {"a lone point", ". // none\n", 0, 100},
    };
    for (const Case& c : cases) {
        int out[kClasses] = {};
        EXPECT_EQ(ParseSteelExtras(c.head + Lines(96, "% // SM400"), out), ExtrasStatus::Read) << c.name;
        EXPECT_EQ(out[0], c.first) << c.name;
        EXPECT_EQ(out[1], c.second) << c.name;
        EXPECT_EQ(out[96], 195) << c.name;
    }
}

TEST(SteelExtrasFile, AfterTheLastCommentEveryNumberCounts)
{
    int out[kClasses] = {};
    EXPECT_EQ(ParseSteelExtras(Lines(95, "% // x") + "7 8\n", out), ExtrasStatus::Read);
    EXPECT_EQ(out[95], 7);
    EXPECT_EQ(out[96], 8);
}

TEST(SteelExtrasFile, ShortOrMalformedFilesGiveEveryDefault)
{
    struct Case {
        const char* name;
        QByteArray text;
        ExtrasStatus status;
    };
    const Case cases[] = {
        {"96 numbers", Lines(96, "%"), ExtrasStatus::Short},
        {"no numbers", "// nothing here\n", ExtrasStatus::Short},
        {"a comment without a line break holds the scan", Lines(50, "% // a") + "1234567 // SS400", ExtrasStatus::Malformed},
        {"a number past 32 bits", Lines(10, "%") + "99999999999\n" + Lines(90, "%"), ExtrasStatus::Malformed},
    };
    for (const Case& c : cases) {
        int out[kClasses] = {};
        EXPECT_EQ(ParseSteelExtras(c.text, out), c.status) << c.name;
        EXPECT_EQ(out[0], 1300) << c.name;
        EXPECT_EQ(out[50], Defaults(50)) << c.name;
        EXPECT_EQ(out[96], 72000) << c.name;
    }
}

TEST(SteelCodes, GradeAndThicknessGiveTheMaterialCode)
{
    struct Case {
        int grade;
        double t;
        int standard, hSteel, code;
    };
    const Case cases[] = {
        {3, 0.040, 0, 0, 8},  {3, 0.040, 1, 0, 9},  {3, 0.016, 1, 0, 7},  {5, 0.045, 0, 1, 27}, {5, 0.045, 0, 0, 10},
        {5, 0.040, 0, 1, 10}, {1, 0.039, 1, 1, 3},  {1, 0.041, 1, 1, 20}, {1, 0.039, 0, 1, 2},  {2, 0.041, 0, 1, 23},
        {4, 0.030, 0, 0, 9},  {4, 0.030, 1, 0, 8},  {6, 0.050, 0, 1, 30}, {7, 0.010, 1, 0, 14}, {8, 0.045, 1, 1, 34},
        {0, 0.100, 0, 1, 0},  {9, 0.010, 0, 0, 999}};
    for (const Case& c : cases)
        EXPECT_EQ(GetSteelCode(c.grade, c.t, c.standard, c.hSteel), c.code) << c.grade << " " << c.t;
}

TEST(SteelCodes, CodeAndThicknessGiveThePriceClass)
{
    struct Case {
        unsigned code;
        double t;
        int cls;
    };
    const Case cases[] = {{2, 0.025, 3},  {2, 0.0251, 4}, {10, 0.020, 33}, {10, 0.075, 36}, {10, 0.076, 37},
                          {27, 0.045, 80}, {10, 0.045, 35}, {0, 0.0, 0},    {34, 0.080, 96}, {18, 0.010, -1},
                          {35, 0.010, -1}, {999, 0.01, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(GetPriceClass(c.code, c.t), c.cls) << c.code << " " << c.t;
}

TEST(Bearings, StepTableTakesEachStepFromItsOwnSize)
{
    const double cases[][3] = {{0, 39.99, 117}, {0, 40.0, 157}, {1, 40.0, 201}, {0, 150.0, 639},
                               {1, 175.0, 724}, {0, 699.9, 3613}, {0, 700.0, 4234}, {1, 1e6, 4488}, {2, 100.0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(BearingStepValue(int(c[0]), c[1]), c[2]) << c[1];
}
