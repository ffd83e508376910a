// The cross-section window: the bridge cross section at the document's station with all its
// dimensions, chosen and scaled on the window's bar (views/force_bars.h).
#pragma once

#include <memory>
#include "framework/view.h"
#include "views/cross_section_drawer.h"
#include "views/window_global.h"

class CMarivoltenDoc;

class CSectionView : public CScrollView {
    DECLARE_DYNCREATE(CSectionView)
public:
    CSectionView();
    ~CSectionView() override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // Messages of the bar: the station, the scale in tenths.
    void OnSelect(int nStation);
    void OnScale(int nTenths);
    // One drawer per cross-section station, made again.
    int RebuildDrawers(CMarivoltenDoc* pDoc);
    // The scroll sizes and the origin of the drawing at the document's scale.
    void FitToScale();

    std::unique_ptr<CCrossSectionDrawer[]> m_pDrawers;
    int m_nDrawers = 0;
    CSize m_sizeTotal{6000, 6000};
    CSize m_sizePaper{2100, 2970};
    CPoint m_ptOrigin{200, -900};

private:
    CWindowGlobal<CSectionView> m_global;
};

extern CSectionView* g_pSectionView;
