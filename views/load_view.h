// The load diagram window: the dead loads of the bridge cross section at the document's
// station, chosen and scaled on the load bar (views/force_bars.h); printed on a sideways page.
#pragma once

#include <memory>
#include "framework/view.h"
#include "views/load_diagram.h"
#include "views/window_global.h"

class CMarivoltenDoc;

class CLoadView : public CScrollView {
    DECLARE_DYNCREATE(CLoadView)
public:
    CLoadView();
    ~CLoadView() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // Messages of the bar: the station, the scale in tenths.
    void OnSelect(int nStation);
    void OnScale(int nTenths);
    // One diagram per cross-section station, made again.
    int RebuildDrawers(CMarivoltenDoc* pDoc);
    // The scroll sizes and the origin of the drawing at the document's scale.
    void FitToScale();
    // Scrolls the top of the drawing into the window.
    void ScrollToDrawingTop();

    std::unique_ptr<CLoadDiagram[]> m_pDiagrams;
    int m_nDiagrams = 0;
    CSize m_sizeTotal{6000, 6000};
    CSize m_sizePaper{2100, 2970};
    CPoint m_ptOrigin{200, -500};

private:
    CWindowGlobal<CLoadView> m_global;
};

extern CLoadView* g_pLoadView;
