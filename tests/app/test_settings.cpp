// Profile settings, unit switch, effective values and small tables of the document.
#include "common/shell_fixture.h"

#include <cmath>

TEST_F(ShellTest, ShortProfileEntriesChangeNothing)
{
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("HumanCostCondition"),
                          QStringLiteral("1:2:3:4:5:6:7:8:9:10:11"));
    EXPECT_EQ(g_pDoc->LoadHumanCostCondition(), 0);
    EXPECT_EQ(g_pDoc->m_anLabourCosts[0], 27400);
    EXPECT_EQ(g_pDoc->m_anLabourCosts[10], 12000);

    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("HumanCostCondition"),
                          QStringLiteral("1:2:3:4:5:6:7:8:9:10:11:12"));
    EXPECT_EQ(g_pDoc->LoadHumanCostCondition(), 1);
    EXPECT_EQ(g_pDoc->m_anLabourCosts[11], 12);

    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("SteelCostCondition"), QStringLiteral("1:x:3:4"));
    EXPECT_EQ(g_pDoc->LoadSteelCostCondition(), 0);
    EXPECT_EQ(g_pDoc->m_anSteelCosts[0], 69000);

    // The header switches count only after the six print numbers.
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintCondition"), QStringLiteral("150:100:200"));
    AfxWriteProfileString(QStringLiteral("Settings"), QStringLiteral("PrintHeader"), QStringLiteral("1:1:1"));
    EXPECT_EQ(g_pDoc->LoadPrintSettings(), 0);
    EXPECT_EQ(g_pDoc->m_nMarginLeft, 200);
    EXPECT_EQ(g_pDoc->m_bNoHeader, 0);

    g_pDoc->m_nMarginLeft = 150;
    g_pDoc->m_bNoFooter = 1;
    g_pDoc->SavePrintSettings();
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("PrintCondition")),
              QStringLiteral("150:100:200:200:2100:2970"));
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("PrintHeader")), QStringLiteral("0:1:0"));
}

TEST_F(ShellTest, MenuOptionsRoundTripThroughTheProfile)
{
    const int si = g_bSIUnits, a3 = g_bNoA3Paper;
    g_bSIUnits = 0;
    g_bNoA3Paper = 1;
    g_pDoc->SaveMenuOption();
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Option"), QStringLiteral("Menu")), QStringLiteral("0:1"));
    g_bSIUnits = 1;
    g_bNoA3Paper = 0;
    EXPECT_EQ(g_pDoc->LoadMenuOption(), 1);
    EXPECT_EQ(g_bSIUnits, 0);
    EXPECT_EQ(g_bNoA3Paper, 1);
    AfxWriteProfileString(QStringLiteral("Option"), QStringLiteral("Menu"), QStringLiteral("1"));
    EXPECT_EQ(g_pDoc->LoadMenuOption(), 0);
    EXPECT_EQ(g_bSIUnits, 0);
    g_bSIUnits = si;
    g_bNoA3Paper = a3;
}

TEST_F(ShellTest, UnitSwitchConvertsEveryLoadAndBack)
{
    g_bSIUnits = 0;
    CSetupSteelWeightDialog& sw = g_pDoc->m_dlgSteelWeight;
    for (int g = 0; g < MAX_GIRDERS; ++g)
        sw.m_adSteelWeight[g] = sw.m_adHaunchWeight[g] = 1.0;
    for (double& v : sw.m_adAttachLoad)
        v = 1.0;
    for (double& v : g_pDoc->m_dlgDeadLoad.m_adValue)
        v = 1.0;
    g_pDoc->m_dlgMainGirder.m_dBendingMargin = 100.0;

    Answer({IDOK});
    Command(ID_OPTION_SI_UNITS);
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("SI単位系モードにします。\nよろしいですか。"));
    EXPECT_EQ(g_bSIUnits, 1);
    EXPECT_DOUBLE_EQ(sw.m_adSteelWeight[19], 9.80665);
    EXPECT_DOUBLE_EQ(sw.m_adHaunchWeight[0], 9.80665);
    EXPECT_DOUBLE_EQ(sw.m_adAttachLoad[9], 9.80665);
    EXPECT_DOUBLE_EQ(g_pDoc->m_dlgDeadLoad.m_adValue[9], 9.80665);
    EXPECT_DOUBLE_EQ(g_pDoc->m_dlgMainGirder.m_dBendingMargin, 9.80665);
    EXPECT_EQ(Update(ID_OPTION_SI_UNITS).m_nCheck, 1);

    g_bResultsValid = 1;
    Answer({IDOK});
    Command(ID_OPTION_SI_UNITS);
    EXPECT_EQ(m_shown[1], QStringLiteral("重力単位系モードに設定します。\n格子計算、断面計算の結果が無効になります。\nよろしいですか。"));
    EXPECT_EQ(g_bSIUnits, 0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_NEAR(sw.m_adSteelWeight[0], 1.0, 1e-12);
    EXPECT_NEAR(g_pDoc->m_dlgDeadLoad.m_adValue[3], 1.0, 1e-12);
    EXPECT_NEAR(g_pDoc->m_dlgMainGirder.m_dBendingMargin, 100.0, 1e-12);

    Answer({IDCANCEL});
    Command(ID_OPTION_SI_UNITS);
    EXPECT_EQ(g_bSIUnits, 0);
    EXPECT_NEAR(sw.m_adSteelWeight[0], 1.0, 1e-12);
    g_bSIUnits = 1;
}

TEST_F(ShellTest, PaperOptionTogglesAlone)
{
    const int units = g_bSIUnits;
    g_bNoA3Paper = 0;
    Command(ID_OPTION_NO_A3);
    EXPECT_EQ(g_bNoA3Paper, 1);
    EXPECT_EQ(Update(ID_OPTION_NO_A3).m_nCheck, 1);
    Command(ID_OPTION_NO_A3);
    EXPECT_EQ(g_bNoA3Paper, 0);
    EXPECT_EQ(g_bSIUnits, units);
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(ShellTest, EffectiveMemberValues)
{
    g_nBridgeType = 0;
    g_nGirders = 3;
    double* h = g_pDoc->m_dlgPlateGirder.m_adGirderHeight;
    h[0] = 2.0;
    h[1] = 1.8;
    h[2] = 2.2;
    CSetupMainMemberDialog& mm = g_pDoc->m_dlgMainMember;
    EXPECT_NEAR(g_pDoc->GetEndSwayDepth(), 1.44, 1e-12);
    EXPECT_NEAR(g_pDoc->GetMidStringerDepth(), 0.9, 1e-12);
    EXPECT_NEAR(g_pDoc->GetLeftBracketDepthBL(), 1.0, 1e-12);     // 0.5 x G1
    EXPECT_NEAR(g_pDoc->GetLeftBracketDepthBR(), 1.6, 1e-12);     // 0.8 x G1
    EXPECT_NEAR(g_pDoc->GetRightBracketDepthBL(), 1.76, 1e-12);   // 0.8 x last girder
    EXPECT_NEAR(g_pDoc->GetRightBracketDepthBR(), 1.1, 1e-12);
    mm.m_dlgEndSway.m_dMemberDistB = 1200.0;
    EXPECT_DOUBLE_EQ(g_pDoc->GetEndSwayDepth(), 1.2);
    mm.m_dlgEdgeStringer.m_dWebHeightL = 1e-21;                   // as good as nothing typed
    EXPECT_NEAR(g_pDoc->GetEdgeStringerDepth(), 0.9, 1e-12);

    g_nBridgeType = 1;                                            // box girders have their own heights
    EXPECT_NEAR(g_pDoc->GetCrossBeamDepth(), 1.6, 1e-12);
    g_nBridgeType = 0;
}

TEST_F(ShellTest, StepTableBoundsBelongToTheUpperInterval)
{
    EXPECT_EQ(g_pDoc->GetStepTableValue(0, 39.99), 117.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(1, 39.99), 147.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(0, 40.0), 157.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(1, 40.0), 201.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(1, 180.0), 724.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(0, 699.9), 3613.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(0, 700.0), 4234.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(1, 1e6), 4488.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(2, 100.0), 0.0);
    EXPECT_EQ(g_pDoc->GetStepTableValue(-1, 100.0), 0.0);
}

TEST_F(ShellTest, ImpactCoefficientBySupport)
{
    g_nSpans = 2;
    g_adSpanLength[0] = 30.0;
    g_adSpanLength[1] = 40.0;
    EXPECT_DOUBLE_EQ(g_pDoc->GetImpactCoefficient(0), 0.25);
    EXPECT_DOUBLE_EQ(g_pDoc->GetImpactCoefficient(1), 20.0 / 85.0);
    EXPECT_DOUBLE_EQ(g_pDoc->GetImpactCoefficient(2), 20.0 / 90.0);
    EXPECT_EQ(g_pDoc->GetImpactCoefficient(3), 0.0);
    EXPECT_EQ(g_pDoc->GetImpactCoefficient(-1), 0.0);
    g_nSpans = 0;
}

TEST_F(ShellTest, SolverErrorsNameTheirCode)
{
    g_nSolverError = 7;
    g_pDoc->ReportSolverError();
    EXPECT_EQ(AfxGetLastMessageBoxCaption(), QStringLiteral("エラー　ErroCode = 007"));
    EXPECT_EQ(m_shown.back(), QStringLiteral("格子計算用実行ﾌｧｲﾙが壊れているか存在しません。"));
    g_nSolverError = 12;
    g_pDoc->ReportSolverError();
    EXPECT_EQ(AfxGetLastMessageBoxCaption(), QStringLiteral("エラー　ErroCode = 0012"));
    g_nSolverError = 2;
    g_pDoc->ReportSolverError();
    EXPECT_TRUE(m_shown.back().startsWith(QStringLiteral("格点座標の設定に問題があるか")));
    g_nSolverError = 0;
}
