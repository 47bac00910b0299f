#pragma once

// How the program's own controls and windows appear to assistive technology (screen readers
// read them on the accessibility bus): link labels are links that can be pressed, the borderless
// containers of the sponsor line and the advertisements are plain panels, a single-line field's
// text is one run that screen readers read whole. A text field that takes the focus is announced
// before anything it does with its text. (The windows' own roles are the window runtime's:
// forms/window_accessibility.h.)

#include <QObject>

namespace ssn::widgets {

// Call once after the QApplication is made: Qt asks the factory installed last first, so these
// interfaces take the place of the toolkit's own for the classes they cover. Calling it again
// changes nothing.
void InstallAccessibleInterfaces();

// Qt 6.4 tells assistive technology that a text field got the focus only after the field has
// handled the focus: its caret and text events come first (a placeholder field even empties
// itself), and screen readers then move their focus silently. This filter, installed on the
// application so that it sees the focus before any filter of the field does, announces the
// focus first; the toolkit's own announcement after it names the same field and is not repeated,
// and a caret event after that one keeps the screen reader on the field (Orca, measured against a
// stock field: without the first an empty field says only "tab", without the second the focus
// moves on silently).
class AnnounceTextFocusFirst : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace ssn::widgets
