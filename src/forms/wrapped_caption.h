#pragma once

// Word-wrapped plain captions laid out once and kept. A label lays its wrapped text out anew
// at every paint, which costs more than drawing it; every result window is a fresh window
// whose captions would be laid out again. The layout follows the toolkit's own rules for
// wrapped text in a rectangle, so the caption looks exactly as the label would draw it.

#include <QString>

class QPainter;
class QRect;

namespace ssn::forms {

// True when the text is one the cached layout draws as the toolkit would: no tab, line
// break, right-to-left text or length variants, which the toolkit treats specially.
bool IsPlainWrappedCaption(const QString& text);

// Draws the caption with the painter's pen and font into the rectangle, aligned by the flags
// (alignment and Qt::TextWordWrap, as QPainter::drawText takes them). Layouts are shared by
// every window and kept for the run, keyed by text, font, resolution, rectangle size and flags.
void DrawWrappedCaption(QPainter& painter, const QRect& rect, int flags, const QString& text);

} // namespace ssn::forms
