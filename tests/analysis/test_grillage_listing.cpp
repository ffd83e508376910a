// The result listing's readers: hand-written blocks, refusals, and listings that the solver
// wrote for the example bridge, in-process and through the programs.
#include "analysis/grillage_listing.h"
#include "example_bridge.h"

#include "solver/assemble.h"
#include "solver/frame.h"
#include "solver/listing.h"
#include "solver/model.h"
#include "solver/solver_files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace gintest;

namespace {

const char* const kImpactAndReactions = R"(MVG GRILLAGE LISTING 1
TITLE Example A
STAMP 65A1B2C3004D2E02
*** IMPACT COEFFICIENT ***
SPAN   1    0.2500    0.2353
SPAN   2    0.2222    0.2222
*** REACTION ***
#  NODE        DEAD     LIVE(+)     LIVE(-)      D+L(+)      D+L(-)     2L(-)+D   (tf)
SUPPORT   1
POINT      1      20.512      18.300      -1.204      38.812      19.308      18.104
POINT    501      22.101      15.872      -0.310      37.973      21.791      21.481
POINT   1001      22.101      15.872      -0.310      37.973      21.791      21.481
POINT   1501      20.512      18.300      -1.204      38.812      19.308      18.104
TOTAL             85.226      68.344      -3.028     153.570      82.198
SUPPORT   2
POINT      7      10.000       1.000      -2.000      11.000       8.000       6.000
POINT    507      10.000       1.000      -2.000      11.000       8.000       6.000
POINT   1007      10.000       1.000      -2.000      11.000       8.000       6.000
POINT   1507      10.000       1.000      -2.000      11.000       8.000       6.000
TOTAL             40.000       4.000      -8.000      44.000      32.000
SUPPORT   3
POINT     13       1.000       1.000       0.000       2.000       1.000       1.000
POINT    513       1.000       1.000       0.000       2.000       1.000       1.000
POINT   1013       1.000       1.000       0.000       2.000       1.000       1.000
POINT   1513       1.000       1.000       0.000       2.000       1.000       1.000
TOTAL              4.000       4.000       0.000       8.000       4.000
*** END OF LISTING ***
)";

std::vector<std::string> Without(std::vector<std::string> lines, const std::string& line)
{
    lines.erase(std::find(lines.begin(), lines.end(), line));
    return lines;
}

std::vector<std::string> Replaced(std::vector<std::string> lines, const std::string& from, const std::string& to)
{
    *std::find(lines.begin(), lines.end(), from) = to;
    return lines;
}

const CListingShape kFourGirdersTwoSpans = CListingShape::For(0, 4, 2, 13);

// The listing that the solver library writes for an input, and the parts it printed.
struct Listing {
    std::vector<mvg::ListingPart> parts;
    std::vector<std::string> lines;
    CListingShape shape;
};

Listing SolveAndList(const CGrillageInput& in)
{
    Listing l;
    const mvg::Model m = mvg::ReadInput(WriteGrillageInput(in));
    const mvg::Elements el = mvg::BuildElements(m);
    const mvg::Stiffness st = mvg::Assemble(m, el);
    const mvg::BandMatrix L = mvg::FactorStiffness(st);
    l.parts = mvg::Combine(m, mvg::SolveDead(m, el, st, L), mvg::SolveLive(m, el, st, L));
    std::string text;
    for (const mvg::ListingPart& p : l.parts)
        text += mvg::FormatPart(p, m.stamp);
    l.lines = SplitListingLines(text);
    l.shape = CListingShape::For(in.m_nBridgeType, in.m_nGirders, int(in.m_aSpans.size()), in.PanelPoints());
    return l;
}

const mvg::ListingPart& Part(const Listing& l, int block)
{
    return *std::find_if(l.parts.begin(), l.parts.end(), [block](const mvg::ListingPart& p) { return p.block == block; });
}

// Every field the readers fill equals the printed intermediate to print precision.
void ExpectReadAsPrinted(const Listing& l, const std::vector<CGirderDesign>& d)
{
    constexpr double kPrint = 0.0005;
    const int S = l.shape.m_nSpans, n = l.shape.m_nBearingLines, G = l.shape.m_nGirderLines, P = l.shape.m_nPanelPoints;
    const auto& react = Part(l, mvg::kReactionBlock).rows;
    for (int s = 0; s <= S; ++s)
        for (int b = 0; b < n; ++b) {
            const mvg::ResultRow& r = react[size_t(s * n + b)];
            EXPECT_EQ(d[size_t(b)].m_anReactNode[s], r.node);
            EXPECT_NEAR(d[size_t(b)].m_adReactDLPlus[s], r.v[3], kPrint);
            EXPECT_NEAR(d[size_t(b)].m_adReact2LMinusD[s], r.v[5], kPrint);
        }
    const auto& detail = Part(l, mvg::kDetailBlock).rows;
    for (int s = 0; s <= S; ++s)
        for (int g = 0; g < n; ++g)
            for (int k = 0; k < n; ++k) {
                const mvg::ResultRow& r = detail[size_t((s * n + g) * n + k)];
                EXPECT_EQ(d[size_t(k)].m_anDetailNode[s][g], r.node);
                EXPECT_NEAR(d[size_t(k)].m_adDetailLivePlus[s][g], r.v[1], kPrint);
                EXPECT_NEAR(d[size_t(k)].m_adDetailDLMinus[s][g], r.v[4], kPrint);
            }
    const auto& defl = Part(l, mvg::kDeflectionBlock).rows;
    for (int g = 0; g < G; ++g)
        for (int p = 0; p < P; ++p) {
            const mvg::ResultRow& r = defl[size_t(g * P + p)];
            EXPECT_NEAR(d[size_t(g)].m_adDeflDead[p], r.v[0], kPrint);
            EXPECT_NEAR(d[size_t(g)].m_adDeflLiveMinus[p], r.v[2], kPrint);
            EXPECT_EQ(d[size_t(g)].m_abNodeIsSupport[p], int(r.v[3]));
        }
    const auto& moment = Part(l, mvg::kMomentBlock).members;
    const auto& shear = Part(l, mvg::kShearBlock).members;
    const auto& torsion = Part(l, mvg::kTorsionBlock).members;
    for (int g = 0; g < G; ++g)
        for (int k = 0; k < P - 1; ++k) {
            const size_t i = size_t(g * (P - 1) + k);
            const CGirderDesign& o = d[size_t(g)];
            EXPECT_EQ(o.m_pnMemberNoI[size_t(k)], moment[i].member);
            EXPECT_EQ(o.m_pnNodeI[size_t(k)], std::abs(moment[i].nodeI));
            EXPECT_EQ(o.m_pnNodeJ[size_t(k)], std::abs(moment[i].nodeJ));
            EXPECT_NEAR(o.m_pdPanelLength[size_t(k)], moment[i].length, kPrint);
            EXPECT_NEAR(o.m_pdMomentDeadJ[size_t(k)], moment[i].J[0], kPrint);
            EXPECT_NEAR(o.m_pdMomentTotalPlusI[size_t(k)], moment[i].I[3], kPrint);
            EXPECT_NEAR(o.m_pdShearLiveMinusI[size_t(k)], shear[i].I[2], kPrint);
            EXPECT_NEAR(o.m_pdShearTotalMinusJ[size_t(k)], shear[i].J[4], kPrint);
            const double tI = torsion[i].I[1], tJ = torsion[i].J[1];
            EXPECT_NEAR(o.m_pdTorsionLivePlus[size_t(k)], std::abs(tJ) > std::abs(tI) ? tJ : tI, kPrint);
        }
}

int ReadAll(const Listing& l, std::vector<CGirderDesign>& d, double impact[15])
{
    return ParseImpactCoefficients(l.lines, l.shape, impact) && ParseReactions(l.lines, l.shape, d.data()) &&
           ParseReactionDetail(l.lines, l.shape, d.data()) && ParseDeflections(l.lines, l.shape, d.data()) &&
           ParseMemberForces(l.lines, l.shape, d.data());
}

} // namespace

TEST(GrillageListing, NumbersAreTheRunsOfDigitsAndPointsWithTheirSign)
{
    const QByteArray line = "POINT   1501 MAX  -1.204 x12";
    int start = 0, length = 0;
    EXPECT_EQ(ExtractNumber(line, 0, &start, &length), "1501");
    EXPECT_EQ(ExtractNumber(line, start + length, &start, &length), "-1.204");
    EXPECT_EQ(start, 18);
    EXPECT_EQ(ExtractNumber(line, start + length, &start, &length), "12");
    EXPECT_EQ(start + length, line.size());
    EXPECT_EQ(ExtractNumber(line, start + length, &start, &length), "noNumerics");
    EXPECT_EQ(length, 0);
}

TEST(GrillageListing, EveryNumberReadsAsQtReadsItToTheBit)
{
    const std::string zeros(400, '0');
    const std::vector<std::string> texts = {
        "0.1", "-0.000", "5.", ".5", "-.5", "0.30000000000000004441", "9007199254740993", "7.0000000000000001",
        "123456789012345678901234567890.5", "0.1000000000000000055511151231257827", "2.2250738585072014",
        "0." + zeros.substr(0, 310) + "5", "0." + zeros + "1", "1" + zeros, "1.2.3", ".", "-."};
    const CListingShape shape = CListingShape::For(0, 1, 1, 2);
    for (const std::string& text : texts) {
        const std::string listing = "*** IMPACT COEFFICIENT ***\nSPAN 1 0.25 " + text + "\n*** END OF LISTING ***\n";
        double impact[15] = {};
        const int read = ParseImpactCoefficients(SplitListingLines(listing), shape, impact);
        bool ok = false;
        const double expected = QByteArray::fromStdString(text).toDouble(&ok);
        ASSERT_EQ(read, ok && std::isfinite(expected) ? 1 : 0) << text;
        if (read) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(impact[1]), std::bit_cast<std::uint64_t>(expected)) << text;
        }
    }
}

TEST(GrillageListing, TheExcerptsBlocksFillImpactAndReactionSummary)
{
    const auto lines = SplitListingLines(kImpactAndReactions);
    EXPECT_EQ(CheckListingFrame(lines, "65A1B2C3004D2E02"), 1);
    EXPECT_EQ(CheckListingFrame(lines, "65A1B2C3004D2E01"), 0);
    double impact[15];
    std::fill(impact, impact + 15, -1.0);
    ASSERT_EQ(ParseImpactCoefficients(lines, kFourGirdersTwoSpans, impact), 1);
    EXPECT_EQ(std::vector<double>(impact, impact + 4), (std::vector<double>{0.25, 0.2353, 0.2222, 0.0}));
    EXPECT_EQ(impact[14], 0.0);

    std::vector<CGirderDesign> d(4);
    ASSERT_EQ(ParseReactions(lines, kFourGirdersTwoSpans, d.data()), 1);
    EXPECT_EQ(d[1].m_anReactNode[0], 501);
    EXPECT_EQ(d[3].m_anReactNode[2], 1513);
    EXPECT_DOUBLE_EQ(d[0].m_adReactDead[0], 20.512);
    EXPECT_DOUBLE_EQ(d[0].m_adReactLiveMinus[0], -1.204);
    EXPECT_DOUBLE_EQ(d[1].m_adReact2LMinusD[0], 21.481);
    EXPECT_DOUBLE_EQ(d[2].m_adReactDLMinus[1], 8.0);
    EXPECT_EQ(d[0].m_anDetailNode[0][0], -1);
}

TEST(GrillageListing, ReadersRefuseMissingBlocksLinesAndWrongCountsAndChangeNothing)
{
    const auto lines = SplitListingLines(kImpactAndReactions);
    double impact[15] = {};
    std::vector<CGirderDesign> d(4);
    const std::vector<CGirderDesign> fresh = d;
    EXPECT_EQ(ParseImpactCoefficients(lines, CListingShape::For(0, 4, 3, 13), impact), 0);
    EXPECT_EQ(ParseImpactCoefficients(Without(lines, "SPAN   1    0.2500    0.2353"), kFourGirdersTwoSpans, impact), 0);
    EXPECT_EQ(ParseReactions(lines, CListingShape::For(0, 5, 2, 13), d.data()), 0);
    EXPECT_EQ(ParseReactions(Without(lines, "TOTAL             40.000       4.000      -8.000      44.000      32.000"),
                             kFourGirdersTwoSpans, d.data()),
              0);
    EXPECT_EQ(ParseReactions(Replaced(lines, "SUPPORT   2", "SUPPORT   3"), kFourGirdersTwoSpans, d.data()), 0);
    EXPECT_EQ(ParseReactions(Without(lines, "*** REACTION ***"), kFourGirdersTwoSpans, d.data()), 0);
    EXPECT_EQ(ParseReactionDetail(lines, kFourGirdersTwoSpans, d.data()), 0);
    EXPECT_EQ(ParseDeflections(lines, kFourGirdersTwoSpans, d.data()), 0);
    EXPECT_EQ(ParseMemberForces(lines, kFourGirdersTwoSpans, d.data()), 0);
    EXPECT_TRUE(d == fresh);
}

TEST(GrillageListing, ExampleAsListingIsReadAsPrinted)
{
    CGrillageInput in = ExampleA();
    in.m_nSidewalk = 1;  // a one-sided deck: the girders differ in every block
    const Listing l = SolveAndList(in);
    std::vector<CGirderDesign> d(4);
    double impact[15] = {};
    ASSERT_EQ(CheckListingFrame(l.lines, in.m_strStamp), 1);
    ASSERT_EQ(ReadAll(l, d, impact), 1);
    EXPECT_NEAR(impact[0], 20.0 / 80.0, 5e-5);
    EXPECT_NEAR(impact[1], 20.0 / 80.0, 5e-5);
    EXPECT_NE(d[0].m_anDetailNode[0][0], -1);
    ExpectReadAsPrinted(l, d);
}

TEST(GrillageListing, DamagedExampleListingsAreRefused)
{
    const Listing l = SolveAndList(ExampleA());
    const auto find = [&](const std::string& prefix) {
        return *std::find_if(l.lines.begin(), l.lines.end(),
                             [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    };
    std::vector<CGirderDesign> d(4);
    // A deflection row of another node, a missing one.
    const std::string row = find("POINT    502");
    EXPECT_EQ(ParseDeflections(Replaced(l.lines, row, "POINT    503" + row.substr(12)), l.shape, d.data()), 0);
    EXPECT_EQ(ParseDeflections(Without(l.lines, row), l.shape, d.data()), 0);
    // Shear rows that name other members than the moment rows.
    auto shear = l.lines;
    auto it = std::find(shear.begin(), shear.end(), "*** SHEARING FORCE ***");
    it += 3;  // past the caption and GIRDER 1
    ASSERT_EQ(it->substr(0, 6), "     1");
    it->replace(0, 6, "     9");
    EXPECT_EQ(ParseMemberForces(shear, l.shape, d.data()), 0);
    // A detail block whose MAX row is not its own bearing.
    auto detail = l.lines;
    it = std::find(detail.begin(), detail.end(), "SUPPORT   1 BEARING   2");
    ASSERT_NE(it, detail.end());
    ASSERT_EQ((it + 1)->substr(0, 16), "POINT    501 MAX");
    (it + 1)->replace(0, 12, "POINT   1001");
    EXPECT_EQ(ParseReactionDetail(detail, l.shape, d.data()), 0);
    EXPECT_EQ(d[0].m_anDetailNode[0][0], -1);
    EXPECT_TRUE(d[0].m_pnMemberNoI.empty());
}

TEST(GrillageListing, TheProgramsRunOnAWrittenInputAndTheirListingIsRead)
{
    const std::filesystem::path bin = SOLVER_BIN_DIR;
    if (!std::filesystem::exists(bin / "mvg_read"))
        GTEST_SKIP() << "solver programs not built";
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const std::filesystem::path dir = work.path().toStdString();
    CGrillageInput in = ExampleA();
    ASSERT_EQ(SaveGrillageInput(in, (dir / mvgfiles::kInputFile).string()), 0);

    auto run = [&](const mvgfiles::Stage& stage, const std::vector<std::string>& inputs) {
        std::ofstream(dir / mvgfiles::kInputList) << [&] {
            std::string s;
            for (const auto& f : inputs)
                s += f + "\n";
            return s;
        }();
        std::string outs;
        for (int i = 0; i < stage.outputCount; ++i)
            outs += std::string(stage.outputs[i]) + "\n";
        std::ofstream(dir / mvgfiles::kOutputList) << outs;
        QProcess proc;
        proc.setWorkingDirectory(work.path());
        proc.start(QString::fromStdString((bin / stage.program).string()), {});
        return proc.waitForFinished(60000) && proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1;
    };
    for (int k = 0; k + 1 < mvgfiles::kStageCount; ++k) {
        const mvgfiles::Stage& stage = mvgfiles::kStages[k];
        ASSERT_EQ(run(stage, std::vector<std::string>(stage.inputs, stage.inputs + stage.inputCount)), 0)
            << stage.program;
    }
    std::ifstream rlist(dir / mvgfiles::kResultList);
    for (std::string name; std::getline(rlist, name);)
        ASSERT_EQ(run(mvgfiles::kStages[mvgfiles::kStageCount - 1], {name}), 0) << name;

    std::stringstream text;
    text << std::ifstream(dir / mvgfiles::kListingFile, std::ios::binary).rdbuf();
    const std::vector<std::string> lines = SplitListingLines(text.str());
    ASSERT_EQ(CheckListingFrame(lines, in.m_strStamp), 1);
    const CListingShape shape = CListingShape::For(0, 4, 1, 7);
    std::vector<CGirderDesign> d(4);
    double impact[15] = {};
    ASSERT_EQ(ReadAll({{}, lines, shape}, d, impact), 1);
    // Example A's dead load: reactions and midspan moments of the outer and inner girders.
    EXPECT_NEAR(d[0].m_adReactDead[0], 53.469517, 0.0005);
    EXPECT_NEAR(d[1].m_adReactDead[1], 29.186385, 0.0005);
    EXPECT_NEAR(d[0].m_pdMomentDeadJ[2], 401.021374, 0.0005);
    EXPECT_NEAR(d[1].m_pdMomentDeadI[3], 218.897890, 0.0005);
    EXPECT_EQ(d[3].m_pnNodeJ[5], 1507);
    EXPECT_EQ(d[2].m_abNodeIsSupport[6], 1);
    EXPECT_EQ(d[2].m_abNodeIsSupport[3], 0);
}
