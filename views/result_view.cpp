#include "views/result_view.h"

#include "app/doc.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/print.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CResultView, CScrollView)

CMarivoltenDoc* CResultView::GetDocument() const { return static_cast<CMarivoltenDoc*>(CScrollView::GetDocument()); }

void CResultView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    // The window never scrolls: each grid scrolls by itself.
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

void CResultView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CScrollView::OnUpdate(pSender, lHint, pHint);
    // A grid covers the window, which may then not be painted: the table follows now.
    ShowTable();
}

void CResultView::OnDraw(CDC* pDC)
{
    // The grids are windows of their own: a printed page gets its table in OnPrint.
    if (pDC && pDC->IsPrinting())
        return;
    ShowTable();
}

BOOL CResultView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return PrepareA4Printing(*this, pInfo, GetDocument(), &m_sizePage);
}

void CResultView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    // A table not yet built on screen is built now.
    ShowTable();
    m_nPrintedTable = ShownTable();
    CTableGrid* grid = m_nPrintedTable >= 0 ? GridOf(m_nPrintedTable) : nullptr;
    CMarivoltenDoc* doc = GetDocument();
    if (!doc || !grid) {
        m_nPrintedTable = -1;
        pInfo->SetMaxPage(1);
        return;
    }
    pInfo->SetMaxPage(UINT(m_printFit.Count(*grid, pDC, *doc)));
}

void CResultView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting())
        pDC->SetMapMode(MM_LOMETRIC);
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CResultView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->LoadPrintSettings();
    // Without a table the page still carries its frame, under the title of the choice.
    const int titled = m_nPrintedTable >= 0 ? m_nPrintedTable : ChosenTable();
    m_printFit.Apply();
    PrintResultPage(*doc, pDC, pInfo, TitleOf(titled), m_nPrintedTable >= 0 ? GridOf(m_nPrintedTable) : nullptr);
    CScrollView::OnPrint(pDC, pInfo);
}

void CResultView::OnEndPrinting(CDC*, CPrintInfo*) { m_printFit.Restore(); }

int ClickedButton(UINT message, WPARAM wParam, const int* anIds, int nCount)
{
    if (message != WM_COMMAND || UINT((wParam >> 16) & 0xFFFF) != BN_CLICKED)
        return -1;
    const int* at = std::find(anIds, anIds + nCount, int(wParam & 0xFFFF));
    return at == anIds + nCount ? -1 : int(at - anIds);
}
