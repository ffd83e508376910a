// Pictures of the secondary members that their sub-dialogs show, with the names of the
// dimensions the dialogs ask for (b, BL, BR, L, B and the plate sizes).
#pragma once

#include "framework/types.h"

class CDC;

enum class MemberPictureKind { EndSway, MidSway, PierSway, CrossBeam, Lateral, LeftBracket, RightBracket, MidStringer, EdgeStringer };

// Draws the member's sketch scaled into rect; it names the parts, it is not to the scale of the values.
void DrawMemberPicture(CDC* pDC, const CRect& rect, MemberPictureKind kind);
