// Tables 1 (mass breakdown) and 3 (labour elements): the rows come ready from the estimate's
// stored results; here they only become cells.
#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "estimate/breakdown_tables.h"
#include "estimate/estimate_input.h"

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr short kLeft = 1;
constexpr short kCentred = GRID_ALIGN_CENTER;
constexpr short kCentredBoth = GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER;

void MakeBoldFont(CFont& font, const CTableGrid& grid)
{
    if (!font.GetSafeHandle())
        font.CreateFont(grid.m_nFontHeight, 0, 0, 0, FW_EXTRABOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                        QStringLiteral("ＭＳ ゴシック"));
}

void SetUpGrid(CTableGrid& grid, CGridButtonCellType& button)
{
    // Once per grid: a second registration would only add the same type again.
    if (grid.GetCellTypeById(button.GetId()) != &button)
        grid.AddCellType(&button);
    grid.SetMultiSelectMode(TRUE);
    grid.EnablePopupMenu(TRUE);
}

void ClearCells(CTableGrid& grid, int firstCol, int cols, int rows)
{
    for (int col = firstCol; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            CGridCell cell;
            grid.GetCell(col, row, &cell);
            cell.ClearAll();
            grid.SetCell(col, row, &cell);
        }
}

void HeadingCell(CTableGrid& grid, int col, int row, const QString& text)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetText(text);
    cell.SetTextColor(kHeadingText);
    cell.SetBackColor(GetSysColor(COLOR_BTNFACE));
    cell.SetCellType(GRID_CT_BUTTON);
    cell.SetCellTypeEx(GRID_STYLE_CURRENTONLY);
    cell.SetAlignment(kCentredBoth);
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
        cell.SetTextColor(kHeadingText);
    grid.SetCell(col, row, &cell);
}

} // namespace

void CEstimateView::FillMassBreakdown()
{
    CMarivoltenDoc* doc = GetDocument();
    const bool first = m_abGridNotCreated[1] != 0;
    if (!doc || !EnsureGrid(1))
        return;
    CTableGrid& grid = m_gridTable1;
    MakeBoldFont(m_afontBold[1], grid);
    SetUpGrid(grid, m_buttonCellType);

    // Only what the last estimate run stored is shown: drawing never recounts the quantities.
    const estimate::MassBreakdown table =
        estimate::BuildMassBreakdown(CEstimateInput::Collect(*doc), *doc, g_szSteelGrades9);
    const int rows = int(table.rows.size());

    grid.SetPaintMode(0);
    grid.SetNumberCols(7, FALSE);
    grid.SetNumberRows(rows, FALSE);
    if (first)
        for (int col = 1; col <= 6; ++col)
            grid.SetColWidth(col, 100);
    grid.SetSideHeadingWidth(160);
    // Column 0 and row 0 repeat the row and column headings for paper; the screen shows the headings.
    grid.SetColWidth(0, 0);
    grid.SetRowHeight(0, 0);
    // The row headings too, so that no label of an earlier build stays behind.
    ClearCells(grid, -1, 7, rows);

    for (int col = -1; col <= 6; ++col)
        for (int row : {-1, 0}) {
            CGridCell cell;
            grid.GetCell(col, row, &cell);
            cell.SetText(table.captions[size_t(col + 1)]);
            cell.SetTextColor(kHeadingText);
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
    if (!doc || !EnsureGrid(3))
        return;
    CTableGrid& grid = m_gridTable3;
    MakeBoldFont(m_afontBold[3], grid);
    SetUpGrid(grid, m_buttonCellType);

    const std::vector<estimate::TableRow> rows = estimate::BuildLabourElements(CEstimateInput::Collect(*doc), *doc);

    enum { COLS = 5, ROWS = 20 };
    grid.SetPaintMode(0);
    grid.SetNumberCols(COLS, FALSE);
    grid.SetNumberRows(ROWS, FALSE);
    grid.SetSideHeadingWidth(0);
    grid.SetTopHeadingHeight(0);
    grid.SetColWidth(0, 160);
    for (int col = 1; col < COLS; ++col)
        grid.SetColWidth(col, 95);
    ClearCells(grid, 0, COLS, ROWS);
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
