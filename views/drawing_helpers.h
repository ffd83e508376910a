// What the drawing views share: drawing objects selected for a scope, the 0.1 mm mapping of
// a scrolled window, the A4 page of a view's printout and the scale sliders of their bars.
#pragma once

#include "framework/bars.h"
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
// Writes a text with the font now selected turned by nEscapement (tenths of a degree), its
// clipping turning with it; the font selected before is put back.
void TextOutTurned(CDC* pDC, int nEscapement, int x, int y, const QString& text);

// Scales travel to the views in whole tenths, truncated.
inline int ScaleTenths(double dScale) { return int(dScale * 10.0); }

// The slider position of a scale table that shows the scale a view draws at: the current
// one when it stands for it, else the first that does, else the nearest.
int ScaleSliderPos(const double* pTable, int nCount, int nCurrent, double dScale);

// A bar's controls written only where they show something else: a write repaints them.
void SetBarText(CDialogBar& bar, int nID, const QString& text);
void SetBarCheck(CDialogBar& bar, int nID, int nCheck);
// A spin's range 1 .. nUpper (at least 1) and its position.
void SetBarSpin(CDialogBar& bar, int nID, int nUpper, int nPos);
// A scale slider over its table at the position that shows the document's scale, and the
// scale in its edit.
void ShowBarScale(CDialogBar& bar, int nSlider, int nEdit, const double* pTable, int nCount, double dScale);
// A moved scale slider: its table value goes to the view in tenths, and the edit shows the
// scale that the document then holds. False when pSlider is another control.
bool SendBarScale(CDialogBar& bar, CWnd* pSlider, int nSlider, int nEdit, const double* pTable, int nCount,
                  CWnd* pView, UINT nMessage, const double& dScale);
// A step of the girder that the section table, the force diagram and the longitudinal
// section share; the bar's edit shows it. The girder from 0 now shown, -1 when refused.
int StepSharedGirder(CDialogBar& bar, int nEdit, int nDelta);

// A bar of a drawing window. Its spins only ask for a step, which the bar takes or refuses
// itself; it shows the document's choices when created and at every idle update of its frame,
// never at a paint (a check box repaints between its new state and the click that reports it).
class CDrawingBar : public CDialogBar {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int OnCreate() override;
    virtual void Refresh() = 0;

protected:
    // A step of spin nID; false when refused.
    virtual bool OnSpin(int nID, int nDelta) = 0;
    virtual void OnSlider(CWnd* pSlider) = 0;
    // A click on a check box of the bar; false leaves it to the frame as a command.
    virtual bool OnClicked(int nID) { return false; }
};
