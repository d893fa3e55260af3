// Chunked saving and loading. A chunk is a USHORT id and a 32-bit length
// that counts its 6-byte header; the length's top bit marks a chunk that
// holds further chunks rather than data. Everything is little-endian.
#pragma once

#include <windows.h>

#include "baseinterface.h"
#include "maxheap.h"
#include "strbasic.h"
#include "strclass.h"

enum IOResult { IO_OK = 0, IO_END = 1, IO_ERROR = 2, IO_INTERRUPT = 3 };
enum ChunkType { UNKNOWN_CHUNK, CONTAINER_CHUNK, DATA_CHUNK };
enum FileIOType { IOTYPE_MAX, IOTYPE_MATLIB, IOTYPE_RENDER_PRESETS };

class ISave : public InterfaceServer {
public:
    STANDIN_SLOTS_ISave_0
    virtual void BeginChunk(USHORT id) = 0;
    virtual void EndChunk() = 0;
    STANDIN_SLOTS_ISave_2
    virtual IOResult Write(const void* buf, ULONG nbytes, ULONG* nwrit) = 0;
    STANDIN_SLOTS_ISave_3
    // Written as UTF-16 code units with a terminating zero.
    virtual IOResult WriteWString(const wchar_t* str) = 0;
    STANDIN_SLOTS_ISave_4
};

class ILoad : public InterfaceServer {
public:
    STANDIN_SLOTS_ILoad_0
    // Opens the next chunk of the current one: IO_END when there is none.
    virtual IOResult OpenChunk() = 0;
    virtual USHORT CurChunkID() = 0;
    STANDIN_SLOTS_ILoad_2
    // Leaves the current chunk, skipping whatever of it was not read.
    virtual IOResult CloseChunk() = 0;
    STANDIN_SLOTS_ILoad_3
    virtual IOResult Read(void* buf, ULONG nbytes, ULONG* nread) = 0;
    STANDIN_SLOTS_ILoad_4
    // The rest of the current chunk as a string; the buffer belongs to the
    // loader and stays valid until the load ends.
    virtual IOResult ReadWStringChunk(wchar_t** buf) = 0;
    STANDIN_SLOTS_ILoad_5
};
