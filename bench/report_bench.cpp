// Prints the whole batch report of the largest design (14 spans of 20 panels, 20 girders,
// every section and station selected) to a PDF file, after one grillage run, and reports
// the pages, pages a second and the growth of the peak memory; a short job of the same
// design first shows how much of that growth belongs to the job rather than its length.
// Usage: report_bench [solver folder]
#include "largest_design.h"

#include "framework/print.h"
#include "print/print_view.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace {

// The peak starts again from the memory in use now (Linux).
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Resident memory of the process, in MB: its peak since the last reset, or now.
double Megabytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            double kb = 0.0;
            status >> kb;
            return kb / 1024.0;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0.0;
}

// One job to a PDF file: pages, seconds and the file's size in MB.
struct Job {
    int pages = 0;
    double seconds = 0.0, megabytes = 0.0;
    bool ok = false;
};

Job Print(CPrintView& view, const QString& pdf)
{
    Job job;
    const auto start = std::chrono::steady_clock::now();
    job.ok = AfxPrintView(&view, PrintMode::Pdf, pdf);
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    job.pages = view.CountPages();
    job.megabytes = QFileInfo(pdf).size() / 1048576.0;
    return job;
}

}

int main(int argc, char** argv)
{
    QTemporaryDir config;
    bench::PrepareEnvironment(config, argc > 1 ? QByteArray(argv[1]) : QByteArray(SOLVER_BIN_DIR));
    QApplication qapp(argc, argv);
    QStringList shown;
    if (!bench::StartWithLargestDesign(shown))
        return 1;
    g_pMainFrame->OnCmdMsg(ID_CALC_GRILLAGE, CN_COMMAND, nullptr);
    if (!g_pDoc->m_pGirders) {
        std::printf("the grillage run failed: %s\n", shown.join(QLatin1Char('|')).toLocal8Bit().constData());
        return 2;
    }
    g_pMainFrame->OnCmdMsg(ID_VIEW_PRINT, CN_COMMAND, nullptr);
    QCoreApplication::processEvents();
    CPrintView* view = g_pPrintView;
    if (!view) {
        std::printf("the print window did not open\n");
        return 2;
    }
    view->UpdateWindow();

    // A short job first: the design conditions alone. Each job's peak is measured over the
    // memory in use when it starts.
    view->m_bPrintDesignConditions = 1;
    const double before = Megabytes("VmRSS:");
    ResetPeak();
    const Job small = Print(*view, config.filePath(QStringLiteral("small.pdf")));
    const double smallPeak = Megabytes("VmHWM:") - before;

    view->OnSelectAll();
    view->m_bShadeHeadings = 1;
    const double beforeWhole = Megabytes("VmRSS:");
    ResetPeak();
    const Job whole = Print(*view, config.filePath(QStringLiteral("report.pdf")));
    const double wholePeak = Megabytes("VmHWM:") - beforeWhole;
    // Kept where asked, to compare the pages of two builds.
    if (const QByteArray keep = qgetenv("REPORT_BENCH_KEEP"); !keep.isEmpty())
        QFile::copy(config.filePath(QStringLiteral("report.pdf")), QString::fromLocal8Bit(keep));

    std::printf("short job: %d page(s) in %.3f s, peak memory +%.2f MB\n", small.pages, small.seconds, smallPeak);
    std::printf("whole report: %d pages in %.2f s, %.0f pages a second, %.1f MB of PDF, %s\n", whole.pages,
                whole.seconds, whole.pages / std::max(whole.seconds, 1e-9), whole.megabytes,
                whole.ok ? "printed" : "failed");
    std::printf("peak memory: %.1f MB in use before, +%.2f MB during the whole report; %u threads\n", beforeWhole,
                wholePeak, std::thread::hardware_concurrency());
    bench::Finish();
    return whole.ok && small.ok ? 0 : 2;
}
