// The lever rule, the transverse operator and the p1 window search against brute force.
#include "solver/deck.h"
#include "solver/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

using namespace mvg;

namespace {

struct Deck {
    std::vector<double> x;
    Section s;
    double band = 5.5;
};

Deck RandomDeck(std::mt19937& rng, int G)
{
    std::uniform_real_distribution<double> u(0, 1);
    Deck d;
    double x = 0.5 + 2 * u(rng);
    for (int g = 0; g < G; ++g) {
        d.x.push_back(x);
        x += 0.5 + 3 * u(rng);
    }
    const double W = x + 2 * u(rng);
    d.s.W = W;
    d.s.gx = d.x;
    d.s.cw = {0.3 * u(rng) * W, W - 0.3 * u(rng) * W};
    if (u(rng) < 0.4) {
        const double c = d.s.cw.a + (d.s.cw.b - d.s.cw.a) * (0.3 + 0.4 * u(rng));
        d.s.hasNoll = true;
        d.s.noll = {c - 0.5 * u(rng), c + 0.5 * u(rng)};
    }
    if (d.s.cw.a > 0.1)
        d.s.sidewalks.push_back({0.05, d.s.cw.a});
    if (d.s.cw.b < W - 0.1)
        d.s.sidewalks.push_back({d.s.cw.b, W - 0.05});
    d.band = 1 + 6 * u(rng);
    return d;
}

double H(const Deck& d, const double* v, double at)
{
    std::vector<double> f(d.x.size());
    LeverAt(d.x, at, f.data());
    double h = 0;
    for (size_t i = 0; i < f.size(); ++i)
        h += f[i] * v[i];
    return h;
}

// Exact integral of max(sign*h, 0) over [a, b] minus the unloaded median, h linear
// between the breakpoints that are added here.
double Integral(const Deck& d, const double* v, double a, double b, int sign, bool lane)
{
    if (!(b > a))
        return 0;
    std::vector<double> pts{a, b};
    for (double x : d.x)
        if (x > a && x < b)
            pts.push_back(x);
    if (lane && d.s.hasNoll)
        for (double x : {d.s.noll.a, d.s.noll.b})
            if (x > a && x < b)
                pts.push_back(x);
    std::sort(pts.begin(), pts.end());
    double s = 0;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double l = pts[i], r = pts[i + 1], m = (l + r) / 2;
        if (lane && d.s.hasNoll && m > d.s.noll.a && m < d.s.noll.b)
            continue;
        const double h0 = sign * H(d, v, l), h1 = sign * H(d, v, r);
        if (h0 >= 0 && h1 >= 0)
            s += (r - l) * (h0 + h1) / 2;
        else if (h0 > 0)
            s += (r - l) * h0 * h0 / (2 * (h0 - h1));
        else if (h1 > 0)
            s += (r - l) * h1 * h1 / (2 * (h1 - h0));
    }
    return sign * s;
}

// The envelope values by sampling the band position finely.
DeckValues Brute(const Deck& d, const double* v, double* lipschitz)
{
    DeckValues r;
    const double aC = d.s.cw.a, bC = d.s.cw.b;
    double Ap = Integral(d, v, aC, bC, +1, true), Am = Integral(d, v, aC, bC, -1, true);
    double Bp = Ap, Bm = Am;
    double hmax = 0;
    for (double x = aC; x <= bC; x += (bC - aC) / 1000)
        hmax = std::max(hmax, std::abs(H(d, v, x)));
    *lipschitz = 2 * hmax;
    if (bC - aC > d.band) {
        Bp = 0;
        Bm = 0;
        const int n = 3000;
        for (int i = 0; i <= n; ++i) {
            const double a = aC + (bC - aC - d.band) * i / n;
            Bp = std::max(Bp, Integral(d, v, a, a + d.band, +1, true));
            Bm = std::min(Bm, Integral(d, v, a, a + d.band, -1, true));
        }
        *lipschitz *= (bC - aC - d.band) / n;
    } else {
        *lipschitz = 0;
    }
    r.Lp = (Ap + Bp) / 2;
    r.Lm = (Am + Bm) / 2;
    for (const Zone& z : d.s.sidewalks) {
        r.Cp += Integral(d, v, z.a, z.b, +1, false);
        r.Cm += Integral(d, v, z.a, z.b, -1, false);
    }
    return r;
}

} // namespace

TEST(SolverLeverRule, KeepsResultantAndMoment)
{
    const std::vector<double> x{1.0, 3.5, 4.0, 7.5};
    double f[4];
    for (double at : {-2.0, 0.0, 1.0, 2.2, 3.9, 7.5, 9.0}) {
        LeverAt(x, at, f);
        double s = 0, m = 0;
        for (int i = 0; i < 4; ++i) {
            s += f[i];
            m += f[i] * x[i];
        }
        EXPECT_NEAR(s, 1.0, 1e-14);
        EXPECT_NEAR(m, at, 1e-13);
    }
    LeverAt(x, 0.0, f);  // the outer segment extended: cantilever statics
    EXPECT_NEAR(f[0], 1.4, 1e-14);
    EXPECT_NEAR(f[1], -0.4, 1e-14);
    double w[4] = {0, 0, 0, 0};
    LeverIntegral(x, -1.0, 9.0, 2.0, w);
    EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 20.0, 1e-12);
    EXPECT_NEAR(w[0] * x[0] + w[1] * x[1] + w[2] * x[2] + w[3] * x[3], 2.0 * (81 - 1) / 2, 1e-11);
    const std::vector<double> one{3.0};
    LeverAt(one, 10.0, f);
    EXPECT_EQ(f[0], 1.0);
}

TEST(SolverTransverseOperator, MatchesBruteForceOnRandomDecks)
{
    std::mt19937 rng(7);
    std::normal_distribution<double> nd(0, 1);
    for (int trial = 0; trial < 40; ++trial) {
        const int G = 1 + trial % 7;
        const Deck d = RandomDeck(rng, G);
        const DeckOperator op(d.x, d.s, d.band);
        for (int k = 0; k < 4; ++k) {
            std::vector<double> v(G);
            for (double& e : v)
                e = nd(rng);
            if (k == 3 && G > 1) {  // one non-zero line takes the precomputed path
                std::fill(v.begin(), v.end(), 0.0);
                v[trial % G] = nd(rng);
            }
            const DeckValues e = op.Evaluate(v.data());
            double tol = 0;
            const DeckValues b = Brute(d, v.data(), &tol);
            tol += 1e-9;
            EXPECT_GE(e.Lp, b.Lp - 1e-9);
            EXPECT_LE(e.Lp, b.Lp + tol / 2);
            EXPECT_LE(e.Lm, b.Lm + 1e-9);
            EXPECT_GE(e.Lm, b.Lm - tol / 2);
            EXPECT_NEAR(e.Cp, b.Cp, 1e-9);
            EXPECT_NEAR(e.Cm, b.Cm, 1e-9);
            EXPECT_GE(e.Lp, 0);
            EXPECT_LE(e.Lm, 0);
        }
    }
}

TEST(SolverTransverseOperator, HomogeneousSymmetricAndConvex)
{
    std::mt19937 rng(11);
    std::normal_distribution<double> nd(0, 1);
    for (int trial = 0; trial < 40; ++trial) {
        const int G = 2 + trial % 6;
        const Deck d = RandomDeck(rng, G);
        const DeckOperator op(d.x, d.s, d.band);
        std::vector<double> v(G), w(G), vw(G), sv(G), nv(G);
        for (int i = 0; i < G; ++i) {
            v[i] = nd(rng);
            w[i] = nd(rng);
            vw[i] = (v[i] + w[i]) / 2;
            sv[i] = 2.5 * v[i];
            nv[i] = -v[i];
        }
        const DeckValues a = op.Evaluate(v.data()), b = op.Evaluate(w.data());
        const DeckValues m = op.Evaluate(vw.data()), s = op.Evaluate(sv.data()), n = op.Evaluate(nv.data());
        EXPECT_NEAR(s.Lp, 2.5 * a.Lp, 1e-12 * (1 + s.Lp));
        EXPECT_NEAR(s.Cm, 2.5 * a.Cm, 1e-12 * (1 + std::abs(s.Cm)));
        EXPECT_NEAR(n.Lm, -a.Lp, 1e-12 * (1 + a.Lp));
        EXPECT_NEAR(n.Cp, -a.Cm, 1e-12 * (1 + a.Cp));
        EXPECT_LE(m.Lp, (a.Lp + b.Lp) / 2 + 1e-12);
        EXPECT_GE(m.Lm, (a.Lm + b.Lm) / 2 - 1e-12);
        EXPECT_LE(m.Cp, (a.Cp + b.Cp) / 2 + 1e-12);
    }
}

TEST(SolverTransverseOperator, PatternReproducesTheEnvelope)
{
    std::mt19937 rng(5);
    std::normal_distribution<double> nd(0, 1);
    DeckPattern pat;
    for (int trial = 0; trial < 40; ++trial) {
        const int G = 1 + trial % 6;
        const Deck d = RandomDeck(rng, G);
        const DeckOperator op(d.x, d.s, d.band);
        std::vector<double> v(G), w(G);
        for (int i = 0; i < G; ++i) {
            v[i] = nd(rng);
            w[i] = nd(rng);
        }
        const DeckValues e = op.Evaluate(v.data());
        double lane, crowd;
        op.Pattern(v.data(), +1, pat);
        op.Apply(pat, v.data(), lane, crowd);
        EXPECT_NEAR(lane, e.Lp, 1e-12 * (1 + e.Lp));
        EXPECT_NEAR(crowd, e.Cp, 1e-12 * (1 + e.Cp));
        // another vector under v's loading never exceeds its own envelope
        double lw, cw;
        op.Apply(pat, w.data(), lw, cw);
        const DeckValues ew = op.Evaluate(w.data());
        EXPECT_LE(lw, ew.Lp + 1e-12);
        EXPECT_GE(lw, ew.Lm - 1e-12);
        op.Pattern(v.data(), -1, pat);
        op.Apply(pat, v.data(), lane, crowd);
        EXPECT_NEAR(lane, e.Lm, 1e-12 * (1 + std::abs(e.Lm)));
        EXPECT_NEAR(crowd, e.Cm, 1e-12 * (1 + std::abs(e.Cm)));
    }
}

// The detail integrates every bearing's vector over one pattern at once: to the bit as one
// at a time, pieces that start on a girder included.
TEST(SolverTransverseOperator, ManyVectorsAtOnceGiveEachOnesValues)
{
    std::mt19937 rng(9);
    std::normal_distribution<double> nd(0, 1);
    DeckPattern pat;
    for (int trial = 0; trial < 30; ++trial) {
        const int G = 1 + trial % 7, count = 1 + trial % 11;
        const Deck d = RandomDeck(rng, G);
        const DeckOperator op(d.x, d.s, d.band);
        std::vector<double> byLine(size_t(G) * count), one(G);
        for (double& x : byLine)
            x = nd(rng);
        for (int i = 0; i < G; ++i)
            one[i] = byLine[size_t(i) * count];
        op.Pattern(one.data(), trial % 2 ? -1 : 1, pat);
        std::vector<double> lane(count), crowd(count);
        op.ApplyMany(pat, byLine.data(), count, lane.data(), crowd.data());
        for (int k = 0; k < count; ++k) {
            for (int i = 0; i < G; ++i)
                one[i] = byLine[size_t(i) * count + k];
            double l, c;
            op.Apply(pat, one.data(), l, c);
            EXPECT_EQ(std::memcmp(&l, &lane[k], sizeof l), 0) << trial << " " << k;
            EXPECT_EQ(std::memcmp(&c, &crowd[k], sizeof c), 0) << trial << " " << k;
        }
    }
}

// A bearing's own reaction under a load on its own node is 1 there and zero elsewhere in
// exact arithmetic; the solves leave noise of either sign, which must not choose where
// the other bearings are loaded.
TEST(SolverTransverseOperator, RoundingNoiseLeavesThePatternAlone)
{
    Section s;
    s.W = 12;
    s.gx = {1, 3.5, 6, 8.5, 11};
    s.cw = {0.5, 11.5};
    s.sidewalks = {{0, 0.5}, {11.5, 12}};
    const DeckOperator op(s.gx, s, 5.5);
    const double exact[5] = {0, 1, 0, 0, 0}, noisy[5] = {3e-16, 1, -2e-16, 5e-17, -4e-16};
    const double other[5] = {0.3, -0.2, 0.7, -0.5, 0.4};
    for (int sign : {1, -1}) {
        DeckPattern a, b;
        op.Pattern(exact, sign, a);
        op.Pattern(noisy, sign, b);
        double la, ca, lb, cb;
        op.Apply(a, other, la, ca);
        op.Apply(b, other, lb, cb);
        EXPECT_EQ(la, lb) << sign;
        EXPECT_EQ(ca, cb) << sign;
    }
}

// Many girders under a wide carriageway, where the band search looks at a few stretches
// only: plateaus (h constant, or a hump narrower than the band), a zero of h on a girder,
// bands a whole number of spacings wide (band ends that meet breakpoints together), the
// unloaded median, tiny values. The envelope is the loading pattern's own, and no band
// position beats it.
TEST(SolverTransverseOperator, WideDeckEnvelopeIsThePatterns)
{
    std::mt19937 rng(3);
    std::normal_distribution<double> nd(0, 1);
    DeckPattern pat;
    for (int trial = 0; trial < 8; ++trial) {
        Deck d;
        const int G = 20;
        for (int g = 0; g < G; ++g)
            d.x.push_back(1.2 + 2.5 * g);
        d.s.W = 49.9;
        d.s.gx = d.x;
        d.s.cw = trial % 2 ? Zone{2.0, 47.9} : Zone{1.2, 48.7};
        if (trial % 4 >= 2) {
            d.s.hasNoll = true;
            d.s.noll = trial == 2 ? Zone{23.7, 26.2} : Zone{24.0, 25.0};
        }
        d.s.sidewalks = {{0.4, 1.2}, {48.7, 49.5}};
        d.band = trial < 4 ? 5.5 : 5.0;
        const DeckOperator op(d.x, d.s, d.band);
        for (int kind = 0; kind < 7; ++kind) {
            std::vector<double> v(G);
            for (int i = 0; i < G; ++i)
                v[i] = kind == 0 ? 1.0
                     : kind == 1 ? (i < 9 ? 1.0 : i == 9 ? 0.0 : -1.0)
                     : kind == 2 ? std::abs(nd(rng))
                     : kind == 3 ? std::sin(0.4 * i + trial)
                     : kind == 4 ? 1e-9 * nd(rng)
                     : kind == 5 ? (i % 2 ? 1.0 : -1.0)
                                 : (i == 4 + trial ? 5.0 : i == 14 - trial ? -3.0 : -0.5);
            const DeckValues e = op.Evaluate(v.data());
            const double scale = 1 + std::abs(e.Lp) + std::abs(e.Lm);
            double lane, crowd;
            op.Pattern(v.data(), +1, pat);
            op.Apply(pat, v.data(), lane, crowd);
            EXPECT_NEAR(lane, e.Lp, 1e-12 * scale) << trial << " " << kind;
            op.Pattern(v.data(), -1, pat);
            op.Apply(pat, v.data(), lane, crowd);
            EXPECT_NEAR(lane, e.Lm, 1e-12 * scale) << trial << " " << kind;
            double tol = 0;
            const DeckValues b = Brute(d, v.data(), &tol);
            EXPECT_GE(e.Lp, b.Lp - 1e-9 * scale) << trial << " " << kind;
            EXPECT_LE(e.Lm, b.Lm + 1e-9 * scale) << trial << " " << kind;
        }
    }
}

TEST(SolverTransverseOperator, NarrowCarriagewayIsLoadedWhole)
{
    Section s;
    s.W = 4;
    s.gx = {1, 3};
    s.cw = {0, 4};
    const DeckOperator op(s.gx, s, 5.5);
    const double v[2] = {1, 1};
    const DeckValues e = op.Evaluate(v);
    EXPECT_NEAR(e.Lp, 4.0, 1e-14);
    EXPECT_EQ(e.Lm, 0.0);
    EXPECT_EQ(e.Cp, 0.0);
    // 4 m of deck under a 2 m band: half everywhere, the other half on the best 2 m
    const DeckOperator narrow(s.gx, s, 2.0);
    const double w[2] = {2, 0};  // h = 3 - x: positive on [0, 3], negative on (3, 4]
    const DeckValues f = narrow.Evaluate(w);
    EXPECT_NEAR(f.Lp, 0.5 * (4.5 + 4.0), 1e-13);
    EXPECT_NEAR(f.Lm, 0.5 * (-0.5 - 0.5), 1e-13);
}

namespace {

double Wbrute(const WindowGeometry& g, const std::vector<double>& e, double a)
{
    return WindowIntegral(g, e.data(), a);
}

} // namespace

TEST(SolverWindowSearch, FindsTheWorstPositionOfRandomCubics)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0, 1);
    std::normal_distribution<double> nd(0, 1);
    for (int trial = 0; trial < 40; ++trial) {
        const int panels = 2 + trial % 9;
        std::vector<double> T{0};
        for (int p = 0; p < panels; ++p)
            T.push_back(T.back() + 0.3 + 6 * u(rng));
        const double D = trial % 5 == 0 ? T.back() + 1 : 0.5 + 12 * u(rng);
        std::vector<double> e(4 * panels);
        for (double& x : e)
            x = std::max(0.0, nd(rng) + 0.3);
        for (int p = 1; p < panels; ++p)  // continuous along the bridge, as the envelopes are
            e[4 * p] = e[4 * p - 1];
        WindowGeometry g;
        g.Init(T, D);
        for (int sign : {+1, -1}) {
            std::vector<double> es(e);
            for (double& x : es)
                x *= sign;
            WindowState st;
            std::vector<WindowSlot> ring(g.depth);
            for (int p = 0; p < panels; ++p)
                WindowAdd(g, st, ring.data(), p, &es[4 * p], sign);
            const double W = WindowFinish(g, st);
            EXPECT_NEAR(W, Wbrute(g, es, st.a), 1e-9 * (1 + std::abs(W)));
            double best = g.whole ? Wbrute(g, es, 0) : -HUGE_VAL * sign;
            if (!g.whole)
                for (int i = 0; i <= 5000; ++i) {
                    const double a = g.aMin + (g.aMax - g.aMin) * i / 5000;
                    const double w = Wbrute(g, es, a);
                    best = sign > 0 ? std::max(best, w) : std::min(best, w);
                }
            EXPECT_GE(sign * W, sign * best - 1e-9) << "trial " << trial;
            EXPECT_LE(sign * W, sign * best + 1e-3 * (1 + std::abs(best))) << "trial " << trial;
            EXPECT_GE(st.a, g.aMin - 1e-12);
            EXPECT_LE(st.a, g.aMax + 1e-12);
            double total = 0;
            for (int p = 0; p < panels; ++p)
                total += g.dT(p) * BernsteinIntegral(&es[4 * p], 0, 1);
            EXPECT_NEAR(st.pi, total, 1e-12 * (1 + std::abs(total)));
        }
    }
}

TEST(SolverWindowSearch, SmallestPositionWinsATie)
{
    // A flat cubic: every window is as good; the first one wins.
    const std::vector<double> T{0, 5, 10, 15, 20};
    std::vector<double> e(16, 1.0);
    WindowGeometry g;
    g.Init(T, 7);
    WindowState st;
    std::vector<WindowSlot> ring(g.depth);
    for (int p = 0; p < 4; ++p)
        WindowAdd(g, st, ring.data(), p, &e[4 * p], +1);
    EXPECT_NEAR(WindowFinish(g, st), 7.0, 1e-12);
    EXPECT_EQ(st.a, 0.0);
}
