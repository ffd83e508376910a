// Tables 4, 5 and 7 of the estimate view: contract cost, material cost and fabrication cost.
// The amounts and texts come from estimate/cost_tables; here they only go into the grids.
#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "estimate/cost_tables.h"

namespace {

constexpr short kLeftMiddle = 1 | GRID_ALIGN_VCENTER;

void WriteRows(CTableGrid& grid, const std::vector<estimate::CostRow>& rows, CFont* pBold)
{
    for (int row = 0; row < int(rows.size()) && row < grid.GetNumberRows(); ++row) {
        const estimate::CostRow& r = rows[size_t(row)];
        CGridCell cell;
        grid.GetCell(0, row, &cell);
        cell.SetText(r.caption);
        if (r.bold)
            cell.SetFont(pBold);
        grid.SetCell(0, row, &cell);
        grid.SetCellText(1, row, r.method);
        grid.SetCellText(2, row, r.amount);
    }
}

} // namespace

// Three columns of captions, methods and amounts; the captions and the first row as push buttons.
bool CEstimateView::SetupCostGrid(int nTable, int nRows, short nCaptionAlign, bool bCentreAmounts)
{
    if (!SetupTableGrid(nTable, 3, nRows))
        return false;
    CTableGrid& grid = Grid(nTable);
    grid.SetColWidth(1, 320);
    grid.SetColWidth(2, 70);
    for (int row = 0; row < nRows; ++row) {
        SetHeadingCell(grid, 0, row, nCaptionAlign);
        if (bCentreAmounts)
            grid.SetCellAlignment(2, row, GRID_ALIGN_CENTER);
    }
    for (int col = 0; col < 3; ++col)
        SetHeadingCell(grid, col, 0);
    return true;
}

void CEstimateView::FillContractCost()
{
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows = estimate::ContractCostRows(doc, CEstimateInput::Collect(doc, false));
    if (SetupCostGrid(4, int(rows.size()), kLeftMiddle, true))
        WriteRows(m_gridTable4, rows, &m_afontBold[4]);
}

void CEstimateView::FillMaterialCost()
{
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows =
        estimate::MaterialCostRows(doc, CEstimateInput::Collect(doc, false), doc.m_bGrillageNotRun == 0);
    if (SetupCostGrid(5, int(rows.size()), kCentredBoth, true))
        WriteRows(m_gridTable5, rows, &m_afontBold[5]);
}

void CEstimateView::FillFabricationCost()
{
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows = estimate::FabricationCostRows(doc, CEstimateInput::Collect(doc, false));
    if (SetupCostGrid(7, int(rows.size()), kCentredBoth, false))
        WriteRows(m_gridTable7, rows, &m_afontBold[7]);
}
