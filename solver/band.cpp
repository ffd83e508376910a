#include "solver/band.h"

#include "solver/pool.h"

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

MultiSolver::MultiSolver(const BandMatrix& L, Pool* pool) : m_n(L.n), m_b(L.b), m_L(L.a.data())
{
    const int n = m_n, b = m_b;
    m_U.resize(size_t(n) * b);
    m_inv.resize(n);
    // L^t row k gets L(i, k) at offset i - k - 1, gathered row by row: the rows read stay
    // in cache, where scattering each row of L would touch b lines per row
    constexpr int kRows = 1024;
    auto rows = [&](int part) {
        for (int k = part * kRows; k < std::min(n, (part + 1) * kRows); ++k) {
            m_inv[k] = 1.0 / L.row(k)[b];
            double* u = m_U.data() + size_t(k) * b;
            const int last = std::min(n - 1, k + b);
            for (int i = k + 1; i <= last; ++i)
                u[i - k - 1] = L.row(i)[k - i + b];
            std::fill(u + (last - k), u + b, 0.0);
        }
    };
    const int parts = (n + kRows - 1) / kRows;
    if (pool)
        pool->Run(parts, rows);
    else
        for (int part = 0; part < parts; ++part)
            rows(part);
}

namespace {

#if defined(__GNUC__) && defined(__x86_64__)
#define MVG_FAST_KERNEL 1
#endif


// Forward and backward passes over a tile of C columns: per row, the right-hand sides
// in vectors of W doubles, in two interleaved accumulator sets, so that the multiply-adds of
// consecutive band entries do not wait on each other. Every column sees the same
// operations in the same order whatever the vector width.
// The right-hand sides are zero in rows rhsEnd .. n - 1, which the forward pass then
// writes without reading; the backward pass takes rows before `first` for zero.
template <int W, int C, bool Fwd = true, bool Bwd = true>
__attribute__((always_inline)) inline void Tile(int n, int b, const double* Lr, const double* Ur, const double* inv, double* X, int first,
                                                int rhsEnd)
{
    // W doubles, loaded and stored without alignment
    typedef double V __attribute__((vector_size(W * sizeof(double)), aligned(8)));
    constexpr int kV = C / W;
    auto row = [&](int i) { return reinterpret_cast<V*>(X + size_t(i) * C); };
    for (int i = first; Fwd && i < n; ++i) {
        V* xi = row(i);
        V a[kV], c[kV];
        for (int v = 0; v < kV; ++v) {
            a[v] = i < rhsEnd ? xi[v] : V{} * 0.0;
            c[v] = V{} * 0.0;
        }
        const int k0 = std::max(first, i - b);
        const double* l = Lr + size_t(i) * (b + 1) + (k0 - (i - b));  // the factor's own rows
        int k = k0;
        for (; k + 1 < i; k += 2, l += 2) {
            const V* x = row(k);
            const V* y = row(k + 1);
            const double p = l[0], q = l[1];
            for (int v = 0; v < kV; ++v) {
                a[v] -= p * x[v];
                c[v] -= q * y[v];
            }
        }
        if (k < i) {
            const V* x = row(k);
            const double p = l[0];
            for (int v = 0; v < kV; ++v)
                a[v] -= p * x[v];
        }
        const double d = inv[i];
        for (int v = 0; v < kV; ++v)
            xi[v] = (a[v] + c[v]) * d;
    }
    for (int i = n - 1; Bwd && i >= 0; --i) {
        V* xi = row(i);
        V a[kV], c[kV];
        for (int v = 0; v < kV; ++v) {
            a[v] = i >= first ? xi[v] : V{} * 0.0;
            c[v] = V{} * 0.0;
        }
        const int k1 = std::min(n - 1, i + b);
        const double* u = Ur + size_t(i) * b;
        int k = i + 1;
        for (; k + 1 <= k1; k += 2, u += 2) {
            const V* x = row(k);
            const V* y = row(k + 1);
            const double p = u[0], q = u[1];
            for (int v = 0; v < kV; ++v) {
                a[v] -= p * x[v];
                c[v] -= q * y[v];
            }
        }
        if (k <= k1) {
            const V* x = row(k);
            const double p = u[0];
            for (int v = 0; v < kV; ++v)
                a[v] -= p * x[v];
        }
        const double d = inv[i];
        for (int v = 0; v < kV; ++v)
            xi[v] = (a[v] + c[v]) * d;
    }
}

template <bool F, bool B>
void TileDefault(int n, int b, const double* Lr, const double* Ur, const double* inv, double* X, int first, int rhsEnd)
{
    Tile<4, 16, F, B>(n, b, Lr, Ur, inv, X, first, rhsEnd);
}

#ifdef MVG_FAST_KERNEL
template <bool F, bool B>
__attribute__((target("avx2,fma"))) void TileAvx2(int n, int b, const double* Lr, const double* Ur,
                                                  const double* inv, double* X, int first, int rhsEnd)
{
    Tile<4, 16, F, B>(n, b, Lr, Ur, inv, X, first, rhsEnd);
}

// Twice the columns: the factor, which bounds the speed, is streamed half as often.
template <bool F, bool B>
__attribute__((target("avx512f,fma"))) void TileAvx512(int n, int b, const double* Lr, const double* Ur,
                                                      const double* inv, double* X, int first, int rhsEnd)
{
    Tile<8, 32, F, B>(n, b, Lr, Ur, inv, X, first, rhsEnd);
}
#endif

using TileKernel = void (*)(int, int, const double*, const double*, const double*, double*, int, int);

struct Kernel {
    TileKernel solve, forward, backward;
    int width;
};

// The widest kernel this processor runs.
Kernel PickKernel()
{
#ifdef MVG_FAST_KERNEL
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("fma"))
        return {TileAvx512<true, true>, TileAvx512<true, false>, TileAvx512<false, true>, 32};
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return {TileAvx2<true, true>, TileAvx2<true, false>, TileAvx2<false, true>, 16};
#endif
    return {TileDefault<true, true>, TileDefault<true, false>, TileDefault<false, true>, 16};
}

const Kernel kKernel = PickKernel();

} // namespace

int MultiSolver::width()
{
    return kKernel.width;
}

void MultiSolver::Forward(double* X, int first, int rhsEnd) const
{
    kKernel.forward(m_n, m_b, m_L, m_U.data(), m_inv.data(), X, first, rhsEnd);
}

void MultiSolver::Backward(double* X, int first) const
{
    kKernel.backward(m_n, m_b, m_L, m_U.data(), m_inv.data(), X, first, m_n);
}

void MultiSolver::Solve(double* X, int width, int first) const
{
    const int w = kKernel.width;
    if (width == w) {
        kKernel.solve(m_n, m_b, m_L, m_U.data(), m_inv.data(), X, first, m_n);
        return;
    }
    // Narrower tiles go through a padded copy.
    std::vector<double> tmp(size_t(m_n) * w, 0.0);
    for (int i = 0; i < m_n; ++i)
        std::copy(X + size_t(i) * width, X + size_t(i) * width + width, tmp.begin() + size_t(i) * w);
    kKernel.solve(m_n, m_b, m_L, m_U.data(), m_inv.data(), tmp.data(), first, m_n);
    for (int i = 0; i < m_n; ++i)
        std::copy(tmp.begin() + size_t(i) * w, tmp.begin() + size_t(i) * w + width, X + size_t(i) * width);
}

} // namespace mvg
