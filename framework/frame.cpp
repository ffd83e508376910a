#include "framework/frame.h"
#include "framework/app.h"
#include "framework/bars.h"
#include "framework/cmdids.h"
#include "framework/document.h"
#include "framework/doctempl.h"
#include "framework/profile.h"
#include "framework/resource.h"
#include "framework/view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CMDIChildWnd, CFrameWnd)

namespace {

class MainWindowWidget : public QMainWindow {
public:
    explicit MainWindowWidget(CMDIFrameWnd* frame) : m_frame(frame) {}
    CMDIFrameWnd* m_frame;
    bool m_acceptDrops = false;
protected:
    void dragEnterEvent(QDragEnterEvent* e) override
    {
        if (m_acceptDrops && e->mimeData()->hasUrls())
            e->acceptProposedAction();
    }
    void dropEvent(QDropEvent* e) override
    {
        const QList<QUrl> urls = e->mimeData()->urls();
        if (!urls.isEmpty() && urls.first().isLocalFile()) {
            e->acceptProposedAction();
            // One design at a time: only the first file is opened.
            const QString path = urls.first().toLocalFile();
            QTimer::singleShot(0, this, [path] { AfxGetApp()->OnDropFile(path); });
        }
    }
};

// A child frame's window. One that has only ever been maximised has no size of its own,
// and restoring it would leave a bare title bar: the first time it shows in its normal
// state it takes the place a new child gets, cascaded from the others.
class ChildFrameWidget : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;
protected:
    void showEvent(QShowEvent* e) override
    {
        QMdiSubWindow::showEvent(e);
        // Showing maximised passes through the normal state: decide once it has settled.
        QMetaObject::invokeMethod(this, [this] { PlaceOnce(); }, Qt::QueuedConnection);
    }
    void closeEvent(QCloseEvent* e) override
    {
        // The toolkit's own close would hide the window and its content and keep both;
        // a child frame closes as its frame's close says, view and all. The close buttons
        // call this from their own event handlers, so the window goes once they are done.
        e->ignore();
        QMetaObject::invokeMethod(this, [this] {
            if (CWnd* frame = CWnd::FromWidget(this))
                frame->OnClose();
        }, Qt::QueuedConnection);
    }
    void changeEvent(QEvent* e) override
    {
        QMdiSubWindow::changeEvent(e);
        if (e->type() == QEvent::WindowStateChange && !static_cast<QWindowStateChangeEvent*>(e)->isOverride())
            PlaceOnce();
    }
private:
    void PlaceOnce()
    {
        if (m_bPlaced || !isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
            return;
        QMdiArea* area = mdiArea();
        if (!area)
            return;
        m_bPlaced = true;
        const QSize room = area->viewport()->size();
        const QSize size(std::max(room.width() * 3 / 4, minimumSizeHint().width()),
                         std::max(room.height() * 3 / 4, minimumSizeHint().height()));
        // One title bar further down and right for each child made before it.
        const int step = std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this), 16);
        const int index = int(area->subWindowList(QMdiArea::CreationOrder).indexOf(this));
        const int fit = std::max(1, std::min(room.width() - size.width(), room.height() - size.height()) / step + 1);
        const int offset = step * (std::max(index, 0) % fit);
        setGeometry(offset, offset, size.width(), size.height());
    }
    bool m_bPlaced = false;
};

// The bars above a child frame's view, one under the other. A bar keeps the width its
// controls need and is cut at the frame's right edge where the frame is narrower: the frame,
// its view and the view's scroll bars shrink with the main window's area however wide a bar is.
class BarStripLayout : public QLayout {
public:
    using QLayout::QLayout;
    ~BarStripLayout() override
    {
        while (QLayoutItem* item = takeAt(0))
            delete item;
    }
    void addItem(QLayoutItem* item) override { m_items.append(item); }
    int count() const override { return int(m_items.size()); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override
    {
        return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
    }
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    QSize sizeHint() const override
    {
        QSize size;
        for (QLayoutItem* item : m_items)
            if (!item->isEmpty())
                size = QSize(std::max(size.width(), item->sizeHint().width()), size.height() + item->sizeHint().height());
        return size;
    }
    QSize minimumSize() const override { return QSize(0, sizeHint().height()); }
    void setGeometry(const QRect& rect) override
    {
        QLayout::setGeometry(rect);
        int y = rect.top();
        for (QLayoutItem* item : m_items) {
            if (item->isEmpty())
                continue;
            const int height = item->sizeHint().height();
            item->setGeometry(QRect(rect.left(), y, std::max(rect.width(), item->minimumSize().width()), height));
            y += height;
        }
    }
private:
    QList<QLayoutItem*> m_items;
};

// Hides a docked bar's caption; a floating bar shows it.
void UpdateDockTitle(QDockWidget* dock)
{
    if (dock->isFloating()) {
        if (dock->titleBarWidget()) {
            QWidget* old = dock->titleBarWidget();
            dock->setTitleBarWidget(nullptr);
            delete old;
        }
    } else if (!dock->titleBarWidget()) {
        dock->setTitleBarWidget(new QWidget(dock));
    }
}

Qt::DockWidgetArea AreaOf(UINT align)
{
    if (align & CBRS_ALIGN_TOP) return Qt::TopDockWidgetArea;
    if (align & CBRS_ALIGN_BOTTOM) return Qt::BottomDockWidgetArea;
    if (align & CBRS_ALIGN_LEFT) return Qt::LeftDockWidgetArea;
    return Qt::RightDockWidgetArea;
}

Qt::DockWidgetAreas AreasOf(UINT style)
{
    Qt::DockWidgetAreas a;
    if (style & CBRS_ALIGN_TOP) a |= Qt::TopDockWidgetArea;
    if (style & CBRS_ALIGN_BOTTOM) a |= Qt::BottomDockWidgetArea;
    if (style & CBRS_ALIGN_LEFT) a |= Qt::LeftDockWidgetArea;
    if (style & CBRS_ALIGN_RIGHT) a |= Qt::RightDockWidgetArea;
    return a;
}

void ApplyCmdUI(QAction* a, const CCmdUI& ui)
{
    a->setEnabled(ui.m_bEnabled);
    if (ui.m_bCheckSet) {
        a->setCheckable(true);
        a->setChecked(ui.m_nCheck != 0);
    } else if (a->isCheckable()) {
        a->setChecked(false);
    }
    if (ui.m_bTextSet)
        a->setText(ui.m_strText);
}

}

// ---- CFrameWnd ----

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

void CFrameWnd::SetActiveView(CView* pView)
{
    CView* old = m_pActiveView;
    m_pActiveView = pView;
    if (old != pView) {
        if (old) old->OnActivateView(FALSE, pView, old);
        if (pView) pView->OnActivateView(TRUE, pView, old);
    }
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    CView* v = GetActiveView();
    return v ? v->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc)
        SetWindowText(m_strTitle.isEmpty() ? doc->GetTitle() : doc->GetTitle() + QStringLiteral(" - ") + m_strTitle);
    else
        SetWindowText(m_strTitle);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pActiveView && pDoc) {
        for (CView* v : pDoc->GetViews())
            if (v->GetParentFrame() == this) {
                SetActiveView(v);
                break;
            }
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    if (bMakeVisible) {
        if (pDoc) {
            for (CView* v : std::vector<CView*>(pDoc->GetViews()))
                if (v->GetParentFrame() == this)
                    v->OnInitialUpdate();
        }
        ActivateFrame();
        OnUpdateFrameTitle(TRUE);
    }
}

BOOL CFrameWnd::OnCreateClient(CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, 0xE900) != nullptr;
    return TRUE;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* obj = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(obj);
    if (!view) {
        delete obj;
        return nullptr;
    }
    QWidget* holder = m_pViewHolder ? m_pViewHolder : GetWidget();
    CWnd host;
    host.Attach(holder);
    const BOOL ok = view->Create(&host, pContext->m_pCurrentDoc, nID);
    host.Detach();
    if (!ok) {
        delete view;
        return nullptr;
    }
    if (m_pViewHolder && m_pViewHolder->layout())
        m_pViewHolder->layout()->addWidget(view->GetWidget());
    return view;
}

int CFrameWnd::OnCreate()
{
    return OnCreateClient(m_pCreateContext) ? 0 : -1;
}

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    DestroyWindow();
}

void CFrameWnd::AddControlBar(CControlBar* pBar, UINT)
{
    m_bars.push_back(pBar);
}

void CFrameWnd::DockControlBar(CControlBar*, UINT) {}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    if (pBar && pBar->m_pContainer)
        pBar->m_pContainer->setVisible(bShow);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    for (CControlBar* b : m_bars)
        if (b->GetDlgCtrlID() == nID)
            return b;
    return nullptr;
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    if (CControlBar* bar = GetControlBar(nID))
        ShowControlBar(bar, !bar->IsVisible(), FALSE);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    pCmdUI->SetCheck(bar && bar->IsVisible());
}

void CFrameWnd::UpdateControlBars()
{
    for (CControlBar* b : m_bars)
        b->OnUpdateCmdUI(this, TRUE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (CView* v = GetActiveView(); v && v->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    return DispatchOwn(nID, nCode, pCmdUI);
}

// ---- CMDIFrameWnd ----

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, UINT dwDefaultStyle, CWnd*)
{
    m_nIDResource = nIDResource;
    m_dwStyle = dwDefaultStyle;
    auto* w = new MainWindowWidget(this);
    m_pMdiArea = new QMdiArea(w);
    m_pMdiArea->setViewMode(QMdiArea::SubWindowView);
    m_pMdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    w->setCentralWidget(m_pMdiArea);
    w->setDockOptions(QMainWindow::AnimatedDocks);
    SetWidget(w);
    // The frame's picture is the program's icon, for this window and every other one
    // (dialogs, message boxes, child frames) instead of the toolkit's logo.
    if (const AfxResourceTable* res = AfxGetResourceTable()) {
        const QString path = res->BitmapPath(nIDResource);
        const QIcon icon = path.isEmpty() ? QIcon() : QIcon(path);
        if (!icon.isNull()) {
            QApplication::setWindowIcon(icon);
            w->setWindowIcon(icon);
        }
    }
    m_strAppTitle = AfxLoadString(nIDResource).section(QLatin1Char('\n'), 0, 0);
    m_strTitle = m_strAppTitle;
    w->setWindowTitle(m_strAppTitle);
    w->resize(1280, 900);
    QObject::connect(m_pMdiArea, &QMdiArea::subWindowActivated, w, [this](QMdiSubWindow* sub) {
        ChildActivated(dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(sub)));
    });
    BuildMenu(nIDResource);
    InstallAccelerators(nIDResource);
    if (OnCreate() == -1) {
        DestroyWindow();
        return FALSE;
    }
    // Bars follow the state of the commands, as after every message.
    auto* idle = new QTimer(w);
    idle->setInterval(150);
    QObject::connect(idle, &QTimer::timeout, w, [this] { UpdateControlBars(); });
    idle->start();
    return TRUE;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const { return m_pActiveChild; }

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    return m_pActiveChild ? static_cast<CFrameWnd*>(m_pActiveChild) : this;
}

CView* CMDIFrameWnd::GetActiveView() const
{
    return m_pActiveChild ? m_pActiveChild->GetActiveView() : nullptr;
}

CDocument* CMDIFrameWnd::GetActiveDocument() const
{
    return m_pActiveChild ? m_pActiveChild->GetActiveDocument() : nullptr;
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetChildFrames() const
{
    std::vector<CMDIChildWnd*> out;
    if (!m_pMdiArea)
        return out;
    for (QMdiSubWindow* s : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(s)))
            out.push_back(c);
    return out;
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* pChild)
{
    if (!pChild || !m_pMdiArea)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(pChild->GetWidget()))
        m_pMdiArea->setActiveSubWindow(sub);
    // The area may not report activation while the window is hidden.
    ChildActivated(pChild);
}

void CMDIFrameWnd::ChildActivated(CMDIChildWnd* pChild)
{
    if (!pChild && m_pMdiArea && !m_pMdiArea->subWindowList().isEmpty() && m_pActiveChild) {
        // Activation moved outside the area (a tool window): keep the child.
        bool alive = false;
        for (CMDIChildWnd* c : GetChildFrames())
            alive = alive || c == m_pActiveChild;
        if (alive)
            return;
    }
    m_pActiveChild = pChild;
    UpdateMenu();
    OnUpdateFrameTitle(TRUE);
    OnActiveChildChanged();
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    QString title = m_strAppTitle;
    if (bAddToTitle && m_pActiveChild && m_pActiveChild->GetWidget())
        title += QStringLiteral(" - [") + m_pActiveChild->GetWindowText() + QStringLiteral("]");
    if (GetWidget())
        GetWidget()->setWindowTitle(title);
}

void CMDIFrameWnd::UpdateMenu()
{
    const UINT id = m_pActiveChild ? m_pActiveChild->GetMenuId() : m_nIDResource;
    if (id != m_nCurrentMenu)
        BuildMenu(id);
}

void CMDIFrameWnd::BuildMenu(UINT menuId)
{
    auto* mw = qobject_cast<QMainWindow*>(GetWidget());
    const AfxResourceTable* res = AfxGetResourceTable();
    const MenuTemplate* tmpl = res ? res->FindMenu(menuId) : nullptr;
    if (!mw || !tmpl)
        return;
    m_nCurrentMenu = menuId;
    QMenuBar* bar = mw->menuBar();
    bar->clear();
    std::function<void(QMenu*, const std::vector<MenuItemTemplate>&)> fill =
        [&](QMenu* menu, const std::vector<MenuItemTemplate>& items) {
            for (const MenuItemTemplate& it : items) {
                if (it.kind == MenuItemTemplate::Separator) {
                    menu->addSeparator();
                } else if (it.kind == MenuItemTemplate::Popup) {
                    QMenu* sub = menu->addMenu(it.text);
                    QObject::connect(sub, &QMenu::aboutToShow, sub, [this, sub] { UpdateMenuItems(sub); });
                    fill(sub, it.items);
                } else {
                    QAction* a = menu->addAction(it.text);
                    a->setData(it.id);
                    const QString prompt = AfxLoadString(it.id);
                    a->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
                    const UINT id = it.id;
                    QObject::connect(a, &QAction::triggered, a, [this, id] { OnCmdMsg(id, CN_COMMAND, nullptr); });
                }
            }
        };
    for (const MenuItemTemplate& popup : tmpl->popups) {
        QMenu* m = bar->addMenu(popup.text);
        QObject::connect(m, &QMenu::aboutToShow, m, [this, m] { UpdateMenuItems(m); });
        fill(m, popup.items);
    }
    // The menu state is known before any menu opens.
    for (QMenu* m : bar->findChildren<QMenu*>())
        UpdateMenuItems(m);
}

void CMDIFrameWnd::UpdateMenuItems(QMenu* menu)
{
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || a->menu() || !a->data().isValid())
            continue;
        CCmdUI ui(a->data().toUInt());
        ui.DoUpdate(this, TRUE);
        ApplyCmdUI(a, ui);
    }
}

QAction* CMDIFrameWnd::FindMenuItem(UINT nID) const
{
    auto* mw = qobject_cast<QMainWindow*>(GetWidget());
    if (!mw)
        return nullptr;
    for (QMenu* m : mw->menuBar()->findChildren<QMenu*>())
        for (QAction* a : m->actions())
            if (!a->menu() && a->data().isValid() && a->data().toUInt() == nID)
                return a;
    return nullptr;
}

void CMDIFrameWnd::InstallAccelerators(UINT id)
{
    const AfxResourceTable* res = AfxGetResourceTable();
    const AccelTableTemplate* acc = res ? res->FindAccelerators(id) : nullptr;
    if (!acc || !GetWidget())
        return;
    for (const AccelTemplate& k : acc->keys) {
        auto* sc = new QShortcut(QKeySequence(k.key), GetWidget());
        sc->setContext(Qt::WindowShortcut);
        const UINT cmd = k.id;
        QObject::connect(sc, &QShortcut::activated, GetWidget(), [this, cmd] {
            CCmdUI ui(cmd);
            ui.DoUpdate(this, TRUE);
            if (ui.m_bEnabled)
                OnCmdMsg(cmd, CN_COMMAND, nullptr);
        });
    }
}

void CMDIFrameWnd::AddControlBar(CControlBar* pBar, UINT dwAlign)
{
    CFrameWnd::AddControlBar(pBar, dwAlign);
    auto* mw = qobject_cast<QMainWindow*>(GetWidget());
    if (!mw || !pBar->GetWidget())
        return;
    if (auto* tb = qobject_cast<QToolBar*>(pBar->GetWidget())) {
        tb->setObjectName(QStringLiteral("bar%1").arg(pBar->GetDlgCtrlID()));
        mw->addToolBar(Qt::TopToolBarArea, tb);
        pBar->m_pContainer = tb;
        return;
    }
    if (pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR) {
        pBar->m_pContainer = pBar->GetWidget();
        return;
    }
    auto* dock = new QDockWidget(mw);
    dock->setObjectName(QStringLiteral("bar%1").arg(pBar->GetDlgCtrlID()));
    dock->setWidget(pBar->GetWidget());
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    if (auto* db = dynamic_cast<CDialogBar*>(pBar))
        dock->setWindowTitle(db->m_strCaption);
    UpdateDockTitle(dock);
    QObject::connect(dock, &QDockWidget::topLevelChanged, dock, [dock] { UpdateDockTitle(dock); });
    pBar->m_pContainer = dock;
    mw->addDockWidget(AreaOf(dwAlign), dock, (dwAlign & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) ? Qt::Horizontal : Qt::Vertical);
}

void CMDIFrameWnd::DockControlBar(CControlBar* pBar, UINT)
{
    if (auto* dock = qobject_cast<QDockWidget*>(pBar ? pBar->m_pContainer : nullptr)) {
        const Qt::DockWidgetAreas allowed = AreasOf(pBar->GetDockStyle());
        dock->setAllowedAreas(allowed ? allowed : Qt::AllDockWidgetAreas);
    }
    if (auto* tb = qobject_cast<QToolBar*>(pBar ? pBar->m_pContainer : nullptr)) {
        const Qt::DockWidgetAreas allowed = AreasOf(pBar->GetDockStyle());
        tb->setAllowedAreas(allowed ? Qt::ToolBarAreas(int(allowed)) : Qt::AllToolBarAreas);
    }
}

void CMDIFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
}

void CMDIFrameWnd::SaveBarState(const QString& section) const
{
    auto* mw = qobject_cast<QMainWindow*>(GetWidget());
    if (!mw)
        return;
    AfxWriteProfileString(section, QStringLiteral("Layout"), QString::fromLatin1(mw->saveState().toBase64()));
    // Whether the user shows each bar, also while the window is minimised or going away.
    for (CControlBar* b : m_bars) {
        const QWidget* c = b->m_pContainer ? b->m_pContainer : b->GetWidget();
        AfxWriteProfileInt(section + QStringLiteral("-Bar%1").arg(b->GetDlgCtrlID()), QStringLiteral("Visible"),
                           c && !c->isHidden() ? 1 : 0);
    }
}

void CMDIFrameWnd::LoadBarState(const QString& section)
{
    auto* mw = qobject_cast<QMainWindow*>(GetWidget());
    if (!mw)
        return;
    const QString layout = AfxGetProfileString(section, QStringLiteral("Layout"));
    if (!layout.isEmpty())
        mw->restoreState(QByteArray::fromBase64(layout.toLatin1()));
    for (CControlBar* b : m_bars) {
        const int v = int(AfxGetProfileInt(section + QStringLiteral("-Bar%1").arg(b->GetDlgCtrlID()),
                                           QStringLiteral("Visible"), -1));
        if (v != -1)
            ShowControlBar(b, v != 0, FALSE);
        if (auto* dock = qobject_cast<QDockWidget*>(b->m_pContainer))
            UpdateDockTitle(dock);
    }
}

void CMDIFrameWnd::DragAcceptFiles(BOOL bAccept)
{
    if (auto* mw = dynamic_cast<MainWindowWidget*>(GetWidget())) {
        mw->m_acceptDrops = bAccept;
        mw->setAcceptDrops(bAccept);
    }
}

void CMDIFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && !app->SaveAllModified())
        return;
    if (app)
        app->CloseAllDocuments(FALSE);
    DestroyWindow();
    if (app && app->m_pMainWnd == this)
        app->OnMainWindowClosed();
}

void CMDIFrameWnd::UpdateControlBars()
{
    CFrameWnd::UpdateControlBars();
    if (m_pActiveChild)
        m_pActiveChild->UpdateControlBars();
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (m_pActiveChild && m_pActiveChild->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    if (DispatchOwn(nID, nCode, pCmdUI))
        return TRUE;
    if (OnFrameCommand(nID, nCode, pCmdUI))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pCmdUI);
}

BOOL CMDIFrameWnd::OnFrameCommand(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    // The frame's own bars and exit.
    if (nID == ID_VIEW_TOOLBAR || nID == ID_VIEW_STATUS_BAR) {
        CControlBar* bar = GetControlBar(nID);
        if (!bar)
            return FALSE;
        if (nCode == CN_COMMAND)
            ShowControlBar(bar, !bar->IsVisible(), FALSE);
        else if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI)
            pCmdUI->SetCheck(bar->IsVisible());
        return TRUE;
    }
    if (nID == ID_APP_EXIT) {
        if (nCode == CN_COMMAND)
            QTimer::singleShot(0, GetWidget(), [this] { OnClose(); });
        return nCode != CN_UPDATE_COMMAND_UI;
    }
    return FALSE;
}

// ---- CMDIChildWnd ----

CMDIChildWnd::CMDIChildWnd() = default;
CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, UINT dwDefaultStyle, CWnd* pParent, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    m_pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pParent);
    if (!m_pMDIFrame || !m_pMDIFrame->GetMdiArea())
        return FALSE;
    UINT style = dwDefaultStyle;
    if (!PreCreateWindow(style))
        return FALSE;
    m_dwStyle = style;
    auto* sub = new ChildFrameWidget();
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & 0x00020000) flags |= Qt::WindowMinimizeButtonHint;
    if (style & 0x00010000) flags |= Qt::WindowMaximizeButtonHint;
    if (style & 0x00080000) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    sub->setWindowFlags(flags);
    auto* content = new QWidget();
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pBarHolder = new QWidget(content);
    auto* barLayout = new BarStripLayout(m_pBarHolder);
    barLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBarHolder);
    auto* viewHolder = new QWidget(content);
    auto* viewLayout = new QVBoxLayout(viewHolder);
    viewLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewHolder, 1);
    sub->setWidget(content);
    SetViewHolder(viewHolder);
    SetWidget(sub);
    m_pMDIFrame->GetMdiArea()->addSubWindow(sub);
    sub->hide();
    m_pCreateContext = pContext;
    const int rc = OnCreate();
    m_pCreateContext = nullptr;
    if (rc == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = (m_dwStyle & 0x01000000) ? SW_SHOWMAXIMIZED : SW_SHOW;
    ShowWindow(nCmdShow);
    if (m_pMDIFrame)
        m_pMDIFrame->MDIActivate(this);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CDocument* doc = GetActiveDocument();
    if (bAddToTitle && doc) {
        QString t = doc->GetTitle();
        if (m_nWindow > 0)
            t += QStringLiteral(":%1").arg(m_nWindow);
        SetWindowText(t);
    }
    if (m_pMDIFrame)
        m_pMDIFrame->OnUpdateFrameTitle(bAddToTitle);
}

void CMDIChildWnd::AddControlBar(CControlBar* pBar, UINT dwAlign)
{
    CFrameWnd::AddControlBar(pBar, dwAlign);
    if (m_pBarHolder && pBar->GetWidget()) {
        m_pBarHolder->layout()->addWidget(pBar->GetWidget());
        pBar->m_pContainer = pBar->GetWidget();
    }
}

void CMDIChildWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd::ShowControlBar(pBar, bShow, bDelay);
}

void CMDIChildWnd::OnClose()
{
    CFrameWnd::OnClose();
}

BOOL CMDIChildWnd::DestroyWindow()
{
    // The area hands the maximised state on only from a window it sees going while still
    // whole; this one is gone before it looks, so the next window in front takes it here.
    QMdiArea* area = m_pMDIFrame ? m_pMDIFrame->GetMdiArea() : nullptr;
    const QWidget* sub = GetWidget();
    const bool maximised = area && sub && area->activeSubWindow() == sub && sub->isMaximized();
    const BOOL destroyed = CFrameWnd::DestroyWindow();    // may delete this
    if (QMdiSubWindow* next = maximised ? area->activeSubWindow() : nullptr; next && !next->isMaximized())
        next->showMaximized();
    return destroyed;
}

void CMDIChildWnd::OnDestroy()
{
    // Views go with the frame; they leave their document first.
    m_pActiveView = nullptr;
    if (m_pMDIFrame && m_pMDIFrame->m_pActiveChild == this) {
        m_pMDIFrame->m_pActiveChild = nullptr;
        // The area chose none: the one used last before this one.
        CMDIChildWnd* next = nullptr;
        for (QMdiSubWindow* s : m_pMDIFrame->GetMdiArea()->subWindowList(QMdiArea::ActivationHistoryOrder))
            if (auto* c = dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(s)); c && c != this)
                next = c;
        m_pMDIFrame->ChildActivated(next);
    }
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    // View, document, then this frame; the main frame comes after.
    return CFrameWnd::OnCmdMsg(nID, nCode, pCmdUI);
}
