// Text in the Japanese Windows code page (CP932), as design files store it.
#pragma once

#include <QByteArray>
#include <QString>

// Characters CP932 cannot hold become '?'.
QByteArray AfxToCP932(const QString& text);
// Invalid or unassigned byte sequences become U+FFFD; the rest is still decoded.
QString AfxFromCP932(const QByteArray& bytes);
