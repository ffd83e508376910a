#include "framework/wnd.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QGuiApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

QPainter* WndWidget::s_currentPainter = nullptr;

namespace {
const char* const kWndProperty = "mvCWnd";

// Shift and Ctrl as they were when the input event being handled happened; GetKeyState
// answers from them, as the Windows key state follows its message queue.
int g_inputDepth = 0;
Qt::KeyboardModifiers g_inputModifiers;
struct InputModifiers {
    Qt::KeyboardModifiers saved;
    int savedDepth;
    explicit InputModifiers(Qt::KeyboardModifiers m) : saved(g_inputModifiers), savedDepth(g_inputDepth)
    {
        g_inputModifiers = m;
        ++g_inputDepth;
    }
    ~InputModifiers()
    {
        g_inputModifiers = saved;
        g_inputDepth = savedDepth;
    }
};

// A top-level window or a child frame: it has a caption and a normal, maximised or minimised state.
bool HasFrame(const QWidget* w)
{
    return w->isWindow() || w->windowType() == Qt::SubWindow;
}

UINT mouseFlags(const QMouseEvent* e)
{
    UINT f = 0;
    if (e->buttons() & Qt::LeftButton) f |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) f |= MK_RBUTTON;
    if (e->buttons() & Qt::MiddleButton) f |= MK_MBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) f |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}
}

void AfxMakeDialogWindow(QWidget* w, Qt::WindowType kind)
{
    w->setWindowFlags(AfxDialogWindowFlags(kind));
    if (QLayout* layout = w->layout()) {
        layout->setSizeConstraint(QLayout::SetFixedSize);
        // Fixed now, so that the window manager sees it so when the window first maps.
        layout->activate();
    }
}

UINT AfxQtKeyToVk(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return UINT('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return UINT('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + UINT(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return UINT(key & 0xFFFF);
    }
}

void WndWidget::paintEvent(QPaintEvent* ev)
{
    QPainter painter(this);
    // The DC's clip box is then the invalid part, as in a paint handler on Windows.
    painter.setClipRegion(ev->region());
    QPainter* previous = s_currentPainter;
    s_currentPainter = &painter;
    m_wnd->OnPaint();
    s_currentPainter = previous;
}

bool WndBridge::eventFilter(QObject* obj, QEvent* ev)
{
    CWnd* w = m_wnd;
    if (obj != w->GetWidget())
        return false;
    auto runDefault = [w](auto&& call) {
        w->m_bDefault = false;
        call();
        return !w->m_bDefault;      // eaten unless the handler passed it on
    };
    switch (ev->type()) {
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(ev);
        // Enter, Escape and Tab in a standard control belong to its dialog first.
        const int key = ke->key();
        const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        if (!dynamic_cast<WndWidget*>(obj) && (tab || key == Qt::Key_Return || key == Qt::Key_Enter
                || key == Qt::Key_Escape)
                && !(w->OnGetDlgCode() & (DLGC_WANTALLKEYS | (tab ? DLGC_WANTTAB : 0u))))
            return false;
        const InputModifiers state(ke->modifiers());
        return w->DispatchKey(AfxQtKeyToVk(ke->key()), ke->text(),
                              ke->isAutoRepeat() ? 0x4000u : 0u);
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(ev);
        const InputModifiers state(ke->modifiers());
        return runDefault([&] { w->OnKeyUp(AfxQtKeyToVk(ke->key()), 1, 0); });
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(ev);
        const CPoint pt(int(me->position().x()), int(me->position().y()));
        const UINT f = mouseFlags(me);
        const InputModifiers state(me->modifiers());
        return runDefault([&] {
            if (ev->type() == QEvent::MouseMove)
                w->OnMouseMove(f, pt);
            else if (ev->type() == QEvent::MouseButtonDblClick && me->button() == Qt::LeftButton)
                w->OnLButtonDblClk(f, pt);
            else if (ev->type() != QEvent::MouseButtonRelease && me->button() == Qt::LeftButton)
                w->OnLButtonDown(f, pt);
            else if (ev->type() == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton)
                w->OnLButtonUp(f, pt);
            else if (ev->type() != QEvent::MouseButtonRelease && me->button() == Qt::RightButton)
                w->OnRButtonDown(f, pt);
            else if (ev->type() == QEvent::MouseButtonRelease && me->button() == Qt::RightButton)
                w->OnRButtonUp(f, pt);
            else
                w->Default();
        });
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(ev);
        const CPoint pt(int(we->position().x()), int(we->position().y()));
        return runDefault([&] { w->OnMouseWheel(0, short(we->angleDelta().y()), pt); });
    }
    case QEvent::Resize: {
        auto* re = static_cast<QResizeEvent*>(ev);
        w->OnSize(0, re->size().width(), re->size().height());
        return false;
    }
    case QEvent::Show:
        w->OnShowWindow(TRUE, 0);
        return false;
    case QEvent::Hide: {
        // A window hidden and shown again comes back where it was: without a position of its
        // own a dialog is placed anew over its parent, and the frame's offset is lost on the way.
        QWidget* widget = w->GetWidget();
        if (widget->isWindow() && !ev->spontaneous())
            widget->move(widget->pos());
        w->OnShowWindow(FALSE, 0);
        return false;
    }
    case QEvent::FocusIn:
        w->OnSetFocus(nullptr);
        return false;
    case QEvent::FocusOut:
        w->OnKillFocus(nullptr);
        return false;
    case QEvent::Close:
        if (!w->GetWidget()->parentWidget() || w->GetWidget()->isWindow()) {
            ev->ignore();
            w->OnClose();
            return true;
        }
        return false;
    default:
        return false;
    }
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    for (auto& [id, t] : m_timers)
        delete t;
    m_timers.clear();
    if (m_pWidget) {
        QWidget* w = m_pWidget;
        m_pWidget->setProperty(kWndProperty, QVariant());
        QObject::disconnect(w, nullptr, m_pBridge, nullptr);
        w->removeEventFilter(m_pBridge);
        m_pWidget = nullptr;
        if (m_bOwnsWidget)
            delete w;
    }
    delete m_pBridge;
}

void CWnd::SetWidget(QWidget* w)
{
    if (!m_pBridge)
        m_pBridge = new WndBridge(this);
    m_pWidget = w;
    if (!w)
        return;
    w->setProperty(kWndProperty, QVariant::fromValue<void*>(this));
    w->installEventFilter(m_pBridge);
    QObject::connect(w, &QObject::destroyed, m_pBridge, [this] {
        // The widget went with its parent: the window is gone.
        m_pWidget = nullptr;
        for (auto& [id, t] : m_timers)
            delete t;
        m_timers.clear();
        OnDestroy();
        PostNcDestroy();
    });
}

CWnd* CWnd::FromWidget(const QWidget* w)
{
    if (!w)
        return nullptr;
    const QVariant v = w->property(kWndProperty);
    return v.isValid() ? static_cast<CWnd*>(v.value<void*>()) : nullptr;
}

BOOL CWnd::CreateEx(CWnd* pParent, const CRect& rect, UINT nID, bool popup)
{
    QWidget* parent = pParent ? pParent->GetWidget() : nullptr;
    auto* w = new WndWidget(this, parent);
    if (popup) {
        // An owned popup stays above its owner. X11 makes only a tool or dialog window
        // transient for its parent, and a window manager keeps a transient above an owner
        // already on screen but not above one mapped after it (the splash comes before
        // the main window), so such a popup is also kept on top.
        Qt::WindowFlags flags = Qt::FramelessWindowHint;
        flags |= parent ? Qt::Tool | Qt::WindowStaysOnTopHint : Qt::Window;
        w->setWindowFlags(flags);
    }
    m_nID = nID;
    m_bOwnsWidget = true;
    SetWidget(w);
    if (!rect.IsRectEmpty())
        w->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    if (OnCreate() == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void CWnd::Attach(QWidget* w, UINT nID)
{
    m_nID = nID;
    m_bOwnsWidget = false;      // its parent widget owns it
    SetWidget(w);
}

QWidget* CWnd::Detach()
{
    QWidget* w = m_pWidget;
    if (w) {
        w->setProperty(kWndProperty, QVariant());
        QObject::disconnect(w, nullptr, m_pBridge, nullptr);
        w->removeEventFilter(m_pBridge);
    }
    m_pWidget = nullptr;
    return w;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* pCtl = pParent ? pParent->GetDlgItem(int(nID)) : nullptr;
    if (!pCtl || pCtl == this)
        return pCtl != nullptr;
    QWidget* w = pCtl->Detach();
    Attach(w, nID);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_pWidget)
        return FALSE;
    // Deleting the widget runs OnDestroy and PostNcDestroy through its
    // destroyed signal; PostNcDestroy may delete this object.
    QWidget* w = m_pWidget;
    delete w;
    return TRUE;
}

CWnd* CWnd::GetParent() const
{
    for (QWidget* p = m_pWidget ? m_pWidget->parentWidget() : nullptr; p; p = p->parentWidget())
        if (CWnd* wnd = FromWidget(p); wnd && !p->property("mvNotParent").toBool())
            return wnd;
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_pWidget)
        return nullptr;
    return FromWidget(m_pWidget->window());
}

namespace {
// The window's own controls first: layout containers and group boxes are walked through,
// but not other windows, whose children (a table's edit and scroll bars) have ids of their own.
CWnd* FindOwnControl(QWidget* parent, int nID)
{
    for (QObject* o : parent->children()) {
        auto* c = qobject_cast<QWidget*>(o);
        if (!c)
            continue;
        CWnd* wnd = CWnd::FromWidget(c);
        if (wnd && int(wnd->GetDlgCtrlID()) == nID)
            return wnd;
        if (!wnd || qobject_cast<QGroupBox*>(c))
            if (CWnd* found = FindOwnControl(c, nID))
                return found;
    }
    return nullptr;
}
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (!m_pWidget)
        return nullptr;
    if (CWnd* own = FindOwnControl(m_pWidget, nID))
        return own;
    // Then anywhere below, as the pages of a property sheet are.
    const QList<QWidget*> children = m_pWidget->findChildren<QWidget*>();
    for (QWidget* c : children) {
        CWnd* wnd = FromWidget(c);
        if (wnd && int(wnd->GetDlgCtrlID()) == nID)
            return wnd;
    }
    return nullptr;
}

void CWnd::SetWindowText(const QString& text)
{
    if (!m_pWidget)
        return;
    if (auto* g = qobject_cast<QGroupBox*>(m_pWidget))
        g->setTitle(text);
    else if (HasFrame(m_pWidget))
        m_pWidget->setWindowTitle(text);
    else
        m_pWidget->setProperty("text", text);
}

QString CWnd::GetWindowText() const
{
    if (!m_pWidget)
        return {};
    if (auto* g = qobject_cast<QGroupBox*>(m_pWidget))
        return g->title();
    if (HasFrame(m_pWidget))
        return m_pWidget->windowTitle();
    const QVariant v = m_pWidget->property("text");
    return v.isValid() ? v.toString() : m_pWidget->windowTitle();
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasVisible = m_pWidget->isVisible();
    switch (nCmdShow) {
    case SW_HIDE: m_pWidget->hide(); break;
    case SW_SHOWMAXIMIZED: m_pWidget->showMaximized(); break;
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: m_pWidget->showMinimized(); break;
    case SW_RESTORE: case SW_SHOWNORMAL:
        if (HasFrame(m_pWidget))
            m_pWidget->showNormal();
        else
            m_pWidget->show();
        break;
    default: m_pWidget->show(); break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const { return m_pWidget && m_pWidget->isVisible(); }
BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasDisabled = !m_pWidget->isEnabled();
    m_pWidget->setEnabled(bEnable);
    return wasDisabled;
}
BOOL CWnd::IsWindowEnabled() const { return m_pWidget && m_pWidget->isEnabled(); }
void CWnd::SetFocus() { if (m_pWidget) m_pWidget->setFocus(); }

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL)
{
    if (m_pWidget)
        m_pWidget->setGeometry(x, y, cx, cy);
}

void CWnd::GetClientRect(CRect* pRect) const
{
    *pRect = m_pWidget ? CRect(0, 0, m_pWidget->width(), m_pWidget->height()) : CRect();
}

void CWnd::GetWindowRect(CRect* pRect) const
{
    if (!m_pWidget) { *pRect = CRect(); return; }
    const QRect g = m_pWidget->frameGeometry();
    const QPoint tl = m_pWidget->isWindow() ? g.topLeft() : m_pWidget->mapToGlobal(QPoint(0, 0));
    *pRect = CRect(tl.x(), tl.y(), tl.x() + g.width(), tl.y() + g.height());
}

void CWnd::ClientToScreen(CPoint* p) const
{
    if (!m_pWidget) return;
    const QPoint q = m_pWidget->mapToGlobal(QPoint(p->x, p->y));
    *p = CPoint(q.x(), q.y());
}

void CWnd::ScreenToClient(CPoint* p) const
{
    if (!m_pWidget) return;
    const QPoint q = m_pWidget->mapFromGlobal(QPoint(p->x, p->y));
    *p = CPoint(q.x(), q.y());
}

void CWnd::Invalidate(BOOL) { if (m_pWidget) m_pWidget->update(); }
void CWnd::InvalidateRect(const CRect* r, BOOL)
{
    if (!m_pWidget) return;
    if (r) m_pWidget->update(r->left, r->top, r->Width(), r->Height());
    else m_pWidget->update();
}
void CWnd::UpdateWindow() { if (m_pWidget) m_pWidget->repaint(); }

void CWnd::CenterWindow(CWnd* pOwner)
{
    if (!m_pWidget) return;
    QRect area;
    QWidget* owner = pOwner ? pOwner->GetWidget() : m_pWidget->parentWidget();
    if (owner && owner->isVisible())
        area = QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size());
    else if (QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    QRect g = m_pWidget->frameGeometry();
    g.moveCenter(area.center());
    m_pWidget->move(g.topLeft());
}

void CWnd::BringWindowToTop() { if (m_pWidget) { m_pWidget->raise(); m_pWidget->activateWindow(); } }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const
{
    if (!m_pWidget || !wp) return FALSE;
    wp->flags = 0;
    wp->showCmd = m_pWidget->isMaximized() ? SW_SHOWMAXIMIZED
                : m_pWidget->isMinimized() ? SW_SHOWMINIMIZED : SW_SHOWNORMAL;
    const QRect n = m_pWidget->isWindow() ? m_pWidget->normalGeometry() : m_pWidget->geometry();
    const QRect r = n.isValid() ? n : m_pWidget->geometry();
    wp->rcNormalPosition = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* wp)
{
    if (!m_pWidget || !wp) return FALSE;
    const CRect& r = wp->rcNormalPosition;
    if (!r.IsRectEmpty()) {
        QRect g(r.left, r.top, r.Width(), r.Height());
        // A place saved on a larger or another screen is brought back onto this one, whole.
        if (m_pWidget->isWindow()) {
            const QScreen* screen = QGuiApplication::screenAt(g.center());
            if (!screen)
                screen = QGuiApplication::primaryScreen();
            if (screen) {
                const QRect avail = screen->availableGeometry();
                g.setSize(g.size().boundedTo(avail.size()));
                g.moveLeft(std::clamp(g.left(), avail.left(), avail.right() + 1 - g.width()));
                g.moveTop(std::clamp(g.top(), avail.top(), avail.bottom() + 1 - g.height()));
            }
        }
        m_pWidget->setGeometry(g);
    }
    m_pWidget->setProperty("mvRestoreMaximized", bool(wp->flags & WPF_RESTORETOMAXIMIZED));
    ShowWindow(int(wp->showCmd));
    return TRUE;
}

BOOL CWnd::IsZoomed() const { return m_pWidget && m_pWidget->isMaximized(); }
BOOL CWnd::IsIconic() const { return m_pWidget && m_pWidget->isMinimized(); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    if (!m_pWidget) return 0;
    KillTimer(nIDEvent);
    auto* t = new QTimer();
    t->setInterval(int(nElapse));
    QObject::connect(t, &QTimer::timeout, m_pBridge, [this, nIDEvent] { OnTimer(nIDEvent); });
    m_timers[nIDEvent] = t;
    t->start();
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end()) return FALSE;
    // Stopped now: its deletion may wait for an event loop that a busy caller never returns to.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pBridge)
        m_pBridge = new WndBridge(this);
    QPointer<WndBridge> guard(m_pBridge);
    QMetaObject::invokeMethod(m_pBridge, [guard, message, wParam, lParam] {
        if (guard) guard->m_wnd->WindowProc(message, wParam, lParam);
    }, Qt::QueuedConnection);
    return TRUE;
}

short CWnd::GetKeyState(int nVirtKey)
{
    const Qt::KeyboardModifiers m = g_inputDepth ? g_inputModifiers : QGuiApplication::queryKeyboardModifiers();
    bool down = false;
    if (nVirtKey == int(VK_SHIFT)) down = m & Qt::ShiftModifier;
    else if (nVirtKey == int(VK_CONTROL)) down = m & Qt::ControlModifier;
    else if (nVirtKey == int(VK_MENU)) down = m & Qt::AltModifier;
    else if (nVirtKey == 0x01) down = QGuiApplication::mouseButtons() & Qt::LeftButton;
    return down ? short(0x8000) : short(0);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = m_messages.find(message);
    if (it != m_messages.end()) {
        MessageFn fn = it->second;
        return fn(wParam, lParam);
    }
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: OnTimer(UINT_PTR(wParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam), 1, 0); return 0;
    case WM_CHAR: OnChar(UINT(wParam), 1, 0); return 0;
    default: return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(UINT(wParam & 0xFFFF), CN_COMMAND, nullptr);
}

void CWnd::OnPaint() {}

bool CWnd::DispatchKey(UINT vk, const QString& text, UINT flags)
{
    m_bDefault = false;
    OnKeyDown(vk, 1, flags);
    if (!m_bDefault)
        return true;
    bool eaten = false;
    bool any = false;
    for (QChar c : text) {
        if (c.unicode() == 127)   // Delete is a key, not a character
            continue;
        any = true;
        m_bDefault = false;
        OnChar(c.unicode(), 1, flags);
        if (!m_bDefault)
            eaten = true;
    }
    return any && eaten;
}
