#pragma once

// The shared look of the program's windows: a blue background with white text in Verdana.

#include <QColor>
#include <QFont>

class QComboBox;
class QWidget;

namespace ssn::forms::look {

inline const QColor kFormBlue{124, 165, 231};
inline const QColor kWhite{255, 255, 255};
inline const QColor kAdvertisementBlue{0, 0, 255};

struct FontStyle {
    bool bold = false;
    bool underline = false;
};

// Fonts are asked for by name; where a family is missing the font system substitutes a
// similar one, so the names stay those the layout was designed with.
QFont verdana(qreal points, FontStyle style = {});
QFont msSansSerif(qreal points, FontStyle style = {});

// A label's or a frame's text colour, and with it its background colour.
void setTextColour(QWidget& widget, const QColor& text);
void setColours(QWidget& widget, const QColor& background, const QColor& text);

// Blue background, white text and Verdana 8.25 pt for a window's client area and
// everything inside it. Buttons keep the standard button text colour.
void applyFormLook(QWidget& client);

// A drop-down list drawn as a button still shows white text on blue, like the text boxes.
void applyListLook(QComboBox& list);

// Opaque in the desktop's default background colour with blue text: the advertisement labels.
void applyAdvertisementLook(QWidget& label);

} // namespace ssn::forms::look
