#pragma once

// The program's icon, in the sizes a window shows, for every window.

#include <QIcon>

namespace ssn::widgets {

// Made from the raw pixels compiled into the program at the first call (an application object
// must exist); every later call shares the same pictures.
QIcon applicationIcon();

} // namespace ssn::widgets
