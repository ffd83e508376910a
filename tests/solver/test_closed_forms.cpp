// Closed-form cases: simple and continuous beams, the B live load on one girder,
// Courbon and lever-rule bounds, the example bridge's dead load, skewed supports.
#include "chain.h"
#include "solver/window.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mvgtest;
using namespace mvg;

namespace {

constexpr double kG = 9.80665;

// Relative closeness for envelope values.
void ExpectRel(double actual, double expected, double rel = 1e-6)
{
    EXPECT_NEAR(actual, expected, rel * std::abs(expected)) << "expected " << expected;
}

BridgeLayout Beam(std::vector<double> spans, int panels)
{
    BridgeLayout b;
    b.spans = std::move(spans);
    b.panels = {panels};
    b.overhang = 0.5;  // one girder on a deck 1 m wide
    return b;
}

// A one-metre strip of a single girder under the live load of the class.
BridgeLayout LaneBeam(std::vector<double> spans, int panels, int cls)
{
    BridgeLayout b = Beam(std::move(spans), panels);
    b.liveLoad = cls;
    b.live = true;
    b.liveD = (cls == 0 || cls == 2) ? 6 : 10;
    b.p1m = 10 / kG;
    b.p1s = 12 / kG;
    b.p2.assign(b.spans.size(), 3.5 / kG);
    b.pc.assign(b.spans.size(), 3.5 / kG);
    return b;
}

double LivePlus(const Solved& s, int member, int end)
{
    return s.live.member[member][end];
}
double LiveMinus(const Solved& s, int member, int end)
{
    return s.live.member[member][6 + end];
}

} // namespace

TEST(SolverClosedForms, SimpleBeamUnderUniformLoad)
{
    BridgeLayout b = Beam({30}, 6);
    b.steel = {1.0};
    const Solved s = Solve(b, false);
    ASSERT_EQ(s.dead.reaction.size(), 2u);
    EXPECT_NEAR(s.dead.reaction[0], 15.0, 1e-9);
    EXPECT_NEAR(s.dead.reaction[1], 15.0, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 1)][kMI], 0.0, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 1)][kMJ], 62.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 3)][kMJ], 112.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 4)][kMI], 112.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 1)][kVI], 15.0, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 3)][kVJ], 0.0, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 6)][kVJ], -15.0, 1e-9);
    EXPECT_NEAR(s.dead.deflection[s.m.node(0, 3)], 10.342951, 1e-6);
    EXPECT_EQ(s.dead.deflection[s.m.node(0, 0)], 0.0);
    for (const auto& f : s.dead.member) {
        EXPECT_NEAR(f[kTI], 0.0, 1e-9);
        EXPECT_NEAR(f[kTJ], 0.0, 1e-9);
    }
}

TEST(SolverClosedForms, SimpleBeamUnderPointLoads)
{
    // A unit load at x: R_0 = 1 - x/L, M(15) = x/2 (x <= L/2), deflection at
    // midspan x (3L^2 - 4x^2) / (48 EI) for x <= L/2.
    const BridgeLayout b = Beam({30}, 6);
    const Solved s = Solve(b, false);
    Influence inf(s.m, s.el, s.st, s.L);
    const auto& r = inf.responses();
    const double L = 30, EI = b.E * b.I;
    for (int p = 1; p <= 5; ++p) {
        const double x = 5.0 * p, a = std::min(x, L - x);
        const auto o = inf.AtNode(s.m.node(0, p));
        EXPECT_NEAR(o[size_t(r.ofBearing[0]) * 3], 1 - x / L, 1e-12);
        EXPECT_NEAR(o[size_t(r.ofMember[Member(s, 1, 3)][kMJ]) * 3], a / 2, 1e-12);
        EXPECT_NEAR(o[size_t(r.ofNode[s.m.node(0, 3)]) * 3], 1000 * a * (3 * L * L - 4 * a * a) / (48 * EI), 1e-9);
        // shear left and right of the load
        const int k = Member(s, 1, p);
        EXPECT_NEAR(o[size_t(r.ofMember[k][kVJ]) * 3], 1 - x / L, 1e-12);
        EXPECT_NEAR(o[size_t(r.ofMember[k + 1][kVI]) * 3], -x / L, 1e-12);
    }
}

TEST(SolverClosedForms, UnitEndMomentOnASimpleBeam)
{
    // A unit moment about n_n at the first node: sagging 1 there, V = -1/L, and the
    // reactions -1/L and +1/L.
    const Solved s = Solve(Beam({30}, 1), false);
    Influence inf(s.m, s.el, s.st, s.L);
    const auto o = inf.AtNode(s.m.node(0, 0));
    const auto& r = inf.responses();
    EXPECT_NEAR(o[size_t(r.ofMember[0][kMI]) * 3 + 2], 1.0, 1e-12);
    EXPECT_NEAR(o[size_t(r.ofMember[0][kMJ]) * 3 + 2], 0.0, 1e-12);
    EXPECT_NEAR(o[size_t(r.ofMember[0][kVI]) * 3 + 2], -1.0 / 30, 1e-12);
    EXPECT_NEAR(o[size_t(r.ofBearing[0]) * 3 + 2], -1.0 / 30, 1e-12);
    EXPECT_NEAR(o[size_t(r.ofBearing[1]) * 3 + 2], 1.0 / 30, 1e-12);
    // a force on a bearing goes straight into it
    EXPECT_EQ(o[size_t(r.ofBearing[0]) * 3], 1.0);
    EXPECT_EQ(o[size_t(r.ofBearing[1]) * 3], 0.0);
    EXPECT_EQ(o[size_t(r.ofMember[0][kMI]) * 3], 0.0);
}

TEST(SolverClosedForms, TwoSpanBeamUnderUniformLoad)
{
    BridgeLayout b = Beam({30, 30}, 6);
    b.steel = {1.0};
    const Solved s = Solve(b, false);
    ASSERT_EQ(s.dead.reaction.size(), 3u);
    EXPECT_NEAR(s.dead.reaction[0], 11.25, 1e-9);
    EXPECT_NEAR(s.dead.reaction[1], 37.5, 1e-9);
    EXPECT_NEAR(s.dead.reaction[2], 11.25, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 6)][kMJ], -112.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 7)][kMI], -112.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 2)][kMJ], 62.5, 1e-9);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 3)][kMJ], 56.25, 1e-9);
}

TEST(SolverClosedForms, TwoSpanInfluenceLineOfThePierMoment)
{
    const Solved s = Solve(Beam({30, 30}, 6), false);
    Influence inf(s.m, s.el, s.st, s.L);
    const int r = inf.responses().ofMember[Member(s, 1, 6)][kMJ];
    const double expect[5] = {-1.2152778, -2.2222222, -2.8125, -2.7777778, -1.9097222};
    for (int i = 0; i < 5; ++i) {
        const double x = 5.0 * (i + 1);
        EXPECT_NEAR(-x * (900 - x * x) / 3600, expect[i], 1e-7);
        const auto o = inf.AtNode(s.m.node(0, i + 1));
        EXPECT_NEAR(o[size_t(r) * 3], expect[i], 1e-7) << "load at " << x;
        // mirrored in span 2
        const auto o2 = inf.AtNode(s.m.node(0, 11 - i));
        EXPECT_NEAR(o2[size_t(r) * 3], expect[i], 1e-7) << "load at " << 60 - x;
    }
    // inside member 1: the Hermite ordinate at its middle is the exact one
    const auto oI = inf.AtNode(s.m.node(0, 0));
    const auto oJ = inf.AtNode(s.m.node(0, 1));
    const auto& item = inf.responses().list[r];
    const auto c = MemberControlValues(s.el.list[0], item, 0, &oI[size_t(r) * 3], &oJ[size_t(r) * 3]);
    EXPECT_NEAR(c[0], 0.0, 1e-9);
    EXPECT_NEAR(c[1], -0.4166667, 1e-7);
    EXPECT_NEAR(c[2], -0.8333333, 1e-7);
    EXPECT_NEAR(c[3], -1.2152778, 1e-7);
    const double e[4] = {c[0], c[1], c[2], c[3]};
    EXPECT_NEAR(BernsteinAt(e, 0.5), -2.5 * (900 - 6.25) / 3600, 1e-12);
}

TEST(SolverClosedForms, TwoSpanLiveLoadAtThePier)
{
    const Solved s = Solve(LaneBeam({30, 30}, 6, 1));
    const double expect = 1.25 * ((3.5 / kG) * -112.5 + (10 / kG) * -27.673092);
    EXPECT_NEAR(expect, -85.462534, 1e-6);
    ExpectRel(LiveMinus(s, Member(s, 1, 6), kMJ), expect);
    ExpectRel(LiveMinus(s, Member(s, 1, 7), kMI), expect);
    EXPECT_NEAR(s.live.impactEnd[0], 0.25, 1e-15);
}

TEST(SolverClosedForms, TwoSpanWorstWindowOfThePierMoment)
{
    // The p1 window of the pier moment, searched over the panel cubics of its
    // influence line: [12.078251, 22.078251], the first of two mirror images.
    const Solved s = Solve(Beam({30, 30}, 6), false);
    Influence inf(s.m, s.el, s.st, s.L);
    const int r = inf.responses().ofMember[Member(s, 1, 6)][kMJ];
    std::vector<double> T;
    for (const auto& sec : s.m.sections)
        T.push_back(sec.T);
    WindowGeometry g;
    g.Init(T, 10.0);
    WindowState st;
    std::vector<WindowSlot> ring(g.depth);
    for (int p = 0; p + 1 < s.m.P; ++p) {
        const auto oI = inf.AtNode(s.m.node(0, p));
        const auto oJ = inf.AtNode(s.m.node(0, p + 1));
        const auto c = MemberControlValues(s.el.list[p], inf.responses().list[r], p, &oI[size_t(r) * 3],
                                           &oJ[size_t(r) * 3]);
        double e[4] = {std::min(c[0], 0.0), std::min(c[1], 0.0), std::min(c[2], 0.0), std::min(c[3], 0.0)};
        WindowAdd(g, st, ring.data(), p, e, -1);
    }
    EXPECT_NEAR(WindowFinish(g, st), -27.673092, 1e-6);
    EXPECT_NEAR(st.a, 12.078251, 1e-6);
    EXPECT_NEAR(st.pi, -112.5, 1e-9);
}

TEST(SolverClosedForms, FullUniformLiveLoadGivesTheDeadLoadMomentWithAnyPanelCount)
{
    for (int panels : {2, 6}) {
        BridgeLayout b = LaneBeam({30, 30}, panels, 1);
        b.liveD = 10;
        b.p1m = b.p1s = 0;
        b.p2 = {1, 1};
        b.pc = {0, 0};
        const Solved s = Solve(b);
        ExpectRel(LiveMinus(s, Member(s, 1, panels), kMJ), 1.25 * -112.5);
        ExpectRel(LiveMinus(s, Member(s, 1, panels + 1), kMI), 1.25 * -112.5);
    }
}

TEST(SolverClosedForms, SingleGirderUnderTheBLoad)
{
    const Solved s = Solve(LaneBeam({30}, 6, 1));
    ExpectRel(LivePlus(s, Member(s, 1, 3), kMJ), 1.25 * 1018.75 / kG);
    EXPECT_NEAR(1.25 * 1018.75 / kG, 129.854486, 1e-6);
    ExpectRel(LivePlus(s, Member(s, 1, 4), kMI), 129.854486);
    ExpectRel(s.live.reaction[0][0], 19.438340);
    ExpectRel(s.live.reaction[1][0], 19.438340);
    // a simple beam's midspan moment has no negative ordinates
    EXPECT_EQ(LiveMinus(s, Member(s, 1, 3), kMJ), 0.0);
    EXPECT_NEAR(s.live.impactSpan[0], 0.25, 1e-15);
}

TEST(SolverClosedForms, ShortLoadingLengthOffThePanelPoints)
{
    const Solved s = Solve(LaneBeam({30}, 6, 0));
    ExpectRel(LivePlus(s, Member(s, 1, 3), kMJ), 101.812291);
    EXPECT_NEAR(1.25 * (393.75 + 405) / kG, 101.812291, 1e-6);
}

TEST(SolverClosedForms, CrowdLoadOnlyWithoutImpact)
{
    BridgeLayout b = LaneBeam({30}, 6, 5);
    b.autoZones = false;
    b.cw = {0, 0};
    b.sidewalks = {{0, 1}};
    const Solved s = Solve(b);
    ExpectRel(LivePlus(s, Member(s, 1, 3), kMJ), 40.151326);
    EXPECT_NEAR(3.5 * 112.5 / kG, 40.151326, 1e-6);
}

TEST(SolverClosedForms, CrowdShareOfASupportReaction)
{
    BridgeLayout b = LaneBeam({30}, 6, 1);
    b.overhang = 1;  // deck 2 m wide
    b.autoZones = false;
    b.cw = {0, 1};
    b.sidewalks = {{1, 2}};
    const Solved s = Solve(b);
    ExpectRel(s.live.reaction[0][0], 24.791850);
    EXPECT_NEAR((1.25 * 152.5 + 3.5 * 15) / kG, 24.791850, 1e-6);
    // the tables "without impact" divide the whole value by 1 + I(0)
    EXPECT_NEAR(s.live.reaction[0][0] / 1.25, 19.833480, 1e-6);
}

TEST(SolverClosedForms, CourbonAndLeverRuleBounds)
{
    auto shares = [](double Ic) {
        BridgeLayout b;
        b.G = 4;
        b.spacing = 2.5;
        b.I = 0.05;
        b.J = 5e-8;
        b.cross = {{4, 2, Ic, 0}};
        const Solved s = Solve(b, false);
        Influence inf(s.m, s.el, s.st, s.L);
        const auto o = inf.AtNode(s.m.node(0, 3));
        std::vector<double> share(4, 0.0);
        for (size_t k = 0; k < s.m.bearings.size(); ++k)
            share[s.m.bearings[k].line] += o[size_t(inf.responses().ofBearing[k]) * 3];
        return share;
    };
    const auto lever = shares(0);
    EXPECT_NEAR(lever[0], 1.0, 1e-12);
    for (int g = 1; g < 4; ++g)
        EXPECT_NEAR(lever[g], 0.0, 1e-12);
    const auto courbon = shares(50);
    const double expect[4] = {0.70, 0.40, 0.10, -0.20};
    for (int g = 0; g < 4; ++g)
        EXPECT_NEAR(courbon[g], expect[g], 0.005);
    const auto mid = shares(0.01);
    EXPECT_GT(mid[0], 0.70);
    EXPECT_LT(mid[0], 1.0);
    for (int g = 1; g < 4; ++g)
        EXPECT_LT(mid[g], mid[g - 1]);
    EXPECT_NEAR(mid[0] + mid[1] + mid[2] + mid[3], 1.0, 1e-9);
}

namespace {

// The example bridge: four plate girders 2.3 m apart, 30 m, the default deck.
BridgeLayout ExampleBridge()
{
    BridgeLayout b;
    b.title = "Example bridge";
    b.G = 4;
    b.spacing = 2.3;
    b.overhang = 1.05;
    b.A = 0.0586;
    b.I = 0.04778878153;
    b.J = 1.186753333e-05;
    b.sidewalk = 3;
    b.autoZones = false;
    b.cw = {1.4, 7.6};
    b.sidewalks = {{0.4, 1.4}, {7.6, 8.6}};
    b.strips = {{3, 0.4, 1.2, 0.03}, {3, 7.8, 8.6, 0.03}, {4, 1.4, 4.25, 0.08}, {4, 4.75, 7.6, 0.08},
                {5, 4.25, 4.75, 0.28}, {6, 1.2, 1.4, 0.29},  {6, 7.6, 7.8, 0.29}, {7, 0.4, 1.2, 0.26},
                {7, 7.8, 8.6, 0.26},   {8, 0, 9, 0.21},      {9, 0, 0.4, 0.54},   {9, 8.6, 9, 0.54}};
    b.unitWeight = {{3, 2.294361}, {4, 2.294361}, {5, 2.498305}, {6, 2.498305},
                    {7, 2.396333}, {8, 2.498305}, {9, 2.498305}};
    b.rails = {{1, 0.2}, {2, 8.8}};
    b.rail1 = b.rail2 = 0.05098581;
    b.haunch.assign(4, 0.1223659);
    b.steel.assign(4, 0.4588723);
    return b;
}

} // namespace

TEST(SolverClosedForms, ExampleBridgeDeadLoad)
{
    const BridgeLayout b = ExampleBridge();
    const Model m = ReadInput(WriteInput(b));
    const DeadLoads dl = ComputeDeadLoads(m);
    const double deck[4] = {2.983396, 1.364521, 1.364521, 2.983396};
    double total = 0;
    for (int g = 0; g < 4; ++g) {
        EXPECT_NEAR(dl.deck[0][g], deck[g], 2e-6);
        EXPECT_NEAR(dl.q[m.memberIndex(g, 0)], deck[g] + 0.1223659 + 0.4588723, 2e-6);
        total += dl.deck[0][g];
    }
    EXPECT_NEAR(total, 8.695834, 2e-6);

    const Solved s = Solve(b, false);
    const double R[4] = {53.469517, 29.186385, 29.186385, 53.469517};
    double sum = 0;
    for (size_t k = 0; k < s.dead.reaction.size(); ++k) {
        EXPECT_NEAR(s.dead.reaction[k], R[s.m.bearings[k].line], 2e-5);
        sum += s.dead.reaction[k];
    }
    EXPECT_NEAR(sum, 330.623607, 1e-4);
    EXPECT_NEAR(sum, s.dead.applied, 1e-9 * s.dead.applied);
    EXPECT_NEAR(s.dead.member[Member(s, 1, 3)][kMJ], 401.021374, 1e-4);
    EXPECT_NEAR(s.dead.member[Member(s, 2, 3)][kMJ], 218.897890, 1e-4);
    // the same at the same load, whatever the section: the girders are determinate
    EXPECT_NEAR(s.dead.member[Member(s, 1, 3)][kMJ], dl.q[0] * 900 / 8, 1e-9);
}

namespace {

BridgeLayout Skewed(double psi)
{
    BridgeLayout b = Beam({30}, 6);
    b.I = b.J = 0.05;
    b.steel = {1.0};
    b.skewDeg = psi;
    return b;
}

} // namespace

TEST(SolverClosedForms, SkewedSupportsCoupleBendingAndTwist)
{
    const Solved s = Solve(Skewed(60), false);
    EXPECT_NEAR(s.m.bearings[0].ux, 0.5, 1e-12);
    const double GJ = 7851814.84 * 0.05, EI = 20394324.26 * 0.05;
    const double kappa = 0.25 * GJ / (0.75 * EI + 0.25 * GJ);
    EXPECT_NEAR(kappa, 0.1137371, 1e-7);
    const double M = -75 * kappa;
    EXPECT_NEAR(M, -8.530281, 1e-6);
    EXPECT_NEAR(s.dead.member[0][kMI], M, 1e-9);
    EXPECT_NEAR(s.dead.member[5][kMJ], M, 1e-9);
    EXPECT_NEAR(s.dead.member[2][kMJ], 112.5 + M, 1e-9);
    EXPECT_NEAR(s.dead.reaction[0], 15.0, 1e-9);
    EXPECT_NEAR(s.dead.reaction[1], 15.0, 1e-9);
    const double T = M * std::tan(60 * std::acos(-1.0) / 180);
    EXPECT_NEAR(T, -14.774879, 1e-6);
    for (const auto& f : s.dead.member) {
        EXPECT_NEAR(f[kTI], T, 1e-9);
        EXPECT_NEAR(f[kTJ], T, 1e-9);
    }
    // square supports: no coupling at all
    const Solved sq = Solve(Skewed(90), false);
    EXPECT_NEAR(sq.dead.member[0][kMI], 0.0, 1e-9);
    EXPECT_NEAR(sq.dead.member[0][kTI], 0.0, 1e-9);
}

TEST(SolverClosedForms, CrossBeamsOnSkewedSupportLinesDoNotClampTheGirders)
{
    BridgeLayout b = Skewed(60);
    b.G = 2;
    b.spacing = 2.0;
    b.overhang = 1.0;
    b.steel = {1.0, 1.0};
    b.cross = {{1, 2, 0.01, 1e-4}, {7, 2, 0.01, 1e-4}};
    const Solved s = Solve(b, false);
    const double M = -8.530281;
    for (int g = 1; g <= 2; ++g) {
        EXPECT_NEAR(s.dead.member[Member(s, g, 1)][kMI], M, 1e-6);
        EXPECT_NEAR(s.dead.member[Member(s, g, 6)][kMJ], M, 1e-6);
        EXPECT_NEAR(s.dead.member[Member(s, g, 3)][kMJ], 103.969719, 1e-6);
        EXPECT_NEAR(s.dead.member[Member(s, g, 2)][kTI], -14.774879, 1e-6);
    }
    for (double r : s.dead.reaction)
        EXPECT_NEAR(r, 15.0, 1e-9);
}
