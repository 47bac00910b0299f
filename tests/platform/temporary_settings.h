#pragma once

// A fresh temporary folder in place of the user's configuration folder, so that no test ever
// reads or writes the user's real settings; the settings backend is given its path.

#include <QString>
#include <QTemporaryDir>

namespace ssn::testing {

class TemporarySettingsFolder {
public:
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
