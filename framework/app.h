// The application object: start-up, templates, command line, profile and the loop.
#pragma once

#include <functional>
#include <vector>
#include <QString>
#include <QStringList>
#include "framework/cmdtarget.h"
#include "framework/wnd.h"

class CDocTemplate;
class CDocument;

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };
    virtual ~CCommandLineInfo() = default;
    virtual void ParseParam(const QString& param, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    int m_nShellCommand = FileNew;
    QString m_strFileName;
    QString m_strPrinterName;
};

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(const QString& appName = QString());
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg) { return FALSE; }

    // Templates and documents.
    void AddDocTemplate(CDocTemplate* pTemplate);
    const std::vector<CDocTemplate*>& GetTemplates() const { return m_templates; }
    virtual CDocument* OpenDocumentFile(const QString& path);
    virtual void OnFileNew();
    virtual void OnFileOpen();
    void OnFilePrintSetup();
    BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    std::vector<CDocument*> GetOpenDocuments() const;
    // A file dropped on the main window.
    virtual void OnDropFile(const QString& path) { OpenDocumentFile(path); }
    virtual BOOL DoPromptFileName(QString& path, const QString& defaultName, BOOL bOpen, const QString& filter);
    void OnMainWindowClosed();

    // Command line.
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    // Whether a start-up that went no further did what its command line asked (an unregister),
    // rather than fail: the program's exit code tells which.
    BOOL StartEndedAsAsked() const { return m_bEndedAsAsked; }
    void SetCommandLine(const QStringList& args) { m_args = args; }

    // Profile.
    void SetRegistryKey(const QString& company);
    void LoadStdProfileSettings(UINT nMaxMRU = 4) { m_nMaxMRU = nMaxMRU; }
    UINT GetProfileInt(const QString& section, const QString& entry, int def);
    QString GetProfileString(const QString& section, const QString& entry, const QString& def = QString());
    BOOL WriteProfileInt(const QString& section, const QString& entry, int value);
    BOOL WriteProfileString(const QString& section, const QString& entry, const QString& value);

    // Files of the document types open in this program from the desktop.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    static QString MimeTypeOf(const QString& regFileTypeId);
    // Switches of the original platform that have nothing to do here.
    void EnableShellOpen() {}
    BOOL Enable3dControls() { return TRUE; }

    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    QString m_pszAppName;
    QString m_pszRegistryKey;

protected:
    std::vector<CDocTemplate*> m_templates;
    QStringList m_args;
    UINT m_nMaxMRU = 0;
    BOOL m_bEndedAsAsked = FALSE;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
void AfxEnableControlContainer();

// Program entry: the GUI application, InitInstance, the message loop, ExitInstance.
int AfxWinMain(int argc, char** argv);
// The windows' own font (menus, bars, status line and every widget without a font of its own):
// the desktop's 9-point UI face, legible on screen whatever the locale chooses.
void AfxInstallScreenFont();

// Test hook for the file dialogs: returns the chosen path or an empty string.
using FileDialogHook = std::function<QString(BOOL bOpen, const QString& defaultName, const QString& filter)>;
void AfxSetFileDialogHook(FileDialogHook hook);
