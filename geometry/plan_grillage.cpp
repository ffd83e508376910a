// Grillage numbering, the transverse lines as cross beams, and the cross members.
#include "geometry/plan_core.h"
#include "geometry/plan_internal.h"
#include "geometry/plan_math.h"

#include <algorithm>
#include <cmath>

using namespace PlanMath;

namespace PlanCore {

CGrillageCounts CountGrillageNodes(std::vector<CSpanData>& spans, int nBridgeType, int nGirders)
{
    CGrillageCounts c;
    if (spans.empty())
        return c;
    const int S = int(spans.size());
    int P = 1;
    for (const CSpanData& sp : spans)
        P += int(sp.m_aPanelPoints.size()) - 1;
    const int G = std::max(nGirders, 1);
    const bool singleBox = nBridgeType == 2;

    // Node 500 g + p + 1: every window, page and solver listing numbers the girders alike.
    int first = 0;
    for (CSpanData& sp : spans) {
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            CPanelPointRecord& r = sp.m_aPanelPoints[j];
            const int lines = std::max(int(r.m_aptGirder.size()), 1);
            r.m_anNodes.resize(size_t(lines));
            for (int g = 0; g < lines; ++g)
                r.m_anNodes[size_t(g)] = 500 * g + first + int(j) + 1;
        }
        first += int(sp.m_aPanelPoints.size()) - 1;
    }

    const int lines = singleBox ? 3 : G;
    c.nNodes = lines * P;
    c.nSupports = singleBox ? 2 * (S + 1) : G * (S + 1);
    c.nGirderMembers = lines * (P - 1);

    // Cross members after the girder members, in panel-point order, bay by bay.
    int next = c.nGirderMembers + 1;
    for (size_t s = 0; s < spans.size(); ++s) {
        CSpanData& sp = spans[s];
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            CPanelPointRecord& r = sp.m_aPanelPoints[j];
            if (j == 0 && s > 0) {
                // The support shared with the previous span took its numbers there.
                r.m_nMemberNo = spans[s - 1].m_aPanelPoints.back().m_nMemberNo;
                continue;
            }
            const int bays = singleBox ? 2 : (r.m_bDistributing ? G - 1 : 0);
            r.m_nMemberNo = bays > 0 ? next : 0;
            next += std::max(bays, 0);
            c.nCrossMembers += std::max(bays, 0);
        }
    }
    return c;
}

bool UpdateCrossBeams(std::vector<CSpanData>& spans, int nBridgeType, bool coordinate)
{
    bool abnormal = false;
    const double limit = kPi / 4;   // 45 degrees
    for (size_t s = 0; s < spans.size(); ++s) {
        CSpanData& sp = spans[s];
        const CSpanFrame f(sp);
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            CPanelPointRecord& r = sp.m_aPanelPoints[j];
            const size_t G = r.m_aptGirder.size();
            if (G == 0)
                continue;
            r.m_ptLine1 = r.m_aptGirder.front();
            r.m_ptLine2 = r.m_aptGirder.back();
            r.m_dWidth = Distance(r.m_ptLine1, r.m_ptLine2);
            const double t = j < sp.m_aDivision.size() ? sp.m_aDivision[j].m_dPosition : 0.0;
            const double tau = coordinate ? CoordinateTangent(spans, int(s), int(j)) : f.Tangent(t);
            if (r.m_dWidth > 1e-6) {
                const double dx = r.m_ptLine2.x - r.m_ptLine1.x;
                r.m_dAngle = std::fabs(dx) < 1e-6 ? kRightAngle : std::atan((r.m_ptLine2.y - r.m_ptLine1.y) / dx);
                double psi = NormalizeAngle(AngleOf(r.m_ptLine1 - r.m_ptLine2) - tau, 0.0);
                if (psi > kPi)
                    psi -= kPi;
                r.m_dBaseAngle = kPi - psi;
            }
            if (nBridgeType != 0 && nBridgeType != 1)
                continue;
            if (G >= 2 && r.m_dWidth < 1e-6) {
                abnormal = true;
                continue;
            }
            const CDPoint v = G >= 2 ? Unit(r.m_ptLine1 - r.m_ptLine2) : f.LineDirection(t, kPi - r.m_dBaseAngle);
            for (size_t g = 0; g < G && g < sp.m_aGirderLines.size(); ++g) {
                const CDPoint d = GirderDirection(LineOf(sp.m_aGirderLines[g]), r.m_aptGirder[g]);
                const double acute = std::acos(std::min(1.0, std::fabs(Dot(d, v))));
                if (acute < limit - 1e-12)
                    abnormal = true;
            }
        }
    }
    return abnormal;
}

void DefaultArrangement(int nBridgeType, int nSpans, const int* anPanels, int* anKind, int* abDistributing)
{
    const int kind = nBridgeType == 1 ? CROSS_BEAM : INTERMEDIATE_SWAY_BRACING;
    for (int i = 0; i < kMaxPanelPoints; ++i) {
        anKind[i] = kind;
        abDistributing[i] = nBridgeType == 1 ? 1 : 0;
    }
    if (nBridgeType != 0)
        return;
    int p = 0;
    for (int s = 0; s < nSpans && s < kMaxSpans; ++s) {
        p += std::clamp(anPanels[s], 0, kMaxPanels);
        if (p < kMaxPanelPoints)
            anKind[p] = s == nSpans - 1 ? END_SWAY_BRACING : SUPPORT_SWAY_BRACING;
    }
    anKind[0] = END_SWAY_BRACING;
}

void ApplyCrossBeamLayout(std::vector<CSpanData>& spans, const int* anKind, const int* abDistributing, int nBridgeType)
{
    int first = 0;
    for (CSpanData& sp : spans) {
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            CPanelPointRecord& r = sp.m_aPanelPoints[j];
            const int p = first + int(j);
            if (p < kMaxPanelPoints) {
                r.m_nMemberKind = std::clamp(anKind[p], 0, 3);
                r.m_bDistributing = abDistributing[p] != 0 ? 1 : 0;
            }
            if (nBridgeType == 1) {
                r.m_nMemberKind = CROSS_BEAM;
                r.m_bDistributing = 1;
            }
        }
        first += int(sp.m_aPanelPoints.size()) - 1;
    }
}

double TrussInertia(double areaUpper, double areaLower, double h)
{
    const double sum = areaUpper + areaLower;
    return sum > 0.0 ? areaUpper * areaLower * h * h / sum : 0.0;
}

double CrossBeamInertia(double h, double tf, double bf, double tw)
{
    const double arm = h / 2.0 + tf / 2.0;
    return tw * h * h * h / 12.0 + 2.0 * (bf * tf * tf * tf / 12.0 + bf * tf * arm * arm);
}

void CalcCrossMemberSections(std::vector<CSpanData>& spans, const CMemberSectionInput& m, int nBridgeType)
{
    for (CSpanData& sp : spans)
        for (CPanelPointRecord& r : sp.m_aPanelPoints) {
            if (nBridgeType == 2) {
                r.m_dInertia = 0.0;
                continue;
            }
            switch (r.m_nMemberKind) {
            case CROSS_BEAM:
                r.m_dInertia = CrossBeamInertia(m.dCrossBeamDepth, m.dFlangeThickness, m.dFlangeWidth, m.dWebThickness);
                break;
            case END_SWAY_BRACING:
                r.m_dInertia = TrussInertia(m.dEndUpperArea, m.dEndLowerArea, m.dEndDepth);
                break;
            case SUPPORT_SWAY_BRACING:
                r.m_dInertia = TrussInertia(m.dPierChordArea, m.dPierChordArea, m.dPierDepth);
                break;
            default:
                r.m_dInertia = TrussInertia(m.dMidChordArea, m.dMidChordArea, m.dMidDepth);
                break;
            }
            if (!std::isfinite(r.m_dInertia))
                r.m_dInertia = 0.0;
        }
}

void RibsPerPanel(const std::vector<CSpanData>& spans, int* anRibs, int nSize)
{
    constexpr double kMaxRibs = 2147483647.0;   // the largest count a signed 32-bit word holds
    int k = 0;
    for (const CSpanData& sp : spans)
        for (double len : sp.m_pdPanelLength)
            if (k < nSize) {
                // Clamped before the conversion: a damaged length must not overflow the count.
                const double ribs = len / 1.99;
                anRibs[k++] = !(ribs >= 1.0) ? 0 : ribs >= kMaxRibs ? int(kMaxRibs) : int(ribs);
            }
}

double AllowableDeflection(const std::vector<CSpanData>& spans, int i, int j)
{
    if (i < 0 || size_t(i) >= spans.size())
        return 0.0;
    const CSpanData& sp = spans[size_t(i)];
    double L = sp.m_dSpanLength;
    // Along the girder's own arc: the base line's radius through the girder's ends reads
    // outer girders long, inner ones short, and any sweep over half a turn as the shorter arc.
    if (sp.m_bArc && j >= 0 && size_t(j) < sp.m_aGirderLines.size())
        L = sp.m_aGirderLines[size_t(j)].m_dLength;
    return PlanMath::AllowableDeflection(L);
}

}
