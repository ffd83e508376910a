#include "input/estimate_choices.h"
#include "app/mainfrm.h"

CEstimateFittingDialog::CEstimateFittingDialog() : CDialog(IDD_ESTIMATE_FITTING)
{
    for (UINT id : {IDC_FIT_RAILING_BEAM, IDC_FIT_RAILING_BAR, IDC_FIT_RAILING_NONE, IDC_FIT_JOINT_FINGER,
                    IDC_FIT_JOINT_TREAD, IDC_FIT_JOINT_NONE})
        OnNotify(id, BN_CLICKED, [this] { EnablePrices(); });
}

BOOL CEstimateFittingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Deciding the corrections automatically is not offered.
    for (int id : {IDC_FIT_CURVE_AUTO, IDC_FIT_MULTI_AUTO})
        if (CWnd* b = GetDlgItem(id))
            b->EnableWindow(FALSE);
    EnablePrices();
    return TRUE;
}

void CEstimateFittingDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_FIT_RAILING_BEAM, m_nRailingType);
    DDX_Radio(pDX, IDC_FIT_POST_SQUARE, m_nRailingPost);
    DDX_Radio(pDX, IDC_FIT_JOINT_FINGER, m_nJointType);
    DDX_Radio(pDX, IDC_FIT_CURVE_AUTO, m_nCurveSkewCorrection);
    DDX_Radio(pDX, IDC_FIT_MULTI_AUTO, m_nMultiSpanCorrection);
    DDX_Text(pDX, IDC_FIT_RAILING_PRICE, m_nRailingUnitPrice);
    DDX_Text(pDX, IDC_FIT_JOINT_PRICE, m_nJointUnitPrice);
}

void CEstimateFittingDialog::EnablePrices()
{
    auto checked = [this](int id) {
        auto* b = dynamic_cast<CButton*>(GetDlgItem(id));
        return b && b->GetCheck();
    };
    const BOOL railing = checked(IDC_FIT_RAILING_NONE) ? TRUE : FALSE;
    const BOOL joint = checked(IDC_FIT_JOINT_NONE) ? TRUE : FALSE;
    for (int id : {IDC_FIT_RAILING_PRICE, IDC_FIT_RAILING_LABEL, IDC_FIT_RAILING_UNIT})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(railing);
    for (int id : {IDC_FIT_JOINT_PRICE, IDC_FIT_JOINT_LABEL, IDC_FIT_JOINT_UNIT})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(joint);
}

void CEstimateFittingDialog::OnOK()
{
    const EstimateFittingData before = *this;
    if (!UpdateData(TRUE)) {
        static_cast<EstimateFittingData&>(*this) = before;
        return;
    }
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 1);
    EndDialog(IDOK);
}

void CEstimateOverheadDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_OH_SEASON, m_dSeasonPercent);
    DDV_MinMaxDouble(pDX, m_dSeasonPercent, 0.0, MAX_SEASON_PERCENT);
    DDX_Radio(pDX, IDC_OH_REGION_CITY, m_nRegion);
    DDX_Radio(pDX, IDC_OH_METHOD_OLD, m_nCostMethod);
    DDX_Text(pDX, IDC_OH_PREPAYMENT, m_dPrepaymentFactor);
    DDV_MinMaxDouble(pDX, m_dPrepaymentFactor, 1.0, MAX_PREPAYMENT_FACTOR);
    DDX_Text(pDX, IDC_OH_GUARANTEE, m_dGuaranteePercent);
    DDV_MinMaxDouble(pDX, m_dGuaranteePercent, 0.0, MAX_GUARANTEE_PERCENT);
}

// A refused value leaves the dialog open and nothing stored, not the fields read before it.
void CEstimateOverheadDialog::OnOK()
{
    const EstimateOverheadData before = *this;
    if (!UpdateData(TRUE)) {
        static_cast<EstimateOverheadData&>(*this) = before;
        return;
    }
    EndDialog(IDOK);
}

void CEstimateOptionDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_OPT_H_SECTION, m_bHSectionCrossBeams);
}
