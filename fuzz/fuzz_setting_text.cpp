// The setting-text encoding on any UTF-16 text, unpaired surrogates included, against a model
// built on its own copy of the Western code page; and decode(encode(t)) == t for every text of
// the characters with codes 0..170, the ones whose shifted code stays inside the page.

#include "fuzz_input.h"
#include "settings/setting_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using ssn::fuzz::Require;

// Codes 0x80..0x9F of the code page; the five it leaves unassigned stand for the control
// character of the same number. Every other code is the character of the same number.
constexpr std::array<char16_t, 32> kCodes80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t characterOf(int code) {
    if (code >= 0x80 && code <= 0x9F) {
        return kCodes80To9F[static_cast<std::size_t>(code - 0x80)];
    }
    return static_cast<char16_t>(code);
}

// The code of every UTF-16 unit, -1 where the page lacks it; built once by walking the page.
const std::array<std::int16_t, 0x10000>& codeTable() {
    static const auto table = [] {
        std::array<std::int16_t, 0x10000> codes;
        codes.fill(-1);
        for (int code = 0; code <= 0xFF; ++code) {
            codes[characterOf(code)] = static_cast<std::int16_t>(code);
        }
        return codes;
    }();
    return table;
}

std::optional<int> codeOf(char16_t character) {
    const int code = codeTable()[character];
    return code < 0 ? std::nullopt : std::optional<int>(code);
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// A character outside the page counts as "?" (code 63); a surrogate pair is one character
// and lies outside the page; a shifted code outside 0..255 drops the character.
std::u16string model(std::u16string_view text, int shift) {
    std::u16string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int code = codeOf(text[i]).value_or(63);
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            code = 63;
            ++i;
        }
        const int shifted = code + shift;
        if (shifted >= 0 && shifted <= 0xFF) {
            result.push_back(characterOf(shifted));
        }
    }
    return result;
}

void checkBothWays(std::u16string_view text) {
    const std::u16string encoded = ssn::settings::EncodeSettingText(text);
    const std::u16string decoded = ssn::settings::DecodeSettingText(text);
    Require(encoded.size() <= text.size() && decoded.size() <= text.size(), "never longer than the text");
    Require(encoded == model(text, 85), "encode moves each code up by 85 and drops what leaves the page");
    Require(decoded == model(text, -85), "decode moves each code down by 85 and drops what leaves the page");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The same bytes read three ways: as escaped text, as raw UTF-16 (where unpaired surrogates
    // are common), and as characters of codes 0..170 for the round trip.
    checkBothWays(ssn::fuzz::SplitFields(data, size, 1)[0]);

    std::u16string raw;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        raw.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    checkBothWays(raw);

    std::u16string storable;
    for (std::size_t i = 0; i < size; ++i) {
        storable.push_back(characterOf(data[i] % 171));
    }
    const std::u16string encoded = ssn::settings::EncodeSettingText(storable);
    Require(encoded.size() == storable.size(), "no character of codes 0..170 is dropped");
    Require(ssn::settings::DecodeSettingText(encoded) == storable, "decode(encode(t)) == t");
    return 0;
}
