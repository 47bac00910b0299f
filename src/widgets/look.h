#pragma once

// The shared look of the program's windows: a blue background with white text in Verdana. A
// window that fixes a background colour fixes the colours of everything on it too, as they were
// on the light desktop the windows were designed on, so a dark desktop palette never puts light
// text on a fixed light colour; what the design leaves to the desktop (menus, the open list's
// frame, message boxes) are windows of their own and follow the desktop.
//
// A person who asks the system for high contrast asks every program for the system's colours:
// then every widget drops the colours fixed here for the desktop's (window, text, fields,
// buttons, selection), and a link takes the system's link colour. Each widget keeps the colours
// its design fixes, so that they come back when high contrast is turned off.

#include <QColor>
#include <QFont>
#include <QObject>

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

// Fonts of the design's families; where a family is missing, the one the font system puts in
// its place is named directly (see design_family.h), so the glyphs are those it would show.
QFont verdana(qreal points, FontStyle style = {});
QFont msSansSerif(qreal points, FontStyle style = {});

// What the design calls the default font: MS Sans Serif 8.25 pt, whatever font the desktop
// gives the toolkit, so that fixed-size controls fit their text.
QFont designDefaultFont();

// Whether the person asks the system for high contrast: Windows' High Contrast mode, asked anew
// at each call. The high-contrast themes of Linux desktops do not reach Qt 6.4, so there, as on
// any other system, the answer is no.
bool highContrastAsked();

// Tests put a question of their own in the place of the system's; returns the one replaced.
using HighContrastQuery = bool (*)();
HighContrastQuery setHighContrastQuery(HighContrastQuery query);

// Gives every widget the colours it should show now: its designed ones, or the system's while
// high contrast is asked for.
void reapplyColours();

// Installed on the application: when high contrast is turned on or off while the program runs
// (the system's colours change with it), every widget takes its colours anew.
class FollowHighContrast : public QObject {
public:
    explicit FollowHighContrast(QObject* parent = nullptr);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_asked;
};

// The widget's text is a link: under high contrast it takes the system's link colour.
void markAsLink(QWidget& widget);

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

// A drop-down list drawn as a button still shows white text on blue, like the text boxes; its
// open list shows the box's colours too, given now if the open list exists, otherwise as it
// opens (colourOpenList).
void applyListLook(QComboBox& list);

// Gives the open list of a list in that look the box's colours (the desktop's under high
// contrast), making the open list if there is none yet; does nothing to other lists.
void colourOpenList(QComboBox& list);

// Opaque in the light desktop's background colour with blue text: the advertisement labels.
void applyAdvertisementLook(QWidget& label);

} // namespace ssn::widgets::look
