#include "core/self_number.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace ssn::core {
namespace {

// Literal copies of the texts the user reads; the program's own constants are not used here.
constexpr std::u16string_view NotValid = u"This number is not valid for this name.";
constexpr std::u16string_view Explanation =
    u"This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the "
    u"confidence you have in your personal power and competence, as well as the part of your nature that "
    u"needs to be strengthened.";

struct Interpretation {
    int number;
    std::u16string_view text;
};
constexpr Interpretation kInterpretations[] = {
    {3,
     u"You depend on others to take care of both you and your problems.  You exaggerate issues and are very "
     u"emotional in nature. Learn to face problems on your own strength. You need a well-defined goal to "
     u"carry on. Don't let depression get the better of you."},
    {4,
     u"You are a slow to react to issues. You are probably indecisive and prone to hesitation. A steady hand "
     u"does not always control life's challenges. You will need to be flexible and fast to match the pace "
     u"the world is carrying on at. You may get lost in unwanted details."},
    {5,
     u"You adapt to change very well. But you may settle down once you have a stable career and family. You "
     u"tend to avoid facing problems. You energy is scattered in a hundred different ventures. You need to "
     u"exercise some discipline."},
    {6, u"You frequently help others, willing to sacrifice your needs for yours. You take advice from family "
        u"and friends for encouragement when necessary. You are responsible and if you are also grounded and "
        u"secure in love and home, you will be quite capable of reaching the top."},
    {7,
     u"You are well-balanced person. You are quite capable of handling life's challenges. In times of "
     u"trouble you retreat within yourself. People may find you to be indifferent and aloof. Your analytical "
     u"mind will find an answer for all problems."},
    {8,
     u"You love challenging tasks and like to play with them. You tactically manage life's problems. You do "
     u"not make the same mistake twice. You are calm in problematic situations and very responsible. You "
     u"delight yourself on being a survivor. These are the real qualities of a winner. You are a survivor "
     u"and always grounded."},
    {9,
     u"It's difficult for anyone to understand you. You are indifferent and very impersonal. In the face of "
     u"trouble, you are often competent and controlled but may suffer from arrogance and exaggerated "
     u"confidence failing to recognize your weaknesses. You need to control your anger."},
};

TEST(SelfNumberInterpretation, ThreeToNineHaveTheirOwnText) {
    for (const auto& entry : kInterpretations) {
        EXPECT_EQ(GetSelfNumberInterpretation(entry.number), entry.text) << entry.number;
    }
}

TEST(SelfNumberInterpretation, EveryOtherNumberIsNotValid) {
    for (const int number : {0, 1, 2, 10, 11, 100, -1, -3, -7, INT_MIN, INT_MIN + 3, INT_MAX, INT_MAX - 6}) {
        EXPECT_EQ(GetSelfNumberInterpretation(number), NotValid) << number;
    }
}

TEST(SelfNumberReport, ValidNumberReadsLineByLine) {
    const std::u16string expected = u"Your Subconscious Self Number is: 5\r\n\r\n" +
                                    std::u16string(Explanation) + u"\r\n\r\n" +
                                    u"You adapt to change very well. But you may settle down once you have a "
                                    u"stable career and family. You "
                                    u"tend to avoid facing problems. You energy is scattered in a hundred "
                                    u"different ventures. You need to "
                                    u"exercise some discipline.\r\n\r\n\r\n\r\n";
    EXPECT_EQ(BuildSelfNumberReport(5, GetSelfNumberInterpretation(5)), expected);
}

TEST(SelfNumberReport, NumberIsPlainDecimal) {
    const struct {
        int number;
        std::u16string_view written;
    } cases[] = {{0, u"0"},
                 {7, u"7"},
                 {9, u"9"},
                 {10, u"10"},
                 {-1, u"-1"},
                 {INT_MAX, u"2147483647"},
                 {INT_MIN, u"-2147483648"}};
    for (const auto& c : cases) {
        const std::u16string expected = u"Your Subconscious Self Number is: " + std::u16string(c.written) +
                                        u"\r\n\r\n" + std::u16string(Explanation) + u"\r\n\r\n" +
                                        std::u16string(NotValid) + u"\r\n\r\n\r\n\r\n";
        EXPECT_EQ(BuildSelfNumberReport(c.number, NotValid), expected) << c.number;
    }
}

// Whatever the name holds, the report is the four pieces around a number from 0 to 9.
TEST(SelfNumberReport, StrangeNamesGiveAWellFormedReport) {
    const struct {
        std::u16string name;
        int expected;
    } cases[] = {
        {std::u16string{char16_t{0xD800}, u'A', char16_t{0xDFFF}}, 1},
        {std::u16string(3, u'\0'), 0},
        {u"\U0001F600\U0001F468\u200D\U0001F469", 0},
        {u"A\u0301\u0308\u20DDY", 2},
        {std::u16string(std::size_t{16} << 20, u'Q'), 1},
    };
    for (const auto& c : cases) {
        const int number = GetSubconsciousSelfNumber(c.name, c.name, c.name);
        ASSERT_EQ(number, c.expected);
        const auto interpretation = GetSelfNumberInterpretation(number);
        const std::u16string expected = u"Your Subconscious Self Number is: " +
                                        std::u16string(1, static_cast<char16_t>(u'0' + number)) +
                                        u"\r\n\r\n" + std::u16string(Explanation) + u"\r\n\r\n" +
                                        std::u16string(NotValid) + u"\r\n\r\n\r\n\r\n";
        EXPECT_EQ(BuildSelfNumberReport(number, interpretation), expected);
    }
}

} // namespace
} // namespace ssn::core
