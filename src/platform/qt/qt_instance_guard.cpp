#include "platform/qt/qt_instance_guard.h"

#ifndef Q_OS_WIN
#include "platform/qt/lock_directory.h"
#endif

#include <utility>

namespace ssn::platform {

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
    bool running = false;
    // An entry that is no lock file (a folder, a FIFO, a link) is passed over for the next
    // folder rather than removed: removing it could remove the lock another copy has
    // just taken in its place. Only when no folder at all can hold a lock is a start never refused.
    forEachLockDirectory(m_settingsRoot + QLatin1Char('/') + name, [&](const QString& folder) {
        switch (m_lock.take(folder + QLatin1Char('/') + name + QStringLiteral(".lock"))) {
        case KernelLock::Result::Taken:
            return true;
        case KernelLock::Result::HeldElsewhere:
            running = true;
            return true;
        case KernelLock::Result::Unusable:
            break;
        }
        return false;
    });
    return running;
#endif
}

} // namespace ssn::platform
