// Times the program's first grillage run (both passes and the section design) on the
// largest design: 14 spans of 20 panels and 20 girders, in an offscreen application.
// Usage: first_run_bench [solver folder]; MARIVOLTEN_THREADS=1 designs on one thread.
// Prints the split of the run: the solver programs' time against the program's own work.
#include "app/design_file.h"
#include "app/design_state.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "app/marivolten.h"
#include "framework/archive.h"
#include "framework/cmdids.h"
#include "framework/msgbox.h"
#include "framework/parallel.h"
#include "res/resource_ids.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// 14 spans of 40 m, each in 20 panels of 2 m, under 20 plate girders.
CDesignState LargestDesign()
{
    CDesignState s = CDesignState::NewDesign(1);
    s.layout.nSpans = s.basic.m_nSpans = MAX_SPANS;
    s.layout.nGirders = s.basic.m_nGirders = MAX_GIRDERS;
    for (int k = 0; k < MAX_SPANS; ++k) {
        s.layout.adSpanLength[k] = 40.0;
        s.layout.anPanelCount[k] = MAX_PANELS;
        for (double& p : s.layout.adPanelLength[k])
            p = 2.0;
    }
    s.layout.nCrossSections = 1;
    for (int k = 0; k < MAX_SPANS; ++k)
        s.layout.nCrossSections += s.layout.anFreeSections[k] + 1;
    s.crossSection.SetDefaults(s.layout.adSpanLength, s.layout.anFreeSections);
    return s;
}

}

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The user's profile stays untouched.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", config.path().toLocal8Bit().constData(), 1);
    qputenv("MARIVOLTEN_SOLVER_DIR", argc > 1 ? QByteArray(argv[1]) : QByteArray(SOLVER_BIN_DIR));
    QApplication qapp(argc, argv);

    QStringList shown;
    AfxSetMessageBoxHandler([&](const QString& text, UINT) {
        shown << text;
        return int(IDOK);
    });
    theApp.SetCommandLine({QStringLiteral("/Automation")});
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "the application did not start\n");
        return 1;
    }
    g_pMainFrame->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr);

    ApplyDesign(LargestDesign());
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Layout);
    std::printf("design: %d spans, %d girders, %d panel points, %d grillage nodes, %s\n", g_nSpans, g_nGirders,
                g_nPanelPoints, g_pDoc->m_nNodeCount,
                g_pDoc->m_bGeometryConsistent ? "consistent" : "inconsistent");
    if (!shown.isEmpty())
        std::printf("messages while entering: %s\n", shown.join(QLatin1Char('|')).toLocal8Bit().constData());
    shown.clear();

    const auto start = std::chrono::steady_clock::now();
    g_pMainFrame->OnCmdMsg(ID_CALC_GRILLAGE, CN_COMMAND, nullptr);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    int sections = 0;
    for (int g = 0; g_pDoc->m_pGirders && g < g_nGirders; ++g)
        sections += g_pDoc->m_pGirders[g].m_nSections;
    const bool ok = g_pDoc->m_bGrillageNotRun == 0 && shown == QStringList{QStringLiteral("計算終了!")};
    std::printf("first run: %.2f s, %s, %d sections designed on %d threads (%u on this machine)\n", seconds,
                ok ? "done" : "failed", sections, AfxGetWorkerThreads(), std::thread::hardware_concurrency());
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

    AfxSetMessageBoxHandler([](const QString&, UINT) { return int(IDNO); });
    g_pDoc->SetModifiedFlag(FALSE);
    return ok ? 0 : 2;
}
