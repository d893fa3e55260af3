// n/k data files from anywhere, up to the largest a data file may be, in
// every format the readers know (database YAML files and catalogs, the
// site's CSV export, plain tables): a reader either refuses a file with its
// own error or yields data whose ranges are sound and whose every value is
// finite and not negative, or refused where it is evaluated; constants at
// the channel wavelengths are what the map can take.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "metal_colour/channel_wavelengths.h"
#include "nkdata/data_file_limits.h"
#include "input_limit.h"
#include "nkdata/nk_database.h"
#include "nkdata/nk_error.h"
#include "nkdata/nk_file.h"
#include "require.h"

namespace {

using namespace aurivel::nkdata;

// The value where the data define it, or a refusal of its own.
void CheckValueAt(const OpticalFunction& function, double micrometres) {
    try {
        const double value = function.at(micrometres);
        FUZZ_REQUIRE(std::isfinite(value) && value >= 0.0);
    } catch (const DataError&) {
    }
}

void CheckFunction(const OpticalFunction& function) {
    const WavelengthRange range = function.range;
    FUZZ_REQUIRE(std::isfinite(range.longest) && 0.0 < range.shortest && range.shortest <= range.longest);
    for (double t : {0.0, 0.25, 0.5, 1.0}) {
        CheckValueAt(function, range.shortest + (range.longest - range.shortest) * t);
    }
}

void CheckData(const NkData& data) {
    CheckFunction(data.n);
    CheckFunction(data.k);
    if (!Covers(data, aurivel::metal_colour::kChannelSpan)) {
        return;
    }
    try {
        for (const auto* function : {&data.n, &data.k}) {
            for (float value : aurivel::metal_colour::ChannelValues(*function)) {
                FUZZ_REQUIRE(std::isfinite(value) && value >= 0.0f);
            }
        }
    } catch (const DataError&) {
    }
}

void CheckCatalog(const std::string& text) {
    try {
        for (const CatalogBook& book : ReadCatalog(text, "fuzz.yml")) {
            FUZZ_REQUIRE(!book.shelf.empty() && !book.book.empty());
            for (const CatalogPage& page : book.pages) {
                FUZZ_REQUIRE(!page.dataPath.empty() && page.dataPath.front() != '/');
            }
        }
    } catch (const DataError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    aurivel_fuzz::LimitInputLength(argc, argv, kDataFileLimit.bytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    // The catalog reader takes its file without telling the format first.
    bool maybeCatalog = true;
    try {
        const NkFormat format = DetectFormat(text, "fuzz.txt");
        maybeCatalog = format == NkFormat::kDatabaseYaml;
        CheckData(ReadNkText(text, format, "fuzz.txt"));
    } catch (const DataError&) {
    }
    if (maybeCatalog) {
        CheckCatalog(text);
    }
    return 0;
}
