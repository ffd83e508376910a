// Numbers to text and back, always in the C locale whatever the user's locale.
#pragma once

#include <QString>
#include <cstdarg>

// printf-style formatting: %d %i %u %o %x %X %c %s %f %F %e %E %g %G %p %% with flags,
// width, precision, '*' and the h/hh/l/ll/z/j/t length modifiers. %s takes UTF-8; its
// width and precision count columns as the Japanese code page did (full-width = 2).
// Exact halves are rounded away from zero in %f/%e/%g, the Windows C library's way, and a
// value that rounds to zero shows no minus sign.
QString AfxFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
QString AfxFormatV(const char* fmt, va_list args) __attribute__((format(printf, 1, 0)));

// C atof/atoi: leading blanks, longest valid decimal prefix, 0 when none. ASCII only;
// no hex, inf or nan. AfxAtoi saturates at INT_MIN/INT_MAX.
double AfxAtof(const QString& text);
int AfxAtoi(const QString& text);

// Yen to thousand yen: a remainder of 450 yen or more rounds up, less is dropped;
// negative amounts mirror it.
long long AfxRoundThousandYen(double yen);
