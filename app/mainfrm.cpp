#include "app/mainfrm.h"
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
    g_pCrossSectionDlg = nullptr;
    g_pPanelDlg = nullptr;
    g_pCrossBeamDlg = nullptr;
    g_pBlockDlg = nullptr;
    g_pCoordinateSheet = nullptr;
    g_pHeightDlg = nullptr;
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

    // The input windows live as long as the program, hidden until toggled;
    // one that cannot be made is left out rather than used.
    auto make = [this](auto* dlg, auto*& global) {
        if (dlg->Create(0, this)) {
            global = dlg;
        } else {
            delete dlg;
            global = nullptr;
        }
    };
    make(new CSetupCrossSectionDialog, g_pCrossSectionDlg);
    make(new CSetupPanelDialog, g_pPanelDlg);
    make(new CSetupCrossBeamDialog, g_pCrossBeamDlg);
    make(new CSetupBlockDialog, g_pBlockDlg);
    auto* sheet = new CCoordinateSheet(this);
    if (sheet->Create(this)) {
        g_pCoordinateSheet = sheet;
    } else {
        delete sheet;
        g_pCoordinateSheet = nullptr;
    }
    make(new CSetupHeightDialog, g_pHeightDlg);

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

void CMainFrame::ToggleWindow(CWnd* pWnd)
{
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    pWnd->ShowWindow(pWnd->IsWindowVisible() ? SW_HIDE : SW_SHOWNORMAL);
}

void CMainFrame::RegisterHandlers()
{
    struct ViewCommand { UINT id; int view; const CRuntimeClass* cls; bool hideBlock; };
    const ViewCommand views[] = {
        {ID_VIEW_PLAN, VIEW_PLAN, RUNTIME_CLASS(CGridView), true},
        {ID_VIEW_SECTION, VIEW_SECTION, RUNTIME_CLASS(CSectionView), true},
        {ID_VIEW_LOAD, VIEW_LOAD, RUNTIME_CLASS(CLoadView), true},
        {ID_VIEW_FORCE, VIEW_FORCE, RUNTIME_CLASS(CForceView), false},
        {ID_VIEW_CALC, VIEW_CALC, RUNTIME_CLASS(CCalcView), false},
        {ID_VIEW_ESTIMATE, VIEW_ESTIMATE, RUNTIME_CLASS(CEstimateView), true},
        {ID_VIEW_REACT, VIEW_REACT, RUNTIME_CLASS(CReactView), true},
        {ID_VIEW_CONDITION, VIEW_CONDITION, RUNTIME_CLASS(CConditionView), true},
        {ID_VIEW_PRINT, VIEW_PRINT, RUNTIME_CLASS(CPrintView), true},
        {ID_VIEW_SECTION2, VIEW_SECTION2, RUNTIME_CLASS(CSection2View), true},
        {ID_VIEW_PROPERTIES, VIEW_PROPERTIES, RUNTIME_CLASS(CSectionPropertiesView), false},
    };
    for (const ViewCommand& v : views)
        HandleCommand(v.id, [this, v] { SwitchView(v.view, v.cls, v.hideBlock); });

    auto check = [this](int view) { return m_abViewCurrent[view]; };
    HandleUpdate(ID_VIEW_PLAN, [=, this](CCmdUI* ui) { ui->SetCheck(check(VIEW_PLAN)); });
    for (auto [id, view] : {std::pair{ID_VIEW_SECTION, VIEW_SECTION}, std::pair{ID_VIEW_LOAD, VIEW_LOAD},
                            std::pair{ID_VIEW_CONDITION, VIEW_CONDITION}})
        HandleUpdate(id, [=, this](CCmdUI* ui) { ui->SetCheck(check(view)); ui->Enable(g_nSpans != 0); });
    for (auto [id, view] : {std::pair{ID_VIEW_FORCE, VIEW_FORCE}, std::pair{ID_VIEW_CALC, VIEW_CALC},
                            std::pair{ID_VIEW_ESTIMATE, VIEW_ESTIMATE}, std::pair{ID_VIEW_REACT, VIEW_REACT}})
        HandleUpdate(id, [=, this](CCmdUI* ui) { ui->Enable(g_bResultsValid); ui->SetCheck(check(view)); });
    HandleUpdate(ID_VIEW_PRINT, [=, this](CCmdUI* ui) {
        ui->SetCheck(check(VIEW_PRINT));
        ui->Enable(g_nSpans != 0 && g_bResultsValid);
    });
    HandleUpdate(ID_VIEW_SECTION2, [=, this](CCmdUI* ui) {
        if (m_bConstantHeight) {
            ui->Enable(FALSE);
            return;
        }
        ui->SetCheck(check(VIEW_SECTION2));
        ui->Enable(g_nSpans != 0);
    });
    HandleUpdate(ID_VIEW_PROPERTIES, [=, this](CCmdUI* ui) {
        if (m_bDetailData == 1) {
            ui->Enable(g_bResultsValid);
            ui->SetCheck(check(VIEW_PROPERTIES));
        } else {
            ui->Enable(FALSE);
        }
    });

    HandleCommand(ID_VIEW_SCOPEBAR, [this] { ShowControlBar(&m_wndScopeBar, !m_wndScopeBar.IsVisible(), FALSE); });
    HandleUpdate(ID_VIEW_SCOPEBAR, [this](CCmdUI* ui) { ui->SetCheck(m_wndScopeBar.IsVisible()); });
    HandleCommand(ID_VIEW_SETUPBAR, [this] { ShowControlBar(&m_wndSetupBar, !m_wndSetupBar.IsVisible(), FALSE); });
    HandleUpdate(ID_VIEW_SETUPBAR, [this](CCmdUI* ui) { ui->SetCheck(m_wndSetupBar.IsVisible()); });

    auto visible = [](CWnd* w) { return w && w->GetSafeHwnd() && w->IsWindowVisible(); };
    HandleCommand(ID_SETUP_CROSS_SECTION, [this] { ToggleWindow(g_pCrossSectionDlg); });
    HandleUpdate(ID_SETUP_CROSS_SECTION, [=, this](CCmdUI* ui) {
        ui->SetCheck(visible(g_pCrossSectionDlg));
        ui->Enable(g_nSpans != 0 && g_bCoordinatePlan == 0);
    });
    HandleCommand(ID_SETUP_PANEL, [this] { ToggleWindow(g_pPanelDlg); });
    HandleUpdate(ID_SETUP_PANEL, [=, this](CCmdUI* ui) {
        ui->SetCheck(visible(g_pPanelDlg));
        ui->Enable(g_nSpans != 0 && g_bCoordinatePlan == 0);
    });
    HandleCommand(ID_SETUP_CROSS_BEAM, [this] { ToggleWindow(g_pCrossBeamDlg); });
    HandleUpdate(ID_SETUP_CROSS_BEAM, [=, this](CCmdUI* ui) { ui->SetCheck(visible(g_pCrossBeamDlg)); ui->Enable(g_nSpans != 0); });
    HandleCommand(ID_BLOCK_DIALOG, [this] { ToggleWindow(g_pBlockDlg); });
    HandleUpdate(ID_BLOCK_DIALOG, [=, this](CCmdUI* ui) {
        ui->SetCheck(visible(g_pBlockDlg));
        ui->Enable(g_nSpans != 0 && g_bResultsValid);
    });
    HandleCommand(ID_SETUP_COORDINATE, [this] {
        if (g_pCoordinateSheet && g_pCoordinateSheet->GetSafeHwnd())
            g_pCoordinateSheet->SetActivePage(0);
        ToggleWindow(g_pCoordinateSheet);
    });
    HandleUpdate(ID_SETUP_COORDINATE, [=, this](CCmdUI* ui) { ui->SetCheck(visible(g_pCoordinateSheet)); ui->Enable(g_nSpans != 0); });
    HandleCommand(ID_SETUP_HEIGHT, [this] { ToggleWindow(g_pHeightDlg); });
    HandleUpdate(ID_SETUP_HEIGHT, [this](CCmdUI* ui) { ui->Enable(!m_bConstantHeight && g_nSpans != 0); });
}
