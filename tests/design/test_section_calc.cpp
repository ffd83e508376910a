// One section: properties, stresses, allowables, resisting moment, weights, boxes, holes,
// unit conversions and the grade choice, checked against hand calculations.
#include "design/section_calc.h"
#include "design/steel_tables.h"
#include "design_girder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 10 m girder of one member under +400 tf·m and 100 tf, one reference section.
CGirderDesign ReferenceGirder(CDesignInput in = PlateInput({1}))
{
    CGirderDesign g = CurveGirder(in, 10.0, Constant(400), Constant(400), Constant(100), Constant(100));
    ReferenceSections(g, {10.0});
    return g;
}

TEST(SectionProperties, ReferenceISection)
{
    const CGirderDesign g = ReferenceGirder();
    const CSectionRecord& s = g.m_pSections[0];
    EXPECT_NEAR(s.m_dArea, 0.0395, 1e-12);
    EXPECT_NEAR(s.m_dNeutralAxis, 0.801582, 1e-6);
    EXPECT_NEAR(s.m_dI, 0.0221372, 1e-7);
    EXPECT_NEAR(s.GetUpperFlangeStress(g, 0), 18944, 1);
    EXPECT_NEAR(s.GetLowerFlangeStress(g, 0), 14484, 1);
    EXPECT_DOUBLE_EQ(s.GetUpperAllowableStress(g, 0), 21000);
    EXPECT_DOUBLE_EQ(s.GetLowerAllowableStress(g, 0), 21000);
    EXPECT_NEAR(s.GetShearStress(0), 5555.6, 0.1);
    EXPECT_NEAR(s.GetCombinedStressRatio(g, 0), 1.028, 5e-4);
    EXPECT_NEAR(s.m_dMr, 443.4, 0.05);
    EXPECT_NEAR(steel::FromTf(s.GetUpperFlangeStress(g, 0), 1), 185.8, 0.05);   // as SI prints it
}

TEST(SectionProperties, WeightsOfATenMetreSection)
{
    struct Row {
        int bSI, nBridgeType;
        double upper, lower, web, whole;
    };
    const Row rows[] = {
        {0, 0, 0.628, 1.05975, 1.413, 3.10075},
        {1, 0, 0.6281452, 1.0599950, 1.4133267, 3.1014669},
        {0, 1, 0.628, 1.05975, 2.826, 4.51375},
    };
    for (const Row& r : rows) {
        CDesignInput in = PlateInput({1});
        in.m_bSIUnits = r.bSI;
        in.m_nBridgeType = r.nBridgeType;
        const CGirderDesign g = ReferenceGirder(in);
        const CSectionRecord& s = g.m_pSections[0];
        EXPECT_NEAR(s.GetPlateWeight(), r.upper, 1e-7);
        EXPECT_NEAR(s.GetLowerFlangeWeight(), r.lower, 1e-7);
        EXPECT_NEAR(s.GetWebWeight(), r.web, 1e-7);
        EXPECT_NEAR(s.m_dWWhole, r.whole, 1e-7);
    }
}

TEST(SectionProperties, LateralBucklingOfALowerFlange)
{
    struct Row {
        double b, t, kgf, si;
    };
    // l = 5 m, SM490Y, web 1800 x 10.
    const Row rows[] = {{0.45, 0.03, 1765.1, 176.51}, {0.30, 0.02, 1476.2, 147.62}};
    for (const Row& r : rows) {
        const double aw = 1.8 * 0.01, ac = r.b * r.t;
        EXPECT_NEAR(section::LateralAllowable(3, r.t, 5.0, r.b, aw, ac, 0, 1) / 10, r.kgf, 0.1);
        EXPECT_NEAR(steel::FromTf(section::LateralAllowable(3, r.t, 5.0, r.b, aw, ac, 1, 1), 1), r.si, 0.01);
    }
    // The free projection of the reference lower flange is stocky enough for no reduction.
    EXPECT_NEAR(section::BucklingParameter(0.22, 0.03, 3, section::kFreeProjection), 0.496, 1e-3);
    EXPECT_EQ(section::BucklingFactor(0.22, 0.03, 3, section::kFreeProjection), 1.0);
    // Just above the limit the factor does not exceed one.
    EXPECT_LE(section::BucklingFactor(0.104 * 1.005, 0.01, 3, section::kFreeProjection), 1.0);
}

TEST(SteelTables, AllowablesAtTheBandEdges)
{
    struct Row {
        int grade, mm, bSI, nHSteel;
        double bending, shear;     // in the unit system's stress unit
    };
    const Row rows[] = {
        {3, 40, 0, 1, 2100, 1200}, {3, 41, 0, 1, 2000, 1150}, {3, 75, 0, 1, 2000, 1150},
        {3, 76, 0, 1, 1950, 1100}, {3, 76, 0, 0, 1950, 1100},     // -H leaves SM490Y alone
        {4, 76, 0, 0, 2100, 1200}, {5, 41, 1, 1, 245, 140}, {5, 41, 1, 0, 255, 145},
        {0, 120, 0, 1, 1300, 750}, {8, 90, 1, 0, 255, 145}, {6, 20, 1, 1, 140, 80},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "grade " << r.grade << ", " << r.mm << " mm");
        EXPECT_NEAR(steel::FromTf(steel::AllowableBending(r.grade, r.mm / 1000.0, r.bSI, r.nHSteel), r.bSI), r.bending, 1e-9);
        EXPECT_NEAR(steel::FromTf(steel::AllowableShear(r.grade, r.mm / 1000.0, r.bSI, r.nHSteel), r.bSI), r.shear, 1e-9);
    }
}

TEST(SteelTables, StressUnits)
{
    EXPECT_NEAR(steel::ToTf(140, 1), 14276.03, 0.005);
    EXPECT_NEAR(steel::ToTf(120, 1), 12236.59, 0.005);
    EXPECT_NEAR(steel::ToTf(1, 1), 101.97, 0.005);
    EXPECT_DOUBLE_EQ(steel::ToTf(10, 0), 100);
    EXPECT_EQ(std::lround(steel::FromTf(steel::ToTf(140, 1), 0)), 1428);
    EXPECT_NEAR(steel::FromTf(steel::ToTf(140, 1), 1), 140.0, 1e-9);
}

TEST(SteelTables, LaddersAndThicknessLists)
{
    struct Row {
        int limit, weathering;
        std::vector<int> ladder;
    };
    const Row rows[] = {
        {3, 1, {1, 2, 3}}, {4, 1, {1, 2, 4}}, {0, 1, {0}}, {5, 1, {1, 2, 3, 5}},
        {steel::LimitGrade(3, 0), 0, {6, 7}}, {steel::LimitGrade(7, 1), 1, {1, 2, 3}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(steel::Ladder(r.limit, r.weathering), r.ladder) << r.limit;
    const std::vector<double> market = steel::Thicknesses(0, 0.009, 0.1);
    EXPECT_DOUBLE_EQ(steel::RoundUp(market, 0.02896), 0.030);
    EXPECT_DOUBLE_EQ(steel::RoundUp(market, 0.2), 0.1);
    EXPECT_DOUBLE_EQ(steel::RoundUp(steel::Thicknesses(1, 0.009, 0.1), 0.02896), 0.029);
}

TEST(GradeChoice, WeakestGradesThatPassEveryCheck)
{
    struct Row {
        int weathering;
        int upper, lower, web;
        double mr;
    };
    const Row rows[] = {{1, 3, 2, 2, 443.4}, {0, 7, 7, 7, 443.4}};
    for (const Row& r : rows) {
        CDesignInput in = PlateInput({1});
        in.m_nWeathering = r.weathering;
        CGirderDesign g = ReferenceGirder(in);
        g.ChooseGrades(0, 0);
        const CSectionRecord& s = g.m_pSections[0];
        EXPECT_EQ(s.m_nGradeUpper, r.upper);
        EXPECT_EQ(s.m_nGradeLower, r.lower);
        EXPECT_EQ(s.m_nGradeWeb, r.web);
        EXPECT_NEAR(s.m_dMr, r.mr, 0.05);
        EXPECT_LE(s.GetCombinedStressRatio(g, 0), 1.2);
    }
}

TEST(BoxGirder, TorsionAndEffectiveWidth)
{
    EXPECT_NEAR(section::BoxTorsion(1.8, 2.0, 0.014, 0.012, 0.011), 0.081474, 1e-6);
    EXPECT_NEAR(section::EffectiveWidth(0.9, 12.0), 0.855, 1e-12);
    EXPECT_DOUBLE_EQ(section::EffectiveWidth(0.9, 32.0), 0.9);
    EXPECT_DOUBLE_EQ(section::EffectiveWidth(0.9, 2.0), 0.3);

    // Spans 30 + 30 m: the equivalent span and the effective ribs at the pier.
    CDesignInput in = PlateInput({6, 6});
    in.m_nBridgeType = 1;
    CGirderDesign g = CurveGirder(in, 5.0, Constant(-100), Constant(-100));
    EXPECT_DOUBLE_EQ(g.EffectiveSpan(30.0, -1), 12.0);
    EXPECT_DOUBLE_EQ(g.EffectiveSpan(10.0, 1), 24.0);
    CSectionRecord s;
    s.m_nRibsLower = 5;
    s.m_adCheck[1] = 30.0;
    s.m_adM[1] = -100;
    EXPECT_EQ(s.GetEffectiveRibCount(g, 1, 1), 4);
    EXPECT_EQ(s.GetEffectiveRibCount(CurveGirder(PlateInput({6, 6}), 5.0, Constant(1), Constant(1)), 1, 1), 0);
}

TEST(BoxGirder, WidthsThatTheTablesPrint)
{
    CDesignInput in = PlateInput({8});
    in.m_nBridgeType = 1;
    CGirderDesign g = CurveGirder(in, 5.0, Constant(100), Constant(100));
    ReferenceSections(g, {40.0});
    CSectionRecord& s = g.m_pSections[0];
    s.m_dBUpper = 2.2;
    s.Recalculate(g);
    // One span of 40 m, positive: l = 40, the flange between the webs is fully effective.
    EXPECT_NEAR(s.GetMinEffectiveWidth(0), 2.2, 1e-12);
    EXPECT_DOUBLE_EQ(s.GetMinEffectiveWidth(1), 0.45);
    EXPECT_GT(s.m_dJ, 0.0);
}

TEST(BoltHoles, FactorsAndTableLookUp)
{
    EXPECT_NEAR(section::HoleFactor(0.45, 4, 0.025, 0), 1.2857, 1e-4);
    EXPECT_NEAR(section::HoleFactor(0.45, 4, 0.025, 1), 1.169, 1e-3);
    EXPECT_DOUBLE_EQ(section::HoleFactor(0.1, 4, 0.025, 0), 99.0);

    struct Row {
        double width;
        int holes;
    };
    const Row rows[] = {{0.40, 4}, {0.30, 2}, {0.35, 2}, {1.20, 4}};
    CDesignInput in = PlateInput({2});
    for (const Row& r : rows) {
        CSectionRecord s;
        s.m_dBLower = r.width;
        s.m_adM[0] = s.m_adM[1] = 50;   // the lower flange in tension
        s.SetBoltHoles(in);
        EXPECT_EQ(s.m_anBoltHoles[0], r.holes) << r.width;
    }

    // The reference section's lower flange, 450 mm with 4 holes of 25 mm, at each joint kind.
    struct Joint {
        int kind, bDeduction, bNet;
        double factor;
    };
    const Joint joints[] = {{0, 1, 0, 1.2857}, {0, 1, 1, 1.169}, {1, 1, 0, 1.0}, {2, 1, 0, 1.0}, {0, 0, 0, 1.0}};
    for (const Joint& j : joints) {
        in.m_bPlateHoleDeduction = j.bDeduction;
        in.m_bPlateNetArea11 = j.bNet;
        CSectionRecord s;
        s.m_dBLower = 0.45;
        s.m_adM[0] = 50;
        s.SetBoltHoles(in);
        s.m_anJointKind[0] = j.kind;
        EXPECT_NEAR(s.GetHoleStressFactor(0), j.factor, 1e-3);
        EXPECT_EQ(s.m_anBoltHoles[0], j.bDeduction ? 4 : 0);
    }
}

TEST(PreliminarySection, FromTheAssumedWeight)
{
    struct Row {
        int bSI, nThicknessStep;
        double weight, height;
        double b, t, area;
    };
    const Row rows[] = {
        {0, 0, 0.45, 1.8, 0.71, 0.030, 0.71 * 0.03 * 2 + 1.8 * 0.009},
        {1, 1, 4.5, 2.0, 0.70, 0.029, 0.0586},
    };
    for (const Row& r : rows) {
        CDesignInput in = PlateInput({4});
        in.m_bSIUnits = r.bSI;
        in.m_nThicknessStep = r.nThicknessStep;
        in.m_dAssumedWeight = r.weight;
        in.m_dGirderHeight = r.height;
        in.m_dLineLength = 30.0;
        CGirderDesign g;
        g.InitSingleSection(in);
        ASSERT_EQ(g.m_nSections, 1);
        const CSectionRecord& s = g.m_pSections[0];
        EXPECT_DOUBLE_EQ(s.m_dTWeb, 0.009);
        EXPECT_DOUBLE_EQ(s.m_dBUpper, r.b);
        EXPECT_DOUBLE_EQ(s.m_dTUpper, r.t);
        EXPECT_NEAR(s.m_dArea, r.area, 1e-12);
        if (r.bSI) {
            EXPECT_NEAR(s.m_dI, 0.04778878, 1e-8);
            EXPECT_NEAR(s.m_dJ, 1.186753e-5, 1e-11);
        }
    }
}

}
