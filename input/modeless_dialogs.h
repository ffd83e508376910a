// The modeless input windows. Their objects hold design input and live from start-up to
// shutdown whether or not their windows exist; the main frame makes the windows.
#pragma once

#include <vector>
#include "input/block_dialog.h"
#include "input/cross_beam_dialog.h"
#include "input/cross_section_dialog.h"
#include "input/height_dialog.h"
#include "input/modeless.h"
#include "input/panel_dialog.h"

// Makes the objects behind the global pointers once; their windows come later.
void CreateModelessInputs();
// At shutdown, after their windows are gone.
void DeleteModelessInputs();

// The skew angles of the spans' ends and the angles of the support stations are one input
// seen from two windows: each copies its own over the other's.
void CopySkewsToSupportStations();
void CopySupportStationAnglesToSkews();
// Station index of every span's first support (S + 1 entries, the last one the bridge's end).
std::vector<int> SupportStations();
