#include "design/girder_design.h"

double CGirderDesign::GetSteelWeightPerLength(int nOption) const
{
    if (!m_bCarriesDeadLoad)
        return 0.0;
    // Before the sections are designed, or when asked to, the assumed weight stands in;
    // the weight of designed sections comes with the section design.
    if (m_nSections == 0 || (nOption == 0 && m_nDeadLoadChoice == 1))
        return m_dAssumedWeight;
    return 0.0;
}
