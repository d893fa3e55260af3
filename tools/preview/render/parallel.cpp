#include "render/parallel.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace aurivel::preview {

void ForEachIndexPerThread(std::size_t count, int threads, const std::function<IndexWork()>& makeWork) {
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto worker = [&] {
        try {
            const IndexWork work = makeWork();
            for (std::size_t i = next++; i < count; i = next++) {
                work(i);
            }
        } catch (...) {
            // The first failure ends the work; what was begun is finished.
            const std::lock_guard<std::mutex> lock(failureLock);
            failure = failure ? failure : std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> others;
    for (int t = 1; t < threads && static_cast<std::size_t>(t) < count; ++t) {
        others.emplace_back(worker);
    }
    worker();
    for (std::thread& other : others) {
        other.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void ForEachIndex(std::size_t count, int threads, const IndexWork& work) {
    ForEachIndexPerThread(count, threads, [&] { return work; });
}

}  // namespace aurivel::preview
