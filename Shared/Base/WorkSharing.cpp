#include "Shared/Base/WorkSharing.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace vx {

namespace {

struct Job {
    const std::function<void(std::size_t)>* work = nullptr;
    std::size_t count = 0;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};

    // Takes pieces until none is left.
    void take() {
        for (std::size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
            (*work)(i);
            if (done.fetch_add(1) + 1 == count)
                done.notify_all();
        }
    }
};

// The helpers wait for a job; each job is held by whoever still may look at it. The pool is
// never destroyed: its threads sleep until the process ends.
class Pool {
public:
    explicit Pool(unsigned helpers) {
        for (unsigned i = 0; i < helpers; ++i) {
            try {
                std::thread(&Pool::serve, this).detach();
                ++m_helpers;
            } catch (const std::system_error&) {
                break; // fewer helpers; the caller does the rest
            }
        }
    }

    unsigned helpers() const { return m_helpers; }

    void run(std::size_t count, const std::function<void(std::size_t)>& work) {
        auto job = std::make_shared<Job>();
        job->work = &work;
        job->count = count;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_job = job;
            ++m_generation;
        }
        m_wake.notify_all();
        job->take();
        // Only pieces a helper already took are left to wait for.
        for (std::size_t d = job->done.load(); d < count; d = job->done.load())
            job->done.wait(d);
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_job == job)
            m_job.reset();
    }

private:
    void serve() {
        std::uint64_t seen = 0;
        while (true) {
            std::shared_ptr<Job> job;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return m_generation != seen; });
                seen = m_generation;
                job = m_job;
            }
            if (job)
                job->take();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::shared_ptr<Job> m_job;
    std::uint64_t m_generation = 0;
    unsigned m_helpers = 0;
};

// The threads to use in all: the hardware's (at most 8), or fewer by VORNEX_THREADS, for
// machines that run several exports side by side.
unsigned threadBudget() {
    unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    if (const char* limit = std::getenv("VORNEX_THREADS")) {
        unsigned n = 0;
        const char* end = limit + std::strlen(limit);
        const auto r = std::from_chars(limit, end, n);
        if (r.ec == std::errc() && r.ptr == end && n >= 1)
            threads = std::min(threads, n);
    }
    return threads;
}

Pool& pool() {
    static Pool* const p = new Pool(threadBudget() - 1);
    return *p;
}

} // namespace

void shareWork(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (count == 0)
        return;
    if (count == 1 || pool().helpers() == 0) {
        for (std::size_t i = 0; i < count; ++i)
            work(i);
        return;
    }
    std::mutex guard;
    std::exception_ptr failure;
    std::size_t failedPiece = count;
    pool().run(count, [&](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(guard);
            if (i < failedPiece) {
                failedPiece = i;
                failure = std::current_exception();
            }
        }
    });
    if (failure)
        std::rethrow_exception(failure);
}

bool shareInOrder(std::size_t count, std::size_t window,
                  const std::function<void(std::size_t)>& prepare,
                  const std::function<bool(std::size_t)>& place) {
    window = std::max<std::size_t>(window, 1);
    enum : char { kWaiting, kPrepared, kFailed };
    std::mutex mutex;
    std::condition_variable progress;
    std::vector<char> state(count, kWaiting);
    std::size_t begun = 0;  // pieces whose preparing has begun, which is in order
    std::size_t placed = 0; // the next piece in line
    bool stopped = false;
    std::exception_ptr failure;
    std::size_t failedPiece = count;
    // Called with the lock held.
    const auto fail = [&](std::size_t k) {
        if (k < failedPiece) {
            failedPiece = k;
            failure = std::current_exception();
        }
    };
    const auto canBegin = [&] { return !stopped && begun < count && begun < placed + window; };
    // Prepares piece `k`, which the caller has begun, and records how it went.
    const auto prepareOne = [&](std::unique_lock<std::mutex>& lock, std::size_t k) {
        lock.unlock();
        char outcome = kPrepared;
        try {
            prepare(k);
        } catch (...) {
            const std::lock_guard<std::mutex> relock(mutex);
            fail(k);
            outcome = kFailed;
        }
        lock.lock();
        state[k] = outcome;
        progress.notify_all();
    };
    // The calling thread places every piece, so that what placing reports comes from the
    // thread that asked; while the piece in line is not ready it prepares pieces itself.
    const auto placeAll = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        while (!stopped && placed < count) {
            const std::size_t next = placed;
            if (state[next] == kWaiting) {
                if (canBegin())
                    prepareOne(lock, begun++);
                else
                    progress.wait(lock);
                continue;
            }
            bool ok = state[next] == kPrepared;
            if (ok) {
                lock.unlock();
                try {
                    ok = place(next);
                } catch (...) {
                    ok = false;
                    const std::lock_guard<std::mutex> relock(mutex);
                    fail(next);
                }
                lock.lock();
            }
            if (ok)
                ++placed;
            stopped = !ok;
            progress.notify_all();
        }
    };
    // Helpers only prepare, as far as the window lets them.
    const auto prepareAhead = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        while (!stopped && begun < count) {
            if (canBegin())
                prepareOne(lock, begun++);
            else
                progress.wait(lock);
        }
    };
    const std::thread::id caller = std::this_thread::get_id();
    shareWork(std::size_t{workHelpers()} + 1, [&](std::size_t) {
        if (std::this_thread::get_id() == caller)
            placeAll();
        else
            prepareAhead();
    });
    // The helpers may have taken every share while the calling thread waited for them.
    placeAll();
    if (failure)
        std::rethrow_exception(failure);
    return placed == count;
}

void shareSlices(std::size_t count, std::size_t slice,
                 const std::function<void(std::size_t, std::size_t)>& work) {
    slice = std::max<std::size_t>(slice, 1);
    shareWork((count + slice - 1) / slice,
              [&](std::size_t k) { work(k * slice, std::min(count, (k + 1) * slice)); });
}

unsigned workHelpers() {
    return pool().helpers();
}

} // namespace vx
