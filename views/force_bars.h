// The bars of the sectional force, cross-section and load diagram windows. Every choice goes
// into the document, and the bar tells its view through the view's global pointer.
#pragma once

#include "views/drawing_bar.h"

// Cross-section bar to cross-section view and load bar to load view: wParam the support
// chosen (or 0), lParam the station; lParam the scale in tenths.
enum : UINT {
    WM_SECTION_SELECT = WM_USER + 20,
    WM_SECTION_SCALE = WM_USER + 21,
    WM_LOAD_SELECT = WM_USER + 24,
    WM_LOAD_SCALE = WM_USER + 25
};

// The vertical scales of the force bar, smallest first.
inline constexpr double kForceVScales[9] = {0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0};

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

// The bar of a window that shows one cross-section station: the support or the station and
// the scale. The choice goes into the document, which the cross-section and load windows share.
class CStationBar : public CDrawingBar {
public:
    // The bar's controls.
    struct Ids {
        int support, supportSpin, station, stationSpin, scale, slider;
    };
    CStationBar(const Ids& ids, UINT nSelectMessage, UINT nScaleMessage);
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
    // The window told of the choices (null when none is open) and the scale it draws at.
    virtual CWnd* View() const = 0;
    virtual double Scale() const = 0;

private:
    const Ids m_ids;
    const UINT m_nSelectMessage, m_nScaleMessage;
};

class CLoadBar : public CStationBar {
public:
    CLoadBar();
protected:
    CWnd* View() const override;
    double Scale() const override;
};

class CSectionBar : public CStationBar {
public:
    CSectionBar();
protected:
    CWnd* View() const override;
    double Scale() const override;
};
