// The real single-instance guard, with the settings, runtime and temporary folders in a folder
// of the test's own.

#include "doubles/named_rows.h"
#include "doubles/platform_doubles.h"
#include "odd_entries.h"
#include "platform/qt/qt_instance_guard.h"
#include "platform/qt/user_folders.h"
#include "run_as_unprivileged.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

// Whether a process holds the kernel lock on the file at `path` (found by trying to take it).
bool isLocked(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool locked = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    ::close(descriptor);
    return locked;
}

// Every test has its own settings, runtime and temporary folders; the start cases point the
// child's environment at the latter two.
class InstanceGuardTest : public ::testing::Test {
public:
    InstanceGuardTest() {
        for (const QString& folder : {runtimeFolder(), temporaryFolder(), settingsRoot()})
            QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QString runtimeFolder() const { return m_root.path() + QStringLiteral("/runtime"); }
    QString temporaryFolder() const { return m_root.path() + QStringLiteral("/tmp"); }
    QString settingsRoot() const { return m_root.path() + QStringLiteral("/config"); }
    QString settingsFolder() const { return settingsRoot() + QLatin1Char('/') + m_executable.name; }
    QString settingsLock() const { return settingsFolder() + QLatin1Char('/') + m_executable.name + ".lock"; }
    QString runtimeLock() const { return runtimeFolder() + QLatin1Char('/') + m_executable.name + ".lock"; }
    QString rootsLock() const {
        return QString::fromLocal8Bit(::getpwuid(0)->pw_dir) + "/.config/" + m_executable.name + '/' +
               m_executable.name + ".lock";
    }
    // A file of the user's own that a link in the lock's place points to.
    QString linkTarget() const { return m_root.path() + QStringLiteral("/target"); }

    QTemporaryDir m_root;
    testing::FakeExecutable m_executable;
    int m_neighboursLock = -1; // a neighbour's open lock file, held with a shared lock

    ~InstanceGuardTest() override { ::close(m_neighboursLock); }
};

// Entries of root's in folders of other users below `path`.
QStringList rootsEntriesInOthersFolders(const QString& path) {
    QStringList found;
    QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext()) {
        const QFileInfo entry(below.nextFileInfo());
        struct stat own {
        }, folder{};
        if (::lstat(QFile::encodeName(entry.filePath()).constData(), &own) == 0 &&
            ::stat(QFile::encodeName(entry.path()).constData(), &folder) == 0 && own.st_uid == 0 &&
            folder.st_uid != 0)
            found << entry.filePath();
    }
    return found;
}

TEST_F(InstanceGuardTest, AnotherProgramNameIsNotBlocked) {
    QtInstanceGuard first(m_executable, settingsRoot());
    ASSERT_FALSE(first.previousInstanceRunning());
    testing::FakeExecutable other;
    other.name = m_executable.name + QStringLiteral("Other");
    QtInstanceGuard second(other, settingsRoot());
    EXPECT_FALSE(second.previousInstanceRunning());
}

// A program started while the lock is held (the browser) must not keep it once its guard is gone.
TEST_F(InstanceGuardTest, TheLockGoesWithItsGuardWhileAProgramItStartedRuns) {
    pid_t started = -1;
    {
        QtInstanceGuard first(m_executable, settingsRoot());
        ASSERT_FALSE(first.previousInstanceRunning());
        // The started shell says so once it runs, when its start has closed what it should.
        int said[2];
        ASSERT_EQ(::pipe2(said, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, said[1], STDOUT_FILENO);
        char* const arguments[] = {const_cast<char*>("sh"), const_cast<char*>("-c"),
                                   const_cast<char*>("echo; exec sleep 60"), nullptr};
        ASSERT_EQ(::posix_spawn(&started, "/bin/sh", &actions, nullptr, arguments, environ), 0);
        ::close(said[1]);
        char line = 0;
        ASSERT_EQ(::read(said[0], &line, 1), 1);
        ::close(said[0]);
    }
    QtInstanceGuard later(m_executable, settingsRoot());
    EXPECT_FALSE(later.previousInstanceRunning());
    ::kill(started, SIGKILL);
    ::waitpid(started, nullptr, 0);
}

// A first copy starts and a second is refused, run as an ordinary user with umask 002 (or as root
// where the row says so); the row names where the first copy's lock must be, what another user
// put in place beforehand (run only as root), what the user did, and what changes before the
// second copy starts. No entry of root's appears in another user's folder.
struct StartCase {
    const char* name;
    QString (InstanceGuardTest::*lock)() const;
    void (*plantedByAnotherUser)(InstanceGuardTest&) = nullptr;
    void (*preparedByTheUser)(InstanceGuardTest&) = nullptr;
    void (*beforeTheSecondCopy)(InstanceGuardTest&) = nullptr;
    bool asRoot = false;
};

class InstanceGuardStartTest : public InstanceGuardTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(InstanceGuardStartTest, FirstCopyStartsAndASecondIsRefused) {
    ASSERT_TRUE(testing::handToUnprivileged(m_root.path()));
    if (GetParam().plantedByAnotherUser != nullptr) {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to put files of another user in place";
        GetParam().plantedByAnotherUser(*this);
    }
    const QStringList rootsEntries = rootsEntriesInOthersFolders(m_root.path());
    const std::optional<int> result = testing::runAsUnprivileged(
        [this] {
            ::umask(002);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
            qputenv("TMPDIR", QFile::encodeName(temporaryFolder()));
            if (GetParam().preparedByTheUser != nullptr)
                GetParam().preparedByTheUser(*this);
            if (HasFailure())
                return 4;
            QtInstanceGuard first(m_executable, settingsRoot());
            if (first.previousInstanceRunning())
                return 1;
            if (!isLocked((this->*GetParam().lock)()) || isLocked(linkTarget()))
                return 2;
            if (GetParam().beforeTheSecondCopy != nullptr)
                GetParam().beforeTheSecondCopy(*this);
            QtInstanceGuard second(m_executable, settingsRoot());
            return second.previousInstanceRunning() ? 0 : 3;
        },
        GetParam().asRoot);
    if (!result)
        GTEST_SKIP() << "could not run a child process as an unprivileged user";
    EXPECT_EQ(*result, 0)
        << "1: the first copy was refused, 2: its lock is elsewhere or on the link's target, "
           "3: the second copy started, 4: the user's preparation failed";
    EXPECT_EQ(rootsEntriesInOthersFolders(m_root.path()), rootsEntries);
}

void makeSettingsFolder(InstanceGuardTest& test, mode_t mode) {
    ASSERT_EQ(::mkdir(QFile::encodeName(test.settingsFolder()).constData(), mode), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(test.settingsFolder()).constData(), mode), 0);
}

// A neighbour opens the lock file, given the mode, and holds a shared lock on it.
void holdAsANeighbour(InstanceGuardTest& test, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(test.settingsLock()).constData(), mode), 0);
    test.m_neighboursLock = ::open(QFile::encodeName(test.settingsLock()).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(test.m_neighboursLock, LOCK_SH | LOCK_NB), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstanceGuardStartTest,
    ::testing::Values(
        StartCase{"TheSettingsFolderComesFirst", &InstanceGuardTest::settingsLock},
        // With XDG_RUNTIME_DIR unset, another user took the toolkit's fallback first.
        StartCase{"OthersTookTheTemporaryFoldersAndTheSettingsFolderIsOpenToTheGroup",
                  &InstanceGuardTest::settingsLock,
                  [](InstanceGuardTest& test) {
                      ASSERT_TRUE(QDir().mkdir(test.temporaryFolder() + "/runtime-nobody"));
                  },
                  [](InstanceGuardTest& test) {
                      qunsetenv("XDG_RUNTIME_DIR");
                      makeSettingsFolder(test, 0775);
                  }},
        StartCase{"TheSecondCopyHasNoRuntimeFolderAndAnotherTemporaryFolder",
                  &InstanceGuardTest::settingsLock, nullptr, nullptr,
                  [](InstanceGuardTest& test) {
                      qunsetenv("XDG_RUNTIME_DIR");
                      qputenv("TMPDIR", QFile::encodeName(test.settingsRoot()));
                  }},
        StartCase{"ACleanerEmptiesTheTemporaryFoldersBetweenStarts", &InstanceGuardTest::settingsLock,
                  nullptr, nullptr,
                  [](InstanceGuardTest& test) {
                      for (const QString& folder : {test.runtimeFolder(), test.temporaryFolder()})
                          QDir(folder).removeRecursively();
                  }},
        // Another user's folder that the user's group may write to.
        StartCase{"TheSettingsFolderIsAnotherUsers", &InstanceGuardTest::runtimeLock,
                  [](InstanceGuardTest& test) {
                      makeSettingsFolder(test, 0770);
                      ASSERT_EQ(::chown(QFile::encodeName(test.settingsFolder()).constData(), 0, 65533), 0);
                  }},
        StartCase{"TheSettingsFolderIsWritableByAll", &InstanceGuardTest::runtimeLock, nullptr,
                  [](InstanceGuardTest& test) { makeSettingsFolder(test, 0777); }},
        // The user's folder that a group with other members may write to: a neighbour removes
        // whatever lock lies there.
        StartCase{"TheSettingsFolderIsSharedWithAGroup", &InstanceGuardTest::runtimeLock,
                  [](InstanceGuardTest& test) {
                      makeSettingsFolder(test, 02770);
                      ASSERT_EQ(::chown(QFile::encodeName(test.settingsFolder()).constData(), 65534, 0), 0);
                  },
                  nullptr, [](InstanceGuardTest& test) { QFile::remove(test.settingsLock()); }},
        // Two starts with different runtime folders.
        StartCase{"AReadOnlySettingsFolderKeepsItsLock", &InstanceGuardTest::settingsLock, nullptr,
                  [](InstanceGuardTest& test) {
                      makeSettingsFolder(test, 0700);
                      testing::writeFile(test.settingsLock(), {});
                      ASSERT_EQ(::chmod(QFile::encodeName(test.settingsFolder()).constData(), 0500), 0);
                  },
                  [](InstanceGuardTest& test) {
                      qputenv("XDG_RUNTIME_DIR", QFile::encodeName(test.temporaryFolder()));
                  }},
        // Restored from a backup as 0644 in a folder open to all; a neighbour holds it.
        StartCase{"ALockFileOthersCouldOpenIsReplaced", &InstanceGuardTest::settingsLock,
                  [](InstanceGuardTest& test) {
                      makeSettingsFolder(test, 0755);
                      testing::writeFile(test.settingsLock(), {});
                      ASSERT_TRUE(testing::handToUnprivileged(test.settingsFolder()));
                      holdAsANeighbour(test, 0644);
                  }},
        // Root's own folder, with another user's lock file in it.
        StartCase{"ALockFileOfAnotherUsersIsReplaced", &InstanceGuardTest::settingsLock,
                  [](InstanceGuardTest& test) {
                      for (const QString& folder : {test.m_root.path(), test.settingsRoot()})
                          ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 0, 0), 0);
                      makeSettingsFolder(test, 0700);
                      testing::writeFile(test.settingsLock(), {});
                      ASSERT_TRUE(testing::handToUnprivileged(test.settingsLock()));
                      holdAsANeighbour(test, 0600);
                  },
                  nullptr, nullptr, true},
        // `su` without `-`: the user's settings, runtime and temporary folders and HOME; no session
        // bus is started in that home either.
        StartCase{"RootInAnotherUsersFoldersLocksInItsOwn", &InstanceGuardTest::rootsLock, nullptr,
                  [](InstanceGuardTest& test) {
                      qputenv("HOME", QFile::encodeName(test.m_root.path()));
                      qunsetenv("DBUS_SESSION_BUS_ADDRESS");
                      keepRootsSessionBusOutOfAnotherUsersHome();
                      ASSERT_FALSE(qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"));
                  },
                  nullptr, true},
        StartCase{"TheLockIsAFifo", &InstanceGuardTest::runtimeLock, nullptr,
                  [](InstanceGuardTest& test) {
                      makeSettingsFolder(test, 0700);
                      testing::putFifo(test.settingsLock());
                  }},
        StartCase{"TheLockIsALinkToAFileOfTheUsers", &InstanceGuardTest::runtimeLock, nullptr,
                  [](InstanceGuardTest& test) {
                      testing::writeFile(test.linkTarget(), {});
                      makeSettingsFolder(test, 0700);
                      ASSERT_TRUE(QFile::link(test.linkTarget(), test.settingsLock()));
                  }}),
    byName);

} // namespace
} // namespace ssn::platform
