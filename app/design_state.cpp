#include "app/design_state.h"
#include "app/doc.h"

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
}

template <class State>
void TransferAll(State& s)
{
    if (CMarivoltenDoc* doc = g_pDoc) {
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
    ApplyLayout(state.layout);
    TransferAll(state);
}
