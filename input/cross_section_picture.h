// The picture of the cross-section window: a sketch of the deck with its B and H dimensions.
#pragma once

#include "framework/dc.h"

struct CrossSectionPicture {
    int nSidewalk = 3;          // 0 none, 1 left, 2 right, 3 both
    int nBridgeType = 0;        // 0 plate girders, 1 box girders, 2 single box
    int nGirders = 4;
    int nHighlightRow = -1;     // table row whose dimension is marked (2..25 for B1..H12)
};

// Draws the sketch scaled into rect, not to the scale of the values: it says which
// dimension is which. The dimensions of sidewalks the arrangement leaves out are not drawn.
void DrawCrossSectionPicture(CDC* pDC, const CRect& rect, const CrossSectionPicture& what);
