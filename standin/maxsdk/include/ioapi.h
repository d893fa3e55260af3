// Chunked saving and loading. A chunk is a USHORT id and a 32-bit length
// that counts its 6-byte header; the length's top bit marks a chunk that
// holds further chunks rather than data. Everything is little-endian.
#pragma once

#include <windows.h>

#include "maxheap.h"
#include "strbasic.h"

enum IOResult { IO_OK = 0, IO_END = 1, IO_ERROR = 2, IO_INTERRUPT = 3 };

class ISave : public MaxHeapOperators {
public:
    virtual ~ISave() {}
    virtual void BeginChunk(USHORT id) = 0;
    virtual void EndChunk() = 0;
    virtual IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) = 0;
    // Written as UTF-16 code units with a terminating zero.
    virtual IOResult WriteWString(const wchar_t* str) = 0;
};

class ILoad : public MaxHeapOperators {
public:
    virtual ~ILoad() {}
    // Opens the next chunk of the current one: IO_END when there is none.
    virtual IOResult OpenChunk() = 0;
    virtual USHORT CurChunkID() = 0;
    // Leaves the current chunk, skipping whatever of it was not read.
    virtual IOResult CloseChunk() = 0;
    virtual IOResult Read(void* buf, ULONG nbytes, ULONG* nread) = 0;
    // The rest of the current chunk as a string; the buffer belongs to the
    // loader and stays valid until the load ends.
    virtual IOResult ReadWStringChunk(wchar_t** buf) = 0;
};
