// The estimate's steps: quantities, deck, welds and labour elements, masses by code and class.
#include "estimate/estimate_calc.h"

#include <algorithm>
#include <cmath>

namespace estimate {

namespace {

constexpr double kShapeUnitMass[15] = {0.0156, 0.0188, 0.0207, 0.0221, 0.0297, 0.00996, 0.0133, 0.0149,
                                       0.0179, 0.0234, 0.0273, 0.0346, 0.0381, 0.0438, 0.0545};

double ShapeMass(int nShape)
{
    return nShape >= 0 && nShape < 15 ? kShapeUnitMass[nShape] : 0.0;
}

double Dist(CDPoint a, CDPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

} // namespace

double TriangleArea(CDPoint p1, CDPoint p2, CDPoint p3)
{
    const double d1 = Dist(p1, p2), d2 = Dist(p2, p3), d3 = Dist(p3, p1);
    const double s = (d1 + d2 + d3) / 2.0;
    // Nearly collinear points can round the product below zero.
    const double product = s * (s - d3) * (s - d2) * (s - d1);
    return product > 0.0 ? std::sqrt(product) : 0.0;
}

double QuadArea(CDPoint p1, CDPoint p2, CDPoint p3, CDPoint p4)
{
    return TriangleArea(p1, p2, p3) + TriangleArea(p3, p4, p1);
}

CEstimateCalc::CEstimateCalc(const CEstimateInput& input) : d(m_result.data), in(input)
{
    m_result.sections.resize(in.m_aGirders.size());
    for (size_t g = 0; g < in.m_aGirders.size(); ++g)
        m_result.sections[g].resize(in.m_aGirders[g].m_pSections.size());
}

double CEstimateCalc::Density() const
{
    return in.m_bSIUnits == 1 ? 7.851814839930048 : 7.85;
}

double CEstimateCalc::MinGirderHeight() const
{
    double h = 1e20;
    for (int g = 0; g < in.m_nGirders && g < int(in.m_adGirderHeight.size()); ++g)
        h = std::min(h, in.m_adGirderHeight[size_t(g)]);
    return h;
}

double CEstimateCalc::BayWidth(const CPanelPointRecord& pp) const
{
    if (in.m_nGirders < 2)
        return 0.0;
    if (in.m_nBridgeType == 0)
        return pp.m_dWidth / (in.m_nGirders - 1);
    if (in.m_nBridgeType == 1)
        return (pp.m_dWidth - in.m_dWebSpacing / 1000.0) / (in.m_nGirders - 1);
    return 0.0;
}

std::vector<int> CEstimateCalc::UsedGirders() const
{
    std::vector<int> used;
    const int count = std::min(in.m_nGirders, int(in.m_aGirders.size()));
    if (in.m_nBridgeType == 2) {
        if (count > 1)
            used.push_back(1);
    } else {
        for (int g = 0; g < count; ++g)
            used.push_back(g);
    }
    return used;
}

double CEstimateCalc::GirderLength(int g) const
{
    return g >= 0 && g < int(in.m_aGirders.size()) ? in.m_aGirders[size_t(g)].m_dGirderLength : 0.0;
}

double CEstimateCalc::LengthFactor() const
{
    return in.GirderEndLengthFactor();
}

template <class Fn> void CEstimateCalc::ForEachPanelPoint(Fn fn) const
{
    const int spans = int(in.m_aSpans.size());
    for (int s = 0; s < spans; ++s) {
        const CEstimateInput::Span& span = in.m_aSpans[size_t(s)];
        const int last = std::min(span.m_nPanels, int(span.m_aPoints.size()) - 1);
        for (int k = 0; k <= last; ++k)
            if (k < last || s == spans - 1)
                fn(span.m_aPoints[size_t(k)]);
    }
}

template <class Fn> void CEstimateCalc::ForEachPanel(Fn fn) const
{
    for (const CEstimateInput::Span& span : in.m_aSpans) {
        const int panels = std::min(span.m_nPanels, int(span.m_aPoints.size()) - 1);
        for (int j = 0; j < panels; ++j) {
            static const std::array<double, 12> none = {};
            const std::array<double, 12>& h0 = size_t(j) < span.m_aHeights.size() ? span.m_aHeights[size_t(j)] : none;
            const std::array<double, 12>& h1 =
                size_t(j + 1) < span.m_aHeights.size() ? span.m_aHeights[size_t(j + 1)] : none;
            fn(span, j, span.m_aPoints[size_t(j)], span.m_aPoints[size_t(j + 1)], h0, h1);
        }
    }
}

void CEstimateCalc::Run()
{
    LoadUnitPrices();
    CountMemberTypes();
    CalcQuantities();
    CalcPaintArea();
    CalcPavingAreas();
    CalcConcreteVolumes();
    CalcWeldLengths();
    CalcLabourElements();
    AssignSteelCodes();
    AssignPriceClasses();
    CalcMassBySteelCode();
    CalcMassByPriceClass();
    SumGrade570Masses();
    CalcMaterialCost();
    CalcFabricationCost();
    CalcShopCostTotals();
    CalcTemporaryAndSiteCosts();
    CalcGeneralAdminCost();
}

Result RunEstimate(const CEstimateInput& in)
{
    CEstimateCalc calc(in);
    calc.Run();
    return calc.m_result;
}

// ---- step 1 ----

void CEstimateCalc::LoadUnitPrices()
{
    m_result.extrasFromFile = in.m_extraFile.has_value();
    m_result.extras = ExtrasStatus::Read;
    if (!in.m_extraFile) {
        SetDefaultUnitPrices(d.m_anSteelExtra);
        return;
    }
    // At most the first 100 KB of the file are read.
    m_result.extras = ParseSteelExtras(in.m_extraFile->left(102400), d.m_anSteelExtra);
}

// ---- steps 2 to 4 ----

void CEstimateCalc::CountMemberTypes()
{
    d.m_nCrossBeamCount = d.m_nEndSwayCount = d.m_nMidSwayCount = d.m_nPierSwayCount = 0;
    if (in.m_nBridgeType == 2)
        return;
    ForEachPanelPoint([&](const CPanelPointRecord& pp) {
        switch (pp.m_nMemberKind) {
        case END_SWAY_BRACING: ++d.m_nEndSwayCount; break;
        case INTERMEDIATE_SWAY_BRACING: ++d.m_nMidSwayCount; break;
        case CROSS_BEAM: ++d.m_nCrossBeamCount; break;
        case SUPPORT_SWAY_BRACING: ++d.m_nPierSwayCount; break;
        default: break;
        }
    });
}

CrossBeamPlates CEstimateCalc::CalcCrossBeamMass(const CPanelPointRecord& pp) const
{
    const CEstimateInput::CrossBeam& cb = in.m_crossBeam;
    const double h = cb.m_dDistance / 1000.0 >= 1e-20 ? cb.m_dDistance / 1000.0 : 0.8 * MinGirderHeight();
    // Between boxes the cross beam spans the gaps only: each box takes one web spacing off the line.
    double length = pp.m_dWidth;
    if (in.m_nBridgeType != 0)
        length -= std::max(0, in.m_nGirders - 1) * in.m_dWebSpacing / 1000.0;
    CrossBeamPlates p;
    p.tf = cb.m_dFlangeThickness / 1000.0;
    p.tw = cb.m_dWebThickness / 1000.0;
    p.h = h;
    p.length = length;
    p.flange = 2.0 * (p.tf * cb.m_dFlangeWidth / 1000.0) * length * Density();
    p.web = h * p.tw * length * Density();
    p.total = p.flange + p.web;
    return p;
}

double CEstimateCalc::CalcSwayMass(const CEstimateInput::Sway& sway, const CPanelPointRecord& pp) const
{
    const double a = BayWidth(pp);
    const double h = sway.m_dDistance / 1000.0 >= 1e-20 ? sway.m_dDistance / 1000.0 : 0.8 * MinGirderHeight();
    const double diagonal = std::sqrt((a / 2.0) * (a / 2.0) + h * h);
    return std::max(0, in.m_nGirders - 1) *
           (ShapeMass(sway.m_nUpperChord) * a + ShapeMass(sway.m_nLowerChord) * a + 2.0 * diagonal * ShapeMass(sway.m_nDiagonal));
}

namespace {

struct BracketPlates {
    double upper = 0.0, lower = 0.0, web = 0.0, tf = 0.0, tw = 0.0;
    double af = 0.0, aw = 0.0, l = 0.0, li = 0.0;
    int count = 0;
    double Sum() const { return upper + lower + web; }
    CQuantityDetail::Bracket Detail() const { return {af, aw, l, li, count, upper, web, lower}; }
};

BracketPlates BracketMass(const CEstimateInput::Bracket& b, double dGirderHeight, int nPanels, double rho)
{
    double b1, b2;
    if (b.m_dDistBR >= 1e-20) {
        b1 = b.m_dDistBL / 1000.0;
        b2 = b.m_dDistBR / 1000.0;
    } else {
        b1 = 0.5 * dGirderHeight;
        b2 = 0.8 * dGirderHeight;
    }
    const double af = b.m_dFlangeThickness * b.m_dFlangeWidth * 1e-6;
    const double aw = ((b1 + b2) * b.m_dWebThickness / 2.0) * 0.001;
    const double l = b.m_dLength / 1000.0;
    const double li = std::sqrt(l * l + (b2 - b1) * (b2 - b1));
    BracketPlates p;
    p.upper = l * af * nPanels * rho;
    p.lower = li * af * nPanels * rho;
    p.web = l * aw * nPanels * rho;
    p.tf = b.m_dFlangeThickness / 1000.0;
    p.tw = b.m_dWebThickness / 1000.0;
    p.af = af;
    p.aw = aw;
    p.l = l;
    p.li = li;
    p.count = nPanels;
    return p;
}

struct StringerPlates {
    double flange = 0.0, web = 0.0, tf = 0.0, tw = 0.0;    // one flange
    double af = 0.0, aw = 0.0, length = 0.0;
    double Sum() const { return 2.0 * flange + web; }
    CQuantityDetail::Stringer Detail(int nCount) const { return {af, aw, length, flange * nCount, web * nCount}; }
};

StringerPlates StringerMass(const CEstimateInput::Stringer& s, double dLength, double dMinHeight, double rho)
{
    const double hs = s.m_dWebHeight / 1000.0 >= 1e-20 ? s.m_dWebHeight / 1000.0 : 0.5 * dMinHeight;
    StringerPlates p;
    p.af = s.m_dFlangeThickness * s.m_dFlangeWidth * 1e-6;
    p.aw = hs * s.m_dWebThickness * 0.001;
    p.length = dLength;
    p.flange = dLength * p.af * rho;
    p.web = dLength * p.aw * rho;
    p.tf = s.m_dFlangeThickness / 1000.0;
    p.tw = s.m_dWebThickness / 1000.0;
    return p;
}

} // namespace

void CEstimateCalc::CalcQuantities()
{
    // Every output starts from zero, so that a second run gives the same values.
    d.m_dGirderMass = d.m_dGirderCalcMass = d.m_dGirderExtraMass = d.m_dGirderEndMass = 0.0;
    d.m_dFlangeRibMass = d.m_dFlangeRibEndMass = 0.0;
    d.m_dCrossBeamMass = d.m_dCrossBeamCalcMass = d.m_dCrossBeamExtraMass = 0.0;
    d.m_dEndSwayMass = d.m_dMidSwayMass = d.m_dPierSwayMass = d.m_dSwayMass = 0.0;
    d.m_dOuterLateralMass = d.m_dInnerLateralMass = d.m_dLateralMass = 0.0;
    d.m_nLateralMemberCount = 0;
    d.m_dLeftBracketMass = d.m_dRightBracketMass = 0.0;
    d.m_dEdgeStringerMass = d.m_dEdgeStringerEndMass = 0.0;
    d.m_dStringerMass = d.m_dStringerCalcMass = d.m_dStringerExtraMass = d.m_dStringerEndMass = 0.0;
    d.m_dGirderBoltMass = d.m_dCrossBeamBoltMass = 0.0;
    d.m_dRailingMass = d.m_dExpansionJointMass = d.m_dDrainageMass = d.m_dOtherMass = 0.0;
    d.m_dSteelMassTotal = 0.0;
    d.m_detail = CQuantityDetail();
    CQuantityDetail& detail = d.m_detail;

    const double rho = Density();
    const double f = LengthFactor();
    const bool ends = in.m_bGirderEndMass != 0;

    // Plate masses of every section, kept in the section records.
    for (size_t g = 0; g < in.m_aGirders.size(); ++g) {
        const std::vector<CSectionRecord>& sections = in.m_aGirders[g].m_pSections;
        for (size_t s = 0; s < sections.size() && s < m_result.sections[g].size(); ++s) {
            const CSectionRecord& r = sections[s];
            SectionResult& out = m_result.sections[g][s];
            const int webs = in.m_nBridgeType != 0 ? 2 : 1;
            out.dMassUpper = r.m_dBUpper * r.m_dTUpper * r.m_dLength * rho;
            out.dMassLower = r.m_dBLower * r.m_dTLower * r.m_dLength * rho;
            out.dMassWeb = webs * r.m_dHWeb * r.m_dTWeb * r.m_dLength * rho;
            out.dMassRibUpper = in.m_nBridgeType != 0 ? r.m_nRibsUpper * r.m_dRibHUpper * r.m_dRibTUpper * r.m_dLength * rho : 0.0;
            out.dMassRibLower = in.m_nBridgeType != 0 ? r.m_nRibsLower * r.m_dRibHLower * r.m_dRibTLower * r.m_dLength * rho : 0.0;
        }
    }

    // Main girders.
    double m = 0.0, ribs = 0.0;
    for (int g : UsedGirders())
        for (const SectionResult& s : m_result.sections[size_t(g)]) {
            m += s.dMassUpper + s.dMassWeb + s.dMassLower;
            ribs += s.dMassRibUpper + s.dMassRibLower;
        }
    detail.m_dGirderPlateMass = m;
    d.m_dGirderExtraMass = (in.m_dGirderFactor - 1.0) * m;
    d.m_dGirderEndMass = ends ? (f - 1.0) * m * in.m_dGirderFactor : 0.0;
    d.m_dGirderMass = m + d.m_dGirderExtraMass + d.m_dGirderEndMass;
    d.m_dGirderCalcMass = f * m;
    d.m_dGirderExtraMass *= f;

    // Flange ribs counted apart.
    if (in.m_nBridgeType >= 1 && in.m_bSeparateRibMass) {
        detail.m_dRibPlateMass = ribs;
        d.m_dFlangeRibMass = ribs * in.m_dFlangeRibFactor;
        if (ends) {
            d.m_dFlangeRibEndMass = (f - 1.0) * d.m_dFlangeRibMass;
            d.m_dFlangeRibMass *= f;
        }
    }

    // Cross members at the panel points; a single main girder has none to join, so its
    // members are listed with no bays and no mass.
    if (in.m_nBridgeType != 2) {
        const bool joins = in.m_nGirders >= 2;
        double c = 0.0, end = 0.0, mid = 0.0, pier = 0.0;
        ForEachPanelPoint([&](const CPanelPointRecord& pp) {
            CQuantityDetail::CrossMember member;
            member.nKind = pp.m_nMemberKind;
            // Named by the panel point's number, as the plan shows it.
            member.nMemberNo = pp.m_anNodes.empty() ? 0 : pp.m_anNodes.front();
            switch (pp.m_nMemberKind) {
            case CROSS_BEAM: {
                const CrossBeamPlates plates = CalcCrossBeamMass(pp);
                if (joins) {
                    member.dBay = plates.length / (in.m_nGirders - 1);
                    member.dFlangeMass = plates.flange;
                    member.dWebMass = plates.web;
                    member.dMass = plates.total;
                }
                member.dFlangeArea = plates.tf * in.m_crossBeam.m_dFlangeWidth / 1000.0;
                member.dWebArea = plates.h * plates.tw;
                c += member.dMass;
                break;
            }
            case END_SWAY_BRACING:
            case INTERMEDIATE_SWAY_BRACING:
            case SUPPORT_SWAY_BRACING: {
                const CEstimateInput::Sway& sway = pp.m_nMemberKind == END_SWAY_BRACING ? in.m_endSway
                                                   : pp.m_nMemberKind == INTERMEDIATE_SWAY_BRACING ? in.m_midSway
                                                                                                   : in.m_pierSway;
                member.dBay = BayWidth(pp);
                member.dMass = joins ? CalcSwayMass(sway, pp) : 0.0;
                (pp.m_nMemberKind == END_SWAY_BRACING ? end
                 : pp.m_nMemberKind == INTERMEDIATE_SWAY_BRACING ? mid : pier) += member.dMass;
                break;
            }
            default: return;
            }
            detail.m_aCrossMembers.push_back(member);
        });
        d.m_dCrossBeamCalcMass = c;
        d.m_dCrossBeamExtraMass = (in.m_dCrossBeamFactor - 1.0) * c;
        d.m_dCrossBeamMass = c + d.m_dCrossBeamExtraMass;
        d.m_dEndSwayMass = end * in.m_dSwayFactor;
        d.m_dMidSwayMass = mid * in.m_dSwayFactor;
        d.m_dPierSwayMass = pier * in.m_dSwayFactor;
    }
    d.m_dSwayMass = d.m_dEndSwayMass + d.m_dMidSwayMass + d.m_dPierSwayMass;

    // Lateral bracing of plate girders.
    const bool lateral = in.m_bUseLateral && in.m_nBridgeType == 0 && in.m_nGirders >= 2;
    if (lateral) {
        auto diagonal = [](double a, double p) { return std::sqrt(a * a + (p / 2.0) * (p / 2.0)); };
        double outer = 0.0;
        int count = 0;
        ForEachPanel([&](const CEstimateInput::Span&, int, const CPanelPointRecord& p0, const CPanelPointRecord& p1,
                         const std::array<double, 12>&, const std::array<double, 12>&) {
            const double a0 = BayWidth(p0), a1 = BayWidth(p1);
            const double first = Dist(p0.m_ptLine1, p1.m_ptLine1), second = Dist(p0.m_ptLine2, p1.m_ptLine2);
            if (in.m_nGirders == 2) {
                const double p = (first + second) / 2.0;
                outer += diagonal(a0, p) + diagonal(a1, p);
                count += 2;
            } else {
                for (double p : {first, second}) {
                    outer += diagonal(a0, p) + diagonal(a1, p);
                    count += 2;
                }
            }
        });
        detail.m_dOuterLateralLength = outer;
        detail.m_nOuterLateralCount = count;
        d.m_dOuterLateralMass = outer * ShapeMass(in.m_lateral.m_nOuter) * in.m_dLateralFactor;
        double inner = 0.0;
        int innerCount = 0;
        for (const CEstimateInput::Span& span : in.m_aSpans) {
            const int n = std::min(span.m_nPanels, int(span.m_aPoints.size()) - 1);
            if (n < 1)
                continue;
            for (int k = 1; k <= in.m_nGirders - 3; ++k)
                for (int j : {0, n - 1}) {
                    const CPanelPointRecord &p0 = span.m_aPoints[size_t(j)], &p1 = span.m_aPoints[size_t(j + 1)];
                    const double a = BayWidth(p0), b = BayWidth(p1);
                    const double p = (Dist(p0.m_ptLine1, p1.m_ptLine1) + Dist(p0.m_ptLine2, p1.m_ptLine2)) / 2.0;
                    inner += (a + b) / 2.0 + diagonal(a, p);
                    innerCount += 2;
                }
        }
        detail.m_dInnerLateralLength = inner;
        detail.m_nInnerLateralCount = innerCount;
        d.m_dInnerLateralMass = inner * ShapeMass(in.m_lateral.m_nInner) * in.m_dLateralFactor;
        d.m_nLateralMemberCount = count + innerCount;
    }
    d.m_dLateralMass = d.m_dOuterLateralMass + d.m_dInnerLateralMass;

    // Brackets.
    int panels = 0;
    for (const CEstimateInput::Span& span : in.m_aSpans)
        panels += span.m_nPanels;
    auto height = [&](int g) { return g >= 0 && g < int(in.m_adGirderHeight.size()) ? in.m_adGirderHeight[size_t(g)] : 0.0; };
    if (in.m_bUseLeftBracket) {
        const BracketPlates p = BracketMass(in.m_leftBracket, height(0), panels, rho);
        detail.m_leftBracket = p.Detail();
        d.m_dLeftBracketMass = p.Sum() * in.m_dBracketFactor;
    }
    if (in.m_bUseRightBracket) {
        const BracketPlates p = BracketMass(in.m_rightBracket, height(in.m_nGirders - 1), panels, rho);
        detail.m_rightBracket = p.Detail();
        d.m_dRightBracketMass = p.Sum() * in.m_dBracketFactor;
    }

    // Edge stringers.
    const double first = GirderLength(0), last = GirderLength(in.m_nGirders - 1);
    if (in.m_bUseEdgeStringer) {
        const double length = (in.m_bUseLeftBracket ? first : 0.0) + (in.m_bUseRightBracket ? last : 0.0);
        const StringerPlates p = StringerMass(in.m_edgeStringer, length, MinGirderHeight(), rho);
        detail.m_edgeStringer = p.Detail(1);
        d.m_dEdgeStringerMass = p.Sum() * in.m_dEdgeStringerFactor;
        if (ends) {
            d.m_dEdgeStringerEndMass = (f - 1.0) * d.m_dEdgeStringerMass;
            d.m_dEdgeStringerMass *= f;
        }
    }

    // Intermediate stringers.
    if (in.m_bUseStringer) {
        const StringerPlates p = StringerMass(in.m_stringer, (first + last) / 2.0, MinGirderHeight(), rho);
        detail.m_stringer = p.Detail(in.m_stringer.m_nCount);
        const double calc = p.Sum() * in.m_stringer.m_nCount;
        d.m_dStringerExtraMass = (in.m_dStringerFactor - 1.0) * calc;
        d.m_dStringerEndMass = ends ? (f - 1.0) * calc * in.m_dStringerFactor : 0.0;
        d.m_dStringerMass = calc + d.m_dStringerExtraMass + d.m_dStringerEndMass;
        d.m_dStringerCalcMass = f * calc;
        d.m_dStringerExtraMass *= f;
    }

    // Bolts and fittings.
    d.m_dGirderBoltMass = in.m_dGirderBoltFactor * d.m_dGirderMass;
    d.m_dCrossBeamBoltMass = in.m_dCrossBeamBoltFactor * d.m_dCrossBeamMass;
    double railing = 0.0;
    ForEachPanel([&](const CEstimateInput::Span&, int, const CPanelPointRecord& p0, const CPanelPointRecord& p1,
                     const std::array<double, 12>&, const std::array<double, 12>&) {
        railing += Dist(p0.m_aptEdge[2], p1.m_aptEdge[2]) + Dist(p0.m_aptEdge[3], p1.m_aptEdge[3]);
    });
    detail.m_dRailingLength = railing;
    d.m_dRailingMass = railing * in.m_dRailingUnitMass * f;
    double deckWidths = 0.0;
    if (!in.m_aSpans.empty() && !in.m_aSpans.front().m_aPoints.empty() && !in.m_aSpans.back().m_aPoints.empty()) {
        const CPanelPointRecord& a = in.m_aSpans.front().m_aPoints.front();
        const CEstimateInput::Span& lastSpan = in.m_aSpans.back();
        const CPanelPointRecord& b =
            lastSpan.m_aPoints[size_t(std::clamp(lastSpan.m_nPanels, 0, int(lastSpan.m_aPoints.size()) - 1))];
        deckWidths = Dist(a.m_aptEdge[0], a.m_aptEdge[1]) + Dist(b.m_aptEdge[0], b.m_aptEdge[1]);
    }
    detail.m_dJointLength = deckWidths;
    d.m_dExpansionJointMass = deckWidths * in.m_dExpansionJointUnitMass;
    d.m_dDrainageMass = in.m_nDrainCount * in.m_dDrainUnitMass;
    d.m_dOtherMass = in.m_dOtherMassInput;

    d.m_dSteelMassTotal = d.m_dGirderMass + d.m_dCrossBeamMass + d.m_dSwayMass + d.m_dLeftBracketMass +
                          d.m_dRightBracketMass + d.m_dEdgeStringerMass + d.m_dGirderBoltMass + d.m_dCrossBeamBoltMass +
                          d.m_dStringerMass + d.m_dDrainageMass + d.m_dRailingMass + d.m_dExpansionJointMass +
                          d.m_dOtherMass + d.m_dInnerLateralMass + d.m_dOuterLateralMass;
    if (in.m_nBridgeType >= 1 && in.m_bSeparateRibMass)
        d.m_dSteelMassTotal += d.m_dFlangeRibMass;
}

void CEstimateCalc::CalcPaintArea()
{
    d.m_dPaintArea = d.m_dSteelMassTotal * in.m_dPaintAreaPerTon;
}

// ---- steps 5 and 6 ----

void CEstimateCalc::CalcPavingAreas()
{
    enum { CURB_IN = 2, KERB_OUT = 3, KERB_IN = 4, MEDIAN = 5 };
    auto edge = [](const CPanelPointRecord& p, int side, int kind) { return p.m_aptEdge[side + 2 * kind]; };
    auto q = [&](const CPanelPointRecord& p0, const CPanelPointRecord& p1, int side, int e, int g) {
        return QuadArea(edge(p0, side, e), edge(p0, side, g), edge(p1, side, g), edge(p1, side, e));
    };
    d.m_dRoadwayPavingArea = d.m_dSidewalkPavingArea = 0.0;
    const bool left = in.m_nSidewalk == 1 || in.m_nSidewalk == 3, right = in.m_nSidewalk == 2 || in.m_nSidewalk == 3;
    ForEachPanel([&](const CEstimateInput::Span&, int, const CPanelPointRecord& p0, const CPanelPointRecord& p1,
                     const std::array<double, 12>&, const std::array<double, 12>&) {
        d.m_dRoadwayPavingArea += q(p0, p1, 0, KERB_IN, MEDIAN) + q(p0, p1, 1, KERB_IN, MEDIAN);
        if (left)
            d.m_dSidewalkPavingArea += q(p0, p1, 0, CURB_IN, KERB_OUT);
        if (right)
            d.m_dSidewalkPavingArea += q(p0, p1, 1, CURB_IN, KERB_OUT);
    });
    const double f = LengthFactor();
    d.m_dRoadwayPavingArea *= f;
    d.m_dSidewalkPavingArea *= f;
}

void CEstimateCalc::CalcConcreteVolumes()
{
    d.m_dDeckConcreteVolume = d.m_dSidewalkConcreteVolume = 0.0;
    // Between edge lines e and g of the two panel points, taken round the quadrilateral.
    auto q = [](const CPanelPointRecord& p0, const CPanelPointRecord& p1, int e, int g) {
        return QuadArea(p0.m_aptEdge[e], p1.m_aptEdge[e], p1.m_aptEdge[g], p0.m_aptEdge[g]);
    };
    const bool left = in.m_nSidewalk == 1 || in.m_nSidewalk == 3, right = in.m_nSidewalk == 2 || in.m_nSidewalk == 3;
    std::vector<int> girders = UsedGirders();
    const bool si = in.m_bSIUnits == 1;
    ForEachPanel([&](const CEstimateInput::Span&, int, const CPanelPointRecord& p0, const CPanelPointRecord& p1,
                     const std::array<double, 12>& a, const std::array<double, 12>& b) {
        // H1..H12 are a[0]..a[11]; a mount is never a negative height.
        auto mountL = [](const std::array<double, 12>& h) { return std::max(0.0, (h[3] + h[10] - h[1] + h[2]) / 2.0); };
        auto mountR = [](const std::array<double, 12>& h) { return std::max(0.0, (h[6] + h[11] - h[8] + h[9]) / 2.0); };
        if (left)
            d.m_dSidewalkConcreteVolume += (mountL(b) + mountL(a)) / 2.0 * q(p0, p1, 4, 6);
        if (right)
            d.m_dSidewalkConcreteVolume += (mountR(b) + mountR(a)) / 2.0 * q(p0, p1, 5, 7);
        double v = (a[0] + a[1] + a[2] + b[0] + b[1] + b[2]) / 2.0 * q(p0, p1, 0, 4);
        v += (a[7] + a[8] + a[9] + b[7] + b[8] + b[9]) / 2.0 * q(p0, p1, 1, 5);
        v += (a[4] + b[4]) / 2.0 * q(p0, p1, 0, 1);
        v += (a[5] + a[6] + b[5] + b[6]) / 2.0 * q(p0, p1, 10, 11);
        for (int g : girders) {
            if (size_t(g) >= p0.m_aptGirder.size() || size_t(g) >= p1.m_aptGirder.size() ||
                size_t(g) >= in.m_adHaunchWeight.size())
                continue;
            const double dist = Dist(p0.m_aptGirder[size_t(g)], p1.m_aptGirder[size_t(g)]);
            const double w = in.m_adHaunchWeight[size_t(g)];
            v += si ? (w / 9.80665) * dist / 2.4983047217959244 : dist * w / 2.5;
        }
        d.m_dDeckConcreteVolume += v;
    });
    const double f = LengthFactor();
    d.m_dDeckConcreteVolume *= f;
    d.m_dSidewalkConcreteVolume *= f;
}

// ---- steps 7 and 8 ----

void CEstimateCalc::CalcWeldLengths()
{
    d.m_dGirderTWeldLength = d.m_dCrossBeamTWeldLength = d.m_dTWeldLengthTotal = 0.0;
    d.m_dGirderSpliceWeldLength = d.m_dCrossBeamSpliceWeldLength = d.m_dSpliceWeldLengthTotal = 0.0;
    const int girders = in.m_nBridgeType == 2 ? 1 : in.m_nGirders;
    for (int g : UsedGirders())
        d.m_dGirderTWeldLength += GirderLength(g);
    if (in.m_bGirderEndMass)
        d.m_dGirderTWeldLength += 2.0 * in.m_dGirderEndLength * girders;
    if (in.m_nBridgeType != 2 && in.m_nGirders >= 2)
        ForEachPanelPoint([&](const CPanelPointRecord& pp) {
            if (pp.m_nMemberKind != CROSS_BEAM)
                return;
            d.m_dCrossBeamTWeldLength += pp.m_dWidth;
            if (in.m_nBridgeType == 1)
                d.m_dCrossBeamTWeldLength -= (girders - 1) * in.m_dWebSpacing / 1000.0;
        });
    d.m_dGirderTWeldLength *= in.m_nBridgeType == 0 ? 4.0 : 8.0;
    d.m_dCrossBeamTWeldLength *= 4.0;
    if (in.m_bHSectionCrossBeams)
        d.m_dCrossBeamTWeldLength = 0.0;
    d.m_dTWeldLengthTotal = d.m_dGirderTWeldLength + d.m_dCrossBeamTWeldLength;
}

void CEstimateCalc::CalcLabourElements()
{
    const int nG = in.m_nBridgeType == 2 ? 1 : in.m_nGirders;
    const bool box = in.m_nBridgeType != 0;
    const int P = in.m_nPanelPoints;
    long long ribDivisions = 0;
    for (int v : in.m_anRibDivisions)
        ribDivisions += v;

    d.m_nGirderLargePieces = d.m_nGirderSmallPieces = d.m_nGirderMembers = 0;
    for (int g : UsedGirders()) {
        const CGirderDesign& girder = in.m_aGirders[size_t(g)];
        const int ns = int(girder.m_pSections.size());
        int b = 0, h = 0, ribs = 0, ribs4 = 0;
        for (const CSectionRecord& s : girder.m_pSections) {
            if (s.m_nJoinPrev != 1)
                ++b;
            h += s.m_nStiffenerLevels;
            ribs += s.m_nRibsUpper + s.m_nRibsLower;
            ribs4 += s.m_nRibsUpper + s.m_nRibsLower + 4;
        }
        d.m_nGirderMembers += b;
        if (ns == 0 || b == 0)
            continue;
        const int k = in.m_dStiffenerSpacing > 0.0 ? int(girder.m_dGirderLength / in.m_dStiffenerSpacing) : 0;
        if (!box) {
            d.m_nGirderLargePieces += 3 * b;
            d.m_nGirderSmallPieces += (2 * b - 2) + (2 * b - 2) + (4 * b - 4) + k + int(double(h) / ns * (k - 1));
        } else {
            d.m_nGirderLargePieces += 4 * b;
            d.m_nGirderSmallPieces += (2 * b - 2) + (4 * b - 4) + k + int(2.0 * h / ns * (k - 1)) +
                                      int(double(ribs) / ns * b) + int(double(b - 1) / b * (double(ribs4) / ns * b)) +
                                      int(2 * ribDivisions + 2);
        }
    }
    if (box)
        d.m_nGirderSmallPieces += nG * P;

    const int C = d.m_nCrossBeamCount;
    const bool hSection = in.m_bHSectionCrossBeams != 0;
    d.m_nCrossBeamMembers = C * std::max(0, nG - 1);
    d.m_nCrossBeamLargePieces = hSection ? d.m_nCrossBeamMembers : 3 * d.m_nCrossBeamMembers;
    if (nG < 2)
        d.m_nCrossBeamSmallPieces = 0;
    else if (box)
        d.m_nCrossBeamSmallPieces = (hSection ? 14 : 26) * (nG - 1) * C;
    else if (nG == 2)
        d.m_nCrossBeamSmallPieces = (hSection ? 14 : 25) * C;
    else
        d.m_nCrossBeamSmallPieces = hSection ? 14 * (nG - 2) * C : 24 * (nG - 2) * C + 2 * (nG - 1) * C;

    d.m_nStringerLargePieces = d.m_nStringerSmallPieces = d.m_nStringerMembers = 0;
    if (in.m_bUseStringer) {
        const int n = in.m_stringer.m_nCount;
        d.m_nStringerLargePieces = 3 * n * (P - 1);
        d.m_nStringerSmallPieces = 3 * n * (P - 2) + 16 * n + 16 * n + 2 * n * (P - 2) + 2 * n * (P - 1);
        d.m_nStringerMembers = n * (P - 1);
    }
    d.m_nEdgeStringerSmallPieces = d.m_nEdgeStringerMembers = 0;
    if (in.m_bUseEdgeStringer) {
        const int s = (in.m_bUseLeftBracket ? 1 : 0) + (in.m_bUseRightBracket ? 1 : 0);
        d.m_nEdgeStringerSmallPieces = 3 * s * (P - 1) + s * (P - 1);
        d.m_nEdgeStringerMembers = s * (P - 1);
    }
    d.m_nBracketSmallPieces = 0;
    for (int used : {in.m_bUseLeftBracket, in.m_bUseRightBracket})
        if (used)
            d.m_nBracketSmallPieces += 3 * (P - 1) + 3 * (P - 1) + (8 * P - 8) + (2 * P - 2);
    d.m_nBracketMembers = 0;
    d.m_nSwayMembers = (d.m_nEndSwayCount + d.m_nMidSwayCount + d.m_nPierSwayCount) * std::max(0, nG - 1);
    d.m_nLateralMembers = d.m_nLateralMemberCount;

    d.m_nLargePiecesTotal = d.m_nGirderLargePieces + d.m_nCrossBeamLargePieces + d.m_nStringerLargePieces;
    d.m_nSmallPiecesTotal = d.m_nGirderSmallPieces + d.m_nCrossBeamSmallPieces + d.m_nStringerSmallPieces +
                            d.m_nEdgeStringerSmallPieces + d.m_nBracketSmallPieces;
    d.m_nMembersTotal = d.m_nGirderMembers + d.m_nCrossBeamMembers + d.m_nStringerMembers + d.m_nSwayMembers +
                        d.m_nLateralMembers + d.m_nBracketMembers + d.m_nEdgeStringerMembers;

    const bool ribsApart = in.m_nBridgeType > 0 && in.m_bSeparateRibMass;
    d.m_dLargePieceMass = d.m_dGirderCalcMass + d.m_dCrossBeamCalcMass + d.m_dStringerCalcMass;
    d.m_dSmallPieceMass = d.m_dGirderExtraMass + d.m_dCrossBeamExtraMass + d.m_dStringerExtraMass +
                          d.m_dEdgeStringerMass + d.m_dLeftBracketMass + d.m_dRightBracketMass +
                          (ribsApart ? d.m_dFlangeRibMass : 0.0);
    d.m_dMainMemberMass = d.m_dGirderMass + d.m_dCrossBeamMass + d.m_dStringerMass + d.m_dLateralMass + d.m_dSwayMass +
                          d.m_dLeftBracketMass + d.m_dRightBracketMass + d.m_dEdgeStringerMass +
                          (ribsApart ? d.m_dFlangeRibMass : 0.0);
    d.m_dFabricatedMass = d.m_dMainMemberMass + (in.m_nJointType < 2 ? d.m_dExpansionJointMass : 0.0) +
                          (in.m_nRailingType < 2 ? d.m_dRailingMass : 0.0);
    d.m_dSteelMassTotal = d.m_dFabricatedMass + d.m_dDrainageMass + d.m_dOtherMass + d.m_dGirderBoltMass +
                          d.m_dCrossBeamBoltMass + (in.m_nJointType == 2 ? d.m_dExpansionJointMass : 0.0) +
                          (in.m_nRailingType == 2 ? d.m_dRailingMass : 0.0);
}

// ---- steps 9 to 13 ----

void CEstimateCalc::AssignSteelCodes()
{
    for (size_t g = 0; g < in.m_aGirders.size(); ++g)
        for (size_t s = 0; s < m_result.sections[g].size(); ++s) {
            const CSectionRecord& r = in.m_aGirders[g].m_pSections[s];
            int* code = m_result.sections[g][s].anSteelCode;
            code[0] = GetSteelCode(r.m_nGradeUpper, r.m_dTUpper, in.m_nSteelSpec, in.m_bHSteel);
            code[1] = GetSteelCode(r.m_nGradeWeb, r.m_dTWeb, in.m_nSteelSpec, in.m_bHSteel);
            code[2] = GetSteelCode(r.m_nGradeLower, r.m_dTLower, in.m_nSteelSpec, in.m_bHSteel);
        }
}

void CEstimateCalc::AssignPriceClasses()
{
    for (size_t g = 0; g < in.m_aGirders.size(); ++g)
        for (size_t s = 0; s < m_result.sections[g].size(); ++s) {
            const CSectionRecord& r = in.m_aGirders[g].m_pSections[s];
            SectionResult& out = m_result.sections[g][s];
            const double t[3] = {r.m_dTUpper, r.m_dTWeb, r.m_dTLower};
            for (int p = 0; p < 3; ++p)
                out.anPriceClass[p] = GetPriceClass(unsigned(out.anSteelCode[p]), t[p]);
        }
}

void CEstimateCalc::AddPlate(bool byClass, int nGroup, int nGrade, double dThickness, double dMass)
{
    const int code = GetSteelCode(nGrade, dThickness, in.m_nSteelSpec, in.m_bHSteel);
    if (code < 0 || code > kMaxCode)
        return;
    if (!byClass) {
        d.m_adMassByCode[nGroup][code] += dMass;
        return;
    }
    const int cls = GetPriceClass(unsigned(code), dThickness);
    if (cls >= 0 && cls < kClasses)
        d.m_adMassByClass[nGroup][cls] += dMass;
}

void CEstimateCalc::WalkGroups(bool byClass)
{
    const double f = LengthFactor();
    const double rho = Density();
    auto add = [&](int group, int code, int cls, double mass) {
        if (!byClass) {
            if (code >= 0 && code <= kMaxCode)
                d.m_adMassByCode[group][code] += mass;
        } else if (cls >= 0 && cls < kClasses) {
            d.m_adMassByClass[group][cls] += mass;
        }
    };

    // Group 0, with the flange ribs when they are counted apart; the girder ends as in the totals.
    const bool ribsApart = in.m_nBridgeType >= 1 && in.m_bSeparateRibMass;
    const double girderF = in.m_dGirderFactor * f;
    const double ribF = in.m_dFlangeRibFactor * f;
    for (int g : UsedGirders())
        for (const SectionResult& s : m_result.sections[size_t(g)]) {
            add(0, s.anSteelCode[0], s.anPriceClass[0], s.dMassUpper * girderF);
            add(0, s.anSteelCode[2], s.anPriceClass[2], s.dMassLower * girderF);
            add(0, s.anSteelCode[1], s.anPriceClass[1], s.dMassWeb * girderF);
            if (!ribsApart)
                continue;
            if (byClass) {
                add(0, -1, s.anPriceClass[0], s.dMassRibUpper * ribF);
                add(0, -1, s.anPriceClass[2], s.dMassRibLower * ribF);
            } else {
                const int upper = s.anSteelCode[0], lower = s.anSteelCode[2];
                if (upper >= 0 && upper <= kMaxCode)
                    d.m_adRibMassByCode[upper] += s.dMassRibUpper * ribF;
                if (lower >= 0 && lower <= kMaxCode)
                    d.m_adRibMassByCode[lower] += s.dMassRibLower * ribF;
            }
        }

    // Group 1: cross beams.
    if (in.m_nBridgeType != 2 && in.m_nGirders >= 2)
        ForEachPanelPoint([&](const CPanelPointRecord& pp) {
            if (pp.m_nMemberKind != CROSS_BEAM)
                return;
            const CrossBeamPlates p = CalcCrossBeamMass(pp);
            AddPlate(byClass, 1, in.m_crossBeam.m_nGrade, p.tf, p.flange * in.m_dCrossBeamFactor);
            AddPlate(byClass, 1, in.m_crossBeam.m_nGrade, p.tw, p.web * in.m_dCrossBeamFactor);
        });

    // Groups 2 and 3: rolled shapes, in the thinnest class of their grade.
    AddPlate(byClass, 2, in.m_endSway.m_nGrade, 0.0, d.m_dEndSwayMass);
    AddPlate(byClass, 2, in.m_midSway.m_nGrade, 0.0, d.m_dMidSwayMass);
    AddPlate(byClass, 2, in.m_pierSway.m_nGrade, 0.0, d.m_dPierSwayMass);
    if (in.m_bUseLateral)
        AddPlate(byClass, 3, in.m_lateral.m_nGrade, 0.0, d.m_dLateralMass);

    // Group 4: brackets.
    int panels = 0;
    for (const CEstimateInput::Span& span : in.m_aSpans)
        panels += span.m_nPanels;
    auto height = [&](int g) { return g >= 0 && g < int(in.m_adGirderHeight.size()) ? in.m_adGirderHeight[size_t(g)] : 0.0; };
    for (int side = 0; side < 2; ++side) {
        if (!(side == 0 ? in.m_bUseLeftBracket : in.m_bUseRightBracket))
            continue;
        const CEstimateInput::Bracket& b = side == 0 ? in.m_leftBracket : in.m_rightBracket;
        const BracketPlates p = BracketMass(b, height(side == 0 ? 0 : in.m_nGirders - 1), panels, rho);
        AddPlate(byClass, 4, b.m_nGrade, p.tf, p.upper * in.m_dBracketFactor);
        AddPlate(byClass, 4, b.m_nGrade, p.tf, p.lower * in.m_dBracketFactor);
        AddPlate(byClass, 4, b.m_nGrade, p.tw, p.web * in.m_dBracketFactor);
    }

    // Groups 5 and 6: edge stringers and stringers, with the girder ends as in the totals.
    const double first = GirderLength(0), last = GirderLength(in.m_nGirders - 1);
    if (in.m_bUseEdgeStringer) {
        const double length = (in.m_bUseLeftBracket ? first : 0.0) + (in.m_bUseRightBracket ? last : 0.0);
        const StringerPlates p = StringerMass(in.m_edgeStringer, length, MinGirderHeight(), rho);
        const double F = in.m_dEdgeStringerFactor * f;
        AddPlate(byClass, 5, in.m_edgeStringer.m_nGrade, p.tf, 2.0 * p.flange * F);
        AddPlate(byClass, 5, in.m_edgeStringer.m_nGrade, p.tw, p.web * F);
    }
    if (in.m_bUseStringer) {
        const StringerPlates p = StringerMass(in.m_stringer, (first + last) / 2.0, MinGirderHeight(), rho);
        const double F = in.m_dStringerFactor * f * in.m_stringer.m_nCount;
        AddPlate(byClass, 6, in.m_stringer.m_nGrade, p.tf, 2.0 * p.flange * F);
        AddPlate(byClass, 6, in.m_stringer.m_nGrade, p.tw, p.web * F);
    }
}

void CEstimateCalc::CalcMassBySteelCode()
{
    for (auto& row : d.m_adMassByCode)
        std::fill(std::begin(row), std::end(row), 0.0);
    std::fill(std::begin(d.m_adRibMassByCode), std::end(d.m_adRibMassByCode), 0.0);
    WalkGroups(false);
}

void CEstimateCalc::CalcMassByPriceClass()
{
    for (auto& row : d.m_adMassByClass)
        std::fill(std::begin(row), std::end(row), 0.0);
    WalkGroups(true);
}

void CEstimateCalc::SumGrade570Masses()
{
    d.m_dGrade570Mass = 0.0;
    for (int code : {10, 17, 27, 34}) {
        for (int g = 0; g < kGroups; ++g)
            d.m_dGrade570Mass += d.m_adMassByCode[g][code];
        if (in.m_nBridgeType >= 1 && in.m_bSeparateRibMass)
            d.m_dGrade570Mass += d.m_adRibMassByCode[code];
    }
}

} // namespace estimate
