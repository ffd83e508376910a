#include "input/picture_frame.h"
#include "framework/paintdc.h"

BOOL CPictureFrame::AttachPicture(UINT nID, CWnd* pParent, DrawFn draw)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    m_canvas.m_draw = std::move(draw);
    CRect r;
    GetClientRect(&r);
    return m_canvas.CreateEx(this, r, 0);
}

void CPictureFrame::OnSize(UINT, int cx, int cy)
{
    if (m_canvas.GetSafeHwnd())
        m_canvas.MoveWindow(0, 0, cx, cy);
}

void CPictureFrame::Surface::OnPaint()
{
    CPaintDC dc(this);
    CRect r;
    GetClientRect(&r);
    if (m_draw)
        m_draw(&dc, r);
}
