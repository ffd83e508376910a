// Main girder data 2: the plate and box girder dialogs and the rib panel division, driven by
// control and table cell, with scripted answers.
#include "common/shell_fixture.h"
#include "framework/clipboard.h"
#include "common/dialog_input.h"

#include <functional>

using namespace dialoginput;

namespace {

const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");

class GirderDataTest : public ShellTest {
protected:
    // Opens the dialog of the girder type through its command; `drive` acts on it and ends it.
    void Open(std::function<void(CDialog*)> drive)
    {
        EXPECT_TRUE(RunModal(ID_SETUP_MAIN_GIRDER2, drive));
    }
    // A confirmed design of two 30 m spans in six panels; `form` is the girder form's radio.
    void MakeDesign(int form, const char* girders)
    {
        ConfirmBasic(QStringLiteral("2"), [form, girders](CDialog* d) {
            Type(d, IDC_GIRDERS, QString::fromLatin1(girders));
            Press(d, form);
        });
        ASSERT_EQ(g_nSpans, 2);
        m_shown.clear();
    }
    void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
        g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
    }
    static void OK(CDialog* d) { Ok(d); }
    static CTableGrid& Table(CDialog* d, int id) { return *dynamic_cast<CTableGrid*>(d->GetDlgItem(id)); }
    static bool StepDone() { return (g_pMainFrame->m_nStepMask & 0x20) != 0; }
    CSetupPlateGirderDialog& Plate() { return g_pDoc->m_dlgPlateGirder; }
    CSetupBoxGirderDialog& Box() { return g_pDoc->m_dlgBoxGirder; }
};

}

TEST_F(GirderDataTest, PlateDialogShowsItsTablesAndStoresWhatIsTyped)
{
    MakeDesign(IDC_FORM_PLATE, "4");
    Open([this](CDialog* d) {
        CTableGrid& h = Table(d, IDC_PG_HEIGHT_TABLE);
        ASSERT_EQ(h.GetNumberRows(), 4);
        EXPECT_EQ(Cell(h, -1, 0), QStringLiteral("桁高(mm)"));
        EXPECT_EQ(Cell(h, 3, -1), QStringLiteral("G4"));
        EXPECT_EQ(TextColor(h, 3, -1), RGB(0, 0, 150));
        EXPECT_EQ(Cell(h, 0, 0), QStringLiteral("1800.0"));
        CTableGrid& holes = Table(d, IDC_PG_HOLE_TABLE);
        ASSERT_EQ(holes.GetNumberRows(), 7);
        EXPECT_EQ(Cell(holes, -1, 0), QStringLiteral("ﾌﾗﾝｼﾞ幅(mm)"));
        EXPECT_EQ(Cell(holes, -1, 1), QStringLiteral("孔数"));
        EXPECT_EQ(Cell(holes, 0, 0), QStringLiteral("350.0"));
        EXPECT_EQ(Cell(holes, 1, 1), QStringLiteral("4"));
        EXPECT_EQ(Text(d, IDC_PG_BOLT_HOLE), QStringLiteral("25"));
        EXPECT_EQ(Checked(d, IDC_PG_HOLE_DEDUCTION), 1);
        EXPECT_EQ(Checked(d, IDC_PG_NET_AREA), 1);
        EXPECT_EQ(Checked(d, IDC_PG_CURVE_BENRAN), 1);

        // Spin steps: 0.1 on heights and widths, 1 on counts, never below 0 nor out of range.
        Enter(h, 1, 0, QStringLiteral("2500"));
        Spin(h, 0, 0, true);
        EXPECT_EQ(Cell(h, 0, 0), QStringLiteral("1800.1"));
        Enter(h, 2, 0, QStringLiteral("100"));
        Spin(h, 2, 0, false);
        EXPECT_EQ(Cell(h, 2, 0), QStringLiteral("100.0"));
        Spin(holes, 2, 1, false);
        EXPECT_EQ(Cell(holes, 2, 1), QStringLiteral("0"));
        Spin(holes, 0, 1, true);
        EXPECT_EQ(Cell(holes, 0, 1), QStringLiteral("3"));
        Spin(holes, 2, 0, true);
        EXPECT_EQ(Cell(holes, 2, 0), QStringLiteral("0.1"));
        Enter(holes, 3, 0, QStringLiteral("500"));   // a width without holes stays as typed

        // Unchecking the deduction unchecks and disables the 1.1 net area.
        Press(d, IDC_PG_HOLE_DEDUCTION);
        EXPECT_EQ(Checked(d, IDC_PG_NET_AREA), 0);
        EXPECT_FALSE(Enabled(d, IDC_PG_NET_AREA));
        Step(d, IDC_PG_BOLT_HOLE_SPIN, -1);
        EXPECT_EQ(Text(d, IDC_PG_BOLT_HOLE), QStringLiteral("24"));
        Press(d, IDC_PG_UF_BUCKLING);
        Press(d, IDC_PG_CURVE_HANSHIN);
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    const double heights[4] = {1.8001, 2.5, 0.1, 1.8};
    for (int g = 0; g < 4; ++g)
        EXPECT_DOUBLE_EQ(Plate().m_adGirderHeight[g], heights[g]) << g;
    EXPECT_DOUBLE_EQ(Plate().m_adHoleFlangeWidth[2], 0.0001);
    EXPECT_DOUBLE_EQ(Plate().m_adHoleFlangeWidth[3], 0.5);
    EXPECT_EQ(Plate().m_anHoleCount[0], 3);
    EXPECT_EQ(Plate().m_anHoleCount[3], 0);
    EXPECT_EQ(Plate().m_bHoleDeduction, 0);
    EXPECT_EQ(Plate().m_bNetArea11, 0);
    EXPECT_EQ(Plate().m_bUFLocalBuckling, 1);
    EXPECT_EQ(Plate().m_dBoltHoleDiameter, 24.0);
    EXPECT_EQ(Plate().m_nCurveStressFormula, 1);
    EXPECT_TRUE(StepDone());
}

TEST_F(GirderDataTest, AlignButtonsChangeTheTablesOnly)
{
    MakeDesign(IDC_FORM_PLATE, "3");
    const CDesignState before = CaptureDesign();
    Open([this, &before](CDialog* d) {
        CTableGrid& h = Table(d, IDC_PG_HEIGHT_TABLE);
        Enter(h, 0, 0, QStringLiteral("2100"));
        Press(d, IDC_PG_ALIGN_HEIGHTS);
        EXPECT_EQ(Cell(h, 2, 0), QStringLiteral("2100.0"));
        EXPECT_TRUE(CaptureDesign() == before);
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_TRUE(CaptureDesign() == before);
    EXPECT_FALSE(StepDone());

    // The same for a box, and OK stores what the table shows.
    MakeDesign(IDC_FORM_BOX, "3");
    Open([this](CDialog* d) {
        CTableGrid& h = Table(d, IDC_BG_HEIGHT_TABLE);
        Enter(h, 0, 0, QStringLiteral("2400"));
        Press(d, IDC_BG_ALIGN_HEIGHTS);
        EXPECT_EQ(Cell(h, 2, 0), QStringLiteral("2400.0"));
        EXPECT_EQ(Box().m_adGirderHeight[2], 2.0);
        OK(d);
    });
    for (int g = 0; g < 3; ++g)
        EXPECT_DOUBLE_EQ(Box().m_adGirderHeight[g], 2.4) << g;
}

TEST_F(GirderDataTest, ResultsAreDiscardedOnlyWhenTheUserAgrees)
{
    MakeDesign(IDC_FORM_PLATE, "2");
    PretendResults();
    Answer({IDCANCEL, IDOK});
    Open([this](CDialog* d) {
        Enter(Table(d, IDC_PG_HEIGHT_TABLE), 0, 0, QStringLiteral("2000"));
        Type(d, IDC_PG_BOLT_HOLE, "30");
        OK(d);
        // Kept open with what was typed; nothing stored, the results stand.
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_EQ(Plate().m_dBoltHoleDiameter, 25.0);
        EXPECT_EQ(Plate().m_adGirderHeight[0], 1.8);
        EXPECT_EQ(g_bResultsValid, 1);
        EXPECT_EQ(Text(d, IDC_PG_BOLT_HOLE), QStringLiteral("30"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_EQ(m_shown, QStringList(2, kResultsQuestion));
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1000, 0);   // the grillage step
    EXPECT_EQ(Plate().m_dBoltHoleDiameter, 30.0);
    EXPECT_DOUBLE_EQ(Plate().m_adGirderHeight[0], 2.0);

    // No results, no question.
    m_shown.clear();
    Open([](CDialog* d) { OK(d); });
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(GirderDataTest, RefusedEntriesStoreNothing)
{
    MakeDesign(IDC_FORM_PLATE, "2");
    PretendResults();
    const CDesignState before = CaptureDesign();
    Open([this, &before](CDialog* d) {
        CTableGrid& h = Table(d, IDC_PG_HEIGHT_TABLE);
        // The tables refuse numbers out of their ranges, typed or pasted.
        Enter(h, 0, 0, QStringLiteral("99"));
        EXPECT_EQ(Cell(h, 0, 0), QStringLiteral("1800.0"));
        h.GotoCell(0, 1);
        ASSERT_TRUE(AfxSetClipboardText(QStringLiteral("abc")));
        h.Paste();
        EXPECT_EQ(Cell(h, 1, 0), QStringLiteral("1800.0"));
        Enter(h, 1, 0, QStringLiteral("1900"));
        Type(d, IDC_PG_BOLT_HOLE, "");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_TRUE(CaptureDesign() == before);
    });
    const QString range = QStringLiteral("100.0 から 10000.0 までの数値を入力して下さい。");
    EXPECT_EQ(m_shown, (QStringList{range, range, QStringLiteral("数値を入力してください。")}));
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_FALSE(StepDone());
}

TEST_F(GirderDataTest, VaryingHeightHidesTheTableButOKStillReadsIt)
{
    MakeDesign(IDC_FORM_PLATE, "20");
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    Plate().m_adGirderHeight[19] = 2.2;
    Open([](CDialog* d) {
        EXPECT_EQ(Table(d, IDC_PG_HEIGHT_TABLE).GetNumberRows(), 20);
        for (int id : {IDC_PG_HEIGHT_TABLE, IDC_PG_HEIGHT_CAPTION, IDC_PG_ALIGN_HEIGHTS})
            EXPECT_FALSE(d->GetDlgItem(id)->IsWindowVisible()) << id;
        EXPECT_EQ(Cell(Table(d, IDC_PG_HEIGHT_TABLE), 19, 0), QStringLiteral("2200.0"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Plate().m_adGirderHeight[19], 2.2);
    EXPECT_DOUBLE_EQ(Plate().m_adGirderHeight[0], 1.8);
}

TEST_F(GirderDataTest, RibSectionsAreParsedFromTheirTexts)
{
    BoxGirderData d;
    EXPECT_DOUBLE_EQ(d.m_adRibWidth[0][0], 0.12);
    EXPECT_DOUBLE_EQ(d.m_adRibThick[3][6], 0.032);
    EXPECT_EQ(d.m_astrShape[0][7], QString());
    EXPECT_EQ(d.m_adRibWidth[0][7], 0.0);

    // Without "x" in the first ten characters: 0, and the rows after it are still read.
    d.m_astrShape[1][0] = QStringLiteral("130-13");
    d.m_astrShape[1][1] = QStringLiteral("1400000000x14");
    d.m_astrShape[1][2] = QStringLiteral(" 90x9");
    // An empty text ends its column.
    d.m_astrShape[2][2] = QString();
    d.SortData();
    EXPECT_EQ(d.m_adRibWidth[1][0], 0.0);
    EXPECT_EQ(d.m_adRibThick[1][1], 0.0);
    EXPECT_DOUBLE_EQ(d.m_adRibWidth[1][2], 0.09);
    EXPECT_DOUBLE_EQ(d.m_adRibThick[1][2], 0.009);
    EXPECT_DOUBLE_EQ(d.m_adRibWidth[2][1], 0.14);
    for (int r = 2; r < BoxGirderData::RIB_ROWS; ++r)
        EXPECT_EQ(d.m_adRibWidth[2][r], 0.0) << r;
}

TEST_F(GirderDataTest, BoxDialogShowsItsFieldsAndStoresWhatIsTyped)
{
    MakeDesign(IDC_FORM_BOX, "3");
    Open([this](CDialog* d) {
        CTableGrid& h = Table(d, IDC_BG_HEIGHT_TABLE);
        ASSERT_EQ(h.GetNumberRows(), 3);
        EXPECT_EQ(Cell(h, 0, 0), QStringLiteral("2000.0"));
        CTableGrid& ribs = Table(d, IDC_BG_RIB_TABLE);
        ASSERT_EQ(ribs.GetNumberCols(), 4);
        ASSERT_EQ(ribs.GetNumberRows(), 20);
        EXPECT_EQ(Cell(ribs, -1, 0), QStringLiteral("SM400\nSMA400W"));
        EXPECT_EQ(Cell(ribs, -1, 2), QStringLiteral("SM490Y\nSM520\nSMA490W"));
        EXPECT_EQ(Cell(ribs, -1, 3), QStringLiteral("SM570\nSMA570W"));
        EXPECT_EQ(Cell(ribs, 6, 3), QStringLiteral("280x32"));
        EXPECT_EQ(Cell(ribs, 7, 0), QString());
        CGridCell cell;
        ribs.GetCellIndirect(0, 0, &cell);
        EXPECT_EQ(cell.GetLabel(), QStringLiteral("999x99"));
        const std::pair<int, const char*> fields[] = {
            {IDC_BG_BOLT_HOLE, "25"}, {IDC_BG_BOLTS_UPPER, "10"}, {IDC_BG_BOLTS_LOWER, "10"},
            {IDC_BG_COMP_RIBS, "5"}, {IDC_BG_TENS_RIBS, "2"}, {IDC_BG_STIFFENER_STEPS, "2"}};
        for (const auto& [id, text] : fields)
            EXPECT_EQ(Text(d, id), QString::fromLatin1(text)) << id;
        EXPECT_EQ(Checked(d, IDC_BG_ADJUST_RIB), 1);

        // Sections are typed in the mask's form: the "x" comes by itself.
        Enter(ribs, 2, 0, QStringLiteral("150x12"));
        Enter(ribs, 7, 0, QStringLiteral("300x30"));
        Enter(ribs, 1, 1, QStringLiteral("12345"));
        EXPECT_EQ(Cell(ribs, 1, 1), QStringLiteral("123x45"));
        Step(d, IDC_BG_COMP_RIBS_SPIN, 1);
        Step(d, IDC_BG_TENS_RIBS_SPIN, -1);
        Type(d, IDC_BG_BOLTS_UPPER, "8");
        Press(d, IDC_BG_HOLE_DEDUCTION);
        EXPECT_EQ(Checked(d, IDC_BG_NET_AREA), 0);
        EXPECT_FALSE(Enabled(d, IDC_BG_NET_AREA));
        Spin(h, 1, 0, false);
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_DOUBLE_EQ(Box().m_adGirderHeight[1], 1.9999);
    EXPECT_EQ(Box().m_astrShape[0][2], QStringLiteral("150x12"));
    EXPECT_DOUBLE_EQ(Box().m_adRibWidth[0][2], 0.15);
    EXPECT_DOUBLE_EQ(Box().m_adRibThick[0][2], 0.012);
    EXPECT_DOUBLE_EQ(Box().m_adRibWidth[0][7], 0.3);
    EXPECT_DOUBLE_EQ(Box().m_adRibThick[1][1], 0.045);
    EXPECT_EQ(Box().m_nCompRibCount, 6);
    EXPECT_EQ(Box().m_nTensRibCount, 1);
    EXPECT_EQ(Box().m_nHoleBoltsUpper, 8);
    EXPECT_EQ(Box().m_bHoleDeduction, 0);
    EXPECT_EQ(Box().m_bNetArea11, 0);
    EXPECT_TRUE(StepDone());

    // With results: Cancel at the question keeps the dialog open and the members as they were.
    PretendResults();
    Answer({IDCANCEL});
    Open([this](CDialog* d) {
        Type(d, IDC_BG_COMP_RIBS, "7");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_EQ(Box().m_nCompRibCount, 6);
    });
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(g_bResultsValid, 1);
}

TEST_F(GirderDataTest, RibTextTheFileCannotHoldIsRefusedAtItsCell)
{
    MakeDesign(IDC_FORM_BOX, "3");
    Open([this](CDialog* d) {
        CTableGrid& ribs = Table(d, IDC_BG_RIB_TABLE);
        // The mask keeps such characters from being typed; pasting still brings them.
        ribs.GotoCell(1, 2);
        ASSERT_TRUE(AfxSetClipboardText(QStringLiteral("160x😀")));
        ribs.Paste();
        ribs.GotoCell(0, 0);
        Type(d, IDC_BG_COMP_RIBS, "7");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_EQ(ribs.GetCurrentCol(), 1);
        EXPECT_EQ(ribs.GetCurrentRow(), 2);
        EXPECT_EQ(Box().m_astrShape[1][2], QStringLiteral("160x16"));
        EXPECT_EQ(Box().m_nCompRibCount, 5);
        Enter(ribs, 2, 1, QStringLiteral("17018"));
        OK(d);
        EXPECT_EQ(d->GetModalResult(), IDOK);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("SM490 の 3 行目の「😀」はデータファイルに保存できない文字です。\n"
                                                  "別の文字に置き換えて下さい。")});
    EXPECT_EQ(Box().m_astrShape[1][2], QStringLiteral("170x18"));
    EXPECT_EQ(Box().m_nCompRibCount, 7);
}

TEST_F(GirderDataTest, SingleBoxHasOneHeightForAllItsGirders)
{
    MakeDesign(IDC_FORM_BOX, "1");
    ASSERT_EQ(g_nBridgeType, 2);
    Open([](CDialog* d) {
        CTableGrid& h = Table(d, IDC_BG_HEIGHT_TABLE);
        ASSERT_EQ(h.GetNumberRows(), 1);
        EXPECT_EQ(Cell(h, 0, -1), QStringLiteral("G1"));
        Enter(h, 0, 0, QStringLiteral("2500"));
        OK(d);
    });
    for (int g = 0; g < g_nGirders; ++g)
        EXPECT_DOUBLE_EQ(Box().m_adGirderHeight[g], 2.5) << g;
}

TEST_F(GirderDataTest, RibPanelDivisionSetsTheRibsOfEveryPanel)
{
    MakeDesign(IDC_FORM_BOX, "2");
    CMarivoltenDoc& doc = *g_pDoc;
    // 5.0 m panels: the whole part of 5.0 / 1.99.
    ASSERT_EQ(doc.m_dlgRibPanel.m_bResetRibs, 1);
    EXPECT_EQ(doc.m_anRibsPerPanel[11], 2);
    auto ribPanels = [this](std::function<void(CDialog*)> drive) {
        Open([drive](CDialog* box) {
            AfxSetModalHook([drive](CDialog* d) {
                drive(d);
                if (d->GetModalResult() == -1)
                    d->SendMessage(WM_COMMAND, IDCANCEL);
            });
            Press(box, IDC_BG_RIB_PANELS);
            OK(box);
        });
    };
    ribPanels([](CDialog* d) {
        CTableGrid& t = Table(d, IDC_RIB_PANEL_TABLE);
        ASSERT_EQ(t.GetNumberRows(), 12);
        EXPECT_EQ(Cell(t, -1, -1), QStringLiteral("支間 - ﾊﾟﾈﾙ"));
        EXPECT_EQ(Cell(t, -1, 0), QStringLiteral("分割数"));
        EXPECT_EQ(Cell(t, 11, -1), QStringLiteral("   2 -   6"));
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("2"));
        EXPECT_EQ(Text(d, IDC_RIB_THICKNESS), QStringLiteral("10"));
        // Spin steps run 1..30 round.
        Enter(t, 0, 0, QStringLiteral("30"));
        Spin(t, 0, 0, true);
        EXPECT_EQ(Cell(t, 0, 0), QStringLiteral("1"));
        Spin(t, 1, 0, false);
        Spin(t, 1, 0, false);
        EXPECT_EQ(Cell(t, 1, 0), QStringLiteral("30"));
        Enter(t, 2, 0, QStringLiteral("-1"));
        EXPECT_EQ(Cell(t, 2, 0), QStringLiteral("2"));
        Enter(t, 11, 0, QStringLiteral("7"));
        Type(d, IDC_RIB_THICKNESS, "0.5");
        OK(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        Type(d, IDC_RIB_THICKNESS, "12");
        OK(d);
    });
    EXPECT_EQ(m_shown, (QStringList{QStringLiteral("0 から 1000 までの数値を入力して下さい。"),
                                    QStringLiteral("1 から 100 までの数値を入力してください。")}));
    const int expected[12] = {1, 30, 2, 2, 2, 2, 2, 2, 2, 2, 2, 7};
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(doc.m_anRibsPerPanel[k], expected[k]) << k;
    EXPECT_EQ(doc.m_dlgRibPanel.m_bResetRibs, 0);
    EXPECT_EQ(doc.m_dlgRibPanel.m_dTransRibThick, 12.0);
    // Set by hand, they outlive a rebuild.
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    EXPECT_EQ(doc.m_anRibsPerPanel[0], 1);

    // Cancel of the box dialog takes back what its rib panel dialog confirmed.
    Open([](CDialog* box) {
        AfxSetModalHook([](CDialog* d) {
            Enter(Table(d, IDC_RIB_PANEL_TABLE), 0, 0, QStringLiteral("9"));
            OK(d);
        });
        Press(box, IDC_BG_RIB_PANELS);
        box->SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(doc.m_anRibsPerPanel[0], 1);
}
