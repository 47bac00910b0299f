// The start-up form's load: its captions and icon, the support message, the single-instance
// rule, the reminder's question before any window, the main window, and a start-up form that
// is never seen.

#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_process_end.h"
#include "settings/settings_store.h"
#include "startup_run.h"
#include "web/reminder_date.h"

#include <QImage>
#include <QLabel>
#include <cstdio>
#include <string>

namespace ssn::forms::test::startup {
namespace {

using platform::MessageAnswer;

const QString kDuration = QStringLiteral("Duration");

void storeReminderDate(StartupRun& run, qint64 daysFromToday) {
    settings::SettingsStore store(run.fake.settings, run.fake.executable);
    store.write(kDuration,
                web::formatReminderDate(run.fake.clock.date.addDays(daysFromToday), run.fake.clock.locale));
}

QDate storedReminderDate(StartupRun& run) {
    const settings::SettingsStore store(run.fake.settings, run.fake.executable);
    return web::ParseReminderDate(store.read(kDuration), run.fake.clock.locale);
}

QImage imageOf(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(StartupTest, FirstStartShowsTheMainWindowAndNeverTheStartUpForm) {
    StartupRun run;
    ShowWatch watch;
    frmNagScreen& nag = run.forms->nagScreen();

    ASSERT_TRUE(run.forms->isLoaded<frmMain>());
    EXPECT_TRUE(run.forms->main().isVisible());
    EXPECT_GT(watch.shows<frmMain>(), 0);
    // Loaded and hidden for the whole run; never shown, so no native window was ever made.
    EXPECT_TRUE(run.forms->isLoaded<frmNagScreen>());
    EXPECT_FALSE(nag.isVisible());
    EXPECT_EQ(watch.shows<frmNagScreen>(), 0);
    EXPECT_FALSE(nag.testAttribute(Qt::WA_WState_Created));
    // A first start asks nothing and stores today.
    EXPECT_TRUE(run.fake.messageBox.shown.empty());
    EXPECT_EQ(storedReminderDate(run), run.fake.clock.date);
    EXPECT_EQ(run.fake.processEnd.calls, 0);
}

TEST(StartupTest, TheIconIsThePackagedOneOnTheFormItsPictureAndTheMainWindow) {
    StartupRun run;
    frmNagScreen& nag = run.forms->nagScreen();

    const QIcon icon = nag.windowIcon(); // the form's image 1
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(64, 64)));

    const QImage packaged(
        QStringLiteral(SSN_SOURCE_DIR "/packaging/icons/vl-subconscious-self-number-32.png"));
    ASSERT_FALSE(packaged.isNull());
    const QImage expected = packaged.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(imageOf(icon, 32), expected);
    EXPECT_EQ(imageOf(run.forms->main().windowIcon(), 32), expected);

    const QPixmap picture = control<QLabel>(nag, "picNagscreenIcon")->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              imageOf(icon, picture.width()));
}

// The reminder's question comes after the seeding and the support message, and before any
// window is shown; the co-brand draw comes after the main window is shown.
TEST(StartupTest, RunsItsStepsInOrder) {
    StartupRun run;
    storeReminderDate(run, -15);
    run.random.values = {0.26f, 0.0f};
    run.fake.messageBox.answers = {MessageAnswer::No};
    ShowWatch watch;
    std::vector<std::string> steps;

    run.random.onUse = [&](bool isDraw) {
        if (!isDraw) {
            steps.push_back("seed");
            return;
        }
        const bool mainUp = run.forms->isLoaded<frmMain>() && run.forms->main().isVisible();
        steps.push_back(mainUp ? "draw with the main window shown" : "draw without a main window");
    };
    run.fake.messageBox.onShow = [&](const platform::Message& message) {
        steps.push_back("question");
        frmNagScreen& nag = run.forms->nagScreen(); // the one being loaded, not a second one
        EXPECT_EQ(message.text, kReminderQuestion);
        EXPECT_EQ(message.caption, kApplicationTitle);
        EXPECT_EQ(control<QLabel>(nag, "Label2")->text(), kSupportMessages[1]);
        EXPECT_TRUE(watch.shown.empty()) << "a window was shown before the question";
    };

    frmNagScreen& nag = run.forms->nagScreen();

    const std::vector<std::string> expected = {"seed", "draw without a main window", "question",
                                               "draw with the main window shown"};
    EXPECT_EQ(steps, expected);
    // The main window's own reminder call finds today stored and stays silent.
    EXPECT_EQ(run.fake.messageBox.shown.size(), 1u);
    EXPECT_EQ(storedReminderDate(run), run.fake.clock.date);
    EXPECT_TRUE(run.fake.urlOpener.urls.empty());
    EXPECT_TRUE(run.forms->main().isVisible());
    EXPECT_FALSE(nag.isVisible());
    EXPECT_EQ(watch.shows<frmNagScreen>(), 0);
}

TEST(StartupTest, ASecondCopyShowsOneMessageAndEndsWithoutAnyWindow) {
    StartupRun run;
    run.fake.instanceGuard.running = true;
    storeReminderDate(run, -15); // would ask if the start-up went on
    const int writesBefore = run.fake.settings.writes;
    ShowWatch watch;

    run.forms->nagScreen();

    ASSERT_EQ(run.fake.messageBox.shown.size(), 1u);
    const platform::Message& message = run.fake.messageBox.shown.front();
    EXPECT_EQ(message.text, kAlreadyRunning);
    EXPECT_EQ(message.caption, kApplicationTitle);
    EXPECT_EQ(message.icon, platform::MessageIcon::Information);
    EXPECT_EQ(message.buttons, platform::MessageButtons::Ok);

    EXPECT_EQ(run.fake.processEnd.exitCode, 0);
    EXPECT_EQ(run.fake.processEnd.calls, 1);
    // No later step ran: no window, no draw, no reminder.
    EXPECT_FALSE(run.forms->isLoaded<frmMain>());
    EXPECT_FALSE(run.forms->isLoaded<frmNagScreen>());
    EXPECT_TRUE(run.forms->loaded().empty());
    EXPECT_TRUE(watch.shown.empty());
    EXPECT_EQ(run.random.seeds, 0);
    EXPECT_EQ(run.random.draws, 0);
    EXPECT_EQ(run.fake.settings.writes, writesBefore);
}

// Memory runs out as the main window loads (here at its reminder check, the store's second
// read): the program ends, lock and all, rather than run on with no window to close.
TEST(StartupTest, AMainWindowThatCannotLoadEndsTheProgram) {
    StartupRun run;
    run.fake.settings.failingRead = 2;

    run.forms->nagScreen();

    EXPECT_EQ(run.fake.processEnd.calls, 1);
    EXPECT_TRUE(run.forms->loaded().empty());
}

TEST(StartupDeathTest, ASecondCopyEndsTheProcessWithCodeZeroAfterItsMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::QtProcessEnd processEnd;
            StartupRun run(&processEnd);
            run.fake.instanceGuard.running = true;
            run.fake.messageBox.onShow = [](const platform::Message& message) {
                std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
            };
            run.forms->nagScreen();
            std::fprintf(stderr, "the start-up went on\n");
        },
        ::testing::ExitedWithCode(0), "message: Application is already running\n");
}

} // namespace
} // namespace ssn::forms::test::startup
