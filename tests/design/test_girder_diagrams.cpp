// Diagram data from member results: curves, envelopes, peaks, the queries and the values at
// a position that the section forces take.
#include "design_girder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two members of 5 m; curve 1 / curve 2 at the member ends.
CGirderDesign TwoMembers()
{
    CGirderDesign g;
    g.m_pdPanelLength = {5.0, 5.0};
    g.m_pdMomentTotalPlusI = {0, 98};
    g.m_pdMomentTotalMinusI = {0, -25};
    g.m_pdMomentTotalPlusJ = {100, 0};
    g.m_pdMomentTotalMinusJ = {-20, 0};
    g.m_pdShearTotalPlusI = {0, 25};
    g.m_pdShearTotalMinusI = {0, 8};
    g.m_pdShearTotalPlusJ = {-10, 0};
    g.m_pdShearTotalMinusJ = {-30, 0};
    g.BuildDiagrams(PlateInput({2}));
    return g;
}

TEST(DiagramData, EnvelopeNodesAndPeaks)
{
    const CGirderDesign g = TwoMembers();
    const CDPoint env[] = {{0, 0}, {5, 100}, {5, 98}, {10, 0}};
    ASSERT_EQ(g.m_nNodes, 4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(g.m_pMomentEnv[k], env[k]) << k;
        EXPECT_EQ(g.m_pnMomentSign[k], 1) << k;
    }
    ASSERT_EQ(g.m_nPeaks, 1);
    EXPECT_EQ(g.m_aPeaks[0], CDPoint(5, 100));
    EXPECT_EQ(g.GetMaxMomentPoint(), CDPoint(5, 100));
    EXPECT_EQ(CGirderDesign().GetMaxMomentPoint(), CDPoint(0, -1e10));
    // Shear jump at the panel point: both sides kept.
    EXPECT_EQ(g.m_pShearEnv[1], CDPoint(5, 30));
    EXPECT_EQ(g.m_pnShearSign[1], -1);
    EXPECT_EQ(g.m_pShearEnv[2], CDPoint(5, 25));
    EXPECT_EQ(g.m_pnShearSign[2], 1);
}

TEST(DiagramData, ATieTakesTheSmallestCurve)
{
    CGirderDesign g = CurveGirder(PlateInput({1}), 5.0, Constant(120), Constant(-120));
    EXPECT_EQ(g.m_pMomentEnv[0], CDPoint(0, 120));
    EXPECT_EQ(g.m_pnMomentSign[0], -1);
}

TEST(DiagramData, SignAtAPosition)
{
    const CGirderDesign g = TwoMembers();
    const struct {
        double x;
        int sign;
    } rows[] = {{2.5, 1}, {-0.1, 0}, {10 + 1e-11, 1}, {10.001, 0}, {0.0, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(g.GetMomentSignAt(r.x), r.sign) << r.x;
    CGirderDesign h = CurveGirder(PlateInput({2}), 5.0, Constant(-50), Constant(-60));
    EXPECT_EQ(h.GetMomentSignAt(7.0), -1);
}

TEST(DiagramData, SignAtAPositionIsThatOfTheFirstNodeAtOrPastIt)
{
    // Hogging at the first member's right end, sagging from the second member's left end on:
    // two nodes at x = 5 with opposite signs.
    CGirderDesign g;
    g.m_pdPanelLength = {5.0, 5.0};
    g.m_pdMomentTotalPlusI = {50, 80};
    g.m_pdMomentTotalPlusJ = {10, 60};
    g.m_pdMomentTotalMinusI = {-5, -5};
    g.m_pdMomentTotalMinusJ = {-90, -5};
    g.m_pdShearTotalPlusI = g.m_pdShearTotalPlusJ = g.m_pdShearTotalMinusI = g.m_pdShearTotalMinusJ = {0, 0};
    g.BuildDiagrams(PlateInput({2}));
    ASSERT_EQ(g.m_nNodes, 4);
    const struct {
        double x;
        int sign;
    } rows[] = {{0.0, -1}, {4.9, -1}, {5.0, -1}, {5.0 + 1e-9, 1}, {7.5, 1}, {10.0, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(g.GetMomentSignAt(r.x), r.sign) << r.x;
}

TEST(DiagramData, SectionForcesTakeTheSideOfTheirCheckPoint)
{
    CGirderDesign g = TwoMembers();
    ReferenceSections(g, {5.0, 5.0});
    EXPECT_DOUBLE_EQ(g.m_pSections[1].m_adM[0], 98);
    EXPECT_DOUBLE_EQ(g.m_pSections[1].m_adS[0], 25);
    EXPECT_DOUBLE_EQ(g.m_pSections[0].m_adM[1], 100);
    EXPECT_DOUBLE_EQ(g.m_pSections[0].m_adS[1], -30);
    // Both sides at once take the larger curve 1 and the smaller curve 2.
    double m1, m2;
    g.MomentCases(5.0, 0, m1, m2);
    EXPECT_DOUBLE_EQ(m1, 100);
    EXPECT_DOUBLE_EQ(m2, -25);
    g.MomentCases(2.5, 1, m1, m2);
    EXPECT_DOUBLE_EQ(m1, 50);
    EXPECT_DOUBLE_EQ(m2, -10);
}

TEST(DiagramData, PositionsSumExactly)
{
    CGirderDesign g = CurveGirder(PlateInput({3, 4}), 0.1 + 1.0 / 3, Constant(1), Constant(1));
    double sum = 0;
    for (double l : g.m_pdPanelLength)
        sum += l;
    EXPECT_EQ(sum, g.m_dGirderLength);
    EXPECT_EQ(g.m_pdSpanLength[0] + g.m_pdSpanLength[1], g.m_dGirderLength);
    EXPECT_EQ(g.m_pnSpanStart, (std::vector<int>{0, 3, 7}));
}

TEST(DiagramData, AtMostAHundredPeaksInPositionOrder)
{
    // A saw of 150 teeth rising along the girder: the 100 largest survive.
    CGirderDesign g = CurveGirder(PlateInput({300}), 1.0, [](double x) {
        const int k = int(x + 0.5);
        return k % 2 ? 10.0 + k : 0.0;
    }, Constant(0));
    ASSERT_EQ(g.m_nPeaks, 100);
    for (int i = 1; i < 100; ++i)
        EXPECT_LT(g.m_aPeaks[i - 1].x, g.m_aPeaks[i].x);
    EXPECT_DOUBLE_EQ(g.m_aPeaks[0].x, 101.0);
}


// One span of four 5 m members sagging inside; both supports end in the rounding noise of a
// solver, the negative curve slightly the larger, alike at either end.
CGirderDesign NoisyEnds(CDesignInput in)
{
    CGirderDesign g = CurveGirder(in, 5.0, [](double x) { return 8.0 * x * (20.0 - x); }, Constant(0));
    g.m_pdMomentTotalPlusI[0] = g.m_pdMomentTotalPlusJ[3] = 1e-12;
    g.m_pdMomentTotalMinusI[0] = g.m_pdMomentTotalMinusJ[3] = -3e-12;
    g.BuildDiagrams(in);
    return g;
}

TEST(NoiseAtSupports, CountsAsAPositiveMoment)
{
    CGirderDesign g = NoisyEnds(PlateInput({4}));
    ASSERT_EQ(g.m_nNodes, 8);
    EXPECT_EQ(g.m_pnMomentSign[0], 1);
    EXPECT_EQ(g.m_pnMomentSign[7], 1);
    EXPECT_EQ(g.GetMomentSignAt(20.0), 1);
    EXPECT_EQ(g.GetMomentSignAt(17.5), 1);
    // A sign an old file stored for a noisy node does not count either.
    g.m_pnMomentSign[7] = -1;
    EXPECT_EQ(g.GetMomentSignAt(17.5), 1);
    // A real hogging moment keeps its sign however small the girder's moments are.
    CGirderDesign h = CurveGirder(PlateInput({2}), 5.0, Constant(-1e-6), Constant(-2e-6));
    EXPECT_EQ(h.GetMomentSignAt(7.0), -1);
}

TEST(NoiseAtSupports, MirrorSectionsResistAlike)
{
    for (int type : {0, 1}) {
        CDesignInput in = PlateInput({4});
        in.m_nBridgeType = type;
        CGirderDesign g = NoisyEnds(in);
        ReferenceSections(g, {5.0, 10.0, 5.0});
        const CSectionRecord& first = g.m_pSections.front();
        const CSectionRecord& last = g.m_pSections.back();
        EXPECT_GT(first.m_dMr, 0.0);
        EXPECT_NEAR(last.m_dMr, first.m_dMr, 1e-9 * first.m_dMr) << type;
        // The table shows the supports' moments as plain zeros.
        EXPECT_EQ(first.m_adM[0], 0.0);
        EXPECT_FALSE(std::signbit(last.m_adM[1])) << type;
        EXPECT_EQ(last.m_adM[1], 0.0);
    }
}

}
