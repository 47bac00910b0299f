#pragma once

// The desktop operations the program needs, one small interface each. The real
// implementations live in qt/; tests use the doubles in tests/doubles. Everything is
// handed to its users through the Platform bundle, never through globals.

#include "core/core_texts.h"
#include "platform/qt_text.h"

#include <QDate>
#include <QLocale>
#include <QString>

class QWidget;

namespace ssn::platform {

inline const QString kApplicationTitle = toQString(core::texts::kApplicationTitle);

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { Information, Critical };
enum class MessageAnswer { Ok, Yes, No };

struct Message {
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Information;
    QString caption = kApplicationTitle; // a message with no title of its own carries the program's
    MessageAnswer defaultButton = MessageAnswer::Ok;
};

// The two kinds of notice the program gives: one OK button with the information icon (input
// checks, a second copy) or the critical icon (the refer-a-friend panel).
inline Message InformationMessage(const QString& text) {
    return Message{.text = text, .icon = MessageIcon::Information};
}
inline Message CriticalMessage(const QString& text) {
    return Message{.text = text, .icon = MessageIcon::Critical};
}

// A modal message box; returns the button the user pressed.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

// Hands a URL to the desktop's default browser without waiting. Callers never look at
// the result: a page that cannot be opened is not reported.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QString& url) = 0;
};

// The desktop clipboard, and the selection where the desktop has one, of which the program
// only ever empties the contents.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
};

// A per-user store of text values by application, section and key. An absent key, or a
// store that cannot be read, reads as the empty text; a failed write is ignored.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    virtual QString read(const QString& application, const QString& section, const QString& key) = 0;
    virtual void write(const QString& application, const QString& section, const QString& key,
                       const QString& value) = 0;
};

// Whether another copy of this program already runs for the same user.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    virtual bool previousInstanceRunning() = 0;
};

// Keeps a window above all others and shows it without taking the focus from anyone.
class TopmostWindow {
public:
    virtual ~TopmostWindow() = default;
    virtual void showTopmostWithoutActivating(QWidget& window) = 0;
};

// Ends the process at once, without running any further handler. The real one never
// returns; a double may return, and callers must then simply stop.
class ProcessEnd {
public:
    virtual ~ProcessEnd() = default;
    virtual void endProcess(int exitCode) = 0;
};

// Today's local date and the user's locale, whose short-date format the reminder uses.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
    virtual QLocale locale() = 0;
};

// The one process-wide random generator: seeded from the timer, yields 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seedFromTimer() = 0;
    virtual float next() = 0;
};

// The running executable's file name without directory and extension.
class ExecutableInfo {
public:
    virtual ~ExecutableInfo() = default;
    virtual QString executableName() = 0;
};

// What one run of the program remembers beside the desktop. The update reminder asks at most
// once per run, also when the settings store cannot keep the date of its question.
struct RunMemory {
    bool updateQuestionAsked = false;
};

struct Platform {
    MessageBoxService& messageBox;
    UrlOpener& urlOpener;
    Clipboard& clipboard;
    SettingsBackend& settings;
    InstanceGuard& instanceGuard;
    TopmostWindow& topmost;
    ProcessEnd& processEnd;
    Clock& clock;
    RandomSource& random;
    ExecutableInfo& executable;
    RunMemory& run;
};

} // namespace ssn::platform
