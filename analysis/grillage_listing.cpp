#include "analysis/grillage_listing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include <QByteArrayView>

namespace {

constexpr int kMaxSupports = 15;
constexpr int kMaxLines = 21;
constexpr int kMaxPanelPoints = 281;

const char* const kImpactBlock = "*** IMPACT COEFFICIENT ***";
const char* const kReactionBlock = "*** REACTION ***";
const char* const kDetailBlock = "*** REACTION DETAIL ***";
const char* const kDeflectionBlock = "*** DEFLECTION ***";
const char* const kMomentBlock = "*** BENDING MOMENT ***";
const char* const kShearBlock = "*** SHEARING FORCE ***";
const char* const kTorsionBlock = "*** TWISTING MOMENT ***";

// One data line: its keyword (empty on member rows), whether its third token is MAX, its numbers.
struct Row {
    std::string key;
    bool max = false;
    std::vector<double> v;

    bool Is(const char* k, size_t numbers) const { return key == k && v.size() == numbers; }
    bool IsInt(size_t i) const { return i < v.size() && std::fabs(v[i]) < 1e9 && v[i] == std::floor(v[i]); }
    int Int(size_t i) const { return int(v[i]); }
};

// The first run of 0-9 and '.' at or after `from`, with a '-' directly before it; false when none.
bool NumberRun(std::string_view text, size_t from, size_t& start, size_t& length)
{
    auto numeric = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
    size_t i = from;
    while (i < text.size() && !numeric(text[i]))
        ++i;
    if (i >= text.size())
        return false;
    size_t j = i;
    while (j < text.size() && numeric(text[j]))
        ++j;
    if (i > 0 && text[i - 1] == '-')
        --i;
    start = i;
    length = j - i;
    return true;
}

// The first `count` blank-separated tokens of a line, as views into it; how many there were.
int FirstTokens(std::string_view line, std::string_view* tokens, int count)
{
    int n = 0;
    size_t i = 0;
    while (n < count && i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        if (j > i)
            tokens[n++] = line.substr(i, j - i);
        i = j;
    }
    return n;
}

// A listing holds tens of thousands of rows: they are read in place, without copies.
bool ReadRow(const std::string& line, Row& row)
{
    std::string_view tok[3];
    const int n = FirstTokens(line, tok, 3);
    const unsigned char c0 = n == 0 ? 0 : static_cast<unsigned char>(tok[0][0]);
    row.key = (c0 >= 'A' && c0 <= 'Z') || (c0 >= 'a' && c0 <= 'z') ? std::string(tok[0]) : std::string();
    row.max = n > 2 && tok[2] == "MAX";
    row.v.reserve(8);   // the longest rows, a member's first end
    size_t from = 0, start = 0, length = 0;
    while (NumberRun(line, from, start, length)) {
        const char* first = line.data() + start;
        const char* last = first + length;
        double v = 0;
        const std::from_chars_result r = std::from_chars(first, last, v);
        // Anything but a whole, plain number is left to the exact reading rules of old.
        if (r.ec != std::errc() || r.ptr != last) {
            bool ok = false;
            v = QByteArrayView(first, qsizetype(length)).toDouble(&ok);
            if (!ok)
                return false;
        }
        if (!std::isfinite(v))
            return false;
        row.v.push_back(v);
        from = start + length;
    }
    return true;
}

// The data lines of a block: from its header to the next line beginning with "***", without
// captions and blank lines. False when the block is missing or holds an unreadable number.
bool ReadBlock(const std::vector<std::string>& lines, const char* header, std::vector<Row>& rows)
{
    rows.clear();
    auto it = std::find(lines.begin(), lines.end(), std::string(header));
    if (it == lines.end())
        return false;
    for (++it; it != lines.end() && it->compare(0, 3, "***") != 0; ++it) {
        const size_t k = it->find_first_not_of(" \t");
        if (k == std::string::npos || (*it)[k] == '#')
            continue;
        Row row;
        if (!ReadRow(*it, row))
            return false;
        rows.push_back(std::move(row));
    }
    return true;
}

bool ValidShape(const CListingShape& s)
{
    return s.m_nSpans >= 1 && s.m_nSpans < kMaxSupports && s.m_nGirderLines >= 1 && s.m_nGirderLines <= kMaxLines &&
           s.m_nBearingLines >= 1 && s.m_nBearingLines <= s.m_nGirderLines && s.m_nPanelPoints >= 2 &&
           s.m_nPanelPoints <= kMaxPanelPoints;
}

// A POINT row of node and `values` numbers; `max` must match its MAX mark.
bool PointRow(const Row& r, size_t values, bool max)
{
    return r.Is("POINT", values + 1) && r.IsInt(0) && r.max == max;
}

// The readers fill copies and hand them back only when the whole block was read.
struct Staged {
    CGirderDesign* target;
    std::vector<CGirderDesign> copy;
    Staged(CGirderDesign* girders, int n) : target(girders), copy(girders, girders + n) {}
    int Commit()
    {
        std::copy(copy.begin(), copy.end(), target);
        return 1;
    }
};

void StoreReaction(CGirderDesign& d, int s, int node, const double* v)
{
    d.m_anReactNode[s] = node;
    d.m_adReactDead[s] = v[0];
    d.m_adReactLivePlus[s] = v[1];
    d.m_adReactLiveMinus[s] = v[2];
    d.m_adReactDLPlus[s] = v[3];
    d.m_adReactDLMinus[s] = v[4];
}

// Member rows of one of the three force blocks for line g: numbers and the five cases per end.
struct MemberEnds {
    int memberI = 0, nodeI = 0, memberJ = 0, nodeJ = 0;
    double I[5] = {}, J[5] = {};
    double length = 0;
};

bool ReadForceBlock(const std::vector<std::string>& lines, const char* header, const CListingShape& shape,
                    std::vector<std::vector<MemberEnds>>& out)
{
    std::vector<Row> rows;
    if (!ReadBlock(lines, header, rows))
        return false;
    const int G = shape.m_nGirderLines, M = shape.m_nPanelPoints - 1;
    if (int(rows.size()) != G * (1 + 2 * M))
        return false;
    out.assign(size_t(G), std::vector<MemberEnds>(size_t(M)));
    size_t i = 0;
    for (int g = 0; g < G; ++g) {
        const Row& head = rows[i++];
        if (!head.Is("GIRDER", 1) || head.v[0] != g + 1)
            return false;
        for (int k = 0; k < M; ++k) {
            const Row& a = rows[i++];
            const Row& b = rows[i++];
            if (!a.Is("", 8) || !b.Is("", 7) || !a.IsInt(0) || !a.IsInt(1) || !b.IsInt(0) || !b.IsInt(1))
                return false;
            MemberEnds& e = out[size_t(g)][size_t(k)];
            e.memberI = a.Int(0);
            e.nodeI = std::abs(a.Int(1));
            e.memberJ = b.Int(0);
            e.nodeJ = std::abs(b.Int(1));
            std::copy(a.v.begin() + 2, a.v.begin() + 7, e.I);
            std::copy(b.v.begin() + 2, b.v.begin() + 7, e.J);
            e.length = a.v[7];
        }
    }
    return true;
}

bool SameMembers(const std::vector<std::vector<MemberEnds>>& a, const std::vector<std::vector<MemberEnds>>& b)
{
    for (size_t g = 0; g < a.size(); ++g)
        for (size_t k = 0; k < a[g].size(); ++k) {
            const MemberEnds &x = a[g][k], &y = b[g][k];
            if (x.memberI != y.memberI || x.nodeI != y.nodeI || x.memberJ != y.memberJ || x.nodeJ != y.nodeJ)
                return false;
        }
    return true;
}

} // namespace

QByteArray ExtractNumber(const QByteArray& text, int nFrom, int* pStart, int* pLength)
{
    size_t start = 0, length = 0;
    if (!NumberRun(std::string_view(text.constData(), size_t(text.size())), size_t(std::max(nFrom, 0)), start, length)) {
        *pStart = -1;
        *pLength = 0;
        return QByteArrayLiteral("noNumerics");
    }
    *pStart = int(start);
    *pLength = int(length);
    return text.mid(qsizetype(start), qsizetype(length));
}

std::vector<std::string> SplitListingLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        pos = end + 1;
    }
    return lines;
}

int CheckListingFrame(const std::vector<std::string>& lines, const std::string& stamp)
{
    return lines.size() >= 4 && lines[0] == "MVG GRILLAGE LISTING 1" && lines[1].compare(0, 5, "TITLE") == 0 &&
           lines[2] == "STAMP " + stamp && lines.back() == "*** END OF LISTING ***";
}

int ParseImpactCoefficients(const std::vector<std::string>& lines, const CListingShape& shape, double out[15])
{
    std::vector<Row> rows;
    const int S = shape.m_nSpans;
    if (!ValidShape(shape) || !ReadBlock(lines, kImpactBlock, rows) || int(rows.size()) != S)
        return 0;
    std::vector<double> v;
    for (int k = 0; k < S; ++k) {
        const Row& r = rows[size_t(k)];
        if (!r.Is("SPAN", 3) || r.v[0] != k + 1)
            return 0;
        v.push_back(r.v[1]);
        v.push_back(r.v[2]);
    }
    // The first support takes span 1's own value, every later one the end value of the span before it.
    for (int s = 0; s < kMaxSupports; ++s)
        out[s] = s == 0 ? v[0] : s <= S ? v[size_t(2 * s - 1)] : 0.0;
    return 1;
}

int ParseReactions(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders)
{
    std::vector<Row> rows;
    const int S = shape.m_nSpans, n = shape.m_nBearingLines;
    if (!ValidShape(shape) || !ReadBlock(lines, kReactionBlock, rows) || int(rows.size()) != (S + 1) * (n + 2))
        return 0;
    Staged st(girders, shape.m_nGirderLines);
    size_t i = 0;
    for (int s = 0; s <= S; ++s) {
        const Row& head = rows[i++];
        if (!head.Is("SUPPORT", 1) || head.v[0] != s + 1)
            return 0;
        for (int b = 0; b < n; ++b) {
            const Row& r = rows[i++];
            if (!PointRow(r, 6, false))
                return 0;
            CGirderDesign& d = st.copy[size_t(b)];
            StoreReaction(d, s, r.Int(0), &r.v[1]);
            d.m_adReact2LMinusD[s] = r.v[6];
        }
        if (!rows[i++].Is("TOTAL", 5))
            return 0;
    }
    return st.Commit();
}

int ParseReactionDetail(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders)
{
    std::vector<Row> rows;
    const int S = shape.m_nSpans, n = shape.m_nBearingLines;
    if (!ValidShape(shape) || !ReadBlock(lines, kDetailBlock, rows) || int(rows.size()) != (S + 1) * n * (n + 2))
        return 0;
    Staged st(girders, shape.m_nGirderLines);
    size_t i = 0;
    for (int s = 0; s <= S; ++s) {
        // The bearings' nodes in bearing order, as block 1 of the support lists them.
        std::vector<int> bearingNode;
        for (int g = 0; g < n; ++g) {
            const Row& head = rows[i++];
            if (!head.Is("SUPPORT", 2) || head.v[0] != s + 1 || head.v[1] != g + 1)
                return 0;
            for (int k = 0; k < n; ++k) {
                const Row& r = rows[i++];
                if (!PointRow(r, k == 0 ? 6 : 5, k == 0))
                    return 0;
                if (g == 0)
                    bearingNode.push_back(r.Int(0));
                // Bearing g first, then the others in ascending order.
                const int bearing = k == 0 ? g : (k <= g ? k - 1 : k);
                if (r.Int(0) != bearingNode[size_t(bearing)])
                    return 0;
                CGirderDesign& d = st.copy[size_t(k)];
                d.m_anDetailNode[s][g] = r.Int(0);
                d.m_adDetailDead[s][g] = r.v[1];
                d.m_adDetailLivePlus[s][g] = r.v[2];
                d.m_adDetailLiveMinus[s][g] = r.v[3];
                d.m_adDetailDLPlus[s][g] = r.v[4];
                d.m_adDetailDLMinus[s][g] = r.v[5];
                if (k == 0) {
                    CGirderDesign& own = st.copy[size_t(g)];
                    StoreReaction(own, s, r.Int(0), &r.v[1]);
                    own.m_adReact2LMinusD[s] = r.v[6];
                }
            }
            const Row& total = rows[i++];
            if (!total.Is("TOTAL", 5))
                return 0;
            CGirderDesign& d = st.copy[size_t(g)];
            d.m_adDetailTotalDead[s] = total.v[0];
            d.m_adDetailTotalLivePlus[s] = total.v[1];
            d.m_adDetailTotalLiveMinus[s] = total.v[2];
            d.m_adDetailTotalDLPlus[s] = total.v[3];
            d.m_adDetailTotalDLMinus[s] = total.v[4];
        }
    }
    return st.Commit();
}

int ParseDeflections(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders)
{
    std::vector<Row> rows;
    const int G = shape.m_nGirderLines, P = shape.m_nPanelPoints;
    if (!ValidShape(shape) || !ReadBlock(lines, kDeflectionBlock, rows) || int(rows.size()) != G * (P + 1))
        return 0;
    Staged st(girders, G);
    size_t i = 0;
    for (int g = 0; g < G; ++g) {
        const Row& head = rows[i++];
        if (!head.Is("GIRDER", 1) || head.v[0] != g + 1)
            return 0;
        CGirderDesign& d = st.copy[size_t(g)];
        for (int p = 0; p < P; ++p) {
            const Row& r = rows[i++];
            if (!PointRow(r, 4, false) || r.Int(0) != 500 * g + p + 1 || !r.IsInt(4) || (r.v[4] != 0 && r.v[4] != 1))
                return 0;
            d.m_adDeflDead[p] = r.v[1];
            d.m_adDeflLivePlus[p] = r.v[2];
            d.m_adDeflLiveMinus[p] = r.v[3];
            d.m_abNodeIsSupport[p] = r.Int(4);
        }
    }
    return st.Commit();
}

int ParseMemberForces(const std::vector<std::string>& lines, const CListingShape& shape, CGirderDesign* girders)
{
    std::vector<std::vector<MemberEnds>> moment, shear, torsion;
    if (!ValidShape(shape) || !ReadForceBlock(lines, kMomentBlock, shape, moment) ||
        !ReadForceBlock(lines, kShearBlock, shape, shear) || !ReadForceBlock(lines, kTorsionBlock, shape, torsion) ||
        !SameMembers(moment, shear) || !SameMembers(moment, torsion))
        return 0;
    const int G = shape.m_nGirderLines;
    const size_t M = size_t(shape.m_nPanelPoints - 1);
    for (int g = 0; g < G; ++g) {
        CGirderDesign& d = girders[g];
        for (auto* v : {&d.m_pnMemberNoI, &d.m_pnMemberNoJ, &d.m_pnNodeI, &d.m_pnNodeJ})
            v->resize(M);
        for (auto* v : {&d.m_pdPanelLength, &d.m_pdMomentDeadI, &d.m_pdMomentLivePlusI, &d.m_pdMomentLiveMinusI,
                        &d.m_pdMomentTotalPlusI, &d.m_pdMomentTotalMinusI, &d.m_pdMomentDeadJ, &d.m_pdMomentLivePlusJ,
                        &d.m_pdMomentLiveMinusJ, &d.m_pdMomentTotalPlusJ, &d.m_pdMomentTotalMinusJ,
                        &d.m_pdShearDeadI, &d.m_pdShearLivePlusI, &d.m_pdShearLiveMinusI, &d.m_pdShearTotalPlusI,
                        &d.m_pdShearTotalMinusI, &d.m_pdShearDeadJ, &d.m_pdShearLivePlusJ, &d.m_pdShearLiveMinusJ,
                        &d.m_pdShearTotalPlusJ, &d.m_pdShearTotalMinusJ, &d.m_pdTorsionDead, &d.m_pdTorsionLivePlus,
                        &d.m_pdTorsionLiveMinus, &d.m_pdTorsionTotalPlus, &d.m_pdTorsionTotalMinus})
            v->resize(M);
        std::vector<double>* momentI[5] = {&d.m_pdMomentDeadI, &d.m_pdMomentLivePlusI, &d.m_pdMomentLiveMinusI,
                                           &d.m_pdMomentTotalPlusI, &d.m_pdMomentTotalMinusI};
        std::vector<double>* momentJ[5] = {&d.m_pdMomentDeadJ, &d.m_pdMomentLivePlusJ, &d.m_pdMomentLiveMinusJ,
                                           &d.m_pdMomentTotalPlusJ, &d.m_pdMomentTotalMinusJ};
        std::vector<double>* shearI[5] = {&d.m_pdShearDeadI, &d.m_pdShearLivePlusI, &d.m_pdShearLiveMinusI,
                                          &d.m_pdShearTotalPlusI, &d.m_pdShearTotalMinusI};
        std::vector<double>* shearJ[5] = {&d.m_pdShearDeadJ, &d.m_pdShearLivePlusJ, &d.m_pdShearLiveMinusJ,
                                          &d.m_pdShearTotalPlusJ, &d.m_pdShearTotalMinusJ};
        std::vector<double>* twist[5] = {&d.m_pdTorsionDead, &d.m_pdTorsionLivePlus, &d.m_pdTorsionLiveMinus,
                                         &d.m_pdTorsionTotalPlus, &d.m_pdTorsionTotalMinus};
        for (size_t k = 0; k < M; ++k) {
            const MemberEnds &m = moment[size_t(g)][k], &v = shear[size_t(g)][k], &t = torsion[size_t(g)][k];
            d.m_pnMemberNoI[k] = m.memberI;
            d.m_pnNodeI[k] = m.nodeI;
            d.m_pnMemberNoJ[k] = m.memberJ;
            d.m_pnNodeJ[k] = m.nodeJ;
            d.m_pdPanelLength[k] = m.length;
            for (int c = 0; c < 5; ++c) {
                (*momentI[c])[k] = m.I[c];
                (*momentJ[c])[k] = m.J[c];
                (*shearI[c])[k] = v.I[c];
                (*shearJ[c])[k] = v.J[c];
                // The end torque of larger magnitude, the first end's on a tie.
                (*twist[c])[k] = std::fabs(t.J[c]) > std::fabs(t.I[c]) ? t.J[c] : t.I[c];
            }
        }
    }
    return 1;
}
