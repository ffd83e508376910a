// The application object: start-up, the templates, File New and File Open, and shutdown.
#pragma once

#include "framework/app.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

// The test command text typed by a developer; it lasts until the program ends.
class CTestCommandDlg : public CDialog {
public:
    CTestCommandDlg() : CDialog(IDD_TEST_COMMAND) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEST_COMMAND, m_strCommand); }
    QString m_strCommand;
};

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

class CMarivoltenApp : public CWinApp {
public:
    static constexpr int TEMPLATES = 11;

    CMarivoltenApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void OnFileNew() override;
    void OnFileOpen() override;
    void OnDropFile(const QString& path) override { OpenDesign(path); }
    void OnAppAbout();
    void OnTestCommand();
    void OnUserInfo();
    void OnPrintFormat();

    // Opens a design file in place of the open design (one design at a time).
    // bAsked: the save question was asked already.
    BOOL OpenDesign(const QString& path, BOOL bAsked = FALSE);
    // Closes the open design after the save question; false when the user cancelled.
    BOOL CloseDesign();

    CDocTemplate* m_pTemplate[TEMPLATES] = {};
    CTestCommandDlg m_dlgTestCommand;
};

extern CMarivoltenApp theApp;
