#include "platform/qt/kernel_lock.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
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
    // No file: a named mutex of the session's Local namespace, which exists while a process
    // holds a handle to it and goes when the last holder ends, however it ends. A process that
    // opens a file of the program's (a virus scanner, a backup, the search indexer) can never
    // make a start look refused, and nothing is written where the path points. The name is the
    // file's base name and a digest of the path, compared without case as Windows compares
    // paths: a mutex name holds no backslash and is at most MAX_PATH long.
    const QByteArray digest = QCryptographicHash::hash(QDir::toNativeSeparators(path).toLower().toUtf8(),
                                                       QCryptographicHash::Sha256);
    const QString name = QStringLiteral("Local\\") + QFileInfo(path).completeBaseName().left(64) +
                         QLatin1Char('-') + QString::fromLatin1(digest.toHex());
    const HANDLE handle = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name.utf16()));
    if (handle == nullptr) {
        // The name belongs to another kind of object, or to an object this user may not open.
        return Result::Unusable;
    }
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        return Result::HeldElsewhere;
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
