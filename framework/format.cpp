#include "framework/format.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

// Puts the calling thread in the C locale while it lives, so '.' stays the decimal point.
class CLocaleScope {
public:
    CLocaleScope() : m_old(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_old); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t cLocale()
    {
        static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return loc;
    }
    locale_t m_old;
};

struct Directive {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int prec = -1;
};

// value = 0.d1d2d3... x 10^exp10 with no leading or trailing zeros; zero has no digits.
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

// The decimal places of a finite x >= 0 written out exactly: a binary fraction with n bits
// after the point has exactly n decimal places, and glibc prints those exactly.
int exactPlaces(double x)
{
    if (x == 0)
        return 0;
    int e2 = 0;
    const auto mant = static_cast<std::uint64_t>(std::ldexp(std::frexp(x, &e2), 53));
    return std::max(0, 53 - e2 - std::countr_zero(mant));
}

// The exact decimal expansion of a finite x >= 0.
Decimal exactDecimal(double x)
{
    Decimal d;
    if (x == 0)
        return d;
    const int places = exactPlaces(x);
    std::string s(std::size_t(places) + 320, '\0');
    s.resize(std::size_t(std::snprintf(s.data(), s.size(), "%.*f", places, x)));

    const std::size_t point = s.find('.');
    int intLen = int(point == std::string::npos ? s.size() : point);
    if (point != std::string::npos)
        s.erase(point, 1);
    const std::size_t first = s.find_first_not_of('0');
    d.digits = s.substr(first);
    d.exp10 = intLen - int(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    return d;
}

// Keeps n significant digits. The digits are exact, so a dropped part starting with '5'
// is at least a half: that rounds ties away from zero and leaves the rest correctly rounded.
void roundTo(Decimal& d, int n)
{
    if (n >= int(d.digits.size()))
        return;
    if (n < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[std::size_t(n)] >= '5';
    d.digits.resize(std::size_t(n));
    if (up) {
        int i = n - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9')
            d.digits[std::size_t(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exp10;
        } else {
            ++d.digits[std::size_t(i)];
        }
    }
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    if (d.digits.empty())
        d.exp10 = 0;
}

char digitAt(const Decimal& d, int i)
{
    return i >= 0 && i < int(d.digits.size()) ? d.digits[std::size_t(i)] : '0';
}

std::string fixedText(const Decimal& d, int prec, bool alt)
{
    std::string s;
    if (d.exp10 <= 0)
        s = "0";
    for (int i = 0; i < d.exp10; ++i)
        s += digitAt(d, i);
    if (prec > 0 || alt)
        s += '.';
    for (int i = 0; i < prec; ++i)
        s += digitAt(d, d.exp10 + i);
    return s;
}

std::string sciText(const Decimal& d, int prec, bool alt, bool upper)
{
    std::string s(1, digitAt(d, 0));
    if (prec > 0 || alt)
        s += '.';
    for (int i = 1; i <= prec; ++i)
        s += digitAt(d, i);
    const int x = d.digits.empty() ? 0 : d.exp10 - 1;
    char exp[16];
    std::snprintf(exp, sizeof exp, "%c%c%02d", upper ? 'E' : 'e', x < 0 ? '-' : '+', std::abs(x));
    return s + exp;
}

std::string pad(const std::string& sign, const std::string& body, const Directive& sp, bool zeroFill, int len = -1)
{
    const int fill = sp.width - int(sign.size()) - (len < 0 ? int(body.size()) : len);
    if (fill <= 0)
        return sign + body;
    if (sp.left)
        return sign + body + std::string(std::size_t(fill), ' ');
    if (sp.zero && zeroFill)
        return sign + std::string(std::size_t(fill), '0') + body;
    return std::string(std::size_t(fill), ' ') + sign + body;
}

std::string formatFloat(double v, char conv, const Directive& sp)
{
    const bool upper = conv == 'F' || conv == 'E' || conv == 'G';
    const std::string plus = sp.plus ? "+" : sp.space ? " " : "";
    if (!std::isfinite(v)) {
        const char* body = std::isnan(v) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
        return pad(std::signbit(v) ? "-" : plus, body, sp, false);
    }
    if (conv == 'f' || conv == 'F') {
        // glibc rounds a %f correctly, only a half to even: what has exactly one decimal place
        // more than shown, the last a 5, is the one value it may round otherwise.
        const int prec = sp.prec < 0 ? 6 : sp.prec;
        const double x = std::fabs(v);
        if (exactPlaces(x) != prec + 1) {
            std::string body(std::size_t(prec) + 320, '\0');
            body.resize(std::size_t(std::snprintf(body.data(), body.size(), sp.alt ? "%#.*f" : "%.*f", prec, x)));
            const bool zero = body.find_first_of("123456789") == std::string::npos;
            return pad(std::signbit(v) && !zero ? "-" : plus, body, sp, true);
        }
    }
    Decimal d = exactDecimal(std::fabs(v));
    std::string body;
    switch (conv) {
    case 'f': case 'F': {
        const int prec = sp.prec < 0 ? 6 : sp.prec;
        roundTo(d, d.exp10 + prec);
        body = fixedText(d, prec, sp.alt);
        break;
    }
    case 'e': case 'E': {
        const int prec = sp.prec < 0 ? 6 : sp.prec;
        roundTo(d, prec + 1);
        body = sciText(d, prec, sp.alt, upper);
        break;
    }
    default: { // g, G
        const int p = sp.prec < 0 ? 6 : std::max(sp.prec, 1);
        roundTo(d, p);
        const int x = d.digits.empty() ? 0 : d.exp10 - 1;
        body = (x < p && x >= -4) ? fixedText(d, p - 1 - x, sp.alt) : sciText(d, p - 1, sp.alt, upper);
        if (!sp.alt && body.find('.') != std::string::npos) {
            const std::size_t e = std::min(body.find_first_of("eE"), body.size());
            std::size_t cut = body.find_last_not_of('0', e - 1);
            if (body[cut] == '.')
                --cut;
            body.erase(cut + 1, e - cut - 1);
        }
        break;
    }
    }
    // What rounds to zero shows no minus: a "-0.0" in a table only reads as noise.
    return pad(std::signbit(v) && !d.digits.empty() ? "-" : plus, body, sp, true);
}

// Columns of a character as the Japanese code page counted them: one byte or two.
int columns(char32_t c)
{
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
}

std::string formatText(const QString& text, const Directive& sp)
{
    int cols = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const int w = pair ? 2 : columns(text[end].unicode());
        if (sp.prec >= 0 && cols + w > sp.prec)
            break;
        cols += w;
        end += pair ? 2 : 1;
    }
    return pad("", text.left(end).toStdString(), sp, false, cols);
}

// Rebuilds one integer conversion with the widest length and lets the C library do it.
std::string formatInteger(const Directive& sp, char conv, long long sv, unsigned long long uv)
{
    std::string f = "%";
    if (sp.left) f += '-';
    if (sp.plus) f += '+';
    if (sp.space) f += ' ';
    if (sp.alt) f += '#';
    if (sp.zero) f += '0';
    if (sp.width > 0)
        f += std::to_string(sp.width);
    if (sp.prec >= 0)
        f += '.' + std::to_string(sp.prec);
    f += "ll";
    f += conv;
    char buf[128];
    const bool isSigned = conv == 'd' || conv == 'i';
    const int n = isSigned ? std::snprintf(buf, sizeof buf, f.c_str(), sv) : std::snprintf(buf, sizeof buf, f.c_str(), uv);
    if (n < int(sizeof buf))
        return std::string(buf, std::size_t(std::max(n, 0)));
    std::string big(std::size_t(n) + 1, '\0');
    if (isSigned)
        std::snprintf(big.data(), big.size(), f.c_str(), sv);
    else
        std::snprintf(big.data(), big.size(), f.c_str(), uv);
    big.resize(std::size_t(n));
    return big;
}

int readNumber(const char*& p)
{
    int n = 0;
    while (*p >= '0' && *p <= '9')
        n = std::min(n * 10 + (*p++ - '0'), 1 << 24);
    return n;
}

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What C parsing sees of the text: its ASCII part up to the first other character.
std::string asciiPrefix(const QString& text)
{
    std::string s;
    for (QChar c : text) {
        if (c.unicode() == 0 || c.unicode() >= 0x80)
            break;
        s += char(c.unicode());
    }
    return s;
}

} // namespace

QString AfxFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    QString s = AfxFormatV(fmt, args);
    va_end(args);
    return s;
}

QString AfxFormatV(const char* fmt, va_list args)
{
    if (!fmt)
        return {};
    CLocaleScope cLocale;
    va_list ap;
    va_copy(ap, args);
    std::string out;
    const char* p = fmt;
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        Directive sp;
        for (;; ++p) {
            if (*p == '-') sp.left = true;
            else if (*p == '+') sp.plus = true;
            else if (*p == ' ') sp.space = true;
            else if (*p == '#') sp.alt = true;
            else if (*p == '0') sp.zero = true;
            else break;
        }
        if (*p == '*') {
            ++p;
            sp.width = va_arg(ap, int);
            if (sp.width < 0) {
                sp.left = true;
                sp.width = sp.width == INT_MIN ? 0 : -sp.width;
            }
        } else {
            sp.width = readNumber(p);
        }
        if (*p == '.') {
            ++p;
            if (*p == '*') {
                ++p;
                sp.prec = std::max(va_arg(ap, int), -1);
            } else {
                sp.prec = readNumber(p);
            }
        }
        char len = 0; // 'H' hh, 'h', 'l', 'L' ll, 'D' long double, 'z', 'j', 't'
        if (*p == 'h') { len = p[1] == 'h' ? 'H' : 'h'; p += len == 'H' ? 2 : 1; }
        else if (*p == 'l') { len = p[1] == 'l' ? 'L' : 'l'; p += len == 'L' ? 2 : 1; }
        else if (*p == 'L') { len = 'D'; ++p; }
        else if (*p == 'z' || *p == 'j' || *p == 't') len = *p++;

        const char conv = *p;
        if (conv)
            ++p;
        switch (conv) {
        case 'd': case 'i': {
            long long v;
            switch (len) {
            case 'H': v = static_cast<signed char>(va_arg(ap, int)); break;
            case 'h': v = static_cast<short>(va_arg(ap, int)); break;
            case 'l': v = va_arg(ap, long); break;
            case 'L': v = va_arg(ap, long long); break;
            case 'z': case 't': v = va_arg(ap, std::ptrdiff_t); break;
            case 'j': v = va_arg(ap, std::intmax_t); break;
            default: v = va_arg(ap, int); break;
            }
            out += formatInteger(sp, conv, v, 0);
            break;
        }
        case 'u': case 'o': case 'x': case 'X': {
            unsigned long long v;
            switch (len) {
            case 'H': v = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
            case 'h': v = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
            case 'l': v = va_arg(ap, unsigned long); break;
            case 'L': v = va_arg(ap, unsigned long long); break;
            case 'z': case 't': v = va_arg(ap, std::size_t); break;
            case 'j': v = va_arg(ap, std::uintmax_t); break;
            default: v = va_arg(ap, unsigned); break;
            }
            out += formatInteger(sp, conv, 0, v);
            break;
        }
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': {
            const double v = len == 'D' ? double(va_arg(ap, long double)) : va_arg(ap, double);
            out += formatFloat(v, conv, sp);
            break;
        }
        case 's': {
            const char* s = va_arg(ap, const char*);
            out += formatText(QString::fromUtf8(s ? s : "(null)"), sp);
            break;
        }
        case 'c':
            out += formatText(QString(QChar(char16_t(va_arg(ap, int)))), Directive{sp.left, false, false, false, false, sp.width, -1});
            break;
        case 'p': {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%p", va_arg(ap, void*));
            out += pad("", buf, sp, false);
            break;
        }
        case '%':
            out += '%';
            break;
        default: // not a conversion we know: keep the text as written
            out.append(start, p);
            break;
        }
    }
    va_end(ap);
    return QString::fromStdString(out);
}

double AfxAtof(const QString& text)
{
    const std::string s = asciiPrefix(text);
    std::size_t i = 0;
    while (isBlank(s[i]))
        ++i;
    const std::size_t start = i;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    int digits = 0;
    for (; isDigit(s[i]); ++i)
        ++digits;
    if (s[i] == '.')
        for (++i; isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return 0.0;
    std::size_t end = i;
    if (s[i] == 'e' || s[i] == 'E') {
        std::size_t j = i + 1;
        if (s[j] == '+' || s[j] == '-')
            ++j;
        if (isDigit(s[j])) {
            while (isDigit(s[j]))
                ++j;
            end = j;
        }
    }
    CLocaleScope cLocale;
    return std::strtod(s.substr(start, end - start).c_str(), nullptr);
}

int AfxAtoi(const QString& text)
{
    const std::string s = asciiPrefix(text);
    std::size_t i = 0;
    while (isBlank(s[i]))
        ++i;
    const bool negative = s[i] == '-';
    if (s[i] == '+' || s[i] == '-')
        ++i;
    long long v = 0;
    for (; isDigit(s[i]); ++i)
        v = std::min(v * 10 + (s[i] - '0'), 1LL + INT_MAX);
    if (negative)
        v = -v;
    return int(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long AfxRoundThousandYen(double yen)
{
    if (!std::isfinite(yen))
        return 0;
    const double a = std::fabs(yen);
    const double rest = std::fmod(a, 1000.0); // exact, so 1450 yen really leaves 450
    long long k = std::llround((a - rest) / 1000.0);
    if (rest >= 450.0)
        ++k;
    return yen < 0 ? -k : k;
}
