// Properties that every design keeps, over random girders, loads and layout changes.
#include "design/steel_tables.h"
#include "design_girder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct RandomGirder {
    CGirderDesign g;
    CDesignInput in;
};

// Continuous spans under a uniform load and a live load band: moments of both signs, a
// shear jump at every panel point.
RandomGirder MakeRandom(std::mt19937& rng)
{
    std::uniform_int_distribution<int> spans(1, 3), panels(4, 8), box(0, 4), flag(0, 1);
    std::uniform_real_distribution<double> panel(3.0, 6.0), load(2.0, 6.0), height(1.6, 2.4);
    RandomGirder r;
    CDesignInput& in = r.in;
    in.m_anPanelCount.clear();
    const int n = spans(rng);
    for (int s = 0; s < n; ++s)
        in.m_anPanelCount.push_back(panels(rng));
    in.m_nBridgeType = box(rng) == 0 ? 1 : 0;
    in.m_dGirderHeight = std::round(height(rng) * 1000) / 1000;
    in.m_bConstFlangeWidth = flag(rng);
    in.m_nThicknessStep = flag(rng);
    in.m_nWeathering = flag(rng);
    in.m_bPlateNetArea11 = flag(rng);
    in.m_adRibWidth[0][0] = in.m_adRibWidth[1][0] = in.m_adRibWidth[2][0] = in.m_adRibWidth[3][0] = 0.15;
    in.m_adRibThick[0][0] = in.m_adRibThick[1][0] = in.m_adRibThick[2][0] = in.m_adRibThick[3][0] = 0.012;
    in.m_adRibWidth[2][1] = 0.2;
    in.m_adRibThick[2][1] = 0.022;
    in.m_dWebSpacingA = 1800;

    const double p = panel(rng), w = load(rng);
    const double span = p * in.m_anPanelCount[0];
    CurveFn base = [=](double x) {
        // A simple span moment with hogging over every support.
        const double u = std::fmod(x, span);
        return w * u * (span - u) / 2 - (n > 1 ? w * span * span / 10 : 0.0);
    };
    std::vector<int> same(size_t(n), in.m_anPanelCount[0]);
    in.m_anPanelCount = same;      // equal spans keep the curves continuous at the supports
    CurveFn shear1 = [=](double x) { return w * (span / 2 - std::fmod(x, span)) + 15; };
    CurveFn shear2 = [=](double x) { return w * (span / 2 - std::fmod(x, span)) - 15; };
    r.g = CurveGirder(in, p, [=](double x) { return base(x) + 0.3 * w * span; },
                      [=](double x) { return base(x) - 0.3 * w * span; }, shear1, shear2);
    return r;
}

void ExpectLayout(const CGirderDesign& g)
{
    double sum = 0;
    for (const CSectionRecord& s : g.m_pSections)
        sum += s.m_dLength;
    EXPECT_NEAR(sum, g.m_dGirderLength, 1e-9);
    ASSERT_EQ(g.m_nSections, int(g.m_pSections.size()));
    for (int s = 0; s < g.m_nSections; ++s) {
        const CSectionRecord& r = g.m_pSections[s];
        if (s + 1 < g.m_nSections) {
            EXPECT_NEAR(r.m_adCheck[1], g.m_pSections[s + 1].m_adCheck[0], 1e-9);
            EXPECT_EQ(r.m_nJoinNext, g.m_pSections[s + 1].m_nJoinPrev);
        }
        EXPECT_EQ(r.m_anJointKind[0], s == 0 ? 2 : r.m_nJoinPrev);
        EXPECT_EQ(r.m_anJointKind[1], s == g.m_nSections - 1 ? 2 : r.m_nJoinNext);
    }
    EXPECT_EQ(g.m_pSections.front().m_nJoinPrev, 0);
    EXPECT_EQ(g.m_pSections.back().m_nJoinNext, 0);
    // Constant height: blocks and sections coincide.
    EXPECT_EQ(g.Blocks().size(), g.m_pSections.size());
}

// Every section passes the printed checks, its plates are shared in the block, and its
// derived values add up.
void ExpectDesigned(const CGirderDesign& g)
{
    for (const auto& [first, last] : g.Blocks())
        for (int s = first + 1; s <= last; ++s) {
            const CSectionRecord &a = g.m_pSections[first], &b = g.m_pSections[s];
            EXPECT_EQ(a.m_dBUpper, b.m_dBUpper);
            EXPECT_EQ(a.m_dTLower, b.m_dTLower);
            EXPECT_EQ(a.m_nGradeWeb, b.m_nGradeWeb);
        }
    const bool box = g.m_input.m_nBridgeType != 0;
    for (const CSectionRecord& s : g.m_pSections) {
        for (int j = 0; j < 3; ++j) {
            for (int f = 0; f < 2; ++f) {
                const double sigma = f ? s.GetLowerFlangeStress(g, j) : s.GetUpperFlangeStress(g, j);
                const double allow = f ? s.GetLowerAllowableStress(g, j) : s.GetUpperAllowableStress(g, j);
                EXPECT_GE(sigma, 0.0);
                EXPECT_LE(sigma, allow + 1e-6) << "flange " << f << " at " << j;
            }
            EXPECT_LE(s.GetCombinedStressRatio(g, j), 1.2 + 1e-9);
            EXPECT_LE(std::fabs(s.GetShearStress(j)), s.GetAllowableShearStress() + 1e-6);
        }
        if (!box) {
            EXPECT_LE((s.m_dBUpper - s.m_dTWeb) / 2, 16 * s.m_dTUpper + 1e-9);
            EXPECT_LE((s.m_dBLower - s.m_dTWeb) / 2, 16 * s.m_dTLower + 1e-9);
        }
        EXPECT_LE(s.m_dHWeb / s.m_dTWeb, steel::WebRatio(s.m_nGradeWeb, s.m_nStiffenerLevels) + 1e-9);
        for (int end = 0; end < 2; ++end) {
            EXPECT_GE(s.GetHoleStressFactor(end), 1.0);
            if (s.m_anJointKind[end] != 0) {
                EXPECT_EQ(s.GetHoleStressFactor(end), 1.0);
            }
        }
        EXPECT_NEAR(s.m_dArea, s.m_dAreaUpper + s.m_dAreaLower + s.m_dAreaWeb + s.m_dAreaRibUpper + s.m_dAreaRibLower, 1e-15);
        EXPECT_NEAR(s.m_dWWhole, s.GetPlateWeight() + s.GetLowerFlangeWeight() + s.GetWebWeight() + s.GetUpperRibWeight() +
                                     s.GetLowerRibWeight(), 1e-12);
        EXPECT_GT(s.m_dMr, 0.0);
    }
}

// One ladder step down on any plate of a plate girder breaks a printed check.
void ExpectMinimalGrades(const CGirderDesign& g)
{
    if (g.m_input.m_nBridgeType != 0)
        return;
    for (size_t s = 0; s < g.m_pSections.size(); ++s)
        for (int plate = 0; plate < 3; ++plate) {
            CGirderDesign weaker = g;
            CSectionRecord& r = weaker.m_pSections[s];
            int& grade = plate == 0 ? r.m_nGradeUpper : plate == 1 ? r.m_nGradeLower : r.m_nGradeWeb;
            // Every plate's limit is the input's default SM490Y.
            const int weathering = g.m_input.m_nWeathering;
            const std::vector<int> ladder = steel::Ladder(steel::LimitGrade(3, weathering), weathering);
            const auto at = std::find(ladder.begin(), ladder.end(), grade);
            if (at == ladder.begin() || at == ladder.end())
                continue;
            grade = *(at - 1);
            bool broken = r.m_dHWeb / r.m_dTWeb > steel::WebRatio(r.m_nGradeWeb, r.m_nStiffenerLevels);
            for (int j = 0; j < 3; ++j) {
                broken |= r.GetUpperFlangeStress(weaker, j) > r.GetUpperAllowableStress(weaker, j);
                broken |= r.GetLowerFlangeStress(weaker, j) > r.GetLowerAllowableStress(weaker, j);
                broken |= r.GetCombinedStressRatio(weaker, j) > 1.2;
                broken |= std::fabs(r.GetShearStress(j)) > r.GetAllowableShearStress();
            }
            EXPECT_TRUE(broken) << "section " << s << ", plate " << plate;
        }
}

TEST(DesignProperties, RandomGirdersAndLayoutChanges)
{
    std::mt19937 rng(20261207);
    for (int trial = 0; trial < 25; ++trial) {
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        RandomGirder r = MakeRandom(rng);
        CGirderDesign& g = r.g;
        ASSERT_EQ(g.LoadResultsAndDesign(r.in), 1);
        ExpectLayout(g);
        ExpectDesigned(g);
        ExpectMinimalGrades(g);

        // The forces and check points are found again unchanged; recalculating moves no plate.
        const CGirderDesign before = g;
        EXPECT_EQ(g.UpdateSectionForces(), 1);
        g.LocateCheckPoints();
        for (CSectionRecord& s : g.m_pSections)
            s.Recalculate(g);
        EXPECT_TRUE(g == before);

        // Random joins and splits.
        for (int step = 0; step < 4; ++step) {
            const int blocks = int(g.Blocks().size());
            if (step % 2 == 0 && blocks > 1) {
                const int first = std::uniform_int_distribution<int>(0, blocks - 2)(rng);
                EXPECT_EQ(g.JoinBlocks(first, first + 1, 1), 1);
            } else {
                const int b = std::uniform_int_distribution<int>(0, blocks - 1)(rng);
                const double length = g.BlockLengths()[b];
                if (length > 1.0) {
                    EXPECT_EQ(g.SplitBlock(b, std::uniform_real_distribution<double>(0.2, length - 0.2)(rng), 1), 1);
                }
            }
            ExpectLayout(g);
            ExpectDesigned(g);
        }
    }
}

}
