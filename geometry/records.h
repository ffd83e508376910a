// Per-span records of the plan geometry: spans, girder lines, stations, panel points and panel division.
// Plain data: the geometry builds them, drawers, the estimate and the reports read them.
#pragma once

#include <vector>
#include "geometry/plan.h"

// A right angle as design files store it.
constexpr double kRightAngle = 1.570796326795;
// Radius that stands for a straight line.
constexpr double kStraightRadius = 100000.0;

// One panel point as the panel division places it.
struct CPanelDivisionRecord {
    double m_dPosition = -1.0;      // distance from the span start along the base line
    CDPoint m_ptIdeal1;             // the transverse line on the ideal G1 offset
    CDPoint m_ptIdeal2;             // and on the ideal last-girder offset
    CDPoint m_ptBase;
};

// One cross-section station, or the section interpolated at a panel point.
struct CStationRecord {
    CDPoint m_ptBase;
    CDPoint m_aptEdge[7][2];        // [kind][side]; kinds 0..5 the deck edges, 6 the outer girders
    double m_dPosition = 0.0;       // from the span start; the span length for the last station
    double m_dStation = 0.0;        // from the bridge start
    int m_nIndex = 0;
    int m_bSupport = 0;
    double m_dSkew = kRightAngle;   // angle of the station line to the base line
    double m_dAngle = kRightAngle;  // absolute direction of the station line, right to left
    double m_dWidth = 0.0;          // W = (G - 1) spacing + B11 + B12
    double m_dEdgeL = 0.0;          // B2 + B3
    double m_dEdgeR = 0.0;          // B5 + B6
    double m_dB1 = 0.0;             // distance to the median after the median rule
    double m_dRoadwayLeft = 0.0;
    double m_dRoadwayRight = 0.0;
    double m_adB[12] = {};          // B1..B12; B11 and B12 include the overhang additions
    double m_adH[12] = {};

    bool operator==(const CStationRecord&) const = default;
};

// Kinds of cross member at a panel point.
enum CrossMemberKind { END_SWAY_BRACING = 0, INTERMEDIATE_SWAY_BRACING = 1, CROSS_BEAM = 2, SUPPORT_SWAY_BRACING = 3 };

// One panel point: its cross member, transverse line, girder points, grillage nodes and
// intersections with the twelve edge lines.
struct CPanelPointRecord {
    int m_nMemberKind = 0;
    int m_bDistributing = 0;
    CDPoint m_ptLine1;              // on G1
    CDPoint m_ptLine2;              // on the last girder
    CDPoint m_ptBase;
    double m_dWidth = -1.0;         // |m_ptLine1 - m_ptLine2|
    double m_dAngle = kRightAngle;  // atan of the transverse line's slope
    double m_dBaseAngle = kRightAngle;  // angle with the base line, pi - skew
    std::vector<int> m_anNodes;     // grillage node per girder; entry 0 is the panel point's number
    std::vector<CDPoint> m_aptGirder;
    CDPoint m_aptEdge[12];          // index side + 2 kind
    int m_nMemberNo = 0;            // first bay of the cross member here, 0 when none
    double m_dInertia = 0.0;        // m4
    CDPoint m_ptSpare;

    void Free()
    {
        m_anNodes.clear();
        m_aptGirder.clear();
    }
};

// One main girder's line within a span.
struct CGirderLineRecord {
    double m_dRadius = kStraightRadius; // signed; straight girders keep the straight radius
    CDPoint m_ptStart;
    CDPoint m_ptEnd;
    CDPoint m_ptCentre;
    double m_adOffset[2] = {};      // offset from the base line at the start and end
    double m_dLength = 0.0;         // arc or chord length
};

// The base line of a span.
struct CBaseLineRecord {
    CDPoint m_ptStart;
    CDPoint m_ptEnd;
    CDPoint m_ptCentre;
};

// One span with what the geometry derives for it.
struct CSpanData {
    int m_nGirders = -1;
    int m_nPanels = -1;
    int m_nFreeSections = -1;
    int m_nChangePoints = -1;
    int m_nBaseLineType = 0;        // as entered: 0 straight, 1 arc
    int m_bCurvedBaseLine = 0;
    int m_bCurvedGirders = 0;
    int m_bArc = 0;                 // girder lines are arcs: deflection spans follow them
    int m_nCrossBeamType = 0;       // square to the base line, start skew, end skew, square to the girders
    double m_dG1Offset[2] = {-1.0, -1.0};
    double m_dGirderSpacing[2] = {-1.0, -1.0};
    double m_dSkew[2] = {-1.0, -1.0};
    double m_dHalfSpread[2] = {};   // half the distance between the outer girders
    double m_dSpanLength = 0.0;
    double m_dRadius = kStraightRadius;
    CBaseLineRecord m_base;
    double m_dStartDir = 0.0;
    double m_dEndDir = 0.0;
    double m_dStartDistance = 0.0;
    std::vector<double> m_pdPanelLength;
    std::vector<CGirderLineRecord> m_aGirderLines;
    std::vector<CPanelDivisionRecord> m_aDivision;
    std::vector<CPanelPointRecord> m_aPanelPoints;
    std::vector<CStationRecord> m_aStations;
    CStationRecord m_aPanelSection[21];
};
