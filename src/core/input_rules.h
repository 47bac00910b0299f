#pragma once

// The checks on the main window's input before the calculation runs, and the filter
// that the three name fields apply to every typed character.

#include <string_view>

namespace ssn::core {

// The control that receives the focus after a failed check; None leaves it where it is.
enum class InputField { None, FirstName, LastName, Day, Month, Year };

struct NameAndDateInput {
    std::u16string_view firstName; // untrimmed, as the field holds it
    std::u16string_view lastName;
    std::u16string_view dayText; // the texts of the three lists
    std::u16string_view monthText;
    std::u16string_view yearText;
    int dayPosition = 0;   // 0-based: 0 is day 1
    int monthPosition = 0; // 0-based: 0 is January
};

struct InputCheck {
    bool ok = true;
    std::u16string_view message; // empty when ok
    InputField focus = InputField::None;
};

// The first failing check in order, or ok.
InputCheck CheckNameAndDate(const NameAndDateInput& input);

// A typed a..z becomes A..Z; every other code passes unchanged.
char16_t FilterNameKey(char16_t code);

} // namespace ssn::core
