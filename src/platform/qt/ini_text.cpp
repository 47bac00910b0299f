#include "platform/qt/ini_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cctype>
#include <cstring>

namespace ssn::platform::ini {

namespace {

QByteArray escapedKey(const QString& key) {
    QByteArray escaped;
    for (const QChar character : key) {
        const char16_t code = character.unicode();
        if (code == u'/')
            escaped += '\\';
        else if (code < 0x80 && (std::isalnum(code) != 0 || code == u'_' || code == u'-' || code == u'.'))
            escaped += char(code);
        else
            escaped += QString::asprintf(code <= 0xFF ? "%%%02X" : "%%U%04X", unsigned(code)).toLatin1();
    }
    return escaped;
}

bool isHexDigit(char16_t code) {
    return code < 0x80 && std::isxdigit(code) != 0;
}

// A key or section name as QSettings reads it: UTF-8, with "%XX" and "%UXXXX" escapes in either
// case, and '\\' for '/'. Any spelling of the program's key that QSettings reads is found.
QString unescapedKey(QByteArrayView key) {
    const QString decoded = QString::fromUtf8(key);
    QString name;
    for (qsizetype i = 0; i < decoded.size();) {
        const qsizetype first = i + (i + 1 < decoded.size() && decoded[i + 1] == u'U' ? 2 : 1);
        const qsizetype digits = first - i == 2 ? 4 : 2;
        bool escaped = false;
        const char16_t code = decoded[i] == u'%' && first + digits <= decoded.size()
                                  ? QStringView(decoded).sliced(first, digits).toUShort(&escaped, 16)
                                  : 0;
        name += escaped ? QChar(code) : decoded[i] == u'\\' ? QChar(u'/') : decoded[i];
        i = escaped ? first + digits : i + 1;
    }
    return name;
}

// The group a section header opens, as QSettings names it: "General" in any case is the top.
QString groupOf(QByteArrayView section) {
    if (section.compare("general", Qt::CaseInsensitive) == 0)
        return {};
    if (section.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(section.sliced(1)) + u'/';
    return unescapedKey(section) + u'/';
}

// The C escapes by letter and what each means.
constexpr char kLetters[] = "abfnrtv\"\\?'";
constexpr char kMeant[] = "\a\b\f\n\r\t\v\"\\?'";

QByteArray escapedValue(const QString& value) {
    // QSettings marks text with NUL characters, and text that begins like one of its typed values.
    const QString text = value.contains(QChar::Null) ? QStringLiteral("@String(") + value + u')'
                         : value.startsWith(u'@')    ? QStringLiteral("@") + value
                                                     : value;
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    QByteArray escaped;
    bool quoted = false;
    bool escapeADigit = false; // after a numeric escape, which a hex digit would continue
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        // The first nine are the ones QSettings writes; '?' and '\'' it only reads.
        const auto* named = code < 0x80 ? static_cast<const char*>(std::memchr(kMeant, code, 9)) : nullptr;
        quoted = quoted || code == u';' || code == u',' || code == u'=';
        if (named != nullptr)
            escaped += QByteArray("\\") + kLetters[named - kMeant];
        else if (code <= 0x1F || (escapeADigit && isHexDigit(code)))
            escaped += code == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(code, 16);
        else
            escaped += QByteArray(toUtf8(QStringView(&character, 1)));
        escapeADigit = named == nullptr && (code <= 0x1F || (escapeADigit && isHexDigit(code)));
    }
    return quoted || escaped.startsWith(' ') || escaped.endsWith(' ') ? '"' + escaped + '"' : escaped;
}

// The value as QSettings reads a text: its escapes, quotes and trimmed blanks undone. Other
// kinds of value that QSettings writes (lists, typed values beginning with '@') are no
// setting of this program's: they read as their text, which is no date.
QString unescapedValue(QByteArrayView bytes) {
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    QString text;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype chopLimit = 0; // trailing blanks after this are cut unless the value was quoted
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t'))
            ++i;
        chopLimit = text.size();
    };
    const auto numeric = [&](int base) {
        char16_t code = 0;
        for (; i < bytes.size() && (base == 16 ? isHexDigit(bytes[i]) : bytes[i] >= '0' && bytes[i] <= '7');
             ++i)
            code = char16_t(code * base + QByteArray(1, bytes[i]).toUShort(nullptr, 16));
        text += QChar(code);
    };
    skipBlanks();
    while (i < bytes.size()) {
        const char byte = bytes[i];
        if (byte == '\\') {
            // A final backslash escapes nothing, as a NUL does; QSettings cuts no blanks before it.
            const char escape = ++i < bytes.size() ? bytes[i++] : '\0';
            const char* letter = escape != 0 ? std::strchr(kLetters, escape) : nullptr;
            if (letter != nullptr)
                text += QLatin1Char(kMeant[letter - kLetters]);
            else if (escape == 'x' && i < bytes.size() && isHexDigit(bytes[i]))
                numeric(16);
            else if (escape >= '0' && escape <= '7')
                --i, numeric(8);
            chopLimit = text.size();
        } else if (byte == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else {
            // In pieces as QSettings decodes them, one decoder for all: a sequence cut short at
            // a piece's end spoils the next piece's first character there too.
            qsizetype end = i + 1;
            while (end < bytes.size() && bytes[end] != '\\' && bytes[end] != '"' && bytes[end] != ',')
                ++end;
            text += fromUtf8(bytes.sliced(i, end - i));
            i = end;
        }
    }
    while (!quoted && text.size() > chopLimit && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    // What QSettings marks: a text beginning with '@', and one holding NUL characters.
    if (text.startsWith(QLatin1String("@@")))
        return text.sliced(1);
    if (text.startsWith(QLatin1String("@String(")) && text.endsWith(u')'))
        return text.sliced(8).chopped(1);
    return text;
}

// Where the key's line lies in an INI text: the bytes of its value, or, when it has none, the
// place for a new line. The text is read line by line, so a damaged line (an unterminated quote
// that QSettings would fold the following lines into) hides nothing after it.
struct KeyLine {
    QByteArrayView value{};   // null when the key is absent
    qsizetype newLineAt = -1; // after the header of the section's last block, if it has one
    bool atTheTop = false;    // found as "section\\key" outside any section
};

// Sections and keys are compared as QSettings reads them: a key's whole name is its group and
// its own name, the last line of the name counts, and one in the section's own group comes
// before one spelled with the section's name outside any section, which QSettings reads first.
KeyLine findKey(const QByteArray& text, const QString& section, const QString& key) {
    const QString wantedGroup = section + u'/';
    const QString wantedKey = wantedGroup + key;
    KeyLine found;
    QString group;
    qsizetype next = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (next < text.size()) {
        qsizetype start = next;
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        next = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
        while (start < end && (text[start] == ' ' || text[start] == '\t'))
            ++start;
        const QByteArrayView line(text.constData() + start, end - start);
        // As QSettings splits a line, a section's header too: the first '=' outside quotes, a ';'
        // outside quotes ending it, a backslash keeping the next character from counting.
        qsizetype equals = -1;
        qsizetype valueEnd = line.size();
        bool inQuotes = false;
        for (qsizetype i = 0; i < valueEnd; ++i) {
            if (line[i] == '\\')
                ++i;
            else if (line[i] == '"')
                inQuotes = !inQuotes;
            else if (line[i] == '=' && !inQuotes && equals < 0)
                equals = i;
            else if (line[i] == ';' && !inQuotes)
                valueEnd = i;
        }
        if (line.startsWith('[')) {
            const qsizetype close = line.first(valueEnd).indexOf(']');
            group = groupOf(line.sliced(1, (close < 0 ? valueEnd : close) - 1).trimmed());
            if (group == wantedGroup)
                found.newLineAt = std::min(next, text.size());
        } else if (equals > 0 && (!group.isEmpty() || found.value.isNull() || found.atTheTop) &&
                   group + unescapedKey(line.first(equals).trimmed()) == wantedKey) {
            found.value = line.sliced(equals + 1, valueEnd - equals - 1);
            found.atTheTop = group.isEmpty();
        }
    }
    return found;
}

} // namespace

QString valueOf(const QByteArray& text, const QString& section, const QString& key) {
    return unescapedValue(findKey(text, section, key).value);
}

QByteArray withValue(const QByteArray& text, const QString& section, const QString& key,
                     const QString& value) {
    const KeyLine found = findKey(text, section, key);
    if (!found.value.isNull())
        return QByteArray(text).replace(found.value.data() - text.constData(), found.value.size(),
                                        escapedValue(value));
    const QByteArray line = escapedKey(key) + '=' + escapedValue(value) + '\n';
    if (found.newLineAt >= 0) {
        const bool ended = text[found.newLineAt - 1] == '\n';
        return QByteArray(text).insert(found.newLineAt, ended ? line : '\n' + line);
    }
    const char* gap = text.isEmpty() ? "" : text.endsWith('\n') ? "\n" : "\n\n";
    return text + gap + '[' + escapedKey(section) + "]\n" + line;
}

} // namespace ssn::platform::ini
