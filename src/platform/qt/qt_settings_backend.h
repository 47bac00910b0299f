#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// The per-user QSettings store: an INI file ~/.config/<application>/<application>.ini with
// one group per section on Linux, the current user's registry branch on Windows. Every
// write is flushed at once, because the process may end at any moment without clean-up.
class QtSettingsBackend : public SettingsBackend {
public:
    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;
};

} // namespace ssn::platform
