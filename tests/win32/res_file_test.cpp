#include "res_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace win32shim;

namespace {

// Writes .res files as resource compilers do.
class ResWriter {
public:
    ResWriter() { Add(Ordinal(0), Ordinal(0), 0, {}); }  // the empty entry that starts every .res file

    static std::u16string Ordinal(WORD ordinal) { return {char16_t{0xFFFF}, char16_t(ordinal)}; }
    static std::u16string Name(const std::u16string& name) { return name + char16_t{0}; }

    ResWriter& Add(const std::u16string& type, const std::u16string& name, WORD language,
                   const std::vector<uint8_t>& data) {
        std::vector<uint8_t> header;
        AppendUnits(header, type);
        AppendUnits(header, name);
        while ((8 + header.size()) % 4 != 0) header.push_back(0);
        Append<DWORD>(header, 0);      // DataVersion
        Append<WORD>(header, 0x1030);  // MemoryFlags
        Append<WORD>(header, language);
        Append<DWORD>(header, 0);  // Version
        Append<DWORD>(header, 0);  // Characteristics
        Append<DWORD>(bytes_, static_cast<DWORD>(data.size()));
        Append<DWORD>(bytes_, static_cast<DWORD>(8 + header.size()));
        bytes_.insert(bytes_.end(), header.begin(), header.end());
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        while (bytes_.size() % 4 != 0) bytes_.push_back(0);
        return *this;
    }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    template <typename T>
    static void Append(std::vector<uint8_t>& out, T value) {
        const auto* raw = reinterpret_cast<const uint8_t*>(&value);
        out.insert(out.end(), raw, raw + sizeof value);
    }
    static void AppendUnits(std::vector<uint8_t>& out, const std::u16string& units) {
        for (char16_t unit : units) Append<char16_t>(out, unit);
    }

    std::vector<uint8_t> bytes_;
};

}  // namespace

TEST(ParseResFile, ListsEntriesWithOrdinalsNamesAndLanguages) {
    ResWriter writer;
    writer.Add(ResWriter::Ordinal(2), ResWriter::Ordinal(103), 0x809, {1, 2, 3})
        .Add(ResWriter::Name(u"Afx_Dialog_Layout"), ResWriter::Ordinal(101), 0x409, {0, 0})
        .Add(ResWriter::Ordinal(24), ResWriter::Name(u"x"), 0, {9, 9, 9, 9, 9});
    const auto entries = ParseResFile(writer.Bytes());
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);

    EXPECT_EQ((*entries)[0].type, ResourceId::Ordinal(2));
    EXPECT_EQ((*entries)[0].name, ResourceId::Ordinal(103));
    EXPECT_EQ((*entries)[0].language, 0x809);
    EXPECT_EQ((*entries)[0].size, 3u);
    EXPECT_EQ(writer.Bytes()[(*entries)[0].offset + 2], 3);

    EXPECT_EQ((*entries)[1].type.name, u"AFX_DIALOG_LAYOUT");
    EXPECT_EQ((*entries)[1].size, 2u);

    EXPECT_EQ((*entries)[2].name.name, u"X");
    EXPECT_EQ((*entries)[2].offset % 4, 0u) << "data follows its DWORD-aligned header";
    EXPECT_EQ(writer.Bytes()[(*entries)[2].offset + 4], 9);
}

TEST(ParseResFile, AcceptsAnEmptyFile) {
    const auto entries = ParseResFile({});
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->empty());
}

TEST(ParseResFile, RejectsCutOrInconsistentFiles) {
    ResWriter writer;
    writer.Add(ResWriter::Ordinal(6), ResWriter::Ordinal(1), 0x409, std::vector<uint8_t>(40, 7));
    const auto& whole = writer.Bytes();

    auto cutShort = whole;
    cutShort.resize(whole.size() - 8);
    EXPECT_FALSE(ParseResFile(cutShort)) << "data runs past the end";

    auto cutInHeader = whole;
    cutInHeader.resize(32 + 12);
    EXPECT_FALSE(ParseResFile(cutInHeader)) << "header runs past the end";

    auto tinyHeader = whole;
    tinyHeader[32 + 4] = 8;  // the second entry's header size
    EXPECT_FALSE(ParseResFile(tinyHeader)) << "header smaller than its fixed fields";
}

TEST(ResourceId, ReadsTheFormsThatTheApiTakes) {
    EXPECT_EQ(ResourceId::FromApi(MAKEINTRESOURCEW(101)), ResourceId::Ordinal(101));
    EXPECT_EQ(ResourceId::FromApi(L"#101"), ResourceId::Ordinal(101));
    EXPECT_EQ(ResourceId::FromApi(L"afx_Dialog_layout"), ResourceId::Name(u"AFX_DIALOG_LAYOUT"));
    EXPECT_FALSE(ResourceId::FromApi(L"A").IsOrdinal());
}
