// The tables of the section detail data window for one main girder: the member end forces
// of the grillage run, and per member (a run of joined sections) the assumed and actual
// stiffness and steel weight. Row 0 and column 0 exist but are not shown.
#pragma once

#include "design/result_table.h"

class CGirderDesign;

namespace props {

enum : int { TABLE_FORCES = 0, TABLE_STIFFNESS = 2, TABLE_STEEL_WEIGHT = 3 };

// Whether the object holds the member end forces of a run, one set per member.
bool HasForces(const CGirderDesign& g, int nPanelPoints);
// Whether the sections carry what the grillage run assumed: not so in data of the old
// format, nor in an object without sections.
bool HasAssumedValues(const CGirderDesign& g);
// The table that can be shown for the one chosen, -1 for none.
int ShownTable(int nChosen, const CGirderDesign& g, int nPanelPoints);

// nPanelPoints of the girder line; bBox for the box types; forces in kN and kN·m with bSIUnits.
results::Table Forces(const CGirderDesign& g, int nPanelPoints, bool bBox, bool bSIUnits,
                      const results::RowRange& rows = {});
results::Table Stiffness(const CGirderDesign& g, bool bBox);
results::Table SteelWeight(const CGirderDesign& g, bool bSIUnits);

}
