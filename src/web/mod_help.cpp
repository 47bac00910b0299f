#include "web/mod_help.h"

#include "settings/settings_store.h"
#include "web/page_urls.h"
#include "web/reminder_date.h"
#include "web/web_texts.h"

namespace ssn::web::modHelp {

namespace {

const QString kDurationSetting = QStringLiteral("Duration");

// A stored date this many calendar days away, in either direction, is still recent enough.
constexpr qint64 kReminderIntervalDays = 14;

platform::Message UpdateQuestion() {
    platform::Message question;
    question.text = kUpdateQuestion;
    question.buttons = platform::MessageButtons::YesNo;
    question.icon = platform::MessageIcon::Information;
    question.caption = platform::kApplicationTitle;
    question.defaultButton = platform::MessageAnswer::Yes;
    return question;
}

// Pages are fire-and-forget: whether the browser opened is never looked at.
void OpenPage(platform::UrlOpener& opener, const QString& url) {
    static_cast<void>(opener.open(url));
}

} // namespace

void OpenSoftwareDownloadsPage(platform::UrlOpener& opener) {
    OpenPage(opener, kSoftwareDownloadsPageUrl);
}

void OpenDonatePage(platform::UrlOpener& opener) {
    OpenPage(opener, kDonatePageUrl);
}

void OpenHelpPage(platform::UrlOpener& opener) {
    OpenPage(opener, kHelpPageUrl);
}

void OpenCoBrandPage(platform::UrlOpener& opener) {
    OpenPage(opener, kCoBrandPageUrl);
}

void OpenFullyBrandedPage(platform::UrlOpener& opener) {
    OpenPage(opener, kFullyBrandedPageUrl);
}

void OpenHomePage(platform::UrlOpener& opener) {
    OpenPage(opener, kHomePageUrl);
}

void OpenDownloadPage(platform::UrlOpener& opener) {
    OpenPage(opener, kDownloadPageUrl);
}

void CheckUpdateReminder(platform::Platform& platform) {
    settings::SettingsStore store(platform.settings, platform.executable);
    const QLocale locale = platform.clock.locale();
    const QDate today = platform.clock.today();
    if (!today.isValid()) {
        return;
    }
    const QString todayText = formatReminderDate(today, locale);

    // An absent date is the first run; a text that is no longer a date (the date format
    // changed, or the store was edited) starts the count afresh in the same way.
    const QDate lastAsked = ParseReminderDate(store.read(kDurationSetting), locale);
    if (!lastAsked.isValid()) {
        store.write(kDurationSetting, todayText);
        return;
    }

    const qint64 daysAway = today.daysTo(lastAsked);
    if (daysAway >= -kReminderIntervalDays && daysAway <= kReminderIntervalDays) {
        return;
    }

    // The question, then today's date whatever the answer, then the page: a run that ends
    // while the question is up asks again at the next start. The run remembers that it asked,
    // so a store that cannot keep the date neither brings the question back within the run
    // nor stops it at the next start.
    if (platform.run.updateQuestionAsked) {
        return;
    }
    platform.run.updateQuestionAsked = true;
    const platform::MessageAnswer answer = platform.messageBox.show(UpdateQuestion());
    store.write(kDurationSetting, todayText);
    if (answer == platform::MessageAnswer::Yes) {
        OpenDownloadPage(platform.urlOpener);
    }
}

} // namespace ssn::web::modHelp
