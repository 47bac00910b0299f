#include "platform/qt/qt_settings_backend.h"

#include <QSettings>
#include <QStandardPaths>
#include <utility>

#ifndef Q_OS_WIN
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QTemporaryDir>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#endif

namespace ssn::platform {

QtSettingsBackend::QtSettingsBackend(QString root) : m_root(std::move(root)) {}

QString QtSettingsBackend::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QtSettingsBackend::applicationFolder(const QString& application) const {
    return m_root + QLatin1Char('/') + application;
}

QString QtSettingsBackend::settingsFile(const QString& application) const {
    return applicationFolder(application) + QLatin1Char('/') + application + QStringLiteral(".ini");
}

namespace {

// The section as a group of QSettings, the key below it.
QString settingsKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

#ifdef Q_OS_WIN

namespace {

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
    return settings.value(settingsKey(section, key)).toString();
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    QSettings settings(registryKey(application), QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    settings.setValue(settingsKey(section, key), value);
    settings.sync();
}

#else

namespace {

// Long enough for another writer's rename to pass, far too short to be noticed at start-up.
constexpr int kLockWaitMs = 100;

enum class Entry { Missing, Regular, Other };

// What lies at a path; a link counts as what it points to only when links are followed.
Entry entryAt(const QString& path, bool followLinks = false) {
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    if ((followLinks ? ::stat(name.constData(), &status) : ::lstat(name.constData(), &status)) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    return S_ISREG(status.st_mode) ? Entry::Regular : Entry::Other;
}

enum class LockState { Taken, Unusable, CannotBeMade };

// The lock QSettings itself takes beside an INI file while writing it, so that a QSettings-based
// tool and this program never write the file at once. Its wait is bounded; a folder or FIFO in
// its place, on which the toolkit's lock would wait or block for ever, is never touched.
LockState lockBeside(QLockFile& lock) {
    const Entry entry = entryAt(lock.fileName());
    if (entry != Entry::Missing && entry != Entry::Regular)
        return LockState::Unusable;
    if (lock.tryLock(kLockWaitMs))
        return LockState::Taken;
    return lock.error() == QLockFile::LockFailedError ? LockState::Unusable : LockState::CannotBeMade;
}

// Every key QSettings can write again; a damaged file can give an empty one, which it cannot.
QMap<QString, QVariant> everyValue(const QSettings& settings) {
    QMap<QString, QVariant> values;
    for (const QString& name : settings.allKeys()) {
        if (!name.isEmpty())
            values.insert(name, settings.value(name));
    }
    return values;
}

// QSettings writes the new file in a private folder beside the old one. It can report success
// for a file that a full disk cut short, and then serves the lost keys from its cache; so the
// file is renamed and read back afresh under the new name, and only a file that holds every
// key is renamed over the old one. Otherwise the old file stays as it was.
bool replaceWithCheckedCopy(const QString& file, const QMap<QString, QVariant>& values) {
    const QString target = QFileInfo(file).isSymLink() ? QFileInfo(file).symLinkTarget() : file;
    QTemporaryDir scratch(QFileInfo(target).absolutePath() + QStringLiteral("/.settings-XXXXXX"));
    if (!scratch.isValid())
        return false;
    const QString written = scratch.filePath(QStringLiteral("written.ini"));
    {
        QSettings next(written, QSettings::IniFormat);
        for (auto value = values.begin(); value != values.end(); ++value)
            next.setValue(value.key(), value.value());
        next.sync();
        if (next.status() != QSettings::NoError)
            return false;
    }
    const QString readBack = scratch.filePath(QStringLiteral("read-back.ini"));
    if (!QFile::rename(written, readBack))
        return false;
    const QSettings check(readBack, QSettings::IniFormat);
    if (check.status() != QSettings::NoError || everyValue(check) != values)
        return false;
    return std::rename(QFile::encodeName(readBack).constData(), QFile::encodeName(target).constData()) == 0;
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    const QString file = settingsFile(application);
    if (m_unusable.contains(application))
        return {};
    switch (entryAt(file, true)) {
    case Entry::Missing:
        return {};
    case Entry::Other: // a FIFO would block QSettings' open for ever
        m_unusable.insert(application);
        return {};
    case Entry::Regular:
        break;
    }
    // Every write renames a complete file into place, so a read needs no lock; but a lock
    // entry that is there and cannot be taken makes the store unusable for the run. A folder
    // that cannot hold a lock (read-only) is still read.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (entryAt(lock.fileName()) != Entry::Missing && lockBeside(lock) == LockState::Unusable) {
        m_unusable.insert(application);
        return {};
    }
    const QSettings settings(file, QSettings::IniFormat);
    return settings.value(settingsKey(section, key)).toString();
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    const QString file = settingsFile(application);
    if (m_unusable.contains(application) || !QDir().mkpath(applicationFolder(application)))
        return;
    QLockFile lock(file + QStringLiteral(".lock"));
    switch (lockBeside(lock)) {
    case LockState::Taken:
        break;
    case LockState::Unusable:
        m_unusable.insert(application);
        return;
    case LockState::CannotBeMade:
        return; // the folder takes no new files, so no new settings file either
    }
    if (entryAt(file, true) == Entry::Other) {
        m_unusable.insert(application);
        return;
    }
    const QSettings current(file, QSettings::IniFormat);
    if (current.status() == QSettings::AccessError)
        return; // writing now would lose every key that could not be read
    QMap<QString, QVariant> values = everyValue(current);
    values.insert(settingsKey(section, key), value);
    replaceWithCheckedCopy(file, values);
}

#endif

} // namespace ssn::platform
