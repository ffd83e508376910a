#include "framework/profile.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct Profile {
    std::mutex lock;
    QString company, app, file;
    std::unique_ptr<QSettings> settings; // opened on first use
};

Profile& profile()
{
    static Profile p;
    return p;
}

// With p.lock held.
QSettings* open(Profile& p)
{
    if (!p.settings) {
        if (!p.file.isEmpty())
            p.settings = std::make_unique<QSettings>(p.file, QSettings::IniFormat);
        else if (!p.company.isEmpty())
            p.settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, p.company,
                                                     p.app.isEmpty() ? QCoreApplication::applicationName() : p.app);
    }
    return p.settings.get();
}

void configure(QString Profile::*field, const QString& value)
{
    Profile& p = profile();
    std::lock_guard guard(p.lock);
    p.*field = value;
    p.settings.reset();
}

QString group(const QString& section)
{
    return QString(section).replace(u'\\', u'/');
}

QString key(const QString& section, const QString& entry)
{
    return group(section) + u'/' + entry;
}

// Null when the entry is missing. A hand-edited value with commas comes back from
// QSettings as a list; it is one string to us.
QString readValue(const QString& section, const QString& entry)
{
    Profile& p = profile();
    std::lock_guard guard(p.lock);
    QSettings* s = open(p);
    if (!s)
        return {};
    const QVariant v = s->value(key(section, entry));
    if (!v.isValid())
        return {};
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    const QString text = v.toString();
    return text.isNull() ? QStringLiteral("") : text; // present but empty is not missing
}

int digitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if ((c | 0x20) >= u'a' && (c | 0x20) <= u'f')
        return (c | 0x20) - u'a' + 10;
    return -1;
}

} // namespace

void AfxSetRegistryKey(const QString& company) { configure(&Profile::company, company); }
void AfxSetProfileAppName(const QString& app) { configure(&Profile::app, app); }
void AfxSetProfileFile(const QString& iniPath) { configure(&Profile::file, iniPath); }

QString AfxGetProfileFile()
{
    Profile& p = profile();
    std::lock_guard guard(p.lock);
    const QSettings* s = open(p);
    return s ? s->fileName() : QString();
}

UINT AfxGetProfileInt(const QString& section, const QString& entry, int def)
{
    bool ok = false;
    const qlonglong v = readValue(section, entry).trimmed().toLongLong(&ok, 10);
    return ok && v >= INT_MIN && v <= qlonglong(UINT_MAX) ? UINT(v) : UINT(def);
}

QString AfxGetProfileString(const QString& section, const QString& entry, const QString& def)
{
    const QString v = readValue(section, entry);
    return v.isNull() ? def : v;
}

BOOL AfxWriteProfileInt(const QString& section, const QString& entry, int value)
{
    return AfxWriteProfileString(section, entry, QString::number(value));
}

BOOL AfxWriteProfileString(const QString& section, const QString& entry, const QString& value)
{
    Profile& p = profile();
    std::lock_guard guard(p.lock);
    QSettings* s = open(p);
    if (!s)
        return FALSE;
    if (entry.isNull()) {
        s->beginGroup(group(section));
        for (const QString& k : s->childKeys())
            s->remove(k);
        s->endGroup();
    } else if (value.isNull()) {
        s->remove(key(section, entry));
    } else {
        s->setValue(key(section, entry), value);
    }
    s->sync();
    return s->status() == QSettings::NoError ? TRUE : FALSE;
}

QStringList AfxGetProfileEntries(const QString& section)
{
    Profile& p = profile();
    std::lock_guard guard(p.lock);
    QSettings* s = open(p);
    if (!s)
        return {};
    s->beginGroup(group(section));
    QStringList entries = s->childKeys();
    s->endGroup();
    return entries;
}

bool AfxParseProfileInts(const QString& text, int* out, int count)
{
    if (!out || count <= 0)
        return false;
    std::vector<int> values(size_t(count), 0);
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto at = [&](qsizetype k) { return k < n ? text[k].unicode() : char16_t(0); };
    for (int f = 0; f < count; ++f) {
        if (f > 0 && at(i++) != u':')
            return false;
        while (at(i) == u' ' || (at(i) >= u'\t' && at(i) <= u'\r'))
            ++i;
        const bool negative = at(i) == u'-';
        if (at(i) == u'+' || at(i) == u'-')
            ++i;
        int base = 10;
        if (at(i) == u'0' && (at(i + 1) | 0x20) == u'x') {
            base = 16;
            i += 2;
        } else if (at(i) == u'0') {
            base = 8;
        }
        unsigned long long v = 0;
        int digits = 0;
        for (int d; (d = digitValue(at(i))) >= 0 && d < base; ++i, ++digits) {
            v = v * unsigned(base) + unsigned(d);
            if (v > (negative ? 0x80000000ULL : 0xFFFFFFFFULL))
                return false;
        }
        if (digits == 0)
            return false;
        values[size_t(f)] = int(std::uint32_t(negative ? 0 - v : v));
    }
    std::copy(values.begin(), values.end(), out);
    return true;
}

QString AfxJoinProfileInts(const int* values, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QString::number(values[i]);
    return parts.join(u':');
}
