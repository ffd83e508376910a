// The mass breakdown and labour element tables built from a finished estimate: every block's
// rows add up to its total, the rows stand where the block sizes put them, and the labour
// table shows only the member kinds the design has.
#include "estimate/breakdown_tables.h"
#include "estimate/estimate_calc.h"
#include "estimate_bridge.h"
#include "framework/format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace estimate;

namespace {

const QString kGrades[9] = {"SS400", "SM400", "SM400C", "SM490Y", "SM490YC", "SM520", "SM520C", "SM570", "SM570Q"};

// The input as the document holds it after a run: the section records carry their masses.
struct Estimated {
    CEstimateInput in;
    CEstimateData d;
};
Estimated Estimate(CEstimateInput in)
{
    const Result r = RunEstimate(in);
    for (size_t g = 0; g < in.m_aGirders.size(); ++g)
        for (size_t s = 0; s < in.m_aGirders[g].m_pSections.size(); ++s) {
            CSectionRecord& rec = in.m_aGirders[g].m_pSections[s];
            const SectionResult& m = r.sections[g][s];
            rec.m_dMassUpper = m.dMassUpper;
            rec.m_dMassWeb = m.dMassWeb;
            rec.m_dMassLower = m.dMassLower;
            rec.m_dMassRibUpper = m.dMassRibUpper;
            rec.m_dMassRibLower = m.dMassRibLower;
        }
    return {in, r.data};
}

// Every member kind in use, girders of different heights, brackets from the heights.
CEstimateInput FullBridge()
{
    CEstimateInput in = testbridge::Bridge({30.0, 40.0, 30.0}, 4);
    in.m_adGirderHeight = {2.0, 2.2, 2.4, 2.6};
    in.m_bUseLeftBracket = in.m_bUseRightBracket = in.m_bUseEdgeStringer = in.m_bUseStringer = 1;
    in.m_rightBracket.m_dDistBR = 0.0;
    in.m_leftBracket.m_dDistBL = 400.0;
    in.m_leftBracket.m_dDistBR = 900.0;
    in.m_stringer.m_nCount = 2;
    in.m_dLateralFactor = 1.1;
    in.m_dBracketFactor = 1.2;
    in.m_dSwayFactor = 1.05;
    in.m_dEdgeStringerFactor = 1.3;
    return in;
}

int FindRow(const MassBreakdown& t, int col, const QString& text, int from = 0)
{
    for (size_t r = size_t(from); r < t.rows.size(); ++r)
        if (t.rows[r].Cell(col + 1) == text)
            return int(r);
    return -1;
}

// Member rows since the last total add up to each total.
void ExpectBlocksAddUp(const MassBreakdown& t)
{
    double sum = 0.0;
    int totals = 0;
    for (const TableRow& row : t.rows) {
        if (row.kind == TableRow::Member)
            sum += row.dMass;
        if (row.kind == TableRow::Total) {
            EXPECT_NEAR(sum, row.dMass, 1e-9) << row.Cell(2).toStdString();
            EXPECT_EQ(row.Cell(7).trimmed(), AfxFormat("%.3f", row.dMass)) << row.Cell(2).toStdString();
            sum = 0.0;
            ++totals;
        }
    }
    EXPECT_GE(totals, 3);
}

} // namespace

TEST(MassBreakdown, EveryBlockAddsUpToItsTotal)
{
    const Estimated e = Estimate(FullBridge());
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    ExpectBlocksAddUp(t);
    // The totals are the document's quantities without coefficients and girder-end shares.
    const double f = (2 * 0.5 + 100.0) / 100.0;
    EXPECT_NEAR(t.rows[size_t(FindRow(t, 1, QStringLiteral("主桁合計  ")))].dMass, e.d.m_dGirderCalcMass / f, 1e-9);
    EXPECT_NEAR(t.rows[size_t(FindRow(t, 1, QStringLiteral("ブラケット合計")))].dMass,
                (e.d.m_dLeftBracketMass + e.d.m_dRightBracketMass) / 1.2, 1e-9);
    EXPECT_NEAR(t.rows[size_t(FindRow(t, 1, QStringLiteral("横構合計")))].dMass, e.d.m_dLateralMass / 1.1, 1e-9);
    EXPECT_NEAR(t.rows[size_t(FindRow(t, 1, QStringLiteral("側縦桁合計")))].dMass,
                e.d.m_dEdgeStringerMass / 1.3 / f, 1e-9);
}

TEST(MassBreakdown, BracketsCountAndMeasureAsTheQuantities)
{
    const Estimated e = Estimate(FullBridge());
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    const int head = FindRow(t, 0, QStringLiteral("ブラケット"));
    ASSERT_GT(head, 0);
    // 6 + 8 + 6 panels: one bracket per panel on each side.
    for (int r = head + 1; r <= head + 6; ++r)
        EXPECT_EQ(t.rows[size_t(r)].Cell(6), QStringLiteral("  20")) << r;
    EXPECT_EQ(t.rows[size_t(head + 4)].Cell(2), QStringLiteral("上フランジ(右)"));
    // The right side, with no depths typed, takes its own outer girder's height (2.6 m).
    const double aw = (0.5 * 2.6 + 0.8 * 2.6) * 9.0 / 2.0 * 0.001;
    EXPECT_EQ(t.rows[size_t(head + 5)].Cell(4), AfxFormat("%0.5f", aw));
    EXPECT_EQ(t.rows[size_t(head + 5)].Cell(2), QStringLiteral("ウェブ    (右)"));
    // The left side's typed depths: the lower flange runs inclined.
    EXPECT_EQ(t.rows[size_t(head + 3)].Cell(5), AfxFormat("%8.3f", std::sqrt(1.0 + 0.5 * 0.5)));
    EXPECT_EQ(t.rows[size_t(head + 7)].kind, TableRow::Total);
    EXPECT_EQ(t.rows[size_t(head + 8)].kind, TableRow::Blank);

    // One side alone: its total stands in the fourth row after the heading.
    CEstimateInput in = FullBridge();
    in.m_bUseLeftBracket = 0;
    const Estimated right = Estimate(in);
    const MassBreakdown one = BuildMassBreakdown(right.in, right.d, kGrades);
    const int h = FindRow(one, 0, QStringLiteral("ブラケット"));
    EXPECT_EQ(one.rows[size_t(h + 1)].Cell(2), QStringLiteral("上フランジ(右)"));
    EXPECT_EQ(one.rows[size_t(h + 4)].kind, TableRow::Total);
    EXPECT_NEAR(one.rows[size_t(h + 4)].dMass, right.d.m_dRightBracketMass / 1.2, 1e-12);
}

TEST(MassBreakdown, RowsStandWhereTheBlockSizesPutThem)
{
    const Estimated e = Estimate(FullBridge());
    const CEstimateData& d = e.d;
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    // Four girders of three sections, three plates each.
    const int G = 4 * (1 + 3 * 3);
    const int CB = 2 * d.m_nCrossBeamCount + 3, EF = d.m_nEndSwayCount + 3, IF = d.m_nMidSwayCount + 3,
              SF = d.m_nPierSwayCount + 3;
    ASSERT_GT(d.m_nCrossBeamCount, 0);
    ASSERT_GT(d.m_nPierSwayCount, 0);
    const int Rl = G + 2 + CB + EF + IF + SF, Rb = Rl + 5, Re = Rb + 9, Rm = Re + 6, Rh = Rm + 6, Ro = Rh + 5;
    EXPECT_EQ(int(t.rows.size()), Ro + 6);
    EXPECT_EQ(t.rows[0].kind, TableRow::Captions);
    EXPECT_EQ(t.rows[0].Cell(2), QStringLiteral("分類"));
    EXPECT_EQ(t.rows[1].Cell(0), QStringLiteral("主桁 G1        "));
    EXPECT_EQ(t.rows[2].Cell(0), QStringLiteral("          断面 1"));
    EXPECT_EQ(t.rows[size_t(G + 1)].Cell(2), QStringLiteral("主桁合計  "));
    EXPECT_EQ(t.rows[size_t(G + 2)].kind, TableRow::Blank);
    EXPECT_EQ(t.rows[size_t(G + 3)].Cell(1), QStringLiteral("横桁           "));
    EXPECT_EQ(t.rows[size_t(G + 2 + CB)].Cell(1), QStringLiteral("端対傾構       "));
    EXPECT_EQ(t.rows[size_t(G + 2 + CB + EF)].Cell(1), QStringLiteral("中間対傾構     "));
    EXPECT_EQ(t.rows[size_t(G + 2 + CB + EF + IF)].Cell(1), QStringLiteral("支点対傾構     "));
    EXPECT_EQ(t.rows[size_t(Rl)].Cell(1), QStringLiteral("横構"));
    EXPECT_EQ(t.rows[size_t(Rb)].Cell(1), QStringLiteral("ブラケット"));
    EXPECT_EQ(t.rows[size_t(Re)].Cell(1), QStringLiteral("側縦桁"));
    EXPECT_EQ(t.rows[size_t(Re)].Cell(6), QString());
    EXPECT_EQ(t.rows[size_t(Rm)].Cell(1), QStringLiteral("中間縦桁"));
    EXPECT_EQ(t.rows[size_t(Rm + 1)].Cell(6), QStringLiteral("   2"));
    EXPECT_EQ(t.rows[size_t(Rh)].Cell(1), QStringLiteral("高力ボルト"));
    EXPECT_EQ(t.rows[size_t(Ro)].Cell(1), QStringLiteral("その他"));
    EXPECT_EQ(t.rows[size_t(Ro + 4)].Cell(2), QStringLiteral("その他"));

    // Cross members in bridge order, each numbered by its first bay, three bays each.
    const int first = G + 4;
    EXPECT_EQ(t.rows[size_t(first)].Cell(3), QStringLiteral("     SM400"));
    EXPECT_EQ(t.rows[size_t(first)].Cell(6), QStringLiteral("  6"));
    EXPECT_EQ(t.rows[size_t(first + 1)].Cell(6), QStringLiteral("  3"));
    EXPECT_EQ(t.rows[size_t(first)].Cell(5), QStringLiteral("  2.500"));
}

TEST(MassBreakdown, BoxRibsAddUpWhateverTheirCoefficient)
{
    CEstimateInput in = testbridge::Bridge({30.0, 30.0}, 3, 3.0, 1);
    in.m_bSeparateRibMass = 1;
    in.m_dFlangeRibFactor = 1.4;
    for (CGirderDesign& g : in.m_aGirders)
        for (CSectionRecord& s : g.m_pSections) {
            s.m_nRibsUpper = 2;
            s.m_dRibHUpper = 0.2;
            s.m_dRibTUpper = 0.015;
            s.m_nRibsLower = 3;
            s.m_dRibHLower = 0.25;
            s.m_dRibTLower = 0.016;
        }
    const Estimated e = Estimate(in);
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    ExpectBlocksAddUp(t);
    // Five plates per section; two webs; a rib row counts the ribs.
    EXPECT_EQ(t.rows[3].Cell(2), QStringLiteral("ウェブ"));
    EXPECT_EQ(t.rows[3].Cell(6), QStringLiteral("  2"));
    EXPECT_EQ(t.rows[5].Cell(2), QStringLiteral("上リブ"));
    EXPECT_EQ(t.rows[6].Cell(6), QStringLiteral("  3"));
    EXPECT_EQ(t.rows[7].Cell(0), QStringLiteral("          断面 2"));
    // Box cross beams span the gaps between the boxes.
    const int cb = FindRow(t, 0, QStringLiteral("横桁           "));
    ASSERT_GT(cb, 0);
    EXPECT_EQ(t.rows[size_t(cb + 1)].Cell(5), AfxFormat("%7.3f", (6.0 - 2 * 1.8) / 2));
}

TEST(MassBreakdown, SingleBoxListsItsBoxAndNoCrossMembers)
{
    CEstimateInput in = testbridge::Bridge({30.0, 30.0}, 2, 2.5, 2);
    in.m_aGirders[0].m_pSections[0].m_dAreaUpper = 0.0456;
    in.m_aGirders[1].m_pSections[0].m_dAreaUpper = 0.0123;
    const Estimated e = Estimate(in);
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    ExpectBlocksAddUp(t);
    EXPECT_EQ(t.rows[1].Cell(0), QStringLiteral("主桁 G1        "));
    EXPECT_EQ(t.rows[2].Cell(4), QStringLiteral("0.01230"));
    EXPECT_EQ(FindRow(t, 0, QStringLiteral("主桁 G2        ")), -1);
    EXPECT_EQ(t.rows[8].Cell(2), QStringLiteral("主桁合計  "));
    EXPECT_EQ(t.rows[9].Cell(1), QStringLiteral("横構"));
    EXPECT_NEAR(t.rows[8].dMass, t.rows[2].dMass + t.rows[3].dMass + t.rows[4].dMass + t.rows[5].dMass +
                                     t.rows[6].dMass + t.rows[7].dMass, 1e-12);
}

TEST(MassBreakdown, ZeroCoefficientsShowDashesAndMissingBaysADash)
{
    CEstimateInput in = testbridge::Bridge({30.0}, 3);
    in.m_dSwayFactor = 0.0;
    in.m_dLateralFactor = 0.0;
    const Estimated e = Estimate(in);
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    for (const char* total : {"端対傾構合計", "中間対傾構合計", "横構合計"}) {
        const int r = FindRow(t, 1, QString::fromUtf8(total));
        ASSERT_GT(r, 0) << total;
        EXPECT_EQ(t.rows[size_t(r)].Cell(7), QStringLiteral("-"));
    }
    EXPECT_NE(t.rows[size_t(FindRow(t, 1, QStringLiteral("横桁合計  ")))].Cell(7), QStringLiteral("-"));
    // Three girders: no inner bays.
    const int inner = FindRow(t, 1, QStringLiteral("内側"));
    EXPECT_EQ(t.rows[size_t(inner)].Cell(5), QStringLiteral("－"));
    EXPECT_EQ(t.rows[size_t(inner)].Cell(6), QStringLiteral("   0"));
    EXPECT_EQ(t.rows[size_t(inner)].Cell(7), QStringLiteral("-"));
    EXPECT_NE(t.rows[size_t(inner - 1)].Cell(5), QStringLiteral("－"));
}

TEST(MassBreakdown, ASingleGirderShowsItsCrossMembersWithoutBays)
{
    CEstimateInput in = testbridge::Bridge({30.0}, 1);
    const Estimated e = Estimate(in);
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    ExpectBlocksAddUp(t);
    const int beams = FindRow(t, 0, QStringLiteral("横桁           "));
    ASSERT_GT(beams, 0);
    EXPECT_EQ(t.rows[size_t(beams + 1)].Cell(5), QStringLiteral("000.000"));
    EXPECT_EQ(t.rows[size_t(beams + 1)].Cell(6), QStringLiteral("  0"));
    EXPECT_EQ(t.rows[size_t(beams + 1)].Cell(7), QStringLiteral("  0.000"));
    const int ends = FindRow(t, 0, QStringLiteral("端対傾構       "));
    EXPECT_EQ(t.rows[size_t(ends + 1)].Cell(5), QStringLiteral("000.000"));
}

TEST(MassBreakdown, GravitationalUnitsChangeTheMassCaptions)
{
    CEstimateInput in = testbridge::Bridge({30.0}, 2);
    in.m_bSIUnits = 0;
    const Estimated e = Estimate(in);
    const MassBreakdown t = BuildMassBreakdown(e.in, e.d, kGrades);
    EXPECT_EQ(t.captions[7], QStringLiteral("重量 (t)"));
    EXPECT_EQ(t.rows[size_t(FindRow(t, 0, QStringLiteral("高力ボルト")))].Cell(5), QStringLiteral("主部材重量 (t)"));
    EXPECT_EQ(t.rows[size_t(FindRow(t, 0, QStringLiteral("その他")))].Cell(4), QStringLiteral("単位重量(t/m,t)"));
}

TEST(QuantityDetail, CrossMembersAreTheCountedOnesInBridgeOrder)
{
    const Result r = RunEstimate(FullBridge());
    const CEstimateData& d = r.data;
    int counts[4] = {};
    double beams = 0.0;
    for (const CQuantityDetail::CrossMember& m : d.m_detail.m_aCrossMembers) {
        ++counts[m.nKind];
        if (m.nKind == CROSS_BEAM)
            beams += m.dFlangeMass + m.dWebMass;
    }
    EXPECT_EQ(counts[CROSS_BEAM], d.m_nCrossBeamCount);
    EXPECT_EQ(counts[END_SWAY_BRACING], d.m_nEndSwayCount);
    EXPECT_EQ(counts[INTERMEDIATE_SWAY_BRACING], d.m_nMidSwayCount);
    EXPECT_EQ(counts[SUPPORT_SWAY_BRACING], d.m_nPierSwayCount);
    EXPECT_NEAR(beams, d.m_dCrossBeamCalcMass, 1e-12);
    EXPECT_EQ(d.m_detail.m_nOuterLateralCount + d.m_detail.m_nInnerLateralCount, d.m_nLateralMemberCount);
    EXPECT_EQ(d.m_detail.m_aCrossMembers.front().nKind, END_SWAY_BRACING);
    EXPECT_EQ(d.m_detail.m_aCrossMembers.back().nKind, END_SWAY_BRACING);
}

TEST(LabourElements, BareDesignHasNineRows)
{
    // One girder: its cross frames join nothing.
    CEstimateInput in = testbridge::Bridge({30.0}, 1);
    for (CEstimateInput::Span& span : in.m_aSpans)
        for (CPanelPointRecord& pp : span.m_aPoints)
            pp.m_nMemberKind = INTERMEDIATE_SWAY_BRACING;
    in.m_bUseLateral = 0;
    const CEstimateData d = RunEstimate(in).data;
    ASSERT_EQ(d.m_nSwayMembers, 0);
    const std::vector<TableRow> rows = BuildLabourElements(in, d);
    ASSERT_EQ(rows.size(), 9u);
    const char* captions[] = {"", "主桁", "横桁", "合計", "570材相当部材質量", "", "", "主桁", "合計"};
    for (size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(rows[r].Cell(0), QString::fromUtf8(captions[r])) << r;
    // Cross frames only: the upper cross beam row stands with zero counts.
    EXPECT_EQ(rows[2].Cell(1), QStringLiteral("       0"));
    EXPECT_EQ(rows[3].kind, TableRow::Total);
    EXPECT_EQ(rows[5].kind, TableRow::Blank);
    EXPECT_EQ(rows[6].kind, TableRow::Heading);
    EXPECT_EQ(rows[6].Cell(3), QStringLiteral("T継手溶接(m)"));
    EXPECT_EQ(rows[7].Cell(1), AfxFormat("%8.0f", d.m_dGirderCalcMass * 1000.0));
    EXPECT_EQ(rows[8].Cell(4), QStringLiteral("       0"));
}

TEST(LabourElements, EveryMemberKindAddsItsRows)
{
    const Estimated e = Estimate(FullBridge());
    const std::vector<TableRow> rows = BuildLabourElements(e.in, e.d);
    ASSERT_EQ(rows.size(), 18u);
    const char* upper[] = {"主桁", "横桁", "中間縦桁", "対傾構", "横構", "ブラケット", "側縦桁", "合計"};
    for (size_t r = 0; r < std::size(upper); ++r)
        EXPECT_EQ(rows[r + 1].Cell(0), QString::fromUtf8(upper[r])) << r;
    EXPECT_EQ(rows[4].Cell(1), QStringLiteral("    ／"));
    EXPECT_EQ(rows[6].Cell(2), AfxFormat("%8d", e.d.m_nBracketSmallPieces));
    EXPECT_EQ(rows[8].Cell(4), AfxFormat("%8.0f", e.d.m_dMainMemberMass * 1000.0));
    const char* lower[] = {"主桁", "横桁", "中間縦桁", "ブラケット", "側縦桁", "合計"};
    for (size_t r = 0; r < std::size(lower); ++r)
        EXPECT_EQ(rows[r + 12].Cell(0), QString::fromUtf8(lower[r])) << r;
    EXPECT_EQ(rows[15].Cell(3), QStringLiteral("    ／"));
    EXPECT_EQ(rows[17].Cell(3), AfxFormat("%8.0f", e.d.m_dTWeldLengthTotal));
}

TEST(LabourElements, SeparateBoxRibsJoinTheGirderSmallPieces)
{
    CEstimateInput in = testbridge::Bridge({30.0}, 2, 3.0, 1);
    CEstimateData d = RunEstimate(in).data;
    d.m_dGirderExtraMass = 1.0;
    d.m_dFlangeRibMass = 0.25;
    auto small = [&](int nType, int bSeparate) {
        in.m_nBridgeType = nType;
        in.m_bSeparateRibMass = bSeparate;
        const std::vector<TableRow> rows = BuildLabourElements(in, d);
        for (size_t r = 8; r < rows.size(); ++r)
            if (rows[r].Cell(0) == QStringLiteral("主桁"))
                return rows[r].Cell(2);
        return QString();
    };
    EXPECT_EQ(small(1, 1), QStringLiteral("    1250"));
    EXPECT_EQ(small(1, 0), QStringLiteral("    1000"));
    EXPECT_EQ(small(0, 1), QStringLiteral("    1000"));

    in.m_bSIUnits = 0;
    const std::vector<TableRow> rows = BuildLabourElements(in, d);
    EXPECT_EQ(rows[0].Cell(4), QStringLiteral("部材重量 (Kg)"));
    EXPECT_EQ(rows[1].Cell(0), QStringLiteral("主桁"));
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                            [](const TableRow& r) { return r.Cell(0) == QStringLiteral("570材相当部材重量"); }));
    const auto lower = std::find_if(rows.begin() + 1, rows.end(), [](const TableRow& r) { return r.kind == TableRow::Heading; });
    ASSERT_NE(lower, rows.end());
    EXPECT_EQ(lower->Cell(1), QStringLiteral("大型材片重量(Kg)"));
    EXPECT_EQ(lower->Cell(2), QStringLiteral("小型材片重量(Kg)"));
}
