#include "metal_colour/cie_files.h"

#include <lcms2.h>

#include <memory>
#include <type_traits>

namespace aurivel::metal_colour {
namespace {

// Little CMS reports a parse error through the context's log handler; the
// last message is kept for the exception.
struct ErrorLog {
    std::string last;
};

void KeepMessage(cmsContext context, cmsUInt32Number /*code*/, const char* text) {
    static_cast<ErrorLog*>(cmsGetContextUserData(context))->last = text;
}

// One data set of a CGATS/IT8 file: its SPEC_<nm> fields from 380 to 780 nm.
class It8File {
public:
    explicit It8File(const std::string& path) : path_(path) {
        context_.reset(cmsCreateContext(nullptr, &log_));
        if (!context_) {
            throw SpectralError(path + ": cannot create a colour management context");
        }
        cmsSetLogErrorHandlerTHR(context_.get(), KeepMessage);
        handle_.reset(cmsIT8LoadFromFile(context_.get(), path.c_str()));
        if (!handle_) {
            throw SpectralError(path + ": not a readable CGATS/IT8 file" + (log_.last.empty() ? "" : ": " + log_.last));
        }
    }

    Spectrum Set(int set) const {
        if (set >= cmsIT8GetPropertyDbl(handle_.get(), "NUMBER_OF_SETS")) {
            throw SpectralError(path_ + ": has no data set " + std::to_string(set + 1));
        }
        Spectrum values{};
        for (int band = 0; band < kBands; ++band) {
            const std::string field = "SPEC_" + std::to_string(kShortestNanometres + band * kStepNanometres);
            const int column = cmsIT8FindDataFormat(handle_.get(), field.c_str());
            if (column < 0) {
                throw SpectralError(path_ + ": has no field " + field);
            }
            values[static_cast<std::size_t>(band)] = cmsIT8GetDataRowColDbl(handle_.get(), set, column);
        }
        return values;
    }

private:
    struct CloseHandle {
        void operator()(cmsHANDLE h) const { cmsIT8Free(h); }
    };
    struct DeleteContext {
        void operator()(cmsContext c) const { cmsDeleteContext(c); }
    };

    std::string path_;
    ErrorLog log_;
    std::unique_ptr<std::remove_pointer_t<cmsContext>, DeleteContext> context_;
    std::unique_ptr<void, CloseHandle> handle_;
};

}  // namespace

CieTable ReadCieFiles(const std::string& matchingFunctionsFile, const std::string& illuminantFile) {
    const It8File matching(matchingFunctionsFile);
    const Spectrum x = matching.Set(0);
    const Spectrum y = matching.Set(1);
    const Spectrum z = matching.Set(2);
    const Spectrum light = It8File(illuminantFile).Set(0);
    CieTable table{};
    for (std::size_t band = 0; band < table.size(); ++band) {
        table[band] = {x[band], y[band], z[band], light[band]};
    }
    if (!(WhiteLuminance(table) > 0.0)) {
        throw SpectralError(illuminantFile + ": the illuminant gives no light between 380 and 780 nm");
    }
    return table;
}

}  // namespace aurivel::metal_colour
