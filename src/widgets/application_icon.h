#pragma once

// The program's icon, in the sizes a window shows, for every window.

#include <QIcon>
#include <QStringList>

namespace ssn::widgets {

// Read from the bitmaps compiled into the program at the first call (an application object
// must exist); every later call shares the same pictures.
QIcon applicationIcon();

// An icon of the given PNG files, read at once with the built-in PNG reader. Unlike
// QIcon::addFile, which first asks every installed image plugin (a vector-image one among
// them) whether it can read the file, this loads no plugin. Unreadable files are left out.
QIcon IconFromPngFiles(const QStringList& files);

} // namespace ssn::widgets
