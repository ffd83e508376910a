#include "geometry/plan_math.h"
#include "geometry/matrix_solver.h"

#include <algorithm>

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
