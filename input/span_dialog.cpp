#include "input/span_dialog.h"
#include "input/headed_table.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"
#include "res/resource_ids.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr int kMaxTotalPanels = 250;
constexpr int kMaxFreeSections = 10;

int Spans() { return g_nSpans >= 1 && g_nSpans <= MAX_SPANS ? g_nSpans : 0; }

bool LengthChanged(int s, double length) { return std::fabs(g_adSpanLength[s] - length) > 1e-20; }

}

// ---- table ----

void CSetupSpanGrid::OnSetup()
{
    CTableGrid::OnSetup();
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    SetSideHeadingWidth(56);
}

void CSetupSpanGrid::Fill()
{
    SetPaintMode(0);
    SetNumberCols(COLS, FALSE);
    SetNumberRows(Spans(), FALSE);
    SetCellText(-1, -1, QStringLiteral("支間No."));
    const char* const headings[COLS] = {"支間長(mm)", "ﾊﾟﾈﾙ数", "任意設定断面数"};
    const int widths[COLS] = {110, 70, 110};
    for (int c = 0; c < COLS; ++c) {
        SetCellText(c, -1, QString::fromUtf8(headings[c]));
        SetColWidth(c, widths[c]);
    }
    struct Column { int decimals; double lo, hi; };
    const Column columns[COLS] = {{1, 1000.0, 1000000.0}, {0, 2.0, 20.0}, {0, 0.0, 10.0}};
    for (int r = 0; r < GetNumberRows(); ++r) {
        SetCellText(-1, r, AfxFormat("%d", r + 1));
        SetCellAlignment(-1, r, GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
        const double values[COLS] = {g_adSpanLength[r] * 1000.0, double(g_anPanelCount[r]),
                                     double(g_anFreeSections[r])};
        for (int c = 0; c < COLS; ++c) {
            CGridCell cell;
            GetCell(c, r, &cell);
            cell.SetCellType(GRID_CT_SPIN);
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            cell.SetDecimals(WORD(columns[c].decimals));
            cell.SetRange(columns[c].lo, columns[c].hi);
            cell.SetReadOnly(0);
            cell.SetNumber(values[c]);
            SetCell(c, r, &cell);
        }
    }
    SetPaintMode(1);
}

double CSetupSpanGrid::Number(int col, int row)
{
    CGridCell cell;
    return GetCell(col, row, &cell) ? cell.GetNumber() : 0.0;
}

int CSetupSpanGrid::Count(int col, int row)
{
    return int(std::clamp(std::trunc(Number(col, row)), -1e9, 1e9));
}

void CSetupSpanGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM)
{
    if (!headedtable::IsSpinStep(typeId, msg))
        return;
    CGridCell cell;
    if (!GetCell(col, row, &cell))
        return;
    const bool up = msg == GRID_NOTIFY_SPIN_UP;
    double value = cell.GetNumber();
    switch (col) {
    case COL_LENGTH:
        // Never below the shortest span allowed.
        value = up ? value + 1000.0 : std::max(value - 1000.0, 1000.0);
        break;
    case COL_PANELS: {
        const int n = Count(col, row) + (up ? 1 : -1);
        value = n > MAX_PANELS ? 2 : n < 2 ? MAX_PANELS : n;
        break;
    }
    case COL_FREE: {
        const int n = Count(col, row) + (up ? 1 : -1);
        value = n > kMaxFreeSections ? 0 : n < 0 ? kMaxFreeSections : n;
        break;
    }
    default:
        return;
    }
    cell.SetNumber(value);
    SetCell(col, row, &cell);
    RedrawCell(col, row);
}

// ---- dialog ----

CSetupSpanDialog::CSetupSpanDialog() : CDialog(IDD_SPAN) {}

BOOL CSetupSpanDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_grid.AttachGrid(IDC_SPAN_TABLE, this);
    m_grid.Fill();
    if (CWnd* edit = GetDlgItem(IDC_BRIDGE_LENGTH))
        edit->SetWindowText(AfxFormat("%.1f", m_dBridgeLength));
    return TRUE;
}

void CSetupSpanDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_BRIDGE_LENGTH, m_dBridgeLength);
    DDV_MinMaxDouble(pDX, m_dBridgeLength, 0.0, MAX_BRIDGE_LENGTH);
}

QString CSetupSpanDialog::CheckTable()
{
    const int rows = std::min(m_grid.GetNumberRows(), Spans());
    for (int r = 0; r < rows; ++r)
        if (m_grid.Number(CSetupSpanGrid::COL_LENGTH, r) < 1000.0)
            return QStringLiteral("支間長が1000mm以下に設定されています。");
    for (int r = 0; r < rows; ++r) {
        const int panels = m_grid.Count(CSetupSpanGrid::COL_PANELS, r);
        if (panels > MAX_PANELS)
            return QStringLiteral("ﾊﾟﾈﾙ数が20以上に設定されています。");
        if (panels < 2)
            return QStringLiteral("ﾊﾟﾈﾙ数を2以上に設定して下さい。");
    }
    // The cross-section window holds 1 + 14 x (10 + 1) stations.
    for (int r = 0; r < rows; ++r) {
        const int free = m_grid.Count(CSetupSpanGrid::COL_FREE, r);
        if (free < 0 || free > kMaxFreeSections)
            return QStringLiteral("任意設定断面数は0から10の範囲で設定して下さい。");
    }
    return QString();
}

void CSetupSpanDialog::OnOK()
{
    CMarivoltenDoc* doc = g_pDoc;
    const int spans = std::min(m_grid.GetNumberRows(), Spans());

    // Everything is checked before anything is asked or stored.
    if (const QString refusal = CheckTable(); !refusal.isEmpty()) {
        AfxMessageBox(refusal);
        return;
    }
    const SpanData saved = *this;
    auto refuse = [this, &saved] { static_cast<SpanData&>(*this) = saved; };
    if (!UpdateData(TRUE)) {
        refuse();
        return;
    }

    int totalPanels = 0;
    bool lengthsChanged = false;
    for (int r = 0; r < spans; ++r) {
        totalPanels += m_grid.Count(CSetupSpanGrid::COL_PANELS, r);
        lengthsChanged |= LengthChanged(r, m_grid.Number(CSetupSpanGrid::COL_LENGTH, r) / 1000.0);
    }
    const bool tooManyPanels = totalPanels > kMaxTotalPanels;
    if (tooManyPanels)
        AfxMessageBox(QStringLiteral("総パネル数が250を超えています。\n必ず＜横断面形状＞での補間方法を「直線補間」として下さい。"));

    if (!ConfirmFramingChange(lengthsChanged,
                              "格子計算、断面計算の結果が無効になります。また、ブロック長を初期化します。\nよろしいですか。")) {
        refuse();
        return;
    }
    if (doc)
        doc->m_bFirstDesign = 1;
    const bool heightPointsMoved = StoreSpans(tooManyPanels);
    EndDialog(IDOK);

    if (doc) {
        // The views' choices start again on the new spans.
        doc->m_nCalcGirder = g_nBridgeType == 2 ? 1 : 0;
        doc->m_nCurGirder = 0;
        doc->m_nCurSupport = 0;
        doc->m_nCurCrossSection = 0;
    }
    CopySkewsToSupportStations();
    if (g_pMainFrame) {
        g_pMainFrame->BringPlanViewForward();
        g_pMainFrame->SetStepDone(ID_SETUP_SPAN, 1);
        for (UINT step : {ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION, ID_SETUP_CROSS_BEAM})
            g_pMainFrame->SetStepDone(step, 0);
        if (heightPointsMoved)
            g_pMainFrame->SetStepDone(ID_SETUP_HEIGHT, 0);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, 0);
    }
    if (doc)
        doc->Rebuild(CMarivoltenDoc::RebuildReason::Spans);
}

bool CSetupSpanDialog::StoreSpans(bool bLinearSections)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (bLinearSections && g_pCrossSectionDlg)
        g_pCrossSectionDlg->m_nInterpolation = 0;
    double oldLength[MAX_SPANS];
    std::copy(g_adSpanLength, g_adSpanLength + MAX_SPANS, oldLength);

    const int spans = std::min(m_grid.GetNumberRows(), Spans());
    bool lengthsChanged = false, freeChanged = false, panelsChanged = false, divided = false;
    double total = 0.0;
    for (int s = 0; s < spans; ++s) {
        const double length = m_grid.Number(CSetupSpanGrid::COL_LENGTH, s) / 1000.0;
        const int panels = m_grid.Count(CSetupSpanGrid::COL_PANELS, s);
        const int free = m_grid.Count(CSetupSpanGrid::COL_FREE, s);
        const bool lengthChanged = LengthChanged(s, length);
        const bool panelsOfSpanChanged = panels != g_anPanelCount[s];
        if (lengthChanged)
            g_adSpanLength[s] = length;
        total += g_adSpanLength[s];
        g_anPanelCount[s] = panels;
        if (free != g_anFreeSections[s]) {
            g_anFreeSections[s] = free;
            freeChanged = true;
        }
        // A span that kept its length and panels keeps the panel lengths the user gave it.
        if (lengthChanged || panelsOfSpanChanged) {
            for (int k = 0; k < panels; ++k)
                g_adPanelLength[s][k] = g_adSpanLength[s] / panels;
            divided = true;
        }
        lengthsChanged |= lengthChanged;
        panelsChanged |= panelsOfSpanChanged;
    }
    g_nCrossSections = CountCrossSections();
    if ((freeChanged || lengthsChanged) && g_pCrossSectionDlg)
        g_pCrossSectionDlg->SeedStationPositions();
    // Other panel points: the arrangement and the per-panel table start again.
    if (panelsChanged && g_pCrossBeamDlg)
        g_pCrossBeamDlg->InitArrangement(1);
    if (divided && doc)
        doc->m_dlgRibPanel.m_bResetRibs = 1;
    const bool heightPointsMoved = lengthsChanged && g_pHeightDlg && g_pHeightDlg->FollowSpanLengths(oldLength);

    // The girder runs past each end support by half of what the bridge is longer than its spans.
    const double bridge = m_dBridgeLength / 1000.0;
    double endLength = 0.0;
    if (bridge >= total - 1e-9)
        endLength = std::max(bridge - total, 0.0) / 2.0;
    else
        AfxMessageBox(QStringLiteral("橋長が支間長の合計より小さくなっています。\n桁端長を0に設定します。"));
    if (doc)
        doc->m_dlgEstimate.m_dlgFactor.m_dGirderEndLength = endLength;
    return heightPointsMoved;
}
