#include "platform/qt/qt_settings_backend.h"

#include <QSettings>

namespace ssn::platform {
namespace {

#ifdef Q_OS_WIN
constexpr QSettings::Format kFormat = QSettings::NativeFormat;
#else
constexpr QSettings::Format kFormat = QSettings::IniFormat;
#endif

QString path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

QString QtSettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    const QSettings settings(kFormat, QSettings::UserScope, application, application);
    // A store that cannot be read counts as empty.
    if (settings.status() != QSettings::NoError)
        return {};
    return settings.value(path(section, key)).toString();
}

void QtSettingsBackend::write(const QString& application, const QString& section, const QString& key,
                              const QString& value) {
    QSettings settings(kFormat, QSettings::UserScope, application, application);
    settings.setValue(path(section, key), value);
    // A failed write is ignored; the status is not looked at.
    settings.sync();
}

} // namespace ssn::platform
