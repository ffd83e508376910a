// The girder height change window and its definition point dialog, driven through their
// buttons, the table's cells and spin steps.
#include "common/shell_fixture.h"
#include "input/modeless_dialogs.h"
#include "common/dialog_input.h"

#include <functional>

using namespace dialoginput;

namespace {

const QString kNearSupport = QStringLiteral("指定された位置が支点に近すぎます。");
const QString kBeyondSpan = QStringLiteral("指定された位置が支間長を超えています。");
const QString kDuplicate = QStringLiteral("変化点が重複しています。");
const QString kTooClose = QStringLiteral("設定済み変化点と接近しすぎています。");
const QString kBadPosition = QStringLiteral("正しい位置を指定してください。");
const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");

class HeightDialogTest : public ShellTest {
protected:
    void TearDown() override
    {
        g_pHeightDlg->ShowWindow(SW_HIDE);
        ShellTest::TearDown();
    }
    // A confirmed design of 30 m spans through the basic conditions, the height varying or not;
    // the height window is then shown.
    void MakeDesign(const char* spans, bool varies = true, bool singleBox = false)
    {
        ConfirmBasic(QString::fromLatin1(spans), [=](CDialog* d) {
            if (varies)
                Press(d, IDC_HEIGHT_VARIATION);
            if (singleBox) {
                Press(d, IDC_FORM_BOX);
                Type(d, IDC_GIRDERS, QStringLiteral("1"));
            }
        });
        ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
        if (varies) {
            Command(ID_SETUP_HEIGHT);
        } else {
            EXPECT_FALSE(Update(ID_SETUP_HEIGHT).m_bEnabled);
            g_pHeightDlg->ShowWindow(SW_SHOW);
        }
        ASSERT_TRUE(g_pHeightDlg->IsWindowVisible());
        m_shown.clear();
    }
    // "追加", then the definition point dialog: each position tried in turn (span, mm) until one
    // is taken; the dialog is cancelled if none is.
    bool Add(std::initializer_list<std::pair<const char*, const char*>> tries)
    {
        bool added = false;
        AfxSetModalHook([&](CDialog* d) {
            for (const auto& [span, mm] : tries) {
                d->GetDlgItem(IDC_DEFPOINT_SPAN)->SetWindowText(QString::fromLatin1(span));
                d->GetDlgItem(IDC_DEFPOINT_POS)->SetWindowText(QString::fromLatin1(mm));
                Press(d, IDC_DEFPOINT_ADD);
                if (d->GetModalResult() == IDOK) {
                    added = true;
                    return;
                }
            }
            d->SendMessage(WM_COMMAND, IDCANCEL);
        });
        Press(&Dlg(), IDC_HEIGHT_ADD);
        AfxSetModalHook({});
        return added;
    }
    void Delete(int col)
    {
        Table().GotoCell(col, 0);
        Press(&Dlg(), IDC_HEIGHT_DELETE);
    }
    static CSetupHeightDialog& Dlg() { return *g_pHeightDlg; }
    static CTableGrid& Table() { return *dynamic_cast<CTableGrid*>(Dlg().GetDlgItem(IDC_HEIGHT_TABLE)); }
    static CWnd* UpdateButton() { return Dlg().GetDlgItem(IDC_HEIGHT_UPDATE); }
    void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
        g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    }
};

}

TEST_F(HeightDialogTest, ShowsThePointsAndAddsChangePointsByTheRules)
{
    MakeDesign("1");
    CTableGrid& t = Table();
    ASSERT_EQ(t.GetNumberCols(), 2);
    ASSERT_EQ(t.GetNumberRows(), 5);
    EXPECT_EQ(Cell(t, -1, 0), QStringLiteral("定義点1△"));
    EXPECT_EQ(Cell(t, -1, 1), QStringLiteral("定義点2△"));
    EXPECT_EQ(Cell(t, 0, -1), QStringLiteral("変化点(mm)"));
    EXPECT_EQ(Cell(t, 4, -1), QStringLiteral("h 4  G 4高(m)"));
    EXPECT_EQ(TextColor(t, -1, 1), RGB(0, 0, 150));
    EXPECT_EQ(TextColor(t, 3, -1), RGB(0, 0, 150));
    EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("0"));
    EXPECT_EQ(Cell(t, 2, 1), QStringLiteral("1000"));
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
    EXPECT_EQ(static_cast<CButton*>(Dlg().GetDlgItem(IDC_HEIGHT_SPLINE))->GetCheck(), 1);

    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_DEFPOINT_SPAN)->GetWindowText(), QStringLiteral("1"));
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_DEFPOINT_SPAN_SPIN))->Step(1);
        EXPECT_EQ(d->GetDlgItem(IDC_DEFPOINT_SPAN)->GetWindowText(), QStringLiteral("1"));   // one span only
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    Press(&Dlg(), IDC_HEIGHT_ADD);
    EXPECT_EQ(t.GetNumberCols(), 2);

    EXPECT_TRUE(Add({{"0", "15000"}, {"2", "15000"}, {"1", "0"}, {"1", "30000"}, {"1", "29950"}, {"1", "50"},
                     {"1", "15000"}}));
    EXPECT_EQ(m_shown, (QStringList{QStringLiteral("支間数が小さすぎます。"), QStringLiteral("支間数が大きすぎます。"),
                                    kBadPosition, kBeyondSpan, kNearSupport, kNearSupport}));
    ASSERT_EQ(t.GetNumberCols(), 3);
    EXPECT_EQ(Cell(t, -1, 1), QStringLiteral("定義点2"));
    EXPECT_EQ(Cell(t, -1, 2), QStringLiteral("定義点3△"));
    EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("15000"));
    EXPECT_EQ(Cell(t, 1, 1), QStringLiteral("1000"));
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新"));
    EXPECT_TRUE(UpdateButton()->IsWindowEnabled());
    EXPECT_EQ(Dlg().m_anPointCount[0], 0);          // nothing stored before the update

    m_shown.clear();
    EXPECT_FALSE(Add({{"1", "15000"}, {"1", "15050"}, {"1", "14950"}}));
    EXPECT_EQ(m_shown, (QStringList{kDuplicate, kTooClose, kTooClose}));
    EXPECT_EQ(t.GetNumberCols(), 3);
}

TEST_F(HeightDialogTest, UpdateStoresTheTableAndRebuildsOnce)
{
    MakeDesign("1");
    ASSERT_TRUE(Add({{"1", "15000"}}));
    CTableGrid& t = Table();
    Enter(t, 1, 1, QStringLiteral("2500"));
    Spin(t, 2, 1, true);
    EXPECT_EQ(Cell(t, 2, 1), QStringLiteral("1001"));
    Enter(t, 3, 1, QStringLiteral("10000"));
    Spin(t, 3, 1, true);
    EXPECT_EQ(Cell(t, 3, 1), QStringLiteral("10000"));         // no step up from 10 m
    // Heights within the girder data's range: a shallower one is refused as typed.
    Enter(t, 4, 1, QStringLiteral("99"));
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("100 から 10000 までの数値を入力して下さい。")});
    EXPECT_EQ(Cell(t, 4, 1), QStringLiteral("1000"));
    Enter(t, 4, 1, QStringLiteral("100"));
    Spin(t, 4, 1, false);
    EXPECT_EQ(Cell(t, 4, 1), QStringLiteral("100"));           // nor down from there
    Enter(t, 4, 1, QStringLiteral("1200"));
    Press(&Dlg(), IDC_HEIGHT_STRAIGHT);
    m_shown.clear();

    g_pDoc->SetModifiedFlag(FALSE);
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_EQ(Dlg().m_anPointCount[0], 1);
    EXPECT_EQ(Dlg().m_nPointCols, 3);
    EXPECT_EQ(Dlg().m_nInterpolation, 0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[1], 15.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][0], 2.5);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][1], 1.001);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][2], 10.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[0][0], 1.0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x4000, 0x4000);
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
    // The straight profile peaks at the change point.
    ASSERT_NE(g_pDoc->m_apGirderProfiles[0], nullptr);
    EXPECT_GT(g_pDoc->m_adGirderHeight[0], 1.0);

    // Edits left unapplied are dropped when the window is shown again.
    Enter(t, 1, 1, QStringLiteral("3000"));
    ASSERT_TRUE(Add({{"1", "20000"}}));
    Press(&Dlg(), ID_SETUP_HEIGHT);         // "閉じる"
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Command(ID_SETUP_HEIGHT);
    EXPECT_EQ(t.GetNumberCols(), 3);
    EXPECT_EQ(Cell(t, 1, 1), QStringLiteral("2500"));
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
}

TEST_F(HeightDialogTest, TypedPositionsFollowTheRulesOfAnAddedPoint)
{
    MakeDesign("1");
    ASSERT_TRUE(Add({{"1", "10000"}}));
    ASSERT_TRUE(Add({{"1", "20000"}}));
    CTableGrid& t = Table();
    ASSERT_EQ(t.GetNumberCols(), 4);
    const HeightChangeData before = Dlg();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    // What is typed at the first change point, and the point the refusal points at.
    const std::pair<const char*, int> refused[] = {{"29950", 1}, {"30000", 1}, {"50", 1}, {"0", 1},
                                                   {"20000", 2}, {"20050", 2}, {"25000", 2}};
    for (const auto& [mm, col] : refused) {
        Enter(t, 0, 1, QString::fromLatin1(mm));
        t.GotoCell(3, 2);
        Press(&Dlg(), IDC_HEIGHT_UPDATE);
        EXPECT_EQ(t.GetCurrentCol(), col) << mm;
        EXPECT_EQ(t.GetCurrentRow(), 0) << mm;
    }
    EXPECT_EQ(m_shown, (QStringList{kNearSupport, kBeyondSpan, kNearSupport, kBadPosition, kDuplicate, kTooClose,
                                    kBadPosition}));
    EXPECT_TRUE(static_cast<const HeightChangeData&>(Dlg()) == before);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    EXPECT_TRUE(UpdateButton()->IsWindowEnabled());

    Enter(t, 0, 1, QStringLiteral("12000"));
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_EQ(Dlg().m_anPointCount[0], 2);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[1], 12.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[2], 20.0);
}

TEST_F(HeightDialogTest, NewPointsTakeTheHeightsBeforeThemAndDeleteSparesSupports)
{
    MakeDesign("2");
    CTableGrid& t = Table();
    ASSERT_TRUE(Add({{"2", "20000"}}));
    Enter(t, 1, 2, QStringLiteral("2000"));         // span 2's change point
    ASSERT_TRUE(Add({{"1", "10000"}}));
    Enter(t, 1, 1, QStringLiteral("1500"));
    ASSERT_TRUE(Add({{"1", "20000"}}));
    ASSERT_EQ(t.GetNumberCols(), 6);
    const char* const positions[] = {"0", "10000", "20000", "0", "20000", "0"};
    const char* const heights[] = {"1000", "1500", "1500", "1000", "2000", "1000"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(Cell(t, 0, c), QString::fromLatin1(positions[c])) << c;
        EXPECT_EQ(Cell(t, 1, c), QString::fromLatin1(heights[c])) << c;
    }
    EXPECT_EQ(Cell(t, -1, 3), QStringLiteral("定義点4△"));

    for (int support : {0, 3, 5})
        Delete(support);
    EXPECT_EQ(m_shown, QStringList(3, QStringLiteral("支点は削除できません。")));
    EXPECT_EQ(t.GetNumberCols(), 6);

    Delete(1);
    ASSERT_EQ(t.GetNumberCols(), 5);
    EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("20000"));
    EXPECT_EQ(Cell(t, -1, 2), QStringLiteral("定義点3△"));
    EXPECT_EQ(Cell(t, 1, 3), QStringLiteral("2000"));
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_EQ(Dlg().m_anPointCount[0], 1);
    EXPECT_EQ(Dlg().m_anPointCount[1], 1);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[3], 20.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[3][0], 2.0);
}

TEST_F(HeightDialogTest, UpdateAsksBeforeResultsAreDiscarded)
{
    MakeDesign("1");
    ASSERT_TRUE(Add({{"1", "15000"}}));
    PretendResults();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Answer({IDCANCEL});
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(Dlg().m_anPointCount[0], 0);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    EXPECT_TRUE(UpdateButton()->IsWindowEnabled());

    Answer({IDOK});
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_EQ(Dlg().m_anPointCount[0], 1);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1000, 0);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
}

TEST_F(HeightDialogTest, NoPointIsAddedPastTheLastSlot)
{
    MakeDesign("1");
    // 153 change points: with the two supports every slot is in use.
    Dlg().m_anPointCount[0] = 153;
    for (int p = 1; p <= 153; ++p)
        Dlg().m_adPointPos[p] = 0.15 * p;
    Command(ID_SETUP_HEIGHT);
    Command(ID_SETUP_HEIGHT);
    ASSERT_EQ(Table().GetNumberCols(), HeightChangeData::POINTS);
    bool asked = false;
    AfxSetModalHook([&](CDialog* d) {
        asked = true;
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    Press(&Dlg(), IDC_HEIGHT_ADD);
    AfxSetModalHook({});
    EXPECT_FALSE(asked);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("定義点は155点までしか設定できません。\nこれ以上追加できません。")});
    EXPECT_EQ(Dlg().m_nEditCols, HeightChangeData::POINTS);
    EXPECT_FALSE(Dlg().InsertPoint(0, 29.5));
    EXPECT_EQ(Dlg().m_anEditCount[0], 153);
}

TEST_F(HeightDialogTest, ConstantHeightEditsPositionsOnly)
{
    MakeDesign("1", false);
    ASSERT_EQ(Table().GetNumberRows(), 1);
    for (double& h : Dlg().m_adPointHeight[1])
        h = 1.7;
    ASSERT_TRUE(Add({{"1", "15000"}}));
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_EQ(Dlg().m_anPointCount[0], 1);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[1], 15.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][0], 1.7);     // no heights are taken
}

TEST_F(HeightDialogTest, SingleBoxHasOneGirderRow)
{
    MakeDesign("1", true, true);
    ASSERT_EQ(g_nBridgeType, 2);
    ASSERT_EQ(Table().GetNumberRows(), 2);
    EXPECT_EQ(Cell(Table(), 1, -1), QStringLiteral("h 1  G 1高(m)"));
    Enter(Table(), 1, 1, QStringLiteral("2200"));
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][0], 2.2);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][1], 1.0);
}

TEST_F(HeightDialogTest, ResetClearsThePointsAndRefillsTheWindow)
{
    MakeDesign("2");
    ASSERT_TRUE(Add({{"1", "15000"}}));
    Press(&Dlg(), IDC_HEIGHT_UPDATE);
    ASSERT_EQ(Table().GetNumberCols(), 4);
    for (double& h : g_pDoc->m_dlgPlateGirder.m_adGirderHeight)
        h = 1.8;

    Dlg().Reset(0);
    EXPECT_EQ(Dlg().m_anPointCount[0], 0);
    EXPECT_EQ(Dlg().m_nPointCols, 3);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointPos[1], 0.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][3], 1.8);     // the girder data's heights
    EXPECT_EQ(Table().GetNumberCols(), 3);
    EXPECT_EQ(Cell(Table(), 1, 1), QStringLiteral("1800"));

    Dlg().Reset(1);
    EXPECT_DOUBLE_EQ(Dlg().m_adPointHeight[1][3], 1.0);
    EXPECT_DOUBLE_EQ(Dlg().m_adEditHeight[1][3], 1.0);
    EXPECT_EQ(Dlg().m_nEditCols, 3);
}
