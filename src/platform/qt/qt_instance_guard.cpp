#include "platform/qt/qt_instance_guard.h"

#include "platform/qt/settings_log.h"

#ifdef Q_OS_WIN
#include "platform/qt/qt_settings_backend.h"

#include <QCryptographicHash>
#include <QDir>
#include <windows.h>
#else
#include <QFile>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <utility>

namespace ssn::platform {

QtInstanceGuard::~QtInstanceGuard() {
#ifdef Q_OS_WIN
    if (m_held != nullptr)
        ::CloseHandle(m_held);
#else
    if (m_held >= 0)
        ::close(m_held);
#endif
}

bool QtInstanceGuard::previousInstanceRunning() {
    if (!m_answer)
        m_answer = anotherCopyHoldsTheLock();
    return *m_answer;
}

bool QtInstanceGuard::anotherCopyHoldsTheLock() {
    const QString name = m_executable.executableName();
#ifdef Q_OS_WIN
    // No file: a named mutex of the session's Local namespace, which exists while a process
    // holds a handle to it and goes when the last holder ends, however it ends. A process that
    // opens a file of the program's (a virus scanner, a backup, the search indexer) can never
    // make a start look refused, and nothing is written anywhere, even where Local AppData
    // cannot be written. The name is the base name and a digest of the place the lock file of
    // earlier versions had, compared without case as Windows compares paths, so that a copy of an
    // earlier version counts: a mutex name holds no backslash and is at most MAX_PATH long.
    const QString path = QtSettingsBackend::filePath(m_settingsRoot, name, QStringLiteral("lock"));
    const QByteArray digest = QCryptographicHash::hash(QDir::toNativeSeparators(path).toLower().toUtf8(),
                                                       QCryptographicHash::Sha256);
    const QString mutexName =
        QStringLiteral("Local\\") + name.left(64) + QLatin1Char('-') + QString::fromLatin1(digest.toHex());
    const HANDLE handle = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(mutexName.utf16()));
    // Without a handle (the name belongs to another kind of object, or to an object this user
    // may not open) a start is never refused.
    if (handle == nullptr)
        qCWarning(lcSettings, "no single-instance lock: the mutex could not be made (error %lu)",
                  ::GetLastError());
    if (handle != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        return true;
    }
    m_held = handle;
    return false;
#else
    // The name: a NUL, the program's name and the user's id. A socket that is only bound cannot be
    // asked: the holder binds, then listens, so a start that meets the gap asks again for a moment.
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    const QByteArray id = QFile::encodeName(name).left(64) + '.' + QByteArray::number(::geteuid());
    std::memcpy(address.sun_path + 1, id.constData(), id.size());
    const auto place = reinterpret_cast<const sockaddr*>(&address);
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + id.size());
    const int kind = SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK; // no started browser inherits it
    int error = 0;
    for (int tries = 0; tries < 20; ++tries, ::usleep(5000)) {
        m_held = ::socket(AF_UNIX, kind, 0);
        if (m_held >= 0 && ::bind(m_held, place, length) == 0 && ::listen(m_held, SOMAXCONN) == 0)
            return false;
        error = errno;
        ::close(std::exchange(m_held, -1));
        const int asking = error == EADDRINUSE ? ::socket(AF_UNIX, kind, 0) : -1;
        ucred holder{};
        socklen_t size = sizeof holder;
        const bool told = asking >= 0 && ::connect(asking, place, length) == 0 &&
                          ::getsockopt(asking, SOL_SOCKET, SO_PEERCRED, &holder, &size) == 0;
        error = told || asking < 0 ? error : errno;
        ::close(asking);
        if (told && holder.uid != ::geteuid())
            qCWarning(lcSettings, "no single-instance lock: its name is held by user %u (process %d)",
                      unsigned(holder.uid), int(holder.pid));
        if (told)
            return holder.uid == ::geteuid();
        if (error != ECONNREFUSED && error != EAGAIN)
            break;
    }
    // Only when the name can neither be had nor asked is a start never refused.
    qCWarning(lcSettings, "no single-instance lock: %s", std::strerror(error));
    return false;
#endif
}

} // namespace ssn::platform
