#pragma once

// Mouse input delivered through the application, as the window system delivers it.

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace ssn::testing {

// Delivers a mouse event through the application, as the window system would.
inline void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF position = QRectF(target.rect()).center();
    QMouseEvent event(type, position, target.mapToGlobal(position), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &event);
}

// A double-click as the window system delivers it: a click, then a double-click event in place
// of the second press, then its release.
inline void doubleClick(QWidget& target) {
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    sendMouse(target, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

} // namespace ssn::testing
