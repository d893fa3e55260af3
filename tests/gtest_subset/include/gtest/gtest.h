// The part of GoogleTest's API that the module's tests use, for the build in
// the Microsoft C++ ABI over Wine, where GoogleTest cannot be built: it
// needs a compiled C++ library (iostreams), and only libc++'s headers exist
// for that ABI here. The same test sources compile against this header and
// against GoogleTest, and the programs answer CTest as GoogleTest's do
// (--gtest_list_tests, --gtest_filter, the [  SKIPPED ] mark).
//
// Messages and values are formatted with the C library instead of streams.
// A failure is reported on the console as "file(line): error: ..." and
// fails the test; ASSERT_* and GTEST_SKIP() leave the test function.
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>

namespace testing {

// Text streamed into an assertion's message.
class Message {
public:
    Message& operator<<(const std::string& text) { return Append(text); }
    Message& operator<<(const char* text) { return Append(text ? text : "(null)"); }
    Message& operator<<(const std::wstring& text);
    Message& operator<<(const wchar_t* text) { return *this << std::wstring(text ? text : L"(null)"); }
    Message& operator<<(char c) { return Append(std::string(1, c)); }
    Message& operator<<(bool value) { return Append(value ? "true" : "false"); }
    Message& operator<<(long long value);
    Message& operator<<(unsigned long long value);
    Message& operator<<(double value);
    Message& operator<<(float value);
    Message& operator<<(const void* pointer);
    template <typename T, typename = std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>>>
    Message& operator<<(T value) {
        if constexpr (std::is_signed_v<T>)
            return *this << static_cast<long long>(value);
        else
            return *this << static_cast<unsigned long long>(value);
    }

    const std::string& str() const { return text_; }

private:
    Message& Append(const std::string& text) {
        text_ += text;
        return *this;
    }
    std::string text_;
};

class Test {
public:
    virtual ~Test() = default;
    virtual void SetUp() {}
    virtual void TearDown() {}
    virtual void TestBody() = 0;

    static bool HasFatalFailure();
    static void RecordProperty(const std::string& key, const std::string& value);
    static void RecordProperty(const std::string& key, long long value);
};

void InitGoogleTest(int* argc, char** argv);

namespace internal {

enum class Outcome { kFailure, kFatalFailure, kSkip };

// Reports what an assertion found; its operator= takes the user's message
// and returns void, so that ASSERT_* can be written `return Helper = msg`.
class AssertHelper {
public:
    AssertHelper(Outcome outcome, const char* file, int line, std::string summary)
        : outcome_(outcome), file_(file), line_(line), summary_(std::move(summary)) {}
    void operator=(const Message& message) const;

private:
    Outcome outcome_;
    const char* file_;
    int line_;
    std::string summary_;
};

// An assertion's verdict: empty when it held, else what failed.
class Verdict {
public:
    static Verdict Held() { return Verdict(); }
    static Verdict Failed(std::string why) {
        Verdict v;
        v.failed_ = true;
        v.why_ = std::move(why);
        return v;
    }
    explicit operator bool() const { return !failed_; }
    const std::string& Why() const { return why_; }

private:
    bool failed_ = false;
    std::string why_;
};

template <typename T, typename = void>
struct IsRange : std::false_type {};
template <typename T>
struct IsRange<T, std::void_t<decltype(std::declval<const T&>().begin()), decltype(std::declval<const T&>().end())>>
    : std::true_type {};

std::string BytesOf(const void* object, size_t size);

// How a value is shown in a failure: as GoogleTest shows it, or its bytes.
template <typename T>
std::string Show(const T& value) {
    if constexpr (std::is_null_pointer_v<T>) {
        return "(nullptr)";
    } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, std::wstring> ||
                         std::is_convertible_v<T, const char*> || std::is_convertible_v<T, const wchar_t*>) {
        return (Message() << "\"" << value << "\"").str();
    } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T> || std::is_pointer_v<T>) {
        return (Message() << value).str();
    } else if constexpr (IsRange<T>::value) {
        std::string text = "{";
        size_t shown = 0;
        for (const auto& element : value) {
            if (shown == 32) return text + ", ...}";
            text += (shown++ ? ", " : " ") + Show(element);
        }
        return text + " }";
    } else {
        return BytesOf(&value, sizeof value);
    }
}

// The comparisons are made here, in a system header, as GoogleTest makes
// them, so that comparing a size with a literal warns no more than there.
struct Equal {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a == b;
    }
};
struct NotEqual {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a != b;
    }
};
struct Less {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a < b;
    }
};
struct LessOrEqual {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a <= b;
    }
};
struct Greater {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a > b;
    }
};
struct GreaterOrEqual {
    template <typename A, typename B>
    bool operator()(const A& a, const B& b) const {
        return a >= b;
    }
};

template <typename Compare, typename A, typename B>
Verdict Compare2(const char* op, const char* a_text, const char* b_text, const A& a, const B& b) {
    if (Compare()(a, b)) return Verdict::Held();
    return Verdict::Failed(std::string("Expected: (") + a_text + ") " + op + " (" + b_text + "), actual: " + Show(a) +
                           " vs " + Show(b));
}

// EXPECT_THROW: the statement, run, throws an Exception.
template <typename Exception, typename Statement>
Verdict Throws(Statement statement, const char* statement_text, const char* type_text) {
    const char* actual = "it throws nothing";
    try {
        statement();
    } catch (const Exception&) {
        return Verdict::Held();
    } catch (...) {
        actual = "it throws a different type";
    }
    return Verdict::Failed(std::string("Expected: ") + statement_text + " throws an exception of type " + type_text +
                           ".\n  Actual: " + actual + ".");
}

Verdict Truth(bool value, const char* text, bool expected);
Verdict SameCString(const char* a_text, const char* b_text, const char* a, const char* b);
Verdict SameCString(const char* a_text, const char* b_text, const wchar_t* a, const wchar_t* b);
Verdict Near(const char* a_text, const char* b_text, double a, double b, double abs_error);

// One test of the program, made fresh for each run.
using Factory = Test* (*)();
bool Register(const char* suite, const char* name, Factory factory);

// SCOPED_TRACE: the message is added to every failure while it is in scope.
class ScopedTrace {
public:
    ScopedTrace(const char* file, int line, const Message& message);
    ~ScopedTrace();
    ScopedTrace(const ScopedTrace&) = delete;
    ScopedTrace& operator=(const ScopedTrace&) = delete;
};

int RunAllTests();

}  // namespace internal
}  // namespace testing

#define GTEST_SUBSET_CONCAT_(a, b) a##b
#define GTEST_SUBSET_CONCAT(a, b) GTEST_SUBSET_CONCAT_(a, b)

#define GTEST_SUBSET_TEST_(suite, name, parent)                                                                       \
    class suite##_##name##_Test : public parent {                                                                     \
    public:                                                                                                           \
        void TestBody() override;                                                                                     \
    };                                                                                                                \
    static const bool suite##_##name##_registered =                                                                   \
        ::testing::internal::Register(#suite, #name, []() -> ::testing::Test* { return new suite##_##name##_Test; }); \
    void suite##_##name##_Test::TestBody()

#define TEST(suite, name) GTEST_SUBSET_TEST_(suite, name, ::testing::Test)
#define TEST_F(fixture, name) GTEST_SUBSET_TEST_(fixture, name, fixture)

#define GTEST_SUBSET_REPORT_(outcome, summary) \
    ::testing::internal::AssertHelper(outcome, __FILE__, __LINE__, summary) = ::testing::Message()

// `if (verdict) ; else report` keeps a following `else` of the caller's
// from binding here.
#define GTEST_SUBSET_CHECK_(verdict, outcome)                                                              \
    if (const ::testing::internal::Verdict gtest_verdict = (verdict))                                      \
        ;                                                                                                  \
    else                                                                                                   \
        GTEST_SUBSET_RETURN_IF_FATAL_##outcome GTEST_SUBSET_REPORT_(::testing::internal::Outcome::outcome, \
                                                                    gtest_verdict.Why())
#define GTEST_SUBSET_RETURN_IF_FATAL_kFailure
#define GTEST_SUBSET_RETURN_IF_FATAL_kFatalFailure return

#define GTEST_SUBSET_COMPARE_(compare, op, a, b, outcome) \
    GTEST_SUBSET_CHECK_(::testing::internal::Compare2<::testing::internal::compare>(#op, #a, #b, a, b), outcome)

#define EXPECT_EQ(a, b) GTEST_SUBSET_COMPARE_(Equal, ==, a, b, kFailure)
#define EXPECT_NE(a, b) GTEST_SUBSET_COMPARE_(NotEqual, !=, a, b, kFailure)
#define EXPECT_LT(a, b) GTEST_SUBSET_COMPARE_(Less, <, a, b, kFailure)
#define EXPECT_LE(a, b) GTEST_SUBSET_COMPARE_(LessOrEqual, <=, a, b, kFailure)
#define EXPECT_GT(a, b) GTEST_SUBSET_COMPARE_(Greater, >, a, b, kFailure)
#define EXPECT_GE(a, b) GTEST_SUBSET_COMPARE_(GreaterOrEqual, >=, a, b, kFailure)
#define ASSERT_EQ(a, b) GTEST_SUBSET_COMPARE_(Equal, ==, a, b, kFatalFailure)
#define ASSERT_NE(a, b) GTEST_SUBSET_COMPARE_(NotEqual, !=, a, b, kFatalFailure)
#define ASSERT_LT(a, b) GTEST_SUBSET_COMPARE_(Less, <, a, b, kFatalFailure)
#define ASSERT_LE(a, b) GTEST_SUBSET_COMPARE_(LessOrEqual, <=, a, b, kFatalFailure)
#define ASSERT_GT(a, b) GTEST_SUBSET_COMPARE_(Greater, >, a, b, kFatalFailure)
#define ASSERT_GE(a, b) GTEST_SUBSET_COMPARE_(GreaterOrEqual, >=, a, b, kFatalFailure)

#define EXPECT_TRUE(c) GTEST_SUBSET_CHECK_(::testing::internal::Truth(static_cast<bool>(c), #c, true), kFailure)
#define EXPECT_FALSE(c) GTEST_SUBSET_CHECK_(::testing::internal::Truth(static_cast<bool>(c), #c, false), kFailure)
#define ASSERT_TRUE(c) GTEST_SUBSET_CHECK_(::testing::internal::Truth(static_cast<bool>(c), #c, true), kFatalFailure)
#define ASSERT_FALSE(c) GTEST_SUBSET_CHECK_(::testing::internal::Truth(static_cast<bool>(c), #c, false), kFatalFailure)

#define EXPECT_THROW(statement, exception) \
    GTEST_SUBSET_CHECK_(::testing::internal::Throws<exception>([&] { statement; }, #statement, #exception), kFailure)

#define EXPECT_STREQ(a, b) GTEST_SUBSET_CHECK_(::testing::internal::SameCString(#a, #b, a, b), kFailure)
#define EXPECT_NEAR(a, b, abs_error) GTEST_SUBSET_CHECK_(::testing::internal::Near(#a, #b, a, b, abs_error), kFailure)

#define ADD_FAILURE() GTEST_SUBSET_REPORT_(::testing::internal::Outcome::kFailure, "Failed")
#define GTEST_SKIP() return GTEST_SUBSET_REPORT_(::testing::internal::Outcome::kSkip, "Skipped")

#define SCOPED_TRACE(message)                                                           \
    const ::testing::internal::ScopedTrace GTEST_SUBSET_CONCAT(gtest_trace_, __LINE__)( \
        __FILE__, __LINE__, ::testing::Message() << (message))

#define RUN_ALL_TESTS() ::testing::internal::RunAllTests()
