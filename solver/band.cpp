#include "solver/band.h"

#include "solver/pool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace mvg {

void Prefault(void* p, size_t bytes)
{
#if defined(__linux__)
    // Only buffers of many pages are worth the call; whole pages inside the buffer only.
    constexpr size_t kMin = size_t(256) << 10;
    if (!p || bytes < kMin)
        return;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t b = (reinterpret_cast<uintptr_t>(p) + page - 1) & ~(page - 1);
    const uintptr_t e = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(page - 1);
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
    if (e > b)
        madvise(reinterpret_cast<void*>(b), e - b, MADV_POPULATE_WRITE);
#else
    (void)p;
    (void)bytes;
#endif
}

namespace {

// The factor goes by blocks of kRows rows, one row per vector lane: the entries of a
// column in those rows are independent of each other, so the rows share one pass over
// the rows above instead of each waiting on its own chain of subtractions. kCols columns
// are worked on together for more chains in flight. Every entry sees the same
// subtractions in the same order as the plain row-by-row factor, each product rounded
// before it is subtracted (no fused multiply-add), so the factor is the same to the bit.
constexpr int kRows = 8;
constexpr int kCols = 4;

#if defined(__GNUC__)
#define MVG_VECTOR_FACTOR 1

// Keeps the compiler from fusing a product into the subtraction that follows it.
#define MVG_ROUNDED(x) __asm__("" : "+v"(x))

template <int W>
__attribute__((always_inline)) inline int FactorBlocks(int n, int b, const double* S, double* A, double* pivot)
{
    typedef double V __attribute__((vector_size(W * sizeof(double))));
    typedef long long M __attribute__((vector_size(W * sizeof(long long))));
    constexpr int kV = kRows / W;
    auto row = [&](int i) { return A + size_t(i) * (b + 1); };
    // The block's rows by columns: T[(k - base) * kRows + r] holds row i0 + r, column k.
    std::vector<double> buf(size_t(b + kRows) * kRows + kRows);
    double* const T = reinterpret_cast<double*>((reinterpret_cast<uintptr_t>(buf.data()) + 63) & ~uintptr_t(63));
    auto at = [&](int k, int base) { return reinterpret_cast<V*>(T + size_t(k - base) * kRows); };

    for (int i0 = 0; i0 < n; i0 += kRows) {
        const int nb = std::min(kRows, n - i0);
        const int base = std::max(0, i0 - b);
        const int end = i0 + nb;
        // first column of each lane's row; lanes past the last row stand idle
        long long j0[kRows];
        for (int r = 0; r < kRows; ++r)
            j0[r] = std::max(0, i0 + r - b);
        M first[kV];
        static_assert(sizeof first == sizeof j0);
        std::memcpy(first, j0, sizeof first);
        const int kc = int(j0[kRows - 1]);  // from here on every lane takes part
        std::fill(T, T + size_t(end - base) * kRows, 0.0);
        for (int r = 0; r < nb; ++r) {
            const double* src = S + size_t(i0 + r) * (b + 1);
            for (int k = int(j0[r]); k <= i0 + r; ++k)
                T[size_t(k - base) * kRows + r] = src[k - (i0 + r) + b];
        }
        // the value of row j, column k: a row above the block, or a lane of the block
        auto colBase = [&](int j, size_t& stride) -> const double* {
            if (j < i0) {
                stride = 1;
                return row(j) + (base - j + b);
            }
            stride = kRows;
            return T + (j - i0);
        };
        auto step = [&](V* acc, const V* x, double l, int k) {
            if (k < kc) {
                for (int v = 0; v < kV; ++v) {
                    V p = x[v] * l;
                    MVG_ROUNDED(p);
                    const V t = acc[v] - p;
                    acc[v] = M{} + k >= first[v] ? t : acc[v];
                }
            } else {
                for (int v = 0; v < kV; ++v) {
                    V p = x[v] * l;
                    MVG_ROUNDED(p);
                    acc[v] -= p;
                }
            }
        };
        for (int j = base; j < end; j += kCols) {
            const int cn = std::min(kCols, end - j);
            V acc[kCols][kV];
            const double* col[kCols];
            size_t stride[kCols];
            for (int c = 0; c < cn; ++c) {
                const V* x = at(j + c, base);
                for (int v = 0; v < kV; ++v)
                    acc[c][v] = x[v];
                col[c] = colBase(j + c, stride[c]);
            }
            // the rows' shared part, before the first column of the group
            int k = base;
            for (; k < std::min(j, kc); ++k) {
                const V* x = at(k, base);
                for (int c = 0; c < cn; ++c)
                    step(acc[c], x, col[c][size_t(k - base) * stride[c]], k);
            }
            if (cn == kCols) {
                for (; k < j; ++k) {
                    const V* x = at(k, base);
                    const size_t o = size_t(k - base);
                    double l[kCols];
                    for (int c = 0; c < kCols; ++c)
                        l[c] = col[c][o * stride[c]];
                    for (int v = 0; v < kV; ++v)
                        for (int c = 0; c < kCols; ++c) {
                            V p = x[v] * l[c];
                            MVG_ROUNDED(p);
                            acc[c][v] -= p;
                        }
                }
            } else {
                for (; k < j; ++k) {
                    const V* x = at(k, base);
                    for (int c = 0; c < cn; ++c)
                        step(acc[c], x, col[c][size_t(k - base) * stride[c]], k);
                }
            }
            // then each column in turn, after the group's columns before it
            for (int c = 0; c < cn; ++c) {
                const int jj = j + c;
                for (int kk = j; kk < jj; ++kk)
                    step(acc[c], at(kk, base), col[c][size_t(kk - base) * stride[c]], kk);
                V* out = at(jj, base);
                if (jj < i0) {
                    const double d = row(jj)[b];
                    for (int v = 0; v < kV; ++v)
                        out[v] = acc[c][v] / d;
                    continue;
                }
                const int lane = jj - i0;
                const double s = acc[c][lane / W][lane % W];
                const double diag = T[size_t(jj - base) * kRows + lane];
                if (!std::isfinite(s) || !(s > 1e-9 * diag) || !(s > 0)) {
                    // leave the rows as the plain factor leaves them when it stops here
                    for (int r = 0; r <= lane; ++r) {
                        double* dst = row(i0 + r);
                        const int last = r < lane ? i0 + r : i0 + r - 1;
                        for (int kk = int(j0[r]); kk <= last; ++kk)
                            dst[kk - (i0 + r) + b] = T[size_t(kk - base) * kRows + r];
                    }
                    if (pivot)
                        *pivot = s;
                    return i0 + lane;
                }
                const double d = std::sqrt(s);
                for (int v = 0; v < kV; ++v)
                    out[v] = acc[c][v] / d;
                T[size_t(jj - base) * kRows + lane] = d;
            }
        }
        for (int r = 0; r < nb; ++r) {
            double* dst = row(i0 + r);
            for (int k = int(j0[r]); k <= i0 + r; ++k)
                dst[k - (i0 + r) + b] = T[size_t(k - base) * kRows + r];
        }
    }
    return -1;
}

int FactorDefault(int n, int b, const double* S, double* A, double* pivot)
{
    return FactorBlocks<2>(n, b, S, A, pivot);
}

#if defined(__x86_64__)
// Wider vectors without fused multiply-add: the products stay rounded on their own.
__attribute__((target("avx2"))) int FactorAvx2(int n, int b, const double* S, double* A, double* pivot)
{
    return FactorBlocks<4>(n, b, S, A, pivot);
}

__attribute__((target("avx512f"))) int FactorAvx512(int n, int b, const double* S, double* A, double* pivot)
{
    return FactorBlocks<8>(n, b, S, A, pivot);
}
#endif

#undef MVG_ROUNDED
#endif

#if defined(MVG_VECTOR_FACTOR) && defined(__x86_64__)
// The widest factor kernel this processor runs.
auto PickFactor()
{
    static const auto factor = [] {
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f"))
            return FactorAvx512;
        if (__builtin_cpu_supports("avx2"))
            return FactorAvx2;
        return FactorDefault;
    }();
    return factor;
}
#endif

} // namespace

int CholeskyBand(BandMatrix& m, double* pivot)
{
#ifdef MVG_VECTOR_FACTOR
#if defined(__x86_64__)
    return PickFactor()(m.n, m.b, m.a.data(), m.a.data(), pivot);
#else
    return FactorDefault(m.n, m.b, m.a.data(), m.a.data(), pivot);
#endif
#else
    const int n = m.n, b = m.b;
    for (int i = 0; i < n; ++i) {
        double* ri = m.a.data() + size_t(i) * (b + 1);
        const int j0 = std::max(0, i - b);
        for (int j = j0; j <= i; ++j) {
            const double* rj = m.a.data() + size_t(j) * (b + 1);
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
#endif
}

namespace {

// The product goes by blocks of kSums rows as well. Each y entry gets the block's updates
// one after the other in the plain order, held in a register, instead of being stored and
// loaded back once a row; the sums of the block's rows are independent, so they run side
// by side. No operation changes, nor its order per entry.
constexpr int kSums = 8;

} // namespace

int CholeskyBand(const BandMatrix& K, BandMatrix& L, double* pivot)
{
    L.n = K.n;
    L.b = K.b;
#ifdef MVG_VECTOR_FACTOR
    // Each block of rows is read from K and written to L: no copy of K first. L's
    // entries before the first column stay as K has them.
    const size_t w = size_t(K.b) + 1;
    L.a.allocate(K.a.size());
    const double* S = K.a.data();
    double* A = L.a.data();
    for (int i = 0; i < std::min(K.n, K.b); ++i)
        std::copy(S + i * w, S + i * w + (K.b - i), A + i * w);
#if defined(__x86_64__)
    return PickFactor()(K.n, K.b, S, A, pivot);
#else
    return FactorDefault(K.n, K.b, S, A, pivot);
#endif
#else
    L.a = K.a;
    return CholeskyBand(L, pivot);
#endif
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
    int i0 = 0;
    for (; i0 + kSums <= n; i0 += kSums) {
        const double* p[kSums];  // p[r][k]: row i0 + r, column k
        double s[kSums], xb[kSums];
        int k0[kSums];
        for (int r = 0; r < kSums; ++r) {
            const int i = i0 + r;
            p[r] = K.row(i) + b - i;
            xb[r] = x[i];
            s[r] = p[r][i] * xb[r];
            k0[r] = std::max(0, i - b);
        }
        // each row's sum in ascending columns: the rows' own first columns, then the
        // columns all rows share side by side, then the block's own columns
        const int all = std::min(i0, k0[kSums - 1]);
        for (int r = 0; r < kSums; ++r)
            for (int k = k0[r]; k < all; ++k)
                s[r] += p[r][k] * x[k];
        for (int k = all; k < i0; ++k) {
            const double xk = x[k];
            for (int r = 0; r < kSums; ++r)
                s[r] += p[r][k] * xk;
        }
        for (int r = 0; r < kSums; ++r)
            for (int k = std::max(i0, k0[r]); k < i0 + r; ++k)
                s[r] += p[r][k] * x[k];
        // the rows before the block, each from the block's first row to its last
        for (int k = k0[0]; k < all; ++k) {
            double v = y[k];
            for (int r = 0; r < kSums; ++r)
                if (k0[r] <= k)
                    v += p[r][k] * xb[r];
            y[k] = v;
        }
        for (int k = all; k < i0; ++k) {
            double v = y[k];
            for (int r = 0; r < kSums; ++r)
                v += p[r][k] * xb[r];
            y[k] = v;
        }
        // the block's own rows in order
        for (int r = 0; r < kSums; ++r) {
            const int i = i0 + r;
            for (int k = std::max(i0, k0[r]); k < i; ++k)
                y[k] += p[r][k] * xb[r];
            y[i] += s[r];
        }
    }
    for (int i = i0; i < n; ++i) {
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
