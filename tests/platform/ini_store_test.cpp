// The settings store over the real QSettings INI backend, in a temporary folder.

#include "doubles/named_rows.h"
#include "doubles/platform_doubles.h"
#include "odd_entries.h"
#include "platform/qt/qt_settings_backend.h"
#include "run_as_unprivileged.h"
#include "settings/code_page_table.h"
#include "settings/settings_store.h"
#include "temporary_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST_F(IniStoreTest, WrittenSettingReadsBackAndIsOnDiskAtOnceEncodedInSectionSettings) {
    m_store.write(kDuration, kDate);
    EXPECT_EQ(m_store.read(kDuration), kDate);
    const QSettings direct(m_folder.iniFile(kProgram), QSettings::IniFormat);
    EXPECT_EQ(direct.childGroups(), QStringList{QStringLiteral("Settings")});
    EXPECT_EQ(direct.value(QStringLiteral("Settings/") + kStoredKey).toString(),
              QString::fromUtf16(u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039"));
}

TEST_F(IniStoreTest, EveryStorableCodeSurvivesTheFile) {
    // Stored text uses codes 85..255, control characters of the code page included.
    const QString everyCode = QString::fromStdU16String(testing::everyStorableCharacter());
    m_store.write(kDuration, everyCode);
    EXPECT_EQ(m_store.read(kDuration), everyCode);
}

TEST_F(IniStoreTest, AnotherExecutableNameStartsWithEmptySettings) {
    m_store.write(kDuration, kDate);
    m_executable.name = QStringLiteral("RenamedCopy");
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    EXPECT_FALSE(QFile::exists(m_folder.iniFile(QStringLiteral("RenamedCopy"))));
}

// One damaged line among other sections: the date is saved all the same, and every key that
// QSettings read before reads the same after.
struct DamagedLineCase {
    const char* name;
    QByteArray line;
};

class DamagedLineTest : public IniStoreTest, public ::testing::WithParamInterface<DamagedLineCase> {};

// Every name that QSettings reads a value for, with the value as text.
std::map<std::string, std::string> readableKeys(const QString& path) {
    const QSettings file(path, QSettings::IniFormat);
    std::map<std::string, std::string> keys;
    for (const QString& name : file.allKeys()) {
        if (file.contains(name))
            keys[name.toStdString()] = file.value(name).toString().toStdString();
    }
    return keys;
}

TEST_P(DamagedLineTest, TheDateIsSavedAndEveryOtherKeyKept) {
    putFile("; a comment\nother=1\n[Other%20Section]\nk=v\n" + GetParam().line +
            "\n[Settings]\nkept=\"x, y\"\n");
    const std::map<std::string, std::string> before = readableKeys(m_folder.iniFile(kProgram));
    m_store.write(kDuration, kDate);
    EXPECT_EQ(m_store.read(kDuration), kDate);
    EXPECT_EQ(before.count("Settings/kept"), 1u);
    const QSettings after(m_folder.iniFile(kProgram), QSettings::IniFormat);
    for (const auto& [name, value] : before)
        EXPECT_EQ(after.value(QString::fromStdString(name)).toString().toStdString(), value) << name;
    for (const QString& name : after.allKeys())
        EXPECT_TRUE(before.count(name.toStdString()) == 1 || name == "Settings/" + kStoredKey)
            << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedLineTest,
    ::testing::Values(
        DamagedLineCase{"KeyIsEmpty", "=orphan value"}, DamagedLineCase{"SectionIsEmpty", "[]\nx=1"},
        DamagedLineCase{"KeyStartsWithASlash", "/k=v"}, DamagedLineCase{"SectionEndsWithASlash", "[X/]\nx=1"},
        DamagedLineCase{"KeyEndsWithAnEscapedSlash", "k%2F=1"},
        DamagedLineCase{"ValueIsANumberThatEqualsNothing", R"(n=@Variant(\0\0\0\x6\x7f\xf8\0\0\0\0\0\0))"},
        DamagedLineCase{"BinaryGarbage", QByteArray("\x00\xff\xfe[[[Settings\n=\x01\x02]]\n\xc3", 18)}),
    byName);

// An entry that no lock and no plain read can get past makes the store unusable for the run:
// it reads as empty and takes no writes, and nothing waits on it.
struct OddEntryCase {
    const char* name;
    const char* suffix; // after the settings file's path
    void (*put)(const QString& path);
};

class OddEntryTest : public IniStoreTest, public ::testing::WithParamInterface<OddEntryCase> {};

TEST_P(OddEntryTest, StoreReadsAsEmptyAndKeepsItsFile) {
    m_store.write(kDuration, kDate);
    const QByteArray before = fileContents();
    const QString path = m_folder.iniFile(kProgram) + QString::fromLatin1(GetParam().suffix);
    QFile::remove(path);
    GetParam().put(path);
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    if (*GetParam().suffix != '\0') {
        EXPECT_EQ(fileContents(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OddEntryTest,
                         ::testing::Values(OddEntryCase{"FileIsAFolder", "", testing::putFolder},
                                           OddEntryCase{"FileIsAFifo", "", testing::putFifo},
                                           OddEntryCase{"LockIsAFolder", ".lock", testing::putFolder},
                                           OddEntryCase{"LockIsAFifo", ".lock", testing::putFifo},
                                           OddEntryCase{"LockIsFreshGarbage", ".lock",
                                                        [](const QString& path) {
                                                            testing::writeFile(path, "\x01\x02 not a lock\n");
                                                        }},
                                           // Several megabytes, the date at the start: never read.
                                           OddEntryCase{
                                               "FileIsHuge", "",
                                               [](const QString& path) {
                                                   testing::writeFile(
                                                       path, "[Settings]\n%U2122%CA%C7%B6%C9%BE%C4%C3=x\n");
                                                   QFile(path).resize(8 << 20);
                                               }}),
                         byName);

// A file size limit makes every write past 4 KiB fail, as a full disk does; the child ignores
// the signal that the limit sends, so the write itself reports the failure.
TEST_F(IniStoreTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    QByteArray other = "[Other]\n";
    for (int i = 0; i < 150; ++i)
        other += "key" + QByteArray::number(i) + "=" + QByteArray(40, 'v') + '\n';
    putFile(other);
    ASSERT_TRUE(testing::handToUnprivileged(m_folder.path()));
    ASSERT_EQ(testing::runAsUnprivileged([this] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{4096, 4096};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  m_store.write(kDuration, kDate);
                  return 0;
              }),
              std::optional(0));
    EXPECT_TRUE(fileContents() == other) << "the file now has " << fileContents().size() << " bytes";
    EXPECT_EQ(QDir(m_folder.applicationFolder(kProgram)).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// What a write killed halfway left beside the file goes at the first read of a run, and at the
// next write.
TEST_F(IniStoreTest, TheFirstReadOrTheNextWriteRemovesWhatAKilledWriteLeft) {
    putFile("[Other]\nk=v\n");
    for (const bool writes : {false, true}) {
        for (const char* left : {"XyZ123", "XyZ123.lock", "XyZ123.check", "XyZ123.AbCdEf"})
            testing::writeFile(m_folder.applicationFolder(kProgram) + "/." + kProgram + ".ini.new-" + left,
                               "x");
        writes ? m_store.write(kDuration, kDate) : void(m_store.read(kDuration));
        EXPECT_EQ(QDir(m_folder.applicationFolder(kProgram)).entryList(QDir::Files | QDir::Hidden),
                  QStringList{kProgram + QStringLiteral(".ini")});
    }
}

TEST(IniStoreRootTest, ARelativeConfigurationHomeIsIgnored) {
    const std::optional<int> ignored = testing::runAsUnprivileged([] {
        qputenv("HOME", "/home/someone");
        qputenv("XDG_CONFIG_HOME", "relative/config");
        return int(platform::QtSettingsBackend::defaultRoot() == QStringLiteral("/home/someone/.config"));
    });
    EXPECT_EQ(ignored, std::optional(1));
}

// What became of the settings file, run as an ordinary user with umask 002: a stored date is read
// (through links) and replaced, or, unreadable, the file is left as it was; either way links stay
// links and the file keeps its mode.
struct UserFileCase {
    const char* name;
    void (*prepare)(const testing::TemporarySettingsFolder& folder);
    bool readable; // else the date stays unread and the file as it was
};

class UserFileTest : public IniStoreTest, public ::testing::WithParamInterface<UserFileCase> {};

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

TEST_P(UserFileTest, TheDateIsReplacedOrTheFileLeftAsItWas) {
    if (!GetParam().readable && ::geteuid() != 0)
        GTEST_SKIP() << "needs root to leave a file of another user";
    m_store.write(kDuration, kDate);
    ASSERT_TRUE(testing::handToUnprivileged(m_folder.path()));
    GetParam().prepare(m_folder);
    const QStringList before = linksAndMode(m_folder.iniFile(kProgram));
    const QByteArray contents = fileContents();
    const std::optional<int> result = testing::runAsUnprivileged([this] {
        ::umask(002);
        if (m_store.read(kDuration) != (GetParam().readable ? kDate : QString()))
            return 1;
        m_store.write(kDuration, QStringLiteral("1/1/2030"));
        return 0;
    });
    if (!result)
        GTEST_SKIP() << "could not run a child process as an unprivileged user";
    EXPECT_EQ(*result, 0) << "1: the date read before the write is wrong, above 128: crash";
    EXPECT_EQ(linksAndMode(m_folder.iniFile(kProgram)), before);
    EXPECT_EQ(fileContents() == contents, !GetParam().readable);
    if (GetParam().readable) {
        EXPECT_EQ(m_store.read(kDuration), QStringLiteral("1/1/2030"));
    }
}

void setMode(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserFileTest,
    ::testing::Values(
        UserFileCase{"ModeIsKept", [](const auto& folder) { setMode(folder.iniFile(kProgram), 0640); }, true},
        // settings file -> link2.ini -> real/real.ini, of mode 0600
        UserFileCase{"ChainOfLinksIsFollowed",
                     [](const auto& folder) {
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
                     true},
        // Left by a start with sudo.
        UserFileCase{"UnreadableFileOfRootsIsLeftAlone",
                     [](const auto& folder) {
                         ASSERT_EQ(::chown(QFile::encodeName(folder.iniFile(kProgram)).constData(), 0, 0), 0);
                         setMode(folder.iniFile(kProgram), 0600);
                     },
                     false}),
    byName);

} // namespace
} // namespace ssn::settings
