#include "render/render.h"

#include <algorithm>
#include <memory>
#include <thread>

#include "render/parallel.h"

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
    ForEachIndexPerThread(static_cast<std::size_t>(sphere.Size()), threadCount, [&]() -> IndexWork {
        std::shared_ptr<SampleShader> shader = makeShader();
        return [&, shader](std::size_t y) {
            RenderRow(target, left, top, sphere, *shader, static_cast<int>(y));
            progress.Advance();
        };
    });
}

}  // namespace aurivel::preview
