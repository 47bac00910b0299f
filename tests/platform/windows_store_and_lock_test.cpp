// Windows: the settings store in the current user's registry branch, and the single-instance
// lock, a named mutex that leaves no file. Read and checked through the Win32 API itself, not
// through Qt, so that a change in how Qt maps keys would show.

#include "doubles/platform_doubles.h"
#include "platform/qt/qt_instance_guard.h"
#include "platform/qt/qt_settings_backend.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <windows.h>

namespace ssn::platform {
namespace {

const wchar_t* wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// An application name of this test run's own, whose registry branch is removed afterwards.
class RegistryStoreTest : public ::testing::Test {
protected:
    ~RegistryStoreTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, wide(branch())); }

    QString branch() const { return QStringLiteral("Software\\") + m_application; }
    QString settingsKey() const { return branch() + QStringLiteral("\\Settings"); }

    // The string value as the registry holds it, or nothing.
    std::optional<QString> registryValue(const QString& name) const {
        wchar_t data[256] = {};
        DWORD size = sizeof data;
        if (::RegGetValueW(HKEY_CURRENT_USER, wide(settingsKey()), wide(name), RRF_RT_REG_SZ, nullptr, data,
                           &size) != ERROR_SUCCESS)
            return std::nullopt;
        return QString::fromWCharArray(data);
    }

    void setRegistryValue(const QString& name, const QString& value) const {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, wide(settingsKey()), wide(name), REG_SZ, wide(value),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    const QString m_application = QStringLiteral("SsnStoreTest%1").arg(::GetCurrentProcessId());
    QtSettingsBackend m_backend{QStringLiteral("unused on Windows")};
};

TEST_F(RegistryStoreTest, AWriteLandsInTheSettingsKeyKeepingTheOtherValuesAndReadsBack) {
    setRegistryValue(QStringLiteral("Other"), QStringLiteral("kept"));
    const QString name = QStringLiteral("\u0099\u00ca\u00c7"); // an encoded key: characters 128..255
    m_backend.write(m_application, QStringLiteral("Settings"), name, QStringLiteral("\u0085\u0086"));
    EXPECT_EQ(registryValue(name), QStringLiteral("\u0085\u0086"));
    EXPECT_EQ(registryValue(QStringLiteral("Other")), QStringLiteral("kept"));
    EXPECT_EQ(m_backend.read(m_application, QStringLiteral("Settings"), QStringLiteral("Other")), "kept");
    EXPECT_EQ(m_backend.read(m_application, QStringLiteral("Settings"), QStringLiteral("Missing")), "");
}

// One copy of a program runs, another program runs beside it, and the lock makes nothing in the
// settings folder, even where it could.
TEST(WindowsLockTest, OneCopyRunsAndNothingIsLeftInTheSettingsFolder) {
    QTemporaryDir root;
    testing::FakeExecutable executable;
    auto first = std::make_unique<QtInstanceGuard>(executable, root.path());
    EXPECT_FALSE(first->previousInstanceRunning());
    QtInstanceGuard second(executable, root.path());
    EXPECT_TRUE(second.previousInstanceRunning());
    testing::FakeExecutable another;
    another.name += QStringLiteral("Other");
    QtInstanceGuard otherProgram(another, root.path());
    EXPECT_FALSE(otherProgram.previousInstanceRunning());
    EXPECT_TRUE(QDir(root.path()).isEmpty());

    first.reset(); // the handle closes, as it does when the process ends
    QtInstanceGuard later(executable, root.path());
    EXPECT_FALSE(later.previousInstanceRunning());
}

} // namespace
} // namespace ssn::platform
