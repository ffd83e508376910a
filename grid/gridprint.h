// Printing a grid: the table is cut into pages so that it prints at the size it has on
// the screen, numbered across first and then down, and one page is printed at a time
// inside the print loop of the view that prints it.
#pragma once

#include <vector>
#include "framework/types.h"

class CDC;
class CGridCtrl;
struct CGridSettings;

// Options of SetPrintOption.
enum : int {
    GRID_PRINT_LEFTMARGIN = 3, GRID_PRINT_TOPMARGIN = 4, GRID_PRINT_RIGHTMARGIN = 5,
    GRID_PRINT_BOTTOMMARGIN = 6, GRID_PRINT_FRAME = 7
};

class CGridPrint {
public:
    struct Page {
        int page = 0;
        int startCol = 0, endCol = 0;
        int startRow = 0, endRow = 0;
    };

    explicit CGridPrint(CGridCtrl* pGrid);

    // Margins in millimetres (3 to 6), the frame around the printed block (7); TRUE.
    BOOL SetPrintOption(int option, int value);
    // Cuts the block into pages for the job's device context (the one the view gets in
    // OnBeginPrinting). Without one, the pages are laid out on the paper of the print
    // settings as the PDF output has it. A column or row that would run past the margins
    // starts the next page, and a joined block stays whole on one page. Returns the number
    // of pages, 0 when the margins leave no room.
    int CountPages(CDC* pPrinterDC, int startCol, int startRow, int endCol, int endRow);
    // Prints one page in device pixels; FALSE for a page CountPages did not make.
    BOOL PrintPage(CDC* pDC, int page);
    // One cell: border (3-D borders as a plain frame), the type's printing, border again.
    BOOL PrintCell(CDC* pDC, CRect* rect, int col, int row);

    // Page list.
    void SetPage(const Page& entry);
    const Page* GetPage(int page) const;
    void FreePages() { m_pages.clear(); }
    int GetColPageCount() const { return m_nColPages; }
    int GetRowPageCount() const { return m_nRowPages; }

    // What the last CountPages found: the usable size in screen pixels, printer pixels per
    // screen pixel, and the printable block on the page in printer pixels.
    CSize GetUsableSize() const { return m_sizeUsable; }
    float GetHScale() const { return m_fHScale; }
    float GetVScale() const { return m_fVScale; }
    CRect GetPrintArea() const { return m_rcArea; }
    CSize GetPageSize() const { return m_sizePage; }

    // The width a column prints at, in screen pixels: its own, or what its widest one-line
    // text, or its share of a joined block's, needs on the paper of the last CountPages.
    int Width(int col) const;

private:
    void FitWidths(CDC* pPrinterDC, int startCol, int startRow, int endCol, int endRow);

    int m_nColPages = 0;
    int m_nRowPages = 0;
    std::vector<Page> m_pages;
    float m_fVScale = 1.0f;
    float m_fHScale = 1.0f;
    CRect m_rcArea;
    CSize m_sizePage;
    int m_nLeftMargin = 25, m_nTopMargin = 25, m_nRightMargin = 25, m_nBottomMargin = 25;
    int m_bFrame = 1;
    CSize m_sizeUsable;
    std::vector<int> m_anWidths;   // per column, as FitWidths found them
    CGridCtrl* m_pGrid;
};
