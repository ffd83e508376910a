// Across the deck: the lever rule and the transverse operator of the live load.
#pragma once

#include "solver/model.h"

#include <cstdint>
#include <vector>

namespace mvg {

// Lever rule over girder positions x (increasing): hat functions, the outer segments
// extended beyond the outer girders; f = 1 for a single girder.
void LeverAt(const std::vector<double>& x, double at, double* f);
// Adds the integrals of f_i over [xa, xb] times w to out.
void LeverIntegral(const std::vector<double>& x, double xa, double xb, double w, double* out);

// h(x) = sum f_i(x) v_i integrated over the carriageway (half intensity everywhere, the
// other half on the worst band) and over the sidewalks, positive and negative parts.
struct DeckValues {
    double Lp = 0, Lm = 0;  // E_L+ and E_L-
    double Cp = 0, Cm = 0;  // E_c+ and E_c-
};

// Where a vector's envelope puts the load, as a weight per girder line: the lane and
// crowd integrals of any vector over that loading are its line values times these.
struct DeckPattern {
    double lane[kMaxGirders], crowd[kMaxGirders];
};

class DeckOperator {
public:
    DeckOperator() = default;
    DeckOperator(const std::vector<double>& gx, const Section& s, double bandWidth);

    DeckValues Evaluate(const double* v) const;
    // Loading pattern of v for the sign's envelope (+1 or -1).
    void Pattern(const double* v, int sign, DeckPattern& out) const;
    // Lane and crowd integrals of v over a pattern.
    void Apply(const DeckPattern& p, const double* v, double& lane, double& crowd) const;
    // The same for `count` vectors at once, given line by line: line i of vector k at
    // v[i * count + k]. Each value comes out as Apply gives it.
    void ApplyMany(const DeckPattern& p, const double* v, int count, double* lane, double* crowd) const;

private:
    struct Seg {
        double x0, x1, h0, h1;
        int j;        // lever segment of the piece
        bool in;      // inside the loaded zone (false in the unloaded median)
        bool zero = false;  // starts where h crosses zero
    };
    struct Point {
        double x;
        int j;        // lever segment
        double t;     // position within it: h = (1-t) v_j + t v_j+1
        bool in;      // the piece that starts here is loaded
        int pj;       // lever segment of the piece that starts here
    };
    double H(const double* v, const Point& p) const
    {
        return m_G == 1 ? v[0] : (1 - p.t) * v[p.j] + p.t * v[p.j + 1];
    }
    Point MakePoint(double x, bool in) const;
    // Pieces with their prefix integrals, from Split's pieces or in one pass from h at
    // the carriageway's breakpoints.
    struct Prefix;
    void MakePrefix(const Seg* seg, int n, Prefix& p) const;
    void LanePrefix(const double* h, Prefix& p) const;
    // Carriageway pieces of v, split at the zero crossings of h.
    int Split(const std::vector<Point>& pts, const double* v, Seg* out) const;
    // Largest integrals of max(h, 0) and of max(-h, 0) over a band within the
    // carriageway, and (when asked) where the band stands for each.
    template <bool Where, bool DoP, bool DoM>
    void Band(const Seg* seg, int n, double& bp, double& bm, double* ap, double* am) const;
    // The same values as Band<false, ...> from LanePrefix's pieces and h at m_lj: only the
    // stretches of the band range where F may peak are swept.
    void BandScreened(const Prefix& p, const double* v, const double* h, double vmax, bool doP, bool doM, double& bp,
                      double& bm) const;

    int m_G = 0;
    std::vector<double> m_x;
    double m_aC = 0, m_bC = 0, m_band = 0;
    bool m_wide = false;
    std::vector<Point> m_cw;                  // breakpoints of the carriageway
    std::vector<double> m_bandCand;           // band starts that put an end at one of them
    // For the screened search. m_fc: a_C, the band candidates and b_C - b. m_lj, m_lt:
    // lever segment and position of the carriageway's breakpoints, of a at each
    // candidate (from m_offA), of a + b (from m_offB) and of the sidewalks' breakpoints
    // (from m_offS), each run padded to a multiple of eight and those of a and a + b by
    // eight more. m_px, m_pdx, m_pinMask: the carriageway's breakpoints, its pieces'
    // widths and which pieces are loaded. Per interval i between candidates: the pieces
    // under a and a + b (m_fpA, m_fpB) and whether they are loaded (bit i of m_inA, m_inB).
    std::vector<double> m_fc, m_lt, m_px, m_pdx;
    std::vector<int64_t> m_lj;
    int m_offA = 0, m_offB = 0, m_offS = 0;
    uint64_t m_pinMask = 0;
    std::vector<int> m_fpA, m_fpB;
    uint64_t m_inA = 0, m_inB = 0;
    double m_amp = 1;  // largest |1 - t| + |t| of a lever at a candidate
    std::vector<std::vector<Point>> m_sw;     // breakpoints of each sidewalk
    bool m_single = false;                    // precomputed unit vectors usable
    std::vector<DeckValues> m_unitPos, m_unitNeg;  // E(+e_j) and E(-e_j)
};

} // namespace mvg
