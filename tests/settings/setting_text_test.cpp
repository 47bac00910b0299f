#include "code_page_table.h"
#include "doubles/named_rows.h"
#include "settings/setting_text.h"

#include <gtest/gtest.h>
#include <string>

namespace ssn::settings {
namespace {

using ssn::testing::PrintTo;
using testing::characterOfCode;

std::u16string charactersOfCodes(std::initializer_list<int> codes) {
    std::u16string text;
    for (const int code : codes)
        text.push_back(characterOfCode(code));
    return text;
}

struct CodecCase {
    const char* name;
    std::u16string plain;
    std::u16string stored;
};

class EncodeSettingTextTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(EncodeSettingTextTest, EncodesToTheStoredCharacters) {
    EXPECT_EQ(EncodeSettingText(GetParam().plain), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeSettingTextTest,
    ::testing::Values(
        // The key of the one setting the program keeps, and a date as it writes it.
        CodecCase{"DurationKey", u"Duration", u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3"},
        CodecCase{"Date", u"12/7/2026", u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039"},
        // From code 171 on a character vanishes (code 170 is the last that fits).
        CodecCase{"Code171Dropped", u"a\u00ABb", charactersOfCodes({182, 183})},
        // Characters the page lacks count as "?" (63 + 85 = 148, the closing double quote).
        CodecCase{"CjkCountsAsQuestionMark", u"\u4E2D", u"\u201D"},
        CodecCase{"C1ControlNotInPage", u"\u0080", u"\u201D"},
        CodecCase{"SurrogatePairIsOneCharacter", u"\U0001F600", u"\u201D"},
        CodecCase{"LoneSurrogateCountsAsQuestionMark", std::u16string(1, char16_t(0xD800)), u"\u201D"}),
    ssn::testing::byName);

class DecodeSettingTextTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(DecodeSettingTextTest, DecodesToThePlainText) {
    EXPECT_EQ(DecodeSettingText(GetParam().stored), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeSettingTextTest,
                         ::testing::Values(
                             // Codes below 85 vanish: "T" is 84, "U" is 85.
                             CodecCase{"BelowShiftDropped", std::u16string(u"\0a", 2), u"UT\u00B6"},
                             // A character outside the page reads as "?", which is below 85 and vanishes.
                             CodecCase{"OutsidePageDropped", u"a", u"\u4E2D\u00B6"}),
                         ssn::testing::byName);

TEST(SettingTextRoundTrip, EveryCodeFrom0To170ComesBackUnchanged) {
    const std::u16string everyCode = testing::everyStorableCharacter();
    const std::u16string stored = EncodeSettingText(everyCode);
    ASSERT_EQ(stored.size(), everyCode.size());
    for (int code = 0; code <= 170; ++code)
        EXPECT_EQ(stored[static_cast<std::size_t>(code)], characterOfCode(code + 85)) << "code " << code;
    EXPECT_EQ(DecodeSettingText(stored), everyCode);
}

} // namespace
} // namespace ssn::settings
