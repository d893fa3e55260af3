// Saves that break off, files cut short and a host heap out of memory: a
// failed save says so and changes nothing; a damaged file fails to load and
// leaves no half-made map behind; what cannot be allocated is none, and
// nothing is half made (the asan stage's LeakSanitizer sees the rest).
#include <functional>
#include <string>
#include <vector>

#include "editor/AurivelDlgProc.h"
#include "map_state.h"
#include "module_fixture/module_fixture.h"
#include "standin/copy_operation.h"
#include "standin/host_heap.h"
#include "standin/material_editor.h"
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

TEST(AllocationFaults, CreateAndCloneReturnNoneAndLeaveTheSourceAsItWas) {
    MapHandle source(RichScene());
    const std::string before = DescribeMap(source.get());
    const std::string copied = DescribeMap(MapHandle(static_cast<Texmap*>(standin::CloneObject(source.get()))).get());
    const struct {
        const char* operation;
        std::function<ReferenceTarget*()> make;
    } cases[] = {
        {"Create", [] { return static_cast<ReferenceTarget*>(Module::Desc()->Create(FALSE)); }},
        {"Clone", [&] { return standin::CloneObject(source.get()); }},
    };
    for (const auto& c : cases) {
        const long inUse = standin::HostHeapBlocksInUse();
        {
            standin::HostHeapFailureScope failing;
            standin::FailNextHostHeapAllocations(1);
            EXPECT_EQ(c.make(), nullptr) << c.operation;
        }
        EXPECT_EQ(standin::HostHeapBlocksInUse(), inUse) << c.operation << ": something was made";
        {
            // The map's storage, then the host's parameter block: the host's
            // failure passes on and takes the half-made map with it.
            standin::HostHeapFailureScope failing;
            standin::FailNextHostHeapAllocations(1, 1);
            EXPECT_THROW(c.make(), std::bad_alloc) << c.operation;
        }
        EXPECT_EQ(standin::HostHeapBlocksInUse(), inUse) << c.operation << ": a half-made map stayed";
        MapHandle made(static_cast<Texmap*>(c.make()));
        EXPECT_NE(made.get(), nullptr) << c.operation << " once the heap has room";
    }
    EXPECT_EQ(DescribeMap(source.get()), before);
    MapHandle copy(static_cast<Texmap*>(standin::CloneObject(source.get())));
    EXPECT_EQ(DescribeMap(copy.get()), copied);
}

TEST(AllocationFaults, TheEditorOpensWithoutWhatTheHeapCannotHold) {
    MapHandle map;
    standin::MaterialEditor first, second;
    ASSERT_NE(first.Open(map.get()), nullptr);
    ParamBlockDesc2* desc = map.Block()->GetDesc();
    ASSERT_NE(desc->GetUserDlgProc(0), nullptr);

    standin::HostHeapFailureScope failing;
    const long inUse = standin::HostHeapBlocksInUse();
    standin::FailNextHostHeapAllocations(1);
    EXPECT_EQ(second.Open(map.get()), nullptr) << "the host could not make the editor's dialog";
    EXPECT_EQ(standin::HostHeapBlocksInUse(), inUse);

    // The rollout goes without the procedure that could not be made; the
    // output rollout is there all the same.
    standin::FailNextHostHeapAllocationOfSize(sizeof(AurivelDlgProc));
    auto* master = static_cast<IAutoMParamDlg*>(second.Open(map.get()));
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(desc->GetUserDlgProc(0), nullptr);
    EXPECT_EQ(master->NumDlgs(), 1);
}

}  // namespace
}  // namespace aurivel_test
