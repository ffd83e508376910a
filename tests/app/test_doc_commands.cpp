// The document's commands: enabling, the grillage road, invalidation, animation, Save As.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "framework/cmdids.h"

TEST_F(ShellTest, CommandsFollowSpansResultsAndCoordinatePlan)
{
    const UINT needSpans[] = {ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT,
                              ID_SETUP_ESTIMATE, ID_SETUP_MAIN_MEMBER, ID_CALC_GRILLAGE, ID_FILE_SAVE, ID_FILE_SAVE_AS};
    EXPECT_TRUE(Update(ID_SETUP_BASIC).m_bEnabled);          // the first input of a new design
    EXPECT_FALSE(Update(ID_SETUP_SPAN).m_bEnabled);
    for (UINT id : needSpans)
        EXPECT_FALSE(Update(id).m_bEnabled) << id;
    EXPECT_FALSE(Update(ID_CALC_ESTIMATE).m_bEnabled);
    EXPECT_FALSE(Update(ID_INVALIDATE_RESULTS).m_bEnabled);

    g_nSpans = 2;
    EXPECT_TRUE(Update(ID_SETUP_SPAN).m_bEnabled);
    for (UINT id : needSpans)
        EXPECT_TRUE(Update(id).m_bEnabled) << id;
    g_bResultsValid = 1;
    EXPECT_TRUE(Update(ID_CALC_ESTIMATE).m_bEnabled);
    EXPECT_TRUE(Update(ID_INVALIDATE_RESULTS).m_bEnabled);
    g_bCoordinatePlan = 1;
    EXPECT_FALSE(Update(ID_SETUP_BASIC).m_bEnabled);
    EXPECT_FALSE(Update(ID_SETUP_SPAN).m_bEnabled);
    g_bCoordinatePlan = 0;
    g_bResultsValid = 0;
    g_nSpans = 0;
}

TEST_F(ShellTest, FailedGrillageRunsChangeNothing)
{
    dialoginput::ConfirmBasic(QStringLiteral("1"));
    m_shown.clear();
    g_pMainFrame->m_nStepMask = 0;
    g_pDoc->SetModifiedFlag(FALSE);
    // No solver programs beside the tests and none named: the chain cannot start.
    qunsetenv("MARIVOLTEN_SOLVER_DIR");
    Command(ID_CALC_GRILLAGE);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("格子計算用実行ﾌｧｲﾙが壊れているか存在しません。"));
    EXPECT_EQ(AfxGetLastMessageBoxCaption(), QStringLiteral("エラー　ErroCode = 008"));
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_FALSE(g_pDoc->IsModified());
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0);

    // A failed re-run keeps what it had and marks nothing.
    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
    g_pDoc->m_nFileVersion = 1700;
    Command(ID_CALC_GRILLAGE);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_FALSE(g_pDoc->IsModified());
    EXPECT_EQ(g_pDoc->m_nFileVersion, 1700);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1000, 0);
}

TEST_F(ShellTest, InvalidateAsksThenResetsResults)
{
    g_nSpans = 1;
    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    Answer({IDCANCEL});
    Command(ID_INVALIDATE_RESULTS);
    EXPECT_EQ(g_bResultsValid, 1);
    Answer({IDOK});
    Command(ID_INVALIDATE_RESULTS);
    EXPECT_EQ(m_shown.size(), 2);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_pDoc->SaveSectionLayout(), 0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1000, 0);
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_PLAN], 1);
    g_nSpans = 0;
}

TEST_F(ShellTest, AnimationChoiceLivesInTheProfile)
{
    Command(ID_CALCULATOR_CACIO);
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Animation"), QStringLiteral("name")), QStringLiteral("1"));
    EXPECT_EQ(Update(ID_CALCULATOR_CACIO).m_nCheck, 1);
    EXPECT_EQ(Update(ID_CALCULATOR_TIGER).m_nCheck, 0);
    AfxWriteProfileString(QStringLiteral("Animation"), QStringLiteral("name"), QStringLiteral("0"));
    EXPECT_EQ(Update(ID_CALCULATOR_TIGER).m_nCheck, 1);     // the mark follows the profile
    EXPECT_EQ(g_pDoc->m_nAnimation, 0);
}

TEST_F(ShellTest, SaveAsNeedsADesign)
{
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("データが作成されていません。")});
}
