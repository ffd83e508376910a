// The estimate after a real grillage run: every quantity, mass and amount is there, finite,
// and the estimate command computes the same again.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "design/girder_design.h"

#include <cmath>

namespace {

class EstimateRunTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        m_shown.clear();
    }
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }
};

}

TEST_F(EstimateRunTest, GrillageRunFillsTheEstimateAndTheCommandRepeatsIt)
{
    CMarivoltenDoc& doc = *g_pDoc;
    const int runs = doc.m_nEstimateRuns;
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(doc.m_pGirders, nullptr);
    // Once before the second pass's input, once at the end.
    EXPECT_EQ(doc.m_nEstimateRuns, runs + 2);
    ASSERT_EQ(m_shown.size(), 1) << m_shown.join(QLatin1Char('|')).toStdString();

    const CEstimateData& d = doc;
    const double positive[] = {d.m_dGirderMass, d.m_dSwayMass, d.m_dLateralMass,
                               d.m_dGirderBoltMass, d.m_dRailingMass, d.m_dExpansionJointMass, d.m_dSteelMassTotal,
                               d.m_dPaintArea, d.m_dRoadwayPavingArea, d.m_dSidewalkPavingArea, d.m_dDeckConcreteVolume,
                               d.m_dTWeldLengthTotal, d.m_dMainMemberMass, d.m_dFabricatedMass, d.m_dManHourY,
                               d.m_dFabricationCost, d.m_dShopCostTotal, d.m_dSiteCostTotal, d.m_dCommonTemporaryRate,
                               d.m_dSiteManagementRate, d.m_dGeneralAdminRate, d.m_dGeneralAdminCost,
                               double(d.m_nMaterialCost), double(d.m_nSteelMaterialTotal), double(d.m_nBearingCost),
                               double(d.m_nTransportCost), double(d.m_nLargePiecesTotal), double(d.m_nMembersTotal)};
    for (size_t i = 0; i < std::size(positive); ++i) {
        EXPECT_TRUE(std::isfinite(positive[i])) << i;
        EXPECT_GT(positive[i], 0.0) << i;
    }
    EXPECT_TRUE(std::isfinite(d.m_dCrossBeamMass));
    EXPECT_EQ(d.m_anSteelExtra[0], 1300);
    double byClass = 0.0;
    for (const auto& group : d.m_adMassByClass)
        for (double m : group) {
            EXPECT_TRUE(std::isfinite(m));
            byClass += m;
        }
    EXPECT_NEAR(byClass, d.m_dGirderMass + d.m_dCrossBeamMass + d.m_dSwayMass + d.m_dLateralMass, 1e-6);
    // Every plate has its material code, price class and mass.
    for (int g = 0; g < g_nGirders; ++g)
        for (const CSectionRecord& s : doc.m_pGirders[g].m_pSections) {
            for (int p = 0; p < 3; ++p) {
                EXPECT_GE(s.m_anSteelCode[p], 0);
                EXPECT_LE(s.m_anSteelCode[p], 34);
                EXPECT_GE(s.m_anPriceClass[p], 0);
            }
            EXPECT_GT(s.m_dMassUpper, 0.0);
            EXPECT_GT(s.m_dMassWeb, 0.0);
            EXPECT_GT(s.m_dMassLower, 0.0);
        }

    const CEstimateData first = d;
    m_shown.clear();
    Command(ID_CALC_ESTIMATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(doc.m_nEstimateRuns, runs + 3);
    EXPECT_TRUE(first == static_cast<const CEstimateData&>(doc));
}
