#include "geometry/plan_math.h"
#include "geometry/matrix_solver.h"

#include <algorithm>
#include <vector>

namespace PlanMath {

double Distance(CDPoint p1, CDPoint p2) { return std::sqrt((p2.x - p1.x) * (p2.x - p1.x) + (p2.y - p1.y) * (p2.y - p1.y)); }

double DotProduct(CDPoint p1, CDPoint p2, CDPoint o) { return (p1.x - o.x) * (p2.x - o.x) + (p1.y - o.y) * (p2.y - o.y); }

CDPoint PointOnCircle(CDPoint c, double a, double r) { return {c.x + r * std::cos(a), c.y + r * std::sin(a)}; }

namespace {
// A vertical line: positive when dx and dy have the same sign or dx is zero.
double VerticalSlope(double dx, double dy) { return dx == 0.0 || (dx > 0.0) == (dy > 0.0) ? 1000000.0 : -1000000.0; }
}

int GetSlope(CDPoint p1, CDPoint p2, double* m)
{
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    if (dx * dx + dy * dy < 1e-8)
        return 0;
    if (std::fabs(dx) < 1e-6)
        *m = VerticalSlope(dx, dy);
    else if (std::fabs(dy) < 1e-6)
        *m = 0.0;
    else
        *m = dy / dx;
    return 1;
}

int LineSlope(CDPoint p1, CDPoint p2, double* m)
{
    const double dx = p2.x - p1.x;
    const double dy = p2.y - p1.y;
    if (std::fabs(dx) < 1e-6 && std::fabs(dy) < 1e-6) {
        *m = 0.0;
        return 0;
    }
    *m = std::fabs(dx) < 1e-6 ? VerticalSlope(dx, dy) : dy / dx;
    return 1;
}

double ArcLength(CDPoint p1, CDPoint p2, double R)
{
    const double c = Distance(p1, p2);
    const double r = std::fabs(R);
    if (r >= 100000.0 || r < 1e-9)
        return c;
    if (c >= 2.0 * r)
        return kPi * r;
    return 2.0 * r * std::asin(c / (2.0 * r));
}

double AllowableDeflection(double L)
{
    if (L <= 10.0)
        return L / 2000.0 * 1000.0;
    if (L <= 40.0)
        return L * L / 20000.0 * 1000.0;
    return L / 500.0 * 1000.0;
}

double Length(CDPoint v) { return std::sqrt(v.x * v.x + v.y * v.y); }

double AngleOf(CDPoint v) { return std::atan2(v.y, v.x); }

CDPoint Unit(CDPoint v)
{
    const double l = Length(v);
    return l > 1e-300 ? CDPoint(v.x / l, v.y / l) : CDPoint(1.0, 0.0);
}

double NormalizeAngle(double a, double lo)
{
    if (!std::isfinite(a))
        return lo + kPi;
    const double turn = 2.0 * kPi;
    double r = std::fmod(a - lo, turn);
    if (r <= 0.0)
        r += turn;
    return lo + r;
}

bool IsFinite(double v) { return std::isfinite(v); }
bool IsFinite(CDPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool IntersectLines(CDPoint p, CDPoint u, CDPoint q, CDPoint v, CDPoint* out)
{
    const double d = Cross(u, v);
    const double scale = Length(u) * Length(v);
    if (!(scale > 0.0) || std::fabs(d) <= 1e-9 * scale)
        return false;
    const double s = Cross(q - p, v) / d;
    *out = p + u * s;
    return IsFinite(*out);
}

bool IntersectLineCircle(CDPoint p, CDPoint u, CDPoint c, double r, CDPoint near, CDPoint* out)
{
    const double uu = Dot(u, u);
    if (!(uu > 1e-18) || !(r >= 0.0))
        return false;
    // |p + s u - c|^2 = r^2
    const CDPoint w = p - c;
    const double b = Dot(w, u) / uu;
    const double cc = (Dot(w, w) - r * r) / uu;
    const double disc = b * b - cc;
    if (disc < 0.0)
        return false;
    const double root = std::sqrt(disc);
    const CDPoint a1 = p + u * (-b + root);
    const CDPoint a2 = p + u * (-b - root);
    *out = Distance(a1, near) <= Distance(a2, near) ? a1 : a2;
    return IsFinite(*out);
}

bool FitCircle(const CDPoint* pts, int n, CDPoint* centre, double* radius)
{
    if (n < 3)
        return false;
    // x^2 + y^2 + D x + E y + F = 0, in coordinates about the first point for conditioning.
    const CDPoint o = pts[0];
    double a[9] = {};
    double b[3] = {};
    for (int i = 0; i < n; ++i) {
        const double x = pts[i].x - o.x;
        const double y = pts[i].y - o.y;
        const double row[3] = {x, y, 1.0};
        const double rhs = -(x * x + y * y);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c)
                a[r * 3 + c] += row[r] * row[c];
            b[r] += row[r] * rhs;
        }
    }
    if (!SolveLinearSystem(a, b, 3))
        return false;
    const CDPoint c(-b[0] / 2.0, -b[1] / 2.0);
    const double r2 = c.x * c.x + c.y * c.y - b[2];
    if (!(r2 > 0.0) || !std::isfinite(r2))
        return false;
    *centre = c + o;
    *radius = std::sqrt(r2);
    return true;
}

namespace {

struct Circle {
    double x = 0.0, y = 0.0, r = 0.0;
};

double SquaredResidual(const std::vector<CDPoint>& p, const Circle& c)
{
    double sum = 0.0;
    for (const CDPoint& q : p) {
        const double e = std::hypot(q.x - c.x, q.y - c.y) - c.r;
        sum += e * e;
    }
    return sum;
}

bool CircleThrough(CDPoint a, CDPoint b, CDPoint c, Circle* out)
{
    const double d = 2.0 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    const double scale = std::max({Length(b - a), Length(c - b), Length(c - a)});
    if (!(std::fabs(d) > 1e-12 * scale * scale))
        return false;
    const double aa = Dot(a, a), bb = Dot(b, b), cc = Dot(c, c);
    out->x = (aa * (b.y - c.y) + bb * (c.y - a.y) + cc * (a.y - b.y)) / d;
    out->y = (aa * (c.x - b.x) + bb * (a.x - c.x) + cc * (b.x - a.x)) / d;
    out->r = std::hypot(a.x - out->x, a.y - out->y);
    return std::isfinite(out->x) && std::isfinite(out->y) && std::isfinite(out->r);
}

// Gauss-Newton on the distances |p - c| - r, damped (Levenberg-Marquardt): near a straight
// line the centre and the radius run off together and the plain steps overshoot.
Circle Refine(const std::vector<CDPoint>& p, Circle c)
{
    double ss = SquaredResidual(p, c);
    double damping = 1e-3;
    for (int iter = 0; iter < 200 && damping < 1e12; ++iter) {
        double jtj[9] = {};
        double jtr[3] = {};
        for (const CDPoint& q : p) {
            const double d = std::hypot(q.x - c.x, q.y - c.y);
            if (!(d > 1e-12))
                continue;
            const double row[3] = {-(q.x - c.x) / d, -(q.y - c.y) / d, -1.0};
            const double e = d - c.r;
            for (int i = 0; i < 3; ++i) {
                for (int k = 0; k < 3; ++k)
                    jtj[i * 3 + k] += row[i] * row[k];
                jtr[i] -= row[i] * e;
            }
        }
        double a[9];
        std::copy(jtj, jtj + 9, a);
        double step[3] = {jtr[0], jtr[1], jtr[2]};
        for (int i = 0; i < 3; ++i)
            a[i * 4] += damping * jtj[i * 4];
        if (!SolveLinearSystem(a, step, 3)) {
            damping *= 10.0;
            continue;
        }
        const Circle t{c.x + step[0], c.y + step[1], c.r + step[2]};
        const double tss = SquaredResidual(p, t);
        if (!(t.r > 0.0 && tss < ss)) {
            damping *= 10.0;
            continue;
        }
        const bool small = ss - tss <= 1e-15 * ss || std::fabs(step[2]) <= 1e-13 * (1.0 + c.r);
        c = t;
        ss = tss;
        damping = std::max(damping / 10.0, 1e-12);
        // Converged, or running off towards a straight line.
        if (small || c.r > 1e9)
            break;
    }
    return c;
}

}

bool FitCircleGeometric(const CDPoint* pts, int n, CDPoint* centre, double* radius)
{
    if (n < 3)
        return false;
    // About the centroid: survey coordinates are large next to a span.
    CDPoint o;
    for (int i = 0; i < n; ++i)
        o = o + pts[i] * (1.0 / n);
    std::vector<CDPoint> p(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        p[size_t(i)] = pts[i] - o;

    Circle starts[2];
    bool have[2] = {false, false};
    CDPoint c;
    double r = 0.0;
    if (FitCircle(p.data(), n, &c, &r)) {
        starts[0] = {c.x, c.y, r};
        have[0] = true;
    }
    have[1] = CircleThrough(p.front(), p[size_t(n / 2)], p.back(), &starts[1]);
    bool found = false;
    Circle best;
    double bestSS = 0.0;
    for (int k = 0; k < 2; ++k) {
        if (!have[k])
            continue;
        const Circle fit = Refine(p, starts[k]);
        const double ss = SquaredResidual(p, fit);
        if (std::isfinite(ss) && (!found || ss < bestSS)) {
            found = true;
            best = fit;
            bestSS = ss;
        }
    }
    if (!found)
        return false;
    *centre = CDPoint(best.x, best.y) + o;
    *radius = best.r;
    return true;
}

double CircleResidual(const CDPoint* pts, int n, CDPoint centre, double radius)
{
    double worst = 0.0;
    for (int i = 0; i < n; ++i) {
        const double e = std::fabs(Distance(pts[i], centre) - radius);
        if (!std::isfinite(e))
            return HUGE_VAL;
        worst = std::max(worst, e);
    }
    return worst;
}

double ChordDeviation(const CDPoint* pts, int n)
{
    if (n < 3)
        return 0.0;
    const CDPoint a = pts[0];
    const CDPoint u = pts[n - 1] - a;
    const double l = Length(u);
    double worst = 0.0;
    for (int i = 1; i < n - 1; ++i) {
        const double d = l > 1e-12 ? std::fabs(Cross(u, pts[i] - a)) / l : Distance(pts[i], a);
        worst = std::max(worst, d);
    }
    return worst;
}

}
