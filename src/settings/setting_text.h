#pragma once

// The character-shifting encoding of setting keys and values: each Windows-1252 code is
// moved up by 85 on the way in and down by 85 on the way out; a code that would leave
// 0..255 is dropped. Standard C++ only, so it can be fuzzed alone.

#include <string>
#include <string_view>

namespace ssn::settings {

std::u16string EncodeSettingText(std::u16string_view text);
std::u16string DecodeSettingText(std::u16string_view text);

} // namespace ssn::settings
