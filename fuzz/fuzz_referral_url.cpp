// Any six strings, "&", "=", "#", "?", line breaks and unpaired surrogates included, give a
// referral URL of the fixed page with exactly the parameters taf1..taf6 in order, each value
// percent-encoded so that it decodes back to the field's UTF-8 bytes and nothing else.

#include "fuzz_input.h"
#include "web/mod_tell_a_friend.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

using ssn::fuzz::Require;

const QString kReferralPage = QStringLiteral(
    "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=vlzs-refer-a-friend");
const QByteArray kProductFolder =
    QByteArrayLiteral("https://velmora.example/vl-free-subconscious-self-number/");

bool isUnreserved(char16_t character) {
    return (character >= u'A' && character <= u'Z') || (character >= u'a' && character <= u'z') ||
           (character >= u'0' && character <= u'9') || character == u'-' || character == u'.' ||
           character == u'_' || character == u'~';
}

int upperHexValue(char16_t character) {
    if (character >= u'0' && character <= u'9') {
        return character - u'0';
    }
    if (character >= u'A' && character <= u'F') {
        return character - u'A' + 10;
    }
    return -1;
}

// The bytes of one encoded value, or nothing when it holds anything but unreserved
// characters and "%" with two upper-case hexadecimal digits.
std::optional<QByteArray> percentDecode(const QString& encoded) {
    QByteArray bytes;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char16_t character = encoded[i].unicode();
        if (isUnreserved(character)) {
            bytes.append(static_cast<char>(character));
            continue;
        }
        if (character != u'%' || i + 2 >= encoded.size()) {
            return std::nullopt;
        }
        const int high = upperHexValue(encoded[i + 1].unicode());
        const int low = upperHexValue(encoded[i + 2].unicode());
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.append(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

// UTF-8 of a text, written out here so that the check does not lean on the conversion the
// program uses. UTF-8 cannot hold an unpaired surrogate: it becomes "?", as Qt writes it.
QByteArray utf8(const QString& text) {
    QByteArray bytes;
    const auto put = [&bytes](unsigned value) { bytes.append(static_cast<char>(value)); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1].unicode() >= 0xDC00 &&
            text[i + 1].unicode() <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1].unicode() - 0xDC00u);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = u'?';
        }
        if (code < 0x80) {
            put(code);
        } else if (code < 0x800) {
            put(0xC0 | (code >> 6));
            put(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            put(0xE0 | (code >> 12));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        } else {
            put(0xF0 | (code >> 18));
            put(0x80 | ((code >> 12) & 0x3F));
            put(0x80 | ((code >> 6) & 0x3F));
            put(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}

bool hasUnpairedSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            return true;
        }
    }
    return false;
}

QString toQString(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = ssn::fuzz::SplitFields(data, size, 6);
    ssn::web::modTellAFriend::TellAFriendStrings strings;
    strings.strTafName = toQString(fields[0]);
    strings.strTafEmail = toQString(fields[1]);
    strings.strTafMessage = toQString(fields[2]);
    strings.strTafFriendName = toQString(fields[3]);
    strings.strTafFriendEmail = toQString(fields[4]);
    strings.strTafUrl = toQString(fields[5]); // the last URL built must not leak into the next one

    const QString url = ssn::web::modTellAFriend::buildReferralUrl(strings);
    Require(url.startsWith(kReferralPage), "the URL starts with the referral page");

    // After the page: "&taf1=..." up to "&taf6=...", and no other "&" anywhere.
    const QStringList parameters = url.mid(kReferralPage.size()).split(u'&');
    Require(parameters.size() == 7 && parameters[0].isEmpty(), "exactly six parameters after the page");
    const std::array<const QString*, 5> values = {&strings.strTafName, &strings.strTafEmail,
                                                  &strings.strTafMessage, &strings.strTafFriendName,
                                                  &strings.strTafFriendEmail};
    for (qsizetype i = 1; i <= 6; ++i) {
        const QString name = QStringLiteral("taf%1=").arg(i);
        Require(parameters[i].startsWith(name), "parameters taf1..taf6 in order");
        const auto bytes = percentDecode(parameters[i].mid(name.size()));
        Require(bytes.has_value(), "a value holds only unreserved characters and %XX");
        if (i == 6) {
            Require(*bytes == kProductFolder, "taf6 is the product folder");
            continue;
        }
        const QString& value = *values[static_cast<std::size_t>(i - 1)];
        Require(*bytes == utf8(value), "the value decodes to its UTF-8 bytes");
        if (!hasUnpairedSurrogate(value)) {
            // A leading U+FEFF is part of the value, not a byte-order mark to drop.
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
            Require(QString(decoder(*bytes)) == value, "the value decodes back exactly");
        }
    }
    return 0;
}
