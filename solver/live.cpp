#include "solver/live.h"

#include "solver/deck.h"
#include "solver/pool.h"
#include "solver/solver_files.h"
#include "solver/window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace mvg {

Responses BuildResponses(const Model& m, const Elements& el, const Stiffness& st)
{
    Responses r;
    r.start.push_back(0);
    auto add = [&](Responses::Kind kind, int member, int bearing, int node) {
        r.list.push_back({kind, member, bearing, node});
        r.start.push_back(int(r.col.size()));
        return int(r.list.size()) - 1;
    };
    auto addRow = [&](const Element& e, int row) {
        const int dofs[6] = {3 * e.nodeI, 3 * e.nodeI + 1, 3 * e.nodeI + 2,
                             3 * e.nodeJ, 3 * e.nodeJ + 1, 3 * e.nodeJ + 2};
        for (int j = 0; j < 6; ++j) {
            const int f = st.freeIndex[dofs[j]];
            const double v = e.rec[row * 6 + j];
            if (f >= 0 && v != 0) {
                r.col.push_back(f);
                r.val.push_back(v);
            }
        }
    };
    r.ofMember.assign(m.girderMembers(), {-1, -1, -1, -1, -1, -1});
    for (int k = 0; k < m.girderMembers(); ++k) {
        const int g = k / (m.P - 1);
        if (m.dummy[g])
            continue;
        const Element& e = el.list[k];
        auto& o = r.ofMember[k];
        addRow(e, 0);
        o[kMI] = add(Responses::MI, k, -1, -1);
        addRow(e, 1);
        o[kMJ] = add(Responses::MJ, k, -1, -1);
        addRow(e, 2);
        o[kVI] = add(Responses::VI, k, -1, -1);
        addRow(e, 2);
        o[kVJ] = add(Responses::VJ, k, -1, -1);
        addRow(e, 3);
        o[kTI] = add(Responses::TI, k, -1, -1);
        if (m.singleBox()) {
            addRow(e, 3);
            o[kTJ] = add(Responses::TJ, k, -1, -1);
        } else {
            o[kTJ] = o[kTI];  // a vertical load gives no torque in the loaded member
        }
    }
    for (int b = 0; b < int(m.bearings.size()); ++b) {
        const SparseRow& row = st.reaction[b];
        r.col.insert(r.col.end(), row.col.begin(), row.col.end());
        r.val.insert(r.val.end(), row.val.begin(), row.val.end());
        r.ofBearing.push_back(add(Responses::Reaction, -1, b, m.bearings[b].node));
    }
    for (int q = 0; q < m.nodes(); ++q) {
        const int f = st.freeIndex[3 * q + kW];
        if (f >= 0) {
            r.col.push_back(f);
            r.val.push_back(-1000.0);
        }
        r.ofNode.push_back(add(Responses::Deflection, -1, -1, q));
    }
    return r;
}

namespace {

// The part of a response that does not pass through the displacements: a force on a
// bearing goes straight into it.
double Direct(const Responses::Item& it, int node, int dof)
{
    return it.kind == Responses::Reaction && it.node == node && dof == kW ? 1.0 : 0.0;
}

std::array<double, 4> TorqueControlValues(const Element& e, const Responses::Item& r, int k,
                                          const double* oI, const double* oJ)
{
    const double tI = e.cosDI * oI[1] + e.sinDI * oI[2];
    const double tJ = e.cosDJ * oJ[1] + e.sinDJ * oJ[2];
    std::array<double, 4> c{tI, (2 * tI + tJ) / 3, (tI + 2 * tJ) / 3, tJ};
    if (r.member == k) {
        if (r.kind == Responses::TI) {
            c[0] += 1;
            c[1] += 2.0 / 3;
            c[2] += 1.0 / 3;
        } else if (r.kind == Responses::TJ) {
            c[1] -= 1.0 / 3;
            c[2] -= 2.0 / 3;
            c[3] -= 1;
        }
    }
    return c;
}

} // namespace

std::array<double, 4> MemberControlValues(const Element& e, const Responses::Item& r, int k,
                                          const double* oI, const double* oJ)
{
    const double L = e.chord;
    const double muI = -e.sinDI * oI[1] + e.cosDI * oI[2];
    const double muJ = -e.sinDJ * oJ[1] + e.cosDJ * oJ[2];
    std::array<double, 4> c{oI[0], oI[0] + L / 3 * muI, oJ[0] - L / 3 * muJ, oJ[0]};
    if (r.member == k) {
        switch (r.kind) {
        case Responses::MI: c[1] -= L / 3; break;
        case Responses::MJ: c[2] -= L / 3; break;
        case Responses::VI: c[0] += 1; c[1] += 1; break;
        case Responses::VJ: c[2] -= 1; c[3] -= 1; break;
        default: break;
        }
    }
    return c;
}

Influence::Influence(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L)
    : m_model(m), m_st(st), m_L(L), m_resp(BuildResponses(m, el, st))
{
}

std::vector<double> Influence::AtNode(int q) const
{
    const int R = m_resp.size();
    std::vector<double> out(size_t(R) * 3, 0.0);
    std::vector<double> x(m_st.freeCount());
    for (int d = 0; d < 3; ++d) {
        const int f = m_st.freeIndex[3 * q + d];
        if (f >= 0) {
            std::fill(x.begin(), x.end(), 0.0);
            x[f] = d == kW ? -1.0 : 1.0;
            SolveBand(m_L, x.data());
        }
        for (int r = 0; r < R; ++r) {
            double s = 0;
            if (f >= 0)
                for (int i = m_resp.start[r]; i < m_resp.start[r + 1]; ++i)
                    s += m_resp.val[i] * x[m_resp.col[i]];
            out[size_t(r) * 3 + d] = s + Direct(m_resp.list[r], q, d);
        }
    }
    return out;
}

// Positions of a mirror agree within 1e-9 of the bridge's size.
double MirrorTolerance(const Model& m)
{
    double size = 0;
    for (int q = 0; q < m.nodes(); ++q)
        size = std::max({size, std::abs(m.X[q] - m.X[0]), std::abs(m.Y[q] - m.Y[0])});
    for (const Section& sec : m.sections)
        size = std::max(size, sec.W);
    return 1e-9 * std::max(size, 1.0);
}

// Every cross member has an equal one between the images of its nodes.
template <class Image> bool CrossMembersMirrored(const Model& m, const Image& image)
{
    auto key = [](int i, int j) { return std::make_pair(std::min(i, j), std::max(i, j)); };
    for (const CrossMember& c : m.cross) {
        const auto wanted = key(image(c.nodeI), image(c.nodeJ));
        const bool found = std::any_of(m.cross.begin(), m.cross.end(), [&](const CrossMember& d) {
            return key(d.nodeI, d.nodeJ) == wanted && d.kind == c.kind && d.I == c.I && d.J == c.J;
        });
        if (!found)
            return false;
    }
    return true;
}

// The bearing at each node, -1 where there is none.
std::vector<int> BearingAtNode(const Model& m)
{
    std::vector<int> at(m.nodes(), -1);
    for (size_t b = 0; b < m.bearings.size(); ++b)
        at[m.bearings[b].node] = int(b);
    return at;
}

// A bridge that is its own mirror image across its axis (straight, square, equal girders
// and deck either side) has every response's envelope once more on the other side: the
// partner of response r, or -1 where there is none. A moment about the member axis
// changes sign in the mirror (sign -1). Positions agree within 1e-9 of the bridge's size,
// so nothing that changes a printed digit is taken for symmetric.
std::vector<int> MirrorPartners(const Model& m, const Responses& resp, std::vector<signed char>& sign)
{
    const int G = m.G, P = m.P;
    if (m.singleBox() || G < 2 || P < 2)
        return {};
    const double tol = MirrorTolerance(m);
    auto mirrorNode = [&](int q) { return m.node(G - 1 - m.lineOf(q), m.pointOf(q)); };

    // Plan: every pair's midpoint on the axis, the pair across it.
    const int a0 = m.node(0, 0), a1 = m.node(G - 1, 0), b0 = m.node(0, P - 1), b1 = m.node(G - 1, P - 1);
    const double cx = 0.5 * (m.X[a0] + m.X[a1]), cy = 0.5 * (m.Y[a0] + m.Y[a1]);
    double tx = 0.5 * (m.X[b0] + m.X[b1]) - cx, ty = 0.5 * (m.Y[b0] + m.Y[b1]) - cy;
    const double tl = std::hypot(tx, ty);
    if (!(tl > 0))
        return {};
    tx /= tl;
    ty /= tl;
    for (int q = 0; q < m.nodes(); ++q) {
        const int r = mirrorNode(q);
        const double mx = 0.5 * (m.X[q] + m.X[r]) - cx, my = 0.5 * (m.Y[q] + m.Y[r]) - cy;
        const double dx = m.X[q] - m.X[r], dy = m.Y[q] - m.Y[r];
        if (std::abs(mx * ty - my * tx) > tol || std::abs(dx * tx + dy * ty) > tol)
            return {};
    }
    // Girders, cross members, bearings.
    for (int g = 0; g < G; ++g) {
        if (m.dummy[g] != m.dummy[G - 1 - g])
            return {};
        for (int p = 0; p + 1 < P; ++p) {
            const GirderMember& u = m.girders[m.memberIndex(g, p)];
            const GirderMember& v = m.girders[m.memberIndex(G - 1 - g, p)];
            if (u.A != v.A || u.I != v.I || u.J != v.J || std::abs(u.L - v.L) > tol)
                return {};
        }
    }
    if (!CrossMembersMirrored(m, mirrorNode))
        return {};
    const std::vector<int> bearingAt = BearingAtNode(m);
    std::vector<int> bearingMirror(m.bearings.size(), -1);
    for (size_t b = 0; b < m.bearings.size(); ++b) {
        const Bearing& u = m.bearings[b];
        const int c = bearingAt[mirrorNode(u.node)];
        if (c < 0)
            return {};
        const Bearing& v = m.bearings[c];
        // the support line's direction, reflected, lies along the partner's
        const double d = u.ux * tx + u.uy * ty;
        const double rx = 2 * d * tx - u.ux, ry = 2 * d * ty - u.uy;
        if (v.support != u.support || v.kt != u.kt || std::abs(rx * v.uy - ry * v.ux) > 1e-9)
            return {};
        bearingMirror[b] = c;
    }
    // Deck: girder positions, zones.
    for (const Section& sec : m.sections) {
        const double c2 = sec.gx[0] + sec.gx[G - 1];
        for (int g = 0; g < G; ++g)
            if (std::abs(sec.gx[g] + sec.gx[G - 1 - g] - c2) > tol)
                return {};
        const bool cwUsed = sec.cw.b > sec.cw.a;
        if (cwUsed && std::abs(sec.cw.a + sec.cw.b - c2) > tol)
            return {};
        const bool noll = sec.hasNoll && sec.noll.b > sec.noll.a;
        if (noll && std::abs(sec.noll.a + sec.noll.b - c2) > tol)
            return {};
        std::vector<std::pair<double, double>> sw, mirrored;
        for (const Zone& z : sec.sidewalks)
            if (z.b > z.a) {
                sw.push_back({z.a, z.b});
                mirrored.push_back({c2 - z.b, c2 - z.a});
            }
        std::sort(sw.begin(), sw.end());
        std::sort(mirrored.begin(), mirrored.end());
        for (size_t i = 0; i < sw.size(); ++i)
            if (std::abs(sw[i].first - mirrored[i].first) > tol || std::abs(sw[i].second - mirrored[i].second) > tol)
                return {};
    }

    std::vector<int> partner(resp.size(), -1);
    sign.assign(resp.size(), 1);
    for (int g = 0; g < G; ++g)
        for (int p = 0; p + 1 < P; ++p) {
            const auto& u = resp.ofMember[m.memberIndex(g, p)];
            const auto& v = resp.ofMember[m.memberIndex(G - 1 - g, p)];
            for (int f = 0; f < 6; ++f)
                if (u[f] >= 0) {
                    partner[u[f]] = v[f];
                    if (f == kTI || f == kTJ)
                        sign[u[f]] = -1;
                }
        }
    for (size_t b = 0; b < m.bearings.size(); ++b)
        partner[resp.ofBearing[b]] = resp.ofBearing[bearingMirror[b]];
    for (int q = 0; q < m.nodes(); ++q)
        partner[resp.ofNode[q]] = resp.ofNode[mirrorNode(q)];
    return partner;
}

// The same for a bridge that is its own mirror image end for end (equal spans, supports,
// girders and deck mirrored about its middle): member (g, p) stands for member
// (g, P - 2 - p) with its ends exchanged, node (g, p) for node (g, P - 1 - p). Shears
// and moments about the member axis change sign. The reactions have no partner here:
// the detail takes their windows, whose ties the mirror would resolve the other way.
std::vector<int> EndForEndPartners(const Model& m, const Responses& resp, std::vector<signed char>& sign)
{
    const int G = m.G, P = m.P;
    if (m.singleBox() || P < 3)
        return {};
    const double tol = MirrorTolerance(m);
    auto image = [&](int q) { return m.node(m.lineOf(q), P - 1 - m.pointOf(q)); };

    // Plan: every pair's midpoint on one line across the bridge, the pair along its normal.
    const int a0 = m.node(0, 0), a1 = m.node(0, P - 1);
    const double cx = 0.5 * (m.X[a0] + m.X[a1]), cy = 0.5 * (m.Y[a0] + m.Y[a1]);
    double nx = m.X[a1] - m.X[a0], ny = m.Y[a1] - m.Y[a0];
    const double nl = std::hypot(nx, ny);
    if (!(nl > 0))
        return {};
    nx /= nl;
    ny /= nl;
    for (int q = 0; q < m.nodes(); ++q) {
        const int r = image(q);
        const double mx = 0.5 * (m.X[q] + m.X[r]) - cx, my = 0.5 * (m.Y[q] + m.Y[r]) - cy;
        const double dx = m.X[q] - m.X[r], dy = m.Y[q] - m.Y[r];
        if (std::abs(mx * nx + my * ny) > tol || std::abs(dx * ny - dy * nx) > tol)
            return {};
    }
    // Along the bridge: panel points, spans and their loads.
    for (int p = 0; p < P; ++p)
        if (std::abs(m.sections[p].T + m.sections[P - 1 - p].T - m.sections[0].T - m.sections[P - 1].T) > tol)
            return {};
    for (int k = 0; k < m.S; ++k) {
        const Span& u = m.spans[k];
        const Span& v = m.spans[m.S - 1 - k];
        if (u.pFirst != P - 1 - v.pLast || std::abs(u.L - v.L) > tol || u.p2 != v.p2 || u.pc != v.pc)
            return {};
    }
    for (int g = 0; g < G; ++g)
        for (int p = 0; p + 1 < P; ++p) {
            const GirderMember& u = m.girders[m.memberIndex(g, p)];
            const GirderMember& v = m.girders[m.memberIndex(g, P - 2 - p)];
            if (u.A != v.A || u.I != v.I || u.J != v.J || std::abs(u.L - v.L) > tol)
                return {};
        }
    if (!CrossMembersMirrored(m, image))
        return {};
    const std::vector<int> bearingAt = BearingAtNode(m);
    for (const Bearing& u : m.bearings) {
        const int c = bearingAt[image(u.node)];
        if (c < 0)
            return {};
        const Bearing& v = m.bearings[c];
        const double d = u.ux * nx + u.uy * ny;
        const double rx = u.ux - 2 * d * nx, ry = u.uy - 2 * d * ny;
        if (v.support != m.S - u.support || v.kt != u.kt || std::abs(rx * v.uy - ry * v.ux) > 1e-9)
            return {};
    }
    // Deck: the same section at both ends of the mirror.
    auto same = [&](double a, double b) { return std::abs(a - b) <= tol; };
    auto sameZone = [&](const Zone& a, const Zone& b) { return same(a.a, b.a) && same(a.b, b.b); };
    for (int p = 0; p < P; ++p) {
        const Section& u = m.sections[p];
        const Section& v = m.sections[P - 1 - p];
        if (!same(u.W, v.W) || !sameZone(u.cw, v.cw) || u.hasNoll != v.hasNoll || (u.hasNoll && !sameZone(u.noll, v.noll)) ||
            u.sidewalks.size() != v.sidewalks.size())
            return {};
        for (int g = 0; g < G; ++g)
            if (!same(u.gx[g], v.gx[g]))
                return {};
        for (size_t z = 0; z < u.sidewalks.size(); ++z)
            if (!sameZone(u.sidewalks[z], v.sidewalks[z]))
                return {};
    }

    std::vector<int> partner(resp.size(), -1);
    sign.assign(resp.size(), 1);
    const int to[6] = {kMJ, kMI, kVJ, kVI, kTI, kTJ};
    const int flip[6] = {1, 1, -1, -1, -1, -1};
    for (int g = 0; g < G; ++g)
        for (int p = 0; p + 1 < P; ++p) {
            const auto& u = resp.ofMember[m.memberIndex(g, p)];
            const auto& v = resp.ofMember[m.memberIndex(g, P - 2 - p)];
            for (int f = 0; f < 6; ++f)
                if (u[f] >= 0) {
                    partner[u[f]] = v[to[f]];
                    sign[u[f]] = flip[f];
                }
        }
    for (int q = 0; q < m.nodes(); ++q)
        partner[resp.ofNode[q]] = resp.ofNode[image(q)];
    return partner;
}

Impact ComputeImpact(const Model& m)
{
    Impact imp;
    for (int k = 0; k < m.S; ++k) {
        const double L = m.spans[k].L;
        const double Lbar = k + 1 < m.S ? 0.5 * (L + m.spans[k + 1].L) : L;
        imp.span.push_back(20.0 / (50.0 + L));
        imp.end.push_back(20.0 / (50.0 + Lbar));
    }
    return imp;
}

namespace {

// A buffer each entry of which is written before it is read, so left uncleared: clearing
// it would take a serial pass over tens of megabytes.
template <class T> class Uncleared {
public:
    void allocate(size_t n) { m_p.reset(new T[n]); }
    void release() { m_p.reset(); }
    T* data() { return m_p.get(); }
    const T* data() const { return m_p.get(); }
    T& operator[](size_t i) { return m_p[i]; }
    const T& operator[](size_t i) const { return m_p[i]; }

private:
    std::unique_ptr<T[]> m_p;
};

constexpr double kTileBudget = 64e6;  // bytes of solve tiles in flight

// A tile's solutions and two panel points of its ordinates.
double TileBytes(const Model& m, double freeDofs)
{
    return 8.0 * MultiSolver::width() * (freeDofs + 2.0 * 3 * LoadedLines(m));
}

class Engine {
public:
    Engine(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L, const LiveOptions& opt)
        : m(m), el(el), st(st), L(L), pool(Threads(opt)), solver(L, &pool), resp(BuildResponses(m, el, st))
    {
        R = resp.size();
        G = m.G;
        tileW = solver.width();
        nLL = LoadedLines(m);
        nSlots = 3 * nLL;
        cls = m.liveClass();
        lane = cls != LiveClass::CrowdOnly;
        imp = ComputeImpact(m);

        copyOf.assign(R, -1);
        copySign.assign(R, 1);
        if (opt.mirror) {
            // Each response stands for its images under the mirrors the bridge has; the
            // first of them is computed and the others take its envelopes.
            std::vector<signed char> sT, sL;
            const std::vector<int> pT = MirrorPartners(m, resp, sT);
            const std::vector<int> pL = EndForEndPartners(m, resp, sL);
            for (int r = 0; r < R; ++r) {
                int best = r, bestSign = 1;
                auto take = [&](int c, int sg) {
                    if (c >= 0 && c < best) {
                        best = c;
                        bestSign = sg;
                    }
                };
                if (!pT.empty())
                    take(pT[r], sT[r]);
                if (!pL.empty() && pL[r] >= 0) {
                    take(pL[r], sL[r]);
                    if (!pT.empty())
                        take(pT[pL[r]], sL[r] * sT[pL[r]]);
                }
                if (best != r) {
                    copyOf[r] = best;
                    copySign[r] = static_cast<signed char>(bestSign);
                }
            }
        }

        // each operator works out its girders' unit values: a few milliseconds in all
        ops.resize(m.P);
        pool.Run(m.P, [&](int p) { ops[p] = DeckOperator(m.sections[p].gx, m.sections[p], m.loadingWidth); });
        std::vector<double> T;
        for (const Section& s : m.sections)
            T.push_back(s.T);
        win.Init(T, lane && m.hasLive ? m.liveD : 0.0);
        if (!lane)
            win.none = true;

        const int panels = m.P - 1;
        rho.assign(size_t(panels) * G, 1.0);
        ecc.assign(size_t(panels) * G, 0.0);
        wP2.resize(panels);
        wC.resize(panels);
        for (int p = 0; p < panels; ++p) {
            const double dT = win.dT(p);
            for (int i = 0; i < G; ++i) {
                rho[size_t(p) * G + i] = m.girders[m.memberIndex(i, p)].L / dT;
                if (m.singleBox())
                    ecc[size_t(p) * G + i] = 0.5 * ((m.sections[p].gx[i] - m.sections[p].gx[1]) +
                                                    (m.sections[p + 1].gx[i] - m.sections[p + 1].gx[1]));
            }
            const Span& sp = m.spans[m.spanOfPanel(p)];
            wP2[p] = lane ? m.p2Factor * sp.p2 : 0.0;
            wC[p] = sp.pc;
        }

        // Impact and p1 per response.
        iPlus.assign(R, 0.0);
        iMinus.assign(R, 0.0);
        p1.assign(R, 0.0);
        const double p1m = m.hasLive ? m.p1Factor * m.p1m : 0, p1s = m.hasLive ? m.p1Factor * m.p1s : 0;
        for (int r = 0; r < R; ++r) {
            const auto& it = resp.list[r];
            switch (it.kind) {
            case Responses::Reaction: {
                const double i = imp.support(m.bearings[it.bearing].support);
                iPlus[r] = iMinus[r] = i;
                p1[r] = p1s;
                break;
            }
            case Responses::Deflection:
                p1[r] = p1m;
                break;
            case Responses::VI:
            case Responses::VJ:
            case Responses::TI:
            case Responses::TJ: {
                const int k = m.spanOfPanel(it.member % (m.P - 1));
                iPlus[r] = iMinus[r] = imp.span[k];
                p1[r] = (it.kind == Responses::VI || it.kind == Responses::VJ) ? p1s : p1m;
                break;
            }
            case Responses::MI:
            case Responses::MJ: {
                const int p = it.member % (m.P - 1);
                const int k = m.spanOfPanel(p);
                iPlus[r] = imp.span[k];
                iMinus[r] = HoggingImpact(k, m.sections[it.kind == Responses::MI ? p : p + 1].T);
                p1[r] = p1m;
                break;
            }
            }
        }
    }

    void Run()
    {
        reactOrd.allocate(m.bearings.size() * size_t(m.P) * nSlots);
        PlanColumns();

        // Every column, each tile solved and the deck work of its responses done on one
        // thread; the reactions' tiles first, which keep their ordinates whole. Should they
        // not balance, all is done once more with a refinement step in every solve.
        const int nReact = int(m.bearings.size());
        const int reactTiles = (nReact + tileW - 1) / tileW;
        const int rest = int(colStart.size()) - 1 - nReact;
        const int nt = (rest + tileW - 1) / tileW;
        auto solveAll = [&] {
            acc.assign(size_t(R) * 4, 0.0);
            state.assign(size_t(R) * 2, WindowState{});
            pool.Run(reactTiles + nt, [&](int t) {
                if (t < reactTiles)
                    ReactionTile(t);
                else
                    MemberTile(nReact + (t - reactTiles) * tileW, std::min(tileW, rest - (t - reactTiles) * tileW));
            });
        };
        solveAll();
        int bad = Unbalanced();
        if (bad >= 0) {
            refine = true;
            solveAll();
            bad = Unbalanced();
            if (bad >= 0) {
                char buf[96];
                std::snprintf(buf, sizeof buf, "unit loads at panel point %d: reactions do not balance", bad + 1);
                throw Failure(mvgfiles::kDamaged, buf);
            }
        }
        spare.clear();  // given back before the detail

        // The reactions' deck work, from the kept ordinates.
        std::vector<int> reactWork;
        for (int b = 0; b < nReact; ++b)
            if (copyOf[resp.ofBearing[b]] < 0)
                reactWork.push_back(resp.ofBearing[b]);
        pool.Run(int(reactWork.size()), [&](int i) {
            const int r = reactWork[i];
            const double* o = &reactOrd[size_t(resp.list[r].bearing) * m.P * nSlots];
            DeckRun(&r, 1, [&](int p) { return o + size_t(p) * nSlots; });
        });
    }

    void Collect(LiveResult& out)
    {
        finalPlus.assign(R, 0.0);
        finalMinus.assign(R, 0.0);
        for (int r = 0; r < R; ++r) {
            if (copyOf[r] >= 0)
                continue;
            double Wp = WindowFinish(win, state[2 * r]);
            double Wm = WindowFinish(win, state[2 * r + 1]);
            const double* a = &acc[size_t(r) * 4];
            double lp, lm;
            if (!lane) {
                lp = a[2];
                lm = a[3];
            } else {
                lp = (1 + iPlus[r]) * (a[0] + p1[r] * Wp) + a[2];
                lm = (1 + iMinus[r]) * (a[1] + p1[r] * Wm) + a[3];
            }
            finalPlus[r] = std::max(lp, 0.0);
            finalMinus[r] = std::min(lm, 0.0);
        }
        for (int r = 0; r < R; ++r) {
            const int c = copyOf[r];
            if (c < 0)
                continue;
            if (copySign[r] > 0) {
                finalPlus[r] = finalPlus[c];
                finalMinus[r] = finalMinus[c];
                state[2 * r] = state[2 * c];
                state[2 * r + 1] = state[2 * c + 1];
            } else {
                finalPlus[r] = 0.0 - finalMinus[c];
                finalMinus[r] = 0.0 - finalPlus[c];
            }
        }
        for (int k = 0; k < m.girderMembers(); ++k)
            for (int f = 0; f < 6; ++f) {
                const int r = resp.ofMember[k][f];
                out.member[k][f] = r >= 0 ? finalPlus[r] : 0.0;
                out.member[k][6 + f] = r >= 0 ? finalMinus[r] : 0.0;
            }
        for (size_t b = 0; b < m.bearings.size(); ++b)
            out.reaction[b] = {finalPlus[resp.ofBearing[b]], finalMinus[resp.ofBearing[b]]};
        for (int q = 0; q < m.nodes(); ++q)
            out.deflection[q] = {finalPlus[resp.ofNode[q]], finalMinus[resp.ofNode[q]]};
        if (m.wantsDetail())
            Detail(out);
    }

private:
    double HoggingImpact(int k, double Tnode) const
    {
        // interior supports of span k: k and k + 1 where 0 < s < S
        int cand[2], n = 0;
        for (int s : {k, k + 1})
            if (s > 0 && s < m.S)
                cand[n++] = s;
        if (n == 0)
            return imp.span[0];
        if (n == 1)
            return imp.support(cand[0]);
        const double d0 = std::abs(Tnode - m.sections[m.supportPoint(cand[0])].T);
        const double d1 = std::abs(Tnode - m.sections[m.supportPoint(cand[1])].T);
        if (d0 < d1)
            return imp.support(cand[0]);
        if (d1 < d0)
            return imp.support(cand[1]);
        return std::max(imp.support(cand[0]), imp.support(cand[1]));
    }

    // Every core, as far as the tile buffers, one per thread, stay within their budget.
    int Threads(const LiveOptions& opt) const
    {
        if (opt.threads > 0)
            return opt.threads;
        const double perThread = TileBytes(m, st.freeCount());
        const int hw = std::max(int(std::thread::hardware_concurrency()), 1);
        return std::clamp(int(kTileBudget / perThread), 1, hw);
    }

    // One column of right-hand sides per distinct functional: the influence line of a
    // response is the solution for its own row, by the symmetry of K. The reactions come
    // first; a response whose row equals the one before it (V_J after V_I, T_J after T_I)
    // shares that column.
    void PlanColumns()
    {
        colResp.clear();
        colStart.clear();
        for (int b = 0; b < int(m.bearings.size()); ++b) {
            colStart.push_back(int(colResp.size()));
            colResp.push_back(resp.ofBearing[b]);
        }
        int prev = -1;
        for (int r = 0; r < R; ++r) {
            if (copyOf[r] >= 0 || resp.list[r].kind == Responses::Reaction) {
                prev = -1;
                continue;
            }
            if (!(prev >= 0 && SameRow(prev, r)))
                colStart.push_back(int(colResp.size()));
            colResp.push_back(r);
            prev = r;
        }
        colStart.push_back(int(colResp.size()));
    }

    bool SameRow(int a, int b) const
    {
        const int na = resp.start[a + 1] - resp.start[a], nb = resp.start[b + 1] - resp.start[b];
        return na == nb && std::equal(&resp.col[resp.start[a]], &resp.col[resp.start[a]] + na, &resp.col[resp.start[b]]) &&
               std::equal(&resp.val[resp.start[a]], &resp.val[resp.start[a]] + na, &resp.val[resp.start[b]]);
    }

    // Solves columns c0 .. c0 + count - 1 into X (n rows of tileW), refined once if asked.
    void SolveColumns(int c0, int count, double* X) const
    {
        const int n = st.freeCount();
        int first = n, end = 0;
        for (int j = 0; j < count; ++j) {
            const int r = colResp[colStart[c0 + j]];
            for (int i = resp.start[r]; i < resp.start[r + 1]; ++i) {
                first = std::min(first, resp.col[i]);
                end = std::max(end, resp.col[i] + 1);
            }
        }
        // only the rows that hold right-hand sides are cleared: the passes leave the rest
        if (first < end)
            std::fill(X + size_t(first) * tileW, X + size_t(end) * tileW, 0.0);
        for (int j = 0; j < count; ++j) {
            const int r = colResp[colStart[c0 + j]];
            for (int i = resp.start[r]; i < resp.start[r + 1]; ++i)
                X[size_t(resp.col[i]) * tileW + j] += resp.val[i];
        }
        solver.Forward(X, first, end);
        solver.Backward(X, first);
        if (refine)
            Refine(c0, count, X);
    }

    void Refine(int c0, int count, double* X) const
    {
        const int n = st.freeCount();
        std::vector<double> x(n), r(n);
        for (int j = 0; j < count; ++j) {
            for (int i = 0; i < n; ++i)
                x[i] = X[size_t(i) * tileW + j];
            MultiplyBand(st.K, x.data(), r.data());
            for (int i = 0; i < n; ++i)
                r[i] = -r[i];
            const int rr = colResp[colStart[c0 + j]];
            for (int i = resp.start[rr]; i < resp.start[rr + 1]; ++i)
                r[resp.col[i]] += resp.val[i];
            SolveBand(L, r.data());
            for (int i = 0; i < n; ++i)
                X[size_t(i) * tileW + j] += r[i];
        }
    }

    // The nodal ordinates at panel point p of the tile's columns, column by column: a
    // downward unit force at a free w, unit moments at the free rotations, and the force
    // on a bearing that goes straight into it.
    void PanelOrdinates(int c0, int count, const double* X, int p, double* out) const
    {
        for (int li = 0; li < nLL; ++li) {
            const int q = m.node(LoadedLine(m, li), p);
            for (int d = 0; d < 3; ++d) {
                const int f = st.freeIndex[3 * q + d];
                const int slot = 3 * li + d;
                if (f < 0) {
                    for (int j = 0; j < count; ++j)
                        out[size_t(j) * nSlots + slot] = 0.0;
                    continue;
                }
                const double s = d == kW ? -1.0 : 1.0;
                const double* x = X + size_t(f) * tileW;
                for (int j = 0; j < count; ++j)
                    out[size_t(j) * nSlots + slot] = s * x[j] + 0.0;  // no negative zeros
            }
        }
        for (int j = 0; j < count; ++j) {
            const auto& it = resp.list[colResp[colStart[c0 + j]]];
            if (it.kind == Responses::Reaction && m.pointOf(it.node) == p)
                for (int li = 0; li < nLL; ++li)
                    out[size_t(j) * nSlots + 3 * li + kW] += Direct(it, m.node(LoadedLine(m, li), p), kW);
        }
    }

    // A tile's solutions and two panel points of its ordinates, in a buffer that the next
    // tile on the pool takes over: fresh pages would cost more than the work.
    class Lease {
    public:
        explicit Lease(Engine& e) : m_e(e)
        {
            std::lock_guard<std::mutex> lock(e.spareLock);
            if (!e.spare.empty()) {
                m_p = std::move(e.spare.back());
                e.spare.pop_back();
            } else {
                m_p.reset(new double[size_t(e.st.freeCount()) * e.tileW + size_t(2) * e.tileW * e.nSlots]);
            }
        }
        ~Lease()
        {
            std::lock_guard<std::mutex> lock(m_e.spareLock);
            m_e.spare.push_back(std::move(m_p));
        }
        double* data() { return m_p.get(); }

    private:
        Engine& m_e;
        std::unique_ptr<double[]> m_p;
    };

    void ReactionTile(int t)
    {
        const int c0 = t * tileW, count = std::min(tileW, int(m.bearings.size()) - c0);
        Lease buf(*this);
        double* X = buf.data();
        SolveColumns(c0, count, X);
        std::vector<double> o(size_t(count) * nSlots);
        for (int p = 0; p < m.P; ++p) {
            PanelOrdinates(c0, count, X, p, o.data());
            for (int j = 0; j < count; ++j)
                std::copy(&o[size_t(j) * nSlots], &o[size_t(j + 1) * nSlots],
                          &reactOrd[(size_t(c0 + j) * m.P + p) * nSlots]);
        }
    }

    // Every unit force is carried by the bearings: the reactions sum to 1 for a force
    // and to 0 for a moment. The first panel point where they do not, or -1.
    int Unbalanced()
    {
        std::vector<char> bad(m.P, 0);
        pool.Run(m.P, [&](int p) {
            double s[3 * kMaxGirders] = {};
            for (size_t b = 0; b < m.bearings.size(); ++b) {
                const double* o = &reactOrd[(b * m.P + p) * nSlots];
                for (int j = 0; j < nSlots; ++j)
                    s[j] += o[j];
            }
            for (int li = 0; li < nLL; ++li) {
                const int q = m.node(LoadedLine(m, li), p);
                for (int d = 0; d < 3; ++d) {
                    const double expect = d == kW ? 1.0 : 0.0;
                    if (st.freeIndex[3 * q + d] >= 0 && !(std::abs(s[3 * li + d] - expect) <= 1e-6))
                        bad[p] = 1;
                }
            }
        });
        const auto it = std::find(bad.begin(), bad.end(), 1);
        return it == bad.end() ? -1 : int(it - bad.begin());
    }

    // Solves a tile of columns and runs the deck work of their responses, the ordinates of
    // two panel points at a time taken from the solutions.
    void MemberTile(int c0, int count)
    {
        Lease buf(*this);
        double* X = buf.data();
        double* O = X + size_t(st.freeCount()) * tileW;
        SolveColumns(c0, count, X);
        std::vector<DeckTrack> tracks(colStart[c0 + count] - colStart[c0]);
        for (int p = 0; p < m.P; ++p) {
            PanelOrdinates(c0, count, X, p, O + size_t(p % 2) * tileW * nSlots);
            if (p == 0)
                continue;
            const double* oI = O + size_t((p - 1) % 2) * tileW * nSlots;
            const double* oJ = O + size_t(p % 2) * tileW * nSlots;
            for (int j = 0; j < count; ++j) {
                const int a = colStart[c0 + j], e = colStart[c0 + j + 1];
                DeckStep(p - 1, &colResp[a], e - a, oI + size_t(j) * nSlots, oJ + size_t(j) * nSlots,
                         &tracks[a - colStart[c0]]);
            }
        }
    }

    // What the deck work of one response carries from panel to panel.
    struct DeckTrack {
        double last[kMaxGirders];  // the control vector b_3 of the panel before
        DeckValues lastVal;
        bool has = false;
        std::vector<WindowSlot> ring;
    };

    // The deck work of responses with the same ordinates over every panel; ord(p) gives
    // their ordinates at panel point p.
    template <class Ord> void DeckRun(const int* rs, int nr, const Ord& ord)
    {
        std::vector<DeckTrack> tracks(nr);
        for (int p = 0; p + 1 < m.P; ++p)
            DeckStep(p, rs, nr, ord(p), ord(p + 1), tracks.data());
    }

    // Panel p of responses rs[0 .. nr - 1], which share their ordinates: their control
    // vectors differ only in their own member's panel.
    void DeckStep(int p, const int* rs, int nr, const double* oI, const double* oJ, DeckTrack* tr)
    {
        const double dT = win.dT(p);
        double b[4 * kMaxGirders];
        DeckValues shared[4];
        for (int i = 0; i < nr; ++i) {
            const int r = rs[i];
            const auto& it = resp.list[r];
            DeckTrack& t = tr[i];
            ControlVectors(p, it, oI, oJ, b);
            DeckValues v[4];
            const bool own = it.member >= 0 && it.member % (m.P - 1) == p;
            if (i > 0 && !own) {
                std::copy(shared, shared + 4, v);
            } else {
                if (t.has && std::equal(b, b + G, t.last))
                    v[0] = t.lastVal;
                else
                    v[0] = ops[p].Evaluate(b);
                v[1] = ops[p].Evaluate(b + G);
                v[2] = ops[p + 1].Evaluate(b + 2 * G);
                v[3] = ops[p + 1].Evaluate(b + 3 * G);
                std::copy(v, v + 4, shared);
            }
            std::copy(b + 3 * G, b + 4 * G, t.last);
            t.lastVal = v[3];
            t.has = true;

            const double eLp[4] = {v[0].Lp, v[1].Lp, v[2].Lp, v[3].Lp};
            const double eLm[4] = {v[0].Lm, v[1].Lm, v[2].Lm, v[3].Lm};
            double* a = &acc[size_t(r) * 4];
            a[0] += wP2[p] * dT * (eLp[0] + eLp[1] + eLp[2] + eLp[3]) / 4;
            a[1] += wP2[p] * dT * (eLm[0] + eLm[1] + eLm[2] + eLm[3]) / 4;
            a[2] += wC[p] * dT * (v[0].Cp + v[1].Cp + v[2].Cp + v[3].Cp) / 4;
            a[3] += wC[p] * dT * (v[0].Cm + v[1].Cm + v[2].Cm + v[3].Cm) / 4;
            if (!win.none) {
                if (t.ring.empty())
                    t.ring.resize(size_t(2) * win.depth);
                WindowAdd(win, state[2 * r], t.ring.data(), p, eLp, +1);
                WindowAdd(win, state[2 * r + 1], t.ring.data() + win.depth, p, eLm, -1);
            }
        }
    }

    // Control vectors b_0..b_3 of a response over panel p, line values across the deck.
    void ControlVectors(int p, const Responses::Item& it, const double* oI, const double* oJ, double* b) const
    {
        const double* rh = &rho[size_t(p) * G];
        if (m.singleBox()) {
            const int k = m.memberIndex(1, p);
            const Element& e = el.list[k];
            const auto c = MemberControlValues(e, it, k, oI, oJ);
            const auto t = TorqueControlValues(e, it, k, oI, oJ);
            const double* ex = &ecc[size_t(p) * G];
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < G; ++i)
                    b[j * G + i] = rh[i] * (c[j] + ex[i] * t[j]);
            return;
        }
        for (int i = 0; i < G; ++i) {
            const int k = m.memberIndex(i, p);
            const auto c = MemberControlValues(el.list[k], it, k, oI + 3 * i, oJ + 3 * i);
            for (int j = 0; j < 4; ++j)
                b[j * G + i] = rh[i] * c[j];
        }
    }

    // Every bearing of a support under the loading that governs each bearing in turn.
    void Detail(LiveResult& out)
    {
        const int n = m.nLines, panels = m.P - 1;
        const double p1s = m.hasLive ? m.p1Factor * m.p1s : 0;
        out.detail.assign(size_t(m.S + 1) * n * n, {0.0, 0.0});
        // control vectors of every bearing; then every bearing and sign of every support
        // as one task, so that the pool stays busy to the end. A support's bearings lie
        // side by side: line i of control vector c over panel p of bearing k at
        // [((p * 4 + c) * G + i) * n + k] of the support's block.
        const size_t block = size_t(n) * panels * 4 * G;
        Uncleared<double> all;
        all.allocate(size_t(m.S + 1) * block);
        constexpr int kPanelsPerTask = 16;
        const int tasksPerSupport = (panels + kPanelsPerTask - 1) / kPanelsPerTask;
        pool.Run((m.S + 1) * tasksPerSupport, [&](int task) {
            const int s = task / tasksPerSupport, p0 = task % tasksPerSupport * kPanelsPerTask;
            double b[kMaxGirders][4 * kMaxGirders];
            for (int p = p0; p < std::min(panels, p0 + kPanelsPerTask); ++p) {
                for (int k = 0; k < n; ++k) {
                    const int bk = s * n + k;
                    const double* oI = &reactOrd[(size_t(bk) * m.P + p) * nSlots];
                    const double* oJ = &reactOrd[(size_t(bk) * m.P + p + 1) * nSlots];
                    ControlVectors(p, resp.list[resp.ofBearing[bk]], oI, oJ, b[k]);
                }
                double* out = &all[s * block + size_t(p) * 4 * G * n];
                for (int j = 0; j < 4 * G; ++j)
                    for (int k = 0; k < n; ++k)
                        out[size_t(j) * n + k] = b[k][j];
            }
        });
        // Where a panel's first control vectors are the last ones of the panel before (no
        // change of section or deck length between), its values are taken over.
        std::vector<char> carried(size_t(m.S + 1) * panels, 0);
        pool.Run(m.S + 1, [&](int s) {
            const size_t len = size_t(G) * n;
            for (int p = 1; p < panels; ++p) {
                const double* a = &all[s * block + size_t(p * 4) * len];
                carried[size_t(s) * panels + p] = std::equal(a, a + len, a - len);
            }
        });
        pool.Run((m.S + 1) * 2 * n, [&](int job) {
            const int s = job / (2 * n), task = job % (2 * n);
            const double* vec = &all[s * block];
            const double i = imp.support(s);
            const int g = task / 2, sign = task % 2 ? -1 : 1;
            const int rg = resp.ofBearing[s * n + g];
            const double astar = state[2 * rg + (sign > 0 ? 0 : 1)].a;
            // every entry is written below; kept per thread, as fresh pages cost more than the work
            thread_local std::vector<double> laneC, crowdC;
            laneC.resize(size_t(n) * panels * 4);
            crowdC.resize(size_t(n) * panels * 4);
            DeckPattern pat;
            double own[kMaxGirders], l[kMaxGirders], cr[kMaxGirders];  // bearing lines: as many as girders, or 2
            for (int p = 0; p < panels; ++p)
                for (int c = 0; c < 4; ++c) {
                    if (c == 0 && carried[size_t(s) * panels + p]) {
                        for (int k = 0; k < n; ++k) {
                            laneC[(size_t(k) * panels + p) * 4] = laneC[(size_t(k) * panels + p - 1) * 4 + 3];
                            crowdC[(size_t(k) * panels + p) * 4] = crowdC[(size_t(k) * panels + p - 1) * 4 + 3];
                        }
                        continue;
                    }
                    const DeckOperator& op = ops[c < 2 ? p : p + 1];
                    const double* v = &vec[size_t(p * 4 + c) * G * n];
                    for (int j = 0; j < G; ++j)
                        own[j] = v[size_t(j) * n + g];
                    op.Pattern(own, sign, pat);
                    op.ApplyMany(pat, v, n, l, cr);
                    for (int k = 0; k < n; ++k) {
                        laneC[(size_t(k) * panels + p) * 4 + c] = l[k];
                        crowdC[(size_t(k) * panels + p) * 4 + c] = cr[k];
                    }
                }
            for (int k = 0; k < n; ++k) {
                double value;
                if (k == g) {
                    value = sign > 0 ? finalPlus[rg] : finalMinus[rg];
                } else {
                    const double* lc = &laneC[size_t(k) * panels * 4];
                    const double* cc = &crowdC[size_t(k) * panels * 4];
                    double p2 = 0, crowd = 0;
                    for (int p = 0; p < panels; ++p) {
                        const double dT = win.dT(p);
                        p2 += wP2[p] * dT * (lc[4 * p] + lc[4 * p + 1] + lc[4 * p + 2] + lc[4 * p + 3]) / 4;
                        crowd += wC[p] * dT * (cc[4 * p] + cc[4 * p + 1] + cc[4 * p + 2] + cc[4 * p + 3]) / 4;
                    }
                    value = lane ? (1 + i) * (p2 + p1s * WindowIntegral(win, lc, astar)) + crowd : crowd;
                }
                out.detail[(size_t(s) * n + g) * n + k][sign > 0 ? 0 : 1] = value;
            }
        });
    }

    const Model& m;
    const Elements& el;
    const Stiffness& st;
    const BandMatrix& L;
    Pool pool;
    MultiSolver solver;
    Responses resp;
    int R = 0, G = 0, nLL = 0, nSlots = 0;
    int tileW = 16;  // columns of a solve tile
    LiveClass cls = LiveClass::A;
    bool lane = true;
    Impact imp;
    std::vector<DeckOperator> ops;
    WindowGeometry win;
    std::vector<double> rho, ecc, wP2, wC;
    std::vector<double> iPlus, iMinus, p1;
    std::vector<int> copyOf;             // the mirror partner whose envelopes a response takes, or -1
    std::vector<signed char> copySign;   // -1: taken with the signs exchanged

    std::vector<int> colResp;   // the responses of each column of solves, column after column
    std::vector<int> colStart;  // where each column's responses start in colResp
    bool refine = false;        // the solves take a refinement step
    std::mutex spareLock;
    std::vector<std::unique_ptr<double[]>> spare;
    Uncleared<double> reactOrd;
    std::vector<double> acc;  // per response: p2 part +/-, crowd part +/-
    std::vector<WindowState> state;
    std::vector<double> finalPlus, finalMinus;
};

} // namespace

LiveResult SolveLive(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L,
                     const LiveOptions& opt)
{
    LiveResult out;
    const Impact imp = ComputeImpact(m);
    out.impactSpan = imp.span;
    out.impactEnd = imp.end;
    out.member.assign(m.girderMembers(), {});
    out.reaction.assign(m.bearings.size(), {0.0, 0.0});
    out.deflection.assign(m.nodes(), {0.0, 0.0});
    if (m.liveClass() == LiveClass::None) {
        if (m.wantsDetail())
            out.detail.assign(size_t(m.S + 1) * m.nLines * m.nLines, {0.0, 0.0});
        return out;
    }
    Engine eng(m, el, st, L, opt);
    eng.Run();
    eng.Collect(out);
    return out;
}

} // namespace mvg
