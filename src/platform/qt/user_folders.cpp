#include "platform/qt/user_folders.h"

#include <QList>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSettings, "ssn.settings", QtWarningMsg)

namespace ssn::platform {
namespace {

constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;
constexpr int kMostLinks = 40;

bool isEscapedByte(QChar character) {
    return character.unicode() >= kFirstEscapedByte && character.unicode() <= kLastEscapedByte;
}

// The user's private group, the Debian default: the user's primary group, named after the user,
// listing no one else. Others who have it as their primary group too cannot be seen without
// reading the whole account database, which a directory service may not even give.
bool isPrivateGroup(gid_t gid) {
    const passwd* me = ::getpwuid(::geteuid());
    const QByteArray myName = me != nullptr && me->pw_gid == gid ? QByteArray(me->pw_name) : QByteArray();
    const group* entry = myName.isEmpty() ? nullptr : ::getgrgid(gid);
    if (entry == nullptr || myName != entry->gr_name)
        return false;
    for (char** member = entry->gr_mem; *member != nullptr; ++member) {
        if (myName != *member)
            return false;
    }
    return true;
}

// One way along a path. Root's folders are passed only until the walk reaches the user's own;
// from there on every folder and link must be the user's.
struct Walk {
    bool make = false;
    bool inOwnTree = false;
    int links = 0;
    QString why;

    Descriptor refuse(const QByteArray& name, const char* reason) {
        why = decodePath(name) + QStringLiteral(": ") + QString::fromUtf8(reason);
        return Descriptor();
    }

    // Whether nobody but the user, or root above the user's folders, could have made or changed
    // the entry: the owner's, and no one else may write to it (a sticky folder of root's, like
    // /tmp, keeps others from renaming what is not theirs).
    bool accepted(const struct stat& entry, const QByteArray& name) {
        const uid_t me = ::geteuid();
        const bool systemFolder = entry.st_uid == 0 && (!inOwnTree || me == 0);
        if (entry.st_uid != me && !systemFolder)
            return refuse(name, "belongs to another user"), false;
        const bool othersWrite = (entry.st_mode & S_IWOTH) != 0 ||
                                 ((entry.st_mode & S_IWGRP) != 0 && !isPrivateGroup(entry.st_gid));
        if (!S_ISLNK(entry.st_mode) && othersWrite && !(systemFolder && (entry.st_mode & S_ISVTX) != 0))
            return refuse(name, "others may write to it"), false;
        inOwnTree = inOwnTree || entry.st_uid == me;
        return true;
    }

    Descriptor fromRoot() {
        inOwnTree = false;
        Descriptor root(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        struct stat status {};
        return root && ::fstat(root.get(), &status) == 0 && accepted(status, "/") ? std::move(root)
                                                                                  : Descriptor();
    }

    // Follows `path` from `folder`, or from "/" when it is absolute, one component at a time.
    Descriptor follow(Descriptor folder, const QByteArray& path) {
        QList<QByteArray> rest = path.split('/');
        if (path.startsWith('/'))
            folder = fromRoot();
        while (folder && !rest.isEmpty()) {
            const QByteArray name = rest.takeFirst();
            struct stat entry {};
            if (name.isEmpty() || name == ".")
                continue;
            if (::fstatat(folder.get(), name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT || !make)
                    return errno == ENOENT ? Descriptor() : refuse(name, std::strerror(errno));
                // 0700 whatever the umask, which can only take bits away.
                if (::mkdirat(folder.get(), name.constData(), 0700) != 0 && errno != EEXIST)
                    return refuse(name, std::strerror(errno));
            } else if (S_ISLNK(entry.st_mode)) {
                char target[PATH_MAX];
                const ssize_t length = accepted(entry, name)
                                           ? ::readlinkat(folder.get(), name.constData(), target, PATH_MAX)
                                           : -1;
                if (length <= 0 || length == PATH_MAX || ++links > kMostLinks)
                    return why.isEmpty() ? refuse(name, "is a link that leads nowhere") : Descriptor();
                rest = QByteArray(target, length).split('/') + rest;
                if (target[0] == '/')
                    folder = fromRoot();
                continue;
            }
            Descriptor next(
                ::openat(folder.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!next || ::fstat(next.get(), &entry) != 0)
                return refuse(name, std::strerror(errno));
            folder = accepted(entry, name) ? std::move(next) : Descriptor();
        }
        return folder && !inOwnTree ? refuse(path, "is root's") : std::move(folder);
    }
};

} // namespace

Descriptor::~Descriptor() {
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

QByteArray encodePath(const QString& path) {
    QByteArray encoded;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isEscapedByte(path.at(i)))
            continue;
        encoded += QStringView(path).sliced(runStart, i - runStart).toUtf8();
        if (i < path.size())
            encoded += char(path.at(i).unicode() - 0xDC00);
        runStart = i + 1;
    }
    return encoded;
}

QString decodePath(const QByteArray& path) {
    const QString text = QString::fromUtf8(path);
    if (text.toUtf8() == path)
        return text;
    QString escaped;
    for (const char byte : path)
        escaped += uchar(byte) < 0x80 ? QChar(byte) : QChar(char16_t(0xDC00 + uchar(byte)));
    return escaped;
}

Descriptor openOwnFolder(const QByteArray& path, bool make, QString& why) {
    Walk walk;
    walk.make = make;
    Descriptor folder = path.startsWith('/') ? walk.follow(Descriptor(), path) : Descriptor();
    why = walk.why;
    return folder;
}

Descriptor openOwnEntry(Descriptor& folder, QByteArray& name, QString& why) {
    Walk walk;
    walk.inOwnTree = true;
    for (int hop = 0; hop <= kMostLinks && folder && !name.isEmpty(); ++hop) {
        Descriptor entry(::openat(folder.get(), name.constData(),
                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        struct stat link {};
        char target[PATH_MAX];
        if (entry || errno != ELOOP)
            return entry;
        const ssize_t length = ::fstatat(folder.get(), name.constData(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                                       walk.accepted(link, name)
                                   ? ::readlinkat(folder.get(), name.constData(), target, PATH_MAX)
                                   : -1;
        if (length <= 0 || length == PATH_MAX)
            break;
        const QByteArray path(target, length);
        folder = walk.follow(std::move(folder), path.first(path.lastIndexOf('/') + 1));
        name = path.sliced(path.lastIndexOf('/') + 1);
    }
    why = walk.why.isEmpty() ? decodePath(name) + QStringLiteral(": a link that leads nowhere") : walk.why;
    errno = ELOOP;
    return Descriptor();
}

void keepRootsSessionBusOutOfAnotherUsersHome() {
    QString why;
    if (::geteuid() != 0 || qEnvironmentVariableIsEmpty("HOME") ||
        !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
        openOwnFolder(qgetenv("HOME"), false, why))
        return;
    // An address that names no bus: the D-Bus library then starts none (it would write below
    // HOME and leave a daemon of root's running), and accessibility, whose bus is found through
    // the session bus, is off for this run.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    qCWarning(lcSettings, "no session bus for root in another user's home (%s)", qUtf8Printable(why));
}

} // namespace ssn::platform
