// The dead load and the steel weight, haunch and attached load dialogs, driven by control and
// by table cell.
#include "common/shell_fixture.h"
#include "input/load_dialogs.h"
#include "input/load_pictures.h"
#include "common/dialog_input.h"

#include <QLineEdit>
#include <functional>

using namespace dialoginput;

namespace {

const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");
const QString kNegativeLoad = QStringLiteral("死荷重に0以上の値を設定して下さい。");
constexpr double kGravity = 9.80665;
using A = CSetupSteelWeightGrid1;
using H = CSetupSteelWeightGrid2;

class LoadDialogTest : public ShellTest {
protected:
    // A confirmed design of one span: plate girders, box girders, or a single box (box, one girder).
    void MakeDesign(bool box, const char* girders)
    {
        ConfirmBasic(QStringLiteral("1"), [=](CDialog* d) {
            Type(d, IDC_GIRDERS, QString::fromLatin1(girders));
            if (box)
                dialoginput::Press(d, IDC_FORM_BOX);
        });
        ASSERT_EQ(g_nSpans, 1);
        g_pMainFrame->m_nStepMask = 0;
        m_shown.clear();
    }
    // Opens a dialog through its command; `drive` acts on it and ends it.
    void Open(UINT command, std::function<void(CDialog*)> drive)
    {
        EXPECT_TRUE(RunModal(command, drive));
    }
    void OpenDeadLoad(std::function<void(CSetupDeadLoadDialog&)> drive)
    {
        Open(ID_SETUP_DEAD_LOAD, [&](CDialog* d) { drive(*static_cast<CSetupDeadLoadDialog*>(d)); });
    }
    void OpenSteelWeight(std::function<void(CSetupSteelWeightDialog&)> drive)
    {
        Open(ID_SETUP_STEEL_WEIGHT, [&](CDialog* d) { drive(*static_cast<CSetupSteelWeightDialog*>(d)); });
    }
    static void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
    void SwitchUnits()
    {
        Answer({IDOK});
        Command(ID_OPTION_SI_UNITS);
        m_shown.clear();
    }
    static void OK(CDialog& d) { d.SendMessage(WM_COMMAND, IDOK); }
    static void Press(CDialog& d, int id) { dialoginput::Press(&d, id); }
    static int Checked(CDialog& d, int id) { return dialoginput::Checked(&d, id); }
    // Replaces the count as a person types it, key by key.
    static void TypeCount(CDialog& d, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(d.GetDlgItem(IDC_SW_COUNT)->GetWidget());
        edit->setFocus();
        edit->selectAll();
        for (QChar c : text)
            gridui::Key(edit, int(c.unicode()), Qt::NoModifier, QString(c));
    }
    static void StepCount(CDialog& d, int delta)
    {
        static_cast<CSpinButtonCtrl*>(d.GetDlgItem(IDC_SW_COUNT_SPIN))->Step(delta);
    }
    // What a cell shows: its choice name where it shows one.
    static QString Shown(CTableGrid& t, int row, int col)
    {
        CGridCell c;
        t.GetCellIndirect(col, row, &c);
        return (c.GetCellTypeEx() & GRID_STYLE_CHOICES) ? c.GetChoiceList() : c.GetText();
    }
    static std::pair<double, double> Range(CTableGrid& t, int row, int col)
    {
        CGridCell c;
        t.GetCellIndirect(col, row, &c);
        return {c.GetMin(), c.GetMax()};
    }
    CSetupDeadLoadDialog& Dead() { return g_pDoc->m_dlgDeadLoad; }
    CSetupSteelWeightDialog& Steel() { return g_pDoc->m_dlgSteelWeight; }
    double Railing() { return g_pDoc->m_dlgEstimate.m_dlgFactor.m_dRailingWeight; }
};

int ItemsChecked(CDialog& d)
{
    int n = 0;
    for (int id = IDC_DL_D1; id <= IDC_DL_D8; ++id)
        n += static_cast<CButton*>(d.GetDlgItem(id))->GetCheck();
    return n + static_cast<CButton*>(d.GetDlgItem(IDC_DL_D9))->GetCheck();
}

}

// ---- dead loads ----

TEST_F(LoadDialogTest, DeadLoadShowsItsUnitsAndItemButtonsFollowTheRow)
{
    MakeDesign(false, "4");
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        CTableGrid& t = d.m_grid;
        ASSERT_EQ(t.GetNumberRows(), 10);
        EXPECT_EQ(Cell(t, -1, -1), QStringLiteral("項目(単位)"));
        EXPECT_EQ(Cell(t, 0, -1), QStringLiteral("D 1 左高欄   (kN/m)"));
        EXPECT_EQ(Cell(t, 9, -1), QStringLiteral("    雪荷重  (kN/m2)"));
        EXPECT_EQ(TextColor(t, 3, -1), RGB(0, 0, 150));
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("0.50"));
        EXPECT_EQ(Cell(t, 2, 0), QStringLiteral("22.50"));
        EXPECT_EQ(Checked(d, IDC_DL_D1), 1);
        EXPECT_EQ(Checked(d, IDC_DL_RAILING), 1);

        Press(d, IDC_DL_D9);
        EXPECT_EQ(t.GetCurrentRow(), 8);
        EXPECT_EQ(Checked(d, IDC_DL_D9), 1);
        EXPECT_EQ(ItemsChecked(d), 1);
        t.GotoRow(9);       // the snow load has no button
        EXPECT_EQ(ItemsChecked(d), 0);
        t.GotoRow(4);
        EXPECT_EQ(Checked(d, IDC_DL_D1 + 4), 1);
        EXPECT_EQ(ItemsChecked(d), 1);
    });

    // In gravitational units: the other headings, the values as the switch converted them, the
    // other presets. The presets change the table only; Cancel keeps what was stored.
    SwitchUnits();
    const DeadLoadData converted = Dead();
    EXPECT_NEAR(converted.m_adValue[0], 0.5 / kGravity, 1e-12);
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        CTableGrid& t = d.m_grid;
        EXPECT_EQ(Cell(t, 0, -1), QStringLiteral("D 1 左高欄    (t/m)"));
        EXPECT_EQ(Cell(t, 2, -1), QStringLiteral("D 3 歩道舗装 (t/m3)"));
        EXPECT_EQ(Cell(t, 2, 0), QStringLiteral("2.29"));
        Press(d, IDC_DL_PRESET);
        EXPECT_EQ(Cell(t, 2, 0), QStringLiteral("2.30"));
        EXPECT_EQ(Cell(t, 6, 0), QStringLiteral("2.35"));
        d.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(static_cast<DeadLoadData&>(Dead()), converted);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x100, 0);

    // OK after the presets stores them.
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        Press(d, IDC_DL_PRESET);
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Dead().m_adValue[2], 2.3);
    EXPECT_DOUBLE_EQ(Dead().m_adValue[0], 0.05);
}

// Where the rows need more than the table's place in the dialog (other fonts make other
// places), the table takes the height of all ten; Down reaches the snow load.
TEST_F(LoadDialogTest, DeadLoadTableShowsAllItsRows)
{
    MakeDesign(false, "4");
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        CTableGrid& t = d.m_grid;
        for (int r = 0; r < 10; ++r)
            t.SetRowHeight(r, 26);
        QApplication::processEvents();
        const CGridSettings* s = t.GetSettings();
        CRect last;
        t.GetCellRect(0, 9, &last);
        EXPECT_EQ(last.bottom, 260);
        EXPECT_LE(last.bottom, s->m_nAreaHeight);
        t.m_area.SetFocus();
        for (int i = 0; i < 9; ++i)
            gridui::Key(t.m_area.GetWidget(), Qt::Key_Down);
        EXPECT_EQ(t.GetCurrentRow(), 9);
        t.GetCellRect(0, 9, &last);
        EXPECT_LE(last.bottom, s->m_nAreaHeight);
        d.SendMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(LoadDialogTest, DeadLoadSpinStepsByFiveHundredthsAndStopsAtZero)
{
    MakeDesign(false, "4");
    g_pDoc->SetModifiedFlag(FALSE);
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        CTableGrid& t = d.m_grid;
        Enter(t, 0, 0, QStringLiteral("0.03"));
        Spin(t, 0, 0, false);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("0.00"));
        Spin(t, 0, 0, false);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("0.00"));
        Spin(t, 0, 0, true);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("0.05"));
        Spin(t, 9, 0, true);
        Spin(t, 9, 0, true);
        EXPECT_EQ(Cell(t, 9, 0), QStringLiteral("0.10"));
        EXPECT_EQ(d.GetModalResult(), -1);
        OK(d);
        EXPECT_EQ(d.GetModalResult(), IDOK);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_DOUBLE_EQ(Dead().m_adValue[0], 0.05);
    EXPECT_DOUBLE_EQ(Dead().m_adValue[9], 0.1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x100, 0x100);
    EXPECT_TRUE(g_pDoc->IsModified());
}

TEST_F(LoadDialogTest, NegativeDeadLoadIsRefused)
{
    MakeDesign(false, "4");
    const DeadLoadData stored = Dead();
    OpenDeadLoad([this](CSetupDeadLoadDialog& d) {
        Enter(d.m_grid, 1, 0, QStringLiteral("0.8"));
        Enter(d.m_grid, 3, 0, QStringLiteral("-1"));
        d.m_grid.GotoRow(0);
        OK(d);
        EXPECT_EQ(d.GetModalResult(), -1);
        EXPECT_EQ(m_shown, QStringList{kNegativeLoad});
        EXPECT_EQ(d.m_grid.GetCurrentRow(), 3);        // the refused item is shown
        EXPECT_EQ(Checked(d, IDC_DL_D1 + 3), 1);
    });
    EXPECT_EQ(static_cast<DeadLoadData&>(Dead()), stored);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x100, 0);
}

TEST_F(LoadDialogTest, RailingWeightFollowsTheCheckBoxAsItStands)
{
    MakeDesign(false, "4");
    const double before = Railing();
    // Cleared in this opening: the estimate keeps its railing weight.
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        Enter(d.m_grid, 0, 0, QStringLiteral("1"));
        Enter(d.m_grid, 1, 0, QStringLiteral("2"));
        Press(d, IDC_DL_RAILING);
        OK(d);
    });
    EXPECT_EQ(Dead().m_bRailingToEstimate, 0);
    EXPECT_EQ(Railing(), before);
    // Set again in this opening: the mean of D1 and D2 reaches the estimate in t/m at once.
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        EXPECT_EQ(Checked(d, IDC_DL_RAILING), 0);
        Press(d, IDC_DL_RAILING);
        OK(d);
    });
    EXPECT_EQ(Dead().m_bRailingToEstimate, 1);
    EXPECT_DOUBLE_EQ(Railing(), 1.5 / kGravity);
    SwitchUnits();
    OpenDeadLoad([](CSetupDeadLoadDialog& d) {
        Enter(d.m_grid, 0, 0, QStringLiteral("0.2"));
        Enter(d.m_grid, 1, 0, QStringLiteral("0.1"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Railing(), 0.15);
}

TEST_F(LoadDialogTest, ResultsQuestionGuardsBothDialogs)
{
    MakeDesign(false, "4");
    PretendResults();
    const DeadLoadData deadBefore = Dead();
    const SteelWeightData steelBefore = Steel();
    // Cancel at the question keeps the window open with its entries; then Cancel leaves all.
    OpenDeadLoad([this](CSetupDeadLoadDialog& d) {
        Enter(d.m_grid, 4, 0, QStringLiteral("30"));
        OK(d);
        EXPECT_EQ(d.GetModalResult(), -1);
        EXPECT_EQ(Cell(d.m_grid, 4, 0), QStringLiteral("30.00"));
        EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    });
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        TypeCount(d, QStringLiteral("1"));
        Press(d, IDC_SW_CHOICE_ASSUMED);
        Enter(d.m_gridHaunch, 0, H::COL_STEEL, QStringLiteral("5"));
        OK(d);
        EXPECT_EQ(d.GetModalResult(), -1);
    });
    EXPECT_EQ(m_shown.size(), 2);
    EXPECT_EQ(static_cast<DeadLoadData&>(Dead()), deadBefore);
    EXPECT_EQ(static_cast<SteelWeightData&>(Steel()), steelBefore);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 0);
    EXPECT_EQ(g_bResultsValid, 1);

    // OK at the question discards the results and stores; the next dialog asks nothing.
    m_shown.clear();
    Answer({IDOK});
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        Press(d, IDC_SW_CHOICE_ASSUMED);
        OK(d);
    });
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(Steel().m_nDeadLoadChoice, 1);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x200, 0x200);
    OpenDeadLoad([](CSetupDeadLoadDialog& d) { OK(d); });
    EXPECT_EQ(m_shown.size(), 1);
}

// ---- assumed steel weight, haunch and attached loads ----

TEST_F(LoadDialogTest, HaunchTableShowsTheGirdersAndChecksByTheUnitsInForce)
{
    MakeDesign(false, "4");
    OpenSteelWeight([this](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridHaunch;
        ASSERT_EQ(t.GetNumberRows(), 4);
        EXPECT_EQ(Cell(t, -1, -1), QStringLiteral("主桁No."));
        EXPECT_EQ(Cell(t, -1, H::COL_STEEL), QStringLiteral("仮定鋼重(kN/m)"));
        EXPECT_EQ(Cell(t, -1, H::COL_HAUNCH), QStringLiteral("ﾊﾝﾁ質量(kN/m)"));
        EXPECT_EQ(Cell(t, 3, -1), QStringLiteral("G 4"));
        EXPECT_EQ(Cell(t, 0, H::COL_STEEL), QStringLiteral("4.500"));
        EXPECT_EQ(Cell(t, 0, H::COL_H), QStringLiteral("80.0"));
        EXPECT_EQ(Cell(t, 0, H::COL_B), QStringLiteral("1000.0"));
        EXPECT_EQ(Cell(t, 0, H::COL_BIN), QStringLiteral("－"));
        EXPECT_EQ(Cell(t, 0, H::COL_HAUNCH), QStringLiteral("1.200"));
        EXPECT_FALSE(d.GetDlgItem(IDC_SW_BIN)->IsWindowVisible());
        EXPECT_EQ(Checked(d, IDC_SW_CHOICE_FACTOR), 1);
        // Every default lies inside the range of its column.
        const double defaults[] = {4.5, 80.0, 1000.0, 0.0, 1.2};
        for (int c : {H::COL_STEEL, H::COL_H, H::COL_B, H::COL_HAUNCH}) {
            const auto [lo, hi] = Range(t, 0, c);
            EXPECT_TRUE(lo <= defaults[c] && defaults[c] <= hi) << c;
        }
        Enter(t, 1, H::COL_STEEL, QStringLiteral("0.45"));
        Enter(t, 1, H::COL_HAUNCH, QStringLiteral("1.5"));
        Enter(t, 2, H::COL_B, QStringLiteral("1200"));
        EXPECT_EQ(m_shown, QStringList{QStringLiteral("2.900 から 5.900 までの数値を入力して下さい。")});
        // Typed values show as the column's own numbers do.
        EXPECT_EQ(Cell(t, 1, H::COL_HAUNCH), QStringLiteral("1.500"));
        EXPECT_EQ(Cell(t, 2, H::COL_B), QStringLiteral("1200.0"));
        Enter(t, 3, H::COL_STEEL, QStringLiteral("5.9"));
        EXPECT_EQ(Cell(t, 3, H::COL_STEEL), QStringLiteral("5.900"));
        Enter(t, 3, H::COL_STEEL, QStringLiteral("4.5"));
        Spin(t, 0, H::COL_STEEL, true);
        Spin(t, 0, H::COL_H, false);
        EXPECT_EQ(Cell(t, 0, H::COL_STEEL), QStringLiteral("4.600"));
        EXPECT_EQ(Cell(t, 0, H::COL_H), QStringLiteral("79.9"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Steel().m_adSteelWeight[0], 4.6);
    EXPECT_DOUBLE_EQ(Steel().m_adSteelWeight[1], 4.5);
    EXPECT_DOUBLE_EQ(Steel().m_adHaunchWeight[1], 1.5);
    EXPECT_DOUBLE_EQ(Steel().m_adHaunchH[0], 0.0799);
    EXPECT_DOUBLE_EQ(Steel().m_adHaunchB[2], 1.2);
    EXPECT_EQ(Steel().m_adHaunchBin[0], 0.0);        // plate girders have no inner width
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x200, 0x200);

    // Gravitational units: their headings, their ranges, steps of a hundredth.
    SwitchUnits();
    m_shown.clear();
    OpenSteelWeight([this](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridHaunch;
        EXPECT_EQ(Cell(t, -1, H::COL_STEEL), QStringLiteral("仮定鋼重(tf/m)"));
        EXPECT_EQ(Cell(t, -1, H::COL_HAUNCH), QStringLiteral("ﾊﾝﾁ重量(tf/m)"));
        EXPECT_EQ(Cell(d.m_gridAttach, -1, A::COL_LOAD), QStringLiteral("荷重P(tf/m)"));
        Enter(t, 0, H::COL_STEEL, QStringLiteral("4.5"));
        Enter(t, 0, H::COL_HAUNCH, QStringLiteral("0.2"));
        Enter(t, 0, H::COL_STEEL, QStringLiteral("0.45"));
        Enter(t, 0, H::COL_HAUNCH, QStringLiteral("0.12"));
        EXPECT_EQ(m_shown, (QStringList{QStringLiteral("0.300 から 0.600 までの数値を入力して下さい。"),
                                        QStringLiteral("0.060 から 0.180 までの数値を入力して下さい。")}));
        Spin(t, 0, H::COL_HAUNCH, false);
        EXPECT_EQ(Cell(t, 0, H::COL_HAUNCH), QStringLiteral("0.110"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Steel().m_adSteelWeight[0], 0.45);
    EXPECT_DOUBLE_EQ(Steel().m_adHaunchWeight[0], 0.11);
}

TEST_F(LoadDialogTest, AttachmentTableFollowsTheCount)
{
    MakeDesign(false, "4");
    OpenSteelWeight([this](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridAttach;
        EXPECT_EQ(t.GetNumberRows(), 0);
        EXPECT_EQ(Cell(t, -1, A::COL_GIRDER), QStringLiteral("着目主桁"));
        TypeCount(d, QStringLiteral("2"));
        ASSERT_EQ(t.GetNumberRows(), 2);
        EXPECT_EQ(Cell(t, 1, -1), QStringLiteral(" 2"));
        EXPECT_EQ(Shown(t, 1, A::COL_GIRDER), QStringLiteral("G 1"));
        Enter(t, 0, A::COL_LOAD, QStringLiteral("1.5"));
        Enter(t, 0, A::COL_POSITION, QStringLiteral("-2500"));
        Spin(t, 1, A::COL_GIRDER, true);
        Spin(t, 1, A::COL_GIRDER, true);
        Enter(t, 1, A::COL_LOAD, QStringLiteral("0.8"));

        // From 2 to 3 keeps rows 1 and 2 and adds an empty third.
        StepCount(d, 1);
        ASSERT_EQ(t.GetNumberRows(), 3);
        EXPECT_EQ(Cell(t, 0, A::COL_LOAD), QStringLiteral("1.500"));
        EXPECT_EQ(Shown(t, 1, A::COL_GIRDER), QStringLiteral("G 3"));
        EXPECT_EQ(Cell(t, 2, A::COL_LOAD), QStringLiteral("0.000"));

        // Typing "10" passes through "1"; the second row comes back as it was.
        TypeCount(d, QStringLiteral("10"));
        ASSERT_EQ(t.GetNumberRows(), 10);
        EXPECT_EQ(Shown(t, 1, A::COL_GIRDER), QStringLiteral("G 3"));
        EXPECT_EQ(Cell(t, 1, A::COL_LOAD), QStringLiteral("0.800"));
        StepCount(d, 1);                                       // no eleventh
        EXPECT_EQ(d.GetDlgItem(IDC_SW_COUNT)->GetWindowText(), QStringLiteral("10"));
        EXPECT_EQ(t.GetNumberRows(), 10);

        // Out of bounds the table waits, and OK refuses with the framework's range message.
        TypeCount(d, QStringLiteral("12"));
        EXPECT_EQ(t.GetNumberRows(), 1);                      // "1" on the way
        OK(d);
        EXPECT_EQ(d.GetModalResult(), -1);
        EXPECT_EQ(m_shown, QStringList{QStringLiteral("0 から 10 までの整数を入力してください。")});

        TypeCount(d, QStringLiteral("2"));
        OK(d);
        EXPECT_EQ(d.GetModalResult(), IDOK);
    });
    EXPECT_EQ(Steel().m_nAttachments, 2);
    EXPECT_EQ(Steel().m_anAttachGirder[0], 0);
    EXPECT_DOUBLE_EQ(Steel().m_adAttachLoad[0], 1.5);
    EXPECT_DOUBLE_EQ(Steel().m_adAttachPosition[0], -2.5);
    EXPECT_EQ(Steel().m_anAttachGirder[1], 2);
    EXPECT_DOUBLE_EQ(Steel().m_adAttachLoad[1], 0.8);

    // Counted down to 0 and OK: nothing is read.
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        EXPECT_EQ(d.m_gridAttach.GetNumberRows(), 2);
        StepCount(d, -1);
        StepCount(d, -1);
        StepCount(d, -1);                                      // no count below 0
        EXPECT_EQ(d.GetDlgItem(IDC_SW_COUNT)->GetWindowText(), QStringLiteral("0"));
        EXPECT_EQ(d.m_gridAttach.GetNumberRows(), 0);
        OK(d);
    });
    EXPECT_EQ(Steel().m_nAttachments, 0);
}

TEST_F(LoadDialogTest, AttachmentSpinsWrapTheGirderAndStopTheLoadAtZero)
{
    MakeDesign(false, "2");
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridAttach;
        StepCount(d, 1);
        Spin(t, 0, A::COL_GIRDER, true);
        EXPECT_EQ(Shown(t, 0, A::COL_GIRDER), QStringLiteral("G 2"));
        Spin(t, 0, A::COL_GIRDER, true);
        EXPECT_EQ(Shown(t, 0, A::COL_GIRDER), QStringLiteral("G 1"));
        Spin(t, 0, A::COL_GIRDER, false);
        EXPECT_EQ(Shown(t, 0, A::COL_GIRDER), QStringLiteral("G 2"));
        Enter(t, 0, A::COL_LOAD, QStringLiteral("0.05"));
        Spin(t, 0, A::COL_LOAD, false);
        EXPECT_EQ(Cell(t, 0, A::COL_LOAD), QStringLiteral("0.000"));
        Spin(t, 0, A::COL_POSITION, false);
        EXPECT_EQ(Cell(t, 0, A::COL_POSITION), QStringLiteral("-0.1"));
        // The picture's buttons lead to their columns.
        Press(d, IDC_SW_L);
        EXPECT_EQ(t.GetCurrentCol(), A::COL_POSITION);
        Press(d, IDC_SW_B);
        EXPECT_EQ(d.m_gridHaunch.GetCurrentCol(), H::COL_B);
        OK(d);
    });
    EXPECT_EQ(Steel().m_anAttachGirder[0], 1);
    EXPECT_DOUBLE_EQ(Steel().m_adAttachPosition[0], -0.0001);
}

TEST_F(LoadDialogTest, BoxGirdersEnterTheInnerWidth)
{
    MakeDesign(true, "2");
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridHaunch;
        EXPECT_TRUE(d.GetDlgItem(IDC_SW_BIN)->IsWindowVisible());
        EXPECT_EQ(Cell(t, 1, H::COL_BIN), QStringLiteral("500.0"));
        Press(d, IDC_SW_BIN);
        EXPECT_EQ(t.GetCurrentCol(), H::COL_BIN);
        Enter(t, 1, H::COL_BIN, QStringLiteral("650"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Steel().m_adHaunchBin[1], 0.65);
}

TEST_F(LoadDialogTest, SingleBoxKeepsItsRowInTheSecondEntry)
{
    MakeDesign(true, "1");
    ASSERT_EQ(g_nBridgeType, 2);
    OpenSteelWeight([](CSetupSteelWeightDialog& d) {
        CTableGrid& t = d.m_gridHaunch;
        ASSERT_EQ(t.GetNumberRows(), 1);
        EXPECT_EQ(Cell(t, 0, H::COL_BIN), QString());
        EXPECT_FALSE(d.GetDlgItem(IDC_SW_BIN)->IsWindowVisible());
        Enter(t, 0, H::COL_STEEL, QStringLiteral("5"));
        Enter(t, 0, H::COL_H, QStringLiteral("90"));
        TypeCount(d, QStringLiteral("2"));
        Spin(d.m_gridAttach, 0, A::COL_GIRDER, true);          // one girder: stays on it
        EXPECT_EQ(Shown(d.m_gridAttach, 0, A::COL_GIRDER), QStringLiteral("G 1"));
        OK(d);
    });
    const SteelWeightData& s = Steel();
    EXPECT_DOUBLE_EQ(s.m_adSteelWeight[1], 5.0);
    EXPECT_DOUBLE_EQ(s.m_adHaunchH[1], 0.09);
    for (int e : {0, 2}) {
        EXPECT_EQ(s.m_adSteelWeight[e], 0.0);
        EXPECT_EQ(s.m_adHaunchWeight[e], 0.0);
        EXPECT_EQ(s.m_adHaunchB[e], 0.0);
    }
    EXPECT_EQ(s.m_anAttachGirder[0], 1);
    EXPECT_EQ(s.m_anAttachGirder[1], 1);
}

TEST(LoadPictures, MarkTheItemOrDimensionInBlue)
{
    auto texts = [](const CDC& dc) {
        std::vector<std::pair<QString, COLORREF>> out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("TextOut"))
                out.emplace_back(r.text, r.textColor);
        return out;
    };
    CDC dead;     // records every call
    DrawDeadLoadPicture(&dead, CRect(0, 0, 600, 330), 4);
    int items = 0;
    for (const auto& [text, color] : texts(dead)) {
        if (!text.startsWith(QLatin1Char('D')))
            continue;
        ++items;
        EXPECT_EQ(color == RGB(0, 0, 255), text == QLatin1String("D5")) << text.toStdString();
    }
    EXPECT_EQ(items, 10);          // the wheel guard on both sides

    for (int type : {0, 1}) {
        CDC haunch;
        DrawHaunchPicture(&haunch, CRect(0, 0, 600, 330), type, HAUNCH_MARK_P);
        QStringList names;
        for (const auto& [text, color] : texts(haunch)) {
            names << text;
            if (text == QLatin1String("P")) {
                EXPECT_EQ(color, RGB(0, 0, 255));
            }
        }
        for (const char* name : {"H", "B", "P", "L"})
            EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
        EXPECT_EQ(names.contains(QStringLiteral("Bin")), type == 1);
    }
}
