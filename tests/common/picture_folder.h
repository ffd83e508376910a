// The folder a test puts the window pictures it takes in: its own, so that runs side by side
// never share one. It goes with the test unless MV_KEEP_SHOTS is set; then it stays, and its
// path is printed for the pictures to be looked at.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdio>

class CPictureFolder {
public:
    CPictureFolder()
    {
        if (qEnvironmentVariableIsSet("MV_KEEP_SHOTS")) {
            m_dir.setAutoRemove(false);
            std::fprintf(stderr, "pictures kept in %s\n", qPrintable(m_dir.path()));
        }
    }
    bool IsValid() const { return m_dir.isValid(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
