// Tests for the GoogleTest subset itself: CTest runs this program with
// filters and reads which tests it lists and what a run reports
// (CMakeLists.txt), since a failing test is what some of them are about.
#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace {

TEST(Alpha, One) {}
TEST(Alpha, Two) {}
TEST(Beta, One) {}
TEST(Beta, Three) {}

class Cleanup : public ::testing::Test {
protected:
    void TearDown() override { std::printf("TearDown ran\n"); }
};

TEST_F(Cleanup, AfterAThrowingBody) { throw std::runtime_error("the body threw"); }

}  // namespace
