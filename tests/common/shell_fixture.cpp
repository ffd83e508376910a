#include "common/shell_fixture.h"
#include "res/resources.h"

#include <QCoreApplication>

void ShellTest::SetUpTestSuite()
{
    if (g_pMainFrame)
        return;
    theApp.SetCommandLine({QStringLiteral("/Automation")});   // no splash in the suite
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
    // Every test starts from a fresh, unmodified design.
    if (g_pDoc)
        g_pDoc->SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW);
    m_shown.clear();
}

void ShellTest::TearDown()
{
    AfxSetMessageBoxHandler([](const QString&, UINT) { return IDCANCEL; });
    QCoreApplication::processEvents();
}

CCmdUI ShellTest::Update(UINT id)
{
    CCmdUI ui(id);
    ui.DoUpdate(g_pMainFrame, TRUE);
    return ui;
}
