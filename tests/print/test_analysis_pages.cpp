// The report pages of the grillage results as the recording DC sees them drawn: support
// reactions and deflections, member end forces, stiffness and steel weight by block, and the
// weight ratio of every girder.
#include "print_fixture.h"

#include "framework/format.h"
#include "views/print_table.h"
#include <cmath>

namespace {

const std::vector<int> kSummaryCols = {350, 150, 150, 150, 150, 150, 150, 150};
const std::vector<int> kDetailCols = {350, 175, 175, 175, 175, 175, 175};
const std::vector<int> kDeflectionCols = {300, 140, 240, 240, 240, 240, 100};
const std::vector<int> kForceCols = {350, 180, 180, 180, 180, 180, 180};
const std::vector<int> kPlateStiffnessCols = {210, 260, 230, 150};
const std::vector<int> kBoxStiffnessCols = {210, 260, 230, 150, 285, 255, 150};
const std::vector<int> kSteelWeightCols = {210, 260, 230, 180};

class AnalysisPagesTest : public PrintTest {
protected:
    using Page = void (CPrintView::*)(CDC*, CPrintInfo*);
    using Lines = int (CPrintView::*)(CDC*, CPrintInfo*, int);

    void Open(const char* file)
    {
        OpenExample(file);
        OpenForm();
    }
    // A design of three spans and two plate girders under L loading, run.
    void RunTwoGirdersThreeSpans()
    {
        RunNewDesign(QStringLiteral("3"), [](CDialog* d) { dialoginput::Type(d, IDC_GIRDERS, QStringLiteral("2")); });
        ASSERT_EQ(g_nSpans, 3);
        ASSERT_EQ(g_nGirders, 2);
        OpenForm();
    }
    // Sections chosen as a person ticks them, the job's pages counted.
    static void Choose(std::initializer_list<int CPrintView::*> boxes)
    {
        for (int CPrintView::*box : boxes)
            View().*box = 1;
        View().CountPages();
    }
    // One page of a section, the first counted 0, on a DC in 0.1 mm with the text font.
    static std::vector<CDC::Record> Record(const std::function<void(CDC*, CPrintInfo*)>& print, int nPage)
    {
        CDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        CPrintInfo info;
        info.m_nCurPage = UINT(nPage);
        print(&dc, &info);
        return dc.Records();
    }
    static std::vector<CDC::Record> Draw(Page page, int nSection, int nPageOfSection = 0)
    {
        return Record([page](CDC* pDC, CPrintInfo* pInfo) { (View().*page)(pDC, pInfo); },
                      View().m_anSectionStart[nSection] + nPageOfSection);
    }
    static std::vector<CDC::Record> Draw(Lines lines, int nSection, int nPageOfSection = 0)
    {
        return Record([lines](CDC* pDC, CPrintInfo* pInfo) { (View().*lines)(pDC, pInfo, 1); },
                      View().m_anSectionStart[nSection] + nPageOfSection);
    }
    // What is written in a cell of the page's table (top-left at 300, -350, rows 70 high).
    static QString Cell(const std::vector<CDC::Record>& records, const std::vector<int>& widths, int row, int col,
                        const CDC::Record** found = nullptr)
    {
        int left = 300;
        for (int c = 0; c < col; ++c)
            left += widths[size_t(c)];
        const int right = left + widths[size_t(col)];
        const int top = -350 - 70 * row;
        QString text;
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("TextOut") && r.args[1] <= top && r.args[1] > top - 70 && r.args[0] >= left - 3 &&
                r.args[0] < right - 3) {
                text = r.text;
                if (found)
                    *found = &r;
            }
        return text;
    }
    // The ruled rows of the page's table: the thin rules across its full width.
    static int RuledRows(const std::vector<CDC::Record>& records, const std::vector<int>& widths)
    {
        int width = 0;
        for (int w : widths)
            width += w;
        return int(std::count_if(records.begin(), records.end(), [width](const CDC::Record& r) {
            return r.op == QLatin1String("LineTo") && r.penWidth == 1 && r.args[0] == 300 && r.args[2] == 300 + width &&
                   r.args[1] == r.args[3];
        }));
    }
    // The fill of a cell's frame as drawn last.
    static COLORREF Fill(const std::vector<CDC::Record>& records, const std::vector<int>& widths, int row, int col)
    {
        int left = 300;
        for (int c = 0; c < col; ++c)
            left += widths[size_t(c)];
        COLORREF fill = RGB(1, 2, 3);
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("Rectangle") && r.args[0] == left && r.args[1] == -350 - 70 * row &&
                r.args[2] == left + widths[size_t(col)])
                fill = r.brushColor;
        return fill;
    }
    static int ThickRules(const std::vector<CDC::Record>& records, int nWidth)
    {
        return int(std::count_if(records.begin(), records.end(), [nWidth](const CDC::Record& r) {
            return r.op == QLatin1String("LineTo") && r.penWidth == nWidth;
        }));
    }
    static bool Framed(const std::vector<CDC::Record>& records, const QString& title)
    {
        return std::any_of(records.begin(), records.end(), [&](const CDC::Record& r) {
            return r.op == QLatin1String("TextOut") && r.text.endsWith(title);
        });
    }
    static CGirderDesign& Girder(int i) { return g_pDoc->m_pGirders[i]; }
    // A girder's steel weight per metre as assumed and as designed.
    static void Weights(int nGirder, double dAssumed, double dDesign)
    {
        g_pDoc->m_adAssumedWeightPerLength[nGirder] = dAssumed;
        g_pDoc->m_adDesignWeightPerLength[nGirder] = dDesign;
    }
    static std::vector<CDC::Record> AreaRatio()
    {
        return Record([](CDC* pDC, CPrintInfo* pInfo) { View().PrintAreaRatio(pDC, pInfo); }, 1);
    }
};

}

// ---------------------------------------------------------------- support reactions

TEST_F(AnalysisPagesTest, TwoGirdersOverThreeSpansGiveFortyDetailRowsOnTwoPagesAndTwentyTwoSummaryRows)
{
    RunTwoGirdersThreeSpans();
    CPrintView& v = View();
    ASSERT_TRUE(v.IsBoxAllowed(IDC_PR_REACTION_DETAIL));
    Choose({&CPrintView::m_bPrintReactionDetail, &CPrintView::m_bPrintReactionsNoImpact,
            &CPrintView::m_bPrintReactionSummary});
    EXPECT_EQ(v.m_nReactionDetailRows, 40);
    EXPECT_EQ(v.m_nReactionSummaryRows, 22);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTION_DETAIL], 2);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTIONS_NO_IMPACT], 2);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_REACTION_SUMMARY], 1);

    // The summary: a block of five rows per support, then the totals over all of them.
    const auto summary = Draw(&CPrintView::PrintReactionSummary, CPrintView::RS_REACTION_SUMMARY);
    EXPECT_TRUE(Framed(summary, QStringLiteral("_支点反力集計")));
    EXPECT_EQ(RuledRows(summary, kSummaryCols), 22);
    const CGirderDesign* g = g_pDoc->m_pGirders;
    EXPECT_EQ(Cell(summary, kSummaryCols, 15, 0), QStringLiteral("第 4支点反力(kN)"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 15, 7), QStringLiteral("2xL(-)+D"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 17, 0), QStringLiteral("     G 2"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 17, 1), AfxFormat("%4d", g[1].m_anReactNode[3]));
    EXPECT_EQ(Cell(summary, kSummaryCols, 17, 7), AfxFormat("%9.2f", g[1].m_adReact2LMinusD[3] * 9.80665));
    EXPECT_EQ(Cell(summary, kSummaryCols, 18, 0), QStringLiteral("   合計"));
    EXPECT_TRUE(Cell(summary, kSummaryCols, 18, 7).isEmpty());
    EXPECT_EQ(Cell(summary, kSummaryCols, 20, 2), QStringLiteral("Dead"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 21, 0), QStringLiteral("   総計"));

    // The detail: page 1 ends inside the last support's first block, page 2 goes on from
    // there under a full grid without a heading of its own.
    const auto first = Draw(&CPrintView::PrintReactionDetail, CPrintView::RS_REACTION_DETAIL, 0);
    v.m_bShadeHeadings = 1;
    const auto second = Draw(&CPrintView::PrintReactionDetail, CPrintView::RS_REACTION_DETAIL, 1);
    EXPECT_EQ(RuledRows(first, kDetailCols), 32);
    EXPECT_EQ(RuledRows(second, kDetailCols), 32);
    EXPECT_EQ(Cell(first, kDetailCols, 31, 0), AfxFormat("%4d MAX", g[0].m_anDetailNode[3][0]));
    EXPECT_EQ(Cell(second, kDetailCols, 0, 0), AfxFormat("%4d", g[1].m_anDetailNode[3][0]));
    EXPECT_EQ(Cell(second, kDetailCols, 1, 1), AfxFormat("%9.2f", g[0].m_adDetailTotalDead[3] * 9.80665));
    EXPECT_EQ(Cell(second, kDetailCols, 3, 0), QStringLiteral("格点No."));
    EXPECT_EQ(Cell(second, kDetailCols, 4, 6), AfxFormat("%9.2f", g[1].m_adReact2LMinusD[3] * 9.80665));
    EXPECT_TRUE(Cell(second, kDetailCols, 8, 0).isEmpty());
    // Only the heading is shaded and ruled thick, not the row that opens the page.
    EXPECT_EQ(Fill(second, kDetailCols, 0, 0), CPrintTable::kColumnFill);
    EXPECT_EQ(Fill(second, kDetailCols, 0, 3), RGB(255, 255, 255));
    EXPECT_EQ(Fill(second, kDetailCols, 3, 0), CPrintTable::kCornerFill);
    EXPECT_EQ(Fill(second, kDetailCols, 3, 3), CPrintTable::kRowFill);
    EXPECT_EQ(ThickRules(second, 5), 2);
}

TEST_F(AnalysisPagesTest, TheDetailMarksTheGoverningTotalsInTheBoldFont)
{
    RunTwoGirdersThreeSpans();
    Choose({&CPrintView::m_bPrintReactionDetail});
    // Block 2 carries the most live (+); in D+L (+) the blocks tie and the first keeps it.
    Girder(0).m_adDetailTotalLivePlus[0] = 10.0;
    Girder(1).m_adDetailTotalLivePlus[0] = 20.0;
    Girder(0).m_adDetailTotalDLPlus[0] = Girder(1).m_adDetailTotalDLPlus[0] = 30.0;
    const auto page = Draw(&CPrintView::PrintReactionDetail, CPrintView::RS_REACTION_DETAIL);
    auto weight = [&](int row, int col) {
        const CDC::Record* r = nullptr;
        Cell(page, kDetailCols, row, col, &r);
        return r ? r->fontWeight : 0;
    };
    EXPECT_EQ(weight(3, 2), 400);
    EXPECT_EQ(weight(8, 2), 600);
    EXPECT_EQ(weight(3, 4), 600);
    EXPECT_EQ(weight(8, 4), 400);
    EXPECT_EQ(weight(8, 0), 400);
}

TEST_F(AnalysisPagesTest, ASingleBoxPrintsTwoBearingLinesAndGravitationalUnitsInTonnes)
{
    Open("box1_1span.mvl");
    ASSERT_EQ(g_nBridgeType, 2);
    g_pDoc->m_dlgBasic.m_nLiveLoad = 0;
    Girder(0).m_anDetailNode[0][0] = 1;
    Choose({&CPrintView::m_bPrintReactionSummary, &CPrintView::m_bPrintReactionDetail});
    EXPECT_EQ(View().m_nReactionSummaryRows, 2 * 5 + 2);
    EXPECT_EQ(View().m_nReactionDetailRows, 5 * 2 * 2);
    g_bSIUnits = 0;
    const auto page = Draw(&CPrintView::PrintReactionSummary, CPrintView::RS_REACTION_SUMMARY);
    g_bSIUnits = 1;
    EXPECT_EQ(Cell(page, kSummaryCols, 0, 0), QStringLiteral("第 1支点反力(t)"));
    EXPECT_EQ(Cell(page, kSummaryCols, 1, 0), QStringLiteral("     G1-L"));
    EXPECT_EQ(Cell(page, kSummaryCols, 2, 0), QStringLiteral("     G1-R"));
    EXPECT_EQ(Cell(page, kSummaryCols, 2, 3), AfxFormat("%9.3f", Girder(1).m_adReactLivePlus[0]));
    EXPECT_EQ(Cell(page, kSummaryCols, 3, 2), AfxFormat("%9.3f", Girder(0).m_adReactDead[0] + Girder(1).m_adReactDead[0]));
    EXPECT_EQ(Cell(page, kSummaryCols, 11, 0), QStringLiteral("   総計"));
    EXPECT_EQ(RuledRows(page, kSummaryCols), 12);
    // Two blocks of two lines a support in the detail.
    const auto detail = Draw(&CPrintView::PrintReactionDetail, CPrintView::RS_REACTION_DETAIL);
    EXPECT_EQ(RuledRows(detail, kDetailCols), 20);
    for (int row : {0, 5, 10, 15})
        EXPECT_EQ(Cell(detail, kDetailCols, row, 0), QStringLiteral("格点No.")) << row;
    EXPECT_EQ(Cell(detail, kDetailCols, 7, 0), AfxFormat("%4d", Girder(1).m_anDetailNode[0][1]));
}

TEST_F(AnalysisPagesTest, SummaryTotalsAddThePrintedFiguresOfEveryPage)
{
    Open("plate_3span_skew.mvl");
    Choose({&CPrintView::m_bPrintReactionSummary});
    ASSERT_EQ(View().m_nReactionSummaryRows, 34);
    // A dead load of a third of a tonne: 3.27 kN printed, 3.2689 held.
    for (int k = 0; k < 5; ++k)
        std::fill(std::begin(Girder(k).m_adReactDead), std::end(Girder(k).m_adReactDead), 1.0 / 3.0);
    const auto first = Draw(&CPrintView::PrintReactionSummary, CPrintView::RS_REACTION_SUMMARY, 0);
    const auto second = Draw(&CPrintView::PrintReactionSummary, CPrintView::RS_REACTION_SUMMARY, 1);
    EXPECT_EQ(Cell(first, kSummaryCols, 1, 2), QStringLiteral("     3.27"));
    EXPECT_EQ(Cell(first, kSummaryCols, 6, 2), QStringLiteral("    16.35"));
    // The grand total on the second page, of the supports on the first.
    EXPECT_EQ(Cell(second, kSummaryCols, 1, 0), QStringLiteral("   総計"));
    EXPECT_EQ(Cell(second, kSummaryCols, 1, 2), QStringLiteral("    65.40"));
    EXPECT_EQ(RuledRows(second, kSummaryCols), 32);
}

TEST_F(AnalysisPagesTest, SubstructureReactionsTakeOutTheStoredImpactButNotFromCrowdLoad)
{
    RunTwoGirdersThreeSpans();
    CMarivoltenDoc& doc = *g_pDoc;
    Choose({&CPrintView::m_bPrintReactionsNoImpact});
    // Coefficients stored with the results, apart from those of the span lengths.
    std::fill(std::begin(doc.m_adImpactCoef), std::end(doc.m_adImpactCoef), 0.3);
    ASSERT_GT(std::fabs(doc.GetImpactCoefficient(0) - 0.3), 0.01);
    Girder(0).m_adDetailLivePlus[0][0] = Girder(0).m_adReactLivePlus[0] = 13.0;
    Girder(0).m_adDetailDead[0][0] = Girder(0).m_adReactDead[0] = 4.0;
    g_bSIUnits = 0;
    auto detail = Draw(&CPrintView::PrintSubstructureReactionsNoImpact, CPrintView::RS_REACTIONS_NO_IMPACT);
    auto summary = Draw(&CPrintView::PrintSubstructureReactions, CPrintView::RS_SUBSTRUCTURE);
    EXPECT_TRUE(Framed(detail, QStringLiteral("_下部工用反力（衝撃なし）")));
    EXPECT_TRUE(Framed(summary, QStringLiteral("_下部工用反力")));
    EXPECT_EQ(Cell(detail, kDetailCols, 1, 2), QStringLiteral("   10.000"));
    EXPECT_EQ(Cell(detail, kDetailCols, 1, 4), QStringLiteral("   14.000"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 1, 3), QStringLiteral("   10.000"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 1, 5), QStringLiteral("   14.000"));
    // Crowd load alone carries no impact: both pages print the live load as held.
    doc.m_dlgBasic.m_nLiveLoad = 5;
    detail = Draw(&CPrintView::PrintSubstructureReactionsNoImpact, CPrintView::RS_REACTIONS_NO_IMPACT);
    summary = Draw(&CPrintView::PrintSubstructureReactions, CPrintView::RS_SUBSTRUCTURE);
    g_bSIUnits = 1;
    EXPECT_EQ(Cell(detail, kDetailCols, 1, 2), QStringLiteral("   13.000"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 1, 3), QStringLiteral("   13.000"));
    EXPECT_EQ(Cell(summary, kSummaryCols, 1, 5), QStringLiteral("   17.000"));
}

// ---------------------------------------------------------------- deflections

TEST_F(AnalysisPagesTest, DeflectionsReachingTheAllowableOfTheirSpanAreMarked)
{
    Open("plate_3span_skew.mvl");
    Choose({&CPrintView::m_bPrintDeflection});
    CGirderDesign& g = Girder(0);
    ASSERT_FALSE(g_pDoc->m_aSpans[0].m_bArc);
    g_pDoc->m_aSpans[0].m_dSpanLength = 30.0;
    g_pDoc->m_aSpans[1].m_dSpanLength = 50.0;
    // Point 3 lies in the first span, 10 in the second, 7 on the support between them.
    ASSERT_TRUE(g.m_abNodeIsSupport[6]);
    g.m_adDeflLivePlus[2] = 45.0;
    g.m_adDeflLivePlus[3] = 44.999;
    g.m_adDeflLivePlus[9] = 100.0;
    g.m_adDeflLivePlus[6] = 500.0;
    const auto page = Draw(&CPrintView::PrintDeflection, CPrintView::RS_DEFLECTION);
    EXPECT_TRUE(Framed(page, QStringLiteral("_たわみ")));
    EXPECT_EQ(RuledRows(page, kDeflectionCols), 32);
    EXPECT_EQ(Cell(page, kDeflectionCols, 0, 0), QStringLiteral("G 1主桁ﾀﾜﾐ (mm)"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 3, 0), QStringLiteral("           C 3"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 3, 3), QStringLiteral("*   45.000"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 3, 5), QStringLiteral("   45.000"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 4, 3), QStringLiteral("   44.999"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 10, 3), QStringLiteral("*  100.000"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 10, 5), QStringLiteral("  100.000"));
    // A support: its mark, no allowable and never the check.
    EXPECT_EQ(Cell(page, kDeflectionCols, 7, 3), QStringLiteral("  500.000"));
    EXPECT_EQ(Cell(page, kDeflectionCols, 7, 6), QStringLiteral("△"));
    EXPECT_TRUE(Cell(page, kDeflectionCols, 7, 5).isEmpty());
}

TEST_F(AnalysisPagesTest, OneSpanOrOldDataPrintDashesAndAFullLastPageLeavesNoBlankPage)
{
    Open("box1_1span.mvl");
    ASSERT_EQ(g_nGirders, 3);
    Choose({&CPrintView::m_bPrintDeflection});
    g_pDoc->m_nFileVersion = 1730;
    const auto page = Draw(&CPrintView::PrintDeflection, CPrintView::RS_DEFLECTION);
    EXPECT_EQ(Cell(page, kDeflectionCols, 0, 0), QStringLiteral("G1-Lﾀﾜﾐ (mm)"));
    EXPECT_EQ(Cell(page, kDeflectionCols, g_nPanelPoints + 2, 0), QStringLiteral("G1-Cﾀﾜﾐ (mm)"));
    for (int row = 1; row <= g_nPanelPoints; ++row) {
        EXPECT_EQ(Cell(page, kDeflectionCols, row, 2), QStringLiteral("－")) << row;
        EXPECT_EQ(Cell(page, kDeflectionCols, row, 4), QStringLiteral("－")) << row;
    }
    // Three lines of nine points fill 32 rows exactly: one page; of ten, two.
    g_nPanelPoints = 9;
    View().CountPages();
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_DEFLECTION], 1);
    g_nPanelPoints = 10;
    View().CountPages();
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_DEFLECTION], 2);
    const auto second = Draw(&CPrintView::PrintDeflection, CPrintView::RS_DEFLECTION, 1);
    EXPECT_EQ(Cell(second, kDeflectionCols, 0, 0), QStringLiteral("           C 8"));
    EXPECT_EQ(Cell(second, kDeflectionCols, 0, 1), QStringLiteral("1008"));
    EXPECT_TRUE(Cell(second, kDeflectionCols, 3, 0).isEmpty());
    EXPECT_EQ(RuledRows(second, kDeflectionCols), 32);
}

// ---------------------------------------------------------------- member end forces

TEST_F(AnalysisPagesTest, ForceDetailTakesFourRowsAMemberForPlatesAndFiveForBoxes)
{
    Open("plate_3span_skew.mvl");
    int M = g_nPanelPoints - 1;
    Choose({&CPrintView::m_bPrintForceDetail});
    // Five girders of 4M + 2 rows, an empty row between them.
    EXPECT_EQ(View().m_nForceDetailLastRow, 5 * (4 * M + 2) + 4 - 1);
    const auto first = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL);
    EXPECT_TRUE(Framed(first, QStringLiteral("_断面力詳細データ")));
    const CGirderDesign& g = Girder(0);
    EXPECT_EQ(Cell(first, kForceCols, 0, 0), QStringLiteral("主桁 G1: ﾓｰﾒﾝﾄ"));
    EXPECT_EQ(Cell(first, kForceCols, 1, 0), AfxFormat(" %d - %d", g.m_pnMemberNoI[0], g.m_pnNodeI[0]));
    EXPECT_EQ(Cell(first, kForceCols, 1, 1), AfxFormat("%.3f", g.m_pdMomentDeadI[0] * 9.80665));
    EXPECT_EQ(Cell(first, kForceCols, 1, 6), AfxFormat("%.3f", g.m_pdPanelLength[0]));
    EXPECT_EQ(Cell(first, kForceCols, 2, 5), AfxFormat("%.3f", g.m_pdMomentTotalMinusJ[0] * 9.80665));
    EXPECT_TRUE(Cell(first, kForceCols, 2, 6).isEmpty());
    EXPECT_EQ(ThickRules(first, 6), 2);
    // The second girder's block, one empty row after the first one's.
    const int start = 4 * M + 3;
    const auto page = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL, start / 32);
    EXPECT_EQ(Cell(page, kForceCols, start % 32, 0), QStringLiteral("主桁 G2: ﾓｰﾒﾝﾄ"));
    EXPECT_TRUE(Cell(page, kForceCols, start % 32 - 1, 0).isEmpty());
    // Gravitational units leave the forces as held, the lengths as they are.
    g_bSIUnits = 0;
    const auto tonnes = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL);
    g_bSIUnits = 1;
    EXPECT_EQ(Cell(tonnes, kForceCols, 1, 1), AfxFormat("%.3f", g.m_pdMomentDeadI[0]));
    EXPECT_EQ(Cell(tonnes, kForceCols, 1, 6), AfxFormat("%.3f", g.m_pdPanelLength[0]));

    // Box girders add the torsion table: 5M + 3 rows.
    Open("box2_2span.mvl");
    M = g_nPanelPoints - 1;
    Choose({&CPrintView::m_bPrintForceDetail});
    EXPECT_EQ(View().m_nForceDetailLastRow, 2 * (5 * M + 3) + 1 - 1);
    const int torsion = 4 * M + 2;
    const auto box = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL, torsion / 32);
    EXPECT_EQ(Cell(box, kForceCols, torsion % 32, 0), QStringLiteral("主桁 G1: ねじりﾓｰﾒﾝﾄ"));
}

TEST_F(AnalysisPagesTest, ForceDetailOfThirtyTwoRowsTakesOnePageAndOfThirtyThreeTwo)
{
    // A single box of six members: one block of 5M + 3 = 33 rows, from the box's own
    // design object, numbered 1.
    Open("box1_1span.mvl");
    Choose({&CPrintView::m_bPrintForceDetail});
    CPrintView& v = View();
    g_nPanelPoints = 7;
    v.CountPages();
    EXPECT_EQ(v.m_nForceDetailLastRow, 32);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_FORCE_DETAIL], 2);
    const auto first = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL, 0);
    const auto second = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL, 1);
    const CGirderDesign& box = Girder(1);
    EXPECT_EQ(Cell(first, kForceCols, 0, 0), QStringLiteral("主桁 G1: ﾓｰﾒﾝﾄ"));
    EXPECT_EQ(Cell(first, kForceCols, 1, 1), AfxFormat("%.3f", box.m_pdMomentDeadI[0] * 9.80665));
    EXPECT_EQ(Cell(first, kForceCols, 26, 0), QStringLiteral("主桁 G1: ねじりﾓｰﾒﾝﾄ"));
    EXPECT_EQ(Cell(second, kForceCols, 0, 0), AfxFormat(" %d - %d", box.m_pnMemberNoI[5], box.m_pnNodeI[5]));
    EXPECT_TRUE(Cell(second, kForceCols, 1, 0).isEmpty());
    EXPECT_EQ(RuledRows(second, kForceCols), 32);

    // Three plate girders of two members: 3 x 10 rows and two empty rows, one page.
    Open("plate_3span_skew.mvl");
    g_nGirders = 3;
    g_nPanelPoints = 3;
    View().m_bPrintForceDetail = 1;
    View().CountPages();
    EXPECT_EQ(View().m_nForceDetailLastRow, 31);
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_FORCE_DETAIL], 1);
    const auto plate = Draw(&CPrintView::PrintForceDetail, CPrintView::RS_FORCE_DETAIL);
    EXPECT_EQ(RuledRows(plate, kForceCols), 32);
    EXPECT_EQ(Cell(plate, kForceCols, 27, 0), QStringLiteral("主桁 G3: せん断力"));
}

// ---------------------------------------------------------------- stiffness and steel weight

namespace {

// Each of the girder's first sections a block of its own.
void SetBlocks(CGirderDesign& g, int nBlocks)
{
    g.m_pSections.resize(size_t(nBlocks), g.m_pSections.empty() ? CSectionRecord() : g.m_pSections[0]);
    g.m_nSections = nBlocks;
    for (CSectionRecord& s : g.m_pSections)
        s.m_nJoinPrev = s.m_nJoinNext = 0;
}

}

TEST_F(AnalysisPagesTest, ThreeAndFourBlocksTakeTenLinesOnOnePage)
{
    Open("box2_2span.mvl");
    SetBlocks(Girder(0), 3);
    SetBlocks(Girder(1), 4);
    Girder(1).m_pSections[2].m_dAssumedI = 0.3;
    Girder(1).m_pSections[2].m_dI = 0.2;
    Girder(1).m_pSections[3].m_dJ = 0.0;
    Choose({&CPrintView::m_bPrintStiffness, &CPrintView::m_bPrintSteelWeight});
    CPrintView& v = View();
    EXPECT_EQ(v.m_nStiffnessLines, 10);
    EXPECT_EQ(v.m_nSteelWeightLines, 10);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_STIFFNESS], 1);
    EXPECT_EQ(v.PrintStiffness(nullptr, nullptr, 0), 10);

    const auto page = Draw(&CPrintView::PrintStiffness, CPrintView::RS_STIFFNESS);
    EXPECT_TRUE(Framed(page, QStringLiteral("_曲げ剛度・ねじり剛度")));
    EXPECT_EQ(RuledRows(page, kBoxStiffnessCols), 10);
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 0, 0), QStringLiteral("主桁 G1: 部材"));
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 0, 4), QStringLiteral("仮定ねじり剛度[m4]"));
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 3, 0), QStringLiteral("3"));
    EXPECT_TRUE(Cell(page, kBoxStiffnessCols, 4, 0).isEmpty());
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 5, 0), QStringLiteral("主桁 G2: 部材"));
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 8, 3), QStringLiteral("1.500"));
    // No torsional constant to divide by: no ratio.
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 9, 6), QStringLiteral("－"));
    EXPECT_EQ(ThickRules(page, 6), 4);

    const auto weight = Draw(&CPrintView::PrintSteelWeight, CPrintView::RS_STEEL_WEIGHT);
    EXPECT_TRUE(Framed(weight, QStringLiteral("_鋼重")));
    EXPECT_EQ(RuledRows(weight, kSteelWeightCols), 10);
    EXPECT_EQ(Cell(weight, kSteelWeightCols, 1, 2),
              AfxFormat("%.6f", Girder(0).m_pSections[0].m_dArea * 7.851814839930048));
    EXPECT_EQ(ThickRules(weight, 3), 4);
}

TEST_F(AnalysisPagesTest, ThirtyTwoLinesTakeOnePageAndThirtyThreeTwo)
{
    Open("box2_2span.mvl");
    CPrintView& v = View();
    SetBlocks(Girder(0), 14);
    SetBlocks(Girder(1), 15);
    Choose({&CPrintView::m_bPrintStiffness});
    EXPECT_EQ(v.m_nStiffnessLines, 32);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_STIFFNESS], 1);
    SetBlocks(Girder(0), 15);
    v.CountPages();
    EXPECT_EQ(v.m_nStiffnessLines, 33);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_STIFFNESS], 2);
    // The last block line on its own, under a full grid.
    const auto second = Draw(&CPrintView::PrintStiffness, CPrintView::RS_STIFFNESS, 1);
    EXPECT_EQ(Cell(second, kBoxStiffnessCols, 0, 0), QStringLiteral("15"));
    EXPECT_TRUE(Cell(second, kBoxStiffnessCols, 1, 0).isEmpty());
    EXPECT_EQ(RuledRows(second, kBoxStiffnessCols), 32);
}

TEST_F(AnalysisPagesTest, PlateStiffnessHasFourColumnsUnderThinHeadingRules)
{
    Open("plate_3span_skew.mvl");
    SetBlocks(Girder(0), 1);
    View().m_bShadeHeadings = 1;
    Choose({&CPrintView::m_bPrintStiffness});
    // A heading and a line a block, an empty line between girders; blocks start where a
    // section is not joined to the one before.
    int lines = 1 + 1;
    for (int k = 1; k < 5; ++k)
        lines += 2 + int(std::count_if(Girder(k).m_pSections.begin(), Girder(k).m_pSections.end(),
                                       [](const CSectionRecord& r) { return r.m_nJoinPrev != 1; }));
    EXPECT_EQ(View().m_nStiffnessLines, lines);
    const auto page = Draw(&CPrintView::PrintStiffness, CPrintView::RS_STIFFNESS);
    EXPECT_EQ(RuledRows(page, kPlateStiffnessCols), 32);
    EXPECT_EQ(Cell(page, kPlateStiffnessCols, 0, 3), QStringLiteral("仮定／実"));
    EXPECT_EQ(Cell(page, kPlateStiffnessCols, 3, 0), QStringLiteral("主桁 G2: 部材"));
    EXPECT_EQ(ThickRules(page, 6), 0);
    EXPECT_GT(ThickRules(page, 3), 0);
    // Shaded headings: the first cell darker than the rest of the row.
    EXPECT_EQ(Fill(page, kPlateStiffnessCols, 3, 0), CPrintTable::kCornerFill);
    EXPECT_EQ(Fill(page, kPlateStiffnessCols, 3, 2), CPrintTable::kRowFill);
}

TEST_F(AnalysisPagesTest, ASingleBoxPrintsItsOwnDesignObjectAsGirderOne)
{
    Open("box1_1span.mvl");
    SetBlocks(Girder(0), 7);
    SetBlocks(Girder(1), 2);
    Girder(1).m_pSections[1].m_dAssumedJ = 0.8;
    Girder(1).m_pSections[1].m_dJ = 0.4;
    Choose({&CPrintView::m_bPrintStiffness});
    EXPECT_EQ(View().m_nStiffnessLines, 3);
    const auto page = Draw(&CPrintView::PrintStiffness, CPrintView::RS_STIFFNESS);
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 0, 0), QStringLiteral("主桁 G1: 部材"));
    EXPECT_EQ(Cell(page, kBoxStiffnessCols, 2, 6), QStringLiteral("2.000"));
}

// ---------------------------------------------------------------- area ratio

TEST_F(AnalysisPagesTest, AreaRatioOfEveryGirderWithDashesWhereNothingDivides)
{
    Open("plate_3span_skew.mvl");
    Weights(0, 3.0, 2.0);
    Weights(1, 1.5, 0.0);
    auto page = AreaRatio();
    EXPECT_TRUE(Framed(page, QStringLiteral("_断面積比")));
    // Five girders and the heading, 50 high, two indents in and 100 below the top margin.
    EXPECT_TRUE(std::any_of(page.begin(), page.end(), [](const CDC::Record& r) {
        return r.op == QLatin1String("Rectangle") && r.args == std::vector<int>{400, -300, 1400, -600};
    }));
    auto cell = [&](int row, int col) {
        for (const CDC::Record& r : page)
            if (r.op == QLatin1String("TextOut") && r.args[1] <= -300 - 50 * row && r.args[1] > -350 - 50 * row &&
                r.args[0] >= 400 + 250 * col && r.args[0] < 650 + 250 * col)
                return r.text;
        return QString();
    };
    EXPECT_EQ(cell(0, 3), QStringLiteral("仮定断面/実断面"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("    3.000"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("    1.500"));
    EXPECT_EQ(cell(2, 1), QStringLiteral("    1.500"));
    EXPECT_EQ(cell(2, 2), QStringLiteral("－"));
    EXPECT_EQ(cell(2, 3), QStringLiteral("－"));
    EXPECT_EQ(cell(5, 0), QStringLiteral("G5"));
    // Results not valid: the labels only.
    g_bResultsValid = 0;
    page = AreaRatio();
    EXPECT_EQ(cell(1, 0), QStringLiteral("G1"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("－"));
    EXPECT_EQ(cell(1, 3), QStringLiteral("－"));
}

TEST_F(AnalysisPagesTest, AreaRatioOfThePlateExampleIsTheWeightItsAnalysisAssumedOverTheDesignedOne)
{
    Open("plate_3span_skew.mvl");
    const auto page = AreaRatio();
    for (int g = 0; g < g_nGirders; ++g) {
        // Row g + 1 of the table, 50 high from 100 below the top margin: G, assumed, designed, ratio.
        std::vector<QString> row;
        for (const CDC::Record& r : page)
            if (r.op == QLatin1String("TextOut") && r.args[1] <= -350 - 50 * g && r.args[1] > -400 - 50 * g)
                row.push_back(r.text);
        const double assumed = g_pDoc->m_adAssumedWeightPerLength[g], design = g_pDoc->m_adDesignWeightPerLength[g];
        ASSERT_EQ(row.size(), 4u) << "G" << g + 1;
        EXPECT_EQ(row[3], AfxFormat("%9.3f", assumed / design)) << "G" << g + 1;
        EXPECT_NE(row[3], QStringLiteral("    1.000")) << "G" << g + 1;
    }
}

TEST_F(AnalysisPagesTest, AreaRatioOfASingleBoxIsItsSecondEntry)
{
    Open("box1_1span.mvl");
    Weights(0, 9.0, 1.0);
    Weights(1, 2.5, 2.0);
    std::vector<QString> texts;
    for (const CDC::Record& r : AreaRatio())
        if (r.op == QLatin1String("TextOut") && r.args[1] <= -350 && r.args[1] > -500)
            texts.push_back(r.text);
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("G1"), QStringLiteral("    2.500"),
                                           QStringLiteral("    2.000"), QStringLiteral("    1.250")}));
}
