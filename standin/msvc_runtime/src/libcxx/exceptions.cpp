// The out-of-line members of libc++'s exception classes, which its compiled
// library would hold. Messages are kept in a reference-counted copy, so that
// copying an exception (as throwing does) cannot fail.
#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

namespace {

struct CountedMessage {
    std::atomic<long> references;
    char text[1];
};

CountedMessage* HeaderOf(const char* text) {
    return reinterpret_cast<CountedMessage*>(const_cast<char*>(text) - offsetof(CountedMessage, text));
}

}  // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

__libcpp_refstring::__libcpp_refstring(const char* message) {
    const size_t length = strlen(message);
    void* block = ::operator new(offsetof(CountedMessage, text) + length + 1);
    CountedMessage* counted = new (block) CountedMessage{{1}, {0}};
    memcpy(counted->text, message, length + 1);
    __imp_ = counted->text;
}

__libcpp_refstring::__libcpp_refstring(const __libcpp_refstring& other) noexcept : __imp_(other.__imp_) {
    HeaderOf(__imp_)->references.fetch_add(1);
}

__libcpp_refstring& __libcpp_refstring::operator=(const __libcpp_refstring& other) noexcept {
    HeaderOf(other.__imp_)->references.fetch_add(1);
    this->~__libcpp_refstring();
    __imp_ = other.__imp_;
    return *this;
}

__libcpp_refstring::~__libcpp_refstring() {
    CountedMessage* counted = HeaderOf(__imp_);
    if (counted->references.fetch_sub(1) == 1) {
        counted->~CountedMessage();
        ::operator delete(counted);
    }
}

_LIBCPP_END_NAMESPACE_STD

// The exception classes themselves are outside libc++'s versioned namespace,
// where Visual C++ has them.
namespace std {

exception::~exception() noexcept {}
const char* exception::what() const noexcept { return "std::exception"; }

bad_alloc::bad_alloc() noexcept {}
bad_alloc::~bad_alloc() noexcept {}
const char* bad_alloc::what() const noexcept { return "std::bad_alloc"; }

bad_array_new_length::bad_array_new_length() noexcept {}
bad_array_new_length::~bad_array_new_length() noexcept {}
const char* bad_array_new_length::what() const noexcept { return "bad_array_new_length"; }

// logic_error and runtime_error hold their message alike.
#define MSVC_RUNTIME_MESSAGE_EXCEPTION(name)                                           \
    name::name(const char* message) : __imp_(message) {}                               \
    name::name(const string& message) : __imp_(message.c_str()) {}                     \
    name::name(const name& other) noexcept : exception(other), __imp_(other.__imp_) {} \
    name& name::operator=(const name& other) noexcept {                                \
        __imp_ = other.__imp_;                                                         \
        return *this;                                                                  \
    }                                                                                  \
    name::~name() noexcept {}                                                          \
    const char* name::what() const noexcept { return __imp_.c_str(); }

MSVC_RUNTIME_MESSAGE_EXCEPTION(logic_error)
MSVC_RUNTIME_MESSAGE_EXCEPTION(runtime_error)
#undef MSVC_RUNTIME_MESSAGE_EXCEPTION

length_error::~length_error() noexcept {}
out_of_range::~out_of_range() noexcept {}

void terminate() noexcept { abort(); }

}  // namespace std
