// The estimate's steps on small bridges of known geometry.
#include "estimate/estimate_calc.h"
#include "estimate_bridge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace estimate;
using testbridge::Bridge;

namespace {

double Sum(const double* a, int n)
{
    return std::accumulate(a, a + n, 0.0);
}

// Plan length of both railing lines of a straight bridge.
double RailingLines(const CEstimateInput& in)
{
    double s = 0.0;
    for (const auto& span : in.m_aSpans)
        s += span.m_dLength;
    return 2.0 * s;
}

} // namespace

TEST(EstimateQuantities, LengthFactorCountsBothGirderEnds)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    EXPECT_DOUBLE_EQ(CEstimateCalc(in).LengthFactor(), 71.0 / 70.0);
    in.m_bGirderEndMass = 0;
    EXPECT_DOUBLE_EQ(CEstimateCalc(in).LengthFactor(), 1.0);
}

TEST(EstimateQuantities, SecondRunGivesTheSameValues)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    in.m_bUseLeftBracket = in.m_bUseRightBracket = in.m_bUseEdgeStringer = in.m_bUseStringer = 1;
    CEstimateCalc calc(in);
    calc.Run();
    const Result first = calc.m_result;
    calc.Run();
    EXPECT_TRUE(first.data == calc.d);
    EXPECT_TRUE(first.sections == calc.m_result.sections);
    EXPECT_GT(calc.d.m_dSteelMassTotal, 0.0);
    EXPECT_GT(calc.d.m_nMaterialCost, 0);
}

TEST(EstimateQuantities, GirderEndsReachTheMassesByClassAndByCode)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    const Result r = RunEstimate(in);
    EXPECT_NEAR(Sum(r.data.m_adMassByClass[0], kClasses), r.data.m_dGirderMass, 1e-9);
    EXPECT_NEAR(Sum(r.data.m_adMassByCode[0], kCodes), r.data.m_dGirderMass, 1e-9);
    EXPECT_NEAR(r.data.m_dGirderCalcMass + r.data.m_dGirderExtraMass, r.data.m_dGirderMass, 1e-9);
    // Cross frames sit in the thinnest class of their grade (SM400: code 1, class 1).
    EXPECT_NEAR(r.data.m_adMassByClass[2][1], r.data.m_dSwayMass, 1e-12);
}

TEST(EstimateQuantities, BoxRibsAreBookedAtTheirFlangesAndPricedInTheGirderGroup)
{
    CEstimateInput in = Bridge({40.0}, 2, 5.0, 1);
    in.m_bSeparateRibMass = 1;
    in.m_dFlangeRibFactor = 1.1;
    for (CGirderDesign& g : in.m_aGirders)
        for (CSectionRecord& s : g.m_pSections) {
            s.m_nGradeUpper = 0;     // SS400: code 0
            s.m_nGradeWeb = 3;       // SM490Y 10 mm: code 7
            s.m_nGradeLower = 5;     // SM570: code 10
            s.m_nRibsUpper = 4;
            s.m_nRibsLower = 2;
            s.m_dRibHUpper = s.m_dRibHLower = 0.2;
            s.m_dRibTUpper = s.m_dRibTLower = 0.02;
        }
    const Result r = RunEstimate(in);
    const double f = 41.0 / 40.0, rho = 7.851814839930048;
    const double lower = 2 * (2 * 0.2 * 0.02 * 40.0 * rho) * 1.1 * f, upper = 2 * (4 * 0.2 * 0.02 * 40.0 * rho) * 1.1 * f;
    EXPECT_NEAR(r.data.m_adRibMassByCode[10], lower, 1e-9);
    EXPECT_NEAR(r.data.m_adRibMassByCode[0], upper, 1e-9);
    EXPECT_EQ(r.data.m_adRibMassByCode[7], 0.0);
    EXPECT_NEAR(r.data.m_dFlangeRibMass, upper + lower, 1e-9);
    EXPECT_NEAR(Sum(r.data.m_adMassByClass[0], kClasses), r.data.m_dGirderMass + r.data.m_dFlangeRibMass, 1e-9);
    // The SM570 lower flange and its ribs are the 570-grade mass.
    const double lowerFlange = 2 * 0.5 * 0.03 * 40.0 * rho * 1.25 * f;
    EXPECT_NEAR(r.data.m_dGrade570Mass, lowerFlange + lower, 1e-9);
}

TEST(EstimateQuantities, PlatesOfUnknownGradeAreLeftOut)
{
    CEstimateInput in = Bridge({30.0});
    in.m_aGirders[0].m_pSections[0].m_nGradeWeb = 12;
    const Result r = RunEstimate(in);
    EXPECT_EQ(r.sections[0][0].anSteelCode[1], 999);
    EXPECT_EQ(r.sections[0][0].anPriceClass[1], -1);
    const double web = r.sections[0][0].dMassWeb * 1.25 * 31.0 / 30.0;
    EXPECT_NEAR(Sum(r.data.m_adMassByClass[0], kClasses), r.data.m_dGirderMass - web, 1e-9);
    EXPECT_NEAR(Sum(r.data.m_adMassByCode[0], kCodes), r.data.m_dGirderMass - web, 1e-9);
}

TEST(EstimateQuantities, BoxCrossBeamsSpanTheGapsBetweenTheBoxes)
{
    CEstimateInput in = Bridge({30.0}, 3, 4.0, 1);
    CEstimateCalc calc(in);
    const CPanelPointRecord& pp = in.m_aSpans[0].m_aPoints[2];
    const CrossBeamPlates p = calc.CalcCrossBeamMass(pp);
    const double length = 8.0 - 2 * 1.8, rho = 7.851814839930048;
    EXPECT_NEAR(p.flange, 2 * 0.010 * 0.220 * length * rho, 1e-12);
    EXPECT_NEAR(p.web, 0.8 * 2.0 * 0.009 * length * rho, 1e-12);
    calc.Run();
    // Cross beams at points 2 and 4 of the span; T welds on four lines.
    EXPECT_EQ(calc.d.m_nCrossBeamCount, 2);
    EXPECT_NEAR(calc.d.m_dCrossBeamTWeldLength, 2 * length * 4, 1e-9);
}

TEST(EstimateDeck, AreasAndVolumesStayRealAndNonNegative)
{
    // Nearly collinear points: rounding must not make Heron's product negative.
    EXPECT_EQ(TriangleArea({0, 0}, {1e8, 1e-9}, {2e8, 0}) >= 0.0, true);
    EXPECT_FALSE(std::isnan(TriangleArea({0.1, 0.1}, {0.2, 0.2}, {0.3, 0.3})));
    EXPECT_DOUBLE_EQ(QuadArea({0, 0}, {2, 0}, {2, 3}, {0, 3}), 6.0);

    CEstimateInput in = Bridge({30.0});
    in.m_bGirderEndMass = 0;
    // Sidewalk paving 0.5 m wide on each side.
    Result r = RunEstimate(in);
    EXPECT_NEAR(r.data.m_dSidewalkPavingArea, 2 * 0.5 * 30.0, 1e-9);
    EXPECT_NEAR(r.data.m_dRoadwayPavingArea, (7.5 + 2 * 0.3) * 30.0, 1e-9);
    // (H4 + H11 - H2 + H3) / 2 = 0.175 over 0.5 m on both sides.
    EXPECT_NEAR(r.data.m_dSidewalkConcreteVolume, 2 * 0.175 * 0.5 * 30.0, 1e-9);
    // A kerb lower than the sidewalk paving gives no negative mount.
    for (auto& h : in.m_aSpans[0].m_aHeights) {
        h[1] = h[8] = 0.6;
        h[2] = h[9] = 0.0;
    }
    r = RunEstimate(in);
    EXPECT_EQ(r.data.m_dSidewalkConcreteVolume, 0.0);
    in.m_nSidewalk = 0;
    EXPECT_EQ(RunEstimate(in).data.m_dSidewalkPavingArea, 0.0);
}

TEST(EstimateCost, ReadyMadeRailingIsPricedOnEachRailingLineOnce)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    in.m_nRailingType = 2;
    in.m_nRailingUnitPrice = 10000;
    Result r = RunEstimate(in);
    // Twice the span sum plus four overhangs.
    EXPECT_EQ(r.data.m_nReadyRailingCost, 10000LL * (2 * 70 + 4 * 0.5));
    EXPECT_NEAR(r.data.m_dRailingMass, RailingLines(in) * 0.05 * 71.0 / 70.0, 1e-9);
    in.m_bGirderEndMass = 0;
    r = RunEstimate(in);
    EXPECT_EQ(r.data.m_nReadyRailingCost, 10000LL * 140);
    EXPECT_EQ(r.data.m_dManHourE, 0.0);
}

TEST(EstimateCost, YenAmountsPastTwoToTheThirtyFirstAreKept)
{
    CEstimateInput in = Bridge({40.0});
    for (CGirderDesign& g : in.m_aGirders)
        for (CSectionRecord& s : g.m_pSections)
            s.m_dTUpper = s.m_dTLower = s.m_dTWeb = 10.0;    // absurdly heavy plates
    const Result r = RunEstimate(in);
    EXPECT_GT(r.data.m_nSteelMaterialTotal, (1LL << 31));
    long long sum = 0;
    for (long long v : r.data.m_anSteelMaterialCost)
        sum += v;
    EXPECT_EQ(sum, r.data.m_nSteelMaterialTotal);
    EXPECT_GT(r.data.m_nErectionCost, (1LL << 31));
}

TEST(EstimateCost, BearingsTakeTheStepTableMassOfTheLargestReaction)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    in.m_adLineReaction = {120.0, 150.0, 39.0};
    Result r = RunEstimate(in);
    EXPECT_EQ(r.data.m_nBearingCost, (long long)((386.0 + 639.0 + 117.0) * 4 / 1000.0 * 1500000));
    in.m_nBearingPriceMode = 1;
    in.m_nBearingPricePerPiece = 200000;
    r = RunEstimate(in);
    EXPECT_EQ(r.data.m_nBearingCost, 200000LL * 3 * 4);
}

TEST(EstimateCost, OverheadRatesFollowTheirFormulas)
{
    EXPECT_NEAR(CommonTemporaryRate(1e7, 1, -1), 0.233902, 1e-6);
    EXPECT_DOUBLE_EQ(CommonTemporaryRate(1e3, 1, -1), 0.2596);
    EXPECT_DOUBLE_EQ(CommonTemporaryRate(1e3, 1, 0), 0.2596 * 1.02);
    EXPECT_NEAR(SiteManagementRate(1e8, 1, -1, 0.0), 0.297921, 1e-6);
    EXPECT_NEAR(GeneralAdminRate(1e8, 1, 1.0, 0.0), 0.1102323, 1e-9);
    EXPECT_NEAR(GeneralAdminRate(1e9, 1, 1.0, 0.0), 0.0844672, 1e-9);
    EXPECT_DOUBLE_EQ(GeneralAdminRate(1e3, 1, 1.0, 0.0), 0.1438);
    EXPECT_NEAR(GeneralAdminRate(1e3, 0, 1.0, 0.0), (3 * -2.57651 + 31.63531) / 100.0, 1e-12);
    // No amount, no rate: neither a power nor a logarithm of zero.
    EXPECT_EQ(CommonTemporaryRate(0.0, 1, -1), 0.0);
    EXPECT_EQ(SiteManagementRate(-5.0, 0, -1, 0.0), 0.0);
    EXPECT_EQ(GeneralAdminRate(0.0, 1, 1.0, 0.0), 0.0);
}

TEST(EstimateLabour, MeanSpanCorrectionByBridgeForm)
{
    struct Case {
        std::vector<double> spans;
        int type;
        double delta;
    };
    const Case cases[] = {{{30.0}, 0, 0.0},         {{29.0}, 0, -0.03}, {{40.0}, 0, 0.03},
                          {{70.0}, 1, 0.06},        {{69.0}, 1, 0.03},  {{35.0, 45.0}, 1, -0.03}};
    for (const Case& c : cases) {
        CEstimateInput in = Bridge(c.spans, 2, 5.0, c.type);
        EXPECT_DOUBLE_EQ(RunEstimate(in).data.m_dManHourDelta, c.delta) << c.spans[0];
    }
}

TEST(EstimateLabour, ModelTermsComeFromTheLabourElementTotals)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    const CEstimateData d = RunEstimate(in).data;
    EXPECT_EQ(d.m_dManHourA1, d.m_nLargePiecesTotal);
    EXPECT_EQ(d.m_dManHourA2, d.m_nSmallPiecesTotal);
    EXPECT_EQ(d.m_nManHourC, d.m_nMembersTotal);
    EXPECT_EQ(d.m_dManHourC1, d.m_nSwayMembers);
    EXPECT_EQ(d.m_dManHourC2, d.m_nLateralMembers);
    EXPECT_EQ(d.m_dManHourB2, d.m_dTWeldLengthTotal);
    EXPECT_EQ(d.m_dManHourB1, 0.0);
    EXPECT_EQ(d.m_dManHourK, 1.0);      // no 570-grade steel
    EXPECT_DOUBLE_EQ(d.m_dManHourAlpha, 0.03);    // decided by the number of spans
    const double y = ((d.m_dManHourY1 + d.m_dManHourY2) * d.m_dManHourK + d.m_dManHourY3 + d.m_dManHourY4) *
                         (1 - d.m_dManHourAlpha) * (1 + d.m_dManHourBeta) * (1 + d.m_dManHourGamma) * (1 + d.m_dManHourDelta) +
                     d.m_dManHourY5;
    EXPECT_DOUBLE_EQ(d.m_dManHourY, y);
    EXPECT_DOUBLE_EQ(d.m_dFabricationCost, 27400.0 * y);
    // Four plate girders, a block per span: three plates a girder, no splice plates.
    EXPECT_EQ(d.m_nGirderMembers, 4 * 2);
    EXPECT_EQ(d.m_nGirderLargePieces, 3 * 8);
}

TEST(EstimateLabour, EmptyDesignGivesZeroTermsNotNumbersOfNothing)
{
    CEstimateInput in = Bridge({30.0});
    in.m_aGirders.clear();
    in.m_nGirders = 1;
    in.m_adGirderHeight = {2.0};
    const CEstimateData d = RunEstimate(in).data;
    const double values[] = {d.m_dManHourK1, d.m_dManHourK2, d.m_dManHourK4, d.m_dManHourW0, d.m_dManHourY,
                             d.m_dGeneralAdminRate, d.m_dSiteManagementRate, d.m_dCommonTemporaryRate, d.m_dLateralMass,
                             d.m_dSwayMass, d.m_dShopCostTotal};
    for (double v : values)
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(d.m_dManHourK1, 0.0);
    EXPECT_EQ(d.m_nCrossBeamMembers, 0);
    EXPECT_EQ(d.m_dLateralMass, 0.0);
}
