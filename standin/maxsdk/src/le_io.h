// Little-endian values in byte buffers and in chunks, independent of the
// machine's own byte order.
#pragma once

#include <cstdint>
#include <cstring>

#include "ioapi.h"

namespace standin {

inline void PutU16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

inline void PutU32(unsigned char* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

inline uint16_t GetU16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t GetU32(const unsigned char* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

inline uint32_t FloatBits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

inline float BitsFloat(uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

inline IOResult WriteBytes(ISave* isave, const unsigned char* bytes, ULONG n) {
    ULONG written = 0;
    const IOResult result = isave->Write(bytes, n, &written);
    return result == IO_OK && written == n ? IO_OK : IO_ERROR;
}

inline IOResult ReadBytes(ILoad* iload, unsigned char* bytes, ULONG n) {
    ULONG read = 0;
    const IOResult result = iload->Read(bytes, n, &read);
    return result == IO_OK && read == n ? IO_OK : IO_ERROR;
}

inline IOResult WriteU16(ISave* isave, uint16_t v) {
    unsigned char b[2];
    PutU16(b, v);
    return WriteBytes(isave, b, 2);
}

inline IOResult WriteU32(ISave* isave, uint32_t v) {
    unsigned char b[4];
    PutU32(b, v);
    return WriteBytes(isave, b, 4);
}

inline IOResult WriteI32(ISave* isave, int32_t v) { return WriteU32(isave, static_cast<uint32_t>(v)); }
inline IOResult WriteF32(ISave* isave, float v) { return WriteU32(isave, FloatBits(v)); }

inline IOResult ReadU16(ILoad* iload, uint16_t& v) {
    unsigned char b[2] = {};
    const IOResult result = ReadBytes(iload, b, 2);
    v = GetU16(b);
    return result;
}

inline IOResult ReadU32(ILoad* iload, uint32_t& v) {
    unsigned char b[4] = {};
    const IOResult result = ReadBytes(iload, b, 4);
    v = GetU32(b);
    return result;
}

inline IOResult ReadI32(ILoad* iload, int32_t& v) {
    uint32_t u = 0;
    const IOResult result = ReadU32(iload, u);
    v = static_cast<int32_t>(u);
    return result;
}

inline IOResult ReadF32(ILoad* iload, float& v) {
    uint32_t u = 0;
    const IOResult result = ReadU32(iload, u);
    v = BitsFloat(u);
    return result;
}

}  // namespace standin
