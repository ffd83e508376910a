// The unit system switch (SI or gravitational units) and the A3 paper option.
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/app.h"
#include "framework/msgbox.h"

namespace {
constexpr double kGravity = 9.80665;
}

void CMarivoltenDoc::OnUseSIUnits()
{
    const char* question;
    if (g_bSIUnits == 1)
        question = g_bResultsValid ? "重力単位系モードに設定します。\n格子計算、断面計算の結果が無効になります。\nよろしいですか。"
                                   : "重力単位系モードに設定します。\nよろしいですか。";
    else
        question = g_bResultsValid ? "SI単位系モードにします。\n格子計算、断面計算の結果が無効になります。\nよろしいですか。"
                                   : "SI単位系モードにします。\nよろしいですか。";
    if (AfxMessageBox(QString::fromUtf8(question), MB_OKCANCEL) != IDOK)
        return;
    InvalidateResults();
    if (g_pMainFrame)
        g_pMainFrame->BringPlanViewForward();
    g_bSIUnits = g_bSIUnits == 1 ? 0 : 1;
    ConvertUnits(g_bSIUnits);
    if (g_pMainFrame)
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, 0);
    Rebuild(RebuildReason::Units);
}

void CMarivoltenDoc::ConvertUnits(int bToSI)
{
    // Loads scale by g; the stress margin also moves between kg/cm2 and N/mm2.
    const double f = bToSI == 1 ? kGravity : 1.0 / kGravity;
    CSetupSteelWeightDialog& sw = m_dlgSteelWeight;
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        sw.m_adSteelWeight[g] *= f;
        sw.m_adHaunchWeight[g] *= f;
    }
    for (double& load : sw.m_adAttachLoad)
        load *= f;
    for (double& value : m_dlgDeadLoad.m_adValue)
        value *= f;
    if (bToSI == 1)
        m_dlgMainGirder.m_dBendingMargin = m_dlgMainGirder.m_dBendingMargin * kGravity / 100.0;
    else
        m_dlgMainGirder.m_dBendingMargin = m_dlgMainGirder.m_dBendingMargin / kGravity * 100.0;
}

void CMarivoltenDoc::OnNoA3Paper() { g_bNoA3Paper = g_bNoA3Paper == 1 ? 0 : 1; }
