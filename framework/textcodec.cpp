#include "framework/textcodec.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

const char* const kUtf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";

// One iconv descriptor per thread and direction; opening one per string is needlessly slow.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return m_cd != iconv_t(-1); }
    iconv_t fresh()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

bool isLeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(uchar b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

} // namespace

QByteArray AfxToCP932(const QString& text)
{
    static thread_local Converter conv("CP932", kUtf16);
    if (!conv.ok()) { // no converter installed: keep what ASCII can say
        QByteArray out = text.toLatin1();
        for (char& c : out)
            if (uchar(c) >= 0x80)
                c = '?';
        return out;
    }
    // A UTF-16 unit never needs more than two bytes.
    QByteArray out(text.size() * 2, Qt::Uninitialized);
    iconv_t cd = conv.fresh();
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    char* o = out.data();
    size_t outLeft = size_t(out.size());
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // Not in the code page: one '?' for the character, a surrogate pair being one.
        char16_t unit[2] = {0, 0};
        std::memcpy(unit, in, inLeft >= 4 ? 4 : 2);
        const size_t skip = QChar::isHighSurrogate(unit[0]) && QChar::isLowSurrogate(unit[1]) ? 4 : 2;
        in += skip;
        inLeft -= skip;
        *o++ = '?';
        --outLeft;
    }
    out.resize(o - out.data());
    return out;
}

QString AfxFromCP932(const QByteArray& bytes)
{
    static thread_local Converter conv(kUtf16, "CP932");
    if (!conv.ok()) {
        QString out;
        for (char c : bytes)
            out += uchar(c) < 0x80 ? QChar(c) : QChar(QChar::ReplacementCharacter);
        return out;
    }
    // Every byte or byte pair gives one UTF-16 unit at most.
    QString out(bytes.size(), Qt::Uninitialized);
    iconv_t cd = conv.fresh();
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char* o = reinterpret_cast<char*>(out.data());
    size_t outLeft = size_t(out.size()) * 2;
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // A well-formed but unassigned pair is one bad character; otherwise drop one byte
        // so that an ASCII byte after a stray lead byte survives.
        const bool pair = inLeft >= 2 && isLeadByte(uchar(in[0])) && isTrailByte(uchar(in[1]));
        const char16_t bad = QChar::ReplacementCharacter;
        std::memcpy(o, &bad, 2);
        o += 2;
        outLeft -= 2;
        in += pair ? 2 : 1;
        inLeft -= pair ? 2 : 1;
    }
    out.resize((o - reinterpret_cast<char*>(out.data())) / 2);
    return out;
}

bool AfxIsCP932Text(const QString& text) { return AfxFromCP932(AfxToCP932(text)) == text; }

QString AfxFirstNonCP932Char(const QString& text)
{
    if (AfxIsCP932Text(text))
        return {};
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString ch = text.mid(i, n);
        if (!AfxIsCP932Text(ch))
            return ch;
        i += n;
    }
    return {};
}
