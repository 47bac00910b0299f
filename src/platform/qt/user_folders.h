#pragma once

#include <QByteArray>
#include <QString>

struct stat;

namespace ssn::platform {

// A file name as the system spells it. Bytes that are no UTF-8 travel through QString as lone
// surrogates (U+DC80..U+DCFF) and come back as the same bytes, so a folder named in another
// encoding is reached, not a sibling with U+FFFD in its name.
QByteArray encodePath(const QString& path);
QString decodePath(const QByteArray& path);

// Whether someone besides the effective user may write to the folder: every user, or a group
// that any other account belongs to (a user's private group, the Debian default with umask
// 002, is the user's alone).
bool othersMayWrite(const struct stat& folder);

// Root started with another user's environment (`su` without `-`, `sudo` keeping HOME): the
// folder, or its nearest existing parent, belongs to someone else. Root then leaves that tree
// as it was.
bool rootInAnotherUsersTree(const QString& folder);

// Makes the folder and the folders above it that are missing; the last one owner-only.
bool makeFolders(const QString& folder);

} // namespace ssn::platform
