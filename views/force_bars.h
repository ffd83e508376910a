// The bars of the sectional force window and of the load diagram window. Every choice goes
// into the document, and the bar tells its view through the view's global pointer.
#pragma once

#include "views/drawing_helpers.h"

// Load bar to load view: lParam the station; lParam the scale in tenths.
enum : UINT { WM_LOAD_SELECT = WM_USER + 24, WM_LOAD_SCALE = WM_USER + 25 };

class CForceBar : public CDrawingBar {
public:
    CForceBar();
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Shows the document's girder, scales and switches.
    void Refresh() override;
    bool OnGirderSpin(int nDelta);
    void OnHScroll(CWnd* pSlider);
    // A display switch clicked: its check into the document.
    void OnCheck(int nID);

    double m_adScale1[10];      // horizontal scales of the slider positions
    double m_adScale2[9];       // vertical scales

protected:
    bool OnSpin(int nID, int nDelta) override;
    void OnSlider(CWnd* pSlider) override { OnHScroll(pSlider); }
    bool OnClicked(int nID) override;
};

class CLoadBar : public CDrawingBar {
public:
    CLoadBar();
    // Shows the document's support and station, and the scale.
    void Refresh() override;
    bool OnSupportSpin(int nDelta);
    bool OnCrossSectionSpin(int nDelta);
    void OnHScroll(CWnd* pSlider);
    // The support whose station is the given one, -1 when it is none.
    static int SupportAt(int nStation);

    double m_adScale[10];
    int m_bFirstPaint = 1;      // the slider is set up once, from the document's scale

protected:
    bool OnSpin(int nID, int nDelta) override;
    void OnSlider(CWnd* pSlider) override { OnHScroll(pSlider); }
};
