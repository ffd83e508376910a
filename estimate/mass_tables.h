// The texts of three estimate tables: the mass summary (table 0), the area and volume table
// (table 2) and the mass by steel grade (table 6), worked out from the estimate's results and
// the estimate input. The view only writes them into its grids and styles the cells.
#pragma once

#include <QString>
#include <vector>

#include "estimate/estimate_data.h"
#include "estimate/estimate_input.h"

namespace estimate {

// The cell texts of a table, row by row.
struct TableText {
    TableText() = default;
    TableText(int nRows, int nCols) : m_nRows(nRows), m_nCols(nCols), m_cells(size_t(nRows * nCols)) {}
    QString& At(int row, int col) { return m_cells[size_t(row * m_nCols + col)]; }
    const QString& At(int row, int col) const { return m_cells[size_t(row * m_nCols + col)]; }
    int m_nRows = 0, m_nCols = 0;
    std::vector<QString> m_cells;
};

// Table 0: 25 rows of 4 columns. Column 0 and row 0 are headings; the secondary heading row is
// one whole heading row; the spacer row before it is taller; the total row is in bold.
struct MassSummaryTable {
    enum : int { ROWS = 25, COLS = 4 };
    TableText m_text{ROWS, COLS};
    int m_nSpacerRow = 0, m_nSecondaryHeadingRow = 0, m_nDrainRow = 0, m_nTotalRow = 0;
    double m_dMainSubtotal = 0.0, m_dSecondarySubtotal = 0.0;
};
MassSummaryTable MassSummary(const CEstimateData& d, const CEstimateInput& s);

// Table 2: 4 columns and 8 rows, 10 with sidewalks. Row 0 and the two block headings are whole
// heading rows; the captions of the roadway, sidewalk, deck and mount rows are centred.
struct AreaVolumeTable {
    enum : int { COLS = 4 };
    TableText m_text;
    int m_nPavingHeadingRow = 0, m_nVolumeHeadingRow = 0;
    std::vector<int> m_anCaptionRows;
    double m_dPaintArea = 0.0;      // m2, as the table works it out
};
AreaVolumeTable AreaVolume(const CEstimateData& d, const CEstimateInput& s);

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
MassByGradeTable MassByGrade(const CEstimateData& d, const CEstimateInput& s, const QString (&grades)[18]);

}
