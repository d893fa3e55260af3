#include "render/sample_sphere.h"

#include <gtest/gtest.h>

#include <cmath>

namespace aurivel::preview {
namespace {

TEST(SampleSphereTest, CentrePixelLooksExactlyHeadOn) {
    for (int size : {15, 101, 255}) {
        const SampleSphere sphere(size);
        const auto centre = sphere.At(sphere.CentrePixel(), sphere.CentrePixel());
        ASSERT_TRUE(centre.has_value()) << size;
        EXPECT_EQ(centre->normal.x, 0.0f);
        EXPECT_EQ(centre->normal.y, 0.0f);
        EXPECT_EQ(centre->normal.z, 1.0f);
        EXPECT_EQ(centre->view.x, 0.0f);
        EXPECT_EQ(centre->view.y, 0.0f);
        EXPECT_EQ(centre->view.z, -1.0f);
    }
}

TEST(SampleSphereTest, NormalsAreUnitAndFaceTheViewer) {
    const SampleSphere sphere(63);
    int hits = 0;
    for (int y = 0; y < sphere.Size(); ++y) {
        for (int x = 0; x < sphere.Size(); ++x) {
            const auto sample = sphere.At(x, y);
            if (!sample) {
                continue;
            }
            ++hits;
            const Vec3 n = sample->normal;
            EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-6f);
            EXPECT_GT(n.z, 0.0f);
            // Orthographic: the same view direction everywhere.
            EXPECT_EQ(sample->view.z, -1.0f);
            // Image rows grow downwards, the normal's y upwards.
            EXPECT_EQ(n.x > 0.0f, x > sphere.CentrePixel());
            EXPECT_EQ(n.y > 0.0f, y < sphere.CentrePixel());
        }
    }
    // The sphere fills most of its slot but leaves the corners to the checker.
    EXPECT_GT(hits, 63 * 63 / 2);
    EXPECT_LT(hits, 63 * 63 * 3 / 4);
    EXPECT_FALSE(sphere.At(0, 0).has_value());
    EXPECT_FALSE(sphere.At(62, 62).has_value());
}

TEST(SampleSphereTest, OutermostPixelsAreNearGrazing) {
    const SampleSphere sphere(255);
    int x = sphere.CentrePixel();
    while (sphere.At(x + 1, sphere.CentrePixel())) {
        ++x;
    }
    EXPECT_LT(sphere.At(x, sphere.CentrePixel())->normal.z, 0.15f);
}

TEST(SampleSphereTest, BackgroundIsATwoToneChecker) {
    const SampleSphere sphere(255);
    const Rgb a = sphere.Background(0, 0);
    const Rgb b = sphere.Background(40, 0);
    EXPECT_NE(a.r, b.r);
    EXPECT_EQ(sphere.Background(40, 40).r, a.r);
    EXPECT_EQ(sphere.Background(0, 40).r, b.r);
    for (const Rgb c : {a, b}) {
        EXPECT_EQ(c.r, c.g);
        EXPECT_EQ(c.g, c.b);
    }
}

}  // namespace
}  // namespace aurivel::preview
