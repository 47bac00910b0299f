#pragma once

// Word-wrapped plain captions laid out once and kept. A label that can take the focus lays
// its text out in a text document of its own, so every fresh window (every result window)
// lays its captions out again, which costs more than drawing them. The same document, kept
// for the run and shared by all windows, is drawn exactly as the label would draw its own.

#include <QString>

class QFont;
class QTextDocument;

namespace ssn::widgets {

// The document a label would build for the plain caption: its font, its alignment, word wrap,
// no margin, laid out to the width. Kept for the run; the same arguments give the same one.
QTextDocument& KeptCaptionDocument(const QString& text, const QFont& font, Qt::Alignment alignment,
                                   int width);

} // namespace ssn::widgets
