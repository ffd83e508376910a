// Control bars: tool bar, status bar and dialog bars built from templates.
#pragma once

#include <memory>
#include <vector>
#include "framework/wnd.h"

class CFrameWnd;
class QAction;
class QDockWidget;
class QToolBar;
class QStatusBar;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    void EnableDocking(UINT dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    UINT GetDockStyle() const { return m_dwDockStyle; }
    UINT GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(UINT dwStyle) { m_dwStyle = dwStyle; }
    BOOL IsVisible() const;
    CFrameWnd* GetOwnerFrame() const { return m_pOwnerFrame; }
    // Runs update handlers of the bar's buttons through the owner frame's route.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {}

    // The widget that carries the bar in the frame (dock or the bar itself).
    QWidget* m_pContainer = nullptr;

protected:
    CFrameWnd* m_pOwnerFrame = nullptr;
    UINT m_dwDockStyle = 0;
    UINT m_dwStyle = 0;
};

class CToolBar : public CControlBar {
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CFrameWnd* pParent, UINT dwStyle, UINT nID);
    BOOL LoadToolBar(UINT nIDResource);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    QAction* FindButton(UINT nID) const;
    std::vector<UINT> GetButtonIds() const;
private:
    QToolBar* m_pToolBar = nullptr;
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CFrameWnd* pParent, UINT dwStyle, UINT nID);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, const QString& text);
    QString GetPaneText(int nIndex) const;
private:
    QStatusBar* m_pStatusBar = nullptr;
    std::vector<UINT> m_indicators;
};

class CTemplateHost;

// A bar built from a dialog template; its buttons send their ids as commands.
class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    virtual BOOL Create(CFrameWnd* pParent, UINT nIDTemplate, UINT nStyle, UINT nID);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    UINT GetTemplateId() const { return m_nIDTemplate; }
    CWnd* GetControl(int nID) const;
    // Ids of the radio buttons of the group that starts at nID, in template order.
    std::vector<int> RadioGroup(int nID) const;
    // Runs DoDataExchange: FALSE puts the members into the controls, TRUE reads them back.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    QString m_strCaption;
protected:
    virtual void DoDataExchange(class CDataExchange* pDX) {}
    UINT m_nIDTemplate = 0;
    std::shared_ptr<CTemplateHost> m_host;
};
