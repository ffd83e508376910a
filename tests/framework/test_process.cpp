// Waiting on a program or on a worker from the main thread: timers and repaints go on, the
// wait ends with the program or the work, and a program past its limit is reported.
#include "framework/process.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>
#include <thread>

namespace {

class ProcessWait : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_ticks = 0;
        QObject::connect(&m_timer, &QTimer::timeout, [this] { ++m_ticks; });
        m_timer.start(10);
    }

    // A program that sleeps for the given time and exits with the given code.
    QString Sleeper(const char* seconds, int code)
    {
        const QString path = m_dir.filePath(QStringLiteral("sleeper"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return QString();
        f.write(QByteArray("#!/bin/sh\nsleep ") + seconds + "\nexit " + QByteArray::number(code) + "\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        return path;
    }

    QTemporaryDir m_dir;
    QTimer m_timer;
    int m_ticks = 0;
};

}

TEST_F(ProcessWait, TimersRunWhileTheMainThreadWaitsOnAProgram)
{
    CProcess process;
    ASSERT_TRUE(process.Start(Sleeper("0.3", 3), m_dir.path(), 10000));
    EXPECT_TRUE(process.WaitForFinishedPumping(60000));
    EXPECT_GT(m_ticks, 0);
    EXPECT_FALSE(process.Crashed());
    EXPECT_EQ(process.ExitCode(), 3);
    // An ended program is not waited on again.
    EXPECT_TRUE(process.WaitForFinishedPumping(60000));
}

TEST_F(ProcessWait, AProgramStillRunningAtTheLimitIsReportedAndCanBeEnded)
{
    CProcess process;
    ASSERT_TRUE(process.Start(Sleeper("30", 0), m_dir.path(), 10000));
    EXPECT_FALSE(process.WaitForFinishedPumping(100));
    process.Kill();
    EXPECT_TRUE(process.WaitForFinished(0));
    EXPECT_TRUE(process.Crashed());
}

TEST_F(ProcessWait, AWorkerOffTheMainThreadGivesItsResultWhileTimersRun)
{
    const std::thread::id main = std::this_thread::get_id();
    std::thread::id ran;
    const int result = AfxRunOnWorkerPumping([&] {
        ran = std::this_thread::get_id();
        CProcess process;
        // The worker waits without an event loop of its own.
        if (!process.Start(Sleeper("0.3", 5), m_dir.path(), 10000) || !process.WaitForFinishedPumping(60000))
            return -1;
        return process.ExitCode();
    });
    EXPECT_EQ(result, 5);
    EXPECT_NE(ran, main);
    EXPECT_GT(m_ticks, 0);
}

TEST_F(ProcessWait, AWorkerEndingAtOnceOrFailingIsNotMissed)
{
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(AfxRunOnWorkerPumping([i] { return i; }), i);
    EXPECT_THROW(AfxRunOnWorkerPumping([]() -> int { throw std::runtime_error("failed"); }), std::runtime_error);
    // Off the main thread the work runs on the caller.
    std::thread::id outer, inner;
    std::thread([&] {
        outer = std::this_thread::get_id();
        AfxRunOnWorkerPumping([&] {
            inner = std::this_thread::get_id();
            return 0;
        });
    }).join();
    EXPECT_EQ(inner, outer);
}
