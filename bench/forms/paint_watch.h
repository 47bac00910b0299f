#pragma once

// Waits for the first paint of a chosen widget. It watches every event of the application,
// so it also sees widgets that do not exist yet when the wait is set up (the result window
// is created by the very action being timed). The wait ends once the event-loop pass that
// painted the widget has finished, so the backing store has been flushed to the window.

#include <QObject>
#include <QWidget>
#include <chrono>
#include <functional>

class QEventLoop;

namespace ssn::bench {

class PaintWatch : public QObject {
public:
    using Target = std::function<bool(const QWidget&)>;

    PaintWatch();
    ~PaintWatch() override;
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    // Runs action, then the event loop until a widget that target accepts has been painted
    // and that pass is over, or until limit has passed. Returns the painted widget, or
    // nullptr when none was painted in time.
    QWidget* runUntilPainted(const Target& target, const std::function<void()>& action,
                             std::chrono::milliseconds limit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Target* m_target = nullptr;
    QEventLoop* m_loop = nullptr;
    QWidget* m_painted = nullptr;
};

// Runs the event loop for the given time, so that what a window change set off (unmaps,
// focus changes, deferred deletions) is over before the next measurement starts.
void settle(std::chrono::milliseconds time);

} // namespace ssn::bench
