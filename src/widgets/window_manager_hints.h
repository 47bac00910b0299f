#pragma once

// What the program's windows offer the window manager. Qt tells an X11 window manager that every
// window with a title can be resized (the resize function of the Motif hints, which openbox, for
// one, answers with minimise and maximise buttons), even a window whose size is fixed. Installed
// on the application, this filter takes resizing and maximising away from every fixed-size window
// (the program's windows and its message boxes alike) and minimising from those that ask for no
// minimise button (the exit screen, the About box, message boxes) before the window first reaches
// the screen. On Wayland, where Qt 6.4 draws its own title bars with a maximise button on every
// window, a fixed-size window that is maximised returns to its normal state at once.

#include <QObject>

namespace ssn::widgets {

class FixedSizeWindowHints : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ssn::widgets
