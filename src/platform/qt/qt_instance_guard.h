#pragma once

#include "platform/platform.h"

#include <optional>
#include <utility>

namespace ssn::platform {

// Tells whether another copy runs for the same user by taking a name that the kernel holds for
// this object's life (the whole run) and lets go when the process ends, however it ends. The
// answer is settled at the first question; no file or folder is made or read for it.
//
// On Linux the name is an abstract Unix socket's, tied to the program and the user's id, bound
// and listened on: no file system, mount, ACL, umask or environment variable can move or split
// it. A start that finds it taken asks the holder who it is (its credentials): the same user's
// copy refuses the start; anyone else's holding it lets the start run, and says why. Abstract
// names belong to the network namespace. On Windows the name is a named mutex of the session,
// after the program's settings place below `settingsRoot`.
class QtInstanceGuard : public InstanceGuard {
public:
    QtInstanceGuard(ExecutableInfo& executable, QString settingsRoot)
        : m_executable(executable), m_settingsRoot(std::move(settingsRoot)) {}
    ~QtInstanceGuard() override;
    QtInstanceGuard(const QtInstanceGuard&) = delete;
    QtInstanceGuard& operator=(const QtInstanceGuard&) = delete;

    bool previousInstanceRunning() override;

private:
    bool anotherCopyHoldsTheLock();

    ExecutableInfo& m_executable;
    QString m_settingsRoot;
    // The mutex's handle on Windows, the listening socket elsewhere, held for the whole run.
#ifdef Q_OS_WIN
    void* m_held = nullptr;
#else
    int m_held = -1;
#endif
    std::optional<bool> m_answer;
};

} // namespace ssn::platform
