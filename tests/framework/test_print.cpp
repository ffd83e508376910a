#include <gtest/gtest.h>

#include "framework/app.h"
#include "framework/cmdids.h"
#include "framework/dc.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "framework/view.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

namespace {

struct Caps {
    int dpiX = 0, dpiY = 0, horz = 0, vert = 0, physW = 0, physH = 0, offX = 0, offY = 0;
    bool operator==(const Caps&) const = default;
    static Caps Of(const CDC* dc)
    {
        return {dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY), dc->GetDeviceCaps(HORZRES),
                dc->GetDeviceCaps(VERTRES), dc->GetDeviceCaps(PHYSICALWIDTH), dc->GetDeviceCaps(PHYSICALHEIGHT),
                dc->GetDeviceCaps(PHYSICALOFFSETX), dc->GetDeviceCaps(PHYSICALOFFSETY)};
    }
};

// What the view saw; it outlives the view, which its parent window deletes.
struct Log {
    int prepares = 0, begins = 0, ends = 0;
    std::vector<UINT> preparedPages, printedPages;
    std::vector<BOOL> previewFlags;
    CRect firstDrawRect;
    BOOL direct = FALSE;
    Caps beginCaps, printCaps;
    CSize windowExt, viewportExt;   // on the first page, where painting starts
};

class TestView : public CView {
public:
    explicit TestView(Log* log) : m_log(log) {}

    UINT m_nPages = 3;            // 0: the last page is not known
    int m_nPaper = DMPAPER_A3;
    bool m_bLandscape = true;
    bool m_bSetPaper = true;
    bool m_bPaperInBegin = false; // chooses the paper in OnBeginPrinting instead
    bool m_bRefuse = false;
    bool m_bIsotropic = false;
    int m_nStopAfter = -1;        // with an unknown last page: pages wanted, -1 the default

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        ++m_log->prepares;
        m_log->direct = pInfo->m_bDirect;
        if (m_bRefuse)
            return FALSE;
        if (m_nPages)
            pInfo->SetMaxPage(m_nPages);
        if (m_bSetPaper && !m_bPaperInBegin)
            pInfo->SetPaper(m_nPaper, m_bLandscape);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        ++m_log->begins;
        if (m_bSetPaper && m_bPaperInBegin)
            pInfo->SetPaper(m_nPaper, m_bLandscape);
        m_log->beginCaps = Caps::Of(pDC);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        if (m_bIsotropic) {
            pDC->SetMapMode(MM_ISOTROPIC);
            pDC->SetWindowExt(1000, 1000);
            pDC->SetViewportExt(500, -500);
        } else {
            pDC->SetMapMode(MM_LOMETRIC);
        }
        CView::OnPrepareDC(pDC, pInfo);
        if (!pInfo)
            return;
        m_log->preparedPages.push_back(pInfo->m_nCurPage);
        if (m_nStopAfter >= 0)
            pInfo->m_bContinuePrinting = int(pInfo->m_nCurPage) <= m_nStopAfter;
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_log->printedPages.push_back(pInfo->m_nCurPage);
        m_log->previewFlags.push_back(pInfo->m_bPreview);
        m_log->printCaps = Caps::Of(pDC);
        if (pInfo->m_nCurPage == 1) {
            m_log->firstDrawRect = pInfo->m_rectDraw;
            m_log->windowExt = pDC->GetWindowExt();
            m_log->viewportExt = pDC->GetViewportExt();
        }
        // A 1 mm frame 10 mm inside the page, and the page number.
        CRect frame = pInfo->m_rectDraw;
        frame.left += 100;
        frame.top -= 100;
        frame.right -= 100;
        frame.bottom += 100;
        CPen pen(PS_SOLID, 10, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(frame);
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
        pDC->SetTextAlign(TA_CENTER | TA_BASELINE);
        pDC->TextOut(frame.CenterPoint().x, frame.bottom + 200, QStringLiteral("- %1 -").arg(pInfo->m_nCurPage));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++m_log->ends; }

private:
    Log* m_log;
};

bool HaveTool(const char* name) { return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty(); }

// Page objects in the file, not the page tree.
int CountPdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

// pdfinfo's page size in points.
QSizeF PdfPageSize(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    p.waitForFinished(20000);
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// The paper at the DC's resolution; Qt rounds paper sizes to whole points.
void ExpectPaper(const Caps& c, double mmWide, double mmHigh)
{
    EXPECT_GE(c.dpiX, 300);
    EXPECT_EQ(c.dpiX, c.dpiY);
    EXPECT_NEAR(c.physW, mmWide / 25.4 * c.dpiX, c.dpiX * 0.02);
    EXPECT_NEAR(c.physH, mmHigh / 25.4 * c.dpiY, c.dpiY * 0.02);
    EXPECT_GT(c.horz, 0);
    EXPECT_GT(c.vert, 0);
    EXPECT_LE(c.horz + c.offX, c.physW);
    EXPECT_LE(c.vert + c.offY, c.physH);
}

// Runs f on the modal window until it says it is done (or gives up and closes the window),
// so that a real dialog can be driven.
void OnModal(std::function<bool(QWidget*)> f)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, f, tries = 0]() mutable {
        QWidget* w = QApplication::activeModalWidget();
        if (w && f(w)) {
            timer->deleteLater();
        } else if (++tries > 250) {
            if (w)
                w->close();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        AfxGetPrintSettings() = CPrintSettings();
        m_parent.CreateEx(nullptr, CRect(0, 0, 400, 300), 0);
        m_view = new TestView(&m_log);
        ASSERT_TRUE(m_view->Create(&m_parent, nullptr, 1));
    }
    void TearDown() override
    {
        AfxSetPrintHook(nullptr);
        AfxSetPageSetupHook(nullptr);
        AfxSetMessageBoxHandler(nullptr);
        AfxGetPrintSettings() = CPrintSettings();
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    Log m_log;
    CWnd m_parent;   // deletes the view with its window
    TestView* m_view = nullptr;
};

} // namespace

// ---------------------------------------------------------------- the print loop

TEST_F(PrintTest, PdfJobRunsTheProtocolOncePerPageOnA3Landscape)
{
    const QString pdf = Path("out.pdf");
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, pdf));

    EXPECT_EQ(m_log.begins, 1);
    EXPECT_EQ(m_log.ends, 1);
    EXPECT_EQ(m_log.preparedPages, (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(m_log.printedPages, (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(m_log.previewFlags, (std::vector<BOOL>{FALSE, FALSE, FALSE}));

    // The caps given before the painter ran are those of the device it painted on.
    EXPECT_EQ(m_log.beginCaps, m_log.printCaps);
    ExpectPaper(m_log.printCaps, 420, 297);
    EXPECT_EQ(m_log.printCaps.horz, m_log.printCaps.physW);   // PDF prints to the edges
    // The printable page in 0.1 mm, y upwards.
    EXPECT_EQ(m_log.firstDrawRect.TopLeft(), CPoint(0, 0));
    EXPECT_NEAR(m_log.firstDrawRect.right, 4200, 3);
    EXPECT_NEAR(m_log.firstDrawRect.bottom, -2970, 3);

    EXPECT_EQ(CountPdfPages(pdf), 3);
    if (HaveTool("pdfinfo")) {
        const QSizeF size = PdfPageSize(pdf);
        EXPECT_NEAR(size.width(), 1190.55, 1.0);
        EXPECT_NEAR(size.height(), 841.89, 1.0);
    }
}

TEST_F(PrintTest, FrameIsInkedWhereItWasDrawn)
{
    if (!HaveTool("pdftoppm"))
        GTEST_SKIP() << "pdftoppm not installed";
    const QString pdf = Path("frame.pdf");
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, pdf));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"),
                                          QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdf, Path("page")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QImage img(Path("page-1.png"));
    ASSERT_FALSE(img.isNull());
    // At 40 dpi the page is about 661 x 468 pixels and the frame 16 pixels in.
    EXPECT_NEAR(img.width(), 661, 3);
    EXPECT_NEAR(img.height(), 468, 3);
    auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    auto darkNear = [&](int x, int y) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (dark(x + dx, y + dy))
                    return true;
        return false;
    };
    const int w = img.width(), h = img.height();
    EXPECT_TRUE(darkNear(16, h / 2));
    EXPECT_TRUE(darkNear(w - 17, h / 2));
    EXPECT_TRUE(darkNear(w / 2, 16));
    EXPECT_TRUE(darkNear(w / 2, h - 17));
    EXPECT_FALSE(dark(4, 4));
    EXPECT_FALSE(dark(w / 4, h / 4));
}

TEST_F(PrintTest, RefusedPreparationPrintsNothing)
{
    m_view->m_bRefuse = true;
    const QString pdf = Path("none.pdf");
    int hookCalls = 0;
    AfxSetPrintHook([&](CPrintInfo*) { ++hookCalls; return pdf; });
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Pdf, pdf));
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Print));
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Preview));
    EXPECT_EQ(m_log.prepares, 3);
    EXPECT_EQ(hookCalls, 0);
    EXPECT_EQ(m_log.begins + m_log.ends, 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintTest, PaperChosenInBeginPrintingReachesDeviceAndCaps)
{
    m_view->m_bPaperInBegin = true;
    m_view->m_nPaper = DMPAPER_A4;
    m_view->m_bLandscape = false;
    AfxGetPrintSettings().m_nPaperSize = DMPAPER_A3;
    const QString pdf = Path("a4.pdf");
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, pdf));
    EXPECT_EQ(m_log.beginCaps, m_log.printCaps);
    ExpectPaper(m_log.printCaps, 210, 297);
    if (HaveTool("pdfinfo")) {
        EXPECT_NEAR(PdfPageSize(pdf).width(), 595.28, 1.0);
    }
    // The job's paper does not become the application's.
    EXPECT_EQ(AfxGetPrintSettings().m_nPaperSize, DMPAPER_A3);
}

TEST_F(PrintTest, UnknownLastPagePrintsWhileTheViewContinues)
{
    m_view->m_nPages = 0;
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, Path("one.pdf")));
    // The base OnPrepareDC stops after the first page.
    EXPECT_EQ(m_log.preparedPages, (std::vector<UINT>{1, 2}));
    EXPECT_EQ(CountPdfPages(Path("one.pdf")), 1);

    m_log = Log();
    m_view->m_nStopAfter = 4;
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, Path("four.pdf")));
    EXPECT_EQ(m_log.printedPages, (std::vector<UINT>{1, 2, 3, 4}));
    EXPECT_EQ(CountPdfPages(Path("four.pdf")), 4);

    // Nothing to print: the job runs but leaves no file (no blank sheet).
    m_log = Log();
    m_view->m_nStopAfter = 0;
    EXPECT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, Path("empty.pdf")));
    EXPECT_EQ(m_log.begins, 1);
    EXPECT_EQ(m_log.ends, 1);
    EXPECT_TRUE(m_log.printedPages.empty());
    EXPECT_FALSE(QFile::exists(Path("empty.pdf")));
}

TEST_F(PrintTest, IsotropicMappingSurvivesTheStartOfPainting)
{
    m_view->m_bIsotropic = true;
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, Path("iso.pdf")));
    EXPECT_EQ(m_log.windowExt, CSize(1000, 1000));
    EXPECT_EQ(m_log.viewportExt, CSize(500, -500));
}

TEST_F(PrintTest, UnwritableOutputReportsAndEndsTheJob)
{
    QStringList messages;
    AfxSetMessageBoxHandler([&](const QString& text, UINT) { messages << text; return IDOK; });
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Pdf, Path("missing/dir/out.pdf")));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(m_log.begins, 1);
    EXPECT_EQ(m_log.ends, 1);
    EXPECT_TRUE(m_log.printedPages.empty());
}

// ---------------------------------------------------------------- dialog, preview, commands

TEST_F(PrintTest, PrintHookChoosesPdfOrCancels)
{
    QString answer;
    std::vector<BOOL> previewSeen;
    AfxSetPrintHook([&](CPrintInfo* pInfo) {
        previewSeen.push_back(pInfo->m_bPreview);
        EXPECT_EQ(pInfo->GetMaxPage(), 3u);
        return answer;
    });
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Print));
    EXPECT_EQ(m_log.begins, 0);

    answer = Path("dialog.pdf");
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Print));
    EXPECT_EQ(CountPdfPages(answer), 3);
    // The next job offers the same output.
    EXPECT_EQ(AfxGetPrintSettings().m_strOutputFile, answer);

    // Preview: no window, the pages go into the answer, or a scratch file without one.
    answer = Path("preview.pdf");
    m_log = Log();
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Preview));
    EXPECT_EQ(m_log.previewFlags, (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    EXPECT_EQ(m_log.begins + m_log.ends, 2);
    EXPECT_EQ(CountPdfPages(answer), 3);
    answer.clear();
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Preview));
    EXPECT_EQ(m_log.printedPages.size(), 6u);
    EXPECT_EQ(previewSeen, (std::vector<BOOL>{FALSE, FALSE, TRUE, TRUE}));
}

TEST_F(PrintTest, RealDialogAndPreviewWindowRunTheSameLoop)
{
    // The last output was a PDF file: the print dialog offers it again.
    const QString pdf = Path("chosen.pdf");
    AfxGetPrintSettings().m_strOutputFile = pdf;
    OnModal([](QWidget* w) {
        auto* dlg = qobject_cast<QDialog*>(w);
        if (dlg)
            dlg->accept();
        return dlg != nullptr;
    });
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Print));
    EXPECT_EQ(CountPdfPages(pdf), 3);
    ExpectPaper(m_log.printCaps, 420, 297);

    // The preview window paints its pages through the loop; closed once it has.
    m_log = Log();
    OnModal([this](QWidget* w) {
        if (m_log.printedPages.empty())
            return false;
        w->close();
        return true;
    });
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Preview));
    EXPECT_EQ(m_log.printedPages, (std::vector<UINT>{1, 2, 3}));
    EXPECT_EQ(m_log.previewFlags, (std::vector<BOOL>{TRUE, TRUE, TRUE}));
    EXPECT_EQ(m_log.begins, m_log.ends);
    EXPECT_EQ(m_log.beginCaps, m_log.printCaps);
    ExpectPaper(m_log.printCaps, 420, 297);
}

TEST_F(PrintTest, PrintDialogShowsThePrintersDetailsAndNoEmptyField)
{
    AfxGetPrintSettings().m_strOutputFile = Path("dialog.pdf");
    bool looked = false;
    OnModal([&looked](QWidget* dlg) {
        auto* location = dlg->findChild<QLabel*>(QStringLiteral("location"));
        auto* type = dlg->findChild<QLabel*>(QStringLiteral("type"));
        auto* printers = dlg->findChild<QComboBox*>(QStringLiteral("printers"));
        if (!location || !type || !printers)
            return false;
        QApplication::processEvents();
        auto caption = [](QLabel* field) {
            auto* grid = qobject_cast<QGridLayout*>(field->parentWidget()->layout());
            int row = 0, col = 0, rows = 0, cols = 0;
            grid->getItemPosition(grid->indexOf(field), &row, &col, &rows, &cols);
            return grid->itemAtPosition(row, 0)->widget();
        };
        // What the dialog knows shows with its caption.
        EXPECT_EQ(location->isVisible(), !location->text().isEmpty());
        EXPECT_EQ(caption(location)->isVisible(), !location->text().isEmpty());
        // A printer the print system tells nothing about: the empty field goes with its
        // caption. (The dialog's own update would fill in the PDF file's details again.)
        for (QWidget* w = printers->parentWidget(); w && w != dlg; w = w->parentWidget())
            QObject::disconnect(printers, nullptr, w, nullptr);
        location->clear();
        type->setText(QStringLiteral("Laser"));
        emit printers->currentIndexChanged(printers->currentIndex());
        EXPECT_FALSE(location->isVisible());
        EXPECT_FALSE(caption(location)->isVisible());
        EXPECT_TRUE(type->isVisible());
        EXPECT_TRUE(caption(type)->isVisible());
        looked = true;
        static_cast<QDialog*>(dlg)->reject();
        return true;
    });
    EXPECT_FALSE(AfxPrintView(m_view, PrintMode::Print));
    EXPECT_TRUE(looked);
}

TEST_F(PrintTest, ThePreviewsOwnPrintDialogIsTidiedAsWell)
{
    bool tidied = false;
    OnModal([&tidied](QWidget* preview) {
        if (!qobject_cast<QPrintPreviewDialog*>(preview))
            return false;
        // As the window's print button makes it: a print dialog that is the window's child.
        QPrinter printer;
        auto* dlg = new QPrintDialog(&printer, preview);
        dlg->ensurePolished();
        QApplication::sendPostedEvents(preview, QEvent::ChildPolished);
        tidied = dlg->property("mvTidied").toBool();
        delete dlg;
        preview->close();
        return true;
    });
    AfxPrintView(m_view, PrintMode::Preview);
    EXPECT_TRUE(tidied);
}

TEST_F(PrintTest, ViewHandlesThePrintCommands)
{
    for (UINT id : {UINT(ID_FILE_PRINT), UINT(ID_FILE_PRINT_DIRECT), UINT(ID_FILE_PRINT_PREVIEW)}) {
        CCmdUI ui(id);
        ui.Enable(FALSE);
        ui.DoUpdate(m_view);
        EXPECT_TRUE(ui.m_bEnabled) << id;
    }
    std::vector<BOOL> previewSeen;
    AfxSetPrintHook([&](CPrintInfo* pInfo) {
        previewSeen.push_back(pInfo->m_bPreview);
        return Path("cmd.pdf");
    });
    ASSERT_TRUE(m_view->ExecuteCommand(ID_FILE_PRINT));
    EXPECT_FALSE(m_log.direct);
    // Direct printing asks the hook too, so tests never reach a real printer.
    ASSERT_TRUE(m_view->ExecuteCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(m_log.direct);
    ASSERT_TRUE(m_view->ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(previewSeen, (std::vector<BOOL>{FALSE, FALSE, TRUE}));
    EXPECT_EQ(m_log.printedPages.size(), 9u);
}

TEST_F(PrintTest, PageSetupSetsThePaperOfLaterJobs)
{
    m_view->m_bSetPaper = false;
    CWinApp app(QStringLiteral("PrintTest"));
    AfxSetPageSetupHook([](CPrintSettings& s) {
        s.m_nPaperSize = DMPAPER_A3;
        s.m_bLandscape = true;
        return TRUE;
    });
    ASSERT_TRUE(app.ExecuteCommand(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(AfxGetPrintSettings().GetPaperSize(), CSize(4200, 2970));
    ASSERT_TRUE(AfxPrintView(m_view, PrintMode::Pdf, Path("setup.pdf")));
    ExpectPaper(m_log.printCaps, 420, 297);

    // Cancelling keeps the settings as they were.
    AfxSetPageSetupHook([](CPrintSettings& s) { s.m_nPaperSize = DMPAPER_A4; return FALSE; });
    EXPECT_FALSE(AfxPageSetup(nullptr));
    EXPECT_EQ(AfxGetPrintSettings().m_nPaperSize, DMPAPER_A3);
}

TEST(PrintSettings, PaperSizesInTenthsOfMillimetres)
{
    CPrintSettings s;
    EXPECT_EQ(s.GetPaperSize(), CSize(2100, 2970));
    s.m_bLandscape = true;
    EXPECT_EQ(s.GetPaperSize(), CSize(2970, 2100));
    CPrintInfo info;
    info.SetPaper(DMPAPER_A3, false);
    EXPECT_EQ(info.GetSettings().GetPaperSize(), CSize(2970, 4200));
    // PDF output needs no printer.
    EXPECT_TRUE(AfxCanPrint());
}
