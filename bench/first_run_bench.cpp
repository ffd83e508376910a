// Times the program's first grillage run (both passes and the section design) on the
// largest design: 14 spans of 20 panels and 20 girders, in an offscreen application.
// Usage: first_run_bench [solver folder]
#include "largest_design.h"

#include <QApplication>
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
    std::printf("first run: %.2f s, %s, %d sections designed, %u threads on this machine\n", seconds,
                ok ? "done" : "failed", sections, std::thread::hardware_concurrency());
    if (!ok)
        std::printf("messages: %s\n", shown.join(QLatin1Char('|')).toLocal8Bit().constData());
    bench::Finish();
    return ok ? 0 : 2;
}
