// The document types' "open" registration: on this desktop a shared MIME type
// for the file extension and a desktop entry that opens such files.
#include "framework/app.h"
#include "framework/doctempl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool WriteIfChanged(const QString& path, const QByteArray& text)
{
    QFile old(path);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == text)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(text);
    return out.commit();
}

QString XmlEscape(const QString& s) { return s.toHtmlEscaped(); }

}

QString CWinApp::MimeTypeOf(const QString& regFileTypeId)
{
    return QStringLiteral("application/x-") + regFileTypeId.toLower().replace(QLatin1Char('.'), QLatin1Char('-'));
}

void CWinApp::RegisterShellFileTypes(BOOL)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return;
    QStringList mimeTypes;
    bool mimeChanged = false;
    for (CDocTemplate* t : m_templates) {
        QString ext, typeId, typeName, filter;
        if (!t->GetDocString(ext, CDocTemplate::filterExt) || !t->GetDocString(typeId, CDocTemplate::regFileTypeId))
            continue;
        t->GetDocString(typeName, CDocTemplate::regFileTypeName);
        const QString mime = MimeTypeOf(typeId);
        if (mimeTypes.contains(mime))
            continue;
        mimeTypes << mime;
        const QString pattern = QLatin1Char('*') + ext;
        const QString xml = QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"%1\">\n"
            "    <comment>%2</comment>\n"
            "    <glob pattern=\"%3\"/>\n"
            "    <glob pattern=\"%4\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n").arg(mime, XmlEscape(typeName), XmlEscape(pattern.toLower()), XmlEscape(pattern.toUpper()));
        mimeChanged |= WriteIfChanged(dataHome + QStringLiteral("/mime/packages/") + typeId.toLower() + QStringLiteral(".xml"),
                                      xml.toUtf8());
    }
    if (mimeTypes.isEmpty())
        return;
    const QString program = QCoreApplication::applicationFilePath();
    const QString desktop = QStringLiteral(
        "[Desktop Entry]\nType=Application\nName=%1\nExec=\"%2\" %f\nMimeType=%3;\nTerminal=false\nCategories=Engineering;\n")
        .arg(m_pszAppName, program, mimeTypes.join(QLatin1Char(';')));
    WriteIfChanged(dataHome + QStringLiteral("/applications/") + m_pszAppName.toLower() + QStringLiteral(".desktop"),
                   desktop.toUtf8());
    if (mimeChanged) {
        const QString updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        // Waited for (it takes a blink, and only when the type has changed): a detached one
        // could still be writing into a data folder that is gone by then.
        if (!updater.isEmpty()) {
            QProcess update;
            update.setStandardOutputFile(QProcess::nullDevice());
            update.setStandardErrorFile(QProcess::nullDevice());
            update.start(updater, {dataHome + QStringLiteral("/mime")});
            update.waitForFinished(10000);
        }
    }
}
