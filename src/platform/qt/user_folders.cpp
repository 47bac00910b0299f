#include "platform/qt/user_folders.h"

#include <QList>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

// The user's private group, the Debian default: the user's primary group, named after the user,
// listing no one else. Others who have it as their primary group too cannot be seen without
// reading the whole account database, which a directory service may not even give.
bool isPrivateGroup(gid_t gid) {
    const passwd* me = ::getpwuid(::geteuid());
    const QByteArray myName = me != nullptr && me->pw_gid == gid ? QByteArray(me->pw_name) : QByteArray();
    const group* entry = myName.isEmpty() ? nullptr : ::getgrgid(gid);
    bool mine = entry != nullptr && myName == entry->gr_name;
    for (char** member = mine ? entry->gr_mem : nullptr; member != nullptr && *member != nullptr; ++member)
        mine = mine && myName == *member;
    return mine;
}

// The access ACL is a 4-byte version, then one {tag, permissions, id} entry of 2, 2 and 4 bytes
// each, little-endian.
enum : quint16 { kNamedUser = 0x02, kOwningGroup = 0x04, kNamedGroup = 0x08, kMayWrite = 0x02 };

// Whether anyone but the user, or the user's private group, may write to the entry: by its mode
// bits, and where it has an access ACL, by the owning group's, each named user's and each named
// group's entry through the mask, which the group bits then are.
bool othersMayWrite(int descriptor, const struct stat& entry) {
    const QByteArray acl = accessAcl(descriptor);
    bool others = (entry.st_mode & S_IWOTH) != 0 ||
                  (acl.isEmpty() && (entry.st_mode & S_IWGRP) != 0 && !isPrivateGroup(entry.st_gid));
    for (qsizetype at = 4; at + 8 <= acl.size() && (entry.st_mode & S_IWGRP) != 0; at += 8) {
        const quint16 tag = qFromLittleEndian<quint16>(acl.constData() + at);
        const bool writes = (qFromLittleEndian<quint16>(acl.constData() + at + 2) & kMayWrite) != 0;
        const quint32 id =
            tag == kOwningGroup ? entry.st_gid : qFromLittleEndian<quint32>(acl.constData() + at + 4);
        others = others || (writes && ((tag == kNamedUser && id != ::geteuid()) ||
                                       ((tag == kOwningGroup || tag == kNamedGroup) && !isPrivateGroup(id))));
    }
    return others;
}

OwnPlace refused(const QByteArray& name, const QString& reason) {
    return OwnPlace{.why = decodePath(name) + QStringLiteral(": ") + reason};
}

// One way along a path, making missing folders when `make` is set. Root's folders are passed only
// until the walk reaches the user's own; from there on every folder and link must be the user's.
struct Walk {
    bool make = false;
    bool inOwnTree = false;
    int links = 0;

    // Why someone other than the user, or root above the user's folders, could have made or
    // changed the entry; nothing when no one could. A sticky folder of root's, like /tmp, keeps
    // others from renaming what is not theirs.
    QString refusal(int descriptor, const struct stat& entry) {
        const uid_t me = ::geteuid();
        const bool systemFolder = entry.st_uid == 0 && (!inOwnTree || me == 0);
        if (entry.st_uid != me && !systemFolder)
            return QStringLiteral("belongs to another user");
        if (!S_ISLNK(entry.st_mode) && !(systemFolder && (entry.st_mode & S_ISVTX) != 0) &&
            othersMayWrite(descriptor, entry))
            return QStringLiteral("others may write to it");
        inOwnTree = inOwnTree || entry.st_uid == me;
        return {};
    }

    // "/" is root's, and only root may write to it.
    Descriptor fromRoot() {
        inOwnTree = false;
        return Descriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }

    // Follows the absolute `path` from "/", one component at a time; with `lastIsFile` its last
    // component is opened read-only, without blocking.
    OwnPlace follow(const QByteArray& path, bool lastIsFile) {
        QList<QByteArray> rest = path.split('/');
        Descriptor folder = fromRoot();
        while (folder && !rest.isEmpty()) {
            const QByteArray next = rest.takeFirst();
            const bool last = lastIsFile && rest.isEmpty();
            // A folder is held as a place (O_PATH), which needs no right to read it: 0711 will do.
            const int flags =
                O_NOFOLLOW | O_CLOEXEC | (last ? O_RDONLY | O_NONBLOCK | O_NOCTTY : O_PATH | O_DIRECTORY);
            if (next.isEmpty() || next == ".")
                continue;
            Descriptor opened(::openat(folder.get(), next.constData(), flags));
            // 0700 whatever the umask, which can only take bits away: only a folder made here is
            // given its mode. Another copy of the program may make it at the same moment.
            if (!opened && errno == ENOENT && make && !last) {
                if (::mkdirat(folder.get(), next.constData(), 0700) == 0)
                    ::fchmodat(folder.get(), next.constData(), 0700, AT_SYMLINK_NOFOLLOW);
                opened = Descriptor(::openat(folder.get(), next.constData(), flags));
            }
            struct stat entry {};
            const bool isLink = !opened && (errno == ELOOP || errno == ENOTDIR) &&
                                ::fstatat(folder.get(), next.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 &&
                                S_ISLNK(entry.st_mode);
            const int error = errno;
            const QString linkRefused = isLink ? refusal(-1, entry) : QString();
            // Another user's link in the file's place is no file of the user's: a save puts one
            // in the link's place, never through it.
            const bool noFile = !opened && (isLink || error == ENOENT);
            // Worked out before the descriptor moves into the answer.
            const QString fileWhy = opened || noFile ? QString() : failed(next, error);
            if (last && (!isLink || !linkRefused.isEmpty()))
                return OwnPlace{.folder = std::move(folder),
                                .file = std::move(opened),
                                .name = next,
                                .why = fileWhy,
                                .nothingToKeep = noFile};
            if (isLink) {
                char target[PATH_MAX];
                const ssize_t length = linkRefused.isEmpty()
                                           ? ::readlinkat(folder.get(), next.constData(), target, PATH_MAX)
                                           : -1;
                if (length <= 0 || length == PATH_MAX || ++links > 40) // as many as the kernel follows
                    return refused(next, linkRefused.isEmpty() ? QStringLiteral("a link that leads nowhere")
                                                               : linkRefused);
                rest = QByteArray(target, length).split('/') + rest;
                folder = target[0] == '/' ? fromRoot() : std::move(folder);
            } else if (!opened || ::fstat(opened.get(), &entry) != 0) {
                return errno == ENOENT ? OwnPlace() : refused(next, QString::fromUtf8(std::strerror(errno)));
            } else if (const QString folderRefused = refusal(opened.get(), entry); !folderRefused.isEmpty()) {
                return refused(next, folderRefused);
            } else {
                folder = std::move(opened);
            }
        }
        return folder && !inOwnTree ? refused(path, QStringLiteral("is root's"))
                                    : OwnPlace{.folder = std::move(folder)};
    }
};

} // namespace

QByteArray encodePath(const QString& path) {
    QByteArray encoded;
    for (qsizetype i = 0, length = 0; i < path.size(); i += length) {
        const char16_t code = path[i].unicode();
        // A pair's second half belongs to its character; alone, U+DC80..U+DCFF stand for a byte.
        length = QChar::isHighSurrogate(code) && i + 1 < path.size() && path[i + 1].isLowSurrogate() ? 2 : 1;
        encoded += length == 1 && code >= 0xDC80 && code <= 0xDCFF
                       ? QByteArray(1, char(code - 0xDC00))
                       : QStringView(path).sliced(i, length).toUtf8();
    }
    return encoded;
}

QString decodePath(const QByteArray& path) {
    QString text = QString::fromUtf8(path);
    if (text.toUtf8() == path)
        return text;
    text.clear();
    for (const char byte : path)
        text += uchar(byte) < 0x80 ? QChar(byte) : QChar(char16_t(0xDC00 + uchar(byte)));
    return text;
}

QString failed(const QByteArray& name, int error) {
    return decodePath(name) + QStringLiteral(": ") + QString::fromUtf8(std::strerror(error));
}

OwnPlace openOwn(const QByteArray& path, bool make, bool lastIsFile) {
    return path.startsWith('/') ? Walk{.make = make}.follow(path, lastIsFile)
                                : refused(path, QStringLiteral("no absolute path"));
}

QByteArray accessAcl(int descriptor) {
    // Through /proc, which also reads the attribute of a descriptor that only holds a place.
    const QByteArray place = "/proc/self/fd/" + QByteArray::number(descriptor);
    QByteArray acl(std::max<ssize_t>(::getxattr(place.constData(), kAccessAcl, nullptr, 0), 0), '\0');
    acl.truncate(std::max<ssize_t>(::getxattr(place.constData(), kAccessAcl, acl.data(), acl.size()), 0));
    return acl;
}

void keepRootOutOfAnotherUsersFolders() {
    if (::geteuid() != 0)
        return;
    // Qt makes its runtime folder as the application starts, in TMPDIR when XDG_RUNTIME_DIR is no
    // folder of root's: without either it is root's own in /tmp.
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"})
        if (const OwnPlace place = openOwn(qgetenv(variable), false, false);
            !qEnvironmentVariableIsEmpty(variable) && !place.folder) {
            qCWarning(lcSettings, "%s is not root's (%s)", variable, qUtf8Printable(place.why));
            qunsetenv(variable);
        }
    // With no address and no bus in the runtime folder, Qt's D-Bus library starts a session bus
    // through the X server (`sudo` keeps DISPLAY): it writes below HOME and stays running after
    // the program, until the X server ends. With no bus of root's own, an address that names no
    // bus starts none, whatever HOME is; accessibility, found through the session bus, is off.
    struct stat bus {};
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (::stat(qgetenv("XDG_RUNTIME_DIR") + "/bus", &bus) != 0 || !S_ISSOCK(bus.st_mode) || bus.st_uid != 0))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace ssn::platform
