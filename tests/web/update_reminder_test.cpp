#include "doubles/platform_doubles.h"
#include "settings/settings_store.h"
#include "web/mod_help.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

namespace {

using ssn::platform::MessageAnswer;
using ssn::settings::SettingsStore;
using ssn::testing::FakePlatform;
using ssn::web::modHelp::CheckUpdateReminder;

const QString kDownloadUrl =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=download-web-page");

// Today is 7 December 2026 in a United States locale unless a test moves it.
class UpdateReminderTest : public ::testing::Test {
protected:
    SettingsStore store() { return SettingsStore(m_platform.settings, m_platform.executable); }
    void storeDuration(const QString& text) { store().write(QStringLiteral("Duration"), text); }
    QString storedDuration() { return store().read(QStringLiteral("Duration")); }
    void check() {
        auto bundle = m_platform.bundle();
        CheckUpdateReminder(bundle);
    }

    FakePlatform m_platform;
};

struct StoredDateCase {
    const char* name;
    std::optional<const char*> stored;   // none: never written
    std::optional<MessageAnswer> answer; // none: no question expected
    const char* storedAfter;
    bool opensDownloadPage;
};

void PrintTo(const StoredDateCase& c, std::ostream* os) {
    *os << c.name;
}

const StoredDateCase kStoredDates[] = {
    {"FirstRun", std::nullopt, std::nullopt, "12/7/2026", false},
    {"FourteenDaysAgo", "11/23/2026", std::nullopt, "11/23/2026", false},
    {"FifteenDaysAgoAnsweredNo", "11/22/2026", MessageAnswer::No, "12/7/2026", false},
    {"FifteenDaysAgoAnsweredYes", "11/22/2026", MessageAnswer::Yes, "12/7/2026", true},
    {"FourteenDaysAhead", "12/21/2026", std::nullopt, "12/21/2026", false},
    {"FifteenDaysAheadAnsweredNo", "12/22/2026", MessageAnswer::No, "12/7/2026", false},
    {"NotADate", "last Tuesday", std::nullopt, "12/7/2026", false},
    {"TwoDigitYearIsNotReadAsLastCentury", "11/1/26", std::nullopt, "12/7/2026", false},
    {"DayMonthSwappedIsNotADate", "22/11/2026", std::nullopt, "12/7/2026", false},
};

class StoredDateTest : public UpdateReminderTest, public ::testing::WithParamInterface<StoredDateCase> {};

TEST_P(StoredDateTest, AsksOnlyBeyondFourteenDaysAndStoresToday) {
    const StoredDateCase& c = GetParam();
    if (c.stored) {
        storeDuration(QString::fromUtf8(*c.stored));
    }
    if (c.answer) {
        m_platform.messageBox.answers.push_back(*c.answer);
    }
    check();

    EXPECT_EQ(m_platform.messageBox.shown.size(), c.answer ? 1u : 0u);
    EXPECT_EQ(storedDuration(), QString::fromUtf8(c.storedAfter));
    const std::vector<QString> expectedUrls =
        c.opensDownloadPage ? std::vector<QString>{kDownloadUrl} : std::vector<QString>{};
    EXPECT_EQ(m_platform.urlOpener.urls, expectedUrls);
}

INSTANTIATE_TEST_SUITE_P(Reminder, StoredDateTest, ::testing::ValuesIn(kStoredDates),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(UpdateReminderTest, WritesNothingWhenTheDateIsRecent) {
    storeDuration(QStringLiteral("11/23/2026"));
    const int writesBefore = m_platform.settings.writes;
    check();
    EXPECT_EQ(m_platform.settings.writes, writesBefore);
}

TEST_F(UpdateReminderTest, QuestionHasItsExactTextButtonsIconAndCaption) {
    storeDuration(QStringLiteral("1/1/2020"));
    check();
    ASSERT_EQ(m_platform.messageBox.shown.size(), 1u);
    const auto& question = m_platform.messageBox.shown[0];
    EXPECT_EQ(question.text, QStringLiteral("There maybe an update to this software available\r"
                                            "Do you want to check for an update?"));
    EXPECT_FALSE(question.text.contains(u'\n'));
    EXPECT_EQ(question.buttons, ssn::platform::MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MessageAnswer::Yes);
    EXPECT_EQ(question.icon, ssn::platform::MessageIcon::Information);
    EXPECT_EQ(question.caption, QStringLiteral("VL Subconscious Self Number"));
}

// The question comes before the date is stored, and the download page, once, after it.
TEST_F(UpdateReminderTest, AsksThenStoresTodayThenOpensTheDownloadPage) {
    storeDuration(QStringLiteral("10/1/2026"));
    m_platform.messageBox.answers.push_back(MessageAnswer::Yes);
    QStringList seen;
    m_platform.messageBox.onShow = [&](const auto&) { seen << "asked, stored " + storedDuration(); };
    m_platform.urlOpener.onOpen = [&](const QString& url) {
        seen << url + " opened, stored " + storedDuration();
    };
    check();
    EXPECT_EQ(seen, QStringList({"asked, stored 10/1/2026", kDownloadUrl + " opened, stored 12/7/2026"}));
}

TEST_F(UpdateReminderTest, UnreadableStoreCountsAsFirstRunAndNeverAsks) {
    storeDuration(QStringLiteral("1/1/2020"));
    m_platform.settings.unreadable = true;
    check();
    check();
    EXPECT_TRUE(m_platform.messageBox.shown.empty());
    EXPECT_TRUE(m_platform.urlOpener.urls.empty());
    EXPECT_GT(m_platform.settings.writes, 1);
}

TEST_F(UpdateReminderTest, UnwritableStoreAsksOnceInEveryRun) {
    storeDuration(QStringLiteral("1/1/2020"));
    m_platform.settings.unwritable = true;
    for (int run = 1; run <= 2; ++run) {
        m_platform.run = {};
        check();
        check();
        EXPECT_EQ(m_platform.messageBox.shown.size(), static_cast<std::size_t>(run));
    }
    EXPECT_EQ(storedDuration(), QStringLiteral("1/1/2020"));
}

// The store keeps only characters of a Western single-byte code page, so a Bulgarian or
// Arabic date text comes back altered; the reminder must still find its date in it.
class ReminderAcrossLocalesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ReminderAcrossLocalesTest, AsksAfterFifteenDaysAndThenStaysSilent) {
    FakePlatform p;
    p.clock.locale = QLocale(QString::fromLatin1(GetParam()));
    auto bundle = p.bundle();
    CheckUpdateReminder(bundle);
    p.clock.advanceDays(14);
    CheckUpdateReminder(bundle);
    EXPECT_TRUE(p.messageBox.shown.empty());
    p.clock.advanceDays(1);
    CheckUpdateReminder(bundle);
    CheckUpdateReminder(bundle);
    EXPECT_EQ(p.messageBox.shown.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Locales, ReminderAcrossLocalesTest,
                         ::testing::Values("en_US", "en_GB", "de_DE", "ja_JP", "bg_BG", "ar_EG"));

} // namespace
