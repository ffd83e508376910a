#include "framework/cmdtarget.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bHandled = false;
    if (!pTarget)
        return;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this)) {
        m_bHandled = true;
        return;
    }
    const bool hasCommand = pTarget->OnCmdMsg(m_nID, CN_PROBE_COMMAND, nullptr);
    if (bDisableIfNoHandler)
        Enable(hasCommand);
}

void CCmdTarget::HandleCommandRange(UINT first, UINT last, std::function<void(UINT)> fn)
{
    for (UINT id = first; id <= last; ++id)
        m_commands[id] = [fn, id] { fn(id); };
}

void CCmdTarget::HandleUpdateRange(UINT first, UINT last, UpdateFn fn)
{
    for (UINT id = first; id <= last; ++id)
        m_updates[id] = fn;
}

BOOL CCmdTarget::DispatchOwn(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (nCode == CN_UPDATE_COMMAND_UI) {
        auto it = m_updates.find(nID);
        if (it == m_updates.end() || !pCmdUI)
            return FALSE;
        it->second(pCmdUI);
        return TRUE;
    }
    auto it = m_commands.find(nID);
    if (it == m_commands.end())
        return FALSE;
    if (nCode == CN_COMMAND) {
        // Copy: a handler may replace its own entry while it runs.
        CommandFn fn = it->second;
        fn();
    }
    return TRUE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return DispatchOwn(nID, nCode, pCmdUI);
}
