#include "common/shell_fixture.h"
#include "input/modeless_dialogs.h"
#include "res/resources.h"

#include <QCoreApplication>

void ShellTest::SetUpTestSuite()
{
    if (g_pMainFrame)
        return;
    theApp.SetCommandLine({QStringLiteral("-Automation")});   // no splash in the suite
    AfxSetMessageBoxHandler([](const QString&, UINT) { return IDCANCEL; });
    ASSERT_TRUE(theApp.InitInstance());
}

void ShellTest::SetUp()
{
    InstallResources();
    AfxSetMessageBoxHandler([this](const QString& text, UINT) {
        m_shown << text;
        if (m_answers.empty())
            return int(IDCANCEL);
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
    StartNewDesign();
    m_shown.clear();
}

void ShellTest::TearDown()
{
    AfxSetMessageBoxHandler([](const QString&, UINT) { return IDCANCEL; });
    AfxSetModalHook({});
    qunsetenv("MARIVOLTEN_SOLVER_DIR");
    // Whatever a test did, and wherever it stopped, the next one finds nothing of it.
    StartNewDesign();
    QCoreApplication::processEvents();
}

void ShellTest::StartNewDesign()
{
    g_bSIUnits = 1;
    g_bNoA3Paper = 0;
    g_nSolverError = 0;
    for (CWnd* w : std::initializer_list<CWnd*>{g_pCrossSectionDlg, g_pPanelDlg, g_pCrossBeamDlg, g_pBlockDlg,
                                               g_pCoordinateSheet, g_pHeightDlg})
        if (w && w->GetSafeHwnd())
            w->ShowWindow(SW_HIDE);
    if (g_pDoc)
        g_pDoc->SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW);
}

CCmdUI ShellTest::Update(UINT id)
{
    CCmdUI ui(id);
    ui.DoUpdate(g_pMainFrame, TRUE);
    return ui;
}
