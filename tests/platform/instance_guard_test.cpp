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
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <cstddef>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace ssn::platform {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

const QString kDuration = QStringLiteral("Duration");
const QString kDate = QStringLiteral("12/7/2026");
const QString kLater = QStringLiteral("1/1/2030");

// The links from `path` to the file itself, then that file's mode and its access ACL, if any.
QStringList linksAndMode(const QString& path) {
    QStringList chain;
    QFileInfo info(path);
    for (; info.isSymLink(); info.setFile(info.symLinkTarget()))
        chain << info.symLinkTarget();
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    char acl[256];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), "system.posix_acl_access", acl, 256);
    return chain << QString::number(status.st_mode & 07777, 8)
                 << QByteArray(acl, std::max<ssize_t>(size, 0)).toHex();
}

// Every test has its own settings, runtime and temporary folders; the start cases point the
// child's environment at the latter two.
class InstanceGuardTest : public ::testing::Test {
public:
    InstanceGuardTest() {
        for (const QString& folder : {runtimeFolder(), temporaryFolder(), settingsRoot()})
            QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // A name of this process's own: copies of the program and of these tests run beside it.
        m_executable.name += QString::number(::getpid());
    }
    ~InstanceGuardTest() override {
        ::close(m_squatter);
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {settingsRoot()});
    }

    QString runtimeFolder() const { return m_root.path() + QStringLiteral("/runtime"); }
    QString temporaryFolder() const { return m_root.path() + QStringLiteral("/tmp"); }
    QString settingsRoot() const { return m_root.path() + QStringLiteral("/config"); }
    QString settingsFolder() const { return settingsRoot() + QLatin1Char('/') + m_executable.name; }
    QString settingsFile() const { return settingsFolder() + QLatin1Char('/') + m_executable.name + ".ini"; }
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
    int m_squatter = -1;    // another user's socket holding the user's single-instance name
    bool m_mounted = false; // a file system mounted over the settings root
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
// whether the date reads and a save is made, and whether a second copy is refused. Nothing
// outside changes: no file a planted link points to, no new entry of root's in another user's
// folder, not the file's bytes when no save is made; a date read keeps the user's links, the
// file's mode, ACL and owner; a folder the start made is the user's alone (0700, the file 0600).
enum class TheDate { ReadAndSaved, SavedOnly, NeitherReadNorSaved };

struct StartCase {
    const char* name;
    void (*plantedByAnotherUser)(InstanceGuardTest&) = nullptr; // as root, before the start
    void (*preparedByTheUser)(InstanceGuardTest&) = nullptr;
    bool theUserIsRoot = false;
    mode_t umask = 002;
    const char* privateGroupMembers = "nobody";
    TheDate theDate = TheDate::ReadAndSaved;
    bool aSecondCopyIsRefused = true;
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

// What a start sees, one line each, as the row expects it or as a child process saw it.
QStringList startSeen(bool firstRefused, const QString& dateRead, const QString& dateAfterASave,
                      bool secondRefused) {
    return {QStringLiteral("first copy refused: %1").arg(firstRefused),
            QStringLiteral("date read: ") + dateRead, QStringLiteral("date after a save: ") + dateAfterASave,
            QStringLiteral("second copy refused: %1").arg(secondRefused)};
}

TEST_P(InstanceGuardStartTest, TheDateIsWhereOnlyTheUserCouldHavePutItAndOneCopyRuns) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as other users";
    m_store.write(kDuration, kDate);
    testing::writeFile(elsewhere(), contents(settingsFile()));
    ASSERT_TRUE(testing::handToUnprivileged(m_root.path()));
    if (GetParam().plantedByAnotherUser != nullptr)
        GetParam().plantedByAnotherUser(*this);
    if (IsSkipped() || HasFailure())
        return;
    const QStringList rootsEntries = rootsEntriesInOthersFolders(m_root.path());
    const QByteArray outside = contents(elsewhere());
    const QStringList before = linksAndMode(settingsFile());
    const QByteArray saved = contents(settingsFile());
    const uint owner = QFileInfo(settingsFile()).ownerId();
    const bool folderExisted = QFileInfo::exists(settingsFolder());
    int seen[2] = {-1, -1};
    ASSERT_EQ(::pipe(seen), 0);
    const std::optional<int> result = testing::runAsUnprivileged(
        [&] {
            ::umask(GetParam().umask);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
            qputenv("TMPDIR", QFile::encodeName(temporaryFolder()));
            if (GetParam().preparedByTheUser != nullptr)
                GetParam().preparedByTheUser(*this);
            QtInstanceGuard first(m_executable, settingsRoot());
            const bool firstRefused = first.previousInstanceRunning();
            const QString dateRead = m_store.read(kDuration);
            m_store.write(kDuration, kLater);
            const QString dateAfterASave = m_store.read(kDuration);
            QtInstanceGuard second(m_executable, settingsRoot());
            const QByteArray lines =
                startSeen(firstRefused, dateRead, dateAfterASave, second.previousInstanceRunning())
                    .join(u'\n')
                    .toUtf8();
            return HasFailure() || ::write(seen[1], lines.constData(), lines.size()) != lines.size() ? 1 : 0;
        },
        GetParam().theUserIsRoot, GetParam().privateGroupMembers);
    ::close(seen[1]);
    QFile fromTheChild;
    const QByteArray lines = fromTheChild.open(seen[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)
                                 ? fromTheChild.readAll()
                                 : QByteArray();
    if (!result)
        GTEST_SKIP() << "could not run a child process as another user";
    EXPECT_EQ(*result, 0) << "above 128: a crash";
    const bool dateReads = GetParam().theDate == TheDate::ReadAndSaved;
    const bool saveMade = GetParam().theDate != TheDate::NeitherReadNorSaved;
    const QString dateRead = dateReads ? kDate : QString();
    EXPECT_EQ(QString::fromUtf8(lines).split(u'\n'),
              startSeen(false, dateRead, saveMade ? kLater : dateRead, GetParam().aSecondCopyIsRefused));
    EXPECT_EQ(rootsEntriesInOthersFolders(m_root.path()), rootsEntries);
    EXPECT_EQ(contents(elsewhere()), outside);
    EXPECT_TRUE(saveMade || contents(settingsFile()) == saved);
    EXPECT_TRUE(!dateReads ||
                (linksAndMode(settingsFile()) == before && QFileInfo(settingsFile()).ownerId() == owner));
    EXPECT_TRUE(folderExisted || linksAndMode(settingsFolder()) + linksAndMode(settingsFile()) ==
                                     QStringList({"700", "", "600", ""}));
}

// The settings folder's or file's owner, group and mode, set by another user.
template <QString (InstanceGuardTest::*place)() const, uid_t owner, gid_t group, mode_t mode>
void given(InstanceGuardTest& test) {
    const QByteArray path = QFile::encodeName((test.*place)());
    ASSERT_TRUE(::chown(path.constData(), owner, group) == 0 && ::chmod(path.constData(), mode) == 0);
}
constexpr auto kFolder = &InstanceGuardTest::settingsFolder;
constexpr auto kFile = &InstanceGuardTest::settingsFile;

void plantLink(const QString& place, const QString& target, uid_t owner) {
    const QByteArray link = QFile::encodeName(place);
    ASSERT_TRUE(QFileInfo(place).isDir() ? QDir(place).removeRecursively() : QFile::remove(place));
    ASSERT_TRUE(::symlink(QFile::encodeName(target).constData(), link.constData()) == 0 &&
                ::lchown(link.constData(), owner, owner) == 0);
}

void setAcl(const char* entry, const QString& path) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("setfacl"),
                                {QStringLiteral("-m"), QString::fromLatin1(entry), path}),
              0);
}

// Another user binds the single-instance name of the child's user ("nobody", 65534) first.
void holdTheUsersName(InstanceGuardTest& test) {
    test.m_squatter = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = test.m_executable.name.toUtf8() + ".65534";
    std::memcpy(address.sun_path + 1, name.constData(), name.size());
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    ASSERT_EQ(::bind(test.m_squatter, reinterpret_cast<const sockaddr*>(&address), length), 0);
    ASSERT_EQ(::listen(test.m_squatter, 1), 0);
}

// A file system that shows everything as 0755 and ignores chmod (a CIFS home, FAT through FUSE).
void mountModesThatLie(InstanceGuardTest& test) {
    if (::access("/dev/fuse", R_OK | W_OK) != 0)
        GTEST_SKIP() << "no /dev/fuse for bindfs";
    test.m_mounted =
        QProcess::execute(QStringLiteral("bindfs"), {"-o", "allow_other", "-p", "0755", "--chmod-ignore",
                                                     test.settingsRoot(), test.settingsRoot()}) == 0;
    ASSERT_TRUE(test.m_mounted);
}

constexpr auto kRefused = TheDate::NeitherReadNorSaved;

INSTANTIATE_TEST_SUITE_P(
    Cases, InstanceGuardStartTest,
    ::testing::Values(
        StartCase{.name = "TheSettingsFolderIsTheUsers"},
        StartCase{.name = "ModeIsKept", .plantedByAnotherUser = given<kFile, 65534, 65533, 0640>},
        // A neighbour denied the file: a save keeps the denial.
        StartCase{.name = "TheFilesAclIsKept",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) { setAcl("u:65532:---", test.settingsFile()); }},
        // A umask of 002 with the Debian default of a private group.
        StartCase{.name = "TheFolderIsOpenToThePrivateGroup",
                  .plantedByAnotherUser = given<kFolder, 65534, 65533, 0775>},
        StartCase{.name = "ModesThatLieSplitNothing", .plantedByAnotherUser = mountModesThatLie},
        // settings file -> link2.ini -> /.../real/real.ini
        StartCase{.name = "TheUsersChainOfLinksIsFollowed",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) {
                          ASSERT_TRUE(
                              QDir(test.settingsRoot()).mkdir(QStringLiteral("real")) &&
                              QFile::rename(test.settingsFile(), test.settingsRoot() + "/real/real.ini") &&
                              QFile::link(test.settingsRoot() + "/real/real.ini",
                                          test.settingsFolder() + "/link2.ini") &&
                              QFile::link(QStringLiteral("link2.ini"), test.settingsFile()) &&
                              testing::handToUnprivileged(test.m_root.path()));
                      }},
        // Left by a start with sudo.
        StartCase{.name = "AnUnreadableFileOfRootsIsLeftAlone",
                  .plantedByAnotherUser = given<kFile, 0, 0, 0600>,
                  .theDate = kRefused},
        StartCase{.name = "ALinkOfAnotherUserIsReplacedNotFollowed",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) { plantLink(test.settingsFile(), test.elsewhere(), 0); },
                  .theDate = TheDate::SavedOnly},
        // A neighbour's link in the settings folder's place, to a folder of the user's.
        StartCase{
            .name = "ALinkOfAnotherUserToAFolderIsNotFollowed",
            .plantedByAnotherUser =
                [](InstanceGuardTest& test) { plantLink(test.settingsFolder(), test.settingsRoot(), 65532); },
            .theDate = kRefused},
        StartCase{.name = "AFolderOfRootsInTheUsersTreeIsRefused",
                  .plantedByAnotherUser = given<kFolder, 0, 0, 0755>,
                  .theDate = kRefused},
        StartCase{.name = "AFolderWritableByAllIsRefused",
                  .plantedByAnotherUser = given<kFolder, 65534, 65533, 0777>,
                  .theDate = kRefused},
        StartCase{.name = "AFolderWhoseAclLetsANeighbourWriteIsRefused",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) { setAcl("u:65532:rwx", test.settingsFolder()); },
                  .theDate = kRefused},
        // The user's own group lists a neighbour too, or is named after the user but is not theirs.
        StartCase{.name = "AGroupWithAnotherMemberIsRefused",
                  .plantedByAnotherUser = given<kFolder, 65534, 65533, 0775>,
                  .privateGroupMembers = "nobody,daemon",
                  .theDate = kRefused},
        StartCase{.name = "AGroupNamedLikeTheUserIsRefused",
                  .plantedByAnotherUser = given<kFolder, 65534, 65531, 0775>,
                  .theDate = kRefused},
        // Root's own folders, with another user's settings file in them: the file stays theirs.
        StartCase{.name = "AFileOfAnotherUserInRootsTreeStaysTheirs",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) {
                          for (const QString& folder :
                               {test.m_root.path(), test.settingsRoot(), test.settingsFolder()})
                              ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 0, 0), 0);
                      },
                  .theUserIsRoot = true},
        // `sudo -H` with the user's runtime folder and no session bus address: the user's folders
        // are not root's, and no session bus is started.
        StartCase{.name = "RootUnderSudoStartsNoBus",
                  .preparedByTheUser =
                      [](InstanceGuardTest&) {
                          qputenv("HOME", ::getpwuid(0)->pw_dir);
                          qunsetenv("DBUS_SESSION_BUS_ADDRESS");
                          keepRootOutOfAnotherUsersFolders();
                          ASSERT_EQ(qgetenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
                          ASSERT_TRUE(qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"));
                      },
                  .theUserIsRoot = true,
                  .theDate = kRefused},
        // Root started first with the user's environment made nothing.
        StartCase{.name = "TheFirstStartWithUmask0277MakesAFolderOfTheUsersAlone",
                  .plantedByAnotherUser =
                      [](InstanceGuardTest& test) {
                          ASSERT_TRUE(QDir(test.settingsFolder()).removeRecursively());
                          test.m_store.write(kDuration, kDate);
                          ASSERT_FALSE(QFileInfo::exists(test.settingsFolder()));
                      },
                  .umask = 0277,
                  .theDate = TheDate::SavedOnly},
        StartCase{.name = "AnotherUserHoldingTheNameRefusesNoStart",
                  .plantedByAnotherUser = holdTheUsersName,
                  .aSecondCopyIsRefused = false}),
    byName);

} // namespace
} // namespace ssn::platform
