// The document's geometry operations over the input windows, and the coordinate input
// sheet driven through its buttons, spins and tables as a person would.
#include "common/shell_fixture.h"

#include <functional>
#include <optional>
#include <QClipboard>
#include <QImage>
#include <QTemporaryDir>

#include "framework/format.h"
#include "framework/menu.h"
#include "framework/wndextras.h"
#include "common/dialog_input.h"
#include "input/modeless_dialogs.h"
#include "res/resources.h"

namespace {

class CoordinateTest : public ShellTest {
protected:
    void TearDown() override
    {
        if (g_pCoordinateSheet)
            g_pCoordinateSheet->ShowWindow(SW_HIDE);
        AfxSetModalHook({});
        ShellTest::TearDown();
    }
    // A confirmed design of one 30 m span in six panels through the basic conditions.
    void MakeDesign(const char* spans = "1")
    {
        dialoginput::ConfirmBasic(QString::fromLatin1(spans));
        ASSERT_EQ(g_nSpans, QString::fromLatin1(spans).toInt());
        m_shown.clear();
    }
    CCoordinateSheet& Sheet() { return *g_pCoordinateSheet; }
    CDialog* Page(int p) { return Sheet().Page(p); }
    static QString Text(CDialog* d, int id) { return dialoginput::Text(d, id); }
    static void Press(CDialog* d, int id) { dialoginput::Press(d, id); }
    static CTableGrid& Table(CDialog* d) { return *dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_COORD_TABLE)); }
    static QString Cell(CDialog* d, int row, int col) { return dialoginput::Cell(Table(d), row, col); }
    static void Enter(CDialog* d, int row, int col, const QString& value) { dialoginput::Enter(Table(d), row, col, value); }
    static void Spin(CDialog* d, int row, int col, bool up) { dialoginput::Spin(Table(d), row, col, up); }
    static void Step(CDialog* d, int spin, int delta) { dialoginput::Step(d, spin, delta); }
};

}

TEST_F(CoordinateTest, DocumentBuildsThePlanFromItsWindows)
{
    MakeDesign();
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_EQ(doc.m_aSpans.size(), 1u);
    EXPECT_EQ(g_nPanelPoints, 7);
    EXPECT_EQ(g_nCrossSections, 4);
    EXPECT_EQ(doc.m_nBuiltSpans, 1);
    EXPECT_EQ(doc.m_anBuiltPanels[0], 6);
    // The girders centre on the base line: G1 at (4 - 1) x 2.3 / 2.
    EXPECT_NEAR(g_pPanelDlg->m_adBaseToG1[0][0], 3.45, 1e-12);
    EXPECT_NEAR(doc.m_aSpans[0].m_aPanelPoints[3].m_aptGirder[0].y, 3.45, 1e-9);
    EXPECT_EQ(doc.m_nNodeCount, 28);
    EXPECT_EQ(doc.m_nSupportCount, 8);
    EXPECT_EQ(doc.m_nGirderMemberCount, 24);
    EXPECT_EQ(doc.m_aSpans[0].m_aPanelPoints[6].m_anNodes[3], 1507);
    for (CPolyline2D* e : doc.m_apEdgeLines) {
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->Count(), 61);
    }
    ASSERT_NE(doc.m_apGirderProfiles[3], nullptr);
    EXPECT_EQ(doc.m_apGirderProfiles[4], nullptr);
    EXPECT_EQ(doc.m_apGirderProfiles[0]->Count(), 101);
    EXPECT_EQ(doc.m_anRibsPerPanel[5], 2);
    EXPECT_DOUBLE_EQ(doc.GetAllowableDeflection(0, 1), 45.0);
    EXPECT_EQ(doc.m_bGeometryConsistent, 1);
    EXPECT_TRUE(m_shown.isEmpty());

    // Varying heights: the profile's mean becomes the girder's height.
    doc.m_dlgBasic.m_nHeightVariation = 0;
    g_pHeightDlg->m_anPointCount[0] = 1;
    g_pHeightDlg->m_adPointPos[1] = 15.0;
    for (int p = 0; p < 3; ++p)
        for (double& h : g_pHeightDlg->m_adPointHeight[p])
            h = p == 1 ? 2.5 : 2.0;
    g_pHeightDlg->m_nInterpolation = 0;
    doc.BuildGirderPolylines();
    doc.SetRepresentativeGirderHeights();
    EXPECT_EQ(doc.m_apGirderProfiles[0]->Count(), 201);
    EXPECT_NEAR(doc.m_adGirderHeight[2], 2.25, 1e-12);
    EXPECT_NEAR(doc.m_dlgPlateGirder.m_adGirderHeight[2], 2.25, 1e-12);

    // Change points that no longer fit their span are spread over it again.
    g_pHeightDlg->m_adPointPos[1] = 45.0;
    doc.BuildHeightChangePoints();
    EXPECT_DOUBLE_EQ(g_pHeightDlg->m_adPointPos[1], 15.0);
    EXPECT_EQ(g_pHeightDlg->m_nPointCols, 3);
    EXPECT_EQ(doc.m_aSpans[0].m_nChangePoints, 1);
    doc.m_dlgBasic.m_nHeightVariation = 1;
    g_pHeightDlg->m_nPointCols = 2;
    doc.m_dlgPlateGirder.m_adGirderHeight[2] = 1.8;
}

TEST_F(CoordinateTest, RebuildsReportWhatDoesNotFit)
{
    MakeDesign();
    CMarivoltenDoc& doc = *g_pDoc;
    // Spline edges over stations out of order: the span command's message.
    g_pCrossSectionDlg->m_nInterpolation = 1;
    g_pCrossSectionDlg->m_arrD[1] = 25.0;
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Spans);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].startsWith(QStringLiteral("路面データ作成時にエラーが発生しました。")));
    for (CPolyline2D* e : doc.m_apEdgeLines)
        EXPECT_EQ(e->Count(), 61);
    m_shown.clear();

    // A short first panel behind a skewed support: the inconsistency, once.
    g_pCrossSectionDlg->m_nInterpolation = 0;
    g_pCrossSectionDlg->m_arrD[1] = 10.0;
    g_pPanelDlg->m_adSkew[0][0] = 3.14159265359 / 3;
    g_adPanelLength[0][0] = 1.0;
    for (int k = 1; k < 6; ++k)
        g_adPanelLength[0][k] = 5.8;
    doc.m_bGeometryConsistent = 1;
    doc.RebuildSpans();
    EXPECT_EQ(doc.m_bGeometryConsistent, 0);
    doc.ReportInconsistentLayout();
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("設定変更等により不整合が生じています。\n入力項目の再確認／設定を行って下さい。")});
    EXPECT_EQ(doc.m_bGeometryConsistent, 1);
    m_shown.clear();

    // Cross beams at 40 degrees: a warning with 1, silence with 0.
    for (int k = 0; k < 6; ++k)
        g_adPanelLength[0][k] = 5.0;
    g_pPanelDlg->m_adSkew[0][0] = g_pPanelDlg->m_adSkew[0][1] = 40.0 * 3.14159265359 / 180.0;
    g_pPanelDlg->m_anCrossBeamDir[0] = 1;
    doc.RebuildSpans();
    doc.BuildCrossBeams(0);
    EXPECT_TRUE(m_shown.isEmpty());
    doc.BuildCrossBeams(1);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("計算された横桁の角度が異常です。")});
}

TEST_F(CoordinateTest, OverhangsAndCrossMembersReachTheWindows)
{
    MakeDesign();
    CMarivoltenDoc& doc = *g_pDoc;
    g_pPanelDlg->m_anBaseLineType[0] = 1;
    g_pPanelDlg->m_adBaseRadius[0] = 100.0;
    doc.RebuildSpans();
    EXPECT_NEAR(g_pCrossSectionDlg->m_arrOverhangAddL[1], -0.964696, 1e-6);
    EXPECT_NEAR(g_pCrossSectionDlg->m_arrOverhangAddR[2], 1.033638, 1e-6);
    EXPECT_NEAR(g_pCrossSectionDlg->m_arrOverhangAddL[0], 0.0, 1e-9);

    // The arrangement of the cross-beam window, and its sections.
    g_pCrossBeamDlg->m_anMemberKind[2] = CROSS_BEAM;
    g_pCrossBeamDlg->m_abDistributing[2] = 1;
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dMemberDistB = 1200.0;
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dFlangeThickness = 12.0;
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dFlangeWidth = 250.0;
    doc.ApplyCrossBeamLayout();
    doc.CalcCrossMemberSections();
    doc.CountGrillageNodes();
    const CPanelPointRecord& r = doc.m_aSpans[0].m_aPanelPoints[2];
    EXPECT_EQ(r.m_nMemberKind, CROSS_BEAM);
    EXPECT_NEAR(r.m_dInertia, 0.00349949, 1e-8);
    EXPECT_EQ(doc.m_nCrossMemberCount, 3);
    EXPECT_EQ(r.m_nMemberNo, 25);
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dMemberDistB = 0.0;
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dFlangeThickness = 10.0;
    doc.m_dlgMainMember.m_dlgCrossBeamType.m_dFlangeWidth = 220.0;

    // A new arrangement tells the user once that theirs is gone.
    g_pCrossBeamDlg->m_bResetArrangement = 0;
    g_pCrossBeamDlg->InitArrangement(1);
    g_pCrossBeamDlg->InitArrangement(1);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[2], INTERMEDIATE_SWAY_BRACING);
    EXPECT_EQ(g_pCrossBeamDlg->m_anMemberKind[6], END_SWAY_BRACING);
}

TEST_F(CoordinateTest, SheetTakesOverThePlanFromTheSpanInput)
{
    MakeDesign();
    Command(ID_SETUP_COORDINATE);
    ASSERT_TRUE(Sheet().IsWindowVisible());
    EXPECT_EQ(Sheet().GetActiveIndex(), 0);
    EXPECT_EQ(Sheet().m_work.SpanCount(), 1);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    EXPECT_EQ(Text(base, IDC_COORD_SPANS), QStringLiteral("1"));
    EXPECT_EQ(Text(base, IDC_COORD_PANELS), QStringLiteral("6"));
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_LENGTH), QStringLiteral("30000.0"));
    EXPECT_EQ(Text(base, IDC_COORD_UPDATE), QStringLiteral("更新済み"));
    EXPECT_FALSE(base->GetDlgItem(IDC_COORD_UPDATE)->IsWindowEnabled());
    ASSERT_EQ(Table(base).GetNumberRows(), 7);
    ASSERT_EQ(Table(base).GetNumberCols(), 3);
    EXPECT_EQ(Cell(base, 2, -1), QStringLiteral("C  3"));
    EXPECT_EQ(Cell(base, -1, 2), QStringLiteral("ﾊﾟﾈﾙ長(mm)"));
    EXPECT_EQ(Cell(base, 2, 0), QStringLiteral("10000.0"));
    EXPECT_EQ(Cell(base, 3, 2), QStringLiteral("5000.0"));
    EXPECT_EQ(Cell(base, 0, 2), QString());         // no panel before the first point

    // Every page reads the same working copy.
    EXPECT_EQ(Sheet().ColumnCount(CCoordinateSheet::PAGE_GIRDER), 12);
    EXPECT_EQ(Sheet().ColumnHeading(CCoordinateSheet::PAGE_GIRDER, 5), QStringLiteral("G1 Y(mm)"));
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_GIRDER, 5, 0), 3450.0, 1e-6);
    EXPECT_EQ(Sheet().ColumnHeading(CCoordinateSheet::PAGE_DECK, 13), QStringLiteral("右 地覆外縁 Y"));
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_DECK, 13, 4), -4500.0, 1e-6);
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_SECTION, 16, 4), 210.0, 1e-9);     // H5
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_BASELINE, 2, 3), 5000.0, 1e-9);
    EXPECT_TRUE(Sheet().IsReadOnly(CCoordinateSheet::PAGE_BASELINE, 2));
    Enter(base, 3, 2, QStringLiteral("1234"));
    EXPECT_FALSE(Table(base).GetEdit()->IsOpen());
    EXPECT_FALSE(Sheet().m_bPending);       // a derived length takes no input
    EXPECT_EQ(Cell(base, 3, 2), QStringLiteral("5000.0"));

    // The other pages fill their tables when they are shown.
    Sheet().SetActivePage(CCoordinateSheet::PAGE_DECK);
    CDialog* deck = Page(CCoordinateSheet::PAGE_DECK);
    ASSERT_EQ(Table(deck).GetNumberCols(), 24);
    EXPECT_EQ(Cell(deck, -1, 13), QStringLiteral("右 地覆外縁 Y"));
    EXPECT_EQ(Cell(deck, 4, 13), QStringLiteral("-4500.0"));
    Sheet().SetActivePage(CCoordinateSheet::PAGE_GIRDER);
    EXPECT_EQ(Cell(Page(CCoordinateSheet::PAGE_GIRDER), 0, 5), QStringLiteral("3450.0"));

    // Close hides the sheet; showing it again starts from the document, dropping a text
    // that was left typed.
    Table(base).GotoCell(0, 1);
    gridui::Key(Table(base).m_area.GetWidget(), Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    ASSERT_TRUE(Table(base).GetEdit()->IsOpen());
    Press(base, IDC_COORD_CLOSE);
    EXPECT_FALSE(Sheet().IsWindowVisible());
    Command(ID_SETUP_COORDINATE);
    EXPECT_FALSE(Table(base).GetEdit()->IsOpen());
    EXPECT_EQ(Cell(base, 1, 0), QStringLiteral("5000.0"));
    EXPECT_FALSE(Sheet().m_bPending);
}

TEST_F(CoordinateTest, AppliedPlanReplacesTheSpanInput)
{
    MakeDesign();
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    // Bend the plan: panel points 1 to 5 onto a circle of 100 m about (0, 100).
    for (int j = 1; j <= 6; ++j) {
        const double a = -3.14159265358979 / 2 + 0.05 * j;
        Enter(base, j, 0, AfxFormat("%.6f", 100000.0 * std::cos(a)));
        Enter(base, j, 1, AfxFormat("%.6f", 100000.0 + 100000.0 * std::sin(a)));
    }
    EXPECT_TRUE(Sheet().m_bPending);
    EXPECT_EQ(Text(base, IDC_COORD_UPDATE), QStringLiteral("更新"));
    EXPECT_TRUE(base->GetDlgItem(IDC_COORD_UPDATE)->IsWindowEnabled());
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_LENGTH), QStringLiteral("30000.0"));

    Press(base, IDC_COORD_UPDATE);
    CMarivoltenDoc& doc = *g_pDoc;
    EXPECT_EQ(g_bCoordinatePlan, 1);
    EXPECT_EQ(g_bCoordinateRadii, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_NEAR(g_adSpanLength[0], 30.0, 1e-6);
    EXPECT_NEAR(g_adPanelLength[0][5], 5.0, 1e-6);
    EXPECT_EQ(g_pPanelDlg->m_anBaseLineType[0], 1);
    EXPECT_NEAR(g_pPanelDlg->m_adBaseRadius[0], 100.0, 1e-6);
    ASSERT_EQ(doc.m_aSpans.size(), 1u);
    EXPECT_EQ(doc.m_aSpans[0].m_bCurvedBaseLine, 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x800, 0x800);       // the coordinate step is done

    // One more panel in the span: nothing stored before the update.
    Step(base, IDC_COORD_PANELS_SPIN, 1);
    EXPECT_EQ(Text(base, IDC_COORD_PANELS), QStringLiteral("7"));
    EXPECT_EQ(g_anPanelCount[0], 6);
    Press(base, IDC_COORD_UPDATE);
    EXPECT_EQ(g_anPanelCount[0], 7);
    EXPECT_EQ(g_nPanelPoints, 8);
    EXPECT_EQ(doc.m_nNodeCount, 32);
    for (CPolyline2D* e : doc.m_apEdgeLines)
        EXPECT_EQ(e->Count(), 71);
    EXPECT_FALSE(Update(ID_SETUP_BASIC).m_bEnabled);
    EXPECT_FALSE(Update(ID_SETUP_PANEL).m_bEnabled);
    EXPECT_EQ(Text(base, IDC_COORD_UPDATE), QStringLiteral("更新済み"));

    // The coordinate plan stands through the normal rebuild chain.
    doc.RebuildSpans();
    doc.BuildEdgeLines();
    doc.IntersectEdgeLines();
    EXPECT_EQ(doc.m_aSpans[0].m_nPanels, 7);
    EXPECT_EQ(doc.m_apEdgeLines[0]->m_nSubdivisions, 10);

    // A second span, a copy of the first from its end.
    Step(base, IDC_COORD_SPANS_SPIN, 1);
    EXPECT_EQ(Text(base, IDC_COORD_SPANS), QStringLiteral("2"));
    Step(base, IDC_COORD_SPAN_SPIN, 1);
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_NO), QStringLiteral("2"));
    EXPECT_EQ(Cell(base, 0, -1), QStringLiteral("C  8"));
    EXPECT_EQ(Table(base).GetNumberRows(), 8);
    Press(base, IDC_COORD_UPDATE);
    EXPECT_EQ(g_nSpans, 2);
    EXPECT_EQ(g_nPanelPoints, 15);
    EXPECT_EQ(doc.m_aSpans.size(), 2u);
    EXPECT_EQ(g_nCrossSections, 7);

    // Showing the sheet again starts from the stored plan.
    Command(ID_SETUP_COORDINATE);
    Command(ID_SETUP_COORDINATE);
    EXPECT_EQ(Sheet().m_work.SpanCount(), 2);
    EXPECT_FALSE(Sheet().m_bPending);
}

TEST_F(CoordinateTest, ApplyRefusesCrowdedPointsAndAsksBeforeResults)
{
    MakeDesign();
    Command(ID_SETUP_COORDINATE);
    CDialog* girders = Page(CCoordinateSheet::PAGE_GIRDER);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    Enter(base, 1, 0, QStringLiteral("200"));
    Press(base, IDC_COORD_UPDATE);
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("格点間の距離が短すぎます。")});
    EXPECT_EQ(g_bCoordinatePlan, 0);
    m_shown.clear();
    Enter(base, 1, 0, QStringLiteral("5000"));

    g_pDoc->m_bGrillageNotRun = 0;
    g_bResultsValid = 1;
    Enter(girders, 2, 5, QStringLiteral("3500"));      // G1 Y at panel point 2
    Answer({IDCANCEL});
    Press(girders, IDC_COORD_UPDATE);
    EXPECT_EQ(g_bCoordinatePlan, 0);
    EXPECT_EQ(g_bResultsValid, 1);
    Answer({IDOK});
    Press(girders, IDC_COORD_UPDATE);
    EXPECT_EQ(m_shown.size(), 2);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_bCoordinatePlan, 1);
    EXPECT_NEAR(g_pDoc->m_aSpans[0].m_aPanelPoints[2].m_aptGirder[0].y, 3.5, 1e-9);
}

TEST_F(CoordinateTest, OriginAdjustmentKeepsSurveyCoordinates)
{
    MakeDesign();
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    Press(base, IDC_COORD_UPDATE);
    ASSERT_EQ(g_bCoordinatePlan, 0);            // nothing to apply: the button is off
    Enter(base, 3, 1, QStringLiteral("0.0"));
    Press(base, IDC_COORD_UPDATE);
    ASSERT_EQ(g_bCoordinatePlan, 1);
    const double survey = Sheet().CellValue(CCoordinateSheet::PAGE_GIRDER, 4, 3);

    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_ORIGIN_X)->GetWindowText(), QStringLiteral("0"));
        d->GetDlgItem(IDC_ORIGIN_X)->SetWindowText(QStringLiteral("1000"));
        d->GetDlgItem(IDC_ORIGIN_Y)->SetWindowText(QStringLiteral("-2000"));
        d->GetDlgItem(IDC_ORIGIN_ANGLE)->SetWindowText(QStringLiteral("-30"));
        static_cast<CButton*>(d->GetDlgItem(IDC_ORIGIN_APPLY))->SetCheck(1);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Press(base, IDC_COORD_ORIGIN);
    AfxSetModalHook({});
    CMarivoltenDoc& doc = *g_pDoc;
    EXPECT_EQ(doc.m_ptOriginAdjust, CDPoint(1.0, -2.0));
    EXPECT_DOUBLE_EQ(doc.m_dOriginAngle, 330.0);
    EXPECT_DOUBLE_EQ(doc.m_dPlanAngle, 330.0);
    EXPECT_EQ(doc.m_bOriginApply, 1);
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_GIRDER, 4, 3), survey, 1e-6);
    EXPECT_NEAR(doc.m_coordPlan.m_aSpans[0].m_aPoints[3].m_ptBase.x, 15.0 - 1.0, 1e-9);
    EXPECT_NEAR(doc.m_aSpans[0].m_aPanelPoints[3].m_ptBase.y, 2.0, 1e-9);
    EXPECT_TRUE(m_shown.isEmpty());

    // Without the option the plan view keeps its angle.
    doc.m_dPlanAngle = 0.0;
    AfxSetModalHook([](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_ORIGIN_X)->GetWindowText(), QStringLiteral("1000"));
        static_cast<CButton*>(d->GetDlgItem(IDC_ORIGIN_APPLY))->SetCheck(0);
        d->GetDlgItem(IDC_ORIGIN_ANGLE)->SetWindowText(QStringLiteral("-30"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Press(base, IDC_COORD_ORIGIN);
    AfxSetModalHook({});
    EXPECT_EQ(doc.m_dPlanAngle, 0.0);
    EXPECT_EQ(doc.m_dOriginAngle, -30.0);
}

TEST(CoordinateSheetTemplates, PagesHoldTheControlsTheirCodeUses)
{
    InstallResources();
    const std::pair<int, CtlKind> every[] = {
        {IDC_COORD_SPAN_NO, CtlKind::Edit}, {IDC_COORD_SPAN_SPIN, CtlKind::Spin}, {IDC_COORD_TABLE, CtlKind::Custom},
        {IDC_COORD_UPDATE, CtlKind::PushButton}, {IDC_COORD_CLOSE, CtlKind::PushButton}};
    const std::pair<int, CtlKind> baseOnly[] = {
        {IDC_COORD_SPANS, CtlKind::Edit}, {IDC_COORD_SPANS_SPIN, CtlKind::Spin}, {IDC_COORD_PANELS, CtlKind::Edit},
        {IDC_COORD_PANELS_SPIN, CtlKind::Spin}, {IDC_COORD_SPAN_LENGTH, CtlKind::Edit}, {IDC_COORD_ORIGIN, CtlKind::PushButton}};
    const std::pair<UINT, const char*> pages[] = {
        {IDD_COORD_BASELINE, "基本線"}, {IDD_COORD_GIRDER, "主桁"}, {IDD_COORD_DECK, "路面"}, {IDD_COORD_SECTION, "横断面"}};
    auto kindOf = [](const DialogTemplate* t, int id, const ControlTemplate** before) {
        for (size_t i = 0; i < t->controls.size(); ++i)
            if (t->controls[i].id == id) {
                *before = i > 0 ? &t->controls[i - 1] : nullptr;
                return std::optional<CtlKind>(t->controls[i].kind);
            }
        return std::optional<CtlKind>();
    };
    for (const auto& [id, caption] : pages) {
        const DialogTemplate* t = AfxFindDialogTemplate(id);
        ASSERT_NE(t, nullptr) << id;
        EXPECT_EQ(t->caption, QString::fromUtf8(caption));
        const bool base = id == IDD_COORD_BASELINE;
        const ControlTemplate* before = nullptr;
        for (const auto& [ctl, kind] : every) {
            EXPECT_EQ(kindOf(t, ctl, &before), kind) << id << " " << ctl;
            if (kind == CtlKind::Spin) {
                EXPECT_TRUE(before && before->kind == CtlKind::Edit) << ctl;     // its buddy
            }
        }
        for (const auto& [ctl, kind] : baseOnly) {
            EXPECT_EQ(kindOf(t, ctl, &before), base ? std::optional<CtlKind>(kind) : std::nullopt) << id << " " << ctl;
            if (base && kind == CtlKind::Spin) {
                EXPECT_TRUE(before && before->kind == CtlKind::Edit) << ctl;
            }
        }
    }
    const DialogTemplate* origin = AfxFindDialogTemplate(IDD_ORIGIN_ADJUST);
    ASSERT_NE(origin, nullptr);
    const ControlTemplate* before = nullptr;
    for (int e : {IDC_ORIGIN_X, IDC_ORIGIN_Y, IDC_ORIGIN_ANGLE})
        EXPECT_EQ(kindOf(origin, e, &before), CtlKind::Edit);
    EXPECT_EQ(kindOf(origin, IDC_ORIGIN_APPLY, &before), CtlKind::CheckBox);
}

TEST_F(CoordinateTest, TablesTakeTypingSpinStepsAndPastes)
{
    MakeDesign("2");
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    CTableGrid& table = Table(base);
    ASSERT_EQ(Sheet().m_work.SpanCount(), 2);

    // Number cells are spin cells with one decimal and a range; the derived length is not.
    CGridCell cell;
    table.GetCellIndirect(0, 1, &cell);
    EXPECT_EQ(cell.GetCellType(), GRID_CT_SPIN);
    EXPECT_EQ(cell.GetDecimals(), 1);
    EXPECT_EQ(cell.GetRangeCheck(), 1);
    EXPECT_EQ(cell.GetAlignment() & GRID_ALIGN_RIGHT, GRID_ALIGN_RIGHT);
    table.GetCellIndirect(2, 1, &cell);
    EXPECT_EQ(cell.GetCellType(), GRID_CT_NORMAL);
    EXPECT_EQ(cell.GetReadOnly(), 1);
    table.GetCellIndirect(1, -1, &cell);
    EXPECT_EQ(cell.GetTextColor(), RGB(0, 0, 150));

    // A typed value shows with the table's decimals, and the lengths beside it follow at once.
    Enter(base, 1, 0, QStringLiteral("5100"));
    EXPECT_EQ(Cell(base, 1, 0), QStringLiteral("5100.0"));
    EXPECT_EQ(Cell(base, 1, 2), QStringLiteral("5100.0"));
    EXPECT_EQ(Cell(base, 2, 2), QStringLiteral("4900.0"));
    EXPECT_NEAR(Sheet().m_work.m_aSpans[0].m_aPoints[1].m_ptBase.x, 5.1, 1e-12);
    EXPECT_EQ(Text(base, IDC_COORD_UPDATE), QStringLiteral("更新"));
    EXPECT_TRUE(base->GetDlgItem(IDC_COORD_UPDATE)->IsWindowEnabled());

    // Out of range: the table's message, and nothing changes.
    Enter(base, 1, 1, QStringLiteral("2000000000"));
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("-999999999.9 から 999999999.9 までの数値を入力して下さい。")});
    EXPECT_EQ(Cell(base, 1, 1), QStringLiteral("0.0"));
    EXPECT_EQ(Sheet().m_work.m_aSpans[0].m_aPoints[1].m_ptBase.y, 0.0);
    m_shown.clear();

    // A text refused as "更新" ends the edit keeps it from applying anything; the text goes.
    table.GotoCell(1, 5);
    const QString kept = Cell(base, 5, 1);
    gridui::Key(table.m_area.GetWidget(), Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    for (int i = 0; i < 9; ++i)
        gridui::Key(table.GetEdit()->GetWidget(), Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    Press(base, IDC_COORD_UPDATE);
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(g_bCoordinatePlan, 0);
    EXPECT_FALSE(table.GetEdit()->IsOpen());
    EXPECT_EQ(Cell(base, 5, 1), kept);
    m_shown.clear();

    // A spin step alone leaves something to apply: 100 mm a step, 10 mm on the section page.
    Press(base, IDC_COORD_UPDATE);
    ASSERT_FALSE(Sheet().m_bPending);
    EXPECT_NEAR(g_pDoc->m_coordPlan.m_aSpans[0].m_aPoints[1].m_ptBase.x, 5.1, 1e-12);
    Spin(base, 2, 1, true);
    EXPECT_EQ(Cell(base, 2, 1), QStringLiteral("100.0"));
    EXPECT_TRUE(Sheet().m_bPending);
    EXPECT_TRUE(base->GetDlgItem(IDC_COORD_UPDATE)->IsWindowEnabled());
    Spin(base, 2, 1, false);
    Spin(base, 2, 1, false);
    EXPECT_NEAR(Sheet().m_work.m_aSpans[0].m_aPoints[2].m_ptBase.y, -0.1, 1e-12);
    Sheet().SetActivePage(CCoordinateSheet::PAGE_SECTION);
    CDialog* section = Page(CCoordinateSheet::PAGE_SECTION);
    const double b1 = Sheet().CellValue(CCoordinateSheet::PAGE_SECTION, 0, 3);
    Spin(section, 3, 0, true);
    EXPECT_NEAR(Sheet().CellValue(CCoordinateSheet::PAGE_SECTION, 0, 3), b1 + 10.0, 1e-9);
    Sheet().SetActivePage(CCoordinateSheet::PAGE_BASELINE);

    // A paste fills the cells that take input and passes over the derived one.
    table.GotoCell(1, 4);
    QApplication::clipboard()->setText(QStringLiteral("50\t999"));
    ASSERT_TRUE(table.Paste());
    EXPECT_EQ(Cell(base, 4, 1), QStringLiteral("50.0"));
    EXPECT_EQ(Cell(base, 4, 2), AfxFormat("%.1f", Sheet().CellValue(CCoordinateSheet::PAGE_BASELINE, 2, 4)));
    EXPECT_NE(Cell(base, 4, 2), QStringLiteral("999.0"));
    EXPECT_NEAR(Sheet().m_work.m_aSpans[0].m_aPoints[4].m_ptBase.y, 0.05, 1e-12);

    // The support between the spans is one point: the next span's first row shows the edit.
    Enter(base, 6, 1, QStringLiteral("300"));
    Step(base, IDC_COORD_SPAN_SPIN, 1);
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_NO), QStringLiteral("2"));
    EXPECT_EQ(Cell(base, 0, -1), QStringLiteral("C  7"));
    EXPECT_EQ(Cell(base, 0, 1), QStringLiteral("300.0"));

    // A value still being typed when the span changes goes into the span it was typed for.
    table.GotoCell(1, 3);
    gridui::Key(table.m_area.GetWidget(), Qt::Key_1, Qt::NoModifier, QStringLiteral("1"));
    gridui::Key(table.GetEdit()->GetWidget(), Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    ASSERT_TRUE(table.GetEdit()->IsOpen());
    Step(base, IDC_COORD_SPAN_SPIN, -1);
    EXPECT_FALSE(table.GetEdit()->IsOpen());
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_NO), QStringLiteral("1"));
    EXPECT_NEAR(Sheet().m_work.m_aSpans[1].m_aPoints[3].m_ptBase.y, 0.012, 1e-12);
    EXPECT_EQ(Cell(base, 3, 1), QStringLiteral("0.0"));

    // Applied, the document holds every edit.
    Press(base, IDC_COORD_UPDATE);
    const CCoordinatePlan& plan = g_pDoc->m_coordPlan;
    EXPECT_NEAR(plan.m_aSpans[0].m_aPoints[2].m_ptBase.y, -0.1, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[0].m_aPoints[4].m_ptBase.y, 0.05, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[1].m_aPoints[0].m_ptBase.y, 0.3, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[1].m_aPoints[3].m_ptBase.y, 0.012, 1e-12);
    EXPECT_NEAR(plan.m_aSpans[0].m_aPoints[3].m_aSection.m_adB[0] * 1000.0, b1 + 10.0, 1e-9);
    EXPECT_EQ(Text(base, IDC_COORD_UPDATE), QStringLiteral("更新済み"));
}

TEST_F(CoordinateTest, TheSheetShowsItsTable)
{
    MakeDesign();
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    CTableGrid& table = Table(base);
    table.GotoCell(0, 0);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("sheet.png"));
    ASSERT_TRUE(AfxSaveWindowImage(&Sheet(), file));
    const QImage picture(file);
    ASSERT_FALSE(picture.isNull());
    // Spin buttons at the right of the number cells, none beside the derived length.
    const QPoint area = table.m_area.GetWidget()->mapTo(Sheet().GetWidget(), QPoint(0, 0));
    auto rightEdge = [&](int col, int row) {
        CRect r;
        table.GetCellRect(col, row, &r);
        return picture.pixelColor(area.x() + r.right - 3, area.y() + r.top + 3);
    };
    const QColor face(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                      GetBValue(GetSysColor(COLOR_BTNFACE)));
    const QColor window(GetRValue(GetSysColor(COLOR_WINDOW)), GetGValue(GetSysColor(COLOR_WINDOW)),
                        GetBValue(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(rightEdge(1, 2), face);
    EXPECT_EQ(rightEdge(2, 2), window);
}

TEST_F(CoordinateTest, NewDesignForgetsTheLastPlan)
{
    MakeDesign("3");
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    Enter(base, 1, 1, QStringLiteral("200"));
    Press(base, IDC_COORD_UPDATE);
    ASSERT_EQ(g_bCoordinatePlan, 1);
    Sheet().ShowWindow(SW_HIDE);

    Answer({IDNO});     // the previous design is not saved
    Command(ID_FILE_NEW);
    m_shown.clear();
    MakeDesign("3");
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(g_bCoordinatePlan, 0);
    EXPECT_TRUE(g_pDoc->m_coordPlan.IsEmpty());
    ASSERT_EQ(g_pDoc->m_aSpans.size(), 3u);
    for (int s = 0; s < 3; ++s) {
        const CSpanData& span = g_pDoc->m_aSpans[size_t(s)];
        EXPECT_EQ(span.m_bCurvedBaseLine, 0);
        EXPECT_EQ(g_pPanelDlg->m_anBaseLineType[s], 0);
        EXPECT_DOUBLE_EQ(g_pPanelDlg->m_adGirderSpacing[s][0], 2.3);
        // Straight and square: the base line runs along x.
        EXPECT_NEAR(span.m_base.m_ptStart.y, 0.0, 1e-9);
        EXPECT_NEAR(span.m_base.m_ptEnd.y, 0.0, 1e-9);
    }
}

TEST_F(CoordinateTest, ApplyRebuildsOnce)
{
    MakeDesign("2");
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    Enter(base, 1, 1, QStringLiteral("200"));
    const int rebuilds = g_pDoc->m_nRebuildCount;
    Press(base, IDC_COORD_UPDATE);
    EXPECT_EQ(g_pDoc->m_nRebuildCount, rebuilds + 1);
}

TEST_F(CoordinateTest, PointMovedOffALineKeepsItsLengths)
{
    MakeDesign("3");
    Command(ID_SETUP_COORDINATE);
    CDialog* base = Page(CCoordinateSheet::PAGE_BASELINE);
    // C2 200 mm to the left: no circle follows the points, the span is straight panel by panel.
    // The first two panels are sqrt(5000^2 + 200^2) = 5004.0 mm, the span 20000 + 2 x 5004.0.
    Enter(base, 1, 1, QStringLiteral("200"));
    EXPECT_EQ(Cell(base, 1, 2), QStringLiteral("5004.0"));
    EXPECT_EQ(Cell(base, 3, 2), QStringLiteral("5000.0"));
    Press(base, IDC_COORD_UPDATE);
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Text(base, IDC_COORD_SPAN_LENGTH), QStringLiteral("30008.0"));
    const double slant = std::sqrt(25.04);
    EXPECT_NEAR(g_adPanelLength[0][0], slant, 1e-9);
    EXPECT_NEAR(g_adPanelLength[0][1], slant, 1e-9);
    EXPECT_NEAR(g_adPanelLength[0][2], 5.0, 1e-9);
    EXPECT_NEAR(g_adSpanLength[0], 20.0 + 2 * slant, 1e-9);
    for (int s = 1; s < 3; ++s)
        EXPECT_NEAR(g_adSpanLength[s], 30.0, 1e-9);
    const CSpanData& span = g_pDoc->m_aSpans[0];
    EXPECT_EQ(span.m_bCurvedBaseLine, 0);
    EXPECT_EQ(g_pPanelDlg->m_anBaseLineType[0], 0);
    EXPECT_NEAR(span.m_dSpanLength, 20.0 + 2 * slant, 1e-9);
    EXPECT_NEAR(span.m_aDivision[6].m_dPosition, span.m_dSpanLength, 1e-12);
    EXPECT_EQ(g_bCoordinateRadii, 0);       // not every span is a line or one arc
}

TEST_F(CoordinateTest, DamagedValuesAreRefusedOrCleaned)
{
    MakeDesign();
    CMarivoltenDoc& doc = *g_pDoc;

    // Girders outside the deck on a sharp curve: the inconsistency, once.
    g_pPanelDlg->m_anBaseLineType[0] = 1;
    g_pPanelDlg->m_adBaseRadius[0] = 30.0;
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    EXPECT_LT(g_pCrossSectionDlg->m_arrOverhangAddL[1] + g_pCrossSectionDlg->B(11)[1], 0.0);
    const QStringList inconsistent{QStringLiteral("設定変更等により不整合が生じています。\n入力項目の再確認／設定を行って下さい。")};
    EXPECT_EQ(m_shown, inconsistent);
    m_shown.clear();
    // An arc whose radius is no number: refused as well.
    g_pPanelDlg->m_adBaseRadius[0] = std::nan("");
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    EXPECT_EQ(m_shown, inconsistent);
    m_shown.clear();
    g_pPanelDlg->m_anBaseLineType[0] = 0;
    g_pPanelDlg->m_adBaseRadius[0] = -100.0;

    // A span length that is no number: the height window gets positions within the cleaned span.
    doc.m_dlgBasic.m_nHeightVariation = 0;
    g_pHeightDlg->m_anPointCount[0] = 1;
    g_pHeightDlg->m_adPointPos[1] = 15.0;
    g_adSpanLength[0] = std::nan("");
    doc.BuildHeightChangePoints();
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Heights);
    EXPECT_EQ(m_shown, inconsistent);
    m_shown.clear();
    EXPECT_DOUBLE_EQ(g_pHeightDlg->m_adPointPos[1], 0.0005);
    for (int g = 0; g < 4; ++g)
        EXPECT_TRUE(std::isfinite(doc.m_dlgPlateGirder.m_adGirderHeight[g]));
    for (const CDPoint& q : doc.m_apGirderProfiles[0]->m_aPoints)
        EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
    g_adSpanLength[0] = 30.0;
    doc.m_dlgBasic.m_nHeightVariation = 1;
    g_pHeightDlg->m_anPointCount[0] = 0;
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Heights);

    // A coordinate plan holding a point that is no number is not applied.
    CCoordinatePlan plan = CCoordinatePlan::FromSpans(doc.m_aSpans);
    plan.m_aSpans[0].m_aPoints[3].m_ptBase.x = HUGE_VAL;
    doc.m_coordPlan = plan;
    g_bCoordinatePlan = 1;
    doc.Rebuild(CMarivoltenDoc::RebuildReason::Coordinates);
    EXPECT_EQ(m_shown, inconsistent);
    EXPECT_DOUBLE_EQ(g_adSpanLength[0], 30.0);
    EXPECT_DOUBLE_EQ(g_adPanelLength[0][2], 5.0);
    EXPECT_DOUBLE_EQ(doc.m_aSpans[0].m_dSpanLength, 30.0);
    for (const CPanelPointRecord& r : doc.m_aSpans[0].m_aPanelPoints)
        for (const CDPoint& q : r.m_aptGirder)
            EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
    for (CPolyline2D* e : doc.m_apEdgeLines)
        for (const CDPoint& q : e->m_aPoints)
            EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
}
