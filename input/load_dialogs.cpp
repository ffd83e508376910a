#include "input/load_dialogs.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/headed_table.h"
#include "input/load_pictures.h"

#include <algorithm>
#include <cmath>

using namespace headedtable;

namespace {

constexpr double kGravity = 9.80665;


const double kDeadLoadPresetSI[DeadLoadData::ITEMS] = {0.5, 0.5, 22.5, 22.5, 24.5, 24.5, 23.5, 24.5, 24.5, 0.0};
const double kDeadLoadPresetGrav[DeadLoadData::ITEMS] = {0.05, 0.05, 2.3, 2.3, 2.5, 2.5, 2.35, 2.5, 2.5, 0.0};

const char* const kDeadLoadRowsSI[DeadLoadData::ITEMS] = {
    "D 1 左高欄   (kN/m)", "D 2 右高欄   (kN/m)", "D 3 歩道舗装(kN/m3)", "D 4 車道舗装(kN/m3)", "D 5 分離帯  (kN/m3)",
    "D 6 歩道縁石(kN/m3)", "D 7 歩道床版(kN/m3)", "D 8 車道床版(kN/m3)", "D 9 地覆    (kN/m3)", "    雪荷重  (kN/m2)"};
const char* const kDeadLoadRowsGrav[DeadLoadData::ITEMS] = {
    "D 1 左高欄    (t/m)", "D 2 右高欄    (t/m)", "D 3 歩道舗装 (t/m3)", "D 4 車道舗装 (t/m3)", "D 5 分離帯   (t/m3)",
    "D 6 歩道縁石 (t/m3)", "D 7 歩道床版 (t/m3)", "D 8 車道床版 (t/m3)", "D 9 地覆     (t/m3)", "    雪荷重   (t/m2)"};

constexpr int kItemButtons = 9;     // D1..D9; the snow row has none

int ItemButton(int row)
{
    if (row < 0 || row >= kItemButtons)
        return 0;
    return row == 8 ? IDC_DL_D9 : IDC_DL_D1 + row;
}

int ItemRow(int nID) { return nID == IDC_DL_D9 ? 8 : nID - IDC_DL_D1; }

void SetCheck(CDialog* dlg, int id, int check)
{
    if (auto* b = dynamic_cast<CButton*>(dlg->GetDlgItem(id)))
        b->SetCheck(check);
}

bool IsSingleBox() { return g_nBridgeType == 2; }

// Girders an attachment can be put on: a single box is one girder.
int AttachGirders() { return IsSingleBox() ? 1 : std::clamp(g_nGirders, 1, MAX_GIRDERS); }

int HaunchRows() { return IsSingleBox() ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS); }

// The per-girder entry of a haunch row: a single box lives in the second entry.
int HaunchEntry(int row) { return IsSingleBox() ? 1 : row; }

}

// ---- dead loads ----

DeadLoadData::DeadLoadData(int bSIUnits)
{
    SetDefaults(bSIUnits);
    ApplyPresets();
    m_bValuesSI = bSIUnits;
    m_bRailingToEstimate = 1;
}

void DeadLoadData::SetDefaults(int bSIUnits)
{
    const double* presets = bSIUnits == 1 ? kDeadLoadPresetSI : kDeadLoadPresetGrav;
    for (int i = 0; i < ITEMS; ++i)
        m_adPreset[i] = presets[i];
}

void DeadLoadData::ApplyPresets()
{
    for (int i = 0; i < ITEMS; ++i)
        m_adValue[i] = m_adPreset[i];
}

double CSetupDeadLoadGrid::Number(int row) { return CellNumber(*this, 0, row); }

void CSetupDeadLoadGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (IsSpinStep(typeId, msg))
        StepCell(*this, col, row, msg, 0.05);
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

CSetupDeadLoadDialog::CSetupDeadLoadDialog() : CDialog(IDD_DEAD_LOAD), DeadLoadData(g_bSIUnits)
{
    OnNotify(IDC_DL_PRESET, BN_CLICKED, [this] { OnPresets(); });
    for (int row = 0; row < kItemButtons; ++row) {
        const int id = ItemButton(row);
        OnNotify(UINT(id), BN_CLICKED, [this, id] { OnItemButton(id); });
    }
    OnMessage(WM_GRID_ROWCHANGED, [this](WPARAM oldRow, LPARAM newRow) -> LRESULT {
        OnRowChange(int(oldRow), int(newRow));
        return 0;
    });
}

BOOL CSetupDeadLoadDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CSetupDeadLoadGrid& t = m_grid;
    AttachTable(t, IDC_DL_TABLE, this);
    ValueColumn(t, ITEMS, 130);
    t.SetCellText(-1, -1, QStringLiteral("項目(単位)"));
    Heading(t, 0, -1, QString());
    const char* const* rows = g_bSIUnits == 1 ? kDeadLoadRowsSI : kDeadLoadRowsGrav;
    // The presets of the units in force; the values stay as they are.
    SetDefaults(g_bSIUnits);
    for (int r = 0; r < ITEMS; ++r) {
        Heading(t, -1, r, QString::fromUtf8(rows[r]), GRID_ALIGN_RIGHT);
        SpinNumber(t, 0, r, m_adValue[r], 2);
    }
    t.SetPaintMode(1);
    m_picture.AttachPicture(IDC_DL_PICTURE, this, [this](CDC* pDC, const CRect& rect) {
        const int row = m_grid.GetSafeHwnd() ? m_grid.GetCurrentRow() : -1;
        DrawDeadLoadPicture(pDC, rect, row < kItemButtons ? row : -1);
    });
    // Through row 1, so that the row change checks D1.
    t.GotoRow(1);
    t.GotoRow(0);
    return TRUE;
}

void CSetupDeadLoadDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_DL_RAILING, m_bRailingToEstimate);
}

void CSetupDeadLoadDialog::OnPresets()
{
    // The table only: nothing is stored before OK.
    for (int r = 0; r < ITEMS; ++r) {
        CGridCell cell;
        m_grid.GetCell(0, r, &cell);
        cell.SetNumber(m_adPreset[r]);
        m_grid.SetCell(0, r, &cell);
    }
    m_grid.RedrawAll();
}

void CSetupDeadLoadDialog::OnItemButton(int nID)
{
    m_grid.m_area.SetFocus();
    m_grid.GotoRow(ItemRow(nID));
}

void CSetupDeadLoadDialog::OnRowChange(int nOldRow, int nNewRow)
{
    if (nNewRow >= 0 && nNewRow < kItemButtons)
        SetCheck(this, ItemButton(nNewRow), 1);
    else
        for (int r = 0; r < kItemButtons; ++r)
            SetCheck(this, ItemButton(r), 0);
    if (nOldRow != nNewRow && nOldRow >= 0 && nOldRow < kItemButtons)
        SetCheck(this, ItemButton(nOldRow), 0);
    m_picture.Invalidate();
}

void CSetupDeadLoadDialog::OnOK()
{
    CMarivoltenDoc* doc = g_pDoc;
    // A load that pulls upwards is no dead load.
    for (int r = 0; r < ITEMS; ++r) {
        if (m_grid.Number(r) < 0.0) {
            AfxMessageBox(QStringLiteral("死荷重に0以上の値を設定して下さい。"));
            m_grid.m_area.SetFocus();
            m_grid.GotoRow(r);
            return;
        }
    }
    if (!DiscardResults())
        return;
    for (int r = 0; r < ITEMS; ++r)
        m_adValue[r] = m_grid.Number(r);
    // The check box as it stands now decides whether the railing weight reaches the estimate.
    UpdateData(TRUE);
    if (doc && m_bRailingToEstimate == 1) {
        const double railing = (m_adValue[0] + m_adValue[1]) / 2.0;
        doc->m_dlgEstimate.m_dlgFactor.m_dRailingWeight = g_bSIUnits == 1 ? railing / kGravity : railing;
    }
    EndDialog(IDOK);
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_DEAD_LOAD, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, 0);
    }
}

// ---- assumed steel weight, haunch and attached loads ----

SteelWeightData::SteelWeightData()
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adHaunchB[g] = 1.0;
        m_adHaunchBin[g] = 0.5;
        m_adHaunchH[g] = 0.08;
        m_adSteelWeight[g] = 0.45;
        m_adHaunchWeight[g] = 0.12;
    }
}

void SteelWeightData::SetNewDesignWeights(int bSIUnits)
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_adSteelWeight[g] = bSIUnits == 1 ? 4.5 : 0.45;
        m_adHaunchWeight[g] = bSIUnits == 1 ? 1.2 : 0.12;
    }
}

HaunchCellRange SteelWeightRange(int bSIUnits)
{
    return bSIUnits == 1 ? HaunchCellRange{2.9, 5.9} : HaunchCellRange{0.3, 0.6};
}

HaunchCellRange HaunchWeightRange(int bSIUnits)
{
    return bSIUnits == 1 ? HaunchCellRange{0.5, 1.8} : HaunchCellRange{0.06, 0.18};
}

double CSetupSteelWeightGrid1::Number(int col, int row) { return CellNumber(*this, col, row); }

void CSetupSteelWeightGrid1::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM)
{
    if (!IsSpinStep(typeId, msg))
        return;
    CGridCell cell;
    if (!GetCell(col, row, &cell))
        return;
    const bool up = msg == GRID_NOTIFY_SPIN_UP;
    switch (col) {
    case COL_GIRDER: {
        const int girders = AttachGirders();
        int g = CellInt(*this, col, row) + (up ? 1 : -1);
        g = g >= girders ? 0 : g < 0 ? girders - 1 : g;
        cell.SetNumber(g);
        cell.SetChoiceList(AfxFormat("G%2d", g + 1));
        break;
    }
    case COL_LOAD:
        cell.SetNumber(std::max(cell.GetNumber() + (up ? 0.1 : -0.1), 0.0));
        break;
    case COL_POSITION:
        cell.SetNumber(cell.GetNumber() + (up ? 0.1 : -0.1));
        break;
    default:
        return;
    }
    SetCell(col, row, &cell);
    RedrawCell(col, row);
}

double CSetupSteelWeightGrid2::Number(int col, int row) { return CellNumber(*this, col, row); }

void CSetupSteelWeightGrid2::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)) {
        CGridCell cell;
        if (GetCell(col, row, &cell)) {
            const bool weight = col == COL_STEEL || col == COL_HAUNCH;
            const double step = weight && g_bSIUnits != 1 ? 0.01 : 0.1;
            double value = cell.GetNumber();
            if (msg == GRID_NOTIFY_SPIN_UP)
                value += step;
            else if (value > 0.0)
                value = std::max(value - step, 0.0);
            cell.SetNumber(value);
            SetCell(col, row, &cell);
            RedrawCell(col, row);
        }
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

CSetupSteelWeightDialog::CSetupSteelWeightDialog() : CDialog(IDD_STEEL_WEIGHT)
{
    OnNotify(IDC_SW_COUNT, EN_CHANGE, [this] { OnCountChange(); });
    OnNotify(IDC_SW_COUNT_SPIN, UDN_DELTAPOS, [this] { OnCountDeltaPos(); });
    for (int id : {IDC_SW_H, IDC_SW_B, IDC_SW_BIN, IDC_SW_P, IDC_SW_L})
        OnNotify(UINT(id), BN_CLICKED, [this, id] { OnPictureButton(id); });
}

BOOL CSetupSteelWeightDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_editCount.Attach(IDC_SW_COUNT, this);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_SW_COUNT_SPIN)))
        spin->SetRange(0, ATTACHMENTS);
    // The inner width is entered for box girders only, and so is its button.
    if (CWnd* bin = GetDlgItem(IDC_SW_BIN)) {
        const bool box = g_nBridgeType == 1;
        bin->EnableWindow(box);
        bin->ShowWindow(box ? SW_SHOW : SW_HIDE);
    }

    // The working copy: stored rows as they are; a row beyond the count starts empty on its girder.
    const int count = std::clamp(m_nAttachments, 0, int(ATTACHMENTS));
    for (int r = 0; r < ATTACHMENTS; ++r) {
        m_anEditGirder[r] = m_anAttachGirder[r];
        m_adEditLoad[r] = r < count ? m_adAttachLoad[r] : 0.0;
        m_adEditPosition[r] = r < count ? m_adAttachPosition[r] : 0.0;
    }

    CSetupSteelWeightGrid1& a = m_gridAttach;
    AttachTable(a, IDC_SW_ATTACH_TABLE, this);
    a.SetPaintMode(0);
    a.SetNumberCols(CSetupSteelWeightGrid1::COLS, FALSE);
    a.SetNumberRows(0, FALSE);
    a.SetSideHeadingWidth(50);
    a.FitColumnsToWidth(0, CSetupSteelWeightGrid1::COLS - 1);
    Heading(a, -1, -1, QStringLiteral("No."));
    Heading(a, 0, -1, QStringLiteral("着目主桁"));
    Heading(a, 1, -1, g_bSIUnits == 1 ? QStringLiteral("荷重P(kN/m)") : QStringLiteral("荷重P(tf/m)"));
    Heading(a, 2, -1, QStringLiteral("位置 L(mm)"));
    a.SetPaintMode(1);
    SetAttachmentRows(count);

    AttachTable(m_gridHaunch, IDC_SW_HAUNCH_TABLE, this);
    FillHaunchTable();
    m_picture.AttachPicture(IDC_SW_PICTURE, this, [this](CDC* pDC, const CRect& rect) { DrawPicture(pDC, rect); });
    return TRUE;
}

void CSetupSteelWeightDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_SW_COUNT, m_nAttachments);
    DDV_MinMaxInt(pDX, m_nAttachments, 0, ATTACHMENTS);
    DDX_Radio(pDX, IDC_SW_CHOICE_SECTION, m_nDeadLoadChoice);
}

void CSetupSteelWeightDialog::FillHaunchTable()
{
    CSetupSteelWeightGrid2& t = m_gridHaunch;
    using G = CSetupSteelWeightGrid2;
    t.SetPaintMode(0);
    t.SetNumberCols(G::COLS, FALSE);
    t.SetNumberRows(HaunchRows(), FALSE);
    t.SetSideHeadingWidth(50);
    t.FitColumnsToWidth(0, G::COLS - 1);
    const bool si = g_bSIUnits == 1;
    Heading(t, -1, -1, QStringLiteral("主桁No."));
    Heading(t, G::COL_STEEL, -1, si ? QStringLiteral("仮定鋼重(kN/m)") : QStringLiteral("仮定鋼重(tf/m)"));
    Heading(t, G::COL_H, -1, QStringLiteral("ﾊﾝﾁ高  H(mm)"));
    Heading(t, G::COL_B, -1, QStringLiteral("幅     B(mm)"));
    Heading(t, G::COL_BIN, -1, QStringLiteral("内幅 Bin(mm)"));
    Heading(t, G::COL_HAUNCH, -1, si ? QStringLiteral("ﾊﾝﾁ質量(kN/m)") : QStringLiteral("ﾊﾝﾁ重量(tf/m)"));
    const HaunchCellRange steel = SteelWeightRange(g_bSIUnits), haunch = HaunchWeightRange(g_bSIUnits);
    for (int r = 0; r < t.GetNumberRows(); ++r) {
        const int e = HaunchEntry(r);
        Heading(t, -1, r, AfxFormat("G%2d", r + 1));
        SpinNumber(t, G::COL_STEEL, r, m_adSteelWeight[e], 3, steel.lo, steel.hi);
        SpinNumber(t, G::COL_H, r, m_adHaunchH[e] * 1000.0, 1, 80.0, 100.0);
        SpinNumber(t, G::COL_B, r, m_adHaunchB[e] * 1000.0, 1, 300.0, 5000.0);
        if (g_nBridgeType == 1) {
            SpinNumber(t, G::COL_BIN, r, m_adHaunchBin[e] * 1000.0, 1, 0.0, 5000.0);
        } else {
            // Plate girders have no inner width: a dash; a single box an empty cell.
            CGridCell cell;
            t.GetCell(G::COL_BIN, r, &cell);
            cell.SetCellType(GRID_CT_NORMAL);
            cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
            cell.SetReadOnly(1);
            cell.SetText(g_nBridgeType == 0 ? QStringLiteral("－") : QString());
            t.SetCell(G::COL_BIN, r, &cell);
        }
        SpinNumber(t, G::COL_HAUNCH, r, m_adHaunchWeight[e], 3, haunch.lo, haunch.hi);
    }
    t.SetPaintMode(1);
    t.GotoRow(1);
    t.GotoRow(0);
}

void CSetupSteelWeightDialog::SetAttachmentRows(int nRows)
{
    using G = CSetupSteelWeightGrid1;
    CSetupSteelWeightGrid1& t = m_gridAttach;
    nRows = std::clamp(nRows, 0, int(ATTACHMENTS));
    const int shown = std::min(t.GetNumberRows(), int(ATTACHMENTS));
    for (int r = 0; r < shown; ++r) {
        m_anEditGirder[r] = CellInt(t, G::COL_GIRDER, r);
        m_adEditLoad[r] = t.Number(G::COL_LOAD, r);
        m_adEditPosition[r] = t.Number(G::COL_POSITION, r) / 1000.0;
    }
    const int girders = AttachGirders();
    t.SetPaintMode(0);
    t.SetNumberRows(nRows, FALSE);
    for (int r = 0; r < nRows; ++r) {
        Heading(t, -1, r, AfxFormat("%2d", r + 1));
        // A girder the bridge no longer has is shown as its last one.
        const int g = IsSingleBox() ? 0 : std::clamp(m_anEditGirder[r], 0, girders - 1);
        CGridCell cell;
        t.GetCell(G::COL_GIRDER, r, &cell);
        cell.SetCellType(GRID_CT_SPIN);
        cell.SetCellTypeEx(GRID_STYLE_CHOICES);
        cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
        cell.SetDecimals(0);
        cell.SetReadOnly(1);
        cell.SetNumber(g);
        cell.SetChoiceList(AfxFormat("G%2d", g + 1));
        t.SetCell(G::COL_GIRDER, r, &cell);
        SpinNumber(t, G::COL_LOAD, r, m_adEditLoad[r], 3, 0.0, 1000.0);
        SpinNumber(t, G::COL_POSITION, r, m_adEditPosition[r] * 1000.0, 1, -9000.0, 9000.0);
    }
    t.SetPaintMode(1);
    t.GotoCol(1);
    t.GotoCol(0);
}

void CSetupSteelWeightDialog::OnCountChange()
{
    // Whatever sets the count, the table shows that many rows; a count out of bounds waits
    // for OK's range check and leaves the table as it is.
    CWnd* edit = GetDlgItem(IDC_SW_COUNT);
    if (!edit)
        return;
    bool ok = false;
    const int count = edit->GetWindowText().trimmed().toInt(&ok);
    if (ok && count >= 0 && count <= ATTACHMENTS && count != m_gridAttach.GetNumberRows())
        SetAttachmentRows(count);
}

void CSetupSteelWeightDialog::OnCountDeltaPos()
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_SW_COUNT_SPIN));
    if (!spin)
        return;
    const int count = spin->GetPos() + spin->m_nDelta;
    if (count < 0 || count > ATTACHMENTS)
        spin->m_bRefused = true;
}

void CSetupSteelWeightDialog::OnPictureButton(int nID)
{
    const bool haunch = nID == IDC_SW_H || nID == IDC_SW_B || nID == IDC_SW_BIN;
    CTableGrid& t = haunch ? static_cast<CTableGrid&>(m_gridHaunch) : m_gridAttach;
    const int col = nID == IDC_SW_H ? 1 : nID == IDC_SW_B ? 2 : nID == IDC_SW_BIN ? 3 : nID == IDC_SW_P ? 1 : 2;
    t.m_area.SetFocus();
    t.GotoCol(col);
    m_picture.Invalidate();
}

void CSetupSteelWeightDialog::DrawPicture(CDC* pDC, const CRect& rect)
{
    HaunchMark mark = HAUNCH_MARK_NONE;
    const std::pair<int, HaunchMark> buttons[] = {{IDC_SW_H, HAUNCH_MARK_H}, {IDC_SW_B, HAUNCH_MARK_B},
                                                  {IDC_SW_BIN, HAUNCH_MARK_BIN}, {IDC_SW_P, HAUNCH_MARK_P},
                                                  {IDC_SW_L, HAUNCH_MARK_L}};
    for (const auto& [id, m] : buttons)
        if (auto* b = dynamic_cast<CButton*>(GetDlgItem(id)); b && b->GetCheck())
            mark = m;
    DrawHaunchPicture(pDC, rect, g_nBridgeType, mark);
}

void CSetupSteelWeightDialog::OnOK()
{
    CMarivoltenDoc* doc = g_pDoc;
    // The count and the choice are checked before anything is asked; a refusal puts them back.
    const SteelWeightData saved = *this;
    auto refuse = [this, &saved] { static_cast<SteelWeightData&>(*this) = saved; };
    if (!UpdateData(TRUE)) {
        refuse();
        return;
    }
    if (!DiscardResults()) {
        refuse();
        return;
    }

    // Every row read is a row the table shows.
    if (m_gridAttach.GetNumberRows() != m_nAttachments)
        SetAttachmentRows(m_nAttachments);
    using A = CSetupSteelWeightGrid1;
    const int girders = AttachGirders();
    for (int r = 0; r < m_nAttachments; ++r) {
        m_anAttachGirder[r] = IsSingleBox() ? 1 : std::clamp(CellInt(m_gridAttach, A::COL_GIRDER, r), 0, girders - 1);
        m_adAttachLoad[r] = m_gridAttach.Number(A::COL_LOAD, r);
        m_adAttachPosition[r] = m_gridAttach.Number(A::COL_POSITION, r) / 1000.0;
    }

    using H = CSetupSteelWeightGrid2;
    if (IsSingleBox()) {
        for (double* a : {m_adSteelWeight, m_adHaunchWeight, m_adHaunchH, m_adHaunchB, m_adHaunchBin})
            a[0] = a[2] = 0.0;
    }
    for (int r = 0; r < m_gridHaunch.GetNumberRows(); ++r) {
        const int e = HaunchEntry(r);
        m_adSteelWeight[e] = m_gridHaunch.Number(H::COL_STEEL, r);
        m_adHaunchWeight[e] = m_gridHaunch.Number(H::COL_HAUNCH, r);
        m_adHaunchH[e] = m_gridHaunch.Number(H::COL_H, r) / 1000.0;
        m_adHaunchB[e] = m_gridHaunch.Number(H::COL_B, r) / 1000.0;
        m_adHaunchBin[e] = m_gridHaunch.Number(H::COL_BIN, r) / 1000.0;
    }
    EndDialog(IDOK);
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_STEEL_WEIGHT, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, 0);
    }
}
