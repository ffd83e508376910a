// Drawing views and their bars: plan, cross section, load diagram,
// sectional force diagram and longitudinal section.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/force_bars.h"
#include "views/force_view.h"
#include "views/plan_view.h"
#include "views/section2_view.h"
#include "views/window_global.h"

class CMarivoltenDoc;

class CSectionView : public CScrollView {
    DECLARE_DYNCREATE(CSectionView)
public:
    CSectionView();
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // One drawer per cross-section station; the drawers arrive with the drawing views.
    void RebuildDrawers(CMarivoltenDoc* pDoc) {}
private:
    CWindowGlobal<CSectionView> m_global;
};

class CLoadView : public CScrollView {
    DECLARE_DYNCREATE(CLoadView)
public:
    CLoadView();
private:
    CWindowGlobal<CLoadView> m_global;
};

class CSectionBar : public CDialogBar {};

extern CGridView* g_pGridView;
extern CSectionView* g_pSectionView;
extern CLoadView* g_pLoadView;
extern CGridBar* g_pGridBar;
