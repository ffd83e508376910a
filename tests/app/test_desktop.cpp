// The program as a desktop user meets it: child windows, bars, the status line and icons, and
// a main window at its smallest.
#include "common/shell_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QStyle>

#include "app/childfrm.h"

TEST_F(ShellTest, RestoredChildFramesAreWholeWindowsWithTheirCaptions)
{
    g_nSpans = 1;
    Command(ID_VIEW_SECTION);
    const std::vector<CMDIChildWnd*> children = g_pMainFrame->GetChildFrames();
    ASSERT_EQ(children.size(), 2u);
    ASSERT_TRUE(g_pMainFrame->MDIGetActive()->IsZoomed());
    g_pMainFrame->MDIGetActive()->ShowWindow(SW_RESTORE);

    // Each a good part of the area, inside it, cascaded, under its own caption.
    const QRect room(QPoint(0, 0), g_pMainFrame->GetMdiArea()->viewport()->size());
    std::vector<QRect> places;
    for (CMDIChildWnd* child : children) {
        g_pMainFrame->MDIActivate(child);
        const QRect r = child->GetWidget()->geometry();
        EXPECT_FALSE(child->IsZoomed());
        EXPECT_GE(r.width(), room.width() / 2);
        EXPECT_GE(r.height(), room.height() / 2);
        EXPECT_TRUE(room.contains(r));
        EXPECT_EQ(child->GetWidget()->windowTitle(), child->GetWindowText());
        places.push_back(r);
    }
    EXPECT_EQ(children[0]->GetWidget()->windowTitle(), QStringLiteral("平面図 _ ") + g_pDoc->GetTitle());
    EXPECT_NE(places[0].topLeft(), places[1].topLeft());
    // Maximised and restored again, a child comes back to its place.
    children[1]->ShowWindow(SW_SHOWMAXIMIZED);
    children[1]->ShowWindow(SW_RESTORE);
    EXPECT_EQ(children[1]->GetWidget()->geometry(), places[1]);
    g_nSpans = 0;
}

TEST_F(ShellTest, EveryWindowShowsTheProgramsIcon)
{
    const QImage expected = QIcon(QStringLiteral(":/res/images/app.svg")).pixmap(32).toImage();
    ASSERT_FALSE(expected.isNull());
    auto isProgramIcon = [&](const QIcon& i) { return !i.isNull() && i.pixmap(32).toImage() == expected; };
    EXPECT_TRUE(isProgramIcon(QApplication::windowIcon()));
    EXPECT_TRUE(isProgramIcon(g_pMainFrame->GetWidget()->windowIcon()));
    EXPECT_TRUE(isProgramIcon(g_pMainFrame->MDIGetActive()->GetWidget()->windowIcon()));
    EXPECT_TRUE(isProgramIcon(g_pCoordinateSheet->GetWidget()->windowIcon()));
    QIcon dialogIcon;
    QPixmap picture;
    int iconSide = 0;
    AfxSetModalHook([&](CDialog* d) {
        dialogIcon = d->GetWidget()->windowIcon();
        if (auto* l = qobject_cast<QLabel*>(d->GetDlgItem(IDC_ABOUT_ICON)->GetWidget())) {
            picture = l->pixmap();
            iconSide = l->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, l);
        }
        d->EndDialog(IDCANCEL);
    });
    Command(ID_APP_ABOUT);
    AfxSetModalHook({});
    EXPECT_TRUE(isProgramIcon(dialogIcon));
    // The about box shows the picture at a dialog icon's size, drawn for the screen's pixels.
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(iconSide, iconSide));
    const QImage sharp = QIcon(QStringLiteral(":/res/images/app.svg"))
                             .pixmap(QSize(iconSide, iconSide), picture.devicePixelRatio()).toImage();
    EXPECT_EQ(picture.toImage().convertToFormat(sharp.format()), sharp);
}

TEST_F(ShellTest, TheStatusLineGoesBackToTheIdleMessageAfterAMenu)
{
    // What a menu sends as the pointer passes over an item, then leaves it or closes.
    const QString idle = QStringLiteral("レディ");
    QAction* item = g_pMainFrame->FindMenuItem(ID_APP_ABOUT);
    ASSERT_NE(item, nullptr);
    QStatusTipEvent over(item->statusTip());
    QApplication::sendEvent(g_pMainFrame->GetWidget(), &over);
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), item->statusTip());
    EXPECT_NE(item->statusTip(), idle);
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(g_pMainFrame->GetWidget(), &gone);
    EXPECT_EQ(g_pMainFrame->m_wndStatusBar.GetPaneText(0), idle);
}

TEST_F(ShellTest, ThePlanBarIsCheckedOnlyWhileItIsOnScreen)
{
    auto* frame = dynamic_cast<CChildGridFrame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(frame, nullptr);
    QWidget* bar = frame->m_wndBar.GetWidget();
    auto checked = [] { return Update(ID_VIEW_GRIDBAR).m_nCheck == 1; };
    // A bar with nothing in it is not put up as an empty strip.
    EXPECT_EQ(bar->isVisible(), !AfxFindDialogTemplate(IDD_GRID_BAR)->controls.empty());
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        EXPECT_EQ(checked(), bar->isVisible() && bar->height() > 0) << i << " toggles";
        Command(ID_VIEW_GRIDBAR);
    }
    if (!checked())
        Command(ID_VIEW_GRIDBAR);
    ASSERT_TRUE(checked());
    // A minimised frame shows its caption alone.
    frame->ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(checked());
    frame->ShowWindow(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(checked());
}

// An example design with its results, in windows of their own.
class SmallWindowTest : public ShellTest {};

TEST_F(SmallWindowTest, AtItsSmallestTheMainWindowHoldsEveryViewWithItsScrollBars)
{
    ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("plate_3span_skew.mvl"))));
    QWidget* main = g_pMainFrame->GetWidget();
    const QSize before = main->size();
    main->resize(1, 1);
    QCoreApplication::processEvents();
    QWidget* room = g_pMainFrame->GetMdiArea()->viewport();
    const QRect area(QPoint(0, 0), room->size());
    for (UINT id : {ID_VIEW_PLAN, ID_VIEW_FORCE, ID_VIEW_ESTIMATE, ID_VIEW_SECTION, ID_VIEW_LOAD}) {
        Command(id);
        QCoreApplication::processEvents();
        CMDIChildWnd* child = g_pMainFrame->MDIGetActive();
        ASSERT_NE(child, nullptr) << id;
        ASSERT_TRUE(child->IsZoomed()) << id;
        EXPECT_TRUE(area.contains(child->GetWidget()->geometry())) << id;
        // The view ends inside the area: its scroll bars, at its right and bottom edges, with it.
        const QWidget* view = child->GetActiveView()->GetWidget();
        const QRect placed(view->mapTo(room, QPoint(0, 0)), view->size());
        EXPECT_TRUE(area.contains(placed)) << id << ": view " << placed.right() << " wide in " << area.right();
        EXPECT_GT(placed.width(), 0) << id;
    }
    // The plan's bar is wider than the area here: it is cut at the edge, not in the middle.
    Command(ID_VIEW_PLAN);
    QCoreApplication::processEvents();
    auto* plan = dynamic_cast<CChildGridFrame*>(g_pMainFrame->MDIGetActive());
    ASSERT_NE(plan, nullptr);
    QWidget* bar = plan->m_wndBar.GetWidget();
    EXPECT_GT(bar->minimumSizeHint().width(), area.width());
    EXPECT_GE(bar->width(), bar->minimumSizeHint().width());
    EXPECT_GT(bar->height(), 0);
    main->resize(before);
}

TEST_F(SmallWindowTest, NoDrawingShowsUnderTheSquareWhereTheScrollBarsMeet)
{
    ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("box2_2span.mvl"))));
    for (UINT id : {ID_VIEW_PLAN, ID_VIEW_SECTION, ID_VIEW_LOAD, ID_VIEW_FORCE, ID_VIEW_SECTION2, ID_VIEW_CALC,
                    ID_VIEW_ESTIMATE, ID_VIEW_REACT, ID_VIEW_CONDITION, ID_VIEW_PROPERTIES}) {
        Command(id);
        QCoreApplication::processEvents();
        CMDIChildWnd* child = g_pMainFrame->MDIGetActive();
        ASSERT_NE(child, nullptr) << id;
        QWidget* view = child->GetActiveView()->GetWidget();
        // Scrolled as far right and down as the bars go.
        const QList<QScrollBar*> bars = view->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly);
        // A table with nothing to show yet has no bars; the drawings always have them.
        const bool drawing = id == ID_VIEW_PLAN || id == ID_VIEW_SECTION || id == ID_VIEW_LOAD
                             || id == ID_VIEW_FORCE || id == ID_VIEW_SECTION2;
        if (bars.empty() && !drawing)
            continue;
        ASSERT_EQ(bars.size(), 2) << id;
        for (QScrollBar* bar : bars)
            bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        const int t = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
        const QImage corner = view->grab(QRect(view->width() - t, view->height() - t, t, t)).toImage();
        ASSERT_FALSE(corner.isNull()) << id;
        const QRgb colour = corner.pixel(0, 0);
        EXPECT_NE(QColor(colour), QColor(Qt::white)) << id << ": the paper shows in the corner";
        for (int y = 0; y < corner.height(); ++y)
            for (int x = 0; x < corner.width(); ++x)
                ASSERT_EQ(corner.pixel(x, y), colour) << id << " at " << x << "," << y;
    }
}
