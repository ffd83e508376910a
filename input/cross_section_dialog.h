// The cross-section dimensions window: widths and heights of the deck at every station.
#pragma once

#include <vector>
#include "app/globals.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

// Cross-section dimensions per station.
struct CrossSectionData {
    static constexpr int STATIONS = 155;
    CrossSectionData();
    bool operator==(const CrossSectionData&) const = default;
    // Stations dividing every span equally by its free sections.
    void SeedStationPositions(const double* adSpanLength, const int* anFreeSections);
    // Per station, m (angles in radians): support 1, the stations of span 1, support 2 ...
    std::vector<double> m_arrD;     // position from the span's left support
    std::vector<double> m_arrTheta;
    std::vector<double> m_arrB1;    // distance to the median
    std::vector<double> m_arrB2, m_arrB3, m_arrB4, m_arrB5, m_arrB6, m_arrB7, m_arrB8, m_arrB9, m_arrB10;
    std::vector<double> m_arrB11, m_arrB12;     // overhangs as typed
    std::vector<double> m_arrOverhangAddL;      // written by the geometry
    std::vector<double> m_arrOverhangAddR;
    std::vector<double> m_arrH1, m_arrH2, m_arrH3, m_arrH4, m_arrH5, m_arrH6, m_arrH7, m_arrH8, m_arrH9, m_arrH10;
    std::vector<double> m_arrH11, m_arrH12;
    int m_nInterpolation = 0;       // between stations: 0 straight, 1 spline
    // B1..B12 and H1..H12 by number from 1.
    std::vector<double>& B(int i);
    std::vector<double>& H(int i);
    const std::vector<double>& B(int i) const { return const_cast<CrossSectionData*>(this)->B(i); }
    const std::vector<double>& H(int i) const { return const_cast<CrossSectionData*>(this)->H(i); }
};

class CSetupCrossSectionDialog : public CModelessInputDialog, public CrossSectionData {
public:
    CSetupCrossSectionDialog() : CModelessInputDialog(IDD_CROSS_SECTION) {}
    // Entries for the median (0 with, 1 without) and for the sidewalks (0 none .. 3 both);
    // their tables arrive with the cross-section input.
    void ResetEntries(int nMedian) {}
    void ResetSidewalkEntries(int nSidewalk) {}
    // Stations of the current spans (from the span globals).
    void SeedStationPositions() { CrossSectionData::SeedStationPositions(g_adSpanLength, g_anFreeSections); }
};

extern CSetupCrossSectionDialog* g_pCrossSectionDlg;
