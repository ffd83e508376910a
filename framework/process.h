// Running another program to completion, from the main thread or from a worker thread
// (the blocking calls need no event loop).
#pragma once

#include <QString>
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
    // Ends this one process.
    void Kill();
    bool Crashed() const;
    int ExitCode() const;

private:
    std::unique_ptr<QProcess> m_process;
};

// Lets repaints and timers run while a calculation waits, keeping user input out.
void AfxPumpNonInputEvents();
