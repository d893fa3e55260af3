// n/k data files from anywhere, up to the largest a data file may be: the
// reader either rejects a file with its own error or yields constants that
// the map can take, finite and not negative at the three channel wavelengths.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "errors.h"
#include "hostfiles/data_file_limits.h"
#include "input_limit.h"
#include "nk_csv.h"
#include "require.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    aurivel_fuzz::LimitInputLength(argc, argv, hostfiles::kDataFileLimit.bytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace aurivel::preview;
    NkTable table;
    try {
        table = ReadNkCsv(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.csv");
    } catch (const ToolError&) {
        return 0;
    }
    for (const auto* section : {&table.n, &table.k}) {
        for (float value : ChannelValues(*section)) FUZZ_REQUIRE(std::isfinite(value) && value >= 0.0f);
    }
    return 0;
}
