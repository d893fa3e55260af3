#include "app/file_identity.h"

#include "base/errors.h"
#include "files/file_identity.h"
#include "nkdata/nk_database.h"

namespace aurivel::preview {
namespace {

namespace fs = std::filesystem;

bool DrawsAPicture(const Options& options) {
    return options.view != View::kInfo && options.view != View::kAtlas && !options.maxscript && !options.nkList;
}

// The data file of each database page that --nk names, for a view that
// reads one page; a page the catalog does not know is left to the reader to
// report.
void AddPageFiles(const Options& options, std::vector<NamedFile>& inputs) {
    if (!options.nkDb || options.nk.empty() || options.view == View::kAtlas) {
        return;
    }
    const nkdata::NkDatabase database = nkdata::NkDatabase::Open(*options.nkDb);
    for (const std::string& id : options.nk) {
        const std::optional<nkdata::DatabaseId> parsed = nkdata::ParsePageId(id);
        if (!parsed) {
            continue;
        }
        for (const nkdata::CatalogPage& page : database.Book(parsed->BookId()).pages) {
            if (page.page == parsed->page) {
                inputs.push_back({"--nk", database.DataFile(page)});
            }
        }
    }
}

}  // namespace

bool SameFile(const fs::path& a, const fs::path& b) {
    const std::optional<files::FileIdentity> first = files::IdentityOf(a.string());
    const std::optional<files::FileIdentity> second = files::IdentityOf(b.string());
    if (first && second) {
        return *first == *second;
    }
    std::error_code error;
    const fs::path resolvedA = fs::weakly_canonical(fs::absolute(a), error);
    const fs::path resolvedB = error ? fs::path() : fs::weakly_canonical(fs::absolute(b), error);
    return !error && resolvedA == resolvedB;
}

std::vector<NamedFile> InputFiles(const Options& options, const std::string& modulePath) {
    std::vector<NamedFile> inputs{{"--module", modulePath}};
    if (options.nkCsv) {
        inputs.push_back({"--nk-csv", *options.nkCsv});
    }
    if (!options.nkDb) {
        for (const std::string& file : options.nk) {
            inputs.push_back({"--nk", file});
        }
    }
    AddPageFiles(options, inputs);
    if (options.loadFile) {
        inputs.push_back({"--load", *options.loadFile});
    }
    for (const std::string& file : options.compareFiles) {
        inputs.push_back({"--compare", file});
    }
    return inputs;
}

std::vector<NamedFile> OutputFiles(const Options& options) {
    std::vector<NamedFile> outputs;
    if (DrawsAPicture(options)) {
        outputs.push_back({"-o", options.output});
    }
    if (options.saveFile) {
        outputs.push_back({"--save", *options.saveFile});
    }
    return outputs;
}

void RefuseOutputsOverInputs(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    const auto refuse = [](const NamedFile& output, const NamedFile& other, const char* role) {
        throw UsageError(output.option + " " + output.path + " is the same file as " + other.option + " " + other.path +
                         ", " + role + "; give the output another name");
    };
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (const NamedFile& input : inputs) {
            if (SameFile(outputs[i].path, input.path)) {
                refuse(outputs[i], input, "which the tool reads");
            }
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(outputs[i].path, outputs[j].path)) {
                refuse(outputs[i], outputs[j], "another output");
            }
        }
    }
}

}  // namespace aurivel::preview
