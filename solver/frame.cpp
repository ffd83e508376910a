#include "solver/frame.h"

#include "solver/band.h"

#include <algorithm>
#include <cmath>

namespace mvg {

double RigidLinkStiffness(const Model& m)
{
    double r = 0;
    for (int g = 0; g < m.G; ++g)
        if (!m.dummy[g])
            for (int p = 0; p + 1 < m.P; ++p) {
                const GirderMember& gm = m.girders[m.memberIndex(g, p)];
                r = std::max({r, gm.I, gm.J});
            }
    return 1e3 * r;
}

namespace {

// k = T^t kbar T for one element; rec from the local end forces (sagging M, V = dM/ds,
// right-handed internal torque).
void Fill(Element& e)
{
    const double L = e.chord, EI = e.EI, GJ = e.GJ;
    double kb[6][6] = {};
    const double a = EI / (L * L * L);
    // bending on (0 w_I, 2 ry_I, 3 w_J, 5 ry_J), slope dw/dx = -ry
    const int bi[4] = {0, 2, 3, 5};
    const double kbend[4][4] = {{12 * a, -6 * L * a, -12 * a, -6 * L * a},
                                {-6 * L * a, 4 * L * L * a, 6 * L * a, 2 * L * L * a},
                                {-12 * a, 6 * L * a, 12 * a, 6 * L * a},
                                {-6 * L * a, 2 * L * L * a, 6 * L * a, 4 * L * L * a}};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            kb[bi[i]][bi[j]] = kbend[i][j];
    const double t = GJ / L;
    kb[1][1] = t;
    kb[1][4] = -t;
    kb[4][1] = -t;
    kb[4][4] = t;

    // local rx = c*rt + s*rn, ry = -s*rt + c*rn at each end
    double T[6][6] = {};
    T[0][0] = 1;
    T[1][1] = e.cosDI;
    T[1][2] = e.sinDI;
    T[2][1] = -e.sinDI;
    T[2][2] = e.cosDI;
    T[3][3] = 1;
    T[4][4] = e.cosDJ;
    T[4][5] = e.sinDJ;
    T[5][4] = -e.sinDJ;
    T[5][5] = e.cosDJ;

    double kt[6][6] = {};  // kbar * T
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            double s = 0;
            for (int l = 0; l < 6; ++l)
                s += kb[i][l] * T[l][j];
            kt[i][j] = s;
        }
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            double s = 0;
            for (int l = 0; l < 6; ++l)
                s += T[l][i] * kt[l][j];
            e.k[i * 6 + j] = s;
        }
    for (int j = 0; j < 6; ++j) {
        e.rec[0 * 6 + j] = kt[2][j];   // M_I = +f(ry_I)
        e.rec[1 * 6 + j] = -kt[5][j];  // M_J = -f(ry_J)
        e.rec[2 * 6 + j] = kt[0][j];   // V = +f(w_I)
        e.rec[3 * 6 + j] = -kt[1][j];  // T = -f(rx_I)
    }
}

} // namespace

Elements BuildElements(const Model& m)
{
    Elements el;
    const int n = m.nodes();
    el.cosB.assign(n, 1.0);
    el.sinB.assign(n, 0.0);

    // Girder frame: the mean direction of the chords meeting at the node.
    for (int q = 0; q < n; ++q) {
        const int g = m.lineOf(q), p = m.pointOf(q);
        double tx = 0, ty = 0;
        auto add = [&](int a, int b) {
            const double dx = m.X[b] - m.X[a], dy = m.Y[b] - m.Y[a];
            const double l = std::hypot(dx, dy);
            tx += dx / l;
            ty += dy / l;
        };
        if (p > 0)
            add(m.node(g, p - 1), q);
        if (p + 1 < m.P)
            add(q, m.node(g, p + 1));
        double l = std::hypot(tx, ty);
        if (l < 1e-9) {  // the chords fold back on each other: take the outgoing one
            tx = ty = 0;
            add(q, m.node(g, p < m.P - 1 ? p + 1 : p - 1));
            l = std::hypot(tx, ty);
        }
        el.cosB[q] = tx / l;
        el.sinB[q] = ty / l;
    }
    // Support-line frame where the rotation about the support line's normal is held:
    // t = u x Z.
    for (const Bearing& b : m.bearings)
        if (b.kt == 1) {
            const double l = std::hypot(b.ux, b.uy);
            el.cosB[b.node] = b.uy / l;
            el.sinB[b.node] = -b.ux / l;
        }

    auto make = [&](int qI, int qJ, double EI, double GJ, int member) {
        Element e;
        e.nodeI = qI;
        e.nodeJ = qJ;
        e.member = member;
        const double dx = m.X[qJ] - m.X[qI], dy = m.Y[qJ] - m.Y[qI];
        e.chord = std::hypot(dx, dy);
        e.cosA = dx / e.chord;
        e.sinA = dy / e.chord;
        // cos/sin of alpha - beta
        e.cosDI = e.cosA * el.cosB[qI] + e.sinA * el.sinB[qI];
        e.sinDI = e.sinA * el.cosB[qI] - e.cosA * el.sinB[qI];
        e.cosDJ = e.cosA * el.cosB[qJ] + e.sinA * el.sinB[qJ];
        e.sinDJ = e.sinA * el.cosB[qJ] - e.cosA * el.sinB[qJ];
        e.EI = EI;
        e.GJ = GJ;
        Fill(e);
        return e;
    };

    ReserveFaulted(el.list, m.girderMembers() + m.cross.size());
    for (int g = 0; g < m.G; ++g)
        for (int p = 0; p + 1 < m.P; ++p) {
            const int k = m.memberIndex(g, p);
            const GirderMember& gm = m.girders[k];
            el.list.push_back(make(m.node(g, p), m.node(g, p + 1), m.E * gm.I, m.Gmod * gm.J, k));
        }
    const double rigid = RigidLinkStiffness(m);
    for (const CrossMember& c : m.cross) {
        const double I = c.kind == 9 ? rigid : c.I;
        const double J = c.kind == 9 ? rigid : c.J;
        el.list.push_back(make(c.nodeI, c.nodeJ, m.E * I, m.Gmod * J, -1));
    }
    return el;
}

} // namespace mvg
