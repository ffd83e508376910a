#include "views/input_check_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/print.h"
#include "input/height_dialog.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"
#include "views/input_check_tables.h"
#include "views/result_view.h"

#include <algorithm>

CConditionView* g_pConditionView = nullptr;

IMPLEMENT_DYNCREATE(CConditionView, CScrollView)

namespace {

// The pages in the order of the bar's radio buttons.
const int kPageIds[4] = {IDC_COND_INPUT, IDC_COND_PANELS, IDC_COND_DESIGN, IDC_COND_SECTIONS};

}

CConditionView::CConditionView() : m_global(g_pConditionView, this)
{
    m_font.CreateFont(36, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, 0, 0,
                      QStringLiteral("ＭＳ ゴシック"));
    OnMessage(WM_CONDITION_SELECT, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSwitchPage(int(lParam));
        return 0;
    });
}

CConditionView::~CConditionView() = default;

CMarivoltenDoc* CConditionView::GetDocument() const { return static_cast<CMarivoltenDoc*>(CScrollView::GetDocument()); }

int CConditionView::OnCreate()
{
    if (CScrollView::OnCreate() == -1)
        return -1;
    CTableGrid* grids[2] = {&m_gridPanels, &m_gridSections};
    for (int i = 0; i < 2; ++i) {
        if (!CreateResultGrid(*grids[i], m_buttonCellType[i], this, CRect()))
            return -1;
    }
    return 0;
}

void CConditionView::OnInitialUpdate()
{
    m_sizeDocument = kA4Portrait;
    SetPageScrollSizes(MM_LOMETRIC, m_sizeDocument);
    CScrollView::OnInitialUpdate();
}

int CConditionView::ShownPage() const
{
    const CMarivoltenDoc* doc = GetDocument();
    return doc && doc->m_nConditionPage >= PAGE_INPUT && doc->m_nConditionPage <= PAGE_SECTIONS ? doc->m_nConditionPage : -1;
}

void CConditionView::SetPageScrollSizes(int nMapMode, CSize total)
{
    if (nMapMode == m_nMapMode && total == GetTotalSize())
        return;
    if (nMapMode == MM_TEXT)
        SetScrollSizes(MM_TEXT, total);
    else
        SetScrollSizes(nMapMode, total, CSize(total.cx / 5, total.cy / 5), CSize(total.cx / 20, m_nLineHeight));
}

void CConditionView::PlaceGrids(int nPage)
{
    CRect client;
    if (GetSafeHwnd())
        GetClientRect(&client);
    if (m_gridPanels.GetSafeHwnd())
        m_gridPanels.MoveWindow(nPage == PAGE_PANELS ? client : CRect(0, 0, 0, 0));
    if (m_gridSections.GetSafeHwnd())
        m_gridSections.MoveWindow(nPage == PAGE_SECTIONS ? client : CRect(0, 0, 0, 0));
}

void CConditionView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CScrollView::OnPrepareDC(pDC, pInfo);
    const int page = ShownPage();
    if (pDC->IsPrinting() || page == PAGE_INPUT || page == PAGE_DESIGN) {
        pDC->SetMapMode(MM_LOMETRIC);
        // The scroll position is the logical point at the window's top left.
        if (!pDC->IsPrinting())
            pDC->SetWindowOrg(GetScrollPosition());
    }
}

void CConditionView::OnDraw(CDC* pDC)
{
    g_pConditionView = this;
    if (pDC && pDC->IsPrinting())
        return;
    const int page = ShowPage();
    if (page == PAGE_INPUT)
        DrawInputConditions(pDC);
    else if (page == PAGE_DESIGN)
        DrawDesignConditions(pDC, kA4Portrait.cx - m_nRightMargin);
}

void CConditionView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CScrollView::OnUpdate(pSender, lHint, pHint);
    ShowPage();
}

int CConditionView::ShowPage()
{
    const int page = GetDocument() && g_nSpans > 0 ? ShownPage() : -1;
    switch (page) {
    case PAGE_INPUT: SetPageScrollSizes(MM_LOMETRIC, m_sizeDocument); break;
    case PAGE_DESIGN: SetPageScrollSizes(MM_LOMETRIC, kA4Portrait); break;
    case PAGE_PANELS:
        SetPageScrollSizes(MM_TEXT, CSize(100, 100));
        FillPanelTable();
        break;
    case PAGE_SECTIONS:
        SetPageScrollSizes(MM_TEXT, CSize(100, 100));
        FillSectionTable();
        break;
    default: break;
    }
    PlaceGrids(page);
    return page;
}

void CConditionView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    const int page = ShownPage();
    if (page == PAGE_PANELS || page == PAGE_SECTIONS)
        PlaceGrids(page);
}

void CConditionView::OnSwitchPage(int nPage)
{
    if (CMarivoltenDoc* doc = GetDocument())
        doc->m_nConditionPage = nPage;
    // A grid covering the view leaves it unpainted: the page is laid out now.
    ShowPage();
    Invalidate(TRUE);
}

CConditionView::Selected CConditionView::SelectReportTools(CDC* pDC, CPen& pen)
{
    Selected old;
    old.font = pDC->SelectObject(&m_font);
    old.pen = pDC->SelectObject(&pen);
    return old;
}

void CConditionView::DrawInputConditions(CDC* pDC)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!g_pHeightDlg || !doc || !pDC)
        return;
    SetReportDocument(doc);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    const Selected old = SelectReportTools(pDC, pen);
    const int lines = RunInputBlocks(pDC, nullptr, 0, 0);
    m_sizeDocument = CSize(kA4Portrait.cx, m_nTopMargin + m_nBottomMargin + lines * m_nLineHeight);
    SetPageScrollSizes(MM_LOMETRIC, m_sizeDocument);
    RunInputBlocks(pDC, nullptr, 1, 0);
    pDC->SelectObject(old.font);
    pDC->SelectObject(old.pen);
}

int CConditionView::PrintInputConditions(CDC* pDC, CPrintInfo* pInfo, int mode)
{
    CMarivoltenDoc* doc = GetDocument();
    if (g_nSpans == 0 || !doc || doc->m_nConditionPage != PAGE_INPUT)
        return 0;
    SetReportDocument(doc);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    Selected old;
    if (pDC)
        old = SelectReportTools(pDC, pen);
    const int line = RunInputBlocks(pDC, pInfo, mode, 0) - 1;
    if (pDC) {
        pDC->SelectObject(old.font);
        pDC->SelectObject(old.pen);
    }
    return line;
}

void CConditionView::FillPanelTable()
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc || !m_gridPanels.GetSafeHwnd())
        return;
    const results::Table t = inputcheck::PanelTable(*doc);
    CreateBoldFont(m_fontBold, m_gridPanels);
    ResetResultGrid(m_gridPanels, t.Cols(), t.Rows());
    m_gridPanels.SetColWidth(0, 160);
    WriteResultTable(m_gridPanels, t, &m_fontBold);
}

void CConditionView::FillSectionTable()
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc || !m_gridSections.GetSafeHwnd())
        return;
    const results::Table t = inputcheck::SectionAreas(*doc);
    CreateBoldFont(m_fontBold, m_gridSections);
    ResetResultGrid(m_gridSections, t.Cols(), t.Rows());
    m_gridSections.SetColWidth(0, 160);
    WriteResultTable(m_gridSections, t, &m_fontBold);
    m_gridSections.RedrawAll();
}

void CConditionView::DrawDesignConditions(CDC* pDC, int right)
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc || !pDC)
        return;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    const Selected old = SelectReportTools(pDC, pen);
    const std::vector<inputcheck::PageText> texts = inputcheck::DesignConditions(*doc, doc->GetPathName());
    for (const inputcheck::PageText& t : texts) {
        // A long path (or title) takes up to two empty rows below its own.
        int rows = 1;
        while (rows < 3 && std::none_of(texts.begin(), texts.end(),
                                        [&](const inputcheck::PageText& o) { return o.row == t.row + rows; }))
            ++rows;
        WriteWithin(pDC, ColumnX(t.col), RowToY(t.row), right, t.text, rows, m_nLineHeight);
    }
    pDC->SelectObject(old.font);
    pDC->SelectObject(old.pen);
}

QString CConditionView::PrintTitle(int nPage)
{
    switch (nPage) {
    case PAGE_INPUT: return QStringLiteral("_入力条件");
    case PAGE_PANELS: return QStringLiteral("_入力条件(パネル割)");
    case PAGE_DESIGN: return QStringLiteral("_設計条件");
    case PAGE_SECTIONS: return QStringLiteral("_仮定/実断面");
    default: return QString();
    }
}

// ---- printing: the page shown, on A4

BOOL CConditionView::OnPreparePrinting(CPrintInfo* pInfo)
{
    CSize paper = kA4Portrait;
    return PrepareA4Printing(*this, pInfo, GetDocument(), &paper);
}

void CConditionView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nPrintedPage = ShownPage();
    CMarivoltenDoc* doc = GetDocument();
    UINT pages = 1;
    if (doc && g_nSpans > 0) {
        switch (m_nPrintedPage) {
        case PAGE_INPUT: pages = UINT(PrintInputConditions(pDC, pInfo, 0) / m_nLinesPerPage + 1); break;
        case PAGE_PANELS:
            FillPanelTable();
            if (m_gridPanels.GetSafeHwnd())
                pages = UINT(m_printFit.Count(m_gridPanels, pDC, *doc));
            break;
        case PAGE_SECTIONS:
            FillSectionTable();
            if (m_gridSections.GetSafeHwnd())
                pages = UINT(m_printFit.Count(m_gridSections, pDC, *doc));
            break;
        default: break;
        }
    }
    pInfo->SetMaxPage(pages);
}

void CConditionView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->LoadPrintSettings();
    // The paper takes the margins of the print format; the screen keeps its own.
    const int saved[4] = {m_nLeftMargin, m_nRightMargin, m_nTopMargin, m_nBottomMargin};
    m_nLeftMargin = doc->m_nMarginLeft;
    m_nRightMargin = doc->m_nMarginRight;
    m_nTopMargin = doc->m_nMarginTop;
    m_nBottomMargin = doc->m_nMarginBottom;
    const int page = g_nSpans > 0 ? m_nPrintedPage : -1;
    CTableGrid* grid = page == PAGE_PANELS ? &m_gridPanels : page == PAGE_SECTIONS ? &m_gridSections : nullptr;
    m_printFit.Apply();
    PrintResultPage(*doc, pDC, pInfo, PrintTitle(m_nPrintedPage), grid && grid->GetSafeHwnd() ? grid : nullptr);
    if (page == PAGE_INPUT)
        PrintInputConditions(pDC, pInfo, 1);
    else if (page == PAGE_DESIGN)
        DrawDesignConditions(pDC, doc->PageFrameRect(pInfo).right - kTextInset);
    m_nLeftMargin = saved[0];
    m_nRightMargin = saved[1];
    m_nTopMargin = saved[2];
    m_nBottomMargin = saved[3];
}

void CConditionView::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_printFit.Restore();
}

// ---- bar

int CConditionBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    OnUpdateCmdUI(nullptr, FALSE);
    return 0;
}

void CConditionBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    if (g_pDoc && g_pDoc->m_nConditionPage >= 0 && g_pDoc->m_nConditionPage < 4)
        m_nPage = g_pDoc->m_nConditionPage;
    CheckRadios();
}

void CConditionBar::OnPaint()
{
    CDialogBar::OnPaint();
    CheckRadios();
}

void CConditionBar::CheckRadios()
{
    // Exactly the radio of the bar's page is checked.
    for (int page = 0; page < 4; ++page)
        if (auto* b = dynamic_cast<CButton*>(GetControl(kPageIds[page])); b && b->GetCheck() != (page == m_nPage))
            b->SetCheck(page == m_nPage);
}

LRESULT CConditionBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const int page = ClickedButton(message, wParam, kPageIds, 4); page >= 0) {
        OnPage(page);
        return 0;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

void CConditionBar::OnPage(int nPage)
{
    m_nPage = nPage;
    if (g_pConditionView)
        g_pConditionView->SendMessage(WM_CONDITION_SELECT, 0, LPARAM(nPage));
}
