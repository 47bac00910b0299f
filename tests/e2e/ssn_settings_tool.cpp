// Test support for the end-to-end tests: reads and writes the reminder's stored date the way
// the program does (the real settings store and backend, the locale's date format), so the
// tests never depend on how the settings file is encoded.
//
//   ssn_settings_tool PROGRAM_NAME set-duration DAYS_FROM_TODAY
//   ssn_settings_tool PROGRAM_NAME days-from-today      prints the stored date minus today, or "none"
//   ssn_settings_tool PROGRAM_NAME hold-lock-file       Windows: opens the file earlier versions
//       locked, sharing everything as a virus scanner does, says "holding" and waits to be ended

#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_settings_backend.h"
#include "settings/settings_store.h"
#include "web/reminder_date.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <utility>

#ifdef Q_OS_WIN
#include <QDir>
#include <QThread>
#include <windows.h>
#endif

namespace {

const QString kDuration = QStringLiteral("Duration");

// The settings belong to the program, not to this tool: its name is given.
class NamedExecutable : public ssn::platform::ExecutableInfo {
public:
    explicit NamedExecutable(QString name) : m_name(std::move(name)) {}
    QString executableName() override { return m_name; }

private:
    QString m_name;
};

int usage() {
    std::fputs("usage: ssn_settings_tool PROGRAM_NAME set-duration DAYS_FROM_TODAY\n"
               "       ssn_settings_tool PROGRAM_NAME days-from-today\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        return usage();
    }
    NamedExecutable executable(arguments.at(1));
    ssn::platform::QtSettingsBackend backend;
    ssn::platform::QtClock clock;
    ssn::settings::SettingsStore store(backend, executable);
    const QDate today = clock.today();

    if (arguments.at(2) == QLatin1String("set-duration") && arguments.size() == 4) {
        bool ok = false;
        const qint64 days = arguments.at(3).toLongLong(&ok);
        if (!ok) {
            return usage();
        }
        store.write(kDuration, ssn::web::FormatReminderDate(today.addDays(days), clock.locale()));
        return 0;
    }
    if (arguments.at(2) == QLatin1String("days-from-today") && arguments.size() == 3) {
        const QDate stored = ssn::web::ParseReminderDate(store.read(kDuration), clock.locale());
        if (stored.isValid()) {
            std::printf("%lld\n", static_cast<long long>(today.daysTo(stored)));
        } else {
            std::puts("none");
        }
        return 0;
    }
#ifdef Q_OS_WIN
    if (arguments.at(2) == QLatin1String("hold-lock-file") && arguments.size() == 3) {
        const QString folder =
            ssn::platform::QtSettingsBackend::defaultRoot() + QLatin1Char('/') + arguments.at(1);
        const QString path = QDir::toNativeSeparators(folder + QLatin1Char('/') + arguments.at(1) + ".lock");
        QDir().mkpath(folder);
        if (::CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS, 0,
                          nullptr) == INVALID_HANDLE_VALUE) {
            return 1;
        }
        std::puts("holding");
        std::fflush(stdout);
        QThread::sleep(3600);
        return 0;
    }
#endif
    return usage();
}
