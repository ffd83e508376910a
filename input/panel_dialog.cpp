#include "input/panel_dialog.h"

CSetupPanelDialog* g_pPanelDlg = nullptr;

PanelDivisionData::PanelDivisionData()
{
    for (int s = 0; s < MAX_SPANS; ++s) {
        for (int e = 0; e < 2; ++e) {
            m_adBaseToG1[s][e] = 2.6;
            m_adGirderSpacing[s][e] = 2.3;
            m_adSkew[s][e] = 1.570796326795;
        }
        m_adBaseRadius[s] = -100.0;
        m_anGirderLineType[s] = 0;
        m_anCrossBeamDir[s] = 0;
        m_anBaseLineType[s] = 0;
    }
}
