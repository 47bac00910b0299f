#pragma once

// The INI text of the settings file, in the layout QSettings reads and writes (sections in
// brackets, keys and values escaped as it escapes them), edited one key at a time: every other
// line of the file, including keys this program does not know and lines it cannot read, stays
// exactly as it was. Values are plain texts; a comma is part of the text, not a list separator.

#include <QByteArray>
#include <QString>

namespace ssn::platform {

// The value of `key` in `section`, the empty text when there is none. Where a key appears
// more than once, the last one counts.
QString iniValue(const QByteArray& contents, const QString& section, const QString& key);

// `contents` with `key` in `section` set to `value`: the key's line is replaced where it
// exists, else added at the end of the section, else a new section is added at the end.
QByteArray withIniValue(const QByteArray& contents, const QString& section, const QString& key,
                        const QString& value);

} // namespace ssn::platform
