// What a desktop user expects of the windows: owned popups above their owners,
// dialog buttons, focus order, icons and windows that come back where they were.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "common/test_resources.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "framework/profile.h"
#include "framework/propsheet.h"
#include "framework/wnd.h"

namespace {

enum : int { ID_COUNT = 2001, ID_COUNT_SPIN = 2002, ID_LENGTH = 2003, ID_PLATE = 2010, ID_BOX = 2011,
             ID_TWIN = 2012, ID_NOTE = 2020 };

// A count with its spin, a length, a radio group and a note, in that Tab order.
DialogTemplate TabTemplate()
{
    return {910, QStringLiteral("順序"), QString(), 9, 0, 0, {
            {CtlKind::Edit, ID_COUNT, QString(), 0, 0},
            {CtlKind::Spin, ID_COUNT_SPIN, QString(), 0, 1},
            {CtlKind::Edit, ID_LENGTH, QString(), 1, 0},
            {CtlKind::RadioButton, ID_PLATE, QStringLiteral("鈑桁"), 2, 0, 1, 1, CF_GROUP},
            {CtlKind::RadioButton, ID_BOX, QStringLiteral("箱桁"), 2, 1},
            {CtlKind::RadioButton, ID_TWIN, QStringLiteral("２主桁"), 2, 2},
            {CtlKind::Edit, ID_NOTE, QString(), 3, 0, 1, 1, CF_GROUP},
        }};
}

class TemplateWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(910));
        m_dlg.ShowWindow(SW_SHOW);
        // The arrow keys of a radio group work on the application's focus.
        m_dlg.GetWidget()->activateWindow();
        QApplication::processEvents();
    }
    QWidget* Control(int id) const { return m_dlg.GetDlgItem(id)->GetWidget(); }
    CButton* Radio(int id) const { return static_cast<CButton*>(m_dlg.GetDlgItem(id)); }
    // Where the focus goes when Tab (or Shift+Tab) is pressed in control id.
    int TabFrom(int id, bool back = false) const
    {
        QWidget* from = Control(id);
        from->setFocus(Qt::OtherFocusReason);
        QKeyEvent key(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                      back ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(from, &key);
        CWnd* to = CWnd::FromWidget(m_dlg.GetWidget()->focusWidget());
        return to ? int(to->GetDlgCtrlID()) : -1;
    }
    TestResources m_res{{TabTemplate()}};
    CDialog m_dlg{910};
};

}

TEST_F(TemplateWindowTest, ASpinIsNoTabStopOfItsOwn)
{
    EXPECT_EQ(TabFrom(ID_COUNT), ID_LENGTH);
    EXPECT_EQ(TabFrom(ID_LENGTH, true), ID_COUNT);
}

TEST_F(TemplateWindowTest, TabEntersARadioGroupOnItsCheckedButton)
{
    // None checked: the group's first button.
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_PLATE);
    Radio(ID_BOX)->SetCheck(1);
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_BOX);
    EXPECT_EQ(TabFrom(ID_NOTE, true), ID_BOX);
    // One stop for the whole group: Tab leaves it.
    EXPECT_EQ(TabFrom(ID_BOX), ID_NOTE);

    // A click moves the stop with the check.
    Radio(ID_TWIN)->Click();
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_TWIN);
    // Having had the focus does not make an unchecked button the stop.
    Control(ID_PLATE)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_TWIN);
    // The arrows move the check, and the stop follows.
    Control(ID_TWIN)->setFocus(Qt::OtherFocusReason);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(Control(ID_TWIN), &left);
    EXPECT_EQ(Radio(ID_BOX)->GetCheck(), 1);
    EXPECT_EQ(TabFrom(ID_NOTE, true), ID_BOX);
}

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

TEST_F(TemplateWindowTest, AFilteredEditTakesTheEditingKeys)
{
    auto* edit = static_cast<CEdit*>(m_dlg.GetDlgItem(ID_COUNT));
    edit->SetAllowedChars(QStringLiteral("0123456789"));
    auto* line = Control(ID_COUNT);
    auto ctrl = [line](Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(QChar(char16_t(key - Qt::Key_A + 1))));
        QApplication::sendEvent(line, &press);
    };
    edit->SetWindowText(QStringLiteral("42"));
    ctrl(Qt::Key_A);
    ctrl(Qt::Key_X);
    EXPECT_EQ(edit->GetWindowText(), QString());
    ctrl(Qt::Key_V);
    EXPECT_EQ(edit->GetWindowText(), QStringLiteral("42"));
    ctrl(Qt::Key_Z);
    EXPECT_EQ(edit->GetWindowText(), QString());
}

namespace {

// A caption with the close button alone: no minimise, maximise or help button.
::testing::AssertionResult CloseButtonOnly(const QWidget* w)
{
    const Qt::WindowFlags f = w->windowFlags();
    if (!(f & Qt::CustomizeWindowHint) || !(f & Qt::WindowTitleHint) || !(f & Qt::WindowCloseButtonHint))
        return ::testing::AssertionFailure() << "no caption with a close button";
    if (f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint))
        return ::testing::AssertionFailure() << "other caption buttons";
    // A window manager that ignores the hints still offers no maximising for a fixed size.
    if (w->minimumSize() != w->maximumSize())
        return ::testing::AssertionFailure() << "resizable";
    return ::testing::AssertionSuccess();
}

}

TEST_F(TemplateWindowTest, DialogsHaveOnlyACloseButton)
{
    // The modeless window of the fixture, then the same template run modally.
    QApplication::processEvents();
    EXPECT_EQ(m_dlg.GetWidget()->windowType(), Qt::Tool);
    EXPECT_TRUE(CloseButtonOnly(m_dlg.GetWidget()));

    CDialog modal(910);
    Qt::WindowType kind = Qt::Widget;
    ::testing::AssertionResult buttons = ::testing::AssertionFailure();
    AfxSetModalHook([&](CDialog* d) {
        QApplication::processEvents();
        kind = d->GetWidget()->windowType();
        buttons = CloseButtonOnly(d->GetWidget());
        d->EndDialog(IDCANCEL);
    });
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    AfxSetModalHook({});
    EXPECT_EQ(kind, Qt::Dialog);
    EXPECT_TRUE(buttons);
}

TEST_F(TemplateWindowTest, APropertySheetHasOnlyACloseButton)
{
    CPropertyPage page(910);
    CPropertySheet sheet(QStringLiteral("座標"));
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    sheet.ShowWindow(SW_SHOW);
    QApplication::processEvents();
    EXPECT_TRUE(CloseButtonOnly(sheet.GetWidget()));
    sheet.DestroyWindow();
}

TEST(Desktop, AMessageBoxHasOnlyACloseButton)
{
    AfxSetMessageBoxHandler({});
    ::testing::AssertionResult buttons = ::testing::AssertionFailure() << "no message box";
    QTimer::singleShot(0, [&] {
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
                box = b;
        if (!box)
            return;
        buttons = CloseButtonOnly(box);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(AfxMessageBox(QStringLiteral("保存しますか?"), MB_YESNO), IDYES);
    EXPECT_TRUE(buttons);
}

namespace {
// As the program's input windows: closing one from its caption only hides it.
class InputWindow : public CDialog {
public:
    InputWindow() : CDialog(910) {}
    void OnClose() override { ShowWindow(SW_HIDE); }
};
}

TEST(Desktop, ThePageSetupHasOnlyACloseButton)
{
    ::testing::AssertionResult buttons = ::testing::AssertionFailure() << "no page setup";
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) {
                buttons = CloseButtonOnly(d);
                d->reject();
            }
    });
    EXPECT_FALSE(AfxPageSetup(nullptr));
    EXPECT_TRUE(buttons);
}

TEST(Desktop, AModelessWindowComesBackWhereItWas)
{
    TestResources res{{TabTemplate()}};
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(nullptr, CRect(100, 100, 700, 500), 0));
    owner.ShowWindow(SW_SHOW);
    InputWindow dlg;
    ASSERT_TRUE(dlg.Create(910, &owner));
    dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();

    // The user drags it aside: the window system moves it, not the program.
    QWindow* handle = dlg.GetWidget()->windowHandle();
    ASSERT_NE(handle, nullptr);
    handle->setFramePosition(QPoint(37, 59));
    QApplication::processEvents();
    const QPoint placed = dlg.GetWidget()->pos();
    ASSERT_EQ(placed, QPoint(37, 59));

    // Hidden, the owner moves on, and the window is shown again: where it was left.
    dlg.ShowWindow(SW_HIDE);
    owner.MoveWindow(400, 300, 600, 400);
    dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();
    EXPECT_EQ(dlg.GetWidget()->pos(), placed);
    // Closed from its caption, the same.
    dlg.GetWidget()->close();
    ASSERT_NE(dlg.GetWidget(), nullptr);
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();
    EXPECT_EQ(dlg.GetWidget()->pos(), placed);
}

namespace {

// What an open-file dialog showed: its filters and the files it listed in a folder.
struct FileDialogSeen {
    bool shown = false;
    bool native = true;
    QStringList filters;
    QString selectedFilter;
    QStringList listed;
};

// Runs the program's open-file dialog on folder and cancels it once the folder is listed.
FileDialogSeen OpenDialogOn(const QString& folder, const QString& filter)
{
    FileDialogSeen seen;
    QTimer::singleShot(0, [&] {
        QFileDialog* dlg = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
                dlg = d;
        if (!dlg)
            return;
        seen.shown = true;
        seen.native = !dlg->testOption(QFileDialog::DontUseNativeDialog);
        seen.filters = dlg->nameFilters();
        seen.selectedFilter = dlg->selectedNameFilter();
        auto* model = dlg->findChild<QFileSystemModel*>();
        if (model) {
            dlg->setDirectory(folder);
            // The folder is read in the background: wait for its files, or give up after a while.
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                const QModelIndex dir = model->index(folder);
                if (model->rowCount(dir) >= 2)
                    loop.quit();
            });
            poll.start(10);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            const QModelIndex dir = model->index(folder);
            for (int r = 0; r < model->rowCount(dir); ++r)
                seen.listed << model->fileName(model->index(r, 0, dir));
            seen.listed.sort();
        }
        dlg->reject();
    });
    CWinApp app(QStringLiteral("Marivolten"));
    QString path;
    EXPECT_FALSE(app.DoPromptFileName(path, QString(), TRUE, filter));
    EXPECT_TRUE(path.isEmpty());
    return seen;
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_files.isValid());
        for (const char* name : {"a.mvl", "B.MVL", "c.txt"}) {
            QFile f(m_files.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        // The program's profile, as it is set up at start.
        AfxSetRegistryKey(QStringLiteral("Wrenly Software Corp."));
        AfxSetProfileAppName(QStringLiteral("Marivolten"));
        ASSERT_TRUE(AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("Probe"), QStringLiteral("1")));
        m_config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        m_before = QDir(m_config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
    void TearDown() override
    {
        AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("Probe"), QString());
        AfxSetRegistryKey(QString());
        AfxSetProfileAppName(QString());
    }
    QTemporaryDir m_files;
    QString m_config;
    QStringList m_before;
};

}

TEST_F(FileDialogTest, ShowsTheProgramsFilterAndMatchesBothCases)
{
    const QString filter = QString::fromUtf8("Mrvolt ﾌｧｲﾙ (*.mvl)");
    const FileDialogSeen seen = OpenDialogOn(m_files.path(), filter);
    ASSERT_TRUE(seen.shown);
    EXPECT_FALSE(seen.native);
    ASSERT_FALSE(seen.filters.isEmpty());
    EXPECT_EQ(seen.filters.first().toStdString(), filter.toStdString());
    EXPECT_EQ(seen.selectedFilter.toStdString(), filter.toStdString());
    EXPECT_EQ(seen.listed.join(u' ').toStdString(), "B.MVL a.mvl");
}

TEST_F(FileDialogTest, LeavesNothingInTheUsersSettings)
{
    const QString profile = AfxGetProfileFile();
    ASSERT_TRUE(QFile::exists(profile));
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(OpenDialogOn(m_files.path(), QString::fromUtf8("Mrvolt ﾌｧｲﾙ (*.mvl)")).shown);
    QFile f(profile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("FileDialog"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("lastVisited"))) << text.toStdString();
    // Nor a file of the toolkit's own beside it.
    EXPECT_FALSE(QFile::exists(QDir(m_config).filePath(QStringLiteral("QtProject.conf"))));
    EXPECT_EQ(QDir(m_config).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(u'|').toStdString(),
              m_before.join(u'|').toStdString());
}
