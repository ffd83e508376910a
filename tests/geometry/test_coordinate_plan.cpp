// Plans entered by coordinates: taken over from the span input, derived back, edited.
#include "plan_fixture.h"
#include "framework/archive.h"

using namespace PlanCore;
using namespace plantest;

namespace {

CPlanInput CurvedInput(int girderLineType)
{
    CPlanInput in = CommonInput();
    in.anBaseLineType[0] = 1;
    in.adBaseRadius[0] = 100.0;
    in.anGirderLineType[0] = girderLineType;
    return in;
}

// Seven base points 5 m apart along a straight 30 m span.
std::vector<CDPoint> StraightPoints()
{
    std::vector<CDPoint> p;
    for (int j = 0; j <= 6; ++j)
        p.emplace_back(5.0 * j, 0.0);
    return p;
}

}

TEST(CoordinatePlan, TakenOverStraightPlanDerivesTheSameLayout)
{
    CPlanInput in = CommonInput();
    in.adSkew[0][0] = in.adSkew[0][1] = kPi / 3;
    const Plan given = Build(in);
    const CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    ASSERT_TRUE(plan.Matches(1, in.anPanelCount, 4));
    EXPECT_FALSE(plan.Matches(1, in.anPanelCount, 5));
    EXPECT_EQ(plan.PointCount(), 7);

    const Plan p = Build(in, &plan);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    EXPECT_EQ(sp.m_bCurvedBaseLine, 0);
    EXPECT_NEAR(sp.m_dSpanLength, 30.0, 1e-9);
    for (double l : sp.m_pdPanelLength)
        EXPECT_NEAR(l, 5.0, 1e-9);
    for (int e = 0; e < 2; ++e) {
        EXPECT_NEAR(sp.m_dG1Offset[e], 3.45, 1e-9);
        EXPECT_NEAR(sp.m_dGirderSpacing[e], 2.3, 1e-9);
        EXPECT_NEAR(sp.m_dSkew[e], kPi / 3, 1e-9);
    }
    for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
        const CPanelPointRecord& r = sp.m_aPanelPoints[j];
        const CPanelPointRecord& g = given.spans[0].m_aPanelPoints[j];
        for (int k = 0; k < 4; ++k)
            ExpectPoint(r.m_aptGirder[size_t(k)], g.m_aptGirder[size_t(k)], 1e-12);
        for (int e = 0; e < 12; ++e)
            ExpectPoint(r.m_aptEdge[e], g.m_aptEdge[e], 1e-12);
        EXPECT_NEAR(r.m_dWidth, g.m_dWidth, 1e-12);
        EXPECT_NEAR(r.m_dBaseAngle, g.m_dBaseAngle, 1e-9);
        EXPECT_NEAR(sp.m_aPanelSection[j].m_adH[4], 0.21, 1e-12);
    }
    for (int e = 0; e < 12; ++e) {
        ASSERT_EQ(p.edges[e].Count(), 61);
        EXPECT_EQ(p.edges[e].m_nSubdivisions, 10);
        ExpectPoint(p.edges[e].m_aPoints[20], given.spans[0].m_aPanelPoints[2].m_aptEdge[e], 1e-12);
    }
    // Stations between panel points come from the two panel sections around them.
    ASSERT_EQ(sp.m_aStations.size(), 4u);
    EXPECT_NEAR(sp.m_aStations[1].m_dPosition, 10.0, 1e-9);
    ExpectPoint(sp.m_aStations[1].m_aptEdge[0][0], given.spans[0].m_aPanelPoints[2].m_aptEdge[0], 1e-9);
    EXPECT_NEAR(sp.m_aStations[1].m_dSkew, kPi / 2, 1e-9);
    EXPECT_EQ(p.counts.nNodes, 28);
    EXPECT_FALSE(p.abnormal);
}

TEST(CoordinatePlan, CurvedPlanFitsItsArcs)
{
    const CPlanInput in = CurvedInput(1);
    const Plan given = Build(in);
    const CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    const Plan p = Build(in, &plan);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    EXPECT_EQ(sp.m_bCurvedBaseLine, 1);
    EXPECT_NEAR(sp.m_dRadius, 100.0, 1e-6);
    ExpectPoint(sp.m_base.m_ptCentre, {0, 100}, 1e-6);
    EXPECT_NEAR(sp.m_dStartDir, 0.0, 1e-9);
    EXPECT_NEAR(sp.m_dSpanLength, 30.0, 1e-9);
    EXPECT_EQ(sp.m_bCurvedGirders, 1);
    EXPECT_EQ(sp.m_bArc, 1);
    EXPECT_NEAR(sp.m_aGirderLines[0].m_dRadius, 96.55, 1e-6);
    EXPECT_NEAR(sp.m_aGirderLines[3].m_dLength, 31.035, 1e-9);
    for (int e = 0; e < 2; ++e) {
        EXPECT_NEAR(sp.m_dG1Offset[e], 3.45, 1e-9);
        EXPECT_NEAR(sp.m_dGirderSpacing[e], 2.3, 1e-9);
        EXPECT_NEAR(sp.m_dSkew[e], kPi / 2, 1e-9);
    }
    // The smoothed edges keep to the deck's arcs.
    for (const CDPoint& q : p.edges[0].m_aPoints)
        EXPECT_NEAR(PlanMath::Distance(q, {0, 100}), 95.5, 1e-4);

    // Straight girders on the same base: chords, not arcs.
    const Plan chords = Build(CurvedInput(0));
    const CCoordinatePlan flat = CCoordinatePlan::FromSpans(chords.spans);
    const Plan r = Build(CurvedInput(0), &flat);
    EXPECT_EQ(r.spans[0].m_bCurvedBaseLine, 1);
    EXPECT_EQ(r.spans[0].m_bCurvedGirders, 0);
    EXPECT_EQ(r.spans[0].m_aGirderLines[0].m_dRadius, 100000.0);
    EXPECT_NEAR(r.spans[0].m_aGirderLines[0].m_dLength, 28.856503, kTol);
}

TEST(CoordinatePlan, BaseLineFit)
{
    CDPoint c;
    bool definite = false;
    const CDPoint line[4] = {{0, 0}, {1, 0.0004}, {2, -0.0003}, {3, 0}};
    EXPECT_EQ(FitBaseLine(line, 4, &c, &definite), 0.0);       // within a millimetre of its chord
    EXPECT_TRUE(definite);
    const CDPoint sag[3] = {{0, 0}, {10, -1}, {20, 0}};
    EXPECT_NEAR(FitBaseLine(sag, 3, &c, &definite), 50.5, 1e-9);   // turning left, centre above
    EXPECT_TRUE(definite);
    ExpectPoint(c, {10, 49.5}, 1e-9);
    const CDPoint crest[3] = {{0, 0}, {10, 1}, {20, 0}};
    EXPECT_NEAR(FitBaseLine(crest, 3, &c, &definite), -50.5, 1e-9);
    const CDPoint loop[3] = {{0, 0}, {5, 5}, {0, 0}};       // bent, yet no circle through it
    EXPECT_EQ(FitBaseLine(loop, 3, &c, &definite), 0.0);
    EXPECT_FALSE(definite);
}

TEST(CoordinatePlan, CircleOnlyWhereItFollowsThePoints)
{
    CDPoint c;
    bool definite = true;

    // One point of a straight line moved by 200 mm is no circle (the algebraic fit read one of
    // about 10 m into it): a polyline, its length the chords.
    std::vector<CDPoint> moved = StraightPoints();
    moved[1].y = 0.2;
    EXPECT_EQ(FitBaseLine(moved.data(), 7, &c, &definite), 0.0);
    EXPECT_FALSE(definite);
    moved[1].y = 0.002;         // 2 mm: still no circle within 1 mm
    EXPECT_EQ(FitBaseLine(moved.data(), 7, &c, &definite), 0.0);
    EXPECT_FALSE(definite);

    // A true arc in survey coordinates, turning right: found exactly.
    const CDPoint centre(-45000.0, 120000.0);
    std::vector<CDPoint> arc;
    for (int j = 0; j <= 6; ++j)
        arc.push_back(PlanMath::PointOnCircle(centre, kPi / 2 - 0.05 * j, 100.0));
    EXPECT_NEAR(FitBaseLine(arc.data(), 7, &c, &definite), -100.0, 1e-6);
    EXPECT_TRUE(definite);
    ExpectPoint(c, centre, 1e-6);

    // The same arc surveyed within 10 mm: still that circle, within the noise.
    const double noise[7] = {0.0, 0.01, -0.008, 0.006, -0.01, 0.004, 0.0};
    std::vector<CDPoint> noisy;
    for (int j = 0; j <= 6; ++j)
        noisy.push_back(PlanMath::PointOnCircle(centre, kPi / 2 - 0.05 * j, 100.0 + noise[j]));
    const double R = FitBaseLine(noisy.data(), 7, &c, &definite);
    EXPECT_TRUE(definite);
    EXPECT_NEAR(R, -100.0, 0.5);
    EXPECT_LE(PlanMath::CircleResidual(noisy.data(), 7, c, -R), 0.01);

    // An S-curve, 0.5 m either way: no circle.
    std::vector<CDPoint> s;
    for (int j = 0; j <= 6; ++j)
        s.emplace_back(5.0 * j, 0.5 * std::sin(2 * kPi * j / 6));
    EXPECT_EQ(FitBaseLine(s.data(), 7, &c, &definite), 0.0);
    EXPECT_FALSE(definite);
}

TEST(CoordinatePlan, PointsOffALineGiveAPolylineSpan)
{
    const Plan given = Build(CommonInput());
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    // The middle base point 200 mm to the left; the transverse lines and girders stay.
    plan.m_aSpans[0].m_aPoints[3].m_ptBase.y = 0.2;
    const Plan p = Build(CommonInput(), &plan);
    EXPECT_EQ(p.ok, 1);
    const CSpanData& sp = p.spans[0];
    EXPECT_EQ(sp.m_bCurvedBaseLine, 0);
    EXPECT_EQ(sp.m_dRadius, 100000.0);
    // Panels the chords: 5, 5, sqrt(5^2 + 0.2^2) = 5.003998 twice, 5, 5; 30.007997 in all.
    const double slant = std::sqrt(25.04);
    const double expected[6] = {5.0, 5.0, slant, slant, 5.0, 5.0};
    for (int j = 0; j < 6; ++j)
        EXPECT_NEAR(sp.m_pdPanelLength[size_t(j)], expected[j], 1e-12);
    EXPECT_NEAR(sp.m_dSpanLength, 20.0 + 2 * slant, 1e-12);
    EXPECT_NEAR(sp.m_aDivision[3].m_dPosition, 10.0 + slant, 1e-12);
    // The end panels are unmoved: tangents, offsets and skews as before.
    EXPECT_NEAR(sp.m_dStartDir, 0.0, 1e-12);
    EXPECT_NEAR(sp.m_dEndDir, 0.0, 1e-12);
    for (int e = 0; e < 2; ++e) {
        EXPECT_NEAR(sp.m_dG1Offset[e], 3.45, 1e-12);
        EXPECT_NEAR(sp.m_dGirderSpacing[e], 2.3, 1e-12);
        EXPECT_NEAR(sp.m_dSkew[e], kPi / 2, 1e-12);
    }
    EXPECT_EQ(sp.m_bCurvedGirders, 0);
    EXPECT_NEAR(sp.m_aGirderLines[0].m_dLength, 30.0, 1e-12);

    // A moved end panel turns its support's tangent: offsets are taken square to that panel.
    plan.m_aSpans[0].m_aPoints[3].m_ptBase.y = 0.0;
    plan.m_aSpans[0].m_aPoints[5].m_ptBase.y = -0.2;
    const Plan q = Build(CommonInput(), &plan);
    const double turn = std::atan2(0.2, 5.0);
    EXPECT_NEAR(q.spans[0].m_dEndDir, turn, 1e-12);
    EXPECT_NEAR(q.spans[0].m_dG1Offset[1], 3.45 * std::cos(turn), 1e-12);
    EXPECT_NEAR(q.spans[0].m_dSkew[1], kPi / 2 - turn, 1e-12);
    EXPECT_NEAR(q.spans[0].m_dSpanLength, 20.0 + 2 * slant, 1e-12);
}

TEST(CoordinatePlan, EditingTheCounts)
{
    const Plan given = Build(CommonInput());
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    plan.SetPanelCount(0, 7);
    ASSERT_EQ(plan.m_aSpans[0].PanelCount(), 7);
    const CCoordinatePoint& inserted = plan.m_aSpans[0].m_aPoints[6];
    ExpectPoint(inserted.m_ptBase, {27.5, 0}, 1e-12);
    ExpectPoint(inserted.m_aptGirder[2], {27.5, -1.15}, 1e-12);
    ExpectPoint(inserted.m_aptEdge[1], {27.5, -4.5}, 1e-12);
    ExpectPoint(plan.m_aSpans[0].m_aPoints[7].m_ptBase, {30, 0}, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[0].m_adPanelLength[5], 2.5, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[0].m_dSpanLength, 30.0, 1e-12);

    plan.SetPanelCount(0, 5);
    ASSERT_EQ(plan.m_aSpans[0].PanelCount(), 5);
    ExpectPoint(plan.m_aSpans[0].m_aPoints[4].m_ptBase, {20, 0}, 1e-12);      // the points before the end went
    EXPECT_NEAR(plan.m_aSpans[0].m_adPanelLength[4], 10.0, 1e-12);

    plan.AddSpan();
    ASSERT_EQ(plan.SpanCount(), 2);
    ExpectPoint(plan.m_aSpans[1].m_aPoints[0].m_ptBase, {30, 0}, 1e-12);
    ExpectPoint(plan.m_aSpans[1].m_aPoints[5].m_aptGirder[0], {60, 3.45}, 1e-12);
    EXPECT_EQ(plan.PointCount(), 11);
    const int panels[2] = {5, 5};
    EXPECT_TRUE(plan.Matches(2, panels, 4));
    plan.RemoveSpan();
    plan.RemoveSpan();      // the last span stays
    EXPECT_EQ(plan.SpanCount(), 1);

    plan.Translate({1, -2});
    ExpectPoint(plan.m_aSpans[0].m_aPoints[0].m_aSection.m_aptEdge[0][0], {1, 2.5}, 1e-12);
    ExpectPoint(plan.m_aSpans[0].m_aPoints[0].m_aptGirder[3], {1, -5.45}, 1e-12);
}

TEST(CoordinatePlan, LongPlansAreDrawnStraight)
{
    CPlanInput in;
    in.nSpans = 13;
    for (int s = 0; s < 13; ++s) {
        in.adSpanLength[s] = 40.0;
        in.anPanelCount[s] = 20;
        for (int k = 0; k < 20; ++k)
            in.adPanelLength[s][k] = 2.0;
    }
    const Plan given = Build(in);
    const CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    EXPECT_EQ(plan.PointCount(), 261);
    const Plan p = Build(in, &plan);
    EXPECT_EQ(p.ok, 1);
    for (const CPolyline2D& e : p.edges) {
        ASSERT_EQ(e.Count(), 2601);
        for (const CDPoint& q : e.m_aPoints)
            EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
    }
    ExpectPoint(p.edges[0].m_aPoints[5], {1.0, 3.65}, 1e-12);   // the window defaults: G1 at 2.6 m
    ExpectPoint(p.edges[0].m_aPoints.back(), {520.0, 3.65}, 1e-9);
}

TEST(CoordinatePlan, ShortPanelsAreInconsistent)
{
    const Plan given = Build(CommonInput());
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    // Move panel point 1 to 0.2 m from the support: base, line and girders.
    CCoordinatePoint& p1 = plan.m_aSpans[0].m_aPoints[1];
    p1.Translate({-4.8, 0});
    const Plan p = Build(CommonInput(), &plan);
    EXPECT_EQ(p.ok, 0);
    EXPECT_NEAR(p.spans[0].m_pdPanelLength[0], 0.2, 1e-12);
}

TEST(CoordinatePlan, BlocksOfTheDesignFileRoundTrip)
{
    CPlanInput in = CommonInput();
    in.nSpans = 2;
    in.anPanelCount[1] = 4;
    for (int e = 0; e < 2; ++e) {
        in.adBaseToG1[1][e] = 3.45;
        in.adGirderSpacing[1][e] = 2.3;
    }
    for (int k = 0; k < 4; ++k)
        in.adPanelLength[1][k] = 7.5;
    in.anBaseLineType[1] = 1;
    in.adBaseRadius[1] = -250.0;
    const Plan given = Build(in);
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);

    QByteArray bytes;
    {
        CArchive ar(&bytes, CArchive::store);
        SerializeCoordinateSpans(ar, plan, 2, in.anPanelCount, 4);
        SerializeCoordinateSections(ar, plan, 1);
        ar.Close();
    }
    // Block M: per span 1 + n + (n + 1)(6 + 2G + 24) doubles; block N: (30 + 6 + 24) per point.
    const int m = (1 + 6 + 7 * 38) + (1 + 4 + 5 * 38);
    const int n = 12 * 60;
    EXPECT_EQ(bytes.size(), qsizetype(8 * (m + n)));

    CCoordinatePlan back;
    {
        CArchive ar(&bytes, CArchive::load);
        SerializeCoordinateSpans(ar, back, 2, in.anPanelCount, 4);
        SerializeCoordinateSections(ar, back, 1);
    }
    ASSERT_TRUE(back.Matches(2, in.anPanelCount, 4));
    const Plan a = Build(in, &plan);
    const Plan b = Build(in, &back);
    for (size_t s = 0; s < 2; ++s) {
        EXPECT_EQ(a.spans[s].m_dRadius, b.spans[s].m_dRadius);
        EXPECT_EQ(a.spans[s].m_dSpanLength, b.spans[s].m_dSpanLength);
        for (size_t j = 0; j < a.spans[s].m_aPanelPoints.size(); ++j) {
            EXPECT_EQ(a.spans[s].m_aPanelPoints[j].m_aptGirder, b.spans[s].m_aPanelPoints[j].m_aptGirder);
            for (int e = 0; e < 12; ++e)
                EXPECT_EQ(a.spans[s].m_aPanelPoints[j].m_aptEdge[e], b.spans[s].m_aPanelPoints[j].m_aptEdge[e]);
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(a.spans[s].m_aPanelSection[j].m_adH[i], b.spans[s].m_aPanelSection[j].m_adH[i]);
            EXPECT_EQ(a.spans[s].m_aPanelSection[j].m_dEdgeR, b.spans[s].m_aPanelSection[j].m_dEdgeR);
        }
    }

    // An older file has no curb rises: they follow from the other heights.
    CCoordinatePlan oldPlan = plan;
    for (CCoordinateSpan& sp : oldPlan.m_aSpans)
        for (CCoordinatePoint& p : sp.m_aPoints)
            p.m_aSection.m_adH[1] = 0.05;
    QByteArray shorter;
    {
        CArchive ar(&shorter, CArchive::store);
        SerializeCoordinateSections(ar, oldPlan, 1);
        ar.Close();
    }
    // Drop H11 and H12 of every point to make the older layout.
    QByteArray trimmed;
    for (qsizetype at = 0; at < shorter.size(); at += 60 * 8)
        trimmed += shorter.mid(at, 58 * 8);
    CCoordinatePlan loaded = oldPlan;
    {
        CArchive ar(&trimmed, CArchive::load);
        SerializeCoordinateSections(ar, loaded, 0);
    }
    const CStationRecord& r = loaded.m_aSpans[0].m_aPoints[2].m_aSection;
    EXPECT_NEAR(r.m_adH[10], 0.05 + 0.26 - 0.08, 1e-12);
    EXPECT_NEAR(r.m_adH[11], 0.03 + 0.26 - 0.08, 1e-12);

    // A file that ends early throws, as every short design file does.
    QByteArray cut = bytes.left(100);
    CCoordinatePlan partial;
    CArchive ar(&cut, CArchive::load);
    EXPECT_THROW(SerializeCoordinateSpans(ar, partial, 2, in.anPanelCount, 4), CArchiveException);
}
