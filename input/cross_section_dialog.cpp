#include "input/cross_section_dialog.h"
#include "app/design_state.h"

#include <algorithm>

CSetupCrossSectionDialog* g_pCrossSectionDlg = nullptr;

namespace {
const double kDefaultB[12] = {4.5, 0.4, 1.0, 0.5, 1.0, 0.4, 0.2, 0.2, 0.2, 0.2, 1.05, 1.05};
// The curb rises start at 0; the defaults of a new design derive them from the other heights.
const double kDefaultH[12] = {0.25, 0.03, 0.26, 0.08, 0.21, 0.2, 0.08, 0.25, 0.03, 0.26, 0.0, 0.0};
}

CrossSectionData::CrossSectionData()
    : m_arrTheta(STATIONS, 1.570796326795), m_arrOverhangAddL(STATIONS, 0.0), m_arrOverhangAddR(STATIONS, 0.0)
{
    for (int i = 1; i <= 12; ++i) {
        B(i).assign(STATIONS, kDefaultB[i - 1]);
        H(i).assign(STATIONS, kDefaultH[i - 1]);
    }
    const CDesignLayout fresh;
    SeedStationPositions(fresh.adSpanLength, fresh.anFreeSections);
}

std::vector<double>& CrossSectionData::B(int i)
{
    std::vector<double>* b[12] = {&m_arrB1, &m_arrB2, &m_arrB3, &m_arrB4, &m_arrB5, &m_arrB6,
                                  &m_arrB7, &m_arrB8, &m_arrB9, &m_arrB10, &m_arrB11, &m_arrB12};
    return *b[std::clamp(i, 1, 12) - 1];
}

std::vector<double>& CrossSectionData::H(int i)
{
    std::vector<double>* h[12] = {&m_arrH1, &m_arrH2, &m_arrH3, &m_arrH4, &m_arrH5, &m_arrH6,
                                  &m_arrH7, &m_arrH8, &m_arrH9, &m_arrH10, &m_arrH11, &m_arrH12};
    return *h[std::clamp(i, 1, 12) - 1];
}

void CrossSectionData::SeedStationPositions(const double* adSpanLength, const int* anFreeSections)
{
    // Every support at 0, the free sections dividing their spans equally.
    m_arrD.clear();
    for (int i = 0; i < MAX_SPANS; ++i)
        for (int k = 0; k <= anFreeSections[i]; ++k)
            m_arrD.push_back(adSpanLength[i] / (anFreeSections[i] + 1) * k);
    m_arrD.push_back(0.0);
}
