#include "views/paper_dialog.h"

#include "framework/print.h"
#include "res/resource_ids.h"

CPaperSelectDlg::CPaperSelectDlg(CWnd* pParent) : CDialog(IDD_PAPER_SELECT, pParent) {}

void CPaperSelectDlg::ReadPrinter(CPrintInfo* pInfo)
{
    const CPrintSettings& s = pInfo->GetSettings();
    m_strPort = s.m_strOutputFile;
    m_strPrinterName = s.m_strPrinterName;
    m_nPaper = s.m_nPaperSize;
    m_bAllPages = pInfo->GetFromPage() == pInfo->GetMinPage() &&
                  (pInfo->GetToPage() == 0xffff || pInfo->GetToPage() >= pInfo->GetMaxPage());
}

BOOL CPaperSelectDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetDlgItem(IDC_PAPER_PRINTER)->SetWindowText(m_strPrinterName);
    GetDlgItem(IDC_PAPER_STATUS)->SetWindowText(m_bAllPages ? QStringLiteral("準備完了") : QStringLiteral("準備中"));
    GetDlgItem(IDC_PAPER_PORT)->SetWindowText(m_strPort);
    // A4 is offered first whatever the printer holds.
    static_cast<CButton*>(GetDlgItem(IDC_PAPER_A3))->SetCheck(0);
    static_cast<CButton*>(GetDlgItem(IDC_PAPER_A4))->SetCheck(1);
    return TRUE;
}

void CPaperSelectDlg::OnOK()
{
    m_nPaper = static_cast<CButton*>(GetDlgItem(IDC_PAPER_A3))->GetCheck() ? DMPAPER_A3 : DMPAPER_A4;
    CDialog::OnOK();
}

void CPaperSelectDlg::ApplyPaper(CPrintInfo* pInfo)
{
    pInfo->GetSettings().m_nPaperSize = m_nPaper;
}
