// The solver chain run from the program: the input of a new design goes through the eight
// programs into a listing the readers take; missing programs and a damaged input are codes.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include <QFile>
#include <QTemporaryDir>

#include "analysis/grillage_listing.h"
#include "app/grillage_collect.h"
#include "app/solver_chain.h"
#include "solver/solver_files.h"

namespace {

class SolverChainTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        dialoginput::ConfirmBasic(QStringLiteral("1"));
    }
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }
    // The example girder's section on every member.
    static CGrillageInput Input(const std::string& stamp)
    {
        CGrillageInput in = CollectGrillageInput(*g_pDoc, 1, stamp);
        for (CMemberProperties& m : in.m_aMembers)
            m = {0.0586, 0.04778878, 1.186753e-5};
        return in;
    }
};

}

TEST_F(SolverChainTest, InputGoesThroughTheProgramsIntoAListing)
{
    CSolverChain chain;
    ASSERT_TRUE(chain.Prepare());
    const std::string stamp = "0000000100000101";
    ASSERT_EQ(SaveGrillageInput(Input(stamp), chain.WorkFile(mvgfiles::kInputFile).toStdString()), 0);
    ASSERT_EQ(chain.Run(), 0);
    QFile listing(chain.WorkFile(mvgfiles::kListingFile));
    ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
    const std::vector<std::string> lines = SplitListingLines(listing.readAll().toStdString());
    EXPECT_EQ(CheckListingFrame(lines, stamp), 1);
    std::vector<CGirderDesign> girders(static_cast<size_t>(g_nGirders));
    const CListingShape shape = CListingShape::For(g_nBridgeType, g_nGirders, g_nSpans, g_nPanelPoints);
    ASSERT_EQ(ParseReactions(lines, shape, girders.data()), 1);
    double total = 0.0;
    for (const CGirderDesign& g : girders)
        total += g.m_adReactDead[0] + g.m_adReactDead[1];
    EXPECT_GT(total, 0.0);

    chain.Wipe();
    EXPECT_FALSE(QFile::exists(chain.WorkFile(mvgfiles::kListingFile)));
    EXPECT_FALSE(QFile::exists(chain.WorkFile(mvgfiles::kInputFile)));
}

TEST_F(SolverChainTest, FailuresComeBackAsTheirCodes)
{
    CSolverChain chain;
    ASSERT_TRUE(chain.Prepare());
    // A damaged input stops at the first program with its own code, and the files stay.
    QFile input(chain.WorkFile(mvgfiles::kInputFile));
    ASSERT_TRUE(input.open(QIODevice::WriteOnly));
    input.write("/TITLE\nbroken\n/NONSENSE\n");
    input.close();
    EXPECT_EQ(chain.Run(), mvgfiles::kSyntaxError);
    EXPECT_TRUE(QFile::exists(chain.WorkFile(mvgfiles::kInputFile)));
    // Without the programs nothing can run.
    const QTemporaryDir empty;
    qputenv("MARIVOLTEN_SOLVER_DIR", empty.filePath(QStringLiteral("no-such-folder")).toLocal8Bit());
    EXPECT_EQ(chain.Run(), mvgfiles::kProgramFailed);
}
