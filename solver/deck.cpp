#include "solver/deck.h"

#include <algorithm>
#include <cmath>

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

// The worst band [a, a + b] within the carriageway, for both signs in one sweep.
// F(a) = P(a+b) - P(a) is piecewise quadratic between the candidates (a or a + b at a
// breakpoint), with F' = g(a+b) - g(a) linear on each interval. Its largest value lies
// at a candidate where F' turns from rising to falling, at an end of the range, or where
// F' falls through zero inside an interval: F is evaluated only there.
template <bool Where, bool DoP, bool DoM>
void DeckOperator::Band(const Seg* seg, int n, double& bp, double& bm, double* ap, double* am) const
{
    // per piece: start, prefix and the linear g of each sign (value at start, slope)
    double X[kMaxSeg + 1], Pp[kMaxSeg + 1], Pm[kMaxSeg + 1];
    double gp[kMaxSeg], sp[kMaxSeg], gm[kMaxSeg], sm[kMaxSeg];
    Pp[0] = Pm[0] = 0;
    double hmax = 0;
    for (int k = 0; k < n; ++k) {
        const Seg& s = seg[k];
        X[k] = s.x0;
        const double dx = s.x1 - s.x0, slope = dx > 0 ? (s.h1 - s.h0) / dx : 0;
        const double area = dx * (s.h0 + s.h1) / 2;
        gp[k] = sp[k] = gm[k] = sm[k] = 0;
        Pp[k + 1] = Pp[k];
        Pm[k + 1] = Pm[k];
        hmax = std::max({hmax, std::abs(s.h0), std::abs(s.h1)});
        if (!s.in)
            continue;
        if (s.h0 > 0 || s.h1 > 0) {
            gp[k] = s.h0;
            sp[k] = slope;
            Pp[k + 1] += area;
        } else if (s.h0 < 0 || s.h1 < 0) {
            gm[k] = -s.h0;
            sm[k] = -slope;
            Pm[k + 1] -= area;
        }
    }
    X[n] = seg[n - 1].x1;
    const double b = m_band;
    const double aMax = m_bC - b;
    const double eps = 1e-12 * hmax;

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
    int ka = 0, kb = 0;
    auto Fp = [&](double a) {
        const double ua = a - X[ka], ub = a + b - X[kb];
        return Pp[kb] + ub * (gp[kb] + 0.5 * sp[kb] * ub) - Pp[ka] - ua * (gp[ka] + 0.5 * sp[ka] * ua);
    };
    auto Fm = [&](double a) {
        const double ua = a - X[ka], ub = a + b - X[kb];
        return Pm[kb] + ub * (gm[kb] + 0.5 * sm[kb] * ub) - Pm[ka] - ua * (gm[ka] + 0.5 * sm[ka] * ua);
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
    double leftP = HUGE_VAL, leftM = HUGE_VAL;  // F' just before the current candidate
    for (int c = 0; c + 1 < nc; ++c) {
        const double c0 = cand[c], c1 = cand[c + 1];
        const double mid = 0.5 * (c0 + c1);
        while (ka < n - 1 && X[ka + 1] <= mid)
            ++ka;
        while (kb < n - 1 && X[kb + 1] <= mid + b)
            ++kb;
        const double ua0 = c0 - X[ka], ub0 = c0 + b - X[kb], ua1 = c1 - X[ka], ub1 = c1 + b - X[kb];
        if constexpr (DoP) {
            const double dp0 = gp[kb] + sp[kb] * ub0 - gp[ka] - sp[ka] * ua0;
            const double dp1 = gp[kb] + sp[kb] * ub1 - gp[ka] - sp[ka] * ua1;
            if (leftP >= -eps && dp0 <= eps)
                takeP(c0);
            if (dp0 > 0 && dp1 < 0)
                takeP(c0 + (c1 - c0) * dp0 / (dp0 - dp1));
            leftP = dp1;
        }
        if constexpr (DoM) {
            const double dm0 = gm[kb] + sm[kb] * ub0 - gm[ka] - sm[ka] * ua0;
            const double dm1 = gm[kb] + sm[kb] * ub1 - gm[ka] - sm[ka] * ua1;
            if (leftM >= -eps && dm0 <= eps)
                takeM(c0);
            if (dm0 > 0 && dm1 < 0)
                takeM(c0 + (c1 - c0) * dm0 / (dm0 - dm1));
            leftM = dm1;
        }
    }
    if (DoP && leftP >= -eps)
        takeP(cand[nc - 1]);
    if (DoM && leftM >= -eps)
        takeM(cand[nc - 1]);
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
    Seg seg[kMaxSeg];
    const int n = Split(m_cw, v, seg);
    double Ap = 0, Am = 0;
    for (int k = 0; k < n; ++k)
        if (seg[k].in) {
            const double dx = seg[k].x1 - seg[k].x0, m = dx * (seg[k].h0 + seg[k].h1) / 2;
            if (m > 0)
                Ap += m;
            else
                Am += m;
        }
    double Bp = Ap, Bm = Am;
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
    r.Lp = 0.5 * (Ap + Bp);
    r.Lm = 0.5 * (Am + Bm);
    for (const auto& pts : m_sw) {
        double hPrev = H(v, pts[0]);
        for (size_t k = 0; k + 1 < pts.size(); ++k) {
            const double h1 = H(v, pts[k + 1]), dx = pts[k + 1].x - pts[k].x;
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
