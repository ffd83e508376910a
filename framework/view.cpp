#include "framework/view.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/paintdc.h"
#include "framework/wnd_p.h"

#include <QPalette>
#include <QWidget>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)

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

BOOL CView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (DispatchOwn(nID, nCode, pCmdUI))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pCmdUI);
}

void CScrollView::SetScrollSizes(int nMapMode, CSize sizeTotal, CSize sizePage, CSize sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageLog = sizePage;
    m_lineLog = sizeLine;
    Invalidate();
}
