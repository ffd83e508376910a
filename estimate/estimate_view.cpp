#include "estimate/estimate_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/print.h"
#include "framework/wndextras.h"
#include "res/resource_ids.h"

#include <algorithm>
#include <cmath>

CEstimateView* g_pEstimateView = nullptr;

IMPLEMENT_DYNCREATE(CEstimateView, CScrollView)

namespace {


}

CEstimateView::CEstimateView() : m_global(g_pEstimateView, this)
{
    OnMessage(WM_ESTIMATE_SELECT, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSelectTable(int(lParam));
        return 0;
    });
}

CEstimateView::~CEstimateView() = default;

CMarivoltenDoc* CEstimateView::GetDocument() const
{
    return static_cast<CMarivoltenDoc*>(CScrollView::GetDocument());
}

CTableGrid& CEstimateView::Grid(int nTable)
{
    CTableGrid* grids[TABLE_COUNT] = {&m_gridTable0, &m_gridTable1, &m_gridTable2, &m_gridTable3,
                                      &m_gridTable4, &m_gridTable5, &m_gridTable6, &m_gridTable7};
    return *grids[nTable];
}

bool CEstimateView::EnsureGrid(int nTable)
{
    if (!m_abGridNotCreated[nTable])
        return true;
    CTableGrid& grid = Grid(nTable);
    if (!grid.CreateGrid(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 100), this, 1234))
        return false;
    grid.AddCellType(&m_aGridButtonTypes[nTable]);
    m_abGridNotCreated[nTable] = 0;
    return true;
}

bool CEstimateView::SetupTableGrid(int nTable, int nCols, int nRows)
{
    if (!EnsureGrid(nTable))
        return false;
    CTableGrid& grid = Grid(nTable);
    if (!m_afontBold[nTable].GetSafeHandle())
        m_afontBold[nTable].CreateFont(grid.m_nFontHeight, 0, 0, 0, 800, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                                       QStringLiteral("ＭＳ ゴシック"));
    grid.SetPaintMode(0);
    grid.SetMultiSelectMode(TRUE);
    grid.EnablePopupMenu(TRUE);
    grid.SetNumberCols(nCols, FALSE);
    grid.SetNumberRows(nRows, FALSE);
    grid.SetSideHeadingWidth(0);
    grid.SetTopHeadingHeight(0);
    grid.SetColWidth(0, 160);
    // A row that a former build made taller may hold another line now.
    const int height = grid.GetSettings()->m_nDefRowHeight;
    CGridCell cell;
    for (int row = 0; row < nRows; ++row) {
        grid.SetRowHeight(row, height);
        for (int col = 0; col < nCols; ++col) {
            grid.GetCell(col, row, &cell);
            cell.ClearAll();
            grid.SetCell(col, row, &cell);
        }
    }
    return true;
}

void CEstimateView::SetHeadingStyle(CGridCell& cell, short nAlign)
{
    cell.SetTextColor(kHeadingText);
    cell.SetBackColor(GetSysColor(COLOR_BTNFACE));
    cell.SetCellType(GRID_CT_BUTTON);
    cell.SetCellTypeEx(GRID_STYLE_CURRENTONLY);
    cell.SetAlignment(nAlign);
}

void CEstimateView::SetHeadingCell(CTableGrid& grid, int col, int row, short nAlign)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    SetHeadingStyle(cell, nAlign);
    grid.SetCell(col, row, &cell);
}

void CEstimateView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
}

int CEstimateView::ShownTable() const
{
    const CMarivoltenDoc* doc = GetDocument();
    return doc && doc->m_nEstimateTable >= 0 && doc->m_nEstimateTable < TABLE_COUNT ? doc->m_nEstimateTable : -1;
}

void CEstimateView::OnDraw(CDC* pDC)
{
    g_pEstimateView = this;
    // The grids are windows of their own: a printed page gets its table in OnPrint, and a
    // rebuild here would put the screen sizes back in the middle of the job.
    if (pDC && pDC->IsPrinting())
        return;
    ShowTable();
}

void CEstimateView::ShowTable()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc || !GetSafeHwnd())
        return;
    // Without results nothing is built, and no table of earlier results stays in sight.
    if (!doc->m_pGirders) {
        HideGrids(-1);
        return;
    }
    const int shown = ShownTable();
    switch (shown) {
    case 0: FillMassSummary(); break;
    case 1: FillMassBreakdown(); break;
    case 2: FillAreaVolume(); break;
    case 3: FillLabourElements(); break;
    case 4: FillContractCost(); break;
    case 5: FillMaterialCost(); break;
    case 6: FillMassByGrade(); break;
    case 7: FillFabricationCost(); break;
    default: break;
    }
    CRect client;
    GetClientRect(&client);
    if (shown >= 0 && !m_abGridNotCreated[shown]) {
        CTableGrid& grid = Grid(shown);
        // The widths were chosen for one font; the one standing in may be wider.
        grid.WidenColumnsToTexts();
        grid.MoveWindow(client);
        grid.SetPaintMode(1);
    }
    // The table left behind goes also when the new one has no grid, so that no page
    // button shows another table's numbers.
    HideGrids(shown);
}

void CEstimateView::HideGrids(int nKeep)
{
    for (int n = 0; n < TABLE_COUNT; ++n)
        if (n != nKeep && !m_abGridNotCreated[n])
            Grid(n).MoveWindow(CRect(0, 0, 0, 0));
}

void CEstimateView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CScrollView::OnUpdate(pSender, lHint, pHint);
    ShowTable();
}

void CEstimateView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    const int shown = ShownTable();
    if (shown >= 0 && !m_abGridNotCreated[shown] && GetDocument() && GetDocument()->m_pGirders)
        Grid(shown).MoveWindow(CRect(0, 0, cx, cy));
}

void CEstimateView::OnSelectTable(int nTable)
{
    if (CMarivoltenDoc* doc = GetDocument())
        doc->m_nEstimateTable = nTable;
    // The grid covers the view, which then need not be painted: the table is built now.
    ShowTable();
    Invalidate(TRUE);
}

QString CEstimateView::PrintTitle(int nTable)
{
    const bool si = g_bSIUnits == 1;
    switch (nTable) {
    case 0: return si ? QStringLiteral("_質量集計") : QStringLiteral("_重量集計");
    case 1: return si ? QStringLiteral("_質量内訳") : QStringLiteral("_重量内訳");
    case 2: return QStringLiteral("_塗装/舗装面積、RC体積");
    case 3: return QStringLiteral("_工数算定要素");
    case 4: return QStringLiteral("_請負工事費");
    case 5: return QStringLiteral("_材料費内訳");
    case 6: return si ? QStringLiteral("_規格別質量") : QStringLiteral("_規格別重量");
    case 7: return QStringLiteral("_製作費内訳");
    default: return QString();
    }
}

// ---- printing

BOOL CEstimateView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return PrepareA4Printing(*this, pInfo, GetDocument(), &m_sizePage);
}

void CEstimateView::ApplyPrintLayout(int nTable)
{
    CTableGrid& grid = Grid(nTable);
    auto widths = [&grid](int first, int last, int width) {
        for (int col = first; col <= last; ++col)
            grid.SetColWidth(col, width);
    };
    switch (nTable) {
    case 1:
        grid.SetColWidth(0, 160);
        grid.SetRowHeight(0, 20);
        grid.SetColWidth(2, 90);
        widths(1, 1, 60);
        widths(3, 6, 60);
        break;
    case 3: grid.SetColWidth(0, 160); widths(1, 4, 97); break;
    case 4: grid.SetColWidth(0, 160); widths(1, 8, 78); break;
    case 5: grid.SetColWidth(0, 160); widths(1, 21, 78); break;
    case 6: grid.SetColWidth(0, 160); widths(1, 5, 78); break;
    default: break;
    }
}

void CEstimateView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nPrintedTable = -1;
    const int shown = ShownTable();
    if (shown < 0 || m_abGridNotCreated[shown]) {
        pInfo->SetMaxPage(1);
        return;
    }
    CTableGrid& grid = Grid(shown);
    grid.GetEdit()->Close();
    m_nPrintedTable = shown;
    m_anScreenColWidths.assign(size_t(grid.GetNumberCols()), 0);
    m_anScreenRowHeights.assign(size_t(grid.GetNumberRows()), 0);
    for (int col = 0; col < grid.GetNumberCols(); ++col)
        grid.GetColWidth(col, &m_anScreenColWidths[size_t(col)]);
    for (int row = 0; row < grid.GetNumberRows(); ++row)
        grid.GetRowHeight(row, &m_anScreenRowHeights[size_t(row)]);
    ApplyPrintLayout(shown);

    CMarivoltenDoc* doc = GetDocument();
    pInfo->SetMaxPage(UINT(doc ? m_printFit.Count(grid, pDC, *doc) : 1));
}

void CEstimateView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting())
        pDC->SetMapMode(MM_LOMETRIC);
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CEstimateView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->LoadPrintSettings();
    const int shown = ShownTable();
    CFont font;
    font.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CFont* oldFont = pDC->SelectObject(&font);
    doc->DrawPageFrame(pDC, pInfo, PrintTitle(shown));
    doc->DrawPageFooter(pDC, pInfo, 0);
    pDC->SelectObject(oldFont);
    if (shown >= 0 && shown == m_nPrintedTable && !m_abGridNotCreated[shown]) {
        // A repaint of the window between pages may have rebuilt the table at screen sizes.
        ApplyPrintLayout(shown);
        m_printFit.Apply();
        Grid(shown).GetPrint()->PrintPage(pDC, int(pInfo->m_nCurPage));
    }
    CScrollView::OnPrint(pDC, pInfo);
}

void CEstimateView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_printFit.Restore();
    if (m_nPrintedTable < 0 || m_abGridNotCreated[m_nPrintedTable])
        return;
    // The screen sizes as they were before the job.
    CTableGrid& grid = Grid(m_nPrintedTable);
    for (int col = 0; col < int(m_anScreenColWidths.size()) && col < grid.GetNumberCols(); ++col)
        grid.SetColWidth(col, m_anScreenColWidths[size_t(col)]);
    for (int row = 0; row < int(m_anScreenRowHeights.size()) && row < grid.GetNumberRows(); ++row)
        grid.SetRowHeight(row, m_anScreenRowHeights[size_t(row)]);
    m_nPrintedTable = -1;
}

// ---- bar

const int CEstimateBar::kPageIds[CEstimateView::TABLE_COUNT] = {
    IDC_ESTBAR_MASS_SUMMARY,  IDC_ESTBAR_MASS_BREAKDOWN, IDC_ESTBAR_AREA_VOLUME,    IDC_ESTBAR_LABOUR,
    IDC_ESTBAR_CONTRACT_COST, IDC_ESTBAR_MATERIAL_COST,  IDC_ESTBAR_MASS_BY_GRADE, IDC_ESTBAR_FABRICATION_COST};

QString CEstimateBar::PageCaption(int nPage)
{
    const bool si = g_bSIUnits == 1;
    switch (nPage) {
    case 0: return si ? QStringLiteral("質量集計") : QStringLiteral("重量集計");
    case 1: return si ? QStringLiteral("質量内訳") : QStringLiteral("重量内訳");
    case 2: return QStringLiteral("塗装、舗装");
    case 3: return QStringLiteral("工数算定要素");
    case 4: return QStringLiteral("請負工事費");
    case 5: return QStringLiteral("材料費内訳");
    case 6: return si ? QStringLiteral("規格別質量") : QStringLiteral("規格別重量");
    case 7: return QStringLiteral("製作費内訳");
    default: return QString();
    }
}

int CEstimateBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    if (g_pDoc && g_pDoc->m_nEstimateTable >= 0 && g_pDoc->m_nEstimateTable < CEstimateView::TABLE_COUNT)
        m_nPage = g_pDoc->m_nEstimateTable;
    UpdateData(FALSE);
    return 0;
}

void CEstimateBar::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_ESTBAR_MASS_SUMMARY, m_nPage);
}

LRESULT CEstimateBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && UINT((wParam >> 16) & 0xFFFF) == BN_CLICKED) {
        const int id = int(wParam & 0xFFFF);
        const int* page = std::find(std::begin(kPageIds), std::end(kPageIds), id);
        if (page != std::end(kPageIds)) {
            OnSelectPage(int(page - std::begin(kPageIds)));
            return 0;
        }
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

void CEstimateBar::OnSelectPage(int nPage)
{
    m_nPage = nPage;
    if (g_pEstimateView)
        g_pEstimateView->SendMessage(CEstimateView::WM_ESTIMATE_SELECT, 0, LPARAM(nPage));
}

void CEstimateBar::OnPaint()
{
    CDialogBar::OnPaint();
    // The button of the page checked, the others not; the mass words of the unit system.
    UpdateData(FALSE);
    for (int page : {0, 1, 6})
        if (CWnd* button = GetControl(kPageIds[page]); button && button->GetWindowText() != PageCaption(page))
            button->SetWindowText(PageCaption(page));
}
