// Tests of two users, or two runs, on one machine never meet in the temporary folder: every
// file a test writes goes into a folder of that test's own.
#include "common/picture_folder.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

TEST(OwnFolders, PicturesGoToAFolderOfTheTestsOwn)
{
    QString first;
    {
        const CPictureFolder a, b;
        ASSERT_TRUE(a.IsValid() && b.IsValid());
        first = QFileInfo(a.FilePath(QStringLiteral("x.png"))).absolutePath();
        EXPECT_NE(first, QFileInfo(b.FilePath(QStringLiteral("x.png"))).absolutePath());
        EXPECT_NE(first, QFileInfo(QDir::tempPath()).absoluteFilePath());
    }
    if (!qEnvironmentVariableIsSet("MV_KEEP_SHOTS")) {
        EXPECT_FALSE(QFileInfo::exists(first));
    }
}

// A name joined to the shared temporary folder is the same for every run; only a folder made
// unique (a temporary directory, mkdtemp) may be written into.
TEST(OwnFolders, NoTestWritesUnderAFixedTemporaryName)
{
    const QRegularExpression shared(QStringLiteral(R"(QDir::temp\(\)|QDir::tempPath\(\)|"/tmp/|temp_directory_path\(\) /)"));
    const QString self = QFileInfo(QStringLiteral(__FILE__)).fileName();
    int files = 0;
    for (const char* root : {MV_TESTS_DIR, MV_BENCH_DIR}) {
        QDirIterator it(QString::fromUtf8(root), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (QFileInfo(path).fileName() == self)
                continue;
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
            ++files;
            const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
            for (int i = 0; i < lines.size(); ++i)
                EXPECT_FALSE(lines[i].contains(shared)) << path.toStdString() << ":" << i + 1;
        }
    }
    EXPECT_GT(files, 50);
}
