#include "render/render.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace aurivel::preview {
namespace {

void RenderRow(Image& target, int left, int top, const SampleSphere& sphere, SampleShader& shader, int y) {
    for (int x = 0; x < sphere.Size(); ++x) {
        const auto sample = sphere.At(x, y);
        target.At(left + x, top + y) = sample ? shader.Shade(*sample) : sphere.Background(x, y);
    }
}

}  // namespace

int RenderThreads(int chosen) {
    return chosen > 0 ? chosen : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void RenderSphere(Image& target, int left, int top, const SampleSphere& sphere, const ShaderFactory& makeShader,
                  int threadCount, Progress& progress) {
    std::atomic<int> nextRow{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto work = [&] {
        try {
            const std::unique_ptr<SampleShader> shader = makeShader();
            for (int y = nextRow++; y < sphere.Size(); y = nextRow++) {
                RenderRow(target, left, top, sphere, *shader, y);
                progress.Advance();
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            failure = std::current_exception();
            nextRow = sphere.Size();
        }
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < std::min(threadCount, sphere.Size()); ++i) {
        helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace aurivel::preview
