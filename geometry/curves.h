// Smooth curves through plan points, expanded in place. The caller sizes the array
// for (n - 1) k + 1 points; every function leaves that many valid points.
#pragma once

#include <vector>
#include "geometry/plan.h"

// Centripetal Catmull-Rom curve through the n points, k steps per interval. Refuses
// (0) more than 250 points, fewer than 2 or k < 1, and then subdivides straight.
int InterpolateCurve(CDPoint* a, int k, int n);
// Natural cubic spline y(x) through the n points, x evenly spaced in each interval.
// 0 when x is not strictly increasing; it then subdivides straight.
int InterpolateSpline(CDPoint* a, int k, int n);
// Straight subdivision of the n points into (n - 1) k + 1.
void SubdivideLinear(CDPoint* a, int k, int n);

// A natural cubic spline of scalar data, for the profiles and section interpolation.
class CNaturalSpline {
public:
    // false (and linear evaluation) when x is not strictly increasing or n < 2;
    // with bSpline false it is linear from the start.
    bool Build(const double* x, const double* y, int n, bool bSpline = true);
    double operator()(double xq) const;
    bool IsSpline() const { return m_bSpline; }
private:
    std::vector<double> m_x, m_y, m_m;
    bool m_bSpline = false;
};
