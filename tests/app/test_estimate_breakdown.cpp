// Tables 1 (mass breakdown) and 3 (labour elements) of the estimate window after a real
// grillage run of a two-span bridge: their cells, their own bold fonts, the paper layout of
// table 1, and that drawing them leaves the estimate as it was.
#include "common/dialog_input.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "estimate/estimate_view.h"
#include "framework/format.h"
#include "framework/wndextras.h"
#include "input/cross_beam_dialog.h"
#include "input/member_dialogs.h"


namespace {

using dialoginput::Cell;

class EstimateBreakdownTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        m_shown.clear();
    }
    void RunAndOpen()
    {
        RunGrillage();
        Command(ID_VIEW_ESTIMATE);
        ASSERT_NE(g_pEstimateView, nullptr);
    }
    static CEstimateView& View() { return *g_pEstimateView; }
    // Builds the table and lays its grid over the view, as the view's drawing does.
    static CTableGrid& Show(int nTable)
    {
        g_pDoc->m_nEstimateTable = nTable;
        CFrameWnd* frame = View().GetParentFrame();
        frame->MoveWindow(0, 0, 900, 760);
        QCoreApplication::processEvents();
        nTable == 1 ? View().FillMassBreakdown() : View().FillLabourElements();
        CRect client;
        View().GetClientRect(&client);
        CTableGrid& grid = View().Grid(nTable);
        grid.MoveWindow(client);
        QCoreApplication::processEvents();
        return grid;
    }
    static int FindRow(CTableGrid& t, int col, const QString& text)
    {
        for (int r = 0; r < t.GetNumberRows(); ++r)
            if (Cell(t, r, col) == text)
                return r;
        return -1;
    }
    static CFont* FontOf(CTableGrid& t, int col, int row)
    {
        CGridCell cell;
        t.GetCell(col, row, &cell);
        return cell.GetFont();
    }
    void Shot(CTableGrid&, const QString& name)
    {
        EXPECT_TRUE(AfxSaveWindowImage(View().GetParentFrame(), m_pictures.FilePath(name)));
    }
    const CPictureFolder m_pictures;
};

}

TEST_F(EstimateBreakdownTest, MassBreakdownShowsTheStoredQuantitiesAndAddsUp)
{
    RunAndOpen();
    CMarivoltenDoc& doc = *g_pDoc;
    // A stored value the quantities would not give: the table shows it, and keeps it.
    doc.m_dGirderMass = 123.456;
    const CEstimateData before = doc;
    const int runs = doc.m_nEstimateRuns;
    CTableGrid& t = Show(1);
    EXPECT_TRUE(before == static_cast<const CEstimateData&>(doc));
    EXPECT_EQ(doc.m_nEstimateRuns, runs);
    const int bolts = FindRow(t, 0, QStringLiteral("高力ボルト"));
    ASSERT_GT(bolts, 0);
    EXPECT_EQ(Cell(t, bolts + 1, 4), QStringLiteral(" 123.456"));

    // Screen layout: the row headings and the column headings show; their paper copies do not.
    EXPECT_EQ(t.GetNumberCols(), 7);
    int width = -1, height = -1;
    t.GetColWidth(0, &width);
    t.GetRowHeight(0, &height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    t.GetColWidth(3, &width);
    EXPECT_EQ(width, 100);
    EXPECT_EQ(Cell(t, -1, 1), QStringLiteral("分類"));
    EXPECT_EQ(Cell(t, 0, 6), QStringLiteral("質量 (t)"));
    EXPECT_EQ(Cell(t, 1, -1), QStringLiteral("主桁 G1        "));
    EXPECT_EQ(Cell(t, 2, -1), QStringLiteral("          断面 1"));

    // The first girder's plates add up to its share of the girder total.
    double plates = 0.0;
    for (int g = 0; g < g_nGirders; ++g)
        for (const CSectionRecord& s : doc.m_pGirders[g].m_pSections)
            plates += s.m_dMassUpper + s.m_dMassWeb + s.m_dMassLower;
    const int total = FindRow(t, 1, QStringLiteral("主桁合計  "));
    ASSERT_GT(total, 0);
    double shown = 0.0;
    int rows = 0;
    for (int r = 1; r < total; ++r)
        if (Cell(t, r, 1).contains(QStringLiteral("フランジ")) || Cell(t, r, 1) == QStringLiteral("ウェブ")) {
            shown += AfxAtof(Cell(t, r, 6));
            ++rows;
        }
    EXPECT_NEAR(AfxAtof(Cell(t, total, 6)), plates, 0.0005);
    EXPECT_NEAR(shown, plates, 0.0005 * rows);

    // Totals in the table's own bold font.
    EXPECT_EQ(FontOf(t, 6, total), &View().m_afontBold[1]);
    EXPECT_EQ(FontOf(t, 1, total), &View().m_afontBold[1]);
    EXPECT_EQ(View().m_afontBold[1].LogFont().lfWeight, 800);
    CGridCell grade;
    t.GetCell(2, 2, &grade);
    EXPECT_EQ(grade.GetAlignment(), 1);
    Shot(t, QStringLiteral("table1_top.png"));
    const int beams = FindRow(t, 0, QStringLiteral("横桁           "));
    t.SetTopRow(beams > 0 ? beams - 1 : total);
    QCoreApplication::processEvents();
    Shot(t, QStringLiteral("table1_members.png"));
    t.SetTopRow(t.GetSettings()->m_nLastTopRow);
    QCoreApplication::processEvents();
    Shot(t, QStringLiteral("table1_end.png"));
}

TEST_F(EstimateBreakdownTest, PaperWidthsOfTableOneOutliveARebuild)
{
    RunAndOpen();
    CTableGrid& t = Show(1);
    // The paper layout set for a print job; the job redraws the view between pages.
    t.SetColWidth(0, 160);
    t.SetRowHeight(0, 20);
    t.SetColWidth(2, 90);
    t.SetColWidth(1, 60);
    View().FillMassBreakdown();
    int width = -1;
    t.GetColWidth(2, &width);
    EXPECT_EQ(width, 90);
    t.GetColWidth(1, &width);
    EXPECT_EQ(width, 60);
    // Its labels stay in column 0 for the paper.
    EXPECT_EQ(Cell(t, 1, 0), QStringLiteral("主桁 G1        "));
    EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("分類"));
}

TEST_F(EstimateBreakdownTest, LabourElementsShowTheDesignsMemberKinds)
{
    RunAndOpen();
    CMarivoltenDoc& doc = *g_pDoc;
    const CEstimateData before = doc;
    CTableGrid& t = Show(3);
    EXPECT_TRUE(before == static_cast<const CEstimateData&>(doc));
    EXPECT_EQ(t.GetNumberCols(), 5);
    EXPECT_EQ(Cell(t, 0, 4), QStringLiteral("部材質量 (Kg)"));
    EXPECT_EQ(Cell(t, 1, 0), QStringLiteral("主桁"));
    EXPECT_EQ(Cell(t, 1, 1), AfxFormat("%8d", doc.m_nGirderLargePieces));
    EXPECT_EQ(Cell(t, 1, 4), AfxFormat("%8.0f", doc.m_dGirderMass * 1000.0));
    const int total = FindRow(t, 0, QStringLiteral("合計"));
    ASSERT_GT(total, 0);
    EXPECT_EQ(Cell(t, total, 4), AfxFormat("%8.0f", doc.m_dMainMemberMass * 1000.0));
    for (int col = 0; col < 5; ++col)
        EXPECT_EQ(FontOf(t, col, total), &View().m_afontBold[3]) << col;
    EXPECT_EQ(FontOf(t, 1, 1), nullptr);
    EXPECT_EQ(Cell(t, t.GetNumberRows() - 1, 0), QStringLiteral("合計"));
    EXPECT_EQ(Cell(t, t.GetNumberRows() - 1, 3), AfxFormat("%8.0f", doc.m_dTWeldLengthTotal));
    Shot(t, QStringLiteral("table3.png"));

    // The gravitational units rename the mass captions only.
    g_bSIUnits = 0;
    View().FillLabourElements();
    EXPECT_EQ(Cell(t, 0, 4), QStringLiteral("部材重量 (Kg)"));
    EXPECT_EQ(Cell(t, 1, 4), AfxFormat("%8.0f", doc.m_dGirderMass * 1000.0));
}

TEST_F(EstimateBreakdownTest, CrossBeamsBracketsAndStringersAddUpInTheGrid)
{
    // Every second inner panel point carries a distributing cross beam.
    for (int p = 2; p < g_nPanelPoints - 1; p += 2)
        if (g_pCrossBeamDlg->m_anMemberKind[p] == INTERMEDIATE_SWAY_BRACING) {
            g_pCrossBeamDlg->m_anMemberKind[p] = CROSS_BEAM;
            g_pCrossBeamDlg->m_abDistributing[p] = 1;
        }
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::CrossBeams);
    CSetupMainMemberDialog& mm = g_pDoc->m_dlgMainMember;
    mm.m_bUseLeftBracket = mm.m_bUseRightBracket = mm.m_bUseEdgeStringer = mm.m_bUseStringer = 1;
    RunAndOpen();
    const CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_GT(doc.m_nCrossBeamCount, 0);
    CTableGrid& t = Show(1);

    // The rows between a block's heading and its total add up to the total, to the rounding.
    auto blockSum = [&](const QString& heading, const QString& total) {
        const int first = FindRow(t, 0, heading), last = FindRow(t, 1, total);
        EXPECT_GT(first, 0) << heading.toStdString();
        EXPECT_GT(last, first) << total.toStdString();
        double sum = 0.0;
        for (int r = first + 1; r < last; ++r)
            sum += AfxAtof(Cell(t, r, 6));
        EXPECT_NEAR(sum, AfxAtof(Cell(t, last, 6)), 0.0005 * (last - first)) << total.toStdString();
        return AfxAtof(Cell(t, last, 6));
    };
    EXPECT_NEAR(blockSum(QStringLiteral("横桁           "), QStringLiteral("横桁合計  ")), doc.m_dCrossBeamCalcMass, 0.0005);
    EXPECT_NEAR(blockSum(QStringLiteral("ブラケット"), QStringLiteral("ブラケット合計")),
                (doc.m_dLeftBracketMass + doc.m_dRightBracketMass) / doc.m_dlgEstimate.m_dlgFactor.m_dBracketFactor,
                0.0005);
    blockSum(QStringLiteral("側縦桁"), QStringLiteral("側縦桁合計"));
    blockSum(QStringLiteral("中間縦桁"), QStringLiteral("中間縦桁合計"));
    // Cross members are named by their panel point's number, as the plan shows it.
    const int beams = FindRow(t, 0, QStringLiteral("横桁           "));
    int first = -1;
    for (const CSpanData& span : doc.m_aSpans)
        for (const CPanelPointRecord& pp : span.m_aPanelPoints)
            if (first < 0 && pp.m_nMemberKind == CROSS_BEAM && !pp.m_anNodes.empty())
                first = pp.m_anNodes.front();
    ASSERT_GT(first, 0);
    EXPECT_EQ(Cell(t, beams + 1, -1), AfxFormat("              C%3d", first));
    // Brackets stand one to a panel, as the quantities count them.
    int panels = 0;
    for (int s = 0; s < g_nSpans; ++s)
        panels += g_anPanelCount[s];
    const int brackets = FindRow(t, 0, QStringLiteral("ブラケット"));
    EXPECT_EQ(Cell(t, brackets + 1, 5), AfxFormat("%4d", panels));

    t.SetTopRow(std::min(beams - 1, t.GetSettings()->m_nLastTopRow));
    QCoreApplication::processEvents();
    Shot(t, QStringLiteral("table1_cross_beams.png"));
    t.SetTopRow(std::min(brackets - 1, t.GetSettings()->m_nLastTopRow));
    QCoreApplication::processEvents();
    Shot(t, QStringLiteral("table1_brackets.png"));
    CTableGrid& labour = Show(3);
    Shot(labour, QStringLiteral("table3_all_members.png"));
    EXPECT_EQ(labour.GetNumberRows(), 18);
}
