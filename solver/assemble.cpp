#include "solver/assemble.h"

#include "solver/solver_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace mvg {

std::string DofName(int G, int dof)
{
    static const char* names[3] = {"w", "theta_t", "theta_n"};
    const int q = dof / 3;
    return "node " + std::to_string(500 * (q % G) + q / G + 1) + " DOF " + names[dof % 3];
}

Stiffness Assemble(const Model& m, const Elements& el)
{
    Stiffness st;
    st.G = m.G;
    const int ndof = 3 * m.nodes();
    std::vector<char> held(ndof, 0);
    for (const Bearing& b : m.bearings) {
        held[3 * b.node + kW] = 1;
        if (b.kt == 1)
            held[3 * b.node + kRotT] = 1;
    }
    st.freeIndex.assign(ndof, -1);
    for (int d = 0; d < ndof; ++d)
        if (!held[d]) {
            st.freeIndex[d] = int(st.dofOfFree.size());
            st.dofOfFree.push_back(d);
        }
    const int n = int(st.dofOfFree.size());

    // Half-bandwidth over the entries that can be non-zero.
    int b = 0;
    for (const Element& e : el.list) {
        int lo = n, hi = -1;
        for (int node : {e.nodeI, e.nodeJ})
            for (int d = 0; d < 3; ++d) {
                const int f = st.freeIndex[3 * node + d];
                if (f >= 0) {
                    lo = std::min(lo, f);
                    hi = std::max(hi, f);
                }
            }
        if (hi >= 0)
            b = std::max(b, hi - lo);
    }
    st.K.resize(n, b);

    std::vector<int> bearingOfDof(ndof, -1);
    for (int i = 0; i < int(m.bearings.size()); ++i)
        bearingOfDof[3 * m.bearings[i].node + kW] = i;
    std::vector<std::map<int, double>> rows(m.bearings.size());

    for (const Element& e : el.list) {
        const int dofs[6] = {3 * e.nodeI, 3 * e.nodeI + 1, 3 * e.nodeI + 2,
                             3 * e.nodeJ, 3 * e.nodeJ + 1, 3 * e.nodeJ + 2};
        for (int i = 0; i < 6; ++i) {
            const int fi = st.freeIndex[dofs[i]];
            for (int j = 0; j < 6; ++j) {
                const double v = e.k[i * 6 + j];
                if (v == 0.0)
                    continue;
                const int fj = st.freeIndex[dofs[j]];
                if (fi >= 0 && fj >= 0) {
                    if (fj <= fi)
                        st.K.at(fi, fj) += v;
                } else if (fi < 0 && fj >= 0 && bearingOfDof[dofs[i]] >= 0) {
                    rows[bearingOfDof[dofs[i]]][fj] += v;
                }
            }
        }
    }
    st.reaction.resize(m.bearings.size());
    for (size_t i = 0; i < rows.size(); ++i)
        for (auto [c, v] : rows[i]) {
            st.reaction[i].col.push_back(c);
            st.reaction[i].val.push_back(v);
        }
    return st;
}

BandMatrix FactorStiffness(const Stiffness& st)
{
    BandMatrix L;
    double pivot = 0;
    const int bad = CholeskyBand(st.K, L, &pivot);
    if (bad >= 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, ": pivot %.2g", pivot);
        throw Failure(mvgfiles::kUnstable, DofName(st.G, st.dofOfFree[bad]) + buf);
    }
    return L;
}

} // namespace mvg
