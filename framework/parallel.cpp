#include "framework/parallel.h"

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

std::atomic<int> s_nThreads{0};

}

void AfxSetWorkerThreads(int nThreads) { s_nThreads = std::max(nThreads, 0); }

int AfxGetWorkerThreads()
{
    if (const int n = s_nThreads.load())
        return n;
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("MARIVOLTEN_THREADS", &ok);
    if (ok && n > 0)
        return n;
    return std::max(int(std::thread::hardware_concurrency()), 1);
}

void AfxParallelFor(int nCount, const std::function<void(int)>& fn)
{
    const int threads = std::min(nCount, AfxGetWorkerThreads());
    if (threads <= 1) {
        for (int i = 0; i < nCount; ++i)
            fn(i);
        return;
    }
    // Each thread takes the next index left, so uneven pieces still share out well.
    std::atomic<int> next{0};
    std::mutex lock;
    std::exception_ptr error;
    auto work = [&] {
        for (int i = next++; i < nCount; i = next++) {
            try {
                fn(i);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(lock);
                if (!error)
                    error = std::current_exception();
                next = nCount;
            }
        }
    };
    {
        std::vector<std::jthread> workers;
        for (int t = 1; t < threads; ++t)
            workers.emplace_back(work);
        work();
    }
    if (error)
        std::rethrow_exception(error);
}
