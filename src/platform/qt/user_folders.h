#pragma once

// The one way into the user's folders on Unix. A folder is opened by descriptors from "/", one
// component at a time: a link is followed only where nobody but the user (or root, in root's own
// folders above the user's) could have made it; a component that another user owns, or that
// others may write to, is refused, root's system folders above the user's own aside (root's
// sticky ones like /tmp included); missing folders are made 0700, whatever the umask. What the
// folder holds is then reached by name relative to its descriptor, never by path. For root the
// rule means that a tree of another user's (`sudo` keeping HOME) is never entered.

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <unistd.h>
#include <utility>

// Where the program says, once per run, why it gave up a save, the lock or a folder (warnings are
// on by default; QT_LOGGING_RULES="ssn.settings.warning=false" silences them).
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

namespace ssn::platform {

// A file name as the system spells it. Bytes that are no UTF-8 travel through QString as lone
// surrogates (U+DC80..U+DCFF) and come back as the same bytes, so a folder named in another
// encoding is reached, not a sibling with U+FFFD in its name.
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

// Opens the absolute `path` by the one way in, making missing folders when `make` is set. Without
// `fileName` the whole path is a folder, left open in `folder`. With it the last component is a
// file (never made), opened read-only and without blocking into the result, its own links
// followed under the same rules; `folder` and `fileName` are left where it was found. A
// refusal leaves `folder` invalid and says why in `why`; a missing file leaves errno ENOENT
// with `folder` valid.
Descriptor openOwn(const QByteArray& path, bool make, Descriptor& folder, QByteArray* fileName, QString& why);

// "name: " and the system's text for `error`.
QString failed(const QByteArray& name, int error);

// Root started with another user's HOME, runtime or temporary folder (`su` without `-`): keeps
// the toolkit from making its runtime folder there and its D-Bus library from starting a session
// bus that writes into that home. Call before the application object exists.
void keepRootOutOfAnotherUsersFolders();

} // namespace ssn::platform
