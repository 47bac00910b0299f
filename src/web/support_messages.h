#pragma once

// The draw that picks one of the four support messages that the start-up form and the exit
// screen show.

#include "web/web_texts.h"

#include <QString>

namespace ssn::web {

// The message k = floor(r * 4), in single precision, for a draw 0 <= r < 1; a draw outside that
// range (which the random source never gives) is clamped rather than read out of bounds.
const QString& supportMessageFor(float r);

} // namespace ssn::web
