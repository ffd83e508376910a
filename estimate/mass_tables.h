// The texts of three estimate tables: the mass summary (table 0), the area and volume table
// (table 2) and the mass by steel grade (table 6), worked out from the estimate's results and
// the estimate input. The view only writes them into its grids and styles the cells.
#pragma once

#include <QString>
#include <vector>

#include "estimate/estimate_data.h"

namespace estimate {

// The estimate input that these tables read besides the estimate's results.
struct MassTableSettings {
    int m_bSIUnits = 1;
    int m_nBridgeType = 0;              // 0 plate girder, 1 box girders, 2 single box
    std::vector<double> m_adSpanLength; // m, one per span
    double m_dGirderFactor = 1.0, m_dFlangeRibFactor = 1.0, m_dCrossBeamFactor = 1.0, m_dSwayFactor = 1.0,
           m_dLateralFactor = 1.0, m_dBracketFactor = 1.0, m_dEdgeStringerFactor = 1.0, m_dStringerFactor = 1.0;
    double m_dGirderBoltFactor = 0.0, m_dCrossBeamBoltFactor = 0.0;
    double m_dRailingUnitMass = 0.0, m_dExpansionJointUnitMass = 0.0, m_dDrainUnitMass = 0.0;   // t/m, t/m, t
    int m_nDrainCount = 0;
    double m_dGirderEndLength = 0.0;    // m
    int m_bGirderEndMass = 0, m_bSeparateFlangeRib = 0;
    int m_bUseLateral = 0, m_bUseLeftBracket = 0, m_bUseRightBracket = 0, m_bUseEdgeStringer = 0, m_bUseStringer = 0;
    double m_dPaintAreaPerTon = 0.0;    // m2/t
    int m_nSidewalk = 0;                // 0 none, 1 left, 2 right, 3 both
};

// The cell texts of a table, row by row.
struct TableText {
    TableText() = default;
    TableText(int nRows, int nCols) : m_nRows(nRows), m_nCols(nCols), m_cells(size_t(nRows * nCols)) {}
    QString& At(int row, int col) { return m_cells[size_t(row * m_nCols + col)]; }
    const QString& At(int row, int col) const { return m_cells[size_t(row * m_nCols + col)]; }
    int m_nRows = 0, m_nCols = 0;
    std::vector<QString> m_cells;
};

// Length factor of the members that run along the bridge: with the girder ends counted,
// (2 x end length + L) / L over the sum L of the spans; else, or without spans, 1.
double GirderEndLengthFactor(const MassTableSettings& s);

// Table 0: 25 rows of 4 columns. Column 0 and row 0 are headings; the secondary heading row is
// one whole heading row; the spacer row before it is taller; the total row is in bold.
struct MassSummaryTable {
    enum : int { ROWS = 25, COLS = 4 };
    TableText m_text{ROWS, COLS};
    int m_nSpacerRow = 0, m_nSecondaryHeadingRow = 0, m_nDrainRow = 0, m_nTotalRow = 0;
    double m_dMainSubtotal = 0.0, m_dSecondarySubtotal = 0.0;
};
MassSummaryTable MassSummary(const CEstimateData& d, const MassTableSettings& s);

// Table 2: 4 columns and 8 rows, 10 with sidewalks. Row 0 and the two block headings are whole
// heading rows; the captions of the roadway, sidewalk, deck and mount rows are centred.
struct AreaVolumeTable {
    enum : int { COLS = 4 };
    TableText m_text;
    int m_nPavingHeadingRow = 0, m_nVolumeHeadingRow = 0;
    std::vector<int> m_anCaptionRows;
    double m_dPaintArea = 0.0;      // m2, as the table works it out
};
AreaVolumeTable AreaVolume(const CEstimateData& d, const MassTableSettings& s);

// Table 6: 20 rows (heading, the 18 grades, the member totals) and one column per member kind
// that the design uses between the grade names and the grade totals. The masses by code are
// shown as the estimate left them, girder ends included. Totals are sums of the values as
// shown, to three decimals.
struct MassByGradeTable {
    enum : int { ROWS = 20, TOTAL_ROW = 19 };
    TableText m_text;
    int TotalCol() const { return m_text.m_nCols - 1; }
};
// grades: the 18 grade names of the steel material codes 0..17.
MassByGradeTable MassByGrade(const CEstimateData& d, const MassTableSettings& s, const QString (&grades)[18]);

}
