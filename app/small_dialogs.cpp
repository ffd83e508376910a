#include "app/small_dialogs.h"
#include "app/doc.h"
#include "framework/profile.h"

QString GetCompanyName() { return AfxGetProfileString(QStringLiteral("Company"), QStringLiteral("name")); }
void SetCompanyName(const QString& name) { AfxWriteProfileString(QStringLiteral("Company"), QStringLiteral("name"), name); }

CUserInfoDialog::CUserInfoDialog() : CDialog(IDD_USER_INFO), m_strCompany(GetCompanyName()) {}

void CUserInfoDialog::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_USER_COMPANY, m_strCompany); }

void CUserInfoDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    SetCompanyName(m_strCompany);
    EndDialog(IDOK);
}

CPrintFormatDlg::CPrintFormatDlg(CMarivoltenDoc* pDoc)
    : CDialog(IDD_PRINT_FORMAT), m_strCompany(GetCompanyName()), m_pDoc(pDoc)
{
}

BOOL CPrintFormatDlg::OnInitDialog()
{
    if (m_pDoc) {
        m_pDoc->LoadPrintSettings();
        m_bNoFrame = m_pDoc->m_bNoFrame;
        m_bNoHeader = m_pDoc->m_bNoHeader;
        m_bNoFooter = m_pDoc->m_bNoFooter;
        m_nTop = m_pDoc->m_nMarginTop;
        m_nBottom = m_pDoc->m_nMarginBottom;
        m_nLeft = m_pDoc->m_nMarginLeft;
        m_nRight = m_pDoc->m_nMarginRight;
    }
    for (int id : {IDC_MARGIN_TOP_SPIN, IDC_MARGIN_LEFT_SPIN, IDC_MARGIN_BOTTOM_SPIN, IDC_MARGIN_RIGHT_SPIN})
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id)))
            spin->SetRange(100, 300);
    return CDialog::OnInitDialog();
}

void CPrintFormatDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_MARGIN_TOP, m_nTop);
    DDV_MinMaxInt(pDX, m_nTop, 100, 300);
    DDX_Text(pDX, IDC_MARGIN_LEFT, m_nLeft);
    DDV_MinMaxInt(pDX, m_nLeft, 100, 300);
    DDX_Text(pDX, IDC_MARGIN_BOTTOM, m_nBottom);
    DDV_MinMaxInt(pDX, m_nBottom, 100, 300);
    DDX_Text(pDX, IDC_MARGIN_RIGHT, m_nRight);
    DDV_MinMaxInt(pDX, m_nRight, 100, 300);
    DDX_Text(pDX, IDC_PRINT_COMPANY, m_strCompany);
    DDV_MaxChars(pDX, m_strCompany, 70);
    DDX_Check(pDX, IDC_NO_FRAME, m_bNoFrame);
    DDX_Check(pDX, IDC_NO_HEADER, m_bNoHeader);
    DDX_Check(pDX, IDC_NO_FOOTER, m_bNoFooter);
}

void CPrintFormatDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pDoc) {
        m_pDoc->m_nMarginTop = m_nTop;
        m_pDoc->m_nMarginBottom = m_nBottom;
        m_pDoc->m_nMarginLeft = m_nLeft;
        m_pDoc->m_nMarginRight = m_nRight;
        m_pDoc->m_bNoHeader = m_bNoHeader;
        m_pDoc->m_bNoFooter = m_bNoFooter;
        m_pDoc->m_bNoFrame = m_bNoFrame;
        m_pDoc->SavePrintSettings();
    }
    SetCompanyName(m_strCompany);
    EndDialog(IDOK);
}

void COriginAdjustDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_ORIGIN_X, m_dX);
    DDX_Text(pDX, IDC_ORIGIN_Y, m_dY);
    DDX_Text(pDX, IDC_ORIGIN_ANGLE, m_dAngle);
    DDV_MinMaxDouble(pDX, m_dAngle, -359.999, 359.999);
    DDX_Check(pDX, IDC_ORIGIN_APPLY, m_bApplyToPlan);
}
