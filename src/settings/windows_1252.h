#pragma once

// The Western single-byte code page, over all 256 codes. The five codes that the code page
// leaves unassigned stand for the control characters of the same number, as the Windows
// conversion functions treat them. Standard C++ only.

#include <optional>

namespace ssn::settings {

// The code of a character in the code page, or nothing when the page lacks it.
std::optional<unsigned char> windows1252Code(char32_t character);

// The character of a code.
char16_t windows1252Character(unsigned char code);

} // namespace ssn::settings
