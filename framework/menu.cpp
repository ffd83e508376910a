#include "framework/menu.h"
#include "framework/wnd.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace {
PopupMenuHook& popupHook()
{
    static PopupMenuHook hook;
    return hook;
}
}

void AfxSetPopupMenuHook(PopupMenuHook hook) { popupHook() = std::move(hook); }

BOOL CMenu::AppendMenu(UINT nFlags, UINT nIDNewItem, const QString& text)
{
    if (!m_bCreated)
        return FALSE;
    m_items.push_back({nFlags, (nFlags & MF_SEPARATOR) ? 0u : nIDNewItem, text});
    return TRUE;
}

int CMenu::Find(UINT nPosition, UINT nFlags) const
{
    if (nFlags & MF_BYPOSITION)
        return nPosition < m_items.size() ? int(nPosition) : -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!(m_items[i].flags & MF_SEPARATOR) && m_items[i].id == nPosition)
            return int(i);
    return -1;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    const int i = Find(nPosition, nFlags);
    if (i < 0)
        return FALSE;
    m_items.erase(m_items.begin() + i);
    return TRUE;
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || size_t(nPos) >= m_items.size())
        return UINT(-1);
    return m_items[size_t(nPos)].id;
}

QString CMenu::GetMenuString(UINT nIDItem, UINT nFlags) const
{
    const int i = Find(nIDItem, nFlags);
    return i < 0 ? QString() : m_items[size_t(i)].text;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pOwner)
{
    if (!m_bCreated || m_items.empty())
        return FALSE;
    UINT chosen = 0;
    if (popupHook()) {
        chosen = popupHook()(*this);
    } else {
        QMenu menu(pOwner ? pOwner->GetWidget() : nullptr);
        for (const Item& item : m_items) {
            if (item.flags & MF_SEPARATOR) {
                menu.addSeparator();
                continue;
            }
            QAction* a = menu.addAction(item.text);
            a->setData(item.id);
            a->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
            if (item.flags & MF_CHECKED) {
                a->setCheckable(true);
                a->setChecked(true);
            }
        }
        if (QAction* a = menu.exec(QPoint(x, y)))
            chosen = a->data().toUInt();
    }
    if (nFlags & TPM_RETURNCMD)
        return BOOL(chosen);
    if (chosen && pOwner)
        pOwner->SendMessage(WM_COMMAND, WPARAM(chosen), 0);
    return chosen != 0;
}
