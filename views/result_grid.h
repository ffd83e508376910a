// The grids of the result tables: made on their first fill, cleared and filled whole from a
// table worked out without a window, and printed a page at a time inside the page frame.
#pragma once

#include <QString>
#include <vector>

#include "design/result_table.h"
#include "framework/gdi.h"
#include "grid/gridcelltypes.h"
#include "grid/tablegrid.h"

class CDC;
class CPrintInfo;
class CView;
class CWnd;
class CMarivoltenDoc;

// Creates the grid window with its push-button type and the grid's usual settings: several
// cells selectable, the clipboard menu on, no heading strips. False when it cannot be made.
bool CreateResultGrid(CTableGrid& grid, CGridButtonCellType& buttonType, CWnd* pParent, const CRect& rect);
// The grid's bold font: its own face at weight 800.
void CreateBoldFont(CFont& font, const CTableGrid& grid);
// Sizes the grid and clears every cell to plain centred text at the default row height.
void ResetResultGrid(CTableGrid& grid, int nCols, int nRows);
// Writes the table's texts, numbers and looks into the grid, and the column widths it names,
// widened where a text needs more.
void WriteResultTable(CTableGrid& grid, const results::Table& table, CFont* pBold);

// The grid's margins for printing inside the document's page frame on A4, with room before
// its cells for headings `headings` millimetres wide and high.
void PrintInPageFrame(CGridPrint& print, CMarivoltenDoc& doc, CSize headings = CSize());

// The columns of a grid while it prints: a table a little wider than the page frame is
// narrowed to fit it rather than cut into pages side by side; the screen's widths come back
// when the job ends.
class CGridPrintFit {
public:
    // Cuts the grid into pages inside the document's page frame; the page count, at least 1.
    int Count(CTableGrid& grid, CDC* pDC, CMarivoltenDoc& doc);
    // The printed widths again, should a repaint have put the screen's back.
    void Apply();
    void Restore();
    // Narrowed no further than this: a table wider still prints across pages.
    static constexpr double kNarrowest = 0.6;

private:
    CTableGrid* m_pGrid = nullptr;
    std::vector<int> m_anScreen, m_anPrint;
};
// The print dialog, once, and A4 paper for the printer it named: every table is laid out for A4.
BOOL PrepareA4Printing(CView& view, CPrintInfo* pInfo, CMarivoltenDoc* pDoc, CSize* pPageSize);
// The page frame with its title, the page number and, when there is one, the grid's page.
void PrintResultPage(CMarivoltenDoc& doc, CDC* pDC, CPrintInfo* pInfo, const QString& strTitle, CTableGrid* pGrid);
