// Command targets: objects that handle numbered commands and their update
// requests, routed view -> document -> child frame -> main frame -> application.
#pragma once

#include <functional>
#include <unordered_map>
#include <QString>
#include "framework/object.h"
#include "framework/types.h"

class CCmdTarget;

// State that an update handler sets for one menu item, tool-bar button or bar button.
class CCmdUI {
public:
    explicit CCmdUI(UINT nID = 0) : m_nID(nID) {}
    virtual ~CCmdUI() = default;

    UINT m_nID;
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    bool m_bCheckSet = false;
    QString m_strText;
    bool m_bTextSet = false;
    bool m_bHandled = false;

    virtual void Enable(BOOL bOn = TRUE) { m_bEnabled = bOn; }
    virtual void SetCheck(int nCheck = 1) { m_nCheck = nCheck; m_bCheckSet = true; }
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(const QString& text) { m_strText = text; m_bTextSet = true; }

    // Runs the update along the route of pTarget; a command that nobody
    // handles is disabled.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler = TRUE);
};

enum : int { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1, CN_PROBE_COMMAND = -2 };

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    using CommandFn = std::function<void()>;
    using UpdateFn = std::function<void(CCmdUI*)>;

    // Routes one command (nCode CN_COMMAND), update (CN_UPDATE_COMMAND_UI)
    // or handler probe; TRUE when some target on the route took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI);

    // Executes a command along this target's route.
    BOOL ExecuteCommand(UINT nID) { return OnCmdMsg(nID, CN_COMMAND, nullptr); }

protected:
    void HandleCommand(UINT nID, CommandFn fn) { m_commands[nID] = std::move(fn); }
    void HandleCommandRange(UINT first, UINT last, std::function<void(UINT)> fn);
    void HandleUpdate(UINT nID, UpdateFn fn) { m_updates[nID] = std::move(fn); }
    void HandleUpdateRange(UINT first, UINT last, UpdateFn fn);

    // A named member function as the handler, so that a reader finds it by its name.
    template <class T> void HandleCommand(UINT nID, void (T::*fn)())
    {
        HandleCommand(nID, [this, fn] { (static_cast<T*>(this)->*fn)(); });
    }
    // One handler for several commands: it is told which one came.
    template <class T> void HandleCommand(UINT nID, void (T::*fn)(UINT))
    {
        HandleCommand(nID, [this, fn, nID] { (static_cast<T*>(this)->*fn)(nID); });
    }
    template <class T> void HandleUpdate(UINT nID, void (T::*fn)(CCmdUI*))
    {
        HandleUpdate(nID, [this, fn](CCmdUI* pCmdUI) { (static_cast<T*>(this)->*fn)(pCmdUI); });
    }

    // This target alone, without routing.
    BOOL DispatchOwn(UINT nID, int nCode, CCmdUI* pCmdUI);

private:
    std::unordered_map<UINT, CommandFn> m_commands;
    std::unordered_map<UINT, UpdateFn> m_updates;
};
