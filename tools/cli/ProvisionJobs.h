#pragma once
// The job pool of orvanta-cli provision: items worked on by a few threads
// at once, with the count of finished items reported on the calling thread
// (where the progress line is printed).
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

namespace orvcli {

// Runs `work(k)` for k = 0..count-1 on up to `jobs` threads, each taking the
// next item as it becomes free; `onDone(n)` runs on the calling thread each
// time the number of finished items grows to n. Returns when all are done.
template <class Work, class Done>
void RunJobs(std::size_t count, int jobs, Work work, Done onDone)
{
    std::atomic<std::size_t> next{0};
    std::mutex lock;
    std::condition_variable changed;
    std::size_t finished = 0;
    std::vector<std::thread> threads;
    const std::size_t n = std::min<std::size_t>(count, static_cast<std::size_t>(std::max(jobs, 1)));
    for (std::size_t t = 0; t < n; ++t) {
        threads.emplace_back([&] {
            for (std::size_t k; (k = next++) < count;) {
                work(k);
                std::lock_guard guard(lock);
                ++finished;
                changed.notify_one();
            }
        });
    }
    {
        std::unique_lock guard(lock);
        for (std::size_t shown = 0; shown < count;) {
            changed.wait(guard, [&] { return finished != shown; });
            shown = finished;
            guard.unlock();
            onDone(shown);
            guard.lock();
        }
    }
    for (std::thread& t : threads)
        t.join();
}

} // namespace orvcli
