#include "core/self_number.h"

#include <gtest/gtest.h>
#include <string>

namespace ssn::core {
namespace {

struct NameCase {
    const char* why;
    std::u16string first;
    std::u16string middle;
    std::u16string last;
    int expected;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << c.why;
}

class SelfNumberCount : public testing::TestWithParam<NameCase> {};

TEST_P(SelfNumberCount, CountsDistinctChartDigitsOfTheWholeName) {
    const auto& c = GetParam();
    EXPECT_EQ(GetSubconsciousSelfNumber(c.first, c.middle, c.last), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SelfNumberCount,
    testing::Values(NameCase{"JOHN SMITH has 1 2 4 5 6 8 9", u"JOHN", u"", u"SMITH", 7},
                    NameCase{"ABC twice has 1 2 3", u"ABC", u"", u"ABC", 3},
                    NameCase{"AI twice has 1 9", u"AI", u"", u"AI", 2},
                    NameCase{"one letter of each row", u"AB", u"CDEFG", u"HI", 9},
                    NameCase{"last letters of each row", u"STU", u"VWX", u"YZR", 9},
                    NameCase{"lower case counts nothing", u"john", u"", u"smith", 0},
                    NameCase{"letters outside A..Z count nothing", u"\u00C9\u00C4\u00DF", u"\u00E9",
                             u"\u0100", 0},
                    NameCase{"accented letters beside plain ones", u"J\u00D6HN", u"", u"", 3},
                    NameCase{"nothing but blanks", u"   ", u"   ", u"   ", 0},
                    NameCase{"all empty", u"", u"", u"", 0},
                    NameCase{"digits and punctuation count nothing", u"0123456789", u"'-.,", u"!?", 0}));

INSTANTIATE_TEST_SUITE_P(
    SameLettersSameNumber, SelfNumberCount,
    testing::Values(NameCase{"joined", u"ANNEMARIE", u"", u"", 4},
                    NameCase{"hyphen inside", u"ANNE-MARIE", u"", u"", 4},
                    NameCase{"blank inside", u"ANNE MARIE", u"", u"", 4},
                    NameCase{"apostrophe and digit inside", u"ANNE'MARIE2", u"", u"", 4},
                    NameCase{"first and last swapped", u"SMITH", u"", u"JOHN", 7},
                    NameCase{"all in the first field", u"JOHN SMITH", u"", u"", 7},
                    NameCase{"all in the middle field", u"", u"JOHNSMITH", u"", 7},
                    NameCase{"words split across fields", u"JO", u"HNSM", u"ITH", 7},
                    NameCase{"blank middle name", u"JOHN", u"     ", u"SMITH", 7},
                    NameCase{"blanks around every field", u"  JOHN ", u" ", u" SMITH  ", 7},
                    NameCase{"tabs stay but count nothing", u"\tJOHN", u"\t", u"SMITH\t", 7},
                    NameCase{"letters repeated many times", u"JJJJOOOOHHHHNNNN", u"", u"SSMMIITTHH", 7}));

// Text that no keyboard gives, built code unit by code unit where a literal cannot hold it.
std::u16string Units(std::initializer_list<char16_t> units) {
    return std::u16string(units);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, SelfNumberCount,
    testing::Values(
        NameCase{"unpaired surrogates", Units({u'J', 0xD800, u'O', u'H'}), Units({0xDC00}), u"N", 4},
        NameCase{"NUL inside a field", Units({u'J', u'O', 0, u'H', u'N'}), u"", u"", 4},
        NameCase{"emoji between letters", u"JO\U0001F600HN", u"\U0001F600", u"", 4},
        NameCase{"combining marks after letters", u"E\u0301A\u0308", u"\u0301", u"", 2},
        NameCase{"characters just outside A..Z", u"@[`{", Units({0xFFFF, 0x0041 + 0x100}), u"", 0},
        NameCase{"line breaks and tabs", u"\r\n\t", u"A\r\nB", u"", 2}));

TEST(SelfNumberCount, EveryCodeUnitInOneNameGivesNine) {
    std::u16string all;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        all.push_back(static_cast<char16_t>(code));
    }
    EXPECT_EQ(GetSubconsciousSelfNumber(all, u"", u""), 9);
}

// The joined name has no length limit: a letter at the very end of 16 Mi characters counts.
TEST(SelfNumberCount, LettersAtTheEndOfAVeryLongNameCount) {
    constexpr std::size_t Length = std::size_t{16} << 20;
    std::u16string eightRows;
    eightRows.reserve(Length + 1);
    while (eightRows.size() < Length) {
        eightRows += u"ABCDEFGH abc-";
    }
    EXPECT_EQ(GetSubconsciousSelfNumber(eightRows, u"", u""), 8);
    EXPECT_EQ(GetSubconsciousSelfNumber(eightRows, u"", u"I"), 9);
    eightRows += u'R';
    EXPECT_EQ(GetSubconsciousSelfNumber(eightRows, u"", u""), 9);

    const std::u16string lowerCase(Length, u'z');
    const std::u16string blanks(Length, u' ');
    EXPECT_EQ(GetSubconsciousSelfNumber(lowerCase + u'Z', blanks, blanks + u"Q" + blanks), 1);
}

} // namespace
} // namespace ssn::core
