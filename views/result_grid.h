// The grids of the result tables: made on their first fill, cleared and filled whole from a
// table worked out without a window, and printed a page at a time inside the page frame.
#pragma once

#include <QString>

#include "design/result_table.h"
#include "framework/gdi.h"
#include "grid/gridcelltypes.h"
#include "grid/tablegrid.h"

class CDC;
class CPrintInfo;
class CWnd;
class CMarivoltenDoc;

// Creates the grid window with its push-button type and the grid's usual settings: several
// cells selectable, the clipboard menu on, no heading strips. False when it cannot be made.
bool CreateResultGrid(CTableGrid& grid, CGridButtonCellType& buttonType, CWnd* pParent, const CRect& rect);
// The grid's bold font: its own face at weight 800.
void CreateBoldFont(CFont& font, const CTableGrid& grid);
// Sizes the grid and clears every cell to plain centred text at the default row height.
void ResetResultGrid(CTableGrid& grid, int nCols, int nRows);
// Writes the table's texts, numbers and looks into the grid, and the column widths it names.
void WriteResultTable(CTableGrid& grid, const results::Table& table, CFont* pBold);

// Cuts the grid into pages that fit inside the document's page frame; the page count, at least 1.
int CountResultGridPages(CTableGrid& grid, CDC* pDC, const CMarivoltenDoc& doc);
// The page frame with its title, the page number and, when there is one, the grid's page.
void PrintResultPage(CMarivoltenDoc& doc, CDC* pDC, CPrintInfo* pInfo, const QString& strTitle, CTableGrid* pGrid);
