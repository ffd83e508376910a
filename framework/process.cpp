#include "framework/process.h"

#include <QCoreApplication>
#include <QProcess>

CProcess::CProcess() : m_process(std::make_unique<QProcess>()) {}

CProcess::~CProcess()
{
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

bool CProcess::Start(const QString& program, const QString& workingFolder, int startMs)
{
    m_process->setWorkingDirectory(workingFolder);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->start(program, QStringList());
    return m_process->waitForStarted(startMs);
}

bool CProcess::WaitForFinished(int ms)
{
    if (m_process->state() == QProcess::NotRunning)
        return true;
    return m_process->waitForFinished(ms);
}

void CProcess::Kill()
{
    m_process->kill();
    m_process->waitForFinished(5000);
}

bool CProcess::Crashed() const { return m_process->exitStatus() == QProcess::CrashExit; }

int CProcess::ExitCode() const { return m_process->exitCode(); }

void AfxPumpNonInputEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
