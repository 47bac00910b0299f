#include "doubles/platform_doubles.h"

#include <QWidget>
#include <new>

namespace ssn::testing {

platform::MessageAnswer FakeMessageBox::show(const platform::Message& message) {
    shown.push_back(message);
    if (onShow)
        onShow(message);
    if (answers.empty())
        return message.defaultButton;
    const platform::MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingUrlOpener::open(const QString& url) {
    urls.push_back(url);
    if (onOpen)
        onOpen(url);
    return result;
}

QString MemorySettingsBackend::read(const QString& application, const QString& section, const QString& key) {
    if (++reads == failingRead)
        throw std::bad_alloc();
    if (unreadable)
        return {};
    return value(application, section, key);
}

void MemorySettingsBackend::write(const QString& application, const QString& section, const QString& key,
                                  const QString& text) {
    ++writes;
    if (!unwritable)
        set(application, section, key, text);
}

QString MemorySettingsBackend::value(const QString& application, const QString& section,
                                     const QString& key) const {
    const auto found = values.find({application, section, key});
    return found == values.end() ? QString() : found->second;
}

void MemorySettingsBackend::set(const QString& application, const QString& section, const QString& key,
                                const QString& text) {
    values[{application, section, key}] = text;
}

bool MemorySettingsBackend::contains(const QString& application, const QString& section,
                                     const QString& key) const {
    return values.count({application, section, key}) != 0;
}

void FakeTopmost::showTopmostWithoutActivating(QWidget& window) {
    windows.push_back(&window);
    window.show();
}

void FakeProcessEnd::endProcess(int code) {
    ++calls;
    exitCode = code;
}

void FakeRandom::seedFromTimer() {
    if (onUse)
        onUse(false);
    ++seeds;
}

float FakeRandom::next() {
    if (onUse)
        onUse(true);
    ++draws;
    if (values.empty())
        return 0.0f;
    const float value = values.front();
    values.pop_front();
    return value;
}

platform::Platform FakePlatform::bundle(platform::ProcessEnd* otherProcessEnd,
                                        platform::TopmostWindow* otherTopmost) {
    return {messageBox,
            urlOpener,
            clipboard,
            settings,
            instanceGuard,
            otherTopmost != nullptr ? *otherTopmost : topmost,
            otherProcessEnd != nullptr ? *otherProcessEnd : processEnd,
            clock,
            random,
            executable,
            run};
}

} // namespace ssn::testing
