#include "views/detail_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/plan_view.h"
#include "views/result_grid.h"

#include <algorithm>

CSectionPropertiesView* g_pPropertiesView = nullptr;

IMPLEMENT_DYNCREATE(CSectionPropertiesView, CResultView)

namespace {

const int kTables[3] = {props::TABLE_FORCES, props::TABLE_STIFFNESS, props::TABLE_STEEL_WEIGHT};
const int kTableIds[3] = {IDC_PROP_FORCES, IDC_PROP_STIFFNESS, IDC_PROP_STEEL_WEIGHT};

int Slot(int nTable)
{
    const int* at = std::find(std::begin(kTables), std::end(kTables), nTable);
    return at == std::end(kTables) ? -1 : int(at - std::begin(kTables));
}

bool IsBox() { return g_nBridgeType != 0; }

}

CSectionPropertiesView::CSectionPropertiesView() : m_global(g_pPropertiesView, this)
{
    OnMessage(WM_PROPERTIES_GIRDER, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnGirderChanged(int(lParam));
        return 0;
    });
    OnMessage(WM_PROPERTIES_SELECT, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnTableChanged(int(lParam));
        return 0;
    });
}

CSectionPropertiesView::~CSectionPropertiesView() = default;

CTableGrid& CSectionPropertiesView::Grid(int nTable)
{
    CTableGrid* grids[3] = {&m_gridForces, &m_gridStiffness, &m_gridSteelWeight};
    return *grids[std::max(Slot(nTable), 0)];
}

const CGirderDesign* CSectionPropertiesView::CurrentGirder(const CMarivoltenDoc& doc)
{
    if (!doc.m_pGirders || g_nGirders <= 0)
        return nullptr;
    return &doc.m_pGirders[g_nBridgeType == 2 ? std::min(1, g_nGirders - 1) : PlanCurrentGirder(doc)];
}

int CSectionPropertiesView::OnCreate()
{
    if (CResultView::OnCreate() == -1)
        return -1;
    const int forceRows = (IsBox() ? 5 : 4) * std::max(g_nPanelPoints, 1);
    const std::pair<int, int> sizes[3] = {{8, forceRows}, {8, 2}, {5, 2}};
    for (int i = 0; i < 3; ++i) {
        CTableGrid& grid = Grid(kTables[i]);
        if (!CreateResultGrid(grid, m_buttonType[i], this, CRect()))
            return -1;
        grid.SetNumberCols(sizes[i].first, FALSE);
        grid.SetNumberRows(sizes[i].second, FALSE);
        grid.SetColWidth(0, 0);
        grid.SetRowHeight(0, 0);
    }
    return 0;
}

int CSectionPropertiesView::ShownTable() const
{
    const CMarivoltenDoc* doc = GetDocument();
    const CGirderDesign* girder = doc ? CurrentGirder(*doc) : nullptr;
    return girder ? props::ShownTable(doc->m_nPropertiesTable, *girder, g_nPanelPoints) : -1;
}

int CSectionPropertiesView::ChosenTable() const { return GetDocument() ? GetDocument()->m_nPropertiesTable : -1; }

CTableGrid* CSectionPropertiesView::GridOf(int nTable)
{
    return Slot(nTable) >= 0 && Grid(nTable).GetSafeHwnd() ? &Grid(nTable) : nullptr;
}

void CSectionPropertiesView::OnDraw(CDC* pDC)
{
    g_pPropertiesView = this;
    CResultView::OnDraw(pDC);
}

void CSectionPropertiesView::ShowTable()
{
    if (!GetDocument() || !GetSafeHwnd())
        return;
    const int shown = ShownTable();
    switch (shown) {
    case props::TABLE_FORCES: FillForces(); break;
    case props::TABLE_STIFFNESS: FillStiffness(); break;
    case props::TABLE_STEEL_WEIGHT: FillSteelWeight(); break;
    default: break;
    }
    CRect client;
    GetClientRect(&client);
    Place(shown, client);
}

void CSectionPropertiesView::Place(int nShown, const CRect& rect)
{
    for (int table : kTables) {
        CTableGrid& grid = Grid(table);
        if (!grid.GetSafeHwnd())
            continue;
        grid.MoveWindow(table == nShown ? rect : CRect(0, 0, 0, 0));
        if (table == nShown)
            grid.SetPaintMode(1);
    }
}

void CSectionPropertiesView::Fill(int nTable, const results::Table& table)
{
    CTableGrid& grid = Grid(nTable);
    if (!grid.GetSafeHwnd())
        return;
    CreateBoldFont(m_fontBold, grid);
    grid.SetPaintMode(0);
    ResetResultGrid(grid, table.Cols(), table.Rows());
    WriteResultTable(grid, table, &m_fontBold);
    // Row 0 and column 0 are there but not shown.
    grid.SetColWidth(0, 0);
    grid.SetRowHeight(0, 0);
}

void CSectionPropertiesView::FillForces()
{
    if (const CGirderDesign* girder = CurrentGirder(*GetDocument()))
        Fill(props::TABLE_FORCES, props::Forces(*girder, g_nPanelPoints, IsBox(), g_bSIUnits == 1));
}

void CSectionPropertiesView::FillStiffness()
{
    if (const CGirderDesign* girder = CurrentGirder(*GetDocument()))
        Fill(props::TABLE_STIFFNESS, props::Stiffness(*girder, IsBox()));
}

void CSectionPropertiesView::FillSteelWeight()
{
    if (const CGirderDesign* girder = CurrentGirder(*GetDocument()))
        Fill(props::TABLE_STEEL_WEIGHT, props::SteelWeight(*girder, g_bSIUnits == 1));
}

void CSectionPropertiesView::OnSize(UINT nType, int cx, int cy)
{
    CResultView::OnSize(nType, cx, cy);
    Place(ShownTable(), CRect(0, 0, cx, cy));
}

void CSectionPropertiesView::OnGirderChanged(int nGirder)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->m_nCurGirder = g_nBridgeType == 2 ? 1 : nGirder;
    Invalidate(TRUE);
    // The longitudinal section and the force diagram follow the girder.
    doc->UpdateAllViews(this);
}

void CSectionPropertiesView::OnTableChanged(int nTable)
{
    if (CMarivoltenDoc* doc = GetDocument())
        doc->m_nPropertiesTable = nTable;
    ShowTable();
    Invalidate(TRUE);
}

QString CSectionPropertiesView::PrintTitle(int nTable)
{
    switch (nTable) {
    case props::TABLE_FORCES: return QStringLiteral("_断面力詳細データ");
    case props::TABLE_STIFFNESS: return QStringLiteral("_曲げ剛度・ねじり剛度");
    case props::TABLE_STEEL_WEIGHT: return QStringLiteral("_鋼重");
    default: return QString();
    }
}

// ---- bar

int CPropertiesBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    OnUpdateCmdUI(nullptr, FALSE);
    return 0;
}

void CPropertiesBar::ShowGirder(int nGirder)
{
    if (CWnd* edit = GetControl(IDC_PROP_GIRDER); edit && edit->GetWindowText() != AfxFormat("%4d", nGirder))
        edit->SetWindowText(AfxFormat("%4d", nGirder));
}

void CPropertiesBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int girder = g_nBridgeType == 2 ? 1 : PlanCurrentGirder(*doc) + 1;
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(IDC_PROP_GIRDER_SPIN))) {
        spin->SetRange(1, std::max(g_nGirders, 1));
        spin->SetPos(girder);
    }
    ShowGirder(girder);
    if (g_pPropertiesView && g_pPropertiesView->ShownTable() >= 0)
        m_nTable = g_pPropertiesView->ShownTable();
    else if (Slot(doc->m_nPropertiesTable) >= 0)
        m_nTable = doc->m_nPropertiesTable;
    CheckButtons();
}

void CPropertiesBar::OnPaint()
{
    CDialogBar::OnPaint();
    CheckButtons();
}

void CPropertiesBar::CheckButtons()
{
    for (int i = 0; i < 3; ++i)
        if (auto* button = dynamic_cast<CButton*>(GetControl(kTableIds[i]));
            button && button->GetCheck() != (kTables[i] == m_nTable))
            button->SetCheck(kTables[i] == m_nTable);
}

LRESULT CPropertiesBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        const int id = int(wParam & 0xFFFF);
        const UINT code = UINT((wParam >> 16) & 0xFFFF);
        if (code == UDN_DELTAPOS && id == IDC_PROP_GIRDER_SPIN) {
            if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(id))) {
                // The bar moves the girder and the edit itself.
                spin->m_bRefused = true;
                OnDeltaPosGirder(spin->m_nDelta);
            }
            return 0;
        }
    }
    if (const int table = ClickedButton(message, wParam, kTableIds, 3); table >= 0) {
        OnSelectTable(kTables[table]);
        return 0;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

bool CPropertiesBar::OnDeltaPosGirder(int nDelta)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nBridgeType == 2)
        return false;
    const int n = PlanCurrentGirder(*doc) + 1 + nDelta;
    if (n < 1 || n > g_nGirders)
        return false;
    doc->m_nCurGirder = n - 1;
    ShowGirder(n);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(IDC_PROP_GIRDER_SPIN)))
        spin->SetPos(n);
    if (g_pPropertiesView)
        g_pPropertiesView->SendMessage(WM_PROPERTIES_GIRDER, WPARAM(n - 1), LPARAM(n - 1));
    else
        doc->UpdateAllViews(nullptr);
    return true;
}

QString CPropertiesBar::Refusal(int nTable)
{
    if ((nTable != props::TABLE_STIFFNESS && nTable != props::TABLE_STEEL_WEIGHT) || !g_pDoc || !g_pDoc->m_pGirders)
        return QString();
    // The object that holds the girder's sections: the box's own for a single box.
    const CGirderDesign& first = g_pDoc->m_pGirders[g_nBridgeType == 2 ? std::min(1, g_nGirders - 1) : 0];
    if (first.m_nSections <= 0 || first.m_pSections.empty() || first.m_pSections[0].m_dAssumedArea >= 0.0)
        return QString();
    return nTable == props::TABLE_STIFFNESS
               ? QStringLiteral("古い形式のデータなので曲げ剛度・ねじり剛度を表示できませんでした。\r格子計算をやり直してください。")
               : QStringLiteral("古い形式のデータなので鋼重を表示できませんでした。\r格子計算をやり直してください。");
}

void CPropertiesBar::OnSelectTable(int nTable)
{
    if (nTable != props::TABLE_FORCES) {
        // Without results, or without sections to show, the button does not take.
        const CGirderDesign* girder = g_pDoc ? CSectionPropertiesView::CurrentGirder(*g_pDoc) : nullptr;
        const QString refusal = Refusal(nTable);
        if (!refusal.isEmpty())
            AfxMessageBox(refusal);
        if (!refusal.isEmpty() || !girder || !props::HasAssumedValues(*girder)) {
            CheckButtons();
            return;
        }
    }
    m_nTable = nTable;
    CheckButtons();
    if (g_pPropertiesView)
        g_pPropertiesView->SendMessage(WM_PROPERTIES_SELECT, 0, LPARAM(nTable));
}
