// Symmetric band matrices: storage, Cholesky factor and solves.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace mvg {

class Pool;

// Leaves the values it makes unset, where a vector would clear them first.
template <class T>
struct UnsetAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UnsetAllocator<U>;
    };
    UnsetAllocator() = default;
    template <class U>
    UnsetAllocator(const UnsetAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// Faults in the pages of a fresh buffer that is about to be written whole, in one call
// instead of one page fault a page. A hint: it does nothing where the system cannot.
void Prefault(void* p, size_t bytes);

// Storage for n values of an empty vector about to be filled whole, its pages faulted
// in at once.
template <class T, class A>
void ReserveFaulted(std::vector<T, A>& v, size_t n)
{
    if (v.empty() && v.capacity() < n) {
        v.reserve(n);
        Prefault(v.data(), n * sizeof(T));
    }
}

// The numbers of a band: owned, or borrowed read-only from a mapped intermediate file
// that `keep` holds, so that a stage which only reads a band never copies it. The first
// write access takes a private copy.
class Doubles {
public:
    Doubles() = default;
    Doubles(const double* p, size_t n, std::shared_ptr<const void> keep) : m_p(p), m_n(n), m_keep(std::move(keep)) {}
    Doubles(const Doubles& o) : m_own(o.m_own), m_keep(o.m_keep) { point(o); }
    Doubles(Doubles&& o) noexcept : m_own(std::move(o.m_own)), m_keep(std::move(o.m_keep)) { point(o); o.clear(); }
    Doubles& operator=(const Doubles& o)
    {
        if (this != &o) {
            m_own = o.m_own;
            m_keep = o.m_keep;
            point(o);
        }
        return *this;
    }
    Doubles& operator=(Doubles&& o) noexcept
    {
        if (this != &o) {
            m_own = std::move(o.m_own);
            m_keep = std::move(o.m_keep);
            point(o);
            o.clear();
        }
        return *this;
    }

    size_t size() const { return m_n; }
    bool empty() const { return m_n == 0; }
    const double* data() const { return m_p; }
    double* data()
    {
        own();
        return m_own.data();
    }
    double operator[](size_t i) const { return m_p[i]; }
    double& operator[](size_t i) { return data()[i]; }
    const double* begin() const { return m_p; }
    const double* end() const { return m_p + m_n; }
    void assign(size_t n, double v)
    {
        m_keep.reset();
        m_own.clear();
        ReserveFaulted(m_own, n);
        m_own.assign(n, v);
        m_p = m_own.data();
        m_n = n;
    }
    // Owned storage of n numbers, all of them unset, for the caller to write whole.
    void allocate(size_t n)
    {
        m_keep.reset();
        m_own.clear();
        ReserveFaulted(m_own, n);
        m_own.resize(n);
        m_p = m_own.data();
        m_n = n;
    }
    // Owned storage of n numbers; those kept keep their values, new ones are unset.
    void resize(size_t n)
    {
        own();
        ReserveFaulted(m_own, n);
        m_own.resize(n);
        m_p = m_own.data();
        m_n = n;
    }

private:
    void point(const Doubles& o)
    {
        m_n = o.m_n;
        m_p = m_keep ? o.m_p : m_own.data();
    }
    void clear()
    {
        m_p = nullptr;
        m_n = 0;
        m_keep.reset();
        m_own.clear();
    }
    void own()
    {
        if (m_keep) {
            ReserveFaulted(m_own, m_n);
            m_own.assign(m_p, m_p + m_n);
            m_keep.reset();
            m_p = m_own.data();
        }
    }
    std::vector<double, UnsetAllocator<double>> m_own;
    const double* m_p = nullptr;
    size_t m_n = 0;
    std::shared_ptr<const void> m_keep;
};

// Lower band, row by row: row i holds columns i-b .. i at i*(b+1) + (j - i + b).
struct BandMatrix {
    int n = 0;
    int b = 0;
    Doubles a;

    void resize(int n_, int b_)
    {
        n = n_;
        b = b_;
        a.assign(size_t(n) * (b + 1), 0.0);
    }
    double& at(int i, int j) { return a[size_t(i) * (b + 1) + (j - i + b)]; }
    double at(int i, int j) const { return a[size_t(i) * (b + 1) + (j - i + b)]; }
    const double* row(int i) const { return a.data() + size_t(i) * (b + 1); }
};

// In-place Cholesky L L^t. Returns -1 on success, else the row whose pivot failed
// (d <= 1e-9 of the diagonal before elimination, or not finite); *pivot gets d.
int CholeskyBand(BandMatrix& m, double* pivot);
// The same from K into L, which gets K's size; L's rows after a failed pivot are unset.
int CholeskyBand(const BandMatrix& K, BandMatrix& L, double* pivot);

// x := K^-1 x with the factor of K.
void SolveBand(const BandMatrix& L, double* x);

// y := K x with the unfactored lower band of K.
void MultiplyBand(const BandMatrix& K, const double* x, double* y);

// Many right-hand sides at once. The forward pass streams the rows of L where they
// stand (L must outlive the solver); the backward pass streams a copy by rows of L^t.
class MultiSolver {
public:
    // The copy of L^t is made on the pool when one is given.
    explicit MultiSolver(const BandMatrix& L, Pool* pool = nullptr);
    int size() const { return m_n; }
    // X is n rows of `width` columns (row-major, width <= width()), holding the
    // right-hand sides; rows before `first` must be zero. On return X holds the solutions.
    // width() columns (16 or 32, by the processor) go fastest.
    static constexpr int kMaxWidth = 32;
    static int width();
    void Solve(double* X, int width, int first) const;
    // The two passes of Solve apart, on width() columns. Forward reads the right-hand
    // sides in rows first .. rhsEnd - 1 only and writes rows first .. n - 1; Backward takes
    // rows before `first` for zero, so neither needs the rest of X cleared.
    void Forward(double* X, int first, int rhsEnd) const;
    void Backward(double* X, int first) const;

private:
    int m_n, m_b;
    const double* m_L;          // the factor's rows as they stand, diagonal last
    std::vector<double> m_U;    // rows of L^t without the diagonal: b values each
    std::vector<double> m_inv;  // 1 / diagonal
};

} // namespace mvg
