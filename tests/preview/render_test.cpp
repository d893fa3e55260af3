#include "render/render.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace aurivel::preview {
namespace {

// Shows the normal as a colour, so every pixel says what it was shaded with.
class NormalShader : public SampleShader {
public:
    Rgb Shade(const SphereSample& s) override { return {s.normal.x, s.normal.y, s.normal.z}; }
};

class RenderTest : public ::testing::Test {
protected:
    Image Render(int threads, int left = 0, int top = 0) {
        Image image(sphere_.Size() + left, sphere_.Size() + top, {-1.0f, -1.0f, -1.0f});
        Progress progress(nullptr, "", sphere_.Size());
        RenderSphere(image, left, top, sphere_, CountingFactory(), threads, progress);
        EXPECT_EQ(progress.Done(), sphere_.Size());
        return image;
    }

    ShaderFactory CountingFactory() {
        return [this] {
            ++shadersMade_;
            return std::make_unique<NormalShader>();
        };
    }

    SampleSphere sphere_{41};
    std::atomic<int> shadersMade_{0};
};

TEST_F(RenderTest, EveryPixelIsTheSphereOrTheBackground) {
    const Image image = Render(1);
    for (int y = 0; y < sphere_.Size(); ++y) {
        for (int x = 0; x < sphere_.Size(); ++x) {
            const auto sample = sphere_.At(x, y);
            const Rgb expected =
                sample ? Rgb{sample->normal.x, sample->normal.y, sample->normal.z} : sphere_.Background(x, y);
            ASSERT_EQ(image.At(x, y).r, expected.r) << x << "," << y;
            ASSERT_EQ(image.At(x, y).g, expected.g) << x << "," << y;
            ASSERT_EQ(image.At(x, y).b, expected.b) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, ThreadsEachUseTheirOwnShaderAndAgreeWithOneThread) {
    const Image single = Render(1);
    shadersMade_ = 0;
    const Image parallel = Render(4);
    EXPECT_GE(shadersMade_, 1);
    EXPECT_LE(shadersMade_, 4);
    for (int y = 0; y < sphere_.Size(); ++y) {
        for (int x = 0; x < sphere_.Size(); ++x) {
            ASSERT_EQ(single.At(x, y).b, parallel.At(x, y).b) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, SlotIsPlacedAtItsCorner) {
    const Image image = Render(2, 5, 3);
    EXPECT_EQ(image.At(4, 3).r, -1.0f);  // left of the slot: untouched
    EXPECT_EQ(image.At(5, 2).r, -1.0f);  // above it
    const int centre = sphere_.CentrePixel();
    EXPECT_EQ(image.At(5 + centre, 3 + centre).b, 1.0f);
}

TEST_F(RenderTest, ShaderFailureReachesTheCaller) {
    class FailingShader : public SampleShader {
    public:
        Rgb Shade(const SphereSample&) override { throw std::runtime_error("broken"); }
    };
    Image image(sphere_.Size(), sphere_.Size());
    Progress progress(nullptr, "", sphere_.Size());
    EXPECT_THROW(RenderSphere(
                     image, 0, 0, sphere_, [] { return std::make_unique<FailingShader>(); }, 3, progress),
                 std::runtime_error);
}

}  // namespace
}  // namespace aurivel::preview
