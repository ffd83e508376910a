#include "grid/gridprint.h"
#include "grid/gridctrl.h"
#include "framework/dc.h"
#include "framework/print.h"

#include <cmath>

namespace {
// The resolution at which the framework lays out its PDF pages.
constexpr int kPdfDpi = 600;

// Starts and ends of the pages along one direction. Neighbours that a joined block holds
// together (tied[i]: i and i + 1) go to a page as one; what would run past the usable length
// starts the next page. Only what is longer than a page by itself is parted, member by member.
std::vector<std::pair<int, int>> cut(int first, int last, int usable, const std::function<int(int)>& size,
                                     const std::vector<char>& tied)
{
    std::vector<std::pair<int, int>> pages;
    int start = first;
    long long sum = 0;
    for (int i = first; i <= last;) {
        int j = i;
        long long unit = size(i);
        while (j < last && tied[size_t(j)])
            unit += size(++j);
        if (sum + unit <= usable) {
            sum += unit;
            i = j + 1;
            continue;
        }
        if (i > start) {
            pages.emplace_back(start, i - 1);
            start = i;
            sum = 0;
            continue;
        }
        for (int k = i; k <= j; ++k) {
            const int s = size(k);
            if (sum + s > usable && k > start) {
                pages.emplace_back(start, k - 1);
                start = k;
                sum = 0;
            }
            sum += s;
        }
        i = j + 1;
    }
    if (start <= last)
        pages.emplace_back(start, last);
    return pages;
}
}

CGridPrint::CGridPrint(CGridCtrl* pGrid) : m_pGrid(pGrid) {}

BOOL CGridPrint::SetPrintOption(int option, int value)
{
    switch (option) {
    case GRID_PRINT_LEFTMARGIN: m_nLeftMargin = value; break;
    case GRID_PRINT_TOPMARGIN: m_nTopMargin = value; break;
    case GRID_PRINT_RIGHTMARGIN: m_nRightMargin = value; break;
    case GRID_PRINT_BOTTOMMARGIN: m_nBottomMargin = value; break;
    case GRID_PRINT_FRAME: m_bFrame = value != 0; break;
    default: break;
    }
    return TRUE;
}

void CGridPrint::SetPage(const Page& entry)
{
    for (Page& p : m_pages)
        if (p.page == entry.page) {
            p = entry;
            return;
        }
    m_pages.push_back(entry);
}

const CGridPrint::Page* CGridPrint::GetPage(int page) const
{
    for (const Page& p : m_pages)
        if (p.page == page)
            return &p;
    return nullptr;
}

int CGridPrint::CountPages(CDC* pPrinterDC, int startCol, int startRow, int endCol, int endRow)
{
    FreePages();
    m_nColPages = m_nRowPages = 0;
    const CGridSettings& s = *m_pGrid->GetSettings();
    endCol = std::min(endCol, s.m_nCols - 1);
    endRow = std::min(endRow, s.m_nRows - 1);
    startCol = std::max(startCol, 0);
    startRow = std::max(startRow, 0);
    if (startCol > endCol || startRow > endRow)
        return 0;

    // Without the job's device the pages are those of the PDF output on the chosen paper.
    CDC paper;
    CDC* printer = pPrinterDC;
    if (!printer) {
        const CSize tenths = AfxGetPrintSettings().GetPaperSize();
        paper.SetPrinting(true);
        paper.SetResolution(kPdfDpi, kPdfDpi);
        paper.SetPageSize(CSize(int(tenths.cx * kPdfDpi / 254.0 + 0.5), int(tenths.cy * kPdfDpi / 254.0 + 0.5)));
        printer = &paper;
    }
    CDC screen;
    const double screenPxW = screen.GetDeviceCaps(HORZRES), screenMmW = screen.GetDeviceCaps(HORZSIZE);
    const double screenPxH = screen.GetDeviceCaps(VERTRES), screenMmH = screen.GetDeviceCaps(VERTSIZE);
    const double printerPxW = printer->GetDeviceCaps(HORZRES), printerMmW = printer->GetDeviceCaps(HORZSIZE);
    const double printerPxH = printer->GetDeviceCaps(VERTRES), printerMmH = printer->GetDeviceCaps(VERTSIZE);
    if (screenMmW <= 0 || screenMmH <= 0 || printerMmW <= 0 || printerMmH <= 0)
        return 0;
    const double usableMmW = printerMmW - m_nLeftMargin - m_nRightMargin;
    const double usableMmH = printerMmH - m_nTopMargin - m_nBottomMargin;
    const int usableW = int(screenPxW / screenMmW * usableMmW);
    const int usableH = int(screenPxH / screenMmH * usableMmH);
    if (usableMmW <= 0 || usableMmH <= 0 || usableW <= 0 || usableH <= 0)
        return 0;
    m_sizeUsable = CSize(usableW, usableH);
    const double perMmW = printerPxW / printerMmW, perMmH = printerPxH / printerMmH;
    m_fHScale = float(perMmW * usableMmW / usableW);
    m_fVScale = float(perMmH * usableMmH / usableH);
    m_rcArea = CRect(int(perMmW * m_nLeftMargin), int(perMmH * m_nTopMargin),
                     int(printerPxW - perMmW * m_nRightMargin), int(printerPxH - perMmH * m_nBottomMargin));
    m_sizePage = CSize(int(printerPxW), int(printerPxH));

    FitWidths(printer, startCol, startRow, endCol, endRow);
    // A joined block prints whole on one page.
    std::vector<char> colTied(size_t(s.m_nCols), 0), rowTied(size_t(s.m_nRows), 0);
    CGridCell cell;
    for (int row = startRow; row <= endRow; ++row)
        for (int col = startCol; col <= endCol; ++col) {
            if (!m_pGrid->GetCellIndirect(col, row, &cell) || !cell.m_bJoined || !cell.m_bJoinOrigin)
                continue;
            for (int c = col; c < std::min(cell.m_nJoinCol, endCol); ++c)
                colTied[size_t(c)] = 1;
            for (int r = row; r < std::min(cell.m_nJoinRow, endRow); ++r)
                rowTied[size_t(r)] = 1;
        }
    const auto colPages = cut(startCol, endCol, usableW, [&](int c) { return Width(c); }, colTied);
    const auto rowBands = cut(startRow, endRow, usableH, [&](int r) { return s.RowHeight(r); }, rowTied);
    m_nColPages = int(colPages.size());
    m_nRowPages = int(rowBands.size());
    for (size_t band = 0; band < rowBands.size(); ++band)
        for (size_t i = 0; i < colPages.size(); ++i) {
            Page p;
            p.page = int(band) * m_nColPages + int(i) + 1;
            p.startCol = colPages[i].first;
            p.endCol = colPages[i].second;
            p.startRow = rowBands[band].first;
            p.endRow = rowBands[band].second;
            SetPage(p);
        }
    return m_nColPages * m_nRowPages;
}

void CGridPrint::FitWidths(CDC* pPrinterDC, int startCol, int startRow, int endCol, int endRow)
{
    const CGridSettings& s = *m_pGrid->GetSettings();
    m_anWidths.assign(size_t(s.m_nCols), 0);
    // A column prints as wide as on the screen, or as its widest text needs on paper, where
    // the screen's text does not scale quite as the columns do.
    std::vector<int> widths;
    for (int col = startCol; col <= endCol; ++col)
        widths.push_back(s.ColWidth(col));
    m_pGrid->WidenForTexts(pPrinterDC, m_fVScale, m_fHScale, startCol, startRow, endCol, endRow, widths);
    std::copy(widths.begin(), widths.end(), m_anWidths.begin() + startCol);
}

int CGridPrint::Width(int col) const
{
    return col >= 0 && size_t(col) < m_anWidths.size() ? m_anWidths[size_t(col)] : m_pGrid->GetSettings()->ColWidth(col);
}

BOOL CGridPrint::PrintPage(CDC* pDC, int page)
{
    const Page* entry = GetPage(page);
    if (!entry || !pDC)
        return FALSE;
    const CGridSettings& s = *m_pGrid->GetSettings();
    // The page is laid out in device pixels whatever mapping the view uses for its frame.
    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    auto printedWidth = [&](int c) { return int(Width(c) * m_fHScale); };
    auto printedHeight = [&](int r) { return int(s.RowHeight(r) * m_fVScale); };

    CGridCell cell;
    int y = m_rcArea.top, right = m_rcArea.left;
    for (int row = entry->startRow; row <= entry->endRow; ++row) {
        const int h = printedHeight(row);
        if (h == 0)
            continue;
        int x = m_rcArea.left;
        for (int col = entry->startCol; col <= entry->endCol; ++col) {
            // Only a column longer than a page by itself meets the edge: it ends there.
            const int w = std::min(printedWidth(col), std::max(0, m_rcArea.right - x));
            if (w == 0)
                continue;
            m_pGrid->GetCell(col, row, &cell);
            if (!cell.m_bJoined) {
                CRect r(x, y, x + w, y + h);
                PrintCell(pDC, &r, col, row);
            } else if (cell.m_bJoinOrigin) {
                // The block prints once, as large as its rows and columns on this page together.
                CRect r(x, y, x + w, y + h);
                for (int c = col + 1; c <= std::min(cell.m_nJoinCol, entry->endCol); ++c)
                    r.right += printedWidth(c);
                for (int rr = row + 1; rr <= std::min(cell.m_nJoinRow, entry->endRow); ++rr)
                    r.bottom += printedHeight(rr);
                r.right = std::min<int>(r.right, m_rcArea.right);
                PrintCell(pDC, &r, col, row);
            }
            x += w;
        }
        right = std::max(right, x);
        y += h;
    }
    if (m_bFrame && right > m_rcArea.left && y > m_rcArea.top) {
        CPen* oldPen = static_cast<CPen*>(pDC->SelectStockObject(BLACK_PEN));
        const int left = m_rcArea.left, top = m_rcArea.top;
        pDC->MoveTo(left, top);
        pDC->LineTo(right, top);
        pDC->MoveTo(left, y);
        pDC->LineTo(right, y);
        pDC->MoveTo(left, top);
        pDC->LineTo(left, y);
        pDC->MoveTo(right, top);
        pDC->LineTo(right, y + 1);
        if (oldPen)
            pDC->SelectObject(oldPen);
    }
    pDC->RestoreDC(saved);
    return TRUE;
}

BOOL CGridPrint::PrintCell(CDC* pDC, CRect* rect, int col, int row)
{
    const CGridSettings& s = *m_pGrid->GetSettings();
    int screenWidth = col == -1 ? s.m_nSideHeadingWidth : s.ColWidth(col);
    int screenHeight = row == -1 ? s.m_nTopHeadingHeight : s.RowHeight(row);
    CGridCell cell;
    if (!m_pGrid->GetCellIndirect(col, row, &cell))
        return FALSE;
    if (cell.m_bJoined && cell.m_bJoinOrigin) {
        // A block's text keeps the size it has on the screen: the scale is the block's.
        screenWidth += int(s.Total(GRID_AXIS_COLS, col + 1, std::min(cell.m_nJoinCol, s.m_nCols - 1) + 1));
        screenHeight += int(s.Total(GRID_AXIS_ROWS, row + 1, std::min(cell.m_nJoinRow, s.m_nRows - 1) + 1));
    }
    CGridCellType* type = m_pGrid->GetCellTypeById(cell.m_nCellType);
    int border = cell.m_nBorder;
    // Paper shows no relief: a 3-D frame prints as a plain one.
    if (border > 0 && (border & (GRID_BORDER_SUNKEN | GRID_BORDER_RAISED)))
        border = GRID_BORDER_LEFT | GRID_BORDER_TOP | GRID_BORDER_RIGHT | GRID_BORDER_BOTTOM;
    CRect inner = *rect;
    m_pGrid->DrawBorder(pDC, &inner, border);
    type->Print(pDC, &inner, &cell, screenWidth, screenHeight);
    CRect again = *rect;
    m_pGrid->DrawBorder(pDC, &again, border);
    return TRUE;
}
