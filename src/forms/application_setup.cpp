#include "forms/application_setup.h"

#include "forms/accessibility.h"
#include "forms/application_icon.h"
#include "forms/program_style.h"
#include "forms/window_manager_hints.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace ssn::forms {

bool EnterPressesFocusedButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = *static_cast<QKeyEvent*>(event);
    auto* button = qobject_cast<QPushButton*>(watched);
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (button == nullptr || !enter || !plain || button->autoDefault() || button->isDefault() ||
        !button->hasFocus()) {
        return false;
    }
    // Held down, Enter presses once: a repeated press could open a page many times over.
    if (!key.isAutoRepeat()) {
        button->click();
    }
    return true;
}

void SetUpApplication() {
    QApplication::setStyle(new ProgramStyle);
    QApplication::setWindowIcon(ApplicationIcon());
    // Lets desktops match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vl-subconscious-self-number"));
    // Closing a window hands over to the exit screen, whose closing ends the process; no
    // window closing may stop the event loop.
    QApplication::setQuitOnLastWindowClosed(false);
    // Links, panels and windows as screen readers should see them, text fields named first.
    InstallAccessibleInterfaces();
    qApp->installEventFilter(new AnnounceTextFocusFirst(qApp));
    qApp->installEventFilter(new EnterPressesFocusedButton(qApp));
    // Fixed-size windows offer the window manager no resizing.
    qApp->installEventFilter(new FixedSizeWindowHints(qApp));
}

} // namespace ssn::forms
