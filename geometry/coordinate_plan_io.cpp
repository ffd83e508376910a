// The coordinate plan in the design file (blocks M and N).
#include "framework/archive.h"
#include "geometry/coordinate_plan.h"

#include <algorithm>
#include <cmath>

namespace {

void Exchange(CArchive& ar, double& v)
{
    ar.Exchange(v);
    // A plan point that is not a number would poison every length built from it.
    if (!std::isfinite(v))
        throw CArchiveException(CArchiveException::badSchema);
}

void Exchange(CArchive& ar, CDPoint& p)
{
    Exchange(ar, p.x);
    Exchange(ar, p.y);
}

}

void SerializeCoordinateSpans(CArchive& ar, CCoordinatePlan& plan, int nSpans, const int* anPanels, int nGirders)
{
    nSpans = std::clamp(nSpans, 0, 14);
    nGirders = std::clamp(nGirders, 1, 20);
    if (ar.IsLoading()) {
        plan.m_aSpans.assign(size_t(nSpans), CCoordinateSpan());
        for (int s = 0; s < nSpans; ++s) {
            const int n = std::clamp(anPanels[s], 1, 20);
            plan.m_aSpans[size_t(s)].m_adPanelLength.assign(size_t(n), 0.0);
            plan.m_aSpans[size_t(s)].m_aPoints.assign(size_t(n) + 1, CCoordinatePoint());
            for (CCoordinatePoint& p : plan.m_aSpans[size_t(s)].m_aPoints)
                p.m_aptGirder.assign(size_t(nGirders), CDPoint());
        }
    }
    for (int s = 0; s < nSpans && s < plan.SpanCount(); ++s) {
        CCoordinateSpan& sp = plan.m_aSpans[size_t(s)];
        Exchange(ar, sp.m_dSpanLength);
        for (double& l : sp.m_adPanelLength)
            Exchange(ar, l);
        for (CCoordinatePoint& p : sp.m_aPoints) {
            Exchange(ar, p.m_ptBase);
            Exchange(ar, p.m_ptLine1);
            Exchange(ar, p.m_ptLine2);
            p.m_aptGirder.resize(size_t(nGirders));
            for (CDPoint& g : p.m_aptGirder)
                Exchange(ar, g);
            for (int side = 0; side < 2; ++side)
                for (int kind = 0; kind < 6; ++kind)
                    Exchange(ar, p.m_aptEdge[side + 2 * kind]);
        }
    }
}

void SerializeCoordinateSections(CArchive& ar, CCoordinatePlan& plan, int bCurbRises)
{
    for (CCoordinateSpan& sp : plan.m_aSpans)
        for (CCoordinatePoint& p : sp.m_aPoints) {
            CStationRecord& r = p.m_aSection;
            for (int side = 0; side < 2; ++side) {
                for (auto& pair : r.m_aptEdge)
                    Exchange(ar, pair[side]);
                Exchange(ar, side == 0 ? r.m_dEdgeL : r.m_dEdgeR);
            }
            Exchange(ar, r.m_ptBase.x);
            Exchange(ar, r.m_ptBase.y);
            Exchange(ar, r.m_dSkew);
            Exchange(ar, r.m_dWidth);
            Exchange(ar, r.m_dB1);
            Exchange(ar, r.m_dPosition);
            for (double& b : r.m_adB)
                Exchange(ar, b);
            for (int i = 0; i < 12; ++i) {
                if (i >= 10 && !bCurbRises)
                    continue;
                Exchange(ar, r.m_adH[i]);
            }
            if (ar.IsLoading() && !bCurbRises) {
                r.m_adH[10] = r.m_adH[1] + r.m_adH[2] - r.m_adH[3];
                r.m_adH[11] = r.m_adH[8] + r.m_adH[9] - r.m_adH[6];
            }
        }
}
