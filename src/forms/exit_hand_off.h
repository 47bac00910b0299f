#pragma once

// Leaving the main window or the result window does not end the program: it hands over to
// the exit screen, which is the only window that can end it.

namespace ssn::forms {

class Form;
class Forms;

// Run by the unload handler of the closing window (the main window or the result window) and
// nowhere else: however the window goes (File, Exit, its close box, Back, the end of the
// program), its unload runs once, and so does the hand-off. Shows the exit screen modeless
// (loading it, and so making it topmost, at its first use; showing it again with its content
// when it is hidden), hides the start-up form, takes the closing window off the screen and only
// then gives the exit screen the keyboard. While the program is ending it brings nothing up.
void exitHandOff(Forms& forms, Form& closing);

// Hides the start-up form, which lives for the whole run; using one that is gone would load it
// and start the program afresh, so one that is not loaded is left alone.
void hideStartUpForm(Forms& forms);

} // namespace ssn::forms
