// The views that the benchmarks shade: kSampleCount random normals and view
// directions, the same in every build, enough that the branch predictor
// cannot learn the sequence.
#pragma once

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "point3.h"

namespace aurivel::bench {

// A power of two, so the next sample is one mask away.
constexpr std::size_t kSampleCount = 4096;
constexpr std::size_t kSampleMask = kSampleCount - 1;

inline Point3 RandomUnitVector(std::mt19937& engine) {
    std::normal_distribution<float> axis(0.0f, 1.0f);
    const Point3 v(axis(engine), axis(engine), axis(engine));
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return Point3(v.x / length, v.y / length, v.z / length);
}

struct NormalsAndViews {
    std::vector<Point3> normals, views;
};

inline NormalsAndViews RandomNormalsAndViews() {
    std::mt19937 engine(0xe7a1u);
    NormalsAndViews set;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
        set.normals.push_back(RandomUnitVector(engine));
        set.views.push_back(RandomUnitVector(engine));
    }
    return set;
}

}  // namespace aurivel::bench
