// Plan points and polylines in metres.
#pragma once

#include <vector>

struct CDPoint {
    double x = 0.0;
    double y = 0.0;
    CDPoint() = default;
    CDPoint(double px, double py) : x(px), y(py) {}
    bool operator==(const CDPoint&) const = default;
};

// A plan polyline with its number of subdivisions per interval.
class CPolyline2D {
public:
    int m_nDivisions = 100;
    std::vector<CDPoint> m_points;
};
