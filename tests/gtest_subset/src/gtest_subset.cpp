#include "gtest/gtest.h"

#include <atomic>
#include <cstdarg>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>
#include <vector>

#include "utf/utf.h"

namespace testing {
namespace internal {
namespace {

struct RegisteredTest {
    const char* suite;
    const char* name;
    Factory factory;
    std::string FullName() const { return std::string(suite) + "." + name; }
};

std::vector<RegisteredTest>& Registry() {
    static std::vector<RegisteredTest> tests;
    return tests;
}

struct Options {
    std::string filter = "*";
    bool list = false;
} options;

// What the running test has met. Assertions may fail on any thread, so the
// state is changed under a lock: a spin lock, as std::mutex lives in libc++'s
// compiled library, which this build lacks, and a report holds it briefly.
struct RunState {
    bool failed = false;
    bool fatal = false;
    bool skipped = false;
    std::vector<std::string> traces;
} current;
std::atomic_flag stateLock = ATOMIC_FLAG_INIT;

class StateLock {
public:
    StateLock() {
        while (stateLock.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~StateLock() { stateLock.clear(std::memory_order_release); }
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;
};

std::string Format(const char* format, ...) {
    char text[64];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

// GoogleTest's filter: patterns with * and ?, separated by ':', and after a
// '-' the patterns of the tests left out.
bool MatchesPattern(const char* pattern, const char* text) {
    if (*pattern == '\0' || *pattern == ':') return *text == '\0';
    if (*pattern == '*') return MatchesPattern(pattern + 1, text) || (*text && MatchesPattern(pattern, text + 1));
    return *text && (*pattern == '?' || *pattern == *text) && MatchesPattern(pattern + 1, text + 1);
}

bool MatchesAny(const std::string& patterns, const std::string& name) {
    for (size_t start = 0; start <= patterns.size();) {
        if (MatchesPattern(patterns.c_str() + start, name.c_str())) return true;
        const size_t colon = patterns.find(':', start);
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return false;
}

bool Selected(const std::string& name) {
    const size_t dash = options.filter.find('-');
    const std::string positive = options.filter.substr(0, dash);
    const bool included = positive.empty() || MatchesAny(positive, name);
    return included && (dash == std::string::npos || !MatchesAny(options.filter.substr(dash + 1), name));
}

void ListTests() {
    const char* suite = nullptr;
    for (const RegisteredTest& test : Registry()) {
        if (!Selected(test.FullName())) continue;
        if (!suite || std::strcmp(suite, test.suite) != 0) std::printf("%s.\n", suite = test.suite);
        std::printf("  %s\n", test.name);
    }
}

// Runs one of a test's methods; an exception it lets out fails the test,
// as in GoogleTest, and the test goes on to its next step.
template <typename Method>
void RunGuarded(Method method, const char* where) {
    try {
        method();
    } catch (const std::exception& e) {
        AssertHelper(Outcome::kFatalFailure, "unknown file", 0,
                     std::string("C++ exception with description \"") + e.what() + "\" thrown in " + where + ".") =
            Message();
    } catch (...) {
        AssertHelper(Outcome::kFatalFailure, "unknown file", 0,
                     std::string("Unknown C++ exception thrown in ") + where + ".") = Message();
    }
}

// The body runs if SetUp went well; TearDown runs whatever happened before.
void RunBody(Test& test) {
    RunGuarded([&] { test.SetUp(); }, "SetUp()");
    if (!current.fatal && !current.skipped) RunGuarded([&] { test.TestBody(); }, "the test body");
    RunGuarded([&] { test.TearDown(); }, "TearDown()");
}

// Runs one test; true unless it failed.
bool Run(const RegisteredTest& registered) {
    const std::string name = registered.FullName();
    std::printf("[ RUN      ] %s\n", name.c_str());
    std::fflush(stdout);
    current = RunState();
    Test* test = registered.factory();
    RunBody(*test);
    delete test;
    const char* mark = current.failed ? "[  FAILED  ]" : current.skipped ? "[  SKIPPED ]" : "[       OK ]";
    std::printf("%s %s\n", mark, name.c_str());
    std::fflush(stdout);
    return !current.failed;
}

}  // namespace

}  // namespace internal

Message& Message::operator<<(const std::wstring& text) {
    return Append(aurivel::utf::Utf8FromWide(text));
}
Message& Message::operator<<(long long value) { return Append(internal::Format("%lld", value)); }
Message& Message::operator<<(unsigned long long value) { return Append(internal::Format("%llu", value)); }
Message& Message::operator<<(double value) { return Append(internal::Format("%.17g", value)); }
Message& Message::operator<<(float value) { return Append(internal::Format("%.9g", static_cast<double>(value))); }
Message& Message::operator<<(const void* pointer) { return Append(internal::Format("%p", pointer)); }

bool Test::HasFatalFailure() {
    internal::StateLock lock;
    return internal::current.fatal;
}

void Test::RecordProperty(const std::string& key, const std::string& value) {
    std::printf("[ PROPERTY ] %s = %s\n", key.c_str(), value.c_str());
}

void Test::RecordProperty(const std::string& key, long long value) { RecordProperty(key, std::to_string(value)); }

void InitGoogleTest(int* argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--gtest_filter=", 0) == 0)
            internal::options.filter = argument.substr(std::strlen("--gtest_filter="));
        else if (argument == "--gtest_list_tests")
            internal::options.list = true;
        else if (argument.rfind("--gtest_", 0) != 0)
            argv[kept++] = argv[i];
    }
    *argc = kept;
    argv[kept] = nullptr;
}

namespace internal {

void AssertHelper::operator=(const Message& message) const {
    StateLock lock;
    std::string report = outcome_ == Outcome::kSkip
                             ? std::string(file_) + "(" + std::to_string(line_) + "): Skipped\n"
                             : std::string(file_) + "(" + std::to_string(line_) + "): error: " + summary_ + "\n";
    if (!message.str().empty()) report += message.str() + "\n";
    if (outcome_ != Outcome::kSkip && !current.traces.empty()) {
        report += "Google Test trace:\n";
        for (auto trace = current.traces.rbegin(); trace != current.traces.rend(); ++trace) report += *trace + "\n";
    }
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    if (outcome_ == Outcome::kSkip) {
        current.skipped = true;
        return;
    }
    current.failed = true;
    current.fatal = current.fatal || outcome_ == Outcome::kFatalFailure;
}

std::string BytesOf(const void* object, size_t size) {
    std::string text = std::to_string(size) + "-byte object <";
    const auto* bytes = static_cast<const unsigned char*>(object);
    for (size_t i = 0; i < size; ++i) text += Format(i ? " %02X" : "%02X", bytes[i]);
    return text + ">";
}

Verdict Truth(bool value, const char* text, bool expected) {
    if (value == expected) return Verdict::Held();
    return Verdict::Failed(std::string("Value of: ") + text + "\n  Actual: " + (value ? "true" : "false") +
                           "\nExpected: " + (expected ? "true" : "false"));
}

template <typename Char>
Verdict SameText(const char* a_text, const char* b_text, const Char* a, const Char* b,
                 int (*compare)(const Char*, const Char*)) {
    const bool same = a && b ? compare(a, b) == 0 : a == b;
    if (same) return Verdict::Held();
    return Verdict::Failed(std::string("Expected equality of these values:\n  ") + a_text +
                           "\n    Which is: " + Show(a) + "\n  " + b_text + "\n    Which is: " + Show(b));
}

Verdict SameCString(const char* a_text, const char* b_text, const char* a, const char* b) {
    return SameText<char>(a_text, b_text, a, b, std::strcmp);
}

Verdict SameCString(const char* a_text, const char* b_text, const wchar_t* a, const wchar_t* b) {
    return SameText<wchar_t>(a_text, b_text, a, b, std::wcscmp);
}

Verdict Near(const char* a_text, const char* b_text, double a, double b, double abs_error) {
    if (std::fabs(a - b) <= abs_error) return Verdict::Held();
    return Verdict::Failed(std::string("The difference between ") + a_text + " and " + b_text + " is " +
                           Format("%.17g", std::fabs(a - b)) + ", which exceeds " + Format("%.17g", abs_error) +
                           ", where " + a_text + " evaluates to " + Format("%.17g", a) + " and " + b_text +
                           " evaluates to " + Format("%.17g", b) + ".");
}

bool Register(const char* suite, const char* name, Factory factory) {
    Registry().push_back({suite, name, factory});
    return true;
}

ScopedTrace::ScopedTrace(const char* file, int line, const Message& message) {
    StateLock lock;
    current.traces.push_back(std::string(file) + "(" + std::to_string(line) + "): " + message.str());
}

ScopedTrace::~ScopedTrace() {
    StateLock lock;
    current.traces.pop_back();
}

int RunAllTests() {
    if (options.list) {
        ListTests();
        return 0;
    }
    std::vector<std::string> failed;
    int ran = 0;
    int skipped = 0;
    for (const RegisteredTest& test : Registry()) {
        if (!Selected(test.FullName())) continue;
        ++ran;
        if (!Run(test)) failed.push_back(test.FullName());
        skipped += current.skipped ? 1 : 0;
    }
    std::printf("[==========] %d tests ran.\n", ran);
    std::printf("[  PASSED  ] %d tests.\n", ran - skipped - static_cast<int>(failed.size()));
    if (skipped) std::printf("[  SKIPPED ] %d tests.\n", skipped);
    for (const std::string& name : failed) std::printf("[  FAILED  ] %s\n", name.c_str());
    return failed.empty() ? 0 : 1;
}

}  // namespace internal
}  // namespace testing
