// Printing: paper and output settings, the description of one print job, and the print loop
// that runs a view's printing protocol on a printer, a PDF file or the preview window.
#pragma once

#include <functional>
#include <memory>
#include <QString>
#include "framework/types.h"

class CDC;
class CView;
class CWnd;

// Paper sizes as the printer settings number them.
enum : int { DMPAPER_A3 = 8, DMPAPER_A4 = 9 };
// A4 portrait in 0.1 mm, the page every printout is laid out on.
inline constexpr CSize kA4Portrait(2100, 2970);
enum : int { DMORIENT_PORTRAIT = 1, DMORIENT_LANDSCAPE = 2 };

// Paper and output of print jobs. The application-wide settings (AfxGetPrintSettings) keep
// what page setup and the print dialog chose last; every job starts from a copy of them.
struct CPrintSettings {
    int m_nPaperSize = DMPAPER_A4;   // DMPAPER_A4 or DMPAPER_A3
    bool m_bLandscape = false;
    QString m_strPrinterName;        // empty: the default printer
    QString m_strOutputFile;         // not empty: a PDF file instead of a printer

    // The paper in 0.1 mm as it lies, e.g. A4 portrait 2100 x 2970.
    CSize GetPaperSize() const;
};

CPrintSettings& AfxGetPrintSettings();

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // Page range: SetMaxPage also makes the last page the end of the range to print.
    // An unknown last page is 0xffff; the loop then runs while m_bContinuePrinting.
    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range the user chose in the print dialog, else min to max.
    UINT GetFromPage() const { return m_nFromPage; }
    UINT GetToPage() const { return m_nToPage; }

    // Paper of this job (DMPAPER_A4 or DMPAPER_A3). Called from OnPreparePrinting,
    // OnBeginPrinting or the first page's OnPrepareDC, it sets the device and the DC's
    // device caps before anything is drawn; later calls no longer change this job.
    void SetPaper(int dmPaperSize, bool landscape);
    CPrintSettings& GetSettings() { return m_settings; }
    const CPrintSettings& GetSettings() const { return m_settings; }

    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;              // print without the dialog
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CRect m_rectDraw;                    // the printable page in logical units
    QString m_strPageDesc;
    void* m_lpUserData = nullptr;

private:
    struct Job;     // the print loop's state: mode, device, DC
    UINT m_nMinPage = 1, m_nMaxPage = 0xffff;
    UINT m_nFromPage = 1, m_nToPage = 0xffff;
    CPrintSettings m_settings;
    std::unique_ptr<Job> m_pJob;
    friend struct PrintLoop;
};

enum class PrintMode {
    Print,      // the print dialog chooses the printer or a PDF file
    Direct,     // the chosen printer without the dialog (the dialog when there is none)
    Pdf,        // straight into the PDF file pdfPath
    Preview     // the preview window, which can print from there
};

// Runs pView's printing protocol; FALSE when cancelled or the output failed.
BOOL AfxPrintView(CView* pView, PrintMode mode, const QString& pdfPath = QString());

// Some output is possible: a printer, or a PDF file, which needs none.
bool AfxCanPrint();
// A printer is installed.
bool AfxHasPrinter();

// The page setup dialog on the application-wide settings; FALSE when cancelled.
BOOL AfxPageSetup(CWnd* pParent);

// Test hooks instead of the modal print windows.
// The print hook answers the print dialog (pInfo->m_bPreview false) with the PDF file to
// print to, or an empty string to cancel. For the preview (pInfo->m_bPreview true) no window
// opens; the previewed pages are rendered into the returned PDF file, or into a scratch file
// when the answer is empty.
using PrintHook = std::function<QString(CPrintInfo* pInfo)>;
void AfxSetPrintHook(PrintHook hook);
// The page setup hook may change the settings; FALSE cancels.
using PageSetupHook = std::function<BOOL(CPrintSettings& settings)>;
void AfxSetPageSetupHook(PageSetupHook hook);
