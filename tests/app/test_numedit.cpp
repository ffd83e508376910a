// The count edit: digits, backspace and space only, with a beep for anything else;
// the editing keys work as in any edit.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/numedit.h"
#include "framework/msgbox.h"
#include "common/test_resources.h"

namespace {

// A dialog of the test's own with one edit.
constexpr UINT kDialog = 900;
constexpr int kEdit = 1956;

class NumEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(kDialog));
        ASSERT_TRUE(m_edit.Attach(kEdit, &m_dlg));
        m_line = qobject_cast<QLineEdit*>(m_edit.GetWidget());
        ASSERT_NE(m_line, nullptr);
    }
    // Types as a person would: key down, then the character.
    void Type(const QString& text)
    {
        for (QChar c : text) {
            const UINT vk = c.isDigit() ? UINT(c.unicode()) : 0u;
            if (m_edit.DispatchKey(vk, QString(c)))
                continue;   // refused
            m_line->insert(QString(c));
        }
    }
    TestResources m_res{{{kDialog, QStringLiteral("x"), QString(), 9, 0, 0, {{CtlKind::Edit, kEdit, QString(), 0, 0}}}}};
    CDialog m_dlg{kDialog};
    CNumEdit m_edit;
    QLineEdit* m_line = nullptr;
};

}

TEST_F(NumEditTest, DigitsPassOthersBeep)
{
    int beeps = AfxGetBeepCount();
    Type(QStringLiteral("12"));
    EXPECT_EQ(m_line->text(), QStringLiteral("12"));
    EXPECT_EQ(AfxGetBeepCount(), beeps);

    m_line->clear();
    Type(QStringLiteral("1.5"));
    EXPECT_EQ(m_line->text(), QStringLiteral("15"));
    EXPECT_EQ(AfxGetBeepCount(), beeps + 1);
    EXPECT_EQ(AfxGetLastBeepType(), UINT(MB_ICONASTERISK));

    m_line->clear();
    Type(QStringLiteral("-3"));
    EXPECT_EQ(m_line->text(), QStringLiteral("3"));
    EXPECT_EQ(AfxGetBeepCount(), beeps + 2);

    m_line->clear();
    Type(QStringLiteral("2 0"));
    EXPECT_EQ(m_line->text(), QStringLiteral("2 0"));
    EXPECT_EQ(AfxGetBeepCount(), beeps + 2);
}

TEST_F(NumEditTest, EditingKeysWorkWithoutABeep)
{
    // As the keyboard delivers them: the key with Ctrl, and its control character.
    auto ctrl = [this](Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, QString(QChar(char16_t(key - Qt::Key_A + 1))));
        QApplication::sendEvent(m_line, &press);
    };
    const int beeps = AfxGetBeepCount();
    m_line->setText(QStringLiteral("120"));
    m_line->setCursorPosition(1);

    ctrl(Qt::Key_A);
    EXPECT_EQ(m_line->selectedText(), QStringLiteral("120"));
    QApplication::clipboard()->clear();
    ctrl(Qt::Key_C);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("120"));
    ctrl(Qt::Key_X);
    EXPECT_EQ(m_line->text(), QString());
    ctrl(Qt::Key_Z);
    EXPECT_EQ(m_line->text(), QStringLiteral("120"));

    ctrl(Qt::Key_A);
    QApplication::clipboard()->setText(QStringLiteral("35"));
    ctrl(Qt::Key_V);
    EXPECT_EQ(m_line->text(), QStringLiteral("35"));
    // Pasting is still held to digits and spaces: the whole text is refused.
    QApplication::clipboard()->setText(QStringLiteral("4.5"));
    ctrl(Qt::Key_V);
    EXPECT_EQ(m_line->text(), QStringLiteral("35"));
    EXPECT_EQ(AfxGetBeepCount(), beeps);
}

TEST_F(NumEditTest, PastingNonDigitsIsRefused)
{
    m_line->setText(QStringLiteral("4"));
    m_line->end(false);
    QApplication::clipboard()->setText(QStringLiteral("1.5"));
    m_line->paste();
    EXPECT_EQ(m_line->text(), QStringLiteral("4"));
    QApplication::clipboard()->setText(QStringLiteral("25"));
    m_line->paste();
    EXPECT_EQ(m_line->text(), QStringLiteral("425"));
}
