#include "input/estimate_dialogs.h"
#include "app/doc.h"
#include "app/mainfrm.h"

#include <functional>
#include <utility>

CSetupEstimateDialog::CSetupEstimateDialog() : CDialog(IDD_ESTIMATE_INPUT)
{
    const std::pair<UINT, std::function<CDialog*()>> buttons[] = {
        {IDC_EST_FACTOR, [this] { return &m_dlgFactor; }},
        {IDC_EST_BEARING, [this] { return &m_dlgBearing; }},
        {IDC_EST_LABOUR, [this] { return &m_dlgLabour; }},
        {IDC_EST_STEEL_PRICE, [this] { return &m_dlgSteelPrice; }},
        {IDC_EST_FITTING, [this] { return &m_dlgFitting; }},
        {IDC_EST_OVERHEAD, [this] { return &m_dlgOverhead; }},
        {IDC_EST_OPTION, [this] { return &m_dlgOption; }}};
    for (const auto& [id, dlg] : buttons)
        OnNotify(id, BN_CLICKED, [this, open = dlg] { OpenSubDialog(open()); });
}

BOOL CSetupEstimateDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The bearing table needs the support reactions of a grillage run.
    const bool results = g_pDoc && g_pDoc->m_bGrillageNotRun == 0;
    if (CWnd* b = GetDlgItem(IDC_EST_BEARING))
        b->EnableWindow(results ? TRUE : FALSE);
    if (CWnd* hint = GetDlgItem(IDC_EST_BEARING_HINT))
        hint->SetWindowText(results ? QString() : QStringLiteral("格子計算を実行すると支承の設定ができます。"));
    if (CWnd* b = GetDlgItem(IDC_EST_FACTOR))
        b->SetWindowText(g_bSIUnits == 1 ? QStringLiteral("割り増し係数、単位質量") : QStringLiteral("割り増し係数、単位重量"));
    return TRUE;
}

void CSetupEstimateDialog::OpenSubDialog(CDialog* pDlg)
{
    if (!pDlg)
        return;
    pDlg->m_pParentWnd = this;
    pDlg->DoModal();
}

// No question: the estimate works on the results, it does not discard them.
void CSetupEstimateDialog::OnOK()
{
    if (g_pDoc && g_pDoc->m_bGrillageNotRun == 0)
        g_pDoc->CalcEstimate();
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 1);
    CDialog::OnOK();
}
