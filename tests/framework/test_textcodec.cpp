#include "framework/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, RoundTripsJapaneseAndAscii)
{
    for (const char* s : {"橋梁設計 ver.1", "ＭＳ 明朝", "〆", "　", "ﾌｧｲﾙ", "C:\\Work\\a~b", "①Ⅱ㈱～－", ""}) {
        const QString text = QString::fromUtf8(s);
        EXPECT_EQ(AfxFromCP932(AfxToCP932(text)), text) << s;
    }
}

TEST(TextCodec, Bytes)
{
    EXPECT_EQ(AfxToCP932(QString::fromUtf8("ﾌｧｲﾙ")), QByteArray("\xcc\xa7\xb2\xd9"));
    EXPECT_EQ(AfxToCP932(QString::fromUtf8("ＭＳ 明朝")), QByteArray("\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9"));
    EXPECT_EQ(AfxToCP932(QString::fromUtf8("\\~　")), QByteArray("\x5c\x7e\x81\x40"));
    EXPECT_EQ(AfxFromCP932(QByteArray("\x5c\x7e")), "\\~");
}

TEST(TextCodec, UnrepresentableBecomesQuestionMark)
{
    // A surrogate pair is one character, so one '?'.
    EXPECT_EQ(AfxToCP932(QString::fromUtf8("aé😀한b橋")), QByteArray("a???b\x8b\xb4"));
}

TEST(TextCodec, BadBytesBecomeReplacementAndTheRestSurvives)
{
    const QString bad(QChar::ReplacementCharacter);
    EXPECT_EQ(AfxFromCP932(QByteArray("a\x85\x40" "b")), "a" + bad + "b"); // unassigned pair: one character
    EXPECT_EQ(AfxFromCP932(QByteArray("a\x81 b")), "a" + bad + " b");    // stray lead byte only
    EXPECT_EQ(AfxFromCP932(QByteArray("\xfd\xfe\xff" "x")), bad + bad + bad + "x");
    EXPECT_EQ(AfxFromCP932(QByteArray("ab\x82")), "ab" + bad);            // cut in the middle
}

TEST(TextCodec, TextThatDoesNotComeBackIsFound)
{
    for (const char* s : {"Bridge-1 ver.2", "ﾌｧｲﾙ", "ひらがな・カタカナ・漢字", "①～∥－髙﨑", ""})
        EXPECT_TRUE(AfxIsCP932Text(QString::fromUtf8(s))) << s;
    // Not in the code page, or written as a look-alike that reads back as another character.
    for (const char* s : {"😀", "é", "한", "〜", "‖", "−", "¥", "\xef\xbf\xbd"}) {
        const QString text = QStringLiteral("ab") + QString::fromUtf8(s) + QStringLiteral("橋😀");
        EXPECT_FALSE(AfxIsCP932Text(text)) << s;
        EXPECT_EQ(AfxFirstNonCP932Char(text), QString::fromUtf8(s)) << s;
    }
    EXPECT_EQ(AfxFirstNonCP932Char(QStringLiteral("①～")), QString());
}
