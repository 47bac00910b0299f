#include "platform/qt/qt_url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace ssn::platform {

bool QtUrlOpener::open(const QString& url) {
    // Tolerant parsing keeps existing percent-encodings and encodes only what cannot stand
    // in a URL (a blank, for instance); it never decodes a reserved character.
    const QUrl parsed(url, QUrl::TolerantMode);
    if (!parsed.isValid())
        return false;
    try {
        return QDesktopServices::openUrl(parsed);
    } catch (...) {
        return false; // a page that cannot be opened is never reported
    }
}

} // namespace ssn::platform
