#pragma once

#include <QString>

namespace ssn::platform {

// A folder private to the current user where the single-instance lock can live: the
// runtime folder, else a private folder in the temporary folder. Empty when neither is usable.
QString lockDirectory();

} // namespace ssn::platform
