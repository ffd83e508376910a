#include "framework/process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <exception>
#include <thread>

namespace {

// A nested loop needs the application, and only its thread has the windows to keep alive.
bool OnMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}

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

bool CProcess::WaitForFinishedPumping(int ms)
{
    if (m_process->state() == QProcess::NotRunning)
        return true;
    if (!OnMainThread())
        return m_process->waitForFinished(ms);
    QEventLoop loop;
    QObject::connect(m_process.get(), &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(m_process.get(), &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(ms);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return m_process->state() == QProcess::NotRunning;
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

int AfxRunOnWorkerPumping(const std::function<int()>& work)
{
    if (!OnMainThread())
        return work();
    QEventLoop loop;
    int result = 0;
    std::exception_ptr error;
    // The end is posted to the main thread, so the loop cannot miss it, however soon it comes.
    std::thread worker([&] {
        try {
            result = work();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (error)
        std::rethrow_exception(error);
    return result;
}
