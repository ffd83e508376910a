// Tables 0 (mass summary), 2 (areas and volumes) and 6 (mass by steel grade): the texts come
// from estimate/mass_tables, these builders write them into the grids and style the cells.
#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "estimate/mass_tables.h"

#include <algorithm>

namespace {

// Column 0 and row 0 in the heading look, every other cell centred, the texts written.
void WriteTable(CTableGrid& grid, const estimate::TableText& text)
{
    CGridCell cell;
    for (int row = 0; row < text.m_nRows; ++row)
        for (int col = 0; col < text.m_nCols; ++col) {
            grid.GetCell(col, row, &cell);
            if (row == 0 || col == 0)
                CEstimateView::SetHeadingStyle(cell);
            else
                cell.SetAlignment(GRID_ALIGN_CENTER);
            cell.SetText(text.At(row, col));
            grid.SetCell(col, row, &cell);
        }
}

void SetFont(CTableGrid& grid, int col, int row, CFont* font)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetFont(font);
    grid.SetCell(col, row, &cell);
}

}

void CEstimateView::FillMassSummary()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    using estimate::MassSummaryTable;
    const MassSummaryTable t = estimate::MassSummary(*doc, CEstimateInput::Collect(*doc, false));
    if (!SetupTableGrid(0, MassSummaryTable::COLS, MassSummaryTable::ROWS))
        return;
    CTableGrid& grid = Grid(0);
    WriteTable(grid, t.m_text);
    grid.SetRowHeight(t.m_nSpacerRow, 30);
    CGridCell cell;
    for (int col = 0; col < MassSummaryTable::COLS; ++col) {
        grid.GetCell(col, t.m_nSecondaryHeadingRow, &cell);
        SetHeadingStyle(cell);
        cell.SetReadOnly(1);
        grid.SetCell(col, t.m_nSecondaryHeadingRow, &cell);
    }
    grid.GetCell(2, t.m_nDrainRow, &cell);
    cell.SetDecimals(0);
    grid.SetCell(2, t.m_nDrainRow, &cell);
    SetFont(grid, 0, t.m_nTotalRow, &m_afontBold[0]);
    SetFont(grid, 3, t.m_nTotalRow, &m_afontBold[0]);
}

void CEstimateView::FillMassByGrade()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    using estimate::MassByGradeTable;
    const MassByGradeTable t = estimate::MassByGrade(*doc, CEstimateInput::Collect(*doc, false), g_szSteelGrades18);
    if (!SetupTableGrid(6, t.m_text.m_nCols, MassByGradeTable::ROWS))
        return;
    CTableGrid& grid = Grid(6);
    WriteTable(grid, t.m_text);
    for (int col = 1; col < t.TotalCol(); ++col)
        SetFont(grid, col, MassByGradeTable::TOTAL_ROW, &m_afontBold[6]);
    for (int row = 1; row <= MassByGradeTable::TOTAL_ROW; ++row)
        SetFont(grid, t.TotalCol(), row, &m_afontBold[6]);
}

void CEstimateView::FillAreaVolume()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    using estimate::AreaVolumeTable;
    const AreaVolumeTable t = estimate::AreaVolume(*doc, CEstimateInput::Collect(*doc, false));
    if (!SetupTableGrid(2, AreaVolumeTable::COLS, t.m_text.m_nRows))
        return;
    CTableGrid& grid = Grid(2);
    WriteTable(grid, t.m_text);
    for (int row : {t.m_nPavingHeadingRow, t.m_nVolumeHeadingRow})
        for (int col = 1; col < AreaVolumeTable::COLS; ++col)
            SetHeadingCell(grid, col, row);
    CGridCell cell;
    for (int row : t.m_anCaptionRows) {
        grid.GetCell(0, row, &cell);
        cell.SetAlignment(GRID_ALIGN_CENTER);
        grid.SetCell(0, row, &cell);
    }
}
