#include "framework/view.h"
#include "framework/cmdids.h"
#include "framework/dc.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/paintdc.h"
#include "framework/print.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

namespace {
// Set while ID_FILE_PRINT_DIRECT runs OnFilePrint.
bool g_printDirect = false;
}

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(p);
    return nullptr;
}

BOOL CView::Create(CWnd* pParent, CDocument* pDoc, UINT nID)
{
    if (pDoc)
        pDoc->AddView(this);
    if (!CreateEx(pParent, CRect(), nID))
        return FALSE;
    // Views draw on the window colour.
    QWidget* w = GetWidget();
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
    return TRUE;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(); }

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // Without a known last page a view prints one page unless it says otherwise.
    if (pInfo && pInfo->GetMaxPage() == 0xffff)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == pInfo->GetFromPage();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (DispatchOwn(nID, nCode, pCmdUI))
        return TRUE;
    if (m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    // Every view prints unless it or its document takes the commands over.
    if (nID == ID_FILE_PRINT || nID == ID_FILE_PRINT_DIRECT || nID == ID_FILE_PRINT_PREVIEW) {
        if (nCode == CN_COMMAND) {
            if (nID == ID_FILE_PRINT_PREVIEW) {
                OnFilePrintPreview();
            } else {
                const bool was = g_printDirect;
                g_printDirect = nID == ID_FILE_PRINT_DIRECT;
                OnFilePrint();
                g_printDirect = was;
            }
        }
        return nCode != CN_UPDATE_COMMAND_UI;
    }
    return FALSE;
}

void CView::OnFilePrint() { AfxPrintView(this, g_printDirect ? PrintMode::Direct : PrintMode::Print); }
void CView::OnFilePrintPreview() { AfxPrintView(this, PrintMode::Preview); }

// The two scroll bars of a scroll view, children of its widget; follows the widget's size
// and scrolls by the wheel.
class ScrollBarsHost : public QObject {
public:
    ScrollBarsHost(CScrollView* view, QWidget* w)
        : QObject(w), m_view(view), h(new QScrollBar(Qt::Horizontal, w)), v(new QScrollBar(Qt::Vertical, w)),
          corner(new QWidget(w))
    {
        // The square where the bars meet is the window's, as the bars are: the drawing is not
        // seen through it.
        QPalette own = corner->palette();
        own.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
        corner->setPalette(own);
        corner->setAutoFillBackground(true);
        for (QScrollBar* b : {h, v})
            QObject::connect(b, &QScrollBar::valueChanged, this, [this] {
                if (m_view)
                    m_view->OnScrollBarMoved();
            });
        w->installEventFilter(this);
    }
    ~ScrollBarsHost() override
    {
        if (m_view && m_view->m_pBars == this)
            m_view->m_pBars = nullptr;
    }
    // The view goes first when its window closes; the widget and these bars follow later.
    void Detach() { m_view = nullptr; }
    void Place()
    {
        auto* w = static_cast<QWidget*>(parent());
        const int t = w->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        h->setGeometry(0, w->height() - t, std::max(w->width() - t, 0), t);
        v->setGeometry(w->width() - t, 0, t, std::max(w->height() - t, 0));
        corner->setGeometry(w->width() - t, w->height() - t, t, t);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!m_view)
            return false;
        if (o == parent() && e->type() == QEvent::Resize)
            m_view->UpdateScrollBars();
        if (o == parent() && e->type() == QEvent::Wheel) {
            auto* we = static_cast<QWheelEvent*>(e);
            QPoint d = we->angleDelta();
            // Shift turns the wheel sideways, as elsewhere on the desktop.
            if ((we->modifiers() & Qt::ShiftModifier) && d.x() == 0)
                d = QPoint(d.y(), 0);
            Turn(h, d.x(), m_restX);
            Turn(v, d.y(), m_restY);
            return true;
        }
        return false;
    }
    // Three lines a notch; what is left of a fine-stepped wheel or a touch pad is kept for
    // the next turn.
    static void Turn(QScrollBar* b, int delta, double& rest)
    {
        if (delta == 0)
            return;
        rest -= delta / 120.0 * b->singleStep() * 3;
        const int step = int(rest);
        rest -= step;
        if (step)
            b->setValue(b->value() + step);
    }
    double m_restX = 0.0, m_restY = 0.0;
    CScrollView* m_view;
    QScrollBar* h;
    QScrollBar* v;
    QWidget* corner;
};

namespace {
// Device pixels per logical unit of a mapping mode, and whether logical y grows upwards.
double PixelsPerUnit(const QWidget* w, int mode, bool* yUp)
{
    const double dpi = w ? w->logicalDpiX() : 96.0;
    *yUp = true;
    switch (mode) {
    case MM_LOMETRIC: return dpi / 254.0;
    case MM_HIMETRIC: return dpi / 2540.0;
    case MM_LOENGLISH: return dpi / 100.0;
    case MM_HIENGLISH: return dpi / 1000.0;
    case MM_TWIPS: return dpi / 1440.0;
    default: *yUp = false; return 1.0;
    }
}
}

void CScrollView::SetScrollSizes(int nMapMode, CSize sizeTotal, CSize sizePage, CSize sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageLog = sizePage;
    m_lineLog = sizeLine;
    UpdateScrollBars();
    Invalidate();
}

void CScrollView::ScrollToPosition(CPoint pt)
{
    m_scrollPos = pt;
    UpdateScrollBars();
    Invalidate();
}

CScrollView::~CScrollView()
{
    if (m_pBars)
        m_pBars->Detach();
}

CPoint CScrollView::GetScrollBarPositions() const
{
    return m_pBars ? CPoint(m_pBars->h->value(), m_pBars->v->value()) : CPoint();
}

void CScrollView::UpdateScrollBars()
{
    QWidget* w = GetWidget();
    if (!w || m_totalLog.cx <= 0 || m_totalLog.cy <= 0)
        return;
    if (!m_pBars) {
        m_pBars = new ScrollBarsHost(this, w);
        m_pBars->h->show();
        m_pBars->v->show();
        m_pBars->corner->show();
    }
    m_pBars->Place();
    bool yUp = false;
    const double k = PixelsPerUnit(w, m_nMapMode, &yUp);
    const int viewW = m_pBars->v->x(), viewH = m_pBars->h->y();
    m_bSyncing = true;
    auto set = [k](QScrollBar* b, int total, int view, int page, int line, int pos) {
        b->setRange(0, std::max(int(total * k) - view, 0));
        b->setPageStep(std::max(page > 0 ? int(page * k) : view, 1));
        b->setSingleStep(std::max(line > 0 ? int(line * k) : 16, 1));
        b->setValue(int(pos * k));
    };
    const int y = yUp ? -m_scrollPos.y : m_scrollPos.y;
    set(m_pBars->h, m_totalLog.cx, viewW, m_pageLog.cx, m_lineLog.cx, m_scrollPos.x);
    set(m_pBars->v, m_totalLog.cy, viewH, m_pageLog.cy, m_lineLog.cy, y);
    // The window goes no further than the bars: beyond the extent there is nothing to show.
    if (m_pBars->h->value() != int(m_scrollPos.x * k))
        m_scrollPos.x = int(m_pBars->h->value() / k);
    if (m_pBars->v->value() != int(y * k))
        m_scrollPos.y = (yUp ? -1 : 1) * int(m_pBars->v->value() / k);
    m_bSyncing = false;
}

void CScrollView::OnScrollBarMoved()
{
    if (m_bSyncing || !m_pBars)
        return;
    bool yUp = false;
    const double k = PixelsPerUnit(GetWidget(), m_nMapMode, &yUp);
    const int y = int(m_pBars->v->value() / k);
    m_scrollPos = CPoint(int(m_pBars->h->value() / k), yUp ? -y : y);
    Invalidate();
}
