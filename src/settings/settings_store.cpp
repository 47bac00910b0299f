#include "settings/settings_store.h"

#include "platform/qt_text.h"
#include "settings/setting_text.h"

namespace ssn::settings {
namespace {

const QString kSection = QStringLiteral("Settings");

QString encoded(const QString& text) {
    return QString::fromStdU16String(EncodeSettingText(platform::toU16View(text)));
}

QString decoded(const QString& text) {
    return QString::fromStdU16String(DecodeSettingText(platform::toU16View(text)));
}

} // namespace

SettingsStore::SettingsStore(platform::SettingsBackend& backend, platform::ExecutableInfo& executable)
    : m_backend(backend), m_executable(executable) {}

QString SettingsStore::read(const QString& name) const {
    // The executable's name is asked at each access: a renamed copy has settings of its own.
    return decoded(m_backend.read(m_executable.executableName(), kSection, encoded(name)));
}

void SettingsStore::write(const QString& name, const QString& value) {
    m_backend.write(m_executable.executableName(), kSection, encoded(name), encoded(value));
}

} // namespace ssn::settings
