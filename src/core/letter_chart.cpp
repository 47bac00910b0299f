#include "core/letter_chart.h"

#include <algorithm>

namespace ssn::core {

namespace {

// The flag of each letter, indexed by character - 'A'; the last entry (26) is the one that
// every other character is clamped to, so the lookup needs no branch.
constexpr std::array<DigitFlags, 27> kFlagByLetterIndex = [] {
    std::array<DigitFlags, 27> flags{};
    for (std::size_t index = 0; index < kLetterDigitTable.size(); ++index) {
        flags[index] = static_cast<DigitFlags>(1u << (kLetterDigitTable[index] - 1));
    }
    return flags;
}();

constexpr unsigned kNotALetter = 26;

// Characters below 'A' wrap around to large values, so one unsigned comparison covers both ends.
constexpr unsigned letterIndex(char16_t character) {
    const unsigned index = static_cast<unsigned>(character) - u'A';
    return index < kNotALetter ? index : kNotALetter;
}

// Long names are walked in blocks so that the early exit costs one test per block, not
// one per character.
constexpr std::size_t kBlockLength = 4096;

DigitFlags blockFlags(const char16_t* begin, const char16_t* end) {
    // Four independent accumulators keep the loop free of a single dependency chain.
    DigitFlags flags0 = 0;
    DigitFlags flags1 = 0;
    DigitFlags flags2 = 0;
    DigitFlags flags3 = 0;
    const char16_t* at = begin;
    for (; end - at >= 4; at += 4) {
        flags0 |= kFlagByLetterIndex[letterIndex(at[0])];
        flags1 |= kFlagByLetterIndex[letterIndex(at[1])];
        flags2 |= kFlagByLetterIndex[letterIndex(at[2])];
        flags3 |= kFlagByLetterIndex[letterIndex(at[3])];
    }
    for (; at != end; ++at) {
        flags0 |= kFlagByLetterIndex[letterIndex(*at)];
    }
    return static_cast<DigitFlags>(flags0 | flags1 | flags2 | flags3);
}

} // namespace

int LetterDigit(char16_t character) {
    const unsigned index = letterIndex(character);
    return index == kNotALetter ? 0 : kLetterDigitTable[index];
}

DigitFlags AddChartDigits(DigitFlags flags, std::u16string_view text) {
    const char16_t* at = text.data();
    const char16_t* const end = at + text.size();
    while (at != end && flags != kAllDigitFlags) {
        const char16_t* const blockEnd =
            at + std::min<std::size_t>(kBlockLength, static_cast<std::size_t>(end - at));
        flags |= blockFlags(at, blockEnd);
        at = blockEnd;
    }
    return flags;
}

} // namespace ssn::core
