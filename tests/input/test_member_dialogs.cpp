// The main member data dialog and its member sub-dialogs, driven by control id.
#include "common/shell_fixture.h"
#include "common/dialog_input.h"
#include "framework/dc.h"

#include <functional>
#include <map>

namespace {

using namespace dialoginput;

int IsChecked(CDialog* d, int id) { return Checked(d, id); }
bool IsEnabled(CDialog* d, int id) { return Enabled(d, id); }
CComboBox* Combo(CDialog* d, int id) { return static_cast<CComboBox*>(d->GetDlgItem(id)); }
QString Chosen(CDialog* d, int id)
{
    QString s;
    Combo(d, id)->GetLBText(Combo(d, id)->GetCurSel(), s);
    return s;
}
void Cancel(CDialog* d) { d->SendMessage(WM_COMMAND, IDCANCEL); }

class MemberDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        g_nSpans = 1;
        SetHeights({1.8, 1.6});
    }
    static void SetHeights(std::initializer_list<double> heights)
    {
        g_nGirders = int(heights.size());
        int g = 0;
        for (double h : heights)
            g_pDoc->m_dlgPlateGirder.m_adGirderHeight[g++] = h;
    }
    // Opens the main dialog through its command. Each dialog that opens (the main one and
    // the sub-dialogs its buttons open) is handed to `drive` and closed if it is left open.
    int Open(std::function<void(CDialog*)> drive)
    {
        m_opened.clear();
        AfxSetModalHook([&](CDialog* d) {
            m_opened.push_back(d->GetTemplateId());
            drive(d);
            if (d->GetModalResult() == -1)
                Cancel(d);
        });
        Command(ID_SETUP_MAIN_MEMBER);
        AfxSetModalHook({});
        return m_opened.empty() ? -1 : Main().GetModalResult();
    }
    // Opens one sub-dialog by its button and drives it; the main dialog is confirmed.
    void OpenSub(int button, std::function<void(CDialog*)> drive)
    {
        Open([&](CDialog* d) {
            if (d->GetTemplateId() != IDD_MAIN_MEMBER)
                return drive(d);
            Press(d, button);
            Ok(d);
        });
    }
    void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
    static CSetupMainMemberDialog& Main() { return g_pDoc->m_dlgMainMember; }

    std::vector<UINT> m_opened;
};

constexpr int kMemberStepBit = 0x40;

}

TEST_F(MemberDialogTest, EndSwayTakesItsSpacingFromTheGirdersOnlyAtTheFirstOpening)
{
    CSetupEndSwayDialog& sway = Main().m_dlgEndSway;
    // A first opening that is cancelled leaves no trace.
    OpenSub(IDC_MM_END_SWAY_SET, [](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_END_SWAY_DIST_B), QStringLiteral("1280"));   // 0.8 x 1.6 m
        Cancel(d);
    });
    EXPECT_EQ(sway.m_dMemberDistB, 0.0);
    EXPECT_EQ(sway.m_bFirstOpen, 1);

    OpenSub(IDC_MM_END_SWAY_SET, [](CDialog* d) {
        EXPECT_EQ(Chosen(d, IDC_END_SWAY_UPPER), QStringLiteral("CH 300x90x9x13"));
        EXPECT_EQ(Chosen(d, IDC_END_SWAY_LOWER), QStringLiteral("CT 118x178x10x8"));
        EXPECT_EQ(Chosen(d, IDC_END_SWAY_DIAGONAL), QStringLiteral("L 90x90x10"));
        EXPECT_EQ(Chosen(d, IDC_END_SWAY_GRADE), QStringLiteral("SM400"));
        EXPECT_EQ(Combo(d, IDC_END_SWAY_UPPER)->GetCount(), 15);
        EXPECT_EQ(Combo(d, IDC_END_SWAY_GRADE)->GetCount(), 9);
        EXPECT_EQ(IsChecked(d, IDC_END_SWAY_CONVERTED), 0);
        Ok(d);
    });
    EXPECT_EQ(sway.m_dMemberDistB, 1280.0);
    EXPECT_EQ(sway.m_bFirstOpen, 0);

    // Later openings keep what is there, even nothing; the heights no longer count.
    SetHeights({2.5, 2.5});
    OpenSub(IDC_MM_END_SWAY_SET, [](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_END_SWAY_DIST_B), QStringLiteral("1280"));
        Type(d, IDC_END_SWAY_DIST_B, QStringLiteral("0"));
        Combo(d, IDC_END_SWAY_UPPER)->SetCurSel(14);
        Combo(d, IDC_END_SWAY_LOWER)->SetCurSel(0);
        Combo(d, IDC_END_SWAY_DIAGONAL)->SetCurSel(10);
        Combo(d, IDC_END_SWAY_GRADE)->SetCurSel(8);
        Press(d, IDC_END_SWAY_CONVERTED);
        Ok(d);
    });
    OpenSub(IDC_MM_END_SWAY_SET, [](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_END_SWAY_DIST_B), QStringLiteral("0"));
        EXPECT_EQ(Chosen(d, IDC_END_SWAY_UPPER), QStringLiteral("CH 380x90x10.5x16"));
        Ok(d);
    });
    EXPECT_EQ(sway.m_dMemberDistB, 0.0);
    EXPECT_EQ(sway.m_nUpperChord, 14);
    EXPECT_EQ(sway.m_nLowerChord, 0);
    EXPECT_EQ(sway.m_nDiagonal, 10);
    EXPECT_EQ(sway.m_nGrade, 8);
    EXPECT_EQ(sway.m_bConvertedStiffness, 1);
    EXPECT_DOUBLE_EQ(g_pDoc->GetEndSwayDepth(), 2.0);       // empty again: the design follows the girders
}

TEST_F(MemberDialogTest, EachSubDialogDerivesFromItsOwnGirders)
{
    SetHeights({2.0, 1.8, 2.2});
    struct Case {
        int button;
        std::vector<std::pair<int, const char*>> shown;
    };
    const Case cases[] = {
        {IDC_MM_MID_SWAY_SET, {{IDC_MID_SWAY_DIST_B, "1440"}}},
        {IDC_MM_PIER_SWAY_SET, {{IDC_PIER_SWAY_DIST_B, "1440"}}},
        {IDC_MM_CROSS_BEAM_SET, {{IDC_CBT_DIST_B, "1440"}, {IDC_CBT_FLANGE_WIDTH, "220"}, {IDC_CBT_FLANGE_THICK, "10"},
                                 {IDC_CBT_WEB_THICK, "9"}}},
        // Deep at the girder, shallow at the tip: from G1 on the left, from the last girder on the right.
        {IDC_MM_LEFT_BRACKET_SET, {{IDC_LBRACKET_DIST_BL, "1000"}, {IDC_LBRACKET_DIST_BR, "1600"},
                                   {IDC_LBRACKET_LENGTH, "1000"}}},
        {IDC_MM_RIGHT_BRACKET_SET, {{IDC_RBRACKET_DIST_BL, "1760"}, {IDC_RBRACKET_DIST_BR, "1100"}}},
        {IDC_MM_STRINGER_SET, {{IDC_MID_STRINGER_WEB_HEIGHT, "900"}, {IDC_MID_STRINGER_COUNT, "3"}}},
        {IDC_MM_EDGE_STRINGER_SET, {{IDC_EDGE_STRINGER_WEB_HEIGHT, "900"}, {IDC_EDGE_STRINGER_FLANGE_WIDTH, "100"}}},
    };
    Open([&](CDialog* d) {
        if (d->GetTemplateId() != IDD_MAIN_MEMBER) {
            Ok(d);
            return;
        }
        // Buttons of members left to the program are pressed as the user could after choosing 入力.
        for (int id : {IDC_MM_STRINGER_INPUT, IDC_MM_LEFT_BRACKET_INPUT, IDC_MM_RIGHT_BRACKET_INPUT,
                       IDC_MM_EDGE_STRINGER_INPUT})
            Press(d, id);
        for (const Case& c : cases) {
            AfxSetModalHook([&](CDialog* sub) {
                for (const auto& [id, text] : c.shown)
                    EXPECT_EQ(Text(sub, id), QString::fromLatin1(text)) << c.button << " " << id;
                Ok(sub);
            });
            Press(d, c.button);
        }
        Ok(d);
    });
    EXPECT_EQ(Main().m_dlgLeftBracket.m_dDistBL, 1000.0);
    EXPECT_EQ(Main().m_dlgRightBracket.m_dDistBL, 1760.0);
    EXPECT_EQ(Main().m_dlgMidStringer.m_dWebHeightL, 900.0);
    EXPECT_EQ(Main().m_dlgMidSway.m_bFirstOpen, 0);

    // A bracket depth typed at the tip before the first opening stays.
    g_pDoc->m_dlgMainMember.m_dlgLeftBracket.m_bFirstOpen = 1;
    g_pDoc->m_dlgMainMember.m_dlgLeftBracket.m_dDistBR = 0.0;
    g_pDoc->m_dlgMainMember.m_dlgLeftBracket.m_dDistBL = 700.0;
    OpenSub(IDC_MM_LEFT_BRACKET_SET, [](CDialog* d) {
        EXPECT_EQ(Text(d, IDC_LBRACKET_DIST_BL), QStringLiteral("700"));
        EXPECT_EQ(Text(d, IDC_LBRACKET_DIST_BR), QStringLiteral("1600"));
    });
}

TEST_F(MemberDialogTest, SubDialogsStoreTheirControls)
{
    Main().m_nStringerMode = 1;
    Main().m_bUseStringer = 1;
    OpenSub(IDC_MM_MID_SWAY_SET, [](CDialog* d) {
        Combo(d, IDC_MID_SWAY_CHORD)->SetCurSel(11);
        Combo(d, IDC_MID_SWAY_DIAGONAL)->SetCurSel(5);
        Ok(d);
    });
    // One section for both chords.
    EXPECT_EQ(Main().m_dlgMidSway.m_nUpperChord, 11);
    EXPECT_EQ(Main().m_dlgMidSway.m_nLowerChord, 11);
    EXPECT_EQ(Main().m_dlgMidSway.m_nDiagonal, 5);

    OpenSub(IDC_MM_LATERAL_SET, [](CDialog* d) {
        EXPECT_EQ(Chosen(d, IDC_LATERAL_OUTER), QStringLiteral("CT 118x178x10x8"));
        Combo(d, IDC_LATERAL_INNER)->SetCurSel(7);
        Combo(d, IDC_LATERAL_GRADE)->SetCurSel(2);
        Ok(d);
    });
    EXPECT_EQ(Main().m_dlgLateral.m_nInnerSection, 7);
    EXPECT_EQ(Main().m_dlgLateral.m_nGrade, 2);

    OpenSub(IDC_MM_STRINGER_SET, [](CDialog* d) {
        Type(d, IDC_MID_STRINGER_COUNT, QStringLiteral("5"));
        Type(d, IDC_MID_STRINGER_FLANGE_THICK, QStringLiteral("9.5"));
        // Spins step 1 mm from what is typed, within 0..32767.
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MID_STRINGER_FLANGE_THICK_SPIN))->Step(1);
        Type(d, IDC_MID_STRINGER_WEB_THICK, QStringLiteral("32767"));
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MID_STRINGER_WEB_THICK_SPIN))->Step(1);
        static_cast<CSpinButtonCtrl*>(d->GetDlgItem(IDC_MID_STRINGER_COUNT_SPIN))->Step(1);
        EXPECT_EQ(Text(d, IDC_MID_STRINGER_FLANGE_THICK), QStringLiteral("10.5"));
        EXPECT_EQ(Text(d, IDC_MID_STRINGER_WEB_THICK), QStringLiteral("32767"));
        Type(d, IDC_MID_STRINGER_FLANGE_WIDTH, QStringLiteral("abc"));
        Ok(d);                                                  // refused: the dialog stays open
        EXPECT_EQ(d->GetModalResult(), -1);
        Type(d, IDC_MID_STRINGER_FLANGE_WIDTH, QStringLiteral("120"));
        Ok(d);
    });
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("数値を入力してください。")});
    const MidStringerData& s = Main().m_dlgMidStringer;
    EXPECT_EQ(s.m_nCount, 6);
    EXPECT_EQ(s.m_dFlangeThickness, 10.5);
    EXPECT_EQ(s.m_dFlangeWidth, 120.0);
    EXPECT_EQ(s.m_dWebThickness, 32767.0);
}

TEST_F(MemberDialogTest, RadiosSwitchTheSettingsButtonsAndOkStoresTheChoices)
{
    g_pMainFrame->EnableHeightCommands(0, 1);
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    Main().m_dlgEndSway.m_dMemberDistB = 1500.0;
    EXPECT_EQ(Open([](CDialog* d) {
        // Buttons follow the 使用する flags at opening.
        for (int id : {IDC_MM_END_SWAY_SET, IDC_MM_MID_SWAY_SET, IDC_MM_PIER_SWAY_SET, IDC_MM_CROSS_BEAM_SET,
                       IDC_MM_LATERAL_SET})
            EXPECT_TRUE(IsEnabled(d, id)) << id;
        for (int id : {IDC_MM_STRINGER_SET, IDC_MM_LEFT_BRACKET_SET, IDC_MM_RIGHT_BRACKET_SET, IDC_MM_EDGE_STRINGER_SET})
            EXPECT_FALSE(IsEnabled(d, id)) << id;
        EXPECT_EQ(IsChecked(d, IDC_MM_END_SWAY_INPUT), 1);
        EXPECT_EQ(IsChecked(d, IDC_MM_LEFT_BRACKET_AUTO), 1);
        EXPECT_EQ(IsChecked(d, IDC_MM_USE_LATERAL), 1);
        EXPECT_TRUE(IsEnabled(d, IDC_MM_USE_LATERAL));

        Press(d, IDC_MM_END_SWAY_AUTO);
        EXPECT_FALSE(IsEnabled(d, IDC_MM_END_SWAY_SET));
        Press(d, IDC_MM_LEFT_BRACKET_INPUT);
        EXPECT_TRUE(IsEnabled(d, IDC_MM_LEFT_BRACKET_SET));
        Press(d, IDC_MM_STRINGER_INPUT);
        Press(d, IDC_MM_STRINGER_AUTO);
        EXPECT_FALSE(IsEnabled(d, IDC_MM_STRINGER_SET));
        Press(d, IDC_MM_USE_LEFT_BRACKET);
        Press(d, IDC_MM_USE_LATERAL);
        Ok(d);
    }), IDOK);
    EXPECT_EQ(Main().m_nEndSwayMode, 0);
    EXPECT_EQ(Main().m_nLeftBracketMode, 1);
    EXPECT_EQ(Main().m_nStringerMode, 0);
    EXPECT_EQ(Main().m_bUseLeftBracket, 1);
    EXPECT_EQ(Main().m_bUseLateral, 0);
    EXPECT_EQ(Main().m_dlgEndSway.m_dMemberDistB, 1500.0);     // 自動決定 keeps what was entered
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kMemberStepBit, kMemberStepBit);
    EXPECT_EQ(g_pMainFrame->m_bConstantHeight, 1);
    EXPECT_TRUE(g_pDoc->IsModified());
}

TEST_F(MemberDialogTest, BoxGirdersHaveNoLateralBracing)
{
    g_nBridgeType = 1;
    Main().m_bUseLateral = 1;
    PretendResults();
    Open([](CDialog* d) {
        EXPECT_EQ(IsChecked(d, IDC_MM_USE_LATERAL), 0);
        EXPECT_FALSE(IsEnabled(d, IDC_MM_USE_LATERAL));
        EXPECT_FALSE(IsEnabled(d, IDC_MM_LATERAL_SET));
        Ok(d);
    });
    EXPECT_EQ(Main().m_bUseLateral, 0);
    EXPECT_TRUE(m_shown.isEmpty());                 // the program's own correction asks nothing
    EXPECT_EQ(g_bResultsValid, 1);
}

TEST_F(MemberDialogTest, WhatTheSubDialogsChangeIsAskedForAtTheMainOk)
{
    PretendResults();
    // Nothing changed: no question, the results stay.
    Open([](CDialog* d) {
        Press(d, IDC_MM_END_SWAY_AUTO);
        Press(d, IDC_MM_END_SWAY_INPUT);
        Ok(d);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kMemberStepBit, kMemberStepBit);
    EXPECT_EQ(g_pMainFrame->m_bHeightSecond, 1);

    // A sub-dialog's change, then the main dialog cancelled: all goes back, nothing asked.
    Open([](CDialog* d) {
        if (d->GetTemplateId() == IDD_CROSS_BEAM_TYPE) {
            Type(d, IDC_CBT_FLANGE_WIDTH, QStringLiteral("300"));
            return Ok(d);
        }
        Press(d, IDC_MM_CROSS_BEAM_SET);
        EXPECT_EQ(Main().m_dlgCrossBeamType.m_dFlangeWidth, 300.0);
        Cancel(d);
    });
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(Main().m_dlgCrossBeamType.m_dFlangeWidth, 220.0);
    EXPECT_EQ(Main().m_dlgCrossBeamType.m_bFirstOpen, 1);

    // Confirmed: asked once; Cancel at the question leaves the dialog open and the results valid.
    Answer({IDCANCEL, IDOK});
    Open([this](CDialog* d) {
        if (d->GetTemplateId() == IDD_CROSS_BEAM_TYPE) {
            Type(d, IDC_CBT_FLANGE_WIDTH, QStringLiteral("300"));
            return Ok(d);
        }
        Press(d, IDC_MM_CROSS_BEAM_SET);
        Ok(d);
        EXPECT_EQ(d->GetModalResult(), -1);
        EXPECT_EQ(g_bResultsValid, 1);
        EXPECT_EQ(m_shown.size(), 1);
        Ok(d);
    });
    ASSERT_EQ(m_shown.size(), 2);
    EXPECT_EQ(m_shown[0], QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。"));
    EXPECT_EQ(Main().m_dlgCrossBeamType.m_dFlangeWidth, 300.0);
    EXPECT_EQ(g_bResultsValid, 0);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);

    // The main dialog's own choice counts as well.
    PretendResults();
    m_shown.clear();
    Answer({IDOK});
    Open([](CDialog* d) {
        Press(d, IDC_MM_USE_RIGHT_BRACKET);
        Ok(d);
    });
    EXPECT_EQ(m_shown.size(), 1);
    EXPECT_EQ(Main().m_bUseRightBracket, 1);
    EXPECT_EQ(g_bResultsValid, 0);
}

TEST(MemberPictures, EachNamesTheDimensionsItsDialogAsksFor)
{
    const std::pair<MemberPictureKind, QStringList> cases[] = {
        {MemberPictureKind::EndSway, {"上弦材", "下弦材", "斜材", "b"}},
        {MemberPictureKind::MidSway, {"上下弦材", "斜材", "b"}},
        {MemberPictureKind::PierSway, {"上下弦材", "斜材", "b"}},
        {MemberPictureKind::CrossBeam, {"b", "ﾌﾗﾝｼﾞ幅", "ﾌﾗﾝｼﾞ厚", "ｳｪﾌﾞ厚"}},
        {MemberPictureKind::Lateral, {"外側鋼材", "内側鋼材"}},
        {MemberPictureKind::LeftBracket, {"BL", "BR", "L"}},
        {MemberPictureKind::RightBracket, {"BL", "BR", "L"}},
        {MemberPictureKind::MidStringer, {"B", "L", "ﾌﾗﾝｼﾞ厚", "ｳｪﾌﾞ厚", "本数"}},
        {MemberPictureKind::EdgeStringer, {"B", "L", "ﾌﾗﾝｼﾞ厚", "ｳｪﾌﾞ厚"}},
    };
    for (const auto& [kind, names] : cases) {
        CDC dc;
        dc.SetRecording(true);
        const CRect frame(10, 10, 410, 230);
        DrawMemberPicture(&dc, frame, kind);
        QStringList texts;
        for (const CDC::Record& r : dc.Records()) {
            if (r.op == QStringLiteral("TextOut"))
                texts << r.text;
            // Everything stays inside the frame.
            for (size_t i = 0; r.op != QStringLiteral("TextOut") && i + 1 < r.args.size(); i += 2)
                EXPECT_TRUE(frame.PtInRect(CPoint(r.args[i], r.args[i + 1])) || r.op == QStringLiteral("SetPixel"))
                    << int(kind) << " " << r.op.toStdString();
        }
        for (const QString& name : names)
            EXPECT_TRUE(texts.contains(name)) << int(kind) << " " << name.toStdString();
    }
}
