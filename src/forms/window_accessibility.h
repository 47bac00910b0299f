#pragma once

// How the program's windows appear to assistive technology: a dialog box (the About box) is a
// dialog, every other window a window, and either one says when it is modal.

namespace ssn::forms {

// Installs the interface for the program's windows; the owner of the windows calls it, so every
// window has it from its first use. Calling it again changes nothing.
void InstallWindowAccessibility();

} // namespace ssn::forms
