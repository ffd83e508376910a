#include "solver/band.h"

#include <algorithm>
#include <cmath>

namespace mvg {

int CholeskyBand(BandMatrix& m, double* pivot)
{
    const int n = m.n, b = m.b;
    for (int i = 0; i < n; ++i) {
        double* ri = m.a.data() + size_t(i) * (b + 1);
        const int j0 = std::max(0, i - b);
        for (int j = j0; j <= i; ++j) {
            const double* rj = m.a.data() + size_t(j) * (b + 1);
            // columns k in [max(j0, j-b), j) of rows i and j
            const int k0 = std::max(j0, j - b);
            double s = ri[j - i + b];
            const double* pi = ri + (k0 - i + b);
            const double* pj = rj + (k0 - j + b);
            for (int k = 0; k < j - k0; ++k)
                s -= pi[k] * pj[k];
            if (j < i) {
                ri[j - i + b] = s / rj[b];
            } else {
                const double diag = ri[b];
                if (!std::isfinite(s) || !(s > 1e-9 * diag) || !(s > 0)) {
                    if (pivot)
                        *pivot = s;
                    return i;
                }
                ri[b] = std::sqrt(s);
            }
        }
    }
    return -1;
}

void SolveBand(const BandMatrix& L, double* x)
{
    const int n = L.n, b = L.b;
    for (int i = 0; i < n; ++i) {
        const double* r = L.row(i);
        const int k0 = std::max(0, i - b);
        double s = x[i];
        for (int k = k0; k < i; ++k)
            s -= r[k - i + b] * x[k];
        x[i] = s / r[b];
    }
    for (int i = n - 1; i >= 0; --i) {
        const double* r = L.row(i);
        x[i] /= r[b];
        const double xi = x[i];
        const int k0 = std::max(0, i - b);
        for (int k = k0; k < i; ++k)
            x[k] -= r[k - i + b] * xi;
    }
}

void MultiplyBand(const BandMatrix& K, const double* x, double* y)
{
    const int n = K.n, b = K.b;
    std::fill(y, y + n, 0.0);
    for (int i = 0; i < n; ++i) {
        const double* r = K.row(i);
        const int k0 = std::max(0, i - b);
        double s = r[b] * x[i];
        for (int k = k0; k < i; ++k) {
            s += r[k - i + b] * x[k];
            y[k] += r[k - i + b] * x[i];
        }
        y[i] += s;
    }
}

MultiSolver::MultiSolver(const BandMatrix& L) : m_n(L.n), m_b(L.b)
{
    const int n = m_n, b = m_b;
    m_L.assign(size_t(n) * b, 0.0);
    m_U.assign(size_t(n) * b, 0.0);
    m_inv.resize(n);
    for (int i = 0; i < n; ++i) {
        const double* r = L.row(i);
        m_inv[i] = 1.0 / r[b];
        // L row i: columns i-b .. i-1 at offsets 0 .. b-1
        std::copy(r, r + b, m_L.begin() + size_t(i) * b);
        // L^t row k (k < i) gets L(i, k) at offset i - k - 1
        for (int k = std::max(0, i - b); k < i; ++k)
            m_U[size_t(k) * b + (i - k - 1)] = r[k - i + b];
    }
}

namespace {

#if defined(__GNUC__) && defined(__x86_64__)
#define MVG_FAST_KERNEL 1
#endif

// Four doubles, loaded and stored without alignment.
typedef double V4 __attribute__((vector_size(32), aligned(8)));

// Forward and backward passes over a tile of 16 columns: per row, four vectors of
// right-hand sides in two interleaved accumulator sets, so that the multiply-adds of
// consecutive band entries do not wait on each other.
template <int Isa>
__attribute__((always_inline)) inline void Tile16(int n, int b, const double* Lr, const double* Ur, const double* inv, double* X, int first)
{
    auto row = [&](int i) { return reinterpret_cast<V4*>(X + size_t(i) * 16); };
    for (int i = first; i < n; ++i) {
        V4* xi = row(i);
        V4 a0 = xi[0], a1 = xi[1], a2 = xi[2], a3 = xi[3];
        V4 c0 = {0, 0, 0, 0}, c1 = c0, c2 = c0, c3 = c0;
        const int k0 = std::max(first, i - b);
        const double* l = Lr + size_t(i) * b + (k0 - (i - b));
        int k = k0;
        for (; k + 1 < i; k += 2, l += 2) {
            const V4* x = row(k);
            const V4* y = row(k + 1);
            const double v = l[0], w = l[1];
            a0 -= v * x[0];
            a1 -= v * x[1];
            a2 -= v * x[2];
            a3 -= v * x[3];
            c0 -= w * y[0];
            c1 -= w * y[1];
            c2 -= w * y[2];
            c3 -= w * y[3];
        }
        if (k < i) {
            const V4* x = row(k);
            const double v = l[0];
            a0 -= v * x[0];
            a1 -= v * x[1];
            a2 -= v * x[2];
            a3 -= v * x[3];
        }
        const double d = inv[i];
        xi[0] = (a0 + c0) * d;
        xi[1] = (a1 + c1) * d;
        xi[2] = (a2 + c2) * d;
        xi[3] = (a3 + c3) * d;
    }
    for (int i = n - 1; i >= 0; --i) {
        V4* xi = row(i);
        V4 a0 = xi[0], a1 = xi[1], a2 = xi[2], a3 = xi[3];
        V4 c0 = {0, 0, 0, 0}, c1 = c0, c2 = c0, c3 = c0;
        const int k1 = std::min(n - 1, i + b);
        const double* u = Ur + size_t(i) * b;
        int k = i + 1;
        for (; k + 1 <= k1; k += 2, u += 2) {
            const V4* x = row(k);
            const V4* y = row(k + 1);
            const double v = u[0], w = u[1];
            a0 -= v * x[0];
            a1 -= v * x[1];
            a2 -= v * x[2];
            a3 -= v * x[3];
            c0 -= w * y[0];
            c1 -= w * y[1];
            c2 -= w * y[2];
            c3 -= w * y[3];
        }
        if (k <= k1) {
            const V4* x = row(k);
            const double v = u[0];
            a0 -= v * x[0];
            a1 -= v * x[1];
            a2 -= v * x[2];
            a3 -= v * x[3];
        }
        const double d = inv[i];
        xi[0] = (a0 + c0) * d;
        xi[1] = (a1 + c1) * d;
        xi[2] = (a2 + c2) * d;
        xi[3] = (a3 + c3) * d;
    }
}

void TileDefault(int n, int b, const double* Lr, const double* Ur, const double* inv, double* X, int first)
{
    Tile16<0>(n, b, Lr, Ur, inv, X, first);
}

#ifdef MVG_FAST_KERNEL
__attribute__((target("avx2,fma"))) void TileAvx2(int n, int b, const double* Lr, const double* Ur,
                                                  const double* inv, double* X, int first)
{
    Tile16<1>(n, b, Lr, Ur, inv, X, first);
}
#endif

using TileKernel = void (*)(int, int, const double*, const double*, const double*, double*, int);

// The widest kernel this processor runs.
TileKernel PickKernel()
{
#ifdef MVG_FAST_KERNEL
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return TileAvx2;
#endif
    return TileDefault;
}

const TileKernel kTile16 = PickKernel();

} // namespace

void MultiSolver::Solve(double* X, int width, int first) const
{
    if (width == kMaxWidth) {
        kTile16(m_n, m_b, m_L.data(), m_U.data(), m_inv.data(), X, first);
        return;
    }
    // Narrower tiles go through a padded copy.
    std::vector<double> tmp(size_t(m_n) * kMaxWidth, 0.0);
    for (int i = 0; i < m_n; ++i)
        std::copy(X + size_t(i) * width, X + size_t(i) * width + width, tmp.begin() + size_t(i) * kMaxWidth);
    kTile16(m_n, m_b, m_L.data(), m_U.data(), m_inv.data(), tmp.data(), first);
    for (int i = 0; i < m_n; ++i)
        std::copy(tmp.begin() + size_t(i) * kMaxWidth, tmp.begin() + size_t(i) * kMaxWidth + width,
                  X + size_t(i) * width);
}

} // namespace mvg
