#include "app/solver_chain.h"
#include "framework/process.h"
#include "solver/solver_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QStringList Names(const char* const* names, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(names[i]);
    return list;
}

bool WriteLines(const QString& path, const QStringList& lines)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const QString& line : lines)
        f.write(line.toLocal8Bit() + '\n');
    return f.error() == QFile::NoError;
}

// A folder we can create and write into.
bool Writable(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile probe(QDir(folder).filePath(QStringLiteral(".write-test")));
    const bool ok = probe.open(QIODevice::WriteOnly);
    probe.remove();
    return ok;
}

}

CSolverChain::CSolverChain() = default;
CSolverChain::~CSolverChain() = default;

QString CSolverChain::WorkFile(const char* name) const { return QDir(m_strFolder).filePath(QString::fromLatin1(name)); }

bool CSolverChain::Prepare()
{
    QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Work"));
    if (!Writable(folder))
        folder = QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("Work"));
    if (!Writable(folder))
        return false;
    m_pLock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("mvg.lock")));
    if (!m_pLock->tryLock(0)) {
        // Another running copy calculates there: this run keeps to a folder of its own.
        m_pLock.reset();
        m_pTemp = std::make_unique<QTemporaryDir>();
        if (!m_pTemp->isValid())
            return false;
        folder = m_pTemp->path();
    }
    m_strFolder = folder;
    for (const char* name : mvgfiles::kKnownFiles)
        QFile::remove(WorkFile(name));
    return true;
}

void CSolverChain::Wipe()
{
    for (const char* name : mvgfiles::kKnownFiles) {
        QFile f(WorkFile(name));
        if (f.exists()) {
            f.resize(0);
            f.remove();
        }
    }
}

QString CSolverChain::FindProgram(const char* name)
{
    QStringList folders = {QCoreApplication::applicationDirPath()};
    const QString extra = qEnvironmentVariable("MARIVOLTEN_SOLVER_DIR");
    if (!extra.isEmpty())
        folders << extra;
    for (const QString& folder : folders) {
        const QFileInfo program(QDir(folder).filePath(QString::fromLatin1(name)));
        if (program.isFile() && program.isExecutable())
            return program.absoluteFilePath();
    }
    return QString();
}

int CSolverChain::RunProgram(const char* program, const QStringList& inputs, const QStringList& outputs) const
{
    const QString errorFile = WorkFile(mvgfiles::kErrorFile);
    QFile::remove(errorFile);
    if (!WriteLines(WorkFile(mvgfiles::kInputList), inputs) || !WriteLines(WorkFile(mvgfiles::kOutputList), outputs))
        return mvgfiles::kWorkFolder;
    const QString path = FindProgram(program);
    if (path.isEmpty())
        return mvgfiles::kProgramFailed;
    CProcess process;
    if (!process.Start(path, m_strFolder, kStartMs))
        return mvgfiles::kProgramFailed;
    if (!process.WaitForFinishedPumping(kRunMs)) {
        process.Kill();
        return mvgfiles::kProgramFailed;
    }
    if (process.Crashed())
        return mvgfiles::kProgramFailed;
    // Only a code that the program wrote last and also exited with is believed.
    QFile f(errorFile);
    if (!f.open(QIODevice::ReadOnly))
        return mvgfiles::kProgramFailed;
    bool ok = false;
    const int code = QString::fromLatin1(f.readLine()).trimmed().toInt(&ok);
    if (!ok || code != process.ExitCode())
        return mvgfiles::kProgramFailed;
    return code;
}

int CSolverChain::Run()
{
    using namespace mvgfiles;
    auto run = [this](const Stage& s) {
        return RunProgram(s.program, Names(s.inputs, s.inputCount), Names(s.outputs, s.outputCount));
    };
    if (const int code = run(kStages[0]))
        return code;
    // Stages 2 to 7 on a worker; the main thread repaints meanwhile.
    const int worker = AfxRunOnWorkerPumping([&run] {
        for (int i = 1; i < kStageCount - 1; ++i)
            if (const int code = run(kStages[i]))
                return code;
        return 0;
    });
    if (worker != 0)
        return worker;
    QFile list(WorkFile(kResultList));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return kListingBroken;
    const Stage& format = kStages[kStageCount - 1];
    int blocks = 0;
    while (!list.atEnd()) {
        const QString name = QString::fromLatin1(list.readLine()).trimmed();
        if (name.isEmpty())
            continue;
        ++blocks;
        if (const int code = RunProgram(format.program, {name}, {QString::fromLatin1(kListingFile)}))
            return code;
    }
    return blocks > 0 ? 0 : kListingBroken;
}
