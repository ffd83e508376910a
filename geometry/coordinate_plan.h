// A plan entered by coordinates: per span and panel point the base point, the transverse
// line, the girder points, the twelve edge points and the cross section, in model metres.
#pragma once

#include <vector>
#include "geometry/records.h"

struct CCoordinatePoint {
    CDPoint m_ptBase;
    CDPoint m_ptLine1;
    CDPoint m_ptLine2;
    std::vector<CDPoint> m_aptGirder;
    CDPoint m_aptEdge[12];          // index side + 2 kind
    CStationRecord m_aSection;

    bool operator==(const CCoordinatePoint&) const = default;

    // Every value halfway between a and b.
    static CCoordinatePoint Midway(const CCoordinatePoint& a, const CCoordinatePoint& b);
    void Translate(CDPoint d);
};

struct CCoordinateSpan {
    double m_dSpanLength = 0.0;
    std::vector<double> m_adPanelLength;    // n
    std::vector<CCoordinatePoint> m_aPoints; // n + 1; the last equals the first of the next span
    int PanelCount() const { return int(m_aPoints.size()) - 1; }
    bool operator==(const CCoordinateSpan&) const = default;
};

class CCoordinatePlan {
public:
    std::vector<CCoordinateSpan> m_aSpans;
    bool operator==(const CCoordinatePlan&) const = default;

    bool IsEmpty() const { return m_aSpans.empty(); }
    void Clear() { m_aSpans.clear(); }
    int SpanCount() const { return int(m_aSpans.size()); }
    // Same spans, panels and girder points as the layout.
    bool Matches(int nSpans, const int* anPanels, int nGirders) const;
    // Panel points over the bridge, a shared support once.
    int PointCount() const;
    // Every point and section value is a number: a damaged file can hold NaN or infinities.
    bool IsFinite() const;
    void Translate(CDPoint d);

    // Taken over from built span records.
    static CCoordinatePlan FromSpans(const std::vector<CSpanData>& spans);

    // Editing the counts. Raising inserts a point midway between the last two; lowering
    // drops the point before the end support; a new span is the last one moved to start at its end.
    void SetPanelCount(int s, int n);
    void AddSpan();
    void RemoveSpan();
    // Panel and span lengths of span s from its base points.
    void UpdateLengths(int s);
};

class CArchive;

// The coordinate blocks of the design file. Block M holds, per span, the span length, the
// panel lengths and per panel point the base point, the transverse line, the girder points
// and the twelve edge points (left kinds, then right kinds); block N the per-point sections.
// Loading takes its counts from the layout read before; a short file throws the archive's exception.
void SerializeCoordinateSpans(CArchive& ar, CCoordinatePlan& plan, int nSpans, const int* anPanels, int nGirders);
// bCurbRises: the file holds H11 and H12; older files get them from the other heights.
void SerializeCoordinateSections(CArchive& ar, CCoordinatePlan& plan, int bCurbRises);
