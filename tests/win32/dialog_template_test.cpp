#include "dialog_template.h"

#include "rollout_page/rollout_page_table.h"
#include "shading/shading_types.h"
#include "test_support.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

using namespace win32shim;

namespace {

class RolloutPageTemplate : public ProductResources {
protected:
    void SetUp() override {
        ProductResources::SetUp();
        HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDD_PANEL), RT_DIALOG);
        ASSERT_NE(found, nullptr);
        const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(Module(), found)));
        const auto parsed = ParseDialogTemplate(bytes, SizeofResource(Module(), found));
        ASSERT_TRUE(parsed);
        page_ = *parsed;
    }

    DialogTemplate page_;
};

// A plain DLGTEMPLATE with one push button, as CreateDialogIndirect takes it.
std::vector<WORD> PlainTemplate() {
    std::vector<WORD> words = {
        LOWORD(WS_POPUP | DS_SETFONT),
        HIWORD(WS_POPUP | DS_SETFONT),
        0,
        0,  // style, extended style
        1,
        10,
        20,
        100,
        50,  // one control; x, y, cx, cy
        0,
        0,
        'T',
        0,  // no menu or class; title "T"
        8,
        'F',
        0,  // 8 point "F"
    };
    while (words.size() % 2 != 0) words.push_back(0);
    const std::vector<WORD> item = {
        LOWORD(WS_CHILD | BS_PUSHBUTTON),
        HIWORD(WS_CHILD | BS_PUSHBUTTON),
        0,
        0,  // style, extended style
        5,
        6,
        40,
        12,
        IDOK,  // x, y, cx, cy, id
        0xFFFF,
        0x0080,
        'O',
        'K',
        0,  // Button, "OK"
        4,
        0xABCD,  // 4 bytes of creation data
    };
    words.insert(words.end(), item.begin(), item.end());
    return words;
}

}  // namespace

TEST_F(RolloutPageTemplate, IsAChildPageWithTheDocumentedFont) {
    EXPECT_TRUE(page_.extended);
    EXPECT_EQ(page_.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | DS_SETFONT));
    EXPECT_EQ(page_.exStyle, 0u);
    EXPECT_EQ(page_.helpId, 0u);
    EXPECT_EQ((std::vector<short>{page_.x, page_.y, page_.cx, page_.cy}), (std::vector<short>{0, 0, 217, 179}));
    EXPECT_FALSE(page_.menu.ordinal);
    EXPECT_TRUE(page_.menu.text.empty());
    EXPECT_TRUE(page_.windowClass.text.empty());
    EXPECT_TRUE(page_.title.empty());
    EXPECT_EQ(page_.typeface, L"MS Sans Serif");
    EXPECT_EQ(page_.pointSize, 8);
    EXPECT_EQ(page_.weight, 0);
    EXPECT_FALSE(page_.italic);
    EXPECT_EQ(page_.charset, 0);
}

TEST_F(RolloutPageTemplate, HoldsTheTabledControlsInOrder) {
    const size_t count = std::size(rollout_page::kControls);
    ASSERT_EQ(page_.controls.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const auto& expected = rollout_page::kControls[i];
        const auto& control = page_.controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        EXPECT_EQ(control.id, expected.id);
        if (expected.classAtom != 0) {
            EXPECT_EQ(control.windowClass.ordinal, expected.classAtom);
        } else {
            EXPECT_EQ(control.windowClass.text, expected.className);
        }
        if (expected.bitmap != 0) {
            EXPECT_EQ(control.title.ordinal, expected.bitmap);
        }
        if (expected.caption != nullptr) {
            EXPECT_EQ(control.title.text, expected.caption);
        }
        EXPECT_EQ(control.x, expected.x);
        EXPECT_EQ(control.y, expected.y);
        EXPECT_EQ(control.cx, expected.cx);
        EXPECT_EQ(control.cy, expected.cy);
        EXPECT_EQ(control.style, expected.style);
        EXPECT_EQ(control.exStyle, 0u);
        EXPECT_EQ(control.helpId, 0u);
        EXPECT_TRUE(control.creationData.empty());
    }
}

TEST_F(RolloutPageTemplate, CreditsAreTwoLines) {
    const std::wstring& credits = page_.controls[rollout_page::kCreditsIndex].title.text;
    EXPECT_EQ(std::count(credits.begin(), credits.end(), L'\n'), 1);
    EXPECT_NE(credits.front(), L'\n');
    EXPECT_NE(credits.back(), L'\n');
}

// The column heads name the wavelengths that the tools sample n and k at;
// the resource script keeps its own text for them.
TEST_F(RolloutPageTemplate, ColumnHeadsNameTheChannelWavelengths) {
    for (size_t channel = 0; channel < aurivel::kChannelWavelengths.size(); ++channel) {
        wchar_t head[32];
        std::swprintf(head, std::size(head), L"%lc (%.3f \u00B5m)", static_cast<wint_t>(L"RGB"[channel]),
                      aurivel::kChannelWavelengths[channel]);
        const auto named = [&](const auto& control) { return control.title.text == head; };
        EXPECT_EQ(std::count_if(page_.controls.begin(), page_.controls.end(), named), 1) << "no label " << head;
    }
}

TEST(DialogTemplate, ReadsThePlainForm) {
    const auto words = PlainTemplate();
    const auto parsed = ParseDialogTemplate(reinterpret_cast<const uint8_t*>(words.data()), words.size() * 2);
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->extended);
    EXPECT_EQ(parsed->style, static_cast<DWORD>(WS_POPUP | DS_SETFONT));
    EXPECT_EQ(parsed->title, L"T");
    EXPECT_EQ(parsed->pointSize, 8);
    EXPECT_EQ(parsed->typeface, L"F");
    ASSERT_EQ(parsed->controls.size(), 1u);
    const auto& button = parsed->controls[0];
    EXPECT_EQ(button.id, IDOK);
    EXPECT_EQ(button.windowClass.ordinal, 0x0080);
    EXPECT_EQ(button.title.text, L"OK");
    EXPECT_EQ(button.creationData.size(), 2u) << "the size word counts itself";
}

TEST(DialogTemplate, RejectsACutTemplate) {
    const auto words = PlainTemplate();
    for (size_t bytes : {size_t{0}, size_t{10}, size_t{30}, words.size() * 2 - 6, words.size() * 2 - 1}) {
        EXPECT_FALSE(ParseDialogTemplate(reinterpret_cast<const uint8_t*>(words.data()), bytes)) << bytes;
    }
}
