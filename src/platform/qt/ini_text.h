#pragma once

// The settings file's INI text as QSettings reads and writes it, edited in place: keys
// percent-escaped, values C-escaped as UTF-8, a value quoted when it holds ';', ',' or '=' or
// begins or ends with a space. Bytes in, bytes out; no file is touched here.

#include <QByteArray>
#include <QString>

namespace ssn::platform::ini {

// The key's value in the section as QSettings reads it, as text; empty when the key is absent.
// Lists and typed values, which the program never writes, read as their text.
// The text is read line by line, so a damaged line (an unterminated quote that QSettings would
// fold the following lines into) hides nothing after it.
QString valueOf(const QByteArray& text, const QString& section, const QString& key);

// The text with the key's value replaced, or its line added; every other byte stays.
QByteArray withValue(const QByteArray& text, const QString& section, const QString& key,
                     const QString& value);

} // namespace ssn::platform::ini
