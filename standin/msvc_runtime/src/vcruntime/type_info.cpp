// Run-time type information in the Microsoft ABI. The compiler's type
// descriptors are type_info objects whose vftable is the global
// `type_info::vftable' of Visual C++'s runtime; their layout (vftable,
// cached undecorated name, decorated name) is libc++'s std::type_info in
// this ABI. The names, comparison and hash are the Universal CRT's.
#include <windows.h>

#include <stdlib.h>

#include <typeinfo>

extern "C" {
struct __std_type_info_data;
_ACRTIMP const char* __cdecl __std_type_info_name(__std_type_info_data* data, PSLIST_HEADER names);
_ACRTIMP int __cdecl __std_type_info_compare(const __std_type_info_data* a, const __std_type_info_data* b);
_ACRTIMP size_t __cdecl __std_type_info_hash(const __std_type_info_data* data);
_ACRTIMP void __cdecl __std_type_info_destroy_list(PSLIST_HEADER names);
}

namespace {

// Type descriptors live in the image's read-only data and are never deleted.
[[noreturn]] void __cdecl TypeDescriptorDeleted() { abort(); }

// The undecorated names made by name(), freed when the image goes.
struct UndecoratedNames {
    SLIST_HEADER list{};
    ~UndecoratedNames() { __std_type_info_destroy_list(&list); }
} undecoratedNames;

__std_type_info_data* Data(const void* descriptorData) {
    return static_cast<__std_type_info_data*>(const_cast<void*>(descriptorData));
}

}  // namespace

extern "C" void(__cdecl* const aurivel_type_info_vftable[1])() __asm__("??_7type_info@@6B@") = {TypeDescriptorDeleted};

namespace std {

type_info::~type_info() {}

const char* type_info::name() const noexcept { return __std_type_info_name(Data(&__data), &undecoratedNames.list); }

int type_info::__compare(const type_info& other) const noexcept {
    return __std_type_info_compare(Data(&__data), Data(&other.__data));
}

size_t type_info::hash_code() const noexcept { return __std_type_info_hash(Data(&__data)); }

}  // namespace std
