#pragma once

// What the application object needs before the program's first window.

namespace ssn::forms {

// Call once, right after the QApplication is made: the desktop's style, reading its bitmaps
// without image plugins; the program's icon for every window and message box; and no end of
// the event loop when the last window closes, since only EndProgram ends the program; and the
// program's own accessible interfaces.
void SetUpApplication();

} // namespace ssn::forms
