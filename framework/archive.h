// Binary little-endian stream of the design file.
#pragma once

#include "framework/types.h"

#include <QByteArray>
#include <QString>
#include <bit>
#include <exception>
#include <memory>

class QFile;
class QIODevice;

class CArchiveException : public std::exception {
public:
    enum Cause { none = 0, generic = 1, badSchema = 6, endOfFile = 9 };

    explicit CArchiveException(int cause = generic, const QString& fileName = {})
        : m_cause(cause), m_strFileName(fileName) {}
    const char* what() const noexcept override;

    int m_cause;
    QString m_strFileName;
    QString m_strMessage;   // what the user is told, when the reader knows better than the cause
};

// Loading reads the whole source at once and storing collects everything until Flush()
// or Close(): design files are small and this keeps every operator trivial.
// Strings go out in CP932 behind a length prefix; the wide form is accepted on load.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    CArchive(QIODevice* device, Mode mode);
    CArchive(QByteArray* buffer, Mode mode); // in memory; storing appends to *buffer
    CArchive(const QString& path, Mode mode); // opens the file; throws generic on failure
    ~CArchive(); // a storing archive not yet closed is flushed (errors are lost then)
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    // One walk for both directions: writes the value, or reads it back into the same place.
    template <class T> CArchive& Exchange(T& v) { return IsStoring() ? (*this << v) : (*this >> v); }

    void Write(const void* data, UINT count);
    UINT Read(void* data, UINT count); // fewer than count only at the end
    void Flush();
    void Close();

    CArchive& operator<<(int v) { return put(v); }
    CArchive& operator<<(unsigned int v) { return put(v); }
    CArchive& operator<<(short v) { return put(v); }
    CArchive& operator<<(WORD v) { return put(v); }
    CArchive& operator<<(BYTE v) { return put(v); }
    CArchive& operator<<(long long v) { return put(v); }
    CArchive& operator<<(unsigned long long v) { return put(v); }
    CArchive& operator<<(double v) { return put(v); }
    CArchive& operator<<(float v) { return put(v); }
    CArchive& operator<<(CPoint p) { return *this << p.x << p.y; }
    CArchive& operator<<(CSize s) { return *this << s.cx << s.cy; }
    CArchive& operator<<(const CRect& r) { return *this << r.left << r.top << r.right << r.bottom; }
    CArchive& operator<<(const QString& s);
    // A string's bytes as they lie in the file, for text that is split or checked in bytes.
    CArchive& WriteStringBytes(const QByteArray& bytes);

    CArchive& operator>>(int& v) { return get(v); }
    CArchive& operator>>(unsigned int& v) { return get(v); }
    CArchive& operator>>(short& v) { return get(v); }
    CArchive& operator>>(WORD& v) { return get(v); }
    CArchive& operator>>(BYTE& v) { return get(v); }
    CArchive& operator>>(long long& v) { return get(v); }
    CArchive& operator>>(unsigned long long& v) { return get(v); }
    CArchive& operator>>(double& v) { return get(v); }
    CArchive& operator>>(float& v) { return get(v); }
    CArchive& operator>>(CPoint& p) { return *this >> p.x >> p.y; }
    CArchive& operator>>(CSize& s) { return *this >> s.cx >> s.cy; }
    CArchive& operator>>(CRect& r) { return *this >> r.left >> r.top >> r.right >> r.bottom; }
    CArchive& operator>>(QString& s);
    QByteArray ReadStringBytes(); // a wide string comes back in CP932

private:
    // Bytes go as they lie in memory: the host is little-endian, as the file is.
    static_assert(std::endian::native == std::endian::little);
    template <class T> CArchive& put(T v)
    {
        Write(&v, sizeof v);
        return *this;
    }
    template <class T> CArchive& get(T& v)
    {
        take(&v, sizeof v);
        return *this;
    }
    void take(void* data, qsizetype count); // throws endOfFile when short
    qsizetype readLength();
    bool readString(QByteArray& bytes, QString& wide); // true: the wide form
    [[noreturn]] void fail(int cause) const;

    Mode m_mode;
    QIODevice* m_device = nullptr;
    std::unique_ptr<QFile> m_file;
    QByteArray* m_buffer = nullptr; // where bytes are read from or collected
    QByteArray m_own;
    qsizetype m_pos = 0;
};
