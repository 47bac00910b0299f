#include "platform/qt/qt_instance_guard.h"

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <optional>
#include <utility>

namespace ssn::platform {

#ifndef Q_OS_WIN
namespace {

// Takes the lock file `name` in `folder` without waiting, making it owner-only where it is
// missing; what it holds is never read. True when it is held elsewhere, false when taken, nothing
// when it cannot be used. A lock file that someone else could open (another user's, or one
// restored from a backup as 0644) could be held by them for ever: it is replaced by one that only
// the user can open, locked before it takes the name. An entry that is no regular file (a FIFO, a
// link, a folder) is passed over, never removed.
std::optional<bool> heldElsewhere(const Descriptor& folder, const QByteArray& name, Descriptor& held,
                                  QString& why) {
    // O_NONBLOCK keeps a FIFO from holding the open, O_NOFOLLOW refuses a link, and O_CLOEXEC
    // keeps a started browser from inheriting the lock and holding it after this process ends.
    const int flags = O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    Descriptor file(::openat(folder.get(), name.constData(), flags, 0600));
    struct stat status {};
    if (file ? ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) : errno != EACCES)
        return why = decodePath(name) + QStringLiteral(": no lock file"), std::nullopt;
    const QByteArray fresh = name + ".new";
    if (!file || status.st_uid != ::geteuid() || (status.st_mode & 077) != 0) {
        ::unlinkat(folder.get(), fresh.constData(), 0);
        file = Descriptor(::openat(folder.get(), fresh.constData(), flags | O_EXCL, 0600));
        if (!file || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
            ::renameat(folder.get(), fresh.constData(), folder.get(), name.constData()) != 0) {
            why = failed(fresh, errno);
            ::unlinkat(folder.get(), fresh.constData(), 0);
            return std::nullopt;
        }
    } else if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        why = failed(name, error);
        return error == EWOULDBLOCK ? std::optional(true) : std::nullopt;
    }
    held = std::move(file);
    return false;
}

} // namespace
#endif

QtInstanceGuard::QtInstanceGuard(ExecutableInfo& executable, QString settingsRoot)
    : m_executable(executable), m_settingsRoot(std::move(settingsRoot)) {}

QtInstanceGuard::~QtInstanceGuard() {
#ifdef Q_OS_WIN
    if (m_mutex != nullptr)
        ::CloseHandle(m_mutex);
#endif
}

bool QtInstanceGuard::previousInstanceRunning() {
    if (!m_answer)
        m_answer = anotherCopyHoldsTheLock();
    return *m_answer;
}

bool QtInstanceGuard::anotherCopyHoldsTheLock() {
    const QString name = m_executable.executableName();
#ifdef Q_OS_WIN
    // No file: a named mutex of the session's Local namespace, which exists while a process
    // holds a handle to it and goes when the last holder ends, however it ends. A process that
    // opens a file of the program's (a virus scanner, a backup, the search indexer) can never
    // make a start look refused, and nothing is written anywhere, even where Local AppData
    // cannot be written. The name is the base name and a digest of the lock file's place in the
    // settings folder, compared without case as Windows compares paths: a mutex name holds no
    // backslash and is at most MAX_PATH long.
    const QString path =
        m_settingsRoot + QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".lock");
    const QByteArray digest = QCryptographicHash::hash(QDir::toNativeSeparators(path).toLower().toUtf8(),
                                                       QCryptographicHash::Sha256);
    const QString mutexName = QStringLiteral("Local\\") + QFileInfo(path).completeBaseName().left(64) +
                              QLatin1Char('-') + QString::fromLatin1(digest.toHex());
    const HANDLE handle = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(mutexName.utf16()));
    // Without a handle (the name belongs to another kind of object, or to an object this user
    // may not open) a start is never refused.
    if (handle != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        return true;
    }
    m_mutex = handle;
    return false;
#else
    const passwd* account = ::getpwuid(::geteuid());
    const QByteArray program = encodePath(name);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray folders[] = {
        encodePath(m_settingsRoot) + '/' + program,
        account != nullptr ? account->pw_dir + ("/.config/" + program) : QByteArray(), runtime};
    QString firstWhy;
    for (const QByteArray& path : folders) {
        QString why;
        Descriptor folder;
        openOwn(path, &path != &runtime, folder, nullptr, why);
        const std::optional<bool> held =
            folder ? heldElsewhere(folder, program + ".lock", m_lock, why) : std::nullopt;
        if (held)
            return *held;
        firstWhy = firstWhy.isEmpty() ? why : firstWhy;
    }
    // Only when no folder at all can hold a lock is a start never refused.
    qCWarning(lcSettings, "no single-instance lock: %s", qUtf8Printable(firstWhy));
    return false;
#endif
}

} // namespace ssn::platform
