// The eight programs on fixture files in a Work folder, as the driver runs them: the
// listing and its round trip through a reader, error codes, damaged intermediates.
#include "chain.h"
#include "listing_reader.h"
#include "solver/solver_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace mvgtest;
using namespace mvg;

namespace {

constexpr double kG = 9.80665;

std::string ReadFile(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& p, const std::string& text)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << text;
}

class SolverPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = MakeWorkFolder("mvg_work_");
        ASSERT_FALSE(work.empty());
    }
    void TearDown() override
    {
        if (!work.empty())
            fs::remove_all(work);
    }

    // One program with the named inputs and outputs; its exit status must be the code
    // it leaves in err_file.
    int Run(const char* program, const std::vector<std::string>& in, const std::vector<std::string>& out)
    {
        std::string i, o;
        for (const auto& f : in)
            i += f + "\n";
        for (const auto& f : out)
            o += f + "\n";
        WriteFile(work / mvgfiles::kInputList, i);
        WriteFile(work / mvgfiles::kOutputList, o);
        fs::remove(work / mvgfiles::kErrorFile);
        const fs::path console = work.string() + ".console";
        ProcessStats ps;
        const int status = RunInDir((fs::path(SOLVER_BIN_DIR) / program).string(), work.string(), 120, &ps,
                                    console.string());
        peakKb = std::max(peakKb, ps.maxRssKb);
        EXPECT_GE(status, 0) << program << " crashed or hung";
        EXPECT_EQ(ReadFile(console), "") << program << " wrote to the console";
        fs::remove(console);
        const std::string err = ReadFile(work / mvgfiles::kErrorFile);
        std::istringstream e(err);
        int code = -1;
        std::string name, why;
        e >> code;
        e.ignore();
        std::getline(e, name);
        std::getline(e, why);
        EXPECT_EQ(code, status) << program << ": " << err;
        EXPECT_EQ(name, program);
        EXPECT_FALSE(why.empty());
        lastWhy = why;
        return status;
    }

    int Stage(int i)
    {
        const auto& st = mvgfiles::kStages[i];
        return Run(st.program, {st.inputs, st.inputs + st.inputCount}, {st.outputs, st.outputs + st.outputCount});
    }

    // The chain as the driver runs it; the code of the first program that fails.
    int Chain(const std::string& input)
    {
        for (const char* f : mvgfiles::kKnownFiles)
            fs::remove(work / f);
        WriteFile(work / mvgfiles::kInputFile, input);
        for (int i = 0; i < 7; ++i)
            if (const int c = Stage(i))
                return c;
        std::istringstream list(ReadFile(work / mvgfiles::kResultList));
        std::string name;
        while (std::getline(list, name))
            if (const int c = Run("mvg_list", {name}, {mvgfiles::kListingFile}))
                return c;
        return 0;
    }

    bool Exists(const char* f) const { return fs::exists(work / f); }

    fs::path work;
    std::string lastWhy;
    long peakKb = 0;  // the largest peak memory of a program run so far
};

// A bridge with everything the listing shows: spans, cross members, sidewalks, the
// A live load in SI values.
BridgeLayout Bridge()
{
    BridgeLayout b;
    b.title = "Listing fixture";
    b.stamp = "65A1B2C3004D2E01";
    b.G = 4;
    b.spacing = 2.3;
    b.overhang = 1.05;
    b.spans = {30, 36};
    b.panels = {6};
    b.I = 0.048;
    b.J = 1.2e-5;
    b.cross = {{1, 0, 0.02, 0}, {4, 2, 0.01, 1e-4}, {7, 3, 0.02, 0}, {10, 2, 0.01, 1e-4}, {13, 0, 0.02, 0}};
    b.sidewalk = 3;
    b.autoZones = false;
    b.cw = {1.4, 7.6};
    b.sidewalks = {{0.4, 1.4}, {7.6, 8.6}};
    b.strips = {{8, 0, 9, 0.21}, {4, 1.4, 7.6, 0.08}, {3, 0.4, 1.2, 0.03}, {3, 7.8, 8.6, 0.03}};
    b.unitWeight = {{3, 2.294361}, {4, 2.294361}, {8, 2.498305}};
    b.rails = {{1, 0.2}, {2, 8.8}};
    b.rail1 = b.rail2 = 0.05098581;
    b.haunch.assign(4, 0.1223659);
    b.steel.assign(4, 0.4588723);
    b.liveLoad = 0;
    b.live = true;
    b.liveD = 6;
    b.p1m = 10 / kG;
    b.p1s = 12 / kG;
    b.p2 = {3.5 / kG, 3.5 / kG};
    b.pc = {3.5 / kG, 3.5 / kG};
    return b;
}

// Printed to %.3f: within half a unit of the last place.
void Printed(double printed, double value, const char* what)
{
    EXPECT_NEAR(printed, value, 0.0005 + 1e-9 * std::abs(value)) << what;
}

void CompareListing(const Solved& s, const ListingData& d)
{
    const Model& m = s.m;
    const int n = m.nLines;
    const Impact imp = ComputeImpact(m);
    for (int sp = 0; sp <= m.S; ++sp)
        EXPECT_NEAR(d.impactOut[sp], imp.support(sp), 0.00005);
    const auto parts = Combine(m, s.dead, s.live);
    for (int sp = 0; sp <= m.S; ++sp) {
        double sum[5] = {0, 0, 0, 0, 0};
        for (int b = 0; b < n; ++b) {
            const ListingRow& r = d.reactions[sp][b];
            const int k = sp * n + b;
            EXPECT_EQ(r.node, m.nodeNumber(m.bearings[k].node));
            const double D = s.dead.reaction[k], Lp = s.live.reaction[k][0], Lm = s.live.reaction[k][1];
            const double expect[6] = {D, Lp, Lm, D + Lp, D + Lm, D + 2 * Lm};
            for (int i = 0; i < 6; ++i)
                Printed(r.v[i], expect[i], "reaction");
            for (int i = 0; i < 5; ++i)
                sum[i] += r.v[i];
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_NEAR(d.reactionTotal[sp][i], sum[i], 0.0005 * (n + 1));
    }
    if (m.wantsDetail())
        for (int sp = 0; sp <= m.S; ++sp)
            for (int g = 0; g < n; ++g) {
                const auto& rows = d.detail[sp][g];
                // the MAX row repeats the summary row of its bearing
                EXPECT_EQ(rows[0].node, d.reactions[sp][g].node);
                EXPECT_EQ(rows[0].v, d.reactions[sp][g].v);
                double sum[5] = {0, 0, 0, 0, 0};
                int k = 0;
                for (size_t r = 0; r < rows.size(); ++r) {
                    if (r > 0 && k == g)
                        ++k;
                    const int bk = sp * n + (r == 0 ? g : k);
                    EXPECT_EQ(rows[r].node, m.nodeNumber(m.bearings[bk].node));
                    if (r > 0) {
                        const auto& dd = s.live.detail[(size_t(sp) * n + g) * n + k];
                        Printed(rows[r].v[1], dd[0], "detail L+");
                        Printed(rows[r].v[2], dd[1], "detail L-");
                        Printed(rows[r].v[3], s.dead.reaction[bk] + dd[0], "detail D+L+");
                        ++k;
                    }
                    for (int i = 0; i < 5; ++i)
                        sum[i] += rows[r].v[i];
                }
                for (int i = 0; i < 5; ++i)
                    EXPECT_NEAR(d.detailTotal[sp][g][i], sum[i], 0.0005 * (n + 1));
            }
    std::vector<char> support(m.P, 0);
    for (int sp = 0; sp <= m.S; ++sp)
        support[m.supportPoint(sp)] = 1;
    for (int g = 0; g < m.G; ++g)
        for (int p = 0; p < m.P; ++p) {
            const auto& r = d.deflection[g][p];
            const int q = m.node(g, p);
            Printed(r.dead, s.dead.deflection[q], "deflection");
            Printed(r.plus, s.live.deflection[q][0], "deflection L+");
            Printed(r.minus, s.live.deflection[q][1], "deflection L-");
            EXPECT_EQ(r.support, support[p]);
        }
    std::vector<char> bearing(m.nodes(), 0);
    for (const auto& b : m.bearings)
        bearing[b.node] = 1;
    const int ends[3][2] = {{kMI, kMJ}, {kVI, kVJ}, {kTI, kTJ}};
    for (int f = 0; f < 3; ++f)
        for (int g = 0; g < m.G; ++g)
            for (int p = 0; p + 1 < m.P; ++p) {
                const MemberEnds& e = d.members[f][g][p];
                const int k = m.memberIndex(g, p);
                EXPECT_EQ(e.memberI, k + 1);
                EXPECT_EQ(e.memberJ, k + 1);
                const int qI = m.node(g, p), qJ = m.node(g, p + 1);
                EXPECT_EQ(e.nodeI, bearing[qI] ? -m.nodeNumber(qI) : m.nodeNumber(qI));
                EXPECT_EQ(e.nodeJ, bearing[qJ] ? -m.nodeNumber(qJ) : m.nodeNumber(qJ));
                Printed(e.length, m.girders[k].L, "length");
                for (int end = 0; end < 2; ++end) {
                    const int fi = ends[f][end];
                    const double D = s.dead.member[k][fi], Lp = s.live.member[k][fi], Lm = s.live.member[k][6 + fi];
                    const double* v = end == 0 ? e.I : e.J;
                    Printed(v[0], D, "member D");
                    Printed(v[1], Lp, "member L+");
                    Printed(v[2], Lm, "member L-");
                    Printed(v[3], D + Lp, "member D+L+");
                    Printed(v[4], D + Lm, "member D+L-");
                }
            }
}

} // namespace

TEST_F(SolverPrograms, ChainWritesTheListingThatTheReaderTakesBack)
{
    const BridgeLayout b = Bridge();
    ASSERT_EQ(Chain(WriteInput(b)), 0) << lastWhy;
    const std::string text = ReadFile(work / mvgfiles::kListingFile);
    // fixed point only, never an exponent
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("TITLE", 0) == 0 || line.rfind("STAMP", 0) == 0)
            continue;
        std::istringstream tokens(line);
        std::string t;
        while (tokens >> t)
            if (t[0] == '-' || (t[0] >= '0' && t[0] <= '9')) {
                EXPECT_EQ(t.find_first_not_of("-.0123456789"), std::string::npos) << line;
            }
    }
    ListingData d;
    std::string why;
    ListingReader rd(text);
    ASSERT_TRUE(rd.Read(2, 4, 4, 13, true, d, why)) << why;
    EXPECT_EQ(d.title, "Listing fixture");
    EXPECT_EQ(d.stamp, "65A1B2C3004D2E01");
    const Solved s = Solve(b);
    CompareListing(s, d);
    EXPECT_EQ(ReadFile(work / mvgfiles::kResultList),
              "GR7_1.TMP\nGR7_2.TMP\nGR7_3.TMP\nGR7_4.TMP\nGR7_5.TMP\nGR7_6.TMP\nGR7_7.TMP\n");
}

TEST_F(SolverPrograms, TandLRunHasNoReactionDetail)
{
    BridgeLayout b = Bridge();
    b.liveLoad = 3;
    b.liveD = 10;
    b.detail = 1;  // the reader drops it for T+L
    ASSERT_EQ(Chain(WriteInput(b)), 0) << lastWhy;
    EXPECT_FALSE(Exists("GR7_3.TMP"));
    const std::string text = ReadFile(work / mvgfiles::kListingFile);
    EXPECT_EQ(text.find("*** REACTION DETAIL ***"), std::string::npos);
    ListingData d;
    std::string why;
    ListingReader rd(text);
    ASSERT_TRUE(rd.Read(2, 4, 4, 13, false, d, why)) << why;
    CompareListing(Solve(b), d);
}

TEST_F(SolverPrograms, SingleBoxListsThreeLinesAndTwoBearingLines)
{
    BridgeLayout b = Bridge();
    b.bridgeType = 2;
    b.G = 3;
    b.spacing = 1.4;
    b.overhang = 3.1;
    b.cross.clear();
    b.I = 0.5;
    b.J = 0.6;
    b.haunch = {0, 0.12, 0};
    b.steel = {0, 1.2, 0};
    b.rail2 = 0;  // one railing only: the box twists
    ASSERT_EQ(Chain(WriteInput(b)), 0) << lastWhy;
    ListingData d;
    std::string why;
    ListingReader rd(ReadFile(work / mvgfiles::kListingFile));
    ASSERT_TRUE(rd.Read(2, 2, 3, 13, true, d, why)) << why;
    CompareListing(Solve(b), d);
    for (const auto& e : d.members[0][0]) {
        EXPECT_EQ(e.I[0], 0.0);
        EXPECT_EQ(e.J[1], 0.0);
    }
    // the box's torques differ at the two ends under the distributed dead-load torque
    EXPECT_NE(d.members[2][1][0].I[0], d.members[2][1][0].J[0]);
}

TEST_F(SolverPrograms, ListingIsCreatedByTheFirstBlockAndClosedByTheLast)
{
    ASSERT_EQ(Chain(WriteInput(Bridge())), 0) << lastWhy;
    const std::string once = ReadFile(work / mvgfiles::kListingFile);
    // running the blocks again starts the listing afresh
    std::istringstream list(ReadFile(work / mvgfiles::kResultList));
    std::string name;
    while (std::getline(list, name))
        ASSERT_EQ(Run("mvg_list", {name}, {mvgfiles::kListingFile}), 0);
    EXPECT_EQ(ReadFile(work / mvgfiles::kListingFile), once);
}

TEST_F(SolverPrograms, SyntaxErrorStopsTheChainWithCode3)
{
    std::string input = WriteInput(Bridge());
    input.replace(input.find("/MGR\n"), 5, "/MGR\n1 1 2\n");
    EXPECT_EQ(Chain(input), mvgfiles::kSyntaxError);
    EXPECT_NE(lastWhy.find("GRIN.DAT line"), std::string::npos) << lastWhy;
    EXPECT_FALSE(Exists("GR1.MDL"));
    EXPECT_FALSE(Exists("GROUT.LST"));
}

TEST_F(SolverPrograms, CountThatDisagreesGivesCode4)
{
    std::string input = WriteInput(Bridge());
    input.replace(input.find("CROSS_MEMBERS 15"), 16, "CROSS_MEMBERS 14");
    EXPECT_EQ(Chain(input), mvgfiles::kInconsistent);
    EXPECT_FALSE(Exists("GR1.MDL"));
    EXPECT_FALSE(Exists("GROUT.LST"));
}

TEST_F(SolverPrograms, SupportWithoutBearingsGivesCode4)
{
    std::string input = WriteInput(Bridge());
    // the middle support's bearings moved onto the first support line
    for (int b = 1; b <= 4; ++b) {
        const std::string from = "BEARING 2 " + std::to_string(b) + " ";
        const size_t at = input.find(from);
        ASSERT_NE(at, std::string::npos);
        input.replace(at, from.size(), "BEARING 1 " + std::to_string(b) + " ");
    }
    EXPECT_EQ(Chain(input), mvgfiles::kInconsistent);
    EXPECT_FALSE(Exists("GROUT.LST"));
}

TEST_F(SolverPrograms, ZeroStiffnessGirderGivesCode2FromTheFactor)
{
    BridgeLayout b = Bridge();
    b.cross.clear();
    b.lineI = {0.048, 0.0, 0.048, 0.048};
    EXPECT_EQ(Chain(WriteInput(b)), mvgfiles::kUnstable);
    // the first DOF of line 2 that nothing holds
    EXPECT_NE(lastWhy.find("node 50"), std::string::npos) << lastWhy;
    EXPECT_NE(lastWhy.find(": pivot"), std::string::npos) << lastWhy;
    EXPECT_TRUE(Exists("GR3.STF"));
    EXPECT_FALSE(Exists("GR4.FAC"));
    EXPECT_FALSE(Exists("GROUT.LST"));
}

TEST_F(SolverPrograms, MissingExchangeOrInputFilesGiveCode1)
{
    EXPECT_EQ(Run("mvg_frame", {"GR1.MDL"}, {"GR2.ELM"}), mvgfiles::kFileMissing);
    fs::remove(work / mvgfiles::kInputList);
    fs::remove(work / mvgfiles::kErrorFile);
    EXPECT_EQ(RunInDir((fs::path(SOLVER_BIN_DIR) / "mvg_read").string(), work.string(), 60), mvgfiles::kFileMissing);
    EXPECT_EQ(ReadFile(work / mvgfiles::kErrorFile).substr(0, 2), "1\n");
    // IFIL naming the wrong number of files
    EXPECT_EQ(Run("mvg_dead", {"GR1.MDL", "GR2.ELM"}, {"GR5.DED"}), mvgfiles::kFileMissing);
}

TEST_F(SolverPrograms, IntermediatesOfAnotherRunAreRefused)
{
    BridgeLayout b = Bridge();
    ASSERT_EQ(Chain(WriteInput(b)), 0);
    // a new input with a new stamp; the later files are still those of the old run
    b.stamp = "65A1B2C3004D2E02";
    WriteFile(work / mvgfiles::kInputFile, WriteInput(b));
    ASSERT_EQ(Stage(0), 0);
    EXPECT_EQ(Stage(6), mvgfiles::kDamaged);
    EXPECT_NE(lastWhy.find("stale"), std::string::npos) << lastWhy;
    EXPECT_EQ(Stage(4), mvgfiles::kDamaged);
    // a program that fails leaves none of its outputs
    EXPECT_FALSE(Exists("GR5.DED"));
    EXPECT_FALSE(Exists("GR7_1.TMP"));
    // the wrong kind of file where another is expected
    EXPECT_EQ(Run("mvg_list", {"GR1.MDL"}, {"GROUT.LST"}), mvgfiles::kDamaged);
    EXPECT_FALSE(Exists("GROUT.LST"));
}

TEST_F(SolverPrograms, DamagedIntermediatesNeverCrashAProgram)
{
    BridgeLayout b = Bridge();
    b.spans = {30};
    b.cross = {{1, 0, 0.02, 0}, {4, 2, 0.01, 1e-4}, {7, 0, 0.02, 0}};
    b.p2 = b.pc = {0.35};
    ASSERT_EQ(Chain(WriteInput(b)), 0);
    std::map<std::string, std::string> good;
    for (const char* f : {"GR1.MDL", "GR2.ELM", "GR3.STF", "GR4.FAC", "GR5.DED", "GR6.LIV", "GR7_2.TMP"})
        good[f] = ReadFile(work / f);
    // which program reads which file first
    const std::vector<std::pair<std::string, int>> readers = {
        {"GR1.MDL", 1}, {"GR2.ELM", 2}, {"GR3.STF", 3}, {"GR4.FAC", 4}, {"GR5.DED", 6}, {"GR6.LIV", 6}, {"GR7_2.TMP", 7}};
    std::mt19937 rng(4);
    for (const auto& [file, stage] : readers) {
        const std::string& bytes = good.at(file);
        for (int trial = 0; trial < 6; ++trial) {
            std::string bad = bytes;
            switch (trial) {
            case 0: bad.resize(bad.size() / 2); break;
            case 1: bad.resize(20); break;
            case 2: bad[0] = 'X'; break;
            case 3: bad += "extra"; break;
            default:
                for (int i = 0; i < 8; ++i)
                    bad[36 + rng() % (bad.size() - 36)] = char(rng());
            }
            WriteFile(work / file, bad);
            const int code = stage == 7 ? Run("mvg_list", {file}, {"GROUT.LST"}) : Stage(stage);
            if (trial < 4)
                EXPECT_EQ(code, mvgfiles::kDamaged) << file << " trial " << trial;
            else
                EXPECT_TRUE(code == 0 || code == 2 || code == 7) << file << ": " << code << " " << lastWhy;
        }
        WriteFile(work / file, bytes);
    }
}

TEST_F(SolverPrograms, NoLiveLoadListsTheDeadLoadAlone)
{
    BridgeLayout b = Bridge();
    b.liveLoad = 4;
    ASSERT_EQ(Chain(WriteInput(b)), 0) << lastWhy;
    ListingData d;
    std::string why;
    ListingReader rd(ReadFile(work / mvgfiles::kListingFile));
    ASSERT_TRUE(rd.Read(2, 4, 4, 13, true, d, why)) << why;
    for (const auto& sup : d.reactions)
        for (const auto& r : sup) {
            EXPECT_EQ(r.v[1], 0.0);
            EXPECT_EQ(r.v[3], r.v[0]);
            EXPECT_EQ(r.v[5], r.v[0]);
        }
    CompareListing(Solve(b), d);
}

// Short panels make the loading-length window reach back over many of them; what a
// program keeps does not grow with that.
TEST_F(SolverPrograms, ShortPanelsStayWithinTheMemoryBudget)
{
    BridgeLayout b;
    b.G = 20;
    b.liveLoad = 1;
    b.live = true;
    b.p1m = 1;
    b.p1s = 1.2;
    b.spans = {14};
    b.panels = {280};  // 0.05 m
    ASSERT_EQ(Chain(WriteInput(b)), 0) << lastWhy;
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(peakKb, 200 * 1024);
#endif
}
