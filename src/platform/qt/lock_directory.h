#pragma once

#include <QString>
#include <functional>

namespace ssn::platform {

// Offers, in a fixed order, the folders private to the current user where the single-instance
// lock can live: the runtime folder, a private folder in the temporary folder, and the
// program's settings folder. Each is made when it is reached; `tryFolder` returns true to stop.
// Every copy of the program walks the same order, so all of them meet at the same lock.
void forEachLockDirectory(const QString& settingsFolder,
                          const std::function<bool(const QString&)>& tryFolder);

} // namespace ssn::platform
