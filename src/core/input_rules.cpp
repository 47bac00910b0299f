#include "core/input_rules.h"

#include "core/core_texts.h"

#include <optional>

namespace ssn::core {

namespace {

constexpr int kFebruaryPosition = 1;
constexpr int kDay29Position = 28;
constexpr int kDay30Position = 29;
constexpr int kDay31Position = 30;

constexpr bool isThirtyDayMonth(int monthPosition) {
    // April, June, September, November.
    return monthPosition == 3 || monthPosition == 5 || monthPosition == 8 || monthPosition == 10;
}

// The year as a whole number of ASCII digits, kept only modulo 400 because that is all the
// leap-year rule needs: a text of any length cannot overflow. Anything else is not a year.
std::optional<int> yearModulo400(std::u16string_view yearText) {
    if (yearText.empty()) {
        return std::nullopt;
    }
    int remainder = 0;
    for (const char16_t character : yearText) {
        if (character < u'0' || character > u'9') {
            return std::nullopt;
        }
        remainder = (remainder * 10 + (character - u'0')) % 400;
    }
    return remainder;
}

// Gregorian: every fourth year, but not the full centuries that 400 does not divide.
// A year text that is not a number counts as an ordinary year.
bool isLeapYear(std::u16string_view yearText) {
    const auto year = yearModulo400(yearText);
    return year && *year % 4 == 0 && (*year % 100 != 0 || *year == 0);
}

constexpr InputCheck failure(std::u16string_view message, InputField focus) {
    return {false, message, focus};
}

} // namespace

InputCheck CheckNameAndDate(const NameAndDateInput& input) {
    if (input.firstName.empty()) {
        return failure(texts::kEnterFirstName, InputField::FirstName);
    }
    if (input.lastName.empty()) {
        return failure(texts::kEnterLastName, InputField::LastName);
    }
    if (input.dayText.empty()) {
        return failure(texts::kSpecifyBirthDate, InputField::Day);
    }
    if (input.monthText.empty()) {
        return failure(texts::kSpecifyBirthMonth, InputField::Month);
    }
    if (input.yearText.empty()) {
        return failure(texts::kSpecifyBirthYear, InputField::Year);
    }
    // The date checks only compare positions, so a position outside the lists cannot do harm;
    // in February and the thirty-day months a day past the list's end counts as too late.
    if (input.monthPosition == kFebruaryPosition) {
        const int firstBadDay = isLeapYear(input.yearText) ? kDay30Position : kDay29Position;
        if (input.dayPosition >= firstBadDay) {
            return failure(texts::kFebruaryDayTooLate, InputField::None);
        }
    }
    if (isThirtyDayMonth(input.monthPosition) && input.dayPosition >= kDay31Position) {
        return failure(texts::kThirtyDayMonthDay31, InputField::None);
    }
    return {};
}

char16_t FilterNameKey(char16_t code) {
    if (code >= u'a' && code <= u'z') {
        return static_cast<char16_t>(code - 32);
    }
    return code;
}

} // namespace ssn::core
