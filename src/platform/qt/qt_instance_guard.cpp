#include "platform/qt/qt_instance_guard.h"

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <utility>

namespace ssn::platform {

#ifndef Q_OS_WIN
namespace {

enum class Lock { Taken, HeldElsewhere, Unusable };

// Takes the lock file `name` in `folder` without waiting, making it owner-only where it is
// missing; what it holds is never read. A lock file that someone else could open (another
// user's, or one restored from a backup as 0644) could be held by them for ever: it is replaced
// by one that only the user can open, locked before it takes the name. An entry that is no
// regular file (a FIFO, a link, a folder) is passed over, never removed.
Lock takeLock(const Descriptor& folder, const QByteArray& name, Descriptor& held, QString& why) {
    // O_NONBLOCK keeps a FIFO from holding the open, O_NOFOLLOW refuses a link, and O_CLOEXEC
    // keeps a started browser from inheriting the lock and holding it after this process ends.
    Descriptor file(::openat(folder.get(), name.constData(),
                             O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600));
    struct stat status {};
    if (file ? ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) : errno != EACCES) {
        why = decodePath(name) + QStringLiteral(": no lock file");
        return Lock::Unusable;
    }
    if (!file || status.st_uid != ::geteuid() || (status.st_mode & 077) != 0) {
        const QByteArray fresh = name + ".new";
        ::unlinkat(folder.get(), fresh.constData(), 0);
        file = Descriptor(::openat(folder.get(), fresh.constData(),
                                   O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!file || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 ||
            ::renameat(folder.get(), fresh.constData(), folder.get(), name.constData()) != 0) {
            why = decodePath(fresh) + QStringLiteral(": ") + QString::fromUtf8(std::strerror(errno));
            ::unlinkat(folder.get(), fresh.constData(), 0);
            return Lock::Unusable;
        }
    } else if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        why = decodePath(name) + QStringLiteral(": ") + QString::fromUtf8(std::strerror(errno));
        return errno == EWOULDBLOCK ? Lock::HeldElsewhere : Lock::Unusable;
    }
    held = std::move(file);
    return Lock::Taken;
}

} // namespace
#endif

QtInstanceGuard::QtInstanceGuard(ExecutableInfo& executable, QString settingsRoot)
    : m_executable(executable), m_settingsRoot(std::move(settingsRoot)) {}

bool QtInstanceGuard::previousInstanceRunning() {
    if (!m_answer)
        m_answer = anotherCopyHoldsTheLock();
    return *m_answer;
}

bool QtInstanceGuard::anotherCopyHoldsTheLock() {
    const QString name = m_executable.executableName();
#ifdef Q_OS_WIN
    // The lock is a kernel object named after the lock file's place in the settings folder
    // (below the user's Local AppData): no folder is made for it and nothing is left anywhere,
    // even where Local AppData cannot be written. Only when the name cannot be had is a start
    // never refused.
    return m_lock.take(m_settingsRoot + QLatin1Char('/') + name + QLatin1Char('/') + name +
                       QStringLiteral(".lock")) == KernelLock::Result::HeldElsewhere;
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
        const Descriptor folder = openOwnFolder(path, &path != &runtime, why);
        const Lock lock = folder ? takeLock(folder, program + ".lock", m_lock, why) : Lock::Unusable;
        if (lock != Lock::Unusable)
            return lock == Lock::HeldElsewhere;
        firstWhy = firstWhy.isEmpty() ? why : firstWhy;
    }
    // Only when no folder at all can hold a lock is a start never refused.
    qCWarning(lcSettings, "no single-instance lock: %s", qUtf8Printable(firstWhy));
    return false;
#endif
}

} // namespace ssn::platform
