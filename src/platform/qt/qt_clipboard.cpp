#include "platform/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ssn::platform {

void QtClipboard::clear() {
    // Without a GUI application object there is no clipboard to empty.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

} // namespace ssn::platform
