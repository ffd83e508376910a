// Window helpers beyond CWnd: window styles, system metrics, a window's font
// as a logical font, and a picture of a window in an image file.
#pragma once

#include <QString>
#include "framework/types.h"

class CWnd;
struct LOGFONT;

// Window styles that creation functions take; only some change the widget.
enum : DWORD {
    WS_TABSTOP = 0x00010000, WS_BORDER = 0x00800000, WS_CLIPCHILDREN = 0x02000000,
    WS_VISIBLE = 0x10000000, WS_CHILD = 0x40000000
};

enum : int {
    SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21
};
int GetSystemMetrics(int nIndex);

// The font the window shows its text in, as a logical font in pixels.
BOOL AfxGetWindowLogFont(const CWnd* pWnd, LOGFONT* pLogFont);

// Renders the window with its children into an image file (format by extension).
BOOL AfxSaveWindowImage(CWnd* pWnd, const QString& path);
