// Small dialogs of the shell: user information, print format, origin adjustment.
#pragma once

#include "framework/dialog.h"
#include "res/resource_ids.h"

class CMarivoltenDoc;

// The company name printed as the footer of every page.
class CUserInfoDialog : public CDialog {
public:
    CUserInfoDialog();
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    QString m_strCompany;
};

// Frame positions, company name and the header, footer and frame switches.
class CPrintFormatDlg : public CDialog {
public:
    explicit CPrintFormatDlg(CMarivoltenDoc* pDoc);
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    int m_nTop = 200, m_nLeft = 200, m_nBottom = 200, m_nRight = 100;
    QString m_strCompany;
    int m_bNoFrame = 0, m_bNoHeader = 0, m_bNoFooter = 0;
private:
    CMarivoltenDoc* m_pDoc;
};

// Origin and angle of the coordinate plan.
class COriginAdjustDlg : public CDialog {
public:
    COriginAdjustDlg() : CDialog(IDD_ORIGIN_ADJUST) {}
    void DoDataExchange(CDataExchange* pDX) override;
    double m_dX = 0.0, m_dY = 0.0;     // mm
    double m_dAngle = 0.0;              // degrees
    int m_bApplyToPlan = 0;
};

// The company name of every printout.
QString GetCompanyName();
void SetCompanyName(const QString& name);
