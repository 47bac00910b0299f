#include "platform/qt/kernel_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <windows.h>

namespace ssn::platform {

KernelLock::~KernelLock() {
    release();
}

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

} // namespace ssn::platform
