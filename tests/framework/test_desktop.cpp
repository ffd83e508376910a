// What a desktop user expects of the windows: owned popups above their owners, Tab stops,
// caption buttons, windows that come back where they were, and the file dialog.
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QTreeView>
#include <QWindow>

#include "common/test_resources.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "framework/profile.h"
#include "framework/propsheet.h"

namespace {

enum : int { ID_COUNT = 2001, ID_LENGTH = 2003, ID_PLATE = 2010, ID_BOX = 2011, ID_TWIN = 2012, ID_NOTE = 2020 };

// A count with its spin, a length, a radio group and a note, in that Tab order.
const DialogTemplate kTemplate = {910, QStringLiteral("順序"), QString(), 9, 0, 0, {
        {CtlKind::Edit, ID_COUNT, QString(), 0, 0},
        {CtlKind::Spin, 2002, QString(), 0, 1},
        {CtlKind::Edit, ID_LENGTH, QString(), 1, 0},
        {CtlKind::RadioButton, ID_PLATE, QStringLiteral("鈑桁"), 2, 0, 1, 1, CF_GROUP},
        {CtlKind::RadioButton, ID_BOX, QStringLiteral("箱桁"), 2, 1},
        {CtlKind::RadioButton, ID_TWIN, QStringLiteral("２主桁"), 2, 2},
        {CtlKind::Edit, ID_NOTE, QString(), 3, 0, 1, 1, CF_GROUP},
    }};

// As the program's input windows: closing one from its caption only hides it.
class InputWindow : public CDialog {
public:
    InputWindow() : CDialog(910) {}
    void OnClose() override { ShowWindow(SW_HIDE); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(nullptr, CRect(100, 100, 700, 500), 0));
        m_owner.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_dlg.Create(910, &m_owner));
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
        Control(id)->setFocus(Qt::OtherFocusReason);
        QKeyEvent key(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        QApplication::sendEvent(Control(id), &key);
        CWnd* to = CWnd::FromWidget(m_dlg.GetWidget()->focusWidget());
        return to ? int(to->GetDlgCtrlID()) : -1;
    }
    TestResources m_res{{kTemplate}};
    CWnd m_owner;
    InputWindow m_dlg;
};

// A caption with the close button alone, and a fixed size: a window manager that ignores
// the hints still offers no maximising then.
::testing::AssertionResult CloseButtonOnly(const QWidget* w)
{
    const Qt::WindowFlags f = w->windowFlags();
    if (!(f & Qt::CustomizeWindowHint) || !(f & Qt::WindowTitleHint) || !(f & Qt::WindowCloseButtonHint))
        return ::testing::AssertionFailure() << "no caption with a close button";
    if (f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint))
        return ::testing::AssertionFailure() << "other caption buttons";
    if (w->minimumSize() != w->maximumSize())
        return ::testing::AssertionFailure() << "resizable";
    return ::testing::AssertionSuccess();
}

// Checks the modal dialog of kind T that the next loop shows, then closes it.
template <class T>
std::shared_ptr<::testing::AssertionResult> CheckNextDialog(std::function<void(T*)> close)
{
    auto result = std::make_shared<::testing::AssertionResult>(::testing::AssertionFailure() << "not shown");
    QTimer::singleShot(0, [result, close] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible() && d->isModal()) {
                *result = CloseButtonOnly(d);
                close(d);
                return;
            }
    });
    return result;
}

// Opens the program's file dialog on folder, waits until it lists count files, hands it to
// look and cancels it.
void LookIntoFileDialog(const QString& folder, int count, const QString& filter,
                        const std::function<void(QFileDialog*, QFileSystemModel*, const QModelIndex&)>& look)
{
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dlg = qobject_cast<QFileDialog*>(w);
            if (!dlg || !dlg->isVisible())
                continue;
            auto* model = dlg->findChild<QFileSystemModel*>();
            dlg->setDirectory(folder);
            // The folder is read in the background: wait for its files, or give up after a while.
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (model && model->rowCount(model->index(folder)) >= count)
                    loop.quit();
            });
            poll.start(10);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            // The view lays out the rows it was just given.
            QApplication::processEvents();
            if (model)
                look(dlg, model, model->index(folder));
            dlg->reject();
        }
    });
    CWinApp app(QStringLiteral("Marivolten"));
    QString path;
    EXPECT_FALSE(app.DoPromptFileName(path, QString(), TRUE, filter));
}

}

TEST_F(WindowTest, SpinsAndRadioGroupsAreOneTabStopEach)
{
    EXPECT_EQ(TabFrom(ID_COUNT), ID_LENGTH);
    // A group without a checked button is entered on its first; then on the checked one.
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_PLATE);
    Radio(ID_BOX)->SetCheck(1);
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_BOX);
    EXPECT_EQ(TabFrom(ID_NOTE, true), ID_BOX);
    EXPECT_EQ(TabFrom(ID_BOX), ID_NOTE);
    Radio(ID_TWIN)->Click();
    // Having had the focus does not make an unchecked button the stop.
    Control(ID_PLATE)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(TabFrom(ID_LENGTH), ID_TWIN);
    // The arrows move the check within the group, and the stop follows.
    Control(ID_TWIN)->setFocus(Qt::OtherFocusReason);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(Control(ID_TWIN), &left);
    EXPECT_EQ(Radio(ID_BOX)->GetCheck(), 1);
    EXPECT_EQ(TabFrom(ID_NOTE, true), ID_BOX);
}

TEST_F(WindowTest, DialogsSheetsAndMessageBoxesHaveOnlyACloseButton)
{
    EXPECT_EQ(m_dlg.GetWidget()->windowType(), Qt::Tool);
    EXPECT_TRUE(CloseButtonOnly(m_dlg.GetWidget()));

    CDialog modal(910);
    AfxSetModalHook([](CDialog* d) { d->EndDialog(IDCANCEL); });
    auto shown = CheckNextDialog<QDialog>([](QDialog*) {});
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    AfxSetModalHook({});
    EXPECT_TRUE(*shown);

    CPropertyPage page(910);
    CPropertySheet sheet(QStringLiteral("座標"));
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(CloseButtonOnly(sheet.GetWidget()));
    sheet.DestroyWindow();

    AfxSetMessageBoxHandler({});
    shown = CheckNextDialog<QMessageBox>([](QMessageBox* b) { b->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(AfxMessageBox(QStringLiteral("保存しますか?"), MB_YESNO), IDYES);
    EXPECT_TRUE(*shown);

    shown = CheckNextDialog<QDialog>([](QDialog* d) { d->reject(); });
    EXPECT_FALSE(AfxPageSetup(nullptr));
    EXPECT_TRUE(*shown);
}

TEST_F(WindowTest, AHiddenWindowComesBackWhereItWas)
{
    // The user drags it aside: the window system moves it, not the program.
    m_dlg.GetWidget()->windowHandle()->setFramePosition(QPoint(37, 59));
    QApplication::processEvents();
    const QPoint placed = m_dlg.GetWidget()->pos();
    ASSERT_EQ(placed, QPoint(37, 59));
    // Hidden, its owner moves on, and it is shown again; then closed from its caption.
    m_dlg.ShowWindow(SW_HIDE);
    m_owner.MoveWindow(400, 300, 600, 400);
    m_dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();
    EXPECT_EQ(m_dlg.GetWidget()->pos(), placed);
    m_dlg.GetWidget()->close();
    EXPECT_FALSE(m_dlg.IsWindowVisible());
    m_dlg.ShowWindow(SW_SHOW);
    QApplication::processEvents();
    EXPECT_EQ(m_dlg.GetWidget()->pos(), placed);
}

TEST(Desktop, AnOwnedPopupStaysAboveAnOwnerNotYetShown)
{
    // The splash is made before its main window is ever shown.
    CWnd owner, popup, alone;
    ASSERT_TRUE(owner.CreateEx(nullptr, CRect(0, 0, 400, 300), 0));
    ASSERT_TRUE(popup.CreateEx(&owner, CRect(0, 0, 100, 50), 0, true));
    popup.ShowWindow(SW_SHOW);
    EXPECT_EQ(popup.GetWidget()->windowHandle()->transientParent(), owner.GetWidget()->windowHandle());
    // X11 makes only some kinds of window transient for their parent, and the owner mapped
    // after the popup would still cover it.
    EXPECT_EQ(popup.GetWidget()->windowType(), Qt::Tool);
    EXPECT_TRUE(popup.GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(popup.GetWidget()->windowFlags() & Qt::FramelessWindowHint);
    // Without an owner it is a plain window.
    ASSERT_TRUE(alone.CreateEx(nullptr, CRect(0, 0, 100, 50), 0, true));
    EXPECT_EQ(alone.GetWidget()->windowType(), Qt::Window);
    EXPECT_FALSE(alone.GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(Desktop, TheFileDialogShowsTheProgramsFilterAndLeavesNoSettings)
{
    QTemporaryDir files;
    for (const char* name : {"a.mvl", "B.MVL", "c.txt"}) {
        QFile f(files.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (name[0] == 'a') {
            f.write(QByteArray(55500, 'x'));
            f.flush();
            f.setFileTime(QDateTime(QDate(2024, 12, 28), QTime(20, 48)), QFileDevice::FileModificationTime);
        }
    }
    AfxSetRegistryKey(QStringLiteral("Wrenly Software Corp."));
    AfxSetProfileAppName(QStringLiteral("Marivolten"));
    ASSERT_TRUE(AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("Probe"), QStringLiteral("1")));
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QStringList before = config.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const QString filter = QString::fromUtf8("Mrvolt ﾌｧｲﾙ (*.mvl)");
    QStringList filters, listed, columns, cut;
    bool native = true;
    LookIntoFileDialog(files.path(), 2, filter, [&](QFileDialog* dlg, QFileSystemModel* model, const QModelIndex& dir) {
        native = !dlg->testOption(QFileDialog::DontUseNativeDialog);
        filters = dlg->nameFilters();
        for (int r = 0; r < model->rowCount(dir); ++r)
            listed << model->fileName(model->index(r, 0, dir));
        // The detail columns as shown, each whole in its column.
        auto* tree = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* shown = tree ? qobject_cast<QAbstractProxyModel*>(tree->model()) : nullptr;
        for (int r = 0; shown && r < model->rowCount(dir); ++r) {
            if (model->fileName(model->index(r, 0, dir)) != QLatin1String("a.mvl"))
                continue;
            for (int col = 0; col < 4; ++col) {
                const QString text = shown->headerData(col, Qt::Horizontal).toString() + QLatin1Char('|')
                    + shown->mapFromSource(model->index(r, col, dir)).data().toString();
                columns << text;
                for (const QString& part : text.split(QLatin1Char('|')))
                    if (tree->fontMetrics().horizontalAdvance(part) > tree->header()->sectionSize(col))
                        cut << part;
            }
        }
    });
    EXPECT_FALSE(native);
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_EQ(filters.first().toStdString(), filter.toStdString());
    listed.sort();
    EXPECT_EQ(listed.join(u' ').toStdString(), "B.MVL a.mvl");
    // Japanese whatever the machine's locale, every heading and text whole.
    EXPECT_EQ(columns.join(u' ').toStdString(), "名前|a.mvl サイズ|54.2 KB タイプ|MVL ファイル 更新日|2024/12/28 20:48");
    EXPECT_TRUE(cut.isEmpty()) << cut.join(u' ').toStdString();

    // Neither the program's profile nor a file of the toolkit's own keeps the dialog's state.
    QFile profile(AfxGetProfileFile());
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(profile.readAll().contains("FileDialog"));
    EXPECT_EQ(config.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(u'|').toStdString(),
              before.join(u'|').toStdString());
    AfxSetRegistryKey(QString());
    AfxSetProfileAppName(QString());
}

// A long name shows whole, however little room the toolkit first gives the name column.
TEST(Desktop, TheFileDialogShowsLongNamesWhole)
{
    QTemporaryDir files;
    const QStringList names = {QStringLiteral("box1_1span.mvl"), QStringLiteral("plate_2span_haunch.mvl"),
                               QStringLiteral("plate_3span_skew_sidewalks_on_both_sides_revised.mvl")};
    for (const QString& name : names) {
        QFile f(files.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    int widest = 0, needed = 0, column = 0;
    LookIntoFileDialog(files.path(), 3, QStringLiteral("Mrvolt (*.mvl)"), [&](QFileDialog* dlg, QFileSystemModel*, const QModelIndex&) {
        auto* tree = dlg->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!tree)
            return;
        for (const QString& name : names)
            widest = std::max(widest, tree->fontMetrics().horizontalAdvance(name));
        needed = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0);
        column = tree->header()->sectionSize(0);
    });
    ASSERT_GT(widest, 0);
    EXPECT_GE(column, widest);
    // Room for the icon and margins beside the name too.
    EXPECT_GE(column, needed);
}

// A placement saved on a larger or another screen comes back whole on this one; one that
// fits is kept as it was.
TEST(Desktop, ARestoredPlacementOffTheScreenIsBroughtBack)
{
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    CWnd top;
    ASSERT_TRUE(top.CreateEx(nullptr, CRect(0, 0, 300, 200), 0));
    auto place = [&](CRect r) {
        WINDOWPLACEMENT wp{};
        wp.showCmd = SW_HIDE;
        wp.rcNormalPosition = r;
        top.SetWindowPlacement(&wp);
        return top.GetWidget()->geometry();
    };
    const QRect inside = place(CRect(avail.left() + 10, avail.top() + 20, avail.left() + 310, avail.top() + 220));
    EXPECT_EQ(inside, QRect(avail.left() + 10, avail.top() + 20, 300, 200));
    for (CRect off : {CRect(-500, -400, -200, -200), CRect(avail.right() - 50, avail.bottom() - 30, avail.right() + 250, avail.bottom() + 170),
                      CRect(-100, 50, avail.width() + 400, avail.height() + 900)}) {
        const QRect g = place(off);
        EXPECT_TRUE(avail.contains(g)) << off.left << ' ' << off.top;
        EXPECT_EQ(g.width(), std::min(off.Width(), avail.width()));
        EXPECT_EQ(g.height(), std::min(off.Height(), avail.height()));
    }
    top.DestroyWindow();
}

// A short message still shows the whole caption in its title bar.
TEST(Desktop, AMessageBoxIsWideEnoughForItsCaption)
{
    AfxSetMessageBoxHandler({});
    int width = 0;
    QTimer::singleShot(0, [&width] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) {
                width = b->width();
                b->button(QMessageBox::Ok)->click();
            }
    });
    EXPECT_EQ(AfxMessageBox(QStringLiteral("計算終了!")), IDOK);
    const int caption = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Marivolten"));
    EXPECT_GE(width, caption + 120);
}
