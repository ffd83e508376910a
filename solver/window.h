// The worst position of the loading length D along the bridge: W(a) = integral of a
// panel-wise cubic over [a, a + D], searched while the panels stream in.
#pragma once

#include <vector>

namespace mvg {

// Bernstein control values of a cubic over one panel, xi in [0, 1].
double BernsteinAt(const double e[4], double xi);
// Integral over xi in [x0, x1] (in units of xi).
double BernsteinIntegral(const double e[4], double x0, double x1);

struct WindowGeometry {
    std::vector<double> T;  // panel points along the bridge
    double D = 0;
    bool none = true;       // no window (D = 0)
    bool whole = false;     // the bridge is not longer than D: the window is all of it
    double aMin = 0, aMax = 0;
    int depth = 1;          // panels a window can reach back, ring size
    std::vector<int> pFirst;  // per panel: the first panel a window ending there can start in

    void Init(const std::vector<double>& T, double D);
    int panels() const { return int(T.size()) - 1; }
    double dT(int p) const { return T[p + 1] - T[p]; }
};

struct WindowSlot {
    double e[4];
    double pi;  // running integral at the panel's start
};

// One response and sign: sign * W is maximised; the smallest a wins a tie.
struct WindowState {
    double pi = 0;
    double best = 0;
    double a = 0;
    bool any = false;
};

// Feeds panel q (in order 0, 1, ...); ring holds geometry.depth slots. The values carry
// the sign: sign * e >= 0.
void WindowAdd(const WindowGeometry& g, WindowState& s, WindowSlot* ring, int q, const double e[4], int sign);
// After the last panel: the extreme W, with s.a its window start.
double WindowFinish(const WindowGeometry& g, WindowState& s);

// Integral over [a, a + D] of panel cubics given for every panel (4 values each).
double WindowIntegral(const WindowGeometry& g, const double* e, double a);

} // namespace mvg
