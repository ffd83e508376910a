#include "input/cross_beam_dialog.h"
#include "app/design_state.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "geometry/plan_core.h"
#include "input/design_questions.h"

#include <algorithm>

CSetupCrossBeamDialog* g_pCrossBeamDlg = nullptr;

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr int kKinds = 4;
// Background and text of each member kind's cell.
constexpr COLORREF kKindBack[kKinds] = {RGB(255, 255, 0), RGB(50, 255, 255), RGB(0, 0, 255), RGB(255, 0, 0)};
constexpr COLORREF kKindText[kKinds] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)};
constexpr short kAlignLeft = 1;

int Spans() { return std::clamp(g_nSpans, 0, MAX_SPANS); }
int Panels(int s) { return std::clamp(g_anPanelCount[s], 0, MAX_PANELS); }

// Whether panel point p of the bridge stands on a support.
bool IsSupport(int p)
{
    int last = 0;
    for (int s = 0; s < Spans(); ++s) {
        if (p == last)
            return true;
        last += Panels(s);
    }
    return p == last;
}

}

CrossBeamArrangementData::CrossBeamArrangementData()
{
    // A new design has no spans yet.
    const CDesignLayout fresh;
    PlanCore::DefaultArrangement(fresh.nBridgeType, fresh.nSpans, fresh.anPanelCount, m_anMemberKind, m_abDistributing);
}

// ---- table ----

void CSetupCrossBeamGrid::OnSetup()
{
    CTableGrid::OnSetup();
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    SetNumberCols(2, FALSE);
    SetSideHeadingWidth(53);
    SetColWidth(COL_KIND, 120);
    SetColWidth(COL_DISTRIBUTING, 39);
    SetCellText(-1, -1, QStringLiteral("断面No."));
    SetCellText(COL_KIND, -1, QStringLiteral("横桁種類"));
    SetCellText(COL_DISTRIBUTING, -1, QStringLiteral("分配"));
    for (int col : {-1, int(COL_KIND), int(COL_DISTRIBUTING)})
        SetCellTextColor(col, -1, kHeadingText);
}

void CSetupCrossBeamGrid::SetKind(CGridCell* cell, int nKind)
{
    const int k = std::clamp(nKind, 0, kKinds - 1);
    cell->SetNumber(k);
    cell->SetChoiceList(g_szCrossMemberKinds[k]);
    cell->SetBackColor(kKindBack[k]);
    cell->SetTextColor(kKindText[k]);
}

void CSetupCrossBeamGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    CGridCell cell;
    if (typeId == GRID_CT_SPIN && col == COL_KIND) {
        // The kinds of box girders are fixed: nothing to step and nothing to apply.
        if (g_nBridgeType != 0)
            return;
        if ((msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN) && GetCell(col, row, &cell)) {
            const int kind = int(cell.GetNumber());
            SetKind(&cell, msg == GRID_NOTIFY_SPIN_UP ? (kind + 1) % kKinds : (kind + kKinds - 1) % kKinds);
            SetCell(col, row, &cell);
            RedrawCell(col, row);
        }
    } else if (typeId == GRID_CT_CHECKBOX && col == COL_DISTRIBUTING && msg == GRID_NOTIFY_CHECK_CHANGED) {
        // Multi-box cross beams always distribute, a single box's members never do.
        if (g_nBridgeType != 0 && GetCell(col, row, &cell)) {
            cell.SetNumber(g_nBridgeType == 1 ? 1 : 0);
            SetCell(col, row, &cell);
            RedrawCell(col, row);
        }
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

// ---- window ----

CSetupCrossBeamDialog::CSetupCrossBeamDialog() : CModelessInputDialog(IDD_CROSS_BEAM, IDC_CB_UPDATE)
{
    OnNotify(IDC_CB_UPDATE, BN_CLICKED, [this] { OnUpdate(); });
    // Closing and help are the main frame's commands.
    for (UINT id : {UINT(ID_SETUP_CROSS_BEAM), UINT(ID_HELP)})
        OnNotify(id, BN_CLICKED, [id] {
            if (g_pMainFrame)
                g_pMainFrame->OnCmdMsg(id, CN_COMMAND, nullptr);
        });
    for (UINT message : {UINT(WM_GRID_EDITDONE), UINT(WM_GRID_SPIN), UINT(WM_GRID_CHECK)})
        OnMessage(message, [this](WPARAM, LPARAM) -> LRESULT {
            SetUpdatePending(TRUE);
            return 0;
        });
}

BOOL CSetupCrossBeamDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpdatePending(FALSE);
    m_grid.AttachGrid(IDC_CB_TABLE, this);
    return TRUE;
}

void CSetupCrossBeamDialog::OnShowWindow(BOOL bShow, UINT)
{
    if (!bShow)
        return;
    if (m_bResetArrangement) {
        InitArrangement(0);
        m_bResetArrangement = 0;
    }
    FillTable();
}

void CSetupCrossBeamDialog::InitArrangement(int bAll)
{
    if (bAll == 1 && m_bResetArrangement == 0) {
        AfxMessageBox(QStringLiteral("横桁配置を初期化します。\n＜横桁配置＞入力で横桁配置、分配/非分配を再設定して下さい。"));
        m_bResetArrangement = 1;
    }
    PlanCore::DefaultArrangement(g_nBridgeType, g_nSpans, g_anPanelCount, m_anMemberKind, m_abDistributing);
    // An open window (the coordinate sheet changes points beside it) shows the new rows at once.
    if (GetSafeHwnd() && IsWindowVisible())
        FillTable();
}

int CSetupCrossBeamDialog::PanelPointCount()
{
    int points = 1;
    for (int s = 0; s < Spans(); ++s)
        points += Panels(s);
    return std::min(points, POINTS);
}

void CSetupCrossBeamDialog::FillTable()
{
    if (!GetSafeHwnd() || !m_grid.GetSafeHwnd())
        return;
    const int rows = PanelPointCount();
    m_grid.SetPaintMode(0);
    m_grid.SetNumberRows(rows, FALSE);
    CGridCell cell;
    for (int p = 0; p < rows; ++p) {
        m_grid.GetCell(-1, p, &cell);
        cell.SetText(AfxFormat("C%3d", p + 1) + (IsSupport(p) ? QStringLiteral(" △") : QString()));
        cell.SetTextColor(kHeadingText);
        cell.SetAlignment(kAlignLeft | GRID_ALIGN_VCENTER);
        cell.SetCellType(GRID_CT_NORMAL);
        m_grid.SetCell(-1, p, &cell);

        m_grid.GetCell(CSetupCrossBeamGrid::COL_KIND, p, &cell);
        cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
        cell.SetCellType(GRID_CT_SPIN);
        cell.SetReadOnly(1);
        cell.SetCellTypeEx(GRID_STYLE_CHOICES);
        cell.SetDecimals(0);
        CSetupCrossBeamGrid::SetKind(&cell, m_anMemberKind[p]);
        m_grid.SetCell(CSetupCrossBeamGrid::COL_KIND, p, &cell);

        m_grid.GetCell(CSetupCrossBeamGrid::COL_DISTRIBUTING, p, &cell);
        cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
        cell.SetCellType(GRID_CT_CHECKBOX);
        cell.SetCellTypeEx(GRID_CHECK_SUNKEN | GRID_CHECK_TICK);
        cell.SetDecimals(0);
        cell.SetNumber(m_abDistributing[p] != 0 ? 1 : 0);
        m_grid.SetCell(CSetupCrossBeamGrid::COL_DISTRIBUTING, p, &cell);
    }
    m_grid.SetPaintMode(1);
    m_grid.RedrawAll();
    SetUpdatePending(FALSE);
}

int CSetupCrossBeamDialog::OnUpdate()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!GetSafeHwnd())
        return 0;
    // A table laid out for other spans (a design opened meanwhile) holds nothing to apply.
    if (m_grid.GetNumberRows() != PanelPointCount()) {
        FillTable();
        return 0;
    }
    if (!DiscardResults())
        return 0;
    if (doc)
        doc->SetModifiedFlag();
    SetUpdatePending(FALSE);

    const int rows = PanelPointCount();
    CGridCell cell;
    for (int p = 0; p < rows; ++p) {
        m_grid.GetCell(CSetupCrossBeamGrid::COL_KIND, p, &cell);
        m_anMemberKind[p] = std::clamp(int(cell.GetNumber()), 0, kKinds - 1);
        m_grid.GetCell(CSetupCrossBeamGrid::COL_DISTRIBUTING, p, &cell);
        // Whatever a cell was given (a pasted text), the flag is 0 or 1, and fixed for box girders.
        m_abDistributing[p] = g_nBridgeType == 1 ? 1 : g_nBridgeType == 2 ? 0 : (int(cell.GetNumber()) != 0 ? 1 : 0);
    }
    if (doc)
        doc->Rebuild(CMarivoltenDoc::RebuildReason::CrossBeams);
    m_bResetArrangement = 0;
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_CROSS_BEAM, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 0, 0);
    }
    return 1;
}
