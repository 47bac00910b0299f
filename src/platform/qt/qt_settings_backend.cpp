#include "platform/qt/qt_settings_backend.h"

#include "platform/qt/settings_log.h"

#include <QSettings>
#include <QStandardPaths>
#include <new>
#include <utility>

#ifndef Q_OS_WIN
#include "platform/qt/ini_text.h"
#include "platform/qt/user_folders.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcSettings, "ssn.settings", QtWarningMsg)

namespace ssn::platform {

QString QtSettingsBackend::defaultRoot() {
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#else
    // The XDG rule on the bytes the variables hold, whatever their encoding: a relative
    // XDG_CONFIG_HOME is ignored (Qt 6.4 takes it), and without HOME the home is the one the
    // password database gives (Qt 6.4 gives none).
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    if (configHome.startsWith('/'))
        return decodePath(configHome);
    QByteArray home = qgetenv("HOME");
    if (const passwd* account = home.isEmpty() ? ::getpwuid(::geteuid()) : nullptr)
        home = account->pw_dir;
    return decodePath(home) + QStringLiteral("/.config");
#endif
}

QString QtSettingsBackend::filePath(const QString& root, const QString& application,
                                    const QString& extension) {
    return root + u'/' + application + u'/' + application + u'.' + extension;
}

namespace {

#ifdef Q_OS_WIN

// The application's branch is HKEY_CURRENT_USER\\Software\\<application>, with the sections as
// keys below it and each key as a value of its section's key; nothing else is read as the store.
QString readOrSave(const QString&, const QString& application, const QString& section, const QString& key,
                   const QString* value, QString& why) {
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application,
                       QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    if (value != nullptr) {
        settings.setValue(section + u'/' + key, *value);
        settings.sync();
    }
    why = settings.status() == QSettings::NoError ? QString()
                                                  : QStringLiteral("the registry key cannot be used");
    return value != nullptr ? QString() : settings.value(section + u'/' + key).toString();
}

#else

// The file holds one date. One this large is no settings file of the program's, and parsing it
// would take seconds and gigabytes at every start; a save never makes the file larger.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// The settings file as found: its place (the folder held open, the file's name there), its
// status, access ACL and contents.
struct SettingsFile {
    OwnPlace place;
    struct stat status {};
    QByteArray acl;
    QByteArray contents;
};

// Reaches the file by the one way in and reads it through one descriptor: a regular file of at
// most the limit, with one allocation of its size, whatever happens to the name meanwhile. False,
// with the reason in `why` where there is one, when what is there cannot be read whole; a
// missing file in a folder of the user's reads as empty.
bool readFile(const QString& root, const QString& application, bool make, SettingsFile& file, QString& why) {
    file.place = openOwn(encodePath(QtSettingsBackend::filePath(root, application, QStringLiteral("ini"))),
                         make, true);
    why = file.place.why;
    const Descriptor opened = std::move(file.place.file);
    if (!opened)
        return file.place.folder && file.place.nothingToKeep;
    if (::fstat(opened.get(), &file.status) != 0 || !S_ISREG(file.status.st_mode) ||
        file.status.st_size > kMaxFileBytes) {
        why = decodePath(file.place.name) + QStringLiteral(": no regular file of at most 4 MB");
        return false;
    }
    file.acl = accessAcl(opened.get());
    file.contents.resize(file.status.st_size);
    QFile in;
    const qint64 length = in.open(opened.get(), QIODevice::ReadOnly | QIODevice::Unbuffered)
                              ? in.read(file.contents.data(), file.contents.size())
                              : -1;
    file.contents.truncate(std::max<qint64>(length, 0));
    return length >= 0;
}

// Writes the new text to one scratch file beside the old one (removed first, when a killed save
// left it), flushes it to disk, gives it the old file's owner, mode and access ACL where the file
// system keeps them (FAT through FUSE refuses them, and the save goes through all the same), and
// renames it into place within the folder. A full disk or a file-size limit fails a write or the
// flush, and the old file stays as it was. Being the only copy of the program that runs, this
// process is the only writer.
void replaceFile(const SettingsFile& file, const QByteArray& text, QString& why) {
    const int folder = file.place.folder.get();
    const QByteArray scratch = '.' + file.place.name + ".new";
    ::unlinkat(folder, scratch.constData(), 0);
    const Descriptor out(
        ::openat(folder, scratch.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    QFile writer;
    const bool written = out && writer.open(out.get(), QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         writer.write(text) == text.size();
    // A new file is 0600 whatever the umask. What the file system refuses of these is given up.
    ::fchmod(out.get(), file.status.st_ino != 0 ? file.status.st_mode & 07777 : 0600);
    if (out && file.status.st_ino != 0) {
        // Root saving a file of another user in its own tree gives it back to its owner.
        [[maybe_unused]] const int given = ::fchown(out.get(), file.status.st_uid, file.status.st_gid);
        // Its ACL too: a scratch file takes the folder's default ACL instead, if it has one.
        file.acl.isEmpty() ? ::fremovexattr(out.get(), kAccessAcl)
                           : ::fsetxattr(out.get(), kAccessAcl, file.acl.constData(), file.acl.size(), 0);
    }
    if (!written || ::fsync(out.get()) != 0 ||
        ::renameat(folder, scratch.constData(), folder, file.place.name.constData()) != 0) {
        why = failed(scratch, errno);
        ::unlinkat(folder, scratch.constData(), 0);
        return;
    }
    // The rename made lasting, through a descriptor that may read the folder.
    ::fsync(Descriptor(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)).get());
}

// The key's value, or, with `value`, a save of it, which gives an empty text.
QString readOrSave(const QString& root, const QString& application, const QString& section,
                   const QString& key, const QString* value, QString& why) {
    SettingsFile file;
    // A file that cannot be read whole is never replaced: every key in it would be lost.
    if (!readFile(root, application, value != nullptr, file, why))
        return {};
    if (value == nullptr)
        return ini::valueOf(file.contents, section, key);
    const QByteArray text = ini::withValue(file.contents, section, key, *value);
    if (text.size() > kMaxFileBytes)
        why = QStringLiteral("the file would grow past 4 MB");
    else
        replaceFile(file, text, why);
    return {};
}

#endif

// Reads the key, or saves `value` in it; why either was given up, a failed allocation included,
// is said once per run.
QString readOrSaveQuietly(bool& said, const QString& root, const QString& application, const QString& section,
                          const QString& key, const QString* value) {
    QString why;
    QString read;
    try {
        read = readOrSave(root, application, section, key, value, why);
    } catch (const std::bad_alloc&) {
        why = QStringLiteral("out of memory");
    }
    if (!why.isEmpty() && !std::exchange(said, true))
        qCWarning(lcSettings, "the settings were not %s: %s", value != nullptr ? "saved" : "read",
                  qUtf8Printable(why));
    return read;
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    return readOrSaveQuietly(m_saidWhy, m_root, application, section, key, nullptr);
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    readOrSaveQuietly(m_saidWhy, m_root, application, section, key, &value);
}

} // namespace ssn::platform
