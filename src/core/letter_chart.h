#pragma once

// The Pythagorean letter chart: the 26 upper-case letters A..Z and their digits 1 to 9.

#include <array>
#include <cstdint>
#include <string_view>

namespace ssn::core {

// The digit of each letter, A first: ((position - 1) mod 9) + 1.
inline constexpr std::array<int, 26> kLetterDigitTable = [] {
    std::array<int, 26> digits{};
    for (int position = 1; position <= 26; ++position) {
        digits[static_cast<std::size_t>(position - 1)] = ((position - 1) % 9) + 1;
    }
    return digits;
}();

// One flag per chart digit: bit d-1 stands for digit d.
using DigitFlags = std::uint16_t;
inline constexpr DigitFlags kAllDigitFlags = 0x1FF;

// The digit of an upper-case letter A..Z, 0 for every other character.
int LetterDigit(char16_t character);

// Adds the flags of the digits of every letter in text to flags. Stops early once all
// nine are set, because no further letter can change the result.
DigitFlags AddChartDigits(DigitFlags flags, std::u16string_view text);

} // namespace ssn::core
