#pragma once

// What the application object needs before the program's first window.

namespace ssn::forms {

// Call once, right after the QApplication is made: the program's style (ProgramStyle) over
// the desktop's; the program's icon for every window and message box; and no end of
// the event loop when the last window closes, since only EndProgram ends the program.
void SetUpApplication();

} // namespace ssn::forms
