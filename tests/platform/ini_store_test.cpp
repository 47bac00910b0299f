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
#include <QSettings>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ssn::settings {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

const QString kProgram = QStringLiteral("VLFreeSubconsciousSelfNumber");
const QString kDuration = QStringLiteral("Duration");
const QString kDate = QStringLiteral("12/7/2026");

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
    const QByteArray onDisk = fileContents();
    EXPECT_FALSE(onDisk.contains("Duration"));
    EXPECT_FALSE(onDisk.contains("12/7/2026"));
    EXPECT_TRUE(onDisk.contains("[Settings]"));

    const QSettings direct(m_folder.iniFile(kProgram), QSettings::IniFormat);
    const QString storedKey = QString::fromUtf16(u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3");
    EXPECT_EQ(direct.childGroups(), QStringList{QStringLiteral("Settings")});
    EXPECT_EQ(direct.value(QStringLiteral("Settings/") + storedKey).toString(),
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

struct DamagedFileCase {
    const char* name;
    QByteArray contents;
};

class DamagedIniFileTest : public IniStoreTest, public ::testing::WithParamInterface<DamagedFileCase> {};

TEST_P(DamagedIniFileTest, ReadsAsEmptyAndIsReplacedOnTheNextWrite) {
    putFile(GetParam().contents);
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    m_store.write(kDuration, kDate);
    EXPECT_EQ(m_store.read(kDuration), kDate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedIniFileTest,
    ::testing::Values(DamagedFileCase{"Empty", QByteArray()},
                      DamagedFileCase{"Garbage",
                                      QByteArray("\x00\xff\xfe[[[Settings\n=\x01\x02]]\n\xc3", 18)},
                      DamagedFileCase{"UnclosedSection", QByteArray("[Settings\nx=1\n")}),
    byName);

TEST_F(IniStoreTest, KeysTheProgramDoesNotKnowAreKept) {
    putFile("; a comment\n[General]\nother=1\n\n[Settings]\nkept=\"x, y\"\n[Other%20Section]\nk=v\n");
    m_store.write(kDuration, kDate);
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    EXPECT_EQ(m_store.read(kDuration), QStringLiteral("1/1/2030"));
    const QSettings after(m_folder.iniFile(kProgram), QSettings::IniFormat);
    EXPECT_EQ(after.value(QStringLiteral("other")).toString(), QStringLiteral("1"));
    EXPECT_EQ(after.value(QStringLiteral("Settings/kept")).toString(), QStringLiteral("x, y"));
    EXPECT_EQ(after.value(QStringLiteral("Other Section/k")).toString(), QStringLiteral("v"));
}

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
                                                        }}),
                         byName);

// A file size limit makes every write past 4 KiB fail, as a full disk does; the child ignores
// the signal that the limit sends, so the write itself reports the failure.
TEST_F(IniStoreTest, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    QByteArray other = "[Other]\n";
    for (int i = 0; i < 150; ++i)
        other += "key" + QByteArray::number(i) + "=" + QByteArray(40, 'v') + '\n';
    putFile(other);
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        m_store.write(kDuration, kDate);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(fileContents() == other) << "the file now has " << fileContents().size() << " bytes";
    EXPECT_EQ(QDir(m_folder.applicationFolder(kProgram)).entryList(QDir::Files).size(), 1);
}

// A folder of root's that the unprivileged child can read but not change; the parameter says
// whether a setting was stored before.
class UnwritableFolderTest : public IniStoreTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnwritableFolderTest, WriteIsIgnoredWithoutCrash) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to prepare a folder the child cannot write";
    if (GetParam())
        m_store.write(kDuration, kDate);
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(m_folder.path(), readOnly));
    if (GetParam()) {
        ASSERT_TRUE(QFile::setPermissions(m_folder.applicationFolder(kProgram), readOnly));
    }
    const QString expected = GetParam() ? kDate : QString();

    const QByteArray before = fileContents();

    // The program only needs the write to leave the store as it was, without harm. (Within
    // the same process QSettings keeps the unsaved value in memory; it never reaches the file.)
    const std::optional<int> result = testing::runAsUnprivileged([&] {
        if (m_store.read(kDuration) != expected)
            return 1;
        m_store.write(kDuration, QStringLiteral("1/1/2030"));
        return fileContents() == before ? 0 : 2;
    });
    if (!result)
        GTEST_SKIP() << "could not run a child process as an unprivileged user";
    EXPECT_EQ(*result, 0) << "1: wrong value before the write, 2: the file changed, above 128: crash";
    EXPECT_EQ(fileContents(), before);
    EXPECT_EQ(QFile::exists(m_folder.iniFile(kProgram)), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableFolderTest, ::testing::Bool(), [](const auto& row) {
    return std::string(row.param ? "ExistingSetting" : "NoSettingsYet");
});

} // namespace
} // namespace ssn::settings
