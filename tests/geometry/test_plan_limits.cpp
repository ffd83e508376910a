// The largest layouts, damaged counts, and random accepted input: records stay complete and
// finite, and the consistency flag follows the derived lengths and overhangs.
#include "plan_fixture.h"

#include <random>

using namespace PlanCore;
using namespace plantest;

namespace {

CPlanInput FullLayout(int panels, int free)
{
    CPlanInput in;
    in.nSpans = kMaxSpans;
    for (int s = 0; s < kMaxSpans; ++s) {
        in.adSpanLength[s] = 2.0 * panels;
        in.anPanelCount[s] = panels;
        for (int k = 0; k < kMaxPanels; ++k)
            in.adPanelLength[s][k] = 2.0;
        in.anFreeSections[s] = free;
    }
    return in;
}

bool Finite(CDPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// Everything a reader may touch: sizes, numbers and finiteness.
void ExpectComplete(const Plan& p, const CPlanInput& in)
{
    const int G = in.nGirders;
    ASSERT_EQ(int(p.spans.size()), in.nSpans);
    int points = 1;
    for (int s = 0; s < in.nSpans; ++s) {
        const CSpanData& sp = p.spans[size_t(s)];
        const int n = in.anPanelCount[s];
        points += n;
        ASSERT_EQ(int(sp.m_aPanelPoints.size()), n + 1);
        ASSERT_EQ(int(sp.m_aDivision.size()), n + 1);
        ASSERT_EQ(int(sp.m_pdPanelLength.size()), n);
        ASSERT_EQ(int(sp.m_aGirderLines.size()), G);
        ASSERT_EQ(int(sp.m_aStations.size()), in.anFreeSections[s] + 2);
        EXPECT_TRUE(std::isfinite(sp.m_dSpanLength) && std::isfinite(sp.m_dRadius) && std::isfinite(sp.m_dEndDir));
        for (const CGirderLineRecord& g : sp.m_aGirderLines)
            EXPECT_TRUE(Finite(g.m_ptStart) && Finite(g.m_ptEnd) && Finite(g.m_ptCentre) && std::isfinite(g.m_dLength));
        for (int j = 0; j <= n; ++j) {
            const CPanelPointRecord& r = sp.m_aPanelPoints[size_t(j)];
            ASSERT_EQ(int(r.m_aptGirder.size()), G);
            ASSERT_EQ(int(r.m_anNodes.size()), G);
            for (int g = 0; g < G; ++g) {
                EXPECT_TRUE(Finite(r.m_aptGirder[size_t(g)]));
                EXPECT_EQ(r.m_anNodes[size_t(g)], 500 * g + points - n + j);
            }
            for (const CDPoint& e : r.m_aptEdge)
                EXPECT_TRUE(Finite(e));
            EXPECT_TRUE(Finite(r.m_ptLine1) && Finite(r.m_ptLine2) && Finite(r.m_ptBase));
            EXPECT_TRUE(std::isfinite(r.m_dWidth) && std::isfinite(r.m_dAngle) && std::isfinite(r.m_dBaseAngle)
                        && std::isfinite(r.m_dInertia));
            EXPECT_GE(r.m_nMemberKind, 0);
            EXPECT_LE(r.m_nMemberKind, 3);
            EXPECT_GE(r.m_nMemberNo, 0);
            EXPECT_LE(r.m_nMemberNo, p.counts.nGirderMembers + p.counts.nCrossMembers);
            const CStationRecord& sec = sp.m_aPanelSection[j];
            for (int i = 0; i < 12; ++i)
                EXPECT_TRUE(std::isfinite(sec.m_adB[i]) && std::isfinite(sec.m_adH[i]) && sec.m_adH[i] >= 0.0);
        }
        for (const CStationRecord& st : sp.m_aStations) {
            EXPECT_TRUE(Finite(st.m_ptBase) && std::isfinite(st.m_dAngle) && std::isfinite(st.m_dWidth));
            for (const auto& pair : st.m_aptEdge)
                EXPECT_TRUE(Finite(pair[0]) && Finite(pair[1]));
        }
    }
    EXPECT_EQ(p.panelPoints, points);
    for (const CPolyline2D& e : p.edges) {
        EXPECT_EQ(e.Count(), 20 * (p.stations - 1) + 1);
        for (const CDPoint& q : e.m_aPoints)
            EXPECT_TRUE(Finite(q));
    }
    ASSERT_EQ(int(p.profiles.size()), G);
    for (const CPolyline2D& pr : p.profiles)
        for (const CDPoint& q : pr.m_aPoints)
            EXPECT_TRUE(Finite(q));
    for (int i = 0; i < kMaxStations; ++i)
        EXPECT_TRUE(std::isfinite(p.addL[i]) && std::isfinite(p.addR[i]));
}

// The shortest of the lengths that the placement checks (panel, girder step, girder to girder).
double ShortestDerivedLength(const Plan& p, int nBridgeType)
{
    double shortest = 1e300;
    for (const CSpanData& sp : p.spans) {
        const size_t n = sp.m_aPanelPoints.size() - 1;
        for (size_t j = 0; j < n; ++j)
            shortest = std::min(shortest, sp.m_aDivision[j + 1].m_dPosition - sp.m_aDivision[j].m_dPosition);
        for (size_t g = 0; g < sp.m_aGirderLines.size(); ++g) {
            const CGirderLineRecord& gl = sp.m_aGirderLines[g];
            const bool arc = std::fabs(gl.m_dRadius) < 100000.0;
            for (size_t j = 0; j < n; ++j) {
                const CDPoint a = sp.m_aPanelPoints[j].m_aptGirder[g];
                const CDPoint b = sp.m_aPanelPoints[j + 1].m_aptGirder[g];
                double step;
                if (arc) {
                    double d = std::atan2(b.y - gl.m_ptCentre.y, b.x - gl.m_ptCentre.x)
                             - std::atan2(a.y - gl.m_ptCentre.y, a.x - gl.m_ptCentre.x);
                    while (d > kPi) d -= 2 * kPi;
                    while (d <= -kPi) d += 2 * kPi;
                    step = gl.m_dRadius * d;
                } else {
                    const CDPoint u = gl.m_ptEnd - gl.m_ptStart;
                    step = PlanMath::Dot(b - a, u) / PlanMath::Length(u);
                }
                shortest = std::min(shortest, step);
            }
        }
        for (const CPanelPointRecord& r : sp.m_aPanelPoints) {
            if (nBridgeType == 2) {
                shortest = std::min(shortest, PlanMath::Distance(r.m_aptGirder[0], r.m_aptGirder[2]));
                continue;
            }
            for (size_t g = 0; g + 1 < r.m_aptGirder.size(); ++g)
                shortest = std::min(shortest, PlanMath::Distance(r.m_aptGirder[g], r.m_aptGirder[g + 1]));
        }
    }
    return shortest;
}

// A girder beyond the deck edge: a station's overhang with its addition below 0.
bool GirderOutsideDeck(const Plan& p)
{
    for (const CSpanData& sp : p.spans)
        for (const CStationRecord& st : sp.m_aStations)
            if (st.m_adB[10] < 0.0 || st.m_adB[11] < 0.0)
                return true;
    return false;
}

// Random input within the ranges the input windows accept; `tame` keeps every arc wide
// enough for its girders, so that no intersection can fail.
CPlanInput RandomInput(std::mt19937& rng, bool tame)
{
    auto uni = [&rng](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto pick = [&rng](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    CPlanInput in;
    in.nBridgeType = pick(0, 2);
    in.nGirders = in.nBridgeType == 2 ? 3 : pick(in.nBridgeType == 0 ? 2 : 1, tame ? 8 : 20);
    in.nSpans = pick(1, tame ? 5 : 14);
    const double deg = kPi / 180.0;
    for (int s = 0; s < in.nSpans; ++s) {
        const double L = tame ? uni(5.0, 60.0) : uni(1.0, 1000.0);
        const int n = pick(2, 20);
        in.adSpanLength[s] = L;
        in.anPanelCount[s] = n;
        double weights[kMaxPanels], total = 0.0;
        for (int k = 0; k < n; ++k)
            total += weights[k] = uni(0.2, 1.0);
        double sum = 0.0;
        for (int k = 0; k + 1 < n; ++k)
            sum += in.adPanelLength[s][k] = L * weights[k] / total;
        in.adPanelLength[s][n - 1] = L - sum;
        in.anFreeSections[s] = pick(0, 10);
        for (int e = 0; e < 2; ++e) {
            in.adBaseToG1[s][e] = tame ? uni(0.1, 10.0) : uni(0.1, 2000.0);
            in.adGirderSpacing[s][e] = tame ? uni(0.1, 4.0) : uni(0.1, 100.0);
            in.adSkew[s][e] = uni(60.0, 120.0) * deg;
        }
        in.anBaseLineType[s] = pick(0, 1);
        in.anGirderLineType[s] = in.anBaseLineType[s] ? pick(0, 1) : 0;
        in.anCrossBeamDir[s] = pick(0, 3);
        double reach = 0.0;
        for (int e = 0; e < 2; ++e)
            reach = std::max(reach, std::fabs(in.adBaseToG1[s][e]) + (in.nGirders - 1) * in.adGirderSpacing[s][e] + 20.0);
        const double R = tame ? uni(std::max(10.0, 3.0 * (reach + L)), 5000.0) : uni(10.0, 10000000.0);
        in.adBaseRadius[s] = pick(0, 1) ? R : -R;
    }
    const int stations = 1 + [&] { int n = 0; for (int s = 0; s < in.nSpans; ++s) n += in.anFreeSections[s] + 1; return n; }();
    in.arrD.resize(size_t(stations));
    in.arrTheta.resize(size_t(stations));
    for (int i = 0; i < stations; ++i) {
        in.arrD[size_t(i)] = uni(1.0, 100.0);
        in.arrTheta[size_t(i)] = uni(60.0, 120.0) * deg;
        for (int b = 0; b < 12; ++b) {
            in.arrB[b].push_back(uni(0.0, tame ? 3.0 : 100.0));
            in.arrH[b].push_back(uni(0.0, tame ? 0.5 : 100.0));
        }
    }
    in.nSectionInterpolation = pick(0, 1);
    in.bHeightWindow = 1;
    in.nHeightVariation = pick(0, 1);
    in.nHeightInterpolation = pick(0, 1);
    for (int s = 0; s < in.nSpans; ++s) {
        in.anPointCount[s] = pick(0, 3);
        in.adPointPos.push_back(0.0);
        for (int c = 0; c < in.anPointCount[s]; ++c)
            in.adPointPos.push_back(in.adSpanLength[s] * (c + 1) / (in.anPointCount[s] + 1));
    }
    in.adPointPos.push_back(0.0);
    in.adPointHeight.resize(in.adPointPos.size());
    for (auto& row : in.adPointHeight)
        for (double& h : row)
            h = uni(0.5, 10.0);
    return in;
}

}

TEST(PlanLimits, LargestLayouts)
{
    CPlanInput in = FullLayout(20, 10);
    Plan p = Build(in);
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.panelPoints, 281);
    EXPECT_EQ(p.stations, 155);
    EXPECT_EQ(p.support[14], 154);
    for (const CPolyline2D& e : p.edges)
        EXPECT_EQ(e.Count(), 3081);
    int ribs[281] = {};
    RibsPerPanel(p.spans, ribs, 281);
    EXPECT_EQ(ribs[279], 1);
    EXPECT_EQ(ribs[280], 0);
    EXPECT_EQ(p.spans[13].m_aPanelPoints[20].m_anNodes[3], 1500 + 281);
    ExpectComplete(p, in);

    // A height table of 155 points: 14 supports, ten change points per span and the last support.
    in.bHeightWindow = 1;
    in.nHeightVariation = 0;
    for (int s = 0; s < kMaxSpans; ++s) {
        in.anPointCount[s] = 10;
        in.adPointPos.push_back(0.0);
        for (int c = 1; c <= 10; ++c)
            in.adPointPos.push_back(40.0 * c / 11);
    }
    in.adPointPos.push_back(0.0);
    ASSERT_EQ(in.adPointPos.size(), 155u);
    in.adPointHeight.assign(155, {});
    for (auto& row : in.adPointHeight)
        row.fill(2.0);
    p = Build(in);
    EXPECT_EQ(p.ok, 1);
    EXPECT_EQ(p.profiles[0].Count(), 15401);
    EXPECT_EQ(p.profiles[0].m_aPoints.back().x, 40.0);

    // One change point more than the table holds: truncated, and said so.
    in.anPointCount[13] = 11;
    in.adPointPos.insert(in.adPointPos.end() - 1, 39.0);
    p = Build(in);
    EXPECT_EQ(p.ok, 0);
    EXPECT_EQ(p.profiles[0].Count(), 15401);
}

TEST(PlanLimits, DamagedCountsAreClamped)
{
    CPlanInput in = FullLayout(6, 2);
    in.nSpans = 15;
    in.anPanelCount[3] = 0;
    const Plan p = Build(in);
    EXPECT_EQ(p.ok, 0);
    EXPECT_EQ(p.spans.size(), 14u);
    EXPECT_EQ(p.spans[3].m_aPanelPoints.size(), 2u);     // one panel

    CPlanInput sb = CommonInput();
    sb.nBridgeType = 2;
    sb.nGirders = 4;
    EXPECT_FALSE(ClampLayout(sb));
    EXPECT_EQ(sb.nGirders, 3);

    // Panel lengths that do not add up are scaled to the span, and flagged.
    CPlanInput off = CommonInput();
    off.adPanelLength[0][0] = 6.0;
    const Plan q = Build(off);
    EXPECT_EQ(q.ok, 0);
    EXPECT_NEAR(q.spans[0].m_aDivision[6].m_dPosition, 30.0, 1e-12);
    EXPECT_NEAR(q.spans[0].m_pdPanelLength[0], 6.0 * 30.0 / 31.0, 1e-12);
}

TEST(PlanLimits, DamagedValuesAreCleanedOrRefused)
{
    const double nan = std::nan("");
    const double inf = HUGE_VAL;

    // Span lengths that are no lengths: the profiles and change points use the cleaned 1 mm.
    CPlanInput in = FullLayout(2, 0);
    in.nSpans = 4;
    in.adSpanLength[0] = nan;
    in.adSpanLength[1] = inf;
    in.adSpanLength[2] = 0.0;
    in.bHeightWindow = 1;
    in.nHeightVariation = 0;
    in.adPointPos.clear();
    for (int s = 0; s < 4; ++s) {
        in.anPointCount[s] = 1;
        in.adPointPos.insert(in.adPointPos.end(), {0.0, 1.0});
    }
    in.adPointPos.push_back(0.0);
    in.adPointHeight.assign(in.adPointPos.size(), {});
    for (auto& row : in.adPointHeight)
        row.fill(2.0);
    for (int interpolation : {0, 1}) {
        in.nHeightInterpolation = interpolation;
        const Plan p = Build(in);
        EXPECT_EQ(p.ok, 0);
        ExpectComplete(p, in);
        EXPECT_NEAR(MeanProfileHeight(p.profiles[0], in.adSpanLength, 4), 2.0, 1e-9);
    }
    PlaceHeightChangePoints(4, in.adSpanLength, in.anPointCount, in.adPointPos.data(), int(in.adPointPos.size()));
    for (double pos : in.adPointPos)
        EXPECT_TRUE(std::isfinite(pos) && pos >= 0.0 && pos <= 4.0);
    EXPECT_DOUBLE_EQ(in.adPointPos[1], 0.0005);      // the middle of 1 mm
    EXPECT_DOUBLE_EQ(in.adPointPos[7], 1.0);         // the sound span keeps its point

    // An arc without a radius is refused, not built straight without a word.
    CPlanInput arc = CommonInput();
    arc.anBaseLineType[0] = 1;
    arc.adBaseRadius[0] = nan;
    Plan p = Build(arc);
    EXPECT_EQ(p.ok, 0);
    EXPECT_EQ(p.spans[0].m_bCurvedBaseLine, 0);
    arc.anBaseLineType[0] = 0;          // a straight line reads no radius
    EXPECT_EQ(Build(arc).ok, 1);

    // Coordinates that are not numbers are not applied.
    const Plan given = Build(CommonInput());
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(given.spans);
    EXPECT_TRUE(plan.IsFinite());
    plan.m_aSpans[0].m_aPoints[2].m_aptGirder[1].y = nan;
    EXPECT_FALSE(plan.IsFinite());
    p = Build(CommonInput(), &plan);
    EXPECT_EQ(p.ok, 0);
    ExpectComplete(p, CommonInput());
    ExpectPoint(p.spans[0].m_aPanelPoints[2].m_aptGirder[1], given.spans[0].m_aPanelPoints[2].m_aptGirder[1], 1e-12);
    plan = CCoordinatePlan::FromSpans(given.spans);
    plan.m_aSpans[0].m_aPoints[4].m_aSection.m_adH[3] = -inf;
    EXPECT_FALSE(plan.IsFinite());

    // Rib counts from lengths out of any range stay within the count word.
    std::vector<CSpanData> spans(1);
    spans[0].m_pdPanelLength = {nan, inf, -5.0, 1e300, 5.0, 1.0};
    int ribs[6] = {9, 9, 9, 9, 9, 9};
    RibsPerPanel(spans, ribs, 6);
    const int expected[6] = {0, 2147483647, 0, 2147483647, 2, 0};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(ribs[k], expected[k]) << k;
}

TEST(PlanLimits, RandomAcceptedInputStaysComplete)
{
    std::mt19937 rng(20240611);
    for (int i = 0; i < 60; ++i) {
        const CPlanInput in = RandomInput(rng, false);
        const Plan p = Build(in);
        ExpectComplete(p, in);
        if (ShortestDerivedLength(p, in.nBridgeType) < kConsistencyLimit || GirderOutsideDeck(p)) {
            EXPECT_EQ(p.ok, 0) << "case " << i;
        }
        if (HasFailure())
            break;
    }
}

TEST(PlanLimits, FlagFollowsTheDerivedLengthsAndOverhangs)
{
    std::mt19937 rng(77);
    int flagged = 0, clean = 0;
    for (int i = 0; i < 150; ++i) {
        const CPlanInput in = RandomInput(rng, true);
        const Plan p = Build(in);
        ExpectComplete(p, in);
        const bool misfit = ShortestDerivedLength(p, in.nBridgeType) < kConsistencyLimit || GirderOutsideDeck(p);
        EXPECT_EQ(p.ok, misfit ? 0 : 1) << "case " << i;
        (misfit ? flagged : clean)++;
        if (HasFailure())
            break;
    }
    // Both outcomes were exercised.
    EXPECT_GT(flagged, 10);
    EXPECT_GT(clean, 10);
}
