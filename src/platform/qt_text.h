#pragma once

// The numerology core and the setting-text encoding work on std::u16string_view, the same UTF-16 that QString
// holds.

#include "core/blank_trim.h"

#include <QString>
#include <QStringView>
#include <cstddef>
#include <string_view>

namespace ssn::platform {

// The view is valid as long as the QString is alive and unchanged.
inline std::u16string_view toU16View(const QString& text) {
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

inline QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The core's blank trimming (code 32 at both ends, nothing else) for the program's texts.
inline QString trimBlanks(const QString& text) {
    return toQString(core::TrimBlanks(toU16View(text)));
}

} // namespace ssn::platform
