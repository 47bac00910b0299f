#include "platform/qt/qt_instance_guard.h"

#include "platform/qt/lock_directory.h"

namespace ssn::platform {

QtInstanceGuard::QtInstanceGuard(ExecutableInfo& executable) : m_executable(executable) {}

QtInstanceGuard::~QtInstanceGuard() = default;

bool QtInstanceGuard::previousInstanceRunning() {
    if (!m_answer)
        m_answer = anotherCopyHoldsTheLock();
    return *m_answer;
}

bool QtInstanceGuard::anotherCopyHoldsTheLock() {
    // Without a usable private folder the check cannot be made; a start is never refused then.
    const QString folder = lockDirectory();
    if (folder.isEmpty())
        return false;
    m_lock = std::make_unique<QLockFile>(folder + QLatin1Char('/') + m_executable.executableName() +
                                         QStringLiteral(".lock"));
    // Only a lock whose process is gone counts as stale, however old it is: a copy that has
    // been running for days still holds its lock.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return false;
    return m_lock->error() == QLockFile::LockFailedError;
}

} // namespace ssn::platform
