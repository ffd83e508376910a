// Documents, views and frames on the MDI main window: command routing,
// update handlers, frame numbering, closing, and the design file round trip.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <memory>

#include "common/test_resources.h"
#include "framework/app.h"
#include "framework/archive.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/view.h"

namespace {

enum : UINT { CMD_DOC_AND_MAIN = 40001, CMD_CHILD_AND_MAIN = 40002, CMD_MAIN_ONLY = 40003, CMD_NOBODY = 40004,
              CMD_VIEW_AND_DOC = 40005 };

std::vector<QString> g_trace;

class TraceDoc : public CDocument {
    DECLARE_DYNCREATE(TraceDoc)
public:
    TraceDoc()
    {
        HandleCommand(CMD_DOC_AND_MAIN, [] { g_trace.push_back(QStringLiteral("doc")); });
        HandleCommand(CMD_VIEW_AND_DOC, [] { g_trace.push_back(QStringLiteral("doc")); });
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_nValue << m_strName;
        } else {
            ar >> m_nValue >> m_strName;
        }
    }
    int m_nValue = 0;
    QString m_strName;
};
IMPLEMENT_DYNCREATE(TraceDoc, CDocument)

class TraceView : public CView {
    DECLARE_DYNCREATE(TraceView)
public:
    TraceView() { HandleCommand(CMD_VIEW_AND_DOC, [] { g_trace.push_back(QStringLiteral("view")); }); }
    void OnUpdate(CView* sender, LPARAM hint, CObject*) override { m_updates.push_back(hint); }
    std::vector<LPARAM> m_updates;
};
IMPLEMENT_DYNCREATE(TraceView, CView)

class TraceChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(TraceChild)
public:
    TraceChild() { HandleCommand(CMD_CHILD_AND_MAIN, [] { g_trace.push_back(QStringLiteral("child")); }); }
};
IMPLEMENT_DYNCREATE(TraceChild, CMDIChildWnd)

class TraceMain : public CMDIFrameWnd {
public:
    TraceMain()
    {
        for (UINT id : {CMD_DOC_AND_MAIN, CMD_CHILD_AND_MAIN, CMD_MAIN_ONLY})
            HandleCommand(id, [] { g_trace.push_back(QStringLiteral("main")); });
        HandleUpdate(CMD_MAIN_ONLY, [](CCmdUI* ui) { ui->Enable(FALSE); ui->SetCheck(1); });
    }
};

class Resources : public TestResources {
public:
    Resources() : TestResources({})
    {
        m_menu = {300, {{MenuItemTemplate::Popup, 0, QStringLiteral("ﾌｧｲﾙ(&F)"),
                         {{MenuItemTemplate::Item, CMD_MAIN_ONLY, QStringLiteral("試験"), {}}}}}};
    }
    QString LoadString(UINT id) const override
    {
        return id == 300 ? QStringLiteral("試験枠\nTest\nTest\nTest (*.tst)\n.tst\nTest.Document\nTest Document") : QString();
    }
    const MenuTemplate* FindMenu(UINT id) const override { return id == 300 ? &m_menu : nullptr; }
    MenuTemplate m_menu;
};

class DocViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_trace.clear();
        AfxSetMessageBoxHandler([this](const QString& t, UINT) { m_shown << t; return int(IDNO); });
        // The framework alone has no application object; frames need one to hang on.
        if (!AfxGetApp())
            m_app = std::make_unique<CWinApp>(QStringLiteral("FrameworkTest"));
        m_main = new TraceMain;
        ASSERT_TRUE(m_main->LoadFrame(300));
        m_template = std::make_unique<CDocTemplate>(300, RUNTIME_CLASS(TraceDoc), RUNTIME_CLASS(TraceChild),
                                                    RUNTIME_CLASS(TraceView));
        m_savedMain = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
        if (AfxGetApp())
            AfxGetApp()->m_pMainWnd = m_main;
    }
    void TearDown() override
    {
        for (CDocument* d : std::vector<CDocument*>(m_template->GetDocuments()))
            d->OnCloseDocument();
        m_main->DestroyWindow();
        if (AfxGetApp())
            AfxGetApp()->m_pMainWnd = m_savedMain;
        AfxSetMessageBoxHandler({});
    }
    TraceDoc* Open(const QString& path = QString())
    {
        return static_cast<TraceDoc*>(m_template->OpenDocumentFile(path));
    }

    Resources m_res;
    std::unique_ptr<CWinApp> m_app;
    TraceMain* m_main = nullptr;
    CWnd* m_savedMain = nullptr;
    std::unique_ptr<CDocTemplate> m_template;
    QStringList m_shown;
};

}

TEST_F(DocViewTest, CommandsGoToTheFirstTargetOnTheRoute)
{
    TraceDoc* doc = Open();
    ASSERT_NE(doc, nullptr);
    for (UINT id : {CMD_VIEW_AND_DOC, CMD_DOC_AND_MAIN, CMD_CHILD_AND_MAIN, CMD_MAIN_ONLY})
        EXPECT_TRUE(m_main->OnCmdMsg(id, CN_COMMAND, nullptr));
    EXPECT_FALSE(m_main->OnCmdMsg(CMD_NOBODY, CN_COMMAND, nullptr));
    const std::vector<QString> expected = {QStringLiteral("view"), QStringLiteral("doc"), QStringLiteral("child"),
                                           QStringLiteral("main")};
    EXPECT_EQ(g_trace, expected);
}

TEST_F(DocViewTest, UpdateHandlersDecideAndUnhandledCommandsAreDisabled)
{
    Open();
    CCmdUI handled(CMD_MAIN_ONLY);
    handled.DoUpdate(m_main);
    EXPECT_FALSE(handled.m_bEnabled);
    EXPECT_EQ(handled.m_nCheck, 1);
    CCmdUI commandOnly(CMD_DOC_AND_MAIN);
    commandOnly.DoUpdate(m_main);
    EXPECT_TRUE(commandOnly.m_bEnabled);
    CCmdUI nobody(CMD_NOBODY);
    nobody.DoUpdate(m_main);
    EXPECT_FALSE(nobody.m_bEnabled);
    // The menu item shows the same state.
    QAction* item = m_main->FindMenuItem(CMD_MAIN_ONLY);
    ASSERT_NE(item, nullptr);
}

TEST_F(DocViewTest, FramesOfOneDocumentAreNumberedAndTheLastClosesIt)
{
    TraceDoc* doc = Open();
    ASSERT_EQ(m_main->GetChildFrames().size(), 1u);
    EXPECT_EQ(m_main->GetChildFrames()[0]->m_nWindow, 0);
    CFrameWnd* second = m_template->CreateNewFrame(doc, nullptr);
    ASSERT_NE(second, nullptr);
    m_template->InitialUpdateFrame(second, doc);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    EXPECT_EQ(m_main->GetChildFrames()[0]->m_nWindow, 1);
    EXPECT_EQ(second->m_nWindow, 2);
    EXPECT_EQ(second->GetWindowText(), doc->GetTitle() + QStringLiteral(":2"));
    EXPECT_EQ(m_main->MDIGetActive(), second);

    second->SendMessage(WM_CLOSE);
    EXPECT_EQ(doc->GetViews().size(), 1u);
    EXPECT_EQ(m_main->GetChildFrames()[0]->m_nWindow, 0);
    EXPECT_EQ(m_template->GetDocuments().size(), 1u);

    doc->SetModifiedFlag(TRUE);
    m_main->GetChildFrames()[0]->SendMessage(WM_CLOSE);    // asks; answered "no"
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_template->GetDocuments().empty());
    EXPECT_EQ(m_main->MDIGetActive(), nullptr);
}

TEST_F(DocViewTest, ClosingAMaximisedChildDestroysItAndTheNextTakesItsPlace)
{
    TraceDoc* doc = Open();
    m_main->ShowWindow(SW_SHOW);
    std::vector<CMDIChildWnd*> frames = {m_main->GetChildFrames()[0]};
    for (int i = 0; i < 2; ++i) {
        auto* f = static_cast<CMDIChildWnd*>(m_template->CreateNewFrame(doc, nullptr));
        ASSERT_NE(f, nullptr);
        m_template->InitialUpdateFrame(f, doc);
        frames.push_back(f);
    }
    // The user goes back to the first, then to the last one, maximised.
    frames[0]->ActivateFrame(SW_SHOWMAXIMIZED);
    frames[2]->ActivateFrame(SW_SHOWMAXIMIZED);
    QCoreApplication::processEvents();
    ASSERT_EQ(m_main->MDIGetActive(), frames[2]);
    ASSERT_TRUE(frames[2]->IsZoomed());

    // The close button of the window (or of the menu bar) closes it as the frame's own close does.
    frames[2]->GetWidget()->close();
    QCoreApplication::processEvents();
    ASSERT_EQ(doc->GetViews().size(), 2u);
    ASSERT_EQ(m_main->GetChildFrames().size(), 2u);
    // The one used before it comes to the front, maximised in its place, and names the title.
    EXPECT_EQ(m_main->MDIGetActive(), frames[0]);
    EXPECT_EQ(m_main->GetMdiArea()->activeSubWindow(), qobject_cast<QMdiSubWindow*>(frames[0]->GetWidget()));
    EXPECT_TRUE(frames[0]->IsZoomed());
    EXPECT_TRUE(doc->GetViews()[0]->IsWindowVisible());
    EXPECT_EQ(m_main->GetWindowText(), QStringLiteral("試験枠 - [") + frames[0]->GetWindowText() + QStringLiteral("]"));
    m_main->ShowWindow(SW_HIDE);
}

TEST_F(DocViewTest, UpdateAllViewsSkipsTheSender)
{
    TraceDoc* doc = Open();
    CFrameWnd* second = m_template->CreateNewFrame(doc, nullptr);
    m_template->InitialUpdateFrame(second, doc);
    auto* a = static_cast<TraceView*>(doc->GetViews()[0]);
    auto* b = static_cast<TraceView*>(doc->GetViews()[1]);
    a->m_updates.clear();
    b->m_updates.clear();
    doc->UpdateAllViews(a, 7);
    EXPECT_TRUE(a->m_updates.empty());
    EXPECT_EQ(b->m_updates, std::vector<LPARAM>{7});
}

TEST_F(DocViewTest, SavedDesignReadsBackAndABadFileChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("橋.tst"));
    TraceDoc* doc = Open();
    doc->m_nValue = 42;
    doc->m_strName = QStringLiteral("桁ﾃｽﾄ");
    ASSERT_TRUE(doc->DoSave(path));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("橋"));
    EXPECT_FALSE(doc->IsModified());
    doc->OnCloseDocument();

    TraceDoc* back = Open(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->m_nValue, 42);
    EXPECT_EQ(back->m_strName, QStringLiteral("桁ﾃｽﾄ"));
    back->OnCloseDocument();

    // A truncated file: a message, no document, no frame left behind.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.resize(6);
    f.close();
    EXPECT_EQ(Open(path), nullptr);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_template->GetDocuments().empty());
    EXPECT_TRUE(m_main->GetChildFrames().empty());

    EXPECT_EQ(Open(dir.filePath(QStringLiteral("none.tst"))), nullptr);
    EXPECT_EQ(m_shown.size(), 2);
}

namespace {
class MessageWnd : public CWnd {
public:
    MessageWnd()
    {
        OnMessage(WM_USER + 7, [this](WPARAM w, LPARAM l) { m_got.push_back(int(w * 100 + l)); return LRESULT(1); });
    }
    void OnKeyDown(UINT nChar, UINT, UINT) override
    {
        m_keys.push_back(QStringLiteral("down:%1").arg(nChar));
        if (nChar != VK_F2)
            Default();
    }
    void OnChar(UINT nChar, UINT, UINT) override { m_keys.push_back(QStringLiteral("char:%1").arg(nChar)); }
    void OnTimer(UINT_PTR id) override { ++m_ticks; KillTimer(id); }
    std::vector<int> m_got;
    QStringList m_keys;
    int m_ticks = 0;
};
}

TEST(Windows, SendIsImmediatePostWaitsForTheLoop)
{
    MessageWnd w;
    ASSERT_TRUE(w.CreateEx(nullptr, CRect(0, 0, 50, 50), 0));
    EXPECT_EQ(w.SendMessage(WM_USER + 7, 2, 3), 1);
    w.PostMessage(WM_USER + 7, 4, 5);
    EXPECT_EQ(w.m_got, std::vector<int>{203});
    QCoreApplication::processEvents();
    EXPECT_EQ(w.m_got, (std::vector<int>{203, 405}));
}

TEST(Windows, KeysComeAsKeyDownThenCharacter)
{
    MessageWnd w;
    ASSERT_TRUE(w.CreateEx(nullptr, CRect(0, 0, 50, 50), 0));
    w.DispatchKey('A', QStringLiteral("a"));
    w.DispatchKey(VK_RETURN, QStringLiteral("\r"));
    w.DispatchKey(VK_F2, QString());               // handled by the key-down alone
    EXPECT_EQ(w.m_keys, (QStringList{QStringLiteral("down:65"), QStringLiteral("char:97"), QStringLiteral("down:13"),
                                     QStringLiteral("char:13"), QStringLiteral("down:113")}));
}

TEST(Windows, TimersTickUntilKilled)
{
    MessageWnd w;
    ASSERT_TRUE(w.CreateEx(nullptr, CRect(0, 0, 50, 50), 0));
    w.SetTimer(3, 1);
    QEventLoop loop;
    QTimer::singleShot(80, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(w.m_ticks, 1);
}
