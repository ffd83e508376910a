// The estimate window after a real grillage run: the bar switches the shown table, hidden
// tables move out of sight, the unit system renames the bar's buttons and the printed pages,
// a table prints in the page frame, and tables 0, 2 and 6 hold the estimate's numbers.
#include "common/dialog_input.h"
#include "common/grid_checks.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "estimate/estimate_view.h"
#include "framework/format.h"
#include "framework/print.h"
#include "framework/wndextras.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

using dialoginput::Cell;

class EstimateFrameTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        RunGrillage();
        Command(ID_VIEW_ESTIMATE);
        ASSERT_NE(g_pEstimateView, nullptr);
        Paint();
    }
    static CEstimateView& View() { return *g_pEstimateView; }
    static CEstimateBar& Bar()
    {
        return static_cast<CChildEstimateFrame*>(View().GetParentFrame())->m_wndBar;
    }
    static CButton& PageButton(int nPage)
    {
        return *static_cast<CButton*>(Bar().GetControl(CEstimateBar::kPageIds[nPage]));
    }
    static void Paint()
    {
        View().UpdateWindow();
        Bar().UpdateWindow();
    }
    static CRect Place(int nTable)
    {
        CRect r;
        View().Grid(nTable).GetWindowRect(&r);
        return r;
    }
    static CRect Client()
    {
        CRect r;
        View().GetClientRect(&r);
        return r;
    }
};

}

TEST_F(EstimateFrameTest, BarButtonsSwitchTheShownTableAndHideTheOthers)
{
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_EQ(doc.m_nEstimateTable, 0);
    ASSERT_EQ(View().m_abGridNotCreated[0], 0);
    EXPECT_EQ(Place(0).Size(), Client().Size());
    EXPECT_EQ(PageButton(0).GetCheck(), 1);

    PageButton(2).Click();
    EXPECT_EQ(Bar().m_nPage, 2);
    EXPECT_EQ(doc.m_nEstimateTable, 2);
    Paint();
    ASSERT_EQ(View().m_abGridNotCreated[2], 0);
    EXPECT_EQ(Place(2).Size(), Client().Size());
    EXPECT_TRUE(Place(0).IsRectEmpty());
    EXPECT_EQ(PageButton(2).GetCheck(), 1);
    EXPECT_EQ(PageButton(0).GetCheck(), 0);

    // Back to table 0: its grid window is used again.
    QWidget* first = View().Grid(0).GetWidget();
    PageButton(0).Click();
    Paint();
    EXPECT_EQ(View().Grid(0).GetWidget(), first);
    EXPECT_EQ(Place(0).Size(), Client().Size());
    EXPECT_TRUE(Place(2).IsRectEmpty());

    // A table that builds nothing shows nothing, and no other table stays in its place.
    PageButton(6).Click();
    Paint();
    PageButton(1).Click();
    Paint();
    EXPECT_EQ(doc.m_nEstimateTable, 1);
    for (int n : {0, 2, 6})
        EXPECT_TRUE(Place(n).IsRectEmpty()) << n;

    // The document keeps the table: a window opened again shows it, its button checked.
    PageButton(2).Click();
    View().GetParentFrame()->OnClose();
    QCoreApplication::processEvents();
    ASSERT_EQ(g_pEstimateView, nullptr);
    Command(ID_VIEW_ESTIMATE);
    ASSERT_NE(g_pEstimateView, nullptr);
    Paint();
    EXPECT_EQ(Bar().m_nPage, 2);
    EXPECT_EQ(PageButton(2).GetCheck(), 1);
    EXPECT_EQ(View().m_abGridNotCreated[0], 1);
    EXPECT_EQ(Place(2).Size(), Client().Size());

    // Without results no table of the old ones stays in sight.
    PageButton(0).Click();
    Paint();
    ASSERT_FALSE(Place(0).IsRectEmpty());
    doc.InvalidateResults();
    EXPECT_TRUE(Place(0).IsRectEmpty());
    Command(ID_VIEW_ESTIMATE);
    Paint();
    EXPECT_TRUE(Place(0).IsRectEmpty());
}

TEST_F(EstimateFrameTest, TablesShowTheEstimatesNumbers)
{
    const CMarivoltenDoc& doc = *g_pDoc;
    CTableGrid& summary = View().Grid(0);
    ASSERT_EQ(summary.GetNumberRows(), 25);
    ASSERT_EQ(summary.GetNumberCols(), 4);
    EXPECT_EQ(Cell(summary, 0, 1), QStringLiteral("計算質量(t)"));
    EXPECT_EQ(Cell(summary, 1, 0), QStringLiteral("           主桁      "));
    // The main girder row is the whole girder mass less its end overhangs.
    const double F = (2 * doc.m_dlgEstimate.m_dlgFactor.m_dGirderEndLength + g_adSpanLength[0] + g_adSpanLength[1]) /
                     (g_adSpanLength[0] + g_adSpanLength[1]);
    EXPECT_EQ(Cell(summary, 1, 3), AfxFormat("%8.3f", doc.m_dGirderMass / F));
    int total = -1;
    for (int r = 0; r < 25; ++r)
        if (Cell(summary, r, 0) == QStringLiteral("      合計           "))
            total = r;
    ASSERT_GT(total, 0);
    CGridCell cell;
    summary.GetCellIndirect(3, total, &cell);
    EXPECT_EQ(cell.GetFont(), &View().m_afontBold[0]);
    EXPECT_GT(AfxAtof(cell.GetText()), doc.m_dGirderMass);
    summary.GetCellIndirect(0, 5, &cell);
    EXPECT_EQ(cell.GetCellType(), GRID_CT_BUTTON);
    // The taller spacer row follows the rows shown: without lateral bracing it moves up one.
    auto spacer = [&summary] {
        std::vector<int> tall;
        for (int r = 0; r < 25; ++r) {
            int h = 0;
            summary.GetRowHeight(r, &h);
            if (h == 30)
                tall.push_back(r);
        }
        return tall;
    };
    const std::vector<int> before = spacer();
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(g_pDoc->m_dlgMainMember.m_bUseLateral, 1);
    g_pDoc->m_dlgMainMember.m_bUseLateral = 0;
    g_pDoc->UpdateAllViews(nullptr);
    Paint();
    EXPECT_EQ(spacer(), std::vector<int>{before[0] - 1});
    g_pDoc->m_dlgMainMember.m_bUseLateral = 1;

    PageButton(2).Click();
    Paint();
    CTableGrid& areas = View().Grid(2);
    EXPECT_EQ(areas.GetNumberRows(), 10);      // the new design has sidewalks on both sides
    EXPECT_EQ(Cell(areas, 1, 3),
              AfxFormat("%8.2f", doc.m_dSteelMassTotal * doc.m_dlgEstimate.m_dlgFactor.m_dPaintAreaPerTon));
    EXPECT_EQ(Cell(areas, 8, 3), AfxFormat("%8.2f", doc.m_dDeckConcreteVolume));

    PageButton(6).Click();
    Paint();
    CTableGrid& grades = View().Grid(6);
    ASSERT_EQ(grades.GetNumberRows(), 20);
    const int last = grades.GetNumberCols() - 1;
    EXPECT_EQ(Cell(grades, 0, last), QStringLiteral("規格別集計 (t)"));
    double sum = 0.0;
    for (int r = 1; r <= 18; ++r)
        sum += AfxAtof(Cell(grades, r, last));
    EXPECT_NEAR(AfxAtof(Cell(grades, 19, last)), sum, 1e-9);
    // The main girders by grade add up to the girder mass of the summary, ends included.
    EXPECT_EQ(Cell(grades, 0, 1), QStringLiteral("主桁 (t)"));
    EXPECT_NEAR(AfxAtof(Cell(grades, 19, 1)), doc.m_dGirderMass, 0.01);

    // Pictures of the three tables, to be looked at.
    const CPictureFolder pictures;
    for (int page : {0, 2, 6}) {
        PageButton(page).Click();
        Paint();
        EXPECT_TRUE(AfxSaveWindowImage(View().GetParentFrame(), pictures.FilePath(AfxFormat("table%d.png", page))));
    }
}

TEST_F(EstimateFrameTest, EveryTableShowsItsTextsWhole)
{
    // Widths chosen for one font must not cut the texts of the font that stands in for it.
    QStringList seen;
    for (int page = 0; page < CEstimateView::TABLE_COUNT; ++page) {
        PageButton(page).Click();
        Paint();
        if (View().m_abGridNotCreated[page])
            continue;
        CTableGrid& grid = View().Grid(page);
        const QStringList cut = gridchecks::CutTexts(grid);
        EXPECT_TRUE(cut.isEmpty()) << "table " << page << ": " << cut.join(QStringLiteral(" / ")).toStdString();
        for (int row = -1; row < grid.GetNumberRows(); ++row)
            for (int col = -1; col < grid.GetNumberCols(); ++col)
                seen << Cell(grid, row, col).trimmed();
    }
    for (const QString& text : {QStringLiteral("大型材片質量(Kg)"), QStringLiteral("小型材片質量(Kg)"),
                                QStringLiteral("570材相当品による影響割増 K")})
        EXPECT_TRUE(seen.contains(text)) << text.toStdString();
}

TEST_F(EstimateFrameTest, UnitSystemRenamesTheMassButtonsAndTitles)
{
    EXPECT_EQ(PageButton(0).GetWindowText(), QStringLiteral("質量集計"));
    EXPECT_EQ(CEstimateView::PrintTitle(6), QStringLiteral("_規格別質量"));
    Answer({IDOK});
    Command(ID_OPTION_SI_UNITS);
    ASSERT_EQ(g_bSIUnits, 0);
    // The results went with the old units; the window shows its bar again when opened.
    Command(ID_VIEW_ESTIMATE);
    Paint();
    EXPECT_EQ(PageButton(0).GetWindowText(), QStringLiteral("重量集計"));
    EXPECT_EQ(PageButton(1).GetWindowText(), QStringLiteral("重量内訳"));
    EXPECT_EQ(PageButton(6).GetWindowText(), QStringLiteral("規格別重量"));
    EXPECT_EQ(PageButton(2).GetWindowText(), QStringLiteral("塗装、舗装"));
    EXPECT_EQ(CEstimateView::PrintTitle(0), QStringLiteral("_重量集計"));
    EXPECT_EQ(CEstimateView::PrintTitle(1), QStringLiteral("_重量内訳"));
    EXPECT_EQ(CEstimateView::PrintTitle(6), QStringLiteral("_規格別重量"));
    EXPECT_EQ(CEstimateView::PrintTitle(2), QStringLiteral("_塗装/舗装面積、RC体積"));
}

TEST_F(EstimateFrameTest, PrintsTheShownTableInThePageFrameAndKeepsItsScreenLayout)
{
    PageButton(6).Click();
    Paint();
    CTableGrid& grades = View().Grid(6);
    int before = 0;
    grades.GetColWidth(1, &before);
    ASSERT_NE(before, 78);

    // The printer was left at A3: the table prints on A4 all the same.
    const CPrintSettings saved = AfxGetPrintSettings();
    AfxGetPrintSettings().m_nPaperSize = DMPAPER_A3;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("estimate.pdf"));
    const bool printed = AfxPrintView(&View(), PrintMode::Pdf, pdf);
    AfxGetPrintSettings() = saved;
    ASSERT_TRUE(printed);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("/MediaBox [0 0 595"));   // A4 points
    if (const char* keep = std::getenv("MV_KEEP_PDF"))
        QFile::copy(pdf, QString::fromLocal8Bit(keep));
    int after = 0;
    grades.GetColWidth(1, &after);
    EXPECT_EQ(after, before);

    // A table that has no grid yet prints its frame alone.
    PageButton(7).Click();
    Paint();
    EXPECT_TRUE(AfxPrintView(&View(), PrintMode::Pdf, dir.filePath(QStringLiteral("empty.pdf"))));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!text.waitForFinished(20000) || text.exitCode() != 0)
        GTEST_SKIP() << "pdftotext is not available";
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QStringLiteral("_規格別質量"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("規格別集計 (t)")));
    EXPECT_TRUE(out.contains(QStringLiteral("SMA570W")));
    EXPECT_TRUE(out.contains(QStringLiteral("- 1 -")));
    EXPECT_TRUE(out.contains(Cell(grades, 19, grades.GetNumberCols() - 1).trimmed()));
}
