#include "platform/qt/lock_directory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ssn::platform {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// A lock in a folder that others can write to could be planted or removed by them.
bool isPrivateFolder(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink() || !info.isWritable())
        return false;
#ifdef Q_OS_UNIX
    const QFileDevice::Permissions others = QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.ownerId() == ::geteuid() && (info.permissions() & others) == 0;
#else
    return true;
#endif
}

QString runtimeFolder() {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    return path;
}

QString privateTemporaryFolder() {
#ifdef Q_OS_UNIX
    const QString user = QString::number(::geteuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    const QString path = QDir::tempPath() + QStringLiteral("/ssn-runtime-") + user;
    if (!QFileInfo::exists(path))
        QDir().mkdir(path, kOwnerOnly);
    return path;
}

QString settingsFolderMade(const QString& folder) {
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return folder;
}

} // namespace

void forEachLockDirectory(const QString& settingsFolder,
                          const std::function<bool(const QString&)>& tryFolder) {
    const std::function<QString()> candidates[] = {runtimeFolder, privateTemporaryFolder, [&settingsFolder] {
                                                       return settingsFolderMade(settingsFolder);
                                                   }};
    for (const auto& candidate : candidates) {
        const QString path = candidate();
        if (!path.isEmpty() && isPrivateFolder(path) && tryFolder(path))
            return;
    }
}

} // namespace ssn::platform
