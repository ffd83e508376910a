#include "framework/profile.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <climits>

namespace {

class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        AfxSetProfileFile(path());
    }
    void TearDown() override { AfxSetProfileFile(QString()); }
    QString path() const { return m_dir.filePath("test.ini"); }
    QString fileText() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Profile, IntsAndStringsRoundTrip)
{
    EXPECT_EQ(AfxGetProfileFile(), path());
    EXPECT_EQ(int(AfxGetProfileInt("Settings", "Missing", -3)), -3);
    EXPECT_EQ(AfxGetProfileString("Settings", "Missing", "def"), "def");

    EXPECT_TRUE(AfxWriteProfileInt("Settings", "Spans", -5));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "WindowPos", "0:1:-1:-1:10:20:300:400"));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "List", "a,b, c"));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "At", "@x"));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "Company", QString::fromUtf8("株式会社 日本橋梁")));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "Empty", ""));
    EXPECT_TRUE(AfxWriteProfileString("Settings", "Text", "abc"));

    // Written at once and readable as plain text.
    EXPECT_TRUE(fileText().contains("WindowPos=0:1:-1:-1:10:20:300:400"));
    EXPECT_TRUE(fileText().contains(QString::fromUtf8("株式会社 日本橋梁")));

    AfxSetProfileFile(path()); // read back from the disk
    EXPECT_EQ(int(AfxGetProfileInt("Settings", "Spans", 0)), -5);
    EXPECT_EQ(int(AfxGetProfileInt("Settings", "Text", 9)), 9);
    EXPECT_EQ(AfxGetProfileString("Settings", "WindowPos"), "0:1:-1:-1:10:20:300:400");
    EXPECT_EQ(AfxGetProfileString("Settings", "List"), "a,b, c");
    EXPECT_EQ(AfxGetProfileString("Settings", "At"), "@x");
    EXPECT_EQ(AfxGetProfileString("Settings", "Company"), QString::fromUtf8("株式会社 日本橋梁"));
    EXPECT_EQ(AfxGetProfileString("Settings", "Empty", "def"), "");
}

TEST_F(Profile, HandEditedListIsOneString)
{
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Settings]\nList=1,2,3\n");
    f.close();
    AfxSetProfileFile(path());
    EXPECT_EQ(AfxGetProfileString("Settings", "List"), "1,2,3");
}

TEST_F(Profile, BackslashSectionsAreSeparate)
{
    AfxWriteProfileInt("ControlBars", "Visible", 1);
    AfxWriteProfileInt("ControlBars\\State", "BarID", 5);
    AfxWriteProfileInt("ControlBars\\State-Bar0", "BarID", 7);
    EXPECT_EQ(AfxGetProfileEntries("ControlBars"), QStringList{"Visible"});
    EXPECT_EQ(AfxGetProfileEntries("ControlBars\\State"), QStringList{"BarID"});
    EXPECT_EQ(AfxGetProfileInt("ControlBars\\State-Bar0", "BarID", 0), 7u);

    // Deleting a section leaves the sections named below it.
    EXPECT_TRUE(AfxWriteProfileString("ControlBars", nullptr));
    EXPECT_TRUE(AfxGetProfileEntries("ControlBars").isEmpty());
    EXPECT_EQ(AfxGetProfileInt("ControlBars\\State", "BarID", 0), 5u);

    EXPECT_TRUE(AfxWriteProfileString("ControlBars\\State", "BarID", nullptr));
    EXPECT_EQ(AfxGetProfileInt("ControlBars\\State", "BarID", 0), 0u);
    EXPECT_EQ(AfxGetProfileInt("ControlBars\\State-Bar0", "BarID", 0), 7u);
}

TEST_F(Profile, CompanyKeyPlacesTheFile)
{
    AfxSetProfileFile(QString());
    EXPECT_FALSE(AfxWriteProfileInt("Settings", "x", 1)); // no profile at all yet
    EXPECT_EQ(AfxGetProfileInt("Settings", "x", 4), 4u);

    AfxSetRegistryKey("Wrenly Software Corp.");
    AfxSetProfileAppName("Marivolten");
    EXPECT_TRUE(AfxGetProfileFile().endsWith("/Wrenly Software Corp./Marivolten.ini"));
    AfxSetRegistryKey(QString());
    AfxSetProfileAppName(QString());
}

TEST(ProfileInts, ParseAndJoin)
{
    int v[3] = {};
    EXPECT_TRUE(AfxParseProfileInts("1:-2:3", v, 3));
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], -2);
    EXPECT_EQ(v[2], 3);
    EXPECT_TRUE(AfxParseProfileInts("0x1F: 010:+7:99", v, 3)); // like %i; the rest is ignored
    EXPECT_EQ(v[0], 31);
    EXPECT_EQ(v[1], 8);
    EXPECT_EQ(v[2], 7);

    for (const char* bad : {"", "1:2", "1:x:3", "1;2;3", "1:2:", "0x:1:2", "1:2:99999999999", "1 :2:3"}) {
        int w[3] = {9, 9, 9};
        EXPECT_FALSE(AfxParseProfileInts(bad, w, 3)) << bad;
        EXPECT_EQ(w[0], 9) << bad;
        EXPECT_EQ(w[2], 9) << bad;
    }

    const int extremes[4] = {INT_MIN, INT_MAX, 0, -1};
    const QString text = AfxJoinProfileInts(extremes, 4);
    EXPECT_EQ(text, "-2147483648:2147483647:0:-1");
    int back[4] = {};
    EXPECT_TRUE(AfxParseProfileInts(text, back, 4));
    EXPECT_TRUE(std::equal(back, back + 4, extremes));
}
