#pragma once

#include <string_view>

namespace ssn::core {

// Removes the blank (code 32) from both ends; tabs and other white space stay.
constexpr std::u16string_view TrimBlanks(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

} // namespace ssn::core
