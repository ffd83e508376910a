#include "framework/wndextras.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
        return QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    case SM_CXSCREEN: case SM_CYSCREEN: {
        const QScreen* s = QGuiApplication::primaryScreen();
        if (!s)
            return 0;
        return nIndex == SM_CXSCREEN ? s->geometry().width() : s->geometry().height();
    }
    default:
        return 0;
    }
}

BOOL AfxGetWindowLogFont(const CWnd* pWnd, LOGFONT* pLogFont)
{
    if (!pWnd || !pWnd->GetWidget() || !pLogFont)
        return FALSE;
    const QFont f = pWnd->GetWidget()->font();
    LOGFONT lf;
    lf.lfHeight = -std::max(1, QFontInfo(f).pixelSize());
    lf.lfWeight = int(f.weight());   // Qt 6 weights are on the same 100..900 scale
    lf.lfItalic = f.italic() ? 1 : 0;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfFaceName = f.family();
    // The face as the program named it, not the one the screen draws it in.
    for (const QWidget* w = pWnd->GetWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QVariant named = w->property(kNamedFaceProperty);
        if (named.isValid()) {
            lf.lfFaceName = named.toString();
            break;
        }
        if (w->testAttribute(Qt::WA_SetFont))
            break;
    }
    *pLogFont = lf;
    return TRUE;
}

BOOL AfxSaveWindowImage(CWnd* pWnd, const QString& path)
{
    if (!pWnd || !pWnd->GetWidget())
        return FALSE;
    QWidget* w = pWnd->GetWidget();
    w->ensurePolished();
    return w->grab().save(path) ? TRUE : FALSE;
}
