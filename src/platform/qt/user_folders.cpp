#include "platform/qt/user_folders.h"

#include <QList>
#include <QStringEncoder>
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

// One way along a path. Root's folders are passed only until the walk reaches the user's own;
// from there on every folder and link must be the user's.
struct Walk {
    bool make = false;
    bool inOwnTree = false;
    int links = 0;
    QString why;

    Descriptor refuse(const QByteArray& name, const QString& reason) {
        why = why.isEmpty() ? decodePath(name) + QStringLiteral(": ") + reason : why;
        return Descriptor();
    }

    // Whether nobody but the user, or root above the user's folders, could have made or changed
    // the entry: the owner's, and no one else may write to it (a sticky folder of root's, like
    // /tmp, keeps others from renaming what is not theirs).
    bool accepted(const struct stat& entry, const QByteArray& name) {
        const uid_t me = ::geteuid();
        const bool systemFolder = entry.st_uid == 0 && (!inOwnTree || me == 0);
        const bool othersWrite = (entry.st_mode & S_IWOTH) != 0 ||
                                 ((entry.st_mode & S_IWGRP) != 0 && !isPrivateGroup(entry.st_gid));
        if (entry.st_uid != me && !systemFolder)
            return refuse(name, QStringLiteral("belongs to another user")), false;
        if (!S_ISLNK(entry.st_mode) && othersWrite && !(systemFolder && (entry.st_mode & S_ISVTX) != 0))
            return refuse(name, QStringLiteral("others may write to it")), false;
        inOwnTree = inOwnTree || entry.st_uid == me;
        return true;
    }

    // "/" is root's, and only root may write to it.
    Descriptor fromRoot() {
        inOwnTree = false;
        return Descriptor(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
    }

    // Follows the absolute `path` from "/", one component at a time. With `file`, its last
    // component is opened read-only into `file`, without blocking, and its name left in `name`.
    Descriptor follow(const QByteArray& path, Descriptor* file, QByteArray* name) {
        QList<QByteArray> rest = path.split('/');
        Descriptor folder = fromRoot();
        while (folder && !rest.isEmpty()) {
            const QByteArray next = rest.takeFirst();
            const bool last = file != nullptr && rest.isEmpty();
            // A folder is held as a place (O_PATH), which needs no right to read it: 0711 will do.
            const int flags =
                O_NOFOLLOW | O_CLOEXEC | (last ? O_RDONLY | O_NONBLOCK | O_NOCTTY : O_PATH | O_DIRECTORY);
            if (next.isEmpty() || next == ".")
                continue;
            Descriptor opened(::openat(folder.get(), next.constData(), flags));
            // 0700 whatever the umask, which can only take bits away.
            // Another copy of the program may make it at the same moment.
            if (!opened && errno == ENOENT && make && !last &&
                (::mkdirat(folder.get(), next.constData(), 0700) == 0 || errno == EEXIST))
                opened = Descriptor(::openat(folder.get(), next.constData(), flags));
            struct stat entry {};
            if (!opened && (errno == ELOOP || errno == ENOTDIR) &&
                ::fstatat(folder.get(), next.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(entry.st_mode)) {
                char target[PATH_MAX];
                const ssize_t length = accepted(entry, next)
                                           ? ::readlinkat(folder.get(), next.constData(), target, PATH_MAX)
                                           : -1;
                if (length <= 0 || length == PATH_MAX || ++links > 40) // as many as the kernel follows
                    return refuse(next, QStringLiteral("a link that leads nowhere"));
                rest = QByteArray(target, length).split('/') + rest;
                folder = target[0] == '/' ? fromRoot() : std::move(folder);
            } else if (last) {
                *file = std::move(opened);
                *name = next;
                return folder;
            } else if (!opened || ::fstat(opened.get(), &entry) != 0) {
                return errno == ENOENT ? Descriptor() : refuse(next, QString::fromUtf8(std::strerror(errno)));
            } else {
                folder = accepted(entry, next) ? std::move(opened) : Descriptor();
            }
        }
        return folder && !inOwnTree ? refuse(path, QStringLiteral("is root's")) : std::move(folder);
    }
};

} // namespace

QByteArray encodePath(const QString& path) {
    QStringEncoder toUtf8(QStringEncoder::Utf8); // keeps a surrogate pair's first half for the second
    QByteArray encoded;
    for (const QChar& character : path)
        encoded += character.unicode() >= 0xDC80 && character.unicode() <= 0xDCFF
                       ? QByteArray(1, char(character.unicode() - 0xDC00))
                       : QByteArray(toUtf8(QStringView(&character, 1)));
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

Descriptor openOwn(const QByteArray& path, bool make, Descriptor& folder, QByteArray* fileName,
                   QString& why) {
    Walk walk;
    walk.make = make;
    Descriptor file;
    folder = path.startsWith('/') ? walk.follow(path, fileName != nullptr ? &file : nullptr, fileName)
                                  : Descriptor();
    why.swap(walk.why); // leaves errno as the walk left it
    errno = folder ? errno : ELOOP;
    return file;
}

void keepRootOutOfAnotherUsersFolders() {
    for (const char* variable : {"HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
        QString why;
        Descriptor folder;
        if (::geteuid() != 0 || qEnvironmentVariableIsEmpty(variable) ||
            (openOwn(qgetenv(variable), false, folder, nullptr, why), folder))
            continue;
        qCWarning(lcSettings, "%s is not root's (%s)", variable, qUtf8Printable(why));
        // Qt makes its runtime folder as the application starts, in TMPDIR when XDG_RUNTIME_DIR
        // is no folder of root's: without either it is root's own in /tmp. Qt's D-Bus library
        // would start a session bus that writes below HOME and leaves a daemon of root's running:
        // an address that names no bus starts none, and accessibility, whose bus is found through
        // the session bus, is off for this run.
        if (qstrcmp(variable, "HOME") != 0)
            qunsetenv(variable);
        else if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
            qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
}

} // namespace ssn::platform
