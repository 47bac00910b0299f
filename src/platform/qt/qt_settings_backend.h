#pragma once

#include "platform/platform.h"

#include <utility>

namespace ssn::platform {

// The per-user settings store. On Windows: the current user's registry branch, one key per
// application name with one key per section below it; a key that cannot be read or written is
// said once per run. Elsewhere: one INI file per application,
// <root>/<application>/<application>.ini with one group per section, in the spelling QSettings
// reads and writes; no other file is ever read as the store.
//
// The store never holds up the program and edits, never rewrites. Its folder is reached by the
// one way into the user's folders (user_folders.h), and the file is read once, through one
// descriptor, a regular file of at most a few megabytes; a read takes no lock and writes
// nothing. A save changes only the key's line and keeps every other byte: it writes a scratch
// file in the file's folder, flushed to disk, and renames it into place there, so a full disk
// leaves the old file as it was; the file keeps its owner, mode and access ACL. A save that would make the
// file too large, or replace a file that cannot be read, is not made. Why a read or a save was given up is
// said once per run.
class QtSettingsBackend : public SettingsBackend {
public:
    explicit QtSettingsBackend(QString root = defaultRoot()) : m_root(std::move(root)) {}

    // The user's configuration folder ($XDG_CONFIG_HOME when absolute, else ~/.config on Linux,
    // with the home from the password database when HOME is unset).
    static QString defaultRoot();

    // The application's file below `root`: <root>/<application>/<application>.<extension>.
    static QString filePath(const QString& root, const QString& application, const QString& extension);

    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;

private:
    QString m_root;
    bool m_saidWhy = false; // why a read or a save was given up is said once per run
};

} // namespace ssn::platform
