#include "platform/qt/qt_settings_backend.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

#ifndef Q_OS_WIN
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ssn::platform {

QtSettingsBackend::QtSettingsBackend(QString root) : m_root(std::move(root)) {}

QString QtSettingsBackend::defaultRoot() {
#ifndef Q_OS_WIN
    // The XDG rule that Qt 6.4 does not follow: a relative XDG_CONFIG_HOME is ignored.
    if (QDir::isRelativePath(qEnvironmentVariable("XDG_CONFIG_HOME", QStringLiteral("/"))))
        return QDir::homePath() + QStringLiteral("/.config");
#endif
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
// The file holds one date. One this large is no settings file of the program's, and parsing it
// would take seconds and gigabytes at every start.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

enum class Entry { Missing, Regular, Other };

// What lies at a path; a link counts as what it points to only when links are followed.
Entry entryAt(const QString& path, bool followLinks = false, struct stat* status = nullptr) {
    struct stat own {};
    struct stat& found = status != nullptr ? *status : own;
    const QByteArray name = QFile::encodeName(path);
    if ((followLinks ? ::stat(name.constData(), &found) : ::lstat(name.constData(), &found)) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    return S_ISREG(found.st_mode) ? Entry::Regular : Entry::Other;
}

// The settings file, links followed, if the store can use it: a FIFO would block QSettings'
// open for ever, and a huge file is never read at all.
Entry settingsEntry(const QString& file, struct stat& status) {
    const Entry entry = entryAt(file, true, &status);
    return entry == Entry::Regular && status.st_size > kMaxFileBytes ? Entry::Other : entry;
}

// The file at the end of a chain of links, which a write replaces; the links stay as they are.
QString finalTarget(const QString& file) {
    QFileInfo info(file);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

enum class LockState { Taken, Unusable, CannotBeMade };

// The lock that QSettings takes beside an INI file while writing it (`<file>.lock`): taking the
// same one keeps a QSettings-based tool and this program from writing the file at once. Its
// wait is bounded here, unlike QSettings' own; a folder or FIFO in its place, on which the
// toolkit's lock would wait or block for ever, is never touched.
LockState lockBeside(QLockFile& lock) {
    const Entry entry = entryAt(lock.fileName());
    if (entry != Entry::Missing && entry != Entry::Regular)
        return LockState::Unusable;
    if (lock.tryLock(kLockWaitMs))
        return LockState::Taken;
    return lock.error() == QLockFile::LockFailedError ? LockState::Unusable : LockState::CannotBeMade;
}

// Every key with its value as text. QSettings writes a number it read from a typed value back
// as plain text, which reads back as a string; as text the two are equal.
QMap<QString, QString> everyValue(const QSettings& settings) {
    QMap<QString, QString> values;
    for (const QString& name : settings.allKeys())
        values.insert(name, settings.value(name).toString());
    return values;
}

// A write's scratch files all begin with this, beside the file they replace; a killed write
// leaves some behind, which the first read of a run or the next write removes (under the lock).
QString scratchPrefix(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".new-");
}

void removeScratchFiles(const QString& prefix) {
    const QFileInfo info(prefix);
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(info.fileName()))
            QFile::remove(folder.filePath(name));
    }
}

// QSettings writes through QSaveFile, which on Qt 6.4 commits a file that a full disk cut short
// when the failing write is the last buffered one (a 7 KB file under a 4 KB size limit came out
// as its first 4096 bytes, status NoError). So QSettings writes the new file under a scratch
// name beside the old one, made with the old file's mode; it is read back afresh under a second
// name (under the first QSettings would answer from its cache), and only a file that reads back
// as it was written, given the old file's owner, is renamed over the old one.
void replaceWithCheckedCopy(const QString& target, const struct stat* old, const QSettings& current,
                            const QString& key, const QString& value) {
    const QString prefix = scratchPrefix(target);
    removeScratchFiles(prefix);
    QTemporaryFile scratch(prefix + QStringLiteral("XXXXXX"));
    scratch.setAutoRemove(false);
    if (!scratch.open())
        return;
    const QString written = scratch.fileName();
    // QSaveFile keeps the mode of the file it replaces; a new file gets QSettings' own.
    if (old != nullptr)
        ::fchmod(scratch.handle(), old->st_mode & 07777);
    else
        scratch.remove();
    scratch.close();
    QMap<QString, QString> meant;
    bool complete = false;
    {
        QSettings next(written, QSettings::IniFormat);
        // A name that only a damaged line can give ("Other//k", "Other/") reads no value.
        for (const QString& name : current.allKeys()) {
            if (current.contains(name))
                next.setValue(name, current.value(name));
        }
        next.setValue(key, value);
        next.sync();
        complete = next.status() == QSettings::NoError;
        meant = everyValue(next);
    }
    const QString checked = written + QStringLiteral(".check");
    complete = complete && QFile::rename(written, checked) &&
               everyValue(QSettings(checked, QSettings::IniFormat)) == meant;
    // Root writing a user's file gives it back to the user, and the file keeps its group where
    // the user is a member of it. An ordinary user cannot give a file away: it stays theirs.
    if (complete && old != nullptr) {
        [[maybe_unused]] const int given =
            ::chown(QFile::encodeName(checked).constData(), old->st_uid, old->st_gid);
    }
    if (!complete ||
        std::rename(QFile::encodeName(checked).constData(), QFile::encodeName(target).constData()) != 0)
        removeScratchFiles(prefix);
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    const QString file = settingsFile(application);
    if (m_unusable.contains(application))
        return {};
    struct stat status {};
    switch (settingsEntry(file, status)) {
    case Entry::Missing:
        return {};
    case Entry::Other:
        m_unusable.insert(application);
        return {};
    case Entry::Regular:
        break;
    }
    // Every write renames a complete file into place, so reading needs no lock. The first read of
    // a run takes it once, to remove what a write that was killed left. A lock entry that cannot
    // be taken makes the store unusable for the run; a folder that cannot hold a lock (read-only)
    // is still read.
    if (!m_tidied.contains(application)) {
        m_tidied.insert(application);
        QLockFile lock(file + QStringLiteral(".lock"));
        switch (lockBeside(lock)) {
        case LockState::Taken:
            removeScratchFiles(scratchPrefix(finalTarget(file)));
            break;
        case LockState::Unusable:
            m_unusable.insert(application);
            return {};
        case LockState::CannotBeMade:
            break;
        }
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
    struct stat old {};
    const Entry entry = settingsEntry(file, old);
    if (entry == Entry::Other) {
        m_unusable.insert(application);
        return;
    }
    // A file that cannot be read is never overwritten: every key in it would be lost. The file
    // itself is asked, since QSettings may answer from what it read earlier in the run.
    if (entry == Entry::Regular && !QFile(file).open(QIODevice::ReadOnly))
        return;
    const QSettings current(file, QSettings::IniFormat);
    replaceWithCheckedCopy(finalTarget(file), entry == Entry::Regular ? &old : nullptr, current,
                           settingsKey(section, key), value);
}

#endif

} // namespace ssn::platform
