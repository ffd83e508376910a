#include "input/cross_beam_dialog.h"
#include "app/design_state.h"
#include "framework/msgbox.h"
#include "geometry/plan_core.h"

CSetupCrossBeamDialog* g_pCrossBeamDlg = nullptr;

CrossBeamArrangementData::CrossBeamArrangementData()
{
    // A new design has no spans yet.
    const CDesignLayout fresh;
    PlanCore::DefaultArrangement(fresh.nBridgeType, fresh.nSpans, fresh.anPanelCount, m_anMemberKind, m_abDistributing);
}

void CSetupCrossBeamDialog::InitArrangement(int bAll)
{
    if (bAll == 1 && m_bResetArrangement == 0) {
        AfxMessageBox(QStringLiteral("横桁配置を初期化します。\n＜横桁配置＞入力で横桁配置、分配/非分配を再設定して下さい。"));
        m_bResetArrangement = 1;
    }
    PlanCore::DefaultArrangement(g_nBridgeType, g_nSpans, g_anPanelCount, m_anMemberKind, m_abDistributing);
}
