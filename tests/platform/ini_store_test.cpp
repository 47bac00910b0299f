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
#include <malloc.h>
#include <pwd.h>
#include <sys/resource.h>
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
                              QStringLiteral("@x \"q\" \\ \001ff\t\u00e9\U0001F600"), QStringLiteral(" a b "),
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
    putFile(head + dateLine.chopped(1) + " ; a note\n" + tail);
    EXPECT_EQ(m_store.read(kDuration), kDate);
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

// A read changes nothing in the folder; a save goes through what a save killed halfway left
// (its scratch file, here as a FIFO) and keeps a neighbour's file that only looks alike (an
// editor's swap file).
TEST_F(IniStoreTest, AReadChangesNothingAndASaveGoesThroughWhatAKilledSaveLeft) {
    putFile("[Other]\nk=v\n");
    testing::writeFile(m_folder.applicationFolder(kProgram) + "/." + kProgram + ".ini.swp", "x");
    testing::putFifo(m_folder.applicationFolder(kProgram) + "/." + kProgram + ".ini.new");
    const auto entries = [this] {
        return QDir(m_folder.applicationFolder(kProgram))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    };
    const QStringList before = entries();
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    EXPECT_EQ(entries(), before);
    m_store.write(kDuration, kDate);
    EXPECT_EQ(m_store.read(kDuration), kDate);
    EXPECT_EQ(entries(), QStringList({"." + kProgram + ".ini.swp", kProgram + ".ini"}));
}

// Memory runs short as the store reads (a limit on the address space, in a fresh process): a
// small file is read with an allocation of its own size, and a larger one that cannot be had
// reads as empty; nothing escapes the store (an escape aborts).
TEST_F(IniStoreTest, AFailedAllocationReadsAsEmpty) {
    m_store.write(kDuration, kDate);
    platform::QtSettingsBackend big{m_folder.path()};
    testing::FakeExecutable bigName;
    bigName.name = QStringLiteral("Big");
    ASSERT_TRUE(QDir().mkpath(m_folder.applicationFolder(bigName.name)));
    testing::writeFile(m_folder.iniFile(bigName.name), "[Settings]\n" + QByteArray(3 << 20, ';'));
    const auto readUnderALimit = [&] {
        ::mallopt(M_MMAP_THRESHOLD, 128 << 10); // every large block from the system
        QFile statm(QStringLiteral("/proc/self/statm"));
        const rlim_t used =
            statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').first().toULong() : 0;
        const rlimit limit{used * rlim_t(::getpagesize()) + (2 << 20),
                           used * rlim_t(::getpagesize()) + (2 << 20)};
        const bool limited = ::setrlimit(RLIMIT_AS, &limit) == 0;
        std::_Exit(limited && m_store.read(kDuration) == kDate &&
                           SettingsStore(big, bigName).read(kDuration).isEmpty()
                       ? 0
                       : 1);
    };
    EXPECT_EXIT(readUnderALimit(), ::testing::ExitedWithCode(0), "");
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
// next start (an ordinary user, umask 002 unless the row says otherwise) makes of it: the date
// reads and the save is made, or not. Nothing outside the folder changes (a planted link's
// target holds a date, and a file or folder there stands for one of the user's elsewhere); a
// date read keeps the user's links and the file's mode, a save not made the file's bytes, and a
// folder the start made is the user's alone (0700, the file 0600); root started first with the
// user's environment makes nothing.
struct FolderCase {
    const char* name;
    void (*prepare)(const testing::TemporarySettingsFolder& folder, const QByteArray& outside);
    bool dateReads;
    bool saveMade;
    bool rootStartsFirst = false;
    mode_t umask = 002;
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
    const QString outside = m_folder.path() + QStringLiteral("/elsewhere.ini");
    const QByteArray outsideContents = fileContents();
    testing::writeFile(outside, outsideContents);
    const auto outsideEntries = [this] {
        QStringList entries = QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        entries.removeOne(kProgram);
        return entries;
    };
    ASSERT_TRUE(testing::handToUnprivileged(m_folder.path()));
    GetParam().prepare(m_folder, QFile::encodeName(outside));
    const QStringList outsideBefore = outsideEntries();
    const QStringList before = linksAndMode(m_folder.iniFile(kProgram));
    const QByteArray contents = fileContents();
    if (GetParam().rootStartsFirst) {
        m_store.write(kDuration, kDate);
        EXPECT_FALSE(QFileInfo::exists(m_folder.applicationFolder(kProgram)));
    }
    const bool folderExisted = QFileInfo::exists(m_folder.applicationFolder(kProgram));
    const std::optional<int> result = testing::runAsUnprivileged([this] {
        ::umask(GetParam().umask);
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
    EXPECT_TRUE(kept.open(QIODevice::ReadOnly) && kept.readAll() == outsideContents);
    EXPECT_EQ(outsideEntries(), outsideBefore);
    EXPECT_TRUE(!GetParam().dateReads || linksAndMode(m_folder.iniFile(kProgram)) == before);
    EXPECT_TRUE(GetParam().saveMade || fileContents() == contents);
    if (!folderExisted && GetParam().saveMade) {
        EXPECT_EQ(linksAndMode(m_folder.applicationFolder(kProgram)) +
                      linksAndMode(m_folder.iniFile(kProgram)),
                  QStringList({"700", "600"}));
    }
}

void setMode(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

void plantLink(const QString& place, const QByteArray& target, uid_t owner) {
    const QByteArray link = QFile::encodeName(place);
    ASSERT_TRUE(QFileInfo(place).isDir() ? QDir(place).removeRecursively() : ::unlink(link.constData()) == 0);
    ASSERT_TRUE(::symlink(target.constData(), link.constData()) == 0 &&
                ::lchown(link.constData(), owner, owner) == 0);
}

void setOwnerAndMode(const QString& path, uid_t owner, gid_t group, mode_t mode) {
    ASSERT_TRUE(::chown(QFile::encodeName(path).constData(), owner, group) == 0);
    setMode(path, mode);
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
                   [](const auto& folder, auto) { setOwnerAndMode(folder.iniFile(kProgram), 0, 0, 0600); },
                   false, false},
        FolderCase{"ALinkOfAnotherUserIsNotFollowed",
                   [](const auto& folder, const QByteArray& outside) {
                       plantLink(folder.iniFile(kProgram), outside, 0);
                   },
                   false, false},
        // A neighbour's link in the program folder's place, to a folder of the user's.
        FolderCase{"ALinkOfAnotherUserToAFolderIsNotFollowed",
                   [](const auto& folder, auto) {
                       plantLink(folder.applicationFolder(kProgram), QFile::encodeName(folder.path()), 65532);
                   },
                   false, false},
        // Open to a group that root belongs to, whose members could rename what is in it.
        FolderCase{"AFolderSharedWithAGroupIsRefused",
                   [](const auto& folder, auto) {
                       setOwnerAndMode(folder.applicationFolder(kProgram), 65534, 0, 02770);
                   },
                   false, false},
        FolderCase{
            "AFolderOfRootsInTheUsersTreeIsRefused",
            [](const auto& folder, auto) { setOwnerAndMode(folder.applicationFolder(kProgram), 0, 0, 0755); },
            false, false},
        FolderCase{"TheFirstStartWithUmask000MakesFoldersOfTheUsersAlone",
                   [](const auto& folder, auto) {
                       ASSERT_TRUE(QDir(folder.applicationFolder(kProgram)).removeRecursively());
                   },
                   false, true, false, 0},
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
