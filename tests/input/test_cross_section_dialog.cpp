// The cross-section dimensions window driven by its controls and table cells, with scripted answers.
#include "common/shell_fixture.h"

#include <functional>

#include "app/design_state.h"
#include "framework/format.h"
#include "common/dialog_input.h"
#include "input/cross_section_picture.h"
#include "input/modeless_dialogs.h"

namespace {

constexpr double kDegree = 3.14159265359 / 180.0;

class CrossSectionTest : public ShellTest {
protected:
    void TearDown() override
    {
        if (g_pCrossSectionDlg)
            g_pCrossSectionDlg->ShowWindow(SW_HIDE);
        ShellTest::TearDown();
    }
    // A confirmed design through the basic conditions; `more` sets further controls.
    void MakeDesign(const char* spans, int sidewalkId = IDC_SIDEWALK_BOTH, std::function<void(CDialog*)> more = {})
    {
        dialoginput::ConfirmBasic(QString::fromLatin1(spans), [=](CDialog* d) {
            dialoginput::Press(d, sidewalkId);
            if (more)
                more(d);
        });
        ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
        m_shown.clear();
    }
    static CSetupCrossSectionDialog& Dlg() { return *g_pCrossSectionDlg; }
    static CSetupCrossSectionGrid& Table() { return Dlg().m_grid; }
    static void Show()
    {
        if (!Dlg().IsWindowVisible())
            Command(ID_SETUP_CROSS_SECTION);
        gridui::Activate(&Dlg());
    }
    static void Press(int id) { dialoginput::Press(&Dlg(), id); }
    static bool Shown(int id) { return Dlg().GetDlgItem(id)->IsWindowVisible(); }
    static int Checked(int id) { return dialoginput::Checked(&Dlg(), id); }
    static CSpinButtonCtrl& SupportSpin() { return *static_cast<CSpinButtonCtrl*>(Dlg().GetDlgItem(IDC_CS_SUPPORT_SPIN)); }
    static QString Cell(int row, int col) { return dialoginput::Cell(Table(), row, col); }
    static void Enter(int row, int col, const QString& value) { dialoginput::Enter(Table(), row, col, value); }
    static void Spin(int row, int col, bool up) { dialoginput::Spin(Table(), row, col, up); }
    static void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
};

}

TEST_F(CrossSectionTest, NewDesignDerivesTheCurbRises)
{
    const CrossSectionData& d = Dlg();
    for (size_t s : {size_t(0), size_t(154)}) {
        EXPECT_NEAR(d.m_arrH11[s], 0.21, 1e-12);
        EXPECT_NEAR(d.m_arrH12[s], 0.21, 1e-12);
    }
    EXPECT_EQ(d.m_arrD.size(), size_t(CrossSectionData::STATIONS));
    EXPECT_DOUBLE_EQ(d.m_arrD[1], 10.0);      // 30 m spans with two free sections
    EXPECT_DOUBLE_EQ(d.m_arrD[3], 0.0);
    EXPECT_DOUBLE_EQ(CrossSectionData().m_arrH11[0], 0.0);
}

TEST_F(CrossSectionTest, ShowingFillsTheTableFromTheMembers)
{
    MakeDesign("2");
    Dlg().m_arrTheta[3] = 1.570796326795 * 80.0 / 90.0;
    Dlg().m_arrB11[0] = 1.2;
    Dlg().m_arrOverhangAddL[0] = 0.3;
    Show();
    EXPECT_EQ(g_nCrossSections, 7);
    ASSERT_EQ(Table().GetNumberCols(), 7);
    CGridCell heading;
    Table().GotoCell(2, 2);     // headings are repainted as the current cell moves
    Table().GetCellIndirect(-1, -1, &heading);
    EXPECT_EQ(heading.GetText(), QStringLiteral("単位：mm"));
    const QStringList headings = {"第1支点", "断面1", "断面2", "第2支点", "断面3", "断面4", "第3支点"};
    for (int c = 0; c < 7; ++c) {
        Table().GetCellIndirect(c, -1, &heading);
        EXPECT_EQ(heading.GetText(), headings[c]);
    }
    EXPECT_EQ(Cell(0, 1), QStringLiteral("10000"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("90.0"));
    EXPECT_EQ(Cell(1, 3), QStringLiteral("80.0"));
    EXPECT_EQ(Cell(12, 0), QStringLiteral("1500"));     // the overhang as typed plus the geometry's addition
    EXPECT_EQ(Cell(25, 6), QStringLiteral("210"));
    // Supports sit at 0 and are not typed over.
    CGridCell c;
    Table().GetCellIndirect(3, 0, &c);
    EXPECT_EQ(c.GetCellType(), GRID_CT_NORMAL);
    EXPECT_EQ(c.GetReadOnly(), 1);
    Enter(0, 3, QStringLiteral("5000"));
    EXPECT_EQ(Cell(0, 3), QStringLiteral("0"));
    EXPECT_EQ(Dlg().GetDlgItem(IDC_CS_UPDATE)->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(Dlg().GetDlgItem(IDC_CS_UPDATE)->IsWindowEnabled());
    Press(ID_SETUP_CROSS_SECTION);      // "閉じる" is the main frame's toggle
    EXPECT_FALSE(Dlg().IsWindowVisible());
}

TEST_F(CrossSectionTest, SupportSpinRunsOverTheSupports)
{
    MakeDesign("1");
    Show();
    EXPECT_FALSE(SupportSpin().IsWindowEnabled());
    EXPECT_FALSE(Dlg().GetDlgItem(IDC_CS_SUPPORT_LABEL)->IsWindowEnabled());
    EXPECT_FALSE(Dlg().GetDlgItem(IDC_CS_SUPPORT_ARROWS)->IsWindowEnabled());
    Dlg().ShowWindow(SW_HIDE);

    MakeDesign("3");
    g_pPanelDlg->m_adSkew[1][0] = 70.0 * kDegree;     // no longer what the stations say
    Show();
    EXPECT_TRUE(SupportSpin().IsWindowEnabled());
    int lo = -1, hi = -1;
    SupportSpin().GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3);
    const int expected[] = {3, 6, 9};
    for (int p = 1; p <= 3; ++p) {
        SupportSpin().Step(1);
        EXPECT_EQ(SupportSpin().GetPos(), p);
        EXPECT_EQ(Table().GetCurrentCol(), expected[p - 1]);     // support p + 1
        EXPECT_EQ(Dlg().GetDlgItem(IDC_CS_SUPPORT_NO)->GetWindowText(), QString::number(p + 1));
    }
    SupportSpin().Step(1);
    EXPECT_EQ(SupportSpin().GetPos(), 3);
    EXPECT_EQ(Table().GetCurrentCol(), 9);
    SupportSpin().Step(-1);
    EXPECT_EQ(Table().GetCurrentCol(), 6);
    // The stored station angles go to the panel window's skews.
    EXPECT_DOUBLE_EQ(g_pPanelDlg->m_adSkew[1][0], Dlg().m_arrTheta[3]);
}

TEST_F(CrossSectionTest, SidewalkButtonsAndValuesFollowTheArrangement)
{
    MakeDesign("1", IDC_SIDEWALK);
    Dlg().m_arrB3[2] = 0.8;       // left over from before: showing clears it
    Show();
    const int sidewalkRows[] = {4, 9, 15, 16, 24, 6, 10, 22, 23, 25};
    const int buttons[] = {IDC_CS_B1 + 2, IDC_CS_B1 + 7, IDC_CS_H1 + 1, IDC_CS_H1 + 2, IDC_CS_H1 + 10,
                           IDC_CS_B1 + 4, IDC_CS_B1 + 8, IDC_CS_H1 + 8, IDC_CS_H1 + 9, IDC_CS_H1 + 11};
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(Shown(buttons[i])) << buttons[i];
        for (int col = 0; col < Table().GetNumberCols(); ++col)
            EXPECT_EQ(Cell(sidewalkRows[i], col), QStringLiteral("0")) << sidewalkRows[i];
    }
    EXPECT_DOUBLE_EQ(Dlg().m_arrB3[2], 0.0);
    EXPECT_TRUE(Shown(IDC_CS_B1));
    EXPECT_TRUE(Shown(IDC_CS_H1 + 4));
    Dlg().ShowWindow(SW_HIDE);

    MakeDesign("1", IDC_SIDEWALK_LEFT);
    Show();
    EXPECT_TRUE(Shown(IDC_CS_B1 + 2));
    EXPECT_TRUE(Shown(IDC_CS_H1 + 10));
    EXPECT_FALSE(Shown(IDC_CS_B1 + 4));
    EXPECT_EQ(Cell(4, 0), QStringLiteral("1000"));     // the left sidewalk back at its default
    EXPECT_EQ(Cell(24, 0), QStringLiteral("210"));
}

TEST_F(CrossSectionTest, RowButtonsAndRowsGoTogether)
{
    MakeDesign("1");
    Show();
    Press(IDC_CS_B1 + 2);
    EXPECT_EQ(Table().GetCurrentRow(), 4);
    EXPECT_EQ(Checked(IDC_CS_B1 + 2), 1);
    Press(IDC_CS_H1 + 11);
    EXPECT_EQ(Table().GetCurrentRow(), 25);
    EXPECT_EQ(Checked(IDC_CS_H1 + 11), 1);
    EXPECT_EQ(Checked(IDC_CS_B1 + 2), 0);
    Table().GotoRow(14);
    EXPECT_EQ(Checked(IDC_CS_H1), 1);
    EXPECT_EQ(Checked(IDC_CS_H1 + 11), 0);
    Table().GotoRow(1);
    for (int id = IDC_CS_B1; id <= IDC_CS_H12; ++id)
        EXPECT_EQ(Checked(id), 0) << id;
}

TEST_F(CrossSectionTest, UpdateStoresTheTableAndRebuildsOnce)
{
    MakeDesign("2");
    Dlg().m_arrOverhangAddL[1] = 0.2;
    Show();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Enter(12, 1, QStringLiteral("1500"));     // shown with the addition
    Enter(1, 3, QStringLiteral("75"));
    Enter(1, 0, QStringLiteral("90"));
    Enter(0, 2, QStringLiteral("25000"));
    Enter(18, 4, QStringLiteral("240"));
    Press(IDC_CS_SPLINE);
    EXPECT_EQ(Dlg().GetDlgItem(IDC_CS_UPDATE)->GetWindowText(), QStringLiteral("更新"));
    Press(IDC_CS_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_NEAR(Dlg().m_arrB11[1], 1.3, 1e-12);
    EXPECT_EQ(Dlg().m_arrTheta[0], 90.0 * 3.14159265359 / 180.0);
    EXPECT_DOUBLE_EQ(Dlg().m_arrTheta[0], 1.570796326795);
    EXPECT_DOUBLE_EQ(Dlg().m_arrTheta[3], 75.0 * kDegree);
    EXPECT_DOUBLE_EQ(Dlg().m_arrD[2], 25.0);
    EXPECT_DOUBLE_EQ(Dlg().m_arrH5[4], 0.24);
    EXPECT_EQ(Dlg().m_nInterpolation, 1);
    // The support between the spans is the end of the first and the start of the second.
    EXPECT_DOUBLE_EQ(g_pPanelDlg->m_adSkew[0][1], 75.0 * kDegree);
    EXPECT_DOUBLE_EQ(g_pPanelDlg->m_adSkew[1][0], 75.0 * kDegree);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_TRUE(g_pMainFrame->m_nStepMask & 0x8);
    EXPECT_EQ(Dlg().GetDlgItem(IDC_CS_UPDATE)->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(Dlg().GetDlgItem(IDC_CS_UPDATE)->IsWindowEnabled());
    // The table shows again what is stored, with the addition the rebuild found.
    EXPECT_EQ(Cell(12, 1), AfxFormat("%.0f", (1.3 + Dlg().m_arrOverhangAddL[1]) * 1000.0));
}

TEST_F(CrossSectionTest, MisplacedStationsAreRefusedAndNothingIsStored)
{
    MakeDesign("2");
    Show();
    const CDesignState before = CaptureDesign();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    struct Case { int col; const char* value; const char* message; };
    for (const Case& c : {Case{1, "50", "位置が近すぎます。"}, Case{2, "8000", "位置の値が間違っています。"},
                          Case{2, "10000", "位置の値が間違っています。"}, Case{5, "30000", "位置が支間長を超えています。"}}) {
        Dlg().FillTable();
        Enter(0, c.col, QString::fromLatin1(c.value));
        m_shown.clear();
        Press(IDC_CS_UPDATE);
        EXPECT_EQ(m_shown, QStringList(QString::fromUtf8(c.message))) << c.col << " " << c.value;
        EXPECT_EQ(Cell(0, c.col), QString::fromLatin1(c.value));     // the table keeps what was typed
        EXPECT_TRUE(Dlg().IsUpdatePending());
    }
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    // A position just inside its span is taken.
    Enter(0, 5, QStringLiteral("29900"));
    Press(IDC_CS_UPDATE);
    EXPECT_DOUBLE_EQ(Dlg().m_arrD[5], 29.9);
}

TEST_F(CrossSectionTest, ResultsQuestionGuardsTheUpdate)
{
    MakeDesign("1");
    Show();
    PretendResults();
    const CDesignState before = CaptureDesign();
    Enter(14, 0, QStringLiteral("300"));
    Answer({IDCANCEL});
    Press(IDC_CS_UPDATE);
    EXPECT_EQ(m_shown, QStringList(QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。")));
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_TRUE(Dlg().IsUpdatePending());
    Answer({IDOK});
    Press(IDC_CS_UPDATE);
    EXPECT_DOUBLE_EQ(Dlg().m_arrH1[0], 0.3);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
}

TEST_F(CrossSectionTest, CopyTakesTheFirstSupportButNotThePosition)
{
    MakeDesign("1");
    Show();
    Enter(1, 0, QStringLiteral("80"));
    Enter(3, 0, QStringLiteral("600"));
    Enter(25, 0, QStringLiteral("180"));
    Table().GotoCell(2, 5);
    const QString position = Cell(0, 2);
    Dlg().SetUpdatePending(FALSE);
    Press(IDC_CS_COPY);
    EXPECT_TRUE(Dlg().IsUpdatePending());
    EXPECT_EQ(Cell(0, 2), position);
    for (int row = 1; row < CrossSectionData::ROWS; ++row)
        EXPECT_EQ(Cell(row, 2), Cell(row, 0)) << row;
    EXPECT_EQ(Cell(1, 2), QStringLiteral("80.0"));
    EXPECT_EQ(Cell(3, 2), QStringLiteral("600"));
    EXPECT_NE(Cell(3, 1), QStringLiteral("600"));     // other columns untouched
}

TEST_F(CrossSectionTest, SpinStepsKeepEachRowInItsRange)
{
    MakeDesign("1");
    Dlg().m_arrB2[0] = -0.005;
    Show();
    Enter(0, 1, QStringLiteral("500"));
    Spin(0, 1, true);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("1000"));
    Spin(0, 1, true);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("1100"));
    Spin(0, 1, false);
    Spin(0, 1, false);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("1000"));      // not below 1000
    Spin(1, 0, true);
    EXPECT_EQ(Cell(1, 0), QStringLiteral("91.0"));
    Enter(1, 0, QStringLiteral("120"));
    Spin(1, 0, true);
    EXPECT_EQ(Cell(1, 0), QStringLiteral("120.0"));
    Spin(1, 0, false);
    EXPECT_EQ(Cell(1, 0), QStringLiteral("119.0"));
    Spin(3, 0, true);
    EXPECT_EQ(Cell(3, 0), QStringLiteral("0"));        // a negative width comes up to 0
    Spin(3, 0, true);
    EXPECT_EQ(Cell(3, 0), QStringLiteral("10"));
    Spin(25, 2, false);
    EXPECT_EQ(Cell(25, 2), QStringLiteral("200"));
    EXPECT_TRUE(Dlg().IsUpdatePending());
    EXPECT_EQ(CSetupCrossSectionGrid::StepValue(1, 50.0, true), 60.0);
    EXPECT_EQ(CSetupCrossSectionGrid::StepValue(1, 60.0, false), 60.0);
    EXPECT_EQ(CSetupCrossSectionGrid::StepValue(0, 100000.0, true), 100000.0);
    EXPECT_EQ(CSetupCrossSectionGrid::StepValue(7, 100000.0, true), 100000.0);
    EXPECT_EQ(CSetupCrossSectionGrid::StepValue(7, 0.0, false), 0.0);
}

TEST_F(CrossSectionTest, TypedAnglesAndDimensionsKeepToTheirRanges)
{
    MakeDesign("1");
    Show();
    Enter(1, 0, QStringLiteral("130"));
    Enter(5, 0, QStringLiteral("200000"));
    ASSERT_EQ(m_shown.size(), 2);
    EXPECT_EQ(m_shown[0], QStringLiteral("60.0 から 120.0 までの数値を入力して下さい。"));
    EXPECT_EQ(m_shown[1], QStringLiteral("0 から 100000 までの数値を入力して下さい。"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("90.0"));
    EXPECT_EQ(Cell(5, 0), QStringLiteral("500"));
}

// The range message goes as message boxes go: the window under it, here the main window, is
// active when it closes. The refused text is dropped and the keys stay with the cell.
TEST_F(CrossSectionTest, ARefusedWidthLeavesTheCellAsItWasWithTheKeys)
{
    MakeDesign("1");
    Show();
    const QString before = Cell(3, 0);
    AfxSetMessageBoxHandler([this](const QString& text, UINT) {
        m_shown << text;
        QApplication::setActiveWindow(g_pMainFrame->GetWidget());
        return int(IDOK);
    });
    CSetupCrossSectionGrid& t = Table();
    t.GotoCell(0, 3);
    t.m_area.SetFocus();
    gridui::Type(QStringLiteral("-100"));
    ASSERT_TRUE(t.GetEdit()->IsOpen());
    gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::processEvents();
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].endsWith(QStringLiteral("までの数値を入力して下さい。")));
    EXPECT_FALSE(t.GetEdit()->IsOpen());
    EXPECT_EQ(Cell(3, 0), before);
    EXPECT_EQ(std::make_pair(t.GetCurrentCol(), t.GetCurrentRow()), std::make_pair(0, 3));
    EXPECT_EQ(QApplication::activeWindow(), Dlg().GetWidget());
    EXPECT_EQ(QApplication::focusWidget(), t.m_area.GetWidget());
    // Typing goes on in the cell.
    gridui::Type(QStringLiteral("700"));
    gridui::Key(t.GetEdit()->GetWidget(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(Cell(3, 0), QStringLiteral("700"));
}

TEST_F(CrossSectionTest, TheTableStopsAtItsStations)
{
    MakeDesign("14");
    std::fill(std::begin(g_anFreeSections), std::end(g_anFreeSections), 10);
    Dlg().SeedStationPositions();
    Show();
    EXPECT_EQ(Table().GetNumberCols(), CrossSectionData::STATIONS);
    Enter(20, 154, QStringLiteral("300"));
    Press(IDC_CS_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_DOUBLE_EQ(Dlg().m_arrH7[154], 0.3);
    Dlg().ShowWindow(SW_HIDE);
    // A count beyond the arrays, as a damaged file could bring.
    g_anFreeSections[13] = 40;
    Show();
    EXPECT_EQ(Table().GetNumberCols(), CrossSectionData::STATIONS);
    EXPECT_EQ(g_nCrossSections, CrossSectionData::STATIONS);
    SupportSpin().SetPos(12);
    SupportSpin().Step(1);
    EXPECT_EQ(Table().GetCurrentCol(), 143);
    SupportSpin().Step(1);
    EXPECT_EQ(Table().GetCurrentCol(), 143);     // the last support is past the table: the column stays
    EXPECT_EQ(Dlg().m_arrH7.size(), size_t(CrossSectionData::STATIONS));
}

TEST_F(CrossSectionTest, BasicConditionsResetTheMedianAndSidewalks)
{
    MakeDesign("1");
    Dlg().m_arrB4.assign(CrossSectionData::STATIONS, 0.0);
    Dlg().m_arrH6[3] = 0.0;
    Dlg().m_arrH6[4] = 0.35;
    MakeDesign("2", IDC_SIDEWALK_BOTH, [](CDialog* d) { static_cast<CButton*>(d->GetDlgItem(IDC_MEDIAN))->Click(); });
    EXPECT_DOUBLE_EQ(Dlg().m_arrB4[0], 0.5);
    EXPECT_DOUBLE_EQ(Dlg().m_arrH6[3], 0.2);
    EXPECT_DOUBLE_EQ(Dlg().m_arrH6[4], 0.35);
    MakeDesign("2", IDC_SIDEWALK_BOTH, [](CDialog* d) { static_cast<CButton*>(d->GetDlgItem(IDC_MEDIAN_NONE))->Click(); });
    EXPECT_DOUBLE_EQ(Dlg().m_arrB4[7], 0.0);
    EXPECT_DOUBLE_EQ(Dlg().m_arrH6[4], 0.0);
}

TEST_F(CrossSectionTest, SidewalkResets)
{
    CrossSectionData d;
    d.SetDefaults(g_adSpanLength, g_anFreeSections);
    d.m_arrH4[0] = 0.1;
    d.ResetSidewalkEntries(0);
    for (int row : CrossSectionData::LEFT_SIDEWALK_ROWS)
        EXPECT_EQ(d.Row(row)[0], 0.0) << row;
    for (int row : CrossSectionData::RIGHT_SIDEWALK_ROWS)
        EXPECT_EQ(d.Row(row)[0], 0.0) << row;

    d.m_arrH1[0] = 0.0;
    d.ResetSidewalkEntries(1);
    EXPECT_DOUBLE_EQ(d.m_arrH1[0], 0.25);
    EXPECT_DOUBLE_EQ(d.m_arrB3[0], 1.0);
    EXPECT_DOUBLE_EQ(d.m_arrB8[0], 0.2);
    EXPECT_NEAR(d.m_arrH11[0], 0.03 + 0.26 - 0.1, 1e-12);
    EXPECT_EQ(d.m_arrB5[0], 0.0);
    EXPECT_EQ(d.m_arrH12[0], 0.0);

    d.m_arrB3[1] = 1.4;     // a value of its own stays
    d.ResetSidewalkEntries(2);
    EXPECT_EQ(d.m_arrB3[1], 0.0);
    EXPECT_DOUBLE_EQ(d.m_arrB5[0], 1.0);
    EXPECT_DOUBLE_EQ(d.m_arrH10[0], 0.26);
    EXPECT_NEAR(d.m_arrH12[0], 0.21, 1e-12);

    d.m_arrB5[2] = 1.6;
    d.ResetSidewalkEntries(3);
    EXPECT_DOUBLE_EQ(d.m_arrB3[0], 1.0);
    EXPECT_DOUBLE_EQ(d.m_arrB5[2], 1.6);
    EXPECT_NEAR(d.m_arrH11[0], 0.19, 1e-12);
    EXPECT_NEAR(d.m_arrH12[0], 0.21, 1e-12);
}

TEST_F(CrossSectionTest, PictureNamesTheDimensionsOfTheArrangement)
{
    auto names = [](int sidewalk, int marked, QStringList* bold = nullptr) {
        CDC dc;
        dc.SetRecording(true);
        DrawCrossSectionPicture(&dc, CRect(0, 0, 600, 330), {sidewalk, 0, 4, marked});
        QStringList texts;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QStringLiteral("TextOut") && (r.text.startsWith(u'B') || r.text.startsWith(u'H'))) {
                texts << r.text;
                if (bold && r.fontWeight == FW_BOLD)
                    *bold << r.text;
            }
        texts.sort();
        return texts;
    };
    QStringList all;
    for (int i = 1; i <= 12; ++i)
        all << QStringLiteral("B%1").arg(i) << QStringLiteral("H%1").arg(i);
    all.sort();
    QStringList bold;
    EXPECT_EQ(names(3, 24, &bold), all);
    EXPECT_EQ(bold, QStringList(QStringLiteral("H11")));
    const QStringList none = names(0, -1);
    for (const char* gone : {"B3", "B5", "B8", "B9", "H2", "H3", "H9", "H10", "H11", "H12"})
        EXPECT_FALSE(none.contains(QString::fromLatin1(gone))) << gone;
    EXPECT_EQ(none.size(), 14);
    EXPECT_TRUE(names(1, -1).contains(QStringLiteral("H11")));
    EXPECT_FALSE(names(1, -1).contains(QStringLiteral("H12")));
}
