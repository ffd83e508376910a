// Popup menus: items are kept as data, so a menu can be filled and emptied
// without a window; tracking shows it and sends the chosen item as a command.
#pragma once

#include <functional>
#include <vector>
#include <QString>
#include "framework/types.h"

class CWnd;

enum : UINT {
    MF_STRING = 0x0, MF_BYCOMMAND = 0x0, MF_GRAYED = 0x1, MF_DISABLED = 0x2, MF_CHECKED = 0x8,
    MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800
};
enum : UINT {
    TPM_LEFTALIGN = 0x0, TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2, TPM_CENTERALIGN = 0x4,
    TPM_RIGHTALIGN = 0x8, TPM_RETURNCMD = 0x100
};

class CMenu {
public:
    struct Item {
        UINT flags = MF_STRING;
        UINT id = 0;
        QString text;
    };

    BOOL CreatePopupMenu() { m_items.clear(); m_bCreated = true; return TRUE; }
    BOOL DestroyMenu() { m_items.clear(); m_bCreated = false; return TRUE; }
    bool IsCreated() const { return m_bCreated; }
    BOOL AppendMenu(UINT nFlags, UINT nIDNewItem = 0, const QString& text = QString());
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return DeleteMenu(nPosition, nFlags); }
    int GetMenuItemCount() const { return m_bCreated ? int(m_items.size()) : -1; }
    UINT GetMenuItemID(int nPos) const;
    QString GetMenuString(UINT nIDItem, UINT nFlags) const;
    const std::vector<Item>& Items() const { return m_items; }

    // Shows the menu at a screen point. The chosen item goes to pOwner as WM_COMMAND,
    // or with TPM_RETURNCMD is returned instead; 0 when nothing was chosen.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pOwner);

private:
    std::vector<Item> m_items;
    bool m_bCreated = false;
    int Find(UINT nPosition, UINT nFlags) const;
};

// Test hook: answers for a person which item of a tracked menu is chosen (0: none).
using PopupMenuHook = std::function<UINT(const CMenu& menu)>;
void AfxSetPopupMenuHook(PopupMenuHook hook);
