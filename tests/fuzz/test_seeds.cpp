// The fuzz corpus' seeds and kept findings, run once through the fuzz entry.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(DesignFileFuzzSeeds, EverySeedIsReadOrRefused)
{
    const QDir dir(QStringLiteral(MV_SEED_DIR));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 10);
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())), 0)
            << name.toStdString();
    }
}
