#include "solver/listing.h"

#include "solver/solver_files.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace mvg {

namespace {

void Finite(double v, const char* what)
{
    if (!std::isfinite(v))
        throw Failure(mvgfiles::kDamaged, std::string("non-finite result in ") + what);
}

} // namespace

std::vector<ListingPart> Combine(const Model& m, const DeadResult& dead, const LiveResult& live)
{
    std::vector<ListingPart> parts;
    auto part = [&](int block) {
        ListingPart p;
        p.block = block;
        p.title = m.title[0];
        p.S = m.S;
        p.n = m.nLines;
        p.G = m.G;
        p.P = m.P;
        return p;
    };
    const int n = m.nLines;

    {
        ListingPart p = part(kImpactBlock);
        for (int k = 0; k < m.S; ++k) {
            p.impact.push_back(live.impactSpan[k]);
            p.impact.push_back(live.impactEnd[k]);
        }
        parts.push_back(std::move(p));
    }
    auto reactionRow = [&](int b) {
        ResultRow r;
        r.node = m.nodeNumber(m.bearings[b].node);
        const double D = dead.reaction[b], Lp = live.reaction[b][0], Lm = live.reaction[b][1];
        const double v[6] = {D, Lp, Lm, D + Lp, D + Lm, D + 2 * Lm};
        for (int i = 0; i < 6; ++i) {
            Finite(v[i], "reactions");
            r.v[i] = v[i];
        }
        return r;
    };
    {
        ListingPart p = part(kReactionBlock);
        p.rows.reserve(m.bearings.size());
        for (int b = 0; b < int(m.bearings.size()); ++b)
            p.rows.push_back(reactionRow(b));
        parts.push_back(std::move(p));
    }
    if (m.wantsDetail()) {
        ListingPart p = part(kDetailBlock);
        ReserveFaulted(p.rows, size_t(m.S + 1) * n * n);
        for (int s = 0; s <= m.S; ++s)
            for (int g = 0; g < n; ++g) {
                p.rows.push_back(reactionRow(s * n + g));
                for (int k = 0; k < n; ++k) {
                    if (k == g)
                        continue;
                    const int b = s * n + k;
                    const auto& d = live.detail[(size_t(s) * n + g) * n + k];
                    ResultRow r;
                    r.node = m.nodeNumber(m.bearings[b].node);
                    const double D = dead.reaction[b];
                    const double v[5] = {D, d[0], d[1], D + d[0], D + d[1]};
                    for (int i = 0; i < 5; ++i) {
                        Finite(v[i], "reaction detail");
                        r.v[i] = v[i];
                    }
                    p.rows.push_back(r);
                }
            }
        parts.push_back(std::move(p));
    }
    {
        ListingPart p = part(kDeflectionBlock);
        ReserveFaulted(p.rows, size_t(m.nodes()));
        std::vector<char> support(m.P, 0);
        for (int s = 0; s <= m.S; ++s)
            support[m.supportPoint(s)] = 1;
        for (int g = 0; g < m.G; ++g)
            for (int pt = 0; pt < m.P; ++pt) {
                const int q = m.node(g, pt);
                ResultRow r;
                r.node = m.nodeNumber(q);
                r.v[0] = dead.deflection[q];
                r.v[1] = live.deflection[q][0];
                r.v[2] = live.deflection[q][1];
                r.v[3] = support[pt];
                for (int i = 0; i < 3; ++i)
                    Finite(r.v[i], "deflections");
                p.rows.push_back(r);
            }
        parts.push_back(std::move(p));
    }
    std::vector<char> bearingNode(m.nodes(), 0);
    for (const Bearing& b : m.bearings)
        bearingNode[b.node] = 1;
    const int ends[3][2] = {{kMI, kMJ}, {kVI, kVJ}, {kTI, kTJ}};
    for (int f = 0; f < 3; ++f) {
        ListingPart p = part(kMomentBlock + f);
        ReserveFaulted(p.members, size_t(m.girderMembers()));
        for (int g = 0; g < m.G; ++g)
            for (int pt = 0; pt + 1 < m.P; ++pt) {
                const int k = m.memberIndex(g, pt);
                const int qI = m.node(g, pt), qJ = m.node(g, pt + 1);
                MemberRow r;
                r.member = k + 1;
                r.nodeI = bearingNode[qI] ? -m.nodeNumber(qI) : m.nodeNumber(qI);
                r.nodeJ = bearingNode[qJ] ? -m.nodeNumber(qJ) : m.nodeNumber(qJ);
                r.length = m.girders[k].L;
                for (int e = 0; e < 2; ++e) {
                    const int fi = ends[f][e];
                    const double D = dead.member[k][fi];
                    const double Lp = live.member[k][fi], Lm = live.member[k][6 + fi];
                    double* o = e == 0 ? r.I : r.J;
                    const double v[5] = {D, Lp, Lm, D + Lp, D + Lm};
                    for (int i = 0; i < 5; ++i) {
                        Finite(v[i], "member forces");
                        o[i] = v[i];
                    }
                }
                p.members.push_back(r);
            }
        parts.push_back(std::move(p));
    }
    parts.front().first = 1;
    parts.back().last = 1;
    return parts;
}

namespace {

// The exact value of v rounded to `prec` decimals (ties to even, as the shortest-path
// formatting rounds), as an integer count of 10^-prec, for |v| < 1e9 and prec <= 4: the
// same digits as std::to_chars with a fixed precision, without its general machinery.
uint64_t ScaledRound(double v, int prec)
{
    static constexpr uint64_t kPow10[5] = {1, 10, 100, 1000, 10000};
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int exp = int((bits >> 52) & 0x7FF);
    uint64_t mant = bits & ((uint64_t(1) << 52) - 1);
    if (exp == 0 && mant == 0)
        return 0;
    int e;  // |v| = mant * 2^e
    if (exp == 0) {
        e = 1 - 1075;
    } else {
        mant |= uint64_t(1) << 52;
        e = exp - 1075;
    }
    const unsigned __int128 x = (unsigned __int128)mant * kPow10[prec];
    if (e >= 0)
        return uint64_t(x << e);  // |v| < 1e9: no overflow
    if (e <= -127)
        return 0;
    const int sh = -e;
    const unsigned __int128 q = x >> sh;
    const unsigned __int128 rem = x - (q << sh);
    const unsigned __int128 half = (unsigned __int128)1 << (sh - 1);
    return uint64_t(q) + ((rem > half || (rem == half && (q & 1))) ? 1 : 0);
}

class Text {
public:
    explicit Text(size_t reserve)
    {
        s.reserve(reserve);
        Prefault(s.data(), s.capacity());
    }
    std::string s;

    Text& lit(const char* t)
    {
        s += t;
        return *this;
    }
    Text& num(int width, long v)
    {
        char buf[32];
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
        pad(width, buf, p);
        return *this;
    }
    // %width.precf, without an exponent and without a sign on a printed zero.
    Text& fix(int width, int prec, double v)
    {
        if (!std::isfinite(v) || std::abs(v) >= 1e9)
            throw Failure(mvgfiles::kDamaged, "result out of the listing's range");
        const uint64_t scaled = ScaledRound(v, prec);
        uint64_t q = scaled;
        // digits from the right: the decimals, the point, at least one integer digit
        char buf[40];
        char* e = buf + sizeof buf;
        char* p = e;
        for (int i = 0; i < prec; ++i) {
            *--p = char('0' + q % 10);
            q /= 10;
        }
        if (prec > 0)
            *--p = '.';
        do {
            *--p = char('0' + q % 10);
            q /= 10;
        } while (q);
        if (std::signbit(v) && scaled != 0)  // a printed zero takes no sign
            *--p = '-';
        pad(width, p, e);
        return *this;
    }
    Text& sp()
    {
        s += ' ';
        return *this;
    }
    void nl() { s += '\n'; }

private:
    void pad(int width, const char* b, const char* e)
    {
        if (int(e - b) < width)
            s.append(size_t(width - int(e - b)), ' ');
        s.append(b, e);
    }
};

const char* Header(int block)
{
    switch (block) {
    case kImpactBlock: return "*** IMPACT COEFFICIENT ***";
    case kReactionBlock: return "*** REACTION ***";
    case kDetailBlock: return "*** REACTION DETAIL ***";
    case kDeflectionBlock: return "*** DEFLECTION ***";
    case kMomentBlock: return "*** BENDING MOMENT ***";
    case kShearBlock: return "*** SHEARING FORCE ***";
    case kTorsionBlock: return "*** TWISTING MOMENT ***";
    }
    throw Failure(mvgfiles::kDamaged, "unknown listing block");
}

void Check(bool ok)
{
    if (!ok)
        throw Failure(mvgfiles::kDamaged, "intermediate result does not match its counts");
}

// The rows of one support (or bearing) and their total; in the detail the
// first row is the bearing's maximum, the others leave out the last column.
void SupportRows(Text& t, const ResultRow* rows, int count, bool detail)
{
    double sum[5] = {0, 0, 0, 0, 0};
    for (int k = 0; k < count; ++k) {
        const ResultRow& r = rows[k];
        t.lit("POINT ").num(6, r.node);
        if (detail)
            t.lit(k == 0 ? " MAX" : "    ");
        for (int i = 0; i < (detail && k > 0 ? 5 : 6); ++i)
            t.sp().fix(11, 3, r.v[i]);
        t.nl();
        for (int i = 0; i < 5; ++i)
            sum[i] += r.v[i];
    }
    t.lit("TOTAL       ");
    for (double v : sum)
        t.sp().fix(11, 3, v);
    t.nl();
}

} // namespace

std::string FormatPart(const ListingPart& part, const std::string& stamp)
{
    // room for the longest lines, taken at once rather than grown by copies
    Text t(4096 + 128 * part.rows.size() + 256 * part.members.size());
    if (part.first) {
        t.lit(mvgfiles::kListingMagic).nl();
        std::string title = part.title;
        for (char& c : title)
            if (c == '\n' || c == '\r')
                c = ' ';
        t.lit("TITLE ").lit(title.c_str()).nl();
        t.lit("STAMP ").lit(stamp.c_str()).nl();
    }
    t.lit(Header(part.block)).nl();
    const int S = part.S, n = part.n, G = part.G, P = part.P;
    Check(S >= 1 && S <= kMaxSpans && n >= 1 && n <= kMaxGirders && G >= 1 && G <= kMaxGirders && P >= 2 &&
          P <= kMaxPanelPoints);
    switch (part.block) {
    case kImpactBlock:
        Check(int(part.impact.size()) == 2 * S);
        t.lit("#SPAN        i1        i2").nl();
        for (int k = 0; k < S; ++k) {
            t.lit("SPAN ").num(3, k + 1).sp().fix(9, 4, part.impact[2 * k]).sp().fix(9, 4, part.impact[2 * k + 1]);
            t.nl();
        }
        break;
    case kReactionBlock:
        Check(int(part.rows.size()) == (S + 1) * n);
        t.lit("#  NODE        DEAD     LIVE(+)     LIVE(-)      D+L(+)      D+L(-)     2L(-)+D   (tf)").nl();
        for (int s = 0; s <= S; ++s) {
            t.lit("SUPPORT ").num(3, s + 1).nl();
            SupportRows(t, &part.rows[size_t(s) * n], n, false);
        }
        break;
    case kDetailBlock:
        Check(int(part.rows.size()) == (S + 1) * n * n);
        t.lit("#  NODE            DEAD     LIVE(+)     LIVE(-)      D+L(+)      D+L(-)     2L(-)+D   (tf)").nl();
        for (int s = 0; s <= S; ++s)
            for (int g = 0; g < n; ++g) {
                t.lit("SUPPORT ").num(3, s + 1).lit(" BEARING ").num(3, g + 1).nl();
                SupportRows(t, &part.rows[(size_t(s) * n + g) * n], n, true);
            }
        break;
    case kDeflectionBlock:
        Check(int(part.rows.size()) == G * P);
        t.lit("#  NODE        DEAD     LIVE(+)     LIVE(-) SUPPORT   (mm)").nl();
        for (int g = 0; g < G; ++g) {
            t.lit("GIRDER ").num(3, g + 1).nl();
            for (int p = 0; p < P; ++p) {
                const ResultRow& r = part.rows[g * P + p];
                t.lit("POINT ").num(6, r.node);
                for (int i = 0; i < 3; ++i)
                    t.sp().fix(11, 3, r.v[i]);
                t.sp().num(2, r.v[3] != 0 ? 1 : 0).nl();
            }
        }
        break;
    case kMomentBlock:
    case kShearBlock:
    case kTorsionBlock:
        Check(int(part.members.size()) == G * (P - 1));
        t.lit(part.block == kShearBlock
                  ? "#MEMBER   NODE        DEAD     LIVE(+)     LIVE(-)      D+L(+)      D+L(-)    LENGTH   (tf)"
                  : "#MEMBER   NODE        DEAD     LIVE(+)     LIVE(-)      D+L(+)      D+L(-)    LENGTH   (tf.m)")
            .nl();
        for (int g = 0; g < G; ++g) {
            t.lit("GIRDER ").num(3, g + 1).nl();
            for (int p = 0; p + 1 < P; ++p) {
                const MemberRow& r = part.members[g * (P - 1) + p];
                t.num(6, r.member).sp().num(7, r.nodeI);
                for (double v : r.I)
                    t.sp().fix(11, 3, v);
                t.sp().fix(9, 3, r.length).nl();
                t.num(6, r.member).sp().num(7, r.nodeJ);
                for (double v : r.J)
                    t.sp().fix(11, 3, v);
                t.nl();
            }
        }
        break;
    default:
        throw Failure(mvgfiles::kDamaged, "unknown listing block");
    }
    if (part.last)
        t.lit(mvgfiles::kListingEnd).nl();
    return t.s;
}

} // namespace mvg
