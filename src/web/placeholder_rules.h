#pragma once

// The rules of the refer-a-friend panel's text boxes, which show their own caption (the
// placeholder) while they hold nothing else. Pure functions on text, so the window only
// wires them to its focus and key events.

#include "core/blank_trim.h"
#include "platform/qt_text.h"
#include "web/web_texts.h"

#include <QString>

namespace ssn::web {

// The core's blank trimming (code 32 at both ends, nothing else) for the panel's texts.
inline QString TrimBlanks(const QString& text) {
    return platform::toQString(core::TrimBlanks(platform::toU16View(text)));
}

// On focus: the empty text when the trimmed text is the placeholder, else the text unchanged.
QString ClearPlaceholder(const QString& text, const QString& placeholder);

// On leaving: the placeholder when the trimmed text is empty, else the text unchanged.
QString RestorePlaceholder(const QString& text, const QString& placeholder);

// Whether the trimmed text is empty or the placeholder, i.e. the user has given nothing.
bool IsUntouched(const QString& text, const QString& placeholder);

} // namespace ssn::web
