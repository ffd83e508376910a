#include "views/result_grid.h"

#include "app/doc.h"
#include "estimate/estimate_view.h"
#include "framework/dc.h"
#include "framework/print.h"
#include "framework/view.h"
#include "framework/wndextras.h"

#include <algorithm>

bool CreateResultGrid(CTableGrid& grid, CGridButtonCellType& buttonType, CWnd* pParent, const CRect& rect)
{
    if (!grid.CreateGrid(WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pParent, 1234))
        return false;
    grid.AddCellType(&buttonType);
    grid.SetMultiSelectMode(TRUE);
    grid.EnablePopupMenu(TRUE);
    grid.SetSideHeadingWidth(0);
    grid.SetTopHeadingHeight(0);
    return true;
}

void CreateBoldFont(CFont& font, const CTableGrid& grid)
{
    if (!font.GetSafeHandle())
        font.CreateFont(grid.m_nFontHeight, 0, 0, 0, 800, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                        QStringLiteral("ＭＳ ゴシック"));
}

void ResetResultGrid(CTableGrid& grid, int nCols, int nRows)
{
    grid.SetNumberCols(nCols, FALSE);
    grid.SetNumberRows(nRows, FALSE);
    const int height = grid.GetSettings()->m_nDefRowHeight;
    CGridCell cell;
    for (int row = 0; row < nRows; ++row) {
        grid.SetRowHeight(row, height);
        for (int col = 0; col < nCols; ++col) {
            grid.GetCell(col, row, &cell);
            cell.ClearAll();
            cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
            grid.SetCell(col, row, &cell);
        }
    }
}

void WriteResultTable(CTableGrid& grid, const results::Table& table, CFont* pBold)
{
    using namespace results;
    CGridCell cell;
    for (int row = 0; row < table.Rows(); ++row)
        for (int col = 0; col < table.Cols(); ++col) {
            const Cell& c = table.At(row, col);
            if (c.text.isEmpty() && c.style == STYLE_PLAIN)
                continue;
            grid.GetCell(col, row, &cell);
            if (c.style & STYLE_HEADING)
                CEstimateView::SetHeadingStyle(cell);
            if (c.style & STYLE_VALUE_BUTTON) {
                CEstimateView::SetHeadingStyle(cell);
                cell.SetTextColor(RGB(0, 0, 0));
                cell.SetBackColor(RGB(255, 255, 255));
            }
            if (c.style & STYLE_BLACK_ON_WHITE) {
                cell.SetTextColor(RGB(0, 0, 0));
                cell.SetBackColor(RGB(255, 255, 255));
            }
            if (c.style & STYLE_DARK_BLUE)
                cell.SetTextColor(CEstimateView::kHeadingText);
            if (c.style & STYLE_RED)
                cell.SetTextColor(RGB(255, 0, 0));
            if ((c.style & STYLE_BOLD) && pBold)
                cell.SetFont(pBold);
            if (c.IsNumber()) {
                cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
                cell.SetDecimals(WORD(c.decimals));
                cell.SetNumber(c.value);
            } else {
                cell.SetText(c.text);
            }
            grid.SetCell(col, row, &cell);
        }
    for (const auto& [col, width] : table.m_colWidths)
        grid.SetColWidth(col, width);
    for (const Table::Join& j : table.m_joins)
        grid.JoinCells(j.col1, j.row1, j.col2, j.row2);
    grid.WidenColumnsToTexts();
}

void PrintInPageFrame(CGridPrint& print, CMarivoltenDoc& doc, CSize headings)
{
    // The frame the pages will draw: the print format as it is now.
    doc.LoadPrintSettings();
    const CRect frame = doc.PageFrameRect(nullptr);   // 0.1 mm, y downwards negative
    const CSize a4 = kA4Portrait;
    auto mm = [](int tenths) { return (std::max(tenths, 0) + 9) / 10; };
    // The table keeps 3 mm inside the frame, and below its top the room of a header line.
    print.SetPrintOption(GRID_PRINT_LEFTMARGIN, mm(frame.left) + 3 + int(headings.cx));
    print.SetPrintOption(GRID_PRINT_TOPMARGIN, mm(-frame.top) + 11 + int(headings.cy));
    print.SetPrintOption(GRID_PRINT_RIGHTMARGIN, mm(a4.cx - frame.right) + 3);
    print.SetPrintOption(GRID_PRINT_BOTTOMMARGIN, mm(a4.cy + frame.bottom) + 3);
    print.SetPrintOption(GRID_PRINT_FRAME, 1);
}

int CGridPrintFit::Count(CTableGrid& grid, CDC* pDC, CMarivoltenDoc& doc)
{
    Restore();
    m_pGrid = &grid;
    grid.GetEdit()->Close();
    CGridPrint* print = grid.GetPrint();
    PrintInPageFrame(*print, doc);
    const int cols = grid.GetNumberCols(), rows = grid.GetNumberRows();
    int pages = print->CountPages(pDC, 0, 0, cols - 1, rows - 1);
    if (print->GetColPageCount() <= 1)
        return std::max(pages, 1);
    m_anScreen.assign(size_t(cols), 0);
    int total = 0;
    for (int c = 0; c < cols; ++c) {
        grid.GetColWidth(c, &m_anScreen[size_t(c)]);
        total += m_anScreen[size_t(c)];
    }
    const int usable = print->GetUsableSize().cx - 1;
    auto narrow = [&](double factor) {
        m_anPrint.resize(size_t(cols));
        for (int c = 0; c < cols; ++c)
            m_anPrint[size_t(c)] = int(m_anScreen[size_t(c)] * factor);
        Apply();
        return print->CountPages(pDC, 0, 0, cols - 1, rows - 1);
    };
    const double first = total > 0 ? std::min(1.0, double(usable) / total) : 0.0;
    if (first < kNarrowest) {
        m_anScreen.clear();
        return std::max(pages, 1);
    }
    pages = narrow(first);
    // Columns that print wider for their texts keep their width: the others narrow further,
    // while that brings the table onto one page across.
    double factor = first;
    for (int step = 0; step < 8 && print->GetColPageCount() > 1; ++step) {
        int printed = 0;
        for (int c = 0; c < cols; ++c)
            printed += print->Width(c);
        factor *= std::min(1.0, double(usable) / std::max(printed, 1));
        if (factor < kNarrowest)
            break;
        pages = narrow(factor);
    }
    // A table that is still too wide is cut into pages at the first narrowing.
    if (print->GetColPageCount() > 1 && factor != first)
        pages = narrow(first);
    return std::max(pages, 1);
}

void CGridPrintFit::Apply()
{
    if (!m_pGrid)
        return;
    for (int c = 0; c < int(m_anPrint.size()) && c < m_pGrid->GetNumberCols(); ++c)
        m_pGrid->SetColWidth(c, m_anPrint[size_t(c)]);
}

void CGridPrintFit::Restore()
{
    if (m_pGrid)
        for (int c = 0; c < int(m_anScreen.size()) && c < m_pGrid->GetNumberCols(); ++c)
            m_pGrid->SetColWidth(c, m_anScreen[size_t(c)]);
    m_pGrid = nullptr;
    m_anScreen.clear();
    m_anPrint.clear();
}

BOOL PrepareA4Printing(CView& view, CPrintInfo* pInfo, CMarivoltenDoc* pDoc, CSize* pPageSize)
{
    if (!view.DoPreparePrinting(pInfo))
        return FALSE;
    if (pDoc && pInfo->GetSettings().m_nPaperSize != DMPAPER_A4)
        pDoc->SetupPrinterPaper(pInfo, pPageSize, DMPAPER_A4);
    return TRUE;
}

void PrintResultPage(CMarivoltenDoc& doc, CDC* pDC, CPrintInfo* pInfo, const QString& strTitle, CTableGrid* pGrid)
{
    CFont font;
    font.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CFont* oldFont = pDC->SelectObject(&font);
    doc.DrawPageFrame(pDC, pInfo, strTitle);
    doc.DrawPageFooter(pDC, pInfo, 0);
    pDC->SelectObject(oldFont);
    if (pGrid)
        pGrid->GetPrint()->PrintPage(pDC, int(pInfo->m_nCurPage));
}
