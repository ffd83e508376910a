// The splash window shown while the program starts.
#pragma once

#include "framework/wnd.h"

class CBitmap;

class CSplashWnd : public CWnd {
public:
    ~CSplashWnd() override;

    static void EnableSplashScreen(BOOL bEnable = TRUE);
    static void ShowSplashScreen(CWnd* pParentWnd = nullptr);
    static BOOL PreTranslateAppMessage(MSG* pMsg);
    static CSplashWnd* Current() { return c_pSplashWnd; }
    static BOOL IsEnabled() { return c_bShowSplashWnd; }

    static constexpr UINT SPLASH_MS = 3000;

protected:
    CSplashWnd();
    BOOL Create(CWnd* pParentWnd);
    void HideSplashScreen();
    int OnCreate() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void PostNcDestroy() override { delete this; }

    CBitmap* m_pBitmap = nullptr;
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
};
