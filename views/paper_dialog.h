// The paper question of the plan's printout: A3 or A4 on the printer the print dialog chose.
#pragma once

#include "framework/dialog.h"

class CPrintInfo;

class CPaperSelectDlg : public CDialog {
public:
    explicit CPaperSelectDlg(CWnd* pParent = nullptr);
    // What the print dialog chose: printer, output and page range.
    void ReadPrinter(CPrintInfo* pInfo);
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Puts the chosen paper into the job's settings.
    void ApplyPaper(CPrintInfo* pInfo);

    QString m_strPrinterName;
    QString m_strPort;
    int m_bAllPages = 0;
    int m_nPaper = 9;
};
