// Pieces of work shared out over threads: each index once, every one done before the return,
// a failure passed on, and one thread running them in order.
#include "framework/parallel.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class ParallelTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        AfxSetWorkerThreads(0);
        qunsetenv("MARIVOLTEN_THREADS");
    }
};

}

TEST_F(ParallelTest, EveryIndexRunsOnceAndAllAreDoneOnReturn)
{
    AfxSetWorkerThreads(4);
    std::vector<std::atomic<int>> runs(1000);
    std::mutex lock;
    std::set<std::thread::id> threads;
    AfxParallelFor(int(runs.size()), [&](int i) {
        ++runs[size_t(i)];
        const std::lock_guard<std::mutex> guard(lock);
        threads.insert(std::this_thread::get_id());
    });
    for (size_t i = 0; i < runs.size(); ++i)
        ASSERT_EQ(runs[i].load(), 1) << i;
    EXPECT_LE(threads.size(), 4u);
    AfxParallelFor(0, [&](int) { FAIL(); });
}

TEST_F(ParallelTest, OneThreadRunsInOrderOnTheCaller)
{
    AfxSetWorkerThreads(1);
    const auto caller = std::this_thread::get_id();
    std::vector<int> order;
    AfxParallelFor(5, [&](int i) {
        EXPECT_EQ(std::this_thread::get_id(), caller);
        order.push_back(i);
    });
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(ParallelTest, AFailureIsThrownAgainAfterTheOthersEnded)
{
    AfxSetWorkerThreads(3);
    std::atomic<int> running{0}, ended{0};
    EXPECT_THROW(AfxParallelFor(50,
                                [&](int i) {
                                    ++running;
                                    if (i == 7)
                                        throw std::runtime_error("bad piece");
                                    ++ended;
                                    --running;
                                }),
                 std::runtime_error);
    EXPECT_EQ(running.load(), 1);   // only the failed call left its mark
    EXPECT_LE(ended.load(), 49);
}

TEST_F(ParallelTest, ThreadCountFromTheSetterTheEnvironmentOrTheMachine)
{
    const int machine = std::max(int(std::thread::hardware_concurrency()), 1);
    EXPECT_EQ(AfxGetWorkerThreads(), machine);
    qputenv("MARIVOLTEN_THREADS", QByteArray("3"));
    EXPECT_EQ(AfxGetWorkerThreads(), 3);
    AfxSetWorkerThreads(2);
    EXPECT_EQ(AfxGetWorkerThreads(), 2);
    AfxSetWorkerThreads(0);
    qputenv("MARIVOLTEN_THREADS", QByteArray("none"));
    EXPECT_EQ(AfxGetWorkerThreads(), machine);
}
