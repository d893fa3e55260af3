#include "nkdata/yaml_document.h"

#include <yaml-cpp/eventhandler.h>

#include <cstddef>
#include <istream>
#include <streambuf>

#include "nkdata/data_file_limits.h"

namespace aurivel::nkdata {
namespace {

// Reads the text where it is: the parser takes a stream, and a copy of a
// large file would count against its bounds.
class TextBuffer : public std::streambuf {
public:
    explicit TextBuffer(std::string_view text) {
        // The get area is only read from.
        char* start = const_cast<char*>(text.data());
        setg(start, start, start + text.size());
    }
};

// Counts the values of a document as the parser meets them, and refuses the
// one past the limit.
class ValueCounter : public YAML::EventHandler {
public:
    explicit ValueCounter(const std::string& source) : source_(source) {}

    void OnDocumentStart(const YAML::Mark&) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark& mark, YAML::anchor_t) override { Count(mark); }
    void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override { Count(mark); }
    void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t, const std::string&) override {
        Count(mark);
    }
    void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {
        Count(mark);
    }
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t, YAML::EmitterStyle::value) override {
        Count(mark);
    }
    void OnMapEnd() override {}

private:
    void Count(const YAML::Mark& mark) {
        if (++values_ > kMostYamlValues) {
            Fail(source_, mark.line + 1,
                 "more than the " + std::to_string(kMostYamlValues) + " values a YAML data file may have");
        }
    }

    const std::string& source_;
    std::size_t values_ = 0;
};

}  // namespace

YAML::Node ParseYaml(std::string_view text, const std::string& source) {
    return ReadingYaml(source, [&] {
        TextBuffer counted(text);
        std::istream countedStream(&counted);
        ValueCounter counter(source);
        YAML::Parser(countedStream).HandleNextDocument(counter);
        TextBuffer loaded(text);
        std::istream loadedStream(&loaded);
        return YAML::Load(loadedStream);
    });
}

int LineOf(const YAML::Node& node) { return node.Mark().line + 1; }

}  // namespace aurivel::nkdata
