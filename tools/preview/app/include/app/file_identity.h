// Which files a run reads and writes, so that no output lands on an input or
// on another output, however the two are spelt.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/options.h"

namespace aurivel::preview {

// Whether the two paths name one file: the same device and inode when both
// exist (hard links, symbolic links, "./a" and "a"), else the same place
// once the folders that exist are resolved.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// A file of the run and the option that names it, for messages.
struct NamedFile {
    std::string option;
    std::string path;
};

// The files that the options read: the module, data files (a database
// page's too), a scene.
std::vector<NamedFile> InputFiles(const Options& options, const std::string& modulePath);

// The files that the options write: the picture of a view that draws one, and
// the scene of --save.
std::vector<NamedFile> OutputFiles(const Options& options);

// Throws UsageError naming both files when an output is an input or another
// output.
void RefuseOutputsOverInputs(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

}  // namespace aurivel::preview
