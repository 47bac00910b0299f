#pragma once

#include "platform/platform.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ssn::platform {

// Empties the desktop clipboard, and the selection where the desktop has one (X11's PRIMARY);
// a missing clipboard is ignored.
class QtClipboard : public Clipboard {
public:
    void clear() override {
        // Without a GUI application object there is no clipboard to empty; with one, the
        // application gives it.
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            return;
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear(QClipboard::Clipboard);
        // Text selected with the mouse waits in the selection (X11's PRIMARY) for a middle click.
        if (clipboard->supportsSelection())
            clipboard->clear(QClipboard::Selection);
    }
};

} // namespace ssn::platform
