// Design object of one main girder.
#pragma once

#include <vector>

// One section of a main girder.
class CSectionRecord {
public:
    bool operator==(const CSectionRecord&) const = default;
    double m_dLength = 0.0;     // m
    int m_nJoinPrev = 0;        // 1: in the same block (between field joints) as the section before it
    int m_anJointKind[2] = {};
};

class CGirderDesign {
public:
    bool operator==(const CGirderDesign&) const = default;
    // Steel weight per metre of this girder for the grillage dead load (tf/m).
    double GetSteelWeightPerLength(int nOption) const;
    // Lengths of the girder's blocks (m): its sections grouped between field joints.
    std::vector<double> BlockLengths() const;

    int m_nGirder = 0;          // 0-based main girder number
    int m_nSections = 0;
    std::vector<CSectionRecord> m_pSections;    // the sections along the girder
    double m_dLength = 0.0;     // m, the sum of its span lengths
    std::vector<int> m_pnNodeI;
    int m_anDetailNode[15][21] = {{-1}};

    // What the dead load needs of the input before the sections are designed; the
    // document sets it when it makes the design objects.
    int m_bCarriesDeadLoad = 1;     // 0 for the inner lines of a single box
    int m_nDeadLoadChoice = 2;
    double m_dAssumedWeight = 0.0;  // tf/m
};
