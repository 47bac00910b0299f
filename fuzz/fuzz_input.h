#pragma once

// How every fuzz target reads its input: the bytes are cut into text fields at the byte 0xFF.
// Inside a field, 0xFE followed by two bytes (low byte first) gives any UTF-16 code unit,
// unpaired surrogates included; every other byte gives the code unit of the same number. So
// a seed of plain ASCII or Latin-1 text stays readable, yet the fuzzer can reach every code.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ssn::fuzz {

inline constexpr std::uint8_t kFieldSeparator = 0xFF;
inline constexpr std::uint8_t kCodeUnitEscape = 0xFE;

// The first `count` fields; missing ones are empty. The last field runs to the end of the
// input, where a further 0xFF is simply the character U+00FF.
inline std::vector<std::u16string> SplitFields(const std::uint8_t* data, std::size_t size,
                                               std::size_t count) {
    std::vector<std::u16string> fields(count);
    std::size_t field = 0;
    for (std::size_t i = 0; i < size && count > 0; ++i) {
        const std::uint8_t byte = data[i];
        if (byte == kFieldSeparator && field + 1 < count) {
            ++field;
        } else if (byte == kCodeUnitEscape && i + 2 < size) {
            fields[field].push_back(static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            fields[field].push_back(static_cast<char16_t>(byte));
        }
    }
    return fields;
}

// A decimal integer at the start of a field ("-" allowed), saturated to the range of int so
// that the extremes are reachable; a field without digits reads as 0.
inline int ReadInt(const std::u16string& field) {
    std::size_t i = 0;
    const bool negative = !field.empty() && field[0] == u'-';
    if (negative) {
        ++i;
    }
    long long value = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
        value = value * 10 + (field[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// The fuzz targets stop the process on a broken property, so libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what);

inline void Require(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

} // namespace ssn::fuzz
