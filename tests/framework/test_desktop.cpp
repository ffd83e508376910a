// What a desktop user expects of the windows: owned popups above their owners,
// dialog buttons, focus order, icons and windows that come back where they were.
#include <gtest/gtest.h>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "framework/wnd.h"

TEST(Desktop, AnOwnedPopupStaysAboveAnOwnerNotYetShown)
{
    // The splash is made before its main window is ever shown.
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(nullptr, CRect(0, 0, 400, 300), 0));
    ASSERT_FALSE(owner.IsWindowVisible());
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(&owner, CRect(0, 0, 100, 50), 0, true));
    popup.ShowWindow(SW_SHOW);
    QWindow* handle = popup.GetWidget()->windowHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(handle->transientParent(), owner.GetWidget()->windowHandle());
    // X11 marks only some kinds of window transient for their parent; a plain one is not.
    EXPECT_EQ(popup.GetWidget()->windowType(), Qt::Tool);
    // The owner, mapped after the popup, would otherwise cover it.
    EXPECT_TRUE(popup.GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(popup.GetWidget()->isWindow());
    EXPECT_TRUE(popup.GetWidget()->windowFlags() & Qt::FramelessWindowHint);

    // A popup without owner is a plain top-level window.
    CWnd alone;
    ASSERT_TRUE(alone.CreateEx(nullptr, CRect(0, 0, 100, 50), 0, true));
    alone.ShowWindow(SW_SHOW);
    EXPECT_EQ(alone.GetWidget()->windowHandle()->transientParent(), nullptr);
    EXPECT_EQ(alone.GetWidget()->windowType(), Qt::Window);
    EXPECT_FALSE(alone.GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
}
