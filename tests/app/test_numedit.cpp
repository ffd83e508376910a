// The count edit: digits, backspace and space only, with a beep for anything else.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
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
    // Ctrl+V reaches the filter as character 22 and is refused.
    EXPECT_TRUE(m_edit.DispatchKey('V', QString(QChar(22))));
    EXPECT_EQ(AfxGetBeepCount(), beeps + 3);
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
