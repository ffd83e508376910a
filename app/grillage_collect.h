// The grillage input file's data, taken from the live document.
#pragma once

#include <string>

#include "analysis/grillage_input.h"

class CMarivoltenDoc;

// Everything GRIN.DAT needs but the girder members' A, I, J, which the caller sets for its
// pass (they come from the section design); the steel weight is the assumed one, which a
// later pass replaces by its dead-load choice.
CGrillageInput CollectGrillageInput(const CMarivoltenDoc& doc, int nPass, const std::string& stamp);
