#include "resources.h"

#include "text.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace win32shim {
namespace {

// The shim's user interface language: English (United States).
constexpr WORD kUserLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kNeutralLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

std::vector<const ResourceEntry*> Candidates(const ModuleInfo& module, const ResourceId& type, const ResourceId& name) {
    std::vector<const ResourceEntry*> found;
    bool typeSeen = false;
    for (const auto& entry : module.resources) {
        if (!(entry.type == type)) continue;
        typeSeen = true;
        if (entry.name == name) found.push_back(&entry);
    }
    if (found.empty()) SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return found;
}

const ResourceEntry* WithLanguage(const std::vector<const ResourceEntry*>& candidates, WORD language) {
    for (const auto* entry : candidates) {
        if (entry->language == language) return entry;
    }
    return nullptr;
}

// Tries the languages in order; with fallBackToAny, then the lowest
// language present, as Windows takes a module's resources in language order.
const ResourceEntry* ChooseLanguage(const std::vector<const ResourceEntry*>& candidates,
                                    std::initializer_list<WORD> preferred, bool fallBackToAny) {
    for (WORD language : preferred) {
        if (const auto* entry = WithLanguage(candidates, language)) return entry;
    }
    if (fallBackToAny && !candidates.empty()) {
        return *std::min_element(candidates.begin(), candidates.end(),
                                 [](const auto* a, const auto* b) { return a->language < b->language; });
    }
    if (!candidates.empty()) SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
    return nullptr;
}

// Neutral first, then the user interface language, then any.
const ResourceEntry* FindAnyLanguage(const ModuleInfo& module, LPCWSTR type, LPCWSTR name) {
    const auto candidates = Candidates(module, ResourceId::FromApi(type), ResourceId::FromApi(name));
    return ChooseLanguage(candidates, {kNeutralLanguage, kUserLanguage}, true);
}

// The language asked for, then its primary language, then neutral.
const ResourceEntry* FindLanguage(const ModuleInfo& module, LPCWSTR type, LPCWSTR name, WORD language) {
    const auto candidates = Candidates(module, ResourceId::FromApi(type), ResourceId::FromApi(name));
    const WORD primary = MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL);
    return ChooseLanguage(candidates, {language, primary, kNeutralLanguage}, false);
}

HRSRC AsHandle(const ResourceEntry* entry) { return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry)); }

// The entry behind a handle, if it belongs to the module.
const ResourceEntry* EntryOf(const ModuleInfo& module, HRSRC handle) {
    const auto* entry = reinterpret_cast<const ResourceEntry*>(handle);
    const auto* first = module.resources.data();
    const bool inModule = entry >= first && entry < first + module.resources.size();
    return inModule ? entry : nullptr;
}

std::shared_ptr<const ModuleInfo> ModuleFor(HMODULE module) {
    auto info = ModuleInfoFor(ModuleOrMainProgram(module));
    if (!info) SetLastError(ERROR_MOD_NOT_FOUND);
    return info;
}

// A string table block holds 16 strings, each a length and that many UTF-16
// units.
std::optional<std::u16string> StringFromBlock(ResourceBytes block, UINT index) {
    size_t offset = 0;
    for (UINT i = 0;; ++i) {
        if (offset + 2 > block.size) return std::nullopt;
        WORD length;
        std::memcpy(&length, block.data + offset, 2);
        offset += 2;
        if (offset + length * size_t{2} > block.size) return std::nullopt;
        if (i == index) {
            std::u16string text(length, u'\0');
            std::memcpy(text.data(), block.data + offset, length * size_t{2});
            return text;
        }
        offset += length * size_t{2};
    }
}

}  // namespace

HMODULE ModuleOrMainProgram(HMODULE module) { return module != nullptr ? module : MainProgram().base; }

ResourceBytes LoadResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    const auto info = ModuleFor(module);
    if (!info) return {};
    const auto* entry = FindAnyLanguage(*info, type, name);
    if (entry == nullptr) return {};
    return {info->Data(*entry), entry->size};
}

}  // namespace win32shim

using namespace win32shim;

extern "C" HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
    const auto info = ModuleFor(hModule);
    return info ? AsHandle(FindAnyLanguage(*info, lpType, lpName)) : nullptr;
}

extern "C" HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage) {
    const auto info = ModuleFor(hModule);
    if (!info) return nullptr;
    if (wLanguage == kNeutralLanguage) return AsHandle(FindAnyLanguage(*info, lpType, lpName));
    return AsHandle(FindLanguage(*info, lpType, lpName, wLanguage));
}

extern "C" HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const auto info = ModuleFor(hModule);
    const auto* entry = info ? EntryOf(*info, hResInfo) : nullptr;
    if (entry == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(const_cast<uint8_t*>(info->Data(*entry)));
}

extern "C" LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

extern "C" DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const auto info = ModuleFor(hModule);
    const auto* entry = info ? EntryOf(*info, hResInfo) : nullptr;
    return entry != nullptr ? static_cast<DWORD>(entry->size) : 0;
}

// The text is stored as UTF-16 and wchar_t is wider here, so there is no
// read-only pointer to hand out: a capacity of 0 copies nothing and
// returns 0.
extern "C" int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    const UINT id = LOWORD(uID);
    const auto block = LoadResourceBytes(hInstance, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING);
    if (block.data == nullptr) return 0;
    const auto text = StringFromBlock(block, id & 15);
    if (!text) return 0;
    return CopyTruncated(WidenUtf16(*text), lpBuffer, cchBufferMax);
}
