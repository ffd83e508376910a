// Main frame: step marks, view switching, bars, toggles and placement.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "app/splash.h"
#include "design/calc_view.h"
#include "estimate/estimate_view.h"
#include "framework/dialog.h"
#include "input/modeless_dialogs.h"
#include "res/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
CButton* SetupButton(int id) { return dynamic_cast<CButton*>(g_pMainFrame->m_wndSetupBar.GetControl(id)); }
CButton* ScopeButton(int id) { return dynamic_cast<CButton*>(g_pMainFrame->m_wndScopeBar.GetControl(id)); }
}

TEST_F(ShellTest, StepMarksRelabelTheSetupBar)
{
    g_pMainFrame->SetStepDone(ID_SETUP_BASIC, 1);
    EXPECT_EQ(SetupButton(ID_SETUP_BASIC)->GetWindowText(), QStringLiteral("〆基本条件"));
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0x1);
    g_pMainFrame->SetStepDone(ID_SETUP_BASIC, 0);
    EXPECT_EQ(SetupButton(ID_SETUP_BASIC)->GetWindowText(), QStringLiteral("　基本条件"));

    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    EXPECT_EQ(SetupButton(ID_CALC_GRILLAGE)->GetWindowText(), QStringLiteral("　再格子計算"));
    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 0);
    EXPECT_EQ(SetupButton(ID_CALC_GRILLAGE)->GetWindowText(), QStringLiteral("　格子計算"));

    // Only 1 marks a step; ids outside the table do nothing.
    g_pMainFrame->SetStepDone(ID_SETUP_HEIGHT, 2);
    EXPECT_EQ(SetupButton(ID_SETUP_HEIGHT)->GetWindowText(), QStringLiteral("　桁高変化"));
    g_pMainFrame->SetStepDone(ID_VIEW_SCOPEBAR, 1);
    g_pMainFrame->SetStepDone(ID_VIEW_ESTIMATEBAR, 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0);

    g_pMainFrame->m_nStepMask = 0x4000 | 0x800 | 0x20;
    g_pMainFrame->RefreshStepButtons();
    EXPECT_EQ(SetupButton(ID_SETUP_HEIGHT)->GetWindowText(), QStringLiteral("〆桁高変化"));
    EXPECT_EQ(SetupButton(ID_SETUP_COORDINATE)->GetWindowText(), QStringLiteral("〆座標入力"));
    EXPECT_EQ(SetupButton(ID_SETUP_MAIN_GIRDER2)->GetWindowText(), QStringLiteral("〆主桁基本ﾃﾞｰﾀ２"));
    EXPECT_EQ(SetupButton(ID_SETUP_CROSS_BEAM)->GetWindowText(), QStringLiteral("　横桁配置"));
}

TEST_F(ShellTest, BarsCarryTheirButtonsAndCaptions)
{
    EXPECT_EQ(g_pMainFrame->m_wndScopeBar.m_strCaption, QStringLiteral("画面切換"));
    EXPECT_EQ(g_pMainFrame->m_wndSetupBar.m_strCaption, QStringLiteral("条件設定・計算"));
    EXPECT_EQ(ScopeButton(ID_VIEW_REACT)->GetWindowText(), QStringLiteral("反力､ﾀﾜﾐ"));
    EXPECT_EQ(SetupButton(ID_FILE_SAVE_AS)->GetWindowText(), QStringLiteral(" 名前をつけて保存"));
    ASSERT_NE(SetupButton(ID_CALC_ESTIMATE), nullptr);
    EXPECT_FALSE(SetupButton(ID_CALC_ESTIMATE)->IsWindowEnabled());
    ASSERT_NE(ScopeButton(IDC_SCOPE_NONE), nullptr);
    EXPECT_FALSE(ScopeButton(IDC_SCOPE_NONE)->IsWindowEnabled());

    const std::vector<UINT> toolbar = g_pMainFrame->m_wndToolBar.GetButtonIds();
    const std::vector<UINT> expected = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_INVALIDATE_RESULTS,
                                        ID_OPTION_SI_UNITS, 0, ID_FILE_PRINT, ID_APP_ABOUT};
    EXPECT_EQ(toolbar, expected);
}

TEST_F(ShellTest, ScopeBarFollowsDesignAndResults)
{
    g_pMainFrame->UpdateControlBars();
    EXPECT_TRUE(ScopeButton(ID_VIEW_PLAN)->IsWindowEnabled());
    EXPECT_EQ(ScopeButton(ID_VIEW_PLAN)->GetCheck(), 1);
    EXPECT_FALSE(ScopeButton(ID_VIEW_SECTION)->IsWindowEnabled());    // no spans yet
    EXPECT_FALSE(ScopeButton(ID_VIEW_FORCE)->IsWindowEnabled());      // no results

    g_nSpans = 2;
    g_pMainFrame->UpdateControlBars();
    EXPECT_TRUE(ScopeButton(ID_VIEW_SECTION)->IsWindowEnabled());
    EXPECT_FALSE(ScopeButton(ID_VIEW_PRINT)->IsWindowEnabled());
    g_bResultsValid = 1;
    g_pMainFrame->UpdateControlBars();
    EXPECT_TRUE(ScopeButton(ID_VIEW_PRINT)->IsWindowEnabled());
    EXPECT_TRUE(ScopeButton(ID_VIEW_PROPERTIES)->IsWindowEnabled());
    g_pMainFrame->SetDetailDataFlag(0);
    g_pMainFrame->UpdateControlBars();
    EXPECT_FALSE(ScopeButton(ID_VIEW_PROPERTIES)->IsWindowEnabled());
    g_pMainFrame->SetDetailDataFlag(1);
    g_bResultsValid = 0;
    g_nSpans = 0;
}

TEST_F(ShellTest, ViewSwitchOpensOnceThenActivates)
{
    g_nSpans = 1;
    Command(ID_VIEW_SECTION);
    ASSERT_EQ(g_pDoc->GetViews().size(), 2u);
    CMDIChildWnd* section = g_pMainFrame->MDIGetActive();
    ASSERT_TRUE(section->IsKindOf(RUNTIME_CLASS(CChildSectionFrame)));
    EXPECT_EQ(section->GetWindowText(), QStringLiteral("横断面図 _ ") + g_pDoc->GetTitle());
    EXPECT_EQ(g_pMainFrame->GetCurrentMenuId(), 630u);
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_SECTION], 1);
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_PLAN], 0);

    Command(ID_VIEW_PLAN);
    EXPECT_TRUE(g_pMainFrame->MDIGetActive()->IsKindOf(RUNTIME_CLASS(CChildGridFrame)));
    Command(ID_VIEW_SECTION);
    EXPECT_EQ(g_pDoc->GetViews().size(), 2u);                 // activated, not opened again
    EXPECT_EQ(g_pMainFrame->MDIGetActive(), section);
    EXPECT_EQ(g_pMainFrame->GetChildFrames().size(), 2u);
    g_nSpans = 0;
}

TEST_F(ShellTest, ViewSwitchHidesTheBlockWindowWhereItShould)
{
    ASSERT_NE(g_pBlockDlg, nullptr);
    g_nSpans = 1;
    g_bResultsValid = 1;
    g_pBlockDlg->ShowWindow(SW_SHOW);
    Command(ID_VIEW_FORCE);                 // keeps it
    EXPECT_TRUE(g_pBlockDlg->IsWindowVisible());
    Command(ID_VIEW_LOAD);                  // hides it
    EXPECT_FALSE(g_pBlockDlg->IsWindowVisible());
    g_bResultsValid = 0;
    g_nSpans = 0;
}

TEST_F(ShellTest, ChildFrameBarToggles)
{
    g_nSpans = 1;
    Command(ID_VIEW_SECTION2);
    auto* frame = dynamic_cast<CChildSection2Frame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    const bool shown = frame->m_wndBar.IsVisible();
    EXPECT_EQ(Update(ID_VIEW_SECTION2BAR).m_nCheck, shown ? 1 : 0);
    Command(ID_VIEW_SECTION2BAR);
    EXPECT_EQ(frame->m_wndBar.IsVisible(), !shown);
    EXPECT_EQ(Update(ID_VIEW_SECTION2BAR).m_nCheck, shown ? 0 : 1);
    Command(ID_VIEW_SECTION2BAR);
    EXPECT_EQ(frame->m_wndBar.IsVisible(), shown);
    EXPECT_EQ(Update(ID_VIEW_SECTION2BAR).m_nCheck, shown ? 1 : 0);
    g_nSpans = 0;
}

TEST_F(ShellTest, EveryViewFrameCarriesItsBarUnderItsBarId)
{
    struct Expected { UINT view; UINT barDialog; UINT barId; };
    const Expected frames[] = {
        {ID_VIEW_PLAN, IDD_GRID_BAR, ID_VIEW_GRIDBAR},
        {ID_VIEW_SECTION, IDD_SECTION_BAR, ID_VIEW_SECTIONBAR},
        {ID_VIEW_LOAD, IDD_LOAD_BAR, ID_VIEW_LOADBAR},
        {ID_VIEW_FORCE, IDD_FORCE_BAR, ID_VIEW_FORCEBAR},
        {ID_VIEW_CALC, IDD_CALC_BAR, ID_VIEW_CALCBAR},
        {ID_VIEW_ESTIMATE, IDD_ESTIMATE_BAR, ID_VIEW_ESTIMATEBAR},
        {ID_VIEW_REACT, IDD_REACT_BAR, ID_VIEW_REACTBAR},
        {ID_VIEW_CONDITION, IDD_CONDITION_BAR, ID_VIEW_CONDITIONBAR},
        {ID_VIEW_PRINT, IDD_PRINT_BAR, ID_VIEW_PRINTBAR},
        {ID_VIEW_SECTION2, IDD_SECTION2_BAR, ID_VIEW_SECTION2BAR},
        {ID_VIEW_PROPERTIES, IDD_PROPERTIES_BAR, ID_VIEW_PROPERTIESBAR},
    };
    g_nSpans = 1;
    g_bResultsValid = 1;
    for (const Expected& e : frames) {
        Command(e.view);
        auto* frame = dynamic_cast<CChildFrameBase*>(g_pMainFrame->MDIGetActive());
        ASSERT_NE(frame, nullptr) << e.view;
        CDialogBar& bar = frame->Bar();
        EXPECT_EQ(bar.GetTemplateId(), e.barDialog) << e.view;
        EXPECT_EQ(bar.GetDlgCtrlID(), e.barId) << e.view;
        EXPECT_EQ(frame->GetControlBar(e.barId), &bar) << e.view;
        // The bar's own id is the command that hides and shows it, with its check mark.
        const bool shown = bar.IsVisible();
        EXPECT_EQ(Update(e.barId).m_nCheck, shown ? 1 : 0) << e.view;
        Command(e.barId);
        EXPECT_EQ(bar.IsVisible(), !shown) << e.view;
        EXPECT_EQ(Update(e.barId).m_nCheck, shown ? 0 : 1) << e.view;
        Command(e.barId);
        EXPECT_EQ(bar.IsVisible(), shown) << e.view;
    }
    EXPECT_EQ(g_pDoc->GetViews().size(), std::size(frames));
    g_bResultsValid = 0;
    g_nSpans = 0;
}

TEST_F(ShellTest, HeightCommandsFollowTheConstantHeightFlag)
{
    g_nSpans = 1;
    g_pMainFrame->EnableHeightCommands(1, 1);
    EXPECT_FALSE(ScopeButton(ID_VIEW_SECTION2)->IsWindowEnabled());
    EXPECT_FALSE(SetupButton(ID_SETUP_HEIGHT)->IsWindowEnabled());
    EXPECT_FALSE(Update(ID_VIEW_SECTION2).m_bEnabled);
    EXPECT_FALSE(Update(ID_SETUP_HEIGHT).m_bEnabled);
    g_pMainFrame->EnableHeightCommands(0, 0);
    EXPECT_TRUE(ScopeButton(ID_VIEW_SECTION2)->IsWindowEnabled());
    EXPECT_TRUE(Update(ID_VIEW_SECTION2).m_bEnabled);
    EXPECT_TRUE(Update(ID_SETUP_HEIGHT).m_bEnabled);
    g_nSpans = 0;
}

TEST_F(ShellTest, ModelessWindowsToggleAndStayHidden)
{
    ASSERT_NE(g_pCrossSectionDlg, nullptr);
    ASSERT_NE(g_pPanelDlg, nullptr);
    ASSERT_NE(g_pCrossBeamDlg, nullptr);
    ASSERT_NE(g_pHeightDlg, nullptr);
    ASSERT_NE(g_pCoordinateSheet, nullptr);
    EXPECT_FALSE(g_pPanelDlg->IsWindowVisible());

    g_nSpans = 1;
    EXPECT_TRUE(Update(ID_SETUP_PANEL).m_bEnabled);
    Command(ID_SETUP_PANEL);
    EXPECT_TRUE(g_pPanelDlg->IsWindowVisible());
    EXPECT_EQ(Update(ID_SETUP_PANEL).m_nCheck, 1);
    Command(ID_SETUP_PANEL);
    EXPECT_FALSE(g_pPanelDlg->IsWindowVisible());

    g_bCoordinatePlan = 1;
    EXPECT_FALSE(Update(ID_SETUP_PANEL).m_bEnabled);
    EXPECT_FALSE(Update(ID_SETUP_CROSS_SECTION).m_bEnabled);
    g_bCoordinatePlan = 0;

    // The panel window toggle is safe when the window is gone.
    CSetupPanelDialog* saved = g_pPanelDlg;
    g_pPanelDlg = nullptr;
    Command(ID_SETUP_PANEL);
    g_pPanelDlg = saved;
    g_nSpans = 0;
}

TEST_F(ShellTest, EachStepTogglesItsOwnModelessWindow)
{
    struct Toggle { UINT id; CWnd* window; bool checks; };
    const Toggle toggles[] = {
        {ID_SETUP_CROSS_SECTION, g_pCrossSectionDlg, true}, {ID_SETUP_PANEL, g_pPanelDlg, true},
        {ID_SETUP_CROSS_BEAM, g_pCrossBeamDlg, true}, {ID_BLOCK_DIALOG, g_pBlockDlg, true},
        {ID_SETUP_COORDINATE, g_pCoordinateSheet, true}, {ID_SETUP_HEIGHT, g_pHeightDlg, false},
    };
    g_nSpans = 1;
    g_bResultsValid = 1;
    for (const Toggle& t : toggles) {
        ASSERT_NE(t.window, nullptr) << t.id;
        EXPECT_TRUE(Update(t.id).m_bEnabled) << t.id;
        Command(t.id);
        for (const Toggle& other : toggles)
            EXPECT_EQ(other.window->IsWindowVisible(), &other == &t) << t.id << " " << other.id;
        CCmdUI shown = Update(t.id);
        EXPECT_EQ(shown.m_bCheckSet, t.checks) << t.id;
        EXPECT_EQ(shown.m_nCheck, t.checks ? 1 : 0) << t.id;
        Command(t.id);
        EXPECT_FALSE(t.window->IsWindowVisible()) << t.id;
        EXPECT_EQ(Update(t.id).m_nCheck, 0) << t.id;
    }
    g_bResultsValid = 0;
    g_nSpans = 0;
}

TEST_F(ShellTest, ScopeAndSetupBarsHideAndShowByTheirIds)
{
    CControlBar* const bars[] = {&g_pMainFrame->m_wndScopeBar, &g_pMainFrame->m_wndSetupBar};
    for (CControlBar* bar : bars) {
        const UINT id = bar->GetDlgCtrlID();
        EXPECT_TRUE(id == ID_VIEW_SCOPEBAR || id == ID_VIEW_SETUPBAR) << id;
        ASSERT_TRUE(bar->IsVisible()) << id;
        EXPECT_EQ(Update(id).m_nCheck, 1) << id;
        Command(id);
        EXPECT_FALSE(bar->IsVisible()) << id;
        EXPECT_EQ(Update(id).m_nCheck, 0) << id;
        Command(id);
        EXPECT_TRUE(bar->IsVisible()) << id;
    }
    EXPECT_NE(g_pMainFrame->m_wndScopeBar.GetDlgCtrlID(), g_pMainFrame->m_wndSetupBar.GetDlgCtrlID());
}

TEST_F(ShellTest, ClosingSavesPlacementAndBarState)
{
    WINDOWPLACEMENT wp;
    wp.flags = WPF_RESTORETOMAXIMIZED;
    wp.showCmd = SW_SHOWMAXIMIZED;
    wp.rcNormalPosition = CRect(10, 20, 810, 620);
    CMainFrame::SaveWindowPlacement(&wp);
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos")),
              QStringLiteral("2:3:-1:-1:-1:-1:10:20:810:620"));
    WINDOWPLACEMENT back;
    ASSERT_TRUE(CMainFrame::LoadWindowPlacement(&back));
    EXPECT_EQ(back.rcNormalPosition, CRect(10, 20, 810, 620));
    EXPECT_EQ(back.flags, UINT(WPF_RESTORETOMAXIMIZED));

    // Nine numbers are not a placement.
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QStringLiteral("0:1:-1:-1:-1:-1:10:20:810"));
    WINDOWPLACEMENT none;
    EXPECT_FALSE(CMainFrame::LoadWindowPlacement(&none));
}

TEST(Splash, ClosesOnKeyOrButtonButNotOtherInput)
{
    InstallResources();
    CSplashWnd::EnableSplashScreen(TRUE);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(nullptr, CRect(0, 0, 200, 100), 0));
    CSplashWnd::ShowSplashScreen(&owner);
    ASSERT_NE(CSplashWnd::Current(), nullptr);
    CSplashWnd* first = CSplashWnd::Current();
    CSplashWnd::ShowSplashScreen(&owner);          // at most one
    EXPECT_EQ(CSplashWnd::Current(), first);

    MSG move{nullptr, WM_MOUSEMOVE, 0, 0};
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&move));
    EXPECT_NE(CSplashWnd::Current(), nullptr);
    MSG key{nullptr, WM_KEYDOWN, 'A', 0};
    EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(&key));
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    EXPECT_FALSE(CSplashWnd::PreTranslateAppMessage(&key));

    CSplashWnd::ShowSplashScreen(&owner);
    MSG caption{nullptr, WM_NCLBUTTONDOWN, 0, 0};
    EXPECT_TRUE(CSplashWnd::PreTranslateAppMessage(&caption));
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
    CSplashWnd::EnableSplashScreen(FALSE);
}

TEST(Splash, EmbeddingAndAutomationSwitchesTurnItOff)
{
    for (const char* sw : {"-Embedding", "-Automation"}) {
        CCommandLineInfo info;
        theApp.SetCommandLine({QString::fromLatin1(sw)});
        theApp.ParseCommandLine(info);
        EXPECT_FALSE(info.m_bShowSplash) << sw;
        EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileNew) << sw;
    }
    CCommandLineInfo info;
    theApp.SetCommandLine({QStringLiteral("bridge.mvl")});
    theApp.ParseCommandLine(info);
    EXPECT_TRUE(info.m_bShowSplash);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, QStringLiteral("bridge.mvl"));
    // A path starts with "/": a file, even one that is not there.
    CCommandLineInfo absolute;
    theApp.SetCommandLine({QStringLiteral("/home/me/missing.mvl")});
    theApp.ParseCommandLine(absolute);
    EXPECT_EQ(absolute.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(absolute.m_strFileName, QStringLiteral("/home/me/missing.mvl"));
}

TEST_F(ShellTest, ClosingTheProgramAsksThenWritesPlacementAndBars)
{
    g_pDoc->SetModifiedFlag(TRUE);
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QString());
    Answer({IDCANCEL});
    g_pMainFrame->SendMessage(WM_CLOSE);
    // Cancelled at the save question: still running, but the settings are written.
    ASSERT_NE(g_pMainFrame, nullptr);
    EXPECT_NE(g_pDoc, nullptr);
    EXPECT_FALSE(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("WindowPos")).isEmpty());
    EXPECT_FALSE(AfxGetProfileString(QStringLiteral("ControlBars\\State"), QStringLiteral("Layout")).isEmpty());

    Answer({IDNO});
    g_pMainFrame->ShowControlBar(&g_pMainFrame->m_wndSetupBar, FALSE, FALSE);
    g_pMainFrame->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_pMainFrame, nullptr);
    EXPECT_EQ(g_pDoc, nullptr);
    EXPECT_EQ(AfxGetProfileInt(QStringLiteral("ControlBars\\State-Bar32787"), QStringLiteral("Visible"), -1), 0u);

    // Start again for the tests that follow: the hidden setup bar stays hidden.
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(g_pMainFrame, nullptr);
    EXPECT_FALSE(g_pMainFrame->m_wndSetupBar.IsVisible());
    g_pMainFrame->ShowControlBar(&g_pMainFrame->m_wndSetupBar, TRUE, FALSE);
}

// A closed design leaves no step marked: with nothing open the bar reads as at start.
TEST_F(ShellTest, ClosingTheDesignClearsTheStepMarks)
{
    g_pMainFrame->SetStepDone(ID_SETUP_BASIC, 1);
    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(g_pDoc, nullptr);
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0);
    EXPECT_EQ(SetupButton(ID_SETUP_BASIC)->GetWindowText(), QStringLiteral("　基本条件"));
    EXPECT_EQ(SetupButton(ID_CALC_GRILLAGE)->GetWindowText(), QStringLiteral("　格子計算"));
}

// File Open starts in the folder of the open design; a new design's dialog starts where it will.
TEST_F(ShellTest, FileOpenStartsInTheOpenDesignsFolder)
{
    QString shownFolder = QStringLiteral("unset");
    AfxSetFileDialogHook([&](BOOL bOpen, const QString& defaultName, const QString&) {
        EXPECT_TRUE(bOpen);
        shownFolder = defaultName;
        return QString();
    });
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(shownFolder.isEmpty());

    dialoginput::ConfirmBasic(QStringLiteral("1"));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("橋梁")));
    const QString path = dir.filePath(QStringLiteral("橋梁/design.mvl"));
    ASSERT_TRUE(g_pDoc->OnSaveDocument(path));
    ASSERT_TRUE(theApp.OpenDesign(path));
    Command(ID_FILE_OPEN);
    AfxSetFileDialogHook({});
    EXPECT_EQ(shownFolder, QFileInfo(path).absolutePath());
}

namespace {
// Closes a child frame as its close button (or the one on the menu bar) does.
void CloseByButton(CMDIChildWnd* frame)
{
    frame->GetWidget()->close();
    QCoreApplication::processEvents();
}
bool ViewOpen(const CRuntimeClass* viewClass)
{
    for (CView* v : g_pDoc->GetViews())
        if (v->IsKindOf(viewClass))
            return true;
    return false;
}
}

TEST_F(ShellTest, ClosedMaximisedWindowHandsTheFrontBackAndOpensAgainWhole)
{
    dialoginput::ConfirmBasic(QStringLiteral("2"));
    RunGrillage();
    Command(ID_VIEW_ESTIMATE);
    Command(ID_VIEW_CALC);
    auto* calc = dynamic_cast<CChildCalcFrame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(calc, nullptr);
    ASSERT_TRUE(calc->IsZoomed());

    CloseByButton(calc);
    EXPECT_EQ(g_pCalcView, nullptr);
    EXPECT_FALSE(ViewOpen(RUNTIME_CLASS(CCalcView)));
    // The estimate window was in front before: it comes back maximised, and the title
    // and the scope bar name it.
    auto* estimate = dynamic_cast<CChildEstimateFrame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(estimate, nullptr);
    EXPECT_TRUE(estimate->IsZoomed());
    EXPECT_TRUE(g_pMainFrame->GetWindowText().endsWith(QStringLiteral(" - [積算表 _ ") + g_pDoc->GetTitle() + "]"));
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_ESTIMATE], 1);
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_CALC], 0);
    g_pMainFrame->UpdateControlBars();
    EXPECT_EQ(ScopeButton(ID_VIEW_ESTIMATE)->GetCheck(), 1);
    EXPECT_EQ(ScopeButton(ID_VIEW_CALC)->GetCheck(), 0);
    EXPECT_FALSE(g_pMainFrame->IsCalcViewCurrent());

    // Opened again, the window is a new one with its bar and its table.
    Command(ID_VIEW_CALC);
    ASSERT_NE(g_pCalcView, nullptr);
    auto* again = dynamic_cast<CChildCalcFrame*>(g_pCalcView->GetParentFrame());
    ASSERT_NE(again, nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(again->IsZoomed());
    EXPECT_TRUE(again->m_wndBar.IsVisible());
    EXPECT_TRUE(g_pCalcView->IsWindowVisible());
    EXPECT_TRUE(g_pCalcView->m_grid.IsWindowVisible());
    EXPECT_GT(g_pCalcView->m_grid.GetNumberCols(), 0);
    EXPECT_TRUE(g_pMainFrame->IsCalcViewCurrent());
}

TEST_F(ShellTest, EveryViewWindowClosedOverThePlanOpensAgainWhole)
{
    dialoginput::ConfirmBasic(QStringLiteral("2"));
    RunGrillage();
    const struct { UINT id; int view; const CRuntimeClass* cls; } kViews[] = {
        {ID_VIEW_SECTION, CMainFrame::VIEW_SECTION, RUNTIME_CLASS(CSectionView)},
        {ID_VIEW_LOAD, CMainFrame::VIEW_LOAD, RUNTIME_CLASS(CLoadView)},
        {ID_VIEW_FORCE, CMainFrame::VIEW_FORCE, RUNTIME_CLASS(CForceView)},
        {ID_VIEW_CALC, CMainFrame::VIEW_CALC, RUNTIME_CLASS(CCalcView)},
        {ID_VIEW_ESTIMATE, CMainFrame::VIEW_ESTIMATE, RUNTIME_CLASS(CEstimateView)},
        {ID_VIEW_REACT, CMainFrame::VIEW_REACT, RUNTIME_CLASS(CReactView)},
        {ID_VIEW_CONDITION, CMainFrame::VIEW_CONDITION, RUNTIME_CLASS(CConditionView)},
        {ID_VIEW_PRINT, CMainFrame::VIEW_PRINT, RUNTIME_CLASS(CPrintView)},
        {ID_VIEW_SECTION2, CMainFrame::VIEW_SECTION2, RUNTIME_CLASS(CSection2View)},
        {ID_VIEW_PROPERTIES, CMainFrame::VIEW_PROPERTIES, RUNTIME_CLASS(CSectionPropertiesView)},
    };
    for (const auto& v : kViews) {
        SCOPED_TRACE(v.view);
        Command(ID_VIEW_PLAN);
        Command(v.id);
        auto* frame = dynamic_cast<CChildFrameBase*>(g_pMainFrame->MDIGetActive());
        ASSERT_NE(frame, nullptr);
        ASSERT_TRUE(frame->GetActiveView()->IsKindOf(v.cls));
        QCoreApplication::processEvents();
        // Bars without controls stay hidden.
        const bool barShown = frame->Bar().IsVisible();
        CloseByButton(frame);
        EXPECT_FALSE(ViewOpen(v.cls));
        auto* plan = dynamic_cast<CChildGridFrame*>(g_pMainFrame->MDIGetActive());
        ASSERT_NE(plan, nullptr);
        EXPECT_TRUE(plan->IsZoomed());
        EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_PLAN], 1);
        EXPECT_EQ(g_pMainFrame->m_abViewCurrent[v.view], 0);
        EXPECT_TRUE(g_pMainFrame->GetWindowText().endsWith(QStringLiteral(" - [平面図 _ ") + g_pDoc->GetTitle() + "]"));

        Command(v.id);
        frame = dynamic_cast<CChildFrameBase*>(g_pMainFrame->MDIGetActive());
        ASSERT_NE(frame, nullptr);
        QCoreApplication::processEvents();
        EXPECT_TRUE(frame->IsZoomed());
        EXPECT_EQ(frame->Bar().IsVisible(), barShown);
        EXPECT_TRUE(frame->GetActiveView()->IsKindOf(v.cls));
        EXPECT_TRUE(frame->GetActiveView()->IsWindowVisible());
        EXPECT_EQ(g_pMainFrame->m_abViewCurrent[v.view], 1);
        CloseByButton(frame);
    }
}
