// The real single-instance guard, with the runtime and temporary folders redirected into a
// folder of the test's own.

#include "doubles/named_rows.h"
#include "doubles/platform_doubles.h"
#include "odd_entries.h"
#include "platform/qt/qt_instance_guard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;
using ssn::testing::writeFile;

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
public:
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
    QString settingsLock() const {
        return settingsRoot() + QLatin1Char('/') + m_executable.name + QLatin1Char('/') + m_executable.name +
               QStringLiteral(".lock");
    }

    QTemporaryDir m_root;
    ScopedVariable m_runtime{"XDG_RUNTIME_DIR", runtimeFolder()};
    ScopedVariable m_temporary{"TMPDIR", temporaryFolder()};
    testing::FakeExecutable m_executable;
};

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

void openRuntimeFolder(InstanceGuardTest& test) {
    ASSERT_TRUE(QFile::setPermissions(test.runtimeFolder(), kReadableByAll));
}

// The toolkit's own fallback for a runtime folder open to others is a file.
void blockTemporaryRuntime(InstanceGuardTest& test) {
    openRuntimeFolder(test);
    writeFile(test.temporaryFolder() + QStringLiteral("/runtime-") +
                  QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name),
              {});
}

// Whatever the folders and whatever lies in the lock's place, a first copy starts and a second
// one is refused, each answer settled at its first question; where known, the row names the
// place of the lock.
struct StartCase {
    const char* name;
    std::function<void(InstanceGuardTest&)> prepare;
    QString (InstanceGuardTest::*lock)() const = nullptr;
};

class InstanceGuardStartTest : public InstanceGuardTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(InstanceGuardStartTest, FirstCopyStartsAndASecondIsRefused) {
    GetParam().prepare(*this);
    QtInstanceGuard first(m_executable, settingsRoot());
    QtInstanceGuard second(m_executable, settingsRoot());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
    EXPECT_FALSE(first.previousInstanceRunning());
    EXPECT_TRUE(second.previousInstanceRunning());
    if (GetParam().lock) {
        EXPECT_TRUE(QFile::exists((this->*GetParam().lock)()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstanceGuardStartTest,
    ::testing::Values(
        StartCase{"RuntimeFolderIsPrivate", [](InstanceGuardTest&) {}, &InstanceGuardTest::lockFile},
        StartCase{"RuntimeFolderOpenToOthers", openRuntimeFolder},
        StartCase{"NoUsableRuntimeFolderAtAll", blockTemporaryRuntime},
        StartCase{"OnlyTheSettingsFolderIsUsable",
                  [](InstanceGuardTest& test) {
                      openRuntimeFolder(test);
                      ASSERT_TRUE(QDir(test.temporaryFolder()).removeRecursively());
                      writeFile(test.temporaryFolder(), {}); // TMPDIR is no folder
                  },
                  &InstanceGuardTest::settingsLock},
        StartCase{"LockLeftByAnEndedProcess",
                  [](InstanceGuardTest& test) {
                      writeFile(test.lockFile(), QByteArray::number(pidOfEndedProcess()) + '\n' +
                                                     test.m_executable.name.toUtf8() + '\n' +
                                                     QSysInfo::machineHostName().toUtf8() + '\n');
                  }},
        StartCase{"EmptyLock", [](InstanceGuardTest& test) { writeFile(test.lockFile(), {}); }},
        StartCase{"GarbageLock",
                  [](InstanceGuardTest& test) { writeFile(test.lockFile(), "\x01\xff\n\n\n"); }},
        StartCase{"LockOfAnotherMachine",
                  [](InstanceGuardTest& test) { writeFile(test.lockFile(), "1\nprogram\nelsewhere\n"); }},
        StartCase{"UnreadableLock", [](InstanceGuardTest& test) { writeFile(test.lockFile(), "1\n", {}); }},
        StartCase{"LockIsAFolder", [](InstanceGuardTest& test) { ssn::testing::putFolder(test.lockFile()); }},
        StartCase{"LockIsAFifo", [](InstanceGuardTest& test) { ssn::testing::putFifo(test.lockFile()); }},
        StartCase{"LockIsALinkToAFileOfSomeoneElse",
                  [](InstanceGuardTest& test) {
                      ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), test.lockFile()));
                  }}),
    byName);

} // namespace
} // namespace ssn::platform
