#include "cli/parallel.h"

#include <atomic>
#include <thread>
#include <vector>

namespace aurivel::preview {

void ForEachIndex(std::size_t count, int threads, const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            work(i);
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
}

}  // namespace aurivel::preview
