// The printed listing of several models, kept as hashes of its text: a faster solver must
// print exactly what the straightforward one printed.
#include "chain.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

using namespace mvgtest;
using namespace mvg;

namespace {

constexpr double kG = 9.80665;

std::string ListingOf(const BridgeLayout& b)
{
    const Solved s = Solve(b);
    std::string text;
    for (const ListingPart& part : Combine(s.m, s.dead, s.live))
        text += FormatPart(part, s.m.stamp);
    return text;
}

std::string Hash(const std::string& text)
{
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char buf[24];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, h);
    return buf;
}

BridgeLayout Decked(BridgeLayout b, int cls)
{
    const double W = b.Width();
    b.liveLoad = cls;
    b.live = true;
    b.sidewalk = 3;
    b.autoZones = false;
    b.cw = {1.0, W - 1.0};
    b.sidewalks = {{0.2, 1.0}, {W - 1.0, W - 0.2}};
    b.strips = {{8, 0, W, 0.22}, {4, 1.0, W - 1.0, 0.08}};
    b.unitWeight = {{4, 2.3}, {8, 2.5}};
    b.rails = {{1, 0.1}, {2, W - 0.1}};
    b.rail1 = b.rail2 = 0.05;
    b.steel.assign(b.G, 0.4);
    b.haunch.assign(b.G, 0.1);
    b.p1m = 10 / kG;
    b.p1s = 12 / kG;
    b.p2.assign(b.spans.size(), 3.5 / kG);
    b.pc.assign(b.spans.size(), 3.5 / kG);
    return b;
}

// Mirror-symmetric: equal girders, symmetric deck, cross beams across the whole width.
BridgeLayout Symmetric()
{
    BridgeLayout b;
    b.G = 8;
    b.spacing = 2.4;
    b.spans = {40, 50, 40};
    b.panels = {10};
    b.J = 2e-5;
    for (int p = 1; p <= 31; ++p)
        if ((p - 1) % 10 == 0)
            b.cross.push_back({p, p == 1 || p == 31 ? 0 : 3, 0.02, 0});
        else if ((p - 1) % 5 == 0)
            b.cross.push_back({p, 2, 0.01, 1e-4});
    return Decked(b, 1);
}

} // namespace

TEST(SolverListingKept, ModelsPrintTheListingTheyAlwaysPrinted)
{
    // The hashes were taken with the fused multiply-add kernel; another kernel rounds
    // its last bits apart and may print a digit differently.
#if defined(__GNUC__) && defined(__x86_64__)
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("fma"))
        GTEST_SKIP() << "no fused multiply-add kernel on this processor";
#else
    GTEST_SKIP() << "no fused multiply-add kernel on this platform";
#endif
    struct Case {
        const char* name;
        BridgeLayout b;
        const char* hash;
    };
    std::vector<Case> cases;

    cases.push_back({"symmetric", Symmetric(), "7403e5c525459323"});

    BridgeLayout stiffer = Symmetric();  // one outer girder differs: no mirror
    stiffer.lineI.assign(stiffer.G, stiffer.I);
    stiffer.lineJ.assign(stiffer.G, stiffer.J);
    stiffer.lineI[0] = 0.06;
    cases.push_back({"one line stiffer", stiffer, "4dc00a8e18a80371"});

    BridgeLayout lopsided = Symmetric();  // sidewalk on one side only
    lopsided.sidewalks.pop_back();
    lopsided.cw.b = lopsided.Width() - 0.5;
    cases.push_back({"lopsided deck", lopsided, "4f0f59fd3bbddad5"});

    BridgeLayout median = Symmetric();
    median.liveLoad = 0;
    median.liveD = 6;
    median.hasNoll = true;
    median.noll = {median.Width() / 2 - 0.6, median.Width() / 2 + 0.6};
    cases.push_back({"median, class A", median, "a0dc54e7e823f9c9"});

    BridgeLayout crowd = Symmetric();
    crowd.liveLoad = 5;
    cases.push_back({"crowd only", crowd, "105a355fc2af4cb5"});

    BridgeLayout skew;
    skew.G = 3;
    skew.spans = {20, 25};
    skew.panels = {4, 5};
    skew.skewDeg = 65;
    skew.cross = {{1, 0, 0.02, 0}, {5, 3, 0.02, 0}, {10, 0, 0.02, 0}, {3, 2, 0.01, 1e-4}};
    cases.push_back({"skewed", Decked(skew, 1), "89e894d41f33b17e"});

    BridgeLayout curved;
    curved.G = 5;
    curved.spans = {30, 36, 30};
    curved.panels = {6};
    curved.radius = 150;
    curved.cross = {{1, 0, 0.02, 0}, {4, 2, 0.01, 1e-4}, {7, 3, 0.02, 0}, {13, 3, 0.02, 0}, {19, 0, 0.02, 0}};
    cases.push_back({"curved, T+L", Decked(curved, 3), "c4cca8958b1aba19"});

    BridgeLayout box;
    box.bridgeType = 2;
    box.G = 3;
    box.spacing = 1.5;
    box.overhang = 3.0;
    box.I = 0.4;
    box.J = 0.5;
    box.spans = {30, 30};
    box = Decked(box, 1);
    box.steel = {0, 1.0, 0};
    box.haunch = {0, 0.2, 0};
    cases.push_back({"single box", box, "385ab8dab4bc6a4a"});

    cases.push_back({"largest", LargestLayout(), "e37b6af75a878339"});

    for (const Case& c : cases)
        EXPECT_EQ(Hash(ListingOf(c.b)), c.hash) << c.name;
}

TEST(SolverListingKept, MirrorSideEqualsTheDirectComputation)
{
    BridgeLayout b = Symmetric();
    b.spans = {30, 40, 30};
    b.G = 7;  // a middle girder that is its own partner
    b.cross = {{1, 0, 0.02, 0},    {6, 2, 0.01, 1e-4},  {11, 3, 0.02, 0}, {16, 2, 0.01, 1e-4},
               {21, 3, 0.02, 0}, {26, 2, 0.01, 1e-4}, {31, 0, 0.02, 0}};
    b = Decked(b, 1);
    const Solved s = Solve(b, false);
    const Responses resp = BuildResponses(s.m, s.el, s.st);
    std::vector<signed char> sign;
    ASSERT_EQ(MirrorPartners(s.m, resp, sign).size(), size_t(resp.size()));
    ASSERT_EQ(EndForEndPartners(s.m, resp, sign).size(), size_t(resp.size()));
    LiveOptions direct;
    direct.mirror = false;
    const LiveResult a = SolveLive(s.m, s.el, s.st, s.L), d = SolveLive(s.m, s.el, s.st, s.L, direct);
    auto same = [](double x, double y) { return std::abs(x - y) <= 1e-9 * (1 + std::abs(y)); };
    for (size_t k = 0; k < a.member.size(); ++k)
        for (int f = 0; f < 12; ++f)
            EXPECT_PRED2(same, a.member[k][f], d.member[k][f]) << "member " << k << " force " << f;
    for (size_t k = 0; k < a.reaction.size(); ++k)
        for (int f = 0; f < 2; ++f)
            EXPECT_PRED2(same, a.reaction[k][f], d.reaction[k][f]);
    for (size_t k = 0; k < a.deflection.size(); ++k)
        for (int f = 0; f < 2; ++f)
            EXPECT_PRED2(same, a.deflection[k][f], d.deflection[k][f]);
    ASSERT_EQ(a.detail.size(), d.detail.size());
    for (size_t k = 0; k < a.detail.size(); ++k)
        for (int f = 0; f < 2; ++f)
            EXPECT_PRED2(same, a.detail[k][f], d.detail[k][f]);

    // unequal end spans, skewed supports or a curve have no mirror
    BridgeLayout lopsided = b;
    lopsided.spans = {30, 40, 31};
    const Solved lo = Solve(lopsided, false);
    EXPECT_TRUE(EndForEndPartners(lo.m, BuildResponses(lo.m, lo.el, lo.st), sign).empty());
    BridgeLayout skew = b;
    skew.skewDeg = 80;
    const Solved sk = Solve(skew, false);
    EXPECT_TRUE(MirrorPartners(sk.m, BuildResponses(sk.m, sk.el, sk.st), sign).empty());
    BridgeLayout curve = b;
    curve.radius = 400;
    const Solved cu = Solve(curve, false);
    EXPECT_TRUE(MirrorPartners(cu.m, BuildResponses(cu.m, cu.el, cu.st), sign).empty());
}

// The tiles run on the pool in any order the threads take them: no bit may depend
// on how many there are.
TEST(SolverListingKept, ThreadCountChangesNoBit)
{
    BridgeLayout b = Symmetric();
    b.lineI.assign(b.G, b.I);
    b.lineI[2] = 0.07;  // not mirrored, so every response is computed
    const Solved s = Solve(b, false);
    const LiveResult all = SolveLive(s.m, s.el, s.st, s.L);
    for (int threads : {1, 3}) {
        LiveOptions opt;
        opt.threads = threads;
        const LiveResult r = SolveLive(s.m, s.el, s.st, s.L, opt);
        EXPECT_EQ(r.member, all.member) << threads;
        EXPECT_EQ(r.reaction, all.reaction) << threads;
        EXPECT_EQ(r.deflection, all.deflection) << threads;
        EXPECT_EQ(r.detail, all.detail) << threads;
    }
}
