#include "framework/paintdc.h"
#include "framework/wnd.h"
#include "framework/wnd_p.h"

#include <QImage>

namespace afx_detail {
PaintTarget::PaintTarget()
{
    if (WndWidget::s_currentPainter) {
        painter = WndWidget::s_currentPainter;
    } else {
        // Outside a paint event the drawing goes to a scratch image.
        static QImage scratch(16, 16, QImage::Format_ARGB32);
        own = std::make_unique<QPainter>(&scratch);
        painter = own.get();
    }
}
PaintTarget::~PaintTarget() = default;
}

CPaintDC::CPaintDC(CWnd*) : CDC(painter) { SetOnScreen(true); }
CPaintDC::~CPaintDC() = default;
