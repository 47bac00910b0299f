#include "web/placeholder_rules.h"

namespace ssn::web {

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

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
