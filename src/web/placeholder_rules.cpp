#include "web/placeholder_rules.h"

namespace ssn::web {

QString ClearPlaceholder(const QString& text, const QString& placeholder) {
    return TrimBlanks(text) == placeholder ? QString() : text;
}

QString RestorePlaceholder(const QString& text, const QString& placeholder) {
    return TrimBlanks(text).isEmpty() ? placeholder : text;
}

bool IsUntouched(const QString& text, const QString& placeholder) {
    const QString trimmed = TrimBlanks(text);
    return trimmed.isEmpty() || trimmed == placeholder;
}

} // namespace ssn::web
