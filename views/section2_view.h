// The longitudinal-section window: one main girder's elevation drawn by its drawer, with the
// bar that picks the girder and the horizontal and vertical scales.
#pragma once

#include <memory>
#include "framework/view.h"
#include "framework/print.h"
#include "views/drawing_bar.h"
#include "views/label_layout.h"
#include "views/section2_drawer.h"
#include "views/window_global.h"

class CMarivoltenDoc;

// Bar to view: wParam the new girder, lParam the girder the document now holds; wParam the
// slider, lParam the scale in tenths.
enum : UINT { WM_SECTION2_GIRDER = WM_USER + 32, WM_SECTION2_SCALE = WM_USER + 33 };

class CSection2View : public CScrollView {
    DECLARE_DYNCREATE(CSection2View)
public:
    CSection2View();
    ~CSection2View() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    void OnGirderChanged(int nGirder);
    void OnScaleChanged(int nSlider, int nTenths);
    // One drawer per main girder, made again.
    int RebuildDrawers(CMarivoltenDoc* pDoc);
    // The drawer of the document's current girder, set to it; null without one.
    CSection2Drawer* ShownDrawer();
    // The drawing's origin on screen at the document's vertical scale.
    CPoint DrawingOrigin() const;
    // The drawer's span lengths and elevation, its labels laid out where drawn.
    static PlacedDrawing Drawing(CSection2Drawer& drawer);

    std::unique_ptr<CSection2Drawer[]> m_pDrawers;
    int m_nDrawers = 0;
    CSize m_sizeTotal{13000, 5000};
    CSize m_sizePaper = kA4Portrait;
    CPoint m_ptOrigin{200, -900};

private:
    CWindowGlobal<CSection2View> m_global;
};

class CSection2Bar : public CDrawingBar {
public:
    CSection2Bar();
    // Shows the document's girder and scales.
    void Refresh() override;
    bool OnDeltaposGirderSpin(int nDelta);
    void OnHScroll(CWnd* pSlider);

    double m_adScaleX[10];
    double m_adScaleY[10];

protected:
    bool OnSpin(int nID, int nDelta) override;
    void OnSlider(CWnd* pSlider) override { OnHScroll(pSlider); }
};

extern CSection2View* g_pSection2View;
