#pragma once

#include <QString>

namespace ssn::platform {

// An exclusive lock named by a file's path that the operating system releases when the process
// ends, however it ends: an advisory lock on the file on Unix, a named mutex of the session on
// Windows (where no file is made). What the file holds is never read, so no content can make
// the lock look taken, and nothing waits.
class KernelLock {
public:
    enum class Result {
        Taken,         // this process holds the lock until it is destroyed
        HeldElsewhere, // another process holds it
        Unusable,      // the entry is no lock file of the user's (a folder, a FIFO, a link, no access)
    };

    KernelLock() = default;
    ~KernelLock();
    KernelLock(const KernelLock&) = delete;
    KernelLock& operator=(const KernelLock&) = delete;

    // Tries once, without waiting, to take the lock on the file at `path`, creating it
    // (owner-only) when it does not exist, on Unix. A lock already held by this object is
    // released first.
    Result take(const QString& path);

private:
    void release();

    qintptr m_handle = -1;
};

} // namespace ssn::platform
