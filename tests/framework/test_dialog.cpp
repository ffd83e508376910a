// Dialogs built from templates: controls by id, data exchange with range
// checks, radio groups, modal loops and scripted message boxes.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "framework/dialog.h"
#include "framework/msgbox.h"
#include "common/test_resources.h"

namespace {

DialogTemplate SpanTemplate()
{
    return {500, QStringLiteral("試験"), QString(), 9, 0, 0, {
            {CtlKind::Edit, 1001, QString(), 0, 0},
            {CtlKind::Spin, 1003, QString(), 0, 1},
            {CtlKind::Edit, 1002, QString(), 1, 0},
            {CtlKind::RadioButton, 1010, QStringLiteral("鈑桁"), 2, 0, 1, 1, CF_GROUP},
            {CtlKind::RadioButton, 1011, QStringLiteral("箱桁"), 2, 1},
            {CtlKind::RadioButton, 1012, QStringLiteral("単箱桁"), 2, 2},
            {CtlKind::CheckBox, 1020, QStringLiteral("する"), 3, 0, 1, 1, CF_GROUP},
            {CtlKind::PushButton, IDOK, QStringLiteral("OK"), 4, 0, 1, 1, CF_DEFAULT},
            {CtlKind::PushButton, IDCANCEL, QStringLiteral("ｷｬﾝｾﾙ"), 4, 1},
        }};
}

class SpanDialog : public CDialog {
public:
    SpanDialog() : CDialog(500) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, 1001, m_nSpans);
        DDV_MinMaxInt(pDX, m_nSpans, 1, 14);
        DDX_Text(pDX, 1002, m_dLength);
        DDV_MinMaxDouble(pDX, m_dLength, 0.5, 200.0);
        DDX_Radio(pDX, 1010, m_nType);
        DDX_Check(pDX, 1020, m_bVary);
    }
    int m_nSpans = 3;
    double m_dLength = 30.5;
    int m_nType = 1;
    int m_bVary = 0;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AfxSetMessageBoxHandler([this](const QString& text, UINT) { m_shown << text; return int(IDOK); });
    }
    void TearDown() override
    {
        AfxSetModalHook({});
        AfxSetMessageBoxHandler({});
    }
    void Type(CDialog* dlg, int id, const QString& text)
    {
        auto* e = qobject_cast<QLineEdit*>(dlg->GetDlgItem(id)->GetWidget());
        ASSERT_NE(e, nullptr);
        e->setText(text);
    }
    TestResources m_res{{SpanTemplate()}};
    QStringList m_shown;
};

}

TEST_F(DialogTest, MembersReachTheControlsAndComeBackOnOK)
{
    SpanDialog dlg;
    AfxSetModalHook([this](CDialog* d) {
        EXPECT_EQ(d->GetDlgItem(1001)->GetWindowText(), QStringLiteral("3"));
        EXPECT_EQ(d->GetDlgItem(1002)->GetWindowText(), QStringLiteral("30.5"));
        EXPECT_EQ(static_cast<CButton*>(d->GetDlgItem(1011))->GetCheck(), 1);
        EXPECT_EQ(static_cast<CButton*>(d->GetDlgItem(1010))->GetCheck(), 0);
        Type(d, 1001, QStringLiteral("12"));
        Type(d, 1002, QStringLiteral(" 45.25"));
        static_cast<CButton*>(d->GetDlgItem(1012))->Click();
        static_cast<CButton*>(d->GetDlgItem(1020))->Click();
        static_cast<CButton*>(d->GetDlgItem(IDOK))->Click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nSpans, 12);
    EXPECT_EQ(dlg.m_dLength, 45.25);
    EXPECT_EQ(dlg.m_nType, 2);
    EXPECT_EQ(dlg.m_bVary, 1);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(dlg.GetWidget(), nullptr);     // the window went with the modal loop
}

TEST_F(DialogTest, OutOfRangeInputKeepsTheDialogOpenWithAMessage)
{
    SpanDialog dlg;
    int attempts = 0;
    AfxSetModalHook([&](CDialog* d) {
        Type(d, 1001, QStringLiteral("15"));
        d->SendMessage(WM_COMMAND, IDOK);
        ++attempts;
        EXPECT_EQ(d->GetModalResult(), -1);         // still open
        Type(d, 1001, QStringLiteral("abc"));
        d->SendMessage(WM_COMMAND, IDOK);
        Type(d, 1001, QStringLiteral("14"));
        Type(d, 1002, QStringLiteral("0.1"));
        d->SendMessage(WM_COMMAND, IDOK);
        Type(d, 1002, QStringLiteral("0.5"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(attempts, 1);
    ASSERT_EQ(m_shown.size(), 3);
    EXPECT_EQ(m_shown[0], QStringLiteral("1 から 14 までの整数を入力してください。"));
    EXPECT_EQ(m_shown[1], QStringLiteral("整数を入力してください。"));
    EXPECT_EQ(m_shown[2], QStringLiteral("0.5 から 200 までの数値を入力してください。"));
    EXPECT_EQ(dlg.m_nSpans, 14);
    EXPECT_EQ(dlg.m_dLength, 0.5);
}

TEST_F(DialogTest, CancelLeavesMembersAlone)
{
    SpanDialog dlg;
    AfxSetModalHook([this](CDialog* d) {
        Type(d, 1001, QStringLiteral("7"));
        static_cast<CButton*>(d->GetDlgItem(IDCANCEL))->Click();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nSpans, 3);
}

TEST_F(DialogTest, RadioGroupStopsAtTheNextGroup)
{
    SpanDialog dlg;
    ASSERT_TRUE(dlg.Create(500));
    const std::vector<int> group = dlg.m_host.RadioGroup(1010);
    EXPECT_EQ(group, (std::vector<int>{1010, 1011, 1012}));
    dlg.m_nType = -1;
    dlg.UpdateData(FALSE);
    for (int id : group)
        EXPECT_EQ(static_cast<CButton*>(dlg.GetDlgItem(id))->GetCheck(), 0);
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nType, -1);
    EXPECT_EQ(dlg.GetDlgItem(4242), nullptr);
}

TEST_F(DialogTest, ControlIdsFindTheDialogsOwnControlBeforeAChildWindowsOwn)
{
    SpanDialog dlg;
    ASSERT_TRUE(dlg.Create(500));
    // A control ahead of the OK button with a child window of its own numbered like it,
    // as a table's edit and scroll bars are.
    CWnd* table = dlg.GetDlgItem(1001);
    CWnd inner;
    ASSERT_TRUE(inner.CreateEx(table, CRect(0, 0, 10, 10), IDOK));
    EXPECT_EQ(dlg.GetDlgItem(IDOK)->GetWindowText(), QStringLiteral("OK"));
    EXPECT_EQ(table->GetDlgItem(IDOK), &inner);
}

TEST(MessageBox, ScriptedAnswersAndBeeps)
{
    QStringList seen;
    AfxSetMessageBoxHandler([&](const QString& t, UINT type) {
        seen << t;
        return (type & MB_TYPEMASK) == MB_YESNOCANCEL ? int(IDNO) : int(IDOK);
    });
    EXPECT_EQ(AfxMessageBox(QStringLiteral("計算終了!")), IDOK);
    EXPECT_EQ(AfxMessageBox(QStringLiteral("保存しますか"), MB_YESNOCANCEL), IDNO);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("計算終了!"), QStringLiteral("保存しますか")}));
    AfxSetMessageBoxHandler({});
    const int before = AfxGetBeepCount();
    MessageBeep(MB_ICONASTERISK);
    EXPECT_EQ(AfxGetBeepCount(), before + 1);
    EXPECT_EQ(AfxGetLastBeepType(), UINT(MB_ICONASTERISK));
}

namespace {
// An edit that refuses every character, as a count edit does with letters.
class StrictEdit : public CEdit {
public:
    void OnChar(UINT, UINT, UINT) override { ++m_refused; }
    int m_refused = 0;
};
}

TEST_F(DialogTest, EnterInAFilteredEditStillConfirmsTheDialog)
{
    SpanDialog dlg;
    StrictEdit edit;
    AfxSetModalHook([&edit](CDialog* d) {
        ASSERT_TRUE(edit.SubclassDlgItem(1001, d));
        edit.GetWidget()->setFocus();
        QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(edit.GetWidget(), &a);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(edit.GetWidget(), &enter);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(edit.m_refused, 1);      // the letter, not the Enter
}

TEST_F(DialogTest, ASpinStepsItsBuddyAfterTheBuddyIsSubclassed)
{
    SpanDialog dlg;
    CEdit edit;
    AfxSetModalHook([&edit](CDialog* d) {
        ASSERT_TRUE(edit.SubclassDlgItem(1001, d));
        auto* spin = dynamic_cast<CSpinButtonCtrl*>(d->GetDlgItem(1003));
        ASSERT_NE(spin, nullptr);
        EXPECT_EQ(spin->GetBuddy(), &edit);
        spin->SetRange(0, 14);
        spin->Step(1);
        EXPECT_EQ(edit.GetWindowText(), QStringLiteral("4"));
        // A buddy that shows the number already keeps its own layout of it: a bar that
        // writes "   4" on every paint must not see it changed back and paint again.
        edit.SetWindowText(QStringLiteral("   4"));
        spin->SetPos(4);
        EXPECT_EQ(edit.GetWindowText(), QStringLiteral("   4"));
        d->SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nSpans, 4);
}

// Text set by code notifies the owner as typing does, once per change; a handler that
// rewrites the same edit is not notified of its own rewrite, so nothing loops.
TEST_F(DialogTest, TextSetByCodeNotifiesItsOwnerOnce)
{
    SpanDialog dlg;
    int lengthChanges = 0, spanChanges = 0;
    dlg.OnNotify(1002, EN_CHANGE, [&] {
        ++lengthChanges;
        dlg.GetDlgItem(1002)->SetWindowText(dlg.GetDlgItem(1002)->GetWindowText() + QStringLiteral("0"));
    });
    dlg.OnNotify(1001, EN_CHANGE, [&] { ++spanChanges; });
    AfxSetModalHook([&](CDialog* d) {
        lengthChanges = spanChanges = 0;
        d->GetDlgItem(1002)->SetWindowText(QStringLiteral("12"));
        EXPECT_EQ(lengthChanges, 1);
        EXPECT_EQ(d->GetDlgItem(1002)->GetWindowText(), QStringLiteral("120"));
        d->GetDlgItem(1001)->SetWindowText(QStringLiteral("5"));
        d->GetDlgItem(1001)->SetWindowText(QStringLiteral("5"));
        EXPECT_EQ(spanChanges, 1);
        // A spin step reaches the owner through its buddy's text, once.
        auto* spin = dynamic_cast<CSpinButtonCtrl*>(d->GetDlgItem(1003));
        spin->SetRange(0, 14);
        spin->Step(1);
        EXPECT_EQ(spanChanges, 2);
        d->SendMessage(WM_COMMAND, IDCANCEL);
    });
    dlg.DoModal();
}
