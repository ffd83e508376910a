// Internal: fonts as the screen writes them.
#pragma once

class QFont;

// Writes the font on screen at a pixel size: in AfxScreenFontFace's face where the named face
// does not read that small, and then regular, since bold fills the gaps of a small "m".
void AfxWriteOnScreen(QFont& font, int pixelSize);
