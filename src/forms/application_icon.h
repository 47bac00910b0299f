#pragma once

// The program's icon, in every size the packaging provides, for every window.

#include <QIcon>

namespace ssn::forms {

// Built from the bitmaps compiled into the program; each size is read only when a window
// first needs it.
QIcon ApplicationIcon();

} // namespace ssn::forms
