#include "solver/window.h"

#include <algorithm>
#include <cmath>

namespace mvg {

namespace {

struct Power {
    double a0, a1, a2, a3;
};

Power ToPower(const double e[4])
{
    return Power{e[0], 3 * (e[1] - e[0]), 3 * (e[0] - 2 * e[1] + e[2]), e[3] - 3 * e[2] + 3 * e[1] - e[0]};
}

double Eval(const Power& p, double x)
{
    return ((p.a3 * x + p.a2) * x + p.a1) * x + p.a0;
}

double Prim(const Power& p, double x)
{
    return (((p.a3 / 4 * x + p.a2 / 3) * x + p.a1 / 2) * x + p.a0) * x;
}

// Real roots of c2 t^2 + c1 t + c0 strictly inside (0, 1), ascending.
int QuadRoots(double c2, double c1, double c0, double* r)
{
    int n = 0;
    auto add = [&](double t) {
        if (t > 0 && t < 1 && std::isfinite(t))
            r[n++] = t;
    };
    const double scale = std::max({std::abs(c2), std::abs(c1), std::abs(c0)});
    if (scale == 0)
        return 0;
    if (std::abs(c2) <= 1e-14 * scale) {
        if (c1 != 0)
            add(-c0 / c1);
    } else {
        const double disc = c1 * c1 - 4 * c2 * c0;
        if (disc < 0)
            return 0;
        const double q = -0.5 * (c1 + std::copysign(std::sqrt(disc), c1));
        if (q != 0) {
            add(q / c2);
            add(c0 / q);
        } else {
            add(0.0);
        }
    }
    if (n == 2 && r[0] > r[1])
        std::swap(r[0], r[1]);
    if (n == 2 && r[0] == r[1])
        n = 1;
    return n;
}

} // namespace

double BernsteinAt(const double e[4], double xi)
{
    return Eval(ToPower(e), xi);
}

double BernsteinIntegral(const double e[4], double x0, double x1)
{
    const Power p = ToPower(e);
    return Prim(p, x1) - Prim(p, x0);
}

void WindowGeometry::Init(const std::vector<double>& T_, double D_)
{
    T = T_;
    D = D_;
    const int n = panels();
    const double len = T.back() - T.front();
    none = !(D > 0);
    whole = !none && len <= D;
    aMin = T.front();
    aMax = whole || none ? aMin : T.back() - D;
    pFirst.assign(n, 0);
    depth = 1;
    if (none || whole)
        return;
    int p = 0;
    for (int q = 0; q < n; ++q) {
        const double lo = std::max(aMin, T[q] - D);
        while (p < q && T[p + 1] <= lo)
            ++p;
        pFirst[q] = p;
        depth = std::max(depth, q - p + 1);
    }
}

void WindowAdd(const WindowGeometry& g, WindowState& s, WindowSlot* ring, int q, const double e[4], int sign)
{
    WindowSlot& slot = ring[q % g.depth];
    std::copy(e, e + 4, slot.e);
    slot.pi = s.pi;
    s.pi += g.dT(q) * (e[0] + e[1] + e[2] + e[3]) / 4;
    if (g.none || g.whole)
        return;

    const double aLo = std::max(g.aMin, g.T[q] - g.D);
    const double aHi = std::min(g.aMax, g.T[q + 1] - g.D);
    if (aLo > aHi)
        return;
    const Power eq = ToPower(slot.e);
    const double Tq = g.T[q], dq = g.dT(q);

    auto consider = [&](double a, double W) {
        if (!s.any || sign * W > sign * s.best + 1e-12 * std::max(std::abs(W), std::abs(s.best))) {
            s.best = W;
            s.a = a;
            s.any = true;
        }
    };

    for (int p = g.pFirst[q]; p <= q; ++p) {
        if (g.T[p] > aHi)  // and so are the panels after it: no window starts there
            break;
        const double lo = std::max(aLo, g.T[p]), hi = std::min(aHi, g.T[p + 1]);
        if (lo > hi)
            continue;
        const WindowSlot& sp = ring[p % g.depth];
        const Power ep = ToPower(sp.e);
        const double Tp = g.T[p], dp = g.dT(p);
        // sign * pi never falls, so no window starting in [lo, hi] holds more than
        // [lo, hi + D]: where that cannot beat the best one, none of them is looked at.
        if (s.any) {
            const double top = slot.pi + dq * Prim(eq, (hi + g.D - Tq) / dq);
            const double bottom = sp.pi + dp * Prim(ep, (lo - Tp) / dp);
            const double scale = std::max({std::abs(top), std::abs(bottom), std::abs(s.best)});
            if (sign * (top - bottom) < sign * s.best - 1e-9 * scale)
                continue;
        }
        auto W = [&](double a) {
            return (slot.pi + dq * Prim(eq, (a + g.D - Tq) / dq)) - (sp.pi + dp * Prim(ep, (a - Tp) / dp));
        };
        consider(lo, W(lo));
        const double h = hi - lo;
        if (!(h > 0))
            continue;
        // g(t) = e_q(a + D) - e_p(a), a = lo + t h: xi = alpha + beta t in each panel
        const double alq = (lo + g.D - Tq) / dq, beq = h / dq;
        const double alp = (lo - Tp) / dp, bep = h / dp;
        auto gt = [&](double t) { return sign * (Eval(eq, alq + beq * t) - Eval(ep, alp + bep * t)); };
        // g'(t) as a quadratic in t
        auto dquad = [](const Power& P, double al, double be, double* c) {
            c[0] += be * (P.a1 + 2 * P.a2 * al + 3 * P.a3 * al * al);
            c[1] += be * (2 * P.a2 + 6 * P.a3 * al) * be;
            c[2] += be * 3 * P.a3 * be * be;
        };
        double cq[3] = {0, 0, 0}, cp[3] = {0, 0, 0};
        dquad(eq, alq, beq, cq);
        dquad(ep, alp, bep, cp);
        double roots[2];
        const int nr = QuadRoots(cq[2] - cp[2], cq[1] - cp[1], cq[0] - cp[0], roots);
        double cuts[4] = {0, 0, 0, 1};
        int nc = 1;
        for (int i = 0; i < nr; ++i)
            cuts[nc++] = roots[i];
        cuts[nc++] = 1;
        double gPrev = gt(0);
        for (int i = 0; i + 1 < nc; ++i) {
            double u = cuts[i], v = cuts[i + 1];
            const double gv = gt(v);
            if (gPrev > 0 && gv < 0) {
                for (int it = 0; it < 200 && v - u > 1e-12; ++it) {
                    const double m = 0.5 * (u + v);
                    if (gt(m) > 0)
                        u = m;
                    else
                        v = m;
                }
                const double a = lo + 0.5 * (u + v) * h;
                consider(a, W(a));
            }
            if (i + 2 < nc) {  // the turning points of g are candidates as well
                const double a = lo + cuts[i + 1] * h;
                consider(a, W(a));
            }
            gPrev = gv;
        }
        consider(hi, W(hi));
    }
}

double WindowFinish(const WindowGeometry& g, WindowState& s)
{
    if (g.none) {
        s.a = g.aMin;
        return 0;
    }
    if (g.whole) {
        s.a = g.aMin;
        s.best = s.pi;
        return s.pi;
    }
    return s.any ? s.best : 0;
}

double WindowIntegral(const WindowGeometry& g, const double* e, double a)
{
    if (g.none)
        return 0;
    const double l = g.whole ? g.T.front() : a, r = g.whole ? g.T.back() : a + g.D;
    double s = 0;
    for (int p = 0; p < g.panels(); ++p) {
        const double x0 = std::max(l, g.T[p]), x1 = std::min(r, g.T[p + 1]);
        if (x1 > x0)
            s += g.dT(p) * BernsteinIntegral(e + 4 * p, (x0 - g.T[p]) / g.dT(p), (x1 - g.T[p]) / g.dT(p));
    }
    return s;
}

} // namespace mvg
