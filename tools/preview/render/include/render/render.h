// Rendering the sample sphere on all cores, as the host's renderer evaluates
// one map from several threads after one Update.
#pragma once

#include <functional>
#include <memory>

#include "render/image.h"
#include "render/progress.h"
#include "render/sample_sphere.h"

namespace aurivel::preview {

// Colours one surface sample. Each render thread owns one, so an
// implementation may keep per-thread state such as a shade context.
class SampleShader {
public:
    virtual ~SampleShader() = default;
    virtual Rgb Shade(const SphereSample& sample) = 0;
};

using ShaderFactory = std::function<std::unique_ptr<SampleShader>()>;

// The threads a render uses: the chosen number when it is above 0, else one
// for every core.
int RenderThreads(int chosen);

// Draws the sphere and its background into target with the slot's top-left
// corner at (left, top). Rows are shared out among threadCount threads, and
// each row done advances progress.
void RenderSphere(Image& target, int left, int top, const SampleSphere& sphere, const ShaderFactory& makeShader,
                  int threadCount, Progress& progress);

}  // namespace aurivel::preview
