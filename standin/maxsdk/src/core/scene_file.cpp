// Scene files: a magic, a format version, then one chunk per object with its
// class, its own chunks and its references (slot and object index).
#include "standin/scene_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <set>

#include "chunk_header.h"
#include "files/input_file.h"
#include "files/output_file.h"
#include "le_io.h"
#include "standin/chunk_io.h"
#include "standin/class_directory.h"

namespace standin {

namespace {

constexpr unsigned char kMagic[8] = {'M', 'X', 'S', 'C', 'E', 'N', 'E', 0x1a};
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kPreambleSize = sizeof kMagic + 4;

constexpr USHORT kObjectsChunk = 0x5c00;
constexpr USHORT kObjectChunk = 0x5c01;
constexpr USHORT kClassChunk = 0x5c02;
constexpr USHORT kDataChunk = 0x5c03;
constexpr USHORT kRefsChunk = 0x5c04;

constexpr int32_t kNoObject = -1;

std::string Narrow(const MCHAR* text) {
    std::string out;
    for (const MCHAR* p = text; p && *p; ++p) out.push_back(*p >= 0x20 && *p < 0x7f ? static_cast<char>(*p) : '?');
    return out;
}

std::string Describe(int index, ReferenceTarget* obj) {
    MSTR name;
    obj->GetClassName(name, false);
    return "object " + std::to_string(index) + " (" + Narrow(name.data()) + ")";
}

std::string DescribeClass(uint32_t sclass, uint32_t a, uint32_t b) {
    char text[64];
    std::snprintf(text, sizeof text, "super class 0x%x, class (0x%08x, 0x%08x)", sclass, a, b);
    return text;
}

std::string SceneTooLarge(uint64_t size) {
    return "the scene takes " + std::to_string(size) + " bytes, more than the " +
           aurivel::files::DescribeSize(kLargestScene) + " a scene may have";
}

std::string ObjectTooLarge(uint64_t size) {
    return "its chunk of " + std::to_string(size) + " bytes is larger than the " +
           aurivel::files::DescribeSize(kLargestObjectChunk) + " an object may have";
}

void SetError(std::string* error, const std::string& message) {
    if (error) *error = message;
}

// Saving ---------------------------------------------------------------------

// Every object reachable from the root, the root first, each once.
std::vector<ReferenceTarget*> CollectObjects(ReferenceTarget* root) {
    std::vector<ReferenceTarget*> objects{root};
    std::set<ReferenceTarget*> seen{root};
    for (size_t i = 0; i < objects.size(); ++i) {
        for (int r = 0; r < objects[i]->NumRefs(); ++r) {
            ReferenceTarget* target = objects[i]->GetReference(r);
            if (target && seen.insert(target).second) objects.push_back(target);
        }
    }
    return objects;
}

class SceneWriter {
public:
    SceneWriter(std::vector<unsigned char>& out, size_t limit) : out_(out), writer_(out, limit) {}

    bool Write(ReferenceTarget* root) {
        const std::vector<ReferenceTarget*> objects = CollectObjects(root);
        for (size_t i = 0; i < objects.size(); ++i) index_[objects[i]] = static_cast<int32_t>(i);
        writer_.BeginChunk(kObjectsChunk);
        for (size_t i = 0; i < objects.size() && error_.empty(); ++i) WriteObject(static_cast<int>(i), objects[i]);
        writer_.EndChunk();
        if (error_.empty() && writer_.Failed()) error_ = writer_.Error();
        if (error_.empty() && out_.size() > kLargestScene) error_ = SceneTooLarge(out_.size());
        return error_.empty();
    }

    const std::string& Error() const { return error_; }

private:
    void WriteObject(int index, ReferenceTarget* obj) {
        if (!ClassDirectory::Instance().Find(obj->SuperClassID(), obj->ClassID())) {
            error_ = Describe(index, obj) + ": its class is not registered, so it could not be loaded";
            return;
        }
        const size_t start = out_.size();
        writer_.BeginChunk(kObjectChunk);
        WriteClass(obj);
        WriteData(index, obj);
        WriteReferences(obj);
        writer_.EndChunk();
        if (error_.empty() && !writer_.Failed() && out_.size() - start > kLargestObjectChunk)
            error_ = Describe(index, obj) + ": " + ObjectTooLarge(out_.size() - start);
    }

    void WriteClass(ReferenceTarget* obj) {
        writer_.BeginChunk(kClassChunk);
        const Class_ID cid = obj->ClassID();
        WriteU32(&writer_, static_cast<uint32_t>(obj->SuperClassID()));
        WriteU32(&writer_, static_cast<uint32_t>(cid.PartA()));
        WriteU32(&writer_, static_cast<uint32_t>(cid.PartB()));
        writer_.EndChunk();
    }

    // The object's own Save, fenced in its chunk.
    void WriteData(int index, ReferenceTarget* obj) {
        writer_.BeginChunk(kDataChunk);
        const int depth = writer_.Depth();
        writer_.SetFloor(depth);
        const IOResult result = obj->Save(&writer_);
        writer_.SetFloor(0);
        if (writer_.Depth() != depth)
            error_ = Describe(index, obj) + ": its Save left a chunk open";
        else if (result != IO_OK && !writer_.Failed())
            error_ = Describe(index, obj) + ": its Save reported an error";
        else if (writer_.Failed())
            error_ = Describe(index, obj) + ": " + writer_.Error();
        else
            writer_.EndChunk();
    }

    void WriteReferences(ReferenceTarget* obj) {
        writer_.BeginChunk(kRefsChunk);
        const int count = obj->NumRefs();
        WriteU32(&writer_, static_cast<uint32_t>(count));
        for (int r = 0; r < count; ++r) {
            ReferenceTarget* target = obj->GetReference(r);
            WriteI32(&writer_, r);
            WriteI32(&writer_, target ? index_.at(target) : kNoObject);
        }
        writer_.EndChunk();
    }

    std::vector<unsigned char>& out_;
    ChunkWriter writer_;
    std::map<ReferenceTarget*, int32_t> index_;
    std::string error_;
};

// Loading --------------------------------------------------------------------

struct LoadedObject {
    ReferenceTarget* obj;
    std::vector<std::pair<int32_t, int32_t>> refs;  // slot, object index or kNoObject
};

// The bytes of a scene in order, from memory or from a file a piece at a
// time.
class SceneSource {
public:
    explicit SceneSource(uint64_t size) : size_(size) {}
    virtual ~SceneSource() = default;

    uint64_t Size() const { return size_; }
    uint64_t Offset() const { return offset_; }
    uint64_t Remaining() const { return size_ - offset_; }

    // The next n bytes (no more than remain), valid until the next call; null
    // when they cannot be read, with the reason in Error().
    const unsigned char* Take(size_t n) {
        const unsigned char* bytes = Fetch(n);
        if (bytes) offset_ += n;
        return bytes;
    }
    const std::string& Error() const { return error_; }

protected:
    virtual const unsigned char* Fetch(size_t n) = 0;
    std::string error_;

private:
    uint64_t size_;
    uint64_t offset_ = 0;
};

class MemorySource : public SceneSource {
public:
    MemorySource(const unsigned char* data, size_t size) : SceneSource(size), data_(data) {}

private:
    const unsigned char* Fetch(size_t) override { return data_ + Offset(); }
    const unsigned char* data_;
};

class FileSource : public SceneSource {
public:
    explicit FileSource(aurivel::files::InputFile& file) : SceneSource(file.Size()), file_(file) {}

private:
    const unsigned char* Fetch(size_t n) override {
        buffer_.resize(n);
        try {
            file_.ReadExactly(buffer_.data(), n);
        } catch (const aurivel::files::FileError& e) {
            error_ = e.what();
            return nullptr;
        }
        return buffer_.data();
    }
    aurivel::files::InputFile& file_;
    std::vector<unsigned char> buffer_;
};

// Checks the signature first, then streams the objects one chunk at a time,
// so that a file is refused by what it claims before more of it is read.
// Creates and loads every object before any reference is installed: until
// then the objects are independent of each other, so a failure anywhere
// deletes them one by one and leaves nothing behind.
class SceneReader {
public:
    // Messages start with `name`, when given, and a colon.
    SceneReader(SceneSource& source, const std::string& name)
        : source_(source), prefix_(name.empty() ? name : name + ": "), reader_(nullptr, 0) {}

    ~SceneReader() {
        if (!done_) {
            for (LoadedObject& loaded : objects_) loaded.obj->DeleteThis();
        }
    }

    ReferenceTarget* Read() {
        if (!ReadPreamble() || !ReadObjects() || !CheckGraph() || !CheckKinds()) return nullptr;
        InstallReferences();
        done_ = true;
        return objects_.front().obj;
    }

    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& message) {
        if (error_.empty()) error_ = prefix_ + message;
        return false;
    }

    // The source names the file itself.
    bool FailReading() {
        if (error_.empty()) error_ = source_.Error();
        return false;
    }

    bool ReaderFailed(const std::string& where) {
        return Fail(where + ": " + (reader_.Failed() ? reader_.Error() : std::string("malformed")));
    }

    bool ReadPreamble() {
        if (source_.Size() < kPreambleSize) return Fail("not a scene file");
        const unsigned char* preamble = source_.Take(kPreambleSize);
        if (!preamble) return FailReading();
        if (std::memcmp(preamble, kMagic, sizeof kMagic) != 0) return Fail("not a scene file");
        const uint32_t version = GetU32(preamble + sizeof kMagic);
        if (version != kFormatVersion)
            return Fail("scene format version " + std::to_string(version) + " is not supported");
        if (source_.Size() > kLargestScene) return Fail(SceneTooLarge(source_.Size()));
        return true;
    }

    // The header of a chunk of chunks with the given id, within `room` bytes.
    bool ReadHeader(USHORT id, uint64_t room, const std::string& where, ChunkHeader& header) {
        const uint64_t offset = source_.Offset();
        if (room < kChunkHeaderSize)
            return Fail(where + ": truncated chunk header at offset " + std::to_string(offset));
        const unsigned char* bytes = source_.Take(kChunkHeaderSize);
        if (!bytes) return FailReading();
        header = DecodeChunkHeader(bytes);
        const std::string problem = ChunkLengthProblem(header, offset, room);
        if (!problem.empty()) return Fail(where + ": " + problem);
        // An empty chunk is written without the mark of a chunk of chunks.
        const bool empty = header.length == kChunkHeaderSize;
        if (header.id != id || !(header.holdsChunks || empty)) return Fail(where + ": unexpected chunk");
        return true;
    }

    bool OpenExpected(USHORT id, const std::string& where) {
        if (reader_.OpenChunk() != IO_OK) return ReaderFailed(where);
        if (reader_.CurChunkID() != id) return Fail(where + ": unexpected chunk");
        return true;
    }

    bool ReadObjects() {
        ChunkHeader objects{};
        if (!ReadHeader(kObjectsChunk, source_.Remaining(), "scene", objects)) return false;
        const uint64_t end = source_.Offset() - kChunkHeaderSize + objects.length;
        while (source_.Offset() < end) {
            const std::string where = "object " + std::to_string(objects_.size());
            if (!ReadObject(where, end - source_.Offset())) return Fail(where + ": malformed");
        }
        if (source_.Remaining() != 0) return Fail("scene: data after the objects");
        if (objects_.empty()) return Fail("scene: no objects");
        return true;
    }

    // One object's chunk, held in memory while the object loads from it.
    bool ReadObject(const std::string& where, uint64_t room) {
        ChunkHeader header{};
        if (!ReadHeader(kObjectChunk, room, where, header)) return false;
        if (header.length > kLargestObjectChunk) return Fail(where + ": " + ObjectTooLarge(header.length));
        const uint64_t offset = source_.Offset();
        const size_t size = header.length - kChunkHeaderSize;
        const unsigned char* body = source_.Take(size);
        if (!body) return FailReading();
        reader_.Restart(body, size, static_cast<size_t>(offset));
        return CreateObject(where) && LoadObjectData(where) && ReadReferences(where) &&
               (reader_.OpenChunk() == IO_END || Fail(where + ": unexpected chunk"));
    }

    bool CreateObject(const std::string& where) {
        uint32_t sclass = 0, a = 0, b = 0;
        if (!OpenExpected(kClassChunk, where) || ReadU32(&reader_, sclass) != IO_OK || ReadU32(&reader_, a) != IO_OK ||
            ReadU32(&reader_, b) != IO_OK || reader_.CloseChunk() != IO_OK)
            return ReaderFailed(where + " class");
        ClassDesc* cd = ClassDirectory::Instance().Find(sclass, Class_ID(a, b));
        if (!cd) return Fail(where + ": no class has " + DescribeClass(sclass, a, b));
        // A descriptor's Create answers a pointer to its object's Animatable.
        auto* created = static_cast<Animatable*>(cd->Create(TRUE));
        auto* obj = dynamic_cast<ReferenceTarget*>(created);
        if (!obj) {
            if (created) created->DeleteThis();
            return Fail(where + ": " + DescribeClass(sclass, a, b) + " made no reference target");
        }
        objects_.push_back(LoadedObject{obj, {}});
        return true;
    }

    bool LoadObjectData(const std::string& where) {
        if (!OpenExpected(kDataChunk, where)) return false;
        ReferenceTarget* obj = objects_.back().obj;
        const int depth = reader_.Depth();
        reader_.SetFloor(depth);
        const IOResult result = obj->Load(&reader_);
        reader_.SetFloor(0);
        if (reader_.Failed()) return ReaderFailed(where + " data");
        if (result != IO_OK) return Fail(where + ": its Load reported an error");
        while (reader_.Depth() > depth) reader_.CloseChunk();
        return reader_.CloseChunk() == IO_OK;
    }

    bool ReadReferences(const std::string& where) {
        uint32_t count = 0;
        if (!OpenExpected(kRefsChunk, where) || ReadU32(&reader_, count) != IO_OK)
            return ReaderFailed(where + " references");
        if (reader_.Remaining() / 8 != count || reader_.Remaining() % 8 != 0)
            return Fail(where + ": the reference count does not match its chunk");
        LoadedObject& loaded = objects_.back();
        for (uint32_t i = 0; i < count; ++i) {
            int32_t slot = 0, target = 0;
            if (ReadI32(&reader_, slot) != IO_OK || ReadI32(&reader_, target) != IO_OK)
                return ReaderFailed(where + " references");
            if (slot < 0 || slot >= loaded.obj->NumRefs() || target < kNoObject)
                return Fail(where + ": reference " + std::to_string(slot) + " is out of range");
            for (const auto& ref : loaded.refs) {
                if (ref.first == slot) return Fail(where + ": reference " + std::to_string(slot) + " is given twice");
            }
            loaded.refs.emplace_back(slot, target);
        }
        return reader_.CloseChunk() == IO_OK;
    }

    // Every object must be reached from the root (or nothing would own it)
    // and no reference may lead back to its maker (the host refuses loops).
    bool CheckGraph() {
        const int32_t n = static_cast<int32_t>(objects_.size());
        for (size_t i = 0; i < objects_.size(); ++i) {
            for (const auto& ref : objects_[i].refs) {
                if (ref.second >= n)
                    return Fail("object " + std::to_string(i) + ": reference " + std::to_string(ref.first) +
                                " names object " + std::to_string(ref.second) + " of " + std::to_string(n));
            }
        }
        enum : char { kUnseen, kOnPath, kDone };
        std::vector<char> state(objects_.size(), kUnseen);
        // Depth-first from the root, without recursion: (object, next ref).
        std::vector<std::pair<size_t, size_t>> path{{0, 0}};
        state[0] = kOnPath;
        while (!path.empty()) {
            auto& [object, next] = path.back();
            const auto& refs = objects_[object].refs;
            if (next == refs.size()) {
                state[object] = kDone;
                path.pop_back();
                continue;
            }
            const int32_t target = refs[next++].second;
            if (target == kNoObject) continue;
            const auto t = static_cast<size_t>(target);
            if (state[t] == kOnPath) return Fail("object " + std::to_string(object) + ": its references form a loop");
            if (state[t] == kUnseen) {
                state[t] = kOnPath;
                path.emplace_back(t, 0);
            }
        }
        for (size_t i = 0; i < state.size(); ++i) {
            if (state[i] != kDone) return Fail("object " + std::to_string(i) + " is not reached from the root");
        }
        return true;
    }

    // An object relies on the kind of what its slots hold: where its
    // constructor put an object, the file must give one of the same super
    // class; the slots a material or map leaves empty are its sub-material
    // and sub-map slots, which take only materials and maps.
    bool CheckKinds() {
        for (size_t i = 0; i < objects_.size(); ++i) {
            ReferenceTarget* maker = objects_[i].obj;
            for (const auto& ref : objects_[i].refs) {
                ReferenceTarget* made = maker->GetReference(ref.first);
                ReferenceTarget* given =
                    ref.second == kNoObject ? nullptr : objects_[static_cast<size_t>(ref.second)].obj;
                const bool fits = made ? given && given->SuperClassID() == made->SuperClassID()
                                       : !given || !IsMaterialOrMap(maker) || IsMaterialOrMap(given);
                if (!fits)
                    return Fail("object " + std::to_string(i) + ": reference " + std::to_string(ref.first) +
                                " does not hold the kind of object that belongs there");
            }
        }
        return true;
    }

    static bool IsMaterialOrMap(ReferenceTarget* obj) {
        const SClass_ID sclass = obj->SuperClassID();
        return sclass == MATERIAL_CLASS_ID || sclass == TEXMAP_CLASS_ID;
    }

    // Replaces whatever the constructors put in the slots (those objects are
    // deleted as their last reference goes). The checks above leave nothing
    // here that ReplaceReference could refuse.
    void InstallReferences() {
        for (LoadedObject& loaded : objects_) {
            for (const auto& ref : loaded.refs) {
                ReferenceTarget* target =
                    ref.second == kNoObject ? nullptr : objects_[static_cast<size_t>(ref.second)].obj;
                loaded.obj->ReplaceReference(ref.first, target, TRUE);
            }
        }
    }

    SceneSource& source_;
    std::string prefix_;
    ChunkReader reader_;
    std::vector<LoadedObject> objects_;
    std::string error_;
    bool done_ = false;
};

ReferenceTarget* LoadSceneFrom(SceneSource& source, const std::string& name, IOResult* result, std::string* error) {
    SceneReader reader(source, name);
    ReferenceTarget* root = reader.Read();
    if (result) *result = root ? IO_OK : IO_ERROR;
    if (!root) SetError(error, reader.Error());
    return root;
}

}  // namespace

IOResult SaveSceneToBytes(ReferenceTarget* root, std::vector<unsigned char>& out, size_t failAfterBytes,
                          std::string* error) {
    out.clear();
    if (!root) {
        SetError(error, "no root object to save");
        return IO_ERROR;
    }
    unsigned char preamble[kPreambleSize];
    std::memcpy(preamble, kMagic, sizeof kMagic);
    PutU32(preamble + sizeof kMagic, kFormatVersion);
    out.assign(preamble, preamble + std::min(kPreambleSize, failAfterBytes));
    if (failAfterBytes < kPreambleSize) {
        SetError(error, "write failed after " + std::to_string(out.size()) + " bytes");
        return IO_ERROR;
    }
    SceneWriter writer(out, failAfterBytes);
    if (!writer.Write(root)) {
        SetError(error, writer.Error());
        return IO_ERROR;
    }
    return IO_OK;
}

IOResult SaveScene(const std::string& path, ReferenceTarget* root, std::string* error) {
    std::vector<unsigned char> bytes;
    if (SaveSceneToBytes(root, bytes, SIZE_MAX, error) != IO_OK) return IO_ERROR;
    try {
        aurivel::files::WriteWholeFile(path, bytes.data(), bytes.size());
    } catch (const aurivel::files::FileError& e) {
        SetError(error, e.what());
        return IO_ERROR;
    }
    return IO_OK;
}

ReferenceTarget* LoadSceneFromBytes(const unsigned char* data, size_t size, IOResult* result, std::string* error) {
    MemorySource source(data, size);
    return LoadSceneFrom(source, "", result, error);
}

ReferenceTarget* LoadScene(const std::string& path, IOResult* result, std::string* error) {
    std::optional<aurivel::files::InputFile> file;
    try {
        file.emplace(path);
    } catch (const aurivel::files::FileError& e) {
        if (result) *result = IO_ERROR;
        SetError(error, e.what());
        return nullptr;
    }
    FileSource source(*file);
    return LoadSceneFrom(source, path, result, error);
}

}  // namespace standin
