// Plan points and polylines in metres.
#pragma once

#include <vector>

struct CDPoint {
    double x = 0.0;
    double y = 0.0;
    CDPoint() = default;
    CDPoint(double px, double py) : x(px), y(py) {}
    bool operator==(const CDPoint&) const = default;
    CDPoint operator*(double s) const { return {x * s, y * s}; }
    CDPoint operator+(const CDPoint& o) const { return {x + o.x, y + o.y}; }
    CDPoint operator-(const CDPoint& o) const { return {x - o.x, y - o.y}; }
    CDPoint ScalePoint(CDPoint f) const { return {x * f.x, y * f.y}; }
    void ScaleInPlace(CDPoint f) { x *= f.x; y *= f.y; }
};

// A plan polyline with the number of subdivisions per interval it was built with.
class CPolyline2D {
public:
    int m_nSubdivisions = 20;
    std::vector<CDPoint> m_aPoints;
    int Count() const { return int(m_aPoints.size()); }
};
