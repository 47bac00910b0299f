#pragma once

#include "platform/platform.h"
#include "platform/qt/kernel_lock.h"

#include <optional>

namespace ssn::platform {

// Tells whether another copy runs for the same user by taking a kernel lock on a file named
// after the executable in a folder of the user's own (see lock_directory.h; the first such
// folder is the settings folder below `settingsRoot`). The lock is held for the life of this
// object, the whole run, and the system drops it when the process ends, however it ends. On
// Windows the lock is a named mutex and no file or folder is made (see kernel_lock.h). The
// answer is settled at the first question.
class QtInstanceGuard : public InstanceGuard {
public:
    QtInstanceGuard(ExecutableInfo& executable, QString settingsRoot);

    bool previousInstanceRunning() override;

private:
    bool anotherCopyHoldsTheLock();

    ExecutableInfo& m_executable;
    QString m_settingsRoot;
    KernelLock m_lock;
    std::optional<bool> m_answer;
};

} // namespace ssn::platform
