#include "nk_csv.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "errors.h"
#include "hostfiles/data_file_limits.h"
#include "hostfiles/line_reader.h"
#include "numbers.h"

namespace aurivel::preview {
namespace {

struct Section {
    std::vector<NkSample>* samples = nullptr;
    std::string column;  // "n" or "k"
    int headerLine = 0;

    std::string Header() const { return "wl," + column; }
};

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

class NkCsvReader {
public:
    explicit NkCsvReader(hostfiles::LineReader& lines) : lines_(lines) {}

    NkTable Read() {
        while (std::optional<std::string_view> line = lines_.Next()) {
            std::string_view text = *line;
            if (lines_.LineNumber() == 1 && text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
                text.remove_prefix(kUtf8ByteOrderMark.size());
            }
            ReadLine(Trim(text));
        }
        if (n_.headerLine == 0 && k_.headerLine == 0) {
            Fail(0, "empty file: no 'wl,n' or 'wl,k' section");
        }
        CheckSection(n_);
        CheckSection(k_);
        return std::move(table_);
    }

private:
    static std::string_view Trim(std::string_view text) {
        const auto first = text.find_first_not_of(" \t\r\n");
        if (first == std::string_view::npos) {
            return {};
        }
        const auto last = text.find_last_not_of(" \t\r\n");
        return text.substr(first, last - first + 1);
    }

    [[noreturn]] void Fail(int line, const std::string& why) const {
        const std::string where = line > 0 ? lines_.Name() + ":" + std::to_string(line) : lines_.Name();
        throw ToolError(where + ": " + why);
    }

    void ReadLine(std::string_view line) {
        if (line.empty()) {
            return;
        }
        const auto comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
            Fail(lines_.LineNumber(), "expected two columns 'wavelength,value', got '" + std::string(line) + "'");
        }
        const std::string_view first = Trim(line.substr(0, comma));
        const std::string_view second = Trim(line.substr(comma + 1));
        if (first == "wl") {
            StartSection(second);
        } else {
            AddRow(first, second);
        }
    }

    void StartSection(std::string_view column) {
        Section* section = column == "n" ? &n_ : column == "k" ? &k_ : nullptr;
        if (section == nullptr) {
            Fail(lines_.LineNumber(), "unknown section 'wl," + std::string(column) + "' (expected 'wl,n' or 'wl,k')");
        }
        if (section->headerLine != 0) {
            Fail(lines_.LineNumber(), "second '" + section->Header() + "' section (the first is on line " +
                                          std::to_string(section->headerLine) + ")");
        }
        section->headerLine = lines_.LineNumber();
        current_ = section;
    }

    double ReadNumber(std::string_view text, const char* what) const {
        const std::optional<double> value = ParseNumber<double>(text);
        if (!value || !std::isfinite(*value)) {
            Fail(lines_.LineNumber(), std::string("unreadable ") + what + " '" + std::string(text) + "'");
        }
        return *value;
    }

    void AddRow(std::string_view wavelengthText, std::string_view valueText) {
        if (current_ == nullptr) {
            Fail(lines_.LineNumber(), "data before the first 'wl,n' or 'wl,k' header");
        }
        const double wavelength = ReadNumber(wavelengthText, "wavelength");
        const double value = ReadNumber(valueText, current_->column.c_str());
        if (wavelength <= 0.0) {
            Fail(lines_.LineNumber(), "wavelength " + std::string(wavelengthText) + " is not positive");
        }
        if (value < 0.0) {
            Fail(lines_.LineNumber(), "negative " + current_->column + " " + std::string(valueText));
        }
        // The map holds the constants in single precision, where a larger value
        // would become infinite.
        if (value > std::numeric_limits<float>::max()) {
            Fail(lines_.LineNumber(),
                 current_->column + " " + std::string(valueText) + " is too large for a single-precision value");
        }
        std::vector<NkSample>& samples = *current_->samples;
        if (!samples.empty() && wavelength <= samples.back().wavelength) {
            Fail(lines_.LineNumber(), std::string(wavelength == samples.back().wavelength ? "duplicate" : "unsorted") +
                                          " wavelength " + std::string(wavelengthText) +
                                          " (wavelengths must increase within a section)");
        }
        samples.push_back({wavelength, value});
    }

    void CheckSection(const Section& section) const {
        if (section.headerLine == 0) {
            Fail(0, "no '" + section.Header() + "' section");
        }
        const std::vector<NkSample>& samples = *section.samples;
        const auto [lowest, highest] = std::minmax_element(kChannelWavelengths.begin(), kChannelWavelengths.end());
        if (samples.empty() || samples.front().wavelength > *lowest || samples.back().wavelength < *highest) {
            Fail(section.headerLine,
                 "the '" + section.Header() + "' section does not cover the wavelengths 0.475 to 0.650 µm");
        }
    }

    hostfiles::LineReader& lines_;
    NkTable table_;
    Section n_{&table_.n, "n"};
    Section k_{&table_.k, "k"};
    Section* current_ = nullptr;
};

// The file services' refusals are the tool's errors like any other.
template <typename Read>
NkTable TranslatingFileErrors(Read read) {
    try {
        return read();
    } catch (const hostfiles::FileError& e) {
        throw ToolError(e.what());
    }
}

}  // namespace

NkTable ReadNkCsv(std::string_view text, const std::string& name) {
    return TranslatingFileErrors([&] {
        hostfiles::CheckSize(text.size(), name, hostfiles::kDataFileLimit);
        hostfiles::LineReader lines(text, name, hostfiles::kLongestDataLine);
        return NkCsvReader(lines).Read();
    });
}

NkTable ReadNkCsvFile(const std::string& path) {
    return TranslatingFileErrors([&] {
        hostfiles::InputFile file(path);
        file.CheckSize(hostfiles::kDataFileLimit);
        hostfiles::LineReader lines(file, hostfiles::kLongestDataLine);
        return NkCsvReader(lines).Read();
    });
}

double InterpolateAt(const std::vector<NkSample>& samples, double wavelength) {
    const auto above = std::lower_bound(samples.begin(), samples.end(), wavelength,
                                        [](const NkSample& s, double w) { return s.wavelength < w; });
    if (above->wavelength == wavelength) {
        return above->value;
    }
    const NkSample& below = *(above - 1);
    const double t = (wavelength - below.wavelength) / (above->wavelength - below.wavelength);
    return below.value + (above->value - below.value) * t;
}

std::array<float, 3> ChannelValues(const std::vector<NkSample>& samples) {
    std::array<float, 3> values{};
    std::transform(kChannelWavelengths.begin(), kChannelWavelengths.end(), values.begin(),
                   [&](double w) { return static_cast<float>(InterpolateAt(samples, w)); });
    return values;
}

}  // namespace aurivel::preview
