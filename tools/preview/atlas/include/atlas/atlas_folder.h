// The folder an atlas is written to. The atlas keeps there a list of the files
// it wrote (atlas-files.txt) and replaces or removes only files on that list,
// so a folder of someone else's files is never changed.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>

namespace aurivel::preview {

inline constexpr const char* kAtlasFileList = "atlas-files.txt";

// Writes the file whole with what write makes, or throws ToolError and
// leaves the file as it was.
void WriteTextFile(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write);

class AtlasFolder {
public:
    // Takes a folder that does not exist yet (and makes it), one that is
    // empty, or one that holds an earlier atlas's list, for an atlas that may
    // write the planned files (paths relative to the folder, with '/').
    // Throws UsageError naming what is in the way: a file of a folder without
    // a list, or a planned file that the list does not name. Lists the earlier
    // and the planned files before anything is written, so that a run that
    // stops half-way leaves none of its files unlisted.
    static AtlasFolder Claim(const std::filesystem::path& folder, const std::set<std::string>& planned);

    const std::filesystem::path& Path() const { return folder_; }

    // Removes the listed files that this atlas did not write, and lists only
    // those it wrote.
    void Finish(const std::set<std::string>& written) const;

private:
    AtlasFolder(std::filesystem::path folder, std::set<std::string> listed)
        : folder_(std::move(folder)), listed_(std::move(listed)) {}

    void WriteList(const std::set<std::string>& files) const;

    std::filesystem::path folder_;
    std::set<std::string> listed_;
};

}  // namespace aurivel::preview
