// The span length and panel count dialog driven through its table and bridge length field.
#include "common/shell_fixture.h"
#include "input/modeless_dialogs.h"
#include "common/design_entry.h"

#include <functional>

using namespace dialoginput;

namespace {

const QString kShortBridge = QStringLiteral("橋長が支間長の合計より小さくなっています。\n桁端長を0に設定します。");

class SpanDialogTest : public ShellTest {
protected:
    // Opens the dialog through its command; `drive` acts on it and ends it.
    void Open(std::function<void(CDialog*)> drive)
    {
        EXPECT_TRUE(RunModal(ID_SETUP_SPAN, drive));
    }
    // A confirmed design of 30 m spans in six panels with two free sections each.
    void MakeDesign(const char* spans)
    {
        ConfirmBasic(QString::fromLatin1(spans));
        ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
        m_shown.clear();
    }
    static CTableGrid& Table(CDialog* d) { return *dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_SPAN_TABLE)); }
    static void SetBridgeLength(CDialog* d, const char* mm)
    {
        d->GetDlgItem(IDC_BRIDGE_LENGTH)->SetWindowText(QString::fromLatin1(mm));
    }
    static void OK(CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); }
    CSetupSpanDialog& Dlg() { return g_pDoc->m_dlgSpan; }
    double EndLength() { return g_pDoc->m_dlgEstimate.m_dlgFactor.m_dGirderEndLength; }
};

}

TEST_F(SpanDialogTest, ShowsTheSpansAndStoresWhatIsTyped)
{
    MakeDesign("2");
    g_pMainFrame->SetStepDone(ID_SETUP_PANEL, 1);
    g_pDoc->m_bFirstDesign = 0;
    g_pDoc->SetModifiedFlag(FALSE);
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Open([](CDialog* d) {
        CTableGrid& t = Table(d);
        ASSERT_EQ(t.GetNumberRows(), 2);
        ASSERT_EQ(t.GetNumberCols(), 3);
        EXPECT_EQ(Cell(t, -1, -1), QStringLiteral("支間No."));
        EXPECT_EQ(Cell(t, -1, 0), QStringLiteral("支間長(mm)"));
        EXPECT_EQ(Cell(t, -1, 1), QStringLiteral("ﾊﾟﾈﾙ数"));
        EXPECT_EQ(Cell(t, -1, 2), QStringLiteral("任意設定断面数"));
        EXPECT_EQ(Cell(t, 1, -1), QStringLiteral("2"));
        EXPECT_EQ(TextColor(t, -1, 2), RGB(0, 0, 150));
        EXPECT_EQ(TextColor(t, 1, -1), RGB(0, 0, 150));
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("30000.0"));
        EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("6"));
        EXPECT_EQ(Cell(t, 0, 2), QStringLiteral("2"));
        EXPECT_EQ(d->GetDlgItem(IDC_BRIDGE_LENGTH)->GetWindowText(), QStringLiteral("0.0"));

        // The shortest span and the most panels are accepted.
        Enter(t, 0, 0, QStringLiteral("1000"));
        Enter(t, 0, 1, QStringLiteral("20"));
        SetBridgeLength(d, "31000");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    // Stored as typed (the bridge as long as its spans, so no end length and no word of
    // it); 5 cm panels are too short for the plan, which says so once.
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("設定変更等により不整合が生じています。\n入力項目の再確認／設定を行って下さい。")});
    EXPECT_DOUBLE_EQ(g_adSpanLength[0], 1.0);
    EXPECT_EQ(g_anPanelCount[0], 20);
    EXPECT_DOUBLE_EQ(g_adPanelLength[0][19], 0.05);
    EXPECT_DOUBLE_EQ(Dlg().m_dBridgeLength, 31000.0);
    EXPECT_EQ(EndLength(), 0.0);
    EXPECT_EQ(g_pDoc->m_bFirstDesign, 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x6, 0x2);       // its own step; the panel step cleared
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_EQ(g_pDoc->m_nBuiltSpans, 2);
    EXPECT_EQ(g_pDoc->m_anBuiltPanels[0], 20);

    // Longer than the spans: half the rest at each end. Shorter: told, and no end length.
    m_shown.clear();
    Open([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_BRIDGE_LENGTH)->GetWindowText(), QStringLiteral("31000.0"));
        Enter(Table(d), 0, 0, QStringLiteral("30000"));
        Enter(Table(d), 0, 1, QStringLiteral("6"));
        SetBridgeLength(d, "62000");
        OK(d);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_DOUBLE_EQ(EndLength(), 1.0);
    Open([](CDialog* d) {
        SetBridgeLength(d, "59999");
        OK(d);
    });
    EXPECT_EQ(m_shown, QStringList{kShortBridge});
    EXPECT_EQ(EndLength(), 0.0);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 3);
}

TEST_F(SpanDialogTest, SpinStepsWrapCountsAndHoldTheShortestSpan)
{
    MakeDesign("1");
    Open([](CDialog* d) {
        CTableGrid& t = Table(d);
        Enter(t, 0, 1, QStringLiteral("20"));
        Spin(t, 0, 1, true);
        EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("2"));
        Spin(t, 0, 1, false);
        EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("20"));
        Spin(t, 0, 1, false);
        EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("19"));

        Enter(t, 0, 2, QStringLiteral("10"));
        Spin(t, 0, 2, true);
        EXPECT_EQ(Cell(t, 0, 2), QStringLiteral("0"));
        Spin(t, 0, 2, false);
        EXPECT_EQ(Cell(t, 0, 2), QStringLiteral("10"));

        Enter(t, 0, 0, QStringLiteral("1500"));
        Spin(t, 0, 0, false);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("1000.0"));
        Spin(t, 0, 0, true);
        Spin(t, 0, 0, true);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("3000.0"));
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    // The table held it all: nothing was stored.
    EXPECT_DOUBLE_EQ(g_adSpanLength[0], 30.0);
    EXPECT_EQ(g_anPanelCount[0], 6);
    EXPECT_EQ(g_anFreeSections[0], 2);
}

TEST_F(SpanDialogTest, RefusalsStoreNothing)
{
    MakeDesign("13");
    g_pCrossSectionDlg->m_nInterpolation = 1;
    const CDesignState before = CaptureDesign();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Open([](CDialog* d) {
        CTableGrid& t = Table(d);
        // More than 250 panels too, but nothing is said of them while an entry is refused.
        for (int r = 0; r < 13; ++r)
            Enter(t, r, 1, QStringLiteral("20"));
        SetBridgeLength(d, "500000");
        Enter(t, 0, 0, QStringLiteral("999.9"));
        OK(d);
        Enter(t, 0, 0, QStringLiteral("30000"));
        Enter(t, 1, 1, QStringLiteral("21"));
        OK(d);
        Enter(t, 1, 1, QStringLiteral("1"));
        OK(d);
        Enter(t, 1, 1, QStringLiteral("20"));
        Enter(t, 2, 2, QStringLiteral("11"));
        OK(d);
        Enter(t, 2, 2, QStringLiteral("-1"));
        OK(d);
        Enter(t, 2, 2, QStringLiteral("2"));
        SetBridgeLength(d, "1000001");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
    });
    const QString freeRange = QStringLiteral("任意設定断面数は0から10の範囲で設定して下さい。");
    EXPECT_EQ(m_shown, (QStringList{QStringLiteral("支間長が1000mm以下に設定されています。"),
                                    QStringLiteral("ﾊﾟﾈﾙ数が20以上に設定されています。"),
                                    QStringLiteral("ﾊﾟﾈﾙ数を2以上に設定して下さい。"), freeRange, freeRange,
                                    QStringLiteral("0 から 1000000 までの数値を入力してください。")}));
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_EQ(Dlg().m_dBridgeLength, 0.0);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
}

TEST_F(SpanDialogTest, ManyPanelsWarnAndForceStraightSections)
{
    MakeDesign("13");
    g_pCrossSectionDlg->m_nInterpolation = 1;
    Open([](CDialog* d) {
        for (int r = 0; r < 13; ++r)
            Enter(Table(d), r, 1, QStringLiteral("20"));
        OK(d);
    });
    EXPECT_EQ(m_shown, (QStringList{QStringLiteral("総パネル数が250を超えています。\n必ず＜横断面形状＞での補間方法を「直線補間」として下さい。"),
                                    kShortBridge}));
    for (int s = 0; s < 13; ++s)
        EXPECT_EQ(g_anPanelCount[s], 20) << s;
    EXPECT_EQ(g_pCrossSectionDlg->m_nInterpolation, 0);
}

TEST_F(SpanDialogTest, FreeSectionsCountTheStations)
{
    MakeDesign("3");
    Open([](CDialog* d) {
        Enter(Table(d), 0, 2, QStringLiteral("0"));
        Enter(Table(d), 2, 2, QStringLiteral("5"));
        OK(d);
    });
    EXPECT_EQ(g_nCrossSections, 1 + 1 + 3 + 6);
    // The stations divide their spans again.
    ASSERT_GE(g_pCrossSectionDlg->m_arrD.size(), 11u);
    EXPECT_DOUBLE_EQ(g_pCrossSectionDlg->m_arrD[1], 0.0);          // span 2's support
    EXPECT_DOUBLE_EQ(g_pCrossSectionDlg->m_arrD[2], 10.0);
    EXPECT_DOUBLE_EQ(g_pCrossSectionDlg->m_arrD[5], 5.0);          // span 3: sixths of 30 m

    Open([](CDialog* d) {
        for (int r = 0; r < 3; ++r)
            Enter(Table(d), r, 2, QStringLiteral("2"));
        OK(d);
    });
    EXPECT_EQ(g_nCrossSections, 10);
    EXPECT_EQ(g_pDoc->m_bGeometryConsistent, 1);
}

TEST_F(SpanDialogTest, UnchangedSpansKeepTheirPanelsAndArrangement)
{
    MakeDesign("2");
    const double given[6] = {4.0, 6.0, 5.0, 5.0, 5.0, 5.0};
    std::copy(std::begin(given), std::end(given), g_adPanelLength[0]);
    g_pCrossBeamDlg->m_anMemberKind[2] = CROSS_BEAM;
    g_pCrossBeamDlg->m_bResetArrangement = 0;
    g_pDoc->m_dlgRibPanel.m_bResetRibs = 0;

    // Nothing changed: everything the user gave stays.
    Open([](CDialog* d) {
        SetBridgeLength(d, "60000");
        OK(d);
    });
    EXPECT_TRUE(std::equal(std::begin(given), std::end(given), g_adPanelLength[0]));
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[2], CROSS_BEAM);
    EXPECT_EQ(g_pDoc->m_dlgRibPanel.m_bResetRibs, 0);

    // Only the span whose length changed is divided again; the panel points stay.
    Open([](CDialog* d) {
        Enter(Table(d), 1, 0, QStringLiteral("36000"));
        OK(d);
    });
    EXPECT_TRUE(std::equal(std::begin(given), std::end(given), g_adPanelLength[0]));
    EXPECT_DOUBLE_EQ(g_adPanelLength[1][5], 6.0);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[2], CROSS_BEAM);
    EXPECT_EQ(g_pDoc->m_dlgRibPanel.m_bResetRibs, 1);
    EXPECT_DOUBLE_EQ(g_pDoc->m_aSpans[0].m_pdPanelLength[1], 6.0);
    m_shown.clear();

    // Another panel count: new panel points, a new arrangement, the user told once.
    Open([](CDialog* d) {
        Enter(Table(d), 1, 1, QStringLiteral("8"));
        SetBridgeLength(d, "66000");
        OK(d);
    });
    EXPECT_TRUE(std::equal(std::begin(given), std::end(given), g_adPanelLength[0]));
    EXPECT_DOUBLE_EQ(g_adPanelLength[1][7], 4.5);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[2], INTERMEDIATE_SWAY_BRACING);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("横桁配置を初期化します。\n＜横桁配置＞入力で横桁配置、分配/非分配を再設定して下さい。")});
}

TEST_F(SpanDialogTest, ResultsAndHandSetJointsAreAskedAbout)
{
    MakeDesign("2");
    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
    g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Answer({IDCANCEL});
    Open([](CDialog* d) {
        Enter(Table(d), 0, 0, QStringLiteral("40000"));
        SetBridgeLength(d, "80000");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。")});
    EXPECT_DOUBLE_EQ(g_adSpanLength[0], 30.0);
    EXPECT_EQ(Dlg().m_dBridgeLength, 0.0);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);

    // Joints set by hand that a new length moves: only the long question.
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    m_shown.clear();
    Answer({IDOK});
    Open([](CDialog* d) {
        Enter(Table(d), 0, 0, QStringLiteral("40000"));
        SetBridgeLength(d, "70000");
        OK(d);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("格子計算、断面計算の結果が無効になります。また、ブロック長を初期化します。\nよろしいですか。")});
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 0);
    EXPECT_DOUBLE_EQ(g_adSpanLength[0], 40.0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1000, 0);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
}

TEST_F(SpanDialogTest, HeightChangePointsKeepTheirPlaceBetweenTheSupports)
{
    ConfirmBasic(QStringLiteral("2"), [](CDialog* d) { Press(d, IDC_HEIGHT_VARIATION); });
    // 120 mm apart, and 120 mm short of the pier: two thirds of that is too near.
    designentry::EnterHeightChange({{1, 10000}, {1, 10120}, {1, 21000}, {1, 29880}, {2, 6000}},
                                   {1000, 1100, 1200, 1300, 1400, 1500, 1600, 1700});
    const CSetupHeightDialog& h = *g_pHeightDlg;
    ASSERT_EQ(h.m_anPointCount[0], 4);
    ASSERT_EQ(g_pMainFrame->m_nStepMask & 0x4000, 0x4000);
    m_shown.clear();
    auto lengths = [this](const char* first, const char* second) {
        Open([=](CDialog* d) {
            Enter(Table(d), 0, 0, QString::fromLatin1(first));
            Enter(Table(d), 1, 0, QString::fromLatin1(second));
            SetBridgeLength(d, "65000");
            OK(d);
        });
    };
    lengths("20000", "45000");
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("支間長の変更により、支点または他の変化点に近づきすぎた変化点を削除しました。\n"
                                                  "支間1 : 10120mm, 29880mm")});
    // The rest in proportion, each with its heights.
    ASSERT_EQ(h.m_anPointCount[0], 2);
    ASSERT_EQ(h.m_anPointCount[1], 1);
    ASSERT_EQ(h.m_nPointCols, 6);
    const double positions[] = {0.0, 20.0 / 3.0, 14.0, 0.0, 9.0, 0.0};
    const double heights[] = {1.0, 1.1, 1.3, 1.5, 1.6, 1.7};
    for (int p = 0; p < 6; ++p) {
        EXPECT_NEAR(h.m_adPointPos[p], positions[p], 1e-12) << p;
        EXPECT_DOUBLE_EQ(h.m_adPointHeight[p][3], heights[p]) << p;
    }
    // The height step is to be looked at again, and its table shows where the points went.
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x4000, 0);
    Command(ID_SETUP_HEIGHT);
    CTableGrid& t = *dynamic_cast<CTableGrid*>(g_pHeightDlg->GetDlgItem(IDC_HEIGHT_TABLE));
    ASSERT_EQ(t.GetNumberCols(), 6);
    EXPECT_EQ(Cell(t, 0, 1), QStringLiteral("6667"));
    EXPECT_EQ(Cell(t, 0, 4), QStringLiteral("9000"));
    Command(ID_SETUP_HEIGHT);

    // The same lengths again: nothing moves and nothing is said.
    m_shown.clear();
    g_pMainFrame->SetStepDone(ID_SETUP_HEIGHT, 1);
    lengths("20000", "45000");
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_NEAR(h.m_adPointPos[1], 20.0 / 3.0, 1e-12);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x4000, 0x4000);
}
