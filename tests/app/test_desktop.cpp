// The program as a desktop user meets it: child windows, bars, the status line and icons.
#include "common/shell_fixture.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>
#include <QMdiArea>
#include <QStatusTipEvent>
#include <QWidget>

#include "app/childfrm.h"

namespace {
QRect Rect(CWnd* w) { return w->GetWidget()->geometry(); }
}

TEST_F(ShellTest, RestoredChildFramesAreWholeWindowsWithTheirCaptions)
{
    g_nSpans = 1;
    Command(ID_VIEW_SECTION);
    const std::vector<CMDIChildWnd*> children = g_pMainFrame->GetChildFrames();
    ASSERT_EQ(children.size(), 2u);
    CMDIChildWnd* active = g_pMainFrame->MDIGetActive();
    ASSERT_TRUE(active->IsZoomed());
    active->ShowWindow(SW_RESTORE);

    const QSize room = g_pMainFrame->GetMdiArea()->viewport()->size();
    std::vector<QRect> places;
    for (CMDIChildWnd* child : children) {
        g_pMainFrame->MDIActivate(child);
        EXPECT_FALSE(child->IsZoomed());
        const QRect r = Rect(child);
        // Not a bare title bar: a good part of the area, and all of it inside.
        EXPECT_GE(r.width(), room.width() / 2);
        EXPECT_GE(r.height(), room.height() / 2);
        EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(r));
        // The caption is the window's own title, not only what the main window shows.
        EXPECT_EQ(child->GetWidget()->windowTitle(), child->GetWindowText());
        places.push_back(r);
    }
    EXPECT_EQ(children[0]->GetWidget()->windowTitle(), QStringLiteral("平面図 _ ") + g_pDoc->GetTitle());
    // Cascaded, so that one does not cover the other's caption.
    EXPECT_NE(places[0].topLeft(), places[1].topLeft());

    // Maximised again and restored once more, a child comes back to its place.
    children[1]->ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(children[1]->IsZoomed());
    children[1]->ShowWindow(SW_RESTORE);
    EXPECT_FALSE(children[1]->IsZoomed());
    EXPECT_EQ(Rect(children[1]), places[1]);
    g_nSpans = 0;
}

TEST_F(ShellTest, EveryWindowShowsTheProgramsIcon)
{
    const QImage expected = QIcon(QStringLiteral(":/res/images/app.svg")).pixmap(32).toImage();
    ASSERT_FALSE(expected.isNull());
    auto isProgramIcon = [&](const QIcon& icon) { return !icon.isNull() && icon.pixmap(32).toImage() == expected; };
    EXPECT_TRUE(isProgramIcon(QApplication::windowIcon()));
    EXPECT_TRUE(isProgramIcon(g_pMainFrame->GetWidget()->windowIcon()));
    // A child frame's caption and its controls in the menu bar when maximised.
    ASSERT_NE(g_pMainFrame->MDIGetActive(), nullptr);
    EXPECT_TRUE(isProgramIcon(g_pMainFrame->MDIGetActive()->GetWidget()->windowIcon()));
    // Dialogs and the modeless input windows.
    QIcon dialogIcon;
    AfxSetModalHook([&](CDialog* d) {
        dialogIcon = d->GetWidget()->windowIcon();
        d->EndDialog(IDCANCEL);
    });
    Command(ID_APP_ABOUT);
    AfxSetModalHook({});
    EXPECT_TRUE(isProgramIcon(dialogIcon));
    ASSERT_NE(g_pCoordinateSheet, nullptr);
    EXPECT_TRUE(isProgramIcon(g_pCoordinateSheet->GetWidget()->windowIcon()));
}

TEST_F(ShellTest, TheStatusLineGoesBackToTheIdleMessageAfterAMenu)
{
    const QString idle = QStringLiteral("レディ");
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), idle);
    // What a menu does as the pointer passes over an item and then leaves or closes.
    QAction* item = g_pMainFrame->FindMenuItem(ID_APP_ABOUT);
    ASSERT_NE(item, nullptr);
    QStatusTipEvent over(item->statusTip());
    QApplication::sendEvent(g_pMainFrame->GetWidget(), &over);
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), item->statusTip());
    EXPECT_NE(item->statusTip(), idle);
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(g_pMainFrame->GetWidget(), &gone);
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), idle);

    // A prompt the program sets itself stays until it is replaced.
    g_pMainFrame->m_wndStatusBar.SetPaneText(0, QStringLiteral("計算中"));
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), QStringLiteral("計算中"));
    g_pMainFrame->m_wndStatusBar.SetPaneText(0, idle);
}

TEST_F(ShellTest, ThePlanBarIsCheckedOnlyWhileItIsOnScreen)
{
    auto* frame = dynamic_cast<CChildGridFrame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    QWidget* bar = frame->m_wndBar.GetWidget();
    auto checked = [] { return Update(ID_VIEW_GRIDBAR).m_nCheck == 1; };
    auto onScreen = [bar] { return bar->isVisible() && bar->height() > 0; };
    // A bar with nothing in it is not put up as an empty strip.
    const DialogTemplate* t = AfxFindDialogTemplate(IDD_GRID_BAR);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(bar->isVisible(), !t->controls.empty());

    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        EXPECT_EQ(checked(), onScreen()) << "after " << i << " toggles";
        Command(ID_VIEW_GRIDBAR);
    }
    QCoreApplication::processEvents();
    ASSERT_TRUE(onScreen());
    EXPECT_TRUE(checked());
    // Minimised, the frame shows its caption alone: the bar is not on screen.
    frame->ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(checked());
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(checked());
}
