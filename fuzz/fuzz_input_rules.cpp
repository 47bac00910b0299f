// Any five texts and any two list positions, far outside the lists included, give the result
// of a plain model of the checks: a message exactly when the check fails, the right message and
// focus. The name-key filter is checked on every code once and on every code of the input.

#include "core/input_rules.h"
#include "fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using ssn::core::InputField;
using ssn::fuzz::Require;

struct Expected {
    std::u16string_view message; // empty when the input passes
    InputField focus = InputField::None;
};

bool allDigits(std::u16string_view text) {
    for (const char16_t character : text) {
        if (character < u'0' || character > u'9') {
            return false;
        }
    }
    return !text.empty();
}

// The number of the last two digits, so the model never parses a whole year: any length works.
int lastTwoDigits(std::u16string_view digits) {
    const std::size_t size = digits.size();
    const int ones = digits[size - 1] - u'0';
    const int tens = size >= 2 ? digits[size - 2] - u'0' : 0;
    return tens * 10 + ones;
}

// Gregorian: a year divides by 4 when its last two digits do; a full century is a leap year
// when its hundreds (the digits before "00") divide by 4. A text that is not a number is no leap year.
bool isLeapYear(std::u16string_view year) {
    if (!allDigits(year)) {
        return false;
    }
    const int lastTwo = lastTwoDigits(year);
    if (lastTwo != 0) {
        return lastTwo % 4 == 0;
    }
    if (year.size() <= 2) {
        return true; // the year 0
    }
    return lastTwoDigits(year.substr(0, year.size() - 2)) % 4 == 0;
}

Expected model(const ssn::core::NameAndDateInput& input) {
    if (input.firstName.empty()) {
        return {u"Please Enter Your First Name", InputField::FirstName};
    }
    if (input.lastName.empty()) {
        return {u"Please Enter Your Last Name", InputField::LastName};
    }
    if (input.dayText.empty()) {
        return {u"Please Specify Your Birth Date", InputField::Day};
    }
    if (input.monthText.empty()) {
        return {u"Please Specify Your Birth Month", InputField::Month};
    }
    if (input.yearText.empty()) {
        return {u"Please Specify Your Birth Year", InputField::Year};
    }
    // Day positions count from 0: February ends at position 28 in a leap year, else at 27.
    const int lastFebruaryDay = isLeapYear(input.yearText) ? 28 : 27;
    if (input.monthPosition == 1 && input.dayPosition > lastFebruaryDay) {
        return {u"Please Enter Correct Date Or Month!", InputField::None};
    }
    const int month = input.monthPosition;
    const bool thirtyDays = month == 3 || month == 5 || month == 8 || month == 10;
    if (thirtyDays && input.dayPosition > 29) {
        return {u"Please Enter Correct Date Or Month !", InputField::None};
    }
    return {};
}

void checkFilter(char16_t code) {
    const char16_t filtered = ssn::core::FilterNameKey(code);
    if (code >= u'a' && code <= u'z') {
        Require(filtered == code - 32, "a typed a..z becomes A..Z");
    } else {
        Require(filtered == code, "every other code passes unchanged");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        checkFilter(static_cast<char16_t>(code));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = ssn::fuzz::SplitFields(data, size, 7);
    ssn::core::NameAndDateInput input;
    input.firstName = fields[0];
    input.lastName = fields[1];
    input.dayText = fields[2];
    input.monthText = fields[3];
    input.yearText = fields[4];
    input.dayPosition = ssn::fuzz::ReadInt(fields[5]);
    input.monthPosition = ssn::fuzz::ReadInt(fields[6]);

    const ssn::core::InputCheck check = ssn::core::CheckNameAndDate(input);
    Require(check.ok == check.message.empty(), "a message exactly when the check fails");
    Require(!check.ok || check.focus == InputField::None, "a passed check moves no focus");
    const Expected expected = model(input);
    Require(check.message == expected.message, "the first failing check's message");
    Require(check.focus == expected.focus, "the first failing check's focus");

    for (const std::u16string& field : fields) {
        for (const char16_t code : field) {
            checkFilter(code);
        }
    }
    return 0;
}
