// The tables of the reactions and deflections window worked out from design objects filled
// by hand: layout, units, sums, the impact taken out, the deflection check and the detail
// blocks with their governing totals.
#include "design/react_tables.h"
#include "design/girder_design.h"
#include "framework/format.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace react;
using results::STYLE_BOLD;
using results::STYLE_HEADING;
using results::STYLE_RED;

ReactInput Input(int spans, int girders, int bridgeType = 0)
{
    ReactInput in;
    in.nSpans = spans;
    in.nGirders = girders;
    in.nBridgeType = bridgeType;
    in.bSIUnits = 0;
    for (double& k : in.adStoredImpact)
        k = 0.25;
    for (double& k : in.adImpact)
        k = 0.25;
    return in;
}

bool Has(const results::Table& t, int row, int col, unsigned style) { return (t.At(row, col).style & style) != 0; }

// Reactions of one line at one support: dead, live (+), live (-), D+L (+), D+L (-), 2L(-)+D.
void SetReaction(CGirderDesign& g, int s, int node, double d, double lp, double lm, double dlp, double dlm, double twoLD)
{
    g.m_anReactNode[s] = node;
    g.m_adReactDead[s] = d;
    g.m_adReactLivePlus[s] = lp;
    g.m_adReactLiveMinus[s] = lm;
    g.m_adReactDLPlus[s] = dlp;
    g.m_adReactDLMinus[s] = dlm;
    g.m_adReact2LMinusD[s] = twoLD;
}

}

TEST(ReactionSummary, OneSpanTwoGirdersHasTwelveRowsInSupportBlocks)
{
    std::vector<CGirderDesign> g(2);
    SetReaction(g[0], 0, 1, 20.5, 18.3, -1.2, 38.8, 19.3, 18.1);
    SetReaction(g[1], 0, 501, 22.1, 15.8, -0.3, 37.9, 21.8, 21.5);
    SetReaction(g[0], 1, 6, 1.0, 2.0, -3.0, 3.0, -2.0, -5.0);
    const results::Table t = ReactionSummary(g.data(), Input(1, 2));
    ASSERT_EQ(t.Rows(), 12);
    ASSERT_EQ(t.Cols(), 8);
    EXPECT_EQ(t.Text(0, 0), QStringLiteral("第 1支点反力 (t)"));
    EXPECT_EQ(t.Text(0, 1), QStringLiteral("格点No."));
    EXPECT_EQ(t.Text(0, 7), QStringLiteral("2xL(-) +D"));
    EXPECT_EQ(t.Text(1, 0), QStringLiteral("           G 1"));
    EXPECT_EQ(t.Text(2, 1), QStringLiteral(" 501"));
    EXPECT_EQ(t.Text(2, 7), QStringLiteral("   21.500"));
    EXPECT_EQ(t.Text(3, 0), QStringLiteral("         合計"));
    EXPECT_EQ(t.Text(3, 2), QStringLiteral("   42.600"));
    EXPECT_TRUE(t.Text(3, 7).isEmpty());
    EXPECT_TRUE(Has(t, 3, 5, STYLE_BOLD));
    EXPECT_EQ(t.Text(5, 0), QStringLiteral("第 2支点反力 (t)"));
    EXPECT_EQ(t.Text(6, 7), QStringLiteral("   -5.000"));
    // The grand rows: heading and 総計, with no 2xL(-) +D.
    EXPECT_EQ(t.Text(10, 2), QStringLiteral("Dead"));
    EXPECT_TRUE(Has(t, 10, 0, STYLE_HEADING) && Has(t, 10, 7, STYLE_BOLD));
    EXPECT_EQ(t.Text(11, 0), QStringLiteral("総計"));
    EXPECT_EQ(t.Text(11, 2), QStringLiteral("   43.600"));
    EXPECT_EQ(t.Text(11, 4), QStringLiteral("   -4.500"));
    EXPECT_TRUE(t.Text(11, 7).isEmpty());
    // Column 0 is a column of buttons, blank rows included.
    for (int r = 0; r < 12; ++r)
        EXPECT_TRUE(Has(t, r, 0, STYLE_HEADING)) << r;
}

TEST(ReactionSummary, SumsWhatIsShownInSIAndTheHeldValuesInTonnes)
{
    std::vector<CGirderDesign> g(3);
    for (int i = 0; i < 3; ++i)
        SetReaction(g[i], 0, i + 1, 10.0004, 1.00005, 0.0, 0.0, 0.0, 0.0);
    ReactInput in = Input(1, 3);
    const results::Table tf = ReactionSummary(g.data(), in);
    EXPECT_EQ(tf.Text(1, 2), QStringLiteral("   10.000"));
    // Three shown 10.000 would make 30.000: the tonnes are summed unrounded.
    EXPECT_EQ(tf.Text(4, 2), QStringLiteral("   30.001"));

    in.bSIUnits = 1;
    const results::Table si = ReactionSummary(g.data(), in);
    EXPECT_EQ(si.Text(0, 0), QStringLiteral("第 1支点反力(kN)"));
    EXPECT_EQ(si.Text(1, 2), QStringLiteral("    98.07"));
    // 1.00005 tf is 9.807 kN, shown 9.81: the sum is that of the shown figures, 29.43, not 29.42.
    EXPECT_EQ(si.Text(1, 3), QStringLiteral("     9.81"));
    EXPECT_EQ(si.Text(4, 3), QStringLiteral("    29.43"));
    EXPECT_EQ(si.Text(4, 2), QStringLiteral("   294.21"));
    EXPECT_EQ(si.Text(13, 0), QStringLiteral("総計"));
    EXPECT_EQ(si.Text(13, 3), QStringLiteral("    29.43"));
}

TEST(ReactionSummary, SingleBoxHasTwoBearingLinesFromTheFirstTwoObjects)
{
    std::vector<CGirderDesign> g(3);
    SetReaction(g[0], 0, 1, 1.0, 0, 0, 0, 0, 0);
    SetReaction(g[1], 0, 1001, 2.0, 0, 0, 0, 0, 0);
    SetReaction(g[2], 0, 501, 99.0, 0, 0, 0, 0, 0);
    const results::Table t = ReactionSummary(g.data(), Input(1, 3, 2));
    ASSERT_EQ(t.Rows(), 2 * 5 + 2);
    EXPECT_EQ(t.Text(1, 0), QStringLiteral("           G1-L"));
    EXPECT_EQ(t.Text(2, 0), QStringLiteral("           G1-R"));
    EXPECT_EQ(t.Text(2, 1), QStringLiteral("1001"));
    EXPECT_EQ(t.Text(3, 2), QStringLiteral("    3.000"));
}

TEST(SubstructureReactions, TakeTheStoredImpactOutOfTheLiveLoadAndSumTheShownFigures)
{
    std::vector<CGirderDesign> g(2);
    SetReaction(g[0], 0, 1, 20.0004, 12.5, -2.5, 99.0, 99.0, 99.0);
    SetReaction(g[1], 0, 501, 10.0004, 12.5, 0.0, 0.0, 0.0, 0.0);
    ReactInput in = Input(1, 2);
    // A 30 m end support: 20 / (50 + 30) = 0.25, as stored by the run.
    const results::Table t = SubstructureReactions(g.data(), in);
    EXPECT_EQ(t.Text(1, 3), QStringLiteral("   10.000"));
    EXPECT_EQ(t.Text(1, 4), QStringLiteral("   -2.000"));
    // D+L from the dead load and the impact-free live load, whatever is stored.
    EXPECT_EQ(t.Text(1, 5), QStringLiteral("   30.000"));
    EXPECT_EQ(t.Text(1, 6), QStringLiteral("   18.000"));
    EXPECT_EQ(t.Text(1, 7), QStringLiteral("   16.000"));
    // Unlike table 0 the tonnes add up as shown: 20.000 + 10.000, not 30.0008.
    EXPECT_EQ(t.Text(3, 2), QStringLiteral("   30.000"));

    // The stored coefficient is the one taken out, while the run stored one.
    in.adStoredImpact[0] = 0.5;
    EXPECT_EQ(SubstructureReactions(g.data(), in).Text(1, 3), QStringLiteral("    8.333"));
    in.adStoredImpact[0] = -1.0;
    EXPECT_EQ(SubstructureReactions(g.data(), in).Text(1, 3), QStringLiteral("   10.000"));
    // Crowd load alone carries no impact.
    in.nLiveLoad = 5;
    EXPECT_EQ(SubstructureReactions(g.data(), in).Text(1, 3), QStringLiteral("   12.500"));
    EXPECT_DOUBLE_EQ(ImpactDivisor(in, 0), 1.0);
}

TEST(Deflection, TwoGirdersOfFivePanelsGiveFifteenRowsWithTheCheckAgainstTheAllowable)
{
    std::vector<CGirderDesign> g(2);
    for (CGirderDesign& line : g) {
        line.m_abNodeIsSupport[0] = line.m_abNodeIsSupport[5] = 1;
        for (int p = 1; p < 5; ++p)
            line.m_adDeflLivePlus[p] = 10.0 + p;
    }
    // The allowable as the geometry works it out, nearly but not quite the stored figure.
    const double allowable = 45.0;
    g[0].m_adDeflLivePlus[2] = allowable * (1.0 - 1e-15);
    g[0].m_adDeflLivePlus[5] = 99.0;
    ReactInput in = Input(1, 2);
    in.nPanelPoints = 6;
    in.allowable = [&](int span, int girder) { return span == 0 ? allowable : -1.0; };
    const results::Table t = Deflection(g.data(), in);
    ASSERT_EQ(t.Rows(), 15);
    EXPECT_EQ(t.Text(0, 0), QStringLiteral("G 1主桁たわみ (mm)"));
    EXPECT_EQ(t.Text(0, 2), QStringLiteral("死荷重    "));
    EXPECT_EQ(t.Text(1, 0), QStringLiteral("           C 1"));
    EXPECT_EQ(t.Text(1, 1), QStringLiteral("   1"));
    EXPECT_EQ(t.Text(6, 1), QStringLiteral("   6"));
    EXPECT_TRUE(t.Text(7, 0).isEmpty());
    EXPECT_EQ(t.Text(8, 0), QStringLiteral("G 2主桁たわみ (mm)"));
    EXPECT_EQ(t.Text(9, 1), QStringLiteral(" 501"));
    EXPECT_EQ(t.Text(14, 1), QStringLiteral(" 506"));
    // A live deflection that reaches the allowable is marked; one below is not.
    EXPECT_EQ(t.Text(3, 3), QStringLiteral("*   45.000"));
    EXPECT_TRUE(Has(t, 3, 3, STYLE_RED));
    EXPECT_EQ(t.Text(2, 3), QStringLiteral("   11.000"));
    EXPECT_FALSE(Has(t, 2, 3, STYLE_RED));
    EXPECT_EQ(t.Text(2, 5), QStringLiteral("   45.000"));
    // At a support: the mark, no allowable and never the asterisk.
    EXPECT_EQ(t.Text(6, 6), QStringLiteral("△"));
    EXPECT_TRUE(t.Text(6, 5).isEmpty());
    EXPECT_EQ(t.Text(6, 3), QStringLiteral("   99.000"));
    // One span has no live (-) deflection; old designs no dead-load deflection.
    EXPECT_EQ(t.Text(2, 4), QStringLiteral("－"));
    in.nVersion = 1739;
    EXPECT_EQ(Deflection(g.data(), in).Text(2, 2), QStringLiteral("－"));
}

TEST(Deflection, EachPointIsCheckedAgainstItsOwnSpanAndTheSingleBoxTakesTheFirstLinesSupports)
{
    std::vector<CGirderDesign> g(3);
    for (int p : {0, 2, 4})
        g[0].m_abNodeIsSupport[p] = 1;
    ReactInput in = Input(2, 3, 2);
    in.nPanelPoints = 5;
    in.allowable = [](int span, int girder) { return 10.0 * (span + 1) + girder; };
    const results::Table t = Deflection(g.data(), in);
    EXPECT_EQ(t.Text(0, 0), QStringLiteral("G1-Lたわみ (mm)"));
    EXPECT_EQ(t.Text(7, 0), QStringLiteral("G1-Cたわみ (mm)"));
    EXPECT_EQ(t.Text(14, 0), QStringLiteral("G1-Rたわみ (mm)"));
    EXPECT_EQ(t.Text(2, 5), QStringLiteral("   10.000"));
    EXPECT_EQ(t.Text(4, 5), QStringLiteral("   20.000"));
    // The third line's supports are those of the first.
    EXPECT_EQ(t.Text(15, 6), QStringLiteral("△"));
    EXPECT_TRUE(t.Text(17, 5).isEmpty());
    EXPECT_EQ(t.Text(18, 5), QStringLiteral("   22.000"));
    EXPECT_EQ(t.Text(2, 4), QStringLiteral("    0.000"));
}

TEST(ImpactCoefficients, ThreeSpansGiveFiveRows)
{
    ReactInput in = Input(3, 2);
    const double stored[4] = {0.25, 0.2353, 0.2353, 0.25};
    std::copy(std::begin(stored), std::end(stored), in.adStoredImpact);
    const results::Table t = ImpactCoefficients(in);
    ASSERT_EQ(t.Rows(), 5);
    ASSERT_EQ(t.Cols(), 2);
    EXPECT_EQ(t.Text(0, 1), QStringLiteral("衝撃係数"));
    EXPECT_TRUE(Has(t, 0, 0, STYLE_HEADING));
    EXPECT_EQ(t.Text(1, 0), QStringLiteral("第 1支点"));
    EXPECT_EQ(t.Text(4, 0), QStringLiteral("第 4支点"));
    EXPECT_EQ(t.Text(2, 1), QStringLiteral("0.235"));
    EXPECT_TRUE(Has(t, 2, 1, results::STYLE_VALUE_BUTTON));
}

namespace {

// A one-span two-girder detail: block j of support s holds line k in object k; totals in object j.
std::vector<CGirderDesign> DetailGirders()
{
    std::vector<CGirderDesign> g(2);
    for (int s = 0; s < 2; ++s)
        for (int j = 0; j < 2; ++j)
            for (int k = 0; k < 2; ++k) {
                g[k].m_anDetailNode[s][j] = 500 * k + 1 + s;
                g[k].m_adDetailDead[s][j] = 10.0 + k;
                g[k].m_adDetailLivePlus[s][j] = 11.0 * (1 + j) + k;
                g[k].m_adDetailLiveMinus[s][j] = -1.1;
                g[k].m_adDetailDLPlus[s][j] = 77.0;
                g[k].m_adDetailDLMinus[s][j] = 66.0;
            }
    for (int j = 0; j < 2; ++j)
        for (int s = 0; s < 2; ++s) {
            g[j].m_adDetailTotalDead[s] = 21.0;
            g[j].m_adDetailTotalLivePlus[s] = 40.0;     // equal: the first block governs
            g[j].m_adDetailTotalLiveMinus[s] = -2.0 - j;
            g[j].m_adDetailTotalDLPlus[s] = 61.0 + j;
            g[j].m_adDetailTotalDLMinus[s] = 19.0;
            g[j].m_adReact2LMinusD[s] = 7.5 + j;
        }
    return g;
}

}

TEST(ReactionDetail, BlocksOfEveryLineWithTheirMaxLineAndTheGoverningTotalsInBold)
{
    const std::vector<CGirderDesign> g = DetailGirders();
    const results::Table t = ReactionDetail(g.data(), Input(1, 2));
    ASSERT_EQ(t.Rows(), 20);
    ASSERT_EQ(t.Cols(), 7);
    EXPECT_EQ(t.Text(0, 0), QStringLiteral("格点No."));
    EXPECT_TRUE(Has(t, 0, 6, STYLE_HEADING));
    EXPECT_EQ(t.Text(1, 0), QStringLiteral("   1 MAX"));
    EXPECT_EQ(t.Text(2, 0), QStringLiteral(" 501"));
    EXPECT_FALSE(Has(t, 1, 0, STYLE_HEADING));
    // Only the MAX line has a 2xL(-) +D figure: that of its own bearing line.
    EXPECT_EQ(t.Text(1, 6), QStringLiteral("    7.500"));
    EXPECT_TRUE(t.Text(2, 6).isEmpty());
    EXPECT_EQ(t.Text(6, 6), QStringLiteral("    8.500"));
    EXPECT_EQ(t.Text(2, 2), QStringLiteral("   12.000"));
    EXPECT_EQ(t.Text(7, 2), QStringLiteral("   23.000"));
    EXPECT_EQ(t.Text(3, 0), QStringLiteral("         合計"));
    EXPECT_TRUE(Has(t, 3, 0, STYLE_BOLD) && Has(t, 3, 0, results::STYLE_DARK_BLUE));
    EXPECT_EQ(t.Text(3, 4), QStringLiteral("   61.000"));
    // Equal live (+) totals: the first block's is the bold one; the dead total never is.
    EXPECT_TRUE(Has(t, 3, 2, STYLE_BOLD));
    EXPECT_FALSE(Has(t, 8, 2, STYLE_BOLD));
    EXPECT_TRUE(Has(t, 8, 3, STYLE_BOLD));    // smallest live (-)
    EXPECT_TRUE(Has(t, 8, 4, STYLE_BOLD));    // largest D+L (+)
    EXPECT_TRUE(Has(t, 3, 5, STYLE_BOLD));    // equal D+L (-): the first
    EXPECT_FALSE(Has(t, 3, 1, STYLE_BOLD));
    // Support 2 starts after the two blocks of support 1.
    EXPECT_EQ(t.Text(11, 0), QStringLiteral("   2 MAX"));
}

TEST(ReactionDetail, WithoutImpactEveryLiveFigureIsDividedByTheSupportsFactor)
{
    const std::vector<CGirderDesign> g = DetailGirders();
    ReactInput in = Input(1, 2);
    // An interior support between spans of 30 m and 50 m: 1 + 20 / (50 + 40).
    in.adStoredImpact[0] = 20.0 / 90.0;
    const double k = 1.0 + 20.0 / 90.0;
    EXPECT_NEAR(ImpactDivisor(in, 0), 1.2222222222, 1e-9);
    const results::Table t = SubstructureReactionsNoImpact(g.data(), in);
    ASSERT_EQ(t.Rows(), 20);
    EXPECT_EQ(t.Text(1, 1), QStringLiteral("   10.000"));
    EXPECT_EQ(t.Text(1, 2), AfxFormat("%9.3f", 11.0 / k));
    EXPECT_EQ(t.Text(1, 4), AfxFormat("%9.3f", 10.0 + 11.0 / k));
    EXPECT_EQ(t.Text(1, 6), AfxFormat("%9.3f", 10.0 + 2.0 * (-1.1 / k)));
    EXPECT_EQ(t.Text(3, 2), AfxFormat("%9.3f", 40.0 / k));
    EXPECT_EQ(t.Text(3, 4), AfxFormat("%9.3f", 21.0 + 40.0 / k));

    // Crowd load alone: the live figures as held, D+L from them.
    in.nLiveLoad = 5;
    const results::Table crowd = SubstructureReactionsNoImpact(g.data(), in);
    EXPECT_EQ(crowd.Text(1, 2), QStringLiteral("   11.000"));
    EXPECT_EQ(crowd.Text(1, 4), QStringLiteral("   21.000"));
    EXPECT_EQ(crowd.Text(1, 6), QStringLiteral("    7.800"));
}

TEST(ReactTables, TablesTheResultsCannotFillGiveWayToTheSummary)
{
    std::vector<CGirderDesign> g(2);
    ReactInput in = Input(1, 2);
    // A fresh object has no detail.
    EXPECT_EQ(ShownTable(TABLE_DETAIL, g.data(), in), TABLE_SUMMARY);
    g[0].m_anDetailNode[0][0] = 1;
    EXPECT_EQ(ShownTable(TABLE_DETAIL, g.data(), in), TABLE_DETAIL);
    EXPECT_EQ(ShownTable(TABLE_DETAIL_NO_IMPACT, g.data(), in), TABLE_DETAIL_NO_IMPACT);
    in.nLiveLoad = 3;
    EXPECT_EQ(ShownTable(TABLE_DETAIL_NO_IMPACT, g.data(), in), TABLE_SUMMARY);
    EXPECT_EQ(ShownTable(TABLE_IMPACT, g.data(), in), TABLE_IMPACT);
    in.adStoredImpact[0] = -1.0;
    EXPECT_EQ(ShownTable(TABLE_IMPACT, g.data(), in), TABLE_SUMMARY);
    EXPECT_EQ(ShownTable(TABLE_DEFLECTION, g.data(), in), TABLE_DEFLECTION);
    EXPECT_EQ(ShownTable(6, g.data(), in), -1);
}

TEST(ReactTables, ARowRangeMakesTheSameRowsAndNoOthers)
{
    const std::vector<CGirderDesign> g = DetailGirders();
    const ReactInput in = Input(1, 2);
    // The second support's first block: heading 10, lines 11 and 12, its bold total 13.
    const results::Table whole = ReactionDetail(g.data(), in);
    const results::Table part = ReactionDetail(g.data(), in, {11, 13});
    ASSERT_EQ(part.Rows(), whole.Rows());
    for (int r = 0; r < whole.Rows(); ++r)
        for (int c = 0; c < whole.Cols(); ++c) {
            const bool kept = r >= 11 && r <= 13;
            // Headings and the totals' captions cost nothing and stay.
            if (kept || Has(whole, r, 1, STYLE_HEADING) || (c == 0 && whole.Text(r, 0).contains(QStringLiteral("合計"))))
                EXPECT_EQ(part.Text(r, c), whole.Text(r, c)) << r << "," << c;
            else
                EXPECT_TRUE(part.Text(r, c).isEmpty()) << r << "," << c;
        }
    // The governing totals are marked as in the whole table: the tie in live (+) stays first.
    EXPECT_TRUE(Has(part, 13, 2, STYLE_BOLD));
    for (int c = 1; c < 6; ++c)
        EXPECT_EQ(Has(part, 13, c, STYLE_BOLD), Has(whole, 13, c, STYLE_BOLD)) << c;

    std::vector<CGirderDesign> lines(2);
    for (CGirderDesign& line : lines)
        for (int p = 0; p < 6; ++p)
            line.m_adDeflLivePlus[p] = 1.0 + p;
    ReactInput d = Input(1, 2);
    d.nPanelPoints = 6;
    const results::Table deflection = Deflection(lines.data(), d, {9, 9});
    EXPECT_EQ(deflection.Text(9, 1), QStringLiteral(" 501"));
    EXPECT_EQ(deflection.Text(9, 3), QStringLiteral("    1.000"));
    EXPECT_TRUE(deflection.Text(10, 1).isEmpty());
    EXPECT_TRUE(deflection.Text(2, 3).isEmpty());
    EXPECT_EQ(deflection.Text(8, 0), QStringLiteral("G 2主桁たわみ (mm)"));
}

TEST(ResultTable, ACellStaysWhereItWasMadeAsMoreRowsAreWrittenAndOthersReadEmpty)
{
    results::Table t(1000, 3);
    results::Cell& first = t.At(5, 1);
    first.text = QStringLiteral("a");
    for (int r = 0; r < t.Rows(); r += 2)
        t.SetText(r, 2, QStringLiteral("x"));
    first.text += QStringLiteral("b");
    const results::Table& shown = t;
    EXPECT_EQ(shown.Text(5, 1), QStringLiteral("ab"));
    EXPECT_EQ(shown.Text(998, 2), QStringLiteral("x"));
    EXPECT_TRUE(shown.Text(7, 0).isEmpty());
    EXPECT_FALSE(shown.At(7, 0).IsNumber());
    t.SetText(1000, 0, QStringLiteral("beyond"));
    t.SetText(3, -1, QStringLiteral("beyond"));
    EXPECT_TRUE(shown.Text(1000, 0).isEmpty());
    EXPECT_TRUE(shown.Text(3, -1).isEmpty());
}
