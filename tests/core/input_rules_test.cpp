#include "core/input_rules.h"

#include <chrono>
#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace ssn::core {
namespace {

constexpr std::u16string_view FebruaryMessage = u"Please Enter Correct Date Or Month!";
constexpr std::u16string_view ThirtyDayMessage = u"Please Enter Correct Date Or Month !";

const std::u16string Months[] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                 u"July",    u"August",   u"September", u"October", u"November", u"December"};

// A complete, valid input that each test changes where it needs to.
NameAndDateInput FilledIn() {
    return {u"JOHN", u"SMITH", u"7", u"July", u"1970", 6, 6};
}

std::u16string Text(int number) {
    const auto ascii = std::to_string(number);
    return std::u16string(ascii.begin(), ascii.end());
}

// Each of the five required fields, in the order the checks take them.
struct RequiredField {
    std::u16string_view NameAndDateInput::*text;
    std::u16string_view message;
    InputField focus;
};
const RequiredField RequiredFields[] = {
    {&NameAndDateInput::firstName, u"Please Enter Your First Name", InputField::FirstName},
    {&NameAndDateInput::lastName, u"Please Enter Your Last Name", InputField::LastName},
    {&NameAndDateInput::dayText, u"Please Specify Your Birth Date", InputField::Day},
    {&NameAndDateInput::monthText, u"Please Specify Your Birth Month", InputField::Month},
    {&NameAndDateInput::yearText, u"Please Specify Your Birth Year", InputField::Year},
};

TEST(CheckNameAndDate, FirstEmptyFieldIsNamedWhateverElseIsMissing) {
    // Every combination of empty fields, each also with an impossible date behind it.
    for (unsigned emptyFields = 1; emptyFields < 32; ++emptyFields) {
        for (const int dayPosition : {0, 30}) {
            auto input = FilledIn();
            input.monthPosition = 1;
            input.dayPosition = dayPosition;
            const RequiredField* firstEmpty = nullptr;
            for (unsigned field = 0; field < 5; ++field) {
                if (emptyFields & (1u << field)) {
                    input.*RequiredFields[field].text = {};
                    firstEmpty = firstEmpty ? firstEmpty : &RequiredFields[field];
                }
            }
            const auto check = CheckNameAndDate(input);
            SCOPED_TRACE(emptyFields);
            EXPECT_FALSE(check.ok);
            EXPECT_EQ(check.message, firstEmpty->message);
            EXPECT_EQ(check.focus, firstEmpty->focus);
        }
    }
}

TEST(CheckNameAndDate, BlanksAreNotEmpty) {
    auto input = FilledIn();
    input.firstName = u"   ";
    input.lastName = u" ";
    const auto check = CheckNameAndDate(input);
    EXPECT_TRUE(check.ok);
    EXPECT_TRUE(check.message.empty());
    EXPECT_EQ(check.focus, InputField::None);
}

// Every date the lists can offer, judged against an independent Gregorian calendar.
TEST(CheckNameAndDate, EveryListDateIsJudgedByTheGregorianCalendar) {
    int refused = 0;
    for (int year = 1900; year <= 2050; ++year) {
        const auto yearText = Text(year);
        for (int month = 0; month < 12; ++month) {
            for (int day = 0; day < 31; ++day) {
                const std::chrono::year_month_day date{std::chrono::year{year},
                                                       std::chrono::month{static_cast<unsigned>(month + 1)},
                                                       std::chrono::day{static_cast<unsigned>(day + 1)}};
                const auto dayText = Text(day + 1);
                const auto check =
                    CheckNameAndDate({u"JOHN", u"SMITH", dayText, Months[month], yearText, day, month});
                if (date.ok()) {
                    ASSERT_TRUE(check.ok) << year << '-' << month + 1 << '-' << day + 1;
                    continue;
                }
                ++refused;
                ASSERT_FALSE(check.ok) << year << '-' << month + 1 << '-' << day + 1;
                ASSERT_EQ(check.message, month == 1 ? FebruaryMessage : ThirtyDayMessage);
                ASSERT_EQ(check.focus, InputField::None);
            }
        }
    }
    // Per year 3 or 2 February days and 4 thirty-first days; 37 of the 151 years are leap years.
    EXPECT_EQ(refused, 151 * 7 - 37);
}

TEST(CheckNameAndDate, FebruaryTwentyNinth) {
    const struct {
        std::u16string_view year;
        bool accepted;
    } cases[] = {
        {u"1900", false},
        {u"2000", true},
        {u"2024", true},
        {u"2023", false},
        {u"2050", false},
        // A year text that is no whole number counts as an ordinary year.
        {u"abcd", false},
        {u" 2000", false},
        {u"2000 ", false},
        {u"-2000", false},
        {u"\uFF12\uFF10\uFF10\uFF10", false},
        {u"2000.0", false},
        // Length is no problem: only the number counts.
        {u"0002000", true},
        {std::u16string_view(u"99999999999999999999999999999999996"), true},
        {u"10000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
         u"00",
         true},
        {u"10000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001"
         u"00",
         false},
        {u"0", true},
    };
    for (const auto& c : cases) {
        const auto check = CheckNameAndDate({u"JOHN", u"SMITH", u"29", u"February", c.year, 28, 1});
        EXPECT_EQ(check.ok, c.accepted) << std::string(c.year.begin(), c.year.end());
        if (!c.accepted) {
            EXPECT_EQ(check.message, FebruaryMessage);
        }
        // The 28th passes whatever the year text says.
        EXPECT_TRUE(CheckNameAndDate({u"JOHN", u"SMITH", u"28", u"February", c.year, 27, 1}).ok);
    }
}

// Positions come from list widgets; one outside the lists must give an answer, not a crash.
TEST(CheckNameAndDate, PositionsOutsideTheListsAreJudgedQuietly) {
    const struct {
        int dayPosition;
        int monthPosition;
        std::u16string_view message;
    } cases[] = {
        {-1, 1, u""},
        {INT_MIN, 1, u""},
        {31, 1, FebruaryMessage},
        {INT_MAX, 1, FebruaryMessage},
        {31, 3, ThirtyDayMessage},
        {INT_MAX, 10, ThirtyDayMessage},
        {-1, -1, u""},
        {30, -1, u""},
        {30, 12, u""},
        {30, INT_MIN, u""},
        {INT_MAX, INT_MAX, u""},
        {0, 0, u""},
    };
    for (const auto& c : cases) {
        auto input = FilledIn();
        input.dayPosition = c.dayPosition;
        input.monthPosition = c.monthPosition;
        const auto check = CheckNameAndDate(input);
        EXPECT_EQ(check.ok, c.message.empty()) << c.dayPosition << ' ' << c.monthPosition;
        EXPECT_EQ(check.message, c.message);
    }
}

TEST(FilterNameKey, UpperCasesOnlyTheLettersAToZ) {
    constexpr std::u16string_view Lower = u"abcdefghijklmnopqrstuvwxyz";
    constexpr std::u16string_view Upper = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const auto typed = static_cast<char16_t>(code);
        const auto lowerAt = Lower.find(typed);
        const char16_t expected = lowerAt == std::u16string_view::npos ? typed : Upper[lowerAt];
        ASSERT_EQ(FilterNameKey(typed), expected) << code;
    }
}

} // namespace
} // namespace ssn::core
