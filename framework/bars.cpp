#include "framework/bars.h"
#include "framework/dialog.h"
#include "framework/frame.h"
#include "framework/resource.h"
#include "framework/wnd_p.h"
#include "framework/cmdids.h"
#include <QMainWindow>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)
IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BOOL CControlBar::IsVisible() const
{
    // On screen, not merely not hidden: a bar in a minimised child frame is not visible.
    const QWidget* c = m_pContainer ? m_pContainer : GetWidget();
    return c && c->isVisible();
}

// ---- tool bar ----

BOOL CToolBar::Create(CFrameWnd* pParent, UINT dwStyle, UINT nID)
{
    m_pOwnerFrame = pParent;
    m_dwStyle = dwStyle;
    m_pToolBar = new QToolBar(pParent ? pParent->GetWidget() : nullptr);
    m_pToolBar->setIconSize(QSize(16, 15));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Attach(m_pToolBar, nID);
    if (pParent)
        pParent->AddControlBar(this, dwStyle);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const AfxResourceTable* res = AfxGetResourceTable();
    const ToolBarTemplate* t = res ? res->FindToolBar(nIDResource) : nullptr;
    if (!t || !m_pToolBar)
        return FALSE;
    for (UINT id : t->buttons) {
        if (id == 0) {
            m_pToolBar->addSeparator();
            continue;
        }
        const QString prompt = AfxLoadString(id);
        QAction* a = m_pToolBar->addAction(prompt.section(QLatin1Char('\n'), 1, 1));
        const QString path = res->BitmapPath(id);
        if (!path.isEmpty())
            a->setIcon(QIcon(path));
        a->setData(id);
        a->setToolTip(prompt.section(QLatin1Char('\n'), 1, 1));
        a->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        QObject::connect(a, &QAction::triggered, m_pToolBar, [this, id] {
            if (m_pOwnerFrame)
                m_pOwnerFrame->OnCmdMsg(id, CN_COMMAND, nullptr);
        });
    }
    return TRUE;
}

QAction* CToolBar::FindButton(UINT nID) const
{
    if (!m_pToolBar)
        return nullptr;
    for (QAction* a : m_pToolBar->actions())
        if (a->data().isValid() && a->data().toUInt() == nID)
            return a;
    return nullptr;
}

std::vector<UINT> CToolBar::GetButtonIds() const
{
    std::vector<UINT> ids;
    if (m_pToolBar)
        for (QAction* a : m_pToolBar->actions())
            ids.push_back(a->isSeparator() ? 0u : a->data().toUInt());
    return ids;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_pToolBar || !pTarget)
        return;
    for (QAction* a : m_pToolBar->actions()) {
        if (a->isSeparator())
            continue;
        CCmdUI ui(a->data().toUInt());
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
        a->setEnabled(ui.m_bEnabled);
        if (ui.m_bCheckSet) {
            a->setCheckable(true);
            a->setChecked(ui.m_nCheck != 0);
        }
    }
}

// ---- status bar ----

BOOL CStatusBar::Create(CFrameWnd* pParent, UINT dwStyle, UINT nID)
{
    m_pOwnerFrame = pParent;
    m_dwStyle = dwStyle;
    auto* mw = pParent ? qobject_cast<QMainWindow*>(pParent->GetWidget()) : nullptr;
    m_pStatusBar = mw ? mw->statusBar() : new QStatusBar();
    // A menu item's prompt is cleared when the pointer leaves it or the menu closes:
    // the idle message comes back rather than a blank line.
    QObject::connect(m_pStatusBar, &QStatusBar::messageChanged, m_pStatusBar, [bar = m_pStatusBar](const QString& text) {
        const QString idle = AfxLoadString(AFX_IDS_IDLE_MESSAGE_ID);
        if (text.isEmpty() && !idle.isEmpty())
            bar->showMessage(idle);
    });
    Attach(m_pStatusBar, nID);
    if (pParent)
        pParent->AddControlBar(this, dwStyle);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_indicators.assign(lpIDArray, lpIDArray + nIDCount);
    if (m_pStatusBar)
        m_pStatusBar->showMessage(AfxLoadString(AFX_IDS_IDLE_MESSAGE_ID));
    return TRUE;
}

BOOL CStatusBar::SetPaneText(int nIndex, const QString& text)
{
    if (!m_pStatusBar || nIndex != 0)
        return FALSE;
    m_pStatusBar->showMessage(text);
    return TRUE;
}

QString CStatusBar::GetPaneText(int nIndex) const
{
    return m_pStatusBar && nIndex == 0 ? m_pStatusBar->currentMessage() : QString();
}

// ---- dialog bar ----

namespace {
// The bar's widget; clicks of its buttons become commands of the owner frame.
class DialogBarWidget : public WndWidget {
public:
    using WndWidget::WndWidget;
};
}

BOOL CDialogBar::Create(CFrameWnd* pParent, UINT nIDTemplate, UINT nStyle, UINT nID)
{
    m_pOwnerFrame = pParent;
    m_dwStyle = nStyle;
    m_nIDTemplate = nIDTemplate;
    const DialogTemplate* t = AfxFindDialogTemplate(nIDTemplate);
    if (!t || !pParent)
        return FALSE;
    auto* w = new DialogBarWidget(this, pParent->GetWidget());
    w->setFocusPolicy(Qt::NoFocus);
    m_nID = nID;
    SetWidget(w);
    auto* host = new CTemplateHost;
    m_host.reset(host);
    host->Build(this, nIDTemplate);
    m_strCaption = t->caption;
    pParent->AddControlBar(this, nStyle);
    // A bar without controls would be an empty strip that looks like no bar at all.
    if (t->controls.empty())
        pParent->ShowControlBar(this, FALSE, FALSE);
    OnCreate();
    return TRUE;
}

CWnd* CDialogBar::GetControl(int nID) const { return m_host ? m_host->Control(nID) : nullptr; }

std::vector<int> CDialogBar::RadioGroup(int nID) const
{
    return m_host ? m_host->RadioGroup(nID) : std::vector<int>{};
}

BOOL CDialogBar::UpdateData(BOOL bSaveAndValidate)
{
    return AfxRunDataExchange(this, bSaveAndValidate, [this](CDataExchange* pDX) { DoDataExchange(pDX); });
}

LRESULT CDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        // Buttons of a bar command the frame that owns it.
        const UINT id = UINT(wParam & 0xFFFF);
        const UINT code = UINT((wParam >> 16) & 0xFFFF);
        if (code == BN_CLICKED && m_pOwnerFrame)
            return m_pOwnerFrame->OnCmdMsg(id, CN_COMMAND, nullptr);
        return 0;
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (!m_host || !m_host->Template() || !pTarget)
        return;
    for (const ControlTemplate& c : m_host->Template()->controls) {
        if (c.kind != CtlKind::PushButton && c.kind != CtlKind::RadioButton && c.kind != CtlKind::CheckBox)
            continue;
        auto* b = dynamic_cast<CButton*>(m_host->Control(c.id));
        if (!b)
            continue;
        CCmdUI ui(UINT(c.id));
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
        // A bar button whose command nobody handles keeps its template state.
        if (!ui.m_bHandled && !pTarget->OnCmdMsg(UINT(c.id), CN_PROBE_COMMAND, nullptr) && (c.flags & CF_DISABLED))
            continue;
        b->EnableWindow(ui.m_bEnabled);
        if (ui.m_bCheckSet)
            b->SetCheck(ui.m_nCheck);
        if (ui.m_bTextSet)
            b->SetWindowText(ui.m_strText);
    }
}
