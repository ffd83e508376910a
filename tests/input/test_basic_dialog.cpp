// The basic conditions dialog driven by control id, with scripted answers.
#include "common/shell_fixture.h"
#include "common/dialog_input.h"

#include <functional>

namespace {

using namespace dialoginput;

int IsChecked(CDialog* d, int id) { return Checked(d, id); }

class BasicDialogTest : public ShellTest {
protected:
    // Opens the dialog through its command; `drive` acts on it and ends it.
    void Open(std::function<void(CDialog*)> drive)
    {
        EXPECT_TRUE(RunModal(ID_SETUP_BASIC, drive));
    }
    // A confirmed design of two spans and four plate girders.
    void MakeDesign()
    {
        Open([](CDialog* d) {
            Type(d, IDC_SPANS, QStringLiteral("2"));
            d->SendMessage(WM_COMMAND, IDOK);
        });
        ASSERT_EQ(g_nSpans, 2);
        m_shown.clear();
    }
    void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
    CSetupBasicDialog& Dlg() { return g_pDoc->m_dlgBasic; }
};

}

TEST_F(BasicDialogTest, NewDesignShowsItsTitleAndRefusesNoSpans)
{
    Open([this](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(IDC_TITLE)->GetWindowText(), g_pDoc->GetTitle());
        EXPECT_EQ(d->GetDlgItem(IDC_GIRDERS)->GetWindowText(), QStringLiteral("4"));
        EXPECT_EQ(IsChecked(d, IDC_FORM_PLATE), 1);
        EXPECT_EQ(IsChecked(d, IDC_SIDEWALK_BOTH), 1);
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    MakeDesign();
    const int mask = g_pMainFrame->m_nStepMask;
    for (const char* spans : {"0", ""}) {
        Open([spans](CDialog* d) {
            Type(d, IDC_SPANS, QString::fromLatin1(spans));
            Press(d, IDC_SIDEWALK);
            d->SendMessage(WM_COMMAND, IDOK);
            EXPECT_EQ(d->GetModalResult(), -1);
        });
    }
    EXPECT_EQ(m_shown, QStringList(2, QStringLiteral("支間数に1以上の値を設定して下さい。")));
    EXPECT_EQ(g_nSpans, 2);
    EXPECT_EQ(Dlg().m_nSidewalk, 3);
    EXPECT_EQ(g_pMainFrame->m_nStepMask, mask);
}

TEST_F(BasicDialogTest, ConfirmedDesignSetsLayoutAndStep)
{
    g_pMainFrame->SetStepDone(ID_SETUP_SPAN, 1);
    Open([](CDialog* d) {
        Type(d, IDC_SPANS, QStringLiteral("3"));
        Type(d, IDC_GIRDERS, QStringLiteral("5"));
        Press(d, IDC_SIDEWALK_LEFT);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(g_nSpans, 3);
    EXPECT_EQ(g_nGirders, 5);
    EXPECT_EQ(g_nBridgeType, 0);
    EXPECT_EQ(Dlg().m_nSidewalk, 1);
    EXPECT_TRUE(g_pDoc->IsModified());
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0x1);      // its own step; the span step cleared
    EXPECT_TRUE(m_shown.isEmpty());                 // no results, no question
    EXPECT_EQ(Update(ID_SETUP_SPAN).m_bEnabled, TRUE);
}

TEST_F(BasicDialogTest, BoxWithOneGirderIsASingleBox)
{
    Open([](CDialog* d) {
        Type(d, IDC_SPANS, QStringLiteral("1"));
        Press(d, IDC_FORM_BOX);
        Type(d, IDC_GIRDERS, QStringLiteral("1"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(g_nBridgeType, 2);
    EXPECT_EQ(g_nGirders, 3);
    EXPECT_EQ(g_pDoc->m_dlgMainMember.m_bUseLateral, 0);   // box types have no lateral bracing
    Open([](CDialog* d) {
        EXPECT_EQ(IsChecked(d, IDC_FORM_BOX), 1);
        EXPECT_EQ(d->GetDlgItem(IDC_GIRDERS)->GetWindowText(), QStringLiteral("1"));
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
}

TEST_F(BasicDialogTest, RefusedEntriesChangeNothing)
{
    MakeDesign();
    const int girders = g_nGirders;
    Open([](CDialog* d) {
        Type(d, IDC_GIRDERS, QStringLiteral("1"));
        Type(d, IDC_TITLE, QStringLiteral("変更後"));
        d->SendMessage(WM_COMMAND, IDOK);                  // plate girder with one girder
        Type(d, IDC_GIRDERS, QStringLiteral("4"));
        Press(d, IDC_ZERO_PAINT);                                     // zero paint cost, no weathering steel
        d->SendMessage(WM_COMMAND, IDOK);
        Press(d, IDC_ZERO_PAINT);
        Type(d, IDC_GIRDERS, QStringLiteral("25"));                // out of range
        d->SendMessage(WM_COMMAND, IDOK);
        // Texts that the data file cannot hold, the titles alone changed or not.
        Type(d, IDC_TITLE, QStringLiteral("第一😀大橋"));
        d->SendMessage(WM_COMMAND, IDOK);
        Type(d, IDC_GIRDERS, QStringLiteral("4"));
        Type(d, IDC_TITLE, QStringLiteral("第一大橋"));
        Type(d, IDC_SUBTITLE, QStringLiteral("한강"));
        d->SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_EQ(d->GetWidget()->focusWidget(), d->GetDlgItem(IDC_SUBTITLE)->GetWidget());
    });
    ASSERT_EQ(m_shown.size(), 5);
    EXPECT_EQ(m_shown[0], QStringLiteral("1主桁の鈑桁を設定できません。"));
    EXPECT_EQ(m_shown[1], QStringLiteral("耐候性鋼材を使用しない場合は塗装費を０にできません。"));
    EXPECT_EQ(m_shown[2], QStringLiteral("1 から 20 までの整数を入力してください。"));
    const QString unsaveable = QStringLiteral("」はデータファイルに保存できない文字です。\n別の文字に置き換えて下さい。");
    EXPECT_EQ(m_shown[3], QStringLiteral("「😀") + unsaveable);
    EXPECT_EQ(m_shown[4], QStringLiteral("「한") + unsaveable);
    EXPECT_EQ(g_nGirders, girders);
    EXPECT_EQ(Dlg().m_nGirders, girders);
    EXPECT_NE(Dlg().m_strTitle, QStringLiteral("変更後"));
    EXPECT_NE(Dlg().m_strTitle, QStringLiteral("第一大橋"));
    EXPECT_EQ(Dlg().m_strSubtitle, QString());
    EXPECT_EQ(Dlg().m_bZeroPaintCost, 0);

    // With weathering steel the paint cost may be zero.
    Open([](CDialog* d) {
        Press(d, IDC_WEATHERING);
        Press(d, IDC_ZERO_PAINT);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(Dlg().m_bZeroPaintCost, 1);
}

TEST_F(BasicDialogTest, TitleAloneIsStoredQuietly)
{
    MakeDesign();
    PretendResults();
    g_pMainFrame->SetStepDone(ID_SETUP_SPAN, 1);
    const int mask = g_pMainFrame->m_nStepMask;
    Open([](CDialog* d) {
        Type(d, IDC_TITLE, QStringLiteral("第一大橋"));
        Type(d, IDC_SUBTITLE, QStringLiteral("予備設計"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(Dlg().m_strTitle, QStringLiteral("第一大橋"));
    EXPECT_EQ(Dlg().m_strSubtitle, QStringLiteral("予備設計"));
    EXPECT_EQ(g_pMainFrame->m_nStepMask, mask);
    EXPECT_EQ(g_bResultsValid, 1);
}

TEST_F(BasicDialogTest, LoadFactorsAskWhenResultsExist)
{
    MakeDesign();
    PretendResults();
    Answer({IDCANCEL});
    Open([](CDialog* d) {
        Type(d, IDC_P1, QStringLiteral("1.2"));
        d->SendMessage(WM_COMMAND, IDOK);
        EXPECT_EQ(d->GetModalResult(), -1);
    });
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(Dlg().m_dP1Factor, 1.0);
    EXPECT_EQ(g_bResultsValid, 1);

    Answer({IDOK});
    Open([](CDialog* d) {
        Press(d, IDC_MEDIAN_UNLOADED);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(Dlg().m_bMedianUnloaded, 1);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & 0x1, 0x1);
}

TEST_F(BasicDialogTest, SidewalkChangeAsksThenResetsDependentSteps)
{
    MakeDesign();
    PretendResults();
    for (UINT s : {ID_SETUP_BASIC, ID_SETUP_SPAN, ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION, ID_SETUP_MAIN_GIRDER,
                   ID_SETUP_CROSS_BEAM, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE, ID_SETUP_HEIGHT, ID_CALC_GRILLAGE})
        g_pMainFrame->SetStepDone(s, 1);
    Answer({IDCANCEL});
    Open([](CDialog* d) {
        Press(d, IDC_SIDEWALK);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。")});
    EXPECT_EQ(Dlg().m_nSidewalk, 3);
    EXPECT_EQ(g_bResultsValid, 1);

    Answer({IDOK});
    Open([](CDialog* d) {
        Press(d, IDC_SIDEWALK);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(Dlg().m_nSidewalk, 0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    // Basic and main girder data stay; the seven dependent steps and the grillage go.
    EXPECT_EQ(g_pMainFrame->m_nStepMask, 0x1 | 0x10);
}

TEST_F(BasicDialogTest, HandSetJointsAskTheLongQuestionOnly)
{
    MakeDesign();
    PretendResults();
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    Answer({IDOK});
    Open([](CDialog* d) {
        Type(d, IDC_SPANS, QStringLiteral("3"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_TRUE(m_shown[0].contains(QStringLiteral("主桁継ぎ手位置を初期化します")));
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 0);
    EXPECT_EQ(g_nSpans, 3);

    // Hand-set joints that survive a change are made automatic with a notice.
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    m_shown.clear();
    Open([](CDialog* d) {
        Press(d, IDC_SIDEWALK_RIGHT);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("主桁継手位置を自動設定にします。")});
    EXPECT_EQ(g_pDoc->m_dlgMainGirder.m_nBlockLengthMode, 0);
}
