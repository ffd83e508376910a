// The application profile: sections and entries in an INI file under the company key.
#pragma once

#include "framework/types.h"

#include <QString>
#include <QStringList>
#include <cstddef>

// The file is the user's "<company>/<app>.ini"; without a company there is no profile:
// reads give the defaults and writes fail. The application name defaults to the
// QCoreApplication one.
void AfxSetRegistryKey(const QString& company);
void AfxSetProfileAppName(const QString& app);
// An explicit file instead (tests); an empty path goes back to the company key.
void AfxSetProfileFile(const QString& iniPath);
QString AfxGetProfileFile();

// A backslash in a section name nests it ("ControlBars\State" is group "ControlBars/State").
UINT AfxGetProfileInt(const QString& section, const QString& entry, int def);
QString AfxGetProfileString(const QString& section, const QString& entry, const QString& def = QString());
BOOL AfxWriteProfileInt(const QString& section, const QString& entry, int value);
// A null value deletes the entry; a null entry deletes the section's own entries
// (sections nested under it stay, as they are separate sections).
BOOL AfxWriteProfileString(const QString& section, const QString& entry, const QString& value);
inline BOOL AfxWriteProfileString(const QString& section, const QString& entry, std::nullptr_t)
{
    return AfxWriteProfileString(section, entry, QString());
}
inline BOOL AfxWriteProfileString(const QString& section, std::nullptr_t, std::nullptr_t = nullptr)
{
    return AfxWriteProfileString(section, QString(), QString());
}
QStringList AfxGetProfileEntries(const QString& section);

// count integers written as "%i:%i:..." (decimal, 0x hex or 0 octal, optional sign).
// out is changed only when all count were read.
bool AfxParseProfileInts(const QString& text, int* out, int count);
QString AfxJoinProfileInts(const int* values, int count);
