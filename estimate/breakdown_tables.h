// The mass breakdown (table 1) and the labour elements (table 3) of the estimate window as rows
// of cell texts, from what the estimate run stored; the view only writes them into its grids.
#pragma once

#include <QString>

#include <vector>

#include "estimate/estimate_data.h"
#include "estimate/estimate_input.h"

namespace estimate {

// One row of a table: its kind decides how the view draws it.
struct TableRow {
    enum Kind {
        Blank,
        Captions,   // the column captions again, shown on paper only
        Heading,    // a block's heading, drawn as buttons
        Member,     // a member or plate row
        Total       // a block's total, in the table's bold font
    };
    Kind kind = Blank;
    std::vector<QString> cells;     // one text per column, from the table's first column
    double dMass = 0.0;             // the mass the row shows (t); 0 where it shows none

    const QString& Cell(int i) const;
};

// Table 1, columns -1 to 6 (cells[0] is the row heading). Row 0 of the grid is rows[0].
struct MassBreakdown {
    std::vector<QString> captions;  // the column headings, columns -1 to 6
    std::vector<TableRow> rows;
};
MassBreakdown BuildMassBreakdown(const CEstimateInput& in, const CEstimateData& d, const QString (&grades)[9]);

// Table 3, columns 0 to 4, rows 0 on.
std::vector<TableRow> BuildLabourElements(const CEstimateInput& in, const CEstimateData& d);

} // namespace estimate
