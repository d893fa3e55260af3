// The Microsoft-ABI runtime that stands in for Visual C++'s and for libc++'s
// compiled library: thread-safe statics, std::thread, exceptions' messages,
// and a module's statics and types as seen from the program that loads it.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <typeinfo>
#include <vector>

#include "probe_module.h"

namespace {

// Opens once `count` threads have arrived; waiting on it blocks until then.
class Latch {
public:
    explicit Latch(int count) : remaining_(count), open_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Latch() { CloseHandle(open_); }
    Latch(const Latch&) = delete;
    Latch& operator=(const Latch&) = delete;

    void Arrive() {
        if (--remaining_ == 0) SetEvent(open_);
    }
    void Wait() const { WaitForSingleObject(open_, INFINITE); }

private:
    std::atomic<int> remaining_;
    HANDLE open_;
};

constexpr int kRacingThreads = 8;
Latch racersAtTheStatic(kRacingThreads);
std::atomic<int> initialisations{0};
std::atomic<int> initialising{0};
std::atomic<bool> initialisationsOverlapped{false};

// The first attempt ends only when every thread has reached the static, so
// the others meet it in progress; it throws.
int FirstInitialisationThrows() {
    if (initialising.fetch_add(1) != 0) initialisationsOverlapped = true;
    const int attempt = ++initialisations;
    if (attempt == 1) racersAtTheStatic.Wait();
    initialising.fetch_sub(1);
    if (attempt == 1) throw std::runtime_error("the first initialisation fails");
    return 42;
}

int RacedStatic() {
    static const int value = FirstInitialisationThrows();
    return value;
}

TEST(FunctionLocalStatics, AfterAThrowingFirstInitialisationOneWaitingThreadInitialisesIt) {
    std::vector<int> seen(kRacingThreads, 0);
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < kRacingThreads; ++i) {
        threads.emplace_back([&, i] {
            try {
                racersAtTheStatic.Arrive();
                seen[i] = RacedStatic();
            } catch (const std::runtime_error&) {
                ++failures;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 1);
    EXPECT_EQ(initialisations.load(), 2);
    EXPECT_FALSE(initialisationsOverlapped.load());
    int initialised = 0;
    for (int value : seen) initialised += value == 42 ? 1 : 0;
    EXPECT_EQ(initialised, kRacingThreads - 1);
}

TEST(Threads, RunOnTheirOwnThreadWithTheirArgumentsAndJoinWhenDone) {
    const DWORD self = GetCurrentThreadId();
    DWORD ranOn = self;
    std::string result;
    Latch joining(1);
    std::thread worker(
        [&](const std::string& text, int times) {
            joining.Wait();  // still running when join is called, so a join that does not wait returns early
            ranOn = GetCurrentThreadId();
            for (int i = 0; i < times; ++i) result += text;
        },
        std::string("ab"), 3);
    EXPECT_TRUE(worker.joinable());
    joining.Arrive();
    worker.join();
    EXPECT_FALSE(worker.joinable());
    EXPECT_NE(ranOn, self);
    EXPECT_EQ(result, "ababab");
}

TEST(Exceptions, ACopyKeepsTheMessageAfterTheOriginalIsGone) {
    std::runtime_error assigned("");
    std::optional<std::logic_error> constructed;
    std::optional<std::runtime_error> caught;
    {
        const std::runtime_error runtime(std::string("a runtime ") + "message");
        const std::logic_error logic(std::string("a logic ") + "message");
        assigned = runtime;
        constructed.emplace(logic);
        try {
            throw std::runtime_error(std::string("a thrown ") + "message");
        } catch (std::runtime_error copy) {
            caught.emplace(copy);
        }
    }
    // Blocks the size of the messages', which take the place of any freed.
    std::vector<std::unique_ptr<char[]>> reuse;
    for (int i = 0; i < 64; ++i) reuse.push_back(std::make_unique<char[]>(32));
    EXPECT_STREQ(assigned.what(), "a runtime message");
    EXPECT_STREQ(constructed->what(), "a logic message");
    EXPECT_STREQ(caught->what(), "a thrown message");
}

// The probe module, loaded for each test and unloaded after it.
class ModuleBoundary : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryW(RUNTIME_PROBE_MODULE_PATH);
        ASSERT_NE(module_, nullptr) << "cannot load " << RUNTIME_PROBE_MODULE_PATH;
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    template <typename Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ModuleBoundary, ATypeIsTheSameTypeOnBothSides) {
    const std::type_info* inModule = Export<runtime_probe::TypeOfError>("ProbeTypeOfError")();
    EXPECT_TRUE(*inModule == typeid(runtime_probe::ModuleError));
    EXPECT_FALSE(*inModule == typeid(std::runtime_error));
    EXPECT_EQ(inModule->hash_code(), typeid(runtime_probe::ModuleError).hash_code());
    EXPECT_STREQ(inModule->name(), "struct runtime_probe::ModuleError");
    std::string message;
    try {
        Export<runtime_probe::Throw>("ProbeThrow")();
    } catch (const runtime_probe::ModuleError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "thrown by the module");
}

int destroyedStatics = 0;

TEST_F(ModuleBoundary, AModulesStaticsAreDestroyedWhenItIsUnloaded) {
    Export<runtime_probe::WatchUnload>("ProbeWatchUnload")([] { ++destroyedStatics; });
    EXPECT_EQ(destroyedStatics, 0);
    ASSERT_TRUE(FreeLibrary(module_));
    module_ = nullptr;
    EXPECT_EQ(destroyedStatics, 1);
}

}  // namespace
