// Drawing views and their bars: plan, cross section, load diagram,
// sectional force diagram and longitudinal section.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "views/plan_view.h"
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

class CForceView : public CScrollView {
    DECLARE_DYNCREATE(CForceView)
public:
    CForceView();
private:
    CWindowGlobal<CForceView> m_global;
};

class CSection2View : public CScrollView {
    DECLARE_DYNCREATE(CSection2View)
public:
    CSection2View();
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void RebuildDrawers(CMarivoltenDoc* pDoc) {}
private:
    CWindowGlobal<CSection2View> m_global;
};

class CSectionBar : public CDialogBar {};
class CLoadBar : public CDialogBar {};
class CSection2Bar : public CDialogBar {};

// Bar of the sectional force diagram with the scale tables its sliders index.
class CForceBar : public CDialogBar {
public:
    CForceBar();
    double m_adScale1[10];
    double m_adScale2[9];
};

extern CGridView* g_pGridView;
extern CSectionView* g_pSectionView;
extern CLoadView* g_pLoadView;
extern CForceView* g_pForceView;
extern CSection2View* g_pSection2View;
extern CGridBar* g_pGridBar;
