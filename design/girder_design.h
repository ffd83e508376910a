// Design object of one main girder.
#pragma once

class CGirderDesign {
public:
    // Steel weight per metre of this girder for the grillage dead load (tf/m).
    double GetSteelWeightPerLength(int nOption) const;

    int m_nGirder = 0;          // 0-based main girder number
    int m_nSections = 0;
    double m_dLength = 0.0;     // m, the sum of its span lengths

    // What the dead load needs of the input before the sections are designed; the
    // document sets it when it makes the design objects.
    int m_bCarriesDeadLoad = 1;     // 0 for the inner lines of a single box
    int m_nDeadLoadChoice = 2;
    double m_dAssumedWeight = 0.0;  // tf/m
};
