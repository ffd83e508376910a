// Discarding the grillage and section results when the input changes.
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/app.h"
#include "res/resource_ids.h"

#include <algorithm>

void CMarivoltenDoc::InvalidateResults()
{
    m_bGrillageNotRun = 1;
    g_bResultsValid = 0;
    if (g_pMainFrame)
        g_pMainFrame->BringPlanViewForward();
    SaveSectionLayout();
    delete[] m_pGirders;
    m_pGirders = nullptr;
    m_bForceVScaleChosen = 0;
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 0);
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, 0);
    }
    // The section table drops its edits with the results it showed.
    UpdateAllViews(nullptr, HINT_RESULTS_DISCARDED);
}

int CMarivoltenDoc::SaveSectionLayout()
{
    if (m_aSpans.empty() || !m_pGirders)
        return 0;
    // The next first run compares the spans' line types with these before it reuses anything.
    const int spans = std::clamp(g_nSpans, 0, int(m_aSpans.size()));
    delete[] m_pnLayoutSpanLineType;
    m_pnLayoutSpanLineType = new int[size_t(std::max(spans, 1))]();
    for (int s = 0; s < spans; ++s)
        m_pnLayoutSpanLineType[s] = m_aSpans[size_t(s)].m_bCurvedGirders;

    m_nLayoutHeightVariation = m_dlgBasic.m_nHeightVariation;
    const int girders = std::clamp(g_nGirders, 0, MAX_GIRDERS);
    delete[] m_pnLayoutSectionCount;
    m_pnLayoutSectionCount = new int[size_t(std::max(girders, 1))]();
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        for (double*& p : m_apLayoutF64[g]) {
            delete[] p;
            p = nullptr;
        }
        for (int*& p : m_apLayoutI32[g]) {
            delete[] p;
            p = nullptr;
        }
    }
    for (int g = 0; g < girders; ++g) {
        const std::vector<CSectionRecord>& sections = m_pGirders[g].m_pSections;
        const size_t n = sections.size();
        m_pnLayoutSectionCount[g] = int(n);
        for (double*& p : m_apLayoutF64[g])
            p = new double[std::max<size_t>(n, 1)]();
        for (int*& p : m_apLayoutI32[g])
            p = new int[std::max<size_t>(n, 1)]();
        for (size_t s = 0; s < n; ++s) {
            const CSectionRecord& r = sections[s];
            m_apLayoutF64[g][0][s] = r.m_dLength;
            m_apLayoutF64[g][1][s] = r.m_dBUpper;
            m_apLayoutF64[g][2][s] = r.m_dBLower;
            m_apLayoutF64[g][3][s] = r.m_dTWeb;
            m_apLayoutI32[g][0][s] = r.m_nJoinPrev;
            m_apLayoutI32[g][1][s] = r.m_nJoinNext;
            m_apLayoutI32[g][2][s] = r.m_anJointKind[0];
            m_apLayoutI32[g][3][s] = r.m_anJointKind[1];
            m_apLayoutI32[g][4][s] = r.m_bEdited;
        }
    }
    m_nLayoutGirders = girders;
    m_nLayoutSpans = spans;
    m_dlgMainGirder.m_dlgJointPosition.ComputeBlockLengths();
    return 1;
}
