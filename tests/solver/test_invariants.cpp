// Properties every run must have, on random grillages: equilibrium, reciprocity,
// symmetry, invariance of the plan, continuity, envelope signs, in-member ordinates,
// the safe side of the transverse operator; and the single box.
#include "chain.h"
#include "solver/deck.h"
#include "solver/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace mvgtest;
using namespace mvg;

namespace {

constexpr double kG = 9.80665;

// A grillage with skewed or curved supports, cross members here and there, a deck with
// sidewalks and the B live load.
BridgeLayout RandomBridge(std::mt19937& rng, bool straight = false, int G = 0)
{
    std::uniform_real_distribution<double> u(0, 1);
    BridgeLayout b;
    b.G = G > 0 ? G : 2 + int(u(rng) * 4);
    b.spacing = 1.5 + 1.5 * u(rng);
    const int S = 1 + int(u(rng) * 3);
    b.spans.clear();
    b.panels.clear();
    for (int k = 0; k < S; ++k) {
        b.spans.push_back(15 + 25 * u(rng));
        b.panels.push_back(2 + int(u(rng) * 4));
    }
    if (!straight) {
        if (u(rng) < 0.3)
            b.radius = 80 + 300 * u(rng);
        else
            b.skewDeg = 55 + 35 * u(rng);
    }
    for (int g = 0; g < b.G; ++g) {
        b.lineI.push_back(0.02 + 0.06 * u(rng));
        b.lineJ.push_back(1e-4 + 1e-2 * u(rng));
    }
    for (int p = 1; p <= b.PanelPoints(); ++p)
        if (u(rng) < 0.4) {
            const int kind = int(u(rng) * 4);
            b.cross.push_back({p, kind, 0.005 + 0.05 * u(rng), kind == 2 ? 1e-4 + 1e-3 * u(rng) : 0.0});
        }
    const double W = b.Width();
    b.autoZones = false;
    b.cw = {0.8, W - 0.8};
    b.sidewalks = {{0.1, 0.8}, {W - 0.8, W - 0.1}};
    b.sidewalk = 3;
    b.strips = {{8, 0, W, 0.2 + 0.1 * u(rng)}, {4, 0.8, W - 0.8, 0.08}};
    b.unitWeight = {{4, 2.3}, {8, 2.5}};
    b.rails = {{1, 0.05}, {2, W - 0.05}};
    b.rail1 = 0.05 + 0.1 * u(rng);
    b.rail2 = 0.05;
    for (int g = 0; g < b.G; ++g)
        b.steel.push_back(0.3 + 0.3 * u(rng));
    b.liveLoad = 1;
    b.live = true;
    b.liveD = 10;
    b.p1m = 10 / kG;
    b.p1s = 12 / kG;
    b.p2.assign(S, 3.5 / kG);
    b.pc.assign(S, 3.5 / kG);
    return b;
}

double MaxAbs(const std::vector<double>& v)
{
    double m = 0;
    for (double x : v)
        m = std::max(m, std::abs(x));
    return m;
}

} // namespace

TEST(SolverInvariants, EquilibriumOfDeadLoadAndUnitForces)
{
    std::mt19937 rng(21);
    for (int trial = 0; trial < 12; ++trial) {
        const Solved s = Solve(RandomBridge(rng), false);
        double sum = 0;
        for (double r : s.dead.reaction)
            sum += r;
        EXPECT_GT(s.dead.applied, 0);
        EXPECT_NEAR(sum, s.dead.applied, 1e-9 * s.dead.applied) << "trial " << trial;

        Influence inf(s.m, s.el, s.st, s.L);
        for (int q = 0; q < s.m.nodes(); q += 3) {
            const auto o = inf.AtNode(q);
            for (int d = 0; d < 3; ++d) {
                double r = 0;
                for (int b : inf.responses().ofBearing)
                    r += o[size_t(b) * 3 + d];
                EXPECT_NEAR(r, d == kW ? 1.0 : 0.0, 1e-9) << "node " << q << " dof " << d;
            }
        }
    }
}

TEST(SolverInvariants, Reciprocity)
{
    std::mt19937 rng(22);
    for (int trial = 0; trial < 6; ++trial) {
        const Solved s = Solve(RandomBridge(rng), false);
        Influence inf(s.m, s.el, s.st, s.L);
        const int n = s.m.nodes();
        std::vector<std::vector<double>> o(n);
        for (int q = 0; q < n; ++q)
            o[q] = inf.AtNode(q);
        double big = 0;
        for (int a = 0; a < n; ++a)
            big = std::max(big, MaxAbs(o[a]));
        const auto& r = inf.responses();
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                EXPECT_NEAR(o[b][size_t(r.ofNode[a]) * 3], o[a][size_t(r.ofNode[b]) * 3], 1e-9 * big);
    }
}

TEST(SolverInvariants, SymmetricBridgeGivesSymmetricResults)
{
    std::mt19937 rng(23);
    BridgeLayout b = RandomBridge(rng, true, 5);
    b.lineI = {0.05, 0.03, 0.04, 0.03, 0.05};
    b.lineJ = {1e-3, 2e-3, 3e-3, 2e-3, 1e-3};
    b.steel = {0.4, 0.3, 0.35, 0.3, 0.4};
    b.rail1 = b.rail2 = 0.08;
    b.cross = {{1, 0, 0.02, 0}, {3, 2, 0.01, 1e-4}, {b.PanelPoints(), 0, 0.02, 0}};
    const Solved s = Solve(b);
    const int G = s.m.G, P = s.m.P;
    for (int g = 0; g < G / 2; ++g) {
        const int h = G - 1 - g;
        for (int p = 0; p + 1 < P; ++p) {
            const int k = s.m.memberIndex(g, p), l = s.m.memberIndex(h, p);
            for (int f : {kMI, kMJ, kVI, kVJ}) {
                EXPECT_NEAR(s.dead.member[k][f], s.dead.member[l][f], 1e-9 * (1 + std::abs(s.dead.member[k][f])));
                EXPECT_NEAR(s.live.member[k][f], s.live.member[l][f], 1e-6 * (1 + s.live.member[k][f]));
                EXPECT_NEAR(s.live.member[k][6 + f], s.live.member[l][6 + f], 1e-6 * (1 + std::abs(s.live.member[k][6 + f])));
            }
            // the torques of mirrored girders are opposed
            EXPECT_NEAR(s.dead.member[k][kTI], -s.dead.member[l][kTI], 1e-9 * (1 + std::abs(s.dead.member[k][kTI])));
            EXPECT_NEAR(s.live.member[k][kTI], -s.live.member[l][6 + kTI], 1e-6 * (1 + s.live.member[k][kTI]));
        }
        for (int p = 0; p < P; ++p) {
            const int a = s.m.node(g, p), c = s.m.node(h, p);
            EXPECT_NEAR(s.dead.deflection[a], s.dead.deflection[c], 1e-9 * (1 + s.dead.deflection[a]));
            EXPECT_NEAR(s.live.deflection[a][0], s.live.deflection[c][0], 1e-6 * (1 + s.live.deflection[a][0]));
        }
    }
    for (size_t k = 0; k < s.m.bearings.size(); ++k) {
        const auto& bk = s.m.bearings[k];
        const size_t mirror = bk.support * G + (G - 1 - bk.line);
        EXPECT_NEAR(s.dead.reaction[k], s.dead.reaction[mirror], 1e-9 * s.dead.reaction[k]);
        EXPECT_NEAR(s.live.reaction[k][0], s.live.reaction[mirror][0], 1e-6 * s.live.reaction[k][0]);
        EXPECT_NEAR(s.live.reaction[k][1], s.live.reaction[mirror][1], 1e-6 * (1 + std::abs(s.live.reaction[k][1])));
    }
}

TEST(SolverInvariants, MovingAndTurningThePlanChangesNothing)
{
    std::mt19937 rng(24);
    for (int trial = 0; trial < 3; ++trial) {
        BridgeLayout b = RandomBridge(rng);
        const Solved s = Solve(b);
        b.originX = 1234.5;
        b.originY = -987.25;
        b.turnDeg = 37 + 100 * trial;
        const Solved t = Solve(b);
        for (size_t k = 0; k < s.dead.member.size(); ++k)
            for (int f = 0; f < 6; ++f) {
                EXPECT_NEAR(s.dead.member[k][f], t.dead.member[k][f], 1e-8 * (1 + std::abs(s.dead.member[k][f])));
                EXPECT_NEAR(s.live.member[k][f], t.live.member[k][f], 1e-6 * (1 + s.live.member[k][f]));
                EXPECT_NEAR(s.live.member[k][6 + f], t.live.member[k][6 + f], 1e-6 * (1 + std::abs(s.live.member[k][6 + f])));
            }
        for (size_t k = 0; k < s.dead.reaction.size(); ++k) {
            EXPECT_NEAR(s.dead.reaction[k], t.dead.reaction[k], 1e-8 * (1 + std::abs(s.dead.reaction[k])));
            EXPECT_NEAR(s.live.reaction[k][0], t.live.reaction[k][0], 1e-6 * (1 + s.live.reaction[k][0]));
        }
        ASSERT_EQ(s.live.detail.size(), t.live.detail.size());
        for (size_t k = 0; k < s.live.detail.size(); ++k)
            EXPECT_NEAR(s.live.detail[k][0], t.live.detail[k][0], 1e-6 * (1 + std::abs(s.live.detail[k][0])));
    }
}

TEST(SolverInvariants, MomentIsContinuousWhereNoCrossMemberJoins)
{
    std::mt19937 rng(25);
    int checked = 0;
    for (int trial = 0; trial < 6; ++trial) {
        const BridgeLayout b = RandomBridge(rng, true);
        const Solved s = Solve(b);
        std::vector<char> joined(s.m.nodes(), 0);
        for (const auto& c : s.m.cross)
            joined[c.nodeI] = joined[c.nodeJ] = 1;
        for (const auto& br : s.m.bearings)
            joined[br.node] = 1;
        for (int g = 0; g < s.m.G; ++g)
            for (int p = 1; p + 1 < s.m.P; ++p) {
                if (joined[s.m.node(g, p)])
                    continue;
                const int a = s.m.memberIndex(g, p - 1), c = s.m.memberIndex(g, p);
                EXPECT_NEAR(s.dead.member[a][kMJ], s.dead.member[c][kMI], 1e-9 * (1 + std::abs(s.dead.member[a][kMJ])));
                EXPECT_NEAR(s.live.member[a][kMJ], s.live.member[c][kMI], 1e-6 * (1 + s.live.member[a][kMJ]));
                EXPECT_NEAR(s.live.member[a][6 + kMJ], s.live.member[c][6 + kMI],
                            1e-6 * (1 + std::abs(s.live.member[a][6 + kMJ])));
                ++checked;
            }
    }
    EXPECT_GT(checked, 10);
}

TEST(SolverInvariants, EnvelopesHaveTheirSigns)
{
    std::mt19937 rng(26);
    for (int trial = 0; trial < 6; ++trial) {
        const Solved s = Solve(RandomBridge(rng));
        for (const auto& f : s.live.member)
            for (int e = 0; e < 6; ++e) {
                EXPECT_GE(f[e], 0.0);
                EXPECT_LE(f[6 + e], 0.0);
            }
        for (const auto& r : s.live.reaction) {
            EXPECT_GT(r[0], 0.0);
            EXPECT_LE(r[1], 0.0);
        }
        for (const auto& d : s.live.deflection) {
            EXPECT_GE(d[0], 0.0);
            EXPECT_LE(d[1], 0.0);
        }
        // the detail's own rows are the summary; the others lie within their envelopes
        const int n = s.m.nLines;
        for (int sp = 0; sp <= s.m.S; ++sp)
            for (int g = 0; g < n; ++g)
                for (int k = 0; k < n; ++k) {
                    const auto& d = s.live.detail[(size_t(sp) * n + g) * n + k];
                    const auto& env = s.live.reaction[sp * n + k];
                    EXPECT_LE(d[0], env[0] * (1 + 1e-9) + 1e-9);
                    EXPECT_GE(d[0], env[1] * (1 + 1e-9) - 1e-9);
                    EXPECT_GE(d[1], env[1] * (1 + 1e-9) - 1e-9);
                    if (k == g) {
                        EXPECT_EQ(d[0], env[0]);
                        EXPECT_EQ(d[1], env[1]);
                    }
                }
    }
}

TEST(SolverInvariants, InMemberOrdinateEqualsAnExtraNode)
{
    // A load inside a member through the Hermite ordinate, against a model with a
    // panel point at the load.
    std::mt19937 rng(27);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 6; ++trial) {
        BridgeLayout b = RandomBridge(rng);
        b.radius = 0;  // the extra node must lie on the chord
        const Solved s = Solve(b, false);
        // panel p of the first span, at xi
        const int p = int(u(rng) * b.panels[0]);
        const double xi = 0.15 + 0.7 * u(rng);
        const double T0 = s.m.sections[p].T, T1 = s.m.sections[p + 1].T;
        BridgeLayout c = b;
        c.extraT = {T0 + xi * (T1 - T0)};
        for (auto& cm : c.cross)
            if (cm.point > p + 1)
                ++cm.point;
        const Solved t = Solve(c, false);
        ASSERT_EQ(t.m.P, s.m.P + 1);
        Influence a(s.m, s.el, s.st, s.L), e(t.m, t.el, t.st, t.L);
        const int g = int(u(rng) * b.G);
        const auto oI = a.AtNode(s.m.node(g, p)), oJ = a.AtNode(s.m.node(g, p + 1));
        const auto oX = e.AtNode(t.m.node(g, p + 1));
        const int k = s.m.memberIndex(g, p);
        // reactions (same bearings) and the moments of a member beyond the panel
        std::vector<std::pair<int, int>> pairs;
        for (size_t br = 0; br < s.m.bearings.size(); ++br)
            pairs.push_back({a.responses().ofBearing[br], e.responses().ofBearing[br]});
        const int far = s.m.P - 2;  // last panel, shifted by one in the refined model
        for (int line = 0; line < s.m.G; ++line)
            for (int f : {kMI, kMJ, kVI, kTI})
                pairs.push_back({a.responses().ofMember[s.m.memberIndex(line, far)][f],
                                 e.responses().ofMember[t.m.memberIndex(line, far + 1)][f]});
        double big = 0;
        for (auto [ra, re] : pairs)
            big = std::max(big, std::abs(oX[size_t(re) * 3]));
        for (auto [ra, re] : pairs) {
            const auto cv = MemberControlValues(s.el.list[k], a.responses().list[ra], k, &oI[size_t(ra) * 3],
                                                &oJ[size_t(ra) * 3]);
            const double ev[4] = {cv[0], cv[1], cv[2], cv[3]};
            EXPECT_NEAR(BernsteinAt(ev, xi), oX[size_t(re) * 3], 1e-9 * big) << "trial " << trial;
        }
    }
}

TEST(SolverInvariants, TransverseOperatorErrsOnTheSafeSide)
{
    // The cubic through the operator's values at the control points lies above the
    // operator applied to the ordinates at mid-panel.
    std::mt19937 rng(28);
    std::uniform_real_distribution<double> u(0, 1);
    for (int trial = 0; trial < 4; ++trial) {
        const BridgeLayout b = RandomBridge(rng, true);
        const Solved s = Solve(b, false);
        Influence inf(s.m, s.el, s.st, s.L);
        const DeckOperator op(s.m.sections[0].gx, s.m.sections[0], s.m.loadingWidth);
        const int p = int(u(rng) * (s.m.P - 1));
        std::vector<std::vector<double>> oI(s.m.G), oJ(s.m.G);
        for (int g = 0; g < s.m.G; ++g) {
            oI[g] = inf.AtNode(s.m.node(g, p));
            oJ[g] = inf.AtNode(s.m.node(g, p + 1));
        }
        for (int r = 0; r < inf.responses().size(); r += 7) {
            std::vector<double> bk[4], mid(s.m.G);
            for (auto& v : bk)
                v.resize(s.m.G);
            for (int g = 0; g < s.m.G; ++g) {
                const int k = s.m.memberIndex(g, p);
                const auto c = MemberControlValues(s.el.list[k], inf.responses().list[r], k, &oI[g][size_t(r) * 3],
                                                   &oJ[g][size_t(r) * 3]);
                for (int j = 0; j < 4; ++j)
                    bk[j][g] = c[j];
                const double e[4] = {c[0], c[1], c[2], c[3]};
                mid[g] = BernsteinAt(e, 0.5);
            }
            DeckValues v[4];
            for (int j = 0; j < 4; ++j)
                v[j] = op.Evaluate(bk[j].data());
            const double ep[4] = {v[0].Lp, v[1].Lp, v[2].Lp, v[3].Lp};
            const double em[4] = {v[0].Lm, v[1].Lm, v[2].Lm, v[3].Lm};
            const DeckValues at = op.Evaluate(mid.data());
            const double scale = 1e-12 * (1 + std::abs(at.Lp) + std::abs(at.Lm));
            EXPECT_GE(BernsteinAt(ep, 0.5), at.Lp - scale);
            EXPECT_LE(BernsteinAt(em, 0.5), at.Lm + scale);
        }
    }
}

TEST(SolverInvariants, NearlyStraightCurveGivesTheStraightResults)
{
    BridgeLayout b;
    b.spans = {25, 35};
    b.panels = {5, 7};
    b.overhang = 0.5;
    b.steel = {1.2};
    b.liveLoad = 1;
    b.live = true;
    b.p1m = 1.0;
    b.p1s = 1.2;
    b.p2 = {0.35, 0.35};
    const Solved s = Solve(b);
    b.radius = 1e6;
    const Solved c = Solve(b);
    for (size_t k = 0; k < s.dead.member.size(); ++k)
        for (int f = 0; f < 4; ++f) {
            EXPECT_NEAR(c.dead.member[k][f], s.dead.member[k][f], 1e-6 * (1 + std::abs(s.dead.member[k][f])));
            EXPECT_NEAR(c.live.member[k][f], s.live.member[k][f], 1e-6 * (1 + s.live.member[k][f]));
            EXPECT_NEAR(c.live.member[k][6 + f], s.live.member[k][6 + f], 1e-6 * (1 + std::abs(s.live.member[k][6 + f])));
        }
    for (size_t k = 0; k < s.dead.reaction.size(); ++k)
        EXPECT_NEAR(c.dead.reaction[k], s.dead.reaction[k], 1e-6 * s.dead.reaction[k]);
}

TEST(SolverInvariants, ImpactCoefficientsPerSpanAndSupport)
{
    BridgeLayout b;
    b.spans = {30, 40, 20};
    b.panels = {3};
    b.overhang = 0.5;
    const Model m = ReadInput(WriteInput(b));
    const Impact imp = ComputeImpact(m);
    EXPECT_DOUBLE_EQ(imp.span[0], 20.0 / 80);
    EXPECT_DOUBLE_EQ(imp.span[1], 20.0 / 90);
    EXPECT_DOUBLE_EQ(imp.end[0], 20.0 / 85);
    EXPECT_DOUBLE_EQ(imp.end[1], 20.0 / 80);
    EXPECT_DOUBLE_EQ(imp.end[2], 20.0 / 70);
    EXPECT_DOUBLE_EQ(imp.support(0), 20.0 / 80);
    EXPECT_DOUBLE_EQ(imp.support(3), 20.0 / 70);
}

TEST(SolverSingleBox, CarriesTheDeckAsOneGirderWithItsTorque)
{
    BridgeLayout b;
    b.bridgeType = 2;
    b.G = 3;
    b.spacing = 1.5;  // webs 3 m apart
    b.overhang = 2.0;
    b.I = 0.4;
    b.J = 0.5;
    b.steel = {0, 1.0, 0};
    b.rails = {{1, 0.5}};  // one railing off the left web
    b.rail1 = 0.3;
    const Solved s = Solve(b, false);
    ASSERT_EQ(s.m.nLines, 2);
    ASSERT_EQ(s.dead.reaction.size(), 4u);
    const double q = 1.0 + 0.3, L = 30;
    double sum = 0, torque = 0;
    const double e1 = s.m.sections[0].gx[0] - s.m.sections[0].gx[1];
    const double e3 = s.m.sections[0].gx[2] - s.m.sections[0].gx[1];
    for (size_t k = 0; k < 4; ++k) {
        sum += s.dead.reaction[k];
        torque += s.dead.reaction[k] * (s.m.bearings[k].line == 0 ? e1 : e3);
    }
    EXPECT_NEAR(sum, q * L, 1e-9 * q * L);
    // the reactions balance the railing's moment about the box axis
    const double ex = 0.5 - s.m.sections[0].gx[1];
    EXPECT_NEAR(torque, 0.3 * L * ex, 1e-6);
    EXPECT_GT(s.dead.reaction[0], s.dead.reaction[1]);
    // line 2 carries the box: simple-beam moment, torque m_t L / 2 at the ends
    EXPECT_NEAR(s.dead.member[Member(s, 2, 3)][kMJ], q * L * L / 8, 1e-6);
    EXPECT_NEAR(s.dead.member[Member(s, 2, 1)][kTI], 0.3 * ex * L / 2, 1e-6);
    EXPECT_NEAR(s.dead.member[Member(s, 2, 6)][kTJ], -0.3 * ex * L / 2, 1e-6);
    // the dummy lines carry nothing, and move with the box
    for (int p = 1; p <= 6; ++p)
        for (int f = 0; f < 6; ++f) {
            EXPECT_EQ(s.dead.member[Member(s, 1, p)][f], 0.0);
            EXPECT_EQ(s.dead.member[Member(s, 3, p)][f], 0.0);
        }
    const double mid = s.dead.deflection[s.m.node(1, 3)];
    EXPECT_NEAR(mid, 5 * q * std::pow(L, 4) / (384 * b.E * b.I) * 1000, 1e-3 * mid);
    EXPECT_GT(s.dead.deflection[s.m.node(0, 3)], s.dead.deflection[s.m.node(2, 3)]);
}

TEST(SolverSingleBox, SymmetricLiveLoadOnSymmetricWebs)
{
    BridgeLayout b;
    b.bridgeType = 2;
    b.G = 3;
    b.spacing = 1.5;
    b.overhang = 3.0;
    b.I = 0.4;
    b.J = 0.5;
    b.steel = {0, 1.0, 0};
    b.spans = {30, 30};
    b.liveLoad = 1;
    b.live = true;
    b.p1m = 1.0;
    b.p1s = 1.2;
    b.p2 = {0.35, 0.35};
    b.pc = {0.35, 0.35};
    const double W = b.Width();
    b.autoZones = false;
    b.cw = {1.0, W - 1.0};
    b.sidewalks = {{0, 1.0}, {W - 1.0, W}};
    const Solved s = Solve(b);
    for (int sp = 0; sp <= 2; ++sp) {
        EXPECT_NEAR(s.live.reaction[2 * sp][0], s.live.reaction[2 * sp + 1][0], 1e-6 * s.live.reaction[2 * sp][0]);
        EXPECT_NEAR(s.live.reaction[2 * sp][1], s.live.reaction[2 * sp + 1][1],
                    1e-6 * (1 + std::abs(s.live.reaction[2 * sp][1])));
    }
    // the box's live torque appears with both signs, equal in size
    const auto& t = s.live.member[Member(s, 2, 2)];
    EXPECT_GT(t[kTI], 0.0);
    EXPECT_NEAR(t[kTI], -t[6 + kTI], 1e-6 * t[kTI]);
    EXPECT_EQ(s.live.member[Member(s, 1, 2)][kMI], 0.0);
}
