// The plan's label layout on a page (plan_labels.cpp), and what the plan's files share for
// it: the walk over the spans the geometry has built, and a text turned with the plan.
#pragma once

#include "app/doc.h"
#include "app/globals.h"
#include "geometry/records.h"

#include <algorithm>
#include <cmath>

namespace plan {

constexpr double kPi = 3.14159265359;

// (a - o).(b - o)
inline double Dot(CDPoint a, CDPoint b, CDPoint o)
{
    return (a.x - o.x) * (b.x - o.x) + (a.y - o.y) * (b.y - o.y);
}

inline CDPoint Polar(CDPoint from, double angle, double r)
{
    return CDPoint(from.x + r * std::cos(angle), from.y + r * std::sin(angle));
}

// Spans the geometry has built for the present counts.
inline int BuiltSpans(const CMarivoltenDoc& doc)
{
    return std::clamp(g_nSpans, 0, int(doc.m_aSpans.size()));
}

inline int PanelPoints(const CSpanData& sp)
{
    return std::min(sp.m_nPanels + 1, int(sp.m_aPanelPoints.size()));
}

inline const CDPoint* GirderPoint(const CPanelPointRecord& pp, int g)
{
    return g >= 0 && g < int(pp.m_aptGirder.size()) ? &pp.m_aptGirder[size_t(g)] : nullptr;
}

// The top-left corner of a text turned by nEscapement that stands to its anchor as the
// upright text at corner does: the corner's offset turned with the text.
inline CPoint TurnedCorner(int nEscapement, CPoint anchor, CPoint corner)
{
    const int dx = corner.x - anchor.x, dy = corner.y - anchor.y;
    const double a = nEscapement / 10.0 * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    return CPoint(anchor.x + int(std::lround(dx * c - dy * s)), anchor.y + int(std::lround(dx * s + dy * c)));
}

// A text may touch a line or mark by this much (0.3 mm), as in the label room.
constexpr int kTouch = 3;

} // namespace plan
