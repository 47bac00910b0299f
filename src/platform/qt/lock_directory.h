#pragma once

#include <QString>
#include <functional>

namespace ssn::platform {

// Offers, in a fixed order, the folders where the single-instance lock can live on Unix: the program's
// settings folder, then the runtime folder. Each is made when it is reached (the settings folder
// owner-only); `tryFolder` returns true to stop.
//
// The settings folder comes first because its place depends on nothing that differs between two
// starts of the same user (a login shell and a cron job disagree on XDG_RUNTIME_DIR and TMPDIR),
// no other user can create it first, and no temporary-file cleaner empties it; the lock stands
// beside the settings it guards. It is accepted when the user owns it and no one else may write
// to it: a group-writable folder is the user's alone when its group is the user's private group
// (a umask of 002 makes folders 0775). The runtime folder serves when the settings folder cannot
// hold a lock (a read-only home, an odd entry in the lock's place, a folder shared with others)
// and for root started in another user's tree, which makes no folder there.
void forEachLockDirectory(const QString& settingsFolder,
                          const std::function<bool(const QString&)>& tryFolder);

} // namespace ssn::platform
