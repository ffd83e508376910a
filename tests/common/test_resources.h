// A resource table holding just the dialog templates a test gives it; the
// previous table comes back when it goes.
#pragma once

#include <map>
#include "framework/resource.h"

class TestResources : public AfxResourceTable {
public:
    explicit TestResources(std::vector<DialogTemplate> dialogs) : m_previous(AfxGetResourceTable())
    {
        for (DialogTemplate& d : dialogs)
            m_dialogs.emplace(d.id, std::move(d));
        AfxSetResourceTable(this);
    }
    ~TestResources() override { AfxSetResourceTable(m_previous); }
    QString LoadString(UINT) const override { return {}; }
    const DialogTemplate* FindDialog(UINT id) const override
    {
        auto it = m_dialogs.find(id);
        return it == m_dialogs.end() ? nullptr : &it->second;
    }
    const MenuTemplate* FindMenu(UINT) const override { return nullptr; }
    const ToolBarTemplate* FindToolBar(UINT) const override { return nullptr; }
    const AccelTableTemplate* FindAccelerators(UINT) const override { return nullptr; }
    QString BitmapPath(UINT) const override { return {}; }
private:
    const AfxResourceTable* m_previous;
    std::map<UINT, DialogTemplate> m_dialogs;
};
