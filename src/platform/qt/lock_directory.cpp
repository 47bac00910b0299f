#include "platform/qt/lock_directory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ssn::platform {
namespace {

// A lock in a folder that another user owns, or that every user may write to, could be planted
// or removed by someone else.
bool isUsersOwnFolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isWritable())
        return false;
#ifdef Q_OS_UNIX
    return info.ownerId() == ::geteuid() && !info.permissions().testFlag(QFileDevice::WriteOther);
#else
    return true; // the folders offered are below the user's own profile
#endif
}

QString settingsFolderMade(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(QFileInfo(folder).absolutePath()))
        return {};
    if (!QFileInfo::exists(folder))
        QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString runtimeFolder() {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return path;
}

} // namespace

void forEachLockDirectory(const QString& settingsFolder,
                          const std::function<bool(const QString&)>& tryFolder) {
    // Each folder is made only when the one before it cannot hold the lock.
    const std::function<QString()> candidates[] = {
        [&settingsFolder] { return settingsFolderMade(settingsFolder); }, runtimeFolder};
    for (const auto& candidate : candidates) {
        const QString path = candidate();
        if (!path.isEmpty() && isUsersOwnFolder(path) && tryFolder(path))
            return;
    }
}

} // namespace ssn::platform
