// JSON written as it goes, for the atlas's data. Written here rather than
// with a JSON library: every number must be the shortest decimal that reads
// back as the same float or double (the map's values are floats, the colour
// science doubles), and Debian's JSON libraries print doubles by Grisu2
// (nlohmann-json, RapidJSON: exact, but not always shortest) or with 17
// digits (jsoncpp), and keep all numbers of a document in one floating type.
#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace aurivel::preview {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the open object.
    void Key(std::string_view name);

    void String(std::string_view utf8);
    // Throws std::invalid_argument for a number JSON cannot hold (inf, NaN).
    void Number(float v);
    void Number(double v);
    void Boolean(bool v);

private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void Literal(std::string_view text);
    void Text(std::string_view utf8);

    std::ostream& out_;
    std::vector<bool> firstInContainer_;
    bool afterKey_ = false;
};

}  // namespace aurivel::preview
