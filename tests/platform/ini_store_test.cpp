// The settings store over the program's own INI text, held against QSettings itself, in a
// temporary folder.

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

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <dirent.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <pwd.h>
#include <sys/resource.h>
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
        QFile file(iniFile(kProgram));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void putFile(const QByteArray& contents) const {
        ASSERT_TRUE(QDir().mkpath(folder(kProgram)));
        testing::writeFile(iniFile(kProgram), contents);
    }

    // A fresh folder in place of the user's configuration folder.
    QString folder(const QString& application) const { return m_root.path() + '/' + application; }
    QString iniFile(const QString& application) const {
        return folder(application) + '/' + application + ".ini";
    }

    QTemporaryDir m_root;
    platform::QtSettingsBackend m_backend{m_root.path()};
    testing::FakeExecutable m_executable;
    SettingsStore m_store{m_backend, m_executable};
};

// What this store writes is what QSettings writes, byte for byte, and what QSettings writes this
// store reads: the date as the file holds it, every storable code, and the escapes and quotes that
// other programs' values take.
TEST_F(IniStoreTest, TheStoreAndQSettingsSpellTheFileAlike) {
    const QString reference = m_root.path() + QStringLiteral("/reference.ini");
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
        QFile::remove(iniFile(kProgram));
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

// Every spelling of the date's key and section that QSettings reads: the store reads what
// QSettings reads, and after a save QSettings reads the new date and every other key as before.
struct SpellingCase {
    const char* name;
    QByteArray text; // "K" stands for the key as the store writes it
    bool qSettingsFindsTheDate;
};

class SpellingTest : public IniStoreTest, public ::testing::WithParamInterface<SpellingCase> {};

QVariantMap everythingQSettingsReads(const QString& path) {
    QSettings settings(path, QSettings::IniFormat);
    QVariantMap values;
    for (const QString& key : settings.allKeys())
        values[key] = settings.value(key);
    return values;
}

TEST_P(SpellingTest, TheStoreReadsWhatQSettingsReads) {
    QSettings(m_root.path() + "/k.ini", QSettings::IniFormat).setValue("Settings/" + kStoredKey, 1);
    QFile written(m_root.path() + "/k.ini");
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    putFile(QByteArray(GetParam().text).replace('K', written.readAll().split('\n').at(1).split('=').first()));
    QVariantMap values = everythingQSettingsReads(iniFile(kProgram));
    const QString key = QStringLiteral("Settings/") + kStoredKey;
    EXPECT_EQ(values.contains(key), GetParam().qSettingsFindsTheDate);
    EXPECT_EQ(m_backend.read(kProgram, QStringLiteral("Settings"), kStoredKey), values.value(key).toString());
    m_backend.write(kProgram, QStringLiteral("Settings"), kStoredKey, kDate);
    values[key] = kDate;
    EXPECT_EQ(everythingQSettingsReads(iniFile(kProgram)), values);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpellingTest,
    ::testing::Values(
        SpellingCase{"AsWritten", "[Settings]\nK=1\n", true},
        SpellingCase{"RawUtf8",
                     "[Settings]\n\xE2\x84\xA2\xC3\x8A\xC3\x87\xC2\xB6\xC3\x89\xC2\xBE\xC3\x84\xC3\x83=1\n",
                     true},
        SpellingCase{"LowerCaseEscapes", "[%53ettings]\n%U2122%ca%c7%b6%c9%be%c4%c3=1\n", true},
        SpellingCase{"BomCrLfAndBlanks", "\xEF\xBB\xBF[ Settings ]\r\n  K = 1 \r\n", true},
        SpellingCase{"GeneralSectionWithTheSectionsName", "[General]\nSettings\\K=1\n[Settings]\nx=2", true},
        SpellingCase{"TheSectionsOwnLineComesFirst", "[Settings]\nK=1\n[General]\nSettings\\K=2\n", true},
        SpellingCase{"TheLastLineCounts", "[Settings]\nK=1\n[Other]\nK=3\n[Settings]\nK=2\n", true},
        SpellingCase{"HeaderEndedByASemicolon", "[Settings;]\nK=1\n", true},
        SpellingCase{"ASequenceCutShortBeforeAComma", "[Settings]\nK=\"x\xDE,y\"\n", true},
        SpellingCase{"SectionInAnotherCase", "[settings]\nK=1\n", false},
        SpellingCase{"KeyWithALongerName", "[Settings]\nKOld=1\n", false},
        SpellingCase{"SectionHeaderLastWithoutALineEnd", "[Other]\nk=v\n[Settings]", false}),
    byName);

// A FIFO in the file's place holds up no open: the store reads it as empty, takes no writes and
// says why once.
TEST_F(IniStoreTest, AFifoInTheFilesPlaceReadsAsEmptyAndTakesNoWrites) {
    m_store.write(kDuration, kDate);
    QFile::remove(iniFile(kProgram));
    testing::putFifo(iniFile(kProgram));
    static QStringList logged;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
        logged << QString::fromUtf8(context.category) + text;
    });
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    m_store.write(kDuration, QStringLiteral("1/1/2030"));
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    qInstallMessageHandler(nullptr);
    EXPECT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.value(0).startsWith("ssn.settingsthe settings were not read"))
        << logged.value(0).toStdString();
}

// A file close to the limit is read and saved; a save that would take it past the limit is not
// made; a file past it is not read.
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
    putFile(saved + QByteArray(64, 'x'));
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
}

// A read changes nothing in the folder; a save goes through what a save killed halfway left (its
// scratch file, here as a FIFO).
TEST_F(IniStoreTest, AReadChangesNothingAndASaveGoesThroughWhatAKilledSaveLeft) {
    putFile("[Other]\nk=v\n");
    testing::putFifo(folder(kProgram) + "/." + kProgram + ".ini.new");
    const auto entries = [this] {
        return QDir(folder(kProgram)).entryList(QDir::System | QDir::Hidden | QDir::Files);
    };
    EXPECT_TRUE(m_store.read(kDuration).isEmpty());
    EXPECT_EQ(entries(), QStringList({"." + kProgram + ".ini.new", kProgram + ".ini"}));
    m_store.write(kDuration, kDate);
    EXPECT_EQ(m_store.read(kDuration), kDate);
    EXPECT_EQ(entries(), QStringList({kProgram + ".ini"}));
}

// Memory runs short as the store reads (a limit on the address space, in a fresh process): a
// small file is read with an allocation of its own size, and a larger one that cannot be had
// reads as empty; nothing escapes the store (an escape aborts).
TEST_F(IniStoreTest, AFailedAllocationReadsAsEmpty) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's own allocator ends the process under an address-space limit";
#endif
    m_store.write(kDuration, kDate);
    const QString big = QStringLiteral("Big");
    ASSERT_TRUE(QDir().mkpath(folder(big)));
    testing::writeFile(iniFile(big), "[Settings]\n" + QByteArray(3 << 20, ';'));
    const auto readUnderALimit = [&] {
        ::mallopt(M_MMAP_THRESHOLD, 128 << 10); // every large block from the system
        QFile statm(QStringLiteral("/proc/self/statm"));
        const rlim_t used =
            statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').first().toULong() : 0;
        const rlim_t most = used * rlim_t(::getpagesize()) + (2 << 20);
        const rlimit limit{most, most};
        const bool limited = ::setrlimit(RLIMIT_AS, &limit) == 0;
        std::_Exit(limited && m_store.read(kDuration) == kDate &&
                           m_backend.read(big, QStringLiteral("Settings"), kStoredKey).isEmpty()
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

// Folders are made under the names asked for, whatever their characters, and every character and
// every byte sequence comes back from the system's spelling as it was.
class PathTest : public IniStoreTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PathTest, TheFolderMadeHasTheNameAskedFor) {
    const QByteArray name = GetParam();
    platform::QtSettingsBackend backend(m_root.path() + '/' + platform::decodePath(name));
    backend.write(kProgram, QStringLiteral("Settings"), QStringLiteral("k"), kDate);
    QByteArrayList made;
    DIR* folder = ::opendir(QFile::encodeName(m_root.path()).constData());
    for (const dirent* entry = ::readdir(folder); entry != nullptr; entry = ::readdir(folder))
        made += QByteArray(entry->d_name) == "." || QByteArray(entry->d_name) == ".."
                    ? QByteArrayList()
                    : QByteArrayList{entry->d_name};
    ::closedir(folder);
    EXPECT_EQ(made, QByteArrayList{name});
    EXPECT_EQ(backend.read(kProgram, QStringLiteral("Settings"), QStringLiteral("k")), kDate);
}

INSTANTIATE_TEST_SUITE_P(Characters, PathTest,
                         ::testing::Values("cfg-\xF0\x9F\x92\x80", "cfg-\xF0\xA0\x82\x80", "cfg-\xFF\xC3"));

TEST(PathEncodingTest, EveryCharacterAndEveryByteSequenceComesBackAsItWas) {
    for (char32_t code = 1; code <= 0x10FFFF; code += code == 0xD7FF ? 0x801 : 1) {
        const QString text = QString::fromUcs4(&code, 1);
        ASSERT_EQ(platform::encodePath(text), text.toUtf8()) << unsigned(code);
        ASSERT_EQ(platform::decodePath(platform::encodePath(text)), text) << unsigned(code);
    }
    for (int pair = 0; pair < 0x10000; ++pair) {
        const QByteArray bytes{char(pair >> 8), char(pair)};
        ASSERT_EQ(platform::encodePath(platform::decodePath(bytes)), bytes) << pair;
    }
}

} // namespace
} // namespace ssn::settings
