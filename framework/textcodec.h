// Text in the Japanese Windows code page (CP932), as design files store it.
#pragma once

#include <QByteArray>
#include <QString>

// Characters CP932 cannot hold become '?'.
QByteArray AfxToCP932(const QString& text);
// Invalid or unassigned byte sequences become U+FFFD; the rest is still decoded.
QString AfxFromCP932(const QByteArray& bytes);
// True when the text comes back unchanged from CP932. Some characters are written as a
// look-alike (U+301C as U+FF5E, U+00A5 as a backslash), so being encodable is not enough.
bool AfxIsCP932Text(const QString& text);
// The first character (a surrogate pair being one) that does not come back, or empty.
QString AfxFirstNonCP932Char(const QString& text);
