#include "platform/qt/qt_settings_backend.h"

#include <QStandardPaths>
#include <utility>

#ifdef Q_OS_WIN
#include <QSettings>
#else
#include "platform/qt/ini_text.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ssn::platform {

QtSettingsBackend::QtSettingsBackend(QString root) : m_root(std::move(root)) {}

QString QtSettingsBackend::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsBackend::applicationFolder(const QString& application) const {
    return m_root + QLatin1Char('/') + application;
}

#ifdef Q_OS_WIN

namespace {

QString path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

// HKEY_CURRENT_USER\Software\<application>, with the sections as keys below it.
QString registryKey(const QString& application) {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application;
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    QSettings settings(registryKey(application), QSettings::NativeFormat);
    settings.setFallbacksEnabled(false); // nothing else is read as the store
    if (settings.status() != QSettings::NoError)
        return {};
    return settings.value(path(section, key)).toString();
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    QSettings settings(registryKey(application), QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    settings.setValue(path(section, key), value);
    settings.sync();
}

#else

namespace {

// Long enough for another writer's rename to pass, far too short to be noticed at start-up.
constexpr int kLockWaitMs = 100;

enum class Entry { Missing, Regular, Other };

Entry entryAt(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    return S_ISREG(status.st_mode) ? Entry::Regular : Entry::Other;
}

enum class LockState { Taken, Unusable, CannotBeMade };

// The lock QSettings itself takes beside an INI file while writing it, so that a QSettings-based
// tool and this program never write the file at once. Its wait is bounded; a folder or FIFO in
// its place, on which the toolkit's lock would wait or block for ever, is never touched.
LockState lockBeside(QLockFile& lock, const QString& lockPath) {
    const Entry entry = entryAt(lockPath);
    if (entry != Entry::Missing && entry != Entry::Regular)
        return LockState::Unusable;
    if (lock.tryLock(kLockWaitMs))
        return LockState::Taken;
    return lock.error() == QLockFile::LockFailedError ? LockState::Unusable : LockState::CannotBeMade;
}

enum class FileState { Missing, Read, NotRegular, Unreadable };

// Opened without blocking, so a FIFO in the file's place is found out instead of waited on.
FileState readRegularFile(const QString& path, QByteArray& contents) {
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return FileState::NotRegular;
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return FileState::Unreadable;
    }
    contents = file.readAll();
    return file.error() == QFileDevice::NoError ? FileState::Read : FileState::Unreadable;
}

// The new file is written beside the old one and renamed over it only when every byte was
// written and flushed; otherwise the old file stays as it was.
bool replaceFile(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(contents) != contents.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    const QString file =
        applicationFolder(application) + QLatin1Char('/') + application + QStringLiteral(".ini");
    if (m_unusable.contains(application) || entryAt(file) == Entry::Missing)
        return {};
    // Every writer renames a complete file into place, so a read needs no lock; but a lock
    // entry that is there and cannot be taken makes the store unusable for the run. A folder
    // that cannot hold a lock (read-only) is still read.
    QLockFile lock(file + QStringLiteral(".lock"));
    QByteArray contents;
    if (entryAt(lock.fileName()) != Entry::Missing &&
        lockBeside(lock, lock.fileName()) == LockState::Unusable) {
        m_unusable.insert(application);
        return {};
    }
    switch (readRegularFile(file, contents)) {
    case FileState::Read:
        return iniValue(contents, section, key);
    case FileState::NotRegular:
        m_unusable.insert(application);
        return {};
    case FileState::Missing:
    case FileState::Unreadable:
        break;
    }
    return {};
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    const QString folder = applicationFolder(application);
    const QString file = folder + QLatin1Char('/') + application + QStringLiteral(".ini");
    if (m_unusable.contains(application) || !QDir().mkpath(folder))
        return;
    QLockFile lock(file + QStringLiteral(".lock"));
    switch (lockBeside(lock, lock.fileName())) {
    case LockState::Taken:
        break;
    case LockState::Unusable:
        m_unusable.insert(application);
        return;
    case LockState::CannotBeMade:
        return; // the folder takes no new files, so no new settings file either
    }
    QByteArray contents;
    switch (readRegularFile(file, contents)) {
    case FileState::Missing:
    case FileState::Read:
        replaceFile(file, withIniValue(contents, section, key, value));
        return;
    case FileState::NotRegular:
        m_unusable.insert(application);
        return;
    case FileState::Unreadable:
        return; // writing now would lose every key that could not be read
    }
}

#endif

} // namespace ssn::platform
