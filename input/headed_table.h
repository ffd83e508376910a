// The value tables of the load and estimate dialogs: headings in dark blue on grey, numbers
// in right-aligned spin cells that step without going below 0, and read back.
#pragma once

#include "grid/tablegrid.h"

namespace headedtable {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);

// Takes over the placeholder; headings grey with dark blue text.
void AttachTable(CTableGrid& t, UINT nID, CWnd* pParent);
// One value column beside the row headings, filling the table's width; painting is left off
// for the cells to be filled. Without `scrolls` all rows show and there is no scroll bar.
void ValueColumn(CTableGrid& t, int rows, int sideHeadingWidth, bool scrolls = false);
// A heading in the tables' dark blue, centred unless said otherwise.
void Heading(CTableGrid& t, int col, int row, const QString& text, short align = GRID_ALIGN_CENTER);
// An editable right-aligned spin cell; lo > hi leaves it without a range check; a label
// sizes the cell's text.
void SpinNumber(CTableGrid& t, int col, int row, double value, int decimals, double lo = 1.0, double hi = 0.0,
                const QString& label = {});
void SetNumber(CTableGrid& t, int col, int row, double value);
double CellNumber(CGridCtrl& t, int col, int row);
// A whole number as typed or stepped, truncated towards zero.
int CellInt(CGridCtrl& t, int col, int row);
bool IsSpinStep(long typeId, long msg);
// Up adds the step; down subtracts it only while the value is above 0, and never goes below 0.
void StepCell(CTableGrid& t, int col, int row, long msg, double step);

}
