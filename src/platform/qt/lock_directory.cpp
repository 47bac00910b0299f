#include "platform/qt/lock_directory.h"

#include "platform/qt/user_folders.h"

#include <QDir>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

// A lock in a folder that another user owns, or that someone else may write to, could be
// planted or removed by someone else.
bool isUsersOwnFolder(const QString& path) {
    const QByteArray name = encodePath(path);
    struct stat status {};
    return ::stat(name.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && !othersMayWrite(status) && ::access(name.constData(), W_OK) == 0;
}

QString settingsFolderMade(const QString& folder) {
    // Root in another user's tree makes nothing there: its lock goes to its own runtime folder.
    if (folder.isEmpty() || rootInAnotherUsersTree(folder) || !makeFolders(folder))
        return {};
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
