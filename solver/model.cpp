#include "solver/model.h"

#include "solver/solver_files.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <deque>
#include <map>
#include <set>
#include <span>
#include <string_view>

namespace mvg {

int Model::spanOfPanel(int p) const
{
    for (int k = 0; k < S; ++k)
        if (p < spans[k].pLast)
            return k;
    return S - 1;
}

namespace {

using mvgfiles::kInconsistent;
using mvgfiles::kSyntaxError;

constexpr size_t kMaxLineLength = 4096;
// The largest design writes about 56 000 records (5620 nodes, as many girder and cross
// members, 281 deck blocks of at most 64 strips and 64 attachments); four times that keeps
// a damaged file from filling memory with records.
constexpr size_t kMaxRecords = 250000;
// No record has more fields than GX with the most girder lines.
constexpr size_t kMaxFields = kMaxGirders + 1;
// Plan coordinates beyond 100 km are no bridge: they only lose the panel lengths in rounding
// (the driver writes 10 significant digits) or overflow the stiffness.
constexpr double kMaxPlanCoordinate = 100000.0;
// Written numbers carry 10 significant digits: positions agree to this much.
constexpr double kRoundingSlack = 1e-6;

// A record's fields point into the token store of the Reader that made it.
struct Record {
    int line = 0;
    std::span<const std::string_view> tok;
};

std::string At(int line)
{
    return std::string("GRIN.DAT line ") + std::to_string(line) + ": ";
}

[[noreturn]] void Syntax(int line, const std::string& what)
{
    throw Failure(kSyntaxError, At(line) + what);
}

[[noreturn]] void Bad(int line, const std::string& what)
{
    throw Failure(kInconsistent, (line > 0 ? At(line) : std::string("GRIN.DAT: ")) + what);
}

// A whole token as a number; a leading '+' is allowed, as C's readers allow it.
template <class T>
bool Parse(std::string_view t, T* v)
{
    const char* b = t.data();
    const char* e = b + t.size();
    if (!t.empty() && *b == '+')
        ++b;
    auto [p, ec] = std::from_chars(b, e, *v);
    return ec == std::errc() && p == e;
}

double Real(const Record& r, size_t i)
{
    const std::string_view t = r.tok[i];
    double v = 0;
    if (!Parse(t, &v) || !std::isfinite(v))
        Syntax(r.line, "unreadable number '" + std::string(t) + "'");
    return v;
}

int Int(const Record& r, size_t i)
{
    const std::string_view t = r.tok[i];
    long v = 0;
    if (!Parse(t, &v) || v < -1000000000L || v > 1000000000L)
        Syntax(r.line, "unreadable integer '" + std::string(t) + "'");
    return static_cast<int>(v);
}

// Line of a section's last record, 0 when it has none.
int LastLine(const std::vector<Record>& recs)
{
    return recs.empty() ? 0 : recs.back().line;
}

[[noreturn]] void Unknown(const Record& r, const char* section)
{
    Syntax(r.line, "unknown record '" + std::string(r.tok[0]) + "' in " + section);
}

void Fields(const Record& r, const char* section, size_t n)
{
    if (r.tok.size() != n)
        Syntax(r.line, std::string(section) + " " + std::string(r.tok[0]) + " expects " +
                           std::to_string(n) + " fields, found " + std::to_string(r.tok.size()));
}

// Appends the fields of a line to `out`.
void SplitInto(std::string_view s, std::vector<std::string_view>& out)
{
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i >= s.size())
            break;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t')
            ++j;
        out.push_back(s.substr(i, j - i));
        i = j;
    }
}

std::vector<std::string_view> Split(std::string_view s)
{
    std::vector<std::string_view> out;
    SplitInto(s, out);
    return out;
}

// The file as sections of records, in the fixed order.
class Reader {
public:
    // Blank and comment lines are dropped here (a file of blank lines must not cost an
    // entry each), except the two title lines, which are kept whatever they hold.
    explicit Reader(const std::string& text)
    {
        size_t pos = 0;
        int no = 0;
        int verbatim = 0;
        m_lines.reserve(std::min<size_t>(size_t(std::count(text.begin(), text.end(), '\n')) + 1, kMaxRecords));
        while (pos < text.size()) {
            size_t end = text.find('\n', pos);
            if (end == std::string::npos)
                end = text.size();
            std::string_view line(text.data() + pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++no;
            pos = end + 1;
            if (line.size() > kMaxLineLength)
                Syntax(no, "line longer than 4096 characters");
            if (verbatim > 0) {
                --verbatim;
            } else {
                const size_t k = line.find_first_not_of(" \t");
                if (k == std::string_view::npos || line[k] == '#')
                    continue;
                if (m_lines.empty() && Split(line) == std::vector<std::string_view>{"/TITLE"})
                    verbatim = 2;
            }
            if (m_lines.size() >= kMaxRecords)
                Syntax(no, "more than " + std::to_string(kMaxRecords) + " records");
            m_lines.push_back({no, line});
        }
    }

    // The two verbatim lines after /TITLE.
    std::array<std::string, 2> Title()
    {
        Header("/TITLE");
        std::array<std::string, 2> t;
        for (auto& s : t) {
            if (m_next >= m_lines.size())
                Syntax(LastNo(), "/TITLE expects two lines");
            const Line& l = m_lines[m_next++];
            CheckTitle(l);
            s = std::string(l.text);
        }
        return t;
    }

    // The records of the next section, which must be `name`.
    std::vector<Record> Section(const char* name)
    {
        Header(name);
        // All the section's fields go into one store, and the records point into it
        // once it has stopped growing: no allocation a record.
        std::vector<std::string_view>& tokens = m_tokens.emplace_back();
        std::vector<size_t> ends;
        const size_t first = m_next;
        while (true) {
            const size_t i = m_next;
            if (i >= m_lines.size() || m_lines[i].text.front() == '/')
                break;
            const size_t before = tokens.size();
            SplitInto(m_lines[i].text, tokens);
            if (tokens.size() - before > kMaxFields)
                Syntax(m_lines[i].no, "more than " + std::to_string(kMaxFields) + " fields");
            ends.push_back(tokens.size());
            m_next = i + 1;
        }
        std::vector<Record> out(ends.size());
        size_t begin = 0;
        for (size_t r = 0; r < ends.size(); ++r) {
            out[r] = Record{m_lines[first + r].no, std::span<const std::string_view>(tokens.data() + begin, ends[r] - begin)};
            begin = ends[r];
        }
        return out;
    }

    void End()
    {
        Header("/END");
        if (m_next < m_lines.size())
            Syntax(m_lines[m_next].no, "text after /END");
    }

    // Number of the file's last line that holds something.
    int LastNo() const { return m_lines.empty() ? 0 : m_lines.back().no; }

private:
    struct Line {
        int no;
        std::string_view text;
    };

    // The title goes into a UTF-8 listing as it stands: other encodings and control
    // characters (a NUL would cut the line short) are refused rather than guessed at.
    static void CheckTitle(const Line& l)
    {
        const std::string_view t = l.text;
        size_t i = 0;
        while (i < t.size()) {
            const unsigned char c = static_cast<unsigned char>(t[i]);
            if (c < 0x80) {
                if (c < 0x20 || c == 0x7F)
                    Syntax(l.no, "title holds a control character");
                ++i;
                continue;
            }
            // Lead byte: sequence length and the smallest code point it may encode.
            size_t n = 0;
            char32_t cp = 0, least = 0;
            if (c >= 0xC2 && c <= 0xDF) {
                n = 2, cp = c & 0x1F, least = 0x80;
            } else if (c >= 0xE0 && c <= 0xEF) {
                n = 3, cp = c & 0x0F, least = 0x800;
            } else if (c >= 0xF0 && c <= 0xF4) {
                n = 4, cp = c & 0x07, least = 0x10000;
            } else {
                Syntax(l.no, "title is not UTF-8");
            }
            if (i + n > t.size())
                Syntax(l.no, "title is not UTF-8");
            for (size_t k = 1; k < n; ++k) {
                const unsigned char d = static_cast<unsigned char>(t[i + k]);
                if ((d & 0xC0) != 0x80)
                    Syntax(l.no, "title is not UTF-8");
                cp = (cp << 6) | (d & 0x3F);
            }
            if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                Syntax(l.no, "title is not UTF-8");
            if (cp >= 0x80 && cp <= 0x9F)
                Syntax(l.no, "title holds a control character");
            i += n;
        }
    }

    void Header(const char* name)
    {
        const size_t i = m_next;
        if (i >= m_lines.size())
            Syntax(LastNo(), std::string("missing section ") + name);
        const std::string_view l = m_lines[i].text;
        const auto tok = Split(l);
        if (l.front() != '/' || tok.size() != 1 || tok[0] != name)
            Syntax(m_lines[i].no, std::string("expected section ") + name + ", found '" +
                                      std::string(l.substr(0, 40)) + "'");
        m_next = i + 1;
    }

    std::vector<Line> m_lines;
    size_t m_next = 0;
    std::deque<std::vector<std::string_view>> m_tokens;  // per section; never moved
};

// A section of keyword records that must each appear exactly once.
std::map<std::string_view, Record> Keyed(Reader& rd, const char* section, std::initializer_list<std::string_view> keys)
{
    const std::vector<Record> recs = rd.Section(section);
    std::map<std::string_view, Record> out;
    for (const Record& r : recs) {
        if (std::find(keys.begin(), keys.end(), r.tok[0]) == keys.end())
            Unknown(r, section);
        Fields(r, section, 2);
        if (!out.emplace(r.tok[0], r).second)
            Syntax(r.line, std::string("repeated record ") + std::string(r.tok[0]));
    }
    for (std::string_view k : keys)
        if (!out.count(k))
            Syntax(LastLine(recs), std::string("missing record ") + std::string(k) + " in " + section);
    return out;
}

bool IsHex16(std::string_view s)
{
    if (s.size() != 16)
        return false;
    for (char c : s)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Internal node index of a node number, or -1.
int NodeIndex(const Model& m, int number)
{
    if (number < 1)
        return -1;
    const int g = (number - 1) / 500, p = (number - 1) % 500;
    if (g >= m.G || p >= m.P)
        return -1;
    return m.node(g, p);
}

// A section of plain records, each with n fields.
std::vector<Record> Records(Reader& rd, const char* section, size_t n)
{
    std::vector<Record> recs = rd.Section(section);
    for (const Record& r : recs)
        Fields(r, section, n);
    return recs;
}

// A section of records that all begin with `name`, each with n fields.
std::vector<Record> Named(Reader& rd, const char* section, std::string_view name, size_t n)
{
    std::vector<Record> recs = rd.Section(section);
    for (const Record& r : recs) {
        if (r.tok[0] != name)
            Unknown(r, section);
        Fields(r, section, n);
    }
    return recs;
}

// A section whose record count /SIZE gave.
void Count(const std::vector<Record>& recs, int n, const char* section, const char* size)
{
    if (int(recs.size()) != n)
        Bad(LastLine(recs), std::string("count of ") + section + " records differs from " + size);
}

double Chord(const Model& m, int a, int b)
{
    return std::hypot(m.X[b] - m.X[a], m.Y[b] - m.Y[a]);
}

// Record counts that /SIZE gives for the later sections.
struct Sizes {
    int nodes = 0, members = 0, cross = 0, bearings = 0;
};

void ReadOption(Reader& rd, Model& m)
{
    auto o = Keyed(rd, "/OPTION",
                   {"STAMP", "PASS", "BRIDGE_TYPE", "LIVE_LOAD", "SIDEWALK", "LOADING_WIDTH",
                    "P1_FACTOR", "P2_FACTOR", "DETAIL"});
    const Record& st = o["STAMP"];
    if (!IsHex16(st.tok[1]))
        Syntax(st.line, "STAMP expects 16 hexadecimal digits");
    m.stamp = std::string(st.tok[1]);
    m.pass = Int(o["PASS"], 1);
    m.bridgeType = Int(o["BRIDGE_TYPE"], 1);
    m.liveLoad = Int(o["LIVE_LOAD"], 1);
    m.sidewalk = Int(o["SIDEWALK"], 1);
    m.loadingWidth = Real(o["LOADING_WIDTH"], 1);
    m.p1Factor = Real(o["P1_FACTOR"], 1);
    m.p2Factor = Real(o["P2_FACTOR"], 1);
    m.detail = Int(o["DETAIL"], 1);
    if (m.pass < 1 || m.pass > 3)
        Bad(o["PASS"].line, "PASS must be 1, 2 or 3");
    if (m.bridgeType < 0 || m.bridgeType > 2)
        Bad(o["BRIDGE_TYPE"].line, "BRIDGE_TYPE must be 0, 1 or 2");
    if (m.liveLoad < 0 || m.liveLoad > 5)
        Bad(o["LIVE_LOAD"].line, "LIVE_LOAD must be 0..5");
    if (m.sidewalk < 0 || m.sidewalk > 3)
        Bad(o["SIDEWALK"].line, "SIDEWALK must be 0..3");
    if (m.loadingWidth <= 0)
        Bad(o["LOADING_WIDTH"].line, "LOADING_WIDTH must be positive");
    // The dialog's range; the driver writes a factor left empty as 1.0.
    if (!(m.p1Factor >= 0.5 && m.p1Factor <= 2.0))
        Bad(o["P1_FACTOR"].line, "P1_FACTOR must be 0.5..2.0");
    if (!(m.p2Factor >= 0.5 && m.p2Factor <= 2.0))
        Bad(o["P2_FACTOR"].line, "P2_FACTOR must be 0.5..2.0");
    if (m.detail != 0 && m.detail != 1)
        Bad(o["DETAIL"].line, "DETAIL must be 0 or 1");
    if (m.liveLoad == 2 || m.liveLoad == 3)
        m.detail = 0;
}

Sizes ReadSize(Reader& rd, Model& m)
{
    auto s = Keyed(rd, "/SIZE",
                   {"NODES", "GIRDER_LINES", "PANEL_POINTS", "SPANS", "GIRDER_MEMBERS",
                    "CROSS_MEMBERS", "BEARINGS", "BEARING_LINES"});
    Sizes n;
    n.nodes = Int(s["NODES"], 1);
    m.G = Int(s["GIRDER_LINES"], 1);
    m.P = Int(s["PANEL_POINTS"], 1);
    m.S = Int(s["SPANS"], 1);
    n.members = Int(s["GIRDER_MEMBERS"], 1);
    n.cross = Int(s["CROSS_MEMBERS"], 1);
    n.bearings = Int(s["BEARINGS"], 1);
    m.nLines = Int(s["BEARING_LINES"], 1);
    if (m.G < 1 || m.G > kMaxGirders)
        Bad(s["GIRDER_LINES"].line, "GIRDER_LINES must be 1.." + std::to_string(kMaxGirders));
    if (m.P < 2 || m.P > kMaxPanelPoints)
        Bad(s["PANEL_POINTS"].line, "PANEL_POINTS must be 2.." + std::to_string(kMaxPanelPoints));
    if (m.S < 1 || m.S > kMaxSpans || m.S > m.P - 1)
        Bad(s["SPANS"].line, "SPANS out of range");
    if (n.nodes != m.G * m.P)
        Bad(s["NODES"].line, "NODES is not GIRDER_LINES x PANEL_POINTS");
    if (n.members != m.G * (m.P - 1))
        Bad(s["GIRDER_MEMBERS"].line, "GIRDER_MEMBERS is not GIRDER_LINES x (PANEL_POINTS - 1)");
    if (m.singleBox() && (m.G != 3 || m.nLines != 2))
        Bad(s["BEARING_LINES"].line, "a single box has 3 girder lines and 2 bearing lines");
    if (!m.singleBox() && m.nLines != m.G)
        Bad(s["BEARING_LINES"].line, "BEARING_LINES must equal GIRDER_LINES");
    if (n.bearings != m.nLines * (m.S + 1))
        Bad(s["BEARINGS"].line, "BEARINGS is not BEARING_LINES x (SPANS + 1)");
    if (n.cross < 0 || n.cross > (m.G - 1) * m.P)
        Bad(s["CROSS_MEMBERS"].line, "CROSS_MEMBERS out of range");
    return n;
}

void ReadModul(Reader& rd, Model& m)
{
    auto e = Keyed(rd, "/MODUL", {"E", "G"});
    m.E = Real(e["E"], 1);
    m.Gmod = Real(e["G"], 1);
    if (m.E <= 0 || m.Gmod <= 0)
        Bad(e["E"].line, "E and G must be positive");
}

void ReadLim(Reader& rd, Model& m)
{
    auto recs = rd.Section("/LIM");
    for (const Record& r : recs) {
        if (r.tok[0] != "SPAN")
            Unknown(r, "/LIM");
        Fields(r, "/LIM", 7);
        Span sp;
        const int k = Int(r, 1);
        sp.L = Real(r, 2);
        sp.pFirst = Int(r, 3) - 1;
        sp.pLast = Int(r, 4) - 1;
        sp.p2 = Real(r, 5);
        sp.pc = Real(r, 6);
        if (k != int(m.spans.size()) + 1)
            Bad(r.line, "spans must be numbered 1..SPANS in order");
        if (int(m.spans.size()) >= m.S)
            Bad(r.line, "more spans than SPANS");
        if (sp.L <= 0)
            Bad(r.line, "span length must be positive");
        if (sp.pFirst >= sp.pLast)
            Bad(r.line, "span needs p_first < p_last");
        const int expectFirst = m.spans.empty() ? 0 : m.spans.back().pLast;
        if (sp.pFirst != expectFirst || sp.pLast > m.P - 1)
            Bad(r.line, "spans must follow one another over the panel points");
        if (sp.p2 < 0 || sp.pc < 0)
            Bad(r.line, "negative live-load intensity");
        m.spans.push_back(sp);
    }
    // Every record made a span, so the records count the spans.
    Count(recs, m.S, "/LIM", "SPANS");
    if (m.spans.back().pLast != m.P - 1)
        Bad(recs.back().line, "the last span must end at the last panel point");
}

void ReadSnow(Reader& rd, Model& m)
{
    auto s = Keyed(rd, "/SNOW", {"SNOW"});
    m.snow = Real(s["SNOW"], 1);
}

void ReadLoad(Reader& rd, Model& m)
{
    m.haunch.assign(m.G, 0.0);
    m.steel.assign(m.G, 0.0);
    std::map<int, std::pair<double, int>> attachLoads;  // k -> (P, line)
    auto recs = rd.Section("/LOAD");
    std::set<std::pair<std::string_view, int>> seen;
    for (const Record& r : recs) {
        const std::string_view k = r.tok[0];
        if (k == "LIVE") {
            Fields(r, "/LOAD", 4);
            if (m.hasLive)
                Bad(r.line, "repeated record LIVE");
            m.hasLive = true;
            m.liveD = Real(r, 1);
            m.p1m = Real(r, 2);
            m.p1s = Real(r, 3);
            if (m.liveD < 0 || m.p1m < 0 || m.p1s < 0)
                Bad(r.line, "LIVE values must not be negative");
            continue;
        }
        if (k != "UNITW" && k != "RAIL" && k != "HAUNCH" && k != "STEEL" && k != "ATTACH")
            Unknown(r, "/LOAD");
        Fields(r, "/LOAD", 3);
        const int i = Int(r, 1);
        const double v = Real(r, 2);
        if (!seen.insert({k, i}).second)
            Bad(r.line, "repeated record " + std::string(k) + " " + std::to_string(i));
        if (k == "UNITW") {
            if (i < 3 || i > 9)
                Bad(r.line, "UNITW item must be 3..9");
            m.unitWeight[i] = v;
        } else if (k == "RAIL") {
            if (i < 1 || i > 2)
                Bad(r.line, "RAIL must be 1 or 2");
            m.railLoad[i - 1] = v;
        } else if (k == "HAUNCH" || k == "STEEL") {
            if (i < 1 || i > m.G)
                Bad(r.line, std::string(k) + " names an undefined girder line");
            (k == "HAUNCH" ? m.haunch : m.steel)[i - 1] = v;
        } else {
            if (i < 1 || i > 64)
                Bad(r.line, "ATTACH number out of range");
            attachLoads[i] = {v, r.line};
        }
    }
    int expect = 1;
    for (auto& [k, v] : attachLoads) {
        if (k != expect++)
            Bad(v.second, "attachments must be numbered 1..count");
        m.attachLoad.push_back(v.first);
    }
}

// Which records of a /KEIJYO block have come, for the ones it may hold once.
struct Block {
    int line = 0;  // of its PANEL record
    int gx = 0, cw = 0, noll = 0, line1 = 0, line2 = 0;
    std::vector<int> attach;
};

// A PANEL record opens a block: the next panel point.
void ReadPanel(const Record& r, Model& m, std::vector<Block>& blocks)
{
    Fields(r, "/KEIJYO", 5);
    const int p = Int(r, 1);
    if (p != int(m.sections.size()) + 1)
        Bad(r.line, "panel points must be numbered 1..PANEL_POINTS in order");
    if (int(m.sections.size()) >= m.P)
        Bad(r.line, "more panel points than PANEL_POINTS");
    Section s;
    s.T = Real(r, 2);
    s.span = Int(r, 3) - 1;
    s.W = Real(r, 4);
    if (s.span < 0 || s.span >= m.S)
        Bad(r.line, "PANEL names an undefined span");
    if (s.W <= 0)
        Bad(r.line, "deck width must be positive");
    s.attachX.assign(m.attachLoad.size(), 0.0);
    m.sections.push_back(std::move(s));
    Block b;
    b.line = r.line;
    b.attach.assign(m.attachLoad.size(), 0);
    blocks.push_back(std::move(b));
}

// One of the records after PANEL, into the block's panel point.
void ReadDeckRecord(const Record& r, const Model& m, Section& cur, Block& seen)
{
    const std::string_view k = r.tok[0];
    if (k == "GX") {
        Fields(r, "/KEIJYO", size_t(m.G) + 1);
        if (seen.gx++)
            Bad(r.line, "repeated GX");
        for (int g = 0; g < m.G; ++g)
            cur.gx.push_back(Real(r, g + 1));
    } else if (k == "ZONE") {
        Fields(r, "/KEIJYO", 4);
        Zone z{Real(r, 2), Real(r, 3)};
        if (z.b < z.a)
            Bad(r.line, "zone ends reversed");
        // Zones lie on the deck, 0 <= a <= b <= W (the live-load sweep walks between them).
        if (z.a < -kRoundingSlack || z.b > cur.W + kRoundingSlack)
            Bad(r.line, "zone outside the deck width 0.." + std::to_string(cur.W));
        if (r.tok[1] == "CW") {
            if (seen.cw++)
                Bad(r.line, "repeated ZONE CW");
            cur.cw = z;
        } else if (r.tok[1] == "NOLL") {
            if (seen.noll++)
                Bad(r.line, "repeated ZONE NOLL");
            cur.hasNoll = true;
            cur.noll = z;
        } else if (r.tok[1] == "SW") {
            if (cur.sidewalks.size() >= 2)
                Bad(r.line, "more than two sidewalks");
            cur.sidewalks.push_back(z);
        } else {
            Syntax(r.line, "unknown zone '" + std::string(r.tok[1]) + "'");
        }
    } else if (k == "STRIP") {
        Fields(r, "/KEIJYO", 5);
        Strip s{Int(r, 1), Real(r, 2), Real(r, 3), Real(r, 4)};
        if (s.item < 3 || s.item > 9)
            Bad(r.line, "STRIP item must be 3..9");
        if (s.xb < s.xa || s.h < 0)
            Bad(r.line, "STRIP ends reversed or negative thickness");
        if (cur.strips.size() >= 64)
            Bad(r.line, "too many strips");
        cur.strips.push_back(s);
    } else if (k == "LINE") {
        Fields(r, "/KEIJYO", 3);
        PointLoadAt l{Int(r, 1), Real(r, 2)};
        if (l.item < 1 || l.item > 2)
            Bad(r.line, "LINE must be 1 or 2");
        if ((l.item == 1 ? seen.line1 : seen.line2)++)
            Bad(r.line, "repeated LINE");
        cur.rails.push_back(l);
    } else if (k == "ATTACH") {
        Fields(r, "/KEIJYO", 3);
        const int a = Int(r, 1);
        if (a < 1 || a > int(m.attachLoad.size()))
            Bad(r.line, "ATTACH names an undefined attachment");
        if (seen.attach[a - 1]++)
            Bad(r.line, "repeated ATTACH");
        cur.attachX[a - 1] = Real(r, 2);
    } else {
        Unknown(r, "/KEIJYO");
    }
}

void ReadKeijyo(Reader& rd, Model& m)
{
    auto recs = rd.Section("/KEIJYO");
    std::vector<Block> blocks;
    for (const Record& r : recs) {
        if (r.tok[0] == "PANEL")
            ReadPanel(r, m, blocks);
        else if (blocks.empty())
            Syntax(r.line, "/KEIJYO must begin with PANEL");
        else
            ReadDeckRecord(r, m, m.sections.back(), blocks.back());
    }
    if (int(m.sections.size()) != m.P)
        Bad(LastLine(recs), "count of PANEL blocks differs from PANEL_POINTS");
    for (int p = 0; p < m.P; ++p) {
        const Section& s = m.sections[p];
        const Block& b = blocks[p];
        if (!b.gx || !b.cw)
            Bad(b.line, "panel point without GX or ZONE CW");
        for (int a = 0; a < int(m.attachLoad.size()); ++a)
            if (!b.attach[a])
                Bad(b.line, "panel point without ATTACH " + std::to_string(a + 1));
        for (int g = 1; g < m.G; ++g)
            if (!(s.gx[g] - s.gx[g - 1] >= 0.01))
                Bad(b.line, "girder positions not increasing by 0.01 m");
        if (p > 0 && !(s.T - m.sections[p - 1].T >= 0.01))
            Bad(b.line, "panel points not increasing by 0.01 m along the bridge");
    }
}

// The sections below name nodes: Records and Named check their fields as they come,
// these their values once the whole file has been read.

void ReadPoint(Model& m, const std::vector<Record>& pts, int nodes)
{
    m.X.assign(m.nodes(), 0.0);
    m.Y.assign(m.nodes(), 0.0);
    Count(pts, nodes, "/POINT", "NODES");
    std::vector<char> defined(m.nodes(), 0);
    for (const Record& r : pts) {
        const int num = Int(r, 0);
        const double x = Real(r, 1), y = Real(r, 2);
        const int g = Int(r, 3) - 1, p = Int(r, 4) - 1;
        const int q = NodeIndex(m, num);
        if (std::abs(x) > kMaxPlanCoordinate || std::abs(y) > kMaxPlanCoordinate)
            Bad(r.line, "node " + std::to_string(num) + " lies beyond 100 km from the plan origin");
        if (q < 0 || g != m.lineOf(q) || p != m.pointOf(q))
            Bad(r.line, "node " + std::to_string(num) + " does not match its line and point");
        if (defined[q]++)
            Bad(r.line, "node " + std::to_string(num) + " defined twice");
        m.X[q] = x;
        m.Y[q] = y;
    }
}

void ReadGroup(Model& m, const std::vector<Record>& grp)
{
    m.dummy.assign(m.G, 0);
    Count(grp, m.G, "/GROUP", "GIRDER_LINES");
    for (int i = 0; i < m.G; ++i) {
        const Record& r = grp[i];
        const int g = Int(r, 1), first = Int(r, 2), last = Int(r, 3), d = Int(r, 4);
        if (g != i + 1)
            Bad(r.line, "girder lines must be numbered 1..GIRDER_LINES in order");
        if (first != i * (m.P - 1) + 1 || last != (i + 1) * (m.P - 1))
            Bad(r.line, "girder line members out of order");
        if (d != 0 && d != 1)
            Bad(r.line, "dummy flag must be 0 or 1");
        m.dummy[i] = d;
    }
    const bool boxLines = m.G == 3 && m.dummy[0] == 1 && m.dummy[1] == 0 && m.dummy[2] == 1;
    const bool anyDummy = std::count(m.dummy.begin(), m.dummy.end(), 1) > 0;
    if (m.singleBox() ? !boxLines : anyDummy)
        Bad(grp.front().line, m.singleBox() ? "a single box needs dummy lines 1 and 3 only"
                                            : "dummy girder lines belong to the single box");
}

void ReadMgr(Model& m, const std::vector<Record>& mgr, int members)
{
    m.girders.assign(m.girderMembers(), GirderMember{});
    Count(mgr, members, "/MGR", "GIRDER_MEMBERS");
    for (int k = 0; k < members; ++k) {
        const Record& r = mgr[k];
        const int num = Int(r, 0), nI = Int(r, 1), nJ = Int(r, 2), g = Int(r, 3) - 1;
        const int line = k / (m.P - 1), p = k % (m.P - 1);
        if (num != k + 1)
            Bad(r.line, "girder members must be numbered in order");
        const int qI = NodeIndex(m, nI), qJ = NodeIndex(m, nJ);
        if (qI < 0 || qJ < 0)
            Bad(r.line, "member " + std::to_string(num) + " names an undefined node");
        if (g != line || qI != m.node(line, p) || qJ != m.node(line, p + 1))
            Bad(r.line, "member " + std::to_string(num) + " does not join its panel points");
        GirderMember gm{Real(r, 4), Real(r, 5), Real(r, 6), Real(r, 7)};
        if (!(gm.L >= 0.01) || !(Chord(m, qI, qJ) >= 0.01))
            Bad(r.line, "member " + std::to_string(num) + " shorter than 0.01 m");
        if (gm.A < 0 || gm.I < 0 || gm.J < 0)
            Bad(r.line, "member " + std::to_string(num) + " has a negative property");
        // L is the arc along the girder through both nodes, never shorter than the chord
        // and at most a half circle over it; beyond that L and the coordinates contradict
        // each other. The slack covers the 10 digits of the written numbers.
        const double c = Chord(m, qI, qJ);
        const double slack = kRoundingSlack + 1e-9 * (std::abs(m.X[qI]) + std::abs(m.Y[qI]) + gm.L);
        if (gm.L < c - slack || gm.L > std::acos(-1.0) / 2 * c + slack)
            Bad(r.line, "member " + std::to_string(num) + " length " + std::to_string(gm.L) +
                            " does not fit its chord " + std::to_string(c));
        if (m.dummy[line])
            gm.A = gm.I = gm.J = 0;
        m.girders[k] = gm;
    }
}

void ReadMcr(Model& m, const std::vector<Record>& mcr, int cross)
{
    Count(mcr, cross, "/MCR", "CROSS_MEMBERS");
    const int base = m.girderMembers();
    for (int k = 0; k < cross; ++k) {
        const Record& r = mcr[k];
        const int num = Int(r, 0), nI = Int(r, 1), nJ = Int(r, 2), kind = Int(r, 3);
        if (num != base + k + 1)
            Bad(r.line, "cross members must be numbered from GIRDER_MEMBERS + 1 in order");
        const int qI = NodeIndex(m, nI), qJ = NodeIndex(m, nJ);
        if (qI < 0 || qJ < 0)
            Bad(r.line, "cross member " + std::to_string(num) + " names an undefined node");
        if (qI == qJ || m.pointOf(qI) != m.pointOf(qJ))
            Bad(r.line, "cross member " + std::to_string(num) + " must join two lines at one panel point");
        if (kind != 0 && kind != 1 && kind != 2 && kind != 3 && kind != 9)
            Bad(r.line, "cross member kind must be 0..3 or 9");
        CrossMember c{qI, qJ, kind, Real(r, 4), Real(r, 5)};
        if (c.I < 0 || c.J < 0)
            Bad(r.line, "cross member " + std::to_string(num) + " has a negative property");
        if (!(Chord(m, qI, qJ) >= 0.01))
            Bad(r.line, "cross member " + std::to_string(num) + " shorter than 0.01 m");
        m.cross.push_back(c);
    }
}

void ReadFree(Model& m, const std::vector<Record>& recs, int bearings)
{
    Count(recs, bearings, "/FREE", "BEARINGS");
    std::vector<int> slot((m.S + 1) * m.nLines, -1);
    std::vector<char> used(m.nodes(), 0);
    for (const Record& r : recs) {
        Bearing b;
        b.support = Int(r, 1) - 1;
        b.line = Int(r, 2) - 1;
        const int num = Int(r, 3);
        b.kt = Int(r, 4);
        b.ux = Real(r, 5);
        b.uy = Real(r, 6);
        if (b.support < 0 || b.support > m.S || b.line < 0 || b.line >= m.nLines)
            Bad(r.line, "bearing names an undefined support or bearing line");
        b.node = NodeIndex(m, num);
        if (b.node < 0)
            Bad(r.line, "bearing on undefined node " + std::to_string(num));
        if (m.pointOf(b.node) != m.supportPoint(b.support))
            Bad(r.line, "bearing node " + std::to_string(num) + " is not on its support line");
        if (m.singleBox() && m.dummy[m.lineOf(b.node)] == 0)
            Bad(r.line, "the bearings of a single box stand on its web lines");
        if (b.kt != 0 && b.kt != 1)
            Bad(r.line, "kt must be 0 or 1");
        if (std::abs(std::hypot(b.ux, b.uy) - 1.0) > 1e-6)
            Bad(r.line, "support-line vector not of unit length");
        int& s = slot[b.support * m.nLines + b.line];
        if (s >= 0)
            Bad(r.line, "bearing given twice");
        if (used[b.node]++)
            Bad(r.line, "two bearings on node " + std::to_string(num));
        s = int(m.bearings.size());
        m.bearings.push_back(b);
    }
    for (int s = 0; s <= m.S; ++s)
        for (int l = 0; l < m.nLines; ++l)
            if (slot[s * m.nLines + l] < 0)
                Bad(0, "support " + std::to_string(s + 1) + " has no bearing on line " + std::to_string(l + 1));
    std::sort(m.bearings.begin(), m.bearings.end(), [&](const Bearing& a, const Bearing& b) {
        return a.support != b.support ? a.support < b.support : a.line < b.line;
    });
}

} // namespace

Model ReadInput(const std::string& text)
{
    Model m;
    Reader rd(text);
    m.title = rd.Title();
    ReadOption(rd, m);
    const Sizes n = ReadSize(rd, m);
    ReadModul(rd, m);
    ReadLim(rd, m);
    // The sections that name nodes are kept raw until the nodes are known.
    const std::vector<Record> freeRecs = Named(rd, "/FREE", "BEARING", 7);
    ReadSnow(rd, m);
    ReadLoad(rd, m);
    const std::vector<Record> mcr = Records(rd, "/MCR", 6);
    const std::vector<Record> mgr = Records(rd, "/MGR", 8);
    const std::vector<Record> grp = Named(rd, "/GROUP", "GIRDER", 5);
    const std::vector<Record> pts = Records(rd, "/POINT", 5);
    ReadKeijyo(rd, m);
    rd.End();

    ReadPoint(m, pts, n.nodes);
    ReadGroup(m, grp);
    ReadMgr(m, mgr, n.members);
    ReadMcr(m, mcr, n.cross);
    ReadFree(m, freeRecs, n.bearings);
    return m;
}

} // namespace mvg
