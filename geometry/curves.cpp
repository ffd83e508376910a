#include "geometry/curves.h"
#include "geometry/matrix_solver.h"
#include "geometry/plan_math.h"

#include <algorithm>
#include <cmath>

using namespace PlanMath;

void SubdivideLinear(CDPoint* a, int k, int n)
{
    if (n < 2 || k < 1)
        return;
    const std::vector<CDPoint> src(a, a + n);
    int out = 0;
    for (int i = 0; i + 1 < n; ++i)
        for (int m = 0; m < k; ++m)
            a[out++] = src[size_t(i)] + (src[size_t(i) + 1] - src[size_t(i)]) * (double(m) / k);
    a[out] = src.back();
}

int InterpolateCurve(CDPoint* a, int k, int n)
{
    if (n > 250 || n < 2 || k < 1) {
        SubdivideLinear(a, k, n);
        return 0;
    }
    const std::vector<CDPoint> p(a, a + n);
    // Phantom ends that continue the curve's own bend, so that arcs stay arcs.
    std::vector<CDPoint> q;
    q.reserve(size_t(n) + 2);
    q.push_back(n == 2 ? p[0] * 2.0 - p[1] : p[0] * 3.0 - p[1] * 3.0 + p[2]);
    q.insert(q.end(), p.begin(), p.end());
    q.push_back(n == 2 ? p[1] * 2.0 - p[0] : p[size_t(n) - 1] * 3.0 - p[size_t(n) - 2] * 3.0 + p[size_t(n) - 3]);

    auto knot = [](CDPoint u, CDPoint v) { return std::max(std::sqrt(Distance(u, v)), 1e-12); };
    int out = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const CDPoint P0 = q[size_t(i)], P1 = q[size_t(i) + 1], P2 = q[size_t(i) + 2], P3 = q[size_t(i) + 3];
        if (Distance(P1, P2) < 1e-9) {
            for (int m = 0; m < k; ++m)
                a[out++] = P1;
            continue;
        }
        const double t0 = 0.0;
        const double t1 = t0 + knot(P0, P1);
        const double t2 = t1 + knot(P1, P2);
        const double t3 = t2 + knot(P2, P3);
        for (int m = 0; m < k; ++m) {
            const double t = t1 + (t2 - t1) * m / k;
            const CDPoint A1 = P0 * ((t1 - t) / (t1 - t0)) + P1 * ((t - t0) / (t1 - t0));
            const CDPoint A2 = P1 * ((t2 - t) / (t2 - t1)) + P2 * ((t - t1) / (t2 - t1));
            const CDPoint A3 = P2 * ((t3 - t) / (t3 - t2)) + P3 * ((t - t2) / (t3 - t2));
            const CDPoint B1 = A1 * ((t2 - t) / (t2 - t0)) + A2 * ((t - t0) / (t2 - t0));
            const CDPoint B2 = A2 * ((t3 - t) / (t3 - t1)) + A3 * ((t - t1) / (t3 - t1));
            CDPoint C = B1 * ((t2 - t) / (t2 - t1)) + B2 * ((t - t1) / (t2 - t1));
            a[out++] = IsFinite(C) ? C : P1 + (P2 - P1) * (double(m) / k);
        }
    }
    a[out] = p.back();
    return 1;
}

bool CNaturalSpline::Build(const double* x, const double* y, int n, bool bSpline)
{
    m_x.assign(x, x + std::max(n, 0));
    m_y.assign(y, y + std::max(n, 0));
    m_m.assign(m_x.size(), 0.0);
    m_bSpline = false;
    if (n < 2 || !bSpline)
        return false;
    for (int i = 0; i + 1 < n; ++i)
        if (!(x[i + 1] > x[i]))
            return false;
    if (n > 2) {
        const int inner = n - 2;
        std::vector<double> lo(static_cast<size_t>(inner)), di(lo), up(lo), rhs(lo);
        for (int i = 1; i <= inner; ++i) {
            const double h0 = x[i] - x[i - 1];
            const double h1 = x[i + 1] - x[i];
            lo[size_t(i - 1)] = h0;
            di[size_t(i - 1)] = 2.0 * (h0 + h1);
            up[size_t(i - 1)] = h1;
            rhs[size_t(i - 1)] = 6.0 * ((y[i + 1] - y[i]) / h1 - (y[i] - y[i - 1]) / h0);
        }
        if (!SolveTridiagonal(lo.data(), di.data(), up.data(), rhs.data(), inner))
            return false;
        for (int i = 0; i < inner; ++i)
            m_m[size_t(i) + 1] = rhs[size_t(i)];
    }
    m_bSpline = true;
    return true;
}

double CNaturalSpline::operator()(double xq) const
{
    const size_t n = m_x.size();
    if (n == 0)
        return 0.0;
    if (n == 1)
        return m_y[0];
    size_t i = 0;
    if (m_bSpline) {
        i = size_t(std::upper_bound(m_x.begin(), m_x.end(), xq) - m_x.begin());
        i = std::clamp<size_t>(i, 1, n - 1) - 1;
    } else {
        // Linear in the data's own order: the first interval holding xq, else the nearer end's value.
        bool found = false;
        for (size_t j = 0; j + 1 < n && !found; ++j)
            if ((xq >= m_x[j] && xq <= m_x[j + 1]) || (xq <= m_x[j] && xq >= m_x[j + 1])) {
                i = j;
                found = true;
            }
        if (!found)
            return std::fabs(xq - m_x.front()) <= std::fabs(xq - m_x.back()) ? m_y.front() : m_y.back();
    }
    const double h = m_x[i + 1] - m_x[i];
    if (std::fabs(h) < 1e-300)
        return m_y[i];
    const double A = (m_x[i + 1] - xq) / h;
    const double B = 1.0 - A;
    double v = A * m_y[i] + B * m_y[i + 1];
    if (m_bSpline)
        v += ((A * A * A - A) * m_m[i] + (B * B * B - B) * m_m[i + 1]) * h * h / 6.0;
    return v;
}

int InterpolateSpline(CDPoint* a, int k, int n)
{
    if (n < 2 || k < 1)
        return n >= 2 ? 0 : 1;
    std::vector<double> x(static_cast<size_t>(n)), y(x);
    for (int i = 0; i < n; ++i) {
        x[size_t(i)] = a[i].x;
        y[size_t(i)] = a[i].y;
    }
    CNaturalSpline s;
    if (!s.Build(x.data(), y.data(), n)) {
        SubdivideLinear(a, k, n);
        return 0;
    }
    int out = 0;
    for (int i = 0; i + 1 < n; ++i)
        for (int m = 0; m < k; ++m) {
            const double xq = x[size_t(i)] + (x[size_t(i) + 1] - x[size_t(i)]) * m / k;
            a[out++] = CDPoint(xq, m == 0 ? y[size_t(i)] : s(xq));
        }
    a[out] = CDPoint(x.back(), y.back());
    return 1;
}
