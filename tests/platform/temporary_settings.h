#pragma once

// Points the per-user INI settings of this test process at a fresh temporary folder, so
// that no test ever reads or writes the user's real settings.

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

namespace ssn::testing {

class TemporarySettingsFolder {
public:
    TemporarySettingsFolder() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
    }

    QString path() const { return m_folder.path(); }
    QString applicationFolder(const QString& application) const {
        return path() + QLatin1Char('/') + application;
    }
    QString iniFile(const QString& application) const {
        return applicationFolder(application) + QLatin1Char('/') + application + QStringLiteral(".ini");
    }

private:
    QTemporaryDir m_folder;
};

} // namespace ssn::testing
