#include "paint_watch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace ssn::bench {

PaintWatch::PaintWatch() {
    QCoreApplication::instance()->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    QCoreApplication::instance()->removeEventFilter(this);
}

QWidget* PaintWatch::runUntilPainted(const Target& target, const std::function<void()>& action,
                                     std::chrono::milliseconds limit) {
    QEventLoop loop;
    m_target = &target;
    m_loop = &loop;
    m_painted = nullptr;
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    action();
    loop.exec();
    m_target = nullptr;
    m_loop = nullptr;
    return m_painted;
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && m_loop != nullptr && m_painted == nullptr &&
        watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if ((*m_target)(*widget)) {
            m_painted = widget;
            // Queued, so the loop ends only after this paint and the flush that follows it.
            QTimer::singleShot(0, m_loop, &QEventLoop::quit);
        }
    }
    return false;
}

void settle(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace ssn::bench
