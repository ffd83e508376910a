// The contract cost, material cost and fabrication cost tables of the estimate window after a
// real grillage run of a three-span bridge: their totals agree with the document's roll-up and
// with each other, each grid has its own bold font, and a second build reuses the grid.
#include "common/dialog_input.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/globals.h"
#include "estimate/cost_tables.h"
#include "estimate/estimate_view.h"
#include "framework/wndextras.h"


namespace {

using dialoginput::Cell;

class EstimateCostTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("3"));
        RunGrillage();
        Command(ID_VIEW_ESTIMATE);
        ASSERT_NE(g_pEstimateView, nullptr);
        g_pEstimateView->GetParentFrame()->MoveWindow(0, 0, 700, 1000);
        QCoreApplication::processEvents();
    }
    // Builds a table and shows its grid over the view, as the view's drawing does.
    static CTableGrid& Show(int nTable)
    {
        CEstimateView& view = *g_pEstimateView;
        g_pDoc->m_nEstimateTable = nTable;
        if (nTable == 4)
            view.FillContractCost();
        else if (nTable == 5)
            view.FillMaterialCost();
        else
            view.FillFabricationCost();
        CRect client;
        view.GetClientRect(&client);
        for (int n = 0; n < CEstimateView::TABLE_COUNT; ++n)
            if (!view.m_abGridNotCreated[n])
                view.Grid(n).MoveWindow(n == nTable ? client : CRect(0, 0, 0, 0));
        QCoreApplication::processEvents();
        return view.Grid(nTable);
    }
    void Screenshot(const QString& name)
    {
        EXPECT_TRUE(AfxSaveWindowImage(g_pEstimateView->GetParentFrame(), m_pictures.FilePath(name)));
    }
    const CPictureFolder m_pictures;
    static CFont* Font(CTableGrid& t, int row, int col)
    {
        CGridCell c;
        t.GetCellIndirect(col, row, &c);
        return c.GetFont();
    }
};

}

TEST_F(EstimateCostTest, TablesAgreeWithTheDocumentAndWithEachOther)
{
    const CMarivoltenDoc& doc = *g_pDoc;
    CTableGrid& contract = Show(4);
    ASSERT_EQ(contract.GetNumberRows(), 23);
    EXPECT_EQ(Cell(contract, 1, 0), QStringLiteral(" 請負工事費"));
    const double total = estimate::DocumentContractTotal(doc) / 1000.0;
    EXPECT_GT(total, 1000.0);
    EXPECT_NEAR(Cell(contract, 1, 2).toDouble(), total, total * 1e-3);
    EXPECT_EQ(Cell(contract, 4, 2).toLongLong(), doc.m_nMaterialCost / 1000);
    EXPECT_EQ(Font(contract, 1, 0), &g_pEstimateView->m_afontBold[4]);
    EXPECT_EQ(g_pEstimateView->m_afontBold[4].LogFont().lfWeight, 800);
    Screenshot(QStringLiteral("table4_contract.png"));

    CTableGrid& material = Show(5);
    ASSERT_EQ(material.GetNumberRows(), 9);
    EXPECT_EQ(Cell(material, 1, 2), Cell(contract, 4, 2));
    EXPECT_EQ(Font(material, 1, 0), &g_pEstimateView->m_afontBold[5]);
    Screenshot(QStringLiteral("table5_material.png"));

    CTableGrid& fabrication = Show(7);
    ASSERT_EQ(fabrication.GetNumberRows(), 44);
    EXPECT_EQ(Cell(fabrication, 1, 2), Cell(contract, 5, 2));
    EXPECT_EQ(Font(fabrication, 1, 0), &g_pEstimateView->m_afontBold[7]);
    Screenshot(QStringLiteral("table7_fabrication.png"));

    // Back to the contract cost: the same grid, rebuilt whole, its own button type kept.
    CGridCellType* buttons = contract.GetCellTypeById(GRID_CT_BUTTON);
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(&Show(4), &contract);
    EXPECT_EQ(contract.GetCellTypeById(GRID_CT_BUTTON), buttons);
    EXPECT_NE(material.GetCellTypeById(GRID_CT_BUTTON), buttons);
    CGridCell heading;
    contract.GetCellIndirect(0, 7, &heading);
    EXPECT_EQ(heading.GetCellType(), GRID_CT_BUTTON);
    EXPECT_EQ(heading.GetTextColor(), RGB(0, 0, 150));
}

TEST_F(EstimateCostTest, GravitationalUnitsChangeCaptionsOnly)
{
    CTableGrid& contract = Show(4);
    QStringList amounts;
    for (int row = 1; row < 23; ++row)
        amounts << Cell(contract, row, 2);
    const int si = g_bSIUnits;
    g_bSIUnits = 0;
    Show(4);
    g_bSIUnits = si;
    for (int row = 1; row < 23; ++row)
        EXPECT_EQ(Cell(contract, row, 2), amounts[row - 1]) << row;
    EXPECT_TRUE(Cell(contract, 12, 1).startsWith(QStringLiteral("部材総重量 ")));
}
