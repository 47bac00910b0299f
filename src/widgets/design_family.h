#pragma once

// The family the windows ask for when they want one of the design's families.

#include <QString>

namespace ssn::widgets {

// The design's family itself where it is installed. Where it is not (Linux has neither Verdana
// nor MS Sans Serif), or where the name is one no font carries (the toolkit's "Sans Serif", the
// desktop's font where no desktop names one), the family the system's font configuration picks
// in its place, which is the family the toolkit would fall back to: asked once per family and
// run, so that each font of the windows is found directly instead of through a fallback search.
QString familyShownFor(const QString& designFamily);

} // namespace ssn::widgets
