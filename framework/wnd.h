// Windows: one CWnd wraps one widget and turns its events into the
// handler calls and numbered messages that the application is written for.
#pragma once

#include <functional>
#include <map>
#include <unordered_map>
#include <QString>
#include "framework/cmdtarget.h"

class QWidget;
class QObject;
class QTimer;
class CDC;
class WndBridge;

// Dialog codes: the keys a control wants instead of its dialog.
enum : UINT { DLGC_WANTARROWS = 0x1, DLGC_WANTTAB = 0x2, DLGC_WANTALLKEYS = 0x4, DLGC_WANTCHARS = 0x80 };

// Window placement as the profile stores it.
struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = SW_SHOWNORMAL;
    CPoint ptMinPosition{-1, -1};
    CPoint ptMaxPosition{-1, -1};
    CRect rcNormalPosition;
};
enum : UINT { WPF_SETMINPOSITION = 0x1, WPF_RESTORETOMAXIMIZED = 0x2 };

// A message in the form that PreTranslateMessage sees it.
struct MSG {
    class CWnd* hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    // The widget; framework code only.
    QWidget* GetWidget() const { return m_pWidget; }
    BOOL GetSafeHwnd() const { return m_pWidget != nullptr; }
    static CWnd* FromWidget(const QWidget* w);

    // Creates a plain custom-drawn child (or top-level when pParent is null).
    BOOL CreateEx(CWnd* pParent, const CRect& rect, UINT nID, bool popup = false);
    // Takes over an existing widget (a control built from a template).
    void Attach(QWidget* w, UINT nID = 0);
    QWidget* Detach();
    // Takes over the control nID of pParent (its events then reach this object).
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    virtual BOOL DestroyWindow();

    UINT GetDlgCtrlID() const { return m_nID; }
    void SetDlgCtrlID(UINT id) { m_nID = id; }
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetTopLevelParent() const;

    void SetWindowText(const QString& text);
    QString GetWindowText() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetFocus();
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE);
    void MoveWindow(const CRect& r, BOOL bRepaint = TRUE) { MoveWindow(r.left, r.top, r.Width(), r.Height(), bRepaint); }
    void GetClientRect(CRect* pRect) const;
    void GetWindowRect(CRect* pRect) const;
    void ClientToScreen(CPoint* p) const;
    void ScreenToClient(CPoint* p) const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const CRect* pRect, BOOL bErase = TRUE);
    void UpdateWindow();
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    BOOL GetWindowPlacement(WINDOWPLACEMENT* wp) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* wp);
    BOOL IsZoomed() const;
    BOOL IsIconic() const;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Keyboard state of Shift or Ctrl as the original asks for it.
    static short GetKeyState(int nVirtKey);

    // Window procedure: private messages go through the message handlers.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg) { return FALSE; }

    // Event handlers.
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    virtual void PostNcDestroy() {}
    virtual void OnPaint();
    virtual void OnSize(UINT nType, int cx, int cy) {}
    virtual void OnShowWindow(BOOL bShow, UINT nStatus) {}
    virtual void OnClose() { DestroyWindow(); }
    virtual void OnLButtonDown(UINT nFlags, CPoint point) { Default(); }
    virtual void OnLButtonUp(UINT nFlags, CPoint point) { Default(); }
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point) { Default(); }
    virtual void OnRButtonDown(UINT nFlags, CPoint point) { Default(); }
    virtual void OnRButtonUp(UINT nFlags, CPoint point) { Default(); }
    virtual void OnMouseMove(UINT nFlags, CPoint point) { Default(); }
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) { Default(); return FALSE; }
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    virtual void OnTimer(UINT_PTR nIDEvent) {}
    virtual void OnSetFocus(CWnd* pOldWnd) {}
    virtual void OnKillFocus(CWnd* pNewWnd) {}
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Which of Tab, Enter and Escape a standard control keeps from its dialog.
    virtual UINT OnGetDlgCode() { return 0; }

    // Lets a wrapped control do its own handling of the event being handled.
    void Default() { m_bDefault = true; }

    // Delivers an event as a person's input would (tests and the bridge).
    bool DispatchKey(UINT vk, const QString& text, UINT flags = 0);

protected:
    using MessageFn = std::function<LRESULT(WPARAM, LPARAM)>;
    void OnMessage(UINT message, MessageFn fn) { m_messages[message] = std::move(fn); }
    void SetWidget(QWidget* w);

    UINT m_nID = 0;

private:
    friend class WndBridge;
    QWidget* m_pWidget = nullptr;
    WndBridge* m_pBridge = nullptr;
    bool m_bDefault = false;
    bool m_bOwnsWidget = true;
    std::unordered_map<UINT, MessageFn> m_messages;
    std::map<UINT_PTR, QTimer*> m_timers;
};

// Paints on a window inside its paint handler.
class CPaintDC;
