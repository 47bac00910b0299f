#include "doubles/platform_doubles.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace ssn::settings {
namespace {

const QString kProgram = QStringLiteral("VLFreeSubconsciousSelfNumber");
const QString kSection = QStringLiteral("Settings");
// "Duration" and "12/7/2026" moved up by 85 codes in the Western code page.
const QString kStoredDurationKey = QString::fromUtf16(u"\u2122\u00CA\u00C7\u00B6\u00C9\u00BE\u00C4\u00C3");
const QString kStoredDate = QString::fromUtf16(u"\u2020\u2021\u201E\u0152\u201E\u2021\u2026\u2021\u2039");

class SettingsStoreTest : public ::testing::Test {
protected:
    testing::MemorySettingsBackend m_backend;
    testing::FakeExecutable m_executable;
    SettingsStore m_store{m_backend, m_executable};
};

TEST_F(SettingsStoreTest, WritesEncodedKeyAndValueUnderTheExecutableAndSectionSettings) {
    m_store.write(QStringLiteral("Duration"), QStringLiteral("12/7/2026"));
    EXPECT_EQ(m_backend.value(kProgram, kSection, kStoredDurationKey), kStoredDate);
    EXPECT_EQ(m_backend.values.size(), 1u);
}

TEST_F(SettingsStoreTest, ReadsAndDecodesWhatIsStored) {
    m_backend.set(kProgram, kSection, kStoredDurationKey, kStoredDate);
    EXPECT_EQ(m_store.read(QStringLiteral("Duration")), QStringLiteral("12/7/2026"));
}

TEST_F(SettingsStoreTest, ExecutableNameIsTakenAfreshAtEachAccess) {
    m_store.write(QStringLiteral("Duration"), QStringLiteral("12/7/2026"));
    m_executable.name = QStringLiteral("RenamedCopy");
    EXPECT_TRUE(m_store.read(QStringLiteral("Duration")).isEmpty());
    m_store.write(QStringLiteral("Duration"), QStringLiteral("1/1/2030"));
    m_executable.name = kProgram;
    EXPECT_EQ(m_store.read(QStringLiteral("Duration")), QStringLiteral("12/7/2026"));
    EXPECT_TRUE(m_backend.contains(QStringLiteral("RenamedCopy"), kSection, kStoredDurationKey));
}

} // namespace
} // namespace ssn::settings
