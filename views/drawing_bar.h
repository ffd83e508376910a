// The bars of the drawing windows: their controls written only where they change, the scale
// sliders over their tables, the girder step they share, and the bar they are built on.
#pragma once

#include "framework/bars.h"

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
