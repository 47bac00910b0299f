#pragma once

// The one way into the user's folders on Unix. A folder is opened by descriptors from "/", one
// component at a time: a link is followed only where nobody but the user (or root, in root's own
// folders above the user's) could have made it; a component that another user owns, or that
// others may write to (by its mode bits or its access ACL), is refused, root's system folders
// above the user's own aside (root's sticky ones like /tmp included); missing folders are made
// 0700, whatever the umask. What the folder holds is then reached by name relative to its
// descriptor, never by path. For root the rule means that a tree of another user's (`sudo`
// keeping HOME) is never entered.

#include "platform/qt/settings_log.h"

#include <QByteArray>
#include <QString>
#include <unistd.h>
#include <utility>

namespace ssn::platform {

// A file name as the system spells it. Bytes that are no UTF-8 travel through QString as lone
// surrogates (U+DC80..U+DCFF) and come back as the same bytes, so a folder named in another
// encoding is reached, not a sibling with U+FFFD in its name; a surrogate pair is one character.
QByteArray encodePath(const QString& path);
QString decodePath(const QByteArray& path);

// A descriptor closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    ~Descriptor() {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    int get() const { return m_descriptor; }
    explicit operator bool() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

// What the one way in reached: the folder (for a file, the folder that holds it, and the file
// itself when it could be opened), or why it refused.
struct OwnPlace {
    Descriptor folder{}; // invalid when refused
    Descriptor file{};   // the file, opened read-only and without blocking
    QByteArray name{};   // the file's name in `folder`
    QString why{};       // why the folder was refused or the file could not be opened
    // No file of the user's is there: none at all, or another user's link, which a save
    // replaces and never writes through.
    bool nothingToKeep = false;
};

// Opens the absolute `path` by the one way in, making missing folders when `make` is set. With
// `lastIsFile` its last component is a file (never made), its own links followed under the same
// rules; else the whole path is a folder.
OwnPlace openOwn(const QByteArray& path, bool make, bool lastIsFile);

// The attribute that holds an entry's access ACL, and the entry's ACL as the kernel keeps it
// there; empty when it has none.
constexpr char kAccessAcl[] = "system.posix_acl_access";
QByteArray accessAcl(int descriptor);

// "name: " and the system's text for `error`.
QString failed(const QByteArray& name, int error);

// Root started with another user's HOME, runtime or temporary folder (`su` without `-`), or with
// no session bus of its own (`sudo`): keeps the toolkit from making its runtime folder in another
// user's tree and its D-Bus library from starting a session bus that writes into a home and
// stays running. Call before the application object exists.
void keepRootOutOfAnotherUsersFolders();

} // namespace ssn::platform
