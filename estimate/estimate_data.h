// What an estimate run computes: quantities, masses by grade and price class, labour hours
// and money. The document holds one of these; the estimate tables and reports read it.
// Yen amounts are 64-bit: a large bridge passes 2^31 yen, and none of them is stored in a file.
#pragma once

#include "estimate/quantity_detail.h"

namespace estimate {
constexpr int kGroups = 7;          // main girders, cross beams, cross frames, lateral, brackets, edge stringers, stringers
constexpr int kCodes = 36;          // steel material codes 0..34, one spare
constexpr int kClasses = 97;        // price classes
constexpr int kMaxCode = 34;
} // namespace estimate

struct CEstimateData {
    bool operator==(const CEstimateData&) const = default;

    // Steel price extras, yen per t, by price class.
    int m_anSteelExtra[estimate::kClasses] = {};

    // Masses by steel material code and by price class, per member group (t).
    double m_adMassByCode[estimate::kGroups][estimate::kCodes] = {};
    double m_adRibMassByCode[estimate::kCodes] = {};
    double m_adMassByClass[estimate::kGroups][estimate::kClasses] = {};
    double m_dGrade570Mass = 0.0;

    // Cross members by kind.
    int m_nCrossBeamCount = 0, m_nEndSwayCount = 0, m_nMidSwayCount = 0, m_nPierSwayCount = 0;

    // Steel quantities (t).
    double m_dGirderMass = 0.0, m_dGirderCalcMass = 0.0, m_dGirderExtraMass = 0.0, m_dGirderEndMass = 0.0;
    double m_dFlangeRibMass = 0.0, m_dFlangeRibEndMass = 0.0;
    double m_dCrossBeamMass = 0.0, m_dCrossBeamCalcMass = 0.0, m_dCrossBeamExtraMass = 0.0;
    double m_dEndSwayMass = 0.0, m_dMidSwayMass = 0.0, m_dPierSwayMass = 0.0, m_dSwayMass = 0.0;
    double m_dOuterLateralMass = 0.0, m_dInnerLateralMass = 0.0, m_dLateralMass = 0.0;
    int m_nLateralMemberCount = 0;
    double m_dLeftBracketMass = 0.0, m_dRightBracketMass = 0.0;
    double m_dEdgeStringerMass = 0.0, m_dEdgeStringerEndMass = 0.0;
    double m_dStringerMass = 0.0, m_dStringerCalcMass = 0.0, m_dStringerExtraMass = 0.0, m_dStringerEndMass = 0.0;
    double m_dGirderBoltMass = 0.0, m_dCrossBeamBoltMass = 0.0;
    double m_dRailingMass = 0.0, m_dExpansionJointMass = 0.0, m_dDrainageMass = 0.0, m_dOtherMass = 0.0;
    double m_dSteelMassTotal = 0.0;
    double m_dPaintArea = 0.0;      // m2

    // Deck areas (m2) and concrete volumes (m3).
    double m_dRoadwayPavingArea = 0.0, m_dSidewalkPavingArea = 0.0;
    double m_dDeckConcreteVolume = 0.0, m_dSidewalkConcreteVolume = 0.0;

    // Labour elements.
    int m_nGirderLargePieces = 0, m_nGirderSmallPieces = 0, m_nGirderMembers = 0;
    int m_nCrossBeamLargePieces = 0, m_nCrossBeamSmallPieces = 0, m_nCrossBeamMembers = 0;
    int m_nStringerLargePieces = 0, m_nStringerSmallPieces = 0, m_nStringerMembers = 0;
    int m_nSwayMembers = 0, m_nLateralMembers = 0;
    int m_nBracketSmallPieces = 0, m_nBracketMembers = 0;
    int m_nEdgeStringerSmallPieces = 0, m_nEdgeStringerMembers = 0;
    int m_nLargePiecesTotal = 0, m_nSmallPiecesTotal = 0, m_nMembersTotal = 0;
    double m_dLargePieceMass = 0.0, m_dSmallPieceMass = 0.0;
    double m_dMainMemberMass = 0.0, m_dFabricatedMass = 0.0;
    double m_dGirderTWeldLength = 0.0, m_dCrossBeamTWeldLength = 0.0, m_dTWeldLengthTotal = 0.0;     // m
    double m_dGirderSpliceWeldLength = 0.0, m_dCrossBeamSpliceWeldLength = 0.0, m_dSpliceWeldLengthTotal = 0.0;

    // Cost roll-up (yen).
    long long m_anSteelMaterialCost[estimate::kGroups] = {};
    long long m_nSteelMaterialTotal = 0, m_nSurfacePrepCost = 0, m_nSteelAndPrepCost = 0;
    long long m_nHTBoltCost = 0, m_nBearingCost = 0, m_nDrainageCost = 0, m_nSubMaterialCost = 0;
    long long m_nReadyJointCost = 0, m_nReadyRailingCost = 0, m_nMaterialCost = 0;
    long long m_nShopPaintCost = 0, m_nShopOtherCost = 0;
    double m_dShopDirectCost = 0.0;
    double m_dIndirectLabourCost = 0.0, m_dShopOverheadCost = 0.0, m_dShopIndirectCost = 0.0, m_dShopCostTotal = 0.0;
    long long m_nTransportCost = 0, m_nErectionCost = 0, m_nSitePaintCost = 0, m_nDeckSlabCost = 0;
    long long m_nRoadwayPavingCost = 0, m_nSidewalkPavingCost = 0, m_nPavingCost = 0;
    double m_dSiteDirectCost = 0.0;
    double m_dCommonTemporaryRate = 0.0;
    long long m_nCommonTemporaryCost = 0;
    double m_dSiteManagementRate = 0.0;
    long long m_nSiteManagementCost = 0;
    double m_dSiteIndirectCost = 0.0, m_dSiteCostTotal = 0.0;
    double m_dGeneralAdminRate = 0.0, m_dGeneralAdminCost = 0.0;

    // Fabrication labour-hour model.
    double m_dManHourA1 = 0.0, m_dManHourA2 = 0.0, m_dManHourA1Std = 0.0, m_dManHourA2Std = 0.0;
    double m_dManHourK1 = 0.0, m_dManHourK2 = 0.0;
    double m_dManHourB1 = 0.0, m_dManHourB2 = 0.0, m_dManHourB1Std = 0.0, m_dManHourB2Std = 0.0;
    double m_dManHourW0 = 0.0, m_dManHourK3 = 0.0, m_dManHourK = 0.0;
    int m_nManHourC = 0;
    double m_dManHourCStd = 0.0, m_dManHourK4 = 0.0;
    double m_dManHourC1 = 0.0, m_dManHourC2 = 0.0, m_dManHourC1Std = 0.0, m_dManHourC2Std = 0.0;
    double m_dManHourK5Frame = 0.0, m_dManHourK5Lateral = 0.0;
    double m_dManHourD = 0.0, m_dManHourDStd = 0.0, m_dManHourE = 0.0, m_dManHourEStd = 0.0;
    double m_dManHourAlpha = 0.0, m_dManHourBeta = 0.0, m_dManHourGamma = 0.0, m_dManHourDelta = 0.0;
    double m_dManHourY1 = 0.0, m_dManHourY2 = 0.0, m_dManHourY3 = 0.0, m_dManHourY4 = 0.0, m_dManHourY5 = 0.0;
    double m_dManHourY = 0.0;
    double m_dFabricationCost = 0.0;    // yen

    // What the quantities were summed from, member by member.
    CQuantityDetail m_detail;
};
