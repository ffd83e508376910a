// Helpers shared by the plan builders.
#pragma once

#include <cmath>
#include "geometry/records.h"
#include "geometry/plan_math.h"

namespace PlanCore {

// A girder's line as the intersections need it.
struct GirderLine {
    bool arc = false;
    CDPoint start, end, centre;
    double radius = kStraightRadius;
};

inline GirderLine LineOf(const CGirderLineRecord& r)
{
    GirderLine g;
    g.start = r.m_ptStart;
    g.end = r.m_ptEnd;
    g.centre = r.m_ptCentre;
    g.radius = r.m_dRadius;
    g.arc = std::fabs(r.m_dRadius) < kStraightRadius && r.m_dRadius != 0.0;
    return g;
}

inline bool MeetGirder(const GirderLine& g, CDPoint p, CDPoint u, CDPoint near, CDPoint* out)
{
    if (g.arc)
        return PlanMath::IntersectLineCircle(p, u, g.centre, std::fabs(g.radius), near, out);
    return PlanMath::IntersectLines(p, u, g.start, g.end - g.start, out);
}

// Signed distance from a to b along the girder's forward direction (the arc on an arc).
inline double ForwardStep(const GirderLine& g, CDPoint a, CDPoint b)
{
    if (g.arc) {
        const double d = PlanMath::NormalizeAngle(PlanMath::AngleOf(b - g.centre) - PlanMath::AngleOf(a - g.centre), -PlanMath::kPi);
        return g.radius * d;
    }
    return PlanMath::Dot(b - a, PlanMath::Unit(g.end - g.start));
}

// The girder's direction at a point on it.
inline CDPoint GirderDirection(const GirderLine& g, CDPoint at)
{
    if (g.arc) {
        const CDPoint r = PlanMath::Unit(at - g.centre);
        return g.radius > 0 ? CDPoint(-r.y, r.x) : CDPoint(r.y, -r.x);
    }
    return PlanMath::Unit(g.end - g.start);
}

// Tangent at panel point j of span s of a coordinate plan: base point j - 1 to j + 1 over the bridge.
double CoordinateTangent(const std::vector<CSpanData>& spans, int s, int j);

}
