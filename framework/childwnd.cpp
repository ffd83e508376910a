#include "framework/childwnd.h"
#include "framework/dialog.h"
#include "framework/font_p.h"
#include "framework/gdi.h"
#include "framework/wnd.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>

namespace {

constexpr WPARAM MakeCommand(UINT id, UINT code) { return WPARAM((id & 0xFFFF) | ((code & 0xFFFF) << 16)); }

UINT MouseFlags(const QMouseEvent* e)
{
    UINT f = 0;
    if (e->buttons() & Qt::LeftButton) f |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) f |= MK_RBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) f |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}

// The items of a list box sit in its viewport: their button events go to the CWnd of the
// list, as long as that CWnd still owns the list.
class ListViewportFilter : public QObject {
public:
    ListViewportFilter(QListWidget* list) : QObject(list), m_list(list) {}
    bool eventFilter(QObject*, QEvent* ev) override
    {
        if (ev->type() != QEvent::MouseButtonRelease && ev->type() != QEvent::MouseButtonPress)
            return false;
        CWnd* w = CWnd::FromWidget(m_list);
        if (!w)
            return false;
        auto* me = static_cast<QMouseEvent*>(ev);
        const QPoint p = m_list->viewport()->mapTo(m_list, me->position().toPoint());
        const CPoint pt(p.x(), p.y());
        if (me->button() != Qt::LeftButton)
            return false;
        // The list makes its own choice of item first; the handler then sees it.
        if (ev->type() == QEvent::MouseButtonPress)
            return false;
        QPointer<QListWidget> guard(m_list);
        w->OnLButtonUp(MouseFlags(me), pt);
        return guard.isNull() || !CWnd::FromWidget(guard);   // a window ended meanwhile takes no more
    }
    QListWidget* m_list;
};

QFont QtFontOf(const CFont* pFont, const QFont& base)
{
    QFont f = base;
    if (!pFont)
        return f;
    const LOGFONT& lf = pFont->LogFont();
    const QString family = AfxSubstituteFontFace(lf.lfFaceName);
    if (!family.isEmpty())
        f.setFamily(family);
    f.setWeight(QFont::Weight(std::clamp(lf.lfWeight == 0 ? int(FW_NORMAL) : int(lf.lfWeight), 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    // As the device context draws it: unhinted, so that a full stop stays a dot.
    f.setHintingPreference(QFont::PreferNoHinting);
    if (lf.lfHeight < 0) {
        f.setPixelSize(std::max(1, int(-lf.lfHeight)));
    } else if (lf.lfHeight > 0) {
        // A cell height: the character height is the part of it that the em takes.
        QFont ref(f);
        ref.setPixelSize(1000);
        const QFontMetricsF m(ref);
        const double cell = m.ascent() + m.descent();
        f.setPixelSize(std::max(1, int(lf.lfHeight * (cell > 0 ? 1000.0 / cell : 1.0) + 0.5)));
    }
    AfxWriteOnScreen(f, f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize());
    return f;
}

} // namespace

QFont AfxScreenPointFont(const QString& face, int pointSize, const QWidget* on)
{
    QFont f(AfxSubstituteFontFace(face));
    f.setPointSize(pointSize);
    f.setHintingPreference(QFont::PreferNoHinting);
    const int px = on ? (pointSize * on->logicalDpiY() + 36) / 72 : QFontInfo(f).pixelSize();
    AfxWriteOnScreen(f, px);
    return f;
}

BOOL AfxCreateEdit(CEdit* pEdit, DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID)
{
    if (!pEdit || !pParent || !pParent->GetWidget())
        return FALSE;
    if (pEdit->GetSafeHwnd())
        pEdit->DestroyWindow();
    auto* e = new QLineEdit(pParent->GetWidget());
    e->setFrame(dwStyle & WS_BORDER);
    e->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    QPointer<QWidget> parent(pParent->GetWidget());
    QObject::connect(e, &QLineEdit::textChanged, e, [e, parent, nID] {
        // Only while the edit still belongs to its window object.
        if (!parent || !CWnd::FromWidget(e))
            return;
        if (CWnd* p = CWnd::FromWidget(parent))
            p->SendMessage(WM_COMMAND, MakeCommand(nID, EN_UPDATE), 0);
    });
    pEdit->Attach(e, nID);
    if (dwStyle & WS_VISIBLE)
        e->show();
    return TRUE;
}

void AfxGetEditSel(const CEdit* pEdit, int* pStart, int* pEnd)
{
    auto* e = pEdit ? qobject_cast<QLineEdit*>(pEdit->GetWidget()) : nullptr;
    int start = 0, end = 0;
    if (e) {
        end = e->cursorPosition();
        start = e->hasSelectedText() ? e->selectionStart() : end;
        if (e->hasSelectedText() && start == end)
            end = e->selectionEnd();
        if (start > end)
            std::swap(start, end);
    }
    if (pStart) *pStart = start;
    if (pEnd) *pEnd = end;
}

void AfxSetEditMargins(CEdit* pEdit, int left, int top, int right, int bottom)
{
    if (auto* e = pEdit ? qobject_cast<QLineEdit*>(pEdit->GetWidget()) : nullptr)
        e->setTextMargins(left, top, right, bottom);
}

BOOL AfxCreateListBox(CListBox* pList, DWORD dwStyle, const CRect& rect, CWnd* pParent, UINT nID)
{
    if (!pList || !pParent || !pParent->GetWidget())
        return FALSE;
    if (pList->GetSafeHwnd())
        pList->DestroyWindow();
    auto* l = new QListWidget(pParent->GetWidget());
    if (dwStyle & WS_BORDER) {
        l->setFrameShape(QFrame::Box);
        l->setFrameShadow(QFrame::Plain);
        l->setLineWidth(1);
    } else {
        l->setFrameShape(QFrame::NoFrame);
    }
    l->setVerticalScrollBarPolicy((dwStyle & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    l->viewport()->installEventFilter(new ListViewportFilter(l));
    pList->Attach(l, nID);
    if (dwStyle & WS_VISIBLE)
        l->show();
    return TRUE;
}

void AfxSetListBoxItemHeight(CListBox* pList, int height)
{
    auto* l = pList ? qobject_cast<QListWidget*>(pList->GetWidget()) : nullptr;
    if (!l)
        return;
    l->setUniformItemSizes(true);
    for (int i = 0; i < l->count(); ++i)
        l->item(i)->setSizeHint(QSize(-1, std::max(1, height)));
}

void AfxSetWindowFont(CWnd* pWnd, const CFont* pFont)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w)
        return;
    if (!pFont) {
        w->setFont(QFont());
        w->setProperty(kNamedFaceProperty, QVariant());
        return;
    }
    w->setFont(QtFontOf(pFont, w->font()));
    if (!pFont->LogFont().lfFaceName.isEmpty())
        w->setProperty(kNamedFaceProperty, pFont->LogFont().lfFaceName);
}

void AfxDestroyWindowLater(CWnd* pWnd)
{
    if (!pWnd)
        return;
    if (QWidget* w = pWnd->Detach()) {
        w->hide();
        w->deleteLater();
    }
}

void AfxScrollWindow(CWnd* pWnd, int dx, int dy)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w || (dx == 0 && dy == 0))
        return;
    // The window covers every pixel itself, so the picture can move instead of being redrawn.
    w->setAttribute(Qt::WA_OpaquePaintEvent);
    w->scroll(dx, dy);
}

void AfxSetWindowOpaque(CWnd* pWnd)
{
    if (QWidget* w = pWnd ? pWnd->GetWidget() : nullptr)
        w->setAutoFillBackground(true);
}

void AfxEnsureWindowHeight(CWnd* pWnd, int height)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (w && w->minimumHeight() < height)
        w->setMinimumHeight(height);
}

void AfxActivateWithFocus(CWnd* pWnd)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w)
        return;
    if (QApplication::activeWindow() != w->window())
        w->window()->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
}

void AfxSetWindowFocusable(CWnd* pWnd, BOOL bFocusable)
{
    if (QWidget* w = pWnd ? pWnd->GetWidget() : nullptr)
        w->setFocusPolicy(bFocusable ? Qt::StrongFocus : Qt::NoFocus);
}

void AfxSetWindowCursor(CWnd* pWnd, UINT nCursorId)
{
    QWidget* w = pWnd ? pWnd->GetWidget() : nullptr;
    if (!w)
        return;
    switch (nCursorId) {
    case IDC_SIZEWE: w->setCursor(Qt::SizeHorCursor); break;
    case IDC_SIZENS: w->setCursor(Qt::SizeVerCursor); break;
    case IDC_SIZENWSE: w->setCursor(Qt::SizeFDiagCursor); break;
    default: w->unsetCursor(); break;
    }
}

void GetCursorPos(CPoint* pPoint)
{
    if (!pPoint)
        return;
    const QPoint p = QCursor::pos();
    *pPoint = CPoint(p.x(), p.y());
}

BOOL AfxGetPaintRects(std::vector<CRect>* pRects)
{
    QPainter* painter = WndWidget::s_currentPainter;
    if (!pRects || !painter || !painter->hasClipping())
        return FALSE;
    pRects->clear();
    for (const QRect& r : painter->clipRegion())
        pRects->emplace_back(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return TRUE;
}
