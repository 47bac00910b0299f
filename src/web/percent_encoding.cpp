#include "web/percent_encoding.h"

#include <QByteArray>

namespace ssn::web {

QString PercentEncodeQueryValue(const QString& value) {
    // With no extra characters kept, QByteArray keeps exactly the unreserved set and writes
    // upper-case hexadecimal digits.
    return QString::fromLatin1(value.toUtf8().toPercentEncoding());
}

} // namespace ssn::web
