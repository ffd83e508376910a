#include "design/girder_design.h"

#include <algorithm>

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

std::vector<double> CGirderDesign::BlockLengths() const
{
    std::vector<double> blocks;
    const size_t n = std::min(m_pSections.size(), size_t(m_nSections > 0 ? m_nSections : 0));
    for (size_t s = 0; s < n; ++s) {
        const CSectionRecord& section = m_pSections[s];
        if (blocks.empty() || section.m_nJoinPrev != 1)
            blocks.push_back(0.0);
        blocks.back() += section.m_dLength;
    }
    return blocks;
}

void CGirderDesign::UpdateMaxFlangeWidths()
{
    m_dMaxBUpper = m_dMaxBLower = 0.0;
    for (const CSectionRecord& section : m_pSections) {
        m_dMaxBUpper = std::max(m_dMaxBUpper, section.m_dBUpper);
        m_dMaxBLower = std::max(m_dMaxBLower, section.m_dBLower);
    }
}
