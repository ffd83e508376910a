#include "framework/archive.h"

#include "framework/textcodec.h"

#include <QFile>
#include <algorithm>
#include <cstring>

const char* CArchiveException::what() const noexcept
{
    switch (m_cause) {
    case endOfFile: return "archive: unexpected end of file";
    case badSchema: return "archive: unexpected data";
    default: return "archive: read or write failed";
    }
}

CArchive::CArchive(QIODevice* device, Mode mode) : m_mode(mode), m_device(device), m_buffer(&m_own)
{
    if (mode == load && device)
        m_own = device->readAll();
}

CArchive::CArchive(QByteArray* buffer, Mode mode) : m_mode(mode), m_buffer(buffer ? buffer : &m_own) {}

CArchive::CArchive(const QString& path, Mode mode)
    : m_mode(mode), m_file(std::make_unique<QFile>(path)), m_buffer(&m_own)
{
    if (!m_file->open(mode == store ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadOnly))
        throw CArchiveException(CArchiveException::generic, path);
    m_device = m_file.get();
    if (mode == load)
        m_own = m_file->readAll();
}

CArchive::~CArchive()
{
    try {
        Flush();
    } catch (const CArchiveException&) {
        // Nowhere to report it from a destructor; Close() is the checked way.
    }
}

void CArchive::fail(int cause) const
{
    QString name;
    if (const auto* file = qobject_cast<const QFileDevice*>(m_device))
        name = file->fileName();
    throw CArchiveException(cause, name);
}

void CArchive::Write(const void* data, UINT count)
{
    if (m_mode != store || !m_buffer)
        fail(CArchiveException::generic);
    m_buffer->append(static_cast<const char*>(data), qsizetype(count));
}

UINT CArchive::Read(void* data, UINT count)
{
    if (m_mode != load || !m_buffer)
        fail(CArchiveException::generic);
    const qsizetype n = std::min<qsizetype>(count, m_buffer->size() - m_pos);
    if (n > 0)
        std::memcpy(data, m_buffer->constData() + m_pos, size_t(n));
    m_pos += n;
    return UINT(n);
}

void CArchive::take(void* data, qsizetype count)
{
    if (m_mode != load || !m_buffer)
        fail(CArchiveException::generic);
    if (m_buffer->size() - m_pos < count) // leave the target as it was
        fail(CArchiveException::endOfFile);
    std::memcpy(data, m_buffer->constData() + m_pos, size_t(count));
    m_pos += count;
}

void CArchive::Flush()
{
    if (m_mode != store || !m_device)
        return;
    bool ok = m_own.isEmpty() || m_device->write(m_own) == m_own.size();
    m_own.clear();
    if (auto* file = qobject_cast<QFileDevice*>(m_device))
        ok = file->flush() && ok;
    if (!ok)
        fail(CArchiveException::generic);
}

void CArchive::Close()
{
    Flush();
    if (m_file)
        m_file->close();
    m_device = nullptr;
    m_buffer = nullptr;
}

CArchive& CArchive::operator<<(const QString& s)
{
    return WriteStringBytes(AfxToCP932(s));
}

CArchive& CArchive::WriteStringBytes(const QByteArray& bytes)
{
    const auto n = UINT(bytes.size());
    if (n < 0xFF)
        *this << BYTE(n);
    else if (n < 0xFFFE)
        *this << BYTE(0xFF) << WORD(n);
    else
        *this << BYTE(0xFF) << WORD(0xFFFF) << n;
    Write(bytes.constData(), n);
    return *this;
}

// Length of a string: one byte, or 0xFF and a word, or 0xFF 0xFFFF and a double word.
// -1 is the 0xFF 0xFFFE mark of a wide string.
qsizetype CArchive::readLength()
{
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w = 0;
    *this >> w;
    if (w < 0xFFFE)
        return w;
    if (w == 0xFFFE)
        return -1;
    UINT n = 0;
    *this >> n;
    return n;
}

bool CArchive::readString(QByteArray& bytes, QString& wide)
{
    qsizetype n = readLength();
    const bool isWide = n < 0;
    if (isWide && (n = readLength()) < 0)
        fail(CArchiveException::badSchema);
    const qsizetype size = isWide ? n * 2 : n;
    if (m_buffer->size() - m_pos < size) // before allocating anything a broken length asks for
        fail(CArchiveException::endOfFile);
    const char* p = m_buffer->constData() + m_pos;
    m_pos += size;
    if (isWide) {
        wide = QString(n, Qt::Uninitialized);
        std::memcpy(wide.data(), p, size_t(size));
    } else {
        bytes = QByteArray(p, size);
    }
    return isWide;
}

CArchive& CArchive::operator>>(QString& s)
{
    QByteArray bytes;
    QString wide;
    s = readString(bytes, wide) ? wide : AfxFromCP932(bytes);
    return *this;
}

QByteArray CArchive::ReadStringBytes()
{
    QByteArray bytes;
    QString wide;
    return readString(bytes, wide) ? AfxToCP932(wide) : bytes;
}
