// The section calculation window after a real grillage run: the table of the shown girder,
// its spin steps, the recalculation command, the girder switch with pending edits, the
// block command, the discarded results and the printout.
#include "common/dialog_input.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "design/calc_view.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/print.h"
#include "framework/wndextras.h"
#include "input/modeless_dialogs.h"

#include <QProcess>
#include <QTemporaryDir>
#include <numeric>

namespace {

using dialoginput::Cell;

class CalcViewTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        Design(0);
    }
    // A design of two spans with the basic dialog's radio button checked, run and shown.
    void Design(int nRadio)
    {
        if (g_pDoc->m_pGirders)
            StartNewDesign();
        dialoginput::ConfirmBasic(QStringLiteral("2"), [nRadio](CDialog* d) {
            if (nRadio != 0) {
                for (int id : {IDC_FORM_PLATE, IDC_FORM_BOX, IDC_HEIGHT_VARIATION, IDC_HEIGHT_CONSTANT})
                    if (id == nRadio || (id == IDC_FORM_PLATE && nRadio == IDC_FORM_BOX) ||
                        (id == IDC_HEIGHT_CONSTANT && nRadio == IDC_HEIGHT_VARIATION))
                        static_cast<CButton*>(d->GetDlgItem(id))->SetCheck(id == nRadio ? 1 : 0);
            }
        });
        m_shown.clear();
        Answer({IDOK});
        Command(ID_CALC_GRILLAGE);
        ASSERT_EQ(m_shown, QStringList{QStringLiteral("計算終了!")});
        m_shown.clear();
        Command(ID_VIEW_CALC);
        ASSERT_NE(g_pCalcView, nullptr);
        QCoreApplication::processEvents();
    }
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }
    static CCalcGrid& Table() { return g_pCalcView->m_grid; }
    static CGirderDesign& Girder(int g) { return g_pDoc->m_pGirders[g]; }
    static CCalcBar& Bar()
    {
        return static_cast<CChildCalcFrame*>(g_pCalcView->GetParentFrame())->m_wndBar;
    }
    static void StepGirder(int delta)
    {
        static_cast<CSpinButtonCtrl*>(Bar().GetControl(IDC_CALC_GIRDER_SPIN))->Step(delta);
    }
    static double TableSum(int row)
    {
        double sum = 0.0;
        for (int c = 0; c < Table().GetNumberCols(); ++c)
            sum += Cell(Table(), row, c).toDouble();
        return sum;
    }
};

}

TEST_F(CalcViewTest, ShowsTheShownGirdersSectionsRowByRow)
{
    const CGirderDesign& g = Girder(0);
    ASSERT_GT(g.m_nSections, 1);
    EXPECT_EQ(Table().GetNumberCols(), g.m_nSections);
    EXPECT_EQ(Table().GetNumberRows(), 38);
    EXPECT_EQ(Cell(Table(), -1, 1), QStringLiteral("2"));
    EXPECT_EQ(Cell(Table(), 0, -1), QStringLiteral("ﾌﾞﾛｯｸ"));
    EXPECT_EQ(Cell(Table(), 1, -1), QStringLiteral("ﾓｰﾒﾝﾄ M    (L) (kN･m)"));
    EXPECT_EQ(Cell(Table(), 26, -1), QStringLiteral("σU,σUa  (L)  (N/mm2)"));
    EXPECT_EQ(Cell(Table(), 37, -1), QStringLiteral("合成応力度(C)         "));
    EXPECT_EQ(Cell(Table(), 0, 1), QStringLiteral("2 - 1"));

    const CSectionRecord& s = g.m_pSections[0];
    EXPECT_EQ(Cell(Table(), 8, 0), AfxFormat("%.0f", s.m_dLength * 1000.0));
    EXPECT_EQ(Cell(Table(), 13, 0), AfxFormat("%.0f", s.m_dTUpper * 1000.0));
    EXPECT_EQ(Cell(Table(), 1, 0), AfxFormat("%.1f", s.m_adM[0] * 9.80665));
    EXPECT_EQ(Cell(Table(), 21, 0), AfxFormat("%.3f", s.GetHoleStressFactor(0)));
    // Grades are numbers shown by name; editable cells are white spin cells, the others grey.
    CGridCell grade;
    Table().GetCellIndirect(0, 9, &grade);
    EXPECT_EQ(grade.GetText(), QString::number(s.m_nGradeUpper));
    EXPECT_EQ(grade.GetChoiceList(), g_szSteelGrades9[s.m_nGradeUpper]);
    EXPECT_EQ(grade.GetCellType(), GRID_CT_SPIN);
    CGridCell shown;
    Table().GetCellIndirect(0, 23, &shown);
    EXPECT_EQ(shown.GetCellType(), GRID_CT_NORMAL);
    EXPECT_EQ(shown.GetBackColor(), RGB(191, 191, 191));
    EXPECT_TRUE(Cell(Table(), 26, 0).contains(QStringLiteral("≦")) || Cell(Table(), 26, 0).contains(QStringLiteral("＞")));
    if (!s.m_bHasC) {
        EXPECT_EQ(Cell(Table(), 3, 0), QStringLiteral("－"));
    }

    // The bar shows the girder from 1 and the view's commands are on.
    EXPECT_EQ(Bar().GetControl(IDC_CALC_GIRDER)->GetWindowText(), QStringLiteral("   1"));
    EXPECT_TRUE(Update(ID_CALC_SECTION).m_bEnabled);
    const CPictureFolder pictures;
    EXPECT_TRUE(AfxSaveWindowImage(g_pCalcView->GetParentFrame(), pictures.FilePath(QStringLiteral("calc_view.png"))));
}

TEST_F(CalcViewTest, SpinCellsStepByRowAndMarkTheEditsPending)
{
    CCalcGrid& t = Table();
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 1);
    const double length = Cell(t, 8, 0).toDouble();
    dialoginput::Spin(t, 8, 0, true);
    EXPECT_EQ(Cell(t, 8, 0).toDouble(), length + 10.0);
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 0);
    const double thick = Cell(t, 13, 0).toDouble();
    dialoginput::Spin(t, 13, 0, false);
    EXPECT_EQ(Cell(t, 13, 0).toDouble(), thick - 1.0);

    // Grades wrap from 8 to 0 and show the name.
    dialoginput::Enter(t, 9, 0, QStringLiteral("8"));
    CGridCell grade;
    t.GetCellIndirect(0, 9, &grade);
    EXPECT_EQ(grade.GetChoiceList(), QStringLiteral("SMA570W"));
    dialoginput::Spin(t, 9, 0, true);
    t.GetCellIndirect(0, 9, &grade);
    EXPECT_EQ(grade.GetText(), QStringLiteral("0"));
    EXPECT_EQ(grade.GetChoiceList(), QStringLiteral("SS400"));
    dialoginput::Spin(t, 9, 0, false);
    t.GetCellIndirect(0, 9, &grade);
    EXPECT_EQ(grade.GetChoiceList(), QStringLiteral("SMA570W"));

    // A width steps the number before its effective width.
    t.SetCellText(0, 12, QStringLiteral("520(480)"));
    dialoginput::Spin(t, 12, 0, true);
    EXPECT_EQ(Cell(t, 12, 0), QStringLiteral("530(480)"));
    // Shown values do not step.
    const QString area = Cell(t, 23, 0);
    dialoginput::Spin(t, 23, 0, true);
    EXPECT_EQ(Cell(t, 23, 0), area);
}

TEST_F(CalcViewTest, SectionCalcTakesTheTypedValuesKeepingTheGirderLength)
{
    CGirderDesign& g = Girder(0);
    const std::vector<CSectionRecord> before = g.m_pSections;
    CCalcGrid& t = Table();
    // The upper flange of section 2 one millimetre thicker, section 1 half a metre longer.
    dialoginput::Enter(t, 13, 1, AfxFormat("%.0f", before[1].m_dTUpper * 1000.0 + 1.0));
    dialoginput::Enter(t, 8, 0, AfxFormat("%.0f", before[0].m_dLength * 1000.0 + 500.0));
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 0);
    EXPECT_EQ(g.m_pSections, before);      // nothing changes before the command
    const int estimates = g_pDoc->m_nEstimateRuns;
    g_pDoc->SetModifiedFlag(FALSE);

    Command(ID_CALC_SECTION);
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 1);
    EXPECT_NEAR(g.m_pSections[1].m_dTUpper, before[1].m_dTUpper + 0.001, 1e-12);
    EXPECT_NEAR(g.m_pSections[0].m_dLength, before[0].m_dLength + 0.5, 1e-9);
    EXPECT_NEAR(g.m_pSections[1].m_dLength, before[1].m_dLength - 0.5, 1e-9);
    double sum = 0.0;
    for (const CSectionRecord& s : g.m_pSections)
        sum += s.m_dLength;
    EXPECT_NEAR(sum, g.m_dGirderLength, 1e-9);
    EXPECT_EQ(g.m_pSections[0].m_bEdited, 1);
    EXPECT_EQ(g.m_pSections[1].m_bEdited, 1);
    for (size_t s = 2; s < before.size(); ++s) {
        EXPECT_EQ(g.m_pSections[s].m_bEdited, 0) << s;
        EXPECT_EQ(g.m_pSections[s].m_dTUpper, before[s].m_dTUpper) << s;
    }
    // The check points moved with the joint, the properties follow the plates, the table the records.
    EXPECT_NEAR(g.m_pSections[1].m_adCheck[0], before[1].m_adCheck[0] + 0.5, 1e-9);
    EXPECT_GT(g.m_pSections[1].m_dArea, before[1].m_dArea);
    EXPECT_EQ(Cell(t, 23, 1), AfxFormat("%.2f", g.m_pSections[1].m_dArea * 10000.0));
    EXPECT_EQ(g_pDoc->m_nEstimateRuns, estimates + 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_DOUBLE_EQ(g_pDoc->m_adDesignWeightPerLength[0], g.GetSteelWeightPerLength(1));
}

TEST_F(CalcViewTest, SectionCalcRefusesValuesOutOfRangeAndLengthsThatDoNotFit)
{
    CGirderDesign& g = Girder(0);
    const std::vector<CSectionRecord> before = g.m_pSections;
    CCalcGrid& t = Table();
    t.SetCellText(1, 17, QStringLiteral("3"));
    g_pCalcView->m_bNoPendingEdits = 0;
    Command(ID_CALC_SECTION);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("G1 断面2 の ｳｪﾌﾞ厚 が範囲外です。"));
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 0);
    EXPECT_EQ(g.m_pSections, before);

    // The next section would be left shorter than 0.1 m.
    m_shown.clear();
    t.SetCellText(1, 17, AfxFormat("%.0f", before[1].m_dTWeb * 1000.0));
    t.SetCellText(0, 8, AfxFormat("%.0f", (before[0].m_dLength + before[1].m_dLength - 0.05) * 1000.0));
    Command(ID_CALC_SECTION);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("断面長の合計が主桁長と合っていません。"));
    EXPECT_EQ(g.m_pSections, before);
}

TEST_F(CalcViewTest, GirderSwitchAsksBeforeDroppingEdits)
{
    ASSERT_GE(g_nGirders, 2);
    CCalcGrid& t = Table();
    // Without edits the girder changes at once.
    StepGirder(1);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    EXPECT_EQ(t.GetNumberCols(), Girder(1).m_nSections);
    EXPECT_EQ(Bar().GetControl(IDC_CALC_GIRDER)->GetWindowText(), QStringLiteral("   2"));
    StepGirder(-1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 0);
    StepGirder(-1);     // no girder 0
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 0);

    dialoginput::Spin(t, 13, 0, true);
    const QString edited = Cell(t, 13, 0);
    Answer({IDCANCEL});
    StepGirder(1);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("＜断面計算＞実行前に主桁を移動すると編集内容が失われます。\n断面計算をしてください。"));
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 0);
    EXPECT_EQ(Cell(t, 13, 0), edited);
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 0);

    Answer({IDOK});
    StepGirder(1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 1);
    EXPECT_EQ(Cell(t, 13, 0), AfxFormat("%.0f", Girder(1).m_pSections[0].m_dTUpper * 1000.0));
}

TEST_F(CalcViewTest, BlockCommandRefillsFromTheRecordsAndTogglesTheBlockWindow)
{
    ASSERT_NE(g_pBlockDlg, nullptr);
    CCalcGrid& t = Table();
    const QString original = Cell(t, 13, 0);
    dialoginput::Spin(t, 13, 0, true);
    Answer({IDCANCEL});
    Command(ID_BLOCK_DIALOG);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_NE(Cell(t, 13, 0), original);
    EXPECT_FALSE(g_pBlockDlg->GetSafeHwnd() && g_pBlockDlg->IsWindowVisible());

    m_shown.clear();
    Answer({IDOK});
    Command(ID_BLOCK_DIALOG);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(Cell(t, 13, 0), original);
    EXPECT_EQ(g_pCalcView->m_bNoPendingEdits, 1);
    EXPECT_TRUE(g_pBlockDlg->GetSafeHwnd() && g_pBlockDlg->IsWindowVisible());
    EXPECT_EQ(Update(ID_BLOCK_DIALOG).m_nCheck, 1);
    Command(ID_BLOCK_DIALOG);     // no edits: no question, and the window goes
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_FALSE(g_pBlockDlg->IsWindowVisible());
}

TEST_F(CalcViewTest, DiscardedResultsEmptyTheTableAndDropTheEdits)
{
    dialoginput::Spin(Table(), 13, 0, true);
    ASSERT_EQ(g_pCalcView->m_bNoPendingEdits, 0);
    CCalcView* view = g_pCalcView;
    g_pDoc->InvalidateResults();
    ASSERT_EQ(g_pCalcView, view);
    EXPECT_EQ(view->m_bNoPendingEdits, 1);
    EXPECT_EQ(view->m_grid.GetNumberCols(), 0);
    EXPECT_FALSE(Update(ID_CALC_SECTION).m_bEnabled);
}

TEST_F(CalcViewTest, PrintsTheTableWithItsHeadingsInThePageFrame)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("calc.pdf"));
    ASSERT_TRUE(AfxPrintView(g_pCalcView, PrintMode::Pdf, pdf));
    if (const char* keep = std::getenv("MV_KEEP_PDF"))
        QFile::copy(pdf, QString::fromLocal8Bit(keep));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available";
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("_断面計算表 (G1主桁)"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("ﾌﾞﾛｯｸ")));
    EXPECT_TRUE(out.contains(QStringLiteral("断面長")));
    EXPECT_TRUE(out.contains(Cell(Table(), 8, 0)));
    // Every section is on some page: the columns go on over the pages.
    const QString last = Cell(Table(), 8, Table().GetNumberCols() - 1);
    EXPECT_TRUE(out.contains(last));
}

TEST_F(CalcViewTest, VaryingHeightSharesTheBlockPlatesFromItsFirstSection)
{
    Design(IDC_HEIGHT_VARIATION);
    ASSERT_EQ(g_pDoc->m_dlgBasic.m_nHeightVariation, 0);
    CGirderDesign& g = Girder(0);
    int first = -1;
    for (int s = 1; s < g.m_nSections && first < 0; ++s)
        if (g.m_pSections[size_t(s)].m_nJoinPrev == 1)
            first = s - 1;
    ASSERT_GE(first, 0) << "no block of more than one section";
    CCalcGrid& t = Table();
    EXPECT_EQ(Cell(t, 9, first + 1), QStringLiteral("←"));
    EXPECT_EQ(Cell(t, 13, first + 1), QStringLiteral("←"));
    EXPECT_EQ(Cell(t, 0, first + 1).right(3), QStringLiteral("- 2"));
    CGridCell web;
    t.GetCellIndirect(first + 1, 16, &web);
    EXPECT_EQ(web.GetCellType(), GRID_CT_SPIN);

    const double thick = g.m_pSections[size_t(first)].m_dTUpper;
    dialoginput::Spin(t, 13, first, true);
    Command(ID_CALC_SECTION);
    EXPECT_NEAR(g.m_pSections[size_t(first)].m_dTUpper, thick + 0.001, 1e-12);
    EXPECT_NEAR(g.m_pSections[size_t(first) + 1].m_dTUpper, thick + 0.001, 1e-12);
    EXPECT_EQ(g.m_pSections[size_t(first) + 1].m_bEdited, 1);
}

TEST_F(CalcViewTest, BoxGirderWidthsShowTheirEffectiveWidthAndReadBackTheNumberBeforeIt)
{
    Design(IDC_FORM_BOX);
    ASSERT_NE(g_nBridgeType, 0);
    CCalcGrid& t = Table();
    EXPECT_EQ(t.GetNumberRows(), 44);
    EXPECT_EQ(Cell(t, 12, -1), QStringLiteral("上ﾌﾗﾝｼﾞ幅(有効幅)(mm)"));
    CGirderDesign& g = *CCalcView::ShownDesign();
    const CSectionRecord& s = g.m_pSections[0];
    EXPECT_EQ(Cell(t, 14, 0), AfxFormat("%.0f(%.0f)", s.m_dBLower * 1000.0, s.GetMinEffectiveWidth(1) * 1000.0));
    EXPECT_EQ(Cell(t, 40, 0), QString::number(s.m_nRibsUpper));
    const double width = s.m_dBLower;
    dialoginput::Spin(t, 14, 0, true);
    EXPECT_TRUE(Cell(t, 14, 0).startsWith(AfxFormat("%.0f(", width * 1000.0 + 10.0)));
    Command(ID_CALC_SECTION);
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_NEAR(g.m_pSections[0].m_dBLower, width + 0.01, 1e-12);
}
