#include "framework/archive.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

namespace {

QByteArray stored(const QString& s)
{
    QByteArray buf;
    CArchive ar(&buf, CArchive::store);
    ar << s;
    return buf;
}

QString loaded(const QByteArray& bytes)
{
    QByteArray buf = bytes;
    CArchive ar(&buf, CArchive::load);
    QString s;
    ar >> s;
    return s;
}

int causeOf(const QByteArray& bytes, void (*read)(CArchive&))
{
    QByteArray buf = bytes;
    CArchive ar(&buf, CArchive::load);
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

} // namespace

TEST(Archive, RoundTripsEveryType)
{
    QByteArray buf;
    {
        CArchive ar(&buf, CArchive::store);
        EXPECT_TRUE(ar.IsStoring());
        ar << -5 << UINT(0xFFFFFFFF) << LONG(-7) << WORD(0xBEEF) << BYTE(200) << 1.25 << -0.0 << 0.1f
           << CPoint(3, -4) << CSize(10, 20) << CRect(1, 2, 3, 4) << QString::fromUtf8("主桁 G1") << QString();
    }
    EXPECT_EQ(buf.size(), 4 + 4 + 4 + 2 + 1 + 8 + 8 + 4 + 8 + 8 + 16 + 1 + 7 + 1);

    CArchive ar(&buf, CArchive::load);
    EXPECT_TRUE(ar.IsLoading());
    int i; UINT u; LONG l; WORD w; BYTE b; double d1, d2; float f;
    CPoint p; CSize s; CRect r; QString t1, t2 = "x";
    ar >> i >> u >> l >> w >> b >> d1 >> d2 >> f >> p >> s >> r >> t1 >> t2;
    EXPECT_EQ(i, -5);
    EXPECT_EQ(u, 0xFFFFFFFFu);
    EXPECT_EQ(l, -7);
    EXPECT_EQ(w, 0xBEEF);
    EXPECT_EQ(b, 200);
    EXPECT_EQ(d1, 1.25);
    EXPECT_TRUE(d2 == 0 && std::signbit(d2));
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(p, CPoint(3, -4));
    EXPECT_EQ(s, CSize(10, 20));
    EXPECT_EQ(r, CRect(1, 2, 3, 4));
    EXPECT_EQ(t1, QString::fromUtf8("主桁 G1"));
    EXPECT_TRUE(t2.isEmpty());
}

TEST(Archive, LittleEndianLayout)
{
    QByteArray buf;
    {
        CArchive ar(&buf, CArchive::store);
        ar << 1 << WORD(0x0102) << 1.0 << CPoint(2, 3);
    }
    EXPECT_EQ(buf.toHex(' '), "01 00 00 00 02 01 00 00 00 00 00 00 f0 3f 02 00 00 00 03 00 00 00");
}

TEST(Archive, StringLengthPrefixes)
{
    auto prefix = [](int n, int len) { return stored(QString(n, u'a')).left(len).toHex(' ').toUpper(); };
    EXPECT_EQ(prefix(254, 1), "FE");
    EXPECT_EQ(prefix(255, 3), "FF FF 00");
    EXPECT_EQ(prefix(65533, 3), "FF FD FF");
    EXPECT_EQ(prefix(65534, 7), "FF FF FF FE FF 00 00");
    for (int n : {0, 254, 255, 65533, 65534, 70000})
        EXPECT_EQ(loaded(stored(QString(n, u'a'))), QString(n, u'a')) << n;

    // The length counts CP932 bytes, not characters.
    const QByteArray kanji = stored(QString(200, u'橋'));
    EXPECT_EQ(kanji.left(3).toHex(' ').toUpper(), "FF 90 01");
    EXPECT_EQ(kanji.size(), 403);
}

TEST(Archive, AcceptsWideStrings)
{
    EXPECT_EQ(loaded(QByteArray::fromHex("FF FE FF 02 61 00 4B 6A")), QString::fromUtf8("a橋"));
    QByteArray longWide = QByteArray::fromHex("FF FE FF FF 00 01");
    for (int i = 0; i < 256; ++i)
        longWide += QByteArray::fromHex("42 00");
    EXPECT_EQ(loaded(longWide), QString(256, u'B'));
}

TEST(Archive, ReadingPastTheEndThrows)
{
    EXPECT_EQ(causeOf(QByteArray::fromHex("01 02 03"), [](CArchive& ar) { int v; ar >> v; }), CArchiveException::endOfFile);
    EXPECT_EQ(causeOf({}, [](CArchive& ar) { BYTE v; ar >> v; }), CArchiveException::endOfFile);
    EXPECT_EQ(causeOf({}, [](CArchive& ar) { CRect r; ar >> r; }), CArchiveException::endOfFile);
    auto readString = [](CArchive& ar) { QString s; ar >> s; };
    EXPECT_EQ(causeOf(QByteArray::fromHex("0A 61 62 63"), readString), CArchiveException::endOfFile);
    EXPECT_EQ(causeOf(QByteArray::fromHex("FF FF FF FF FF FF 7F"), readString), CArchiveException::endOfFile);
    EXPECT_EQ(causeOf(QByteArray::fromHex("FF FE FF 05 61 00"), readString), CArchiveException::endOfFile);
    EXPECT_EQ(causeOf(QByteArray::fromHex("FF FE FF FF FE FF 00"), readString), CArchiveException::badSchema);

    // A short read leaves the target as it was.
    QByteArray buf = QByteArray::fromHex("01 02");
    CArchive ar(&buf, CArchive::load);
    double d = 7;
    EXPECT_THROW(ar >> d, CArchiveException);
    EXPECT_EQ(d, 7);
    char raw[4] = {};
    EXPECT_EQ(ar.Read(raw, 4), 2u); // plain Read just reports what was there
    EXPECT_EQ(ar.Read(raw, 4), 0u);
}

TEST(Archive, FilesAndDevices)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("a.mvl");
    {
        CArchive ar(path, CArchive::store);
        ar << 42 << QString::fromUtf8("ＭＳ 明朝");
        ar.Close();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toHex(' '), "2a 00 00 00 09 82 6c 82 72 20 96 be 92 a9");
    file.seek(0);
    CArchive in(&file, CArchive::load);
    int n = 0;
    QString s;
    in >> n >> s;
    EXPECT_EQ(n, 42);
    EXPECT_EQ(s, QString::fromUtf8("ＭＳ 明朝"));

    // A device gets everything on Flush, or at the latest when the archive goes.
    QBuffer device;
    device.open(QIODevice::WriteOnly);
    {
        CArchive ar(&device, CArchive::store);
        ar << 1;
        ar.Flush();
        EXPECT_EQ(device.data().size(), 4);
        ar << 2;
    }
    EXPECT_EQ(device.data().size(), 8);

    EXPECT_THROW(CArchive(dir.filePath("missing.mvl"), CArchive::load), CArchiveException);
}
