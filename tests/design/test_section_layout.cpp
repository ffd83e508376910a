// Section layout: automatic blocks, given lengths, joins and splits with their refusals,
// check points and section forces, and the steel weight per metre.
#include "design_girder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::vector<double> Boundaries(const CGirderDesign& g)
{
    std::vector<double> b;
    double x = 0;
    for (double l : g.BlockLengths()) {
        x += l;
        b.push_back(std::round(x * 1000) / 1000);
    }
    b.pop_back();
    return b;
}

// One span of 30 m, a parabola with its peak at 15 m.
CGirderDesign SingleSpan()
{
    CDesignInput in = PlateInput({6});
    return CurveGirder(in, 5.0, [](double x) { return 300 * x * (30 - x) / 225; },
                       [](double x) { return 100 * x * (30 - x) / 225; }, [](double x) { return 60 - 4 * x; },
                       [](double x) { return 40 - 4 * x; });
}

// Two continuous spans of 30 m: zeros at 22.5 and 37.5 m, peaks at 11.25, 30 and 48.75 m.
CGirderDesign TwoSpans()
{
    auto m = [](double x) {
        const double u = x <= 30 ? x : 60 - x;
        return 4.74 * u * (11.25 - u / 2);
    };
    CDesignInput in = PlateInput({8, 8});
    return CurveGirder(in, 3.75, [m](double x) { return m(x) + 10; }, [m](double x) { return m(x) - 10; },
                       [](double x) { return 80 - 4 * std::fmod(x, 30.0); }, [](double x) { return 60 - 4 * std::fmod(x, 30.0); });
}

TEST(AutomaticLayout, NoJointAtAPeakOrAPier)
{
    EXPECT_EQ(Boundaries([] {
                  CGirderDesign g = SingleSpan();
                  g.LoadResultsAndDesign(g.m_input);
                  return g;
              }()),
              (std::vector<double>{10, 20}));
    CGirderDesign g = TwoSpans();
    EXPECT_EQ(g.AutomaticCuts(), (std::vector<double>{7.5, 15, 22.5, 27.5, 32.5, 37.5, 45, 52.5}));
}

TEST(AutomaticLayout, AShortEndRegionMergesIntoItsNeighbour)
{
    // The sign changes 1.5 m from the left end: that region is below the 2 m minimum.
    CGirderDesign g = CurveGirder(PlateInput({8}), 1.5, [](double x) { return x < 1.5 ? -50 + 30 * x : 40 + x; },
                                  [](double x) { return x < 1.5 ? -60 + 30 * x : 30 + x; });
    for (double c : g.AutomaticCuts())
        EXPECT_GT(c, 1.5 + 1e-9);
}

TEST(GivenLengths, TheLastBlockTakesTheRest)
{
    CGirderDesign g = CurveGirder(PlateInput({7}), 5.0, Constant(100), Constant(50));
    const double lengths[] = {12, 12, 12};
    EXPECT_EQ(g.GivenCuts(lengths, 3), (std::vector<double>{12, 24}));
    CDesignInput in = g.m_input;
    in.m_nBlockLengthMode = 1;
    in.m_adGivenBlockLength = {12, 12, 12};
    g.LoadResultsAndDesign(in);
    EXPECT_EQ(g.BlockLengths(), (std::vector<double>{12, 12, 11}));

    struct Row {
        std::vector<double> given, blocks;
    };
    const Row rows[] = {{{10, 15, 10}, {10, 15, 10}}, {{20, 20, 20}, {20, 15}}};
    for (const Row& r : rows) {
        EXPECT_EQ(g.SetBlockLengths(r.given.data(), int(r.given.size())), 1);
        EXPECT_EQ(g.BlockLengths(), r.blocks);
    }
    EXPECT_EQ(g.SetBlockLengths(nullptr, 2), 0);
    // A girder with no sections, as a single box's side lines are, has no blocks to cut.
    CGirderDesign empty = CurveGirder(PlateInput({5}), 7.0, Constant(100), Constant(50));
    EXPECT_EQ(empty.SetBlockLengths(lengths, 2), 0);
    EXPECT_TRUE(empty.m_pSections.empty());
}

TEST(Blocks, JoinFlagsMakeTheBlocks)
{
    CGirderDesign g = CurveGirder(PlateInput({5}), 2.0, Constant(100), Constant(50));
    ReferenceSections(g, {1, 2, 3, 2, 2});
    const int prev[] = {0, 1, 1, 0, 1};
    for (int s = 0; s < 5; ++s)
        g.m_pSections[s].m_nJoinPrev = prev[s];
    g.LocateCheckPoints();
    EXPECT_EQ(g.BlockLengths(), (std::vector<double>{6, 4}));
    const int kinds[5][2] = {{2, 1}, {1, 1}, {1, 0}, {0, 1}, {1, 2}};
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(g.m_pSections[s].m_anJointKind[0], kinds[s][0]) << s;
        EXPECT_EQ(g.m_pSections[s].m_anJointKind[1], kinds[s][1]) << s;
        EXPECT_EQ(g.m_pSections[s].m_nJoinNext, s < 4 ? prev[s + 1] : 0);
    }
}

TEST(SectionForces, TheLengthsMustMatchTheGirder)
{
    CGirderDesign g = CurveGirder(PlateInput({3}), 10.0, Constant(100), Constant(50));
    ReferenceSections(g, {10, 10, 10.04});
    EXPECT_EQ(g.UpdateSectionForces(), 1);
    EXPECT_DOUBLE_EQ(g.m_pSections[2].m_adCheck[1], 30.0);
    g.m_pSections[2].m_dLength = 10.06;
    const CGirderDesign before = g;
    EXPECT_EQ(g.UpdateSectionForces(), 0);
    EXPECT_TRUE(g == before);
}

TEST(JoinAndSplit, RefusalsSayWhy)
{
    CGirderDesign g = SingleSpan();
    g.LoadResultsAndDesign(g.m_input);
    std::vector<std::string> shown;
    g.SetMessageHandler([&](const char* text) { shown.push_back(text); });
    const CGirderDesign before = g;
    struct Row {
        std::function<int()> op;
        const char* text;
    };
    const Row rows[] = {
        {[&] { return g.SplitSection(g.m_input, 7, 1.0, 1); }, "指定番号の断面は存在しません。"},
        {[&] { return g.SplitSection(g.m_input, 0, 9.95, 1); }, "分割位置が断面の範囲外です。"},
        {[&] { return g.JoinBlocks(-1, 1, 1); }, "ブロックの結合に失敗しました。"},
        {[&] { return g.JoinBlocks(1, 1, 1); }, "ブロックの結合に失敗しました。"},
        {[&] { return g.SplitBlock(3, 1.0, 1); }, "指定番号のブロックは存在しません。\nブロックの分割に失敗しました。"},
        {[&] { return g.SplitBlock(0, 0.05, 1); }, "分割位置がブロックの範囲外です。\nブロックの分割に失敗しました。"},
        {[&] { return g.JoinSections(g.m_input, 2, 1); }, "開始断面と終了断面を正しく指定して下さい。"},
        {[&] { return g.JoinSections(g.m_input, -1, 1); }, "指定番号の断面は存在しません。"},
    };
    for (const Row& r : rows) {
        shown.clear();
        EXPECT_EQ(r.op(), 0);
        EXPECT_EQ(shown, std::vector<std::string>{r.text});
    }
    EXPECT_TRUE(g == before);
}

TEST(JoinAndSplit, BlocksChangeAndTheGirderLengthStays)
{
    CGirderDesign g = TwoSpans();
    CDesignInput in = g.m_input;
    in.m_nBlockLengthMode = 1;
    in.m_adGivenBlockLength = {10, 12.345, 12, 12, 13.655};
    g.LoadResultsAndDesign(in);
    ASSERT_EQ(g.BlockLengths().size(), 5u);
    EXPECT_EQ(g.SplitBlock(1, 6.172, 1), 1);
    EXPECT_EQ(Boundaries(g), (std::vector<double>{10, 16.172, 22.345, 34.345, 46.345}));
    EXPECT_EQ(g.JoinBlocks(2, 4, 1), 1);
    EXPECT_EQ(Boundaries(g), (std::vector<double>{10, 16.172, 46.345}));
    EXPECT_EQ(g.JoinSections(in, 0, 1), 1);
    EXPECT_EQ(g.SplitSection(in, 0, 4.0, 1), 1);
    EXPECT_EQ(Boundaries(g), (std::vector<double>{4, 16.172, 46.345}));
    double sum = 0;
    for (const CSectionRecord& s : g.m_pSections)
        sum += s.m_dLength;
    EXPECT_NEAR(sum, g.m_dGirderLength, 1e-9);
}

TEST(JoinAndSplit, AVaryingHeightCutsBlocksAtPanelPoints)
{
    CDesignInput in = PlateInput({6});
    in.m_nHeightVariation = 0;
    in.m_aProfileX = {{0, 15, 30}};
    in.m_aProfileH = {{1.5, 2.1, 1.5}};
    CGirderDesign g = CurveGirder(in, 5.0, [](double x) { return 300 * x * (30 - x) / 225; },
                                  [](double x) { return 100 * x * (30 - x) / 225; });
    g.LoadResultsAndDesign(in);
    EXPECT_EQ(g.BlockLengths(), (std::vector<double>{10, 10, 10}));
    ASSERT_EQ(g.m_nSections, 6);
    EXPECT_DOUBLE_EQ(g.m_pSections[0].m_dHWeb, 1.6);
    EXPECT_DOUBLE_EQ(g.m_pSections[2].m_dHWeb, 2.0);
    EXPECT_EQ(g.m_pSections[1].m_dTUpper, g.m_pSections[0].m_dTUpper);
}

TEST(SteelWeightPerLength, OptionsFactorAndUnits)
{
    CGirderDesign g;
    g.m_input.m_dAssumedWeight = 0.45;
    g.m_input.m_dGirderFactor = 1.1;
    g.m_dGirderLength = 30;
    for (double w : {3.1, 3.1, 3.1}) {
        CSectionRecord s;
        s.m_dWWhole = w;
        g.m_pSections.push_back(s);
    }
    g.m_nSections = 3;
    struct Row {
        int option, flag;
        double perMetre;
    };
    const Row rows[] = {{0, 1, 0.310}, {2, 1, 0.341}, {2, 0, 0.341}, {1, 0, 0.45}, {1, 1, 0.341}, {3, 1, 0.310}};
    for (const Row& r : rows) {
        g.m_input.m_nDeadLoadChoice = r.option;
        EXPECT_NEAR(g.GetSteelWeightPerLength(r.flag), r.perMetre, 1e-12) << r.option << r.flag;
    }
    g.m_pSections[0].m_dWWhole = 0;
    for (int option = 0; option < 4; ++option) {
        g.m_input.m_nDeadLoadChoice = option;
        EXPECT_DOUBLE_EQ(g.GetSteelWeightPerLength(1), 0.45);
    }
    g.m_input.m_bSIUnits = 1;
    g.m_input.m_dAssumedWeight = 4.5;     // kN/m
    EXPECT_NEAR(g.GetSteelWeightPerLength(1), 0.45887, 1e-5);
    g.m_input.m_nBridgeType = 2;
    for (int girder : {0, 2}) {
        g.m_nGirderNo = girder;
        EXPECT_EQ(g.GetSteelWeightPerLength(1), 0.0);
    }
}

}

namespace {

TEST(Passes, MemberPropertiesAreOverlapMeans)
{
    CGirderDesign g = CurveGirder(PlateInput({3}), 10.0, Constant(100), Constant(50));
    ReferenceSections(g, {15, 15});
    g.m_pSections[1].m_dArea = 0.05;
    g.m_pSections[1].m_dI = 0.03;
    double a, i, j;
    g.GetMemberProperties(1, a, i, j);      // member [10, 20]: half of each section
    EXPECT_NEAR(a, (0.0395 + 0.05) / 2, 1e-15);
    EXPECT_NEAR(i, (g.m_pSections[0].m_dI + 0.03) / 2, 1e-15);
    g.GetMemberProperties(0, a, i, j);
    EXPECT_DOUBLE_EQ(a, 0.0395);
    g.StoreAssumedProperties();
    EXPECT_DOUBLE_EQ(g.m_pSections[0].m_dAssumedArea, 0.0395);   // its centre lies in member 0
    EXPECT_DOUBLE_EQ(g.m_pSections[1].m_dAssumedArea, 0.05);     // and in member 2
}

TEST(Passes, RedesignKeepsWhatItIsAskedToKeep)
{
    CGirderDesign g = SingleSpan();
    g.LoadResultsAndDesign(g.m_input);
    CGirderDesign edited = g;
    edited.m_pSections[1].m_dTUpper += 0.01;
    edited.m_pSections[1].m_bEdited = 1;
    edited.m_pSections[2].m_dTUpper += 0.01;

    CGirderDesign checkOnly = edited;
    checkOnly.RedesignAll(g.m_input, 2);
    EXPECT_EQ(checkOnly.m_pSections[1].m_dTUpper, edited.m_pSections[1].m_dTUpper);
    EXPECT_EQ(checkOnly.m_pSections[2].m_dTUpper, edited.m_pSections[2].m_dTUpper);

    CGirderDesign keepEdited = edited;
    keepEdited.RedesignAll(g.m_input, 1);
    EXPECT_EQ(keepEdited.m_pSections[1].m_dTUpper, edited.m_pSections[1].m_dTUpper);
    EXPECT_EQ(keepEdited.m_pSections[2].m_dTUpper, g.m_pSections[2].m_dTUpper);

    CGirderDesign anew = edited;
    anew.RedesignAll(g.m_input, 0);
    EXPECT_EQ(anew.m_pSections[1].m_dTUpper, g.m_pSections[1].m_dTUpper);
    EXPECT_EQ(anew.m_pSections[1].m_bEdited, 0);
}

TEST(Passes, TheStoredLayoutIsReusedAndScaled)
{
    CGirderDesign g = SingleSpan();
    CDesignInput in = g.m_input;
    in.m_bFirstDesign = 0;
    in.m_bHasStoredLayout = 1;
    // Stored for a girder of 31 m: scaled to 30; the edited middle section keeps its width.
    in.m_aStoredLayout = {{6.2, 0.3, 0.3, 0.009, 0, 0, 0}, {12.4, 1.0, 0.9, 0.012, 0, 0, 1}, {12.4, 0.3, 0.3, 0.009, 0, 0, 0}};
    g.LoadResultsAndDesign(in);
    EXPECT_EQ(g.BlockLengths(), (std::vector<double>{6, 12, 12}));
    EXPECT_GE(g.m_pSections[1].m_dBUpper, 1.0);
    EXPECT_GE(g.m_pSections[1].m_dTWeb, 0.012);
    EXPECT_EQ(g.m_pSections[1].m_bEdited, 0);
}

TEST(Passes, TheFlangeWidthIsConstantOverTheGirder)
{
    CGirderDesign g = CurveGirder(PlateInput({6, 6}), 5.0, [](double x) { return 250 - std::fabs(x - 30) * 12; },
                                  [](double x) { return 50 - std::fabs(x - 30) * 12; });
    g.LoadResultsAndDesign(g.m_input);
    for (const CSectionRecord& s : g.m_pSections) {
        EXPECT_EQ(s.m_dBUpper, g.m_dMaxBUpper);
        EXPECT_EQ(s.m_dBLower, g.m_dMaxBLower);
    }
}

TEST(Passes, ALoadedBoxDerivesItsWebsAgain)
{
    CDesignInput in = PlateInput({6});
    in.m_nBridgeType = 1;
    CGirderDesign g = SingleSpan();
    g.LoadResultsAndDesign(in);
    CGirderDesign loaded = g;
    for (CSectionRecord& s : loaded.m_pSections) {
        s.m_nWebs = 1;          // what a fresh record holds
        s.m_dWWhole = 0;
    }
    loaded.RestoreDerived(in, 1);
    for (size_t s = 0; s < g.m_pSections.size(); ++s) {
        EXPECT_EQ(loaded.m_pSections[s].GetWebWeight(), g.m_pSections[s].GetWebWeight());
        EXPECT_EQ(loaded.m_pSections[s].m_dWWhole, g.m_pSections[s].m_dWWhole);
    }
}

}
