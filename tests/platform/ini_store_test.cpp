// The settings store over the real QSettings INI backend, in a temporary folder.

#include "doubles/named_rows.h"
#include "doubles/platform_doubles.h"
#include "odd_entries.h"
#include "platform/qt/qt_settings_backend.h"
#include "platform/qt/user_folders.h"
#include "platform/qt_text.h"
#include "run_as_unprivileged.h"
#include "settings/code_page_table.h"
#include "settings/setting_text.h"
#include "settings/settings_store.h"
#include "temporary_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ssn::settings {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

const QString kProgram = QStringLiteral("VLFreeSubconsciousSelfNumber");
const QString kDuration = QStringLiteral("Duration");
const QString kDate = QStringLiteral("12/7/2026");
// "Duration" as the file holds it.
const QString kStoredKey = QString::fromUtf16(u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3");

class IniStoreTest : public ::testing::Test {
protected:
    QByteArray fileContents() const {
        QFile file(m_folder.iniFile(kProgram));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void putFile(const QByteArray& contents) const {
        ASSERT_TRUE(QDir().mkpath(m_folder.applicationFolder(kProgram)));
        testing::writeFile(m_folder.iniFile(kProgram), contents);
    }

    testing::TemporarySettingsFolder m_folder;
    platform::QtSettingsBackend m_backend{m_folder.path()};
    testing::FakeExecutable m_executable;
    SettingsStore m_store{m_backend, m_executable};
};

// What this store writes is what QSettings writes, byte for byte, and what QSettings writes this
// store reads: the date as the file holds it, every storable code, and the escapes and quotes that
// other programs' values take.
TEST_F(IniStoreTest, TheStoreAndQSettingsSpellTheFileAlike) {
    const QString reference = m_folder.path() + QStringLiteral("/reference.ini");
    const QString date = QString::fromUtf16(u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039");
    const QString values[] = {date, platform::toQString(EncodeSettingText(testing::everyStorableCharacter())),
                              QStringLiteral("@x \"q\" \\ \001f\t\u00e9\U0001F600"), QStringLiteral(" a b "),
                              QString(QChar(0)) + QStringLiteral("7,")};
    for (const QString& value : values) {
        QFile::remove(reference);
        value == date ? m_store.write(kDuration, kDate)
                      : m_backend.write(kProgram, QStringLiteral("Settings"), kStoredKey, value);
        QSettings(reference, QSettings::IniFormat).setValue(QStringLiteral("Settings/") + kStoredKey, value);
        QFile written(reference);
        EXPECT_TRUE(written.open(QIODevice::ReadOnly) && written.readAll() == fileContents());
        EXPECT_EQ(m_backend.read(kProgram, QStringLiteral("Settings"), kStoredKey), value);
        QFile::remove(m_folder.iniFile(kProgram));
    }
}

// One damaged line among other sections: the date after it is read, and a save adds or replaces
// the date's line and keeps every other byte.
struct DamagedLineCase {
    const char* name;
    QByteArray line;
};

class DamagedLineTest : public IniStoreTest, public ::testing::WithParamInterface<DamagedLineCase> {};

TEST_P(DamagedLineTest, ASaveChangesOnlyTheDatesLine) {
    m_store.write(kDuration, kDate);
    const QByteArray dateLine = fileContents().sliced(11); // after "[Settings]\n"
    const QByteArray head =
        "; a comment\nother=1\n[Other%20Section]\nk=v\n" + GetParam().line + "\n[Settings]\n";
    const QByteArray tail = "kept=\"x, y\"\r\n; the end";
    putFile(head + tail);
    m_store.write(kDuration, kDate);
    EXPECT_EQ(fileContents(), head + dateLine + tail);
    EXPECT_EQ(m_store.read(kDuration), kDate);
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    m_store.write(kDuration, kDate);
    EXPECT_EQ(fileContents(), head + dateLine + tail);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedLineTest,
    ::testing::Values(
        DamagedLineCase{"KeyIsEmpty", "=orphan value"}, DamagedLineCase{"SectionEndsWithASlash", "[X/]\nx=1"},
        // QSettings folds every later line into the value of these.
        DamagedLineCase{"QuoteIsUnterminated", "note=say \"hi"}, DamagedLineCase{"QuoteIsAlone", "\""},
        DamagedLineCase{"BinaryGarbage", QByteArray("\x00\xff\xfe[[[Settings\n=\x01\x02]]\n\xc3", 18)}),
    byName);

// A FIFO in the file's place holds up no open: the store reads it as empty and takes no writes.
TEST_F(IniStoreTest, AFifoInTheFilesPlaceReadsAsEmptyAndTakesNoWrites) {
    m_store.write(kDuration, kDate);
    QFile::remove(m_folder.iniFile(kProgram));
    testing::putFifo(m_folder.iniFile(kProgram));
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
}

// The bytes this process has read so far, through any call.
qint64 bytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    return io.open(QIODevice::ReadOnly) ? io.readLine().sliced(6).trimmed().toLongLong() : -1;
}

// Another thread swaps a small settings file and a 64 MB one while the store reads: no read
// gets past the limit, whichever file it meets.
TEST_F(IniStoreTest, AReadStopsAtTheLimitWhateverTheFileIsSwappedFor) {
    m_store.write(kDuration, kDate);
    const QByteArray small = QFile::encodeName(m_folder.path() + "/small"), big = small + "-big";
    const QByteArray file = QFile::encodeName(m_folder.iniFile(kProgram)), swap = small + "-swap";
    ASSERT_EQ(::rename(file.constData(), small.constData()), 0);
    ASSERT_TRUE(QFile::copy(QFile::decodeName(small), QFile::decodeName(big)) &&
                QFile(QFile::decodeName(big)).resize(64 << 20));
    std::atomic<bool> done = false;
    std::thread swapper([&] {
        for (int turn = 0; !done; ++turn)
            ::link(turn % 2 == 0 ? small.constData() : big.constData(), swap.constData()) == 0 &&
                ::rename(swap.constData(), file.constData()) == 0;
    });
    qint64 most = 0;
    for (int i = 0; i < 400; ++i) {
        const qint64 before = bytesRead();
        m_store.read(kDuration);
        most = std::max(most, bytesRead() - before);
    }
    done = true;
    swapper.join();
    EXPECT_LE(most, (4 << 20) + 4096) << "bytes read at once";
}

// A file close to the limit is read and saved; a save that would take it past the limit is not
// made.
TEST_F(IniStoreTest, ASaveNeverTakesTheFilePastTheLimit) {
    m_store.write(kDuration, kDate);
    putFile(fileContents() + "[Other]\npad=" + QByteArray((4 << 20) - fileContents().size() - 40, 'x') +
            '\n');
    EXPECT_EQ(m_store.read(kDuration), kDate);
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    EXPECT_EQ(m_store.read(kDuration), QStringLiteral("1/1/2030"));
    const QByteArray saved = fileContents();
    m_store.write(kDuration, QString(40, u'9'));
    EXPECT_EQ(fileContents(), saved);
}

// What a save killed halfway left beside the file goes at the first read of a run, and at the
// next save; a neighbour's file that only looks alike (an editor's swap file) stays.
TEST_F(IniStoreTest, TheFirstReadOrTheNextWriteRemovesWhatAKilledWriteLeft) {
    putFile("[Other]\nk=v\n");
    const QStringList neighbours{"." + kProgram + ".ini.swp", kProgram + ".ini.swp"};
    for (const QString& name : neighbours)
        testing::writeFile(m_folder.applicationFolder(kProgram) + '/' + name, "x");
    for (const bool writes : {false, true}) {
        testing::writeFile(m_folder.applicationFolder(kProgram) + "/." + kProgram + ".ini.new-XyZ123", "x");
        writes ? m_store.write(kDuration, kDate) : void(m_store.read(kDuration));
        EXPECT_EQ(
            QDir(m_folder.applicationFolder(kProgram)).entryList(QDir::Files | QDir::Hidden, QDir::Name),
            QStringList({neighbours[0], kProgram + ".ini", neighbours[1]}));
    }
}

// As an ordinary user: a relative XDG_CONFIG_HOME is ignored, no HOME means the home from the
// password database, a folder named in another encoding keeps its bytes.
TEST(IniStoreRootTest, TheConfigurationFolderComesFromTheEnvironmentsBytes) {
    const std::optional<int> result = testing::runAsUnprivileged([] {
        qputenv("HOME", "/home/someone");
        qputenv("XDG_CONFIG_HOME", "relative/config");
        const bool relative = platform::QtSettingsBackend::defaultRoot() == "/home/someone/.config";
        qunsetenv("HOME");
        const bool homeless = platform::QtSettingsBackend::defaultRoot() ==
                              QString(::getpwuid(::geteuid())->pw_dir) + "/.config";
        qputenv("XDG_CONFIG_HOME", "/config\xff");
        return int(relative) + 2 * int(homeless) +
               4 * int(platform::encodePath(platform::QtSettingsBackend::defaultRoot()) == "/config\xff");
    });
    EXPECT_EQ(result, std::optional(7)) << "1: relative, 2: no HOME, 4: the odd folder, missing";
}

// What the user, another user or root left in the user's settings folder, and what the user's
// next start (an ordinary user, umask 002) makes of it: the date reads and the save is made, or
// not. Nothing outside the folder changes (a file a planted link points to stands for ~/.bashrc);
// a date read keeps the user's links and the file's mode, a save not made the file's bytes; root
// started first with the user's environment makes nothing.
struct FolderCase {
    const char* name;
    void (*prepare)(const testing::TemporarySettingsFolder& folder, const QByteArray& outside);
    bool dateReads;
    bool saveMade;
    bool rootStartsFirst = false;
};

class FolderTest : public IniStoreTest, public ::testing::WithParamInterface<FolderCase> {};

// The links from the settings file's path to the file itself, then that file's mode.
QStringList linksAndMode(const QString& path) {
    QStringList chain;
    QFileInfo info(path);
    for (; info.isSymLink(); info.setFile(info.symLinkTarget()))
        chain << info.symLinkTarget();
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return chain << QString::number(status.st_mode & 07777, 8);
}

TEST_P(FolderTest, TheDateReadsAndIsSavedOrTheFileStaysAndNothingOutsideChanges) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to leave files of another user";
    m_store.write(kDuration, kDate);
    const QString outside = m_folder.path() + QStringLiteral("/bashrc");
    testing::writeFile(outside, "echo mine\n");
    ASSERT_TRUE(testing::handToUnprivileged(m_folder.path()));
    GetParam().prepare(m_folder, QFile::encodeName(outside));
    const QStringList before = linksAndMode(m_folder.iniFile(kProgram));
    const QByteArray contents = fileContents();
    if (GetParam().rootStartsFirst) {
        m_store.write(kDuration, kDate);
        EXPECT_FALSE(QFileInfo::exists(m_folder.applicationFolder(kProgram)));
    }
    const std::optional<int> result = testing::runAsUnprivileged([this] {
        ::umask(002);
        if (m_store.read(kDuration) != (GetParam().dateReads ? kDate : QString()))
            return 1;
        m_store.write(kDuration, QStringLiteral("1/1/2030"));
        return m_store.read(kDuration) == (GetParam().saveMade ? QStringLiteral("1/1/2030") : QString()) ? 0
                                                                                                         : 2;
    });
    if (!result)
        GTEST_SKIP() << "could not run a child process as an unprivileged user";
    EXPECT_EQ(*result, 0) << "1: the date read before the save is wrong, 2: after it, above 128: crash";
    QFile kept(outside);
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == "echo mine\n");
    EXPECT_TRUE(!GetParam().dateReads || linksAndMode(m_folder.iniFile(kProgram)) == before);
    EXPECT_TRUE(GetParam().saveMade || fileContents() == contents);
}

void setMode(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

void plantLink(const testing::TemporarySettingsFolder& folder, const QByteArray& target, uid_t owner) {
    const QByteArray file = QFile::encodeName(folder.iniFile(kProgram));
    ASSERT_TRUE(::unlink(file.constData()) == 0 && ::symlink(target.constData(), file.constData()) == 0 &&
                ::lchown(file.constData(), owner, owner) == 0);
}

// The settings folder open to a group that root belongs to.
void shareWithAGroup(const testing::TemporarySettingsFolder& folder) {
    const QByteArray path = QFile::encodeName(folder.applicationFolder(kProgram));
    ASSERT_TRUE(::chown(path.constData(), 65534, 0) == 0 && ::chmod(path.constData(), 02770) == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FolderTest,
    ::testing::Values(
        FolderCase{"ModeIsKept", [](const auto& folder, auto) { setMode(folder.iniFile(kProgram), 0640); },
                   true, true},
        // settings file -> link2.ini -> real/real.ini, of mode 0600
        FolderCase{"TheUsersChainOfLinksIsFollowed",
                   [](const auto& folder, auto) {
                       ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("real")));
                       const QString real = folder.path() + QStringLiteral("/real/real.ini");
                       ASSERT_TRUE(QFile::rename(folder.iniFile(kProgram), real));
                       setMode(real, 0600);
                       ASSERT_TRUE(
                           QFile::link(QStringLiteral("../real/real.ini"),
                                       folder.applicationFolder(kProgram) + QStringLiteral("/link2.ini")));
                       ASSERT_TRUE(QFile::link(QStringLiteral("link2.ini"), folder.iniFile(kProgram)));
                       ASSERT_TRUE(testing::handToUnprivileged(folder.path()));
                   },
                   true, true},
        // Left by a start with sudo.
        FolderCase{"AnUnreadableFileOfRootsIsLeftAlone",
                   [](const auto& folder, auto) {
                       ASSERT_EQ(::chown(QFile::encodeName(folder.iniFile(kProgram)).constData(), 0, 0), 0);
                       setMode(folder.iniFile(kProgram), 0600);
                   },
                   false, false},
        FolderCase{"ALinkOfAnotherUserIsNotFollowed",
                   [](const auto& folder, const QByteArray& outside) { plantLink(folder, outside, 0); },
                   false, true},
        // A neighbour may have renamed a link of the user's into the file's place.
        FolderCase{"TheUsersLinkInAFolderSharedWithAGroupIsNotFollowed",
                   [](const auto& folder, const QByteArray& outside) {
                       plantLink(folder, outside, 65534);
                       shareWithAGroup(folder);
                   },
                   false, true},
        // Empty, unreadable to the user, older than a second.
        FolderCase{"AStoreLockOfAnotherUserGoes",
                   [](const auto& folder, auto) {
                       const QByteArray lock = QFile::encodeName(folder.iniFile(kProgram)) + ".lock";
                       testing::writeFile(QFile::decodeName(lock), {});
                       const timespec old[2] = {{::time(nullptr) - 2, 0}, {::time(nullptr) - 2, 0}};
                       ASSERT_EQ(::utimensat(AT_FDCWD, lock.constData(), old, 0), 0);
                       shareWithAGroup(folder);
                   },
                   true, true},
        // Before the user's settings folder existed.
        FolderCase{"RootStartedWithTheUsersHomeMakesNothing",
                   [](const auto& folder, auto) {
                       ASSERT_TRUE(QDir(folder.applicationFolder(kProgram)).removeRecursively());
                   },
                   false, true, true}),
    byName);

// Root saving in a tree of its own gives a file of another user's back to that user.
TEST_F(IniStoreTest, RootGivesTheFileBackToItsOwner) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    putFile("[Other]\nk=v\n");
    ASSERT_EQ(::chown(QFile::encodeName(m_folder.iniFile(kProgram)).constData(), 65534, 65534), 0);
    m_store.write(kDuration, kDate);
    EXPECT_EQ(QFileInfo(m_folder.iniFile(kProgram)).ownerId(), 65534u);
}

} // namespace
} // namespace ssn::settings
