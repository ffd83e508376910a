// A small reader of GROUT.LST, the way the program's readers take it: numbers in order
// from each line, keywords as first tokens, '#' lines skipped.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace mvgtest {

struct ListingRow {
    int node = 0;
    bool max = false;
    std::vector<double> v;
};

struct MemberEnds {
    int memberI = 0, nodeI = 0, memberJ = 0, nodeJ = 0;
    double I[5] = {}, J[5] = {};
    double length = 0;
};

struct ListingData {
    std::string title, stamp;
    std::vector<double> impactOut;                          // per support 0..S
    std::vector<std::vector<ListingRow>> reactions;         // [s][b]
    std::vector<std::vector<double>> reactionTotal;         // [s]
    std::vector<std::vector<std::vector<ListingRow>>> detail;  // [s][g][k]
    std::vector<std::vector<std::vector<double>>> detailTotal;  // [s][g]
    struct Defl {
        int node;
        double dead, plus, minus;
        int support;
    };
    std::vector<std::vector<Defl>> deflection;              // [g][p]
    std::vector<std::vector<MemberEnds>> members[3];        // moment, shear, torsion: [g][k]
};

// The numbers of a line in order: digit runs with an optional fraction, a '-' directly
// before a run being its sign.
inline std::vector<double> Numbers(const std::string& line)
{
    std::vector<double> out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] >= '0' && line[i] <= '9') {
            size_t j = i;
            while (j < line.size() && ((line[j] >= '0' && line[j] <= '9') || line[j] == '.'))
                ++j;
            double v = std::strtod(line.substr(i, j - i).c_str(), nullptr);
            if (i > 0 && line[i - 1] == '-')
                v = -v;
            out.push_back(v);
            i = j;
        } else {
            ++i;
        }
    }
    return out;
}

class ListingReader {
public:
    explicit ListingReader(const std::string& text)
    {
        size_t pos = 0;
        while (pos < text.size()) {
            size_t e = text.find('\n', pos);
            if (e == std::string::npos)
                e = text.size();
            m_all.push_back(text.substr(pos, e - pos));
            pos = e + 1;
        }
    }

    // Fills `d` for a listing of S spans, n bearing lines, G girder lines, P panel
    // points; false with `why` on the first thing that does not fit.
    bool Read(int S, int n, int G, int P, bool detail, ListingData& d, std::string& why)
    {
        if (m_all.size() < 4 || m_all[0] != "MVG GRILLAGE LISTING 1" || m_all[1].rfind("TITLE ", 0) != 0 ||
            m_all[2].rfind("STAMP ", 0) != 0 || m_all.back() != "*** END OF LISTING ***")
            return Fail(why, "head or end line");
        d.title = m_all[1].substr(6);
        d.stamp = m_all[2].substr(6);
        for (size_t i = 3; i + 1 < m_all.size(); ++i)
            if (!m_all[i].empty() && m_all[i][0] != '#')
                m_lines.push_back(m_all[i]);

        if (!Block("*** IMPACT COEFFICIENT ***"))
            return Fail(why, "impact block");
        std::vector<double> v;
        for (int k = 1; k <= S; ++k) {
            auto x = Next("SPAN");
            if (x.size() != 3 || int(x[0]) != k)
                return Fail(why, "SPAN row");
            v.push_back(x[1]);
            v.push_back(x[2]);
        }
        d.impactOut.assign(S + 1, 0.0);
        d.impactOut[0] = v[0];
        for (int s = 1; s <= S; ++s)
            d.impactOut[s] = v[2 * s - 1];

        if (!Block("*** REACTION ***"))
            return Fail(why, "reaction block");
        d.reactions.assign(S + 1, {});
        d.reactionTotal.assign(S + 1, {});
        for (int s = 0; s <= S; ++s) {
            auto x = Next("SUPPORT");
            if (x.size() != 1 || int(x[0]) != s + 1)
                return Fail(why, "SUPPORT line");
            for (int b = 0; b < n; ++b) {
                auto r = Next("POINT");
                if (r.size() != 7)
                    return Fail(why, "reaction POINT row");
                d.reactions[s].push_back({int(r[0]), false, {r.begin() + 1, r.end()}});
            }
            d.reactionTotal[s] = Next("TOTAL");
            if (d.reactionTotal[s].size() != 5)
                return Fail(why, "reaction TOTAL");
        }

        if (detail) {
            if (!Block("*** REACTION DETAIL ***"))
                return Fail(why, "detail block");
            d.detail.assign(S + 1, std::vector<std::vector<ListingRow>>(n));
            d.detailTotal.assign(S + 1, std::vector<std::vector<double>>(n));
            for (int s = 0; s <= S; ++s)
                for (int g = 0; g < n; ++g) {
                    auto x = Next("SUPPORT");
                    if (x.size() != 2 || int(x[0]) != s + 1 || int(x[1]) != g + 1)
                        return Fail(why, "SUPPORT BEARING line");
                    for (int k = 0; k < n; ++k) {
                        const std::string line = Peek();
                        auto r = Next("POINT");
                        const bool max = Token(line, 2) == "MAX";
                        if (max != (k == 0) || r.size() != size_t(k == 0 ? 7 : 6))
                            return Fail(why, "detail POINT row");
                        d.detail[s][g].push_back({int(r[0]), max, {r.begin() + 1, r.end()}});
                    }
                    d.detailTotal[s][g] = Next("TOTAL");
                    if (d.detailTotal[s][g].size() != 5)
                        return Fail(why, "detail TOTAL");
                }
        }

        if (!Block("*** DEFLECTION ***"))
            return Fail(why, "deflection block");
        d.deflection.assign(G, {});
        for (int g = 0; g < G; ++g) {
            auto x = Next("GIRDER");
            if (x.size() != 1 || int(x[0]) != g + 1)
                return Fail(why, "GIRDER line");
            for (int p = 0; p < P; ++p) {
                auto r = Next("POINT");
                if (r.size() != 5 || int(r[0]) != 500 * g + p + 1)
                    return Fail(why, "deflection POINT row");
                d.deflection[g].push_back({int(r[0]), r[1], r[2], r[3], int(r[4])});
            }
        }

        const char* heads[3] = {"*** BENDING MOMENT ***", "*** SHEARING FORCE ***", "*** TWISTING MOMENT ***"};
        for (int f = 0; f < 3; ++f) {
            if (!Block(heads[f]))
                return Fail(why, heads[f]);
            d.members[f].assign(G, {});
            for (int g = 0; g < G; ++g) {
                auto x = Next("GIRDER");
                if (x.size() != 1 || int(x[0]) != g + 1)
                    return Fail(why, "member GIRDER line");
                for (int k = 0; k + 1 < P; ++k) {
                    auto a = Next(nullptr), b = Next(nullptr);
                    if (a.size() != 8 || b.size() != 7)
                        return Fail(why, "member rows");
                    MemberEnds m;
                    m.memberI = int(a[0]);
                    m.nodeI = int(a[1]);
                    m.memberJ = int(b[0]);
                    m.nodeJ = int(b[1]);
                    for (int i = 0; i < 5; ++i) {
                        m.I[i] = a[2 + i];
                        m.J[i] = b[2 + i];
                    }
                    m.length = a[7];
                    d.members[f][g].push_back(m);
                }
            }
        }
        if (m_next != m_lines.size())
            return Fail(why, "lines after the last block");
        return true;
    }

private:
    static bool Fail(std::string& why, const char* what)
    {
        why = what;
        return false;
    }
    static std::string Token(const std::string& line, int i)
    {
        size_t p = 0;
        for (int k = 0;; ++k) {
            p = line.find_first_not_of(' ', p);
            if (p == std::string::npos)
                return "";
            const size_t e = line.find(' ', p);
            if (k == i)
                return line.substr(p, e == std::string::npos ? std::string::npos : e - p);
            if (e == std::string::npos)
                return "";
            p = e;
        }
    }
    bool Block(const char* header)
    {
        if (m_next >= m_lines.size() || m_lines[m_next] != header)
            return false;
        ++m_next;
        return true;
    }
    std::string Peek() const { return m_next < m_lines.size() ? m_lines[m_next] : std::string(); }
    // The numbers of the next line, which must begin with `keyword` (or with a number).
    std::vector<double> Next(const char* keyword)
    {
        if (m_next >= m_lines.size())
            return {};
        const std::string& l = m_lines[m_next];
        if (l.rfind("***", 0) == 0)
            return {};
        if (keyword ? Token(l, 0) != keyword : Token(l, 0).find_first_not_of("-0123456789") != std::string::npos)
            return {};
        ++m_next;
        return Numbers(l);
    }

    std::vector<std::string> m_all, m_lines;
    size_t m_next = 0;
};

} // namespace mvgtest
