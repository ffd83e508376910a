// The largest design the program takes (14 spans of 20 panels under 20 girders) in an
// offscreen application with a scratch profile, for the benchmarks that run it.
#pragma once

#include "app/design_state.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "app/marivolten.h"
#include "framework/cmdids.h"
#include "framework/msgbox.h"
#include "res/resource_ids.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace bench {

// 14 spans of 40 m, each in 20 panels of 2 m, under 20 plate girders.
inline CDesignState LargestDesign()
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

// Before the application object: offscreen, the user's profile untouched, the solver
// programs of the given folder.
inline void PrepareEnvironment(const QTemporaryDir& config, const QByteArray& solverDir)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", config.path().toLocal8Bit().constData(), 1);
    qputenv("MARIVOLTEN_SOLVER_DIR", solverDir);
}

// Starts the program with every message answered OK and collected in `shown`, and enters
// the largest design; false when the program did not start.
inline bool StartWithLargestDesign(QStringList& shown)
{
    AfxSetMessageBoxHandler([&shown](const QString& text, UINT) {
        shown << text;
        return int(IDOK);
    });
    theApp.SetCommandLine({QStringLiteral("-Automation")});
    if (!theApp.InitInstance()) {
        std::fprintf(stderr, "the application did not start\n");
        return false;
    }
    g_pMainFrame->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr);
    ApplyDesign(LargestDesign());
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Layout);
    std::printf("design: %d spans, %d girders, %d panel points, %d grillage nodes, %s\n", g_nSpans, g_nGirders,
                g_nPanelPoints, g_pDoc->m_nNodeCount, g_pDoc->m_bGeometryConsistent ? "consistent" : "inconsistent");
    if (!shown.isEmpty())
        std::printf("messages while entering: %s\n", shown.join(QLatin1Char('|')).toLocal8Bit().constData());
    shown.clear();
    return true;
}

// Leaves without the question to save.
inline void Finish()
{
    AfxSetMessageBoxHandler([](const QString&, UINT) { return int(IDNO); });
    g_pDoc->SetModifiedFlag(FALSE);
}

}
