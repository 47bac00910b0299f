#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// Hands a URL to the desktop's default browser. Percent-encodings in the text reach the
// browser as given, so an encoded "&" in a field can never become a parameter separator.
class QtUrlOpener : public UrlOpener {
public:
    bool open(const QString& url) override;
};

} // namespace ssn::platform
