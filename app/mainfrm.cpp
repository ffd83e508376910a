#include "app/mainfrm.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/splash.h"
#include "design/calc_view.h"
#include "estimate/estimate_view.h"
#include "framework/app.h"
#include "framework/cmdids.h"
#include "framework/dialog.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/profile.h"
#include "input/coordinate_sheet.h"
#include "input/modeless_dialogs.h"
#include "print/print_view.h"
#include "res/resource_ids.h"
#include "views/drawing_views.h"
#include "views/table_views.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

CMainFrame* g_pMainFrame = nullptr;

namespace {

struct StepCaption {
    UINT id;
    int bit;
    const char* done;
    const char* notDone;
};

const StepCaption kSteps[] = {
    {ID_SETUP_BASIC, 0x1, "〆基本条件", "　基本条件"},
    {ID_SETUP_SPAN, 0x2, "〆支間長､ﾊﾟﾈﾙ数", "　支間長､ﾊﾟﾈﾙ数"},
    {ID_SETUP_PANEL, 0x4, "〆桁ﾀｲﾌﾟ､ﾊﾟﾈﾙ割", "　桁ﾀｲﾌﾟ､ﾊﾟﾈﾙ割"},
    {ID_SETUP_CROSS_SECTION, 0x8, "〆横断面形状", "　横断面形状"},
    {ID_SETUP_MAIN_GIRDER, 0x10, "〆主桁基本ﾃﾞｰﾀ", "　主桁基本ﾃﾞｰﾀ"},
    {ID_SETUP_MAIN_GIRDER2, 0x20, "〆主桁基本ﾃﾞｰﾀ２", "　主桁基本ﾃﾞｰﾀ２"},
    {ID_SETUP_MAIN_MEMBER, 0x40, "〆主部材基本ﾃﾞｰﾀ", "　主部材基本ﾃﾞｰﾀ"},
    {ID_SETUP_CROSS_BEAM, 0x80, "〆横桁配置", "　横桁配置"},
    {ID_SETUP_DEAD_LOAD, 0x100, "〆死荷重", "　死荷重"},
    {ID_SETUP_STEEL_WEIGHT, 0x200, "〆鋼重､ﾊﾝﾁ､添架物", "　鋼重､ﾊﾝﾁ､添架物"},
    {ID_SETUP_ESTIMATE, 0x400, "〆積算ﾃﾞｰﾀ", "　積算ﾃﾞｰﾀ"},
    {ID_SETUP_COORDINATE, 0x800, "〆座標入力", "　座標入力"},
    {ID_CALC_GRILLAGE, 0x1000, "　再格子計算", "　格子計算"},
    {ID_CALC_ESTIMATE, 0x2000, "　積算", "　積算"},
    {ID_SETUP_HEIGHT, 0x4000, "〆桁高変化", "　桁高変化"},
};

const UINT kIndicators[] = {0};   // the message pane

}

// ---- bars ----

void CScopeBar::OnShowWindow(BOOL bShow, UINT)
{
    if (bShow)
        SetWindowText(QStringLiteral("画面切換"));
}

void CSetupBar::OnShowWindow(BOOL bShow, UINT)
{
    if (bShow)
        SetWindowText(QStringLiteral("条件設定・計算"));
}

// ---- frame ----

CMainFrame::CMainFrame()
{
    ResetViewFlags();
    g_pMainFrame = this;
    m_nStepMask = 0;
    RegisterHandlers();
}

CMainFrame::~CMainFrame()
{
    g_pCoordinateSheet = nullptr;
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

int CMainFrame::OnCreate()
{
    CSplashWnd::ShowSplashScreen(this);
    if (CMDIFrameWnd::OnCreate() == -1)
        return -1;

    if (!m_wndToolBar.Create(this, CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC, AFX_IDW_TOOLBAR)
        || !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);

    if (!m_wndStatusBar.Create(this, CBRS_ALIGN_BOTTOM, AFX_IDW_STATUS_BAR)
        || !m_wndStatusBar.SetIndicators(kIndicators, 1))
        return -1;

    if (!m_wndScopeBar.Create(this, IDD_SCOPEBAR, CBRS_ALIGN_TOP, ID_VIEW_SCOPEBAR))
        return -1;
    m_wndScopeBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    DockControlBar(&m_wndScopeBar);

    if (!m_wndSetupBar.Create(this, IDD_SETUPBAR, CBRS_ALIGN_LEFT, ID_VIEW_SETUPBAR))
        return -1;
    m_wndSetupBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    DockControlBar(&m_wndSetupBar);

    // The input windows live as long as the program, hidden until toggled. Their objects
    // hold design input and exist already; one whose window cannot be made keeps its input.
    CreateModelessInputs();
    for (CDialog* dlg : std::initializer_list<CDialog*>{g_pCrossSectionDlg, g_pPanelDlg, g_pCrossBeamDlg, g_pBlockDlg})
        dlg->Create(0, this);
    auto* sheet = new CCoordinateSheet(this);
    if (sheet->Create(this)) {
        g_pCoordinateSheet = sheet;
    } else {
        delete sheet;
        g_pCoordinateSheet = nullptr;
    }
    g_pHeightDlg->Create(0, this);

    WINDOWPLACEMENT wp;
    if (LoadWindowPlacement(&wp)) {
        wp.showCmd = UINT(AfxGetApp()->m_nCmdShow);
        if ((wp.flags & WPF_RESTORETOMAXIMIZED) && wp.showCmd == SW_SHOWNORMAL)
            wp.showCmd = SW_SHOWMAXIMIZED;
        SetWindowPlacement(&wp);
    }
    LoadBarState(QStringLiteral("ControlBars\\State"));
    return 0;
}

BOOL CMainFrame::LoadWindowPlacement(WINDOWPLACEMENT* pwp)
{
    const QString text = AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos"));
    int v[10];
    if (!AfxParseProfileInts(text, v, 10))
        return FALSE;
    pwp->flags = UINT(v[0]);
    pwp->showCmd = UINT(v[1]);
    pwp->ptMinPosition = CPoint(v[2], v[3]);
    pwp->ptMaxPosition = CPoint(v[4], v[5]);
    pwp->rcNormalPosition = CRect(v[6], v[7], v[8], v[9]);
    return TRUE;
}

void CMainFrame::SaveWindowPlacement(const WINDOWPLACEMENT* pwp)
{
    const int v[10] = {int(pwp->flags), int(pwp->showCmd), pwp->ptMinPosition.x, pwp->ptMinPosition.y,
                       pwp->ptMaxPosition.x, pwp->ptMaxPosition.y, pwp->rcNormalPosition.left,
                       pwp->rcNormalPosition.top, pwp->rcNormalPosition.right, pwp->rcNormalPosition.bottom};
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), AfxJoinProfileInts(v, 10));
}

void CMainFrame::OnClose()
{
    // A running calculation keeps the window until it has finished.
    if (g_pDoc && g_pDoc->m_bCalcRunning)
        return;
    WINDOWPLACEMENT wp;
    if (GetWindowPlacement(&wp)) {
        if (IsZoomed())
            wp.flags |= WPF_RESTORETOMAXIMIZED;
        SaveWindowPlacement(&wp);
    }
    SaveBarState(QStringLiteral("ControlBars\\State"));
    FixShellOpenCommand();
    CMDIFrameWnd::OnClose();
}

CButton* CMainFrame::ScopeButton(int nID) const { return dynamic_cast<CButton*>(m_wndScopeBar.GetControl(nID)); }
CButton* CMainFrame::SetupButton(int nID) const { return dynamic_cast<CButton*>(m_wndSetupBar.GetControl(nID)); }

void CMainFrame::SetStepDone(UINT nStep, int bDone)
{
    if (nStep < ID_SETUP_BASIC || nStep > ID_SETUP_HEIGHT)
        return;
    for (const StepCaption& s : kSteps) {
        if (s.id != nStep)
            continue;
        if (bDone == 1)
            m_nStepMask |= s.bit;
        else
            m_nStepMask &= ~s.bit;
        if (CButton* b = SetupButton(int(nStep)))
            b->SetWindowText(QString::fromUtf8(bDone == 1 ? s.done : s.notDone));
        return;
    }
}

void CMainFrame::RefreshStepButtons()
{
    for (const StepCaption& s : kSteps)
        SetStepDone(s.id, (m_nStepMask & s.bit) ? 1 : 0);
}

void CMainFrame::EnableHeightCommands(int bConstantHeight, int bSecond)
{
    m_bConstantHeight = bConstantHeight;
    m_bHeightSecond = bSecond;
    for (CButton* b : {ScopeButton(ID_VIEW_SECTION2), SetupButton(ID_SETUP_HEIGHT)}) {
        if (!b)
            continue;
        b->EnableWindow(bConstantHeight == 0);
        if (bConstantHeight != 0)
            b->SetCheck(0);
    }
}

void CMainFrame::SetDetailDataFlag(int bFlag)
{
    m_bDetailData = bFlag;
    if (CButton* b = ScopeButton(ID_VIEW_PROPERTIES))
        b->SetCheck(0);
}

void CMainFrame::ResetViewFlags()
{
    for (int& f : m_abViewCurrent)
        f = 0;
    m_abViewCurrent[VIEW_PLAN] = 1;
    m_bConstantHeight = 0;
    m_bHeightSecond = 0;
    m_bDetailData = 1;
}

void CMainFrame::ActivateOrCreateView(CDocTemplate* pTemplate, const CRuntimeClass* pViewClass)
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* doc = active ? active->GetActiveDocument() : nullptr;
    if (!doc || !pTemplate)
        return;     // no design open: nothing to switch
    for (CView* v : doc->GetViews()) {
        if (v->IsKindOf(pViewClass)) {
            if (CFrameWnd* f = v->GetParentFrame())
                f->ActivateFrame();
            return;
        }
    }
    if (CFrameWnd* frame = pTemplate->CreateNewFrame(doc, active))
        pTemplate->InitialUpdateFrame(frame, doc);
}

void CMainFrame::BringPlanViewForward()
{
    if (CWinApp* app = AfxGetApp(); app && !app->GetTemplates().empty())
        ActivateOrCreateView(app->GetTemplates().front(), RUNTIME_CLASS(CGridView));
    ResetViewFlags();
}

void CMainFrame::SwitchView(int nView, const CRuntimeClass* pViewClass, bool hideBlock)
{
    CMDIChildWnd* active = MDIGetActive();
    if (!active || !active->GetActiveDocument())
        return;
    const auto& templates = AfxGetApp()->GetTemplates();
    if (nView >= int(templates.size()))
        return;
    ActivateOrCreateView(templates[size_t(nView)], pViewClass);
    for (int i = 0; i < VIEWS; ++i)
        m_abViewCurrent[i] = i == nView ? 1 : 0;
    if (hideBlock && g_pBlockDlg)
        g_pBlockDlg->ShowWindow(SW_HIDE);
}

void CMainFrame::OnActiveChildChanged()
{
    const CMDIChildWnd* active = MDIGetActive();
    CWinApp* app = AfxGetApp();
    if (!active || !app)
        return;
    // The templates stand in the order of the views.
    const auto& templates = app->GetTemplates();
    for (size_t n = 0; n < templates.size() && n < size_t(VIEWS); ++n) {
        if (templates[n]->GetResourceId() != active->GetMenuId())
            continue;
        for (int i = 0; i < VIEWS; ++i)
            m_abViewCurrent[i] = i == int(n) ? 1 : 0;
        return;
    }
}

void CMainFrame::ToggleWindow(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    pWnd->ShowWindow(pWnd->IsWindowVisible() ? SW_HIDE : SW_SHOWNORMAL);
}

void CMainFrame::RegisterHandlers()
{
    HandleCommand(ID_VIEW_PLAN, &CMainFrame::OnViewPlan);
    HandleCommand(ID_VIEW_SECTION, &CMainFrame::OnViewSection);
    HandleCommand(ID_VIEW_LOAD, &CMainFrame::OnViewLoad);
    HandleCommand(ID_VIEW_FORCE, &CMainFrame::OnViewForce);
    HandleCommand(ID_VIEW_CALC, &CMainFrame::OnViewCalc);
    HandleCommand(ID_VIEW_ESTIMATE, &CMainFrame::OnViewEstimate);
    HandleCommand(ID_VIEW_REACT, &CMainFrame::OnViewReact);
    HandleCommand(ID_VIEW_CONDITION, &CMainFrame::OnViewCondition);
    HandleCommand(ID_VIEW_PRINT, &CMainFrame::OnViewPrint);
    HandleCommand(ID_VIEW_SECTION2, &CMainFrame::OnViewSection2);
    HandleCommand(ID_VIEW_PROPERTIES, &CMainFrame::OnViewProperties);
    HandleUpdate(ID_VIEW_PLAN, &CMainFrame::OnUpdateViewPlan);
    HandleUpdate(ID_VIEW_SECTION, &CMainFrame::OnUpdateViewSection);
    HandleUpdate(ID_VIEW_LOAD, &CMainFrame::OnUpdateViewLoad);
    HandleUpdate(ID_VIEW_FORCE, &CMainFrame::OnUpdateViewForce);
    HandleUpdate(ID_VIEW_CALC, &CMainFrame::OnUpdateViewCalc);
    HandleUpdate(ID_VIEW_ESTIMATE, &CMainFrame::OnUpdateViewEstimate);
    HandleUpdate(ID_VIEW_REACT, &CMainFrame::OnUpdateViewReact);
    HandleUpdate(ID_VIEW_CONDITION, &CMainFrame::OnUpdateViewCondition);
    HandleUpdate(ID_VIEW_PRINT, &CMainFrame::OnUpdateViewPrint);
    HandleUpdate(ID_VIEW_SECTION2, &CMainFrame::OnUpdateViewSection2);
    HandleUpdate(ID_VIEW_PROPERTIES, &CMainFrame::OnUpdateViewProperties);

    for (UINT id : {ID_VIEW_SCOPEBAR, ID_VIEW_SETUPBAR}) {
        HandleCommand(id, &CMainFrame::OnToggleBar);
        HandleUpdate(id, &CMainFrame::OnUpdateToggleBar);
    }

    HandleCommand(ID_SETUP_CROSS_SECTION, &CMainFrame::OnToggleCrossSectionDlg);
    HandleCommand(ID_SETUP_PANEL, &CMainFrame::OnTogglePanelDlg);
    HandleCommand(ID_SETUP_CROSS_BEAM, &CMainFrame::OnToggleCrossBeamDlg);
    HandleCommand(ID_BLOCK_DIALOG, &CMainFrame::OnToggleBlockDlg);
    HandleCommand(ID_SETUP_COORDINATE, &CMainFrame::OnToggleCoordinateSheet);
    HandleCommand(ID_SETUP_HEIGHT, &CMainFrame::OnToggleHeightDlg);
    HandleUpdate(ID_SETUP_CROSS_SECTION, &CMainFrame::OnUpdateToggleCrossSectionDlg);
    HandleUpdate(ID_SETUP_PANEL, &CMainFrame::OnUpdateTogglePanelDlg);
    HandleUpdate(ID_SETUP_CROSS_BEAM, &CMainFrame::OnUpdateToggleCrossBeamDlg);
    HandleUpdate(ID_BLOCK_DIALOG, &CMainFrame::OnUpdateToggleBlockDlg);
    HandleUpdate(ID_SETUP_COORDINATE, &CMainFrame::OnUpdateToggleCoordinateSheet);
    HandleUpdate(ID_SETUP_HEIGHT, &CMainFrame::OnUpdateToggleHeightDlg);
}

// ---- view switches ----

void CMainFrame::OnViewPlan() { SwitchView(VIEW_PLAN, RUNTIME_CLASS(CGridView), true); }
void CMainFrame::OnViewSection() { SwitchView(VIEW_SECTION, RUNTIME_CLASS(CSectionView), true); }
void CMainFrame::OnViewLoad() { SwitchView(VIEW_LOAD, RUNTIME_CLASS(CLoadView), true); }
// The block window goes with the force, calculation and detail views; the others hide it.
void CMainFrame::OnViewForce() { SwitchView(VIEW_FORCE, RUNTIME_CLASS(CForceView), false); }
void CMainFrame::OnViewCalc() { SwitchView(VIEW_CALC, RUNTIME_CLASS(CCalcView), false); }
void CMainFrame::OnViewEstimate() { SwitchView(VIEW_ESTIMATE, RUNTIME_CLASS(CEstimateView), true); }
void CMainFrame::OnViewReact() { SwitchView(VIEW_REACT, RUNTIME_CLASS(CReactView), true); }
void CMainFrame::OnViewCondition() { SwitchView(VIEW_CONDITION, RUNTIME_CLASS(CConditionView), true); }
void CMainFrame::OnViewPrint() { SwitchView(VIEW_PRINT, RUNTIME_CLASS(CPrintView), true); }
void CMainFrame::OnViewSection2() { SwitchView(VIEW_SECTION2, RUNTIME_CLASS(CSection2View), true); }
void CMainFrame::OnViewProperties() { SwitchView(VIEW_PROPERTIES, RUNTIME_CLASS(CSectionPropertiesView), false); }

void CMainFrame::UpdateViewNeedingSpans(CCmdUI* pCmdUI, int nView)
{
    pCmdUI->SetCheck(m_abViewCurrent[nView]);
    pCmdUI->Enable(g_nSpans != 0);
}

void CMainFrame::UpdateViewNeedingResults(CCmdUI* pCmdUI, int nView)
{
    pCmdUI->Enable(g_bResultsValid);
    pCmdUI->SetCheck(m_abViewCurrent[nView]);
}

void CMainFrame::OnUpdateViewPlan(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_abViewCurrent[VIEW_PLAN]); }
void CMainFrame::OnUpdateViewSection(CCmdUI* pCmdUI) { UpdateViewNeedingSpans(pCmdUI, VIEW_SECTION); }
void CMainFrame::OnUpdateViewLoad(CCmdUI* pCmdUI) { UpdateViewNeedingSpans(pCmdUI, VIEW_LOAD); }
void CMainFrame::OnUpdateViewCondition(CCmdUI* pCmdUI) { UpdateViewNeedingSpans(pCmdUI, VIEW_CONDITION); }
void CMainFrame::OnUpdateViewForce(CCmdUI* pCmdUI) { UpdateViewNeedingResults(pCmdUI, VIEW_FORCE); }
void CMainFrame::OnUpdateViewCalc(CCmdUI* pCmdUI) { UpdateViewNeedingResults(pCmdUI, VIEW_CALC); }
void CMainFrame::OnUpdateViewEstimate(CCmdUI* pCmdUI) { UpdateViewNeedingResults(pCmdUI, VIEW_ESTIMATE); }
void CMainFrame::OnUpdateViewReact(CCmdUI* pCmdUI) { UpdateViewNeedingResults(pCmdUI, VIEW_REACT); }

void CMainFrame::OnUpdateViewPrint(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_abViewCurrent[VIEW_PRINT]);
    pCmdUI->Enable(g_nSpans != 0 && g_bResultsValid);
}

void CMainFrame::OnUpdateViewSection2(CCmdUI* pCmdUI)
{
    if (m_bConstantHeight) {
        pCmdUI->Enable(FALSE);
        return;
    }
    pCmdUI->SetCheck(m_abViewCurrent[VIEW_SECTION2]);
    pCmdUI->Enable(g_nSpans != 0);
}

void CMainFrame::OnUpdateViewProperties(CCmdUI* pCmdUI)
{
    if (m_bDetailData == 1) {
        pCmdUI->Enable(g_bResultsValid);
        pCmdUI->SetCheck(m_abViewCurrent[VIEW_PROPERTIES]);
    } else {
        pCmdUI->Enable(FALSE);
    }
}

// ---- bars ----

void CMainFrame::OnToggleBar(UINT nID) { OnBarCheck(nID); }
void CMainFrame::OnUpdateToggleBar(CCmdUI* pCmdUI) { OnUpdateControlBarMenu(pCmdUI); }

// ---- modeless input windows ----

namespace {
bool IsShown(CWnd* pWnd) { return pWnd && pWnd->GetSafeHwnd() && pWnd->IsWindowVisible(); }
}

void CMainFrame::OnToggleCrossSectionDlg() { ToggleWindow(g_pCrossSectionDlg); }
void CMainFrame::OnTogglePanelDlg() { ToggleWindow(g_pPanelDlg); }
void CMainFrame::OnToggleCrossBeamDlg() { ToggleWindow(g_pCrossBeamDlg); }
void CMainFrame::OnToggleBlockDlg() { ToggleWindow(g_pBlockDlg); }

void CMainFrame::OnToggleCoordinateSheet()
{
    if (g_pCoordinateSheet && g_pCoordinateSheet->GetSafeHwnd())
        g_pCoordinateSheet->SetActivePage(0);
    ToggleWindow(g_pCoordinateSheet);
}

void CMainFrame::OnToggleHeightDlg() { ToggleWindow(g_pHeightDlg); }

void CMainFrame::OnUpdateToggleCrossSectionDlg(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsShown(g_pCrossSectionDlg));
    pCmdUI->Enable(g_nSpans != 0 && g_bCoordinatePlan == 0);
}

void CMainFrame::OnUpdateTogglePanelDlg(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsShown(g_pPanelDlg));
    pCmdUI->Enable(g_nSpans != 0 && g_bCoordinatePlan == 0);
}

void CMainFrame::OnUpdateToggleCrossBeamDlg(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsShown(g_pCrossBeamDlg));
    pCmdUI->Enable(g_nSpans != 0);
}

void CMainFrame::OnUpdateToggleBlockDlg(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsShown(g_pBlockDlg));
    pCmdUI->Enable(g_nSpans != 0 && g_bResultsValid);
}

void CMainFrame::OnUpdateToggleCoordinateSheet(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsShown(g_pCoordinateSheet));
    pCmdUI->Enable(g_nSpans != 0);
}

void CMainFrame::OnUpdateToggleHeightDlg(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bConstantHeight && g_nSpans != 0); }
