// The document's geometry operations: each collects a snapshot of the input from the
// globals and the input windows (a missing window stands for its defaults), runs the
// plain calculation and stores what it derives.
#include "app/doc.h"
#include "framework/msgbox.h"
#include "geometry/plan_core.h"
#include "geometry/plan_math.h"
#include "input/modeless_dialogs.h"

#include <algorithm>

using namespace PlanCore;

static_assert(MAX_SPANS == kMaxSpans && MAX_PANELS == kMaxPanels && MAX_GIRDERS == kMaxGirders);
static_assert(CSetupCrossSectionDialog::STATIONS == kMaxStations && CSetupHeightDialog::POINTS == kMaxHeightPoints);
static_assert(CSetupCrossBeamDialog::POINTS == kMaxPanelPoints);

namespace {

double ShapeArea(int shape)
{
    return shape >= 0 && shape < 15 ? g_adShapeUnitMass[shape] / 7.85 : 0.0;
}

CPlanInput CollectPlanInput(const CMarivoltenDoc& doc)
{
    CPlanInput in;
    in.nSpans = g_nSpans;
    in.nGirders = g_nGirders;
    in.nBridgeType = g_nBridgeType;
    for (int s = 0; s < MAX_SPANS; ++s) {
        in.adSpanLength[s] = g_adSpanLength[s];
        in.anPanelCount[s] = g_anPanelCount[s];
        in.anFreeSections[s] = g_anFreeSections[s];
        for (int k = 0; k < MAX_PANELS; ++k)
            in.adPanelLength[s][k] = g_adPanelLength[s][k];
    }
    if (const CSetupPanelDialog* p = g_pPanelDlg) {
        for (int s = 0; s < MAX_SPANS; ++s) {
            for (int e = 0; e < 2; ++e) {
                in.adBaseToG1[s][e] = p->m_adBaseToG1[s][e];
                in.adGirderSpacing[s][e] = p->m_adGirderSpacing[s][e];
                in.adSkew[s][e] = p->m_adSkew[s][e];
            }
            in.adBaseRadius[s] = p->m_adBaseRadius[s];
            in.anBaseLineType[s] = p->m_anBaseLineType[s];
            in.anGirderLineType[s] = p->m_anGirderLineType[s];
            in.anCrossBeamDir[s] = p->m_anCrossBeamDir[s];
        }
    }
    if (CSetupCrossSectionDialog* c = g_pCrossSectionDlg) {
        in.arrD = c->m_arrD;
        in.arrTheta = c->m_arrTheta;
        for (int i = 0; i < 12; ++i) {
            in.arrB[i] = c->B(i + 1);
            in.arrH[i] = c->H(i + 1);
        }
        in.nSectionInterpolation = c->m_nInterpolation;
    }
    if (const CSetupHeightDialog* h = g_pHeightDlg) {
        in.bHeightWindow = 1;
        in.adPointPos.assign(h->m_adPointPos, h->m_adPointPos + CSetupHeightDialog::POINTS);
        in.adPointHeight.resize(size_t(CSetupHeightDialog::POINTS));
        for (int p = 0; p < CSetupHeightDialog::POINTS; ++p)
            std::copy(h->m_adPointHeight[p], h->m_adPointHeight[p] + MAX_GIRDERS, in.adPointHeight[size_t(p)].begin());
        for (int s = 0; s < MAX_SPANS; ++s)
            in.anPointCount[s] = h->m_anPointCount[s];
        in.nHeightInterpolation = h->m_nInterpolation;
    }
    in.nHeightVariation = doc.m_dlgBasic.m_nHeightVariation;
    const double* heights = g_nBridgeType == 0 ? doc.m_dlgPlateGirder.m_adGirderHeight : doc.m_dlgBoxGirder.m_adGirderHeight;
    std::copy(heights, heights + MAX_GIRDERS, in.adGirderHeight);
    if (const CSetupCrossBeamDialog* b = g_pCrossBeamDlg) {
        in.bCrossBeamWindow = 1;
        std::copy(b->m_anMemberKind, b->m_anMemberKind + kMaxPanelPoints, in.anMemberKind);
        std::copy(b->m_abDistributing, b->m_abDistributing + kMaxPanelPoints, in.abDistributing);
    }
    const CSetupMainMemberDialog& m = doc.m_dlgMainMember;
    in.members.dEndDepth = doc.GetEndSwayDepth();
    in.members.dMidDepth = doc.GetMidSwayDepth();
    in.members.dPierDepth = doc.GetPierSwayDepth();
    in.members.dCrossBeamDepth = doc.GetCrossBeamDepth();
    in.members.dEndUpperArea = ShapeArea(m.m_dlgEndSway.m_nUpperChord);
    in.members.dEndLowerArea = ShapeArea(m.m_dlgEndSway.m_nLowerChord);
    // The intermediate and support frames have one section for both chords.
    in.members.dMidChordArea = ShapeArea(m.m_dlgMidSway.m_nUpperChord);
    in.members.dPierChordArea = ShapeArea(m.m_dlgPierSway.m_nUpperChord);
    in.members.dFlangeThickness = m.m_dlgCrossBeamType.m_dFlangeThickness / 1000.0;
    in.members.dFlangeWidth = m.m_dlgCrossBeamType.m_dFlangeWidth / 1000.0;
    in.members.dWebThickness = m.m_dlgCrossBeamType.m_dWebThickness / 1000.0;
    in.ptBaseOrigin = doc.m_ptBaseOrigin;
    return in;
}

// A snapshot whose counts fit the arrays.
CPlanInput ClampedInput(const CMarivoltenDoc& doc)
{
    CPlanInput in = CollectPlanInput(doc);
    ClampLayout(in);
    return in;
}

// What follows the spans' layout: base length, stations, cross members and ribs.
void CompleteSpanRecords(CMarivoltenDoc& doc, const CPlanInput& in)
{
    doc.m_dBaseLength = 0.0;
    for (const CSpanData& sp : doc.m_aSpans)
        doc.m_dBaseLength += sp.m_dSpanLength;
    doc.BuildCrossSectionRecords();

    int kinds[kMaxPanelPoints], distributing[kMaxPanelPoints];
    DefaultArrangement(in.nBridgeType, in.nSpans, in.anPanelCount, kinds, distributing);
    PlanCore::ApplyCrossBeamLayout(doc.m_aSpans, kinds, distributing, in.nBridgeType);
    doc.ApplyCrossBeamLayout();
    doc.CalcCrossMemberSections();

    if (doc.m_dlgRibPanel.m_bResetRibs)
        RibsPerPanel(doc.m_aSpans, doc.m_anRibsPerPanel, 281);
}

// The records were built over a coordinate plan (one that is not all numbers is refused).
bool CoordinateBuilt(const CMarivoltenDoc& doc)
{
    return g_bCoordinatePlan == 1 && !doc.m_aSpans.empty()
        && doc.m_coordPlan.Matches(doc.m_nBuiltSpans, doc.m_anBuiltPanels, g_nGirders) && doc.m_coordPlan.IsFinite();
}

}

void CMarivoltenDoc::RebuildSpans()
{
    CPlanInput in = CollectPlanInput(*this);
    int ok = ClampLayout(in) ? 1 : 0;
    // Only a damaged file gets here with counts out of range; everyone reads them clamped.
    g_nSpans = in.nSpans;
    g_nGirders = in.nGirders;
    g_nBridgeType = in.nBridgeType;
    for (int s = 0; s < in.nSpans; ++s) {
        g_anPanelCount[s] = in.anPanelCount[s];
        g_anFreeSections[s] = in.anFreeSections[s];
    }
    g_nPanelPoints = CountPanelPoints(in);
    g_nCrossSections = CountStations(in, m_anSupportStation);

    FreeGeometry();
    m_nBuiltSpans = in.nSpans;
    for (int s = 0; s < MAX_SPANS; ++s)
        m_anBuiltPanels[s] = s < in.nSpans ? in.anPanelCount[s] : 0;
    m_dBaseLength = 0.0;
    if (in.nSpans == 0) {
        if (!ok)
            m_bGeometryConsistent = 0;
        return;
    }
    int built = 1;
    BuildSpanRecords(in, m_aSpans, built);
    if (CoordinateBuilt(*this)) {
        // The coordinates replace the layout from the span input, checks and all.
        built = 1;
        ApplyCoordinatePlan(in, m_coordPlan, m_aSpans, built);
    } else if (g_bCoordinatePlan == 1 && !m_coordPlan.IsFinite()) {
        built = 0;      // refused: the span input stands in
    }
    CompleteSpanRecords(*this, in);
    if (!ok || !built)
        m_bGeometryConsistent = 0;
}

void CMarivoltenDoc::BuildCrossSectionRecords()
{
    if (m_aSpans.empty())
        return;
    const CPlanInput in = ClampedInput(*this);
    double addL[kMaxStations] = {};
    double addR[kMaxStations] = {};
    int ok = 1;
    PlanCore::BuildCrossSectionRecords(in, m_aSpans, m_anSupportStation, CoordinateBuilt(*this), addL, addR, ok);
    if (!ok)
        m_bGeometryConsistent = 0;
    if (CSetupCrossSectionDialog* c = g_pCrossSectionDlg) {
        c->m_arrOverhangAddL.resize(size_t(kMaxStations), 0.0);
        c->m_arrOverhangAddR.resize(size_t(kMaxStations), 0.0);
        for (int i = 0; i < g_nCrossSections && i < kMaxStations; ++i) {
            c->m_arrOverhangAddL[size_t(i)] = addL[i];
            c->m_arrOverhangAddR[size_t(i)] = addR[i];
        }
    }
}

int CMarivoltenDoc::BuildEdgeLines()
{
    if (CoordinateBuilt(*this))
        return BuildEdgeLinesFromCoordinates();
    FreeEdgeLines();
    if (m_aSpans.empty())
        return 0;
    const CPlanInput in = ClampedInput(*this);
    CPolyline2D lines[12];
    const int result = PlanCore::BuildEdgeLines(in, m_aSpans, lines);
    for (int e = 0; e < 12; ++e)
        m_apEdgeLines[e] = new CPolyline2D(std::move(lines[e]));
    return result;
}

int CMarivoltenDoc::BuildEdgeLinesFromCoordinates()
{
    FreeEdgeLines();
    CPolyline2D lines[12];
    PlanCore::BuildEdgeLinesFromCoordinates(m_aSpans, lines);
    for (int e = 0; e < 12; ++e)
        m_apEdgeLines[e] = new CPolyline2D(std::move(lines[e]));
    return 1;
}

void CMarivoltenDoc::BuildGirderPolylines()
{
    FreeGirderPolylines();
    const CPlanInput in = ClampedInput(*this);
    std::vector<CPolyline2D> profiles;
    int ok = 1;
    BuildGirderProfiles(in, profiles, ok);
    for (size_t g = 0; g < profiles.size() && g < size_t(MAX_GIRDERS); ++g)
        m_apGirderProfiles[g] = new CPolyline2D(std::move(profiles[g]));
    if (!ok)
        m_bGeometryConsistent = 0;
}

void CMarivoltenDoc::SetRepresentativeGirderHeights()
{
    double* dialog = g_nBridgeType == 0 ? m_dlgPlateGirder.m_adGirderHeight : m_dlgBoxGirder.m_adGirderHeight;
    for (int g = 0; g < g_nGirders && g < MAX_GIRDERS; ++g) {
        const CPolyline2D* profile = m_apGirderProfiles[g];
        if (m_dlgBasic.m_nHeightVariation == 0 && profile && profile->Count() > 0) {
            m_adGirderHeight[g] = MeanProfileHeight(*profile, g_adSpanLength, std::clamp(g_nSpans, 0, MAX_SPANS));
            dialog[g] = m_adGirderHeight[g];
        } else {
            m_adGirderHeight[g] = dialog[g];
        }
    }
}

void CMarivoltenDoc::IntersectEdgeLines()
{
    if (m_aSpans.empty())
        return;
    if (CoordinateBuilt(*this)) {
        // The given edge points stand.
        for (size_t s = 0; s < m_aSpans.size(); ++s) {
            CSpanData& sp = m_aSpans[s];
            const CCoordinateSpan& cs = m_coordPlan.m_aSpans[s];
            for (size_t j = 0; j < sp.m_aPanelPoints.size() && j < cs.m_aPoints.size(); ++j)
                for (int e = 0; e < 12; ++e)
                    sp.m_aPanelPoints[j].m_aptEdge[e] = cs.m_aPoints[j].m_aptEdge[e];
        }
        CopyEdgesToSections(m_aSpans);
        return;
    }
    int ok = 1;
    PlanCore::IntersectEdgeLines(m_aSpans, m_apEdgeLines, ok);
    if (!ok)
        m_bGeometryConsistent = 0;
}

void CMarivoltenDoc::CountGrillageNodes()
{
    const CGrillageCounts c = PlanCore::CountGrillageNodes(m_aSpans, g_nBridgeType, g_nGirders);
    m_nNodeCount = c.nNodes;
    m_nSupportCount = c.nSupports;
    m_nGirderMemberCount = c.nGirderMembers;
    m_nCrossMemberCount = c.nCrossMembers;
}

void CMarivoltenDoc::BuildCrossBeams(int bReport)
{
    const bool abnormal = UpdateCrossBeams(m_aSpans, g_nBridgeType, CoordinateBuilt(*this));
    if (abnormal && bReport == 1)
        AfxMessageBox(QStringLiteral("計算された横桁の角度が異常です。"));
}

void CMarivoltenDoc::ApplyCrossBeamLayout()
{
    if (!g_pCrossBeamDlg)
        return;
    PlanCore::ApplyCrossBeamLayout(m_aSpans, g_pCrossBeamDlg->m_anMemberKind, g_pCrossBeamDlg->m_abDistributing, g_nBridgeType);
}

void CMarivoltenDoc::CalcCrossMemberSections()
{
    PlanCore::CalcCrossMemberSections(m_aSpans, CollectPlanInput(*this).members, g_nBridgeType);
}

void CMarivoltenDoc::DerivePanelDivisionFromCoordinates(int bWriteBack)
{
    if (m_coordPlan.IsEmpty())
        return;
    // Coordinates that are not numbers derive nothing; the layout stays as it was.
    if (!m_coordPlan.IsFinite()) {
        m_bGeometryConsistent = 0;
        return;
    }
    if (!m_coordPlan.Matches(g_nSpans, g_anPanelCount, g_nGirders)) {
        if (!bWriteBack)
            return;
        const int spans = m_coordPlan.SpanCount();
        bool fits = spans >= 1 && spans <= MAX_SPANS;
        for (int s = 0; fits && s < spans; ++s) {
            const CCoordinateSpan& cs = m_coordPlan.m_aSpans[size_t(s)];
            fits = cs.PanelCount() >= 1 && cs.PanelCount() <= MAX_PANELS && int(cs.m_adPanelLength.size()) == cs.PanelCount();
            for (const CCoordinatePoint& p : cs.m_aPoints)
                fits = fits && int(p.m_aptGirder.size()) == g_nGirders;
        }
        if (!fits) {
            m_bGeometryConsistent = 0;
            return;
        }
        const bool spansChanged = spans != g_nSpans;
        g_nSpans = spans;
        for (int s = 0; s < spans; ++s) {
            g_anPanelCount[s] = m_coordPlan.m_aSpans[size_t(s)].PanelCount();
            g_adSpanLength[s] = m_coordPlan.m_aSpans[size_t(s)].m_dSpanLength;
        }
        // New stations divide their spans equally, as after the span input.
        if (spansChanged && g_pCrossSectionDlg)
            g_pCrossSectionDlg->SeedStationPositions();
        RebuildSpans();
    } else if (m_nBuiltSpans == g_nSpans && m_coordPlan.Matches(m_nBuiltSpans, m_anBuiltPanels, g_nGirders)
               && int(m_aSpans.size()) == m_nBuiltSpans) {
        const CPlanInput in = ClampedInput(*this);
        int ok = 1;
        ApplyCoordinatePlan(in, m_coordPlan, m_aSpans, ok);
        if (!ok)
            m_bGeometryConsistent = 0;
        CompleteSpanRecords(*this, in);
    } else {
        RebuildSpans();
    }

    if (bWriteBack) {
        // Reports and the estimate read the span input: it follows the coordinates.
        for (size_t s = 0; s < m_aSpans.size() && s < size_t(MAX_SPANS); ++s) {
            const CSpanData& sp = m_aSpans[s];
            g_adSpanLength[s] = sp.m_dSpanLength;
            for (size_t k = 0; k < sp.m_pdPanelLength.size() && k < size_t(MAX_PANELS); ++k)
                g_adPanelLength[s][k] = sp.m_pdPanelLength[k];
            if (CSetupPanelDialog* p = g_pPanelDlg) {
                for (int e = 0; e < 2; ++e) {
                    p->m_adBaseToG1[s][e] = sp.m_dG1Offset[e];
                    p->m_adGirderSpacing[s][e] = sp.m_dGirderSpacing[e];
                    p->m_adSkew[s][e] = sp.m_dSkew[e];
                }
                p->m_adBaseRadius[s] = sp.m_bCurvedBaseLine ? sp.m_dRadius : -100.0;
                p->m_anBaseLineType[s] = sp.m_bCurvedBaseLine;
                p->m_anGirderLineType[s] = sp.m_bCurvedGirders;
            }
        }
    }
    CountGrillageNodes();
}

void CMarivoltenDoc::BuildHeightChangePoints()
{
    CSetupHeightDialog* h = g_pHeightDlg;
    if (!h)
        return;
    int points = g_nSpans + 1;
    for (int s = 0; s < g_nSpans && s < MAX_SPANS; ++s)
        points += std::max(h->m_anPointCount[s], 0);
    h->m_nPointCols = points;
    PlaceHeightChangePoints(std::clamp(g_nSpans, 0, MAX_SPANS), g_adSpanLength, h->m_anPointCount, h->m_adPointPos,
                            CSetupHeightDialog::POINTS);
    for (size_t s = 0; s < m_aSpans.size(); ++s)
        m_aSpans[s].m_nChangePoints = h->m_anPointCount[s];
}

double CMarivoltenDoc::Distance(CDPoint p1, CDPoint p2) { return PlanMath::Distance(p1, p2); }
double CMarivoltenDoc::DotProduct(CDPoint p1, CDPoint p2, CDPoint o) { return PlanMath::DotProduct(p1, p2, o); }
CDPoint CMarivoltenDoc::PointOnCircle(CDPoint c, double a, double r) { return PlanMath::PointOnCircle(c, a, r); }
int CMarivoltenDoc::GetSlope(CDPoint p1, CDPoint p2, double* m) { return PlanMath::GetSlope(p1, p2, m); }
int CMarivoltenDoc::LineSlope(CDPoint p1, CDPoint p2, double* m) { return PlanMath::LineSlope(p1, p2, m); }
double CMarivoltenDoc::ArcLength(CDPoint p1, CDPoint p2, double R) { return PlanMath::ArcLength(p1, p2, R); }
double CMarivoltenDoc::GetAllowableDeflection(int i, int j) const { return PlanCore::AllowableDeflection(m_aSpans, i, j); }

void CMarivoltenDoc::Rebuild(RebuildReason reason)
{
    switch (reason) {
    case RebuildReason::Layout:
        m_bGeometryConsistent = 1;
        RebuildSpans();
        // The centre line is taken from the built stations, then the plan follows it.
        if (UpdateGirderCentreLine())
            RebuildSpans();
        BuildHeightChangePoints();
        CompletePlan(1);
        break;
    case RebuildReason::Spans:
        m_bGeometryConsistent = 1;
        g_nCrossSections = CountCrossSections();
        RebuildSpans();
        if (!BuildEdgeLines())
            AfxMessageBox(QStringLiteral("路面データ作成時にエラーが発生しました。\n補間方法にスプライン補間を設定している場合は直線補間に変更して下さい。"));
        // The height profiles run from support to support of the new spans.
        BuildGirderPolylines();
        SetRepresentativeGirderHeights();
        IntersectEdgeLines();
        CountGrillageNodes();
        BuildCrossBeams(1);
        break;
    case RebuildReason::Panels:
        m_bGeometryConsistent = 1;
        RebuildGeometry(1);
        break;
    case RebuildReason::CrossSection:
        m_bGeometryConsistent = 1;
        RebuildSpans();
        BuildEdgeLines();
        IntersectEdgeLines();
        CountGrillageNodes();
        BuildCrossBeams(1);
        break;
    case RebuildReason::Heights:
        if (g_nSpans != 0)
            RebuildGeometry(1);
        break;
    case RebuildReason::Coordinates: {
        // Set before the derivation: its checks on the given points report through the flag.
        m_bGeometryConsistent = 1;
        const int pointsBefore = g_nPanelPoints;
        DerivePanelDivisionFromCoordinates(1);
        // More or fewer panel points: the arrangement starts again on the new points.
        if (g_nPanelPoints != pointsBefore && g_pCrossBeamDlg) {
            g_pCrossBeamDlg->InitArrangement(1);
            ApplyCrossBeamLayout();
            CalcCrossMemberSections();
        }
        CompletePlan(1);
        break;
    }
    case RebuildReason::CrossBeams:
        ApplyCrossBeamLayout();
        CalcCrossMemberSections();
        // The grillage's cross members are numbered by the distributing points.
        CountGrillageNodes();
        break;
    case RebuildReason::Origin:
        if (g_bCoordinatePlan == 1)
            RebuildGeometry(0);
        break;
    case RebuildReason::Load:
        m_bGeometryConsistent = 1;
        RebuildGeometry(1);
        if (g_bCoordinatePlan == 1) {
            DerivePanelDivisionFromCoordinates(1);
            BuildEdgeLinesFromCoordinates();
        }
        BuildCrossBeams(0);
        if (m_bGrillageNotRun == 0 && m_pGirders)
            CalcEstimate();
        break;
    case RebuildReason::Units:
        break;
    }
    // A loaded design reports after its format messages.
    if (reason != RebuildReason::Load)
        ReportInconsistentLayout();
    ++m_nRebuildCount;
    UpdateAllViews(nullptr, HINT_GEOMETRY);
}

void CMarivoltenDoc::CompletePlan(int bWarn)
{
    BuildEdgeLines();
    BuildGirderPolylines();
    SetRepresentativeGirderHeights();
    IntersectEdgeLines();
    CountGrillageNodes();
    BuildCrossBeams(bWarn);
}

void CMarivoltenDoc::RebuildGeometry(int bWarn)
{
    RebuildSpans();
    CompletePlan(bWarn);
}
