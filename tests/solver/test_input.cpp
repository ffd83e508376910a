// The input file: what it accepts, and the code and diagnosis of what it refuses.
#include "chain.h"
#include "solver/solver_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

using namespace mvgtest;
using namespace mvg;

namespace {

BridgeLayout Small()
{
    BridgeLayout b;
    b.G = 3;
    b.spans = {20, 25};
    b.panels = {4, 5};
    b.cross = {{1, 0, 0.02, 0}, {5, 3, 0.02, 0}, {10, 0, 0.02, 0}, {3, 2, 0.01, 1e-4}};
    b.steel = {0.4, 0.4, 0.4};
    b.liveLoad = 1;
    b.live = true;
    b.p1m = 1;
    b.p1s = 1.2;
    return b;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string l;
    while (std::getline(in, l))
        out.push_back(l);
    return out;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines)
        s += l + "\n";
    return s;
}

// The input with the first line that begins with `prefix` replaced (or removed when
// `with` is empty).
std::string Replace(const std::string& text, const std::string& prefix, const std::string& with)
{
    auto lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(prefix, 0) == 0) {
            if (with.empty())
                lines.erase(lines.begin() + i);
            else
                lines[i] = with;
            return Join(lines);
        }
    ADD_FAILURE() << "no line begins with " << prefix;
    return text;
}

// Code and diagnosis of reading `text`.
std::pair<int, std::string> Refusal(const std::string& text)
{
    try {
        ReadInput(text);
    } catch (const Failure& f) {
        return {f.code(), f.what()};
    }
    return {0, ""};
}

} // namespace

TEST(SolverInputFile, AcceptsTheFixtureWithCommentsBlankLinesAndCarriageReturns)
{
    const std::string text = WriteInput(Small());
    const Model m = ReadInput(text);
    EXPECT_EQ(m.G, 3);
    EXPECT_EQ(m.P, 10);
    EXPECT_EQ(m.S, 2);
    EXPECT_EQ(m.cross.size(), 8u);
    EXPECT_EQ(m.bearings.size(), 9u);
    EXPECT_EQ(m.stamp, "0123456789ABCDEF");
    EXPECT_EQ(m.nodeNumber(m.node(2, 9)), 1010);

    auto lines = Lines(text);
    std::vector<std::string> noisy;
    for (size_t i = 0; i < lines.size(); ++i) {
        noisy.push_back(lines[i] + "\r");
        if (i > 3 && i % 7 == 0) {
            noisy.push_back("# a comment\r");
            noisy.push_back("   \r");
        }
    }
    const Model n = ReadInput(Join(noisy));
    EXPECT_EQ(n.cross.size(), m.cross.size());
    EXPECT_EQ(n.sections[4].gx, m.sections[4].gx);
}

TEST(SolverInputFile, TitleLinesAreTakenVerbatim)
{
    BridgeLayout b = Small();
    b.title = "/MODUL # 橋梁";
    b.subtitle = "";
    const Model m = ReadInput(WriteInput(b));
    EXPECT_EQ(m.title[0], "/MODUL # 橋梁");
    EXPECT_EQ(m.title[1], "");
}

TEST(SolverInputFile, NumbersInAnyCLocaleForm)
{
    const std::string text = Replace(WriteInput(Small()), "E ", "E 2.039432426E+07");
    EXPECT_DOUBLE_EQ(ReadInput(text).E, 2.039432426e7);
}

TEST(SolverInputFile, SyntaxErrorsGiveCode3)
{
    const std::string good = WriteInput(Small());
    struct Case {
        std::string prefix, with, says;
    } cases[] = {
        {"/MODUL", "/MODULUS", "expected section /MODUL"},
        {"/SNOW", "", "unknown record 'SNOW' in /FREE"},
        {"/END", "", "missing section /END"},
        {"1 1 2 1 ", "1 1 2 1 5 0.05 0.05", "/MGR 1 expects 8 fields, found 7"},
        {"E ", "E 2.0e7x", "unreadable number"},
        {"SNOW ", "SNOW nan", "unreadable number"},
        {"PASS ", "PASS 1.5", "unreadable integer"},
        {"STAMP ", "STAMP 0123456789ABCDEG", "16 hexadecimal digits"},
        {"DETAIL ", "", "missing record DETAIL"},
        {"P1_FACTOR ", "P1_FACTOR 1\nP1_FACTOR 1", "repeated record"},
        {"SNOW ", "SNOW 0\nSLEET 0", "unknown record"},
        {"ZONE CW", "ZONE MEDIAN 1 2", "unknown zone"},
        {"/END", "/END\nGX 1 2 3", "text after /END"},
        {"GX ", "GX 1 3.5", "expects 4 fields"},
    };
    for (const Case& c : cases) {
        const auto [code, why] = Refusal(Replace(good, c.prefix, c.with));
        EXPECT_EQ(code, mvgfiles::kSyntaxError) << c.with;
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
        EXPECT_NE(why.find("GRIN.DAT line "), std::string::npos) << why;
    }
    // no line may be longer than 4096 characters, not even a comment
    EXPECT_EQ(Refusal(Replace(good, "/SIZE", "/SIZE\n#" + std::string(5000, 'x'))).first, mvgfiles::kSyntaxError);
    EXPECT_EQ(Refusal(Replace(good, "/SIZE", "/SIZE\n#" + std::string(4000, 'x'))).first, 0);
    EXPECT_EQ(Refusal("").first, mvgfiles::kSyntaxError);
    EXPECT_EQ(Refusal("/TITLE\n").first, mvgfiles::kSyntaxError);
}

TEST(SolverInputFile, InconsistentInputGivesCode4)
{
    const std::string good = WriteInput(Small());
    struct Case {
        std::string prefix, with, says;
    } cases[] = {
        {"NODES ", "NODES 31", "NODES"},
        {"CROSS_MEMBERS ", "CROSS_MEMBERS 7", "/MCR records differs"},
        {"BEARINGS ", "BEARINGS 6", "BEARINGS"},
        {"SPANS ", "SPANS 3", "BEARINGS is not"},
        {"GIRDER_LINES ", "GIRDER_LINES 22", "GIRDER_LINES must be"},
        {"1 1 2 1 ", "1 1 2 1 0.005 0.05 0.05 0.001", "shorter than 0.01 m"},
        {"1 1 2 1 ", "1 1 2 1 5 0.05 -0.05 0.001", "negative property"},
        {"1 1 2 1 ", "1 1 3 1 5 0.05 0.05 0.001", "does not join its panel points"},
        {"28 ", "28 1 777 0 0.02 0", "undefined node"},
        {"28 ", "28 1 502 0 0.02 0", "one panel point"},
        {"28 ", "28 1 501 7 0.02 0", "kind"},
        {"GX ", "GX 1 3.5 3.505", "girder positions not increasing"},
        {"BEARING 1 1 ", "BEARING 1 1 2 1 0 1", "not on its support line"},
        {"BEARING 1 1 ", "BEARING 1 1 1 1 0 0.9", "unit length"},
        {"BEARING 2 1 ", "BEARING 1 1 1 1 0 1", "given twice"},
        {"SPAN 2 ", "SPAN 2 25 6 10 0 0", "follow one another"},
        {"GIRDER 2 ", "GIRDER 2 10 18 1", "dummy"},
        {"LIVE_LOAD ", "LIVE_LOAD 6", "LIVE_LOAD"},
        {"PANEL 3 ", "PANEL 3 5 1 7", "increasing by 0.01 m along the bridge"},
        {"1 0 ", "1 0 2.5 2 1", "does not match its line and point"},
    };
    for (const Case& c : cases) {
        const auto [code, why] = Refusal(Replace(good, c.prefix, c.with));
        EXPECT_EQ(code, mvgfiles::kInconsistent) << c.with << ": " << why;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.with << ": " << why;
    }
}

TEST(SolverInputFile, DeckBlocksAndSpansAreCheckedRecordByRecord)
{
    BridgeLayout b = Small();
    b.attach = {{1.5, 0.3}};
    b.rails = {{1, 0.2}};
    const std::string good = WriteInput(b);
    ASSERT_EQ(Refusal(good).first, 0) << Refusal(good).second;
    // each panel point may hold one of each rail, not two of one
    EXPECT_EQ(Refusal(Replace(good, "LINE 1 ", "LINE 1 0.2\nLINE 2 6.8")).first, 0);

    struct Case {
        std::string prefix, with, says;
        int code;
    } cases[] = {
        {"GX ", "GX 1 3.5 6\nGX 1 3.5 6", "repeated GX", mvgfiles::kInconsistent},
        {"ZONE CW", "ZONE CW 0 7\nZONE CW 0 7", "repeated ZONE CW", mvgfiles::kInconsistent},
        {"ZONE CW", "ZONE CW 0 7\nZONE NOLL 1 2\nZONE NOLL 1 2", "repeated ZONE NOLL", mvgfiles::kInconsistent},
        {"ZONE CW", "ZONE CW 0 7\nZONE SW 0 1\nZONE SW 6 7\nZONE SW 3 4", "more than two sidewalks",
         mvgfiles::kInconsistent},
        {"LINE 1 ", "LINE 1 0.2\nLINE 1 0.3", "repeated LINE", mvgfiles::kInconsistent},
        {"ATTACH 1 0.3", "ATTACH 1 0.3\nATTACH 1 0.3", "repeated ATTACH", mvgfiles::kInconsistent},
        {"ATTACH 1 0.3", "ATTACH 2 0.3", "undefined attachment", mvgfiles::kInconsistent},
        {"GX ", "", "without GX or ZONE CW", mvgfiles::kInconsistent},
        {"PANEL 2 ", "PANEL 3 5 1 7", "numbered 1..PANEL_POINTS in order", mvgfiles::kInconsistent},
        {"PANEL 1 ", "GX 1 3.5 6\nPANEL 1 0 1 7", "must begin with PANEL", mvgfiles::kSyntaxError},
        {"SPAN 2 ", "SPAN 2 25 5 9 0 0", "last span must end at the last panel point", mvgfiles::kInconsistent},
        {"SPAN 2 ", "SPAN 2 25 5 10 0 0\nSPAN 3 5 10 10 0 0", "more spans than SPANS", mvgfiles::kInconsistent},
        {"SPAN 2 ", "", "count of /LIM records differs from SPANS", mvgfiles::kInconsistent},
    };
    for (const Case& c : cases) {
        const auto [code, why] = Refusal(Replace(good, c.prefix, c.with));
        EXPECT_EQ(code, c.code) << c.with << ": " << why;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.with << ": " << why;
    }

    // a block without its attachment is named by the line of its PANEL record
    auto lines = Lines(good);
    size_t panel = 0;
    while (panel < lines.size() && lines[panel].rfind("PANEL 3 ", 0) != 0)
        ++panel;
    ASSERT_LT(panel, lines.size());
    size_t attach = panel;
    while (lines[attach].rfind("ATTACH ", 0) != 0)
        ++attach;
    lines.erase(lines.begin() + attach);
    const auto [code, why] = Refusal(Join(lines));
    EXPECT_EQ(code, mvgfiles::kInconsistent);
    EXPECT_NE(why.find("line " + std::to_string(panel + 1) + ": panel point without ATTACH 1"), std::string::npos)
        << why;
}

TEST(SolverInputFile, EverySupportNeedsItsBearings)
{
    // bearings on the first support line only: the count no longer fits, and
    // rewriting the count leaves supports without bearings
    auto lines = Lines(WriteInput(Small()));
    std::vector<std::string> one;
    for (const auto& l : lines)
        if (l.rfind("BEARING ", 0) != 0 || l.rfind("BEARING 1 ", 0) == 0)
            one.push_back(l);
    const std::string text = Join(one);
    EXPECT_EQ(Refusal(text).first, mvgfiles::kInconsistent);
    const auto [code, why] = Refusal(Replace(text, "BEARINGS ", "BEARINGS 3"));
    EXPECT_EQ(code, mvgfiles::kInconsistent);
    EXPECT_NE(why.find("BEARINGS"), std::string::npos) << why;
}

TEST(SolverInputFile, RandomDamageNeverEscapesTheCodes)
{
    // Lines dropped, doubled, cut or given odd numbers: the reader answers 0, 3 or 4,
    // and whatever it accepts runs through the chain to a result or a code.
    const auto lines = Lines(WriteInput(Small()));
    std::mt19937 rng(99);
    std::uniform_int_distribution<size_t> pick(0, lines.size() - 1);
    const char* odd[] = {"0", "-1", "1e308", "-1e308", "1e-320", "99999999999", "inf", "", "x", "3.5"};
    int accepted = 0;
    for (int trial = 0; trial < 300; ++trial) {
        auto l = lines;
        const size_t i = pick(rng);
        switch (trial % 4) {
        case 0:
            l.erase(l.begin() + i);
            break;
        case 1:
            l.insert(l.begin() + i, l[i]);
            break;
        case 2:
            l[i] = l[i].substr(0, l[i].size() / 2);
            break;
        default: {
            std::istringstream in(l[i]);
            std::vector<std::string> tok;
            std::string t;
            while (in >> t)
                tok.push_back(t);
            if (tok.empty())
                break;
            tok[rng() % tok.size()] = odd[rng() % 10];
            std::string s;
            for (const auto& x : tok)
                s += (s.empty() ? "" : " ") + x;
            l[i] = s;
        }
        }
        try {
            const Solved s = Solve(Join(l));
            Combine(s.m, s.dead, s.live);
            ++accepted;
        } catch (const Failure& f) {
            EXPECT_TRUE(f.code() == 2 || f.code() == 3 || f.code() == 4 || f.code() == 7)
                << f.code() << " " << f.what();
        }
    }
    EXPECT_GT(accepted, 10);
}

TEST(SolverInputFile, ValuesBeyondTheBridgeAreRefusedAtReading)
{
    // each of these used to pass the reader and fail later as an unstable structure or a
    // damaged result
    const std::string good = WriteInput(Small());
    struct Case {
        std::string prefix, with, says;
    } cases[] = {
        {"1 0 ", "1 1e200 0 1 1", "beyond 100 km"},
        {"ZONE CW", "ZONE CW -1e6 1e6", "zone outside the deck width"},
        {"ZONE CW", "ZONE CW 0 7\nZONE SW 6 7.5", "zone outside the deck width"},
        {"P1_FACTOR ", "P1_FACTOR 1e300", "P1_FACTOR must be 0.5..2.0"},
        {"P2_FACTOR ", "P2_FACTOR 0.4", "P2_FACTOR must be 0.5..2.0"},
        // panels of 5 m: the arc is at least the chord and at most a half circle over it
        {"1 1 2 1 ", "1 1 2 1 4.9 0.05 0.05 0.001", "does not fit its chord"},
        {"1 1 2 1 ", "1 1 2 1 8 0.05 0.05 0.001", "does not fit its chord"},
    };
    for (const Case& c : cases) {
        const auto [code, why] = Refusal(Replace(good, c.prefix, c.with));
        EXPECT_EQ(code, mvgfiles::kInconsistent) << c.with << ": " << why;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.with << ": " << why;
    }
    EXPECT_EQ(Refusal(Replace(good, "P1_FACTOR ", "P1_FACTOR 2")).first, 0);

    // a bridge far from the origin, and a curved one, within the limits
    BridgeLayout far = Small();
    far.originX = -99000;
    far.originY = 99000;
    far.turnDeg = 30;
    EXPECT_EQ(Refusal(WriteInput(far)).first, 0) << Refusal(WriteInput(far)).second;
    BridgeLayout curved = Small();
    curved.radius = 25;
    EXPECT_EQ(Refusal(WriteInput(curved)).first, 0) << Refusal(WriteInput(curved)).second;
}

TEST(SolverInputFile, TitleMustBeUtf8WithoutControlCharacters)
{
    const std::string good = WriteInput(Small());
    const std::string bad[] = {
        "\x8b\xb4\x97\xc0",          // Shift-JIS
        std::string("Ab\0cd", 5),    // NUL
        "A\tB",                      // tab
        "\xe6\xa9",                  // cut sequence
        "\xc0\xaf",                  // overlong
        "\xed\xa0\x80",              // surrogate
    };
    for (const std::string& t : bad) {
        const auto [code, why] = Refusal(Replace(good, "Fixture", t));
        EXPECT_EQ(code, mvgfiles::kSyntaxError) << why;
        EXPECT_NE(why.find("GRIN.DAT line 2: title"), std::string::npos) << why;
    }
    EXPECT_EQ(Refusal(Replace(good, "Fixture", "鋼橋 Ⅱ 𠮷")).first, 0);
}

TEST(SolverInputFile, BlankLinesCostNothingAndRecordsAreBounded)
{
    const std::string good = WriteInput(Small());
    // blank and comment lines are not stored; their numbers still count
    std::string blank(3000000, '\n');
    const auto [code, why] = Refusal(Replace(good, "/SIZE", "/SIZE" + blank + "SLEET 0"));
    EXPECT_EQ(code, mvgfiles::kSyntaxError);
    const auto lines = Lines(good);
    const size_t size = std::find(lines.begin(), lines.end(), "/SIZE") - lines.begin() + 1;
    EXPECT_NE(why.find("line " + std::to_string(size + blank.size()) + ":"), std::string::npos) << why;
    EXPECT_EQ(Refusal(Replace(good, "/SIZE", "/SIZE" + blank)).first, 0);

    std::string many;
    for (int i = 0; i < 260000; ++i)
        many += "SNOW 0\n";
    const auto [c2, w2] = Refusal(Replace(good, "/SNOW", "/SNOW\n" + many));
    EXPECT_EQ(c2, mvgfiles::kSyntaxError);
    EXPECT_NE(w2.find("more than 250000 records"), std::string::npos) << w2;

    std::string wide = "GX";
    for (int i = 0; i < 30; ++i)
        wide += " 1";
    const auto [c3, w3] = Refusal(Replace(good, "GX ", wide));
    EXPECT_EQ(c3, mvgfiles::kSyntaxError);
    EXPECT_NE(w3.find("more than 22 fields"), std::string::npos) << w3;
}
