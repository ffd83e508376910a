// Controls made at run time as children of a window (not from a template), and the small
// services that custom-drawn windows need beyond CWnd: fonts of controls, scrolling the
// picture, cursors, and ending a window while one of its own events is being handled.
#pragma once

#include <vector>
#include "framework/types.h"
#include "framework/wndextras.h"

class CWnd;
class CEdit;
class CListBox;
class CFont;

// Styles of run-time controls.
enum : DWORD { ES_AUTOHSCROLL = 0x0080, WS_HSCROLL = 0x00100000, WS_VSCROLL = 0x00200000 };

// Cursors.
enum : UINT { IDC_ARROW = 32512, IDC_SIZENWSE = 32642, IDC_SIZEWE = 32644, IDC_SIZENS = 32645 };

// A one-line edit at rect of pParent. The parent hears EN_UPDATE (WM_COMMAND, id in the low
// word) after every change of the text, the program's own changes included.
BOOL AfxCreateEdit(CEdit* pEdit, DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID);
// The selection of an edit; the caret stands at *pEnd.
void AfxGetEditSel(const CEdit* pEdit, int* pStart, int* pEnd);
// Distances of the edit's text from the edges of its client area.
void AfxSetEditMargins(CEdit* pEdit, int left, int top, int right, int bottom);

// A list box at rect of pParent (WS_BORDER: a one-pixel frame; WS_VSCROLL: a scroll bar
// when the items do not fit). Its mouse button events reach pList's handlers.
BOOL AfxCreateListBox(CListBox* pList, DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID);
// Every item of the list is this many pixels high.
void AfxSetListBoxItemHeight(CListBox* pList, int height);

// The font a control shows its text in (a null font: the parent's).
void AfxSetWindowFont(CWnd* pWnd, const CFont* pFont);

// Ends the window once the event being handled is over. The object lets go of its widget
// at once, so it may create another straight away; its handlers hear nothing more.
void AfxDestroyWindowLater(CWnd* pWnd);

// Moves the window's picture by (dx, dy) pixels; the part uncovered is painted anew.
void AfxScrollWindow(CWnd* pWnd, int dx, int dy);

// The window fills its whole rectangle (with its background colour where it draws nothing), so
// that what it repaints never makes its parent paint beneath it.
void AfxSetWindowOpaque(CWnd* pWnd);

// The layout the window lies in gives it at least this height; a larger minimum stays.
void AfxEnsureWindowHeight(CWnd* pWnd, int height);

// The window gets the keys, and the window it lies in becomes the active one.
void AfxActivateWithFocus(CWnd* pWnd);

// Whether the window takes the keyboard focus when it is clicked or tabbed to.
void AfxSetWindowFocusable(CWnd* pWnd, BOOL bFocusable);

// The cursor shown while the mouse is over the window.
void AfxSetWindowCursor(CWnd* pWnd, UINT nCursorId);

// In a paint handler: the rectangles of the part to be painted (FALSE elsewhere).
BOOL AfxGetPaintRects(std::vector<CRect>* pRects);

// The mouse position in screen coordinates.
void GetCursorPos(CPoint* pPoint);
