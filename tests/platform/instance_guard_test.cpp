// The real single-instance guard and settings store, with the settings, runtime and temporary
// folders in a folder of the test's own.

#include "doubles/named_rows.h"
#include "doubles/platform_doubles.h"
#include "odd_entries.h"
#include "platform/qt/qt_instance_guard.h"
#include "platform/qt/qt_settings_backend.h"
#include "platform/qt/user_folders.h"
#include "run_as_unprivileged.h"
#include "settings/settings_store.h"

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

const QString kDuration = QStringLiteral("Duration");
const QString kDate = QStringLiteral("12/7/2026");
const QString kLater = QStringLiteral("1/1/2030");

// Whether a process holds the kernel lock on the file at `path` (found by trying to take it).
bool isLocked(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const bool locked = descriptor >= 0 && ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    ::close(descriptor);
    return locked;
}

// The links from `path` to the file itself, then that file's mode.
QStringList linksAndMode(const QString& path) {
    QStringList chain;
    QFileInfo info(path);
    for (; info.isSymLink(); info.setFile(info.symLinkTarget()))
        chain << info.symLinkTarget();
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return chain << QString::number(status.st_mode & 07777, 8);
}

// Every test has its own settings, runtime and temporary folders; the start cases point the
// child's environment at the latter two.
class InstanceGuardTest : public ::testing::Test {
public:
    InstanceGuardTest() {
        for (const QString& folder : {runtimeFolder(), temporaryFolder(), settingsRoot()})
            QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ~InstanceGuardTest() override { ::close(m_neighboursLock); }

    QString runtimeFolder() const { return m_root.path() + QStringLiteral("/runtime"); }
    QString temporaryFolder() const { return m_root.path() + QStringLiteral("/tmp"); }
    QString settingsRoot() const { return m_root.path() + QStringLiteral("/config"); }
    QString settingsFolder() const { return settingsRoot() + QLatin1Char('/') + m_executable.name; }
    QString settingsLock() const { return settingsFolder() + QLatin1Char('/') + m_executable.name + ".lock"; }
    QString settingsFile() const { return settingsFolder() + QLatin1Char('/') + m_executable.name + ".ini"; }
    QString runtimeLock() const { return runtimeFolder() + QLatin1Char('/') + m_executable.name + ".lock"; }
    QString rootsLock() const {
        return QString::fromLocal8Bit(::getpwuid(0)->pw_dir) + "/.config/" + m_executable.name + '/' +
               m_executable.name + ".lock";
    }
    // A file of the user's own elsewhere, holding a date, that a planted link points to.
    QString elsewhere() const { return m_root.path() + QStringLiteral("/elsewhere.ini"); }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_root;
    testing::FakeExecutable m_executable;
    QtSettingsBackend m_backend{settingsRoot()};
    settings::SettingsStore m_store{m_backend, m_executable};
    int m_neighboursLock = -1; // a neighbour's open lock file, held with a shared lock
};

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
        char* const arguments[] = {const_cast<char*>("sleep"), const_cast<char*>("60"), nullptr};
        ASSERT_EQ(::posix_spawn(&started, "/bin/sleep", nullptr, nullptr, arguments, environ), 0);
    }
    // The program's start closes what it should a moment after posix_spawn returns.
    bool refused = true;
    for (int wait = 0; wait < 100 && refused; ++wait, ::usleep(10000))
        refused = QtInstanceGuard(m_executable, settingsRoot()).previousInstanceRunning();
    EXPECT_FALSE(refused);
    ::kill(started, SIGKILL);
    ::waitpid(started, nullptr, 0);
}

// What another user, root or the user left in the user's folders, and what the user's next start
// (an ordinary user, umask 002 unless the row says otherwise; root where it says so) makes of it:
// the first copy takes its lock where the row says and a second copy is refused; the date reads
// and a save is made, or not. Nothing outside changes: no file a planted link points to, no new
// entry of root's in another user's folder, not the file's bytes when no save is made; a date read keeps the
// user's links, the file's mode and owner; a folder the start made is the user's alone (0700, the files in it
// 0600).
struct StartCase {
    const char* name;
    QString (InstanceGuardTest::*lock)() const;
    bool dateReads = true;
    bool saveMade = true;
    void (*plantedByAnotherUser)(InstanceGuardTest&) = nullptr; // as root, before the start
    void (*preparedByTheUser)(InstanceGuardTest&) = nullptr;
    void (*beforeTheSecondCopy)(InstanceGuardTest&) = nullptr;
    bool asRoot = false;
    mode_t umask = 002;
    const char* privateGroupMembers = "nobody";
};

class InstanceGuardStartTest : public InstanceGuardTest, public ::testing::WithParamInterface<StartCase> {};

// Entries of root's in folders of other users below `path`.
QStringList rootsEntriesInOthersFolders(const QString& path) {
    QStringList found;
    QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (below.hasNext()) {
        const QFileInfo entry(below.nextFileInfo());
        if (entry.ownerId() == 0 && QFileInfo(entry.path()).ownerId() != 0)
            found << entry.filePath();
    }
    return found;
}

TEST_P(InstanceGuardStartTest, TheLockAndTheDateAreWhereOnlyTheUserCouldHavePutThem) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as other users";
    m_store.write(kDuration, kDate);
    testing::writeFile(elsewhere(), contents(settingsFile()));
    ASSERT_TRUE(testing::handToUnprivileged(m_root.path()));
    if (GetParam().plantedByAnotherUser != nullptr)
        GetParam().plantedByAnotherUser(*this);
    const QStringList rootsEntries = rootsEntriesInOthersFolders(m_root.path());
    const QByteArray outside = contents(elsewhere());
    const QStringList before = linksAndMode(settingsFile());
    const QByteArray saved = contents(settingsFile());
    const uint owner = QFileInfo(settingsFile()).ownerId();
    const bool folderExisted = QFileInfo::exists(settingsFolder());
    const std::optional<int> result = testing::runAsUnprivileged(
        [this] {
            ::umask(GetParam().umask);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
            qputenv("TMPDIR", QFile::encodeName(temporaryFolder()));
            if (GetParam().preparedByTheUser != nullptr)
                GetParam().preparedByTheUser(*this);
            QtInstanceGuard first(m_executable, settingsRoot());
            if (HasFailure() || first.previousInstanceRunning())
                return 1;
            if (!isLocked((this->*GetParam().lock)()) || isLocked(elsewhere()))
                return 2;
            const QString dateRead = GetParam().dateReads ? kDate : QString();
            if (m_store.read(kDuration) != dateRead)
                return 3;
            m_store.write(kDuration, kLater);
            if (m_store.read(kDuration) != (GetParam().saveMade ? kLater : dateRead))
                return 4;
            if (GetParam().beforeTheSecondCopy != nullptr)
                GetParam().beforeTheSecondCopy(*this);
            QtInstanceGuard second(m_executable, settingsRoot());
            return second.previousInstanceRunning() ? 0 : 5;
        },
        GetParam().asRoot, GetParam().privateGroupMembers);
    if (!result)
        GTEST_SKIP() << "could not run a child process as another user";
    EXPECT_EQ(*result, 0) << "1: the first copy was refused, 2: its lock is elsewhere, 3: the date read, "
                             "4: the save, 5: the second copy started, above 128: crash";
    EXPECT_EQ(rootsEntriesInOthersFolders(m_root.path()), rootsEntries);
    EXPECT_EQ(contents(elsewhere()), outside);
    EXPECT_TRUE(GetParam().saveMade || contents(settingsFile()) == saved);
    EXPECT_TRUE(!GetParam().dateReads ||
                (linksAndMode(settingsFile()) == before && QFileInfo(settingsFile()).ownerId() == owner));
    EXPECT_TRUE(folderExisted || linksAndMode(settingsFolder()) + linksAndMode(settingsFile()) +
                                         linksAndMode(settingsLock()) ==
                                     QStringList({"700", "600", "600"}));
}

void setOwnerAndMode(const QString& path, uid_t owner, gid_t group, mode_t mode) {
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), owner, group), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

void plantLink(const QString& place, const QString& target, uid_t owner) {
    const QByteArray link = QFile::encodeName(place);
    ASSERT_TRUE(QFileInfo(place).isDir() ? QDir(place).removeRecursively() : QFile::remove(place));
    ASSERT_TRUE(::symlink(QFile::encodeName(target).constData(), link.constData()) == 0 &&
                ::lchown(link.constData(), owner, owner) == 0);
}

// A neighbour opens the lock file, given the mode, and holds a shared lock on it.
void holdAsANeighbour(InstanceGuardTest& test, uid_t owner, mode_t mode) {
    testing::writeFile(test.settingsLock(), {});
    setOwnerAndMode(test.settingsLock(), owner, owner, mode);
    test.m_neighboursLock = ::open(QFile::encodeName(test.settingsLock()).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(test.m_neighboursLock, LOCK_SH | LOCK_NB), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InstanceGuardStartTest,
    ::testing::Values(
        StartCase{"TheSettingsFolderComesFirst", &InstanceGuardTest::settingsLock},
        StartCase{"ModeIsKept", &InstanceGuardTest::settingsLock, true, true,
                  [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFile(), 65534, 65533, 0640); }},
        // A umask of 002 with the Debian default of a private group.
        StartCase{
            "TheSettingsFolderIsOpenToThePrivateGroup", &InstanceGuardTest::settingsLock, true, true,
            [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFolder(), 65534, 65533, 0775); }},
        // settings file -> link2.ini -> ../real/real.ini
        StartCase{"TheUsersChainOfLinksIsFollowed", &InstanceGuardTest::settingsLock, true, true,
                  [](InstanceGuardTest& test) {
                      ASSERT_TRUE(
                          QDir(test.settingsRoot()).mkdir(QStringLiteral("real")) &&
                          QFile::rename(test.settingsFile(), test.settingsRoot() + "/real/real.ini") &&
                          QFile::link(QStringLiteral("../real/real.ini"),
                                      test.settingsFolder() + "/link2.ini") &&
                          QFile::link(QStringLiteral("link2.ini"), test.settingsFile()) &&
                          testing::handToUnprivileged(test.m_root.path()));
                  }},
        // Left by a start with sudo.
        StartCase{"AnUnreadableFileOfRootsIsLeftAlone", &InstanceGuardTest::settingsLock, false, false,
                  [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFile(), 0, 0, 0600); }},
        StartCase{"ALinkOfAnotherUserIsNotFollowed", &InstanceGuardTest::settingsLock, false, false,
                  [](InstanceGuardTest& test) { plantLink(test.settingsFile(), test.elsewhere(), 0); }},
        // A neighbour's link in the settings folder's place, to a folder of the user's.
        StartCase{
            "ALinkOfAnotherUserToAFolderIsNotFollowed", &InstanceGuardTest::runtimeLock, false, false,
            [](InstanceGuardTest& test) { plantLink(test.settingsFolder(), test.settingsRoot(), 65532); }},
        StartCase{"AFolderOfRootsInTheUsersTreeIsRefused", &InstanceGuardTest::runtimeLock, false, false,
                  [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFolder(), 0, 0, 0755); }},
        StartCase{
            "AFolderWritableByAllIsRefused", &InstanceGuardTest::runtimeLock, false, false,
            [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFolder(), 65534, 65533, 0777); }},
        // The user's own group lists a neighbour too, or is named after the user but is not theirs.
        StartCase{"AGroupWithAnotherMemberIsRefused", &InstanceGuardTest::runtimeLock, false, false,
                  [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFolder(), 65534, 65533, 0775); },
                  nullptr, nullptr, false, 002, "nobody,daemon"},
        StartCase{
            "AGroupNamedLikeTheUserIsRefused", &InstanceGuardTest::runtimeLock, false, false,
            [](InstanceGuardTest& test) { setOwnerAndMode(test.settingsFolder(), 65534, 65531, 0775); }},
        // Two starts with different runtime folders.
        StartCase{"AReadOnlySettingsFolderKeepsItsLock", &InstanceGuardTest::settingsLock, true, false,
                  nullptr,
                  [](InstanceGuardTest& test) {
                      testing::writeFile(test.settingsLock(), {});
                      ASSERT_EQ(::chmod(QFile::encodeName(test.settingsFolder()).constData(), 0500), 0);
                  },
                  [](InstanceGuardTest& test) {
                      qputenv("XDG_RUNTIME_DIR", QFile::encodeName(test.temporaryFolder()));
                  }},
        // Restored from a backup as 0644 in a folder open to all to read.
        StartCase{"ALockFileOthersCouldOpenIsReplaced", &InstanceGuardTest::settingsLock, true, true,
                  [](InstanceGuardTest& test) {
                      setOwnerAndMode(test.settingsFolder(), 65534, 65533, 0755);
                      holdAsANeighbour(test, 65534, 0644);
                  }},
        // Root's own folders, with another user's lock file and settings file in them: the file
        // stays that user's.
        StartCase{
            "ALockFileOfAnotherUsersIsReplaced", &InstanceGuardTest::settingsLock, true, true,
            [](InstanceGuardTest& test) {
                for (const QString& folder : {test.m_root.path(), test.settingsRoot(), test.settingsFolder()})
                    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 0, 0), 0);
                holdAsANeighbour(test, 65534, 0600);
            },
            nullptr, nullptr, true},
        // `su` without `-`: the user's settings, runtime and temporary folders and HOME; no
        // session bus is started in that home either.
        StartCase{"RootInAnotherUsersFoldersLocksInItsOwn", &InstanceGuardTest::rootsLock, false, false,
                  nullptr,
                  [](InstanceGuardTest& test) {
                      qputenv("HOME", QFile::encodeName(test.m_root.path()));
                      qunsetenv("DBUS_SESSION_BUS_ADDRESS");
                      keepRootOutOfAnotherUsersFolders();
                      ASSERT_FALSE(qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"));
                  },
                  nullptr, true},
        // Root started first with the user's environment made nothing.
        StartCase{"TheFirstStartWithUmask000MakesFoldersOfTheUsersAlone", &InstanceGuardTest::settingsLock,
                  false, true,
                  [](InstanceGuardTest& test) {
                      ASSERT_TRUE(QDir(test.settingsFolder()).removeRecursively());
                      test.m_store.write(kDuration, kDate);
                      ASSERT_FALSE(QFileInfo::exists(test.settingsFolder()));
                  },
                  nullptr, nullptr, false, 0},
        StartCase{"TheLockIsAFifo", &InstanceGuardTest::runtimeLock, true, true, nullptr,
                  [](InstanceGuardTest& test) { testing::putFifo(test.settingsLock()); }},
        StartCase{"TheLockIsALinkToAFileOfTheUsers", &InstanceGuardTest::runtimeLock, true, true, nullptr,
                  [](InstanceGuardTest& test) {
                      ASSERT_TRUE(QFile::link(test.elsewhere(), test.settingsLock()));
                  }}),
    byName);

} // namespace
} // namespace ssn::platform
