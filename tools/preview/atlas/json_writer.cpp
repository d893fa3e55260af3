#include "atlas/json_writer.h"

#include <cmath>
#include <stdexcept>

#include "base/numbers.h"

namespace aurivel::preview {
namespace {

template <typename T>
std::string JsonNumber(T v) {
    if (!std::isfinite(v)) {
        throw std::invalid_argument("JSON holds no infinite or NaN number");
    }
    return ShortestDecimal(v);
}

}  // namespace

void JsonWriter::BeginObject() { Open('{'); }

void JsonWriter::EndObject() { Close('}'); }

void JsonWriter::BeginArray() { Open('['); }

void JsonWriter::EndArray() { Close(']'); }

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ << bracket;
    firstInContainer_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    firstInContainer_.pop_back();
    out_ << bracket;
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    Text(name);
    out_ << ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    Text(utf8);
}

void JsonWriter::Number(float v) { Literal(JsonNumber(v)); }

void JsonWriter::Number(double v) { Literal(JsonNumber(v)); }

void JsonWriter::Boolean(bool v) { Literal(v ? "true" : "false"); }

void JsonWriter::Literal(std::string_view text) {
    BeforeValue();
    out_ << text;
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!firstInContainer_.empty()) {
        if (!firstInContainer_.back()) {
            out_ << ',';
        }
        firstInContainer_.back() = false;
    }
}

// UTF-8 passes through; quotes, backslashes and control characters are
// escaped, and so are <, > and &, so that the text may also stand inside an
// HTML <script> element.
void JsonWriter::Text(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_ << '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ << '\\' << c;
        } else if (c == '\n') {
            out_ << "\\n";
        } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
            out_ << "\\u00" << kHex[byte >> 4] << kHex[byte & 0xF];
        } else {
            out_ << c;
        }
    }
    out_ << '"';
}

}  // namespace aurivel::preview
