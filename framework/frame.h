// Frame windows: the MDI main window and the child frames that hold one view each.
#pragma once

#include <map>
#include <vector>
#include "framework/wnd.h"

class CDocument;
class CView;
class CDocTemplate;
class CControlBar;
class CMDIChildWnd;
class QMdiArea;
class QMenuBar;
class QAction;
class QMenu;

struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

// Frame styles.
enum : UINT { FWS_ADDTOTITLE = 0x8000, FWS_PREFIXTITLE = 0x4000 };
// Bar alignment and docking styles.
enum : UINT {
    CBRS_ALIGN_LEFT = 0x1000, CBRS_ALIGN_TOP = 0x2000, CBRS_ALIGN_RIGHT = 0x4000,
    CBRS_ALIGN_BOTTOM = 0x8000, CBRS_ALIGN_ANY = 0xF000,
    CBRS_LEFT = CBRS_ALIGN_LEFT, CBRS_TOP = CBRS_ALIGN_TOP, CBRS_RIGHT = CBRS_ALIGN_RIGHT,
    CBRS_BOTTOM = CBRS_ALIGN_BOTTOM,
    CBRS_TOOLTIPS = 0x10, CBRS_FLYBY = 0x20, CBRS_SIZE_DYNAMIC = 0x400,
    CBRS_FLOAT_MULTI = 0x80
};

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    virtual CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* pView);
    virtual CDocument* GetActiveDocument() const;
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual BOOL PreCreateWindow(UINT& style) { return TRUE; }
    virtual BOOL OnCreateClient(CCreateContext* pContext);
    CView* CreateView(CCreateContext* pContext, UINT nID = 0);
    int OnCreate() override;
    void OnClose() override;

    // Control bars.
    void EnableDocking(UINT dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    virtual void AddControlBar(CControlBar* pBar, UINT dwAlign);
    virtual void DockControlBar(CControlBar* pBar, UINT dwDockBarId = 0);
    virtual void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID) const;
    // A bar's show/hide command by its id, and the menu check that follows it.
    void OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    const std::vector<CControlBar*>& GetControlBars() const { return m_bars; }
    virtual void RecalcLayout() {}

    // Runs the update handlers of every bar button.
    virtual void UpdateControlBars();

    void SetStyle(UINT style) { m_dwStyle = style; }
    UINT GetStyle() const { return m_dwStyle; }
    QString m_strTitle;
    int m_nWindow = 0;           // window number among the frames of one document

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

protected:
    void SetViewHolder(QWidget* holder) { m_pViewHolder = holder; }
    QWidget* m_pViewHolder = nullptr;
    CView* m_pActiveView = nullptr;
    CCreateContext* m_pCreateContext = nullptr;
    UINT m_dwStyle = FWS_ADDTOTITLE;
    UINT m_dwDockStyle = 0;
    std::vector<CControlBar*> m_bars;
};

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // Builds the window with menu, accelerators and title of nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, UINT dwDefaultStyle = FWS_ADDTOTITLE, CWnd* pParent = nullptr);
    CMDIChildWnd* MDIGetActive() const;
    CFrameWnd* GetActiveFrame() override;
    CView* GetActiveView() const override;
    CDocument* GetActiveDocument() const override;
    void MDIActivate(CMDIChildWnd* pChild);
    std::vector<CMDIChildWnd*> GetChildFrames() const;
    QMdiArea* GetMdiArea() const { return m_pMdiArea; }

    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void AddControlBar(CControlBar* pBar, UINT dwAlign) override;
    void DockControlBar(CControlBar* pBar, UINT dwDockBarId = 0) override;
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    void SaveBarState(const QString& profileSection) const;
    void LoadBarState(const QString& profileSection);
    void DragAcceptFiles(BOOL bAccept = TRUE);
    void OnClose() override;

    // Shows the menu of the active child's template, or the frame's own.
    void UpdateMenu();
    UINT GetCurrentMenuId() const { return m_nCurrentMenu; }
    // The menu item of a command in the current menu bar, null when absent.
    QAction* FindMenuItem(UINT nID) const;
    // Runs the update handlers of the items of one menu as it opens.
    void UpdateMenuItems(QMenu* menu);
    void UpdateControlBars() override;

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

protected:
    UINT m_nIDResource = 0;
    UINT m_nCurrentMenu = 0;
    QMdiArea* m_pMdiArea = nullptr;
    CMDIChildWnd* m_pActiveChild = nullptr;
    QString m_strAppTitle;

protected:
    // After the active child changed, by the user or because the active one closed.
    virtual void OnActiveChildChanged() {}
    // Tool bar and status bar toggles and exit.
    BOOL OnFrameCommand(UINT nID, int nCode, CCmdUI* pCmdUI);
    void PostNcDestroy() override { delete this; }
private:
    void BuildMenu(UINT menuId);
    void InstallAccelerators(UINT id);
    void ChildActivated(CMDIChildWnd* pChild);
    friend class CMDIChildWnd;
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    virtual BOOL LoadFrame(UINT nIDResource, UINT dwDefaultStyle, CWnd* pParent, CCreateContext* pContext);
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void AddControlBar(CControlBar* pBar, UINT dwAlign) override;
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) override;
    UINT GetMenuId() const { return m_nIDResource; }
    void OnClose() override;
    BOOL DestroyWindow() override;
    void OnDestroy() override;
    void PostNcDestroy() override { delete this; }
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

protected:
    CMDIFrameWnd* m_pMDIFrame = nullptr;
    UINT m_nIDResource = 0;
    QWidget* m_pBarHolder = nullptr;
};

// Window style of a maximised child frame without system menu.
enum : UINT { WS_CHILD_FRAME_MAXIMIZED_NOSYSMENU = 0x51C78000 };
