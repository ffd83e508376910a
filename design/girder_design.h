// Design object of one main girder.
#pragma once

class CGirderDesign {
public:
    int m_nSections = 0;
    double m_dLength = 0.0;     // m, the sum of its span lengths
};
