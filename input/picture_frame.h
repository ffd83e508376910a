// A picture in a dialog: a drawing surface that fills a template placeholder and is drawn
// by its owner's code on every paint.
#pragma once

#include <functional>
#include "framework/dc.h"
#include "framework/wnd.h"

class CPictureFrame : public CWnd {
public:
    using DrawFn = std::function<void(CDC*, const CRect&)>;
    // Takes over the dialog control nID of pParent; draw paints the whole client rectangle.
    BOOL AttachPicture(UINT nID, CWnd* pParent, DrawFn draw);
    void OnSize(UINT nType, int cx, int cy) override;
    void Invalidate(BOOL bErase = TRUE) { m_canvas.Invalidate(bErase); }
    CWnd* Canvas() { return &m_canvas; }

private:
    class Surface : public CWnd {
    public:
        void OnPaint() override;
        DrawFn m_draw;
    };
    Surface m_canvas;
};
