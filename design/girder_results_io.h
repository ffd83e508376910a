#pragma once
#include "design/girder_design.h"
class CArchive;
struct CResultsFormat {
    int nVersion = 1830;
    int bF2 = 1, bF5 = 1, bF6 = 1, bF9 = 1, bF12 = 1;
    int nSpans = 0, nGirders = 0, nPanelPoints = 0;
    const int* anPanelCount = nullptr;
};
void SerializeGirderResults(CArchive& ar, CGirderDesign& girder, const CResultsFormat& fmt);
