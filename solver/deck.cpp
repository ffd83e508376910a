#include "solver/deck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace mvg {

namespace {

int LeverSegment(const std::vector<double>& x, double at)
{
    const int G = int(x.size());
    const int j = int(std::upper_bound(x.begin(), x.end(), at) - x.begin()) - 1;
    return std::clamp(j, 0, G - 2);
}

// Integral of max(h, 0) over a piece where h runs linearly from h0 to h1.
double PosPart(double h0, double h1, double dx)
{
    if (h0 >= 0 && h1 >= 0)
        return dx * (h0 + h1) / 2;
    if (h0 <= 0 && h1 <= 0)
        return 0;
    return h0 > 0 ? dx * h0 * h0 / (2 * (h0 - h1)) : dx * h1 * h1 / (2 * (h1 - h0));
}

constexpr int kMaxSeg = 4 * kMaxGirders + 16;
// the carriageway's breakpoints and both ends of the band at each fixed candidate, padded
constexpr int kMaxLevers = 10 * kMaxSeg;

} // namespace

void LeverAt(const std::vector<double>& x, double at, double* f)
{
    const int G = int(x.size());
    std::fill(f, f + G, 0.0);
    if (G == 1) {
        f[0] = 1;
        return;
    }
    const int j = LeverSegment(x, at);
    const double t = (at - x[j]) / (x[j + 1] - x[j]);
    f[j] = 1 - t;
    f[j + 1] = t;
}

namespace {

// Adds the integrals of f_j and f_j+1 over [l, r], a piece of lever segment j, times w.
void AddPiece(const std::vector<double>& x, double l, double r, double w, int j, double* out)
{
    if (x.size() == 1) {
        out[0] += w * (r - l);
        return;
    }
    const double t = ((l + r) / 2 - x[j]) / (x[j + 1] - x[j]);
    out[j] += w * (r - l) * (1 - t);
    out[j + 1] += w * (r - l) * t;
}

} // namespace

void LeverIntegral(const std::vector<double>& x, double xa, double xb, double w, double* out)
{
    if (!(xb > xa))
        return;
    const int G = int(x.size());
    if (G == 1) {
        out[0] += w * (xb - xa);
        return;
    }
    double l = xa;
    while (l < xb) {
        // the piece ends at the next girder position beyond l, or at xb
        double r = xb;
        for (int i = 0; i < G; ++i)
            if (x[i] > l) {
                r = std::min(r, x[i]);
                break;
            }
        AddPiece(x, l, r, w, LeverSegment(x, (l + r) / 2), out);
        l = r;
    }
}

DeckOperator::Point DeckOperator::MakePoint(double x, bool in) const
{
    Point p{x, 0, 0, in, 0};
    if (m_G > 1) {
        p.j = LeverSegment(m_x, x);
        p.t = (x - m_x[p.j]) / (m_x[p.j + 1] - m_x[p.j]);
    }
    return p;
}

DeckOperator::DeckOperator(const std::vector<double>& gx, const Section& s, double bandWidth)
    : m_G(int(gx.size())), m_x(gx), m_aC(s.cw.a), m_bC(s.cw.b), m_band(bandWidth)
{
    m_wide = m_bC - m_aC > m_band;
    auto zonePoints = [&](double a, double b, std::vector<double> extra) {
        std::vector<double> xs{a, b};
        for (double x : m_x)
            if (x > a && x < b)
                xs.push_back(x);
        for (double x : extra)
            if (x > a && x < b)
                xs.push_back(x);
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        return xs;
    };
    std::vector<double> extra;
    const bool noll = s.hasNoll && s.noll.b > s.noll.a;
    if (noll) {
        extra.push_back(s.noll.a);
        extra.push_back(s.noll.b);
    }
    if (m_bC > m_aC) {
        const std::vector<double> xs = zonePoints(m_aC, m_bC, extra);
        for (size_t i = 0; i < xs.size(); ++i) {
            bool in = true;
            if (i + 1 < xs.size() && noll) {
                const double mid = (xs[i] + xs[i + 1]) / 2;
                in = !(mid > s.noll.a && mid < s.noll.b);
            }
            m_cw.push_back(MakePoint(xs[i], in));
        }
        for (size_t i = 0; i + 1 < m_cw.size(); ++i)
            m_cw[i].pj = m_G == 1 ? 0 : LeverSegment(m_x, (m_cw[i].x + m_cw[i + 1].x) / 2);
    }
    for (const Zone& z : s.sidewalks) {
        if (!(z.b > z.a))
            continue;
        std::vector<Point> pts;
        for (double x : zonePoints(z.a, z.b, {}))
            pts.push_back(MakePoint(x, true));
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            pts[i].pj = m_G == 1 ? 0 : LeverSegment(m_x, (pts[i].x + pts[i + 1].x) / 2);
        m_sw.push_back(std::move(pts));
    }
    // The band candidates that do not depend on the vector: an end of the band at a
    // breakpoint, within (a_C, b_C - b].
    if (m_wide) {
        const double aMax = m_bC - m_band;
        for (const Point& p : m_cw)
            for (double c : {p.x, p.x - m_band})
                if (c > m_aC && c <= aMax)
                    m_bandCand.push_back(c);
        std::sort(m_bandCand.begin(), m_bandCand.end());
        m_bandCand.erase(std::unique(m_bandCand.begin(), m_bandCand.end()), m_bandCand.end());
        // the screened search keeps its intervals in one 64-bit word
        if (m_G > 1 && m_bandCand.size() + 2 <= 64 && m_cw.size() <= 64) {
            m_fc.push_back(m_aC);
            m_fc.insert(m_fc.end(), m_bandCand.begin(), m_bandCand.end());
            if (aMax > m_fc.back())
                m_fc.push_back(aMax);
            auto lever = [&](double at) {
                const int j = LeverSegment(m_x, at);
                const double t = (at - m_x[j]) / (m_x[j + 1] - m_x[j]);
                m_lj.push_back(j);
                m_lt.push_back(t);
                m_amp = std::max(m_amp, std::abs(1 - t) + std::abs(t));
            };
            auto pad = [&](int least) {
                for (int i = 0; i < least || m_lj.size() % 8; ++i) {
                    m_lj.push_back(0);
                    m_lt.push_back(0);
                }
            };
            for (const Point& q : m_cw) {
                m_lj.push_back(q.j);
                m_lt.push_back(q.t);
                m_px.push_back(q.x);
            }
            for (size_t q = 0; q + 1 < m_cw.size(); ++q) {
                m_pdx.push_back(m_cw[q + 1].x - m_cw[q].x);
                m_pinMask |= uint64_t(m_cw[q].in) << q;
            }
            pad(0);
            m_offA = int(m_lj.size());
            for (double c : m_fc)
                lever(c);
            pad(8);
            m_offB = int(m_lj.size());
            for (double c : m_fc)
                lever(c + m_band);
            pad(8);
            m_offS = int(m_lj.size());
            for (const auto& pts : m_sw)
                for (const Point& q : pts) {
                    m_lj.push_back(q.j);
                    m_lt.push_back(q.t);
                }
            pad(0);
            // the piece under each end, found as the sweep finds it
            auto piece = [&](double at) {
                int k = 0;
                while (k + 2 < int(m_cw.size()) && m_cw[size_t(k) + 1].x <= at)
                    ++k;
                return k;
            };
            for (size_t i = 0; i + 1 < m_fc.size(); ++i) {
                const double mid = 0.5 * (m_fc[i] + m_fc[i + 1]);
                m_fpA.push_back(piece(mid));
                m_fpB.push_back(piece(mid + m_band));
                m_inA |= uint64_t(m_cw[size_t(m_fpA.back())].in) << i;
                m_inB |= uint64_t(m_cw[size_t(m_fpB.back())].in) << i;
            }
        }
    }
    // Each girder alone, for vectors with a single non-zero line.
    m_unitPos.resize(m_G);
    m_unitNeg.resize(m_G);
    std::vector<double> e(m_G, 0.0);
    for (int j = 0; j < m_G; ++j) {
        e[j] = 1;
        m_unitPos[j] = Evaluate(e.data());
        e[j] = -1;
        m_unitNeg[j] = Evaluate(e.data());
        e[j] = 0;
    }
    m_single = true;
}

int DeckOperator::Split(const std::vector<Point>& pts, const double* v, Seg* out) const
{
    int n = 0;
    if (pts.size() < 2)
        return 0;
    double hPrev = H(v, pts[0]);
    for (size_t k = 0; k + 1 < pts.size(); ++k) {
        const Point& a = pts[k];
        const Point& b = pts[k + 1];
        const double h0 = hPrev, h1 = H(v, b);
        hPrev = h1;
        const int j = a.pj;
        if ((h0 > 0 && h1 < 0) || (h0 < 0 && h1 > 0)) {
            const double xz = a.x + (b.x - a.x) * h0 / (h0 - h1);
            out[n++] = Seg{a.x, xz, h0, 0.0, j, a.in, false};
            out[n++] = Seg{xz, b.x, 0.0, h1, j, a.in, true};
        } else {
            out[n++] = Seg{a.x, b.x, h0, h1, j, a.in, false};
        }
    }
    return n;
}

// Per piece of the carriageway: start, prefix of each sign, h at its start and its sign
// (0 none or unloaded, 1 positive, 2 negative); the end and h there are the next piece's.
// The linear g of each sign (value at the start, slope) comes from At, only for the
// pieces a search looks at.
struct DeckOperator::Prefix {
    double X[kMaxSeg + 1], Pp[kMaxSeg + 1], Pm[kMaxSeg + 1];
    double h0[kMaxSeg + 1];
    unsigned char cls[kMaxSeg];
    double hmax = 0;
    struct End {
        double X, Pp, Pm, gp, sp, gm, sm;
    };
    End At(int k) const
    {
        const double dx = X[k + 1] - X[k];
        const double slope = cls[k] && dx > 0 ? (h0[k + 1] - h0[k]) / dx : 0;
        const bool pos = cls[k] == 1, neg = cls[k] == 2;
        return End{X[k], Pp[k], Pm[k], pos ? h0[k] : 0, pos ? slope : 0, neg ? -h0[k] : 0, neg ? -slope : 0};
    }
    // filled by LanePrefix only: the segment count, the first segment of each piece of
    // the carriageway and n after the last, the zero crossings as band starts (a or
    // a + b there, up to b_C - b, in order), and whether every crossing fell within its
    // own piece
    int n = 0;
    int first[kMaxSeg + 1];
    double za[kMaxSeg], zb[kMaxSeg];
    int na = 0, nb = 0;
    bool ordered = true;
};

void DeckOperator::MakePrefix(const Seg* seg, int n, Prefix& p) const
{
    p.Pp[0] = p.Pm[0] = 0;
    double hmax = 0;
    for (int k = 0; k < n; ++k) {
        const Seg& s = seg[k];
        p.X[k] = s.x0;
        p.h0[k] = s.h0;
        const double dx = s.x1 - s.x0;
        const double area = dx * (s.h0 + s.h1) / 2;
        p.cls[k] = 0;
        p.Pp[k + 1] = p.Pp[k];
        p.Pm[k + 1] = p.Pm[k];
        hmax = std::max({hmax, std::abs(s.h0), std::abs(s.h1)});
        if (!s.in)
            continue;
        if (s.h0 > 0 || s.h1 > 0) {
            p.cls[k] = 1;
            p.Pp[k + 1] += area;
        } else if (s.h0 < 0 || s.h1 < 0) {
            p.cls[k] = 2;
            p.Pm[k + 1] -= area;
        }
    }
    p.X[n] = seg[n - 1].x1;
    p.h0[n] = seg[n - 1].h1;
    p.hmax = hmax;
}

namespace {

// The band search proper over the candidates cand[0..nc) (strictly increasing), with
// F' just before cand[0] given. F is evaluated at a candidate where F' turns from
// rising to falling, where F' falls through zero inside an interval, and at the last
// candidate when `last` and F' rises into it. The pieces under a and a + b are walked
// on from ka and kb.
template <bool Where, bool DoP, bool DoM, class P>
__attribute__((always_inline)) inline void Sweep(const P& p, int n, double b, double eps, const double* cand, int nc,
                                                 int ka, int kb, double leftP, double leftM, bool last,
                                                 double& best_p, double& best_m, double* ap, double* am)
{
    const double* X = p.X;
    auto A = p.At(ka), B = p.At(kb);
    auto Fp = [&](double a) {
        const double ua = a - A.X, ub = a + b - B.X;
        return B.Pp + ub * (B.gp + 0.5 * B.sp * ub) - A.Pp - ua * (A.gp + 0.5 * A.sp * ua);
    };
    auto Fm = [&](double a) {
        const double ua = a - A.X, ub = a + b - B.X;
        return B.Pm + ub * (B.gm + 0.5 * B.sm * ub) - A.Pm - ua * (A.gm + 0.5 * A.sm * ua);
    };
    auto takeP = [&](double a) {
        const double f = Fp(a);
        if (f > best_p) {
            best_p = f;
            if constexpr (Where)
                *ap = a;
        }
    };
    auto takeM = [&](double a) {
        const double f = Fm(a);
        if (f > best_m) {
            best_m = f;
            if constexpr (Where)
                *am = a;
        }
    };
    for (int c = 0; c + 1 < nc; ++c) {
        const double c0 = cand[c], c1 = cand[c + 1];
        const double mid = 0.5 * (c0 + c1);
        if (ka < n - 1 && X[ka + 1] <= mid) {
            do
                ++ka;
            while (ka < n - 1 && X[ka + 1] <= mid);
            A = p.At(ka);
        }
        if (kb < n - 1 && X[kb + 1] <= mid + b) {
            do
                ++kb;
            while (kb < n - 1 && X[kb + 1] <= mid + b);
            B = p.At(kb);
        }
        const double ua0 = c0 - A.X, ub0 = c0 + b - B.X, ua1 = c1 - A.X, ub1 = c1 + b - B.X;
        // F' = g(a + b) - g(a) at both ends of the interval, for one sign
        auto step = [&](double ga, double sa, double gb, double sb, double& left, auto& take) {
            const double d0 = gb + sb * ub0 - ga - sa * ua0;
            const double d1 = gb + sb * ub1 - ga - sa * ua1;
            if (left >= -eps && d0 <= eps)
                take(c0);
            if (d0 > 0 && d1 < 0)
                take(c0 + (c1 - c0) * d0 / (d0 - d1));
            left = d1;
        };
        if constexpr (DoP)
            step(A.gp, A.sp, B.gp, B.sp, leftP, takeP);
        if constexpr (DoM)
            step(A.gm, A.sm, B.gm, B.sm, leftM, takeM);
    }
    if (last) {
        if (DoP && leftP >= -eps)
            takeP(cand[nc - 1]);
        if (DoM && leftM >= -eps)
            takeM(cand[nc - 1]);
    }
}

} // namespace

// The worst band [a, a + b] within the carriageway, for both signs in one sweep.
// F(a) = P(a+b) - P(a) is piecewise quadratic between the candidates (a or a + b at a
// breakpoint), with F' = g(a+b) - g(a) linear on each interval. Its largest value lies
// at a candidate where F' turns from rising to falling, at an end of the range, or where
// F' falls through zero inside an interval: F is evaluated only there.
template <bool Where, bool DoP, bool DoM>
void DeckOperator::Band(const Seg* seg, int n, double& bp, double& bm, double* ap, double* am) const
{
    Prefix p;
    MakePrefix(seg, n, p);
    const double* X = p.X;
    const double b = m_band;
    const double aMax = m_bC - b;
    const double eps = 1e-12 * p.hmax;

    // Candidates: breakpoints for a and for a + b, merged, strictly increasing from a_C.
    // The fixed breakpoints' share is known beforehand; the zero crossings of h are
    // merged in, unless one fell outside its own segment by rounding.
    double cand[2 * kMaxSeg + 4];
    int nc = 0;
    cand[nc++] = m_aC;
    auto push = [&](double c) {
        if (c > cand[nc - 1])
            cand[nc++] = c;
    };
    double za[kMaxSeg], zb[kMaxSeg];
    int na = 0, nb = 0;
    bool ordered = true;
    for (int k = 1; k < n; ++k)
        if (seg[k].zero) {
            const double z = X[k];
            ordered = ordered && X[k - 1] <= z && z <= X[k + 1];
            if (z <= aMax)
                za[na++] = z;
            if (z - b <= aMax)
                zb[nb++] = z - b;
        }
    if (ordered && m_wide) {
        double z[2 * kMaxSeg];
        int nz = 0, i = 0, j = 0;
        while (i < na || j < nb)
            z[nz++] = j >= nb || (i < na && za[i] <= zb[j]) ? za[i++] : zb[j++];
        int k = 0;
        for (double c : m_bandCand) {
            while (k < nz && z[k] < c)
                push(z[k++]);
            push(c);
        }
        while (k < nz)
            push(z[k++]);
    } else {
        int i = 0, j = 0;
        while (j <= n && X[j] - b < m_aC)
            ++j;
        while (true) {
            const double ca = i <= n && X[i] <= aMax ? X[i] : HUGE_VAL;
            const double cb = j <= n && X[j] - b <= aMax ? X[j] - b : HUGE_VAL;
            if (ca == HUGE_VAL && cb == HUGE_VAL)
                break;
            double c;
            if (ca <= cb) {
                c = ca;
                ++i;
            } else {
                c = cb;
                ++j;
            }
            push(c);
        }
    }
    if (aMax > cand[nc - 1])
        cand[nc++] = aMax;

    double best_p = 0, best_m = 0;
    if constexpr (Where)
        *ap = *am = m_aC;
    Sweep<Where, DoP, DoM>(p, n, b, eps, cand, nc, 0, 0, HUGE_VAL, HUGE_VAL, true, best_p, best_m, ap, am);
    bp = best_p;
    bm = best_m;
}

namespace {

// Per sign (0: +, 1: -) and interval between fixed candidates (bit i): F' may come
// within tol of zero inside (in), F' at its start is at most tol (start), F' at its end
// at least -tol (end), g vanishes at both ends (fl).
struct Screen {
    uint64_t in[2], start[2], end[2], fl[2];
};

#if defined(__GNUC__) && defined(__x86_64__)
// Four at a time.
__attribute__((target("avx2"))) void HeightsMid(const double* v, int G, const int64_t* j, const double* t, int count,
                                                double* h, double& vmax)
{
    const __m256d one = _mm256_set1_pd(1.0);
    for (int i = 0; i < count; i += 4) {
        const __m256i ji = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j + i));
        const __m256d ti = _mm256_loadu_pd(t + i);
        _mm256_storeu_pd(h + i, _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(one, ti), _mm256_i64gather_pd(v, ji, 8)),
                                              _mm256_mul_pd(ti, _mm256_i64gather_pd(v + 1, ji, 8))));
    }
    double m = 0;
    for (int i = 0; i < G; ++i)
        m = std::max(m, std::abs(v[i]));
    vmax = m;
}

__attribute__((target("avx2"))) void ScreenMid(const double* hA, const double* hB, int M, uint64_t inA, uint64_t inB,
                                               double tolh, double tol, Screen& o)
{
    const __m256d zero = _mm256_setzero_pd();
    const __m256d vtolh = _mm256_set1_pd(-tolh), ptolh = _mm256_set1_pd(tolh);
    const __m256d vtol = _mm256_set1_pd(tol), vntol = _mm256_set1_pd(-tol);
    const __m256d absMask = _mm256_castsi256_pd(_mm256_set1_epi64x(0x7fffffffffffffff));
    const __m256i bit = _mm256_set_epi64x(8, 4, 2, 1);
    uint64_t in0 = 0, in1 = 0, st0 = 0, st1 = 0, en0 = 0, en1 = 0, fl0 = 0, fl1 = 0;
    // (a lambda would not inherit the target)
#define MVG_BITS(m) uint64_t(_mm256_movemask_pd(m))
    for (int i = 0; i < M; i += 4) {
        const __m256d ia = _mm256_castsi256_pd(
            _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_set1_epi64x(int64_t(inA >> i)), bit), bit));
        const __m256d ib = _mm256_castsi256_pd(
            _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_set1_epi64x(int64_t(inB >> i)), bit), bit));
        const __m256d a0 = _mm256_loadu_pd(hA + i), a1 = _mm256_loadu_pd(hA + i + 1);
        const __m256d b0 = _mm256_loadu_pd(hB + i), b1 = _mm256_loadu_pd(hB + i + 1);
        const __m256d sa = _mm256_and_pd(ia, _mm256_cmp_pd(_mm256_mul_pd(a0, a1), zero, _CMP_LT_OQ));
        const __m256d sb = _mm256_and_pd(ib, _mm256_cmp_pd(_mm256_mul_pd(b0, b1), zero, _CMP_LT_OQ));
        const __m256d ka = _mm256_and_pd(sa, _mm256_min_pd(_mm256_and_pd(a0, absMask), _mm256_and_pd(a1, absMask)));
        const __m256d kb = _mm256_and_pd(sb, _mm256_min_pd(_mm256_and_pd(b0, absMask), _mm256_and_pd(b1, absMask)));
        const __m256d pa0 = _mm256_and_pd(ia, _mm256_max_pd(a0, zero));
        const __m256d pa1 = _mm256_and_pd(ia, _mm256_max_pd(a1, zero));
        const __m256d pb0 = _mm256_and_pd(ib, _mm256_max_pd(b0, zero));
        const __m256d pb1 = _mm256_and_pd(ib, _mm256_max_pd(b1, zero));
        const __m256d ma0 = _mm256_and_pd(ia, _mm256_max_pd(_mm256_sub_pd(zero, a0), zero));
        const __m256d ma1 = _mm256_and_pd(ia, _mm256_max_pd(_mm256_sub_pd(zero, a1), zero));
        const __m256d mb0 = _mm256_and_pd(ib, _mm256_max_pd(_mm256_sub_pd(zero, b0), zero));
        const __m256d mb1 = _mm256_and_pd(ib, _mm256_max_pd(_mm256_sub_pd(zero, b1), zero));
        const __m256d dp0 = _mm256_sub_pd(pb0, pa0), dp1 = _mm256_sub_pd(pb1, pa1);
        const __m256d dm0 = _mm256_sub_pd(mb0, ma0), dm1 = _mm256_sub_pd(mb1, ma1);
        const __m256d inP = _mm256_and_pd(_mm256_cmp_pd(_mm256_sub_pd(_mm256_min_pd(dp0, dp1), kb), vtol, _CMP_LE_OQ),
                                          _mm256_cmp_pd(_mm256_add_pd(_mm256_max_pd(dp0, dp1), ka), vntol, _CMP_GE_OQ));
        const __m256d inM = _mm256_and_pd(_mm256_cmp_pd(_mm256_sub_pd(_mm256_min_pd(dm0, dm1), kb), vtol, _CMP_LE_OQ),
                                          _mm256_cmp_pd(_mm256_add_pd(_mm256_max_pd(dm0, dm1), ka), vntol, _CMP_GE_OQ));
        const uint64_t na = ~MVG_BITS(ia) & 15, nb = ~MVG_BITS(ib) & 15;
        const uint64_t flP = (na | (MVG_BITS(_mm256_cmp_pd(a0, vtolh, _CMP_LT_OQ)) &
                                    MVG_BITS(_mm256_cmp_pd(a1, vtolh, _CMP_LT_OQ)))) &
                             (nb | (MVG_BITS(_mm256_cmp_pd(b0, vtolh, _CMP_LT_OQ)) &
                                    MVG_BITS(_mm256_cmp_pd(b1, vtolh, _CMP_LT_OQ))));
        const uint64_t flM = (na | (MVG_BITS(_mm256_cmp_pd(a0, ptolh, _CMP_GT_OQ)) &
                                    MVG_BITS(_mm256_cmp_pd(a1, ptolh, _CMP_GT_OQ)))) &
                             (nb | (MVG_BITS(_mm256_cmp_pd(b0, ptolh, _CMP_GT_OQ)) &
                                    MVG_BITS(_mm256_cmp_pd(b1, ptolh, _CMP_GT_OQ))));
        in0 |= MVG_BITS(inP) << i;
        in1 |= MVG_BITS(inM) << i;
        st0 |= MVG_BITS(_mm256_cmp_pd(dp0, vtol, _CMP_LE_OQ)) << i;
        st1 |= MVG_BITS(_mm256_cmp_pd(dm0, vtol, _CMP_LE_OQ)) << i;
        en0 |= MVG_BITS(_mm256_cmp_pd(dp1, vntol, _CMP_GE_OQ)) << i;
        en1 |= MVG_BITS(_mm256_cmp_pd(dm1, vntol, _CMP_GE_OQ)) << i;
        fl0 |= flP << i;
        fl1 |= flM << i;
    }
#undef MVG_BITS
    const uint64_t all = (uint64_t(1) << M) - 1;
    o = Screen{{in0 & all, in1 & all}, {st0 & all, st1 & all}, {en0 & all, en1 & all}, {fl0 & all, fl1 & all}};
}

// Eight at a time; v (at most 24 lines) is held in three registers and looked up by
// permutation.
__attribute__((target("avx512f"))) void HeightsWide(const double* v, int G, const int64_t* j, const double* t,
                                                    int count, double* h, double& vmax)
{
    const __m512d one = _mm512_set1_pd(1.0);
    const __mmask8 m0 = __mmask8(G >= 8 ? 0xff : (1u << G) - 1);
    const __mmask8 m1 = __mmask8(G >= 16 ? 0xff : G <= 8 ? 0 : (1u << (G - 8)) - 1);
    const __mmask8 m2 = __mmask8(G <= 16 ? 0 : (1u << (G - 16)) - 1);
    const __m512d v0 = _mm512_maskz_loadu_pd(m0, v), v1 = _mm512_maskz_loadu_pd(m1, v + 8);
    const __m512d v2 = _mm512_maskz_loadu_pd(m2, v + 16);
    const __m512i sixteen = _mm512_set1_epi64(16), unit = _mm512_set1_epi64(1);
    // (a lambda would not inherit the target)
#define MVG_LOOK(k) \
    _mm512_mask_permutexvar_pd(_mm512_permutex2var_pd(v0, k, v1), _mm512_cmpge_epi64_mask(k, sixteen), k, v2)
    for (int i = 0; i < count; i += 8) {
        const __m512i ji = _mm512_loadu_si512(j + i), ji1 = _mm512_add_epi64(ji, unit);
        const __m512d ti = _mm512_loadu_pd(t + i);
        _mm512_storeu_pd(h + i, _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(one, ti), MVG_LOOK(ji)),
                                              _mm512_mul_pd(ti, MVG_LOOK(ji1))));
    }
#undef MVG_LOOK
    const __m512i absMask = _mm512_set1_epi64(0x7fffffffffffffff);
    const __m512d am = _mm512_maskz_max_pd(
        0xff,
        _mm512_maskz_max_pd(0xff, _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(v0), absMask)),
                            _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(v1), absMask))),
        _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(v2), absMask)));
    alignas(64) double a8[8];
    _mm512_store_pd(a8, am);
    vmax = std::max(std::max(std::max(a8[0], a8[1]), std::max(a8[2], a8[3])),
                    std::max(std::max(a8[4], a8[5]), std::max(a8[6], a8[7])));
}

__attribute__((target("avx512f"))) void ScreenWide(const double* hA, const double* hB, int M, uint64_t inA,
                                                   uint64_t inB, double tolh, double tol, Screen& o)
{
    const __m512d zero = _mm512_setzero_pd();
    const __m512d vtolh = _mm512_set1_pd(-tolh), ptolh = _mm512_set1_pd(tolh);
    const __m512d vtol = _mm512_set1_pd(tol), vntol = _mm512_set1_pd(-tol);
    const __m512i absMask = _mm512_set1_epi64(0x7fffffffffffffff);
    // |x| (a lambda would not inherit the target)
#define MVG_ABS(x) _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(x), absMask))
    uint64_t in0 = 0, in1 = 0, st0 = 0, st1 = 0, en0 = 0, en1 = 0, fl0 = 0, fl1 = 0;
    for (int i = 0; i < M; i += 8) {
        const __mmask8 ia = __mmask8(inA >> i), ib = __mmask8(inB >> i);
        const __m512d a0 = _mm512_loadu_pd(hA + i), a1 = _mm512_loadu_pd(hA + i + 1);
        const __m512d b0 = _mm512_loadu_pd(hB + i), b1 = _mm512_loadu_pd(hB + i + 1);
        const __mmask8 sa = ia & _mm512_cmp_pd_mask(_mm512_mul_pd(a0, a1), zero, _CMP_LT_OQ);
        const __mmask8 sb = ib & _mm512_cmp_pd_mask(_mm512_mul_pd(b0, b1), zero, _CMP_LT_OQ);
        const __m512d ka = _mm512_maskz_min_pd(sa, MVG_ABS(a0), MVG_ABS(a1));
        const __m512d kb = _mm512_maskz_min_pd(sb, MVG_ABS(b0), MVG_ABS(b1));
        const __m512d pa0 = _mm512_maskz_max_pd(ia, a0, zero), pa1 = _mm512_maskz_max_pd(ia, a1, zero);
        const __m512d pb0 = _mm512_maskz_max_pd(ib, b0, zero), pb1 = _mm512_maskz_max_pd(ib, b1, zero);
        const __m512d ma0 = _mm512_maskz_max_pd(ia, _mm512_sub_pd(zero, a0), zero);
        const __m512d ma1 = _mm512_maskz_max_pd(ia, _mm512_sub_pd(zero, a1), zero);
        const __m512d mb0 = _mm512_maskz_max_pd(ib, _mm512_sub_pd(zero, b0), zero);
        const __m512d mb1 = _mm512_maskz_max_pd(ib, _mm512_sub_pd(zero, b1), zero);
        const __m512d dp0 = _mm512_sub_pd(pb0, pa0), dp1 = _mm512_sub_pd(pb1, pa1);
        const __m512d dm0 = _mm512_sub_pd(mb0, ma0), dm1 = _mm512_sub_pd(mb1, ma1);
        const __mmask8 inP =
            _mm512_cmp_pd_mask(_mm512_sub_pd(_mm512_maskz_min_pd(0xff, dp0, dp1), kb), vtol, _CMP_LE_OQ) &
            _mm512_cmp_pd_mask(_mm512_add_pd(_mm512_maskz_max_pd(0xff, dp0, dp1), ka), vntol, _CMP_GE_OQ);
        const __mmask8 inM =
            _mm512_cmp_pd_mask(_mm512_sub_pd(_mm512_maskz_min_pd(0xff, dm0, dm1), kb), vtol, _CMP_LE_OQ) &
            _mm512_cmp_pd_mask(_mm512_add_pd(_mm512_maskz_max_pd(0xff, dm0, dm1), ka), vntol, _CMP_GE_OQ);
        const __mmask8 na = __mmask8(~ia), nb = __mmask8(~ib);
        const __mmask8 flP =
            (na | (_mm512_cmp_pd_mask(a0, vtolh, _CMP_LT_OQ) & _mm512_cmp_pd_mask(a1, vtolh, _CMP_LT_OQ))) &
            (nb | (_mm512_cmp_pd_mask(b0, vtolh, _CMP_LT_OQ) & _mm512_cmp_pd_mask(b1, vtolh, _CMP_LT_OQ)));
        const __mmask8 flM =
            (na | (_mm512_cmp_pd_mask(a0, ptolh, _CMP_GT_OQ) & _mm512_cmp_pd_mask(a1, ptolh, _CMP_GT_OQ))) &
            (nb | (_mm512_cmp_pd_mask(b0, ptolh, _CMP_GT_OQ) & _mm512_cmp_pd_mask(b1, ptolh, _CMP_GT_OQ)));
        in0 |= uint64_t(inP) << i;
        in1 |= uint64_t(inM) << i;
        st0 |= uint64_t(_mm512_cmp_pd_mask(dp0, vtol, _CMP_LE_OQ)) << i;
        st1 |= uint64_t(_mm512_cmp_pd_mask(dm0, vtol, _CMP_LE_OQ)) << i;
        en0 |= uint64_t(_mm512_cmp_pd_mask(dp1, vntol, _CMP_GE_OQ)) << i;
        en1 |= uint64_t(_mm512_cmp_pd_mask(dm1, vntol, _CMP_GE_OQ)) << i;
        fl0 |= uint64_t(flP) << i;
        fl1 |= uint64_t(flM) << i;
    }
#undef MVG_ABS
    const uint64_t all = (uint64_t(1) << M) - 1;
    o = Screen{{in0 & all, in1 & all}, {st0 & all, st1 & all}, {en0 & all, en1 & all}, {fl0 & all, fl1 & all}};
}

// Per piece q of the carriageway (h from h[q] to h[q+1], loaded per bit q of `in`), as if
// h kept its sign on it: the positive and the negative area (as LanePrefix would add
// them), the sign (1, 2 or 0 for none), whether h changes sign (bit q); and the largest
// |h| at the breakpoints.
void PiecesScalar(const double* h, const double* dx, uint64_t in, int nq, double* ap, double* am, unsigned char* cq,
                   uint64_t& split, double& hmax)
{
    uint64_t s = 0;
    double m0 = std::abs(h[nq]), m1 = 0;
    for (int q = 0; q < nq; ++q) {
        const double h0 = h[q], h1 = h[q + 1], area = dx[q] * (h0 + h1) / 2;
        const bool pos = ((in >> q) & 1) && (h0 > 0 || h1 > 0);
        const bool neg = ((in >> q) & 1) && !pos && (h0 < 0 || h1 < 0);
        ap[q] = pos ? area : 0.0;
        am[q] = neg ? area : 0.0;
        cq[q] = pos ? 1 : neg ? 2 : 0;
        s |= uint64_t((h0 > 0 && h1 < 0) || (h0 < 0 && h1 > 0)) << q;
        (q & 1 ? m1 : m0) = std::max(q & 1 ? m1 : m0, std::abs(h0));
    }
    split = s;
    hmax = std::max(m0, m1);
}

__attribute__((target("avx512f"))) void PiecesWide(const double* h, const double* dx, uint64_t in, int nq, double* ap,
                                                   double* am, unsigned char* cq, uint64_t& split, double& hmax)
{
    const __m512d zero = _mm512_setzero_pd(), half = _mm512_set1_pd(0.5);
    const __m512i absMask = _mm512_set1_epi64(0x7fffffffffffffff);
    __m512d hm = _mm512_setzero_pd();
    uint64_t s = 0;
    for (int q = 0; q < nq; q += 8) {
        const __mmask8 m = __mmask8(nq - q >= 8 ? 0xff : (1u << (nq - q)) - 1), inm = __mmask8(in >> q) & m;
        const __m512d h0 = _mm512_maskz_loadu_pd(m, h + q), h1 = _mm512_maskz_loadu_pd(m, h + q + 1);
        // (x * y) / 2 rounds as (x * y) * 0.5
        const __m512d w = _mm512_maskz_loadu_pd(m, dx + q);
        const __m512d area = _mm512_mul_pd(_mm512_mul_pd(w, _mm512_add_pd(h0, h1)), half);
        const __mmask8 p0 = _mm512_cmp_pd_mask(h0, zero, _CMP_GT_OQ), p1 = _mm512_cmp_pd_mask(h1, zero, _CMP_GT_OQ);
        const __mmask8 n0 = _mm512_cmp_pd_mask(h0, zero, _CMP_LT_OQ), n1 = _mm512_cmp_pd_mask(h1, zero, _CMP_LT_OQ);
        const __mmask8 pos = inm & (p0 | p1), neg = inm & __mmask8(~pos) & (n0 | n1);
        _mm512_storeu_pd(ap + q, _mm512_maskz_mov_pd(pos, area));
        _mm512_storeu_pd(am + q, _mm512_maskz_mov_pd(neg, area));
        const __m512i cls = _mm512_or_si512(_mm512_maskz_mov_epi64(pos, _mm512_set1_epi64(1)),
                                            _mm512_maskz_mov_epi64(neg, _mm512_set1_epi64(2)));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(cq + q), _mm512_mask_cvtepi64_epi8(_mm_setzero_si128(), 0xff, cls));
        s |= uint64_t(__mmask8(((p0 & n1) | (n0 & p1)) & m)) << q;
        hm = _mm512_mask_max_pd(hm, m, hm, _mm512_castsi512_pd(_mm512_and_epi64(_mm512_castpd_si512(h0), absMask)));
    }
    alignas(64) double a8[8];
    _mm512_store_pd(a8, hm);
    split = s;
    hmax = std::max(std::max(std::max(std::max(a8[0], a8[1]), std::max(a8[2], a8[3])),
                             std::max(std::max(a8[4], a8[5]), std::max(a8[6], a8[7]))),
                    std::abs(h[nq]));
}
#endif

using HeightsKernel = void (*)(const double*, int, const int64_t*, const double*, int, double*, double&);
using ScreenKernel = void (*)(const double*, const double*, int, uint64_t, uint64_t, double, double, Screen&);
using PiecesKernel = void (*)(const double*, const double*, uint64_t, int, double*, double*, unsigned char*, uint64_t&,
                              double&);
// The screened search pays off with vector units only; without them (all null) Band sweeps
// every candidate.
struct Kernels {
    HeightsKernel heights = nullptr;
    ScreenKernel screen = nullptr;
    PiecesKernel pieces = nullptr;
};
const Kernels kKernels = [] {
#if defined(__GNUC__) && defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && kMaxGirders <= 24)
        return Kernels{HeightsWide, ScreenWide, PiecesWide};
    if (__builtin_cpu_supports("avx2"))
        return Kernels{HeightsMid, ScreenMid, PiecesScalar};
#endif
    return Kernels{};
}();

} // namespace

// Split and MakePrefix in one pass over the carriageway, with their arithmetic, from h at
// its breakpoints.
void DeckOperator::LanePrefix(const double* h, Prefix& p) const
{
    const int nq = int(m_cw.size()) - 1;
    const double* px = m_px.data();
    double ap[kMaxSeg + 8], am[kMaxSeg + 8];
    unsigned char cq[kMaxSeg + 8];
    uint64_t split;
    kKernels.pieces(h, m_pdx.data(), m_pinMask, nq, ap, am, cq, split, p.hmax);
    const double aMax = m_bC - m_band;
    double Pp = 0, Pm = 0;
    p.Pp[0] = p.Pm[0] = 0;
    p.na = p.nb = 0;
    p.ordered = true;
    int k = 0;
    // one segment from x0 to x1 where h runs from h0 to h1, of one sign
    auto segment = [&](double x0, double x1, double h0, double h1, bool in) {
        p.X[k] = x0;
        p.h0[k] = h0;
        const double area = (x1 - x0) * (h0 + h1) / 2;
        const bool pos = in && (h0 > 0 || h1 > 0), neg = in && !pos && (h0 < 0 || h1 < 0);
        p.cls[k] = pos ? 1 : neg ? 2 : 0;
        // adding or taking +0 leaves a sum as it is
        Pp += pos ? area : 0.0;
        Pm -= neg ? area : 0.0;
        p.Pp[k + 1] = Pp;
        p.Pm[k + 1] = Pm;
        ++k;
    };
    for (int q = 0; q < nq; ++q) {
        p.first[q] = k;
        if (!((split >> q) & 1)) {
            p.X[k] = px[q];
            p.h0[k] = h[q];
            p.cls[k] = cq[q];
            Pp += ap[q];
            Pm -= am[q];
            p.Pp[k + 1] = Pp;
            p.Pm[k + 1] = Pm;
            ++k;
            continue;
        }
        const double x0 = px[q], x1 = px[q + 1], h0 = h[q], h1 = h[q + 1];
        const bool in = (m_pinMask >> q) & 1;
        const double xz = x0 + (x1 - x0) * h0 / (h0 - h1);
        segment(x0, xz, h0, 0.0, in);
        segment(xz, x1, 0.0, h1, in);
        p.ordered = p.ordered && x0 <= xz && xz <= x1;
        if (xz <= aMax)
            p.za[p.na++] = xz;
        if (xz - m_band <= aMax)
            p.zb[p.nb++] = xz - m_band;
    }
    p.first[nq] = k;
    p.X[k] = px[nq];
    p.h0[k] = h[nq];
    p.n = k;
}

// F' = g(a+b) - g(a) is bounded on each interval between two fixed candidates by the
// values of h at its ends (h is linear there, g = max(+-h, 0) monotone). Where the bounds
// keep F' away from zero, Band evaluates nothing; where g vanishes at both ends, F is
// flat and every evaluation gives the same P(a+b) - P(a). Only the rest is swept, with
// Band's own arithmetic, so the largest value found is Band's.
void DeckOperator::BandScreened(const Prefix& p, const double* v, const double* h, double vmax, bool doP, bool doM,
                                double& bp, double& bm) const
{
    const int n = p.n;
    const double* X = p.X;
    const double b = m_band;
    const double eps = 1e-12 * p.hmax;
    if (!p.ordered) {
        Seg seg[kMaxSeg];
        Split(m_cw, v, seg);
        if (doP && doM)
            Band<false, true, true>(seg, n, bp, bm, nullptr, nullptr);
        else if (doP)
            Band<false, true, false>(seg, n, bp, bm, nullptr, nullptr);
        else
            Band<false, false, true>(seg, n, bp, bm, nullptr, nullptr);
        return;
    }
    double z[2 * kMaxSeg];
    int nz = 0;
    {
        int i = 0, j = 0;
        while (i < p.na || j < p.nb)
            z[nz++] = j >= p.nb || (i < p.na && p.za[i] <= p.zb[j]) ? p.za[i++] : p.zb[j++];
    }

    const int M = int(m_fc.size()) - 1;
    const double* fc = m_fc.data();
    // far above the rounding of either way of computing h and F'
    const double tolh = 1e-13 * std::max(m_amp * vmax, p.hmax);
    const double tol = eps + 4 * tolh;
    Screen sc;
    kKernels.screen(h + m_offA, h + m_offB, M, m_inA, m_inB, tolh, tol, sc);

    // Intervals to sweep: where F' may vanish inside, or turn from rising to falling at a
    // candidate (both sides of it), unless F is flat there.
    const uint64_t all = (uint64_t(1) << M) - 1, top = uint64_t(1) << (M - 1);
    uint64_t need[2] = {0, 0};
    for (int s = 0; s < 2; ++s) {
        if (!(s ? doM : doP))
            continue;
        const uint64_t fl = sc.fl[s];
        uint64_t w = sc.in[s] & ~fl;
        const uint64_t turn = (sc.end[s] << 1) & sc.start[s] & ~((fl << 1) & fl) & all & ~uint64_t(1);
        w |= turn | (turn >> 1);
        if ((sc.start[s] & 1) && !(fl & 1))
            w |= 1;
        if ((sc.end[s] & top) && !(fl & top))
            w |= top;
        need[s] = w;
    }

    // the segment under `at`, as the walk from the first finds it, from a guess of its piece
    const int lastPiece = int(m_cw.size()) - 2;
    auto seek = [&](int q, double at) {
        while (q < lastPiece && m_px[size_t(q) + 1] <= at)
            ++q;
        while (q > 0 && m_px[size_t(q)] > at)
            --q;
        int k = p.first[q];
        if (p.first[q + 1] == k + 2 && X[k + 1] <= at)
            ++k;
        return k;
    };

    double best_p = 0, best_m = 0;
    // one value per flat stretch
    for (int s = 0; s < 2; ++s) {
        if (!(s ? doM : doP))
            continue;
        const uint64_t fl = sc.fl[s];
        for (uint64_t f = fl & ~(fl << 1); f; f &= f - 1) {
            const int i = __builtin_ctzll(f);
            // g and its slope are 0 at both ends: Sweep's F comes to P(kb) - P(ka) exactly
            const double mid = 0.5 * (fc[i] + fc[i + 1]);
            const int ka = seek(m_fpA[size_t(i)], mid), kb = seek(m_fpB[size_t(i)], mid + b);
            if (s == 0)
                best_p = std::max(best_p, p.Pp[kb] - p.Pp[ka]);
            else
                best_m = std::max(best_m, p.Pm[kb] - p.Pm[ka]);
        }
    }

    // The stretches of intervals to sweep. F there is at most P(a_e+1 + b) - P(a_s), and
    // so at most P at the end of the piece after the one under a_e+1 + b less P at the
    // start of the one before the piece under a_s: a stretch that cannot reach the best
    // value found so far by more than rounding is left out, the most promising of each
    // sign are swept first.
    int ss[64], se[64], order[64];
    double up[2][64];
    bool want[2][64];
    int ns = 0;
    int top2[2] = {-1, -1};  // per sign the stretch with the highest bound
    auto pieceStart = [&](int q) { return q > lastPiece ? n : p.first[q]; };
    for (uint64_t w = need[0] | need[1]; w; ++ns) {
        const int s = __builtin_ctzll(w);
        const int e = s + __builtin_ctzll(~(w >> s)) - 1;
        w &= ~uint64_t(0) << (e + 1);
        const uint64_t bits = (~uint64_t(0) << s) & ~(~uint64_t(1) << e);
        const int lo = pieceStart(std::max(m_fpA[size_t(s)] - 1, 0)), hi = pieceStart(m_fpB[size_t(e)] + 2);
        ss[ns] = s;
        se[ns] = e;
        up[0][ns] = p.Pp[hi] - p.Pp[lo];
        up[1][ns] = p.Pm[hi] - p.Pm[lo];
        want[0][ns] = (need[0] & bits) != 0;
        want[1][ns] = (need[1] & bits) != 0;
        for (int g = 0; g < 2; ++g)
            top2[g] = want[g][ns] && (top2[g] < 0 || up[g][ns] > up[g][top2[g]]) ? ns : top2[g];
    }
    // those two first, then the others in order
    int no = 0;
    for (int g = 0; g < 2; ++g)
        if (top2[g] >= 0 && (g == 0 || top2[1] != top2[0]))
            order[no++] = top2[g];
    for (int r = 0; r < ns; ++r)
        if (r != top2[0] && r != top2[1])
            order[no++] = r;
    const double span = p.hmax * (m_bC - m_aC);
    const double margin[2] = {1e-9 * (p.Pp[n] + span), 1e-9 * (p.Pm[n] + span)};
    for (int ri = 0; ri < ns; ++ri) {
        const int r = order[ri];
        const bool wp = want[0][r] && up[0][r] + margin[0] >= best_p;
        const bool wm = want[1][r] && up[1][r] + margin[1] >= best_m;
        if (!wp && !wm)
            continue;
        const int rs = ss[r], re = se[r];
        // the candidates of the stretch, with the zero crossings inside it merged in
        double cand[2 * kMaxSeg + 4];
        int nc = 0;
        cand[nc++] = fc[rs];
        auto push = [&](double c) {
            if (c > cand[nc - 1])
                cand[nc++] = c;
        };
        int k = 0;
        while (k < nz && z[k] <= fc[rs])
            ++k;
        for (int i = rs + 1; i <= re + 1; ++i) {
            while (k < nz && z[k] < fc[i])
                push(z[k++]);
            push(fc[i]);
        }
        const double mid = 0.5 * (cand[0] + cand[1]);
        const int ka = seek(m_fpA[size_t(rs)], mid), kb = seek(m_fpB[size_t(rs)], mid + b);
        const double left = rs == 0 ? HUGE_VAL : -HUGE_VAL;
        const bool last = re == M - 1;
        if (wp && wm)
            Sweep<false, true, true>(p, n, b, eps, cand, nc, ka, kb, left, left, last, best_p, best_m, nullptr,
                                     nullptr);
        else if (wp)
            Sweep<false, true, false>(p, n, b, eps, cand, nc, ka, kb, left, left, last, best_p, best_m, nullptr,
                                      nullptr);
        else
            Sweep<false, false, true>(p, n, b, eps, cand, nc, ka, kb, left, left, last, best_p, best_m, nullptr,
                                      nullptr);
    }
    bp = best_p;
    bm = best_m;
}

DeckValues DeckOperator::Evaluate(const double* v) const
{
    if (m_single) {
        int nz = 0, j = 0;
        for (int i = 0; i < m_G && nz < 2; ++i)
            if (v[i] != 0) {
                ++nz;
                j = i;
            }
        if (nz == 0)
            return DeckValues{};
        if (nz == 1) {
            const double a = std::abs(v[j]);
            const DeckValues& u = v[j] > 0 ? m_unitPos[j] : m_unitNeg[j];
            return DeckValues{a * u.Lp, a * u.Lm, a * u.Cp, a * u.Cm};
        }
    }
    DeckValues r;
    double Ap = 0, Am = 0, Bp, Bm;
    alignas(64) double h[kMaxLevers];
    const double* hs = nullptr;  // h at the sidewalks' breakpoints, when known
    if (!m_fc.empty() && kKernels.screen) {
        double vmax;
        kKernels.heights(v, m_G, m_lj.data(), m_lt.data(), int(m_lj.size()), h, vmax);
        hs = h + m_offS;
        Prefix p;
        LanePrefix(h, p);
        Ap = p.Pp[p.n];
        Am = 0.0 - p.Pm[p.n];  // the sum of the negative areas, +0 when none
        Bp = Ap;
        Bm = Am;
        if (Ap > 0 || Am < 0) {
            BandScreened(p, v, h, vmax, Ap > 0, Am < 0, Bp, Bm);
            Bm = -Bm;
        }
    } else {
        Seg seg[kMaxSeg];
        const int n = Split(m_cw, v, seg);
        for (int k = 0; k < n; ++k)
            if (seg[k].in) {
                const double dx = seg[k].x1 - seg[k].x0, m = dx * (seg[k].h0 + seg[k].h1) / 2;
                if (m > 0)
                    Ap += m;
                else
                    Am += m;
            }
        Bp = Ap;
        Bm = Am;
        // A sign without load on the carriageway has no band: its sweep would find 0.
        if (m_wide && n > 0 && (Ap > 0 || Am < 0)) {
            if (Ap > 0 && Am < 0)
                Band<false, true, true>(seg, n, Bp, Bm, nullptr, nullptr);
            else if (Ap > 0)
                Band<false, true, false>(seg, n, Bp, Bm, nullptr, nullptr);
            else
                Band<false, false, true>(seg, n, Bp, Bm, nullptr, nullptr);
            Bm = -Bm;
        }
    }
    r.Lp = 0.5 * (Ap + Bp);
    r.Lm = 0.5 * (Am + Bm);
    for (const auto& pts : m_sw) {
        double hPrev = hs ? *hs++ : H(v, pts[0]);
        for (size_t k = 0; k + 1 < pts.size(); ++k) {
            const double h1 = hs ? *hs++ : H(v, pts[k + 1]), dx = pts[k + 1].x - pts[k].x;
            r.Cp += PosPart(hPrev, h1, dx);
            r.Cm -= PosPart(-hPrev, -h1, dx);
            hPrev = h1;
        }
    }
    return r;
}

void DeckOperator::Pattern(const double* v, int sign, DeckPattern& out) const
{
    std::fill(out.lane, out.lane + m_G, 0.0);
    std::fill(out.crowd, out.crowd + m_G, 0.0);
    // Entries within rounding of zero (a load on a bearing's own node reaches the other
    // lines with nothing but noise) are taken for zero: their signs would otherwise decide
    // at random which pieces of the deck carry the load.
    double vmax = 0;
    for (int j = 0; j < m_G; ++j)
        vmax = std::max(vmax, std::abs(v[j]));
    double clean[kMaxGirders];
    for (int j = 0; j < m_G; ++j)
        clean[j] = std::abs(v[j]) <= 1e-12 * vmax ? 0.0 : v[j];
    v = clean;
    Seg seg[kMaxSeg];
    const int n = Split(m_cw, v, seg);
    double lo = 0, hi = 0;
    bool band = false;
    if (m_wide && n > 0) {
        double bp, bm, ap = m_aC, am = m_aC;
        // the two signs' sweeps are independent: only the wanted one runs
        if (sign > 0)
            Band<true, true, false>(seg, n, bp, bm, &ap, &am);
        else
            Band<true, false, true>(seg, n, bp, bm, &ap, &am);
        lo = sign > 0 ? ap : am;
        hi = lo + m_band;
        band = true;
    }
    const double w = band ? 0.5 : 1.0;
    for (int k = 0; k < n; ++k) {
        const Seg& s = seg[k];
        if (!s.in || !((s.h0 + s.h1) * sign > 0))
            continue;
        AddPiece(m_x, s.x0, s.x1, w, s.j, out.lane);
        if (band) {
            const double l = std::max(s.x0, lo), r = std::min(s.x1, hi);
            if (r > l)
                AddPiece(m_x, l, r, 0.5, s.j, out.lane);
        }
    }
    for (const auto& pts : m_sw) {
        Seg sw[kMaxSeg];
        const int ns = Split(pts, v, sw);
        for (int k = 0; k < ns; ++k)
            if ((sw[k].h0 + sw[k].h1) * sign > 0)
                AddPiece(m_x, sw[k].x0, sw[k].x1, 1.0, sw[k].j, out.crowd);
    }
}

void DeckOperator::Apply(const DeckPattern& p, const double* v, double& lane, double& crowd) const
{
    ApplyMany(p, v, 1, &lane, &crowd);
}

void DeckOperator::ApplyMany(const DeckPattern& p, const double* v, int count, double* lane, double* crowd) const
{
    std::fill(lane, lane + count, 0.0);
    std::fill(crowd, crowd + count, 0.0);
    for (int j = 0; j < m_G; ++j) {
        const double* vj = v + size_t(j) * count;
        for (int k = 0; k < count; ++k) {
            lane[k] += p.lane[j] * vj[k];
            crowd[k] += p.crowd[j] * vj[k];
        }
    }
}

} // namespace mvg
