// The pages of the input check window besides the input report: the panel table, the design
// conditions and the assumed and actual section areas, worked out from the design.
#pragma once

#include <QString>
#include <vector>

#include "design/result_table.h"

class CMarivoltenDoc;

namespace inputcheck {

// One pair of columns per span: the framework offsets, spacings and skews at both ends, then
// the base line, girder and cross-beam types, the panel lengths and the span length.
results::Table PanelTable(const CMarivoltenDoc& doc);

// The design conditions as text on rows of the page, at their columns.
struct PageText {
    int row;
    int col;
    QString text;
};
std::vector<PageText> DesignConditions(const CMarivoltenDoc& doc, const QString& strPath);

// Per main girder the assumed and the actual section area (m2) and their ratio; "－" where
// there are no valid results or no area.
results::Table SectionAreas(const CMarivoltenDoc& doc);

}
