#include "framework/app.h"
#include "framework/doctempl.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/cmdids.h"
#include "framework/print.h"
#include "framework/profile.h"
#include "framework/wnd_p.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QTreeView>
#include <QSettings>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QMouseEvent>

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

namespace {
CWinApp* g_pApp = nullptr;
FileDialogHook g_fileDialogHook;

// The toolkit's file dialog writes its history, last folder and layout into the user's
// configuration whenever it closes. The program's settings are its profile alone, so the
// toolkit's own go to a folder of this run instead (the last folder still carries over
// from one dialog to the next).
void KeepToolkitSettingsInThisRun()
{
    static QTemporaryDir folder;
    static bool done = false;
    if (done || !folder.isValid())
        return;
    done = true;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

// The toolkit's own dialogs (files, printing) speak Japanese, whatever the machine's locale.
void InstallToolkitTranslation()
{
    static QTranslator translator;
    static bool done = false;
    if (done || !QCoreApplication::instance())
        return;
    done = true;
    if (translator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}

// The file dialog's size, type and date columns in Japanese: the toolkit writes them in the
// machine's locale, and its translation has no word for a folder.
class JapaneseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    enum { kSize = 1, kType = 2, kDate = 3 };
    static QLocale Japanese() { return QLocale(QLocale::Japanese, QLocale::Japan); }
    static QString Size(qint64 bytes) { return Japanese().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat); }
    static QString Date(const QDateTime& t) { return Japanese().toString(t, QStringLiteral("yyyy/MM/dd HH:mm")); }
    static QString Folder() { return QStringLiteral("ファイル フォルダー"); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        const int col = index.column();
        if (role != Qt::DisplayRole || !files || col < kSize || col > kDate)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        if (col == kSize)
            return info.isDir() ? QString() : Size(info.size());
        if (col == kDate)
            return Date(info.lastModified());
        if (info.isDir())
            return Folder();
        return info.suffix().isEmpty() ? QStringLiteral("ファイル") : info.suffix().toUpper() + QStringLiteral(" ファイル");
    }
};

// Columns wide enough for the longest size, type and date they show, and a dialog that holds
// them beside a name column of some width. The name column follows the names of the folder
// shown, which are read only after the dialog opens; the date column takes the room left.
void FitFileColumns(QFileDialog& dlg)
{
    auto* tree = dlg.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree)
        return;
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->header()->setStretchLastSection(true);
    const QFontMetrics fm = tree->fontMetrics();
    // A character is a digit's width: a face of full-width letters reports its average as theirs.
    const int em = fm.horizontalAdvance(QLatin1Char('0'));
    const int pad = 4 * tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + em;
    auto fit = [&](int col, const QStringList& widest) {
        int width = tree->header()->sectionSizeHint(col);
        for (const QString& text : widest)
            width = std::max(width, fm.horizontalAdvance(text) + pad);
        tree->header()->resizeSection(col, width);
        return width;
    };
    using C = JapaneseFileColumns;
    int columns = 30 * em;    // the name
    columns += fit(C::kSize, {C::Size(1023), C::Size(1023 * 1024 + 972), C::Size(1023LL * 1024 * 1024 + 972 * 1024)});
    columns += fit(C::kType, {C::Folder(), QStringLiteral("MVL ファイル")});
    columns += fit(C::kDate, {C::Date(QDateTime(QDate(2000, 12, 28), QTime(20, 48)))});
    // The view's share of the dialog's width, as it opens.
    const int others = dlg.sizeHint().width() - tree->sizeHint().width();
    dlg.resize(std::max(dlg.sizeHint().width(), others + columns + 2 * tree->frameWidth()), dlg.sizeHint().height());
}

// Lets the application see input before the window it is meant for.
class PreTranslateFilter : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        if (!g_pApp || !ev->spontaneous() || ev == m_last)
            return false;
        MSG msg;
        switch (ev->type()) {
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(ev);
            msg.message = (ke->modifiers() & Qt::AltModifier) ? WM_SYSKEYDOWN : WM_KEYDOWN;
            msg.wParam = WPARAM(ke->key());
            break;
        }
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(ev);
            msg.message = me->button() == Qt::RightButton ? WM_RBUTTONDOWN
                        : me->button() == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
            break;
        }
        case QEvent::NonClientAreaMouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(ev);
            msg.message = me->button() == Qt::RightButton ? WM_NCRBUTTONDOWN
                        : me->button() == Qt::MiddleButton ? WM_NCMBUTTONDOWN : WM_NCLBUTTONDOWN;
            break;
        }
        default:
            return false;
        }
        m_last = ev;   // propagation to parents delivers the same event again
        msg.hwnd = qobject_cast<QWidget*>(obj) ? CWnd::FromWidget(static_cast<QWidget*>(obj)) : nullptr;
        return g_pApp->PreTranslateMessage(&msg);
    }
    QEvent* m_last = nullptr;
};
}

void CCommandLineInfo::ParseParam(const QString& param, BOOL bFlag, BOOL)
{
    if (bFlag) {
        const QString p = param.toLower();
        if (p == QLatin1String("embedding")) { m_bShowSplash = FALSE; m_bRunEmbedded = TRUE; }
        else if (p == QLatin1String("automation")) { m_bShowSplash = FALSE; m_bRunAutomated = TRUE; }
        else if (p == QLatin1String("p")) m_nShellCommand = FilePrint;
        else if (p == QLatin1String("pt")) m_nShellCommand = FilePrintTo;
        else if (p == QLatin1String("dde")) m_nShellCommand = FileDDE;
        else if (p == QLatin1String("unregister") || p == QLatin1String("unregserver")) m_nShellCommand = AppUnregister;
        return;
    }
    if (m_strFileName.isEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.isEmpty()) {
        m_strPrinterName = param;
    }
}

CWinApp::CWinApp(const QString& appName) : m_pszAppName(appName) { g_pApp = this; }
CWinApp::~CWinApp()
{
    for (CDocTemplate* t : m_templates)
        delete t;
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }
CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }
void AfxEnableControlContainer() {}
void AfxSetFileDialogHook(FileDialogHook hook) { g_fileDialogHook = std::move(hook); }

int CWinApp::Run() { return QApplication::exec(); }

void AfxInstallScreenFont()
{
    if (QCoreApplication::instance())
        QApplication::setFont(AfxScreenPointFont(QStringLiteral("MS UI Gothic"), 9));
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) { m_templates.push_back(pTemplate); }

std::vector<CDocument*> CWinApp::GetOpenDocuments() const
{
    std::vector<CDocument*> docs;
    for (CDocTemplate* t : m_templates)
        for (CDocument* d : t->GetDocuments())
            docs.push_back(d);
    return docs;
}

CDocument* CWinApp::OpenDocumentFile(const QString& path)
{
    CDocTemplate* chosen = nullptr;
    for (CDocTemplate* t : m_templates)
        if (t->MatchesExtension(path)) { chosen = t; break; }
    if (!chosen && !m_templates.empty())
        chosen = m_templates.front();
    return chosen ? chosen->OpenDocumentFile(path) : nullptr;
}

void CWinApp::OnFileNew()
{
    // Only templates with a file-new name make new documents.
    for (CDocTemplate* t : m_templates) {
        QString name;
        if (t->GetDocString(name, CDocTemplate::fileNewName)) {
            t->OpenDocumentFile(QString());
            return;
        }
    }
}

void CWinApp::OnFileOpen()
{
    QString filter;
    if (!m_templates.empty())
        m_templates.front()->GetDocString(filter, CDocTemplate::filterName);
    QString path;
    if (DoPromptFileName(path, QString(), TRUE, filter))
        OpenDocumentFile(path);
}

BOOL CWinApp::DoPromptFileName(QString& path, const QString& defaultName, BOOL bOpen, const QString& filter)
{
    // The program's own filter text as it is; the dialog matches either case of the extension.
    QStringList filters;
    if (!filter.isEmpty())
        filters << filter << QStringLiteral("すべてのファイル (*)");
    if (g_fileDialogHook) {
        path = g_fileDialogHook(bOpen, defaultName, filters.join(QStringLiteral(";;")));
        return !path.isEmpty();
    }
    KeepToolkitSettingsInThisRun();
    InstallToolkitTranslation();
    QFileDialog dlg(m_pMainWnd ? m_pMainWnd->GetWidget() : nullptr,
                    bOpen ? QStringLiteral("ファイルを開く") : QStringLiteral("名前を付けて保存"), defaultName);
    // The toolkit's own dialog: the same on every desktop, and its matching is ours to set.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setWindowFlags(AfxDialogWindowFlags());
    dlg.setAcceptMode(bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dlg.setFileMode(bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dlg.setFilter(dlg.filter() & ~QDir::CaseSensitive);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    dlg.setViewMode(QFileDialog::Detail);
    dlg.setProxyModel(new JapaneseFileColumns(&dlg));
    FitFileColumns(dlg);
    path.clear();
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
        path = dlg.selectedFiles().constFirst();
    return !path.isEmpty();
}

void CWinApp::OnFilePrintSetup()
{
    // The paper chosen here is where every print job starts.
    AfxPageSetup(m_pMainWnd);
}

BOOL CWinApp::SaveAllModified()
{
    for (CDocument* d : GetOpenDocuments())
        if (!d->SaveModified())
            return FALSE;
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* t : m_templates)
        t->CloseAllDocuments(bEndSession);
}

void CWinApp::OnMainWindowClosed()
{
    m_pMainWnd = nullptr;
    QCoreApplication::quit();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    m_bEndedAsAsked = FALSE;
    const QStringList args = m_args.isEmpty() && QCoreApplication::instance()
        ? QCoreApplication::arguments().mid(1) : m_args;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        // A path starts with "/" here: only "-" starts a switch.
        const bool flag = a.size() > 1 && a.startsWith(QLatin1Char('-')) && !QFileInfo::exists(a);
        info.ParseParam(flag ? a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1) : a, flag, i == args.size() - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    m_bEndedAsAsked = info.m_nShellCommand == CCommandLineInfo::AppUnregister;
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr))
            OnFileNew();
        return TRUE;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    default:
        return TRUE;
    }
}

void CWinApp::SetRegistryKey(const QString& company)
{
    m_pszRegistryKey = company;
    AfxSetRegistryKey(company);
    AfxSetProfileAppName(m_pszAppName);
}

UINT CWinApp::GetProfileInt(const QString& s, const QString& e, int def) { return AfxGetProfileInt(s, e, def); }
QString CWinApp::GetProfileString(const QString& s, const QString& e, const QString& def) { return AfxGetProfileString(s, e, def); }
BOOL CWinApp::WriteProfileInt(const QString& s, const QString& e, int v) { return AfxWriteProfileInt(s, e, v); }
BOOL CWinApp::WriteProfileString(const QString& s, const QString& e, const QString& v) { return AfxWriteProfileString(s, e, v); }

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (DispatchOwn(nID, nCode, pCmdUI))
        return TRUE;
    switch (nID) {
    case ID_FILE_NEW: if (nCode == CN_COMMAND) OnFileNew(); return nCode != CN_UPDATE_COMMAND_UI;
    case ID_FILE_OPEN: if (nCode == CN_COMMAND) OnFileOpen(); return nCode != CN_UPDATE_COMMAND_UI;
    case ID_FILE_PRINT_SETUP: if (nCode == CN_COMMAND) OnFilePrintSetup(); return nCode != CN_UPDATE_COMMAND_UI;
    default: return FALSE;
    }
}

int AfxWinMain(int argc, char** argv)
{
    // Gone before the program's static objects are: nothing of the toolkit outlives it.
    QApplication qapp(argc, argv);
    InstallToolkitTranslation();
    AfxInstallScreenFont();
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    PreTranslateFilter filter;
    qapp.installEventFilter(&filter);
    int rc = 0;
    if (app->InitInstance())
        rc = app->Run();
    else if (!app->StartEndedAsAsked())
        rc = 1;
    const int exitRc = app->ExitInstance();
    qapp.removeEventFilter(&filter);
    if (app->m_pMainWnd)
        app->m_pMainWnd->DestroyWindow();
    return rc ? rc : exitRc;
}
