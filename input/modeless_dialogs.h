// The modeless input windows. Their objects hold design input and live from start-up to
// shutdown whether or not their windows exist; the main frame makes the windows.
#pragma once

#include <vector>
#include "input/modeless.h"
#include "app/globals.h"
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

// Girder layout per span: framing lines, spacing, skews and line types.
struct PanelDivisionData {
    PanelDivisionData();
    bool operator==(const PanelDivisionData&) const = default;
    double m_adBaseToG1[MAX_SPANS][2];      // m, framework base line to girder G1 at span start and end
    double m_adGirderSpacing[MAX_SPANS][2]; // m, main girder spacing (single box: half the web spacing)
    double m_adSkew[MAX_SPANS][2];          // rad, at span start and end
    double m_adBaseRadius[MAX_SPANS];       // m, signed
    int m_anGirderLineType[MAX_SPANS];      // 0 straight, 1 arc
    int m_anCrossBeamDir[MAX_SPANS];        // square to the base line, start skew, end skew, square to the girders
    int m_anBaseLineType[MAX_SPANS];        // 0 straight, 1 arc
};

class CSetupPanelDialog : public CModelessInputDialog, public PanelDivisionData {
public:
    CSetupPanelDialog() : CModelessInputDialog(IDD_PANEL) {}
    int m_bLoadPictures = 1;
    int m_nSpan = 0;
};

// Kind of cross member and load distribution at every panel point of the bridge.
struct CrossBeamArrangementData {
    static constexpr int POINTS = 281;
    CrossBeamArrangementData();
    bool operator==(const CrossBeamArrangementData&) const = default;
    int m_anMemberKind[POINTS];     // index into g_szCrossMemberKinds, per panel point of the bridge
    int m_abDistributing[POINTS];
    int m_bResetArrangement = 1;
};

class CSetupCrossBeamDialog : public CModelessInputDialog, public CrossBeamArrangementData {
public:
    CSetupCrossBeamDialog() : CModelessInputDialog(IDD_CROSS_BEAM) {}
    // A new arrangement for the current spans and girder type; with 1 the user is told
    // once when an arrangement of theirs is dropped.
    void InitArrangement(int bAll);
};

class CSetupBlockDialog : public CModelessInputDialog {
public:
    CSetupBlockDialog() : CModelessInputDialog(IDD_BLOCK) {}
};

// Girder heights at the supports and change points.
struct HeightChangeData {
    static constexpr int POINTS = 155;
    HeightChangeData();
    bool operator==(const HeightChangeData&) const = default;
    // Definition points: per span its support then its change points, then the last support.
    double m_adPointPos[POINTS];                 // m from the span's left support
    double m_adPointHeight[POINTS][MAX_GIRDERS]; // m
    int m_anPointCount[MAX_SPANS] = {};          // change points per span
    int m_nPointCols = 2;
    int m_nInterpolation = 1;                    // 0 straight, 1 spline
};

class CSetupHeightDialog : public CModelessInputDialog, public HeightChangeData {
public:
    CSetupHeightDialog() : CModelessInputDialog(IDD_HEIGHT) {}
    // 1 clears every change point, 0 goes back to the defaults; arrives with the height input.
    void Reset(int bClear) {}
};

extern CSetupCrossSectionDialog* g_pCrossSectionDlg;
extern CSetupPanelDialog* g_pPanelDlg;
extern CSetupCrossBeamDialog* g_pCrossBeamDlg;
extern CSetupBlockDialog* g_pBlockDlg;
extern CSetupHeightDialog* g_pHeightDlg;

// Makes the objects behind the global pointers once; their windows come later.
void CreateModelessInputs();
// At shutdown, after their windows are gone.
void DeleteModelessInputs();
