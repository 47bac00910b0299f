#pragma once

// Settings by name in section "Settings" of the running executable's application name,
// with encoded keys and values, over the platform's per-user backend.

#include "platform/platform.h"

#include <QString>

namespace ssn::settings {

class SettingsStore {
public:
    SettingsStore(platform::SettingsBackend& backend, platform::ExecutableInfo& executable);

    // The decoded value, or the empty text when absent or unreadable.
    QString read(const QString& name) const;
    void write(const QString& name, const QString& value);

private:
    platform::SettingsBackend& m_backend;
    platform::ExecutableInfo& m_executable;
};

} // namespace ssn::settings
