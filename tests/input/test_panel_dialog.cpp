// The panel division and girder type window driven by its controls and table cells.
#include "panel_fixture.h"

#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "framework/dc.h"
#include "framework/wndextras.h"
#include "input/panel_picture.h"

namespace {

using G = CSetupPanelGrid1;
const QString kResultsQuestion = QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。");
const QString kSumMessage = QStringLiteral("パネル長の合計値が支間長と一致するように設定して下さい。");
constexpr double kDegree = 3.14159265359 / 180.0;

void PretendResults()
{
    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
}

double StoredSum(int s)
{
    double sum = 0.0;
    for (int k = 0; k < g_anPanelCount[s]; ++k)
        sum += g_adPanelLength[s][k];
    return sum;
}

// One span of three panels (m) before the window is shown.
void ThreePanels(double a, double b, double c)
{
    g_anPanelCount[0] = 3;
    g_adPanelLength[0][0] = a;
    g_adPanelLength[0][1] = b;
    g_adPanelLength[0][2] = c;
}

}

TEST_F(PanelTest, ShowsTheSpanAndLocksTheSpinForOneSpan)
{
    MakeDesign("1");
    Open();
    EXPECT_EQ(Text(IDC_PANEL_SPAN_NO), QStringLiteral("  1"));
    EXPECT_EQ(Text(IDC_PANEL_SUM), QStringLiteral(" 30000.00"));
    EXPECT_EQ(Text(IDC_PANEL_SPAN_LENGTH), QStringLiteral(" 30000.00"));
    for (int id : {IDC_PANEL_SPAN_SPIN, IDC_PANEL_SPAN_LABEL, IDC_PANEL_SPIN_LABEL, IDC_PANEL_UPDATE})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新済み"));
    CSetupPanelGrid2& panels = Dlg().m_gridPanels;
    ASSERT_EQ(panels.GetNumberRows(), 6);
    EXPECT_EQ(Shown(panels, 5, 0), QStringLiteral("5000.00"));
    CSetupPanelGrid1& values = Dlg().m_gridValues;
    EXPECT_EQ(Shown(values, G::ROW_L, 0), QStringLiteral("3450.0"));
    EXPECT_EQ(Shown(values, G::ROW_W, 1), QStringLiteral("2300.0"));
    EXPECT_EQ(Shown(values, G::ROW_THETA, 0), QStringLiteral("90.0"));
    EXPECT_EQ(Shown(values, G::ROW_GIRDER, 0), QStringLiteral("直線"));
    EXPECT_EQ(Shown(values, G::ROW_CROSSBEAM, 0), QStringLiteral("骨組基本線に直交"));
    // A straight base line shows "∞" and keeps its radius for when it turns into an arc.
    EXPECT_EQ(Shown(values, G::ROW_BASE, 1), QStringLiteral("∞"));
    EXPECT_DOUBLE_EQ(values.Value(1, G::ROW_BASE), -100.0);
    EXPECT_EQ(Dlg().m_nPicture, 131);

    Press(ID_SETUP_PANEL);
    EXPECT_FALSE(Dlg().IsWindowVisible());
}

TEST_F(PanelTest, UpdateStoresPanelsThatSumToTheSpan)
{
    MakeDesign("1");
    g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 1);
    Open();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    CSetupPanelGrid2& panels = Dlg().m_gridPanels;

    // 0.1 mm short is refused, nothing stored.
    Enter(panels, 0, 0, QStringLiteral("4999.9"));
    EXPECT_EQ(Shown(panels, 0, 0), QStringLiteral("4999.90"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新"));
    EXPECT_TRUE(Enabled(IDC_PANEL_UPDATE));
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kSumMessage});
    EXPECT_EQ(g_adPanelLength[0][0], 5.0);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x4, 0);

    // 0.05 mm short passes; the last panel takes the difference so the span adds up exactly.
    m_shown.clear();
    Enter(panels, 0, 0, QStringLiteral("4999.95"));
    EXPECT_EQ(Text(IDC_PANEL_SUM), QStringLiteral(" 29999.95"));
    Press(IDC_PANEL_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_DOUBLE_EQ(g_adPanelLength[0][0], 4.99995);
    EXPECT_NEAR(g_adPanelLength[0][5], 5.00005, 1e-12);
    EXPECT_EQ(StoredSum(0), g_adSpanLength[0]);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_EQ(g_pMainFrame->m_nStepMask & (0x4 | 0x400), 0x4);
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新済み"));
    EXPECT_FALSE(Enabled(IDC_PANEL_UPDATE));
}

TEST_F(PanelTest, ResultsQuestionGuardsTheUpdate)
{
    MakeDesign("1");
    Open();
    PretendResults();
    Enter(Dlg().m_gridValues, G::ROW_W, 0, QStringLiteral("2400"));
    Answer({IDCANCEL});
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_DOUBLE_EQ(Dlg().m_adGirderSpacing[0][0], 2.3);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(Shown(Dlg().m_gridValues, G::ROW_W, 0), QStringLiteral("2400.0"));

    m_shown.clear();
    Answer({IDOK});
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_DOUBLE_EQ(Dlg().m_adGirderSpacing[0][0], 2.4);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_bResultsValid, 0);
}

TEST_F(PanelTest, HandSetJointsAskTheLongQuestionAlone)
{
    MakeDesign("1");
    Open();
    PretendResults();
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    Spin(Dlg().m_gridValues, G::ROW_W, 1, false);
    Answer({IDOK});
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral(
                           "格子計算、断面計算の結果が無効になります。また、主桁継ぎ手位置を初期化します。\nよろしいですか。")});
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_DOUBLE_EQ(Dlg().m_adGirderSpacing[0][1], 2.2);
}

// Values typed as the table shows them are no change of framing: hand-set joints stay, and
// with results only the short question is asked.
TEST_F(PanelTest, RetypedValuesKeepHandSetJoints)
{
    MakeDesign("1");
    Dlg().m_adSkew[0][0] = 90.0 * 3.14159265359 / 180.0;
    Dlg().m_adGirderSpacing[0][0] = 2.3;
    Open();
    PretendResults();
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    Enter(Dlg().m_gridValues, G::ROW_THETA, 0, QStringLiteral("90"));
    Enter(Dlg().m_gridValues, G::ROW_W, 0, QStringLiteral("2300"));
    Answer({IDOK});
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 1);
    // A value that shows differently is a change.
    PretendResults();
    m_shown.clear();
    Enter(Dlg().m_gridValues, G::ROW_THETA, 0, QStringLiteral("89.9"));
    Answer({IDOK});
    Press(IDC_PANEL_UPDATE);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].contains(QStringLiteral("主桁継ぎ手位置を初期化します")));
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 0);
}

TEST_F(PanelTest, PanelButtonsChangeTheTableOnly)
{
    MakeDesign("1");
    ThreePanels(5.0, 15.0, 10.0);
    Open();
    PretendResults();
    CSetupPanelGrid2& panels = Dlg().m_gridPanels;

    Press(IDC_PANEL_ALL_ZERO);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Shown(panels, r, 0), QStringLiteral("0.00"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新済み"));
    EXPECT_EQ(Text(IDC_PANEL_SUM), QStringLiteral("     0.00"));

    Enter(panels, 0, 0, QStringLiteral("10000"));
    Press(IDC_PANEL_EQUAL_ZEROS);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(Shown(panels, r, 0), QStringLiteral("10000.00"));
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_adPanelLength[0][0], 5.0);
    EXPECT_EQ(g_adPanelLength[0][1], 15.0);
    EXPECT_EQ(g_bResultsValid, 1);

    // The stored lengths change at the update, with the results question.
    Answer({IDOK});
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(g_adPanelLength[0][k], 10.0);

    // All to zero and back to equal panels; zero panels are never stored.
    m_shown.clear();
    Press(IDC_PANEL_ALL_ZERO);
    Enter(panels, 0, 0, QStringLiteral("15000"));
    Enter(panels, 1, 0, QStringLiteral("15000"));
    Press(IDC_PANEL_UPDATE);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("パネル長は正の値を設定して下さい。")});
    EXPECT_EQ(g_adPanelLength[0][2], 10.0);
    Press(IDC_PANEL_EQUAL_ALL);
    EXPECT_EQ(Shown(panels, 2, 0), QStringLiteral("10000.00"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新"));
}

TEST_F(PanelTest, PanelSpinSteps)
{
    MakeDesign("1");
    ThreePanels(0.8, 1.05, 100.0);
    Open();
    CSetupPanelGrid2& panels = Dlg().m_gridPanels;
    Spin(panels, 0, 0, true);
    EXPECT_EQ(Shown(panels, 0, 0), QStringLiteral("1000.00"));
    Spin(panels, 0, 0, false);
    EXPECT_EQ(Shown(panels, 0, 0), QStringLiteral("1000.00"));
    Spin(panels, 1, 0, false);
    EXPECT_EQ(Shown(panels, 1, 0), QStringLiteral("950.00"));
    Spin(panels, 2, 0, true);
    EXPECT_EQ(Shown(panels, 2, 0), QStringLiteral("100000.00"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新"));
    EXPECT_EQ(Text(IDC_PANEL_SUM), QStringLiteral("101950.00"));
    EXPECT_EQ(g_adPanelLength[0][0], 0.8);
}

TEST_F(PanelTest, ChoiceRowsKeepGirderAndBaseLineTogether)
{
    MakeDesign("1");
    Open();
    CSetupPanelGrid1& values = Dlg().m_gridValues;
    Spin(values, G::ROW_GIRDER, 0, true);
    EXPECT_EQ(Shown(values, G::ROW_GIRDER, 0), QStringLiteral("円弧"));
    EXPECT_EQ(Shown(values, G::ROW_BASE, 0), QStringLiteral("円弧"));
    EXPECT_EQ(Shown(values, G::ROW_BASE, 1), QStringLiteral("-100.0"));
    CGridCell radius;
    values.GetCell(1, G::ROW_BASE, &radius);
    EXPECT_EQ(radius.GetReadOnly(), 0);
    EXPECT_EQ(Dlg().m_nPicture, 154);
    Spin(values, G::ROW_BASE, 1, true);
    EXPECT_EQ(Shown(values, G::ROW_BASE, 1), QStringLiteral("-90.0"));

    Spin(values, G::ROW_BASE, 0, false);
    EXPECT_EQ(Shown(values, G::ROW_BASE, 0), QStringLiteral("直線"));
    EXPECT_EQ(Shown(values, G::ROW_GIRDER, 0), QStringLiteral("直線"));
    EXPECT_EQ(Shown(values, G::ROW_BASE, 1), QStringLiteral("∞"));

    // The radius of a straight base line cannot be stepped.
    const int beeps = AfxGetBeepCount();
    Spin(values, G::ROW_BASE, 1, true);
    EXPECT_EQ(AfxGetBeepCount(), beeps + 1);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("骨組み基本線のﾀｲﾌﾟを「円弧」とすると曲率半径が設定できます。")});
    EXPECT_DOUBLE_EQ(values.Value(1, G::ROW_BASE), -90.0);

    Spin(values, G::ROW_CROSSBEAM, 0, false);
    EXPECT_EQ(Shown(values, G::ROW_CROSSBEAM, 0), QStringLiteral("主桁に直交"));
    Spin(values, G::ROW_CROSSBEAM, 0, true);
    Spin(values, G::ROW_CROSSBEAM, 0, true);
    EXPECT_EQ(Shown(values, G::ROW_CROSSBEAM, 0), QStringLiteral("θ1に揃える"));
    EXPECT_EQ(Dlg().m_nPicture, 132);

    // Stored with "∞" shown, the radius is the number, not 0.
    m_shown.clear();
    Press(IDC_PANEL_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(Dlg().m_anBaseLineType[0], 0);
    EXPECT_EQ(Dlg().m_anCrossBeamDir[0], 1);
    EXPECT_DOUBLE_EQ(Dlg().m_adBaseRadius[0], -90.0);
}

TEST_F(PanelTest, SingleBoxNamesItsWebSpacing)
{
    MakeDesign("1", true, "1");
    Open();
    CGridCell heading;
    Dlg().m_gridValues.GetCell(-1, G::ROW_W, &heading);
    EXPECT_EQ(heading.GetText(), QStringLiteral("ｳｪﾌﾞ間隔 /２ W(mm)"));
    EXPECT_EQ(Dlg().m_nPicture, 1493);
}

TEST_F(PanelTest, RefusesUnsoundFraming)
{
    MakeDesign("2");
    Open();
    CSetupPanelGrid1& values = Dlg().m_gridValues;
    const PanelDivisionData before = Dlg();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    auto refused = [&](const char* message) {
        m_shown.clear();
        Press(IDC_PANEL_UPDATE);
        EXPECT_EQ(m_shown, QStringList{QString::fromUtf8(message)});
        m_shown.clear();
        StepSpan(1);
        EXPECT_EQ(m_shown, QStringList{QString::fromUtf8(message)});
        EXPECT_EQ(Dlg().m_nSpan, 0);
        EXPECT_TRUE(before == Dlg());
        EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds);
    };

    Spin(values, G::ROW_GIRDER, 0, true);
    Enter(values, G::ROW_BASE, 1, QStringLiteral("-9.5"));
    refused("設定された曲率半径が小さすぎます。");
    Enter(values, G::ROW_BASE, 1, QStringLiteral("-120"));

    // Stepped down past zero, the spacing would turn the deck inside out.
    for (int i = 0; i < 24; ++i)
        Spin(values, G::ROW_W, 0, false);
    EXPECT_EQ(Shown(values, G::ROW_W, 0), QStringLiteral("-100.0"));
    refused("主桁間隔は正の値を設定して下さい。");
    Enter(values, G::ROW_W, 0, QStringLiteral("2300"));

    Enter(values, G::ROW_L, 1, QStringLiteral("0"));
    refused("基本線－G1桁の距離は正の値を設定して下さい。");
    Enter(values, G::ROW_L, 1, QStringLiteral("3450"));

    Enter(values, G::ROW_THETA, 1, QStringLiteral("121"));
    refused("ｽｷｭｰ角は60度から120度の範囲で設定して下さい。");
    Enter(values, G::ROW_THETA, 1, QStringLiteral("60"));

    m_shown.clear();
    Press(IDC_PANEL_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_DOUBLE_EQ(Dlg().m_adBaseRadius[0], -120.0);
    EXPECT_NEAR(Dlg().m_adSkew[0][1], 60.0 * kDegree, 1e-12);
    EXPECT_NEAR(Dlg().m_adSkew[1][0], 60.0 * kDegree, 1e-12);
}

TEST_F(PanelTest, UpdateOfAMiddleSpanCarriesItsSupportsToItsNeighbours)
{
    MakeDesign("3");
    Open();
    EXPECT_TRUE(Enabled(IDC_PANEL_SPAN_SPIN));
    StepSpan(1);
    ASSERT_EQ(Dlg().m_nSpan, 1);
    EXPECT_EQ(Text(IDC_PANEL_SPAN_NO), QStringLiteral("  2"));
    CSetupPanelGrid1& values = Dlg().m_gridValues;
    Enter(values, G::ROW_L, 0, QStringLiteral("3000"));
    Enter(values, G::ROW_L, 1, QStringLiteral("3100"));
    Enter(values, G::ROW_W, 1, QStringLiteral("2200"));
    Enter(values, G::ROW_THETA, 0, QStringLiteral("80"));
    Enter(values, G::ROW_THETA, 1, QStringLiteral("100"));
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Press(IDC_PANEL_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    const CSetupPanelDialog& d = Dlg();
    EXPECT_DOUBLE_EQ(d.m_adBaseToG1[0][1], 3.0);
    EXPECT_DOUBLE_EQ(d.m_adBaseToG1[2][0], 3.1);
    EXPECT_DOUBLE_EQ(d.m_adGirderSpacing[2][0], 2.2);
    EXPECT_DOUBLE_EQ(d.m_adGirderSpacing[0][1], 2.3);
    EXPECT_NEAR(d.m_adSkew[0][1], 80.0 * kDegree, 1e-12);
    EXPECT_NEAR(d.m_adSkew[2][0], 100.0 * kDegree, 1e-12);
    EXPECT_DOUBLE_EQ(d.m_adBaseToG1[0][0], 3.45);
    // The cross-section window's support stations follow the skews.
    const std::vector<int> first = SupportStations();
    EXPECT_NEAR(g_pCrossSectionDlg->m_arrTheta[size_t(first[1])], 80.0 * kDegree, 1e-12);
    EXPECT_NEAR(g_pCrossSectionDlg->m_arrTheta[size_t(first[2])], 100.0 * kDegree, 1e-12);
    EXPECT_EQ(Shown(values, G::ROW_THETA, 1), QStringLiteral("100.0"));
}

TEST_F(PanelTest, SpanSwitchAsksOnlyOverUnappliedEditsAndStaysInBounds)
{
    MakeDesign("3");
    Open();
    PretendResults();
    CSetupPanelGrid1& values = Dlg().m_gridValues;
    Enter(values, G::ROW_W, 1, QStringLiteral("2400"));

    // A lock from outside holds until the next accepted edit.
    Dlg().SendMessage(WM_PANEL_LOCK_SPAN, 0, 0);
    EXPECT_FALSE(Enabled(IDC_PANEL_SPAN_SPIN));
    Enter(values, G::ROW_W, 1, QStringLiteral("2400"));
    EXPECT_TRUE(Enabled(IDC_PANEL_SPAN_SPIN));

    // Past the first span nothing is asked and nothing changes.
    StepSpan(-1);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(Dlg().m_nSpan, 0);
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新"));

    Answer({IDCANCEL});
    StepSpan(1);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(Dlg().m_nSpan, 0);
    EXPECT_DOUBLE_EQ(Dlg().m_adGirderSpacing[0][1], 2.3);

    m_shown.clear();
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Answer({IDOK});
    StepSpan(1);
    EXPECT_EQ(m_shown, QStringList{kResultsQuestion});
    EXPECT_EQ(Dlg().m_nSpan, 1);
    EXPECT_EQ(Text(IDC_PANEL_SPAN_NO), QStringLiteral("  2"));
    EXPECT_DOUBLE_EQ(Dlg().m_adGirderSpacing[0][1], 2.4);
    EXPECT_EQ(Shown(values, G::ROW_W, 0), QStringLiteral("2400.0"));
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新済み"));

    // Without unapplied edits the switch asks nothing, and the last span is the end.
    m_shown.clear();
    PretendResults();
    StepSpan(1);
    StepSpan(1);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(Dlg().m_nSpan, 2);
    EXPECT_EQ(g_bResultsValid, 1);
}

TEST_F(PanelTest, HiddenWindowKeepsUnappliedEditsWhileTheDesignStands)
{
    MakeDesign("2");
    Open();
    Enter(Dlg().m_gridPanels, 0, 0, QStringLiteral("4000"));
    Command(ID_SETUP_PANEL);
    EXPECT_FALSE(Dlg().IsWindowVisible());
    Open();
    EXPECT_EQ(Shown(Dlg().m_gridPanels, 0, 0), QStringLiteral("4000.00"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新"));

    // Another layout meanwhile: the window starts again from what is stored.
    Command(ID_SETUP_PANEL);
    MakeDesign("3");
    Open();
    EXPECT_EQ(Shown(Dlg().m_gridPanels, 0, 0), QStringLiteral("5000.00"));
    EXPECT_EQ(Text(IDC_PANEL_UPDATE), QStringLiteral("更新済み"));
}

TEST_F(PanelTest, PictureCellShowsTheFraming)
{
    MakeDesign("1");
    Open();
    Spin(Dlg().m_gridValues, G::ROW_GIRDER, 0, true);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("panel.png"));
    ASSERT_TRUE(AfxSaveWindowImage(&Dlg(), file));
    const QImage image(file);
    ASSERT_FALSE(image.isNull());
    CPanelPictureGrid& picture = Dlg().m_gridPicture;
    const QPoint origin = picture.m_area.GetWidget()->mapTo(Dlg().GetWidget(), QPoint(0, 0));
    CRect r;
    picture.GetCellRect(0, 0, &r);
    // The one cell fills the control, and the girders are drawn across it.
    EXPECT_GE(r.Height(), picture.m_area.GetWidget()->height() - 5);
    int girderPixels = 0, left = r.right, right = r.left;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (image.pixelColor(origin.x() + x, origin.y() + y) == QColor(0, 0, 170)) {
                ++girderPixels;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GT(girderPixels, 500);
    EXPECT_GT(right - left, r.Width() / 2);
}

TEST(PanelPicture, EachCaseHasItsOwnPicture)
{
    // Bridge type, girder line, cross-beam direction, base line.
    EXPECT_EQ(PanelPictureId(2, 0, 3, 0), 1493);
    EXPECT_EQ(PanelPictureId(2, 0, 0, 1), 1494);
    EXPECT_EQ(PanelPictureId(2, 1, 1, 0), 157);
    EXPECT_EQ(PanelPictureId(2, 1, 2, 1), 1495);
    const int straight[4][2] = {{131, 134}, {132, 182}, {133, 153}, {133, 1948}};
    const int arc[4][2] = {{157, 154}, {157, 155}, {157, 156}, {157, 154}};
    for (int type : {0, 1})
        for (int dir = 0; dir < 4; ++dir)
            for (int base = 0; base < 2; ++base) {
                EXPECT_EQ(PanelPictureId(type, 0, dir, base), straight[dir][base]);
                EXPECT_EQ(PanelPictureId(type, 1, dir, base), arc[dir][base]);
            }

    auto draw = [](int id) {
        CDC mem;
        mem.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&mem, 360, 220);
        mem.SelectObject(&bitmap);
        mem.FillSolidRect(CRect(0, 0, 360, 220), RGB(255, 255, 255));
        DrawPanelPicture(&mem, CRect(0, 0, 360, 220), id);
        mem.DeleteDC();
        return bitmap.GetImage() ? bitmap.GetImage()->copy() : QImage();
    };
    auto inked = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) != Qt::white;
        return n;
    };
    std::vector<QImage> images;
    for (int id : kPanelPictureIds) {
        images.push_back(draw(id));
        EXPECT_GT(inked(images.back()), 2000) << id;
    }
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j]) << kPanelPictureIds[i] << " " << kPanelPictureIds[j];
    EXPECT_EQ(inked(draw(135)), 0);
}
