#pragma once

#include "platform/platform.h"

#ifndef Q_OS_WIN
#include "platform/qt/user_folders.h"
#endif

#include <optional>

namespace ssn::platform {

// Tells whether another copy runs for the same user by taking a kernel lock, held for the life
// of this object (the whole run) and dropped by the system when the process ends, however it
// ends. The answer is settled at the first question.
//
// On Unix the lock is an flock on <executable>.lock in the program's settings folder below
// `settingsRoot`, reached by the one way into the user's folders (user_folders.h): its place
// depends on nothing that differs between two starts of the same user, no other user can create
// it first, and no cleaner of temporary files empties it. Only where that folder is refused
// (someone else's, open to others, root started in another user's tree) does the lock go to
// the same folder below the home that the password database gives, then to the runtime folder
// (never made here). On Windows the lock is a named mutex of the session and no file or folder
// is made.
class QtInstanceGuard : public InstanceGuard {
public:
    QtInstanceGuard(ExecutableInfo& executable, QString settingsRoot);
    ~QtInstanceGuard() override;
    QtInstanceGuard(const QtInstanceGuard&) = delete;
    QtInstanceGuard& operator=(const QtInstanceGuard&) = delete;

    bool previousInstanceRunning() override;

private:
    bool anotherCopyHoldsTheLock();

    ExecutableInfo& m_executable;
    QString m_settingsRoot;
#ifdef Q_OS_WIN
    void* m_mutex = nullptr; // the mutex's handle, held for the whole run
#else
    Descriptor m_lock;
#endif
    std::optional<bool> m_answer;
};

} // namespace ssn::platform
