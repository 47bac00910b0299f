#include "platform/qt/ini_text.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace ssn::platform {
namespace {

struct Line {
    qsizetype begin = 0; // first byte
    qsizetype end = 0;   // one past the last byte, before the line break
    qsizetype next = 0;  // first byte of the next line
};

enum class LineKind { Other, Section, Key };

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Line lineAt(const QByteArray& text, qsizetype begin) {
    qsizetype end = begin;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    qsizetype next = end;
    if (next < text.size()) {
        const char first = text[next++];
        if (next < text.size() && first == '\r' && text[next] == '\n')
            ++next;
    }
    return {begin, end, next};
}

// "%XX" and "%UXXXX" stand for one character each and "\" for "/", as in QSettings' keys.
QString unescapedKey(const QByteArray& raw) {
    const QString text = QString::fromUtf8(raw);
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            result += u'/';
            continue;
        }
        const bool wide = c == u'%' && i + 1 < text.size() && text[i + 1] == u'U';
        const qsizetype digits = wide ? 4 : 2;
        const qsizetype first = i + (wide ? 2 : 1);
        bool ok = false;
        const ushort code = c == u'%' && first + digits <= text.size()
                                ? QStringView(text).mid(first, digits).toUShort(&ok, 16)
                                : 0;
        if (ok) {
            result += QChar(code);
            i = first + digits - 1;
        } else {
            result += c;
        }
    }
    return result;
}

QByteArray escapedKey(const QString& key) {
    QByteArray result;
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/') {
            result += '\\';
        } else if ((code < 0x80 && QChar::isLetterOrNumber(code)) || code == u'_' || code == u'-' ||
                   code == u'.') {
            result += static_cast<char>(code);
        } else if (code <= 0xFF) {
            result += '%' + QByteArray::number(code, 16).toUpper().rightJustified(2, '0');
        } else {
            result += "%U" + QByteArray::number(code, 16).toUpper().rightJustified(4, '0');
        }
    }
    return result;
}

// Reads one value: quotes, backslash escapes (named, \x hex, octal) and UTF-8 text; blanks
// around an unquoted value do not count.
QString unescapedValue(QByteArrayView raw) {
    QString result;
    qsizetype i = 0;
    while (i < raw.size() && isBlank(raw[i]))
        ++i;
    bool quoted = false;
    bool everQuoted = false;
    qsizetype keep = 0; // characters of the result that trailing blanks may not cut into
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '"') {
            quoted = !quoted;
            everQuoted = true;
            ++i;
            keep = result.size();
            continue;
        }
        if (c != '\\') {
            qsizetype run = i;
            while (run < raw.size() && raw[run] != '\\' && raw[run] != '"')
                ++run;
            result += QString::fromUtf8(raw.sliced(i, run - i));
            if (quoted)
                keep = result.size();
            i = run;
            continue;
        }
        if (++i >= raw.size())
            break;
        const char escaped = raw[i++];
        static constexpr char kNamed[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                             {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                             {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
        std::optional<char16_t> code;
        for (const auto& named : kNamed) {
            if (escaped == named[0])
                code = static_cast<char16_t>(named[1]);
        }
        const int base = escaped == 'x' ? 16 : (escaped >= '0' && escaped <= '7' ? 8 : 0);
        if (base != 0) {
            const qsizetype digitsFrom = i;
            char16_t value = base == 8 ? static_cast<char16_t>(escaped - '0') : 0;
            while (i < raw.size() && hexValue(raw[i]) >= 0 && hexValue(raw[i]) < base)
                value = static_cast<char16_t>(value * base + hexValue(raw[i++]));
            if (base == 8 || i > digitsFrom)
                code = value;
        }
        if (code)
            result += QChar(*code);
        keep = result.size();
    }
    if (!everQuoted) {
        while (result.size() > keep && (result.endsWith(u' ') || result.endsWith(u'\t')))
            result.chop(1);
    }
    if (result.startsWith(QStringLiteral("@@")))
        result.remove(0, 1);
    return result;
}

QByteArray escapedValue(const QString& value) {
    QByteArray result;
    bool escapeNextHexDigit = false; // so that "\x1" followed by "2" is not read as "\x12"
    bool needsQuotes = false;
    for (const QChar c : value.startsWith(u'@') ? u'@' + value : value) {
        const char16_t code = c.unicode();
        needsQuotes = needsQuotes || code == u';' || code == u',' || code == u'=';
        const bool hexAfterEscape = escapeNextHexDigit && isHexDigit(code);
        escapeNextHexDigit = false;
        static constexpr char kNamed[][2] = {{'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'}, {'\r', 'r'},
                                             {'\t', 't'}, {'\v', 'v'}, {'"', '"'},  {'\\', '\\'}};
        const auto* named = std::find_if(std::begin(kNamed), std::end(kNamed),
                                         [code](const auto& entry) { return entry[0] == code; });
        if (hexAfterEscape || (code <= 0x1F && named == std::end(kNamed))) {
            result += "\\x" + QByteArray::number(code, 16);
            escapeNextHexDigit = true;
        } else if (named != std::end(kNamed)) {
            result += '\\';
            result += (*named)[1];
        } else {
            result += QString(c).toUtf8();
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' '))
        return '"' + result + '"';
    return result;
}

LineKind kindOf(const QByteArray& text, const Line& line, QString& name) {
    qsizetype start = line.begin;
    while (start < line.end && isBlank(text[start]))
        ++start;
    if (start == line.end || text[start] == ';' || text[start] == '#')
        return LineKind::Other;
    const QByteArray body = text.mid(start, line.end - start);
    if (body.startsWith('[')) {
        const qsizetype close = body.lastIndexOf(']');
        name = unescapedKey(body.mid(1, (close < 0 ? body.size() : close) - 1));
        return LineKind::Section;
    }
    const qsizetype equals = body.indexOf('=');
    if (equals < 0)
        return LineKind::Other;
    name = unescapedKey(body.left(equals).trimmed());
    return LineKind::Key;
}

// Where the last `key` of the last `section` is, and where a new key of the section would go.
struct Place {
    std::optional<Line> keyLine;
    std::optional<qsizetype> sectionEnd; // after the section's last key, or its header
};

Place find(const QByteArray& text, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    const qsizetype start = text.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a UTF-8 byte order mark
    for (qsizetype at = start; at < text.size();) {
        const Line line = lineAt(text, at);
        QString name;
        switch (kindOf(text, line, name)) {
        case LineKind::Section:
            // A section may appear more than once; its parts count as one.
            inSection = name == section;
            if (inSection)
                place.sectionEnd = line.next;
            break;
        case LineKind::Key:
            if (inSection) {
                place.sectionEnd = line.next;
                if (name == key)
                    place.keyLine = line;
            }
            break;
        case LineKind::Other:
            break;
        }
        at = line.next;
    }
    return place;
}

} // namespace

QString iniValue(const QByteArray& contents, const QString& section, const QString& key) {
    const Place place = find(contents, section, key);
    if (!place.keyLine)
        return {};
    const QByteArrayView line(contents.constData() + place.keyLine->begin,
                              place.keyLine->end - place.keyLine->begin);
    return unescapedValue(line.sliced(line.indexOf('=') + 1));
}

QByteArray withIniValue(const QByteArray& contents, const QString& section, const QString& key,
                        const QString& value) {
    const QByteArray entry = escapedKey(key) + '=' + escapedValue(value);
    const Place place = find(contents, section, key);
    QByteArray result = contents;
    if (place.keyLine)
        return result.replace(place.keyLine->begin, place.keyLine->end - place.keyLine->begin, entry);
    if (place.sectionEnd) {
        const qsizetype at = *place.sectionEnd;
        const bool lineBreakBefore = at > 0 && contents[at - 1] != '\n' && contents[at - 1] != '\r';
        return result.insert(at, (lineBreakBefore ? "\n" : "") + entry + '\n');
    }
    if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
        result += '\n';
    if (!result.isEmpty())
        result += '\n';
    return result + '[' + escapedKey(section) + "]\n" + entry + '\n';
}

} // namespace ssn::platform
