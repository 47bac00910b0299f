#include "settings/windows_1252.h"

#include <array>

namespace ssn::settings {
namespace {

// Codes 0x80..0x9F; every other code is the character of the same number.
constexpr std::array<char16_t, 32> kHighControlRange = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178'};

constexpr unsigned char kFirstHigh = 0x80;
constexpr unsigned char kLastHigh = 0x9F;

} // namespace

std::optional<unsigned char> windows1252Code(char32_t character) {
    if (character < kFirstHigh || (character > kLastHigh && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == character)
            return static_cast<unsigned char>(kFirstHigh + i);
    }
    return std::nullopt;
}

char16_t windows1252Character(unsigned char code) {
    if (code >= kFirstHigh && code <= kLastHigh)
        return kHighControlRange[code - kFirstHigh];
    return static_cast<char16_t>(code);
}

} // namespace ssn::settings
