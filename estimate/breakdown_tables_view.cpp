// Tables 1 (mass breakdown) and 3 (labour elements): the rows come ready from the estimate's
// stored results; here they only become cells.
#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "estimate/breakdown_tables.h"
#include "estimate/estimate_input.h"

namespace {

constexpr short kLeft = 1;
constexpr short kCentred = GRID_ALIGN_CENTER;

void HeadingCell(CTableGrid& grid, int col, int row, const QString& text)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetText(text);
    CEstimateView::SetHeadingStyle(cell);
    grid.SetCell(col, row, &cell);
}

void ValueCell(CTableGrid& grid, int col, int row, const QString& text, short nAlign, CFont* pFont = nullptr,
               bool bLabel = false)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetText(text);
    cell.SetAlignment(nAlign);
    if (pFont)
        cell.SetFont(pFont);
    if (bLabel)
        cell.SetTextColor(CEstimateView::kHeadingText);
    grid.SetCell(col, row, &cell);
}

} // namespace

void CEstimateView::FillMassBreakdown()
{
    CMarivoltenDoc* doc = GetDocument();
    const bool first = m_abGridNotCreated[1] != 0;
    if (!doc)
        return;
    CTableGrid& grid = m_gridTable1;

    // Only what the last estimate run stored is shown: drawing never recounts the quantities.
    const estimate::MassBreakdown table =
        estimate::BuildMassBreakdown(CEstimateInput::Collect(*doc, false), *doc, g_szSteelGrades9);
    const int rows = int(table.rows.size());

    if (!SetupTableGrid(1, 7, rows))
        return;
    if (first)
        for (int col = 1; col <= 6; ++col)
            grid.SetColWidth(col, 100);
    grid.SetSideHeadingWidth(160);
    // Column 0 and row 0 repeat the row and column headings for paper; the screen shows the headings.
    grid.SetColWidth(0, 0);
    grid.SetRowHeight(0, 0);
    // The row headings too, so that no label of an earlier build stays behind.
    for (int row = 0; row < rows; ++row) {
        CGridCell cell;
        grid.GetCell(-1, row, &cell);
        cell.ClearAll();
        grid.SetCell(-1, row, &cell);
    }

    for (int col = -1; col <= 6; ++col)
        for (int row : {-1, 0}) {
            CGridCell cell;
            grid.GetCell(col, row, &cell);
            cell.SetText(table.captions[size_t(col + 1)]);
            cell.SetTextColor(CEstimateView::kHeadingText);
            cell.SetAlignment(kCentredBoth);
            grid.SetCell(col, row, &cell);
        }
    for (int row = 1; row < rows; ++row) {
        const estimate::TableRow& r = table.rows[size_t(row)];
        switch (r.kind) {
        case estimate::TableRow::Heading:
            for (int col = -1; col <= 6; ++col)
                HeadingCell(grid, col, row, r.Cell(col + 1));
            break;
        case estimate::TableRow::Member:
            for (int col = -1; col <= 6; ++col)
                ValueCell(grid, col, row, r.Cell(col + 1), col == 2 ? kLeft : kCentred, nullptr, col <= 0);
            break;
        case estimate::TableRow::Total:
            for (int col : {1, 6})
                ValueCell(grid, col, row, r.Cell(col + 1), kCentred, &m_afontBold[1]);
            break;
        default:
            break;
        }
    }
    grid.SetPaintMode(1);
}

void CEstimateView::FillLabourElements()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    CTableGrid& grid = m_gridTable3;

    const std::vector<estimate::TableRow> rows = estimate::BuildLabourElements(CEstimateInput::Collect(*doc, false), *doc);

    enum { COLS = 5, ROWS = 20 };
    if (!SetupTableGrid(3, COLS, ROWS))
        return;
    for (int col = 1; col < COLS; ++col)
        grid.SetColWidth(col, 95);
    for (int row = 0; row < ROWS; ++row)
        HeadingCell(grid, 0, row, QString());
    for (int col = 1; col < COLS; ++col)
        HeadingCell(grid, col, 0, QString());

    const int used = std::min(int(rows.size()), int(ROWS));
    for (int row = 0; row < used; ++row) {
        const estimate::TableRow& r = rows[size_t(row)];
        switch (r.kind) {
        case estimate::TableRow::Heading:
            for (int col = 0; col < COLS; ++col)
                HeadingCell(grid, col, row, r.Cell(col));
            break;
        case estimate::TableRow::Member:
        case estimate::TableRow::Total:
            for (int col = 0; col < COLS; ++col)
                ValueCell(grid, col, row, r.Cell(col), kCentred,
                          r.kind == estimate::TableRow::Total ? &m_afontBold[3] : nullptr);
            break;
        default:
            break;
        }
    }
    grid.SetNumberRows(used, FALSE);
    grid.SetPaintMode(1);
}
