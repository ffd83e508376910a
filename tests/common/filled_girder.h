// A girder design object with distinct values in every slot the design file stores.
#pragma once

#include "design/girder_design.h"

#include <algorithm>
#include <numeric>

// Distinct values for every stored slot; lengths stay positive.
struct Filler {
    unsigned state = 12345;
    int Int(int range) { return int(Next() % unsigned(range)); }
    double Real() { return (int(Next() % 200001) - 100000) / 64.0; }
    double Length() { return 0.5 + (Next() % 1000) / 16.0; }
    unsigned Next() { return state = state * 1103515245u + 12345u, state >> 8; }
};

inline CGirderDesign FilledGirder(int kS, const int* panels, int kG, int kK, int girderNo = 2, int bridgeType = 1)
{
    const int kP = 1 + std::accumulate(panels, panels + kS, 0), kM = kP - 1, kNodes = 2 * kM;
    Filler f;
    f.state += unsigned(girderNo);
    CGirderDesign g;
    g.m_nGirderNo = girderNo;
    g.m_nBridgeType = bridgeType;
    g.m_dGirderLength = f.Length();
    g.m_dMaxSectionLength = f.Length();
    g.m_dMinSectionLength = f.Length();
    g.m_nMembers = kM;
    g.m_nSpans = kS;
    g.m_dMaxBUpper = f.Length();
    g.m_dMaxBLower = f.Length();
    g.m_pnSpanStart = {0};
    for (int s = 0; s < kS; ++s) {
        g.m_pnSpanStart.push_back(g.m_pnSpanStart.back() + panels[s]);
        g.m_pdSpanLength.push_back(f.Length());
    }
    for (auto* list : {&g.m_pnMemberNoI, &g.m_pnMemberNoJ, &g.m_pnNodeI, &g.m_pnNodeJ})
        for (int m = 0; m < kM; ++m)
            list->push_back(f.Int(500));
    for (auto* list : {&g.m_pdMomentDeadI, &g.m_pdMomentLivePlusI, &g.m_pdMomentLiveMinusI,
                       &g.m_pdMomentTotalPlusI, &g.m_pdMomentTotalMinusI, &g.m_pdMomentDeadJ,
                       &g.m_pdMomentLivePlusJ, &g.m_pdMomentLiveMinusJ, &g.m_pdMomentTotalPlusJ,
                       &g.m_pdMomentTotalMinusJ, &g.m_pdShearDeadI, &g.m_pdShearLivePlusI,
                       &g.m_pdShearLiveMinusI, &g.m_pdShearTotalPlusI, &g.m_pdShearTotalMinusI,
                       &g.m_pdShearDeadJ, &g.m_pdShearLivePlusJ, &g.m_pdShearLiveMinusJ,
                       &g.m_pdShearTotalPlusJ, &g.m_pdShearTotalMinusJ, &g.m_pdTorsionDead,
                       &g.m_pdTorsionLivePlus, &g.m_pdTorsionLiveMinus, &g.m_pdTorsionTotalPlus,
                       &g.m_pdTorsionTotalMinus})
        for (int m = 0; m < kM; ++m)
            list->push_back(f.Real());
    for (int m = 0; m < kM; ++m)
        g.m_pdPanelLength.push_back(f.Length());
    g.m_nNodes = kNodes;
    for (auto* list : {&g.m_pShearMax, &g.m_pShearMin, &g.m_pMomentEnv})
        for (int k = 0; k < kNodes; ++k)
            list->emplace_back(f.Real(), f.Real());
    g.m_nPeaks = 3;
    for (CDPoint& p : g.m_aPeaks)
        p = {f.Real(), f.Real()};
    for (int s = 0; s <= kS; ++s) {
        g.m_anReactNode[s] = f.Int(300);
        for (double* v : {g.m_adReactDead, g.m_adReactLivePlus, g.m_adReactLiveMinus, g.m_adReactDLPlus,
                          g.m_adReactDLMinus, g.m_adReact2LMinusD, g.m_adDetailTotalDead,
                          g.m_adDetailTotalLivePlus, g.m_adDetailTotalLiveMinus, g.m_adDetailTotalDLPlus,
                          g.m_adDetailTotalDLMinus})
            v[s] = f.Real();
        for (int k = 0; k < kG; ++k) {
            g.m_anDetailNode[s][k] = f.Int(300);
            for (auto* t : {g.m_adDetailDead, g.m_adDetailLivePlus, g.m_adDetailLiveMinus, g.m_adDetailDLPlus,
                            g.m_adDetailDLMinus})
                t[s][k] = f.Real();
        }
    }
    for (int p = 0; p < kP; ++p) {
        g.m_adDeflDead[p] = f.Real();
        g.m_adDeflLivePlus[p] = f.Real();
        g.m_adDeflLiveMinus[p] = f.Real();
        g.m_abNodeIsSupport[p] = std::count(g.m_pnSpanStart.begin(), g.m_pnSpanStart.end(), p) ? 1 : 0;
    }
    g.m_nSections = kK;
    g.m_pSections.resize(kK);
    for (int i = 0; i < kK; ++i) {
        CSectionRecord& r = g.m_pSections[size_t(i)];
        r.m_dLength = f.Length();
        r.m_nJoinPrev = i % 2;
        r.m_nJoinNext = 1 - i % 2;
        r.m_anJointKind[0] = i == 0 ? 2 : 1;
        r.m_anJointKind[1] = i == kK - 1 ? 2 : 0;
        r.m_bEdited = i == 1;
        for (int j = 0; j < 3; ++j) {
            r.m_adCheck[j] = f.Length();
            r.m_adM[j] = f.Real();
            r.m_adS[j] = f.Real();
        }
        for (double* v : {&r.m_dBUpper, &r.m_dTUpper, &r.m_dBLower, &r.m_dTLower, &r.m_dHWeb, &r.m_dTWeb,
                          &r.m_dRibHUpper, &r.m_dRibTUpper, &r.m_dRibHLower, &r.m_dRibTLower, &r.m_dAreaUpper,
                          &r.m_dAreaLower, &r.m_dAreaWeb, &r.m_dAreaRibUpper, &r.m_dAreaRibLower, &r.m_dArea,
                          &r.m_dNeutralAxis, &r.m_dI, &r.m_dJ, &r.m_dMr, &r.m_dWWhole, &r.m_dMassUpper,
                          &r.m_dMassWeb, &r.m_dMassLower, &r.m_dMassRibUpper, &r.m_dMassRibLower,
                          &r.m_dAssumedArea, &r.m_dAssumedI, &r.m_dAssumedJ})
            *v = f.Length();
        r.m_nStiffenerLevels = f.Int(3);
        r.m_nGradeUpper = f.Int(9);
        r.m_nGradeWeb = f.Int(9);
        r.m_nGradeLower = f.Int(9);
        r.m_nRibsUpper = f.Int(10);
        r.m_nRibsLower = f.Int(10);
        for (int k = 0; k < 3; ++k) {
            r.m_anSteelCode[k] = f.Int(35);
            r.m_anPriceClass[k] = f.Int(97);
        }
    }
    return g;
}
