// A scroll bar control. As on Windows, it does not move by itself: it tells its
// parent what the user asked for (WM_VSCROLL or WM_HSCROLL, the request in the low word
// of wParam, the thumb position in the high word, the bar in lParam) and the parent sets
// the new position. Range, page and position are kept also while there is no window.
#pragma once

#include "framework/wnd.h"

// Scroll requests.
enum : UINT {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2, SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
    SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8
};

enum : UINT { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_TRACKPOS = 0x10, SIF_ALL = 0x17 };

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;      // 0: no proportional thumb
    int nPos = 0;
    int nTrackPos = 0;
};

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    BOOL Create(BOOL bVertical, const CRect& rect, CWnd* pParent, UINT nID);
    BOOL IsVertical() const { return m_bVertical; }

    // The thumb runs from nMin to nMax - nPage + 1 (to nMax without a page).
    BOOL SetScrollInfo(const SCROLLINFO* pInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* pInfo, UINT nMask = SIF_ALL) const;
    void SetScrollRange(int nMin, int nMax, BOOL bRedraw = TRUE);
    void GetScrollRange(int* pMin, int* pMax) const;
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos() const { return m_nPos; }
    // The largest position the thumb can take.
    int GetMaxPos() const;

    // Sends the parent a request as the bar would (nPos for the thumb requests).
    void SendScroll(UINT nSBCode, int nPos = 0);

private:
    BOOL m_bVertical = TRUE;
    int m_nMin = 0, m_nMax = 0, m_nPage = 0, m_nPos = 0, m_nTrackPos = 0;
    void Apply();
    friend class ScrollBarBridge;
};
