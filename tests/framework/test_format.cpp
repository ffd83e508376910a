#include "framework/format.h"

#include <gtest/gtest.h>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <locale.h>
#include <random>
#include <string>

namespace {

// The C library's own answer, in the C locale whatever the environment says.
std::string glibc(const char* fmt, double v)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const locale_t old = uselocale(c);
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, v);
    uselocale(old);
    return buf;
}

// The same, except that a value showing no digit but zeros shows as zero does: no minus.
std::string glibcUnsignedZero(const char* fmt, double v)
{
    const std::string s = glibc(fmt, v);
    const std::string mantissa = s.substr(0, s.find_first_of("eE"));
    return mantissa.find_first_of("123456789") == std::string::npos ? glibc(fmt, 0.0) : s;
}

} // namespace

TEST(Format, HalvesRoundAwayFromZero)
{
    EXPECT_EQ(AfxFormat("%8.0f", 1234.5), "    1235");
    EXPECT_EQ(AfxFormat("%.2f", 0.125), "0.13");
    EXPECT_EQ(AfxFormat("%.0f", -2.5), "-3");
    EXPECT_EQ(AfxFormat("%.0f", 0.5), "1");
    EXPECT_EQ(AfxFormat("%.0f", 9.5), "10");
    EXPECT_EQ(AfxFormat("%.1f", -0.25), "-0.3");
    EXPECT_EQ(AfxFormat("%.1e", 125.0), "1.3e+02");
    EXPECT_EQ(AfxFormat("%.1g", 2.5), "3");
    EXPECT_EQ(AfxFormat("%.2g", 0.125), "0.13");
    EXPECT_EQ(AfxFormat("%.4g", 1000.5), "1001");
}

TEST(Format, NearHalvesKeepCorrectRounding)
{
    EXPECT_EQ(AfxFormat("%.2f", 2.675), "2.67");  // 2.67499999...
    EXPECT_EQ(AfxFormat("%.2f", 1.005), "1.00");  // 1.00499999...
    EXPECT_EQ(AfxFormat("%.2f", 0.005), "0.01");  // 0.00500000...01
    EXPECT_EQ(AfxFormat("%.1f", 99.95), "100.0"); // 99.9500000...03, carries through
    EXPECT_EQ(AfxFormat("%.0f", 0.49999999999999994), "0");
}

// Away from exact halves glibc rounds correctly, so both must agree digit for digit.
TEST(Format, AgreesWithCLibraryOffTies)
{
    const char* formats[] = {"%f", "%.0f", "%.3f", "%12.4f", "%+08.2f", "%-10.1f|", "%#.0f", "%e", "%.0e",
                             "%12.3E", "%#.0e", "%g", "%.10g", "%-12.3g|", "%#g", "%G", "%.17g", "%08.3e"};
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mant(-1.0, 1.0);
    std::uniform_int_distribution<int> exp(-30, 30);
    for (int i = 0; i < 3000; ++i) {
        const double v = std::ldexp(mant(rng), exp(rng)) * 1.0000001;
        for (const char* f : formats)
            ASSERT_EQ(AfxFormat(f, v).toStdString(), glibcUnsignedZero(f, v)) << f << " " << v;
    }
    for (double v : {0.0, -0.0, 1.0, 100.0, 1e-5, 123456789.0, 1e300, 5e-324, 0.1, 1.0 / 3})
        for (const char* f : formats)
            EXPECT_EQ(AfxFormat(f, v).toStdString(), glibcUnsignedZero(f, v)) << f << " " << v;
}

// A value that rounds to zero at the decimals shown is a zero, not a "-0.0".
TEST(Format, ZeroShowsNoMinus)
{
    EXPECT_EQ(AfxFormat("%.1f", -0.00001), "0.0");
    EXPECT_EQ(AfxFormat("%.1f", -0.0), "0.0");
    EXPECT_EQ(AfxFormat("%6.0f|%-5.1f|", -0.4, -0.04), "     0|0.0  |");
    EXPECT_EQ(AfxFormat("%+.2f %+.2f", -0.001, -0.005), "+0.00 -0.01");
    EXPECT_EQ(AfxFormat("%g %e", -0.0, -0.0), "0 0.000000e+00");
    EXPECT_EQ(AfxFormat("%.1f", -0.05), "-0.1");
}

TEST(Format, IntegersTextAndInfinities)
{
    EXPECT_EQ(AfxFormat("%5d|%-5d|%05d|%+d", 42, 42, 42, 42), "   42|42   |00042|+42");
    EXPECT_EQ(AfxFormat("%x %X %#o %u", 255, 255, 8, UINT_MAX), "ff FF 010 4294967295");
    EXPECT_EQ(AfxFormat("%ld %lld %hd", -7L, 1LL << 40, 70000), "-7 1099511627776 4464");
    EXPECT_EQ(AfxFormat("%*d|%-*d|%.*f", 4, 1, 3, 2, 1, 0.25), "   1|2  |0.3");
    EXPECT_EQ(AfxFormat("%*d|", -3, 7), "7  |");
    EXPECT_EQ(AfxFormat("%c%c 100%%", 'o', 'k'), "ok 100%");
    EXPECT_EQ(AfxFormat("%f %5.1f %E", INFINITY, -INFINITY, NAN), "inf  -inf NAN");
    EXPECT_EQ(AfxFormat("%s=%d", "本数", 3), QString::fromUtf8("本数=3"));
}

// Widths of %s count columns as the Japanese code page did: full-width characters take two.
TEST(Format, StringWidthsInColumns)
{
    EXPECT_EQ(AfxFormat("%-6s|", "主桁"), QString::fromUtf8("主桁  |"));
    EXPECT_EQ(AfxFormat("%6s|", "ﾌｧｲﾙ"), QString::fromUtf8("  ﾌｧｲﾙ|"));
    EXPECT_EQ(AfxFormat("%.3s|", "主桁"), QString::fromUtf8("主|"));
    EXPECT_EQ(AfxFormat("%.2s|", "abc"), "ab|");
}

TEST(Format, ReadsNumbersLikeC)
{
    EXPECT_EQ(AfxAtof("  12.5e3xyz"), 12500.0);
    EXPECT_EQ(AfxAtof("-.5"), -0.5);
    EXPECT_EQ(AfxAtof("\t+7."), 7.0);
    EXPECT_EQ(AfxAtof("1e"), 1.0);
    EXPECT_EQ(AfxAtof("2E+x"), 2.0);
    EXPECT_EQ(AfxAtof("3.5１"), 3.5);
    for (const char* none : {"", ".", "abc", "0x10", "inf", "nan", "１２", "- 1"})
        EXPECT_EQ(AfxAtof(QString::fromUtf8(none)), 0.0) << none;

    EXPECT_EQ(AfxAtoi(" -42abc"), -42);
    EXPECT_EQ(AfxAtoi("+7"), 7);
    EXPECT_EQ(AfxAtoi("12.9"), 12);
    EXPECT_EQ(AfxAtoi("99999999999"), INT_MAX);
    EXPECT_EQ(AfxAtoi("-99999999999"), INT_MIN);
    EXPECT_EQ(AfxAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(AfxAtoi("１"), 0);
    EXPECT_EQ(AfxAtoi(""), 0);
}

TEST(Format, IgnoresUserLocale)
{
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "de_DE.utf8"})
        if (std::setlocale(LC_ALL, name)) {
            found = name;
            break;
        }
    if (!found)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    const QString text = AfxFormat("%.2f %g", 1.5, 0.25);
    const double read = AfxAtof("1.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, "1.50 0.25");
    EXPECT_EQ(read, 1.5);
}

TEST(Format, ThousandYen)
{
    EXPECT_EQ(AfxRoundThousandYen(0), 0);
    EXPECT_EQ(AfxRoundThousandYen(449), 0);
    EXPECT_EQ(AfxRoundThousandYen(450), 1);
    EXPECT_EQ(AfxRoundThousandYen(1449.99), 1);
    EXPECT_EQ(AfxRoundThousandYen(1450), 2); // 1.45 is below 1.45 in binary; yen are exact
    EXPECT_EQ(AfxRoundThousandYen(2000), 2);
    EXPECT_EQ(AfxRoundThousandYen(123456789), 123457);
    EXPECT_EQ(AfxRoundThousandYen(1e12 + 450), 1000000001);
    EXPECT_EQ(AfxRoundThousandYen(-1449), -1);
    EXPECT_EQ(AfxRoundThousandYen(-1450), -2);
}
