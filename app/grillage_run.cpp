// The grillage analysis runs of the document. The solver chain is not started
// from here yet: a run fails as it does when the solver programs are missing.
#include "app/doc.h"

namespace {
constexpr int kSolverProgramMissing = 8;
}

int CMarivoltenDoc::RunGrillageCalc()
{
    g_nSolverError = kSolverProgramMissing;
    ReportSolverError();
    return 0;
}

int CMarivoltenDoc::RerunGrillageCalc()
{
    SaveSectionLayout();
    g_nSolverError = kSolverProgramMissing;
    ReportSolverError();
    return 0;
}
