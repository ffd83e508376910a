// The girders are designed side by side once the listing is read: however many threads do
// it, every stored value comes out as one thread makes it.
#include "example_designs.h"

#include "common/dialog_input.h"
#include "common/shell_fixture.h"
#include "design/girder_design.h"
#include "framework/parallel.h"

#include <vector>

namespace {

// Everything a run stores: each girder whole (curves, forces, every field of every section)
// and the estimate.
struct RunResults {
    std::vector<CGirderDesign> girders;
    CEstimateData estimate;
};

RunResults Current()
{
    RunResults r;
    for (int g = 0; g < g_nGirders; ++g)
        r.girders.push_back(g_pDoc->m_pGirders[g]);
    r.estimate = static_cast<const CEstimateData&>(*g_pDoc);
    return r;
}

void ExpectSame(const RunResults& one, const RunResults& many, const char* run)
{
    ASSERT_EQ(many.girders.size(), one.girders.size()) << run;
    for (size_t g = 0; g < one.girders.size(); ++g) {
        const CGirderDesign& a = one.girders[g];
        const CGirderDesign& b = many.girders[g];
        ASSERT_EQ(b.m_pSections.size(), a.m_pSections.size()) << run << " G" << g + 1;
        for (size_t s = 0; s < a.m_pSections.size(); ++s)
            EXPECT_TRUE(b.m_pSections[s] == a.m_pSections[s])
                << run << " G" << g + 1 << " section " << s + 1 << ": upper " << b.m_pSections[s].m_dBUpper << " x "
                << b.m_pSections[s].m_dTUpper << " against " << a.m_pSections[s].m_dBUpper << " x "
                << a.m_pSections[s].m_dTUpper;
        EXPECT_TRUE(b == a) << run << " G" << g + 1;
    }
    EXPECT_TRUE(many.estimate == one.estimate) << run;
}

class ParallelDesignTest : public ShellTest {
protected:
    void TearDown() override
    {
        AfxSetModalHook({});
        AfxSetWorkerThreads(0);
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }

    // A new design entered, its first run and a re-run that redesigns, each with `threads`.
    void Run(const std::function<void()>& enter, int threads, RunResults& first, RunResults& rerun)
    {
        AfxSetWorkerThreads(threads);
        StartNewDesign();
        enter();
        RunGrillage();
        first = Current();
        Answer({IDOK});
        ASSERT_TRUE(dialoginput::RunModal(ID_CALC_GRILLAGE, [](CDialog* d) {
            dialoginput::Press(d, IDC_RERUN_REDESIGN);
            dialoginput::Ok(d);
        }));
        ASSERT_EQ(m_shown, QStringList{QStringLiteral("格子計算終了!")});
        m_shown.clear();
        rerun = Current();
    }

    void ExpectSameWithOneThreadAndMany(const std::function<void()>& enter)
    {
        RunResults oneFirst, oneRerun, manyFirst, manyRerun;
        Run(enter, 1, oneFirst, oneRerun);
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_GT(oneFirst.girders.size(), 1u);
        Run(enter, 8, manyFirst, manyRerun);
        ASSERT_FALSE(HasFatalFailure());
        ExpectSame(oneFirst, manyFirst, "first run");
        ExpectSame(oneRerun, manyRerun, "re-run");
    }
};

}

TEST_F(ParallelDesignTest, PlateGirdersComeOutTheSameWithOneThreadAndWithMany)
{
    ExpectSameWithOneThreadAndMany(examples::EnterPlateThreeSpanSkew);
}

TEST_F(ParallelDesignTest, BoxGirdersComeOutTheSameWithOneThreadAndWithMany)
{
    ExpectSameWithOneThreadAndMany(examples::EnterTwoBoxTwoSpan);
}
