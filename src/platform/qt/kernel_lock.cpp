#include "platform/qt/kernel_lock.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QDir>
#include <windows.h>
#else
#include "platform/qt/user_folders.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ssn::platform {

KernelLock::~KernelLock() {
    release();
}

#ifdef Q_OS_WIN

KernelLock::Result KernelLock::take(const QString& path) {
    release();
    // Opened with no sharing at all: while this handle is open every other open fails with a
    // sharing violation; the system closes the handle when the process ends.
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE handle = ::CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), GENERIC_READ, 0,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION ? Result::HeldElsewhere : Result::Unusable;
    }
    m_handle = reinterpret_cast<qintptr>(handle);
    return Result::Taken;
}

void KernelLock::release() {
    if (m_handle != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
        m_handle = -1;
    }
}

#else

KernelLock::Result KernelLock::take(const QString& path) {
    release();
    // Never blocks: O_NONBLOCK keeps a FIFO from holding the open, O_NOFOLLOW refuses a link
    // planted in the lock's place, and O_CLOEXEC keeps a started browser from inheriting the
    // lock and holding it after this process has ended.
    const int descriptor =
        ::open(encodePath(path).constData(),
               O_RDONLY | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (descriptor < 0) {
        return Result::Unusable;
    }
    // A file that another user made in the lock's place (the folder may be open to the user's
    // group) could be held by them for ever.
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(descriptor);
        return Result::Unusable;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
        m_handle = descriptor;
        return Result::Taken;
    }
    const int error = errno;
    ::close(descriptor);
    return error == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unusable;
}

void KernelLock::release() {
    if (m_handle != -1) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
}

#endif

} // namespace ssn::platform
