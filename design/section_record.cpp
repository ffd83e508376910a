// One section: properties, stresses and their allowables, holes, effective widths, weights.
#include "design/girder_design.h"
#include "design/section_calc.h"
#include "design/steel_tables.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmallMoment = 0.1;    // tf·m: too small to stress a flange

int Side(int j) { return j == 0 ? 1 : j == 1 ? -1 : 0; }

double WebSpacing(const CDesignInput& in) { return in.m_dWebSpacingA / 1000.0; }

// The gross plates; ribs belong to boxes only.
section::Plates Gross(const CSectionRecord& s)
{
    section::Plates p;
    p.bu = s.m_dBUpper;
    p.tu = s.m_dTUpper;
    p.bl = s.m_dBLower;
    p.tl = s.m_dTLower;
    p.hw = s.m_dHWeb;
    p.tw = s.m_dTWeb;
    p.nWebs = s.m_nWebs;
    if (s.m_nWebs == 2) {
        p.nRibsU = s.m_nRibsUpper;
        p.hRibU = s.m_dRibHUpper;
        p.tRibU = s.m_dRibTUpper;
        p.nRibsL = s.m_nRibsLower;
        p.hRibL = s.m_dRibHLower;
        p.tRibL = s.m_dRibTLower;
    }
    return p;
}

double FlangeWidth(const CSectionRecord& s, int f) { return f == 0 ? s.m_dBUpper : s.m_dBLower; }
double FlangeThick(const CSectionRecord& s, int f) { return f == 0 ? s.m_dTUpper : s.m_dTLower; }
int FlangeGrade(const CSectionRecord& s, int f) { return f == 0 ? s.m_nGradeUpper : s.m_nGradeLower; }

// Tension flange that the envelope moment makes at an end: 1 lower when it sags, 0 upper.
int TensionFlange(const CSectionRecord& s, int end) { return s.m_adM[end] >= 0 ? 1 : 0; }

double Tension(const CSectionRecord& s, int f)
{
    return steel::AllowableBending(FlangeGrade(s, f), FlangeThick(s, f), s.m_bSIUnits, s.m_nHSteel);
}

// Allowable compression of flange f; braced is the length between fixed points there.
double Compression(const CSectionRecord& s, const CGirderDesign& g, int f, double braced)
{
    const CDesignInput& in = g.m_input;
    const int grade = FlangeGrade(s, f);
    const double t = FlangeThick(s, f);
    const double sa = Tension(s, f);
    if (!g.IsBox()) {
        if (f == 0) {
            if (!in.m_bPlateUFLocalBuckling)
                return sa;
            return sa * section::BucklingFactor((s.m_dBUpper - s.m_dTWeb) / 2, t, grade, section::kFreeProjection);
        }
        const double local = sa * section::BucklingFactor((s.m_dBLower - s.m_dTWeb) / 2, t, grade, section::kFreeProjection);
        const double lateral = section::LateralAllowable(grade, t, braced, s.m_dBLower,
                                                         s.m_dHWeb * s.m_dTWeb, s.m_dBLower * s.m_dTLower,
                                                         s.m_bSIUnits, s.m_nHSteel);
        return std::min(local, lateral);
    }
    const double a = WebSpacing(in);
    if (f == 1)
        return sa * section::BucklingFactor(a / (s.m_nRibsLower + 1), t, grade, section::kBetweenWebs);
    if (!in.m_bBoxUFLocalBuckling)
        return sa;
    return sa * std::min(section::BucklingFactor(a / (s.m_nRibsUpper + 1), t, grade, section::kBetweenWebs),
                         section::BucklingFactor((s.m_dBUpper - a - s.m_dTWeb) / 2, t, grade, section::kFreeProjection));
}

// Holes across flange f at an end, and the factor on its tension stress there.
double HoleFactorFor(const CSectionRecord& s, int end, int f)
{
    if (end < 0 || end > 1 || !s.m_bHoleDeduction || s.m_anBoltHoles[end] <= 0 || s.m_anJointKind[end] != 0)
        return 1.0;
    const int n = f == TensionFlange(s, end) ? s.m_anBoltHoles[end] : s.m_anOtherHoles[f][end];
    return section::HoleFactor(FlangeWidth(s, f), n, s.m_dHoleDiameter, s.m_bNetArea11);
}

// The half spacing's effective share of the flange between the webs.
double BetweenWebsShare(const CGirderDesign& g, double x, int sign)
{
    const double a = WebSpacing(g.m_input);
    if (a < 1e-20)
        return 1.0;
    return std::min(1.0, 2 * section::EffectiveWidth(a / 2, g.EffectiveSpan(x, sign)) / a);
}

int MomentSign(const CSectionRecord& s, const CGirderDesign& g, int j)
{
    if (s.m_adM[j] > 0)
        return 1;
    if (s.m_adM[j] < 0)
        return -1;
    const int sign = g.GetMomentSignAt(s.m_adCheck[j]);
    return sign == 0 ? 1 : sign;
}

double EffectiveFlangeWidth(const CSectionRecord& s, const CGirderDesign& g, int j, int f)
{
    if (!g.IsBox())
        return FlangeWidth(s, f);
    const double a = WebSpacing(g.m_input);
    const double l = g.EffectiveSpan(s.m_adCheck[j], MomentSign(s, g, j));
    const double inner = 2 * section::EffectiveWidth(a / 2, l);
    if (f == 0)
        return std::min(s.m_dBUpper, inner + 2 * section::EffectiveWidth(std::max(0.0, (s.m_dBUpper - a) / 2), l));
    return std::min(s.m_dBLower, inner + std::max(0.0, s.m_dBLower - a));
}

}

section::Properties StressSection(const CSectionRecord& s, const CGirderDesign& g, int j)
{
    section::Plates p = Gross(s);
    if (g.IsBox()) {
        p.bu = EffectiveFlangeWidth(s, g, j, 0);
        p.bl = EffectiveFlangeWidth(s, g, j, 1);
        p.nRibsU = s.GetEffectiveRibCount(g, j, 0);
        p.nRibsL = s.GetEffectiveRibCount(g, j, 1);
    }
    return section::Compute(p);
}

CheckPointLoads LoadsAt(const CSectionRecord& s, const CGirderDesign& g, int j)
{
    CheckPointLoads l;
    g.MomentCases(s.m_adCheck[j], Side(j), l.m[0], l.m[1]);
    l.braced = g.BracedLength(s.m_adCheck[j], j);
    return l;
}

// The governing moment case of flange f at check point j.
FlangeCheck EvaluateFlange(const CSectionRecord& s, const CGirderDesign& g, int j, int f)
{
    return EvaluateFlange(s, g, j, f, LoadsAt(s, g, j), StressSection(s, g, j));
}

FlangeCheck EvaluateFlange(const CSectionRecord& s, const CGirderDesign& g, int j, int f, const CheckPointLoads& loads,
                           const section::Properties& p)
{
    FlangeCheck r;
    r.allowable = Tension(s, f);
    if (j == 2 && !s.m_bHasC)
        return r;
    const double* m = loads.m;
    if (std::fabs(m[0]) < kSmallMoment && std::fabs(m[1]) < kSmallMoment)
        return r;
    if (p.i < 1e-20)
        return r;
    // The block design asks this millions of times: what both cases share is worked out once.
    const double tensionAllow = r.allowable;
    double compressionAllow = 0, holes = 1;
    bool haveCompression = false, haveHoles = false;
    double bestRatio = -1;
    for (int c = 0; c < 2; ++c) {
        const double mc = m[c];
        if (std::fabs(mc) < kSmallMoment)
            continue;
        const bool tension = f == 0 ? mc < 0 : mc > 0;
        double sigma = std::fabs(mc) * (f == 0 ? p.yu : p.yl) / p.i;
        if (tension && j < 2) {
            if (!haveHoles) {
                holes = HoleFactorFor(s, j, f);
                haveHoles = true;
            }
            sigma *= holes;
        }
        if (!tension && !haveCompression) {
            compressionAllow = Compression(s, g, f, loads.braced);
            haveCompression = true;
        }
        const double allow = tension ? tensionAllow : compressionAllow;
        const double ratio = allow > 1e-20 ? sigma / allow : 1e10;
        if (ratio > bestRatio || (ratio == bestRatio && sigma > r.stress)) {
            bestRatio = ratio;
            r.stress = sigma;
            r.allowable = allow;
            r.compression = !tension;
        }
        r.cases.push_back({sigma, allow, !tension});
    }
    return r;
}

double CSectionRecord::GetUpperFlangeStress(const CGirderDesign& g, int j) const { return EvaluateFlange(*this, g, j, 0).stress; }
double CSectionRecord::GetLowerFlangeStress(const CGirderDesign& g, int j) const { return EvaluateFlange(*this, g, j, 1).stress; }
double CSectionRecord::GetUpperAllowableStress(const CGirderDesign& g, int j) const { return EvaluateFlange(*this, g, j, 0).allowable; }
double CSectionRecord::GetLowerAllowableStress(const CGirderDesign& g, int j) const { return EvaluateFlange(*this, g, j, 1).allowable; }

double CSectionRecord::GetShearStress(int j) const
{
    const double area = m_nWebs * m_dHWeb * m_dTWeb;
    if (area < 1e-20 || j < 0 || j > 2)
        return 0.0;
    return m_adS[j] / area;
}

double CSectionRecord::GetAllowableShearStress() const
{
    return steel::AllowableShear(m_nGradeWeb, m_dTWeb, m_bSIUnits, m_nHSteel);
}

double CSectionRecord::GetCombinedStressRatio(const CGirderDesign& g, int j) const
{
    return CombinedStressRatio(*this, j, EvaluateFlange(*this, g, j, 0), EvaluateFlange(*this, g, j, 1));
}

double CombinedStressRatio(const CSectionRecord& s, int j, const FlangeCheck& upper, const FlangeCheck& lower)
{
    double flange = 0;
    for (const FlangeCheck* c : {&upper, &lower})
        flange = std::max(flange, c->allowable > 1e-20 ? c->stress / c->allowable : 0.0);
    const double ta = s.GetAllowableShearStress();
    const double shear = ta > 1e-20 ? std::fabs(s.GetShearStress(j)) / ta : 0.0;
    return flange * flange + shear * shear;
}

double CSectionRecord::GetHoleStressFactor(int nEnd) const
{
    if (nEnd < 0 || nEnd > 1)
        return 1.0;
    return HoleFactorFor(*this, nEnd, TensionFlange(*this, nEnd));
}

double CSectionRecord::GetMinEffectiveWidth(int nFlange) const
{
    const int f = nFlange == 0 ? 0 : 1;
    double w = std::min(m_adBEff[f][0], m_adBEff[f][1]);
    if (m_bHasC)
        w = std::min(w, m_adBEff[f][2]);
    return w;
}

int CSectionRecord::GetEffectiveRibCount(const CGirderDesign& g, int j, int nFlange) const
{
    if (!g.IsBox() || j < 0 || j > 2)
        return 0;
    const int n = nFlange == 0 ? m_nRibsUpper : m_nRibsLower;
    return int(n * BetweenWebsShare(g, m_adCheck[j], MomentSign(*this, g, j)) + 1e-9);
}

void CSectionRecord::SetBoltHoles(const CDesignInput& in)
{
    m_bHoleDeduction = in.m_nBridgeType == 0 ? in.m_bPlateHoleDeduction : in.m_bBoxHoleDeduction;
    m_dHoleDiameter = (in.m_nBridgeType == 0 ? in.m_dPlateHoleDiameter : in.m_dBoxHoleDiameter) / 1000.0;
    m_bNetArea11 = in.m_nBridgeType == 0 ? in.m_bPlateNetArea11 : in.m_bBoxNetArea11;
    // Plate girders: per flange the narrowest row of the table wide enough, else the widest;
    // one pass over the rows serves both flanges, since a block design asks at every step.
    int holes[2] = {0, 0};
    if (m_bHoleDeduction && in.m_nBridgeType != 0) {
        holes[0] = in.m_nHoleBoltsUpper;
        holes[1] = in.m_nHoleBoltsLower;
    } else if (m_bHoleDeduction) {
        const double* width = in.m_adHoleFlangeWidth;
        const double b[2] = {m_dBUpper, m_dBLower};
        int best[2] = {-1, -1}, widest = -1;
        for (int r = 0; r < 7; ++r) {
            if (width[r] < 1e-20 || in.m_anHoleCount[r] == 0)
                continue;
            if (widest < 0 || width[r] > width[widest])
                widest = r;
            for (int f = 0; f < 2; ++f)
                if (width[r] >= b[f] - 1e-9 && (best[f] < 0 || width[r] < width[best[f]]))
                    best[f] = r;
        }
        for (int f = 0; f < 2; ++f) {
            const int row = best[f] < 0 ? widest : best[f];
            holes[f] = row < 0 ? 0 : in.m_anHoleCount[row];
        }
    }
    for (int end = 0; end < 2; ++end) {
        for (int f = 0; f < 2; ++f)
            m_anOtherHoles[f][end] = holes[f];
        m_anBoltHoles[end] = m_anOtherHoles[TensionFlange(*this, end)][end];
    }
}

double CSectionRecord::GetPlateWeight() const
{
    return m_dBUpper * m_dTUpper * m_dLength * steel::Density(m_bSIUnits);
}

double CSectionRecord::GetLowerFlangeWeight() const
{
    return m_dBLower * m_dTLower * m_dLength * steel::Density(m_bSIUnits);
}

double CSectionRecord::GetWebWeight() const
{
    return m_nWebs * m_dHWeb * m_dTWeb * m_dLength * steel::Density(m_bSIUnits);
}

double CSectionRecord::GetUpperRibWeight() const
{
    return m_nWebs == 2 ? m_nRibsUpper * m_dRibHUpper * m_dRibTUpper * m_dLength * steel::Density(m_bSIUnits) : 0.0;
}

double CSectionRecord::GetLowerRibWeight() const
{
    return m_nWebs == 2 ? m_nRibsLower * m_dRibHLower * m_dRibTLower * m_dLength * steel::Density(m_bSIUnits) : 0.0;
}

void CSectionRecord::Locate(const CGirderDesign& g, int index)
{
    double a = 0, b = 0;
    g.SectionExtent(index, a, b);
    m_adCheck[0] = a;
    m_adCheck[1] = b;
    m_bHasC = 0;
    double best = -1;
    for (int k = 0; k < std::min(g.m_nPeaks, 100); ++k) {
        const CDPoint& pk = g.m_aPeaks[k];
        if (pk.x > a + 1e-6 && pk.x < b - 1e-6 && pk.y > best) {
            best = pk.y;
            m_adCheck[2] = pk.x;
            m_bHasC = 1;
        }
    }
    if (!m_bHasC)
        m_adCheck[2] = (a + b) / 2;
    m_anJointKind[0] = index == 0 ? 2 : m_nJoinPrev == 1 ? 1 : 0;
    m_anJointKind[1] = index == int(g.m_pSections.size()) - 1 ? 2 : m_nJoinNext == 1 ? 1 : 0;
}

void CSectionRecord::Recalculate(const CGirderDesign& g)
{
    const CDesignInput& in = g.m_input;
    m_nWebs = in.m_nBridgeType != 0 ? 2 : 1;
    m_bSIUnits = in.m_bSIUnits;
    m_nHSteel = in.m_nHSteel;
    m_bHoleDeduction = in.m_nBridgeType == 0 ? in.m_bPlateHoleDeduction : in.m_bBoxHoleDeduction;
    m_dHoleDiameter = (in.m_nBridgeType == 0 ? in.m_dPlateHoleDiameter : in.m_dBoxHoleDiameter) / 1000.0;
    m_bNetArea11 = in.m_nBridgeType == 0 ? in.m_bPlateNetArea11 : in.m_bBoxNetArea11;

    const int index = g.IndexOf(*this);
    if (index >= 0)
        Locate(g, index);

    const section::Properties p = section::Compute(Gross(*this));
    m_dAreaUpper = p.areaU;
    m_dAreaLower = p.areaL;
    m_dAreaWeb = p.areaW;
    m_dAreaRibUpper = p.areaRibU;
    m_dAreaRibLower = p.areaRibL;
    m_dArea = p.area;
    m_dNeutralAxis = p.zna;
    m_dI = p.i;
    m_dJ = g.IsBox() ? section::BoxTorsion(WebSpacing(in), m_dHWeb, m_dTUpper, m_dTLower, m_dTWeb)
                     : section::PlateTorsion(m_dBUpper, m_dTUpper, m_dHWeb, m_dTWeb, m_dBLower, m_dTLower);

    for (int f = 0; f < 2; ++f)
        for (int j = 0; j < 3; ++j)
            m_adBEff[f][j] = EffectiveFlangeWidth(*this, g, j, f);

    // Resisting moment at the centre with the sign of the envelope there.
    const double mid = (m_adCheck[0] + m_adCheck[1]) / 2;
    const int sign = g.GetMomentSignAt(mid) < 0 ? -1 : 1;
    section::Plates q = Gross(*this);
    if (g.IsBox()) {
        q.bu = GetMinEffectiveWidth(0);
        q.bl = GetMinEffectiveWidth(1);
        q.nRibsU = std::min(GetEffectiveRibCount(g, 0, 0), GetEffectiveRibCount(g, 1, 0));
        q.nRibsL = std::min(GetEffectiveRibCount(g, 0, 1), GetEffectiveRibCount(g, 1, 1));
    }
    const section::Properties e = section::Compute(q);
    m_dMr = 0;
    if (e.i > 1e-20 && e.yu > 1e-20 && e.yl > 1e-20) {
        const double braced = g.IsBox() ? 0.0 : g.BracedLength(mid, 2);
        const double su = sign > 0 ? Compression(*this, g, 0, braced) : Tension(*this, 0);
        const double sl = sign > 0 ? Tension(*this, 1) : Compression(*this, g, 1, braced);
        m_dMr = std::min(su * e.i / e.yu, sl * e.i / e.yl);
    }
    m_dWWhole = GetPlateWeight() + GetLowerFlangeWeight() + GetWebWeight() + GetUpperRibWeight() + GetLowerRibWeight();
}
