// The section design's input taken from the live document, once per operation.
#include "app/doc.h"
#include "app/globals.h"
#include "design/design_input.h"
#include "design/girder_design.h"
#include "app/design_collect.h"
#include "framework/msgbox.h"

#include <algorithm>

CDesignInput CDesignInput::Collect(const CMarivoltenDoc& doc, int nGirder)
{
    CDesignInput in;
    in.m_nGirder = nGirder;
    in.m_nBridgeType = g_nBridgeType;
    in.m_nGirders = g_nGirders;
    in.m_bSIUnits = g_bSIUnits;
    for (int s = 0; s < g_nSpans && s < MAX_SPANS; ++s)
        in.m_anPanelCount.push_back(g_anPanelCount[s]);

    in.m_nWeathering = doc.m_dlgBasic.m_nWeathering;
    in.m_nHSteel = doc.m_dlgBasic.m_nHSteel;
    in.m_nHeightVariation = doc.m_dlgBasic.m_nHeightVariation;
    in.m_nStandard = doc.m_dlgBasic.m_nStandard;

    const MainGirderData& mg = doc.m_dlgMainGirder;
    const int modes[10] = {mg.m_nMaxUFThickMode, mg.m_nMinUFThickMode, mg.m_nMaxUFWidthMode, mg.m_nMinUFWidthMode,
                           mg.m_nMaxLFThickMode, mg.m_nMinLFThickMode, mg.m_nMaxLFWidthMode, mg.m_nMinLFWidthMode,
                           mg.m_nMaxWebThickMode, mg.m_nMinWebThickMode};
    const double typed[10] = {mg.m_dMaxUFThick, mg.m_dMinUFThick, mg.m_dMaxUFWidth, mg.m_dMinUFWidth,
                              mg.m_dMaxLFThick, mg.m_dMinLFThick, mg.m_dMaxLFWidth, mg.m_dMinLFWidth,
                              mg.m_dMaxWebThick, mg.m_dMinWebThick};
    for (int k = 0; k < 10; ++k)
        in.m_adLimit[k] = (modes[k] == 1 ? typed[k] : mg.m_adAutoLimits[k]) / 1000.0;
    in.m_nStiffenerSteps = mg.m_nStiffenerSteps;
    in.m_nThicknessStep = mg.m_nThicknessStep;
    in.m_dBendingMargin = mg.m_dBendingMargin;
    in.m_dMaxSectionLength = mg.m_dMaxSectionLength;
    in.m_dMinSectionLength = mg.m_dMinSectionLength;
    in.m_bConstFlangeWidth = mg.m_bConstFlangeWidth;
    in.m_bIgnoreTB16 = mg.m_bIgnoreTB16;
    in.m_nBlockLengthMode = mg.m_nBlockLengthMode;
    in.m_bMinWebTableOnly = mg.m_bMinWebTableOnly;
    in.m_nUFGrade = mg.m_nUFGrade;
    in.m_nLFGrade = mg.m_nLFGrade;
    in.m_nWebGrade = mg.m_nWebGrade;
    in.m_dFlangeWidthW = mg.m_dFlangeWidthW;
    in.m_dWebSpacingA = mg.m_dWebSpacingA;
    in.m_dOverhangB = mg.m_dOverhangB;
    const int row = g_nBridgeType == 2 ? 0 : nGirder;
    if (row >= 0 && row < MAX_GIRDERS) {
        const JointPositionData& jp = doc.m_dlgMainGirder.m_dlgJointPosition;
        const std::vector<double>& lengths = jp.m_apdBlockLength[row];
        in.m_adGivenBlockLength.assign(lengths.begin(),
                                       lengths.begin() + std::clamp<size_t>(size_t(std::max(0, jp.m_anBlockCount[row])), 0, lengths.size()));
    }

    const PlateGirderData& pg = doc.m_dlgPlateGirder;
    in.m_bPlateHoleDeduction = pg.m_bHoleDeduction;
    in.m_bPlateUFLocalBuckling = pg.m_bUFLocalBuckling;
    in.m_dPlateHoleDiameter = pg.m_dBoltHoleDiameter;
    in.m_bPlateNetArea11 = pg.m_bNetArea11;
    for (int r = 0; r < PlateGirderData::HOLE_ROWS && r < 7; ++r) {
        in.m_adHoleFlangeWidth[r] = pg.m_adHoleFlangeWidth[r];
        in.m_anHoleCount[r] = pg.m_anHoleCount[r];
    }
    const BoxGirderData& bg = doc.m_dlgBoxGirder;
    in.m_bBoxHoleDeduction = bg.m_bHoleDeduction;
    in.m_dBoxHoleDiameter = bg.m_dBoltHoleDiameter;
    in.m_nHoleBoltsUpper = bg.m_nHoleBoltsUpper;
    in.m_nHoleBoltsLower = bg.m_nHoleBoltsLower;
    in.m_nCompRibCount = bg.m_nCompRibCount;
    in.m_nTensRibCount = bg.m_nTensRibCount;
    in.m_nStiffenerStepsBox = bg.m_nStiffenerStepsBox;
    in.m_bBoxUFLocalBuckling = bg.m_bUFLocalBuckling;
    in.m_bAdjustRibThickness = bg.m_bAdjustRibThickness;
    in.m_bBoxNetArea11 = bg.m_bNetArea11;
    for (int c = 0; c < 4 && c < BoxGirderData::RIB_GROUPS; ++c)
        for (int r = 0; r < 20 && r < BoxGirderData::RIB_ROWS; ++r) {
            in.m_adRibWidth[c][r] = bg.m_adRibWidth[c][r];
            in.m_adRibThick[c][r] = bg.m_adRibThick[c][r];
        }

    if (nGirder >= 0 && nGirder < MAX_GIRDERS) {
        in.m_dGirderHeight = g_nBridgeType == 0 ? pg.m_adGirderHeight[nGirder] : bg.m_adGirderHeight[nGirder];
        // The profile's x restarts at 0 in every span.
        if (const CPolyline2D* profile = doc.m_apGirderProfiles[nGirder]) {
            for (const CDPoint& p : profile->m_aPoints) {
                if (in.m_aProfileX.empty() || p.x < in.m_aProfileX.back().back()) {
                    in.m_aProfileX.emplace_back();
                    in.m_aProfileH.emplace_back();
                }
                in.m_aProfileX.back().push_back(p.x);
                in.m_aProfileH.back().push_back(p.y);
            }
        }
    }
    int start = 0;
    in.m_anPanelPointKind.assign(size_t(std::max(0, g_nPanelPoints)), -1);
    for (size_t s = 0; s < doc.m_aSpans.size() && int(s) < g_nSpans; ++s) {
        const CSpanData& span = doc.m_aSpans[s];
        for (size_t k = 0; k < span.m_aPanelPoints.size(); ++k)
            if (start + int(k) < int(in.m_anPanelPointKind.size()))
                in.m_anPanelPointKind[start + k] = span.m_aPanelPoints[k].m_nMemberKind;
        if (nGirder >= 0 && nGirder < int(span.m_aGirderLines.size()))
            in.m_dLineLength += span.m_aGirderLines[nGirder].m_dLength;
        start += g_anPanelCount[s];
    }

    const MainMemberData& mm = doc.m_dlgMainMember;
    in.m_bUseEndSway = mm.m_bUseEndSway;
    in.m_bUseMidSway = mm.m_bUseMidSway;
    in.m_bUseCrossBeam = mm.m_bUseCrossBeam;
    in.m_bUsePierSway = mm.m_bUsePierSway;

    in.m_nDeadLoadChoice = doc.m_dlgSteelWeight.m_nDeadLoadChoice;
    if (nGirder >= 0 && nGirder < MAX_GIRDERS)
        in.m_dAssumedWeight = doc.m_dlgSteelWeight.m_adSteelWeight[nGirder];
    in.m_dGirderFactor = doc.m_dlgEstimate.m_dlgFactor.m_dGirderFactor;

    in.m_bFirstDesign = doc.m_bFirstDesign;
    in.m_nDesignRunMode = doc.m_nDesignRunMode;
    if (nGirder >= 0 && nGirder < doc.m_nLayoutGirders && nGirder < MAX_GIRDERS && doc.m_pnLayoutSectionCount &&
        doc.m_nLayoutHeightVariation == in.m_nHeightVariation) {
        const int count = doc.m_pnLayoutSectionCount[nGirder];
        const double* const* f = doc.m_apLayoutF64[nGirder];
        const int* const* i = doc.m_apLayoutI32[nGirder];
        if (count > 0 && f[0] && f[1] && f[2] && f[3] && i[0] && i[1] && i[4]) {
            in.m_bHasStoredLayout = 1;
            for (int s = 0; s < count; ++s)
                in.m_aStoredLayout.push_back({f[0][s], f[1][s], f[2][s], f[3][s], i[0][s], i[1][s], i[4][s]});
        }
    }
    return in;
}

void RefreshDesignInputs(CMarivoltenDoc& doc)
{
    for (int g = 0; doc.m_pGirders && g < g_nGirders && g < MAX_GIRDERS; ++g) {
        doc.m_pGirders[g].m_input = CDesignInput::Collect(doc, g);
        doc.m_pGirders[g].SetMessageHandler([](const char* text) { AfxMessageBox(QString::fromUtf8(text)); });
    }
}

void FollowSectionEdits(CMarivoltenDoc& doc)
{
    for (int g = 0; doc.m_pGirders && g < g_nGirders && g < MAX_GIRDERS; ++g)
        doc.m_adDesignWeightPerLength[g] = doc.m_pGirders[g].GetSteelWeightPerLength(1);
    doc.CalcEstimate();
}
