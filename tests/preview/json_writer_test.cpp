#include "atlas/json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace aurivel::preview {
namespace {

TEST(JsonWriterTest, SeparatesMembersAndElements) {
    std::ostringstream out;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.Number(0.1f);
    json.Number(0.1);
    json.Boolean(true);
    json.BeginObject();
    json.EndObject();
    json.EndArray();
    json.Key("b");
    json.String("");
    json.EndObject();
    EXPECT_EQ(out.str(), R"({"a":[0.1,0.1,true,{}],"b":""})");
}

TEST(JsonWriterTest, EscapesWhatJsonAndAScriptElementCannotHoldAsIs) {
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"say \"hi\"", R"("say \"hi\"")"},
        {"a\\b", R"("a\\b")"},
        {"two\nlines\ttab", R"("two\nlines\u0009tab")"},
        {"</script><!--&", R"("\u003c/script\u003e\u003c!--\u0026")"},
        {"Raki\xc4\x87 \xc2\xb5m", "\"Raki\xc4\x87 \xc2\xb5m\""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        JsonWriter(out).String(c.text);
        EXPECT_EQ(out.str(), c.written) << c.text;
    }
}

TEST(JsonWriterTest, NumbersAreTheShortestThatReadBack) {
    struct Case {
        double value;
        bool single;
        const char* written;
    };
    const Case cases[] = {
        {0.1, true, "0.1"},  // not 0.10000000149011612, the float's value as a double
        {1.0118503e-06, true, "1.0118503e-06"},
        {0.1 + 0.2, false, "0.30000000000000004"},
        {21.383806, true, "21.383806"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        JsonWriter json(out);
        c.single ? json.Number(static_cast<float>(c.value)) : json.Number(c.value);
        EXPECT_EQ(out.str(), c.written);
    }
    std::ostringstream out;
    EXPECT_THROW(JsonWriter(out).Number(std::nan("")), std::invalid_argument);
}

}  // namespace
}  // namespace aurivel::preview
