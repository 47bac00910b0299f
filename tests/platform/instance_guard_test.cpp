// The real single-instance guard, with the runtime and temporary folders redirected into a
// folder of the test's own.

#include "doubles/platform_doubles.h"
#include "platform/qt/qt_instance_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kReadableByAll = kOwnerOnly | QFileDevice::ReadGroup |
                                                    QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                    QFileDevice::ExeOther;

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

// A process id that surely belongs to no running process: a child that has ended.
qint64 pidOfEndedProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

class InstanceGuardTest : public ::testing::Test {
protected:
    InstanceGuardTest() {
        // Each test locks under a name of its own, so no test sees another's lock. Parameterised
        // tests have a "/" in their names, which a program's file name never has.
        m_executable.name =
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name())
                .replace(QLatin1Char('/'), QLatin1Char('_'));
        QDir().mkpath(runtimeFolder());
        QDir().mkpath(temporaryFolder());
        QFile::setPermissions(runtimeFolder(), kOwnerOnly);
    }

    QString runtimeFolder() const { return m_root.path() + QStringLiteral("/runtime"); }
    QString temporaryFolder() const { return m_root.path() + QStringLiteral("/tmp"); }
    QString settingsRoot() const { return m_root.path() + QStringLiteral("/config"); }
    QString lockFile() const {
        return runtimeFolder() + QLatin1Char('/') + m_executable.name + QStringLiteral(".lock");
    }

    QTemporaryDir m_root;
    ScopedVariable m_runtime{"XDG_RUNTIME_DIR", runtimeFolder()};
    ScopedVariable m_temporary{"TMPDIR", temporaryFolder()};
    testing::FakeExecutable m_executable;
};

TEST_F(InstanceGuardTest, SecondGuardOfTheSameProgramSeesTheFirst) {
    QtInstanceGuard first(m_executable, settingsRoot());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(QFile::exists(lockFile()));
    EXPECT_TRUE(second.previousInstanceRunning());
    // Each answer is settled at its first question.
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
}

TEST_F(InstanceGuardTest, AnotherProgramNameIsNotBlocked) {
    QtInstanceGuard first(m_executable, settingsRoot());
    ASSERT_FALSE(first.previousInstanceRunning());
    testing::FakeExecutable other;
    other.name = m_executable.name + QStringLiteral("Other");
    QtInstanceGuard second(other, settingsRoot());
    EXPECT_FALSE(second.previousInstanceRunning());
}

TEST_F(InstanceGuardTest, LockIsFreedWhenTheGuardGoes) {
    {
        QtInstanceGuard first(m_executable, settingsRoot());
        ASSERT_FALSE(first.previousInstanceRunning());
    }
    QtInstanceGuard later(m_executable, settingsRoot());
    EXPECT_FALSE(later.previousInstanceRunning());
}

TEST_F(InstanceGuardTest, LockLeftByAnEndedProcessDoesNotBlock) {
    QFile stale(lockFile());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(pidOfEndedProcess()) + '\n' + m_executable.name.toUtf8() + '\n' +
                QSysInfo::machineHostName().toUtf8() + '\n');
    stale.close();

    QtInstanceGuard guard(m_executable, settingsRoot());
    EXPECT_FALSE(guard.previousInstanceRunning());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_TRUE(second.previousInstanceRunning());
}

TEST_F(InstanceGuardTest, OldLockOfARunningCopyStillBlocks) {
    QtInstanceGuard first(m_executable, settingsRoot());
    ASSERT_FALSE(first.previousInstanceRunning());
    QFile lock(lockFile());
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        lock.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    lock.close();
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_TRUE(second.previousInstanceRunning());
}

// When the runtime folder cannot be used, the guard still works from a private folder.
struct FolderCase {
    const char* name;
    bool runtimeOpenToOthers;     // mode 0755 instead of 0700
    bool temporaryRuntimeBlocked; // the toolkit's own fallback folder is a file
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const FolderCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class InstanceGuardFolderTest : public InstanceGuardTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(InstanceGuardFolderTest, SecondGuardStillSeesTheFirst) {
    if (GetParam().runtimeOpenToOthers) {
        ASSERT_TRUE(QFile::setPermissions(runtimeFolder(), kReadableByAll));
    }
    if (GetParam().temporaryRuntimeBlocked) {
        QFile blocker(temporaryFolder() + QStringLiteral("/runtime-") +
                      QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    QtInstanceGuard first(m_executable, settingsRoot());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
}

INSTANTIATE_TEST_SUITE_P(Cases, InstanceGuardFolderTest,
                         ::testing::Values(FolderCase{"RuntimeFolderIsPrivate", false, false},
                                           FolderCase{"RuntimeFolderOpenToOthers", true, false},
                                           FolderCase{"NoUsableRuntimeFolderAtAll", true, true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// Whatever lies in the lock's place, a first copy starts and a second one is refused.
struct DamagedLockCase {
    const char* name;
    std::function<void(const QString& path)> damage;
};

void PrintTo(const DamagedLockCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

void writeFile(const QString& path, const QByteArray& contents, QFileDevice::Permissions permissions) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.setPermissions(permissions);
}

class DamagedLockTest : public InstanceGuardTest, public ::testing::WithParamInterface<DamagedLockCase> {};

TEST_P(DamagedLockTest, FirstCopyStartsAndASecondIsRefused) {
    GetParam().damage(lockFile());
    QtInstanceGuard first(m_executable, settingsRoot());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedLockTest,
    ::testing::Values(
        DamagedLockCase{"Empty", [](const QString& path) { writeFile(path, {}, kOwnerOnly); }},
        DamagedLockCase{"Garbage",
                        [](const QString& path) { writeFile(path, "\x01\xff\n\n\n", kOwnerOnly); }},
        DamagedLockCase{"OtherMachine",
                        [](const QString& path) { writeFile(path, "1\nprogram\nelsewhere\n", kOwnerOnly); }},
        DamagedLockCase{"Unreadable", [](const QString& path) { writeFile(path, "1\n", {}); }},
        DamagedLockCase{"Folder", [](const QString& path) { ASSERT_TRUE(QDir().mkdir(path)); }},
        DamagedLockCase{"Fifo",
                        [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path), 0600), 0); }},
        DamagedLockCase{
            "LinkToAFileOfSomeoneElse",
            [](const QString& path) { ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), path)); }}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(InstanceGuardTest, WithoutAnyPrivateRuntimeFolderTheSettingsFolderHoldsTheLock) {
    ASSERT_TRUE(QFile::setPermissions(runtimeFolder(), kReadableByAll));
    const QString notAFolder = m_root.path() + QStringLiteral("/file");
    writeFile(notAFolder, {}, kOwnerOnly);
    ScopedVariable temporary("TMPDIR", notAFolder);
    QtInstanceGuard first(m_executable, settingsRoot());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
    EXPECT_TRUE(QFile::exists(settingsRoot() + QLatin1Char('/') + m_executable.name + QLatin1Char('/') +
                              m_executable.name + QStringLiteral(".lock")));
}

} // namespace
} // namespace ssn::platform
