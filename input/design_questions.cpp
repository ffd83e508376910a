#include "input/design_questions.h"
#include "app/doc.h"
#include "app/globals.h"
#include "framework/msgbox.h"
#include "input/main_girder_dialog.h"

const char* const kResultsQuestion = "格子計算、断面計算の結果が無効になります。\nよろしいですか。";

bool DiscardResults()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || doc->m_bGrillageNotRun != 0)
        return true;
    if (AfxMessageBox(QString::fromUtf8(kResultsQuestion), MB_OKCANCEL) != IDOK)
        return false;
    doc->InvalidateResults();
    return true;
}

bool ConfirmFramingChange(bool bFramingChanged, const char* jointsQuestion, bool bResultsAffected)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return true;
    // Ask first; only when the answer is yes does anything change.
    CSetupMainGirderDialog& girder = doc->m_dlgMainGirder;
    const bool handSetJoints = girder.m_nBlockLengthMode == 1;
    const bool jointsLost = handSetJoints && bFramingChanged;
    const bool resultsLost = doc->m_bGrillageNotRun == 0 && bResultsAffected;
    const char* question = jointsLost ? jointsQuestion : resultsLost ? kResultsQuestion : nullptr;
    if (question && AfxMessageBox(QString::fromUtf8(question), MB_OKCANCEL) != IDOK)
        return false;
    if (jointsLost)
        girder.m_nBlockLengthMode = 0;
    if (jointsLost || !handSetJoints)
        girder.m_dlgJointPosition.ResetBlocks();
    if (question)
        doc->InvalidateResults();
    return true;
}
