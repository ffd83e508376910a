// The money of the estimate: material cost, fabrication labour hours, shop, site and
// general administration costs.
#include "estimate/estimate_calc.h"

#include <algorithm>
#include <cmath>

namespace estimate {

namespace {

// One item's yen, truncated toward zero; nothing for an amount that is not a number.
long long Yen(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    constexpr double kLimit = 9.0e18;
    return static_cast<long long>(std::clamp(amount, -kLimit, kLimit));
}

double Div(double a, double b)
{
    return b != 0.0 && std::isfinite(a / b) ? a / b : 0.0;
}

// b^e, zero for a base that is not positive.
double Power(double b, double e)
{
    return b > 0.0 ? std::pow(b, e) : 0.0;
}

double Distance(CDPoint a, CDPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

void CEstimateCalc::CalcMaterialCost()
{
    const int sizeExtra = in.m_nSizeExtra != 0 ? in.m_nSizeExtra : (in.m_nBridgeType == 0 ? 1500 : 2000);
    d.m_nSteelMaterialTotal = 0;
    for (int g = 0; g < kGroups; ++g) {
        d.m_anSteelMaterialCost[g] = 0;
        const int base = g == 2 || g == 3 ? in.m_nShapeBasePrice : in.m_nPlateBasePrice;
        for (int i = 0; i < kClasses; ++i) {
            const double unit = double(sizeExtra) + d.m_anSteelExtra[i] + base;
            const double charged = unit * (1.0 + 0.1) - 0.7 * 0.1 * in.m_nScrapPrice;
            d.m_anSteelMaterialCost[g] += Yen(charged * d.m_adMassByClass[g][i]);
        }
        d.m_nSteelMaterialTotal += d.m_anSteelMaterialCost[g];
    }
    d.m_nSurfacePrepCost = Yen(double(in.m_nPretreatUnitPrice) * d.m_dSteelMassTotal);
    d.m_nSteelAndPrepCost = d.m_nSteelMaterialTotal + d.m_nSurfacePrepCost;

    // Bearings: one per girder (two under the single box) at every support line.
    double bearings = 0.0;
    for (int line = 0; line <= in.m_nSpans; ++line) {
        const double r = size_t(line) < in.m_adLineReaction.size() ? std::max(0.0, in.m_adLineReaction[size_t(line)]) : 0.0;
        bearings += BearingStepValue(0, r);
    }
    const int perLine = in.m_nBridgeType == 2 ? 2 : in.m_nGirders;
    bearings *= perLine;
    if (in.m_nBearingPriceMode == 0)
        d.m_nBearingCost = Yen(bearings / 1000.0 * in.m_nRubberBearingPrice);
    else
        d.m_nBearingCost = Yen(double(in.m_nBearingPricePerPiece) * (in.m_nSpans + 1) * perLine);

    d.m_nHTBoltCost = Yen((d.m_dGirderBoltMass + d.m_dCrossBeamBoltMass) * in.m_nBoltUnitPrice);
    d.m_nDrainageCost = Yen(double(in.m_nDrainageUnitPrice) * d.m_dDrainageMass);
    d.m_nSubMaterialCost = Yen(double(in.m_nSundryUnitPrice) * d.m_dSteelMassTotal);

    // Ready-made railing: each railing line once, with the girder ends as its mass has them.
    d.m_nReadyRailingCost = 0;
    if (in.m_nRailingType == 2) {
        double length = 0.0;
        for (const CEstimateInput::Span& span : in.m_aSpans) {
            const int panels = std::min(span.m_nPanels, int(span.m_aPoints.size()) - 1);
            for (int j = 0; j < panels; ++j) {
                const CPanelPointRecord &p0 = span.m_aPoints[size_t(j)], &p1 = span.m_aPoints[size_t(j + 1)];
                length += Distance(p0.m_aptEdge[2], p1.m_aptEdge[2]) + Distance(p0.m_aptEdge[3], p1.m_aptEdge[3]);
            }
        }
        d.m_nReadyRailingCost = Yen(double(in.m_nRailingUnitPrice) * length * LengthFactor());
    }
    d.m_nReadyJointCost = 0;
    if (in.m_nJointType == 2 && !in.m_aSpans.empty() && !in.m_aSpans.front().m_aPoints.empty() &&
        !in.m_aSpans.back().m_aPoints.empty()) {
        const CPanelPointRecord& a = in.m_aSpans.front().m_aPoints.front();
        const CEstimateInput::Span& last = in.m_aSpans.back();
        const CPanelPointRecord& b = last.m_aPoints[size_t(std::clamp(last.m_nPanels, 0, int(last.m_aPoints.size()) - 1))];
        d.m_nReadyJointCost = Yen(double(in.m_nJointUnitPrice) *
                                  (Distance(a.m_aptEdge[0], a.m_aptEdge[1]) + Distance(b.m_aptEdge[0], b.m_aptEdge[1])));
    }
    d.m_nMaterialCost = d.m_nSteelAndPrepCost + d.m_nBearingCost + d.m_nHTBoltCost + d.m_nDrainageCost +
                        d.m_nSubMaterialCost + d.m_nReadyRailingCost + d.m_nReadyJointCost;
}

void CEstimateCalc::CalcFabricationCost()
{
    const bool box = in.m_nBridgeType != 0;
    const bool single = in.m_nSpans == 1;
    // Standard hours by bridge form: plate girder of one span, continuous plate girder, box types.
    struct Form {
        double a1, a2, b1, b2, c, m1, m2, m3;
    };
    static const Form forms[3] = {{1.15, 0.25, 0.94, 0.39, 0.43, 0.847, 0.0204, 1.016},
                                  {1.22, 0.19, 0.78, 0.37, 0.38, 0.724, 0.0186, 0.918},
                                  {2.25, 0.31, 0.87, 0.37, 3.09, 1.235, 0.0337, 6.165}};
    const Form& f = forms[box ? 2 : (single ? 0 : 1)];

    // The labour elements' totals, as the labour element table shows them.
    d.m_dManHourA1 = d.m_nLargePiecesTotal;
    d.m_dManHourA2 = d.m_nSmallPiecesTotal;
    d.m_dManHourA1Std = f.a1;
    d.m_dManHourA2Std = f.a2;
    // A count of zero takes no hours.
    d.m_dManHourK1 = d.m_dManHourA1 > 0.0 ? 0.67 * Div(Div(d.m_dLargePieceMass, d.m_dManHourA1), f.m1) + 0.33 : 0.0;
    d.m_dManHourK2 = d.m_dManHourA2 > 0.0 ? 0.86 * Div(Div(d.m_dSmallPieceMass, d.m_dManHourA2), f.m2) + 0.14 : 0.0;
    d.m_dManHourY1 = d.m_dManHourA1 * f.a1 * d.m_dManHourK1 + d.m_dManHourA2 * f.a2 * d.m_dManHourK2;

    d.m_dManHourB1 = d.m_dSpliceWeldLengthTotal;
    d.m_dManHourB2 = d.m_dTWeldLengthTotal;
    d.m_dManHourB1Std = f.b1;
    d.m_dManHourB2Std = f.b2;
    d.m_dManHourY2 = d.m_dManHourB1 * f.b1 / 10.0 + d.m_dManHourB2 * f.b2 / 10.0;

    // The 570-grade share of the main members' processed steel.
    d.m_dManHourK3 = box ? 0.25 : 0.28;
    d.m_dManHourW0 = d.m_dMainMemberMass > 0.0 ? Div(d.m_dGrade570Mass, d.m_dMainMemberMass) : 0.0;
    d.m_dManHourK = d.m_dManHourW0 * d.m_dManHourK3 + 1.0;

    d.m_nManHourC = d.m_nMembersTotal;
    d.m_dManHourCStd = f.c;
    d.m_dManHourK4 = d.m_nManHourC > 0 ? 0.82 * Div(Div(d.m_dSteelMassTotal, d.m_nManHourC), f.m3) + 0.18 : 0.0;
    d.m_dManHourY3 = d.m_nManHourC * f.c * d.m_dManHourK4;

    d.m_dManHourC1 = d.m_dManHourC2 = d.m_dManHourC1Std = d.m_dManHourC2Std = 0.0;
    d.m_dManHourK5Frame = d.m_dManHourK5Lateral = 0.0;
    d.m_dManHourY4 = 0.0;
    if (!box) {
        d.m_dManHourC1 = d.m_nSwayMembers;
        d.m_dManHourC2 = d.m_nLateralMembers;
        d.m_dManHourC1Std = 0.81;
        d.m_dManHourC2Std = 0.32;
        double height = 0.0, spacing = 0.0;
        int girders = 0, spans = 0;
        for (int g = 0; g < in.m_nGirders && g < int(in.m_adGirderHeight.size()); ++g, ++girders)
            height += in.m_adGirderHeight[size_t(g)];
        for (const CEstimateInput::Span& span : in.m_aSpans) {
            spacing += (span.m_adGirderSpacing[0] + span.m_adGirderSpacing[1]) / 2.0;
            ++spans;
        }
        const double x = Div(height, girders) * Div(spacing, spans);
        if (x < 4.0) {
            d.m_dManHourK5Frame = 0.93;
            d.m_dManHourK5Lateral = 0.92;
        } else if (x < 6.0) {
            d.m_dManHourK5Frame = d.m_dManHourK5Lateral = 1.0;
        } else {
            d.m_dManHourK5Frame = 1.14;
            d.m_dManHourK5Lateral = 1.16;
        }
        d.m_dManHourY4 = d.m_dManHourC1 * d.m_dManHourC1Std * d.m_dManHourK5Frame +
                         d.m_dManHourC2 * d.m_dManHourC2Std * d.m_dManHourK5Lateral;
    }

    // Fittings made in the shop.
    d.m_dManHourD = in.m_nJointType == 2 ? 0.0 : d.m_dExpansionJointMass;
    d.m_dManHourE = in.m_nRailingType == 2 ? 0.0 : d.m_dRailingMass;
    d.m_dManHourDStd = in.m_nJointType == 0 ? 11.2 : in.m_nJointType == 1 ? 12.2 : 0.0;
    if (in.m_nRailingType == 0)
        d.m_dManHourEStd = in.m_nRailingPost == 1 ? 9.1 : in.m_nRailingPost == 2 ? 10.2 : 8.9;
    else
        d.m_dManHourEStd = in.m_nRailingType == 1 ? 11.1 : 0.0;

    // Corrections.
    static const double alphaByChoice[6] = {0.0, 0.0, 0.03, 0.04, 0.06, 0.07};
    if (in.m_nMultiSpanCorrection == 0) {
        const int n = in.m_nSpans;
        d.m_dManHourAlpha = n <= 1 ? 0.0 : n == 2 ? 0.03 : n <= 4 ? 0.04 : n <= 6 ? 0.06 : 0.07;
    } else {
        d.m_dManHourAlpha = in.m_nMultiSpanCorrection > 0 && in.m_nMultiSpanCorrection < 6 ? alphaByChoice[in.m_nMultiSpanCorrection] : 0.0;
    }
    static const double betaPlate[8] = {0.0, 0.0, 0.09, 0.15, 0.2, 0.03, 0.05, 0.1};
    static const double betaBox[8] = {0.0, 0.0, 0.19, 0.25, 0.29, 0.03, 0.03, 0.03};
    const int choice = in.m_nCurveSkewCorrection;
    d.m_dManHourBeta = choice >= 0 && choice < 8 ? (box ? betaBox : betaPlate)[choice] : 0.0;
    d.m_dManHourGamma = !in.m_bHeightVaries ? 0.0 : box ? 0.11 : 0.05;
    double total = 0.0;
    for (const CEstimateInput::Span& span : in.m_aSpans)
        total += span.m_dLength;
    const double mean = Div(total, double(in.m_aSpans.size()));
    if (!box)
        d.m_dManHourDelta = mean < 30.0 ? -0.03 : mean < 40.0 ? 0.0 : 0.03;
    else
        d.m_dManHourDelta = mean < 40.0 ? -0.04 : mean < 50.0 ? -0.03 : mean < 60.0 ? 0.0 : mean < 70.0 ? 0.03 : 0.06;

    const double a = d.m_dManHourAlpha, b = d.m_dManHourBeta, g = d.m_dManHourGamma, dl = d.m_dManHourDelta;
    d.m_dManHourY5 = d.m_dManHourD * d.m_dManHourDStd * (1.0 - a) * (1.0 + b) + d.m_dManHourE * d.m_dManHourEStd * (1.0 + b);
    d.m_dManHourY = ((d.m_dManHourY1 + d.m_dManHourY2) * d.m_dManHourK + d.m_dManHourY3 + d.m_dManHourY4) * (1.0 - a) *
                        (1.0 + b) * (1.0 + g) * (1.0 + dl) +
                    d.m_dManHourY5;
    d.m_dFabricationCost = double(in.m_nFabricationLabourRate) * d.m_dManHourY;
}

void CEstimateCalc::CalcShopCostTotals()
{
    d.m_nShopPaintCost = in.m_bZeroPaintCost ? 0 : Yen(double(in.m_nShopPaintUnitPrice) * d.m_dPaintArea);
    d.m_dShopDirectCost = double(d.m_nMaterialCost) + d.m_dFabricationCost + double(d.m_nShopPaintCost);
    d.m_dIndirectLabourCost = d.m_dFabricationCost * in.m_dIndirectLabourRate;
    d.m_dShopOverheadCost = (double(d.m_nShopPaintCost) + d.m_dFabricationCost + d.m_dIndirectLabourCost) * in.m_dShopOverheadRate;
    d.m_dShopIndirectCost = d.m_dIndirectLabourCost + d.m_dShopOverheadCost;
    d.m_nShopOtherCost = 0;
    d.m_dShopCostTotal = d.m_dShopDirectCost + d.m_dShopIndirectCost;
}

double CommonTemporaryRate(double dP1, int nCostMethod, int nRegion)
{
    if (dP1 <= 0.0)
        return 0.0;
    if (nCostMethod == 0)
        return 353.6 * Power(dP1, -0.1827) / 100.0;
    const double r = std::clamp(629.7 * Power(dP1, -0.2043) / 100.0, 0.0913, 0.2596);
    static const double factor[4] = {1.02, 1.01, 1.015, 1.0};
    return r * (nRegion >= 0 && nRegion < 4 ? factor[nRegion] : 1.0);
}

double SiteManagementRate(double dP2, int nCostMethod, int nRegion, double dSeasonPercent)
{
    if (dP2 <= 0.0)
        return 0.0;
    if (nCostMethod == 0)
        return 122.7 * Power(dP2, -0.1181) / 100.0;
    const double r = std::clamp(77.5 * Power(dP2, -0.0519) / 100.0, 0.2644, 0.342);
    static const double addend[4] = {1.015, 1.005, 1.01, 1.0};
    return r * (dSeasonPercent / 100.0 + (nRegion >= 0 && nRegion < 4 ? addend[nRegion] : 1.0));
}

double GeneralAdminRate(double dCp, int nCostMethod, double dPrepayment, double dGuaranteePercent)
{
    if (dCp <= 0.0)
        return 0.0;
    double r = (std::log10(dCp) * -2.57651 + 31.63531) / 100.0;
    if (nCostMethod != 0)
        r = std::clamp(r, 0.0722, 0.1438) * dPrepayment + dGuaranteePercent / 100.0;
    return r;
}

void CEstimateCalc::CalcTemporaryAndSiteCosts()
{
    const double mass = d.m_dSteelMassTotal;
    d.m_nTransportCost = Yen(double(in.m_nTransportUnitPrice) * mass);
    d.m_nErectionCost = Yen(double(in.m_nErectionUnitPrice) * mass);
    d.m_nSitePaintCost = in.m_bZeroPaintCost ? 0 : Yen(double(in.m_nSitePaintUnitPrice) * d.m_dPaintArea);
    d.m_nDeckSlabCost = Yen(double(in.m_nDeckSlabUnitPrice) * d.m_dDeckConcreteVolume);
    d.m_nRoadwayPavingCost = Yen(double(in.m_nRoadwayPavingUnitPrice) * d.m_dRoadwayPavingArea);
    d.m_nSidewalkPavingCost = Yen(double(in.m_nSidewalkPavingUnitPrice) * d.m_dSidewalkPavingArea);
    d.m_nPavingCost = d.m_nRoadwayPavingCost + d.m_nSidewalkPavingCost;
    const double p1 = double(d.m_nTransportCost + d.m_nErectionCost + d.m_nSitePaintCost + d.m_nDeckSlabCost + d.m_nPavingCost);
    d.m_dSiteDirectCost = p1;
    d.m_dCommonTemporaryRate = CommonTemporaryRate(p1, in.m_nCostMethod, in.m_nRegion);
    d.m_nCommonTemporaryCost = Yen(d.m_dCommonTemporaryRate * p1);
    const double p2 = double(d.m_nCommonTemporaryCost) + p1;
    d.m_dSiteManagementRate = SiteManagementRate(p2, in.m_nCostMethod, in.m_nRegion, in.m_dSeasonPercent);
    d.m_nSiteManagementCost = Yen(p2 * d.m_dSiteManagementRate);
    d.m_dSiteIndirectCost = double(d.m_nCommonTemporaryCost + d.m_nSiteManagementCost);
    d.m_dSiteCostTotal = p1 + d.m_dSiteIndirectCost;
}

void CEstimateCalc::CalcGeneralAdminCost()
{
    const double cp = d.m_dShopCostTotal + d.m_dSiteCostTotal;
    d.m_dGeneralAdminRate = GeneralAdminRate(cp, in.m_nCostMethod, in.m_dPrepaymentFactor, in.m_dGuaranteePercent);
    d.m_dGeneralAdminCost = cp * d.m_dGeneralAdminRate;
}

} // namespace estimate
