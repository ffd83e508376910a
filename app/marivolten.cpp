#include "app/marivolten.h"
#include "app/childfrm.h"
#include "app/design_file.h"
#include "app/design_state.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "app/small_dialogs.h"
#include "app/splash.h"
#include "framework/cmdids.h"
#include "framework/doctempl.h"
#include "input/modeless_dialogs.h"
#include "res/resources.h"

#include <QFileInfo>

CMarivoltenApp theApp;

namespace {
const UINT kStepsInOrder[] = {ID_SETUP_BASIC, ID_SETUP_SPAN, ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION,
                              ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2, ID_SETUP_MAIN_MEMBER, ID_SETUP_CROSS_BEAM,
                              ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE, ID_SETUP_COORDINATE,
                              ID_CALC_GRILLAGE, ID_CALC_ESTIMATE, ID_SETUP_HEIGHT};
}

CMarivoltenApp::CMarivoltenApp() : CWinApp(QStringLiteral("Marivolten"))
{
    HandleCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    HandleCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    HandleCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    HandleCommand(ID_TEST_COMMAND, [this] { OnTestCommand(); });
    HandleCommand(ID_USER_INFO, [this] { OnUserInfo(); });
    HandleCommand(ID_PRINT_FORMAT, [this] { OnPrintFormat(); });
}

BOOL CMarivoltenApp::InitInstance()
{
    InstallResources();
    CreateModelessInputs();
    {
        CCommandLineInfo info;
        ParseCommandLine(info);
        CSplashWnd::EnableSplashScreen(info.m_bShowSplash);
    }
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey(QStringLiteral("Wrenly Software Corp."));
    LoadStdProfileSettings(0);

    struct TemplateKind { UINT id; const CRuntimeClass* frame; const CRuntimeClass* view; };
    const TemplateKind kinds[TEMPLATES] = {
        {IDR_PLAN, RUNTIME_CLASS(CChildGridFrame), RUNTIME_CLASS(CGridView)},
        {IDR_SECTION, RUNTIME_CLASS(CChildSectionFrame), RUNTIME_CLASS(CSectionView)},
        {IDR_LOAD, RUNTIME_CLASS(CChildLoadFrame), RUNTIME_CLASS(CLoadView)},
        {IDR_FORCE, RUNTIME_CLASS(CChildForceFrame), RUNTIME_CLASS(CForceView)},
        {IDR_CALC, RUNTIME_CLASS(CChildCalcFrame), RUNTIME_CLASS(CCalcView)},
        {IDR_ESTIMATE, RUNTIME_CLASS(CChildEstimateFrame), RUNTIME_CLASS(CEstimateView)},
        {IDR_REACT, RUNTIME_CLASS(CChildReactFrame), RUNTIME_CLASS(CReactView)},
        {IDR_CONDITION, RUNTIME_CLASS(CChildConditionFrame), RUNTIME_CLASS(CConditionView)},
        {IDR_PRINT, RUNTIME_CLASS(CChildPrintFrame), RUNTIME_CLASS(CPrintView)},
        {IDR_SECTION2, RUNTIME_CLASS(CChildSection2Frame), RUNTIME_CLASS(CSection2View)},
        {IDR_PROPERTIES, RUNTIME_CLASS(CChildPropertiesFrame), RUNTIME_CLASS(CSectionPropertiesView)},
    };
    if (m_templates.empty()) {
        for (int i = 0; i < TEMPLATES; ++i) {
            m_pTemplate[i] = new CMultiDocTemplate(kinds[i].id, RUNTIME_CLASS(CMarivoltenDoc), kinds[i].frame, kinds[i].view);
            AddDocTemplate(m_pTemplate[i]);
        }
    }

    auto* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, FWS_ADDTOTITLE))
        return FALSE;
    m_pMainWnd = pMainFrame;

    pMainFrame->DragAcceptFiles();
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    CCommandLineInfo info;
    ParseCommandLine(info);
    if (info.m_nShellCommand == CCommandLineInfo::FileOpen) {
        if (!OpenDesign(info.m_strFileName))
            return FALSE;
    } else if (!ProcessShellCommand(info)) {
        return FALSE;
    }

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}

int CMarivoltenApp::ExitInstance()
{
    DeleteModelessInputs();
    return CWinApp::ExitInstance();
}

BOOL CMarivoltenApp::PreTranslateMessage(MSG* pMsg)
{
    const BOOL result = CWinApp::PreTranslateMessage(pMsg);
    CSplashWnd::PreTranslateAppMessage(pMsg);
    return result;
}

BOOL CMarivoltenApp::CloseDesign()
{
    for (CDocument* doc : GetOpenDocuments()) {
        if (!doc->SaveModified())
            return FALSE;
    }
    if (m_pTemplate[0])
        m_pTemplate[0]->CloseAllDocuments(FALSE);
    // Frames of the other templates went with the document.
    return TRUE;
}

void CMarivoltenApp::OnFileNew()
{
    if (!GetOpenDocuments().empty() && !CloseDesign())
        return;
    if (g_pMainFrame)
        g_pMainFrame->ResetViewFlags();
    // Nothing of the previous design stays behind, the modeless windows' input included;
    // the layout is reset before the document is made, the document's own input after.
    const CDesignState fresh = CDesignState::NewDesign(g_bSIUnits);
    ApplyDesign(fresh);
    CWinApp::OnFileNew();
    ApplyDesign(fresh);
    if (g_pMainFrame)
        for (UINT step : kStepsInOrder)
            g_pMainFrame->SetStepDone(step, 0);
}

void CMarivoltenApp::OnFileOpen()
{
    // The open design is asked about before the file dialog.
    for (CDocument* doc : GetOpenDocuments())
        if (!doc->SaveModified())
            return;
    QString filter;
    if (m_pTemplate[0])
        m_pTemplate[0]->GetDocString(filter, CDocTemplate::filterName);
    // The dialog starts in the open design's folder, as Save As does.
    QString folder;
    for (CDocument* doc : GetOpenDocuments())
        if (!doc->GetPathName().isEmpty())
            folder = QFileInfo(doc->GetPathName()).absolutePath();
    QString path;
    if (DoPromptFileName(path, folder, TRUE, filter))
        OpenDesign(path, TRUE);
}

BOOL CMarivoltenApp::OpenDesign(const QString& path, BOOL bAsked)
{
    // The open design is asked about first, but closed only once the file has been read whole.
    for (CDocument* doc : GetOpenDocuments())
        if (!bAsked && !doc->SaveModified())
            return FALSE;
    CDesignState value = CDesignState::NewDesign(g_bSIUnits);
    if (!CDocument::ReadFile(path, [&value](CArchive& ar) { ReadDesign(ar, value); }))
        return FALSE;
    for (CDocument* doc : GetOpenDocuments())
        doc->SetModifiedFlag(FALSE);
    if (!CloseDesign() || !m_pTemplate[0])
        return FALSE;
    if (g_pMainFrame)
        g_pMainFrame->ResetViewFlags();
    // The document is made over an empty layout and takes the design once it exists.
    ApplyDesign(CDesignState::NewDesign(g_bSIUnits));
    // Named after its file: an opened design takes no untitled number.
    if (!m_pTemplate[0]->NewDocumentFor(path) || !g_pDoc)
        return FALSE;
    g_pDoc->SetModifiedFlag(FALSE);
    g_pDoc->TakeLoadedDesign(value);
    return TRUE;
}

void CMarivoltenApp::OnAppAbout()
{
    CAboutDlg dlg;
    dlg.DoModal();
}

void CMarivoltenApp::OnTestCommand() { m_dlgTestCommand.DoModal(); }

void CMarivoltenApp::OnUserInfo()
{
    CUserInfoDialog dlg;
    dlg.DoModal();
}

void CMarivoltenApp::OnPrintFormat()
{
    CPrintFormatDlg dlg(g_pDoc);
    dlg.DoModal();
}
