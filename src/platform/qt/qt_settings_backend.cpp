#include "platform/qt/qt_settings_backend.h"

#include <QSettings>
#include <QStandardPaths>
#include <utility>

#ifndef Q_OS_WIN
#include "platform/qt/ini_text.h"
#include "platform/qt/user_folders.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QRandomGenerator>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ssn::platform {

QtSettingsBackend::QtSettingsBackend(QString root) : m_root(std::move(root)) {}

QString QtSettingsBackend::defaultRoot() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#else
    // The XDG rule on the bytes the variables hold, whatever their encoding: a relative
    // XDG_CONFIG_HOME is ignored (Qt 6.4 takes it), and without HOME the home is the one the
    // password database gives (Qt 6.4 gives none).
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (configHome.startsWith('/'))
        return decodePath(configHome);
    QByteArray home = qgetenv("HOME");
    if (const passwd* account = home.isEmpty() ? ::getpwuid(::geteuid()) : nullptr)
        home = account->pw_dir;
    return decodePath(home) + QStringLiteral("/.config");
#endif
}

QString QtSettingsBackend::applicationFolder(const QString& application) const {
    return m_root + QLatin1Char('/') + application;
}

QString QtSettingsBackend::settingsFile(const QString& application) const {
    return applicationFolder(application) + QLatin1Char('/') + application + QStringLiteral(".ini");
}

#ifdef Q_OS_WIN

namespace {

// The section as a group of QSettings, the key below it.
QString settingsKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

// HKEY_CURRENT_USER\Software\<application>, with the sections as keys below it.
QString registryKey(const QString& application) {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application;
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    QSettings settings(registryKey(application), QSettings::NativeFormat);
    settings.setFallbacksEnabled(false); // nothing else is read as the store
    if (settings.status() != QSettings::NoError)
        return {};
    return settings.value(settingsKey(section, key)).toString();
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    QSettings settings(registryKey(application), QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
}

#else

namespace {

// The file holds one date. One this large is no settings file of the program's, and parsing it
// would take seconds and gigabytes at every start; a save never makes the file larger.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
// Long enough for another writer's rename to pass, far too short to be noticed at start-up.
constexpr qint64 kLockWaitMs = 100;
// A lock entry that names no process (empty, unreadable, garbage) is left by a save killed
// between the lock's creation and its first byte; one that names a running process is another
// writer's for at most as long as QSettings waits on its own lock.
constexpr qint64 kDeadLockAgeMs = 1000;
constexpr qint64 kLiveLockAgeMs = 30000;

// A folder held open and the name of an entry in it: every step of a read or a save works on
// the folder that was opened, whatever is renamed or swapped around it meanwhile.
struct Place {
    Place() = default;
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;
    ~Place() { reset(); }
    void reset() {
        if (folder >= 0)
            ::close(folder);
        folder = -1;
    }

    int folder = -1;
    struct stat folderStatus {};
    QByteArray name;
};

// Opens the folder of the settings file. A link in the file's place is followed, to the end of
// its chain, only while each link is the user's own in a folder of the user's own: a link that
// someone else made or could have made may point anywhere, the user's ~/.bashrc included.
bool locate(QByteArray path, Place& place) {
    for (int hop = 0; hop < 40; ++hop) {
        const qsizetype slash = path.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray(".")
                                  : slash == 0 ? QByteArray("/")
                                               : path.first(slash);
        place.reset();
        place.folder = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        place.name = path.sliced(slash + 1);
        struct stat entry {};
        if (place.folder < 0 || ::fstat(place.folder, &place.folderStatus) != 0)
            return false;
        if (::fstatat(place.folder, place.name.constData(), &entry, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(entry.st_mode) || entry.st_uid != ::geteuid() ||
            place.folderStatus.st_uid != ::geteuid() || othersMayWrite(place.folderStatus))
            return true;
        char target[PATH_MAX];
        const ssize_t length = ::readlinkat(place.folder, place.name.constData(), target, sizeof target);
        if (length <= 0 || length == sizeof target)
            return true;
        path = target[0] == '/' ? QByteArray(target, length) : folder + '/' + QByteArray(target, length);
    }
    return true;
}

enum class Contents { Read, Missing, Refused };

// Reads the settings file through one descriptor: a link is not followed (locate() has followed
// those it may), a FIFO does not block the open, and only a regular file is read, never more
// than the limit, whatever happens to the name meanwhile.
Contents readFile(const Place& place, QByteArray& contents, struct stat& status) {
    const int file = ::openat(place.folder, place.name.constData(),
                              O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file < 0)
        return errno == ENOENT || errno == ELOOP ? Contents::Missing : Contents::Refused;
    bool whole = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= kMaxFileBytes;
    contents.resize(whole ? kMaxFileBytes + 1 : 0);
    qsizetype length = 0;
    while (whole && length < contents.size()) {
        const ssize_t got = ::read(file, contents.data() + length, size_t(contents.size() - length));
        if (got == 0)
            break;
        whole = got > 0 || errno == EINTR;
        length += std::max<ssize_t>(got, 0);
    }
    ::close(file);
    contents.truncate(length);
    return whole && length <= kMaxFileBytes ? Contents::Read : Contents::Refused;
}

qint64 ageMs(const struct stat& status) {
    const timespec modified = status.st_mtim;
    return QDateTime::currentMSecsSinceEpoch() -
           (qint64(modified.tv_sec) * 1000 + modified.tv_nsec / 1000000);
}

// The lock QSettings takes beside an INI file while writing it (`<file>.lock`), taken as QLockFile
// takes it (made exclusively, held with flock, the holder's pid, name and host inside), so a
// QSettings-based tool and this program never write the file at once. Its wait is bounded, and a
// lock entry that no live writer holds goes: nobody else's file switches the store off.
class StoreLock {
public:
    explicit StoreLock(const Place& place) : m_place(place), m_name(place.name + ".lock") {}
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    ~StoreLock() {
        if (m_file >= 0) {
            ::unlinkat(m_place.folder, m_name.constData(), 0);
            ::close(m_file);
        }
    }

    bool take() {
        QElapsedTimer waited;
        waited.start();
        while (true) {
            m_file = ::openat(m_place.folder, m_name.constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (m_file >= 0)
                return holdAndSign();
            if (errno != EEXIST)
                return false;
            if (removedAsStale())
                continue;
            if (waited.elapsed() > kLockWaitMs)
                return false;
            ::usleep(10000);
        }
    }

private:
    bool holdAndSign() {
        ::flock(m_file, LOCK_EX | LOCK_NB);
        char program[PATH_MAX] = {};
        const ssize_t length = ::readlink("/proc/self/exe", program, sizeof program - 1);
        const QByteArray name =
            length > 0 ? QByteArray(program, length).sliced(QByteArray(program, length).lastIndexOf('/') + 1)
                       : QByteArray();
        const QByteArray signature = QByteArray::number(::getpid()) + '\n' + name + '\n' +
                                     QSysInfo::machineHostName().toUtf8() + '\n' +
                                     QSysInfo::machineUniqueId() + '\n' + QSysInfo::bootUniqueId() + '\n';
        if (::write(m_file, signature.constData(), size_t(signature.size())) == signature.size() &&
            ::fdatasync(m_file) == 0)
            return true;
        ::unlinkat(m_place.folder, m_name.constData(), 0);
        ::close(m_file);
        m_file = -1;
        return false;
    }

    // A lock entry is stale at once when it names a process of this host that has ended (as
    // QLockFile judges), when it names none (empty, unreadable, garbage) and is older than a
    // second, and when it is older than QSettings' own limit; an entry that its holder still
    // locks never is. It is removed only while it is the entry that was judged.
    bool removedAsStale() {
        struct stat judged {};
        if (::fstatat(m_place.folder, m_name.constData(), &judged, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;
        QByteArray signature(256, '\0');
        bool live = false;
        bool ended = false;
        const int file = ::openat(m_place.folder, m_name.constData(),
                                  O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (file >= 0) {
            const bool locked = S_ISREG(judged.st_mode) && ::flock(file, LOCK_SH | LOCK_NB) != 0;
            signature.truncate(
                std::max<ssize_t>(::read(file, signature.data(), size_t(signature.size())), 0));
            ::close(file);
            const QList<QByteArray> lines = signature.split('\n');
            const qint64 pid = lines.first().toLongLong();
            const bool here = lines.size() < 3 || lines.at(2).isEmpty() ||
                              lines.at(2) == QSysInfo::machineHostName().toUtf8();
            live = locked || (pid > 0 && here && (::kill(pid_t(pid), 0) == 0 || errno == EPERM));
            ended = !live && pid > 0 && here;
        }
        struct stat now {};
        if (ageMs(judged) <= (live ? kLiveLockAgeMs
                              : ended ? -1
                                      : kDeadLockAgeMs) ||
            ::fstatat(m_place.folder, m_name.constData(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
            now.st_ino != judged.st_ino || now.st_mtim.tv_sec != judged.st_mtim.tv_sec ||
            now.st_mtim.tv_nsec != judged.st_mtim.tv_nsec)
            return false;
        return ::unlinkat(m_place.folder, m_name.constData(), 0) == 0;
    }

    const Place& m_place;
    QByteArray m_name;
    int m_file = -1;
};

// A save's scratch files begin with this, in the folder of the file they replace; a killed save
// leaves some behind, which the first read of a run or the next save removes (under the lock).
QByteArray scratchPrefix(const Place& place) {
    return '.' + place.name + ".new-";
}

void removeScratchFiles(const Place& place) {
    const int listed = ::dup(place.folder);
    DIR* folder = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (folder == nullptr) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    const QByteArray prefix = scratchPrefix(place);
    while (const dirent* entry = ::readdir(folder)) {
        if (QByteArrayView(entry->d_name).startsWith(prefix))
            ::unlinkat(place.folder, entry->d_name, 0);
    }
    ::closedir(folder);
}

// Writes the new text under a scratch name made exclusively in the file's folder, flushes it to
// disk, gives it the old file's owner (where the writer may) and mode, and renames it into place
// within the same folder. A full disk or a file-size limit fails a write or the flush, and the
// old file stays as it was.
void replaceFile(const Place& place, const QByteArray& text, const struct stat* old) {
    QByteArray scratch;
    int file = -1;
    for (int attempt = 0; attempt < 16 && file < 0; ++attempt) {
        scratch = scratchPrefix(place) + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        file = ::openat(place.folder, scratch.constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (file < 0 && errno != EEXIST)
            return;
    }
    if (file < 0)
        return;
    qsizetype written = 0;
    while (written < text.size()) {
        const ssize_t put = ::write(file, text.constData() + written, size_t(text.size() - written));
        if (put < 0 && errno != EINTR)
            break;
        written += std::max<ssize_t>(put, 0);
    }
    bool complete = written == text.size() && ::fsync(file) == 0;
    if (old != nullptr) {
        // Root saving a file of the user's own tree gives it back to its owner; the file keeps its
        // group where the user is a member of it. An ordinary user cannot give a file away.
        [[maybe_unused]] const int given = ::fchown(file, old->st_uid, old->st_gid);
        complete = complete && ::fchmod(file, old->st_mode & 07777) == 0;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        complete = complete && ::fchmod(file, 0666 & ~mask) == 0;
    }
    ::close(file);
    if (!complete || ::renameat(place.folder, scratch.constData(), place.folder, place.name.constData()) != 0)
        ::unlinkat(place.folder, scratch.constData(), 0);
    else
        ::fsync(place.folder);
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    Place place;
    QByteArray contents;
    struct stat status {};
    if (!locate(encodePath(settingsFile(application)), place) ||
        readFile(place, contents, status) != Contents::Read)
        return {};
    // Every save renames a complete file into place, so reading needs no lock. The first read of
    // a run takes it once, to remove what a killed save left; root in another user's tree
    // removes nothing there.
    if (!m_tidied.contains(application) && !rootInAnotherUsersTree(applicationFolder(application))) {
        m_tidied.insert(application);
        StoreLock lock(place);
        if (lock.take())
            removeScratchFiles(place);
    }
    const ini::KeyLine found = ini::findKey(contents, section, key);
    return found.valueStart < 0 ? QString()
                                : ini::unescapedValue(QByteArrayView(contents).sliced(
                                      found.valueStart, found.valueEnd - found.valueStart));
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    if (rootInAnotherUsersTree(applicationFolder(application)) ||
        !makeFolders(applicationFolder(application)))
        return;
    Place place;
    if (!locate(encodePath(settingsFile(application)), place))
        return;
    StoreLock lock(place);
    if (!lock.take())
        return;
    removeScratchFiles(place);
    QByteArray contents;
    struct stat old {};
    // A file that cannot be read whole is never replaced: every key in it would be lost.
    const Contents found = readFile(place, contents, old);
    if (found == Contents::Refused)
        return;
    const QByteArray text = ini::withValue(contents, section, key, value);
    if (text.size() <= kMaxFileBytes)
        replaceFile(place, text, found == Contents::Read ? &old : nullptr);
}

#endif

} // namespace ssn::platform
