// Plan sketches of the girder framing that the panel division window shows: the base line,
// the girders, the support lines at their skew and the cross beams in the chosen direction.
#pragma once

#include "framework/types.h"

class CDC;

// The pictures' ids, in the order the window keeps them.
inline constexpr int kPanelPictureIds[14] = {131, 132, 133, 154, 155, 156, 134, 182, 153, 157, 1493, 1494, 1495, 1948};

// The picture of a framing: bridge type (2 a single box), main girder line and base line
// (0 straight, 1 arc), cross-beam direction (0 square to the base line, 1 along the start
// support, 2 along the end support, 3 square to the girders).
int PanelPictureId(int nBridgeType, int nGirderLine, int nCrossBeamDir, int nBaseLine);

// Draws the picture into the rectangle in pixels; an unknown id draws nothing.
void DrawPanelPicture(CDC* pDC, const CRect& rect, int nPictureId);
