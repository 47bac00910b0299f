#include "widgets/application_setup.h"

#include "widgets/accessibility.h"
#include "widgets/application_icon.h"
#include "widgets/design_family.h"
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

void setUpApplication() {
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
#else
    // Menus and message boxes show the desktop's font. Where the desktop names no family of a
    // font (the toolkit's own "Sans Serif" when no desktop names one), the family the system's
    // font configuration puts in its place is named directly, as for the design's families: the
    // same glyphs, without the toolkit's fallback search for the name.
    QFont desktop = QApplication::font();
    const QString shown = familyShownFor(desktop.family());
    if (shown != desktop.family()) {
        desktop.setFamily(shown);
        QApplication::setFont(desktop);
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
#ifdef Q_OS_WIN
    // High contrast turned on or off while the program runs changes every window's colours. Only
    // Windows tells the program (see look.h); elsewhere the filter would only slow every event.
    qApp->installEventFilter(new look::FollowHighContrast(qApp));
#endif
}

} // namespace ssn::widgets
