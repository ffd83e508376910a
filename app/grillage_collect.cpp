#include "app/grillage_collect.h"

#include "app/doc.h"

#include <algorithm>

CGrillageInput CollectGrillageInput(const CMarivoltenDoc& doc, int nPass, const std::string& stamp)
{
    CGrillageInput in;
    const CSetupBasicDialog& basic = doc.m_dlgBasic;
    in.m_strTitle = basic.m_strTitle;
    in.m_strSubtitle = basic.m_strSubtitle;
    in.m_strStamp = stamp;
    in.m_nPass = nPass;
    in.m_nBridgeType = g_nBridgeType;
    in.m_nGirders = g_nBridgeType == 2 ? 3 : std::clamp(g_nGirders, 1, MAX_GIRDERS);
    in.m_bSIUnits = g_bSIUnits;
    in.m_nLiveLoad = basic.m_nLiveLoad;
    in.m_nSidewalk = basic.m_nSidewalk;
    in.m_nMedian = basic.m_nMedian;
    in.m_bMedianUnloaded = basic.m_bMedianUnloaded;
    in.m_bKerbUnloaded = basic.m_bKerbUnloaded;
    in.m_dLoadingWidth = basic.m_dLoadingWidth;
    in.m_dP1Factor = basic.m_dP1Factor;
    in.m_dP2Factor = basic.m_dP2Factor;

    std::copy(std::begin(doc.m_dlgDeadLoad.m_adValue), std::end(doc.m_dlgDeadLoad.m_adValue), in.m_adDeadLoad);
    const CSetupSteelWeightDialog& sw = doc.m_dlgSteelWeight;
    std::copy(std::begin(sw.m_adHaunchWeight), std::end(sw.m_adHaunchWeight), in.m_adHaunchWeight);
    std::copy(std::begin(sw.m_adSteelWeight), std::end(sw.m_adSteelWeight), in.m_adSteelWeight);
    in.m_nAttachments = std::clamp(sw.m_nAttachments, 0, CGrillageInput::kMaxAttachments);
    std::copy(std::begin(sw.m_anAttachGirder), std::end(sw.m_anAttachGirder), in.m_anAttachGirder);
    std::copy(std::begin(sw.m_adAttachLoad), std::end(sw.m_adAttachLoad), in.m_adAttachLoad);
    std::copy(std::begin(sw.m_adAttachPosition), std::end(sw.m_adAttachPosition), in.m_adAttachPosition);

    const CrossBeamTypeData& beam = doc.m_dlgMainMember.m_dlgCrossBeamType;
    in.m_dCrossBeamFlangeWidth = beam.m_dFlangeWidth;
    in.m_dCrossBeamFlangeThickness = beam.m_dFlangeThickness;
    in.m_dCrossBeamWebThickness = beam.m_dWebThickness;
    in.m_dCrossBeamDepth = doc.GetCrossBeamDepth();

    in.m_aSpans = doc.m_aSpans;
    const int P = in.PanelPoints();
    in.m_aMembers.assign(size_t(in.m_nGirders * std::max(P - 1, 0)), CMemberProperties());
    return in;
}
