#include "atlas/atlas_folder.h"

#include <optional>
#include <sstream>
#include <string_view>

#include "base/errors.h"
#include "files/input_file.h"
#include "files/line_reader.h"
#include "files/output_file.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

constexpr const char* kListHeading =
    "# The files that aurivel-preview --atlas wrote in this folder: it replaces or removes only these.\n";

// A name that the list may hold: relative, and inside the folder.
bool InsideTheFolder(const fs::path& relative) {
    if (relative.empty() || relative.is_absolute()) {
        return false;
    }
    for (const fs::path& part : relative) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

// The list is written by the atlas alone, a few hundred short lines.
constexpr files::SizeLimit kListLimit{1u << 20, "an atlas's list of files"};

std::set<std::string> ReadList(const fs::path& list) {
    std::set<std::string> listed;
    try {
        files::InputFile file(list.string());
        file.CheckSize(kListLimit);
        files::LineReader lines(file, kListLimit.bytes);
        while (const std::optional<std::string_view> line = lines.Next()) {
            if (line->empty() || line->front() == '#') {
                continue;
            }
            if (!InsideTheFolder(*line)) {
                throw ToolError(list.string() + " names '" + std::string(*line) +
                                "', which is not a file of its folder");
            }
            listed.emplace(*line);
        }
    } catch (const files::FileError& e) {
        throw ToolError(e.what());
    }
    return listed;
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

void MakeFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        throw ToolError("cannot make the folder " + folder.string() + ": " + error.message());
    }
}

// What a folder without a list holds, for the refusal: the first entry found.
void RefuseUnlistedFolder(const fs::path& folder) {
    std::error_code error;
    const fs::directory_iterator first(folder, error);
    if (error) {
        throw ToolError("cannot read the folder " + folder.string() + ": " + error.message());
    }
    if (first != fs::directory_iterator()) {
        throw UsageError("--atlas writes into a new or empty folder, or one that holds an earlier atlas (with its " +
                         std::string(kAtlasFileList) + "); " + folder.string() + " holds " +
                         first->path().filename().string() + ", which is in the way");
    }
}

}  // namespace

void WriteTextFile(const fs::path& path, const std::function<void(std::ostream&)>& write) {
    std::ostringstream text;
    write(text);
    const std::string bytes = text.str();
    try {
        files::WriteWholeFile(path.string(), bytes.data(), bytes.size());
    } catch (const files::FileError& e) {
        throw ToolError(e.what());
    }
}

AtlasFolder AtlasFolder::Claim(const fs::path& folder, const std::set<std::string>& planned) {
    std::set<std::string> listed;
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (fs::exists(status) && !fs::is_directory(status)) {
        throw UsageError("--atlas " + folder.string() + " is not a folder");
    }
    if (fs::exists(status)) {
        const fs::path list = folder / kAtlasFileList;
        if (!Exists(list)) {
            RefuseUnlistedFolder(folder);
        } else {
            listed = ReadList(list);
        }
        for (const std::string& file : planned) {
            if (listed.count(file) == 0 && Exists(folder / file)) {
                throw UsageError("--atlas would replace " + (folder / file).string() + ", which " + kAtlasFileList +
                                 " does not list as the atlas's own; it is in the way");
            }
        }
    }
    MakeFolder(folder / "pictures");
    listed.insert(planned.begin(), planned.end());
    AtlasFolder claimed(folder, std::move(listed));
    claimed.WriteList(claimed.listed_);
    return claimed;
}

void AtlasFolder::Finish(const std::set<std::string>& written) const {
    for (const std::string& file : listed_) {
        if (written.count(file) == 0 && Exists(folder_ / file)) {
            std::error_code error;
            if (!fs::remove(folder_ / file, error)) {
                throw ToolError("cannot remove the earlier atlas's " + (folder_ / file).string() + ": " +
                                error.message());
            }
        }
    }
    WriteList(written);
}

void AtlasFolder::WriteList(const std::set<std::string>& files) const {
    WriteTextFile(folder_ / kAtlasFileList, [&](std::ostream& out) {
        out << kListHeading;
        for (const std::string& file : files) {
            out << file << '\n';
        }
    });
}

}  // namespace aurivel::preview
