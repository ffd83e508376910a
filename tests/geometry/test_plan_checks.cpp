// The plan in closed form: straight, skewed and curved bridges, profiles, cross members, limits.
#include "plan_fixture.h"

using namespace PlanCore;
using namespace plantest;

namespace {

// Area of the deck between the outer edges, panel by panel.
double DeckArea(const Plan& p)
{
    double area = 0.0;
    for (const CSpanData& sp : p.spans)
        for (size_t j = 0; j + 1 < sp.m_aPanelPoints.size(); ++j) {
            const CDPoint q[4] = {sp.m_aPanelPoints[j].m_aptEdge[0], sp.m_aPanelPoints[j].m_aptEdge[1],
                                  sp.m_aPanelPoints[j + 1].m_aptEdge[1], sp.m_aPanelPoints[j + 1].m_aptEdge[0]};
            double a = 0.0;
            for (int i = 0; i < 4; ++i)
                a += PlanMath::Cross(q[i], q[(i + 1) % 4]);
            area += std::fabs(a) / 2.0;
        }
    return area;
}

}

TEST(PlanChecks, StraightSquareBridge)
{
    const Plan p = Build(CommonInput());
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.panelPoints, 7);
    EXPECT_EQ(p.stations, 4);
    EXPECT_EQ(p.support[0], 0);
    EXPECT_EQ(p.support[1], 3);
    ASSERT_EQ(p.spans.size(), 1u);
    const CSpanData& sp = p.spans[0];
    ExpectPoint(sp.m_base.m_ptStart, {0, 0});
    ExpectPoint(sp.m_base.m_ptEnd, {30, 0});
    EXPECT_EQ(sp.m_dRadius, 100000.0);
    EXPECT_EQ(sp.m_bCurvedBaseLine, 0);
    EXPECT_DOUBLE_EQ(sp.m_dHalfSpread[0], 3.45);

    ASSERT_EQ(sp.m_aPanelPoints.size(), 7u);
    for (int j = 0; j <= 6; ++j) {
        const CPanelPointRecord& r = sp.m_aPanelPoints[size_t(j)];
        ExpectPoint(r.m_ptBase, {5.0 * j, 0});
        ASSERT_EQ(r.m_aptGirder.size(), 4u);
        const double y[4] = {3.45, 1.15, -1.15, -3.45};
        for (int g = 0; g < 4; ++g)
            ExpectPoint(r.m_aptGirder[size_t(g)], {5.0 * j, y[g]});
        EXPECT_NEAR(r.m_dWidth, 6.9, kTol);
        EXPECT_NEAR(r.m_dAngle, kPi / 2, 1e-9);
        EXPECT_NEAR(r.m_dBaseAngle, kPi / 2, 1e-9);
    }
    for (const CStationRecord& st : sp.m_aStations) {
        EXPECT_NEAR(st.m_dWidth, 9.0, kTol);
        EXPECT_NEAR(st.m_dB1, 4.5, kTol);
        EXPECT_NEAR(st.m_dRoadwayLeft, 2.85, kTol);
        EXPECT_NEAR(st.m_dRoadwayRight, 2.85, kTol);
    }
    EXPECT_NEAR(sp.m_aStations[1].m_dPosition, 10.0, kTol);
    EXPECT_EQ(sp.m_aStations[3].m_dPosition, 30.0);

    // Edge lines: offsets per kind, 61 points each.
    const double offsets[6] = {4.5, 4.3, 4.1, 3.3, 3.1, 0.25};
    for (int e = 0; e < 12; ++e) {
        ASSERT_EQ(p.edges[e].Count(), 61) << e;
        const double o = (e % 2 == 0 ? 1 : -1) * offsets[e / 2];
        for (const CDPoint& q : p.edges[e].m_aPoints)
            EXPECT_NEAR(q.y, o, kTol) << e;
    }
    ExpectPoint(p.edges[0].m_aPoints.front(), {0, 4.5});
    ExpectPoint(p.edges[0].m_aPoints.back(), {30, 4.5});
    ExpectPoint(sp.m_aPanelPoints[2].m_aptEdge[0], {10, 4.5});
    ExpectPoint(sp.m_aPanelSection[2].m_aptEdge[5][1], {10, -0.25});
    EXPECT_EQ(p.edgeResult, 1);

    // Grillage.
    EXPECT_EQ(p.counts.nNodes, 28);
    EXPECT_EQ(p.counts.nSupports, 8);
    EXPECT_EQ(p.counts.nGirderMembers, 24);
    EXPECT_EQ(p.counts.nCrossMembers, 0);
    EXPECT_EQ(sp.m_aPanelPoints[6].m_anNodes[3], 1507);
    EXPECT_EQ(sp.m_aPanelPoints[3].m_anNodes[0], 4);
    EXPECT_EQ(sp.m_aPanelPoints[0].m_nMemberKind, END_SWAY_BRACING);
    EXPECT_EQ(sp.m_aPanelPoints[3].m_nMemberKind, INTERMEDIATE_SWAY_BRACING);
    EXPECT_EQ(sp.m_aPanelPoints[6].m_nMemberKind, END_SWAY_BRACING);

    EXPECT_DOUBLE_EQ(AllowableDeflection(p.spans, 0, 0), 45.0);
    EXPECT_EQ(AllowableDeflection(p.spans, -1, 0), 0.0);
    int ribs[281] = {};
    RibsPerPanel(p.spans, ribs, 281);
    EXPECT_EQ(ribs[0], 2);
    EXPECT_EQ(ribs[5], 2);
    EXPECT_EQ(ribs[6], 0);
    EXPECT_FALSE(p.abnormal);

    // What the estimate builds on: deck and roadway areas, slab volume.
    EXPECT_NEAR(DeckArea(p), 270.0, 1e-9);
    EXPECT_NEAR((sp.m_aStations[0].m_dRoadwayLeft + sp.m_aStations[0].m_dRoadwayRight) * 30.0, 171.0, 1e-9);
    EXPECT_NEAR(sp.m_aPanelSection[3].m_adH[4] * 9.0 * 30.0, 56.7, 1e-9);
}

TEST(PlanChecks, SkewedStraightBridge)
{
    CPlanInput in = CommonInput();
    in.adSkew[0][0] = in.adSkew[0][1] = kPi / 3;
    in.anCrossBeamDir[0] = 1;
    const Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    ExpectPoint(sp.m_aPanelPoints[0].m_aptGirder[0], {1.991858, 3.45});
    ExpectPoint(sp.m_aPanelPoints[0].m_aptGirder[3], {-1.991858, -3.45});
    ExpectPoint(sp.m_aPanelPoints[6].m_aptGirder[0], {31.991858, 3.45});
    for (const CPanelPointRecord& r : sp.m_aPanelPoints) {
        EXPECT_NEAR(r.m_dWidth, 7.967434, kTol);
        EXPECT_NEAR(r.m_dAngle, 1.047198, kTol);
        EXPECT_NEAR(r.m_dBaseAngle, 2.094395, kTol);
        // The plan dimension drawers turn the transverse line into the base-line normal.
        EXPECT_NEAR(r.m_dAngle - (kPi / 2 - std::fabs(r.m_dBaseAngle)), kPi / 2, 1e-9);
    }
    for (const CGirderLineRecord& g : sp.m_aGirderLines)
        EXPECT_NEAR(g.m_dLength, 30.0, kTol);
    for (int g = 0; g < 4; ++g)
        for (int j = 0; j < 6; ++j)
            EXPECT_NEAR(PlanMath::Distance(sp.m_aPanelPoints[size_t(j)].m_aptGirder[size_t(g)],
                                           sp.m_aPanelPoints[size_t(j) + 1].m_aptGirder[size_t(g)]), 5.0, kTol);
    ExpectPoint(sp.m_aStations[0].m_aptEdge[0][0], {2.598076, 4.5});
    EXPECT_NEAR(PlanMath::Distance(sp.m_aStations[0].m_aptEdge[0][0], sp.m_aStations[0].m_aptEdge[0][1]), 10.392305, kTol);
    EXPECT_NEAR(sp.m_aStations[0].m_dSkew, kPi / 3, 1e-12);
    EXPECT_NEAR(sp.m_aStations[0].m_dAngle, kPi / 3, 1e-9);         // pointing right to left
    EXPECT_NEAR(DeckArea(p), 270.0, 1e-9);          // parallelograms keep the area
    EXPECT_FALSE(p.abnormal);
}

TEST(PlanChecks, SkewedSupportsWithSquareCrossBeams)
{
    CPlanInput in = CommonInput();
    in.adSkew[0][0] = in.adSkew[0][1] = kPi / 3;
    Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    const auto& pts = p.spans[0].m_aPanelPoints;
    EXPECT_NEAR(pts[1].m_aptGirder[0].x - pts[0].m_aptGirder[0].x, 3.008142, kTol);
    EXPECT_NEAR(pts[1].m_dBaseAngle, kPi / 2, 1e-9);

    // A short first panel puts G1's first step behind its support line.
    for (int k = 0; k < 6; ++k)
        in.adPanelLength[0][k] = k == 0 ? 1.0 : 5.8;
    p = Build(in);
    EXPECT_EQ(p.ok, 0);
    EXPECT_NEAR(p.spans[0].m_aPanelPoints[1].m_aptGirder[0].x - p.spans[0].m_aPanelPoints[0].m_aptGirder[0].x,
                -0.991858, kTol);

    // Cross beams at 40 degrees to the girders are abnormal, and only a warning.
    in = CommonInput();
    in.adSkew[0][0] = in.adSkew[0][1] = 40.0 * kPi / 180.0;
    in.anCrossBeamDir[0] = 1;
    p = Build(in);
    EXPECT_TRUE(p.abnormal);
    EXPECT_EQ(p.ok, 1);
}

TEST(PlanChecks, CurvedBridgeWithArcGirders)
{
    CPlanInput in = CommonInput();
    in.anBaseLineType[0] = 1;
    in.adBaseRadius[0] = 100.0;
    in.anGirderLineType[0] = 1;
    const Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    EXPECT_EQ(sp.m_bCurvedBaseLine, 1);
    EXPECT_EQ(sp.m_bArc, 1);
    ExpectPoint(sp.m_base.m_ptCentre, {0, 100});
    ExpectPoint(sp.m_base.m_ptEnd, {29.552021, 4.466351});
    EXPECT_NEAR(sp.m_dEndDir, 0.3, 1e-12);

    const double radii[4] = {96.55, 98.85, 101.15, 103.45};
    const double lengths[4] = {28.965, 29.655, 30.345, 31.035};
    for (int g = 0; g < 4; ++g) {
        EXPECT_NEAR(sp.m_aGirderLines[size_t(g)].m_dRadius, radii[g], 1e-9);
        EXPECT_NEAR(sp.m_aGirderLines[size_t(g)].m_dLength, lengths[g], 1e-9);
        ExpectPoint(sp.m_aGirderLines[size_t(g)].m_ptCentre, {0, 100});
    }
    const CDPoint g1 = sp.m_aPanelPoints[1].m_aptGirder[0];
    ExpectPoint(g1, {4.825489, 3.570662});
    const CDPoint g10 = sp.m_aPanelPoints[0].m_aptGirder[0];
    EXPECT_NEAR(PlanMath::Distance(g10, g1), 4.826997, kTol);
    EXPECT_NEAR(PlanMath::ArcLength(g10, g1, 96.55), 4.8275, kTol);
    EXPECT_NEAR(PlanMath::ArcLength(sp.m_aPanelPoints[2].m_aptGirder[3], sp.m_aPanelPoints[3].m_aptGirder[3], 103.45),
                5.1725, kTol);

    // Deflection spans run along each girder's own arc, 0.3 rad of it: G1 96.55 x 0.3 = 28.965 m,
    // 28.965^2 / 20 = 41.9486 mm; G4 31.035 m, 48.1586 mm. (Along the base line's radius of 100 m
    // through the girder's ends they read 41.927 and 48.184 mm, short inside and long outside.)
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 0), 28.965 * 28.965 / 20.0, 1e-9);
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 3), 31.035 * 31.035 / 20.0, 1e-9);
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 0), 41.9486, 1e-4);
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 3), 48.1586, 1e-4);

    ExpectPoint(p.edges[0].m_aPoints.back(), {28.222180, 8.765365});
    const double offsets[6] = {4.5, 4.3, 4.1, 3.3, 3.1, 0.25};
    for (int e = 0; e < 12; ++e) {
        const double r = 100.0 - (e % 2 == 0 ? 1 : -1) * offsets[e / 2];
        for (const CDPoint& q : p.edges[e].m_aPoints)
            EXPECT_NEAR(PlanMath::Distance(q, {0, 100}), r, 1e-9) << e;
        for (const CPanelPointRecord& rec : sp.m_aPanelPoints)
            EXPECT_NEAR(PlanMath::Distance(rec.m_aptEdge[e], {0, 100}), r, 1e-9) << e;
    }
    EXPECT_NEAR(DeckArea(p), 269.8875, 1e-4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(p.addL[k], 0.0);
        EXPECT_EQ(p.addR[k], 0.0);
    }
}

TEST(PlanChecks, StraightGirdersOnACurvedBaseLine)
{
    CPlanInput in = CommonInput();
    in.anBaseLineType[0] = 1;
    in.adBaseRadius[0] = 100.0;
    Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    EXPECT_EQ(sp.m_bCurvedGirders, 0);
    EXPECT_EQ(sp.m_bArc, 0);
    ExpectPoint(sp.m_aGirderLines[0].m_ptStart, {0, 3.45});
    ExpectPoint(sp.m_aGirderLines[0].m_ptEnd, {28.532476, 7.762262});
    EXPECT_NEAR(sp.m_aGirderLines[0].m_dLength, 28.856503, kTol);
    EXPECT_DOUBLE_EQ(AllowableDeflection(p.spans, 0, 0), 45.0);
    for (int k : {1, 2}) {
        EXPECT_NEAR(p.addL[k], -0.964696, kTol);
        EXPECT_NEAR(p.addR[k], 1.033638, kTol);
        EXPECT_NEAR(sp.m_aStations[size_t(k)].m_dWidth, 9.0, kTol);
    }
    EXPECT_NEAR(sp.m_aStations[1].m_adB[10], 0.085304, kTol);
    EXPECT_NEAR(sp.m_aStations[1].m_adB[11], 2.083638, kTol);

    in.anFreeSections[0] = 1;
    p = Build(in);
    EXPECT_NEAR(p.spans[0].m_aStations[1].m_dPosition, 15.0, kTol);
    EXPECT_NEAR(p.addL[1], -1.084152, kTol);
    EXPECT_NEAR(p.addR[1], 1.161632, kTol);
    // The support stations lie on the girders' own ends: nothing to add there.
    EXPECT_NEAR(p.addL[0], 0.0, 1e-9);
    EXPECT_NEAR(p.addR[2], 0.0, 1e-9);
    // At D = 15 the overhang shown is 1.05 - 1.084152 < 0: G1 stands outside the deck there.
    EXPECT_NEAR(p.spans[0].m_aStations[1].m_adB[10], -0.034152, kTol);
    EXPECT_EQ(p.ok, 0);

    // On R = 30 m the G1 chord (radius 26.55 m, 1 rad) stands 26.55 cos 0.5 / cos(1/3 - 0.5)
    // = 23.627 m from the centre at D = 10, an offset of 6.373 m for 3.45: the addition is
    // -2.923 and the left overhang 1.05 - 2.923 < 0. G1 lies outside the deck: inconsistent.
    in.anFreeSections[0] = 2;
    in.adBaseRadius[0] = 30.0;
    p = Build(in);
    EXPECT_NEAR(p.addL[1], -2.922786, kTol);
    EXPECT_NEAR(p.spans[0].m_aStations[1].m_adB[10], -1.872786, kTol);
    EXPECT_EQ(p.ok, 0);
}

TEST(PlanChecks, DeflectionSpansFollowTheGirderArcs)
{
    // A sharp curve: R = -30 m (turning right), 60 m in six panels, arc girders; G1 is the
    // outer girder at radius 33.45 m, G4 the inner one at 26.55 m, each sweeping 60 / 30 = 2 rad.
    CPlanInput in = CommonInput();
    in.adSpanLength[0] = 60.0;
    for (int k = 0; k < 6; ++k)
        in.adPanelLength[0][k] = 10.0;
    in.anBaseLineType[0] = 1;
    in.adBaseRadius[0] = -30.0;
    in.anGirderLineType[0] = 1;
    Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    // G1: L = 33.45 x 2 = 66.9 m > 40, L / 500 = 133.8 mm. Along the base radius its chord
    // 2 x 33.45 sin 1 = 56.29 m read 2 x 30 asin(56.29 / 60) = 73.05 m, 146.1 mm.
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 0), 133.8, 1e-9);
    // G4: L = 26.55 x 2 = 53.1 m, 106.2 mm; the chord 44.68 m read 50.41 m, 100.8 mm.
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 3), 106.2, 1e-9);

    // 120 m in twelve panels sweeps 4 rad, more than half a turn. G1: 33.45 x 4 = 133.8 m,
    // 267.6 mm (its chord 60.83 m is longer than the 60 m diameter: half a circle of 30 m,
    // 188.5 mm, was read). G4: 106.2 m, 212.4 mm (the shorter arc over its chord 48.28 m
    // gave 56.1 m, 112.2 mm).
    in.adSpanLength[0] = 120.0;
    in.anPanelCount[0] = 12;
    for (int k = 0; k < 12; ++k)
        in.adPanelLength[0][k] = 10.0;
    p = Build(in);
    EXPECT_EQ(p.ok, 1);
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 0), 267.6, 1e-9);
    EXPECT_NEAR(AllowableDeflection(p.spans, 0, 3), 212.4, 1e-9);
    // Straight girders and straight spans keep the span length.
    in.anGirderLineType[0] = 0;
    EXPECT_DOUBLE_EQ(AllowableDeflection(Build(in).spans, 0, 0), 240.0);
}

TEST(PlanChecks, GirderHeightProfiles)
{
    CPlanInput in = CommonInput();
    in.bHeightWindow = 1;
    in.nHeightVariation = 0;
    in.anPointCount[0] = 1;
    in.adPointPos = {0.0, 15.0, 0.0};
    in.adPointHeight.assign(3, {});
    const double h[3] = {2.0, 2.5, 2.0};
    for (int p = 0; p < 3; ++p)
        in.adPointHeight[size_t(p)].fill(h[p]);
    in.nHeightInterpolation = 0;
    Plan p = Build(in);
    ASSERT_EQ(p.profiles.size(), 4u);
    const CPolyline2D& lin = p.profiles[0];
    ASSERT_EQ(lin.Count(), 201);
    EXPECT_EQ(lin.m_nSubdivisions, 100);
    EXPECT_EQ(lin.m_aPoints.front().x, 0.0);
    EXPECT_EQ(lin.m_aPoints.back().x, 30.0);
    EXPECT_NEAR(lin.m_aPoints[50].x, 7.5, 1e-12);
    EXPECT_NEAR(lin.m_aPoints[50].y, 2.25, 1e-12);
    EXPECT_NEAR(MeanProfileHeight(lin, in.adSpanLength, 1), 2.25, 1e-12);

    in.nHeightInterpolation = 1;
    p = Build(in);
    EXPECT_NEAR(p.profiles[3].m_aPoints[50].y, 2.34375, 1e-12);
    EXPECT_NEAR(MeanProfileHeight(p.profiles[3], in.adSpanLength, 1), 2.31249, 1e-5);

    // Constant heights take the girder data instead.
    in.nHeightVariation = 1;
    in.adGirderHeight[2] = 1.6;
    p = Build(in);
    EXPECT_NEAR(p.profiles[2].m_aPoints[77].y, 1.6, 1e-12);

    // Two spans, supports only: each span starts again at x = 0.
    CPlanInput two = CommonInput();
    two.nSpans = 2;
    two.adBaseToG1[1][0] = two.adBaseToG1[1][1] = 3.45;
    two.adGirderSpacing[1][0] = two.adGirderSpacing[1][1] = 2.3;
    two.bHeightWindow = 1;
    two.adPointPos.assign(3, 0.0);
    two.adPointHeight.assign(3, {});
    for (auto& row : two.adPointHeight)
        row.fill(1.0);
    p = Build(two);
    ASSERT_EQ(p.profiles[0].Count(), 201);
    EXPECT_EQ(p.profiles[0].m_aPoints[100].x, 0.0);
    EXPECT_NEAR(p.profiles[0].m_aPoints[99].x, 29.7, 1e-9);
    EXPECT_EQ(p.profiles[0].m_aPoints[200].x, 30.0);
}

TEST(PlanChecks, SplineEdgesRefuseStationsOutOfOrder)
{
    CPlanInput in = CommonInput();
    in.nSectionInterpolation = 1;
    in.arrD = {0.0, 10.0, 20.0, 0.0};
    Plan p = Build(in);
    EXPECT_EQ(p.edgeResult, 1);
    in.arrD = {0.0, 20.0, 10.0, 0.0};
    p = Build(in);
    EXPECT_EQ(p.edgeResult, 0);
    for (const CPolyline2D& e : p.edges)
        EXPECT_EQ(e.Count(), 61);
    // Straight edges stay straight in spline mode when the widths do not vary.
    in.arrD = {0.0, 10.0, 20.0, 0.0};
    p = Build(in);
    for (const CDPoint& q : p.edges[0].m_aPoints)
        EXPECT_NEAR(q.y, 4.5, 1e-9);
}

TEST(PlanChecks, CrossMembers)
{
    EXPECT_NEAR(TrussInertia(0.00996 / 7.85, 0.00996 / 7.85, 1.6), 0.00162405, 1e-8);
    EXPECT_EQ(TrussInertia(0.0, 0.0, 1.6), 0.0);
    EXPECT_NEAR(CrossBeamInertia(1.2, 0.012, 0.25, 0.009), 0.00349949, 1e-8);

    CPlanInput in = CommonInput();
    in.members.dMidDepth = 1.6;
    in.members.dMidChordArea = 0.00996 / 7.85;
    Plan p = Build(in);
    EXPECT_NEAR(p.spans[0].m_aPanelPoints[2].m_dInertia, 0.00162405, 1e-8);

    in.nBridgeType = 1;
    in.members.dCrossBeamDepth = 1.2;
    in.members.dFlangeThickness = 0.012;
    in.members.dFlangeWidth = 0.25;
    p = Build(in);
    for (const CPanelPointRecord& r : p.spans[0].m_aPanelPoints) {
        EXPECT_EQ(r.m_nMemberKind, CROSS_BEAM);
        EXPECT_EQ(r.m_bDistributing, 1);
        EXPECT_NEAR(r.m_dInertia, 0.00349949, 1e-8);
    }
    EXPECT_EQ(p.counts.nCrossMembers, 21);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[0].m_nMemberNo, 25);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[1].m_nMemberNo, 28);

    // A window's arrangement over two spans: numbers run over the bridge, the support once.
    in = CommonInput();
    in.nSpans = 2;
    for (int e = 0; e < 2; ++e) {
        in.adBaseToG1[1][e] = 3.45;
        in.adGirderSpacing[1][e] = 2.3;
    }
    in.bCrossBeamWindow = 1;
    DefaultArrangement(0, 2, in.anPanelCount, in.anMemberKind, in.abDistributing);
    EXPECT_EQ(in.anMemberKind[0], END_SWAY_BRACING);
    EXPECT_EQ(in.anMemberKind[6], SUPPORT_SWAY_BRACING);
    EXPECT_EQ(in.anMemberKind[12], END_SWAY_BRACING);
    EXPECT_EQ(in.anMemberKind[7], INTERMEDIATE_SWAY_BRACING);
    in.abDistributing[6] = 1;
    in.anMemberKind[9] = CROSS_BEAM;
    p = Build(in);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[6].m_bDistributing, 1);
    EXPECT_EQ(p.spans[1].m_aPanelPoints[0].m_bDistributing, 1);
    EXPECT_EQ(p.spans[1].m_aPanelPoints[3].m_nMemberKind, CROSS_BEAM);
    EXPECT_EQ(p.counts.nCrossMembers, 3);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[6].m_nMemberNo, 4 * 12 + 1);
    EXPECT_EQ(p.spans[1].m_aPanelPoints[0].m_nMemberNo, 4 * 12 + 1);
    EXPECT_EQ(p.spans[1].m_aPanelPoints[6].m_anNodes[1], 500 + 12 + 1);

    // The single box: three lines, bearings under the webs, a frame at every point.
    in = CommonInput();
    in.nBridgeType = 2;
    in.nGirders = 3;
    p = Build(in);
    EXPECT_EQ(p.counts.nNodes, 21);
    EXPECT_EQ(p.counts.nSupports, 4);
    EXPECT_EQ(p.counts.nGirderMembers, 18);
    EXPECT_EQ(p.counts.nCrossMembers, 14);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[3].m_dInertia, 0.0);
    EXPECT_EQ(p.spans[0].m_aPanelPoints[3].m_nMemberKind, INTERMEDIATE_SWAY_BRACING);
}
