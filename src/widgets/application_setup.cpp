#include "widgets/application_setup.h"

#include "widgets/accessibility.h"
#include "widgets/application_icon.h"
#include "widgets/look.h"
#include "widgets/program_style.h"
#include "widgets/window_manager_hints.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QPushButton>

namespace ssn::widgets {

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
#ifdef Q_OS_WIN
    // Every Windows has the fonts the windows ask for, and the two dialog fonts that menus and
    // message boxes ask for. Where they are missing (under Wine on Linux) a sans serif of the
    // same kind takes their place, the Linux build's DejaVu Sans last, rather than the first
    // font of all, which is a serif there.
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("Tahoma"), dejaVu});
    for (const char* family : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"}) {
        QFont::insertSubstitutions(QString::fromLatin1(family), {QStringLiteral("Microsoft Sans Serif"),
                                                                 QStringLiteral("Tahoma"), dejaVu});
    }
#endif
    QApplication::setStyle(new ProgramStyle);
    QApplication::setWindowIcon(applicationIcon());
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
    // High contrast turned on or off while the program runs changes every window's colours.
    qApp->installEventFilter(new look::FollowHighContrast(qApp));
}

} // namespace ssn::widgets
