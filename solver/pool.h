// A small fixed pool: Run(n, f) calls f(0) .. f(n-1) on the pool and the caller, and
// returns when all are done. The first exception thrown by a task is rethrown.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace mvg {

class Pool {
public:
    // threads: total workers including the caller; 0 takes every hardware thread.
    explicit Pool(int threads = 0)
    {
        if (threads <= 0)
            threads = std::max(int(std::thread::hardware_concurrency()), 1);
        for (int i = 1; i < threads; ++i)
            m_threads.emplace_back([this] { Loop(); });
    }
    ~Pool()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        for (auto& t : m_threads)
            t.join();
    }
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    int size() const { return int(m_threads.size()) + 1; }

    void Run(int n, const std::function<void(int)>& f)
    {
        if (n <= 0)
            return;
        if (m_threads.empty() || n == 1) {
            for (int i = 0; i < n; ++i)
                f(i);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_job = &f;
            m_count = n;
            m_next = 0;
            m_active = int(m_threads.size());
            m_error = nullptr;
            ++m_generation;
        }
        m_wake.notify_all();
        Work();
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait(lock, [this] { return m_active == 0; });
        m_job = nullptr;
        if (m_error)
            std::rethrow_exception(m_error);
    }

private:
    void Work()
    {
        while (true) {
            const int i = m_next.fetch_add(1);
            if (i >= m_count)
                return;
            try {
                (*m_job)(i);
            } catch (...) {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_error)
                    m_error = std::current_exception();
                m_next = m_count;
            }
        }
    }
    void Loop()
    {
        long seen = 0;
        while (true) {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stop || m_generation != seen; });
                if (m_stop)
                    return;
                seen = m_generation;
            }
            Work();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                --m_active;
            }
            m_done.notify_one();
        }
    }

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_done;
    const std::function<void(int)>* m_job = nullptr;
    int m_count = 0;
    std::atomic<int> m_next{0};
    int m_active = 0;
    long m_generation = 0;
    bool m_stop = false;
    std::exception_ptr m_error;
};

} // namespace mvg
