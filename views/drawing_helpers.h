// What the drawing views share: drawing objects selected for a scope, the 0.1 mm mapping of
// a scrolled window, the A4 page of a view's printout and texts written within a width.
#pragma once

#include "framework/dc.h"
#include "framework/view.h"

class CPrintInfo;

// Selects an object into the DC for the life of the scope; a null object leaves the DC's.
template <class T>
struct Selected {
    CDC* dc;
    T* old;
    bool active;
    Selected(CDC* pDC, T* obj) : dc(pDC), old(obj ? pDC->SelectObject(obj) : nullptr), active(obj != nullptr) {}
    ~Selected()
    {
        if (active)
            dc->SelectObject(old);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
};

// 0.1 mm with y upwards; on screen the scroll position is the window's top left.
void PrepareDrawingDC(const CScrollView& view, CDC* pDC);

// The scroll sizes of a drawing at kx, ky logical units per metre: its total, and a page and
// a line of a fifth and a twentieth of it per unit; set only when they change, so that a paint
// asking again does not lay the window out anew.
void SetDrawingScrollSizes(CScrollView& view, CSize sizeTotal, double kx, double ky);

// The view prints on A4 portrait whatever paper was chosen: the page size goes to *pPageSize.
BOOL PrepareA4Printing(CView* pView, CPrintInfo* pInfo, CSize* pPageSize);

// The page frame, header, footer and page number of one printed page of a view.
void DrawViewPage(CDC* pDC, CPrintInfo* pInfo, const QString& strTitle);

// The page frame of a view's A4 page (left, top, right, bottom; y up) from the margins of
// the print format; empty without a document.
CRect ViewPageFrame();

// Writes a text with the font now selected, its top left at (x, y) (y up), no farther right
// than `right` (bCentred: centred between x and right): where it would cross it, a tenth smaller
// at a step down to nSmallest tenths of its size, broken after a slash (a folder's) or else
// anywhere onto the lines below, as many as `rows` rows of `rowHeight` hold at that size. None
// of it is left out: at the smallest size it takes the lines it needs.
void WriteWithin(CDC* pDC, int x, int y, int right, const QString& text, int rows, int rowHeight,
                 bool bCentred = false, int nSmallest = 5);
// Texts keep this clear of a page frame's rule (0.1 mm).
constexpr int kTextInset = 20;
