#pragma once

// The shared look of the program's windows: a blue background with white text in Verdana. A
// window that fixes a background colour fixes the colours of everything on it too, as they were
// on the light desktop the windows were designed on, so a dark desktop palette never puts light
// text on a fixed light colour; what the design leaves to the desktop (menus, the open list's
// frame, message boxes) are windows of their own and follow the desktop.

#include <QColor>
#include <QFont>

class QComboBox;
class QWidget;

namespace ssn::widgets::look {

inline const QColor kFormBlue{124, 165, 231};
inline const QColor kWhite{255, 255, 255};
inline const QColor kAdvertisementBlue{0, 0, 255};
inline const QColor kBlack{0, 0, 0};
// The window and button colour of the light desktop the windows were designed on.
inline const QColor kDesktopGrey{239, 239, 239};

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

// The light desktop's colours for a window, or a part of one, with the given fixed background:
// black text, white fields with black text, light grey buttons with black captions. The shades
// of frames and bevels and the selection's pair of colours stay the desktop's.
void applyDesignedColours(QWidget& window, const QColor& background);

// Blue background, white text and Verdana 8.25 pt for a window's client area and everything
// inside it. Buttons keep the light desktop's button text colour.
void applyFormLook(QWidget& client);

// A drop-down list drawn as a button still shows white text on blue, like the text boxes.
void applyListLook(QComboBox& list);

// Opaque in the light desktop's background colour with blue text: the advertisement labels.
void applyAdvertisementLook(QWidget& label);

} // namespace ssn::widgets::look
