// Running another program to completion, from the main thread or from a worker thread
// (the blocking calls need no event loop), and waiting on a worker while the windows live.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QProcess;

class CProcess {
public:
    CProcess();
    ~CProcess();
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    // Starts `program` in `workingFolder`; FALSE when it has not started within `startMs`.
    bool Start(const QString& program, const QString& workingFolder, int startMs);
    // TRUE once the program has ended (by itself or killed).
    bool WaitForFinished(int ms);
    // The same on the main thread, whose repaints and timers run meanwhile (user input waits);
    // it returns the moment the program ends. Elsewhere it simply blocks.
    bool WaitForFinishedPumping(int ms);
    // Ends this one process.
    void Kill();
    bool Crashed() const;
    int ExitCode() const;

private:
    std::unique_ptr<QProcess> m_process;
};

// Lets repaints and timers run while a calculation waits, keeping user input out.
void AfxPumpNonInputEvents();
// Runs `work` on a worker thread and returns its result. The main thread meanwhile repaints
// and runs its timers (user input waits), and goes on the moment the work ends; off the main
// thread the work simply runs on the caller. An exception of the work is thrown again here.
int AfxRunOnWorkerPumping(const std::function<int()>& work);
