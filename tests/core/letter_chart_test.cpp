#include "core/blank_trim.h"
#include "core/letter_chart.h"

#include <gtest/gtest.h>
#include <string>

namespace ssn::core {
namespace {

// The chart as it is written down for users, row by row.
struct ChartRow {
    int digit;
    std::u16string_view letters;
};
constexpr ChartRow Chart[] = {
    {1, u"AJS"}, {2, u"BKT"}, {3, u"CLU"}, {4, u"DMV"}, {5, u"ENW"},
    {6, u"FOX"}, {7, u"GPY"}, {8, u"HQZ"}, {9, u"IR"},
};

TEST(LetterChart, EveryLetterHasTheDigitOfItsRow) {
    int lettersSeen = 0;
    for (const auto& row : Chart) {
        for (const char16_t letter : row.letters) {
            SCOPED_TRACE(static_cast<char>(letter));
            EXPECT_EQ(LetterDigit(letter), row.digit);
            EXPECT_EQ(kLetterDigitTable[static_cast<std::size_t>(letter - u'A')], row.digit);
            EXPECT_EQ(AddChartDigits(0, std::u16string(1, letter)), 1u << (row.digit - 1));
            ++lettersSeen;
        }
    }
    EXPECT_EQ(lettersSeen, 26);
}

TEST(LetterChart, NoOtherCharacterHasADigit) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        if (code >= u'A' && code <= u'Z') {
            continue;
        }
        const auto character = static_cast<char16_t>(code);
        ASSERT_EQ(LetterDigit(character), 0) << code;
        ASSERT_EQ(AddChartDigits(0, std::u16string_view(&character, 1)), 0) << code;
    }
}

TEST(LetterChart, FlagsAlreadySetStaySet) {
    EXPECT_EQ(AddChartDigits(0b100000000, u"A"), 0b100000001);
    EXPECT_EQ(AddChartDigits(kAllDigitFlags, u"abc"), kAllDigitFlags);
    EXPECT_EQ(AddChartDigits(0b10, u""), 0b10);
}

TEST(TrimBlanks, RemovesOnlyBlanksAtBothEnds) {
    const struct {
        std::u16string_view text;
        std::u16string_view trimmed;
    } cases[] = {
        {u"", u""},
        {u"   ", u""},
        {u"JOHN", u"JOHN"},
        {u"  JOHN  ", u"JOHN"},
        {u"ANNE MARIE ", u"ANNE MARIE"},
        {u"\tJOHN\t", u"\tJOHN\t"},
        {u" \t JOHN \n ", u"\t JOHN \n"},
        {u"\u00A0JOHN\u3000", u"\u00A0JOHN\u3000"},
        {u"\r\n", u"\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimBlanks(c.text), c.trimmed);
    }
}

} // namespace
} // namespace ssn::core
