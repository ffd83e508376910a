// The member-by-member figures behind the steel quantities, kept by the estimate run so that
// the mass breakdown shows the very numbers its totals were summed from. Masses in t, without
// any extra coefficient or girder-end share; lengths in m, areas in m2.
#pragma once

#include <vector>

struct CQuantityDetail {
    bool operator==(const CQuantityDetail&) const = default;

    // Plate masses of the main girders counted (flanges and webs), and of their flange ribs.
    double m_dGirderPlateMass = 0.0, m_dRibPlateMass = 0.0;

    // One cross beam or cross frame, in panel-point order (a point shared by two spans once).
    struct CrossMember {
        bool operator==(const CrossMember&) const = default;
        int nKind = 0;                  // as the panel point's member kind
        int nMemberNo = 0;
        double dBay = 0.0;              // length of one bay between girders
        double dFlangeArea = 0.0, dWebArea = 0.0;   // cross beams: one flange, the web
        double dFlangeMass = 0.0, dWebMass = 0.0;   // cross beams: both flanges, the web
        double dMass = 0.0;             // the whole member
    };
    std::vector<CrossMember> m_aCrossMembers;

    // Lateral bracing as counted: summed member lengths and member counts.
    double m_dOuterLateralLength = 0.0, m_dInnerLateralLength = 0.0;
    int m_nOuterLateralCount = 0, m_nInnerLateralCount = 0;

    // One side's brackets: all the brackets of that side together.
    struct Bracket {
        bool operator==(const Bracket&) const = default;
        double dFlangeArea = 0.0, dWebArea = 0.0;
        double dLength = 0.0, dLowerLength = 0.0;   // upper flange and web; the inclined lower flange
        int nCount = 0;
        double dUpperMass = 0.0, dWebMass = 0.0, dLowerMass = 0.0;
    };
    Bracket m_leftBracket, m_rightBracket;

    // Stringers of one kind: their total length and, per flange and web, area and mass.
    struct Stringer {
        bool operator==(const Stringer&) const = default;
        double dFlangeArea = 0.0, dWebArea = 0.0;
        double dLength = 0.0;
        double dFlangeMass = 0.0, dWebMass = 0.0;   // one flange, the web; all stringers of the kind
    };
    Stringer m_edgeStringer, m_stringer;

    // Railing lines (both sides) and expansion joints (both ends), m.
    double m_dRailingLength = 0.0, m_dJointLength = 0.0;
};
