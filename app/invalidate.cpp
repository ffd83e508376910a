// Discarding the grillage and section results when the input changes.
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/calc_view.h"
#include "design/girder_design.h"
#include "framework/app.h"
#include "views/drawing_views.h"

void CMarivoltenDoc::InvalidateResults()
{
    m_bGrillageNotRun = 1;
    g_bResultsValid = 0;
    if (g_pMainFrame) {
        g_pMainFrame->ActivateOrCreateView(AfxGetApp()->GetTemplates().front(), RUNTIME_CLASS(CGridView));
        g_pMainFrame->ResetViewFlags();
    }
    if (g_pCalcView)
        g_pCalcView->m_bNoPendingEdits = 1;
    SaveSectionLayout();
    delete[] m_pGirders;
    m_pGirders = nullptr;
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 0);
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, 0);
    }
}

int CMarivoltenDoc::SaveSectionLayout()
{
    // Only designed girders have a section layout to keep; copying their
    // section records arrives with the section design.
    return 0;
}
