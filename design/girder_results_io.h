// The girders' results and sections in the design file.
#pragma once

#include "design/girder_design.h"

class CArchive;

struct CResultsFormat {
    int nVersion = 1830;   // version word of the file; below 1782 the largest flange widths are absent
    int bF2 = 1, bF5 = 1, bF6 = 1, bF9 = 1, bF12 = 1;   // format flags; with F2 0 the old point table is in the record
    int nSpans = 0, nGirders = 0, nPanelPoints = 0;     // S, G, P of the file
    const int* anPanelCount = nullptr;                  // panel count of each span (S entries)
};

// One girder's record, stored or loaded in the file's order. Loading refuses a record that
// disagrees with the design's counts, holds an unusable length or a real that is not a finite
// number (CArchiveException badSchema) and leaves the girder as it was then; storing refuses
// such a real too; a short stream throws endOfFile.
// Loading does not set the bolt holes, the diagram curves or the largest reactions: they
// are derived from the design input afterwards.
void SerializeGirderResults(CArchive& ar, CGirderDesign& girder, const CResultsFormat& fmt);
