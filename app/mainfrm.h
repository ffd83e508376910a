// The main window: tool bar, status bar, scope bar, setup bar with step marks,
// the modeless input windows and the switch between the views of the design.
#pragma once

#include "framework/bars.h"
#include "framework/dialog.h"
#include "framework/frame.h"

class CDocTemplate;

class CScopeBar : public CDialogBar {
public:
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
};

class CSetupBar : public CDialogBar {
public:
    void OnShowWindow(BOOL bShow, UINT nStatus) override;
};

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    static constexpr int VIEWS = 11;
    enum ViewIndex { VIEW_PLAN, VIEW_SECTION, VIEW_LOAD, VIEW_FORCE, VIEW_CALC, VIEW_ESTIMATE, VIEW_REACT,
                     VIEW_CONDITION, VIEW_PRINT, VIEW_SECTION2, VIEW_PROPERTIES };

    CMainFrame();
    ~CMainFrame() override;

    void SetStepDone(UINT nStep, int bDone);
    void RefreshStepButtons();
    void EnableHeightCommands(int bConstantHeight, int bSecond);
    void SetDetailDataFlag(int bFlag);
    void ResetViewFlags();
    int IsCalcViewCurrent() const { return m_abViewCurrent[VIEW_CALC]; }
    void ActivateOrCreateView(CDocTemplate* pTemplate, const CRuntimeClass* pViewClass);
    // The plan window to the front, the view switches back to it.
    void BringPlanViewForward();

    // Window placement in the profile ("Settings"/"WindowPos").
    static BOOL LoadWindowPlacement(WINDOWPLACEMENT* pwp);
    static void SaveWindowPlacement(const WINDOWPLACEMENT* pwp);
    void FixShellOpenCommand() {}

    int OnCreate() override;
    void OnClose() override;

    int m_abViewCurrent[VIEWS] = {};
    int m_bConstantHeight = 0;
    int m_bHeightSecond = 0;
    int m_bDetailData = 1;
    int m_nStepMask = 0;
    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
    CScopeBar m_wndScopeBar;
    CSetupBar m_wndSetupBar;

private:
    void SwitchView(int nView, const CRuntimeClass* pViewClass, bool hideBlock);
    void ToggleWindow(CWnd* pWnd);
    void RegisterHandlers();
    CButton* ScopeButton(int nID) const;
    CButton* SetupButton(int nID) const;
};

extern CMainFrame* g_pMainFrame;
