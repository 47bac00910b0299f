#pragma once

// Test doubles with behaviour for every desktop operation of the platform layer. Each one
// records what the program asked of it and answers as the test sets it up; nothing here
// touches the real desktop, the user's settings or the test process's life.

#include "platform/platform.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

namespace ssn::testing {

// Answers with the next queued answer, or with the message's default button when none is queued.
class FakeMessageBox : public platform::MessageBoxService {
public:
    platform::MessageAnswer show(const platform::Message& message) override;

    std::vector<platform::Message> shown;
    std::deque<platform::MessageAnswer> answers;
    // Runs while the box is "open", before it answers: lets a test look at the program meanwhile.
    std::function<void(const platform::Message&)> onShow;
};

class RecordingUrlOpener : public platform::UrlOpener {
public:
    bool open(const QString& url) override;

    std::vector<QString> urls;
    bool result = true;
    // Runs as the page is opened: lets a test look at the program at that moment.
    std::function<void(const QString&)> onOpen;
};

// Counts the clears asked for, including those of a clipboard that fails.
class FakeClipboard : public platform::Clipboard {
public:
    void clear() override { ++clears; }

    int clears = 0;
};

// An in-memory store. An unreadable one reads as empty text; an unwritable one drops writes;
// the read numbered `failingRead` (from 1) throws std::bad_alloc, as memory running out would.
// `writes` counts every write asked for, dropped or not.
class MemorySettingsBackend : public platform::SettingsBackend {
public:
    QString read(const QString& application, const QString& section, const QString& key) override;
    void write(const QString& application, const QString& section, const QString& key,
               const QString& value) override;

    // For tests: look at or prepare the stored text directly, bypassing the flags.
    QString value(const QString& application, const QString& section, const QString& key) const;
    void set(const QString& application, const QString& section, const QString& key, const QString& value);
    bool contains(const QString& application, const QString& section, const QString& key) const;

    std::map<std::tuple<QString, QString, QString>, QString> values;
    bool unreadable = false;
    bool unwritable = false;
    int failingRead = 0;
    int reads = 0;
    int writes = 0;
};

class FakeInstanceGuard : public platform::InstanceGuard {
public:
    bool previousInstanceRunning() override { return running; }

    bool running = false;
};

// Records the windows and really shows them, so that visibility checks work.
class FakeTopmost : public platform::TopmostWindow {
public:
    void showTopmostWithoutActivating(QWidget& window) override;

    std::vector<QWidget*> windows;
};

// Records the exit code and returns; the caller must then stop by itself.
class FakeProcessEnd : public platform::ProcessEnd {
public:
    void endProcess(int exitCode) override;

    std::optional<int> exitCode;
    int calls = 0;
};

namespace detail {
// Overrides Clock::locale() under another name, so that FakeClock can offer the locale as a
// plain field called `locale` like its other settings.
class ClockWithLocaleField : public platform::Clock {
public:
    QLocale locale() final { return localeField(); }

protected:
    virtual QLocale localeField() const = 0;
};
} // namespace detail

class FakeClock : public detail::ClockWithLocaleField {
public:
    QDate today() override { return date; }
    void advanceDays(qint64 days) { date = date.addDays(days); }

    QDate date{2026, 12, 7};
    QLocale locale{QLocale::English, QLocale::UnitedStates};

protected:
    QLocale localeField() const override { return locale; }
};

// Returns the queued values in order, then 0.0f; counts the seedings and the draws and tells
// `onUse` of each, as it comes.
class FakeRandom : public platform::RandomSource {
public:
    void seedFromTimer() override;
    float next() override;

    std::deque<float> values;
    int seeds = 0;
    int draws = 0;
    std::function<void(bool isDraw)> onUse;
};

class FakeExecutable : public platform::ExecutableInfo {
public:
    QString executableName() override { return name; }

    QString name = QStringLiteral("VLFreeSubconsciousSelfNumber");
};

struct FakePlatform {
    FakeMessageBox messageBox;
    RecordingUrlOpener urlOpener;
    FakeClipboard clipboard;
    MemorySettingsBackend settings;
    FakeInstanceGuard instanceGuard;
    FakeTopmost topmost;
    FakeProcessEnd processEnd;
    FakeClock clock;
    FakeRandom random;
    FakeExecutable executable;
    platform::RunMemory run;

    // The fake platform, with the process end or the topmost window replaced where one is given.
    platform::Platform bundle(platform::ProcessEnd* otherProcessEnd = nullptr,
                              platform::TopmostWindow* otherTopmost = nullptr);
};

} // namespace ssn::testing
