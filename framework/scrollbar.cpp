#include "framework/scrollbar.h"

#include <QScrollBar>

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

// Turns the actions of the Qt bar into the requests its parent hears.
class ScrollBarBridge {
public:
    static void Connect(CScrollBar* bar, QScrollBar* sb)
    {
        QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [bar, sb](int action) {
            if (CWnd::FromWidget(sb) != bar)
                return;
            UINT code;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            case QAbstractSlider::SliderMove:
                if (sb->isSliderDown()) {
                    // The thumb follows the mouse; the parent decides whether the view does.
                    bar->m_nTrackPos = sb->sliderPosition();
                    bar->SendScroll(SB_THUMBTRACK, bar->m_nTrackPos);
                    return;
                }
                // The wheel moves the thumb without a drag: a placed thumb.
                bar->SendScroll(SB_THUMBPOSITION, sb->sliderPosition());
                bar->SendScroll(SB_ENDSCROLL);
                sb->setSliderPosition(bar->m_nPos);
                return;
            default: return;
            }
            bar->SendScroll(code);
            bar->SendScroll(SB_ENDSCROLL);
            // The bar stands where the parent put it, not where Qt would have moved it.
            sb->setSliderPosition(bar->m_nPos);
        });
        QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [bar, sb] {
            if (CWnd::FromWidget(sb) != bar)
                return;
            bar->SendScroll(SB_THUMBPOSITION, sb->sliderPosition());
            bar->SendScroll(SB_ENDSCROLL);
            sb->setValue(bar->m_nPos);
        });
    }
};

BOOL CScrollBar::Create(BOOL bVertical, const CRect& rect, CWnd* pParent, UINT nID)
{
    if (GetSafeHwnd())
        DestroyWindow();
    m_bVertical = bVertical;
    auto* sb = new QScrollBar(bVertical ? Qt::Vertical : Qt::Horizontal, pParent ? pParent->GetWidget() : nullptr);
    sb->setTracking(false);
    sb->setFocusPolicy(Qt::NoFocus);
    sb->setGeometry(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
    Attach(sb, nID);
    ScrollBarBridge::Connect(this, sb);
    Apply();
    sb->show();
    return TRUE;
}

int CScrollBar::GetMaxPos() const
{
    return m_nPage > 0 ? std::max(m_nMin, m_nMax - m_nPage + 1) : m_nMax;
}

void CScrollBar::Apply()
{
    auto* sb = qobject_cast<QScrollBar*>(GetWidget());
    if (!sb)
        return;
    const QSignalBlocker block(sb);
    sb->setRange(m_nMin, GetMaxPos());
    sb->setPageStep(std::max(1, m_nPage));
    sb->setSingleStep(1);
    sb->setValue(m_nPos);
}

BOOL CScrollBar::SetScrollInfo(const SCROLLINFO* pInfo, BOOL)
{
    if (!pInfo)
        return FALSE;
    if (pInfo->fMask & SIF_RANGE) {
        m_nMin = pInfo->nMin;
        m_nMax = std::max(pInfo->nMin, pInfo->nMax);
    }
    if (pInfo->fMask & SIF_PAGE)
        m_nPage = std::clamp(int(pInfo->nPage), 0, m_nMax - m_nMin + 1);
    if (pInfo->fMask & SIF_POS)
        m_nPos = pInfo->nPos;
    m_nPos = std::clamp(m_nPos, m_nMin, GetMaxPos());
    Apply();
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* pInfo, UINT nMask) const
{
    if (!pInfo)
        return FALSE;
    pInfo->fMask = nMask;
    pInfo->nMin = m_nMin;
    pInfo->nMax = m_nMax;
    pInfo->nPage = UINT(m_nPage);
    pInfo->nPos = m_nPos;
    pInfo->nTrackPos = m_nTrackPos;
    return TRUE;
}

void CScrollBar::SetScrollRange(int nMin, int nMax, BOOL bRedraw)
{
    SCROLLINFO si;
    si.fMask = SIF_RANGE;
    si.nMin = nMin;
    si.nMax = nMax;
    SetScrollInfo(&si, bRedraw);
}

void CScrollBar::GetScrollRange(int* pMin, int* pMax) const
{
    if (pMin) *pMin = m_nMin;
    if (pMax) *pMax = m_nMax;
}

int CScrollBar::SetScrollPos(int nPos, BOOL)
{
    const int old = m_nPos;
    m_nPos = std::clamp(nPos, m_nMin, GetMaxPos());
    Apply();
    return old;
}

void CScrollBar::SendScroll(UINT nSBCode, int nPos)
{
    if (nSBCode == SB_THUMBTRACK)
        m_nTrackPos = nPos;
    CWnd* parent = GetParent();
    if (!parent)
        return;
    const WPARAM w = WPARAM(nSBCode & 0xFFFF) | (WPARAM(UINT(nPos) & 0xFFFF) << 16);
    parent->SendMessage(m_bVertical ? WM_VSCROLL : WM_HSCROLL, w, LPARAM(this));
}
