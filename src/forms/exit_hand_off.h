#pragma once

// Leaving the main window or the result window does not end the program: it hands over to
// the exit screen, which is the only window that can end it.

namespace ssn::forms {

class Form;
class Forms;

// Shows the exit screen modeless (loading it, and so making it topmost, at its first use;
// showing it again with its content when it is hidden), hides the start-up form and unloads
// the closing window. Run again from the closing window's own unload handler, it changes
// nothing: the exit screen is up, the start-up form hidden and the unload under way.
void ExitHandOff(Forms& forms, Form& closing);

} // namespace ssn::forms
