#pragma once

#include "platform/platform.h"

#include <QSet>
#include <QString>

namespace ssn::platform {

// The per-user settings store. On Windows: the current user's registry branch, one key per
// application name with one key per section below it. Elsewhere: one INI file per application,
// <root>/<application>/<application>.ini with one group per section, in the spelling QSettings
// reads and writes; no other file is ever read as the store.
//
// The store never holds up the program and edits, never rewrites: a read opens the file once,
// without following a link that someone else made or could have made, and reads a regular file
// of at most a few megabytes; a save changes only the key's line and keeps every other byte,
// writes a scratch file made exclusively in the file's folder, flushed to disk with the old
// file's mode and owner, and renames it into place there, so a full disk leaves the old file as
// it was. A save that would make the file too large, or replace a file that cannot be read, is
// not made. Root started in another user's tree (`sudo` keeping HOME) writes nothing there.
class QtSettingsBackend : public SettingsBackend {
public:
    explicit QtSettingsBackend(QString root = defaultRoot());

    // The user's configuration folder ($XDG_CONFIG_HOME when absolute, else ~/.config on Linux,
    // with the home from the password database when HOME is unset).
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
    QSet<QString> m_tidied; // applications whose leftovers of killed saves are gone this run
};

} // namespace ssn::platform
