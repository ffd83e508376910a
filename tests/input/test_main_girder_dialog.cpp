// The main girder data dialog and its joint position dialog, driven by control id and table cell.
#include "common/shell_fixture.h"
#include "design/girder_design.h"
#include "input/modeless_dialogs.h"
#include "common/dialog_input.h"

#include <QLineEdit>
#include <functional>

using namespace dialoginput;

namespace {

const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");
const QString kBlocksMissing = QStringLiteral(
    "ブロック長が入力されていません。データを入力するか\r＜主桁基本データ＞でブロック長を「自動決定」に設定してください。");
const QString kSectionLengths = QStringLiteral("最大部材長 > 最小部材長 × 3となるように設定して下さい。");
constexpr int COUNT = CJointPositionGrid1::COL_COUNT;
constexpr int TOTAL = CJointPositionGrid1::COL_TOTAL;

void OK(CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); }
void Cancel(CDialog* d) { d->SendMessage(WM_COMMAND, IDCANCEL); }

class MainGirderTest : public ShellTest {
protected:
    using Drive = std::function<void(CDialog*)>;
    // Opens the dialog through its command; `main` acts on it and `joint` on the joint
    // position dialog that its button opens.
    void Open(Drive main, Drive joint = {})
    {
        int ran = 0;
        AfxSetModalHook([&](CDialog* d) {
            if (d->GetTemplateId() == IDD_JOINT_POSITION) {
                if (joint)
                    joint(d);
            } else {
                ++ran;
                main(d);
            }
            if (d->GetModalResult() == -1)
                Cancel(d);      // left open by a refusal: close it
        });
        Command(ID_SETUP_MAIN_GIRDER);
        AfxSetModalHook({});
        EXPECT_EQ(ran, 1);
    }
    // A confirmed design of one 30 m span (35 m with bLong) and the girders given.
    void MakeDesign(int girders, bool box = false, bool bLong = false)
    {
        ConfirmBasic(QStringLiteral("1"), [=](CDialog* d) {
            Type(d, IDC_GIRDERS, QString::number(girders));
            if (box)
                Press(d, IDC_FORM_BOX);
        });
        if (bLong) {
            RunModal(ID_SETUP_SPAN, [](CDialog* d) {
                Enter(*dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_SPAN_TABLE)), 0, 0, QStringLiteral("35000"));
                OK(d);
            });
        }
        ASSERT_EQ(g_nSpans, 1);
        m_shown.clear();
    }
    static CSetupMainGirderDialog& Dlg() { return g_pDoc->m_dlgMainGirder; }
    static MainGirderData& Data() { return Dlg(); }
    static CJointPositionDlg& Joint() { return Dlg().m_dlgJointPosition; }
    static int StepMask() { return g_pMainFrame->m_nStepMask; }
};

}

TEST_F(MainGirderTest, ShowsTheStoredInputAndStoresWhatIsTyped)
{
    MakeDesign(4);
    ASSERT_TRUE(Data() == MainGirderData());
    g_pDoc->SetModifiedFlag(FALSE);
    Open([](CDialog* d) {
        // Limits left to the design: their values shown but closed.
        EXPECT_EQ(Text(d, IDC_MG_MAX_UF_THICK), QStringLiteral("100"));
        EXPECT_FALSE(Enabled(d, IDC_MG_MAX_UF_THICK));
        EXPECT_FALSE(Enabled(d, IDC_MG_MAX_UF_THICK_SPIN));
        auto* web = static_cast<CComboBox*>(d->GetDlgItem(IDC_MG_WEB_GRADE));
        ASSERT_EQ(web->GetCount(), 9);
        EXPECT_EQ(web->GetCurSel(), 3);
        EXPECT_EQ(Text(d, IDC_MG_STRESS_UNIT), QStringLiteral("(N/mm2)"));
        // Plate girders: the flange widths are theirs, the box shape is not.
        EXPECT_TRUE(Enabled(d, IDC_MG_MAX_LF_WIDTH_INPUT));
        EXPECT_FALSE(Enabled(d, IDC_MG_FLANGE_W));
        EXPECT_FALSE(Enabled(d, IDC_MG_WEB_A_SPIN));
        EXPECT_TRUE(d->GetDlgItem(IDC_MG_CONST_FLANGE_WIDTH)->IsWindowVisible());
        // Automatic blocks: the section lengths count, the block button does not.
        EXPECT_FALSE(Enabled(d, IDC_MG_BLOCK_LENGTHS));
        EXPECT_TRUE(Enabled(d, IDC_MG_MAX_SECTION_LABEL));

        Press(d, IDC_MG_MAX_UF_THICK_INPUT);
        EXPECT_TRUE(Enabled(d, IDC_MG_MAX_UF_THICK));
        EXPECT_TRUE(Enabled(d, IDC_MG_MAX_UF_THICK_SPIN));
        Type(d, IDC_MG_MAX_UF_THICK, QStringLiteral("80"));
        // A limit given back to the design keeps the value typed for it.
        Press(d, IDC_MG_MIN_WEB_THICK_INPUT);
        Type(d, IDC_MG_MIN_WEB_THICK, QStringLiteral("10"));
        Press(d, IDC_MG_MIN_WEB_THICK_AUTO);
        EXPECT_FALSE(Enabled(d, IDC_MG_MIN_WEB_THICK));
        Press(d, IDC_MG_STIFFENER_2);
        Press(d, IDC_MG_THICKNESS_MARKET);
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MG_BENDING_MARGIN_SPIN))->Step(1);
        web->SetCurSel(8);
        Press(d, IDC_MG_IGNORE_TB16);
        // Exactly three times the shortest section is long enough.
        Type(d, IDC_MG_MAX_SECTION, QStringLiteral("6"));
        Type(d, IDC_MG_MIN_SECTION, QStringLiteral("2"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    MainGirderData expected;
    expected.m_nMaxUFThickMode = 1;
    expected.m_dMaxUFThick = 80.0;
    expected.m_dMinWebThick = 10.0;
    expected.m_nStiffenerSteps = 3;
    expected.m_nThicknessStep = 0;
    expected.m_dBendingMargin = 1.0;
    expected.m_nWebGrade = 8;
    expected.m_bIgnoreTB16 = 1;
    expected.m_dMaxSectionLength = 6.0;
    EXPECT_TRUE(Data() == expected);
    EXPECT_EQ(StepMask() & 0x10, 0x10);
    EXPECT_TRUE(g_pDoc->IsModified());
}

TEST_F(MainGirderTest, SectionLengthsAndOverhangAreCheckedFirst)
{
    MakeDesign(2, true);
    Open([](CDialog* d) {
        Type(d, IDC_MG_MAX_SECTION, QStringLiteral("5.98"));
        Type(d, IDC_MG_MIN_SECTION, QStringLiteral("2"));
        OK(d);
        Type(d, IDC_MG_MAX_SECTION, QStringLiteral("6"));
        Type(d, IDC_MG_OVERHANG_B, QStringLiteral("-1"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_TRUE(Data() == MainGirderData());
        Type(d, IDC_MG_OVERHANG_B, QStringLiteral("0"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_EQ(m_shown, (QStringList{kSectionLengths, QStringLiteral("張出長が負の値になっています。")}));
    EXPECT_EQ(Data().m_dOverhangB, 0.0);
    EXPECT_EQ(Data().m_dMaxSectionLength, 6.0);
}

TEST_F(MainGirderTest, BoxShapeFollowsTheGirderType)
{
    MakeDesign(2, true);
    Open([](CDialog* d) {
        EXPECT_TRUE(Enabled(d, IDC_MG_FLANGE_W));
        EXPECT_TRUE(Enabled(d, IDC_MG_WEB_A_SPIN));
        EXPECT_FALSE(Enabled(d, IDC_MG_MAX_UF_WIDTH_INPUT));
        EXPECT_FALSE(d->GetDlgItem(IDC_MG_CONST_FLANGE_WIDTH)->IsWindowVisible());
        // The overhang follows W and a.
        Type(d, IDC_MG_FLANGE_W, QStringLiteral("2600"));
        EXPECT_EQ(Text(d, IDC_MG_OVERHANG_B), QStringLiteral("400.0"));
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MG_WEB_A_SPIN))->Step(-1);
        EXPECT_EQ(Text(d, IDC_MG_OVERHANG_B), QStringLiteral("400.5"));
        OK(d);
    });
    EXPECT_EQ(Data().m_dFlangeWidthW, 2600.0);
    EXPECT_EQ(Data().m_dWebSpacingA, 1799.0);
    EXPECT_EQ(Data().m_dOverhangB, 400.5);
    EXPECT_EQ(Data().m_bConstFlangeWidth, 1);

    // A single box has the web spacing of its panel division.
    MakeDesign(1, true);
    ASSERT_EQ(g_nBridgeType, 2);
    g_pPanelDlg->m_adGirderSpacing[0][0] = 1.25;
    Open([](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_MG_WEB_A), QStringLiteral("2500"));
        EXPECT_TRUE(qobject_cast<QLineEdit*>(d->GetDlgItem(IDC_MG_WEB_A)->GetWidget())->isReadOnly());
        EXPECT_FALSE(Enabled(d, IDC_MG_WEB_A_SPIN));
        OK(d);
    });
    EXPECT_EQ(Data().m_dWebSpacingA, 2500.0);

    // The spacing filled in from the panel division recomputes the overhang: a flange
    // narrower than the webs' spacing is refused.
    Data().m_dFlangeWidthW = 5400.0;
    g_pPanelDlg->m_adGirderSpacing[0][0] = 3.0;
    m_shown.clear();
    Open([](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_MG_WEB_A), QStringLiteral("6000"));
        EXPECT_EQ(Text(d, IDC_MG_OVERHANG_B), QStringLiteral("-300.0"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("張出長が負の値になっています。")});
    EXPECT_EQ(Data().m_dWebSpacingA, 2500.0);
}

TEST_F(MainGirderTest, ResultsAreAskedAboutAndCancelKeepsThem)
{
    MakeDesign(4);
    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    const CDesignState before = CaptureDesign();
    Answer({IDCANCEL});
    Open([](CDialog* d) {
        Press(d, IDC_MG_THICKNESS_MARKET);
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        Cancel(d);
    });
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(StepMask() & 0x1010, 0x1000);

    m_shown.clear();
    Answer({IDOK});
    Open([](CDialog* d) {
        Press(d, IDC_MG_THICKNESS_MARKET);
        OK(d);
    });
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(Data().m_nThicknessStep, 0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(StepMask() & 0x1010, 0x10);
    EXPECT_EQ(g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_PLAN], 1);
}

TEST_F(MainGirderTest, BlocksSetByHandAreCheckedKeptAndGivenUp)
{
    MakeDesign(2);
    // Given blocks need lengths; the joint position dialog takes them.
    Open(
        [](CDialog* d) {
            Press(d, IDC_MG_BLOCK_GIVEN);
            EXPECT_TRUE(Enabled(d, IDC_MG_BLOCK_LENGTHS));
            EXPECT_FALSE(Enabled(d, IDC_MG_MAX_SECTION));
            EXPECT_FALSE(Enabled(d, IDC_MG_MIN_SECTION_UNIT));
            OK(d);
            EXPECT_EQ(d->GetModalResult(), -1);
            Press(d, IDC_MG_BLOCK_LENGTHS);
            OK(d);
        },
        [](CDialog* j) {
            Enter(Joint().m_grid1, 0, COUNT, QStringLiteral("2"));
            Enter(Joint().m_grid1, 1, COUNT, QStringLiteral("1"));
            Enter(Joint().m_grid2, 0, 0, QStringLiteral("10000"));
            Enter(Joint().m_grid2, 0, 1, QStringLiteral("20000"));
            Enter(Joint().m_grid2, 1, 0, QStringLiteral("30000"));
            OK(j);
        });
    EXPECT_EQ(m_shown, QStringList{kBlocksMissing});
    EXPECT_EQ(Data().m_nBlockLengthMode, 1);
    EXPECT_EQ(Joint().m_bBlocksSet, 1);
    EXPECT_EQ(Joint().m_anBlockCount[0], 2);
    EXPECT_EQ(Joint().m_apdBlockLength[0], (std::vector<double>{10.0, 20.0}));
    EXPECT_EQ(Joint().m_apdBlockLength[1], std::vector<double>{30.0});

    // Lengths changed in the joint dialog go with the main dialog's Cancel; the block
    // dialog is not opened over the section table.
    m_shown.clear();
    Open(
        [](CDialog* d) {
            g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_CALC] = 1;
            Press(d, IDC_MG_BLOCK_LENGTHS);
            g_pMainFrame->m_abViewCurrent[CMainFrame::VIEW_CALC] = 0;
            Press(d, IDC_MG_BLOCK_LENGTHS);
            Cancel(d);
        },
        [](CDialog* j) {
            EXPECT_EQ(Cell(Joint().m_grid2, 0, 1), QStringLiteral("20000"));
            Enter(Joint().m_grid2, 0, 0, QStringLiteral("15000"));
            OK(j);
            EXPECT_EQ(Joint().m_apdBlockLength[0][0], 15.0);
        });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("断面表を選択している場合はブロック長ダイアログを開けません。")});
    EXPECT_EQ(Joint().m_apdBlockLength[0][0], 10.0);

    // Back to automatic: the blocks go.
    Open([](CDialog* d) {
        Press(d, IDC_MG_BLOCK_AUTO);
        EXPECT_TRUE(Enabled(d, IDC_MG_MAX_SECTION));
        OK(d);
    });
    EXPECT_EQ(Data().m_nBlockLengthMode, 0);
    EXPECT_TRUE(Joint() == JointPositionData());

    // A span dialog that gives up hand-set joints leaves no blocks either.
    Data().m_nBlockLengthMode = 1;
    Joint().m_anBlockCount[0] = 1;
    Joint().m_apdBlockLength[0] = {30.0};
    Answer({IDOK});
    AfxSetModalHook([](CDialog* d) {
        Enter(*dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_SPAN_TABLE)), 0, 0, QStringLiteral("32000"));
        OK(d);
    });
    Command(ID_SETUP_SPAN);
    AfxSetModalHook({});
    EXPECT_EQ(Data().m_nBlockLengthMode, 0);
    EXPECT_EQ(Joint().m_anBlockCount[0], 0);
    EXPECT_TRUE(Joint().m_apdBlockLength[0].empty());
}

TEST_F(MainGirderTest, JointTablesTotalStepAndScrollTogether)
{
    MakeDesign(20, false, true);
    Open(
        [](CDialog* d) {
            Press(d, IDC_MG_BLOCK_GIVEN);
            Press(d, IDC_MG_BLOCK_LENGTHS);
        },
        [this](CDialog* j) {
            CJointPositionGrid1& t1 = Joint().m_grid1;
            CJointPositionGrid2& t2 = Joint().m_grid2;
            ASSERT_EQ(t1.GetNumberRows(), 20);
            ASSERT_EQ(t2.GetNumberRows(), 20);
            EXPECT_EQ(t2.GetNumberCols(), 0);
            EXPECT_EQ(Cell(t1, 0, TOTAL), QStringLiteral("0(35000)"));
            EXPECT_EQ(Cell(t1, -1, COUNT), QStringLiteral("ﾌﾞﾛｯｸ数"));

            Enter(t1, 0, COUNT, QStringLiteral("3"));
            ASSERT_EQ(t2.GetNumberCols(), 3);
            EXPECT_EQ(Cell(t2, -1, 2), QStringLiteral("ﾌﾞﾛｯｸ 3"));
            EXPECT_EQ(Cell(t2, 0, 2), QStringLiteral("0"));
            EXPECT_EQ(Cell(t2, 1, 0), QStringLiteral("－"));
            Enter(t2, 0, 0, QStringLiteral("12000"));
            Enter(t2, 0, 1, QStringLiteral("12000"));
            Enter(t2, 0, 2, QStringLiteral("10000"));
            EXPECT_EQ(Cell(t1, 0, TOTAL), QStringLiteral("34000( 1000)"));

            // A block length steps by a millimetre and never below nothing.
            Enter(t2, 0, 2, QStringLiteral("0.5"));
            Spin(t2, 0, 2, false);
            EXPECT_EQ(Cell(t2, 0, 2), QStringLiteral("0"));
            Spin(t2, 0, 2, true);
            EXPECT_EQ(Cell(t1, 0, TOTAL), QStringLiteral("24001(10999)"));

            // A count typed past the spin's reach steps from 280.
            Enter(t1, 1, COUNT, QStringLiteral("300"));
            Spin(t1, 1, COUNT, true);
            EXPECT_EQ(Cell(t1, 1, COUNT), QStringLiteral("280"));
            Enter(t1, 2, COUNT, QStringLiteral("300"));
            Spin(t1, 2, COUNT, false);
            EXPECT_EQ(Cell(t1, 2, COUNT), QStringLiteral("279"));
            Spin(t1, 3, COUNT, false);
            EXPECT_EQ(Cell(t1, 3, COUNT), QStringLiteral("0"));
            EXPECT_EQ(t2.GetNumberCols(), 280);
            EXPECT_EQ(Cell(t2, 0, 1), QStringLiteral("12000"));

            // The girder rows scroll together.
            t2.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            EXPECT_EQ(t2.GetSettings()->m_nTopRow, 1);
            EXPECT_EQ(t1.GetSettings()->m_nTopRow, 1);

            // A count the spin cannot reach is not stored.
            Enter(t1, 4, COUNT, QStringLiteral("300"));
            OK(j);
            EXPECT_EQ(j->GetModalResult(), -1);
            EXPECT_EQ(m_shown, QStringList{QStringLiteral("0 から 280 までの数値を入力して下さい。")});
            EXPECT_EQ(Joint().m_anBlockCount[0], 0);
        });
}

TEST_F(MainGirderTest, BlocksComeFromTheDesignedSections)
{
    MakeDesign(2);
    // Before a design the girders are as long as the plan makes them; given blocks stay.
    Joint().m_anBlockCount[0] = 1;
    Joint().m_apdBlockLength[0] = {30.0};
    Joint().ComputeBlockLengths();
    EXPECT_DOUBLE_EQ(Joint().m_adGirderLength[0], 30.0);
    EXPECT_DOUBLE_EQ(Joint().m_adGirderLength[1], 30.0);
    EXPECT_EQ(Joint().m_anBlockCount[0], 1);

    // Designed sections make the blocks between their field joints.
    g_pDoc->m_pGirders = new CGirderDesign[2];
    CGirderDesign& g1 = g_pDoc->m_pGirders[0];
    g1.m_dGirderLength = 30.0;
    g1.m_nSections = 3;
    g1.m_pSections = {{10.0, 0}, {5.0, 1}, {15.0, 0}};
    g_pDoc->m_pGirders[1].m_dGirderLength = 31.0;
    Joint().ComputeBlockLengths();
    EXPECT_EQ(Joint().m_anBlockCount[0], 2);
    EXPECT_EQ(Joint().m_apdBlockLength[0], (std::vector<double>{15.0, 15.0}));
    EXPECT_EQ(Joint().m_bBlocksSet, 1);
    EXPECT_DOUBLE_EQ(Joint().m_adGirderLength[1], 31.0);
    EXPECT_EQ(Joint().m_anBlockCount[1], 0);
    EXPECT_EQ(Joint().CheckBlockLengthsEntered(), 0);
    EXPECT_EQ(m_shown, QStringList{kBlocksMissing});
    delete[] g_pDoc->m_pGirders;
    g_pDoc->m_pGirders = nullptr;
}
