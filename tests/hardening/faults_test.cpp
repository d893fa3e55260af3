// Saves that break off and files cut short, in memory: a failed save says
// so and changes nothing; a damaged file fails to load and leaves no
// half-made map behind (the asan stage's LeakSanitizer sees the rest).
#include <string>
#include <vector>

#include "map_state.h"
#include "module_fixture.h"
#include "standin/scene_file.h"

namespace aurivel_test {
namespace {

TEST(SaveFaults, AWriteFailingAtAnyByteReportsAnErrorAndChangesNoObject) {
    MapHandle map(RichScene());
    const std::vector<unsigned char> whole = SaveBytes(map.get());
    const std::string before = DescribeMap(map.get());
    for (size_t limit = 0; limit < whole.size(); ++limit) {
        std::vector<unsigned char> out;
        std::string error;
        EXPECT_EQ(standin::SaveSceneToBytes(map.get(), out, limit, &error), IO_ERROR) << limit;
        EXPECT_FALSE(error.empty()) << limit;
        EXPECT_LE(out.size(), limit);
    }
    EXPECT_EQ(SaveBytes(map.get()), whole);
    EXPECT_EQ(DescribeMap(map.get()), before);
    RecordProperty("faults", static_cast<int>(whole.size()));
}

TEST(LoadFaults, AFileCutAtAnyByteFailsWithoutAHalfMadeMap) {
    MapHandle map(RichScene());
    const std::vector<unsigned char> bytes = SaveBytes(map.get());
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        IOResult result = IO_OK;
        std::string error;
        ReferenceTarget* loaded = standin::LoadSceneFromBytes(bytes.data(), cut, &result, &error);
        EXPECT_EQ(loaded, nullptr) << cut;
        EXPECT_EQ(result, IO_ERROR) << cut;
        EXPECT_FALSE(error.empty()) << cut;
        if (loaded) loaded->DeleteThis();
    }
    IOResult result = IO_ERROR;
    std::string error;
    MapHandle whole(static_cast<Texmap*>(standin::LoadSceneFromBytes(bytes.data(), bytes.size(), &result, &error)));
    ASSERT_NE(whole.get(), nullptr) << error;
    EXPECT_EQ(DescribeMap(whole.get()), DescribeMap(map.get()));
    RecordProperty("faults", static_cast<int>(bytes.size()));
}

}  // namespace
}  // namespace aurivel_test
