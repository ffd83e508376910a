// Design object of one main girder and its section records.
#pragma once

#include "geometry/plan.h"

#include <vector>

// One section of a main girder. Lengths m, forces tf, moments tf·m, areas m², I and J m⁴,
// weights t.
class CSectionRecord {
public:
    bool operator==(const CSectionRecord&) const = default;

    // Layout. Sections joined to each other form a block (the girder between field joints).
    double m_dLength = 0.0;
    int m_nJoinPrev = 0;            // 1: in the same block as the section before it
    int m_nJoinNext = 0;            // 1: in the same block as the section after it
    int m_anJointKind[2] = {};      // left, right end: 0 field joint, 1 shop joint, 2 girder end
    int m_bEdited = 0;              // changed in the calculation table since it was designed

    // Check points L, R, C: position along the girder, design moment and shear there.
    double m_adCheck[3] = {};
    double m_adM[3] = {};
    double m_adS[3] = {};

    // Plates.
    double m_dBUpper = 0.0, m_dTUpper = 0.0, m_dBLower = 0.0, m_dTLower = 0.0;
    double m_dHWeb = 0.0, m_dTWeb = 0.0;   // a box has two such webs
    int m_nStiffenerLevels = 0;            // horizontal stiffener levels of the web, 0 to 2
    int m_nGradeUpper = 3, m_nGradeWeb = 3, m_nGradeLower = 3;   // 0 to 8; 3 is SM490Y
    int m_nRibsUpper = 0, m_nRibsLower = 0;
    double m_dRibHUpper = 0.0, m_dRibTUpper = 0.0, m_dRibHLower = 0.0, m_dRibTLower = 0.0;
    int m_anBoltHoles[2] = {};             // across the tension flange, left and right end

    // Properties.
    double m_dAreaUpper = 0.0, m_dAreaLower = 0.0, m_dAreaWeb = 0.0;
    double m_dAreaRibUpper = 0.0, m_dAreaRibLower = 0.0;
    double m_dArea = 0.0;
    double m_dNeutralAxis = 0.0;    // above the bottom face of the lower flange
    double m_dI = 0.0;
    double m_dJ = 0.0;
    double m_dMr = 0.0;             // resisting moment

    double m_dWWhole = 0.0;         // steel weight of the section

    // Written by the estimate: upper flange, web, lower flange.
    int m_anSteelCode[3] = {};
    int m_anPriceClass[3] = {};
    double m_dMassUpper = 0.0, m_dMassWeb = 0.0, m_dMassLower = 0.0;
    double m_dMassRibUpper = 0.0, m_dMassRibLower = 0.0;

    // What the last grillage analysis used for this section; -1 marks data from before.
    double m_dAssumedArea = -1.0, m_dAssumedI = -1.0, m_dAssumedJ = -1.0;
};

class CGirderDesign {
public:
    bool operator==(const CGirderDesign&) const = default;

    // Steel weight per metre of this girder for the grillage dead load (tf/m).
    double GetSteelWeightPerLength(int nOption) const;
    // Lengths of the girder's blocks (m): its sections grouped between field joints.
    std::vector<double> BlockLengths() const;
    // The largest upper and lower flange widths over the sections.
    void UpdateMaxFlangeWidths();

    int m_nGirderNo = 0;            // main girder index from 0
    int m_nBridgeType = 0;          // the bridge type when the object was made
    int m_nSections = 0;            // == m_pSections.size()
    std::vector<CSectionRecord> m_pSections;    // the sections along the girder
    double m_dGirderLength = 0.0;   // the sum of its span lengths
    double m_dMaxSectionLength = 0.0, m_dMinSectionLength = 0.0;   // main girder data's limits
    int m_nMembers = 0;             // panel points - 1
    int m_nSpans = 0;
    double m_dMaxBUpper = 0.0, m_dMaxBLower = 0.0;   // largest flange widths over the sections
    std::vector<int> m_pnSpanStart;         // first member of each span, spans + 1 entries
    std::vector<double> m_pdSpanLength;     // the girder's own span lengths
    // Member lengths along this girder; also the "member length" the force-detail page
    // prints. One array under one name, so that copies and comparisons stay plain.
    std::vector<double> m_pdPanelLength;
    double m_adMaxReaction[15] = {};        // largest support reaction per support

    // Member results, one entry per member, at the first (I) and second (J) end.
    std::vector<int> m_pnMemberNoI, m_pnMemberNoJ;
    std::vector<int> m_pnNodeI, m_pnNodeJ;  // m_pnNodeI[0] = -1 in object 0: no member detail
    std::vector<double> m_pdMomentDeadI, m_pdMomentLivePlusI, m_pdMomentLiveMinusI,
        m_pdMomentTotalPlusI, m_pdMomentTotalMinusI;
    std::vector<double> m_pdMomentDeadJ, m_pdMomentLivePlusJ, m_pdMomentLiveMinusJ,
        m_pdMomentTotalPlusJ, m_pdMomentTotalMinusJ;
    std::vector<double> m_pdShearDeadI, m_pdShearLivePlusI, m_pdShearLiveMinusI,
        m_pdShearTotalPlusI, m_pdShearTotalMinusI;
    std::vector<double> m_pdShearDeadJ, m_pdShearLivePlusJ, m_pdShearLiveMinusJ,
        m_pdShearTotalPlusJ, m_pdShearTotalMinusJ;
    std::vector<double> m_pdTorsionDead, m_pdTorsionLivePlus, m_pdTorsionLiveMinus,
        m_pdTorsionTotalPlus, m_pdTorsionTotalMinus;

    // Diagram data: moment curves per member, shear curves and envelopes per result node
    // (node 2m is the first end of member m, node 2m+1 its second end).
    std::vector<double> m_pdMomentMaxI, m_pdMomentMaxJ, m_pdMomentMinI, m_pdMomentMinJ;
    int m_nNodes = 0;
    std::vector<CDPoint> m_pShearMax, m_pShearMin;
    std::vector<CDPoint> m_pMomentEnv;
    std::vector<int> m_pnMomentSign;
    std::vector<CDPoint> m_pShearEnv;
    std::vector<int> m_pnShearSign;
    int m_nPeaks = 0;
    CDPoint m_aPeaks[100] = {};             // local maxima of the moment envelope

    // Support reactions, supports s = 0..14, detail blocks g = 0..20.
    int m_anReactNode[15] = {};
    double m_adReactDead[15] = {}, m_adReactLivePlus[15] = {}, m_adReactLiveMinus[15] = {},
        m_adReactDLPlus[15] = {}, m_adReactDLMinus[15] = {}, m_adReact2LMinusD[15] = {};
    int m_anDetailNode[15][21] = {{-1}};    // -1 at [0][0] in object 0: no detail
    double m_adDetailDead[15][21] = {}, m_adDetailLivePlus[15][21] = {},
        m_adDetailLiveMinus[15][21] = {}, m_adDetailDLPlus[15][21] = {},
        m_adDetailDLMinus[15][21] = {};
    double m_adDetailTotalDead[15] = {}, m_adDetailTotalLivePlus[15] = {},
        m_adDetailTotalLiveMinus[15] = {}, m_adDetailTotalDLPlus[15] = {},
        m_adDetailTotalDLMinus[15] = {};

    // Deflections (mm) per panel point of the girder line.
    double m_adDeflDead[281] = {}, m_adDeflLivePlus[281] = {}, m_adDeflLiveMinus[281] = {};
    int m_abNodeIsSupport[281] = {};

    // What the dead load needs of the input before the sections are designed; the
    // document sets it when it makes the design objects.
    int m_bCarriesDeadLoad = 1;     // 0 for the inner lines of a single box
    int m_nDeadLoadChoice = 2;
    double m_dAssumedWeight = 0.0;  // tf/m
};
