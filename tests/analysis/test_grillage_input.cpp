// The grillage input file: the example bridge as written, and what the solver reads of it.
#include "example_bridge.h"

#include "solver/assemble.h"
#include "solver/dead.h"
#include "solver/frame.h"
#include "solver/model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace gintest;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        out.push_back(line);
    return out;
}

std::vector<std::string> Tokens(const std::string& line)
{
    std::vector<std::string> out;
    std::istringstream s(line);
    for (std::string t; s >> t;)
        out.push_back(t);
    return out;
}

// Loads divided by g are printed to seven digits in the excerpt; every other line is exact.
bool Matches(const std::string& written, const std::string& excerpt)
{
    const auto w = Tokens(written), e = Tokens(excerpt);
    static const std::vector<std::string> rounded = {"SPAN", "UNITW", "RAIL", "HAUNCH", "STEEL", "LIVE"};
    if (e.empty() || std::find(rounded.begin(), rounded.end(), e[0]) == rounded.end())
        return written == excerpt;
    if (w.size() != e.size())
        return false;
    for (size_t i = 0; i < e.size(); ++i) {
        char* end = nullptr;
        const double a = std::strtod(w[i].c_str(), nullptr), b = std::strtod(e[i].c_str(), &end);
        if (*end != '\0' ? w[i] != e[i] : std::abs(a - b) > 1e-6 * std::abs(b))
            return false;
    }
    return true;
}

// Every excerpt line comes next in the written file; "..." stands for any run of lines.
void ExpectExcerpt(const std::string& written, const std::string& excerpt)
{
    const auto w = Lines(written), e = Lines(excerpt);
    size_t i = 0;
    bool skipping = false;
    for (const std::string& line : e) {
        if (line == "...") {
            skipping = true;
            continue;
        }
        while (skipping && i < w.size() && !Matches(w[i], line))
            ++i;
        ASSERT_LT(i, w.size()) << "missing: " << line;
        ASSERT_TRUE(Matches(w[i], line)) << "line " << i + 1 << ": " << w[i] << "\nexpected: " << line;
        ++i;
        skipping = false;
    }
    EXPECT_EQ(i, w.size());
}

const char* const kExampleExcerpt = R"(/TITLE
Example A

/OPTION
STAMP 65A1B2C3004D2E01
PASS 1
BRIDGE_TYPE 0
LIVE_LOAD 0
SIDEWALK 3
LOADING_WIDTH 5.5
P1_FACTOR 1
P2_FACTOR 1
DETAIL 1
/SIZE
NODES 28
GIRDER_LINES 4
PANEL_POINTS 7
SPANS 1
GIRDER_MEMBERS 24
CROSS_MEMBERS 0
BEARINGS 8
BEARING_LINES 4
/MODUL
E 20394324.26
G 7851814.84
/LIM
SPAN 1 30 1 7 0.3569007 0.3569007
/FREE
BEARING 1 1 1 1 0 1
BEARING 1 2 501 1 0 1
...
BEARING 2 4 1507 1 0 1
/SNOW
SNOW 0
/LOAD
UNITW 3 2.294361
UNITW 4 2.294361
UNITW 5 2.498305
UNITW 6 2.498305
UNITW 7 2.396333
UNITW 8 2.498305
UNITW 9 2.498305
RAIL 1 0.05098581
RAIL 2 0.05098581
HAUNCH 1 0.1223659
...
STEEL 4 0.4588723
LIVE 6 1.019716 1.223659
/MCR
/MGR
1 1 2 1 5 0.0586 0.04778878153 1.186753333e-05
...
24 1506 1507 4 5 0.0586 0.04778878153 1.186753333e-05
/GROUP
GIRDER 1 1 6 0
...
GIRDER 4 19 24 0
/POINT
1 0 3.45 1 1
2 5 3.45 1 2
...
1507 30 -3.45 4 7
/KEIJYO
PANEL 1 0 1 9
GX 1.05 3.35 5.65 7.95
ZONE CW 1.4 7.6
ZONE SW 0.4 1.4
ZONE SW 7.6 8.6
STRIP 3 0.4 1.2 0.03
STRIP 3 7.8 8.6 0.03
STRIP 4 1.4 4.25 0.08
STRIP 4 4.75 7.6 0.08
STRIP 5 4.25 4.75 0.28
STRIP 6 1.2 1.4 0.29
STRIP 6 7.6 7.8 0.29
STRIP 7 0.4 1.2 0.26
STRIP 7 7.8 8.6 0.26
STRIP 8 0 9 0.21
STRIP 9 0 0.4 0.54
STRIP 9 8.6 9 0.54
LINE 1 0.2
LINE 2 8.8
PANEL 2 5 1 9
...
/END
)";

struct Dead {
    mvg::Model m;
    mvg::DeadResult r;
};

Dead SolveDead(const CGrillageInput& in)
{
    Dead d;
    d.m = mvg::ReadInput(WriteGrillageInput(in));
    const mvg::Elements el = mvg::BuildElements(d.m);
    const mvg::Stiffness st = mvg::Assemble(d.m, el);
    d.r = mvg::SolveDead(d.m, el, st, mvg::FactorStiffness(st));
    return d;
}

} // namespace

TEST(GrillageInput, ExampleAIsWrittenAsTheExcerptShowsIt)
{
    ExpectExcerpt(WriteGrillageInput(ExampleA()), kExampleExcerpt);
}

TEST(GrillageInput, ExampleACarriesItsDeadLoadThroughTheSolver)
{
    const Dead d = SolveDead(ExampleA());
    EXPECT_EQ(d.m.nodes(), 28);
    // Bearings in support order: G1..G4 at the start, then at the end.
    const double outer = 53.469517, inner = 29.186385;
    const double expect[8] = {outer, inner, inner, outer, outer, inner, inner, outer};
    for (int b = 0; b < 8; ++b)
        EXPECT_NEAR(d.r.reaction[size_t(b)], expect[b], 1e-5) << "bearing " << b;
    EXPECT_NEAR(d.r.applied, 330.623607, 1e-5);
    // Midspan: the second end of member 3 of G1 and of G2.
    EXPECT_NEAR(d.r.member[size_t(d.m.memberIndex(0, 2))][mvg::kMJ], 401.021374, 1e-5);
    EXPECT_NEAR(d.r.member[size_t(d.m.memberIndex(1, 2))][mvg::kMJ], 218.897890, 1e-5);
}

TEST(GrillageInput, EveryDialogLoadAddsItsTotalInTf)
{
    const CGrillageInput base = ExampleA();
    const double L = 30.0, W = 9.0, T0 = SolveDead(base).r.applied;
    auto added = [&](auto change) {
        CGrillageInput in = base;
        change(in);
        return SolveDead(in).r.applied - T0;
    };
    EXPECT_NEAR(added([](CGrillageInput& in) { in.m_adDeadLoad[9] = 2.0; }), 2.0 * W * L / kGravity, 1e-6);
    EXPECT_NEAR(added([](CGrillageInput& in) { in.m_adDeadLoad[1] += 1.0; }), 1.0 * L / kGravity, 1e-6);
    EXPECT_NEAR(added([](CGrillageInput& in) { in.m_adHaunchWeight[2] += 1.0; }), 1.0 * L / kGravity, 1e-6);
    EXPECT_NEAR(added([](CGrillageInput& in) {
                    in.m_nAttachments = 2;
                    in.m_anAttachGirder[0] = 0, in.m_adAttachLoad[0] = 3.0, in.m_adAttachPosition[0] = -0.5;
                    in.m_anAttachGirder[1] = 3, in.m_adAttachLoad[1] = 1.0, in.m_adAttachPosition[1] = 0.7;
                }),
                4.0 * L / kGravity, 1e-6);
    // The same loads in gravitational units give the same file loads.
    CGrillageInput grav = base;
    grav.m_bSIUnits = 0;
    for (double& v : grav.m_adDeadLoad)
        v /= kGravity;
    for (int g = 0; g < 4; ++g)
        grav.m_adSteelWeight[g] /= kGravity, grav.m_adHaunchWeight[g] /= kGravity;
    EXPECT_NEAR(SolveDead(grav).r.applied, T0, 1e-6);
}

TEST(GrillageInput, TwoSpansShareTheirSupportAndNumberNodesByLineAndPoint)
{
    PlanCore::CPlanInput pin = plantest::CommonInput();
    pin.nSpans = 2;
    for (int e = 0; e < 2; ++e)
        pin.adBaseToG1[1][e] = 3.45, pin.adGirderSpacing[1][e] = 2.3;
    pin.adSpanLength[1] = 40.0;
    pin.anPanelCount[1] = 8;
    for (int k = 0; k < 8; ++k)
        pin.adPanelLength[1][k] = 5.0;
    pin.anFreeSections[1] = 2;
    // A distributing cross beam at panel point 4 (of 15).
    pin.bCrossBeamWindow = 1;
    PlanCore::DefaultArrangement(0, 2, pin.anPanelCount, pin.anMemberKind, pin.abDistributing);
    pin.anMemberKind[3] = CROSS_BEAM;
    pin.abDistributing[3] = 1;
    const plantest::Plan plan = plantest::Build(pin);
    ASSERT_EQ(plan.ok, 1);
    CGrillageInput in = NewDesignInput(plan, 4);
    ASSERT_EQ(in.PanelPoints(), 15);
    in.m_dCrossBeamDepth = 1.5;
    const std::string text = WriteGrillageInput(in);
    const mvg::Model m = mvg::ReadInput(text);

    ASSERT_EQ(m.S, 2);
    EXPECT_EQ(m.spans[0].pLast, 6);
    EXPECT_EQ(m.spans[1].pFirst, 6);
    EXPECT_EQ(m.spans[1].L, 40.0);
    for (int p = 0; p < 15; ++p) {
        const int s = p < 6 ? 0 : 1, j = p < 6 ? p : p - 6;
        for (int g = 0; g < 4; ++g) {
            const CDPoint q = plan.spans[size_t(s)].m_aPanelPoints[size_t(j)].m_aptGirder[size_t(g)];
            const int node = m.node(g, p);
            EXPECT_EQ(m.nodeNumber(node), 500 * g + p + 1);
            EXPECT_NEAR(m.X[size_t(node)], q.x, 1e-8);
            EXPECT_NEAR(m.Y[size_t(node)], q.y, 1e-8);
        }
        EXPECT_NEAR(m.sections[size_t(p)].T, 5.0 * p, 1e-9);
        EXPECT_EQ(m.sections[size_t(p)].span, s);
    }
    // Three bays of the cross beam, numbered after the 56 girder members.
    ASSERT_EQ(m.cross.size(), 3u);
    const double J = (2 * 0.22 * 0.01 * 0.01 * 0.01 + 1.5 * 0.009 * 0.009 * 0.009) / 3;
    for (int bay = 0; bay < 3; ++bay) {
        EXPECT_EQ(m.cross[size_t(bay)].nodeI, m.node(bay, 3));
        EXPECT_EQ(m.cross[size_t(bay)].kind, CROSS_BEAM);
        EXPECT_NEAR(m.cross[size_t(bay)].J, J, 1e-15);
        EXPECT_GT(m.cross[size_t(bay)].I, 0.0);
    }
    EXPECT_NE(text.find("\n57 4 504 2 "), std::string::npos);
}

TEST(GrillageInput, ASingleBoxStandsOnItsWebLinesAndCarriesItsLoadOnTheCentreLine)
{
    PlanCore::CPlanInput pin = plantest::CommonInput();
    pin.nBridgeType = 2;
    pin.nGirders = 3;
    for (int e = 0; e < 2; ++e)
        pin.adBaseToG1[0][e] = 1.2, pin.adGirderSpacing[0][e] = 1.2;
    const plantest::Plan plan = plantest::Build(pin);
    CGrillageInput in = NewDesignInput(plan, 3, 2);
    const std::string text = WriteGrillageInput(in);
    const mvg::Model m = mvg::ReadInput(text);

    EXPECT_EQ(m.nLines, 2);
    ASSERT_EQ(m.bearings.size(), 4u);
    EXPECT_EQ(m.nodeNumber(m.bearings[0].node), 1);
    EXPECT_EQ(m.nodeNumber(m.bearings[1].node), 1001);
    EXPECT_EQ(m.bearings[0].kt, 0);
    EXPECT_EQ(m.dummy, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(m.cross.size(), 14u);
    EXPECT_EQ(m.cross[0].kind, 9);
    EXPECT_EQ(m.haunch[0] + m.haunch[2] + m.steel[0] + m.steel[2], 0.0);
    EXPECT_NEAR(m.haunch[1], 1.2 / kGravity, 1e-10);
    EXPECT_NEAR(m.steel[1], 4.5 / kGravity, 1e-10);
    EXPECT_NE(text.find("\n1 1 2 1 5 0 0 0\n"), std::string::npos);
    EXPECT_NE(text.find("\n7 501 502 2 5 0.0586 "), std::string::npos);
}

TEST(GrillageInput, TitlesLoseTheirControlCharactersAndFactorsLeftEmptyReadAsOne)
{
    CGrillageInput in = ExampleA();
    in.m_strTitle = QStringLiteral("橋梁\n設計\t1");
    in.m_strSubtitle = QStringLiteral("/SIZE");
    in.m_dP1Factor = 0.0;
    in.m_nLiveLoad = 3;
    const std::string text = WriteGrillageInput(in);
    EXPECT_EQ(text.rfind("/TITLE\n橋梁 設計 1\n/SIZE\n/OPTION\n", 0), 0u);
    const mvg::Model m = mvg::ReadInput(text);
    EXPECT_EQ(m.title[0], "橋梁 設計 1");
    EXPECT_EQ(m.p1Factor, 1.0);
    EXPECT_EQ(m.detail, 0);
    EXPECT_EQ(m.liveD, 10.0);
}

TEST(GrillageInput, ASingleGirderTakesItsSupportLinesFromTheSkew)
{
    PlanCore::CPlanInput pin = WindowDefaults(plantest::CommonInput());
    pin.nGirders = 1;
    pin.arrB[10].assign(4, 4.5);  // overhangs that keep the deck 9 m wide
    pin.arrB[11].assign(4, 4.5);
    pin.adSkew[0][0] = pin.adSkew[0][1] = plantest::kPi / 3;
    const mvg::Model m = mvg::ReadInput(WriteGrillageInput(NewDesignInput(plantest::Build(pin), 1)));
    ASSERT_EQ(m.bearings.size(), 2u);
    for (const mvg::Bearing& b : m.bearings) {
        EXPECT_NEAR(b.ux, 0.5, 1e-9);
        EXPECT_NEAR(b.uy, std::sqrt(0.75), 1e-9);
    }
}

TEST(GrillageInput, WithoutAPlanNothingIsWritten)
{
    CGrillageInput in = ExampleA();
    in.m_aSpans[0].m_aPanelPoints.clear();
    EXPECT_EQ(WriteGrillageInput(in), "");
    in.m_aSpans.clear();
    EXPECT_EQ(SaveGrillageInput(in, "/nonexistent/GRIN.DAT"), 10);
}

TEST(GrillageInput, RunStampsHoldTimeProcessAndPass)
{
    EXPECT_EQ(MakeRunStamp(0x65A1B2C3, 0x4D2E, 1), "65A1B2C3004D2E01");
    EXPECT_EQ(MakeRunStamp(0x165A1B2C3, 0x12345678, 3), "65A1B2C334567803");
}
