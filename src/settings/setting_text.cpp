#include "settings/setting_text.h"

#include "settings/windows_1252.h"

namespace ssn::settings {
namespace {

constexpr int kShift = 85;
constexpr unsigned char kQuestionMark = 63;
constexpr int kLowestCode = 0;
constexpr int kHighestCode = 255;

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Moves the code of every character by `shift`, dropping those that would leave the code
// page. A character the page lacks counts as "?"; a surrogate pair is one such character.
std::u16string shiftCodes(std::u16string_view text, int shift) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t character = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            character = 0x10000; // any character beyond the page will do
            ++i;
        }
        const int code = windows1252Code(character).value_or(kQuestionMark);
        const int shifted = code + shift;
        if (shifted >= kLowestCode && shifted <= kHighestCode)
            result.push_back(windows1252Character(static_cast<unsigned char>(shifted)));
    }
    return result;
}

} // namespace

std::u16string EncodeSettingText(std::u16string_view text) {
    return shiftCodes(text, kShift);
}

std::u16string DecodeSettingText(std::u16string_view text) {
    return shiftCodes(text, -kShift);
}

} // namespace ssn::settings
