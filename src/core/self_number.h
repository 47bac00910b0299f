#pragma once

// The Subconscious Self Number: how many of the nine digits of the Pythagorean letter
// chart occur among the upper-case letters A..Z of the whole name.

#include <string>
#include <string_view>

namespace ssn::core {

// Trims blanks (code 32 only) from each part, joins first, middle and last name and
// counts the distinct chart digits among its letters: 0 to 9.
int GetSubconsciousSelfNumber(std::u16string_view firstName, std::u16string_view middleName,
                              std::u16string_view lastName);

// The fixed interpretation of a number; every number has one.
std::u16string_view GetSelfNumberInterpretation(int number);

// The report shown in the result window, with CR LF line breaks.
std::u16string BuildSelfNumberReport(int number, std::u16string_view interpretation);

} // namespace ssn::core
