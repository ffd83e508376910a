#include "framework/view.h"
#include "framework/cmdids.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/paintdc.h"
#include "framework/print.h"
#include "framework/wnd_p.h"

#include <QPalette>
#include <QWidget>

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

void CScrollView::SetScrollSizes(int nMapMode, CSize sizeTotal, CSize sizePage, CSize sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_pageLog = sizePage;
    m_lineLog = sizeLine;
    Invalidate();
}
