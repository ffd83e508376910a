// The plan geometry as plain calculations: from a snapshot of the input to the span
// records, edge lines, height profiles, grillage numbering and cross members.
// No window and no program-wide state: the document collects the snapshot and stores the results.
#pragma once

#include <array>
#include <vector>
#include "geometry/records.h"
#include "geometry/coordinate_plan.h"

namespace PlanCore {

// A section record between two others: a at 0, b at 1 (plan points, widths and dimensions).
CStationRecord BlendSection(const CStationRecord& a, const CStationRecord& b, double l);

constexpr int kMaxSpans = 14;
constexpr int kMaxPanels = 20;
constexpr int kMaxGirders = 20;
constexpr int kMaxFreeSections = 10;
constexpr int kMaxStations = 155;
constexpr int kMaxPanelPoints = 281;
constexpr int kMaxHeightPoints = 155;
constexpr double kConsistencyLimit = 0.3;
// Points within this of their chord are a straight line (m).
constexpr double kStraightTolerance = 1e-3;
// A fitted circle may miss the points by this share of their largest chord deviation.
constexpr double kCircleTolerance = 0.1;

// What the cross members are made of, from the member sub-dialogs (m, m2).
struct CMemberSectionInput {
    double dEndDepth = 1.44, dMidDepth = 1.44, dPierDepth = 1.44, dCrossBeamDepth = 1.44;
    double dEndUpperArea = 0.0, dEndLowerArea = 0.0, dMidChordArea = 0.0, dPierChordArea = 0.0;
    double dFlangeThickness = 0.010, dFlangeWidth = 0.220, dWebThickness = 0.009;
};

// A snapshot of everything the plan is derived from. The defaults are those of the
// input windows, so a snapshot without a window reads as that window's defaults.
struct CPlanInput {
    CPlanInput();

    int nSpans = 0;
    int nGirders = 4;
    int nBridgeType = 0;            // 0 plate, 1 box, 2 single box (three lines)
    double adSpanLength[kMaxSpans];
    int anPanelCount[kMaxSpans];
    double adPanelLength[kMaxSpans][kMaxPanels];
    int anFreeSections[kMaxSpans];

    // Panel division.
    double adBaseToG1[kMaxSpans][2];
    double adGirderSpacing[kMaxSpans][2];
    double adSkew[kMaxSpans][2];
    double adBaseRadius[kMaxSpans];
    int anBaseLineType[kMaxSpans];
    int anGirderLineType[kMaxSpans];
    int anCrossBeamDir[kMaxSpans];

    // Cross sections per station (entry = station index); short arrays take defaults.
    std::vector<double> arrD, arrTheta;
    std::vector<double> arrB[12], arrH[12];
    int nSectionInterpolation = 0;  // 0 straight, 1 spline

    // Girder heights.
    int bHeightWindow = 0;
    std::vector<double> adPointPos;                                  // per definition point
    std::vector<std::array<double, kMaxGirders>> adPointHeight;     // [point][girder]
    int anPointCount[kMaxSpans] = {};
    int nHeightInterpolation = 1;
    int nHeightVariation = 1;       // 0 varies, 1 constant
    double adGirderHeight[kMaxGirders];

    // Cross-beam arrangement; without a window the default arrangement stands.
    int bCrossBeamWindow = 0;
    int anMemberKind[kMaxPanelPoints] = {};
    int abDistributing[kMaxPanelPoints] = {};
    CMemberSectionInput members;

    CDPoint ptBaseOrigin;

    double B(int i, int station) const;
    double H(int i, int station) const;
    double D(int station, double fallback) const;
    double Theta(int station) const;
};

// A span length as the geometry uses it: one that is not a positive number (a damaged file)
// becomes 1 mm, so that nothing derived from it turns into NaN.
double CleanSpanLength(double L);
// Clamps the counts into their arrays; false when anything had to change.
bool ClampLayout(CPlanInput& in);
int CountPanelPoints(const CPlanInput& in);
// Stations over the bridge; anSupportStation[s] is the first station of span s (S + 1 entries).
int CountStations(const CPlanInput& in, int* anSupportStation);

// Base-line geometry of one span record.
class CSpanFrame {
public:
    explicit CSpanFrame(const CSpanData& span);
    CDPoint BasePoint(double t) const;
    double Tangent(double t) const;
    CDPoint OffsetPoint(double F, double o) const;
    void BaseFoot(CDPoint q, double* F, double* o) const;
    // The point at perpendicular offset o on the line through P(t) at skew psi.
    CDPoint StationPoint(double t, double psi, double o, bool* ok = nullptr) const;
    CDPoint LineDirection(double t, double psi) const;
private:
    bool m_bCurved;
    CDPoint m_ptStart, m_ptCentre;
    double m_dDir, m_dRadius, m_dLength, m_dAlpha0;
};

// Span records from the input (base line, panel points, girder lines, checks).
// `ok` is cleared when the input does not fit together.
void BuildSpanRecords(const CPlanInput& in, std::vector<CSpanData>& spans, int& ok);
// Overlays a matching coordinate plan on the span records; a plan holding values that are
// not numbers is refused (`ok` cleared, the records left as they were).
void ApplyCoordinatePlan(const CPlanInput& in, const CCoordinatePlan& plan, std::vector<CSpanData>& spans, int& ok);
// A base line through the points: 0 for a straight line (centre (0, 0)), else its signed radius.
// `definite` is false when the points bend but no circle fits them: a polyline of straight panels.
double FitBaseLine(const CDPoint* pts, int n, CDPoint* centre, bool* definite = nullptr);

// Stations and per-panel-point sections. `coordinate` marks spans taken from a coordinate plan.
// The overhang additions go to addL/addR by station index (kMaxStations entries); `ok` is
// cleared where a girder stands outside the deck.
void BuildCrossSectionRecords(const CPlanInput& in, std::vector<CSpanData>& spans, const int* anSupportStation,
                              bool coordinate, double* addL, double* addR, int& ok);

// The twelve deck edge lines; 0 when they could not be built as asked (they still exist).
int BuildEdgeLines(const CPlanInput& in, const std::vector<CSpanData>& spans, CPolyline2D* edges);
int BuildEdgeLinesFromCoordinates(const std::vector<CSpanData>& spans, CPolyline2D* edges);
// Transverse lines against the edge lines.
void IntersectEdgeLines(std::vector<CSpanData>& spans, const CPolyline2D* const* edges, int& ok);
// Copies the edge points of the records into their panel sections.
void CopyEdgesToSections(std::vector<CSpanData>& spans);

// Girder height profiles (x local to each span, h) and their length-weighted means.
void BuildGirderProfiles(const CPlanInput& in, std::vector<CPolyline2D>& profiles, int& ok);
double MeanProfileHeight(const CPolyline2D& profile, const double* adSpanLength, int nSpans);
// Change points re-placed inside their spans where they no longer fit.
void PlaceHeightChangePoints(int nSpans, const double* adSpanLength, const int* anCount, double* adPos, int nPos);

struct CGrillageCounts {
    int nNodes = 0, nSupports = 0, nGirderMembers = 0, nCrossMembers = 0;
};
CGrillageCounts CountGrillageNodes(std::vector<CSpanData>& spans, int nBridgeType, int nGirders);

// Recomputes the transverse lines from the girder points; true when an angle is abnormal.
bool UpdateCrossBeams(std::vector<CSpanData>& spans, int nBridgeType, bool coordinate);

// The arrangement that the cross-beam window starts from.
void DefaultArrangement(int nBridgeType, int nSpans, const int* anPanels, int* anKind, int* abDistributing);
void ApplyCrossBeamLayout(std::vector<CSpanData>& spans, const int* anKind, const int* abDistributing, int nBridgeType);
void CalcCrossMemberSections(std::vector<CSpanData>& spans, const CMemberSectionInput& m, int nBridgeType);
// Moment of inertia of a sway bracing truss and of a cross beam's I section.
double TrussInertia(double areaUpper, double areaLower, double h);
double CrossBeamInertia(double h, double tf, double bf, double tw);

// Flange ribs per panel over the bridge: trunc(panel length / 1.99).
void RibsPerPanel(const std::vector<CSpanData>& spans, int* anRibs, int nSize);

// Allowable deflection of girder j in span i: along the arc when the span's girders are arcs.
double AllowableDeflection(const std::vector<CSpanData>& spans, int i, int j);

}
