// The cross-beam arrangement window driven through its table's spin and check cells and its buttons.
#include "common/shell_fixture.h"
#include "input/modeless_dialogs.h"
#include "common/dialog_input.h"

#include <QImage>
#include <QTemporaryDir>
#include <functional>

using namespace dialoginput;

namespace {

const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");
const QString kResetNotice = QStringLiteral("横桁配置を初期化します。\n＜横桁配置＞入力で横桁配置、分配/非分配を再設定して下さい。");
constexpr int KIND = CSetupCrossBeamGrid::COL_KIND;
constexpr int DIST = CSetupCrossBeamGrid::COL_DISTRIBUTING;

class CrossBeamTest : public ShellTest {
protected:
    void TearDown() override
    {
        Dlg().ShowWindow(SW_HIDE);
        ShellTest::TearDown();
    }
    // A confirmed design through the basic conditions; `more` sets further controls.
    void MakeDesign(const char* spans, std::function<void(CDialog*)> more = {})
    {
        ConfirmBasic(QString::fromLatin1(spans), more);
        ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
        m_shown.clear();
    }
    // The span dialog with the panel counts of the first spans typed in (the bridge long enough).
    void SetPanels(std::initializer_list<const char*> counts)
    {
        RunModal(ID_SETUP_SPAN, [=](CDialog* d) {
            CTableGrid& t = *dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_SPAN_TABLE));
            int row = 0;
            for (const char* n : counts)
                Enter(t, row++, 1, QString::fromLatin1(n));
            Type(d, IDC_BRIDGE_LENGTH, QStringLiteral("100000"));
            Ok(d);
        });
    }
    static void Box(CDialog* d, const char* girders)
    {
        dialoginput::Press(d, IDC_FORM_BOX);
        Type(d, IDC_GIRDERS, QString::fromLatin1(girders));
    }
    static CSetupCrossBeamDialog& Dlg() { return *g_pCrossBeamDlg; }
    static CSetupCrossBeamGrid& Table() { return Dlg().m_grid; }
    static void Show()
    {
        if (!Dlg().IsWindowVisible())
            Command(ID_SETUP_CROSS_BEAM);
        gridui::Activate(&Dlg());
    }
    static CWnd* UpdateButton() { return Dlg().GetDlgItem(IDC_CB_UPDATE); }
    static void Press(int id) { dialoginput::Press(&Dlg(), id); }
    static CGridCell Shown(int row, int col)
    {
        CGridCell c;
        Table().GetCellIndirect(col, row, &c);
        return c;
    }
    static int Kind(int row) { return int(Shown(row, KIND).GetNumber()); }
    static int Distributing(int row) { return int(Shown(row, DIST).GetNumber()); }
    // Clicks into the box of a distribution cell.
    static void Check(int row)
    {
        Table().GotoCell(DIST, row);
        CRect r;
        Table().GetCellRect(DIST, row, &r);
        gridui::Click(Table().m_area.GetWidget(), QPoint(r.left + 5, (r.top + r.bottom) / 2));
    }
    static std::vector<int> Kinds()
    {
        std::vector<int> k;
        for (int r = 0; r < Table().GetNumberRows(); ++r)
            k.push_back(Kind(r));
        return k;
    }
    static QString StepCaption() { return g_pMainFrame->m_wndSetupBar.GetDlgItem(ID_SETUP_CROSS_BEAM)->GetWindowText(); }
    static void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
};

}

TEST_F(CrossBeamTest, PlateGirderSpansOfFourAndFivePanels)
{
    MakeDesign("2");
    SetPanels({"4", "5"});
    Show();
    EXPECT_EQ(Dlg().GetWindowText(), QStringLiteral("横桁配置"));
    ASSERT_EQ(Table().GetNumberRows(), 10);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 1, 3, 1, 1, 1, 1, 0}));
    EXPECT_EQ(Shown(-1, -1).GetText(), QStringLiteral("断面No."));
    EXPECT_EQ(Shown(-1, KIND).GetText(), QStringLiteral("横桁種類"));
    EXPECT_EQ(Shown(-1, DIST).GetText(), QStringLiteral("分配"));
    EXPECT_EQ(Shown(0, -1).GetText(), QStringLiteral("C  1 △"));
    EXPECT_EQ(Shown(3, -1).GetText(), QStringLiteral("C  4"));
    EXPECT_EQ(Shown(4, -1).GetText(), QStringLiteral("C  5 △"));
    EXPECT_EQ(Shown(9, -1).GetText(), QStringLiteral("C 10 △"));
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(Distributing(r), 0) << r;
    // The kind shows by its name (its colours are seen below) and is not typed over.
    EXPECT_EQ(Shown(0, KIND).GetChoiceList(), QStringLiteral("端対傾構"));
    EXPECT_EQ(Shown(4, KIND).GetChoiceList(), QStringLiteral("中間支点上対傾構"));
    EXPECT_EQ(Shown(4, KIND).GetTextColor(), RGB(255, 255, 255));
    Enter(Table(), 1, KIND, QStringLiteral("2"));
    EXPECT_EQ(Kind(1), 1);
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(CrossBeamTest, SpinsAndChecksAreAppliedByTheUpdate)
{
    MakeDesign("2");
    SetPanels({"4", "5"});
    Show();
    ASSERT_EQ(StepCaption(), QStringLiteral("　横桁配置"));
    g_pDoc->SetModifiedFlag(FALSE);
    // The kinds run round: up from the last comes the first, down from the first the last.
    Spin(Table(), 1, KIND, true);
    Spin(Table(), 2, KIND, true);
    Spin(Table(), 2, KIND, true);
    Spin(Table(), 4, KIND, true);
    Spin(Table(), 9, KIND, false);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 2, 3, 1, 0, 1, 1, 1, 1, 3}));
    EXPECT_EQ(Shown(1, KIND).GetChoiceList(), QStringLiteral("横桁"));
    EXPECT_EQ(Shown(1, KIND).GetBackColor(), RGB(0, 0, 255));
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新"));
    EXPECT_TRUE(UpdateButton()->IsWindowEnabled());
    Check(1);
    Check(6);
    Check(6);
    Check(7);
    EXPECT_EQ(Distributing(1), 1);
    EXPECT_EQ(Distributing(6), 0);
    EXPECT_EQ(Distributing(7), 1);
    // Nothing is stored before the update.
    EXPECT_EQ(Dlg().m_anMemberKind[1], INTERMEDIATE_SWAY_BRACING);

    const int rebuilds = g_pDoc->m_nRebuildCount;
    Press(IDC_CB_UPDATE);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_TRUE(m_shown.isEmpty());
    const int kinds[10] = {0, 2, 3, 1, 0, 1, 1, 1, 1, 3};
    EXPECT_TRUE(std::equal(kinds, kinds + 10, Dlg().m_anMemberKind));
    EXPECT_EQ(Dlg().m_abDistributing[1], 1);
    EXPECT_EQ(Dlg().m_abDistributing[6], 0);
    EXPECT_EQ(Dlg().m_abDistributing[7], 1);
    EXPECT_EQ(Dlg().m_bResetArrangement, 0);
    EXPECT_EQ(StepCaption(), QStringLiteral("〆横桁配置"));
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_EQ(UpdateButton()->GetWindowText(), QStringLiteral("更新済み"));
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());

    // The plan's records follow: point 7 is the third of span 2, and two distributing points
    // make (girders - 1) cross members each.
    const CPanelPointRecord& p1 = g_pDoc->m_aSpans[0].m_aPanelPoints[1];
    const CPanelPointRecord& p7 = g_pDoc->m_aSpans[1].m_aPanelPoints[3];
    EXPECT_EQ(p1.m_nMemberKind, CROSS_BEAM);
    EXPECT_EQ(p1.m_bDistributing, 1);
    EXPECT_EQ(p7.m_bDistributing, 1);
    EXPECT_EQ(g_pDoc->m_aSpans[1].m_aPanelPoints[0].m_nMemberKind, END_SWAY_BRACING);
    EXPECT_EQ(g_pDoc->m_nCrossMemberCount, 2 * (g_nGirders - 1));
    EXPECT_GT(p1.m_nMemberNo, 0);
    EXPECT_GT(p1.m_dInertia, 0.0);
}

TEST_F(CrossBeamTest, BoxGirdersKeepTheirFixedArrangement)
{
    struct Case { const char* girders; int kind; int distributing; const char* name; };
    for (const Case& c : {Case{"3", CROSS_BEAM, 1, "横桁"}, Case{"1", INTERMEDIATE_SWAY_BRACING, 0, "中間対傾構"}}) {
        MakeDesign("1", [&c](CDialog* d) { Box(d, c.girders); });
        Show();
        ASSERT_EQ(Table().GetNumberRows(), 7) << c.girders;
        for (int r = 0; r < 7; ++r) {
            EXPECT_EQ(Kind(r), c.kind) << c.girders << " " << r;
            EXPECT_EQ(Distributing(r), c.distributing) << c.girders << " " << r;
        }
        EXPECT_EQ(Shown(3, KIND).GetChoiceList(), QString::fromUtf8(c.name));
        // The spin does nothing at all; the check box falls back.
        Spin(Table(), 0, KIND, true);
        Spin(Table(), 3, KIND, false);
        EXPECT_EQ(Kind(0), c.kind);
        EXPECT_EQ(Kind(3), c.kind);
        EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
        Check(2);
        EXPECT_EQ(Distributing(2), c.distributing) << c.girders;
        Press(IDC_CB_UPDATE);
        EXPECT_EQ(Dlg().m_anMemberKind[3], c.kind);
        EXPECT_EQ(Dlg().m_abDistributing[2], c.distributing);
        EXPECT_EQ(g_pDoc->m_aSpans[0].m_aPanelPoints[2].m_bDistributing, c.distributing);
        Dlg().ShowWindow(SW_HIDE);
    }
}

TEST_F(CrossBeamTest, ResultsAreAskedAboutOnce)
{
    MakeDesign("1");
    Show();
    PretendResults();
    Spin(Table(), 2, KIND, true);
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Answer({IDCANCEL});
    Press(IDC_CB_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    EXPECT_EQ(Dlg().m_anMemberKind[2], INTERMEDIATE_SWAY_BRACING);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_TRUE(UpdateButton()->IsWindowEnabled());
    EXPECT_EQ(Kind(2), CROSS_BEAM);

    m_shown.clear();
    Answer({IDOK});
    Press(IDC_CB_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_EQ(Dlg().m_anMemberKind[2], CROSS_BEAM);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
}

TEST_F(CrossBeamTest, ShowingAgainDropsEditsAndANewLayoutStartsAgain)
{
    MakeDesign("2");
    Show();
    Spin(Table(), 1, KIND, true);
    Press(IDC_CB_UPDATE);
    // Enter and Escape leave the window open.
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return)}) {
        gridui::Key(Dlg().GetWidget(), key);
        EXPECT_TRUE(Dlg().IsWindowVisible()) << key;
    }
    // "閉じる" hides it, and the edits go.
    Spin(Table(), 2, KIND, true);
    Check(3);
    Press(ID_SETUP_CROSS_BEAM);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Show();
    EXPECT_EQ(Kind(1), CROSS_BEAM);
    EXPECT_EQ(Kind(2), INTERMEDIATE_SWAY_BRACING);
    EXPECT_EQ(Distributing(3), 0);
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
    Dlg().ShowWindow(SW_HIDE);

    // Other panel counts: the user is told once, and the window shows the new default.
    m_shown.clear();
    SetPanels({"4"});
    EXPECT_EQ(m_shown.count(kResetNotice), 1);
    EXPECT_EQ(Dlg().m_bResetArrangement, 1);
    Show();
    EXPECT_EQ(Table().GetNumberRows(), 11);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 1, 1, 3, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(Dlg().m_bResetArrangement, 0);
}

TEST_F(CrossBeamTest, EditsLeftOverFromAnotherDesignAreNotApplied)
{
    MakeDesign("2");
    Show();
    Spin(Table(), 0, KIND, true);
    g_pDoc->SetModifiedFlag(FALSE);
    Command(ID_FILE_NEW);
    ASSERT_EQ(g_nSpans, 0);
    ASSERT_TRUE(Dlg().IsWindowVisible());
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Press(IDC_CB_UPDATE);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    EXPECT_TRUE(static_cast<const CrossBeamArrangementData&>(Dlg()) == CrossBeamArrangementData());
    EXPECT_EQ(Table().GetNumberRows(), 1);
    EXPECT_FALSE(UpdateButton()->IsWindowEnabled());
}

TEST_F(CrossBeamTest, KindsAreSeenInTheirColours)
{
    MakeDesign("2");
    SetPanels({"4", "5"});
    Show();
    Spin(Table(), 2, KIND, true);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString file = dir.filePath(QStringLiteral("cross_beam.png"));
    if (const QByteArray keep = qgetenv("MV_CROSS_BEAM_PICTURE"); !keep.isEmpty())
        file = QString::fromLocal8Bit(keep);
    ASSERT_TRUE(AfxSaveWindowImage(&Dlg(), file));
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    const QPoint origin = Table().m_area.GetWidget()->mapTo(Dlg().GetWidget(), QPoint(0, 0));
    // A pixel near the left of a kind cell, clear of its text.
    auto colourAt = [&](int row) {
        CRect r;
        Table().GetCellRect(KIND, row, &r);
        return image.pixelColor(origin.x() + r.left + 4, origin.y() + r.top + 3);
    };
    EXPECT_EQ(colourAt(0), QColor(255, 255, 0));
    EXPECT_EQ(colourAt(2), QColor(0, 0, 255));
    EXPECT_EQ(colourAt(4), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(9), QColor(255, 255, 0));
}
