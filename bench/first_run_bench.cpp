// Times the program's first grillage run (both passes and the section design) on the
// largest design: 14 spans of 20 panels and 20 girders, in an offscreen application.
// Usage: first_run_bench [solver folder]; MARIVOLTEN_THREADS=1 designs on one thread.
// Prints the split of the run: the solver programs' time against the program's own work.
#include "largest_design.h"

#include "app/design_file.h"
#include "framework/archive.h"
#include "framework/parallel.h"

#include <QApplication>
#include <QCryptographicHash>
#include <chrono>
#include <thread>

int main(int argc, char** argv)
{
    QTemporaryDir config;
    bench::PrepareEnvironment(config, argc > 1 ? QByteArray(argv[1]) : QByteArray(SOLVER_BIN_DIR));
    QApplication qapp(argc, argv);
    QStringList shown;
    if (!bench::StartWithLargestDesign(shown))
        return 1;

    const auto start = std::chrono::steady_clock::now();
    g_pMainFrame->OnCmdMsg(ID_CALC_GRILLAGE, CN_COMMAND, nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int sections = 0;
    for (int g = 0; g_pDoc->m_pGirders && g < g_nGirders; ++g)
        sections += g_pDoc->m_pGirders[g].m_nSections;
    const bool ok = g_pDoc->m_bGrillageNotRun == 0 && shown == QStringList{QStringLiteral("計算終了!")};
    const int threads = AfxGetWorkerThreads();
    std::printf("first run: %.2f s, %s, %d sections designed on %d thread%s (%u on this machine)\n", seconds,
                ok ? "done" : "failed", sections, threads, threads == 1 ? "" : "s", std::thread::hardware_concurrency());
    if (!ok)
        std::printf("messages: %s\n", shown.join(QLatin1Char('|')).toLocal8Bit().constData());

    // Every stored value of the design, sections and estimate too, in one number: a change
    // meant only to be faster must leave it as it was.
    QByteArray file;
    {
        CArchive ar(&file, CArchive::store);
        WriteDesign(ar, CaptureDesign());
    }
    std::printf("results: %s\n",
                QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex().left(16).constData());

    // The split: the solver programs against the program's own work, each pass and in all.
    const CRunTimes& t = g_pDoc->m_runTimes;
    double parts = t.estimate;
    for (int p = 0; p < 2; ++p) {
        const CRunTimes::Pass& pass = t.passes[p];
        const double own = pass.input + pass.listing + pass.design;
        parts += own;
        std::printf("pass %d: solver programs %.3f s, own work %.3f s (input %.3f, listing %.3f, design %.3f)\n", p + 1,
                    pass.solver, own, pass.input, pass.listing, pass.design);
    }
    const double own = seconds - t.Solver();
    std::printf("estimates: %.3f s, the rest (set-up, views, messages): %.3f s\n", t.estimate, own - parts);
    std::printf("solver programs: %.3f s\n", t.Solver());
    std::printf("own work: %.3f s\n", own);

    bench::Finish();
    return ok ? 0 : 2;
}
