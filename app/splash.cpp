#include "app/splash.h"
#include "framework/app.h"
#include "framework/gdi.h"
#include "framework/paintdc.h"
#include "framework/resource.h"
#include "res/resource_ids.h"

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = nullptr;

CSplashWnd::CSplashWnd() = default;

CSplashWnd::~CSplashWnd()
{
    if (c_pSplashWnd == this)
        c_pSplashWnd = nullptr;
    delete m_pBitmap;
}

void CSplashWnd::EnableSplashScreen(BOOL bEnable) { c_bShowSplashWnd = bEnable; }

void CSplashWnd::ShowSplashScreen(CWnd* pParentWnd)
{
    if (!c_bShowSplashWnd || c_pSplashWnd)
        return;
    c_pSplashWnd = new CSplashWnd;
    if (!c_pSplashWnd->Create(pParentWnd)) {
        delete c_pSplashWnd;
        c_pSplashWnd = nullptr;
    } else {
        c_pSplashWnd->UpdateWindow();
    }
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* pMsg)
{
    if (!c_pSplashWnd)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
        c_pSplashWnd->HideSplashScreen();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CSplashWnd::Create(CWnd* pParentWnd)
{
    const AfxResourceTable* res = AfxGetResourceTable();
    m_pBitmap = new CBitmap;
    if (!res || !m_pBitmap->LoadBitmap(res->BitmapPath(IDB_SPLASH)))
        return FALSE;
    const CSize size = m_pBitmap->GetSize();
    if (!CreateEx(pParentWnd, CRect(0, 0, size.cx, size.cy), 0, true))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}

int CSplashWnd::OnCreate()
{
    CenterWindow();
    SetTimer(1, SPLASH_MS);
    return 0;
}

void CSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(&dc))
        return;
    CBitmap* old = memDC.SelectObject(m_pBitmap);
    const CSize size = m_pBitmap->GetSize();
    dc.BitBlt(0, 0, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(old);
}

void CSplashWnd::OnTimer(UINT_PTR) { HideSplashScreen(); }

void CSplashWnd::HideSplashScreen()
{
    // Destroying the window deletes this object.
    DestroyWindow();
    if (CWnd* main = AfxGetMainWnd())
        main->UpdateWindow();
}
