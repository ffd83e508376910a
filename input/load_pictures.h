// The pictures of the load dialogs: which dead-load item is which, and what H, B, Bin, P and L
// measure at a girder. Sketches, not to the scale of the values.
#pragma once

#include "framework/dc.h"

// The deck with its nine dead-load items D1..D9; nMarked (0..8) is drawn marked, -1 none.
void DrawDeadLoadPicture(CDC* pDC, const CRect& rect, int nMarked);

// What the haunch and attachment picture marks.
enum HaunchMark { HAUNCH_MARK_NONE, HAUNCH_MARK_H, HAUNCH_MARK_B, HAUNCH_MARK_BIN, HAUNCH_MARK_P, HAUNCH_MARK_L };

// A girder with its haunch under the slab and an attached load beside it: a plate girder for
// nBridgeType 0, a box otherwise (the inner width Bin only for box girders, type 1).
void DrawHaunchPicture(CDC* pDC, const CRect& rect, int nBridgeType, HaunchMark marked);
