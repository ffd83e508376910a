// Live load: influence lines, envelopes, reaction detail (stage 6).
#pragma once

#include "solver/assemble.h"
#include "solver/dead.h"

#include <array>
#include <vector>

namespace mvg {

// Every quantity that gets an envelope, with the linear functional that gives it from
// the free displacements.
struct Responses {
    enum Kind : int { MI = 0, MJ, VI, VJ, TI, TJ, Reaction, Deflection };
    struct Item {
        Kind kind;
        int member;   // girder member, or -1
        int bearing;  // bearing, or -1
        int node;     // node of a reaction or deflection, or -1
    };
    std::vector<Item> list;
    std::vector<std::array<int, 6>> ofMember;  // per girder member and end force, -1 on dummy lines
    std::vector<int> ofBearing, ofNode;
    std::vector<int> start, col;  // functional rows (CSR over free DOFs)
    std::vector<double> val;
    int size() const { return int(list.size()); }
};

Responses BuildResponses(const Model& m, const Elements& el, const Stiffness& st);

// The nodes that take unit loads: every node, or line 2 only for the single box.
inline int LoadedLines(const Model& m) { return m.singleBox() ? 1 : m.G; }
inline int LoadedLine(const Model& m, int li) { return m.singleBox() ? 1 : li; }

// Nodal influence ordinates, one load case at a time (for checks and tests).
class Influence {
public:
    Influence(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L);
    const Responses& responses() const { return m_resp; }
    // Ordinates of every response for a downward unit force (d = 0) and unit moments about
    // t_n (d = 1) and n_n (d = 2) at node q: out[r * 3 + d].
    std::vector<double> AtNode(int q) const;

private:
    const Model& m_model;
    const Stiffness& m_st;
    const BandMatrix& m_L;
    Responses m_resp;
};

// Bernstein control values of response r along girder member k for a downward unit load
// on its chord, from the ordinates (w, rt, rn) at its two nodes.
std::array<double, 4> MemberControlValues(const Element& e, const Responses::Item& r, int k,
                                          const double* ordI, const double* ordJ);

// Impact coefficients: per span the span value and the end-support value; per support.
struct Impact {
    std::vector<double> span, end;  // i1_k, i2_k
    double support(int s) const { return s == 0 ? span[0] : end[s - 1]; }
};
Impact ComputeImpact(const Model& m);

struct LiveResult {
    std::vector<double> impactSpan, impactEnd;          // per span
    std::vector<std::array<double, 12>> member;         // per girder member: L+ of the 6 end forces, then L-
    std::vector<std::array<double, 2>> reaction;        // per bearing: L+, L-
    std::vector<std::array<double, 2>> deflection;      // per node, mm: L+, L-
    // Simultaneous reactions of bearing k under the loading that governs bearing g at
    // support s: [(s * n + g) * n + k], L+ and L- (empty without the detail).
    std::vector<std::array<double, 2>> detail;
};

struct LiveOptions {
    int threads = 0;     // 0: every hardware thread
    bool mirror = true;  // take the envelopes of a mirror-symmetric bridge's one side across
};

// The mirror partner of every response on a bridge that is its own mirror image across
// its axis, with sign -1 for moments about the member axis; empty when it is not.
std::vector<int> MirrorPartners(const Model& m, const Responses& resp, std::vector<signed char>& sign);
// The same end for end, for the member responses and deflections (-1 for the rest).
std::vector<int> EndForEndPartners(const Model& m, const Responses& resp, std::vector<signed char>& sign);

LiveResult SolveLive(const Model& m, const Elements& el, const Stiffness& st, const BandMatrix& L,
                     const LiveOptions& opt = {});

} // namespace mvg
