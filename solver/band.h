// Symmetric band matrices: storage, Cholesky factor and solves.
#pragma once

#include <cstddef>
#include <vector>

namespace mvg {

class Pool;

// Lower band, row by row: row i holds columns i-b .. i at i*(b+1) + (j - i + b).
struct BandMatrix {
    int n = 0;
    int b = 0;
    std::vector<double> a;

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
