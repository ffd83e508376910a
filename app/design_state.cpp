#include "app/design_state.h"
#include "app/doc.h"
#include "app/mainfrm.h"

#include <algorithm>
#include <type_traits>

CDesignLayout::CDesignLayout()
{
    std::fill(std::begin(adSpanLength), std::end(adSpanLength), 30.0);
    std::fill(std::begin(anPanelCount), std::end(anPanelCount), 6);
    for (auto& span : adPanelLength)
        std::fill(std::begin(span), std::end(span), 5.0);
    std::fill(std::begin(anFreeSections), std::end(anFreeSections), 2);
}

CDesignState CDesignState::NewDesign(int bSIUnits)
{
    CDesignState s;
    s.layout.bSIUnits = bSIUnits;
    s.deadLoad = DeadLoadData(bSIUnits);
    s.steelWeight.SetNewDesignWeights(bSIUnits);
    s.crossSection.SetDefaults(s.layout.adSpanLength, s.layout.anFreeSections);
    return s;
}

namespace {

// Copies one part between a live object and a value: into a value being captured,
// out of a value being applied (a const one).
template <class Data, class Value, class Live>
void Transfer(Value& value, Live* live)
{
    if (!live)
        return;
    Data& part = *live;
    if constexpr (std::is_const_v<Value>)
        part = value;
    else
        value = part;
}

CDesignLayout CaptureLayout()
{
    CDesignLayout l;
    l.nSpans = g_nSpans;
    l.nGirders = g_nGirders;
    l.nBridgeType = g_nBridgeType;
    std::copy(std::begin(g_adSpanLength), std::end(g_adSpanLength), l.adSpanLength);
    std::copy(std::begin(g_anPanelCount), std::end(g_anPanelCount), l.anPanelCount);
    for (int s = 0; s < MAX_SPANS; ++s)
        std::copy(std::begin(g_adPanelLength[s]), std::end(g_adPanelLength[s]), l.adPanelLength[s]);
    std::copy(std::begin(g_anFreeSections), std::end(g_anFreeSections), l.anFreeSections);
    l.nCrossSections = g_nCrossSections;
    l.nPanelPoints = g_nPanelPoints;
    l.bCoordinatePlan = g_bCoordinatePlan;
    l.bCoordinateRadii = g_bCoordinateRadii;
    l.bSIUnits = g_bSIUnits;
    return l;
}

void ApplyLayout(const CDesignLayout& l)
{
    g_nSpans = l.nSpans;
    g_nGirders = l.nGirders;
    g_nBridgeType = l.nBridgeType;
    std::copy(std::begin(l.adSpanLength), std::end(l.adSpanLength), g_adSpanLength);
    std::copy(std::begin(l.anPanelCount), std::end(l.anPanelCount), g_anPanelCount);
    for (int s = 0; s < MAX_SPANS; ++s)
        std::copy(std::begin(l.adPanelLength[s]), std::end(l.adPanelLength[s]), g_adPanelLength[s]);
    std::copy(std::begin(l.anFreeSections), std::end(l.anFreeSections), g_anFreeSections);
    g_nCrossSections = l.nCrossSections;
    g_nPanelPoints = l.nPanelPoints;
    g_bCoordinatePlan = l.bCoordinatePlan;
    g_bCoordinateRadii = l.bCoordinateRadii;
    g_bSIUnits = l.bSIUnits;
}

int GirderCount() { return std::clamp(g_nGirders, 0, MAX_GIRDERS); }

void CaptureResults(CDesignResults& r, const CMarivoltenDoc& doc)
{
    r.m_bGrillageNotRun = doc.m_bGrillageNotRun;
    r.girders.clear();
    if (doc.m_pGirders)
        r.girders.assign(doc.m_pGirders, doc.m_pGirders + GirderCount());
    std::copy(std::begin(doc.m_adImpactCoef), std::end(doc.m_adImpactCoef), r.m_adImpactCoef);
    std::copy(std::begin(doc.m_adAssumedWeightPerLength), std::end(doc.m_adAssumedWeightPerLength), r.m_adAssumedWeightPerLength);
    std::copy(std::begin(doc.m_adDesignWeightPerLength), std::end(doc.m_adDesignWeightPerLength), r.m_adDesignWeightPerLength);
}

// nLive: the girder count the live design objects were made for.
void ApplyResults(const CDesignResults& r, CMarivoltenDoc& doc, int nLive)
{
    doc.m_bGrillageNotRun = r.m_bGrillageNotRun;
    g_bResultsValid = r.m_bGrillageNotRun ? 0 : 1;
    // Views hold on to the design objects: they are made again only when they differ.
    const bool same = doc.m_pGirders ? std::equal(r.girders.begin(), r.girders.end(), doc.m_pGirders,
                                                  doc.m_pGirders + nLive)
                                     : r.girders.empty();
    if (!same) {
        delete[] doc.m_pGirders;
        doc.m_pGirders = nullptr;
        if (!r.girders.empty()) {
            doc.m_pGirders = new CGirderDesign[r.girders.size()];
            std::copy(r.girders.begin(), r.girders.end(), doc.m_pGirders);
        }
    }
    std::copy(std::begin(r.m_adImpactCoef), std::end(r.m_adImpactCoef), doc.m_adImpactCoef);
    std::copy(std::begin(r.m_adAssumedWeightPerLength), std::end(r.m_adAssumedWeightPerLength), doc.m_adAssumedWeightPerLength);
    std::copy(std::begin(r.m_adDesignWeightPerLength), std::end(r.m_adDesignWeightPerLength), doc.m_adDesignWeightPerLength);
}

void CaptureView(CDesignView& v, CDerivedSlots& d, const CMarivoltenDoc& doc)
{
    v.nSizeX = doc.m_nSizeX;
    v.nSizeY = doc.m_nSizeY;
    v.dPlanRotation = doc.m_dPlanAngle;
    v.dSection2ScaleX = doc.m_dSection2ScaleX;
    v.dSection2ScaleY = doc.m_dSection2ScaleY;
    v.bSection2Flag = doc.m_bSection2Flag;
    v.nStepMask = g_pMainFrame ? g_pMainFrame->m_nStepMask : 0;

    d.anModelCounts[0] = doc.m_nNodeCount;
    d.anModelCounts[1] = doc.m_nSupportCount;
    d.anModelCounts[2] = doc.m_nGirderMemberCount;
    d.anModelCounts[3] = doc.m_nCrossMemberCount;
    d.dBaseLength = doc.m_dBaseLength;
    d.anSupportStation.assign(std::begin(doc.m_anSupportStation), std::end(doc.m_anSupportStation));
    d.adViewScales[0] = doc.m_dPlanScale;
    d.adViewScales[1] = doc.m_ptPlanOrigin.x;
    d.adViewScales[2] = doc.m_ptPlanOrigin.y;
    d.adViewScales[3] = doc.m_ptPlanOffset.x;
    d.adViewScales[4] = doc.m_ptPlanOffset.y;
    d.nCurrentGirder = doc.m_nCalcGirder;
    std::copy(std::begin(doc.m_abPlanChecks), std::end(doc.m_abPlanChecks), d.anViewWordsA);
    d.anViewWordsA[3] = doc.m_bPlanFlag;
    d.dSectionScale = doc.m_dSectionScale;
    d.bSectionFlag = doc.m_bSectionFlag;
    d.dLoadScale = doc.m_dLoadScale;
    d.bLoadFlag = doc.m_bLoadFlag;
    d.adForceScale[0] = doc.m_dForceHScale;
    d.adForceScale[1] = doc.m_dForceVScale;
    const int words[9] = {doc.m_bForceShowMoment, doc.m_bForceShowShear, doc.m_bForceShowResisting, doc.m_bForceFolded,
                          doc.m_abViewFlags[0], doc.m_abViewFlags[1], doc.m_nEstimateTable, doc.m_nReactTable,
                          doc.m_nAnimation};
    std::copy(std::begin(words), std::end(words), d.anViewWordsB);
    d.aProfiles.assign(size_t(GirderCount()), CDerivedSlots::Profile());
    for (int g = 0; g < GirderCount(); ++g)
        if (const CPolyline2D* p = doc.m_apGirderProfiles[g]) {
            d.aProfiles[size_t(g)].nSubdivisions = p->m_nSubdivisions;
            d.aProfiles[size_t(g)].points = p->m_aPoints;
        }
}

void ApplyView(const CDesignView& v, CMarivoltenDoc& doc)
{
    doc.m_nSizeX = v.nSizeX;
    doc.m_nSizeY = v.nSizeY;
    doc.m_dPlanAngle = v.dPlanRotation;
    doc.m_dSection2ScaleX = v.dSection2ScaleX;
    doc.m_dSection2ScaleY = v.dSection2ScaleY;
    doc.m_bSection2Flag = v.bSection2Flag;
    if (g_pMainFrame && g_pMainFrame->m_nStepMask != v.nStepMask) {
        g_pMainFrame->m_nStepMask = v.nStepMask;
        g_pMainFrame->RefreshStepButtons();
    }
}

template <class State>
void TransferAll(State& s)
{
    if (CMarivoltenDoc* doc = g_pDoc) {
        if constexpr (std::is_const_v<State>) {
            ApplyView(s.view, *doc);
        } else {
            CaptureResults(s.results, *doc);
            CaptureView(s.view, s.derived, *doc);
        }
        Transfer<CDocumentInput>(s.document, doc);
        Transfer<BasicConditions>(s.basic, &doc->m_dlgBasic);
        Transfer<SpanData>(s.span, &doc->m_dlgSpan);
        Transfer<MainGirderData>(s.mainGirder, &doc->m_dlgMainGirder);
        Transfer<JointPositionData>(s.jointPosition, &doc->m_dlgMainGirder.m_dlgJointPosition);
        Transfer<PlateGirderData>(s.plateGirder, &doc->m_dlgPlateGirder);
        Transfer<BoxGirderData>(s.boxGirder, &doc->m_dlgBoxGirder);
        CSetupMainMemberDialog& m = doc->m_dlgMainMember;
        Transfer<MainMemberData>(s.mainMember, &m);
        Transfer<SwayBracingData>(s.endSway, &m.m_dlgEndSway);
        Transfer<SwayBracingData>(s.midSway, &m.m_dlgMidSway);
        Transfer<SwayBracingData>(s.pierSway, &m.m_dlgPierSway);
        Transfer<CrossBeamTypeData>(s.crossBeamType, &m.m_dlgCrossBeamType);
        Transfer<LateralBracingData>(s.lateral, &m.m_dlgLateral);
        Transfer<BracketData>(s.leftBracket, &m.m_dlgLeftBracket);
        Transfer<BracketData>(s.rightBracket, &m.m_dlgRightBracket);
        Transfer<MidStringerData>(s.midStringer, &m.m_dlgMidStringer);
        Transfer<StringerData>(s.edgeStringer, &m.m_dlgEdgeStringer);
        Transfer<DeadLoadData>(s.deadLoad, &doc->m_dlgDeadLoad);
        Transfer<SteelWeightData>(s.steelWeight, &doc->m_dlgSteelWeight);
        Transfer<RibPanelData>(s.ribPanel, &doc->m_dlgRibPanel);
        Transfer<EstimateFactorData>(s.estimateFactor, &doc->m_dlgEstimate.m_dlgFactor);
        CSetupEstimateDialog& e = doc->m_dlgEstimate;
        Transfer<EstimateLabourData>(s.estimateLabour, &e.m_dlgLabour);
        Transfer<EstimateSteelPriceData>(s.estimateSteelPrice, &e.m_dlgSteelPrice);
        Transfer<EstimateBearingData>(s.estimateBearing, &e.m_dlgBearing);
        Transfer<EstimateFittingData>(s.estimateFitting, &e.m_dlgFitting);
        Transfer<EstimateOverheadData>(s.estimateOverhead, &e.m_dlgOverhead);
        Transfer<EstimateOptionData>(s.estimateOption, &e.m_dlgOption);
    }
    Transfer<PanelDivisionData>(s.panel, g_pPanelDlg);
    Transfer<CrossSectionData>(s.crossSection, g_pCrossSectionDlg);
    Transfer<CrossBeamArrangementData>(s.crossBeam, g_pCrossBeamDlg);
    Transfer<HeightChangeData>(s.height, g_pHeightDlg);
}

}

CDesignState CaptureDesign()
{
    CDesignState s = CDesignState::NewDesign(g_bSIUnits);
    s.layout = CaptureLayout();
    TransferAll(s);
    return s;
}

void ApplyDesign(const CDesignState& state)
{
    // The design objects go first, while the girder count they were made for still holds.
    if (g_pDoc)
        ApplyResults(state.results, *g_pDoc, GirderCount());
    ApplyLayout(state.layout);
    TransferAll(state);
}
