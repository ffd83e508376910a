// The whole plan chain over a snapshot, as the document runs it, without any window.
#pragma once

#include <gtest/gtest.h>
#include <cmath>

#include "geometry/curves.h"
#include "geometry/plan_core.h"
#include "geometry/plan_math.h"

namespace plantest {

constexpr double kPi = PlanMath::kPi;
constexpr double kTol = 1e-6;

struct Plan {
    std::vector<CSpanData> spans;
    int support[PlanCore::kMaxSpans + 1] = {};
    int panelPoints = 0;
    int stations = 0;
    CPolyline2D edges[12];
    std::vector<CPolyline2D> profiles;
    double addL[PlanCore::kMaxStations] = {};
    double addR[PlanCore::kMaxStations] = {};
    int ok = 1;
    int edgeResult = 0;
    bool abnormal = false;
    PlanCore::CGrillageCounts counts;
};

// Runs rebuild steps 1 to 7 in order; the overlay of a coordinate plan when one is given.
inline Plan Build(PlanCore::CPlanInput in, const CCoordinatePlan* coords = nullptr)
{
    using namespace PlanCore;
    Plan p;
    p.ok = ClampLayout(in) ? 1 : 0;
    p.panelPoints = CountPanelPoints(in);
    p.stations = CountStations(in, p.support);
    BuildSpanRecords(in, p.spans, p.ok);
    if (coords) {
        p.ok = 1;
        ApplyCoordinatePlan(in, *coords, p.spans, p.ok);
    }
    BuildCrossSectionRecords(in, p.spans, p.support, coords != nullptr, p.addL, p.addR, p.ok);
    int kinds[kMaxPanelPoints], dist[kMaxPanelPoints];
    DefaultArrangement(in.nBridgeType, in.nSpans, in.anPanelCount, kinds, dist);
    ApplyCrossBeamLayout(p.spans, kinds, dist, in.nBridgeType);
    if (in.bCrossBeamWindow)
        ApplyCrossBeamLayout(p.spans, in.anMemberKind, in.abDistributing, in.nBridgeType);
    CalcCrossMemberSections(p.spans, in.members, in.nBridgeType);
    p.edgeResult = coords ? BuildEdgeLinesFromCoordinates(p.spans, p.edges) : BuildEdgeLines(in, p.spans, p.edges);
    BuildGirderProfiles(in, p.profiles, p.ok);
    if (!coords) {
        const CPolyline2D* e[12];
        for (int i = 0; i < 12; ++i)
            e[i] = &p.edges[i];
        IntersectEdgeLines(p.spans, e, p.ok);
    } else {
        CopyEdgesToSections(p.spans);
    }
    p.counts = CountGrillageNodes(p.spans, in.nBridgeType, in.nGirders);
    p.abnormal = UpdateCrossBeams(p.spans, in.nBridgeType, coords != nullptr);
    return p;
}

// The common input: four plate girders, one span of 30 m in six panels of 5 m, two free
// sections (stations at 0, 10, 20, 30), G1 at 3.45 m, spacing 2.3 m, section defaults.
inline PlanCore::CPlanInput CommonInput()
{
    PlanCore::CPlanInput in;
    in.nSpans = 1;
    in.nGirders = 4;
    in.adSpanLength[0] = 30.0;
    in.anPanelCount[0] = 6;
    for (int k = 0; k < 6; ++k)
        in.adPanelLength[0][k] = 5.0;
    in.anFreeSections[0] = 2;
    for (int e = 0; e < 2; ++e) {
        in.adBaseToG1[0][e] = 3.45;
        in.adGirderSpacing[0][e] = 2.3;
    }
    return in;
}

inline void ExpectPoint(CDPoint actual, CDPoint expected, double tol = kTol)
{
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
}

}
