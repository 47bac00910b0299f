#include "platform/qt/qt_topmost_window.h"

#include <QWidget>

namespace ssn::platform {

void QtTopmostWindow::showTopmostWithoutActivating(QWidget& window) {
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
}

} // namespace ssn::platform
