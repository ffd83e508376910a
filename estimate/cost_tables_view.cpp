// Tables 4, 5 and 7 of the estimate view: contract cost, material cost and fabrication cost.
// The amounts and texts come from estimate/cost_tables; here they only go into the grids.
#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "estimate/cost_tables.h"

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr short kLeftMiddle = 1 | GRID_ALIGN_VCENTER;
constexpr short kCentreMiddle = GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER;

void HeadingStyle(CTableGrid& grid, int col, int row, short alignment)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetTextColor(kHeadingText);
    cell.SetBackColor(GetSysColor(COLOR_BTNFACE));
    cell.SetCellType(GRID_CT_BUTTON);
    cell.SetCellTypeEx(GRID_STYLE_CURRENTONLY);
    cell.SetAlignment(alignment);
    grid.SetCell(col, row, &cell);
}

// Three columns of captions, methods and amounts, every cell cleared; the captions and the
// first row as push buttons.
void SetUpGrid(CTableGrid& grid, CGridButtonCellType& buttons, int nRows, short nCaptionAlign, bool bCentreAmounts)
{
    // The view's one button type serves the grid it shows.
    if (grid.GetCellTypeById(GRID_CT_BUTTON) != &buttons)
        grid.AddCellType(&buttons);
    buttons.SetGrid(grid.GetSettings(), &grid);
    grid.SetMultiSelectMode(TRUE);
    grid.EnablePopupMenu(TRUE);
    grid.SetNumberCols(3, FALSE);
    grid.SetNumberRows(nRows, FALSE);
    grid.SetSideHeadingWidth(0);
    grid.SetTopHeadingHeight(0);
    grid.SetColWidth(0, 160);
    grid.SetColWidth(1, 320);
    grid.SetColWidth(2, 70);
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < nRows; ++row) {
            CGridCell cell;
            grid.GetCell(col, row, &cell);
            cell.ClearAll();
            if (col == 2 && bCentreAmounts)
                cell.SetAlignment(GRID_ALIGN_CENTER);
            grid.SetCell(col, row, &cell);
        }
    for (int row = 0; row < nRows; ++row)
        HeadingStyle(grid, 0, row, nCaptionAlign);
    for (int col = 0; col < 3; ++col)
        HeadingStyle(grid, col, 0, kCentreMiddle);
}

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

// The table's own bold font: the grid's font at weight 800.
CFont* BoldFont(CFont& font, const CTableGrid& grid)
{
    if (!font.GetSafeHandle()) {
        LOGFONT lf = grid.m_font.LogFont();
        lf.lfWeight = 800;
        font.CreateFontIndirect(&lf);
    }
    return &font;
}

} // namespace

void CEstimateView::FillContractCost()
{
    if (!EnsureGrid(4))
        return;
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows = estimate::ContractCostRows(doc, CEstimateInput::Collect(doc, false));
    SetUpGrid(m_gridTable4, m_buttonCellType, int(rows.size()), kLeftMiddle, true);
    WriteRows(m_gridTable4, rows, BoldFont(m_afontBold[4], m_gridTable4));
}

void CEstimateView::FillMaterialCost()
{
    if (!EnsureGrid(5))
        return;
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows =
        estimate::MaterialCostRows(doc, CEstimateInput::Collect(doc, false), doc.m_bGrillageNotRun == 0);
    SetUpGrid(m_gridTable5, m_buttonCellType, int(rows.size()), kCentreMiddle, true);
    WriteRows(m_gridTable5, rows, BoldFont(m_afontBold[5], m_gridTable5));
}

void CEstimateView::FillFabricationCost()
{
    if (!EnsureGrid(7))
        return;
    const CMarivoltenDoc& doc = *GetDocument();
    const std::vector<estimate::CostRow> rows = estimate::FabricationCostRows(doc, CEstimateInput::Collect(doc, false));
    SetUpGrid(m_gridTable7, m_buttonCellType, int(rows.size()), kCentreMiddle, false);
    WriteRows(m_gridTable7, rows, BoldFont(m_afontBold[7], m_gridTable7));
}
