// The tool's options, each once: its spellings, the value it takes, what it
// sets, the views that take it and its line in --help. Parsing, the check of
// what each view takes and the help are all made from this table.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

namespace aurivel::preview {

// What a command line shows, as far as the options it takes go: the views,
// and the two uses of the sample sphere's view that make no picture.
enum Shown : unsigned {
    kShowsSphere = 1u << 0,
    kShowsSheet = 1u << 1,
    kShowsPlot = 1u << 2,
    kShowsInfo = 1u << 3,
    kShowsCompare = 1u << 4,
    kShowsAtlas = 1u << 5,
    kShowsPageList = 1u << 6,  // --nk-list without --atlas
    kShowsScript = 1u << 7,    // --maxscript
    kShowsIntroduction = 1u << 8,
};
inline constexpr unsigned kShownByEveryView = ~0u;

// The part of --help that explains an option.
enum class HelpSection { kWhatToShow, kChoosingTheMap, kMeasured, kOutput };

struct OptionRow {
    const char* name;       // "--output"
    const char* shortName;  // "-o", or null
    const char* argument;   // what help shows after the names ("FILE"), or null
    bool takesValue;        // the next argument, or the text after "=", is its value
    bool repeatable;        // each use adds to a list
    View selects;           // the view it chooses; kSphere: none
    unsigned takenBy;       // Shown bits of the views that take it
    HelpSection section;
    void (*apply)(Options& options, const std::string& value);  // null: only selects a view
    const char* help;  // one paragraph; {R}, {G}, {B}, {visible}, {angles}, {presets}, {metals} and {parameters} are filled in
};

const std::vector<OptionRow>& OptionTable();

}  // namespace aurivel::preview
