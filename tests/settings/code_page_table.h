#pragma once

// The Western code page as the tests expect it, written out independently of the program's
// own table: codes 0x80..0x9F, with the five codes the page leaves unassigned standing for
// the control characters of the same number; every other code is the character of that number.

#include <string>

namespace ssn::testing {

inline const std::u16string kCodes80To9F = u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021"
                                           u"\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                                           u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                                           u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";

inline char16_t characterOfCode(int code) {
    if (code >= 0x80 && code <= 0x9F)
        return kCodes80To9F[static_cast<std::size_t>(code - 0x80)];
    return static_cast<char16_t>(code);
}

// The characters of codes 0..170: everything the encoding can store and give back.
inline std::u16string everyStorableCharacter() {
    std::u16string text;
    for (int code = 0; code <= 170; ++code)
        text.push_back(characterOfCode(code));
    return text;
}

} // namespace ssn::testing
