// A straight bridge for the estimate: spans along x, girders at y = 0, s, 2s …, every panel
// point with its transverse line, girder points and deck edge intersections.
#pragma once

#include "estimate/estimate_input.h"

#include <vector>

namespace testbridge {

// Deck edges on the left (y below G1) and mirrored on the right, by kind: curb outer,
// railing centre, curb inner, kerb outer, kerb inner; the median edges meet at the middle.
inline const double kEdgeOffset[5] = {1.5, 1.3, 1.0, 0.5, 0.3};

inline CSectionRecord Section(double length, int grade = 3)
{
    CSectionRecord s;
    s.m_dLength = length;
    s.m_dBUpper = 0.4;
    s.m_dTUpper = 0.02;
    s.m_dBLower = 0.5;
    s.m_dTLower = 0.03;
    s.m_dHWeb = 1.8;
    s.m_dTWeb = 0.01;
    s.m_nGradeUpper = s.m_nGradeWeb = s.m_nGradeLower = grade;
    return s;
}

// nType 0 plate girders, 1 boxes; every girder of one section per span, panels of 5 m.
inline CEstimateInput Bridge(std::vector<double> spans, int nGirders = 4, double spacing = 2.5, int nType = 0)
{
    CEstimateInput in;
    in.m_nSpans = int(spans.size());
    in.m_nGirders = nGirders;
    in.m_nBridgeType = nType;
    in.m_bSIUnits = 1;
    const double width = (nGirders - 1) * spacing;
    double x0 = 0.0, total = 0.0;
    int points = 0;
    for (size_t si = 0; si < spans.size(); ++si) {
        const double length = spans[si];
        CEstimateInput::Span span;
        span.m_dLength = length;
        span.m_nPanels = int(length / 5.0 + 0.5);
        for (int k = 0; k <= span.m_nPanels; ++k) {
            const double x = x0 + length * k / span.m_nPanels;
            CPanelPointRecord pp;
            const bool bridgeEnd = (si == 0 && k == 0) || (si + 1 == spans.size() && k == span.m_nPanels);
            const bool support = k == 0 || k == span.m_nPanels;
            pp.m_nMemberKind = bridgeEnd ? 0 : support ? 3 : k % 2 ? 1 : 2;
            pp.m_ptLine1 = {x, 0.0};
            pp.m_ptLine2 = {x, width};
            pp.m_dWidth = width;
            for (int g = 0; g < nGirders; ++g)
                pp.m_aptGirder.push_back({x, g * spacing});
            for (int kind = 0; kind < 5; ++kind) {
                pp.m_aptEdge[2 * kind] = {x, -kEdgeOffset[kind]};
                pp.m_aptEdge[2 * kind + 1] = {x, width + kEdgeOffset[kind]};
            }
            pp.m_aptEdge[10] = pp.m_aptEdge[11] = {x, width / 2.0};
            span.m_aPoints.push_back(pp);
            std::array<double, 12> h = {0.3, 0.08, 0.15, 0.08, 0.22, 0.2, 0.08, 0.3, 0.08, 0.15, 0.2, 0.2};
            span.m_aHeights.push_back(h);
        }
        span.m_adGirderSpacing[0] = span.m_adGirderSpacing[1] = spacing;
        points += span.m_nPanels;
        x0 += length;
        total += length;
        in.m_aSpans.push_back(span);
    }
    in.m_nPanelPoints = points + 1;
    in.m_anRibDivisions.assign(size_t(points), 2);
    for (int g = 0; g < nGirders; ++g) {
        CGirderDesign girder;
        girder.m_dGirderLength = total;
        for (double length : spans)
            girder.m_pSections.push_back(Section(length));
        girder.m_nSections = int(girder.m_pSections.size());
        girder.m_adMaxReaction[0] = 120.0;
        in.m_aGirders.push_back(girder);
    }
    in.m_adGirderHeight.assign(size_t(nGirders), 2.0);
    in.m_adHaunchWeight.assign(size_t(nGirders), 0.0);
    in.m_adLineReaction.assign(spans.size() + 1, 120.0);
    in.m_dWebSpacing = 1800.0;
    in.m_nSidewalk = 3;
    in.m_bUseLateral = 1;
    in.m_endSway = {12, 2, 6, 1, 0.0};
    in.m_midSway = in.m_pierSway = {12, 12, 2, 1, 0.0};
    in.m_dGirderFactor = 1.25;
    in.m_dCrossBeamFactor = 1.15;
    in.m_dGirderBoltFactor = 0.03;
    in.m_dCrossBeamBoltFactor = 0.04;
    in.m_dGirderEndLength = 0.5;
    in.m_dExpansionJointUnitMass = 0.23;
    in.m_dRailingUnitMass = 0.05;
    in.m_dDrainUnitMass = 0.008;
    in.m_nDrainCount = 4;
    in.m_dPaintAreaPerTon = 19.5;
    in.m_bGirderEndMass = 1;
    in.m_nFabricationLabourRate = 27400;
    in.m_nSundryUnitPrice = 11300;
    in.m_nPretreatUnitPrice = 4800;
    in.m_nShopPaintUnitPrice = 5000;
    in.m_nSitePaintUnitPrice = 3000;
    in.m_nDeckSlabUnitPrice = 100000;
    in.m_nRoadwayPavingUnitPrice = 3000;
    in.m_nSidewalkPavingUnitPrice = 8000;
    in.m_nBoltUnitPrice = 250000;
    in.m_nDrainageUnitPrice = 800000;
    in.m_nTransportUnitPrice = 12000;
    in.m_nErectionUnitPrice = 100000;
    in.m_nPlateBasePrice = 69000;
    in.m_nShapeBasePrice = 80000;
    in.m_nScrapPrice = 4500;
    in.m_nRubberBearingPrice = 1500000;
    return in;
}

} // namespace testbridge
