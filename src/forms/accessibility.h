#pragma once

// How the program's own controls and windows appear to assistive technology (screen readers
// read them on the accessibility bus): link labels are links that can be pressed, the borderless
// containers of the sponsor line and the advertisements are plain panels, and every window says
// whether it is a window or a (modal) dialog.

namespace ssn::forms {

// Call once after the QApplication is made: Qt asks the factory installed last first, so these
// interfaces take the place of the toolkit's own for the classes they cover. Calling it again
// changes nothing.
void InstallAccessibleInterfaces();

} // namespace ssn::forms
