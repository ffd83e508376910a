#include "framework/print.h"
#include "framework/dc.h"
#include "framework/msgbox.h"
#include "framework/view.h"
#include "framework/wnd_p.h"

#include <QChildEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {
// Pages are laid out at a laser printer's resolution whatever the device; PDF and the
// CUPS drivers take vector output anyway.
constexpr int kPrintDpi = 600;

PrintHook g_printHook;
PageSetupHook g_pageSetupHook;

QPageSize::PageSizeId QtPaper(int dmPaperSize)
{
    return dmPaperSize == DMPAPER_A3 ? QPageSize::A3 : QPageSize::A4;
}

bool PrinterExists(const QString& name)
{
    return name.isEmpty() ? !QPrinterInfo::defaultPrinterName().isEmpty()
                          : QPrinterInfo::availablePrinterNames().contains(name);
}

void ApplyOutput(QPrinter& p, const CPrintSettings& s)
{
    if (!s.m_strOutputFile.isEmpty()) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(s.m_strOutputFile);
        return;
    }
    p.setOutputFileName(QString());
    p.setOutputFormat(QPrinter::NativeFormat);   // stays PDF when there is no printer
    // A printer that has gone away leaves the default one.
    if (!s.m_strPrinterName.isEmpty() && PrinterExists(s.m_strPrinterName))
        p.setPrinterName(s.m_strPrinterName);
}

// Only while the device is not painting.
void ApplyPaper(QPrinter& p, const CPrintSettings& s)
{
    p.setResolution(kPrintDpi);
    p.setFullPage(false);
    p.setPageSize(QPageSize(QtPaper(s.m_nPaperSize)));
    p.setPageOrientation(s.m_bLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    // The printable area is all the device can reach, as a printer driver reports it;
    // a PDF page is printable to its edges.
    const QPageLayout layout = p.pageLayout();
    p.setPageMargins(layout.minimumMargins(), layout.units());
}

void ReadPaper(const QPrinter& p, CPrintSettings& s)
{
    const QPageLayout layout = p.pageLayout();
    switch (layout.pageSize().id()) {
    case QPageSize::A3: s.m_nPaperSize = DMPAPER_A3; break;
    case QPageSize::A4: s.m_nPaperSize = DMPAPER_A4; break;
    default: break;   // the program prints on A4 or A3 only
    }
    s.m_bLandscape = layout.orientation() == QPageLayout::Landscape;
}

void ReadOutput(const QPrinter& p, CPrintSettings& s)
{
    if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty()) {
        s.m_strOutputFile = p.outputFileName();
    } else {
        s.m_strOutputFile.clear();
        s.m_strPrinterName = p.printerName();
    }
}

// The device caps of the printer as it will paint, before a painter runs on it.
void SetDeviceCaps(CDC& dc, const QPrinter& p)
{
    const int dpi = p.resolution();
    const QPageLayout layout = p.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    dc.SetResolution(dpi, dpi);
    dc.SetPageSize(CSize(paint.width(), paint.height()));
    dc.SetPhysicalPage(CSize(full.width(), full.height()), CPoint(paint.left(), paint.top()));
}

// Hands the painter to a DC that the view has already prepared. Taking a painter
// recomputes the extents of the mapping mode, which would undo an isotropic set-up.
void AttachPainter(CDC& dc, QPainter& painter)
{
    const int mode = dc.GetMapMode();
    const CSize windowExt = dc.GetWindowExt();
    const CSize viewportExt = dc.GetViewportExt();
    dc.SetPainter(&painter);
    if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
        dc.SetWindowExt(windowExt);
        dc.SetViewportExt(viewportExt);
    }
}
}

struct CPrintInfo::Job {
    PrintMode mode = PrintMode::Print;
    QWidget* parent = nullptr;
    std::unique_ptr<QPrinter> printer;   // made when first needed
    QPrinter* device = nullptr;          // where the pages go while they are printed
    CDC* dc = nullptr;
    bool painting = false;
    bool prepared = false;               // DoPreparePrinting has run
    bool dialogDone = false;             // the print dialog has set up the printer

    QPrinter& Printer()
    {
        if (!printer)
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *printer;
    }
};

// The print loop; a friend of CPrintInfo.
struct PrintLoop {
    static BOOL Run(CView* pView, PrintMode mode, const QString& pdfPath);
    static BOOL Prepare(CView* pView, CPrintInfo* pInfo);
    static BOOL Preview(CView* pView, CPrintInfo& info);
    static BOOL Pages(CView* pView, CPrintInfo& info, QPrinter& printer, bool preview);
    static void PaperChanged(CPrintInfo& info);
};

// ---------------------------------------------------------------- settings and job

CSize CPrintSettings::GetPaperSize() const
{
    const CSize portrait = m_nPaperSize == DMPAPER_A3 ? CSize(2970, 4200) : kA4Portrait;
    return m_bLandscape ? CSize(portrait.cy, portrait.cx) : portrait;
}

CPrintSettings& AfxGetPrintSettings()
{
    static CPrintSettings settings;
    return settings;
}

CPrintInfo::CPrintInfo() : m_pJob(std::make_unique<Job>()) {}
CPrintInfo::~CPrintInfo() = default;

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_nMinPage = nMinPage;
    m_nFromPage = nMinPage;
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_nMaxPage = nMaxPage;
    m_nToPage = nMaxPage;
}

void CPrintInfo::SetPaper(int dmPaperSize, bool landscape)
{
    m_settings.m_nPaperSize = dmPaperSize == DMPAPER_A3 ? DMPAPER_A3 : DMPAPER_A4;
    m_settings.m_bLandscape = landscape;
    PrintLoop::PaperChanged(*this);
}

void PrintLoop::PaperChanged(CPrintInfo& info)
{
    CPrintInfo::Job& job = *info.m_pJob;
    QPrinter* p = job.device ? job.device : job.printer.get();
    if (!p || job.painting)
        return;
    ApplyPaper(*p, info.m_settings);
    if (job.dc)
        SetDeviceCaps(*job.dc, *p);
}

bool AfxCanPrint()
{
    // PDF output needs no printer, so there is always somewhere to print to.
    return true;
}

bool AfxHasPrinter() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

namespace {
// The preview window's print button brings up a print dialog of its own, as its child.
class PrintDialogWatcher : public QObject {
public:
    bool eventFilter(QObject*, QEvent* ev) override
    {
        if (ev->type() == QEvent::ChildPolished)
            if (auto* dlg = qobject_cast<QPrintDialog*>(static_cast<QChildEvent*>(ev)->child()))
                if (!dlg->property("mvTidied").toBool()) {
                    dlg->setProperty("mvTidied", true);
                    AfxTidyPrinterFields(dlg);
                }
        return false;
    }
};
}

void AfxTidyPrinterFields(QWidget* dlg)
{
    auto* printers = dlg ? dlg->findChild<QComboBox*>(QStringLiteral("printers")) : nullptr;
    auto tidy = [dlg, printers] {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printers ? printers->currentText() : QString());
        const std::pair<const char*, QString> fields[] = {{"location", info.location()},
                                                          {"type", info.makeAndModel()}};
        for (const auto& [name, detail] : fields) {
            auto* field = dlg->findChild<QLabel*>(QString::fromLatin1(name));
            if (!field)
                continue;
            if (field->text().trimmed().isEmpty())
                field->setText(detail);
            const bool shown = !field->text().trimmed().isEmpty();
            field->setVisible(shown);
            // The caption stands at the start of the field's row.
            auto* grid = qobject_cast<QGridLayout*>(field->parentWidget() ? field->parentWidget()->layout() : nullptr);
            int row = 0, col = 0, rows = 0, cols = 0;
            if (grid && grid->indexOf(field) >= 0) {
                grid->getItemPosition(grid->indexOf(field), &row, &col, &rows, &cols);
                if (QLayoutItem* item = grid->itemAtPosition(row, 0); item && item->widget() && item->widget() != field)
                    item->widget()->setVisible(shown);
            }
        }
    };
    tidy();
    // Again once the dialog shows, and after its own update of the fields for another printer.
    QTimer::singleShot(0, dlg, tidy);
    if (printers)
        QObject::connect(printers, &QComboBox::currentIndexChanged, dlg, tidy);
}

void AfxSetPrintHook(PrintHook hook) { g_printHook = std::move(hook); }
void AfxSetPageSetupHook(PageSetupHook hook) { g_pageSetupHook = std::move(hook); }

BOOL AfxPageSetup(CWnd* pParent)
{
    CPrintSettings s = AfxGetPrintSettings();
    if (g_pageSetupHook) {
        if (!g_pageSetupHook(s))
            return FALSE;
    } else {
        QPrinter printer(QPrinter::HighResolution);
        ApplyOutput(printer, s);
        ApplyPaper(printer, s);
        QPageSetupDialog dlg(&printer, pParent ? pParent->GetWidget() : nullptr);
        AfxMakeDialogWindow(&dlg);
        if (dlg.exec() != QDialog::Accepted)
            return FALSE;
        ReadPaper(printer, s);
    }
    AfxGetPrintSettings() = s;
    return TRUE;
}

// ---------------------------------------------------------------- the loop

BOOL AfxPrintView(CView* pView, PrintMode mode, const QString& pdfPath)
{
    return PrintLoop::Run(pView, mode, pdfPath);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    return PrintLoop::Prepare(this, pInfo);
}

BOOL PrintLoop::Run(CView* pView, PrintMode mode, const QString& pdfPath)
{
    if (!pView || (mode == PrintMode::Pdf && pdfPath.isEmpty()))
        return FALSE;
    CPrintInfo info;
    CPrintInfo::Job& job = *info.m_pJob;
    job.mode = mode;
    job.parent = pView->GetWidget() ? pView->GetWidget()->window() : nullptr;
    info.m_settings = AfxGetPrintSettings();
    info.m_bDirect = mode == PrintMode::Direct;
    info.m_bPreview = mode == PrintMode::Preview;
    if (mode == PrintMode::Pdf)
        info.m_settings.m_strOutputFile = pdfPath;

    if (!pView->OnPreparePrinting(&info))
        return FALSE;
    // A view that does not ask for the dialog itself still gets the one its command promises.
    if (!job.prepared && !pView->DoPreparePrinting(&info))
        return FALSE;
    if (info.m_bPreview)
        return Preview(pView, info);

    QPrinter& printer = job.Printer();
    if (!job.dialogDone)
        ApplyOutput(printer, info.m_settings);
    return Pages(pView, info, printer, false);
}

BOOL PrintLoop::Prepare(CView* pView, CPrintInfo* pInfo)
{
    CPrintInfo::Job& job = *pInfo->m_pJob;
    job.prepared = true;
    if (pInfo->m_bPreview || job.mode == PrintMode::Pdf)
        return TRUE;
    CPrintSettings& s = pInfo->m_settings;
    if (pInfo->m_bDirect && !g_printHook && s.m_strOutputFile.isEmpty() && PrinterExists(s.m_strPrinterName))
        return TRUE;

    if (g_printHook) {
        const QString path = g_printHook(pInfo);
        if (path.isEmpty())
            return FALSE;
        s.m_strOutputFile = path;
    } else {
        QPrinter& p = job.Printer();
        ApplyOutput(p, s);
        ApplyPaper(p, s);
        p.setPrintRange(QPrinter::AllPages);
        QWidget* parent = job.parent ? job.parent
                        : pView && pView->GetWidget() ? pView->GetWidget()->window() : nullptr;
        QPrintDialog dlg(&p, parent);
        AfxMakeDialogWindow(&dlg);
        AfxTidyPrinterFields(&dlg);
        dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
        const bool knownLast = pInfo->GetMaxPage() != 0xffff;
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, knownLast);
        if (knownLast)
            dlg.setMinMax(int(pInfo->GetMinPage()), int(pInfo->GetMaxPage()));
        if (dlg.exec() != QDialog::Accepted)
            return FALSE;
        // The printer keeps what else the dialog set (copies, duplex, driver options).
        job.dialogDone = true;
        ReadOutput(p, s);
        ReadPaper(p, s);
        if (knownLast && p.printRange() == QPrinter::PageRange && p.fromPage() > 0) {
            pInfo->m_nFromPage = std::clamp(UINT(p.fromPage()), pInfo->GetMinPage(), pInfo->GetMaxPage());
            pInfo->m_nToPage = std::clamp(UINT(std::max(p.toPage(), p.fromPage())), pInfo->m_nFromPage,
                                          pInfo->GetMaxPage());
        }
    }
    // The next job goes to the same place.
    CPrintSettings& app = AfxGetPrintSettings();
    app.m_strPrinterName = s.m_strPrinterName;
    app.m_strOutputFile = s.m_strOutputFile;
    return TRUE;
}

BOOL PrintLoop::Preview(CView* pView, CPrintInfo& info)
{
    CPrintInfo::Job& job = *info.m_pJob;
    if (g_printHook) {
        QString path = g_printHook(&info);
        QTemporaryDir scratch;
        if (path.isEmpty()) {
            if (!scratch.isValid())
                return FALSE;
            path = scratch.filePath(QStringLiteral("preview.pdf"));
        }
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(path);
        return Pages(pView, info, pdf, true);
    }

    QPrinter& printer = job.Printer();
    ApplyOutput(printer, info.m_settings);
    ApplyPaper(printer, info.m_settings);
    QPrintPreviewDialog dlg(&printer, job.parent);
    dlg.setWindowTitle(QStringLiteral("印刷プレビュー"));
    // A view of the pages rather than a dialog: it may fill the screen, but minimising a
    // modal window would only leave the program waiting behind it.
    dlg.setWindowFlags(AfxDialogWindowFlags() | Qt::WindowMaximizeButtonHint);
    PrintDialogWatcher watcher;
    dlg.installEventFilter(&watcher);
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter* p) {
        // The window paints its pages as pictures; its print button hands over the printer.
        const bool preview = p->paintEngine() && p->paintEngine()->type() == QPaintEngine::Picture;
        // Keep what the window's own buttons changed (orientation, page setup).
        ReadPaper(*p, info.m_settings);
        Pages(pView, info, *p, preview);
    });
    dlg.exec();
    return TRUE;
}

BOOL PrintLoop::Pages(CView* pView, CPrintInfo& info, QPrinter& printer, bool preview)
{
    CPrintInfo::Job& job = *info.m_pJob;
    const BOOL wasPreview = info.m_bPreview;
    info.m_bPreview = preview;
    info.m_bContinuePrinting = TRUE;
    ApplyPaper(printer, info.m_settings);

    // The painter starts with the first page, so the view can still choose the paper in
    // OnBeginPrinting and in the first OnPrepareDC, and a job without pages leaves no
    // empty sheet behind.
    CDC dc(nullptr);
    dc.SetPrinting(true);
    SetDeviceCaps(dc, printer);
    job.device = &printer;
    job.dc = &dc;
    job.painting = false;
    pView->OnBeginPrinting(&dc, &info);

    QPainter painter;
    bool ok = true;
    const quint64 last = info.GetToPage();
    for (quint64 page = info.GetFromPage(); page <= last; ++page) {
        info.m_nCurPage = UINT(page);
        pView->OnPrepareDC(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (!job.painting) {
            if (!painter.begin(&printer)) {
                ok = false;
                break;
            }
            job.painting = true;
            AttachPainter(dc, painter);
        } else if (!printer.newPage()) {
            ok = false;
            break;
        }
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        pView->OnPrint(&dc, &info);
    }
    if (painter.isActive() && !painter.end())
        ok = false;
    dc.SetPainter(nullptr);
    job.painting = false;
    pView->OnEndPrinting(&dc, &info);
    job.device = nullptr;
    job.dc = nullptr;
    info.m_bPreview = wasPreview;
    if (!ok)
        AfxMessageBox(QStringLiteral("印刷を開始できませんでした。\n出力先を確かめてください。"),
                      MB_OK | MB_ICONEXCLAMATION);
    return ok;
}
