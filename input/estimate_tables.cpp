#include "input/estimate_tables.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "input/headed_table.h"

#include <algorithm>
#include <cmath>

using namespace headedtable;

namespace {

constexpr double kGravity = 9.80665;

// An editable price cell in the first column.
void PriceSpin(CTableGrid& t, int row, double value, int decimals)
{
    SpinNumber(t, 0, row, value, decimals, 1.0, 0.0, QStringLiteral("22222222"));
}

void MarkStepDone()
{
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 1);
}

}

// ---- steel unit prices ----

void CEstimateSteelPriceGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (IsSpinStep(typeId, msg))
        StepCell(*this, col, row, msg, row <= 1 ? 1000.0 : 100.0);
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

CEstimateSteelPriceDialog::CEstimateSteelPriceDialog() : CDialog(IDD_ESTIMATE_STEEL_PRICE)
{
    OnNotify(IDC_ESP_STANDARD, BN_CLICKED, [this] { OnStandard(); });
    OnNotify(IDC_ESP_LOAD, BN_CLICKED, [this] { OnLoadRegistered(); });
    OnNotify(IDC_ESP_REGISTER, BN_CLICKED, [this] { OnRegister(); });
}

int CEstimateSteelPriceDialog::AutomaticSizeExtra() { return g_nBridgeType == 0 ? 1500 : 2000; }

BOOL CEstimateSteelPriceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CTableGrid& t = m_grid;
    AttachTable(t, IDC_ESP_TABLE, this);
    ValueColumn(t, ROWS, 140);
    t.SetCellText(-1, -1, QStringLiteral("項目"));
    Heading(t, 0, -1, QStringLiteral("鋼材単価 (円/t)"));
    static const char* const rows[ROWS] = {"鋼板ﾍﾞｰｽ単価      ", "形鋼ﾍﾞｰｽ単価      ", "寸法ｴｷｽﾄﾗ         ",
                                           "ｽｸﾗｯﾌﾟ単価        "};
    int values[ROWS];
    for (int r = 0; r < ROWS; ++r) {
        Heading(t, -1, r, QString::fromUtf8(rows[r]));
        values[r] = m_anPrice[kRowIndex[r]];
    }
    ShowRows(values);
    t.SetPaintMode(1);
    t.GotoRow(1);
    t.GotoRow(0);
    return TRUE;
}

// A size extra of 0 shows the one the girder form takes.
void CEstimateSteelPriceDialog::ShowRows(const int values[ROWS])
{
    for (int r = 0; r < ROWS; ++r) {
        const int value = kRowIndex[r] == 1 && values[r] == 0 ? AutomaticSizeExtra() : values[r];
        PriceSpin(m_grid, r, value, 0);
    }
    m_grid.RedrawAll();
}

void CEstimateSteelPriceDialog::OnStandard()
{
    int values[ROWS];
    for (int r = 0; r < ROWS; ++r)
        values[r] = m_anStandard[kRowIndex[r]];
    ShowRows(values);
}

void CEstimateSteelPriceDialog::OnLoadRegistered()
{
    if (!g_pDoc)
        return;
    g_pDoc->LoadSteelCostCondition();
    ShowRows(g_pDoc->m_anSteelCosts);
}

void CEstimateSteelPriceDialog::OnRegister()
{
    if (!g_pDoc)
        return;
    for (int r = 0; r < ROWS; ++r)
        g_pDoc->m_anSteelCosts[r] = CellInt(m_grid, 0, r);
    g_pDoc->SaveSteelCostCondition();
    m_grid.RedrawAll();
}

void CEstimateSteelPriceDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    for (int r = 0; r < ROWS; ++r)
        m_anPrice[kRowIndex[r]] = CellInt(m_grid, 0, r);
    MarkStepDone();
    EndDialog(IDOK);
}

// ---- extra factors and unit masses ----

namespace {

// The members on the table rows; the drain count (row 15) is the one whole number.
double EstimateFactorData::* const kFactorRows[EstimateFactorData::ROWS] = {
    &EstimateFactorData::m_dGirderFactor, &EstimateFactorData::m_dFlangeRibFactor,
    &EstimateFactorData::m_dCrossBeamFactor, &EstimateFactorData::m_dSwayFactor,
    &EstimateFactorData::m_dLateralFactor, &EstimateFactorData::m_dBracketFactor,
    &EstimateFactorData::m_dEdgeStringerFactor, &EstimateFactorData::m_dStringerFactor,
    &EstimateFactorData::m_dStiffenerSpacing, &EstimateFactorData::m_dGirderBoltFactor,
    &EstimateFactorData::m_dCrossBeamBoltFactor, &EstimateFactorData::m_dGirderEndLength,
    &EstimateFactorData::m_dExpansionJointUnitMass, &EstimateFactorData::m_dRailingWeight,
    &EstimateFactorData::m_dDrainUnitMass, nullptr,
    &EstimateFactorData::m_dPaintAreaPerTon, &EstimateFactorData::m_dOtherMassInput};

constexpr int kRailingRow = 13;
constexpr int kDrainCountRow = 15;

const char* const kFactorHeadings[EstimateFactorData::ROWS] = {
    "主桁係数         ", "主桁ﾌﾗﾝｼﾞ縦ﾘﾌﾞ係数", "横桁係数         ", "対傾構係数       ", "横構係数         ",
    "ﾌﾞﾗｹｯﾄ係数       ", "側縦桁係数       ", "中間縦桁係数     ", "垂直補剛材間隔(m)", "高力ﾎﾞﾙﾄ(主桁)   ",
    "高力ﾎﾞﾙﾄ(横桁)   ", "桁端張出長    (m)", "伸縮継手    (t/m)", "高欄        (t/m)", "排水装置   (t/個)",
    "排水装置個数 (個)", "塗装面積   (m2/t)", nullptr};

}

double EstimateFactorData::RowValue(int row) const
{
    if (row == kDrainCountRow)
        return m_nDrainCount;
    return row >= 0 && row < ROWS ? this->*kFactorRows[row] : 0.0;
}

void EstimateFactorData::SetRowValue(int row, double value)
{
    if (row == kDrainCountRow)
        m_nDrainCount = int(std::clamp(std::trunc(value), -1e9, 1e9));
    else if (row >= 0 && row < ROWS)
        this->*kFactorRows[row] = value;
}

// The railing and the drain unit mass are small masses in t; the drain count goes by whole pieces.
double CEstimateFactorGrid::SpinStep(int row)
{
    switch (row) {
    case kRailingRow:
    case 14: return 0.001;
    case kDrainCountRow: return 1.0;
    default: return 0.01;
    }
}

void CEstimateFactorGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (IsSpinStep(typeId, msg))
        StepCell(*this, col, row, msg, SpinStep(row));
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

CEstimateFactorDialog::CEstimateFactorDialog() : CDialog(IDD_ESTIMATE_FACTOR)
{
    OnNotify(IDC_EF_STANDARD, BN_CLICKED, [this] { OnStandard(); });
}

BOOL CEstimateFactorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const bool si = g_bSIUnits == 1;
    CTableGrid& t = m_grid;
    AttachTable(t, IDC_EF_TABLE, this);
    ValueColumn(t, ROWS, 140, true);
    t.SetCellText(-1, -1, QStringLiteral("項目"));
    Heading(t, 0, -1, si ? QStringLiteral("係数、単位質量") : QStringLiteral("係数、単位重量"));
    // The railing follows the dead loads D1 and D2 while their check says so.
    double railing = m_dRailingWeight;
    if (g_pDoc && g_pDoc->m_dlgDeadLoad.m_bRailingToEstimate == 1) {
        const double* d = g_pDoc->m_dlgDeadLoad.m_adValue;
        railing = (d[0] + d[1]) / 2.0;
        if (si)
            railing /= kGravity;
    }
    for (int r = 0; r < ROWS; ++r) {
        const char* heading = kFactorHeadings[r];
        Heading(t, -1, r, heading ? QString::fromUtf8(heading)
                                  : si ? QStringLiteral("その他質量    (t)") : QStringLiteral("その他重量    (t)"));
        PriceSpin(t, r, r == kRailingRow ? railing : RowValue(r), r == kDrainCountRow ? 0 : 3);
    }
    t.SetPaintMode(1);
    t.GotoCol(1);
    t.GotoCol(0);
    // The flange ribs are counted apart only in box girders.
    if (CWnd* rib = GetDlgItem(IDC_EF_SEPARATE_RIB))
        rib->EnableWindow(g_nBridgeType != 0);
    return TRUE;
}

void CEstimateFactorDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_EF_GIRDER_END, m_bGirderEndMass);
    DDX_Check(pDX, IDC_EF_SEPARATE_RIB, m_bSeparateRibMass);
}

void CEstimateFactorDialog::OnStandard()
{
    const EstimateFactorData standard;
    for (int r = 0; r < ROWS; ++r)
        SetNumber(m_grid, 0, r, standard.RowValue(r));
    m_grid.RedrawAll();
}

void CEstimateFactorDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    for (int r = 0; r < ROWS; ++r)
        SetRowValue(r, CellNumber(m_grid, 0, r));
    MarkStepDone();
    EndDialog(IDOK);
}

// ---- bearings ----

EstimateBearingData::EstimateBearingData()
{
    // The reaction stays in tf in both unit systems; only the table converts it.
    std::fill(std::begin(m_anBearingCount), std::end(m_anBearingCount), 1);
    std::fill(std::begin(m_adMaxReaction), std::end(m_adMaxReaction), 150.0);
    std::fill(std::begin(m_adBearingMass), std::end(m_adBearingMass), kDefaultMass);
}

CEstimateBearingDialog::CEstimateBearingDialog() : CDialog(IDD_ESTIMATE_BEARING)
{
    OnNotify(IDC_EB_BY_MASS, BN_CLICKED, [this] { EnablePriceEdits(0); });
    OnNotify(IDC_EB_PER_PIECE, BN_CLICKED, [this] { EnablePriceEdits(1); });
}

double CEstimateBearingDialog::LargestReaction(int line)
{
    if (!g_pDoc || line < 0 || line > MAX_SPANS)
        return 0.0;
    double largest = 0.0;
    for (int g = 0; g_pDoc->m_pGirders && g < g_nGirders; ++g)
        largest = std::max(largest, g_pDoc->m_pGirders[g].m_adMaxReaction[line]);
    return largest;
}

BOOL CEstimateBearingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const bool si = g_bSIUnits == 1;
    const int lines = std::clamp(g_nSpans + 1, 1, int(LINES));
    CTableGrid& t = m_grid;
    AttachTable(t, IDC_EB_TABLE, this);
    t.SetPaintMode(0);
    t.SetNumberCols(COLS, FALSE);
    t.SetNumberRows(lines, FALSE);
    t.SetSideHeadingWidth(50);
    t.SetCellText(-1, -1, QStringLiteral("横断No."));
    Heading(t, COL_REACTION, -1, si ? QStringLiteral("最大反力(kN)") : QStringLiteral("最大反力(tf)"));
    Heading(t, COL_TYPE, -1, QStringLiteral("支承タイプ"));
    Heading(t, COL_BEARING_REACTION, -1, si ? QStringLiteral("支承反力(kN)") : QStringLiteral("支承反力(tf)"));
    Heading(t, COL_MASS, -1, si ? QStringLiteral("質量(kg/個)") : QStringLiteral("重量(kg/個)"));
    t.SetColWidth(COL_TYPE, 180);
    const bool results = g_pDoc && g_pDoc->m_bGrillageNotRun == 0;
    for (int r = 0; r < lines; ++r) {
        Heading(t, -1, r, AfxFormat("C%3d", r + 1));
        const double reaction = results ? LargestReaction(r) : 0.0;
        const double shown = si ? reaction * kGravity : reaction;
        const double mass = g_pDoc ? g_pDoc->GetStepTableValue(0, reaction) : m_adBearingMass[r];
        for (int col = 0; col < COLS; ++col) {
            CGridCell cell;
            t.GetCell(col, r, &cell);
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            cell.SetReadOnly(col == COL_TYPE || col == COL_BEARING_REACTION);
            if (col == COL_TYPE) {
                cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
                cell.SetText(QStringLiteral("ゴム支承"));
            } else {
                const double value = col == COL_MASS ? mass : shown;
                cell.SetDecimals(WORD(col == COL_MASS || !si ? 3 : 2));
                cell.SetNumber(value);
                cell.SetText(AfxFormat(col == COL_MASS || !si ? "%9.3f" : "%9.2f", value));
            }
            t.SetCell(col, r, &cell);
        }
    }
    t.SetPaintMode(1);
    t.GotoCol(1);
    t.GotoCol(0);
    EnablePriceEdits(m_nPriceMode);
    return TRUE;
}

void CEstimateBearingDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_EB_RUBBER, m_bRubberBearing);
    DDX_Text(pDX, IDC_EB_RUBBER_PRICE, m_nRubberPricePerTon);
    DDX_Text(pDX, IDC_EB_OTHER_PRICE, m_nOtherPricePerTon);
    DDX_Radio(pDX, IDC_EB_BY_MASS, m_nPriceMode);
    DDX_Text(pDX, IDC_EB_PRICE_EACH, m_nPricePerBearing);
}

void CEstimateBearingDialog::EnablePriceEdits(int nMode)
{
    if (CWnd* w = GetDlgItem(IDC_EB_RUBBER_PRICE))
        w->EnableWindow(nMode == 0);
    if (CWnd* w = GetDlgItem(IDC_EB_PRICE_EACH))
        w->EnableWindow(nMode == 1);
}

void CEstimateBearingDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int lines = std::min(m_grid.GetNumberRows(), int(LINES));
    for (int r = 0; r < lines; ++r) {
        const double reaction = CellNumber(m_grid, COL_REACTION, r);
        m_adMaxReaction[r] = g_bSIUnits == 1 ? reaction / kGravity : reaction;
        m_adBearingMass[r] = CellNumber(m_grid, COL_MASS, r);
    }
    MarkStepDone();
    EndDialog(IDOK);
}
