// One flange width per plate girder, chosen for the least steel among the widths the blocks
// take on their own.
#include "design_girder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

namespace {

// Two continuous spans of 30 m: 300 tf·m in the spans, -533 tf·m over the pier.
CGirderDesign TwoSpans(const CDesignInput& in)
{
    auto m = [](double x) {
        const double u = x <= 30 ? x : 60 - x;
        return 4.74 * u * (11.25 - u / 2);
    };
    return CurveGirder(in, 3.75, [m](double x) { return m(x) + 10; }, [m](double x) { return m(x) - 10; },
                       [](double x) { return 80 - 4 * std::fmod(x, 30.0); },
                       [](double x) { return 60 - 4 * std::fmod(x, 30.0); });
}

double Mass(const CGirderDesign& g)
{
    double w = 0;
    for (const CSectionRecord& s : g.m_pSections)
        w += s.m_dWWhole;
    return w;
}

// The girder designed with every flange width held by the limits (mm).
CGirderDesign AtWidths(int upper, int lower)
{
    CDesignInput in = PlateInput({8, 8});
    in.m_bConstFlangeWidth = 0;
    in.m_adLimit[2] = in.m_adLimit[3] = upper / 1000.0;
    in.m_adLimit[6] = in.m_adLimit[7] = lower / 1000.0;
    CGirderDesign g = TwoSpans(in);
    g.LoadResultsAndDesign(in);
    return g;
}

// Every check the section table prints, at every section and check point.
int FailedChecks(const CGirderDesign& g)
{
    int failed = 0;
    for (const CSectionRecord& s : g.m_pSections)
        for (int j = 0; j < 3; ++j) {
            if (j == 2 && !s.m_bHasC)
                continue;
            failed += s.GetUpperFlangeStress(g, j) > s.GetUpperAllowableStress(g, j) + 1e-9;
            failed += s.GetLowerFlangeStress(g, j) > s.GetLowerAllowableStress(g, j) + 1e-9;
            failed += std::fabs(s.GetShearStress(j)) > s.GetAllowableShearStress() + 1e-9;
            failed += s.GetCombinedStressRatio(g, j) > 1.2 + 1e-9;
        }
    return failed;
}

// Whether every section's bolt holes are those its widths take now.
bool HolesFollowWidths(const CGirderDesign& g)
{
    for (const CSectionRecord& s : g.m_pSections) {
        CSectionRecord fresh = s;
        fresh.SetBoltHoles(g.m_input);
        if (!std::equal(std::begin(fresh.m_anBoltHoles), std::end(fresh.m_anBoltHoles), std::begin(s.m_anBoltHoles)) ||
            !std::equal(&fresh.m_anOtherHoles[0][0], &fresh.m_anOtherHoles[0][0] + 4, &s.m_anOtherHoles[0][0]))
            return false;
    }
    return true;
}

std::set<int> Widths(const CGirderDesign& g, int f)
{
    std::set<int> w;
    for (const CSectionRecord& s : g.m_pSections)
        w.insert(int(std::lround((f == 0 ? s.m_dBUpper : s.m_dBLower) * 1000)));
    return w;
}

}

// Each block at its own widths: spans 400 x 13 / 350 x 15, the pier 600 x 23 / 500 x 26,
// 13.779 t. The widest widths over the girder (600 / 500) weigh 17.239 t; the least steel
// among the blocks' own widths is 330 / 350 at 14.050 t, 18 % lighter, and every check holds.
TEST(ConstantFlangeWidth, TheLeastSteelAmongTheBlocksOwnWidths)
{
    CDesignInput free = PlateInput({8, 8});
    free.m_bConstFlangeWidth = 0;
    CGirderDesign own = TwoSpans(free);
    own.LoadResultsAndDesign(free);
    EXPECT_EQ(Widths(own, 0), (std::set<int>{330, 370, 400, 600}));
    EXPECT_EQ(Widths(own, 1), (std::set<int>{270, 350, 410, 500}));
    EXPECT_NEAR(Mass(own), 13.779, 5e-4);
    EXPECT_EQ(FailedChecks(own), 0);

    CDesignInput in = PlateInput({8, 8});
    CGirderDesign g = TwoSpans(in);
    g.LoadResultsAndDesign(in);
    for (const CSectionRecord& s : g.m_pSections) {
        EXPECT_EQ(s.m_dBUpper, 0.33);
        EXPECT_EQ(s.m_dBLower, 0.35);
    }
    EXPECT_EQ(g.m_dMaxBUpper, 0.33);
    EXPECT_NEAR(Mass(g), 14.050, 5e-4);
    EXPECT_EQ(FailedChecks(g), 0);
    // The pier block tried its own 600 mm (four holes across) before taking 330 mm (two).
    EXPECT_TRUE(HolesFollowWidths(own));
    EXPECT_TRUE(HolesFollowWidths(g));
    // The same as every block designed at those widths, and lighter than at the widest.
    EXPECT_DOUBLE_EQ(Mass(g), Mass(AtWidths(330, 350)));
    const double widest = Mass(AtWidths(600, 500));
    EXPECT_NEAR(widest, 17.239, 5e-4);
    EXPECT_LT(Mass(g), 0.85 * widest);
}

// After a split the untouched blocks are kept: the new blocks take no width below theirs,
// the kept ones are widened to the new width with their thicknesses while their checks
// hold, and the girder ends at one width per flange.
TEST(ConstantFlangeWidth, KeptBlocksSetTheFloor)
{
    CDesignInput in = PlateInput({8, 8});
    CGirderDesign g = TwoSpans(in);
    g.LoadResultsAndDesign(in);
    const CGirderDesign before = g;
    ASSERT_EQ(g.SplitBlock(2, 3.0, 1), 1);
    const std::set<int> upper = Widths(g, 0), lower = Widths(g, 1);
    ASSERT_EQ(upper.size(), 1u);
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_GE(*upper.begin(), 330);
    EXPECT_GE(*lower.begin(), 350);
    // The blocks after the split are the ones before it, widened.
    const size_t n = g.m_pSections.size(), m = before.m_pSections.size();
    for (size_t k = 1; k <= 3; ++k) {
        const CSectionRecord& a = g.m_pSections[n - k];
        const CSectionRecord& b = before.m_pSections[m - k];
        EXPECT_EQ(a.m_dTUpper, b.m_dTUpper);
        EXPECT_EQ(a.m_dTLower, b.m_dTLower);
        EXPECT_EQ(a.m_dTWeb, b.m_dTWeb);
        EXPECT_EQ(a.m_dLength, b.m_dLength);
    }
    EXPECT_EQ(FailedChecks(g), 0);
    EXPECT_TRUE(HolesFollowWidths(g));
}

// A kept block narrower than the chosen width is widened, keeping its thickness while the
// checks it passed still pass.
TEST(ConstantFlangeWidth, AKeptBlockIsWidenedToTheGirdersWidth)
{
    CDesignInput in = PlateInput({8, 8});
    CGirderDesign g = TwoSpans(in);
    g.LoadResultsAndDesign(in);
    // The last block narrowed by hand, and kept by a split elsewhere.
    const auto blocks = g.Blocks();
    const int last = blocks.back().first;
    for (int s = last; s < int(g.m_pSections.size()); ++s)
        g.m_pSections[size_t(s)].m_dBUpper = 0.30;
    const double t = g.m_pSections[size_t(last)].m_dTUpper;
    ASSERT_EQ(g.SplitBlock(0, 3.0, 1), 1);
    const std::set<int> upper = Widths(g, 0);
    ASSERT_EQ(upper.size(), 1u);
    EXPECT_GE(*upper.begin(), 330);
    EXPECT_EQ(g.m_pSections.back().m_dTUpper, t);
    EXPECT_EQ(FailedChecks(g), 0);
}

TEST(ConstantFlangeWidth, LeastSteelNarrowerOnATieWidestWhenNoneHolds)
{
    EXPECT_EQ(LeastSteelWidth({{300, true, 14.2}, {350, true, 14.1}, {400, true, 14.3}}), 350);
    // Within 1e-9 t the narrower wins, in whatever order they were tried.
    EXPECT_EQ(LeastSteelWidth({{400, true, 14.1}, {350, true, 14.1 + 5e-10}}), 350);
    EXPECT_EQ(LeastSteelWidth({{350, true, 14.1 + 5e-10}, {400, true, 14.1}}), 350);
    EXPECT_EQ(LeastSteelWidth({{350, true, 14.1 + 2e-9}, {400, true, 14.1}}), 400);
    // A width under which a block fails what it passed on its own is passed over.
    EXPECT_EQ(LeastSteelWidth({{300, false, 13.0}, {350, true, 14.1}}), 350);
    EXPECT_EQ(LeastSteelWidth({{300, false, 13.0}, {450, false, 14.5}, {350, false, 14.1}}), 450);
}
