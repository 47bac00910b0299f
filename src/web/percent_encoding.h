#pragma once

// Percent-encoding of one query value, so that whatever a user typed stays inside its own
// parameter: "&", "=", "#", "?", blanks and line breaks can neither add nor cut parameters.

#include <QString>

namespace ssn::web {

// The value's UTF-8 bytes, with the unreserved characters A-Z a-z 0-9 - . _ ~ kept as they
// are and every other byte written as %XX in upper-case hexadecimal.
QString PercentEncodeQueryValue(const QString& value);

} // namespace ssn::web
