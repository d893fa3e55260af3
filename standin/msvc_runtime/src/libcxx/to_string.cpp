// libc++'s std::to_string and std::to_wstring for the integer types that the
// build uses, which its compiled library would hold.
#include <stdio.h>

#include <string>

namespace {

template <typename Number>
std::string Decimal(const char* format, Number value) {
    char text[24];
    const int length = snprintf(text, sizeof text, format, value);
    return std::string(text, static_cast<size_t>(length));
}

}  // namespace

_LIBCPP_BEGIN_NAMESPACE_STD

string to_string(int value) { return Decimal("%d", value); }
string to_string(unsigned value) { return Decimal("%u", value); }
string to_string(long long value) { return Decimal("%lld", value); }
string to_string(unsigned long value) { return Decimal("%lu", value); }
string to_string(unsigned long long value) { return Decimal("%llu", value); }

wstring to_wstring(int value) {
    const string narrow = Decimal("%d", value);
    return wstring(narrow.begin(), narrow.end());
}

_LIBCPP_END_NAMESPACE_STD
