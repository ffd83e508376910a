// Per-span records of the plan geometry: spans, stations, panel points and panel division.
#pragma once

#include <vector>
#include "geometry/plan.h"

// One panel point as the panel division dialog sets it.
struct CPanelDivisionRecord {
    double m_dPosition = -1.0;
    CDPoint m_ptStart;
    CDPoint m_ptEnd;
    CDPoint m_ptPoint;
};

// One cross-section station.
struct CStationRecord {
    CDPoint m_ptBase;
    CDPoint m_aptLeft[7];
    CDPoint m_aptRight[7];
    double m_dValue1 = 0.0;
    double m_dValue2 = 0.0;
    int m_nValue1 = 0;
    int m_nValue2 = 0;
    double m_dSkewAngle = 1.570796326795;   // a right angle, as stored in design files
    double m_dTotalWidth = 0.0;
    double m_dWidthFromLeft = 0.0;
    double m_dWidthFromRight = 0.0;
    double m_dDistanceToMedian = 0.0;
};

// Kinds of cross member at a panel point.
enum CrossMemberKind { END_SWAY_BRACING = 0, INTERMEDIATE_SWAY_BRACING = 1, CROSS_BEAM = 2, SUPPORT_SWAY_BRACING = 3 };

// One panel point: its cross member, transverse line and intersections with the twelve edge lines.
struct CPanelPointRecord {
    int m_nCrossMemberType = 0;
    CDPoint m_ptLineStart;
    CDPoint m_ptLineEnd;
    CDPoint m_ptPoint;
    double m_dValue = -1.0;
    std::vector<double>* m_pBuffer = nullptr;
    CPolyline2D* m_pPolyline = nullptr;
    CDPoint m_aptEdge[12];
    CDPoint m_ptClose;
    int m_nDistribution = 0;

    CPanelPointRecord() = default;
    CPanelPointRecord(const CPanelPointRecord&) = delete;
    CPanelPointRecord& operator=(const CPanelPointRecord&) = delete;
    ~CPanelPointRecord() { Free(); }
    void Free()
    {
        delete m_pBuffer;
        m_pBuffer = nullptr;
        delete m_pPolyline;
        m_pPolyline = nullptr;
    }
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
    int m_nHeightChangePoints = -1;
    int m_nBaseLineType = 0;
    int m_nGirderLineType = 0;      // 0 straight, 1 arc
    int m_nArc = 0;
    int m_nCrossBeamDirection = 0;
    double m_dG1DistanceStart = -1.0;
    double m_dG1DistanceEnd = -1.0;
    double m_dPair2Start = -1.0;
    double m_dPair2End = -1.0;
    double m_dPair3Start = -1.0;
    double m_dPair3End = -1.0;
    CBaseLineRecord m_baseLine;
    CPanelDivisionRecord* m_pPanelDivision = nullptr;
    CPanelPointRecord* m_pPanelPoints = nullptr;
    double* m_pPanelLengths = nullptr;
    CStationRecord* m_pStations = nullptr;
    CStationRecord m_aTransverse[21];
};
