// Materials and maps: the shared header of MtlBase and the sub-map names.
#include <string>
#include <utility>

#include "imtl.h"
#include "le_io.h"

namespace {

// Sub-chunks of the header.
constexpr USHORT kNameChunk = 0x1000;
constexpr USHORT kGBufferIDChunk = 0x1010;

}  // namespace

MSTR ISubMap::GetSubTexmapSlotName(int /*i*/, bool /*localized*/) { return MSTR(); }

MSTR ISubMap::GetSubTexmapTVName(int i, bool localized) {
    MSTR slot = GetSubTexmapSlotName(i, localized);
    if (!slot.isNull()) return slot;
    const std::wstring name = L"Map #" + std::to_wstring(i + 1);
    return MSTR(name.c_str());
}

// Nothing of the host's own per material or map.
class MtlBase::MtlBaseImplData : public MaxHeapOperators {};

MtlBase::MtlBase() = default;
MtlBase::~MtlBase() = default;

void MtlBase::SetName(MSTR s) { name = std::move(s); }

MtlBase& MtlBase::operator=(const MtlBase& m) {
    name = m.name;
    gbufID = m.gbufID;
    return *this;
}

IOResult MtlBase::Save(ISave* isave) {
    isave->BeginChunk(kNameChunk);
    IOResult result = isave->WriteWString(name.data());
    isave->EndChunk();
    if (result != IO_OK) return result;
    isave->BeginChunk(kGBufferIDChunk);
    result = standin::WriteU32(isave, static_cast<uint32_t>(gbufID));
    isave->EndChunk();
    return result;
}

IOResult MtlBase::Load(ILoad* iload) {
    IOResult result;
    while ((result = iload->OpenChunk()) == IO_OK) {
        switch (iload->CurChunkID()) {
            case kNameChunk: {
                MCHAR* text = nullptr;
                result = iload->ReadWStringChunk(&text);
                if (result == IO_OK) name = text;
                break;
            }
            case kGBufferIDChunk: {
                uint32_t id = 0;
                result = standin::ReadU32(iload, id);
                if (result == IO_OK) gbufID = id;
                break;
            }
            default:
                break;
        }
        if (iload->CloseChunk() != IO_OK || result != IO_OK) return IO_ERROR;
    }
    return result == IO_END ? IO_OK : IO_ERROR;
}

void MtlBase::BaseClone(ReferenceTarget* from, ReferenceTarget* to, RemapDir& remap) {
    ReferenceTarget::BaseClone(from, to, remap);
}

Texmap::Texmap() = default;
void Texmap::RefAdded(RefMakerHandle /*rm*/) {}
