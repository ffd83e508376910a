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

protected:
    // View switches of the scope bar and the menu.
    void OnViewPlan();
    void OnViewSection();
    void OnViewLoad();
    void OnViewForce();
    void OnViewCalc();
    void OnViewEstimate();
    void OnViewReact();
    void OnViewCondition();
    void OnViewPrint();
    void OnViewSection2();
    void OnViewProperties();
    void OnUpdateViewPlan(CCmdUI* pCmdUI);
    void OnUpdateViewSection(CCmdUI* pCmdUI);
    void OnUpdateViewLoad(CCmdUI* pCmdUI);
    void OnUpdateViewForce(CCmdUI* pCmdUI);
    void OnUpdateViewCalc(CCmdUI* pCmdUI);
    void OnUpdateViewEstimate(CCmdUI* pCmdUI);
    void OnUpdateViewReact(CCmdUI* pCmdUI);
    void OnUpdateViewCondition(CCmdUI* pCmdUI);
    void OnUpdateViewPrint(CCmdUI* pCmdUI);
    void OnUpdateViewSection2(CCmdUI* pCmdUI);
    void OnUpdateViewProperties(CCmdUI* pCmdUI);

    // Show/hide of the scope and setup bars by their ids, and their check marks.
    void OnToggleBar(UINT nID);
    void OnUpdateToggleBar(CCmdUI* pCmdUI);

    // The modeless input windows, shown and hidden by their steps.
    void OnToggleCrossSectionDlg();
    void OnTogglePanelDlg();
    void OnToggleCrossBeamDlg();
    void OnToggleBlockDlg();
    void OnToggleCoordinateSheet();
    void OnToggleHeightDlg();
    void OnUpdateToggleCrossSectionDlg(CCmdUI* pCmdUI);
    void OnUpdateTogglePanelDlg(CCmdUI* pCmdUI);
    void OnUpdateToggleCrossBeamDlg(CCmdUI* pCmdUI);
    void OnUpdateToggleBlockDlg(CCmdUI* pCmdUI);
    void OnUpdateToggleCoordinateSheet(CCmdUI* pCmdUI);
    void OnUpdateToggleHeightDlg(CCmdUI* pCmdUI);

    // The scope bar marks the view of the window in front, however it came there.
    void OnActiveChildChanged() override;

private:
    void SwitchView(int nView, const CRuntimeClass* pViewClass, bool hideBlock);
    void UpdateViewNeedingSpans(CCmdUI* pCmdUI, int nView);
    void UpdateViewNeedingResults(CCmdUI* pCmdUI, int nView);
    void ToggleWindow(CWnd* pWnd);
    void RegisterHandlers();
    CButton* ScopeButton(int nID) const;
    CButton* SetupButton(int nID) const;
};

extern CMainFrame* g_pMainFrame;
