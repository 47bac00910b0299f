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
    // A page that cannot be opened reports false, which no caller reports on; the toolkit
    // signals nothing by exception here.
    return QDesktopServices::openUrl(parsed);
}

} // namespace ssn::platform
