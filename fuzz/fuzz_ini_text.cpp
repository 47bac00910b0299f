// The settings file's text held against QSettings itself: for any text, what the store reads
// as the date is what QSettings reads, and after the store's save QSettings reads the new date
// and every other key as before. Two differences are the store's on purpose and left out: a line
// that QSettings would read together with the next (a quote left open, or a backslash, at its
// end; the last line included, whose fold would take in a line the save adds), which the store
// reads alone so that a damaged line hides nothing after it; and lists
// and typed values ("@Variant(...)"), which the program never writes and the store reads as
// their text. Keys that QSettings lists under a name it cannot read back are not compared.

#include "fuzz_input.h"
#include "platform/qt/ini_text.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>
#include <cstddef>
#include <cstdint>

namespace {

using ssn::fuzz::Require;

const QString kSection = QStringLiteral("Settings");
const QString kKey = QString::fromUtf16(u"d\u00e9"); // a key that QSettings escapes
const QString kDate = QStringLiteral("12/7/2026");

// Whether QSettings would read a line together with the next, as its line reader does: a quote
// open at a line's end, or a backslash before it; a ';' outside quotes ends the line's text.
bool foldsLines(const QByteArray& text) {
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char byte = text[i];
        const bool lineEndFollows = i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r');
        if (byte == '\\' && lineEndFollows)
            return true;
        if (byte == '\\')
            ++i;
        else if (byte == '"')
            inQuotes = !inQuotes;
        else if ((byte == '\n' || byte == '\r') && inQuotes)
            return true;
        else if (byte == '\n' || byte == '\r')
            inQuotes = false;
        else if (byte == ';' && !inQuotes)
            while (i + 1 < text.size() && text[i + 1] != '\n' && text[i + 1] != '\r')
                ++i;
    }
    return false;
}

// Every key QSettings reads from the text, with its value; a fresh file each time, since
// QSettings keeps what it read of a file by its name.
QVariantMap readByQSettings(const QByteArray& text) {
    static QTemporaryDir folder;
    static int files = 0;
    const QString path = folder.filePath(QString::number(++files) + QStringLiteral(".ini"));
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly) && file.write(text) == text.size(),
            "the text could not be written");
    file.close();
    QVariantMap values;
    {
        QSettings settings(path, QSettings::IniFormat);
        // A name that QSettings lists but reads under another (a section "[" opens the group
        // "/") is left out: its value is whatever the name's plain spelling holds.
        for (const QString& key : settings.allKeys())
            if (!key.startsWith(u'/') && !key.endsWith(u'/') && !key.contains(QStringLiteral("//")))
                values[key] = settings.value(key);
    }
    QFile::remove(path);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    // A last line that would fold what follows it folds what a save adds too.
    if (foldsLines(text + '\n'))
        return 0;
    QVariantMap values = readByQSettings(text);
    const QString whole = kSection + u'/' + kKey;
    const QVariant date = values.value(whole);
    if (date.isValid() && date.typeId() != QMetaType::QString)
        return 0;
    Require(ssn::platform::ini::valueOf(text, kSection, kKey) == date.toString(),
            "the store read another date than QSettings");
    values[whole] = kDate;
    Require(readByQSettings(ssn::platform::ini::withValue(text, kSection, kKey, kDate)) == values,
            "after a save QSettings read another date or changed keys");
    return 0;
}
