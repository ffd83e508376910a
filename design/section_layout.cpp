// Section layout: blocks between field joints, their automatic or given lengths, joining and
// splitting, check points and section forces, and the passes the grillage runs call.
#include "design/girder_design.h"
#include "design/steel_tables.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kShortest = 0.1;       // shortest piece a split may leave (m)
constexpr double kSameBoundary = 0.001;

double Mm(double x) { return std::round(x * 1000.0) / 1000.0; }

// Strongest grade: higher rank, then the higher index.
int Stronger(int a, int b)
{
    const int ra = steel::Group(a), rb = steel::Group(b);
    return ra != rb ? (ra > rb ? a : b) : std::max(a, b);
}

// The plates of a new block from the sections it was made from.
void EnvelopePlates(CSectionRecord& to, const CSectionRecord& from)
{
    to.m_dBUpper = std::max(to.m_dBUpper, from.m_dBUpper);
    to.m_dTUpper = std::max(to.m_dTUpper, from.m_dTUpper);
    to.m_dBLower = std::max(to.m_dBLower, from.m_dBLower);
    to.m_dTLower = std::max(to.m_dTLower, from.m_dTLower);
    to.m_dTWeb = std::max(to.m_dTWeb, from.m_dTWeb);
    to.m_nStiffenerLevels = std::max(to.m_nStiffenerLevels, from.m_nStiffenerLevels);
    to.m_nGradeUpper = Stronger(to.m_nGradeUpper, from.m_nGradeUpper);
    to.m_nGradeWeb = Stronger(to.m_nGradeWeb, from.m_nGradeWeb);
    to.m_nGradeLower = Stronger(to.m_nGradeLower, from.m_nGradeLower);
    to.m_nRibsUpper = std::max(to.m_nRibsUpper, from.m_nRibsUpper);
    to.m_nRibsLower = std::max(to.m_nRibsLower, from.m_nRibsLower);
    to.m_dRibHUpper = std::max(to.m_dRibHUpper, from.m_dRibHUpper);
    to.m_dRibTUpper = std::max(to.m_dRibTUpper, from.m_dRibTUpper);
    to.m_dRibHLower = std::max(to.m_dRibHLower, from.m_dRibHLower);
    to.m_dRibTLower = std::max(to.m_dRibTLower, from.m_dRibTLower);
}

void CopyPlates(CSectionRecord& to, const CSectionRecord& from)
{
    to.m_dBUpper = from.m_dBUpper;
    to.m_dTUpper = from.m_dTUpper;
    to.m_dBLower = from.m_dBLower;
    to.m_dTLower = from.m_dTLower;
    to.m_dTWeb = from.m_dTWeb;
    to.m_nStiffenerLevels = from.m_nStiffenerLevels;
    to.m_nGradeUpper = from.m_nGradeUpper;
    to.m_nGradeWeb = from.m_nGradeWeb;
    to.m_nGradeLower = from.m_nGradeLower;
    to.m_nRibsUpper = from.m_nRibsUpper;
    to.m_nRibsLower = from.m_nRibsLower;
    to.m_dRibHUpper = from.m_dRibHUpper;
    to.m_dRibTUpper = from.m_dRibTUpper;
    to.m_dRibHLower = from.m_dRibHLower;
    to.m_dRibTLower = from.m_dRibTLower;
}

// Start positions of the sections, and the index of the one holding x.
std::vector<double> Starts(const std::vector<CSectionRecord>& sections)
{
    std::vector<double> starts(1, 0.0);
    for (const CSectionRecord& s : sections)
        starts.push_back(starts.back() + s.m_dLength);
    return starts;
}

int Holding(const std::vector<double>& starts, double x)
{
    const int n = int(starts.size()) - 1;
    for (int s = 0; s < n; ++s)
        if (x < starts[s + 1])
            return s;
    return std::max(0, n - 1);
}

}

void CGirderDesign::Message(const char* text) const
{
    if (m_messenger.fn)
        m_messenger.fn(text);
}

// ---------------------------------------------------------------------------------------
// Check points and forces

void CGirderDesign::LocateCheckPoints()
{
    m_nSections = int(m_pSections.size());
    for (int s = 0; s < m_nSections; ++s) {
        CSectionRecord& r = m_pSections[s];
        r.m_nJoinPrev = s > 0 && r.m_nJoinPrev == 1 ? 1 : 0;
        if (s > 0)
            m_pSections[s - 1].m_nJoinNext = r.m_nJoinPrev;
    }
    if (m_nSections > 0)
        m_pSections.back().m_nJoinNext = 0;
    for (int s = 0; s < m_nSections; ++s)
        m_pSections[s].Locate(*this, s);
}

int CGirderDesign::UpdateSectionForces()
{
    double sum = 0;
    for (const CSectionRecord& s : m_pSections)
        sum += s.m_dLength;
    if (std::fabs(sum - m_dGirderLength) > 0.05)
        return 0;
    LocateCheckPoints();
    const double noise = MomentNoise();
    for (CSectionRecord& r : m_pSections) {
        const int sides[3] = {1, -1, 0};
        for (int j = 0; j < 3; ++j) {
            if (j == 2 && !r.m_bHasC) {
                r.m_adM[2] = r.m_adS[2] = 0;
                continue;
            }
            double a, b;
            MomentCases(r.m_adCheck[j], sides[j], a, b);
            r.m_adM[j] = Envelope(a, b);
            if (std::fabs(r.m_adM[j]) <= noise)
                r.m_adM[j] = 0.0;   // a support's noise takes no sign
            ShearCases(r.m_adCheck[j], sides[j], a, b);
            r.m_adS[j] = Envelope(a, b);
        }
    }
    return 1;
}

// ---------------------------------------------------------------------------------------
// Layouts

std::vector<double> CGirderDesign::AutomaticCuts() const
{
    const double L = m_dGirderLength;
    double lmin = m_input.m_dMinSectionLength, lmax = m_input.m_dMaxSectionLength;
    if (lmin <= 0)
        lmin = 1.0;
    if (lmax < lmin)
        lmax = 3 * lmin;

    // Key points: the ends and every change of the envelope's sign.
    std::vector<double> keys{0.0};
    auto curve = [&](int k, double& a, double& b) {
        const int m = k / 2;
        a = k % 2 ? m_pdMomentMaxJ[m] : m_pdMomentMaxI[m];
        b = k % 2 ? m_pdMomentMinJ[m] : m_pdMomentMinI[m];
    };
    for (int k = 0; k + 1 < m_nNodes && k + 1 < int(m_pnMomentSign.size()); ++k) {
        if (m_pnMomentSign[k] == m_pnMomentSign[k + 1])
            continue;
        double a0, b0, a1, b1;
        curve(k, a0, b0);
        curve(k + 1, a1, b1);
        const double g0 = std::fabs(a0) - std::fabs(b0), g1 = std::fabs(a1) - std::fabs(b1);
        const double x0 = m_pMomentEnv[k].x, x1 = m_pMomentEnv[k + 1].x;
        double x = x0;
        if (x1 != x0)
            x = g0 == g1 ? (x0 + x1) / 2 : x0 + (x1 - x0) * g0 / (g0 - g1);
        keys.push_back(std::clamp(x, 0.0, L));
    }
    keys.push_back(L);
    std::vector<double> kept;
    for (double x : keys)
        if (kept.empty() || x >= kept.back() + kSameBoundary)
            kept.push_back(x);
    if (kept.back() != L) {
        if (kept.size() > 1 && L - kept.back() < kSameBoundary)
            kept.back() = L;
        else
            kept.push_back(L);
    }

    // Regions shorter than the minimum merge with their shorter neighbour.
    while (kept.size() > 2) {
        int shortest = -1;
        for (int r = 0; r + 1 < int(kept.size()); ++r)
            if (kept[r + 1] - kept[r] < lmin && (shortest < 0 || kept[r + 1] - kept[r] < kept[shortest + 1] - kept[shortest]))
                shortest = r;
        if (shortest < 0)
            break;
        const int regions = int(kept.size()) - 1;
        int neighbour;
        if (shortest == 0)
            neighbour = 1;
        else if (shortest == regions - 1)
            neighbour = shortest - 1;
        else {
            const double left = kept[shortest] - kept[shortest - 1], right = kept[shortest + 2] - kept[shortest + 1];
            neighbour = right < left ? shortest + 1 : shortest - 1;
        }
        // Remove the boundary between the two.
        kept.erase(kept.begin() + (neighbour > shortest ? shortest + 1 : shortest));
    }

    std::vector<double> supports;
    for (int s = 1; s < m_nSpans && s < int(m_pnSpanStart.size()); ++s)
        supports.push_back(NodeX(m_pnSpanStart[s]));

    std::vector<double> cuts;
    auto equalCuts = [&](double r0, double r1, double d) {
        const double R = r1 - r0;
        const int n = std::max(1, int(std::ceil(R / lmax - 1e-9)));
        if (n == 1)
            return;
        auto keeps = [&](double x) {
            for (int k = 0; k < std::min(m_nPeaks, 100); ++k)
                if (m_aPeaks[k].x > r0 && m_aPeaks[k].x < r1 && std::fabs(m_aPeaks[k].x - x) < d - 1e-9)
                    return false;
            for (double X : supports)
                if (X > r0 && X < r1 && std::fabs(X - x) < d - 1e-9)
                    return false;
            return true;
        };
        int chosen = n;
        for (int k = n; R / k >= lmin - 1e-9; ++k) {
            bool ok = true;
            for (int j = 1; j < k && ok; ++j)
                ok = keeps(r0 + j * R / k);
            if (ok) {
                chosen = k;
                break;
            }
        }
        for (int j = 1; j < chosen; ++j)
            cuts.push_back(r0 + j * R / chosen);
    };
    for (size_t r = 0; r + 1 < kept.size(); ++r) {
        const double r0 = kept[r], r1 = kept[r + 1], R = r1 - r0;
        int n = std::max(1, int(std::ceil(R / lmax - 1e-9)));
        const double d = std::max(lmin, 0.1 * R);
        if (n > 1) {
            double X = -1;
            for (double s : supports)
                if (s > r0 + 1e-6 && s < r1 - 1e-6 && (X < 0 || std::fabs(s - (r0 + r1) / 2) < std::fabs(X - (r0 + r1) / 2)))
                    X = s;
            if (X >= 0) {
                if (n % 2 == 0)
                    ++n;
                const double l = R / n;
                double a = X - l / 2, b = X + l / 2;
                if (a < r0) {
                    b += r0 - a;
                    a = r0;
                }
                if (b > r1) {
                    a -= b - r1;
                    b = r1;
                }
                if (a - r0 >= d) {
                    equalCuts(r0, a, d);
                    cuts.push_back(a);
                }
                if (r1 - b >= d) {
                    cuts.push_back(b);
                    equalCuts(b, r1, d);
                }
            } else {
                equalCuts(r0, r1, d);
            }
        }
        if (r + 2 < kept.size())
            cuts.push_back(r1);
    }
    std::vector<double> rounded;
    for (double x : cuts) {
        x = Mm(x);
        if (x > 0 && x < L && (rounded.empty() || x > rounded.back()))
            rounded.push_back(x);
    }
    return rounded;
}

std::vector<double> CGirderDesign::GivenCuts(const double* pdLengths, int nCount) const
{
    std::vector<double> cuts;
    const double L = m_dGirderLength;
    double p = 0;
    for (int i = 0; i + 1 < nCount; ++i) {
        p += pdLengths[i];
        if (p > kShortest && p < L - kShortest && (cuts.empty() || p > cuts.back() + kShortest))
            cuts.push_back(p);
    }
    return cuts;
}

// New sections, one per block between the cuts; each a copy of the old section that held its
// centre, so the assumed properties carry over.
void CGirderDesign::ApplyBoundaries(const std::vector<double>& cuts)
{
    const std::vector<CSectionRecord> old = std::move(m_pSections);
    const std::vector<double> starts = Starts(old);
    std::vector<double> bounds{0.0};
    bounds.insert(bounds.end(), cuts.begin(), cuts.end());
    bounds.push_back(m_dGirderLength);
    m_pSections.clear();
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        CSectionRecord r = old.empty() ? CSectionRecord() : old[Holding(starts, (bounds[b] + bounds[b + 1]) / 2)];
        r.m_dLength = bounds[b + 1] - bounds[b];
        r.m_nJoinPrev = r.m_nJoinNext = 0;
        r.m_bEdited = 0;
        m_pSections.push_back(r);
    }
    m_nSections = int(m_pSections.size());
}

int CGirderDesign::NormaliseBlock(int nBlock)
{
    const auto blocks = Blocks();
    if (nBlock < 0 || nBlock >= int(blocks.size()))
        return 0;
    const int first = blocks[nBlock].first, last = blocks[nBlock].second;
    const std::vector<double> starts = Starts(m_pSections);
    const double a = starts[first], b = starts[last + 1];
    CSectionRecord plates = m_pSections[first];
    for (int s = first + 1; s <= last; ++s)
        EnvelopePlates(plates, m_pSections[s]);

    std::vector<double> bounds{a};
    if (m_input.m_nHeightVariation == 0) {
        const double half = std::max(m_input.m_dMinSectionLength, 0.0) / 2;
        for (int p = 1; p < m_nMembers; ++p) {
            const double x = NodeX(p);
            if (x > a + half && x < b - half && x >= bounds.back() + half)
                bounds.push_back(x);
        }
    }
    bounds.push_back(b);
    std::vector<CSectionRecord> pieces;
    for (size_t k = 0; k + 1 < bounds.size(); ++k) {
        CSectionRecord r = m_pSections[Holding(starts, (bounds[k] + bounds[k + 1]) / 2)];
        CopyPlates(r, plates);
        r.m_dLength = bounds[k + 1] - bounds[k];
        r.m_nJoinPrev = k > 0 ? 1 : m_pSections[first].m_nJoinPrev;
        r.m_nJoinNext = k + 2 < bounds.size() ? 1 : m_pSections[last].m_nJoinNext;
        r.m_bEdited = 0;
        r.m_dHWeb = WebHeightAt((bounds[k] + bounds[k + 1]) / 2);
        pieces.push_back(r);
    }
    m_pSections.erase(m_pSections.begin() + first, m_pSections.begin() + last + 1);
    m_pSections.insert(m_pSections.begin() + first, pieces.begin(), pieces.end());
    m_nSections = int(m_pSections.size());
    return int(pieces.size());
}

void CGirderDesign::FinishLayoutChange(const std::vector<int>& abChanged, int bRedesign)
{
    LocateCheckPoints();
    UpdateSectionForces();
    const auto blocks = Blocks();
    std::vector<int> designed(blocks.size(), 0);
    for (size_t b = 0; b < blocks.size(); ++b) {
        if (b >= abChanged.size() || !abChanged[b])
            continue;
        if (bRedesign) {
            DesignBlock(blocks[b].first, blocks[b].second);
            designed[b] = 1;
        }
    }
    ConstantWidthPass(designed);
    for (CSectionRecord& r : m_pSections)
        r.Recalculate(*this);
    UpdateMaxFlangeWidths();
    for (auto* v : {&m_adLowerBoundB[0], &m_adLowerBoundB[1], &m_adLowerBoundTw})
        v->clear();
}

void CGirderDesign::ScaleToGirderLength()
{
    double sum = 0;
    for (const CSectionRecord& s : m_pSections)
        sum += s.m_dLength;
    if (sum < 1e-20 || std::fabs(sum - m_dGirderLength) <= 1e-6)
        return;
    const double f = m_dGirderLength / sum;
    double run = 0, prev = 0;
    for (size_t s = 0; s < m_pSections.size(); ++s) {
        run += m_pSections[s].m_dLength;
        const double end = s + 1 == m_pSections.size() ? m_dGirderLength : Mm(run * f);
        m_pSections[s].m_dLength = end - prev;
        prev = end;
    }
}

int CGirderDesign::LoadResultsAndDesign(const CDesignInput& in)
{
    m_nGirderNo = in.m_nGirder;
    m_nBridgeType = in.m_nBridgeType;
    m_dMaxSectionLength = in.m_dMaxSectionLength;
    m_dMinSectionLength = in.m_dMinSectionLength;
    BuildDiagrams(in);
    if (in.m_nBridgeType == 2 && in.m_nGirder != 1) {
        m_pSections.clear();
        m_nSections = 0;
        return 1;
    }
    if (in.m_nDesignRunMode == 2) {
        RedesignAll(in, 0);
        return 1;
    }
    if (!in.m_bFirstDesign && in.m_bHasStoredLayout && !in.m_aStoredLayout.empty()) {
        // The stored layout; widths a user widened by hand stay as lower bounds.
        const std::vector<CSectionRecord> old = std::move(m_pSections);
        const std::vector<double> oldStarts = Starts(old);
        m_pSections.clear();
        double run = 0;
        for (const CStoredSection& st : in.m_aStoredLayout) {
            CSectionRecord r = old.empty() ? CSectionRecord() : old[Holding(oldStarts, run + st.m_dLength / 2)];
            run += st.m_dLength;
            r.m_dLength = st.m_dLength;
            r.m_nJoinPrev = st.m_nJoinPrev == 1 ? 1 : 0;
            r.m_nJoinNext = st.m_nJoinNext == 1 ? 1 : 0;
            r.m_bEdited = 0;
            m_pSections.push_back(r);
        }
        m_nSections = int(m_pSections.size());
        ScaleToGirderLength();
        for (auto* v : {&m_adLowerBoundB[0], &m_adLowerBoundB[1], &m_adLowerBoundTw})
            v->assign(m_pSections.size(), 0.0);
        const auto blocks = Blocks();
        for (size_t s = 0; s < in.m_aStoredLayout.size(); ++s) {
            const CStoredSection& st = in.m_aStoredLayout[s];
            if (st.m_bEdited != 1)
                continue;
            for (const auto& [first, last] : blocks)
                if (int(s) >= first && int(s) <= last)
                    for (int k = first; k <= last; ++k) {
                        m_adLowerBoundB[0][k] = std::max(m_adLowerBoundB[0][k], st.m_dBUpper);
                        m_adLowerBoundB[1][k] = std::max(m_adLowerBoundB[1][k], st.m_dBLower);
                        m_adLowerBoundTw[k] = std::max(m_adLowerBoundTw[k], st.m_dTWeb);
                    }
        }
    } else {
        std::vector<double> cuts;
        if (in.m_nBlockLengthMode == 1 && !in.m_adGivenBlockLength.empty())
            cuts = GivenCuts(in.m_adGivenBlockLength.data(), int(in.m_adGivenBlockLength.size()));
        else
            cuts = AutomaticCuts();
        ApplyBoundaries(cuts);
        for (int b = int(Blocks().size()) - 1; b >= 0; --b)
            NormaliseBlock(b);
    }
    FinishLayoutChange(std::vector<int>(Blocks().size(), 1), 1);
    return 1;
}

void CGirderDesign::RestoreDerived(const CDesignInput& in, int bRebuildCurves)
{
    if (bRebuildCurves) {
        BuildDiagrams(in);
    } else {
        RefreshPositions(in);
        BuildPeaks();
    }
    UpdateSectionForces();
    LocateCheckPoints();
    for (CSectionRecord& r : m_pSections) {
        r.SetBoltHoles(in);
        r.Recalculate(*this);
    }
}

void CGirderDesign::RedesignAll(const CDesignInput& in, int nKeep)
{
    BuildDiagrams(in);
    if (in.m_nBridgeType == 2 && in.m_nGirder != 1)
        return;
    if (!UpdateSectionForces())
        ScaleToGirderLength();
    const auto blocks = Blocks();
    std::vector<int> changed(blocks.size(), nKeep == 2 ? 0 : 1);
    if (nKeep == 1)
        for (size_t b = 0; b < blocks.size(); ++b)
            for (int s = blocks[b].first; s <= blocks[b].second; ++s)
                if (m_pSections[s].m_bEdited == 1)
                    changed[b] = 0;
    FinishLayoutChange(changed, 1);
}

// ---------------------------------------------------------------------------------------
// Joining and splitting

int CGirderDesign::JoinBlocks(int nFirst, int nLast, int bRedesign)
{
    const auto blocks = Blocks();
    if (!(0 <= nFirst && nFirst < nLast && nLast < int(blocks.size()))) {
        Message("ブロックの結合に失敗しました。");
        return 0;
    }
    for (int s = blocks[nFirst].first + 1; s <= blocks[nLast].second; ++s)
        m_pSections[s].m_nJoinPrev = m_pSections[s - 1].m_nJoinNext = 1;
    NormaliseBlock(nFirst);
    std::vector<int> changed(Blocks().size(), 0);
    changed[nFirst] = 1;
    FinishLayoutChange(changed, bRedesign);
    return 1;
}

int CGirderDesign::SplitBlock(int nBlock, double dPos, int bRedesign)
{
    const auto blocks = Blocks();
    if (nBlock < 0 || nBlock >= int(blocks.size())) {
        Message("指定番号のブロックは存在しません。\nブロックの分割に失敗しました。");
        return 0;
    }
    const std::vector<double> starts = Starts(m_pSections);
    const double a = starts[blocks[nBlock].first], b = starts[blocks[nBlock].second + 1];
    if (!(dPos > kShortest && dPos < b - a - kShortest)) {
        Message("分割位置がブロックの範囲外です。\nブロックの分割に失敗しました。");
        return 0;
    }
    const double x = a + dPos;
    int boundary = -1;     // the section that starts at x
    for (int s = blocks[nBlock].first + 1; s <= blocks[nBlock].second; ++s)
        if (std::fabs(starts[s] - x) <= kSameBoundary)
            boundary = s;
    if (boundary < 0) {
        const int s = Holding(starts, x);
        CSectionRecord right = m_pSections[s];
        m_pSections[s].m_dLength = x - starts[s];
        right.m_dLength = starts[s + 1] - x;
        m_pSections.insert(m_pSections.begin() + s + 1, right);
        boundary = s + 1;
    }
    m_pSections[boundary].m_nJoinPrev = m_pSections[boundary - 1].m_nJoinNext = 0;
    m_nSections = int(m_pSections.size());
    NormaliseBlock(nBlock + 1);
    NormaliseBlock(nBlock);
    std::vector<int> changed(Blocks().size(), 0);
    changed[nBlock] = changed[nBlock + 1] = 1;
    FinishLayoutChange(changed, bRedesign);
    return 1;
}

int CGirderDesign::JoinSections(const CDesignInput& in, int nFirst, int nLast)
{
    m_input = in;
    const int n = int(m_pSections.size());
    if (nFirst < 0 || nFirst >= n || nLast < 0 || nLast >= n) {
        Message("指定番号の断面は存在しません。");
        return 0;
    }
    if (nFirst >= nLast) {
        Message("開始断面と終了断面を正しく指定して下さい。");
        return 0;
    }
    for (int s = nFirst + 1; s <= nLast; ++s)
        m_pSections[s].m_nJoinPrev = m_pSections[s - 1].m_nJoinNext = 1;
    const auto blocks = Blocks();
    int block = 0;
    for (int b = 0; b < int(blocks.size()); ++b)
        if (nFirst >= blocks[b].first && nFirst <= blocks[b].second)
            block = b;
    NormaliseBlock(block);
    std::vector<int> changed(Blocks().size(), 0);
    changed[block] = 1;
    FinishLayoutChange(changed, 1);
    return 1;
}

int CGirderDesign::SplitSection(const CDesignInput& in, int nSection, double dPos, int bRedesign)
{
    m_input = in;
    if (nSection < 0 || nSection >= int(m_pSections.size())) {
        Message("指定番号の断面は存在しません。");
        return 0;
    }
    const double length = m_pSections[nSection].m_dLength;
    if (!(dPos > kShortest && dPos < length - kShortest)) {
        Message("分割位置が断面の範囲外です。");
        return 0;
    }
    CSectionRecord right = m_pSections[nSection];
    m_pSections[nSection].m_dLength = dPos;
    m_pSections[nSection].m_nJoinNext = 0;
    right.m_dLength = length - dPos;
    right.m_nJoinPrev = 0;
    m_pSections.insert(m_pSections.begin() + nSection + 1, right);
    m_nSections = int(m_pSections.size());
    const auto blocks = Blocks();
    int left = 0;
    for (int b = 0; b < int(blocks.size()); ++b)
        if (nSection >= blocks[b].first && nSection <= blocks[b].second)
            left = b;
    if (in.m_nHeightVariation == 0) {
        NormaliseBlock(left + 1);
        NormaliseBlock(left);
    }
    std::vector<int> changed(Blocks().size(), 0);
    changed[left] = changed[left + 1] = 1;
    FinishLayoutChange(changed, bRedesign);
    return 1;
}

int CGirderDesign::SetBlockLengths(const double* pdLengths)
{
    return SetBlockLengths(pdLengths, int(Blocks().size()));
}

int CGirderDesign::SetBlockLengths(const double* pdLengths, int nCount)
{
    // A girder with no sections has no blocks to cut.
    if (!pdLengths || nCount < 1 || m_pSections.empty())
        return 0;
    const auto oldBlocks = Blocks();
    const std::vector<CSectionRecord> old = std::move(m_pSections);
    const std::vector<double> starts = Starts(old);
    std::vector<double> bounds{0.0};
    for (double c : GivenCuts(pdLengths, nCount))
        bounds.push_back(c);
    bounds.push_back(m_dGirderLength);

    m_pSections.clear();
    std::vector<int> changed;
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        int same = -1;
        for (int k = 0; k < int(oldBlocks.size()); ++k)
            if (std::fabs(starts[oldBlocks[k].first] - bounds[b]) <= kSameBoundary &&
                std::fabs(starts[oldBlocks[k].second + 1] - bounds[b + 1]) <= kSameBoundary)
                same = k;
        if (same >= 0) {
            for (int s = oldBlocks[same].first; s <= oldBlocks[same].second; ++s)
                m_pSections.push_back(old[s]);
            m_pSections[m_pSections.size() - (oldBlocks[same].second - oldBlocks[same].first + 1)].m_nJoinPrev = 0;
            m_pSections.back().m_nJoinNext = 0;
            changed.push_back(0);
            continue;
        }
        CSectionRecord r = old[Holding(starts, (bounds[b] + bounds[b + 1]) / 2)];
        for (int s = 0; s < int(old.size()); ++s)
            if (starts[s] < bounds[b + 1] - kSameBoundary && starts[s + 1] > bounds[b] + kSameBoundary)
                EnvelopePlates(r, old[s]);
        r.m_dLength = bounds[b + 1] - bounds[b];
        r.m_nJoinPrev = r.m_nJoinNext = 0;
        m_pSections.push_back(r);
        changed.push_back(1);
    }
    m_nSections = int(m_pSections.size());
    for (int b = int(changed.size()) - 1; b >= 0; --b)
        if (changed[b])
            NormaliseBlock(b);
    FinishLayoutChange(changed, 1);
    return 1;
}

// ---------------------------------------------------------------------------------------
// The first grillage pass and the member properties it is given

void CGirderDesign::InitSingleSection(const CDesignInput& in)
{
    m_input = in;
    m_nGirderNo = in.m_nGirder;
    m_nBridgeType = in.m_nBridgeType;
    m_dMaxSectionLength = in.m_dMaxSectionLength;
    m_dMinSectionLength = in.m_dMinSectionLength;
    m_pSections.clear();
    m_nSections = 0;
    if (in.m_nBridgeType == 2 && in.m_nGirder != 1)
        return;
    if (m_dGirderLength < 1e-20)
        m_dGirderLength = in.m_dLineLength;
    const bool box = in.m_nBridgeType != 0;
    const int webs = box ? 2 : 1;
    CSectionRecord r;
    r.m_dLength = in.m_dLineLength;
    r.m_nGradeUpper = steel::LimitGrade(in.m_nUFGrade, in.m_nWeathering);
    r.m_nGradeLower = steel::LimitGrade(in.m_nLFGrade, in.m_nWeathering);
    r.m_nGradeWeb = steel::LimitGrade(in.m_nWebGrade, in.m_nWeathering);
    r.m_dHWeb = std::round(in.m_dGirderHeight * 1000.0) / 1000.0;
    const int levels = box ? std::clamp(in.m_nStiffenerStepsBox, 0, 2)
                           : (in.m_nStiffenerSteps == 0 ? 2 : std::clamp(in.m_nStiffenerSteps - 1, 0, 2));
    const double twMin = in.m_bMinWebTableOnly ? 0.008 : std::max(0.008, in.m_adLimit[9]);
    const std::vector<double> webList = steel::Thicknesses(in.m_nThicknessStep, twMin, std::max(0.008, in.m_adLimit[8]));
    r.m_nStiffenerLevels = levels;
    r.m_dTWeb = steel::RoundUp(webList, std::max(twMin, r.m_dHWeb / steel::WebRatio(r.m_nGradeWeb, levels)));
    const double w = in.m_bSIUnits ? in.m_dAssumedWeight / steel::kGravity : in.m_dAssumedWeight;
    const double a0 = w / steel::Density(in.m_bSIUnits);
    for (int f = 0; f < 2; ++f) {
        const double tMax = std::max(0.008, in.m_adLimit[f * 4]), tMin = std::min(tMax, std::max(0.008, in.m_adLimit[f * 4 + 1]));
        const double bMax = in.m_adLimit[f * 4 + 2], bMin = std::min(bMax, in.m_adLimit[f * 4 + 3]);
        const std::vector<double> list = steel::Thicknesses(in.m_nThicknessStep, tMin, tMax);
        const double af = std::max((a0 - webs * r.m_dHWeb * r.m_dTWeb) / 2, bMin * list.front());
        double b;
        if (box)
            b = f == 0 ? in.m_dFlangeWidthW / 1000.0 : in.m_dWebSpacingA / 1000.0 + 0.10;
        else
            b = std::clamp(std::ceil(std::sqrt(24 * af) * 100.0 - 1e-9) / 100.0, bMin, bMax);
        const double t = steel::RoundUp(list, af / b);
        (f == 0 ? r.m_dBUpper : r.m_dBLower) = b;
        (f == 0 ? r.m_dTUpper : r.m_dTLower) = t;
    }
    m_pSections.push_back(r);
    m_nSections = 1;
    m_pSections[0].Recalculate(*this);
    m_pSections[0].m_anJointKind[0] = m_pSections[0].m_anJointKind[1] = 2;
}

void CGirderDesign::GetMemberProperties(int nMember, double& a, double& i, double& j) const
{
    a = i = j = 0;
    if (m_pSections.empty())
        return;
    if (nMember < 0 || nMember >= int(m_pdPanelLength.size()) || m_adX.size() != m_pdPanelLength.size() + 1) {
        a = m_pSections[0].m_dArea;
        i = m_pSections[0].m_dI;
        j = m_pSections[0].m_dJ;
        return;
    }
    const double x0 = m_adX[nMember], x1 = m_adX[nMember + 1];
    double s0 = 0, weight = 0;
    for (size_t q = 0; q < m_pSections.size(); ++q) {
        double s1 = s0 + m_pSections[q].m_dLength;
        if (q + 1 == m_pSections.size())
            s1 = m_dGirderLength;     // the last section reaches the girder's end
        const double overlap = std::min(s1, x1) - std::max(s0, x0);
        if (overlap > 0) {
            a += m_pSections[q].m_dArea * overlap;
            i += m_pSections[q].m_dI * overlap;
            j += m_pSections[q].m_dJ * overlap;
            weight += overlap;
        }
        s0 = s1;
    }
    if (weight > 1e-20) {
        a /= weight;
        i /= weight;
        j /= weight;
    } else {
        const CSectionRecord& last = m_pSections.back();
        a = last.m_dArea;
        i = last.m_dI;
        j = last.m_dJ;
    }
}

void CGirderDesign::StoreAssumedProperties()
{
    double run = 0;
    for (CSectionRecord& r : m_pSections) {
        const double centre = run + r.m_dLength / 2;
        run += r.m_dLength;
        int member = -1;
        if (m_adX.size() == m_pdPanelLength.size() + 1 && !m_pdPanelLength.empty())
            member = std::clamp(int(std::upper_bound(m_adX.begin(), m_adX.end(), centre) - m_adX.begin()) - 1, 0,
                                int(m_pdPanelLength.size()) - 1);
        if (member < 0) {
            r.m_dAssumedArea = r.m_dArea;
            r.m_dAssumedI = r.m_dI;
            r.m_dAssumedJ = r.m_dJ;
        } else {
            GetMemberProperties(member, r.m_dAssumedArea, r.m_dAssumedI, r.m_dAssumedJ);
        }
    }
}

double CGirderDesign::GetMeanArea(bool bAssumed) const
{
    double area = 0.0, length = 0.0;
    for (const CSectionRecord& r : m_pSections) {
        const double a = bAssumed ? r.m_dAssumedArea : r.m_dArea;
        if (a < 0.0)
            return 0.0;
        area += a * r.m_dLength;
        length += r.m_dLength;
    }
    return length > 1e-20 ? area / length : 0.0;
}

void CGirderDesign::CopyResults(const CGirderDesign& g)
{
    m_pnMemberNoI = g.m_pnMemberNoI;
    m_pnMemberNoJ = g.m_pnMemberNoJ;
    m_pnNodeI = g.m_pnNodeI;
    m_pnNodeJ = g.m_pnNodeJ;
    m_pdPanelLength = g.m_pdPanelLength;
    for (auto p : {&CGirderDesign::m_pdMomentDeadI, &CGirderDesign::m_pdMomentLivePlusI, &CGirderDesign::m_pdMomentLiveMinusI,
                   &CGirderDesign::m_pdMomentTotalPlusI, &CGirderDesign::m_pdMomentTotalMinusI, &CGirderDesign::m_pdMomentDeadJ,
                   &CGirderDesign::m_pdMomentLivePlusJ, &CGirderDesign::m_pdMomentLiveMinusJ, &CGirderDesign::m_pdMomentTotalPlusJ,
                   &CGirderDesign::m_pdMomentTotalMinusJ, &CGirderDesign::m_pdShearDeadI, &CGirderDesign::m_pdShearLivePlusI,
                   &CGirderDesign::m_pdShearLiveMinusI, &CGirderDesign::m_pdShearTotalPlusI, &CGirderDesign::m_pdShearTotalMinusI,
                   &CGirderDesign::m_pdShearDeadJ, &CGirderDesign::m_pdShearLivePlusJ, &CGirderDesign::m_pdShearLiveMinusJ,
                   &CGirderDesign::m_pdShearTotalPlusJ, &CGirderDesign::m_pdShearTotalMinusJ, &CGirderDesign::m_pdTorsionDead,
                   &CGirderDesign::m_pdTorsionLivePlus, &CGirderDesign::m_pdTorsionLiveMinus, &CGirderDesign::m_pdTorsionTotalPlus,
                   &CGirderDesign::m_pdTorsionTotalMinus})
        this->*p = g.*p;
    auto copy = [](auto& to, const auto& from) { std::copy(std::begin(from), std::end(from), std::begin(to)); };
    copy(m_anReactNode, g.m_anReactNode);
    copy(m_adReactDead, g.m_adReactDead);
    copy(m_adReactLivePlus, g.m_adReactLivePlus);
    copy(m_adReactLiveMinus, g.m_adReactLiveMinus);
    copy(m_adReactDLPlus, g.m_adReactDLPlus);
    copy(m_adReactDLMinus, g.m_adReactDLMinus);
    copy(m_adReact2LMinusD, g.m_adReact2LMinusD);
    for (int s = 0; s < 15; ++s) {
        copy(m_anDetailNode[s], g.m_anDetailNode[s]);
        copy(m_adDetailDead[s], g.m_adDetailDead[s]);
        copy(m_adDetailLivePlus[s], g.m_adDetailLivePlus[s]);
        copy(m_adDetailLiveMinus[s], g.m_adDetailLiveMinus[s]);
        copy(m_adDetailDLPlus[s], g.m_adDetailDLPlus[s]);
        copy(m_adDetailDLMinus[s], g.m_adDetailDLMinus[s]);
    }
    copy(m_adDetailTotalDead, g.m_adDetailTotalDead);
    copy(m_adDetailTotalLivePlus, g.m_adDetailTotalLivePlus);
    copy(m_adDetailTotalLiveMinus, g.m_adDetailTotalLiveMinus);
    copy(m_adDetailTotalDLPlus, g.m_adDetailTotalDLPlus);
    copy(m_adDetailTotalDLMinus, g.m_adDetailTotalDLMinus);
    copy(m_adDeflDead, g.m_adDeflDead);
    copy(m_adDeflLivePlus, g.m_adDeflLivePlus);
    copy(m_adDeflLiveMinus, g.m_adDeflLiveMinus);
    copy(m_abNodeIsSupport, g.m_abNodeIsSupport);
}
