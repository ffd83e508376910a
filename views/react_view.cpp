#include "views/react_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "framework/dialog.h"
#include "framework/dc.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/result_grid.h"

#include <algorithm>

CReactView* g_pReactView = nullptr;

IMPLEMENT_DYNCREATE(CReactView, CResultView)

CReactView::CReactView() : m_global(g_pReactView, this)
{
    OnMessage(WM_REACT_SELECT, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSelectTable(int(lParam));
        return 0;
    });
}

CReactView::~CReactView() = default;

react::ReactInput CReactView::Input(const CMarivoltenDoc& doc)
{
    react::ReactInput in;
    in.nSpans = g_nSpans;
    in.nGirders = g_nGirders;
    in.nBridgeType = g_nBridgeType;
    in.nPanelPoints = g_nPanelPoints;
    in.bSIUnits = g_bSIUnits;
    in.nLiveLoad = doc.m_dlgBasic.m_nLiveLoad;
    in.nVersion = doc.m_nFileVersion;
    for (int s = 0; s <= MAX_SPANS; ++s) {
        in.adStoredImpact[s] = doc.m_adImpactCoef[s];
        in.adImpact[s] = doc.GetImpactCoefficient(s);
    }
    in.allowable = [&doc](int nSpan, int nGirder) { return doc.GetAllowableDeflection(nSpan, nGirder); };
    return in;
}

int CReactView::ShownTable() const
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc || !doc->m_pGirders)
        return -1;
    return react::ShownTable(doc->m_nReactTable, doc->m_pGirders, Input(*doc));
}

int CReactView::ChosenTable() const { return GetDocument() ? GetDocument()->m_nReactTable : -1; }

CTableGrid* CReactView::GridOf(int nTable)
{
    return nTable >= 0 && nTable < TABLE_COUNT && !m_bNotCreated[nTable] ? &m_grid[nTable] : nullptr;
}

void CReactView::OnDraw(CDC* pDC)
{
    g_pReactView = this;
    CResultView::OnDraw(pDC);
}

void CReactView::ShowTable()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc || !GetSafeHwnd())
        return;
    if (!doc->m_pGirders) {
        HideGrids(-1);
        return;
    }
    const int shown = ShownTable();
    switch (shown) {
    case react::TABLE_SUMMARY: FillReactionSummary(); break;
    case react::TABLE_DEFLECTION: FillDeflection(); break;
    case react::TABLE_SUBSTRUCTURE: FillSubstructureReactions(); break;
    case react::TABLE_IMPACT: FillImpactCoefficients(); break;
    case react::TABLE_DETAIL: FillReactionDetail(); break;
    case react::TABLE_DETAIL_NO_IMPACT: FillSubstructureReactionsNoImpact(); break;
    default: break;
    }
    if (shown >= 0 && !m_bNotCreated[shown]) {
        CRect client;
        GetClientRect(&client);
        m_grid[shown].MoveWindow(client);
        m_grid[shown].SetPaintMode(1);
    }
    HideGrids(shown);
}

void CReactView::HideGrids(int nKeep)
{
    for (int n = 0; n < TABLE_COUNT; ++n)
        if (n != nKeep && !m_bNotCreated[n])
            m_grid[n].MoveWindow(CRect(0, 0, 0, 0));
}

void CReactView::Fill(int nTable, const results::Table& table)
{
    CTableGrid& grid = m_grid[nTable];
    if (m_bNotCreated[nTable]) {
        if (!CreateResultGrid(grid, m_buttonType[nTable], this, CRect(0, 0, 100, 100)))
            return;
        m_bNotCreated[nTable] = 0;
    }
    CreateBoldFont(m_fontBold, grid);
    grid.SetPaintMode(0);
    ResetResultGrid(grid, table.Cols(), table.Rows());
    grid.SetColWidth(0, 160);
    WriteResultTable(grid, table, &m_fontBold);
}

void CReactView::FillReactionSummary()
{
    const CMarivoltenDoc& doc = *GetDocument();
    Fill(react::TABLE_SUMMARY, react::ReactionSummary(doc.m_pGirders, Input(doc)));
}

void CReactView::FillDeflection()
{
    const CMarivoltenDoc& doc = *GetDocument();
    Fill(react::TABLE_DEFLECTION, react::Deflection(doc.m_pGirders, Input(doc)));
}

void CReactView::FillSubstructureReactions()
{
    const CMarivoltenDoc& doc = *GetDocument();
    Fill(react::TABLE_SUBSTRUCTURE, react::SubstructureReactions(doc.m_pGirders, Input(doc)));
}

void CReactView::FillImpactCoefficients()
{
    Fill(react::TABLE_IMPACT, react::ImpactCoefficients(Input(*GetDocument())));
}

void CReactView::FillReactionDetail()
{
    const CMarivoltenDoc& doc = *GetDocument();
    Fill(react::TABLE_DETAIL, react::ReactionDetail(doc.m_pGirders, Input(doc)));
}

void CReactView::FillSubstructureReactionsNoImpact()
{
    const CMarivoltenDoc& doc = *GetDocument();
    Fill(react::TABLE_DETAIL_NO_IMPACT, react::SubstructureReactionsNoImpact(doc.m_pGirders, Input(doc)));
}

void CReactView::OnSize(UINT nType, int cx, int cy)
{
    CResultView::OnSize(nType, cx, cy);
    const int shown = ShownTable();
    if (shown >= 0 && !m_bNotCreated[shown])
        m_grid[shown].MoveWindow(CRect(0, 0, cx, cy));
}

void CReactView::OnSelectTable(int nTable)
{
    if (CMarivoltenDoc* doc = GetDocument())
        doc->m_nReactTable = nTable;
    ShowTable();
    Invalidate(TRUE);
}

QString CReactView::PrintTitle(int nTable)
{
    switch (nTable) {
    case react::TABLE_SUMMARY: return QStringLiteral("_支点反力集計");
    case react::TABLE_DEFLECTION: return QStringLiteral("_たわみ");
    case react::TABLE_SUBSTRUCTURE: return QStringLiteral("_下部工用支点反力");
    case react::TABLE_IMPACT: return QStringLiteral("_衝撃係数");
    case react::TABLE_DETAIL: return QStringLiteral("_支点反力詳細");
    case react::TABLE_DETAIL_NO_IMPACT: return QStringLiteral("_下部工用反力(衝撃なし)");
    default: return QString();
    }
}

// ---- bar

const int CReactBar::kTableIds[CReactView::TABLE_COUNT] = {
    IDC_REACT_SUMMARY, IDC_REACT_DEFLECTION, IDC_REACT_SUBSTRUCTURE,
    IDC_REACT_IMPACT,  IDC_REACT_DETAIL,     IDC_REACT_DETAIL_NO_IMPACT};

int CReactBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    OnUpdateCmdUI(nullptr, FALSE);
    return 0;
}

void CReactBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The table the window shows, which may stand in for one the results cannot fill.
    if (g_pReactView && g_pReactView->ShownTable() >= 0)
        m_nTable = g_pReactView->ShownTable();
    else if (g_pDoc && g_pDoc->m_nReactTable >= 0 && g_pDoc->m_nReactTable < CReactView::TABLE_COUNT)
        m_nTable = g_pDoc->m_nReactTable;
    CheckButtons();
}

void CReactBar::OnPaint()
{
    CDialogBar::OnPaint();
    CheckButtons();
}

void CReactBar::CheckButtons()
{
    for (int t = 0; t < CReactView::TABLE_COUNT; ++t)
        if (auto* button = dynamic_cast<CButton*>(GetControl(kTableIds[t])); button && button->GetCheck() != (t == m_nTable))
            button->SetCheck(t == m_nTable);
}

LRESULT CReactBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const int table = ClickedButton(message, wParam, kTableIds, CReactView::TABLE_COUNT); table >= 0) {
        OnSelectTable(table);
        return 0;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

QString CReactBar::Refusal(int nTable)
{
    const CMarivoltenDoc* doc = g_pDoc;
    const bool tl = doc && (doc->m_dlgBasic.m_nLiveLoad == 2 || doc->m_dlgBasic.m_nLiveLoad == 3);
    const bool oldDetail = doc && doc->m_pGirders && doc->m_pGirders[0].m_anDetailNode[0][0] == -1;
    switch (nTable) {
    case react::TABLE_IMPACT:
        if (doc && doc->m_adImpactCoef[0] == -1.0)
            return QStringLiteral("旧形式データのため「衝撃係数」を表示できませんでした。\r格子計算をやり直してください。");
        break;
    case react::TABLE_DETAIL:
        if (tl)
            return QStringLiteral("T+L荷重選択時は「支点反力詳細」は表示できません。");
        if (oldDetail)
            return QStringLiteral("旧形式データのため「支点反力詳細」を表示できませんでした。\r格子計算をやり直してください。");
        break;
    case react::TABLE_DETAIL_NO_IMPACT:
        if (tl)
            return QStringLiteral("T+L荷重選択時は「下部工用反力（衝撃無し）」は表示できません。");
        if (oldDetail)
            return QStringLiteral("旧形式データのため「下部工用反力（衝撃無し）」を表示できませんでした。\r格子計算をやり直してください。");
        break;
    default: break;
    }
    return QString();
}

void CReactBar::OnSelectTable(int nTable)
{
    const bool needsResults = nTable == react::TABLE_IMPACT || nTable == react::TABLE_DETAIL ||
                              nTable == react::TABLE_DETAIL_NO_IMPACT;
    const QString refusal = Refusal(nTable);
    // Without results these tables have nothing to test: the button just does not take.
    if (!refusal.isEmpty() || (needsResults && (!g_pDoc || !g_pDoc->m_pGirders))) {
        if (!refusal.isEmpty())
            AfxMessageBox(refusal);
        CheckButtons();
        return;
    }
    m_nTable = nTable;
    CheckButtons();
    if (g_pReactView)
        g_pReactView->SendMessage(WM_REACT_SELECT, 0, LPARAM(nTable));
}
