// The estimate pages of the report, read back cell by cell from what the recording DC drew:
// their rows, their wording, their numbers against the estimate window's tables, and no text
// running over the rules of its cell.
#include "print_fixture.h"

#include "app/globals.h"
#include "common/dialog_input.h"
#include "estimate/estimate_view.h"
#include "framework/format.h"

#include <cmath>
#include <map>

namespace {

using V = CPrintView;

// A ruled table as drawn: its rules and the text of each cell.
struct DrawnTable {
    std::vector<int> cols;      // left edges, then the right edge
    std::vector<int> rows;      // top edges going down, then the bottom
    std::map<std::pair<int, int>, QString> cells;
    std::vector<QString> overflowing;
    int Rows() const { return int(rows.size()) - 1; }
    QString At(int row, int col) const
    {
        const auto it = cells.find({row, col});
        return it == cells.end() ? QString() : it->second;
    }
};

class EstimatePagesTest : public PrintTest {
protected:
    void Open(const char* example)
    {
        OpenExample(example);
        OpenForm();
        Select();
    }
    // The estimate sections checked and counted.
    static void Select()
    {
        for (int V::*box : {&V::m_bPrintMassSummary, &V::m_bPrintMassBreakdown, &V::m_bPrintMassByGrade,
                            &V::m_bPrintManHours, &V::m_bPrintContractCost, &V::m_bPrintFabricationCost})
            View().*box = 1;
        View().CountPages();
    }
    static std::vector<CDC::Record> Page(int nSection, int nPageOfSection = 0)
    {
        return PrintPage(View().m_anSectionStart[nSection] + nPageOfSection);
    }
    // The table with its top-left corner at (x, y): 100 right of the left margin, and below the
    // top margin by the given depth.
    static DrawnTable Table(const std::vector<CDC::Record>& records, int nDepth = 150)
    {
        const int x = View().m_nLeftMargin + 100, y = -(View().m_nTopMargin + nDepth);
        DrawnTable t;
        int right = x, bottom = y;
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("Rectangle") && r.args[0] == x && r.args[1] == y) {
                right = std::max(right, r.args[2]);
                bottom = std::min(bottom, r.args[3]);
            }
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("LineTo"))
                continue;
            if (r.args[0] == r.args[2] && r.args[1] == y)
                t.cols.push_back(r.args[0]);
            if (r.args[1] == r.args[3] && r.args[0] == x && r.args[1] <= y && r.args[1] > bottom)
                t.rows.push_back(r.args[1]);
        }
        t.cols.push_back(right);
        t.rows.push_back(bottom);
        CDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("TextOut") || r.fontHeight != 32)
                continue;
            const CSize s = dc.GetTextExtent(r.text);
            const int cx = r.args[0] + s.cx / 2, cy = r.args[1] - s.cy / 2;
            int col = -1, row = -1;
            for (size_t c = 0; c + 1 < t.cols.size(); ++c)
                if (cx >= t.cols[c] && cx < t.cols[c + 1])
                    col = int(c);
            for (size_t k = 0; k + 1 < t.rows.size(); ++k)
                if (cy <= t.rows[k] && cy > t.rows[k + 1])
                    row = int(k);
            if (col < 0 || row < 0)
                continue;
            t.cells[{row, col}] = r.text;
            if (r.args[0] < t.cols[size_t(col)] || r.args[0] + s.cx > t.cols[size_t(col) + 1])
                t.overflowing.push_back(r.text);
        }
        return t;
    }
    static int MassBreakdownPages() { return View().m_anSectionPages[V::RS_MASS_BREAKDOWN]; }
    // Every row of the mass breakdown over all its pages, seven cells each.
    static std::vector<std::vector<QString>> BreakdownLines()
    {
        std::vector<std::vector<QString>> lines;
        for (int p = 0; p < MassBreakdownPages(); ++p) {
            const DrawnTable t = Table(Page(V::RS_MASS_BREAKDOWN, p));
            for (int row = 0; row < t.Rows(); ++row) {
                lines.emplace_back();
                for (int col = 0; col < 7; ++col)
                    lines.back().push_back(t.At(row, col));
            }
        }
        return lines;
    }
    // The first row whose cell in the column reads the text, blanks aside.
    static size_t Find(const std::vector<std::vector<QString>>& lines, int col, const QString& text)
    {
        for (size_t k = 0; k < lines.size(); ++k)
            if (lines[k][size_t(col)].trimmed() == text)
                return k;
        return lines.size();
    }
    static CTableGrid& Window(int nTable)
    {
        if (!g_pEstimateView)
            Command(ID_VIEW_ESTIMATE);
        g_pDoc->m_nEstimateTable = nTable;
        g_pEstimateView->ShowTable();
        return g_pEstimateView->Grid(nTable);
    }
    static CMarivoltenDoc& Doc() { return *g_pDoc; }
    static EstimateFactorData& Factors() { return g_pDoc->m_dlgEstimate.m_dlgFactor; }
};

QString Dashed(const QString& text) { return text == QLatin1String("-") ? QStringLiteral("－") : text; }

}

TEST_F(EstimatePagesTest, PagesAgreeWithTheEstimateWindowAndStayInTheirCells)
{
    for (const char* example : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl"}) {
        SCOPED_TRACE(example);
        Open(example);
        using dialoginput::Cell;
        const DrawnTable summary = Table(Page(V::RS_MASS_SUMMARY));
        CTableGrid& w0 = Window(0);
        ASSERT_EQ(Cell(w0, summary.Rows() - 1, 0).trimmed(), QStringLiteral("合計"));
        for (int row = 1; row < summary.Rows(); ++row)
            for (int col = 1; col < 4; ++col)
                if (Cell(w0, row, 0).trimmed() != QStringLiteral("副部材")) {
                    EXPECT_EQ(summary.At(row, col), Dashed(Cell(w0, row, col))) << row << "," << col;
                }

        std::vector<QString> window;
        CTableGrid& w1 = Window(1);
        for (int row = 1; row < w1.GetNumberRows(); ++row)
            if (const QString m = Cell(w1, row, 6); !m.isEmpty() && !m.contains(QStringLiteral("(t)")))
                window.push_back(Dashed(m.trimmed()));
        std::vector<QString> page;
        for (const std::vector<QString>& line : BreakdownLines())
            if (!line[6].isEmpty() && !line[6].contains(QStringLiteral("(t)")))
                page.push_back(line[6].trimmed());
        EXPECT_EQ(page, window);

        // The value cells of the rows from the first on, in the columns from the first to the
        // last; a row without a caption in the window is a heading or empty where asked.
        auto same = [](const DrawnTable& t, CTableGrid& w, int first, int firstCol, int lastCol, bool captioned) {
            ASSERT_EQ(t.Rows(), w.GetNumberRows());
            for (int row = first; row < t.Rows(); ++row) {
                if (captioned && Cell(w, row, 0).isEmpty())
                    continue;
                for (int col = firstCol; col <= lastCol; ++col)
                    EXPECT_TRUE(Cell(w, row, col).isEmpty() || t.At(row, col) == Cell(w, row, col)) << row << "," << col;
            }
        };
        const DrawnTable grade = Table(Page(V::RS_MASS_BY_GRADE));
        CTableGrid& w6 = Window(6);
        same(grade, w6, 1, 1, w6.GetNumberCols() - 1, false);

        const std::vector<CDC::Record> hours = Page(V::RS_MAN_HOURS);
        const DrawnTable labour = Table(hours);
        same(labour, Window(3), 1, 1, 4, true);
        const std::vector<CDC::Record> cost = Page(V::RS_CONTRACT_COST);
        const DrawnTable contract = Table(cost), material = Table(cost, 1600);
        same(contract, Window(4), 1, 2, 2, false);
        same(material, Window(5), 1, 2, 2, false);
        // The fabrication amount is the one rounded by its own format.
        const DrawnTable fabrication = Table(Page(V::RS_FABRICATION_COST));
        same(fabrication, Window(7), 2, 2, 2, false);

        for (const DrawnTable* t : {&summary, &grade, &labour, &contract, &material, &fabrication})
            EXPECT_TRUE(t->overflowing.empty()) << t->overflowing.front().toStdString();
        for (int p = 0; p < MassBreakdownPages(); ++p)
            EXPECT_TRUE(Table(Page(V::RS_MASS_BREAKDOWN, p)).overflowing.empty());
        EXPECT_TRUE(Table(hours, 1600).overflowing.empty());
    }
}

TEST_F(EstimatePagesTest, MassSummaryAndManHourRowsFollowTheMembersUsed)
{
    Open("plate_3span_skew.mvl");
    // Cross beams only, no bracing, the girder ends not counted.
    Doc().m_nEndSwayCount = Doc().m_nMidSwayCount = Doc().m_nPierSwayCount = Doc().m_nSwayMembers = 0;
    Doc().m_nCrossBeamCount = 4;
    Doc().m_dlgMainMember.m_bUseLateral = 0;
    Factors().m_bGirderEndMass = 0;
    Factors().m_dRailingWeight = 0.0;
    const DrawnTable t = Table(Page(V::RS_MASS_SUMMARY));
    ASSERT_EQ(t.Rows(), 15);
    const char* labels[15] = {"主部材", "主桁            ", "横桁            ", "主桁用 HTB      ", "横桁用 HTB      ",
                              "主部材小計", "", "副部材", "高欄            ", "伸縮継手        ", "排水装置        ",
                              "その他          ", "副部材小計", "", "合計"};
    for (int row = 0; row < 15; ++row)
        EXPECT_EQ(t.At(row, 0), QString::fromUtf8(labels[row])) << row;
    // No railing unit mass: no length, the mass still counted.
    EXPECT_EQ(t.At(8, 2), QStringLiteral("－"));
    EXPECT_EQ(t.At(8, 3), AfxFormat("%8.3f", Doc().m_dRailingMass));
    EXPECT_EQ(t.At(2, 3), AfxFormat("%8.3f", Doc().m_dCrossBeamMass));
    EXPECT_EQ(t.At(10, 2), QStringLiteral("   4"));
    EXPECT_EQ(t.At(7, 2), QStringLiteral("長さ(m)、個数"));

    const std::vector<CDC::Record> page = Page(V::RS_MAN_HOURS);
    const DrawnTable hours = Table(page), quantities = Table(page, 1600);
    ASSERT_EQ(hours.Rows(), 10);
    EXPECT_EQ(hours.At(2, 0), QStringLiteral("横桁"));
    EXPECT_EQ(hours.At(4, 0), QStringLiteral("570材相当部材質量"));
    EXPECT_EQ(hours.At(4, 1), QStringLiteral("    ／"));
    EXPECT_EQ(hours.At(6, 3), QStringLiteral("T継溶接(m)"));
    EXPECT_EQ(hours.At(8, 0), QStringLiteral("横桁"));
    // The lower table keeps its place, with the sidewalk rows also for a bridge without.
    ASSERT_EQ(quantities.Rows(), 10);
    EXPECT_EQ(quantities.At(1, 3), AfxFormat("%8.2f", Doc().m_dSteelMassTotal * Factors().m_dPaintAreaPerTon));
    EXPECT_EQ(quantities.At(8, 0), QStringLiteral("歩道マウント"));

    // Gravitational units name weights, in the titles and the headings alike.
    g_bSIUnits = 0;
    const std::vector<CDC::Record> summary = Page(V::RS_MASS_SUMMARY), breakdown = Page(V::RS_MASS_BREAKDOWN);
    EXPECT_NE(FindText(summary, Doc().GetTitle() + QStringLiteral("_重量集計")), nullptr);
    EXPECT_EQ(Table(summary).At(0, 3), QStringLiteral("重量(t)"));
    EXPECT_NE(FindText(breakdown, Doc().GetTitle() + QStringLiteral("_重量内訳")), nullptr);
    EXPECT_EQ(Table(breakdown).At(0, 6), QStringLiteral("重量(t)"));
}

TEST_F(EstimatePagesTest, GirderEndsAreShownApartFromTheMembersAlongTheBridge)
{
    Open("box2_2span.mvl");
    g_adSpanLength[0] = 30.0;
    g_adSpanLength[1] = 40.0;
    Factors().m_bGirderEndMass = 1;
    Factors().m_dGirderEndLength = 0.5;
    Factors().m_bSeparateRibMass = 1;
    Doc().CalcEstimate();
    const DrawnTable t = Table(Page(V::RS_MASS_SUMMARY));
    const double f = 71.0 / 70.0;
    EXPECT_EQ(t.At(1, 3), AfxFormat("%8.3f", Doc().m_dGirderMass / f));
    EXPECT_EQ(t.At(2, 0), QStringLiteral("主桁(桁端)      "));
    EXPECT_EQ(t.At(2, 3), AfxFormat("%8.3f", Doc().m_dGirderEndMass));
    EXPECT_EQ(t.At(3, 0), QStringLiteral("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ      "));
    EXPECT_EQ(t.At(4, 0), QStringLiteral("ﾌﾗﾝｼﾞ縦ﾘﾌﾞ(桁端)"));
    EXPECT_EQ(t.At(3, 3), AfxFormat("%8.3f", Doc().m_dFlangeRibMass / f));
    // The bolts go on the whole girder mass.
    EXPECT_EQ(t.At(6, 1), AfxFormat("%8.3f", Doc().m_dGirderMass));

    // The mass breakdown totals the plates without their girder-end share.
    g_adSpanLength[0] = 20.0;
    g_adSpanLength[1] = 30.0;
    Factors().m_bSeparateRibMass = 0;
    Doc().CalcEstimate();
    Select();
    const std::vector<std::vector<QString>> lines = BreakdownLines();
    const size_t total = Find(lines, 0, QStringLiteral("主桁合計"));
    ASSERT_LT(total, lines.size());
    EXPECT_EQ(lines[total][6], AfxFormat("%8.3f", Doc().m_dGirderCalcMass / 1.02));
}

TEST_F(EstimatePagesTest, CostPagesRoundItemsAndTruncatePrintedAmounts)
{
    Open("box2_2span.mvl");
    // A ready-made railing is bought by the length of both its lines, girder ends included,
    // as the estimate charges it in the material total.
    Doc().m_dlgEstimate.m_dlgFitting.m_nRailingType = 2;
    Doc().m_dlgEstimate.m_dlgFitting.m_nRailingUnitPrice = 20000;
    Doc().CalcEstimate();
    ASSERT_GT(Doc().m_nReadyRailingCost, 0);
    const DrawnTable railing = Table(Page(V::RS_CONTRACT_COST), 1600);
    ASSERT_EQ(railing.Rows(), 10);
    EXPECT_EQ(railing.At(9, 0), QStringLiteral("  (6)高欄"));
    const double f = (2 * Factors().m_dGirderEndLength + 90.0) / 90.0;
    EXPECT_TRUE(railing.At(9, 1).startsWith(AfxFormat("%8.2f m", Doc().m_detail.m_dRailingLength * f)));
    EXPECT_NEAR(railing.At(9, 2).toDouble(), Doc().m_nReadyRailingCost / 1000.0, 1.0);

    Doc().m_nMaterialCost = 12345678;
    DrawnTable contract = Table(Page(V::RS_CONTRACT_COST)), material = Table(Page(V::RS_CONTRACT_COST), 1600);
    EXPECT_EQ(contract.At(4, 2), QStringLiteral("   12345"));
    EXPECT_EQ(material.At(1, 2), QStringLiteral("   12345"));

    // 10.44 stays in the sums and prints 10; 10.46 becomes 11.
    Doc().m_nMaterialCost = 10000;
    Doc().m_dFabricationCost = 10440.0;
    Doc().m_dlgBasic.m_bZeroPaintCost = 1;
    contract = Table(Page(V::RS_CONTRACT_COST));
    EXPECT_EQ(contract.At(5, 2), QStringLiteral("      10"));
    EXPECT_EQ(contract.At(6, 2), QStringLiteral("       0"));
    EXPECT_EQ(contract.At(3, 2), QStringLiteral("      20"));
    Doc().m_dFabricationCost = 10460.0;
    EXPECT_EQ(Table(Page(V::RS_CONTRACT_COST)).At(5, 2), QStringLiteral("      11"));
    EXPECT_EQ(Table(Page(V::RS_CONTRACT_COST)).At(16, 1), QStringLiteral("車道 + 歩道"));
    // The shop overhead's formula closes its brace on the rate; the window spaces it.
    const QString rate = AfxFormat("%4.3f", Doc().m_dShopOverheadRate);
    EXPECT_EQ(Table(Page(V::RS_CONTRACT_COST)).At(9, 1), QStringLiteral("{ 2)製作費 + 3)工場塗装費 + 4)間接労務費 }× ") + rate);
    EXPECT_EQ(dialoginput::Cell(Window(4), 9, 1), QStringLiteral("{ 2)製作費 + 3)工場塗装費 + 4)間接労務費 } × ") + rate);

    // Without steel there is no average price.
    Doc().m_dSteelMassTotal = 0.0;
    material = Table(Page(V::RS_CONTRACT_COST), 1600);
    EXPECT_TRUE(material.At(3, 1).contains(QStringLiteral("－ 千円/t(鋼材平均)"))) << material.At(3, 1).toStdString();
    EXPECT_EQ(material.At(3, 2), QStringLiteral("       0"));

    // The fabrication cost goes to the nearest thousand yen by its format; counts held as
    // doubles lose their fraction.
    Doc().m_dFabricationCost = 1234500.0;
    Doc().m_dlgEstimate.m_dlgLabour.m_anPrice[EstimateLabourData::PriceIndex(0)] = 4500;
    Doc().m_dManHourA1 = 12.9;
    Doc().m_dManHourA2 = -3.7;
    const DrawnTable t = Table(Page(V::RS_FABRICATION_COST));
    ASSERT_EQ(t.Rows(), 44);
    EXPECT_EQ(t.At(1, 2), QStringLiteral("    1235"));
    EXPECT_TRUE(t.At(1, 1).endsWith(QStringLiteral("製作工労務単価     4.50")));
    EXPECT_EQ(t.At(14, 2), QStringLiteral("      12"));
    EXPECT_EQ(t.At(15, 2), QStringLiteral("      -3"));
    EXPECT_EQ(t.At(25, 0), QStringLiteral("570材による影響割増 K"));
    EXPECT_EQ(t.At(32, 0), QStringLiteral("対傾構,横構組立工数 Y4"));
    EXPECT_TRUE(t.At(18, 1).contains(QStringLiteral("質量")));
    g_bSIUnits = 0;
    EXPECT_TRUE(Table(Page(V::RS_FABRICATION_COST)).At(18, 1).contains(QStringLiteral("重量")));
}

TEST_F(EstimatePagesTest, BearingsPricedByThePieceCountEveryGirderAtEverySupport)
{
    for (const auto& [form, expected] : {std::pair{0, 16}, std::pair{1, 8}}) {
        StartNewDesign();
        RunNewDesign(QStringLiteral("3"), [form](CDialog* d) {
            dialoginput::Type(d, IDC_GIRDERS, form == 0 ? QStringLiteral("4") : QStringLiteral("1"));
            if (form == 1)
                dialoginput::Press(d, IDC_FORM_BOX);
        });
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
        Doc().m_dlgEstimate.m_dlgBearing.m_nPriceMode = 1;
        OpenForm();
        Select();
        const DrawnTable m = Table(Page(V::RS_CONTRACT_COST), 1600);
        EXPECT_TRUE(m.At(5, 1).endsWith(AfxFormat("× %3d 個", expected))) << m.At(5, 1).toStdString();
    }
}

TEST_F(EstimatePagesTest, MassBreakdownRunsOverPagesOfThirtyTwoRows)
{
    Open("box1_1span.mvl");
    Factors().m_bSeparateRibMass = 0;
    Select();
    // As many cross frames as make 40 rows.
    const int rows = View().m_nMassBreakdownRows;
    ASSERT_LT(rows, 37);
    Doc().m_detail.m_aCrossMembers.assign(size_t(37 - rows), CQuantityDetail::CrossMember{1, 7, 2.5, 0, 0, 0, 0, 0.25});
    Select();
    ASSERT_EQ(View().m_nMassBreakdownRows, 40);
    ASSERT_EQ(MassBreakdownPages(), 2);
    const DrawnTable second = Table(Page(V::RS_MASS_BREAKDOWN, 1));
    ASSERT_EQ(second.Rows(), 32);
    int last = 0;
    for (const auto& [cell, text] : second.cells)
        last = std::max(last, cell.first);
    EXPECT_EQ(last, 6);     // rows 32 to 38 drawn, 39 empty: the last 24 ruled and empty
    EXPECT_EQ(second.At(5, 1), QStringLiteral("排水装置"));
    EXPECT_EQ(second.At(5, 6), QStringLiteral("   0.032"));
    // The walk agrees with the count of its groups.
    const CGirderDesign& box = Doc().m_pGirders[1];
    EXPECT_EQ(rows, 1 + 3 * box.m_nSections + 2 + 5 + 6);

    // One main girder has no bay between girders to measure.
    g_nGirders = 1;
    Select();
    const std::vector<std::vector<QString>> lines = BreakdownLines();
    const size_t frame = Find(lines, 0, QStringLiteral("中間対傾構")) + 1;
    ASSERT_LT(frame, lines.size());
    EXPECT_EQ(lines[frame][4], QStringLiteral("－"));
}

TEST_F(EstimatePagesTest, CrossMembersAndBracketsShowTheirGeometry)
{
    StartNewDesign();
    dialoginput::ConfirmBasic(QStringLiteral("2"), [](CDialog* d) { dialoginput::Type(d, IDC_GIRDERS, QStringLiteral("4")); });
    // Thirteen panels: six in the first span, seven in the second.
    g_anPanelCount[0] = 6;
    g_anPanelCount[1] = 7;
    std::fill(g_adPanelLength[1], g_adPanelLength[1] + 7, g_adSpanLength[1] / 7.0);
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    RunGrillage();
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    ASSERT_EQ(g_nPanelPoints, 14);
    // Every panel point 7.5 m across: bays of 2.5 m. The first point a cross beam, the others
    // intermediate cross frames of automatic depth 0.8 x the least girder height, 1.8 m.
    for (CSpanData& span : Doc().m_aSpans)
        for (CPanelPointRecord& p : span.m_aPanelPoints) {
            p.m_dWidth = 7.5;
            p.m_nMemberKind = 1;
        }
    Doc().m_aSpans[0].m_aPanelPoints[0].m_nMemberKind = 2;
    double* heights = Doc().m_dlgPlateGirder.m_adGirderHeight;
    const double h4[4] = {2.0, 2.0, 1.8, 2.2};
    std::copy(h4, h4 + 4, heights);
    CSetupMainMemberDialog& mm = Doc().m_dlgMainMember;
    mm.m_dlgMidSway.m_dMemberDistB = 0.0;
    mm.m_dlgMidSway.m_nUpperChord = mm.m_dlgMidSway.m_nLowerChord = 5;
    mm.m_dlgMidSway.m_nDiagonal = 6;
    mm.m_bUseLeftBracket = mm.m_bUseRightBracket = 1;
    mm.m_dlgLeftBracket.m_dDistBR = mm.m_dlgRightBracket.m_dDistBR = 0.0;
    g_pDoc->CalcEstimate();
    OpenForm();
    Select();

    const std::vector<std::vector<QString>> lines = BreakdownLines();
    auto find = [&](int col, const QString& text) { return Find(lines, col, text); };
    const size_t beam = find(0, QStringLiteral("横桁")) + 1;
    ASSERT_LT(beam + 1, lines.size());
    // Members are named as the plan names their panel points.
    EXPECT_EQ(lines[beam][0].trimmed(), QStringLiteral("C  1"));
    EXPECT_EQ(lines[beam][4], QStringLiteral("  2.500"));
    EXPECT_EQ(lines[beam][5], QStringLiteral("  6"));
    EXPECT_EQ(lines[beam + 1][5], QStringLiteral("  3"));
    const size_t frame = find(0, QStringLiteral("中間対傾構")) + 1;
    ASSERT_LT(frame, lines.size());
    EXPECT_EQ(lines[frame][0].trimmed(), QStringLiteral("C  2"));
    EXPECT_EQ(lines[frame][4], QStringLiteral("  2.500"));
    EXPECT_EQ(lines[frame][5], QStringLiteral("  3"));
    const double h = 0.8 * 1.8, d = std::sqrt(1.25 * 1.25 + h * h);
    EXPECT_EQ(lines[frame][6], AfxFormat("%7.3f", 3 * (2 * 0.00996 * 2.5 + 2 * d * 0.0133)));

    // Brackets of automatic depth take half and 0.8 of their own side's outer girder.
    const size_t left = find(0, QStringLiteral("左ブラケット")), right = find(0, QStringLiteral("右ブラケット"));
    ASSERT_LT(right + 2, lines.size());
    ASSERT_EQ(left + 3, right);
    EXPECT_EQ(lines[left + 1][3], AfxFormat("%0.5f", (1.0 + 1.6) / 2 * 9 * 0.001));
    EXPECT_EQ(lines[left + 2][4], AfxFormat("%8.3f", std::sqrt(1.0 + 0.6 * 0.6)));
    EXPECT_EQ(lines[right + 1][3], AfxFormat("%0.5f", (1.1 + 1.76) / 2 * 9 * 0.001));
    // One bracket in every panel, as the estimate counts their masses.
    EXPECT_EQ(lines[left][5], QStringLiteral("  13"));
    EXPECT_EQ(lines[right][5], QStringLiteral("  13"));
    // Their rows add up to the estimate's bracket masses.
    double sum = 0.0;
    for (size_t k = left; k < left + 6; ++k)
        sum += lines[k][6].toDouble();
    const double brackets = (Doc().m_dLeftBracketMass + Doc().m_dRightBracketMass) / Factors().m_dBracketFactor;
    EXPECT_NEAR(sum, brackets, 0.003);
    EXPECT_EQ(lines[left + 6][6], AfxFormat("%8.3f", brackets));
}
