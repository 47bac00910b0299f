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
        CodecCase{"Empty", u"", u""}, CodecCase{"Abc", u"abc", charactersOfCodes({182, 183, 184})},
        // The key of the one setting the program keeps, and a date as it writes it.
        CodecCase{"DurationKey", u"Duration", u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3"},
        CodecCase{"Date", u"12/7/2026", u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039"},
        // Code 170 is the last that fits; from 171 on a character vanishes.
        CodecCase{"HighestKept", u"\u00AA", u"\u00FF"},
        CodecCase{"AccentedLetterDropped", u"caf\u00E9", charactersOfCodes({184, 182, 187})},
        CodecCase{"Code171Dropped", u"a\u00ABb", charactersOfCodes({182, 183})},
        CodecCase{"Code255Dropped", u"\u00FF", u""},
        // The euro sign is code 0x80 of the page: 128 + 85 = 213.
        CodecCase{"EuroIsInThePage", u"\u20AC", u"\u00D5"},
        // Characters the page lacks count as "?" (63 + 85 = 148, the closing double quote).
        CodecCase{"CjkCountsAsQuestionMark", u"\u4E2D", u"\u201D"},
        CodecCase{"C1ControlNotInPage", u"\u0080", u"\u201D"},
        CodecCase{"SurrogatePairIsOneCharacter", u"\U0001F600", u"\u201D"},
        CodecCase{"LoneSurrogate", std::u16string(1, char16_t(0xD800)), u"\u201D"},
        CodecCase{"UnassignedCodeKept", u"\u0081", u"\u00D6"}),
    ssn::testing::byName);

class DecodeSettingTextTest : public ::testing::TestWithParam<CodecCase> {};

TEST_P(DecodeSettingTextTest, DecodesToThePlainText) {
    EXPECT_EQ(DecodeSettingText(GetParam().stored), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeSettingTextTest,
    ::testing::Values(CodecCase{"Empty", u"", u""},
                      CodecCase{"Abc", u"abc", charactersOfCodes({182, 183, 184})},
                      CodecCase{"Date", u"12/7/2026",
                                u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039"},
                      // Codes below 85 vanish: "T" is 84, "U" is 85.
                      CodecCase{"BelowShiftDropped", std::u16string(u"\0a", 2), u"UT\u00B6"},
                      CodecCase{"LowestKept", std::u16string(1, u'\0'), u"U"},
                      // A character outside the page reads as "?", which is below 85 and vanishes.
                      CodecCase{"OutsidePageDropped", u"a", u"\u4E2D\u00B6"},
                      CodecCase{"StoredQuestionMarkReadsBack", u"?", u"\u201D"}),
    ssn::testing::byName);

TEST(SettingTextRoundTrip, EveryCodeFrom0To170ComesBackUnchanged) {
    const std::u16string everyCode = testing::everyStorableCharacter();
    const std::u16string stored = EncodeSettingText(everyCode);
    ASSERT_EQ(stored.size(), everyCode.size());
    for (int code = 0; code <= 170; ++code)
        EXPECT_EQ(stored[static_cast<std::size_t>(code)], characterOfCode(code + 85)) << "code " << code;
    EXPECT_EQ(DecodeSettingText(stored), everyCode);
}

TEST(SettingTextRoundTrip, CharacterOutsideThePageReadsBackAsQuestionMark) {
    EXPECT_EQ(DecodeSettingText(EncodeSettingText(u"a\u4E2Db")), u"a?b");
}

TEST(SettingTextCodePage, EveryCodeOf80To9FShiftsToItsNeighbourInThePage) {
    // Decoding the character of code c + 85 must give the character of code c: this pins the
    // whole 0x80..0x9F table from both sides.
    for (int code = 0x80 - 85; code <= 0x9F - 85; ++code) {
        const std::u16string stored(1, characterOfCode(code + 85));
        EXPECT_EQ(DecodeSettingText(stored), std::u16string(1, characterOfCode(code))) << "code " << code;
    }
    for (int code = 0x80; code <= 0x9F; ++code) {
        const std::u16string stored(1, characterOfCode(code + 85));
        EXPECT_EQ(DecodeSettingText(stored), std::u16string(1, characterOfCode(code))) << "code " << code;
    }
}

} // namespace
} // namespace ssn::settings
