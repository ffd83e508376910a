#include "geometry/coordinate_plan.h"
#include "geometry/plan_core.h"
#include "geometry/plan_math.h"

#include <algorithm>

namespace {

CDPoint Mid(CDPoint a, CDPoint b) { return (a + b) * 0.5; }
double Mid(double a, double b) { return (a + b) / 2.0; }

CStationRecord MidSection(const CStationRecord& a, const CStationRecord& b)
{
    CStationRecord r = PlanCore::BlendSection(a, b, 0.5);
    r.m_dPosition = Mid(a.m_dPosition, b.m_dPosition);
    r.m_dStation = Mid(a.m_dStation, b.m_dStation);
    r.m_dSkew = Mid(a.m_dSkew, b.m_dSkew);
    r.m_dAngle = Mid(a.m_dAngle, b.m_dAngle);
    r.m_bSupport = 0;
    return r;
}

void TranslateSection(CStationRecord& r, CDPoint d)
{
    r.m_ptBase = r.m_ptBase + d;
    for (auto& pair : r.m_aptEdge)
        for (CDPoint& p : pair)
            p = p + d;
}

}

CCoordinatePoint CCoordinatePoint::Midway(const CCoordinatePoint& a, const CCoordinatePoint& b)
{
    CCoordinatePoint r;
    r.m_ptBase = Mid(a.m_ptBase, b.m_ptBase);
    r.m_ptLine1 = Mid(a.m_ptLine1, b.m_ptLine1);
    r.m_ptLine2 = Mid(a.m_ptLine2, b.m_ptLine2);
    r.m_aptGirder.resize(std::min(a.m_aptGirder.size(), b.m_aptGirder.size()));
    for (size_t g = 0; g < r.m_aptGirder.size(); ++g)
        r.m_aptGirder[g] = Mid(a.m_aptGirder[g], b.m_aptGirder[g]);
    for (int e = 0; e < 12; ++e)
        r.m_aptEdge[e] = Mid(a.m_aptEdge[e], b.m_aptEdge[e]);
    r.m_aSection = MidSection(a.m_aSection, b.m_aSection);
    return r;
}

void CCoordinatePoint::Translate(CDPoint d)
{
    m_ptBase = m_ptBase + d;
    m_ptLine1 = m_ptLine1 + d;
    m_ptLine2 = m_ptLine2 + d;
    for (CDPoint& p : m_aptGirder)
        p = p + d;
    for (CDPoint& p : m_aptEdge)
        p = p + d;
    TranslateSection(m_aSection, d);
}

bool CCoordinatePlan::Matches(int nSpans, const int* anPanels, int nGirders) const
{
    if (SpanCount() != nSpans || nSpans == 0)
        return false;
    for (int s = 0; s < nSpans; ++s) {
        const CCoordinateSpan& sp = m_aSpans[size_t(s)];
        if (sp.PanelCount() != anPanels[s] || int(sp.m_adPanelLength.size()) != anPanels[s])
            return false;
        for (const CCoordinatePoint& p : sp.m_aPoints)
            if (int(p.m_aptGirder.size()) != nGirders)
                return false;
    }
    return true;
}

int CCoordinatePlan::PointCount() const
{
    int n = m_aSpans.empty() ? 0 : 1;
    for (const CCoordinateSpan& sp : m_aSpans)
        n += std::max(sp.PanelCount(), 0);
    return n;
}

bool CCoordinatePlan::IsFinite() const
{
    using PlanMath::IsFinite;
    auto sectionFinite = [](const CStationRecord& r) {
        if (!IsFinite(r.m_ptBase))
            return false;
        for (const auto& pair : r.m_aptEdge)
            for (const CDPoint& q : pair)
                if (!IsFinite(q))
                    return false;
        for (double v : {r.m_dPosition, r.m_dStation, r.m_dSkew, r.m_dAngle, r.m_dWidth, r.m_dEdgeL, r.m_dEdgeR, r.m_dB1,
                         r.m_dRoadwayLeft, r.m_dRoadwayRight})
            if (!IsFinite(v))
                return false;
        for (int i = 0; i < 12; ++i)
            if (!IsFinite(r.m_adB[i]) || !IsFinite(r.m_adH[i]))
                return false;
        return true;
    };
    for (const CCoordinateSpan& sp : m_aSpans)
        for (const CCoordinatePoint& p : sp.m_aPoints) {
            if (!IsFinite(p.m_ptBase) || !IsFinite(p.m_ptLine1) || !IsFinite(p.m_ptLine2) || !sectionFinite(p.m_aSection))
                return false;
            for (const CDPoint& q : p.m_aptGirder)
                if (!IsFinite(q))
                    return false;
            for (const CDPoint& q : p.m_aptEdge)
                if (!IsFinite(q))
                    return false;
        }
    return true;
}

void CCoordinatePlan::Translate(CDPoint d)
{
    for (CCoordinateSpan& sp : m_aSpans)
        for (CCoordinatePoint& p : sp.m_aPoints)
            p.Translate(d);
}

CCoordinatePlan CCoordinatePlan::FromSpans(const std::vector<CSpanData>& spans)
{
    CCoordinatePlan plan;
    for (const CSpanData& sp : spans) {
        CCoordinateSpan cs;
        cs.m_dSpanLength = sp.m_dSpanLength;
        cs.m_adPanelLength = sp.m_pdPanelLength;
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            const CPanelPointRecord& r = sp.m_aPanelPoints[j];
            CCoordinatePoint p;
            p.m_ptBase = r.m_ptBase;
            p.m_ptLine1 = r.m_ptLine1;
            p.m_ptLine2 = r.m_ptLine2;
            p.m_aptGirder = r.m_aptGirder;
            for (int e = 0; e < 12; ++e)
                p.m_aptEdge[e] = r.m_aptEdge[e];
            if (j < 21)
                p.m_aSection = sp.m_aPanelSection[j];
            cs.m_aPoints.push_back(std::move(p));
        }
        plan.m_aSpans.push_back(std::move(cs));
    }
    return plan;
}

void CCoordinatePlan::UpdateLengths(int s)
{
    if (s < 0 || s >= SpanCount())
        return;
    CCoordinateSpan& sp = m_aSpans[size_t(s)];
    const int n = sp.PanelCount();
    std::vector<CDPoint> base;
    for (const CCoordinatePoint& p : sp.m_aPoints)
        base.push_back(p.m_ptBase);
    CDPoint centre;
    const double R = PlanCore::FitBaseLine(base.data(), int(base.size()), &centre);
    sp.m_adPanelLength.assign(size_t(std::max(n, 0)), 0.0);
    sp.m_dSpanLength = 0.0;
    for (int j = 0; j < n; ++j) {
        sp.m_adPanelLength[size_t(j)] = PlanMath::ArcLength(base[size_t(j)], base[size_t(j) + 1], R != 0.0 ? R : kStraightRadius);
        sp.m_dSpanLength += sp.m_adPanelLength[size_t(j)];
    }
}

void CCoordinatePlan::SetPanelCount(int s, int n)
{
    if (s < 0 || s >= SpanCount() || n < 1)
        return;
    CCoordinateSpan& sp = m_aSpans[size_t(s)];
    if (sp.m_aPoints.size() < 2)
        return;
    while (sp.PanelCount() < n) {
        const size_t last = sp.m_aPoints.size() - 1;
        sp.m_aPoints.insert(sp.m_aPoints.begin() + std::ptrdiff_t(last),
                            CCoordinatePoint::Midway(sp.m_aPoints[last - 1], sp.m_aPoints[last]));
    }
    while (sp.PanelCount() > n)
        sp.m_aPoints.erase(sp.m_aPoints.end() - 2);
    UpdateLengths(s);
}

void CCoordinatePlan::AddSpan()
{
    if (m_aSpans.empty())
        return;
    CCoordinateSpan copy = m_aSpans.back();
    if (copy.m_aPoints.empty())
        return;
    const CDPoint shift = copy.m_aPoints.back().m_ptBase - copy.m_aPoints.front().m_ptBase;
    for (CCoordinatePoint& p : copy.m_aPoints)
        p.Translate(shift);
    // The new span starts exactly where the last one ends.
    copy.m_aPoints.front() = m_aSpans.back().m_aPoints.back();
    m_aSpans.push_back(std::move(copy));
    UpdateLengths(SpanCount() - 1);
}

void CCoordinatePlan::RemoveSpan()
{
    if (m_aSpans.size() > 1)
        m_aSpans.pop_back();
}
