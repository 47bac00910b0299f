#pragma once

// What the application object needs before the program's first window.

#include <QObject>

namespace ssn::widgets {

// Enter and keypad Enter press the push button that has the keyboard focus, on every window,
// as Space does; a button that handles Enter itself (a dialog's) is left to do so.
class EnterPressesFocusedButton : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Call once, right after the QApplication is made: the program's style (ProgramStyle) over
// the desktop's; the program's icon for every window and message box; Enter on a focused
// button; no end of the event loop when the last window closes, since only EndProgram ends the
// program; the program's own accessible interfaces, with text fields announced first;
// fixed-size windows that offer the window manager no resizing; and colours that follow high
// contrast when it is turned on or off.
void setUpApplication();

} // namespace ssn::widgets
