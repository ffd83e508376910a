#include "input/estimate_labour.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "input/headed_table.h"

#include <algorithm>
#include <cmath>

using namespace headedtable;

namespace {

const char* const kRows[EstimateLabourData::ROWS] = {
    "製作工労務単価 (円)", "副資材費     (円/t)", "塗装前処理費 (円/t)", "工場塗装費  (円/m2)",
    "現場塗装費  (円/m2)", "床版工      (円/m3)", "車道舗装工  (円/m2)", "歩道舗装工  (円/m2)",
    "高力ﾎﾞﾙﾄ単価 (円/t)", "排水工       (円/t)", "輸送費       (円/t)", "架設費       (円/t)"};

}

void CEstimateLabourGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (IsSpinStep(typeId, msg))
        StepCell(*this, col, row, msg, (row == 5 || row == 8 || row == 9 || row == 11) ? 1000.0 : 100.0);
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

int CEstimateLabourGrid::Price(int row)
{
    return int(std::clamp(std::trunc(CellNumber(*this, 0, row)), -2e9, 2e9));
}

void CEstimateLabourGrid::SetPrice(int row, int price)
{
    SetNumber(*this, 0, row, price);
}

CEstimateLabourDialog::CEstimateLabourDialog() : CDialog(IDD_ESTIMATE_LABOUR)
{
    OnNotify(IDC_LABOUR_STANDARD, BN_CLICKED, [this] { OnStandard(); });
    OnNotify(IDC_LABOUR_REGISTERED, BN_CLICKED, [this] { OnLoadRegistered(); });
    OnNotify(IDC_LABOUR_REGISTER, BN_CLICKED, [this] { OnRegister(); });
}

BOOL CEstimateLabourDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CEstimateLabourGrid& t = m_grid;
    t.AttachGrid(IDC_LABOUR_TABLE, this);
    t.GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    ValueColumn(t, ROWS, 140);
    Heading(t, -1, -1, QStringLiteral("項目"));
    Heading(t, 0, -1, QStringLiteral("工数単価"));
    for (int r = 0; r < ROWS; ++r) {
        Heading(t, -1, r, QString::fromUtf8(kRows[r]));
        SpinNumber(t, 0, r, m_anPrice[PriceIndex(r)], 0, 1.0, 0.0, QStringLiteral("22222222"));
    }
    t.SetPaintMode(1);
    t.GotoRow(1);
    t.GotoRow(0);
    return TRUE;
}

void CEstimateLabourDialog::OnStandard()
{
    for (int r = 0; r < ROWS; ++r)
        m_grid.SetPrice(r, m_anStandard[PriceIndex(r)]);
    m_grid.RedrawAll();
}

// An empty profile leaves the document's values as they are, and they are shown.
void CEstimateLabourDialog::OnLoadRegistered()
{
    if (!g_pDoc)
        return;
    g_pDoc->LoadHumanCostCondition();
    for (int r = 0; r < ROWS; ++r)
        m_grid.SetPrice(r, g_pDoc->m_anLabourCosts[r]);
    m_grid.RedrawAll();
}

// Registered for every design at once, whatever this dialog's OK or Cancel.
void CEstimateLabourDialog::OnRegister()
{
    if (!g_pDoc)
        return;
    for (int r = 0; r < ROWS; ++r)
        g_pDoc->m_anLabourCosts[r] = m_grid.Price(r);
    g_pDoc->SaveHumanCostCondition();
    m_grid.RedrawAll();
}

void CEstimateLabourDialog::OnOK()
{
    for (int r = 0; r < ROWS; ++r)
        m_anPrice[PriceIndex(r)] = m_grid.Price(r);
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 1);
    CDialog::OnOK();
}
