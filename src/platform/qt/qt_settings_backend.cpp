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

QtSettingsBackend::QtSettingsBackend(QString root) : m_root(std::move(root)) {}

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
QString readValue(const QString&, const QString& application, const QString& section, const QString& key,
                  QString& why) {
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application,
                       QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    const QString value = settings.value(section + u'/' + key).toString();
    why = settings.status() == QSettings::NoError ? QString()
                                                  : QStringLiteral("the registry key is unreadable");
    return value;
}

void writeValue(const QString&, const QString& application, const QString& section, const QString& key,
                const QString& value, QString& why) {
    QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + application,
                       QSettings::NativeFormat);
    settings.setFallbacksEnabled(false);
    settings.setValue(section + u'/' + key, value);
    settings.sync();
    why = settings.status() == QSettings::NoError ? QString()
                                                  : QStringLiteral("the registry key is unwritable");
}

#else

// The file holds one date. One this large is no settings file of the program's, and parsing it
// would take seconds and gigabytes at every start; a save never makes the file larger.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

// The settings file as found: its folder held open, its name there, its status and contents.
struct SettingsFile {
    Descriptor folder;
    QByteArray name;
    struct stat status {};
    QByteArray acl; // the file's access ACL as the kernel keeps it, if it has one
    QByteArray contents;
};

constexpr char kAccessAcl[] = "system.posix_acl_access";

// Reaches the file by the one way in and reads it through one descriptor: a regular file of at
// most the limit, with one allocation of its size, whatever happens to the name meanwhile. False,
// with the reason in `why` where there is one, when what is there cannot be read whole; a
// missing file in a folder of the user's reads as empty.
bool readFile(const QString& root, const QString& application, bool make, SettingsFile& file, QString& why) {
    OwnPlace place = openOwn(
        encodePath(QtSettingsBackend::filePath(root, application, QStringLiteral("ini"))), make, true);
    file.folder = std::move(place.folder);
    file.name = place.name;
    why = place.why;
    const Descriptor opened = std::move(place.file);
    if (!opened)
        return file.folder && place.nothingToKeep;
    if (::fstat(opened.get(), &file.status) != 0 || !S_ISREG(file.status.st_mode) ||
        file.status.st_size > kMaxFileBytes) {
        why = decodePath(file.name) + QStringLiteral(": no regular file of at most 4 MB");
        return false;
    }
    file.acl.resize(std::max<ssize_t>(::fgetxattr(opened.get(), kAccessAcl, nullptr, 0), 0));
    file.acl.truncate(
        std::max<ssize_t>(::fgetxattr(opened.get(), kAccessAcl, file.acl.data(), file.acl.size()), 0));
    file.contents.resize(file.status.st_size);
    QFile in;
    const qint64 length = in.open(opened.get(), QIODevice::ReadOnly | QIODevice::Unbuffered)
                              ? in.read(file.contents.data(), file.contents.size())
                              : -1;
    file.contents.truncate(std::max<qint64>(length, 0));
    return length >= 0;
}

// Writes the new text to one scratch file beside the old one (removed first, when a killed save
// left it), flushes it to disk, gives it the old file's owner and mode where the file system
// keeps them (FAT through FUSE refuses both, and the save goes through all the same) and its ACL, and renames
// it into place within the folder. A full disk or a file-size limit fails a write or the flush,
// and the old file stays as it was. Being the only copy of the program that runs, this process is
// the only writer.
void replaceFile(const SettingsFile& file, const QByteArray& text, QString& why) {
    const QByteArray scratch = '.' + file.name + ".new";
    ::unlinkat(file.folder.get(), scratch.constData(), 0);
    const Descriptor out(::openat(file.folder.get(), scratch.constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    QFile writer;
    const bool written = out && writer.open(out.get(), QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                         writer.write(text) == text.size();
    // A new file is 0600 whatever the umask.
    [[maybe_unused]] const int kept =
        ::fchmod(out.get(), file.status.st_ino != 0 ? file.status.st_mode & 07777 : 0600);
    if (out && file.status.st_ino != 0) {
        // Root saving a file of another user in its own tree gives it back to its owner.
        [[maybe_unused]] const int given = ::fchown(out.get(), file.status.st_uid, file.status.st_gid);
        // Its ACL too: a scratch file takes the folder's default ACL instead, if it has one.
        [[maybe_unused]] const int same =
            file.acl.isEmpty() ? ::fremovexattr(out.get(), kAccessAcl)
                               : ::fsetxattr(out.get(), kAccessAcl, file.acl.constData(), file.acl.size(), 0);
    }
    if (!written || ::fsync(out.get()) != 0 ||
        ::renameat(file.folder.get(), scratch.constData(), file.folder.get(), file.name.constData()) != 0) {
        why = failed(scratch, errno);
        ::unlinkat(file.folder.get(), scratch.constData(), 0);
        return;
    }
    // The rename made lasting, through a descriptor that may read the folder.
    ::fsync(Descriptor(::openat(file.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)).get());
}

QString readValue(const QString& root, const QString& application, const QString& section, const QString& key,
                  QString& why) {
    SettingsFile file;
    return readFile(root, application, false, file, why) ? ini::valueOf(file.contents, section, key)
                                                         : QString();
}

void writeValue(const QString& root, const QString& application, const QString& section, const QString& key,
                const QString& value, QString& why) {
    SettingsFile file;
    // A file that cannot be read whole is never replaced: every key in it would be lost.
    if (!readFile(root, application, true, file, why))
        return;
    const QByteArray text = ini::withValue(file.contents, section, key, value);
    if (text.size() > kMaxFileBytes)
        why = QStringLiteral("the file would grow past 4 MB");
    else
        replaceFile(file, text, why);
}

#endif

// Runs a read or a save; why it gave up, a failed allocation included, is said once per run.
template <typename Step> void givingUpQuietly(bool& said, const char* what, Step step) {
    QString why;
    try {
        step(why);
    } catch (const std::bad_alloc&) {
        why = QStringLiteral("out of memory");
    }
    if (!why.isEmpty() && !std::exchange(said, true))
        qCWarning(lcSettings, "%s: %s", what, qUtf8Printable(why));
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    QString value;
    givingUpQuietly(m_saidWhy, "the settings were not read",
                    [&](QString& why) { value = readValue(m_root, application, section, key, why); });
    return value;
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    givingUpQuietly(m_saidWhy, "the settings were not saved",
                    [&](QString& why) { writeValue(m_root, application, section, key, value, why); });
}

} // namespace ssn::platform
