#pragma once

#include "platform/platform.h"

#include <QDesktopServices>
#include <QUrl>

namespace ssn::platform {

// Hands a URL to the desktop's default browser. Percent-encodings in the text reach the
// browser as given, so an encoded "&" in a field can never become a parameter separator.
class QtUrlOpener : public UrlOpener {
public:
    bool open(const QString& url) override {
        // Tolerant parsing keeps existing percent-encodings and encodes only what cannot stand
        // in a URL (a blank, for instance); it never decodes a reserved character.
        // A page that cannot be opened reports false, which no caller reports on; the toolkit
        // signals nothing by exception here.
        const QUrl parsed(url, QUrl::TolerantMode);
        return parsed.isValid() && QDesktopServices::openUrl(parsed);
    }
};

} // namespace ssn::platform
