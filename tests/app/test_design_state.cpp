// The design as one value: File New, File Open that fails, cancelled dialogs, the single
// box's cross-beam arrangement, one rebuild per OK, and tests that stop midway.
#include "common/shell_fixture.h"
#include "common/dialog_input.h"

#include <QFile>
#include <QTemporaryDir>

#include "app/design_state.h"
#include "input/modeless_dialogs.h"

namespace {

class DesignStateTest : public ShellTest {
protected:
    // Runs a modal input command; `drive` acts on the dialog and ends it.
    static void Run(UINT command, const std::function<void(CDialog*)>& drive)
    {
        dialoginput::RunModal(command, drive);
    }
    static void Basic(const std::function<void(CDialog*)>& fill)
    {
        Run(ID_SETUP_BASIC, [&](CDialog* d) {
            fill(d);
            d->SendMessage(WM_COMMAND, IDOK);
        });
    }
    static void Type(CDialog* d, int id, const char* text) { d->GetDlgItem(id)->SetWindowText(QString::fromUtf8(text)); }
    static void Press(CDialog* d, int id) { dialoginput::Press(d, id); }
    // Some input in every part of the design, as a user's session leaves it.
    void ChangeEverything()
    {
        Basic([](CDialog* d) {
            Type(d, IDC_TITLE, "第二大橋");
            Type(d, IDC_SPANS, "2");
            Type(d, IDC_GIRDERS, "5");
        });
        g_pPanelDlg->m_adGirderSpacing[1][0] = 2.9;
        g_pCrossSectionDlg->m_arrB2[3] = 0.6;
        g_pHeightDlg->m_nInterpolation = 0;
        g_pCrossBeamDlg->m_bResetArrangement = 0;
        g_pDoc->m_dlgMainMember.m_dlgLeftBracket.m_dLength = 1500.0;
        g_pDoc->m_dlgSteelWeight.m_adSteelWeight[0] = 7.0;
        g_pDoc->m_ptOriginAdjust = CDPoint(3.0, 4.0);
        g_pDoc->m_coordPlan = CCoordinatePlan::FromSpans(g_pDoc->m_aSpans);
        g_bSIUnits = 0;
        m_shown.clear();
    }
};

TEST_F(DesignStateTest, NewDesignPutsBackEveryPart)
{
    ChangeEverything();
    ASSERT_NE(CaptureDesign(), CDesignState::NewDesign(g_bSIUnits));
    g_bSIUnits = 1;
    Answer({IDNO});
    Command(ID_FILE_NEW);
    EXPECT_TRUE(CaptureDesign() == CDesignState::NewDesign(1));
    EXPECT_EQ(g_pDoc->m_aSpans.size(), 0u);
}

TEST_F(DesignStateTest, TheFixturePutsBackANewDesignWhereverATestStopped)
{
    ChangeEverything();
    // As a test that returned early or threw would end.
    TearDown();
    SetUp();
    EXPECT_TRUE(CaptureDesign() == CDesignState::NewDesign(1));
    EXPECT_EQ(g_bSIUnits, 1);
    EXPECT_FALSE(g_pDoc->IsModified());
}

TEST_F(DesignStateTest, CapturedDesignComesBackWhole)
{
    ChangeEverything();
    const CDesignState saved = CaptureDesign();
    Basic([](CDialog* d) { Type(d, IDC_SPANS, "4"); });
    g_pPanelDlg->m_adSkew[0][0] = 1.0;
    g_pDoc->m_dlgDeadLoad.m_adValue[2] = 30.0;
    ASSERT_NE(CaptureDesign(), saved);
    ApplyDesign(saved);
    EXPECT_TRUE(CaptureDesign() == saved);
    EXPECT_EQ(g_nSpans, 2);
    EXPECT_EQ(g_pDoc->m_dlgBasic.m_nSpans, 2);
}

TEST_F(DesignStateTest, FailedOpenLeavesTheOpenDesign)
{
    ChangeEverything();
    g_pDoc->SetModifiedFlag(TRUE);
    CMarivoltenDoc* doc = g_pDoc;
    const QString title = doc->GetTitle();
    const CDesignState before = CaptureDesign();
    const int spans = int(doc->m_aSpans.size());

    QTemporaryDir dir;
    const QString truncated = dir.filePath(QStringLiteral("short.mvl"));
    QFile f(truncated);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(13, '\x01'));
    f.close();
    const QString missing = dir.filePath(QStringLiteral("none.mvl"));

    for (const QString& path : {truncated, missing}) {
        m_shown.clear();
        Answer({IDNO});     // not saved first
        EXPECT_FALSE(theApp.OpenDesign(path));
        ASSERT_EQ(m_shown.size(), 2);
        EXPECT_TRUE(m_shown[1] == QStringLiteral("データファイルが壊れているか形式が異なっています。")
                    || m_shown[1] == QFileInfo(path).fileName() + QStringLiteral(" を開けません。"));
        EXPECT_EQ(g_pDoc, doc);
        EXPECT_EQ(doc->GetTitle(), title);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(CaptureDesign() == before);
        EXPECT_EQ(int(doc->m_aSpans.size()), spans);
        EXPECT_EQ(g_bSIUnits, 0);
    }
    // Cancelled at the save question: nothing is read at all.
    m_shown.clear();
    Answer({IDCANCEL});
    EXPECT_FALSE(theApp.OpenDesign(truncated));
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(g_pDoc, doc);
}

TEST_F(DesignStateTest, CancelledDialogPutsItsInputBack)
{
    Basic([](CDialog* d) { Type(d, IDC_SPANS, "1"); });
    const CDesignState before = CaptureDesign();
    // Whatever changed while the dialog was open goes back with Cancel.
    Run(ID_SETUP_BASIC, [](CDialog* d) {
        Type(d, IDC_SPANS, "3");
        g_pDoc->m_dlgBasic.m_nLiveLoad = 2;
        g_pDoc->m_dlgMainGirder.m_dBendingMargin = 12.0;
        g_pPanelDlg->m_adSkew[0][0] = 1.0;
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_EQ(g_nSpans, 1);
}

TEST_F(DesignStateTest, SingleBoxGetsItsOwnArrangementAndKeepsTheUsers)
{
    Basic([](CDialog* d) { Type(d, IDC_SPANS, "2"); });
    ASSERT_EQ(g_nBridgeType, 0);
    Basic([](CDialog* d) {
        Press(d, IDC_FORM_BOX);
        Type(d, IDC_GIRDERS, "1");
    });
    ASSERT_EQ(g_nBridgeType, 2);
    // Not the multi-box arrangement (cross beams, distributing).
    for (int p : {1, 3, 6, 9})
        EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[p], INTERMEDIATE_SWAY_BRACING) << p;
    EXPECT_EQ(g_pCrossBeamDlg->m_abDistributing[3], 0);

    // The user's own arrangement stays through a change that keeps the girder type.
    g_pCrossBeamDlg->m_anMemberKind[3] = CROSS_BEAM;
    g_pCrossBeamDlg->m_abDistributing[3] = 1;
    g_pCrossBeamDlg->m_bResetArrangement = 0;
    m_shown.clear();
    Basic([](CDialog* d) { Press(d, IDC_SIDEWALK); });      // no sidewalks
    EXPECT_EQ(g_pDoc->m_dlgBasic.m_nSidewalk, 0);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[3], CROSS_BEAM);
    EXPECT_EQ(g_pCrossBeamDlg->m_abDistributing[3], 1);
    EXPECT_TRUE(m_shown.isEmpty());

    // A multi-box is another type: the arrangement starts again, with the notice.
    Basic([](CDialog* d) { Type(d, IDC_GIRDERS, "3"); });
    EXPECT_EQ(g_nBridgeType, 1);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[3], CROSS_BEAM);
    EXPECT_EQ(g_pCrossBeamDlg->m_abDistributing[3], 1);
    EXPECT_EQ(g_pCrossBeamDlg->m_abDistributing[1], 1);
    EXPECT_EQ(m_shown.size(), 1);
}

TEST_F(DesignStateTest, EachOkRebuildsOnce)
{
    int rebuilds = g_pDoc->m_nRebuildCount;
    Basic([](CDialog* d) { Type(d, IDC_SPANS, "2"); });
    EXPECT_EQ(g_pDoc->m_nRebuildCount, ++rebuilds);
    Basic([](CDialog* d) { Press(d, IDC_SIDEWALK); });
    EXPECT_EQ(g_pDoc->m_nRebuildCount, ++rebuilds);
    // Titles alone change no layout: no rebuild.
    Basic([](CDialog* d) { Type(d, IDC_TITLE, "表題"); });
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    Run(ID_SETUP_BASIC, [](CDialog* d) {
        Type(d, IDC_SPANS, "4");
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
}

}
