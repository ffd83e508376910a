// The print selection form over a design with results: its station lists, the boxes the
// design allows, the unit captions, 一括選択 and 一括解除.
#include "print_fixture.h"

#include "common/picture_folder.h"
#include "framework/wndextras.h"

namespace {

class PrintFormTest : public PrintTest {
protected:
    static int Row(CTableGrid& grid, int row)
    {
        CGridCell cell;
        grid.GetCell(0, row, &cell);
        return int(cell.GetNumber());
    }
    static QString Label(CTableGrid& grid, int row)
    {
        CGridCell cell;
        grid.GetCell(0, row, &cell);
        return cell.GetChoiceList();
    }
    static void SetRow(CTableGrid& grid, int row, int value)
    {
        CGridCell cell;
        grid.GetCell(0, row, &cell);
        cell.SetNumber(value);
        grid.SetCell(0, row, &cell);
    }
    static bool Enabled(int id) { return View().GetDlgItem(id)->IsWindowEnabled(); }
    static bool Shown(int id) { return View().GetDlgItem(id)->IsWindowVisible(); }
};

}

TEST_F(PrintFormTest, StationListsStartWithEveryRowChecked)
{
    OpenExample("plate_3span_skew.mvl");
    CPrintView& v = OpenForm();
    ASSERT_GT(g_nCrossSections, 1);
    for (CTableGrid* grid : {&v.m_gridShapeRows, &v.m_gridLoadRows}) {
        ASSERT_EQ(grid->GetNumberRows(), g_nCrossSections);
        for (int r = 0; r < g_nCrossSections; ++r)
            EXPECT_EQ(Row(*grid, r), 1) << r;
        EXPECT_EQ(Label(*grid, 2), QStringLiteral("  第3断面"));
    }
    // Repaints keep what the user chose, and the job reads it.
    SetRow(v.m_gridShapeRows, 1, 0);
    Paint();
    EXPECT_EQ(Row(v.m_gridShapeRows, 1), 0);
    v.ReadStationLists();
    EXPECT_EQ(v.m_abShapeRows[1], 0);
    EXPECT_EQ(v.m_abShapeRows[0], 1);
    EXPECT_EQ(v.m_abLoadRows[1], 1);
    // The girder lists stay out of sight, one row per girder.
    EXPECT_EQ(v.m_gridForceDiagramGirders.GetNumberRows(), 5);
    EXPECT_EQ(Label(v.m_gridForceValueGirders, 4), QStringLiteral(" G5主桁"));
    EXPECT_FALSE(Shown(IDC_PR_FORCE_LIST));
    EXPECT_FALSE(Shown(IDC_PR_FORCE_VALUE_LIST));
    const CPictureFolder pictures;
    EXPECT_TRUE(AfxSaveWindowImage(v.GetParentFrame(), pictures.FilePath(QStringLiteral("form_plate.png"))));
}

TEST_F(PrintFormTest, ListsFollowTheStationsOfTheDesign)
{
    OpenExample("box2_2span.mvl");
    CPrintView& v = OpenForm();
    const int before = g_nCrossSections;
    SetRow(v.m_gridLoadRows, 0, 0);
    // More spans, more stations: the rows seen keep their choice, new rows start checked.
    Answer({IDOK, IDOK, IDOK});
    dialoginput::ConfirmBasic(QStringLiteral("3"));
    ASSERT_GT(g_nCrossSections, before);
    // Back to the print window.
    ASSERT_EQ(&OpenForm(), &v);
    EXPECT_EQ(v.m_gridLoadRows.GetNumberRows(), g_nCrossSections);
    EXPECT_EQ(Row(v.m_gridLoadRows, 0), 0);
    EXPECT_EQ(Row(v.m_gridLoadRows, g_nCrossSections - 1), 1);
}

TEST_F(PrintFormTest, BoxesFollowTheDesignAndTheUnits)
{
    OpenExample("plate_3span_skew.mvl");
    OpenForm();
    // Constant girder height: no longitudinal sections.
    EXPECT_FALSE(Shown(IDC_PR_LONGITUDINAL));
    EXPECT_FALSE(Shown(IDC_PR_LONG_PORTRAIT));
    EXPECT_FALSE(Shown(IDC_PR_LONG_GROUP));
    // T+L loading: no reaction detail.
    EXPECT_FALSE(Enabled(IDC_PR_REACTION_DETAIL));
    EXPECT_FALSE(Enabled(IDC_PR_NO_IMPACT));
    EXPECT_TRUE(Enabled(IDC_PR_STIFFNESS));
    EXPECT_TRUE(Enabled(IDC_PR_FORCE_DETAIL));
    for (int hidden : {IDC_PR_SUBSTRUCTURE, IDC_PR_AREA_RATIO, IDC_PR_IMPACT, IDC_PR_PAINT_PAVING,
                       IDC_PR_MATERIAL_COST, IDC_PR_FORCE_VALUES}) {
        EXPECT_FALSE(Shown(hidden)) << hidden;
        EXPECT_FALSE(Enabled(hidden)) << hidden;
    }
    EXPECT_EQ(Box(IDC_PR_MASS_SUMMARY).GetWindowText(), QStringLiteral("質量集計"));
    EXPECT_EQ(Box(IDC_PR_MASS_BREAKDOWN).GetWindowText(), QStringLiteral("質量内訳"));

    Box(IDC_PR_MASS_SUMMARY).Click();
    g_bSIUnits = 0;
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    g_pDoc->m_pGirders[0].m_pSections[0].m_dAssumedArea = -1.0;
    g_pDoc->m_bDetailDataAvailable = 0;
    Paint();
    EXPECT_EQ(Box(IDC_PR_MASS_SUMMARY).GetWindowText(), QStringLiteral("重量集計"));
    EXPECT_EQ(Box(IDC_PR_MASS_BREAKDOWN).GetWindowText(), QStringLiteral("重量内訳"));
    EXPECT_EQ(Box(IDC_PR_MASS_BY_GRADE).GetWindowText(), QStringLiteral("規格別重量"));
    EXPECT_EQ(Box(IDC_PR_MASS_SUMMARY).GetCheck(), 1);
    EXPECT_TRUE(Shown(IDC_PR_LONGITUDINAL));
    EXPECT_TRUE(Enabled(IDC_PR_LONG_LANDSCAPE));
    EXPECT_FALSE(Enabled(IDC_PR_STIFFNESS));
    EXPECT_FALSE(Enabled(IDC_PR_STEEL_WEIGHT));
    EXPECT_FALSE(Enabled(IDC_PR_FORCE_DETAIL));
    g_bSIUnits = 1;
}

TEST_F(PrintFormTest, ClickedBoxesAreTheViewsSelection)
{
    OpenExample("plate_3span_skew.mvl");
    CPrintView& v = OpenForm();
    EXPECT_EQ(v.m_bShowPageNumbers, 1);
    EXPECT_EQ(v.m_bShowSectionNumbers, 1);
    EXPECT_EQ(v.m_bPrintDesignConditions, 0);
    Click(IDC_PR_DESIGN);
    Click(IDC_PR_SHADE);
    EXPECT_EQ(v.m_bPrintDesignConditions, 1);
    EXPECT_EQ(v.m_bShadeHeadings, 1);
    Click(IDC_PR_DESIGN);
    EXPECT_EQ(v.m_bPrintDesignConditions, 0);
    // The drawing pages start upright.
    EXPECT_EQ(Box(IDC_PR_PLAN_PORTRAIT).GetCheck(), 1);
    EXPECT_EQ(Box(IDC_PR_FORCE_LANDSCAPE).GetCheck(), 0);
}

TEST_F(PrintFormTest, SelectAllTakesWhatTheDesignAllowsAndClearAllKeepsTheOptions)
{
    OpenExample("plate_3span_skew.mvl");
    CPrintView& v = OpenForm();
    SetRow(v.m_gridShapeRows, 0, 0);
    Click(IDC_PR_SHADE);
    Click(IDC_PR_PAGE_NUMBERS);
    // A box left on before the design disallowed it is turned off.
    Box(IDC_PR_REACTION_DETAIL).SetCheck(1);
    static_cast<CButton*>(Bar().GetControl(IDC_PRINT_SELECT_ALL))->Click();
    for (int id : {IDC_PR_INPUT, IDC_PR_DESIGN, IDC_PR_PLAN, IDC_PR_CROSS_SECTIONS, IDC_PR_LOADS, IDC_PR_FORCE_DIAGRAM,
                   IDC_PR_DEFLECTION, IDC_PR_REACTION_SUMMARY, IDC_PR_CALC_TABLE, IDC_PR_MASS_SUMMARY,
                   IDC_PR_MASS_BREAKDOWN, IDC_PR_MASS_BY_GRADE, IDC_PR_MAN_HOURS, IDC_PR_CONTRACT_COST,
                   IDC_PR_FABRICATION_COST, IDC_PR_COVER, IDC_PR_CONTENTS, IDC_PR_STIFFNESS, IDC_PR_STEEL_WEIGHT,
                   IDC_PR_FORCE_DETAIL})
        EXPECT_EQ(Box(id).GetCheck(), 1) << id;
    for (int id : {IDC_PR_LONGITUDINAL, IDC_PR_REACTION_DETAIL, IDC_PR_NO_IMPACT, IDC_PR_SUBSTRUCTURE,
                   IDC_PR_IMPACT, IDC_PR_AREA_RATIO})
        EXPECT_EQ(Box(id).GetCheck(), 0) << id;
    EXPECT_EQ(v.m_bPrintSectionCalcTable, 1);
    EXPECT_EQ(v.m_bPrintReactionDetail, 0);
    EXPECT_EQ(Row(v.m_gridShapeRows, 0), 1);
    EXPECT_EQ(v.m_abShapeRows[0], 1);
    EXPECT_EQ(v.m_bShadeHeadings, 1);
    EXPECT_EQ(v.m_bShowPageNumbers, 0);
    EXPECT_EQ(v.m_bShowSectionNumbers, 1);

    static_cast<CButton*>(Bar().GetControl(IDC_PRINT_CLEAR_ALL))->Click();
    for (int id : {IDC_PR_INPUT, IDC_PR_DESIGN, IDC_PR_CALC_TABLE, IDC_PR_COVER, IDC_PR_CONTENTS, IDC_PR_STIFFNESS})
        EXPECT_EQ(Box(id).GetCheck(), 0) << id;
    EXPECT_EQ(v.m_bPrintSectionCalcTable, 0);
    for (int r = 0; r < g_nCrossSections; ++r)
        EXPECT_EQ(Row(v.m_gridLoadRows, r), 0) << r;
    EXPECT_EQ(v.m_abLoadRows[0], 0);
    EXPECT_EQ(v.m_bShadeHeadings, 1);
    EXPECT_EQ(v.m_bShowPageNumbers, 0);
    EXPECT_EQ(v.m_bShowSectionNumbers, 1);
}

TEST_F(PrintFormTest, ASingleBoxListsOneGirder)
{
    OpenExample("box1_1span.mvl");
    CPrintView& v = OpenForm();
    EXPECT_EQ(v.m_gridForceDiagramGirders.GetNumberRows(), 1);
    EXPECT_EQ(v.m_gridForceValueGirders.GetNumberRows(), 1);
    EXPECT_EQ(v.m_gridShapeRows.GetNumberRows(), g_nCrossSections);
    const CPictureFolder pictures;
    EXPECT_TRUE(AfxSaveWindowImage(v.GetParentFrame(), pictures.FilePath(QStringLiteral("form_single_box.png"))));
}

TEST_F(PrintFormTest, TheBarOpensThePrintFormat)
{
    OpenExample("box2_2span.mvl");
    OpenForm();
    CWnd* format = Bar().GetControl(ID_PRINT_FORMAT);
    Bar().OnUpdateCmdUI(static_cast<CFrameWnd*>(View().GetParentFrame()), TRUE);
    EXPECT_TRUE(format->IsWindowEnabled());
    UINT opened = 0;
    AfxSetModalHook([&opened](CDialog* d) {
        opened = d->GetTemplateId();
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    static_cast<CButton*>(format)->Click();
    AfxSetModalHook({});
    EXPECT_EQ(opened, UINT(IDD_PRINT_FORMAT));
}
