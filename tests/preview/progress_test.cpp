#include "render/progress.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>
#include <vector>

namespace aurivel::preview {
namespace {

TEST(ProgressTest, StaysQuietBeforeTheDelay) {
    std::ostringstream out;
    {
        Progress progress(&out, "Rendering", 10, std::chrono::hours(1));
        progress.Advance(10);
        EXPECT_EQ(progress.Done(), 10);
    }
    EXPECT_TRUE(out.str().empty());
}

TEST(ProgressTest, ShowsPercentAfterTheDelayAndClearsTheLine) {
    std::ostringstream out;
    {
        Progress progress(&out, "Rendering", 4, std::chrono::nanoseconds(0));
        progress.Advance();
        EXPECT_EQ(out.str(), "\rRendering 25%");
        progress.Advance(3);  // the last step is always shown
        EXPECT_NE(out.str().find("\rRendering 100%"), std::string::npos);
    }
    EXPECT_EQ(out.str().back(), '\r');
}

TEST(ProgressTest, CountsStepsFromManyThreads) {
    Progress progress(nullptr, "Rendering", 4000);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i) {
                progress.Advance();
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(progress.Done(), 4000);
}

}  // namespace
}  // namespace aurivel::preview
