// Moment and shear curves, envelopes and peaks of one girder from its member results, and
// the values at a position that the section forces and stresses take from them.
#include "design/girder_design.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

double At(const std::vector<double>& v, int i) { return i >= 0 && i < int(v.size()) ? v[i] : 0.0; }

// Envelope node from the two curve values: the larger magnitude wins, the smaller curve a tie.
void EnvelopeNode(double a, double b, double& value, int& sign)
{
    if (std::fabs(a) > std::fabs(b)) {
        value = std::fabs(a);
        sign = a >= 0 ? 1 : -1;
    } else {
        value = std::fabs(b);
        sign = b < 0 ? -1 : 1;
    }
}

// A moment envelope node's sign: noise around zero counts as zero, and zero as sagging, so
// that an end support's "-0.0" does not make its section a hogging one.
int MomentNodeSign(double magnitude, int sign, double noise) { return magnitude <= noise ? 1 : sign; }

constexpr double kGrid = 1048576.0;     // 2^20: positions on this grid sum exactly
constexpr double kOnNode = 1e-6;
constexpr double kMomentNoise = 1e-9;   // of the girder's largest moment

}

namespace {
double NoiseOf(const CGirderDesign& g)
{
    double largest = 0.0;
    for (const std::vector<double>* v : {&g.m_pdMomentMaxI, &g.m_pdMomentMaxJ, &g.m_pdMomentMinI, &g.m_pdMomentMinJ})
        for (double m : *v)
            largest = std::max(largest, std::fabs(m));
    return kMomentNoise * largest;
}
}

void CGirderDesign::RefreshPositions(const CDesignInput& in)
{
    m_input = in;
    int members = 0;
    for (int n : in.m_anPanelCount)
        members += n;
    if (in.m_anPanelCount.empty())
        members = int(m_pdPanelLength.size());
    m_nMembers = members;
    m_nSpans = std::max(1, int(in.m_anPanelCount.size()));
    m_pdPanelLength.resize(size_t(m_nMembers), 0.0);
    m_pnSpanStart.assign(size_t(m_nSpans + 1), 0);
    for (int s = 0; s < int(in.m_anPanelCount.size()); ++s)
        m_pnSpanStart[s + 1] = m_pnSpanStart[s] + in.m_anPanelCount[s];
    m_pnSpanStart[m_nSpans] = m_nMembers;
    m_adX.assign(size_t(m_nMembers + 1), 0.0);
    for (int m = 0; m < m_nMembers; ++m) {
        m_pdPanelLength[m] = std::round(m_pdPanelLength[m] * kGrid) / kGrid;
        m_adX[m + 1] = m_adX[m] + m_pdPanelLength[m];
    }
    m_pdSpanLength.assign(size_t(m_nSpans), 0.0);
    for (int s = 0; s < m_nSpans; ++s)
        m_pdSpanLength[s] = m_adX[m_pnSpanStart[s + 1]] - m_adX[m_pnSpanStart[s]];
    m_dGirderLength = m_adX[m_nMembers];

    // Supports hold the compression flange, and so do the cross members in use.
    const int use[4] = {in.m_bUseEndSway, in.m_bUseMidSway, in.m_bUseCrossBeam, in.m_bUsePierSway};
    m_adFixed.clear();
    for (int p = 0; p <= m_nMembers; ++p) {
        bool fixed = std::find(m_pnSpanStart.begin(), m_pnSpanStart.end(), p) != m_pnSpanStart.end();
        if (!fixed) {
            const int kind = p < int(in.m_anPanelPointKind.size()) ? in.m_anPanelPointKind[p] : -1;
            fixed = kind < 0 || kind > 3 || use[kind];
        }
        if (fixed)
            m_adFixed.push_back(m_adX[p]);
    }
    m_dMomentNoise = NoiseOf(*this);
}

void CGirderDesign::BuildMomentCurves(const CDesignInput& in)
{
    RefreshPositions(in);
    const size_t n = size_t(m_nMembers);
    m_pdMomentMaxI.assign(n, 0.0);
    m_pdMomentMaxJ.assign(n, 0.0);
    m_pdMomentMinI.assign(n, 0.0);
    m_pdMomentMinJ.assign(n, 0.0);
    for (int m = 0; m < m_nMembers; ++m) {
        const double pi = At(m_pdMomentTotalPlusI, m), ni = At(m_pdMomentTotalMinusI, m);
        const double pj = At(m_pdMomentTotalPlusJ, m), nj = At(m_pdMomentTotalMinusJ, m);
        m_pdMomentMaxI[m] = std::max(pi, ni);
        m_pdMomentMinI[m] = std::min(pi, ni);
        m_pdMomentMaxJ[m] = std::max(pj, nj);
        m_pdMomentMinJ[m] = std::min(pj, nj);
    }
}

void CGirderDesign::BuildShearCurves(const CDesignInput& in)
{
    RefreshPositions(in);
    m_nNodes = 2 * m_nMembers;
    m_pShearMax.assign(size_t(m_nNodes), CDPoint());
    m_pShearMin.assign(size_t(m_nNodes), CDPoint());
    for (int m = 0; m < m_nMembers; ++m) {
        const double pi = At(m_pdShearTotalPlusI, m), ni = At(m_pdShearTotalMinusI, m);
        const double pj = At(m_pdShearTotalPlusJ, m), nj = At(m_pdShearTotalMinusJ, m);
        m_pShearMax[2 * m] = {m_adX[m], std::max(pi, ni)};
        m_pShearMin[2 * m] = {m_adX[m], std::min(pi, ni)};
        m_pShearMax[2 * m + 1] = {m_adX[m + 1], std::max(pj, nj)};
        m_pShearMin[2 * m + 1] = {m_adX[m + 1], std::min(pj, nj)};
    }
}

void CGirderDesign::BuildMomentEnvelope(const CDesignInput& in)
{
    RefreshPositions(in);
    if (int(m_pdMomentMaxI.size()) != m_nMembers)
        BuildMomentCurves(in);
    m_dMomentNoise = NoiseOf(*this);
    m_nNodes = 2 * m_nMembers;
    m_pMomentEnv.assign(size_t(m_nNodes), CDPoint());
    m_pnMomentSign.assign(size_t(m_nNodes), 1);
    const double noise = MomentNoise();
    for (int k = 0; k < m_nNodes; ++k) {
        const int m = k / 2;
        const bool first = k % 2 == 0;
        double value = 0;
        EnvelopeNode(first ? m_pdMomentMaxI[m] : m_pdMomentMaxJ[m], first ? m_pdMomentMinI[m] : m_pdMomentMinJ[m],
                     value, m_pnMomentSign[k]);
        m_pnMomentSign[k] = MomentNodeSign(value, m_pnMomentSign[k], noise);
        m_pMomentEnv[k] = {m_adX[first ? m : m + 1], value};
    }
    BuildPeaks();
}

void CGirderDesign::BuildPeaks()
{
    // Local maxima over the groups of nodes that share a position.
    const int nodes = std::min(m_nNodes, int(m_pMomentEnv.size()));
    struct Group {
        double x, value;
    };
    std::vector<Group> groups;
    for (int k = 0; k < nodes; ++k) {
        if (!groups.empty() && groups.back().x == m_pMomentEnv[k].x)
            groups.back().value = std::max(groups.back().value, m_pMomentEnv[k].y);
        else
            groups.push_back({m_pMomentEnv[k].x, m_pMomentEnv[k].y});
    }
    std::vector<CDPoint> peaks;
    for (size_t i = 0; i < groups.size(); ++i) {
        const double g = groups[i].value;
        if (g >= 0.1 && (i == 0 || g > groups[i - 1].value) && (i + 1 == groups.size() || g >= groups[i + 1].value))
            peaks.push_back({groups[i].x, g});
    }
    if (peaks.size() > 100) {
        std::vector<size_t> order(peaks.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return peaks[a].y > peaks[b].y; });
        order.resize(100);
        std::sort(order.begin(), order.end());
        std::vector<CDPoint> kept;
        for (size_t i : order)
            kept.push_back(peaks[i]);
        peaks = kept;
    }
    m_nPeaks = int(peaks.size());
    std::fill(std::begin(m_aPeaks), std::end(m_aPeaks), CDPoint());
    std::copy(peaks.begin(), peaks.end(), m_aPeaks);
}

void CGirderDesign::BuildShearEnvelope(const CDesignInput& in)
{
    RefreshPositions(in);
    if (int(m_pShearMax.size()) != 2 * m_nMembers)
        BuildShearCurves(in);
    m_pShearEnv.assign(m_pShearMax.size(), CDPoint());
    m_pnShearSign.assign(m_pShearMax.size(), 1);
    for (size_t k = 0; k < m_pShearMax.size(); ++k) {
        double value = 0;
        EnvelopeNode(m_pShearMax[k].y, m_pShearMin[k].y, value, m_pnShearSign[k]);
        m_pShearEnv[k] = {m_pShearMax[k].x, value};
    }
}

void CGirderDesign::BuildDiagrams(const CDesignInput& in)
{
    BuildMomentCurves(in);
    BuildShearCurves(in);
    BuildMomentEnvelope(in);
    BuildShearEnvelope(in);
}

CDPoint CGirderDesign::GetMaxMomentPoint() const
{
    if (m_nPeaks <= 0)
        return {0.0, -1e10};
    int best = 0;
    for (int i = 1; i < std::min(m_nPeaks, 100); ++i)
        if (m_aPeaks[i].y > m_aPeaks[best].y)
            best = i;
    return m_aPeaks[best];
}


int CGirderDesign::GetMomentSignAt(double x) const
{
    const int n = std::min(m_nNodes, int(std::min(m_pMomentEnv.size(), m_pnMomentSign.size())));
    if (n <= 0 || x < -1e-10 || x > m_dGirderLength + 1e-10)
        return 0;
    // The first node from the second on at or past x (positions ascend along the girder).
    const auto first = m_pMomentEnv.begin() + 1, last = m_pMomentEnv.begin() + std::max(1, n - 1);
    int k = int(std::partition_point(first, last, [x](const CDPoint& p) { return p.x < x; }) - m_pMomentEnv.begin());
    k = std::min(k, n - 1);
    // Signs read from an old file were stored without the noise rule.
    return MomentNodeSign(m_pMomentEnv[k].y, m_pnMomentSign[k], MomentNoise());
}

double CGirderDesign::GetMaxResistingMoment() const
{
    double best = 0.0;
    for (const CSectionRecord& s : m_pSections)
        best = std::max(best, std::fabs(s.m_dMr));
    return best;
}

double CGirderDesign::Envelope(double v1, double v2) { return std::fabs(v1) > std::fabs(v2) ? v1 : v2; }

double CGirderDesign::NodeX(int p) const
{
    if (m_adX.empty())
        return 0.0;
    return m_adX[std::clamp(p, 0, int(m_adX.size()) - 1)];
}

namespace {

// Linear values of two per-member end curves at x, with the side rule at panel points.
void Cases(const std::vector<double>& x, double xq, int side, const std::vector<double>& aI,
           const std::vector<double>& aJ, const std::vector<double>& bI, const std::vector<double>& bJ,
           double length, double& v1, double& v2)
{
    v1 = v2 = 0.0;
    const int members = int(x.size()) - 1;
    if (members <= 0)
        return;
    xq = std::clamp(xq, 0.0, length);
    // Panel point nearest xq.
    const int up = int(std::lower_bound(x.begin(), x.end(), xq) - x.begin());
    int p = -1;
    for (int c : {up - 1, up})
        if (c >= 0 && c <= members && std::fabs(x[c] - xq) <= kOnNode)
            p = c;
    if (p >= 0) {
        if (p == 0 || (side > 0 && p < members)) {
            v1 = At(aI, p);
            v2 = At(bI, p);
        } else if (p == members || side < 0) {
            v1 = At(aJ, p - 1);
            v2 = At(bJ, p - 1);
        } else {
            v1 = std::max(At(aJ, p - 1), At(aI, p));
            v2 = std::min(At(bJ, p - 1), At(bI, p));
        }
        return;
    }
    const int m = std::clamp(up - 1, 0, members - 1);
    const double l = x[m + 1] - x[m];
    const double t = l > 0 ? (xq - x[m]) / l : 0.0;
    v1 = At(aI, m) + (At(aJ, m) - At(aI, m)) * t;
    v2 = At(bI, m) + (At(bJ, m) - At(bI, m)) * t;
}

}

void CGirderDesign::MomentCases(double x, int nSide, double& m1, double& m2) const
{
    Cases(m_adX, x, nSide, m_pdMomentMaxI, m_pdMomentMaxJ, m_pdMomentMinI, m_pdMomentMinJ, m_dGirderLength, m1, m2);
}

void CGirderDesign::ShearCases(double x, int nSide, double& s1, double& s2) const
{
    // The shear curves are per node; take them back to per member ends.
    const size_t n = size_t(std::max(0, m_nMembers));
    std::vector<double> aI(n), aJ(n), bI(n), bJ(n);
    for (size_t m = 0; m < n && 2 * m + 1 < m_pShearMax.size() && 2 * m + 1 < m_pShearMin.size(); ++m) {
        aI[m] = m_pShearMax[2 * m].y;
        aJ[m] = m_pShearMax[2 * m + 1].y;
        bI[m] = m_pShearMin[2 * m].y;
        bJ[m] = m_pShearMin[2 * m + 1].y;
    }
    Cases(m_adX, x, nSide, aI, aJ, bI, bJ, m_dGirderLength, s1, s2);
}
