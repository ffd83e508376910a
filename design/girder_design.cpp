#include "design/girder_design.h"
#include "app/doc.h"

double CGirderDesign::GetSteelWeightPerLength(int nOption) const
{
    if (!g_pDoc || (g_nBridgeType == 2 && m_nGirder != 0))
        return 0.0;
    const CSetupSteelWeightDialog& sw = g_pDoc->m_dlgSteelWeight;
    // Before the sections are designed, or when asked to, the assumed weight stands in;
    // the weight of designed sections comes with the section design.
    if (m_nSections == 0 || (nOption == 0 && sw.m_nDeadLoadChoice == 1)) {
        const double assumed = sw.m_adSteelWeight[m_nGirder < MAX_GIRDERS ? m_nGirder : 0];
        return g_bSIUnits == 1 ? assumed / 9.80665 : assumed;
    }
    return 0.0;
}
