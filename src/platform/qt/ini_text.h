#pragma once

// The settings file's INI text as QSettings reads and writes it, edited in place: keys
// percent-escaped, values C-escaped as UTF-8, a value quoted when it holds ';', ',' or '=' or
// begins or ends with a space. Bytes in, bytes out; no file is touched here.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ssn::platform::ini {

// Where the key's line lies in an INI text: the bytes of its value, or, when it has none, the
// place for a new line. The text is read line by line, so a damaged line (an unterminated quote
// that QSettings would fold the following lines into) hides nothing after it.
struct KeyLine {
    qsizetype valueStart = -1;
    qsizetype valueEnd = -1;
    qsizetype newLineAt = -1; // after the header of the section's last block, if it has one
};

KeyLine findKey(const QByteArray& text, const QString& section, const QString& key);

// The value as QSettings reads it, as text. A list (a comma outside quotes) and the typed
// values QSettings writes with '@' read as no text.
QString unescapedValue(QByteArrayView bytes);

// The text with the key's value replaced, or its line added; every other byte stays.
QByteArray withValue(const QByteArray& text, const QString& section, const QString& key,
                     const QString& value);

} // namespace ssn::platform::ini
