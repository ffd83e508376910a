#include "geometry/matrix_solver.h"

#include <cmath>
#include <utility>
#include <vector>

int SolveLinearSystem(double* a, double* b, int n)
{
    if (n < 1)
        return 0;
    double largest = 0.0;
    for (int i = 0; i < n * n; ++i)
        largest = std::max(largest, std::fabs(a[i]));
    const double tiny = 1e-12 * largest;
    if (largest == 0.0 || !std::isfinite(largest))
        return 0;
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(a[r * n + col]) > std::fabs(a[pivot * n + col]))
                pivot = r;
        if (std::fabs(a[pivot * n + col]) <= tiny)
            return 0;
        if (pivot != col) {
            for (int c = 0; c < n; ++c)
                std::swap(a[col * n + c], a[pivot * n + c]);
            std::swap(b[col], b[pivot]);
        }
        for (int r = col + 1; r < n; ++r) {
            const double f = a[r * n + col] / a[col * n + col];
            if (f == 0.0)
                continue;
            for (int c = col; c < n; ++c)
                a[r * n + c] -= f * a[col * n + c];
            b[r] -= f * b[col];
        }
    }
    for (int r = n - 1; r >= 0; --r) {
        double s = b[r];
        for (int c = r + 1; c < n; ++c)
            s -= a[r * n + c] * b[c];
        b[r] = s / a[r * n + r];
    }
    return 1;
}

int SolveTridiagonal(const double* lo, const double* di, const double* up, double* b, int n)
{
    if (n < 1)
        return 0;
    std::vector<double> c(size_t(n), 0.0);
    double d = di[0];
    if (d == 0.0)
        return 0;
    c[0] = n > 1 ? up[0] / d : 0.0;
    b[0] /= d;
    for (int i = 1; i < n; ++i) {
        d = di[i] - lo[i] * c[size_t(i - 1)];
        if (d == 0.0)
            return 0;
        c[size_t(i)] = i < n - 1 ? up[i] / d : 0.0;
        b[i] = (b[i] - lo[i] * b[i - 1]) / d;
    }
    for (int i = n - 2; i >= 0; --i)
        b[i] -= c[size_t(i)] * b[i + 1];
    return 1;
}
