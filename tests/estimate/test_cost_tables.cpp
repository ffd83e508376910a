// The contract cost, material cost and fabrication cost tables: their rounding, their rows and
// their agreement with the document's own cost roll-up.
#include "estimate/cost_tables.h"
#include "estimate/estimate_calc.h"
#include "estimate_bridge.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace estimate;
using testbridge::Bridge;

namespace {

QString Amount(const std::vector<CostRow>& rows, int row)
{
    return rows.at(size_t(row)).amount.trimmed();
}

} // namespace

TEST(CostTableRounding, FractionsFromPointFourFiveRaiseTheRestAreCarried)
{
    EXPECT_DOUBLE_EQ(RoundItem(2.45), 3.0);
    EXPECT_DOUBLE_EQ(RoundItem(12.45), 12.45);      // its double lies just below 12.45
    EXPECT_DOUBLE_EQ(RoundItem(1234.449), 1234.449);
    EXPECT_DOUBLE_EQ(ItemThousand(1234450), 1235.0);
    EXPECT_EQ(AmountText(1234.999), QStringLiteral("    1234"));
    EXPECT_EQ(AmountText(-3.7), QStringLiteral("      -3"));
}

TEST(ContractCostTable, MaterialCostDropsTheRemainderAndSumsCarryFractions)
{
    CEstimateData d;
    CEstimateInput in;
    in.m_dIndirectLabourRate = in.m_dShopOverheadRate = 0.0;
    d.m_nMaterialCost = 12345678;
    d.m_nPavingCost = 12345678;
    d.m_dFabricationCost = 1234449;
    std::vector<CostRow> rows = ContractCostRows(d, in);
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_EQ(Amount(rows, 4), QStringLiteral("12345"));
    EXPECT_EQ(Amount(rows, 16), QStringLiteral("12345"));
    EXPECT_EQ(Amount(rows, 5), QStringLiteral("1234"));
    // 12345 + 1234.449 carried up to the shop cost and the total.
    const ContractCost c = CalcContractCost(d, in);
    EXPECT_NEAR(c.a[3], 13579.449, 1e-9);
    EXPECT_NEAR(c.a[2], 13579.449, 1e-9);
    d.m_dFabricationCost = 1234450;
    EXPECT_EQ(Amount(ContractCostRows(d, in), 5), QStringLiteral("1235"));

    // 100 + 200.3 + 50.3 = 350.6 shows 350.
    d = CEstimateData();
    d.m_nMaterialCost = 100000;
    d.m_dFabricationCost = 200300;
    d.m_dPaintArea = 50.3;
    in.m_nShopPaintUnitPrice = 1000;
    rows = ContractCostRows(d, in);
    EXPECT_EQ(Amount(rows, 6), QStringLiteral("50"));
    EXPECT_NEAR(CalcContractCost(d, in).a[3], 350.6, 1e-9);
    EXPECT_EQ(Amount(rows, 3), QStringLiteral("350"));
    in.m_bZeroPaintCost = 1;
    rows = ContractCostRows(d, in);
    EXPECT_EQ(Amount(rows, 6), QStringLiteral("0"));
    EXPECT_EQ(rows[6].method, QStringLiteral("塗装面積 50.30 m2 × 単価 1000 円/m2"));
}

TEST(ContractCostTable, RatesEnterAsPrintedExceptTheShopRates)
{
    CEstimateData d;
    CEstimateInput in;
    d.m_nPavingCost = 1000000;          // the site's direct cost: 1000
    d.m_dCommonTemporaryRate = 0.12345;
    d.m_dFabricationCost = 1000000;
    in.m_dIndirectLabourRate = 0.1234;
    const ContractCost c = CalcContractCost(d, in);
    EXPECT_DOUBLE_EQ(c.a[20], 123.0);
    EXPECT_NEAR(c.a[8], 123.4, 1e-9);
    const std::vector<CostRow> rows = ContractCostRows(d, in);
    EXPECT_EQ(rows[20].method, QStringLiteral("①直接工事費 × 共通仮設比率 0.123"));
    EXPECT_EQ(rows[8].method, QStringLiteral("2)製作費 × 0.123"));
}

TEST(ContractCostTable, PaintingAreaEntersShopAndSiteAtTheirPrintedPrecision)
{
    CEstimateData d;
    CEstimateInput in;
    d.m_dPaintArea = 123.456;
    in.m_nShopPaintUnitPrice = 100;
    in.m_nSitePaintUnitPrice = 100;
    const ContractCost c = CalcContractCost(d, in);
    EXPECT_NEAR(c.a[6], 12.346, 1e-9);   // 123.46 m2, the fraction carried
    EXPECT_NEAR(c.a[14], 12.35, 1e-9);   // 123.5 m2
    const std::vector<CostRow> rows = ContractCostRows(d, in);
    EXPECT_EQ(rows[6].method, QStringLiteral("塗装面積 123.46 m2 × 単価 100 円/m2"));
    EXPECT_EQ(rows[14].method, QStringLiteral("塗装面積 123.5 m2 × 単価 100 円/m2"));
}

// Transport and erection are charged per tonne of the total steel mass, as the document charges
// them, so that the document's overhead rates apply to the amount they were worked out on.
TEST(ContractCostTable, SiteItemsAreChargedOnTheTotalSteelMass)
{
    CEstimateData d;
    CEstimateInput in;
    d.m_dFabricatedMass = 100.0;
    d.m_dSteelMassTotal = 110.0;
    in.m_nTransportUnitPrice = 5000;
    in.m_nErectionUnitPrice = 20000;
    const ContractCost c = CalcContractCost(d, in);
    EXPECT_DOUBLE_EQ(c.a[12], 550.0);
    EXPECT_DOUBLE_EQ(c.a[13], 2200.0);
    EXPECT_EQ(ContractCostRows(d, in)[12].method, QStringLiteral("部材総質量 110.0 t × 単価 5000 円/t"));
}

TEST(ContractCostTable, TotalAgreesWithTheDocumentsRollUp)
{
    for (int type : {0, 1}) {
        const Result r = RunEstimate(Bridge({30.0, 40.0, 30.0}, 4, 2.5, type));
        const CEstimateData& d = r.data;
        ASSERT_GT(d.m_dSteelMassTotal, d.m_dFabricatedMass + 1.0);
        const ContractCost c = CalcContractCost(d, Bridge({30.0, 40.0, 30.0}, 4, 2.5, type));
        // Items differ from the document's only by their rounding (at most one each) and by
        // half the last printed digit of their quantities (0.05 t, m2, m3) times the price.
        EXPECT_NEAR(c.a[3], d.m_dShopDirectCost / 1000.0, 3.0) << type;
        EXPECT_NEAR(c.a[11], d.m_dSiteDirectCost / 1000.0, 5.0 + 0.05 * (12000 + 100000 + 3000 + 100000) / 1000.0) << type;
        // The overhead rates enter as printed, to 0.001.
        const double total = DocumentContractTotal(d) / 1000.0;
        EXPECT_NEAR(c.a[1], total, total * 1e-3) << type;
    }
}

TEST(MaterialCostTable, RowsAddUpToTheDocumentsMaterialCost)
{
    CEstimateInput in = Bridge({30.0, 40.0, 30.0});
    in.m_nRailingType = 2;
    in.m_nRailingUnitPrice = 30000;
    in.m_nJointType = 2;
    in.m_nJointUnitPrice = 400000;
    const Result r = RunEstimate(in);
    const MaterialCost m = CalcMaterialCostTable(r.data, in, true);
    ASSERT_EQ(m.nRows, 11);
    EXPECT_DOUBLE_EQ(m.a[1], double(r.data.m_nMaterialCost) / 1000.0);
    double sum = 0.0;
    for (int row = 2; row < m.nRows; ++row)
        if (row != 3 && row != 4)
            sum += m.a[row];
    EXPECT_NEAR(sum, m.a[1], 5.0);
    EXPECT_NEAR(m.a[2], double(r.data.m_nSteelAndPrepCost) / 1000.0, 2.0);
    EXPECT_NEAR(m.a[5], double(r.data.m_nBearingCost) / 1000.0, 1.0);
    EXPECT_NEAR(m.a[9], double(r.data.m_nReadyRailingCost) / 1000.0, 1.0);
    EXPECT_NEAR(m.a[10], double(r.data.m_nReadyJointCost) / 1000.0, 1.0);
    // A straight bridge with its girder ends: both lines of 100 m and four ends of 0.5 m.
    EXPECT_NEAR(m.dRailing, 202.0, 1e-9);
}

TEST(MaterialCostTable, BoltsAreNotRoundedDrainageIs)
{
    CEstimateData d;
    CEstimateInput in;
    in.m_nBoltUnitPrice = 10000;
    in.m_nDrainageUnitPrice = 10000;
    d.m_dGirderBoltMass = 1.0;
    d.m_dCrossBeamBoltMass = 0.27;
    d.m_dDrainageMass = 1.25;
    std::vector<CostRow> rows = MaterialCostRows(d, in, true);
    EXPECT_EQ(Amount(rows, 6), QStringLiteral("12"));
    EXPECT_EQ(Amount(rows, 7), QStringLiteral("13"));
    d.m_dDrainageMass = 1.244;
    rows = MaterialCostRows(d, in, true);
    EXPECT_EQ(Amount(rows, 7), QStringLiteral("12"));
    EXPECT_EQ(rows[7].method, QStringLiteral("    1.24 t ×    10.0 千円/t"));
}

TEST(MaterialCostTable, MaterialCostShowsAsInTheContractCostTable)
{
    CEstimateData d;
    CEstimateInput in;
    d.m_nMaterialCost = 12345678;
    EXPECT_EQ(Amount(MaterialCostRows(d, in, true), 1), QStringLiteral("12345"));
    EXPECT_EQ(Amount(ContractCostRows(d, in), 4), QStringLiteral("12345"));
}

TEST(MaterialCostTable, BearingsPerPieceCountEverySupportLine)
{
    CEstimateInput in = Bridge({30.0, 40.0, 30.0}, 5);
    in.m_nBearingPriceMode = 1;
    in.m_nBearingPricePerPiece = 150000;
    CEstimateData d;
    std::vector<CostRow> rows = MaterialCostRows(d, in, true);
    EXPECT_EQ(rows[5].method, QStringLiteral("  150.0 千円/個 ×  20 個"));
    EXPECT_EQ(Amount(rows, 5), QStringLiteral("3000"));
    in.m_nBridgeType = 2;
    EXPECT_EQ(CalcMaterialCostTable(d, in, true).nBearings, 8);
}

TEST(MaterialCostTable, BearingsFromTheMassNeedAGrillageRun)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    in.m_adLineReaction = {120.0, 150.0, 39.0};
    CEstimateData d;
    EXPECT_DOUBLE_EQ(CalcMaterialCostTable(d, in, true).dBearingMass, (386.0 + 639.0 + 117.0) * 4);
    const MaterialCost none = CalcMaterialCostTable(d, in, false);
    EXPECT_EQ(none.dBearingMass, 0.0);
    EXPECT_EQ(none.a[5], 0.0);
}

TEST(MaterialCostTable, ReadyMadeRailingAndJointsAddRows)
{
    CEstimateInput in = Bridge({30.0, 40.0});
    CEstimateData d;
    std::vector<CostRow> rows = MaterialCostRows(d, in, true);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[1].method, QStringLiteral("(1) + (2) + (3) + (4) + (5)"));
    EXPECT_TRUE(rows[1].bold);
    in.m_nJointType = 2;
    rows = MaterialCostRows(d, in, true);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9].caption, QStringLiteral("   (6)伸縮継手  "));
    in.m_nJointType = 0;
    in.m_nRailingType = 2;
    rows = MaterialCostRows(d, in, true);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9].caption, QStringLiteral("   (6)高欄      "));
    // Both railing lines of 70 m with two girder ends of 0.5 m each.
    EXPECT_EQ(rows[9].method.left(8), QStringLiteral("  142.00"));
    in.m_nJointType = 2;
    rows = MaterialCostRows(d, in, true);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[1].method, QStringLiteral("(1) + (2) + (3) + (4) + (5) + (6) + (7)"));
    EXPECT_EQ(rows[10].caption, QStringLiteral("   (7)伸縮継手  "));
}

TEST(MaterialCostTable, NoSteelGivesNoAveragePrice)
{
    CEstimateData d;
    d.m_nSteelMaterialTotal = 5000;
    const MaterialCost m = CalcMaterialCostTable(d, CEstimateInput(), true);
    EXPECT_EQ(m.dSteelPrice, 0.0);
    EXPECT_EQ(m.a[3], 0.0);
}

TEST(FabricationCostTable, CostAndPriceInThousandYen)
{
    CEstimateData d;
    CEstimateInput in;
    in.m_nFabricationLabourRate = 4500;
    d.m_dFabricationCost = 1234450;
    d.m_dManHourA1 = 12.9;
    const std::vector<CostRow> rows = FabricationCostRows(d, in);
    ASSERT_EQ(rows.size(), 44u);
    EXPECT_EQ(rows[1].method, QStringLiteral("全体製作工数 Y × 製作工労務単価     4.50"));
    // The same figure as the fabrication cost of the contract cost table.
    EXPECT_EQ(rows[1].amount, ContractCostRows(d, in)[5].amount);
    EXPECT_EQ(Amount(rows, 1), QStringLiteral("1235"));
    EXPECT_EQ(Amount(rows, 14), QStringLiteral("12"));
    EXPECT_TRUE(rows[1].bold);
}

TEST(CostTables, UnitSystemChangesCaptionsNotNumbers)
{
    CEstimateInput in = Bridge({30.0, 40.0, 30.0});
    in.m_nRailingType = 2;
    const Result r = RunEstimate(in);
    CEstimateInput gravitational = in;
    gravitational.m_bSIUnits = 0;
    const auto differing = [](const std::vector<CostRow>& a, const std::vector<CostRow>& b) {
        std::vector<int> rows;
        EXPECT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
            EXPECT_EQ(a[i].amount, b[i].amount) << i;
            EXPECT_EQ(a[i].caption, b[i].caption) << i;
            if (a[i].method != b[i].method)
                rows.push_back(int(i));
        }
        return rows;
    };
    const std::vector<CostRow> si = ContractCostRows(r.data, in), grav = ContractCostRows(r.data, gravitational);
    EXPECT_EQ(differing(si, grav), (std::vector<int>{12, 13}));
    EXPECT_TRUE(grav[12].method.startsWith(QStringLiteral("部材総重量 ")));
    EXPECT_TRUE(differing(MaterialCostRows(r.data, in, true), MaterialCostRows(r.data, gravitational, true)).empty());
    const std::vector<CostRow> fsi = FabricationCostRows(r.data, in), fgrav = FabricationCostRows(r.data, gravitational);
    EXPECT_EQ(differing(fsi, fgrav), (std::vector<int>{18, 19, 31}));
    EXPECT_EQ(fgrav[31].method, QStringLiteral("    K4：1部材当り重量による影響係数"));
}
