#pragma once

#include "platform/platform.h"

#include <QSet>
#include <QString>

namespace ssn::platform {

// The per-user settings store. On Windows: the current user's registry branch, one key per
// application name with one key per section below it. Elsewhere: one INI file per application,
// <root>/<application>/<application>.ini with one group per section, read and written through
// QSettings; no other file is ever read as the store.
//
// The store never holds up the program: a settings path that is no regular file or is larger
// than a few megabytes, or a lock entry beside it that cannot be taken within a fraction of a
// second, makes the store unusable for the rest of the run (it reads as empty and takes no
// writes). A write replaces the file at the end of any chain of links, keeping its mode and
// owner and every key QSettings reads in it, and only once the new file has been read back
// whole, so a full disk leaves the old file as it was; a file that cannot be read is never
// replaced.
class QtSettingsBackend : public SettingsBackend {
public:
    explicit QtSettingsBackend(QString root = defaultRoot());

    // The user's configuration folder ($XDG_CONFIG_HOME when absolute, else ~/.config on Linux).
    static QString defaultRoot();
    // The folder that holds the application's settings file.
    QString applicationFolder(const QString& application) const;
    // The application's INI file in that folder (not used on Windows, where the store is the
    // registry).
    QString settingsFile(const QString& application) const;

    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;

private:
    QString m_root;
    QSet<QString> m_unusable; // applications whose store is unusable for this run
    QSet<QString> m_tidied;   // applications whose leftovers of killed writes are gone this run
};

} // namespace ssn::platform
