// Bounds-checked little-endian reading of binary resource formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace win32shim {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Offset() const { return offset_; }
    size_t Remaining() const { return size_ - offset_; }
    bool Failed() const { return failed_; }
    const uint8_t* Here() const { return data_ + offset_; }

    template <typename T>
    T Read() {
        T value{};
        if (!Require(sizeof(T))) return value;
        std::memcpy(&value, data_ + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }

    void Skip(size_t count) {
        if (Require(count)) offset_ += count;
    }

    // Moves to the next multiple of alignment, counted from the start.
    void Align(size_t alignment) {
        const size_t padding = (alignment - offset_ % alignment) % alignment;
        Skip(padding > Remaining() ? Remaining() : padding);
    }

    // A NUL-terminated UTF-16 string.
    std::u16string ReadUtf16z() {
        std::u16string text;
        for (char16_t unit = Read<char16_t>(); !failed_ && unit != 0; unit = Read<char16_t>()) text += unit;
        return text;
    }

private:
    bool Require(size_t count) {
        if (failed_ || count > Remaining()) failed_ = true;
        return !failed_;
    }

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace win32shim
