// Plan helpers: distances, slopes, arcs and intersections in the plan frame (m, rad).
#pragma once

#include <cmath>
#include "geometry/plan.h"

namespace PlanMath {

constexpr double kPi = 3.14159265358979323846;

double Distance(CDPoint p1, CDPoint p2);
// (p1 - o) . (p2 - o): the third point is the common origin.
double DotProduct(CDPoint p1, CDPoint p2, CDPoint o);
CDPoint PointOnCircle(CDPoint c, double a, double r);
// Slope of p1 -> p2; 0 and *m untouched when the points (nearly) coincide; +-1000000 when vertical.
int GetSlope(CDPoint p1, CDPoint p2, double* m);
// The same slope; coinciding points give 0 in *m and the result 0.
int LineSlope(CDPoint p1, CDPoint p2, double* m);
// The shorter arc of signed radius R through p1 and p2; the chord when R stands for a straight line.
double ArcLength(CDPoint p1, CDPoint p2, double R);
// Allowable live-load deflection in mm of a span of L metres.
double AllowableDeflection(double L);

inline CDPoint Dir(double a) { return {std::cos(a), std::sin(a)}; }
inline double Dot(CDPoint a, CDPoint b) { return a.x * b.x + a.y * b.y; }
inline double Cross(CDPoint a, CDPoint b) { return a.x * b.y - a.y * b.x; }
double Length(CDPoint v);
double AngleOf(CDPoint v);
CDPoint Unit(CDPoint v);
// a moved by whole turns into (lo, lo + 2 pi].
double NormalizeAngle(double a, double lo);
bool IsFinite(CDPoint p);
bool IsFinite(double v);

// Lines given by a point and a direction.
bool IntersectLines(CDPoint p, CDPoint u, CDPoint q, CDPoint v, CDPoint* out);
// The root of line (p, u) on the circle (c, r) nearer to `near`.
bool IntersectLineCircle(CDPoint p, CDPoint u, CDPoint c, double r, CDPoint near, CDPoint* out);
// Least-squares circle through n points; false when the points do not define one.
bool FitCircle(const CDPoint* pts, int n, CDPoint* centre, double* radius);
// The circle nearest to the points in distance: the algebraic fit and the circle through the
// first, middle and last points, each refined by Gauss-Newton steps; false when none exists.
bool FitCircleGeometric(const CDPoint* pts, int n, CDPoint* centre, double* radius);
// Largest distance of the points from the circle.
double CircleResidual(const CDPoint* pts, int n, CDPoint centre, double radius);
// Largest distance of the points from the chord through the first and the last.
double ChordDeviation(const CDPoint* pts, int n);

}
