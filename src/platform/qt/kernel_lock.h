#pragma once

#include <QString>

namespace ssn::platform {

// Windows: an exclusive lock named by a file's path that the system releases when the process
// ends, however it ends: a named mutex of the session, so no file is made, nothing can make the
// lock look taken, and nothing waits. (On Unix the guard locks a file; see qt_instance_guard.h.)
class KernelLock {
public:
    enum class Result {
        Taken,         // this process holds the lock until it is destroyed
        HeldElsewhere, // another process holds it
        Unusable,      // the name belongs to an object this user may not open
    };

    KernelLock() = default;
    ~KernelLock();
    KernelLock(const KernelLock&) = delete;
    KernelLock& operator=(const KernelLock&) = delete;

    // Tries once, without waiting, to take the lock named after `path`. A lock already held by
    // this object is released first.
    Result take(const QString& path);

private:
    void release();

    qintptr m_handle = -1;
};

} // namespace ssn::platform
