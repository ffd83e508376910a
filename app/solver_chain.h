// The Work folder and the chain of solver programs of one grillage pass.
#pragma once

#include <QString>
#include <memory>

class QLockFile;
class QTemporaryDir;

class CSolverChain {
public:
    CSolverChain();
    ~CSolverChain();

    // Finds, makes and locks the Work folder and clears what an earlier run left there;
    // FALSE when no folder can be written (code 10).
    bool Prepare();
    QString Folder() const { return m_strFolder; }
    QString WorkFile(const char* name) const;
    // Runs the eight programs on the input in the Work folder: 0, or the first error code.
    // The main thread keeps repainting and animating while it waits; user input waits.
    int Run();
    // After success every work file is emptied and removed; failures leave them for diagnosis.
    void Wipe();

    // A program beside the application, else in MARIVOLTEN_SOLVER_DIR; empty when neither has it.
    static QString FindProgram(const char* name);

    static constexpr int kStartMs = 10000;
    static constexpr int kRunMs = 600000;

private:
    int RunProgram(const char* program, const QStringList& inputs, const QStringList& outputs) const;

    QString m_strFolder;
    std::unique_ptr<QLockFile> m_pLock;
    std::unique_ptr<QTemporaryDir> m_pTemp;
};
