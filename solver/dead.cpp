#include "solver/dead.h"

#include "solver/deck.h"
#include "solver/solver_files.h"

#include <cmath>
#include <cstdio>

namespace mvg {

DeadLoads ComputeDeadLoads(const Model& m)
{
    DeadLoads dl;
    dl.deck.assign(m.P, std::vector<double>(m.G, 0.0));
    std::vector<double> f(m.G);
    for (int p = 0; p < m.P; ++p) {
        const Section& s = m.sections[p];
        double* d = dl.deck[p].data();
        for (const Strip& st : s.strips)
            LeverIntegral(s.gx, st.xa, st.xb, m.unitWeight[st.item] * st.h, d);
        LeverIntegral(s.gx, 0, s.W, m.snow, d);
        for (const PointLoadAt& r : s.rails) {
            LeverAt(s.gx, r.x, f.data());
            for (int g = 0; g < m.G; ++g)
                d[g] += m.railLoad[r.item - 1] * f[g];
        }
        for (size_t k = 0; k < m.attachLoad.size(); ++k) {
            LeverAt(s.gx, s.attachX[k], f.data());
            for (int g = 0; g < m.G; ++g)
                d[g] += m.attachLoad[k] * f[g];
        }
    }
    dl.q.assign(m.girderMembers(), 0.0);
    dl.mt.assign(m.girderMembers(), 0.0);
    for (int p = 0; p + 1 < m.P; ++p) {
        const auto& d0 = dl.deck[p];
        const auto& d1 = dl.deck[p + 1];
        if (m.singleBox()) {
            const auto& x0 = m.sections[p].gx;
            const auto& x1 = m.sections[p + 1].gx;
            double q = m.haunch[1] + m.steel[1], mt = 0;
            for (int i = 0; i < m.G; ++i) {
                q += 0.5 * (d0[i] + d1[i]);
                mt += 0.5 * (d0[i] * (x0[i] - x0[1]) + d1[i] * (x1[i] - x1[1]));
            }
            dl.q[m.memberIndex(1, p)] = q;
            dl.mt[m.memberIndex(1, p)] = mt;
        } else {
            for (int g = 0; g < m.G; ++g)
                dl.q[m.memberIndex(g, p)] = 0.5 * (d0[g] + d1[g]) + m.haunch[g] + m.steel[g];
        }
    }
    return dl;
}

DeadResult SolveDead(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L)
{
    const DeadLoads dl = ComputeDeadLoads(m);
    const int ndof = 3 * m.nodes();
    std::vector<double> F(ndof, 0.0);
    std::vector<double> qc(m.girderMembers()), mc(m.girderMembers());
    DeadResult r;
    double sumAbs = 0;
    for (int k = 0; k < m.girderMembers(); ++k) {
        const Element& e = el.list[k];
        const double Lc = e.chord, ratio = m.girders[k].L / Lc;
        const double q = dl.q[k] * ratio, mt = dl.mt[k] * ratio;
        qc[k] = q;
        mc[k] = mt;
        r.applied += q * Lc;
        sumAbs += std::abs(q * Lc);
        // consistent loads in member axes, turned into the node frames
        const double fx = mt * Lc / 2;
        const double fyI = q * Lc * Lc / 12, fyJ = -fyI;
        F[3 * e.nodeI + kW] -= q * Lc / 2;
        F[3 * e.nodeJ + kW] -= q * Lc / 2;
        F[3 * e.nodeI + kRotT] += e.cosDI * fx - e.sinDI * fyI;
        F[3 * e.nodeI + kRotN] += e.sinDI * fx + e.cosDI * fyI;
        F[3 * e.nodeJ + kRotT] += e.cosDJ * fx - e.sinDJ * fyJ;
        F[3 * e.nodeJ + kRotN] += e.sinDJ * fx + e.cosDJ * fyJ;
    }

    const int n = st.freeCount();
    std::vector<double> Ff(n), u(n), res(n);
    for (int i = 0; i < n; ++i)
        Ff[i] = F[st.dofOfFree[i]];
    u = Ff;
    SolveBand(L, u.data());
    // one step of refinement against the unfactored matrix
    MultiplyBand(st.K, u.data(), res.data());
    for (int i = 0; i < n; ++i)
        res[i] = Ff[i] - res[i];
    SolveBand(L, res.data());
    for (int i = 0; i < n; ++i)
        u[i] += res[i];

    std::vector<double> d(ndof, 0.0);
    for (int i = 0; i < n; ++i)
        d[st.dofOfFree[i]] = u[i];

    r.member.resize(m.girderMembers());
    for (int k = 0; k < m.girderMembers(); ++k) {
        const Element& e = el.list[k];
        double de[6];
        for (int j = 0; j < 3; ++j) {
            de[j] = d[3 * e.nodeI + j];
            de[3 + j] = d[3 * e.nodeJ + j];
        }
        double f[4] = {0, 0, 0, 0};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 6; ++j)
                f[i] += e.rec[i * 6 + j] * de[j];
        const double Lc = e.chord, q = qc[k], mt = mc[k];
        auto& o = r.member[k];
        o[kMI] = f[0] - q * Lc * Lc / 12;
        o[kMJ] = f[1] - q * Lc * Lc / 12;
        o[kVI] = f[2] + q * Lc / 2;
        o[kVJ] = f[2] - q * Lc / 2;
        o[kTI] = f[3] + mt * Lc / 2;
        o[kTJ] = f[3] - mt * Lc / 2;
    }

    r.reaction.resize(m.bearings.size());
    double sumR = 0;
    for (size_t b = 0; b < m.bearings.size(); ++b) {
        const SparseRow& row = st.reaction[b];
        double s = 0;
        for (size_t i = 0; i < row.col.size(); ++i)
            s += row.val[i] * u[row.col[i]];
        s -= F[3 * m.bearings[b].node + kW];
        r.reaction[b] = s;
        sumR += s;
    }
    r.deflection.resize(m.nodes());
    for (int q = 0; q < m.nodes(); ++q)
        r.deflection[q] = -1000.0 * d[3 * q + kW];

    if (!(std::abs(sumR - r.applied) <= 1e-6 * sumAbs + 1e-12)) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "dead-load reactions %.9g do not balance the load %.9g", sumR,
                      r.applied);
        throw Failure(mvgfiles::kDamaged, buf);
    }
    return r;
}

} // namespace mvg
