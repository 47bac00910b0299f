#include "doubles/platform_doubles.h"
#include "settings/settings_store.h"
#include "web/reminder_date.h"

#include <gtest/gtest.h>

namespace {

using ssn::web::formatReminderDate;
using ssn::web::ParseReminderDate;

struct LocaleCase {
    const char* locale;
    const char16_t* written; // 26 December 2009 as it must be stored
};

void PrintTo(const LocaleCase& c, std::ostream* os) {
    *os << c.locale;
}

const LocaleCase kLocales[] = {
    {"en_US", u"12/26/2009"}, {"en_GB", u"26/12/2009"},         {"de_DE", u"26.12.2009"},
    {"ja_JP", u"2009/12/26"}, {"bg_BG", u"26.12.2009 \u0433."}, {"ar_EG", u"26\u200F/12\u200F/2009"},
};

class ReminderDateTest : public ::testing::TestWithParam<LocaleCase> {
protected:
    QLocale locale() const { return QLocale(QString::fromLatin1(GetParam().locale)); }
};

TEST_P(ReminderDateTest, WritesTheShortFormatWithAFourDigitYearAndAsciiDigits) {
    EXPECT_EQ(formatReminderDate(QDate(2009, 12, 26), locale()), QString::fromUtf16(GetParam().written));
}

TEST_P(ReminderDateTest, ReadsBackTheSameDate) {
    for (const QDate date : {QDate(2009, 12, 26), QDate(2000, 1, 1), QDate(2026, 12, 7), QDate(2024, 2, 29),
                             QDate(1999, 10, 31), QDate(2050, 12, 31)}) {
        const QString text = formatReminderDate(date, locale());
        EXPECT_TRUE(text.contains(QString::number(date.year()))) << text.toStdString();
        EXPECT_EQ(ParseReminderDate(text, locale()), date) << text.toStdString();
    }
}

// The settings encoding keeps only a Western code page; whatever it does to the format's
// literal characters, the date must come back.
TEST_P(ReminderDateTest, SurvivesTheSettingsStore) {
    ssn::testing::MemorySettingsBackend backend;
    ssn::testing::FakeExecutable executable;
    ssn::settings::SettingsStore store(backend, executable);
    for (const QDate date : {QDate(2009, 12, 26), QDate(2026, 1, 5)}) {
        store.write(QStringLiteral("Duration"), formatReminderDate(date, locale()));
        EXPECT_EQ(ParseReminderDate(store.read(QStringLiteral("Duration")), locale()), date);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, ReminderDateTest, ::testing::ValuesIn(kLocales),
                         [](const auto& testCase) { return std::string(testCase.param.locale); });

struct UnreadableCase {
    const char* locale;
    const char* text;
};

const UnreadableCase kUnreadable[] = {
    {"en_US", ""},
    {"en_US", "garbage"},
    {"en_US", "12/26/09"},   // two-digit year: could be
                             // 1909 or 2009
    {"en_US", "26/12/2009"}, // another locale's order
    {"en_US", "2/30/2009"},
    {"en_US", "12/26/2009/1"},
    {"en_US", "12/26/20099"},
    {"de_DE", "26.12.09"},
    {"de_DE", "2009-12-26"},
    {"ja_JP", "26/12/2009"},
};

TEST(ReminderDate, TextsThatAreNoDateOfTheFormatReadAsInvalid) {
    for (const auto& c : kUnreadable) {
        EXPECT_FALSE(
            ParseReminderDate(QString::fromUtf8(c.text), QLocale(QString::fromLatin1(c.locale))).isValid())
            << c.locale << " " << c.text;
    }
}

} // namespace
