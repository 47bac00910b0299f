#pragma once

// The controls that several windows build alike: the sponsor line across the top and the
// advertisement panel at the bottom of the main window and the result window, and the plain
// labels of the start-up form, the About box and the exit screen.

namespace ssn::platform {
class UrlOpener;
}

class QFont;
class QFrame;
class QLabel;
class QRect;
class QString;
class QWidget;

namespace ssn::widgets {
class LinkLabel;
}

namespace ssn::forms {

struct SponsorLine {
    QFrame* Frame2;
    widgets::LinkLabel* Label61; // opens the home page
};

struct AdvertisementPanel {
    QFrame* fraFullBrand;
    widgets::LinkLabel* lblCobrand;   // opens the co-brand page
    widgets::LinkLabel* lblFullBrand; // opens the fully-branded page; added later, so it lies in front
};

// Geometry in twips, relative to the client area.
SponsorLine addSponsorLine(QWidget& client, int left, int width, platform::UrlOpener& opener);
AdvertisementPanel addAdvertisementPanel(QWidget& client, int left, int top, int width,
                                         platform::UrlOpener& opener);

enum class Wrapping { None, Words };

// A label of plain text at the top left of its place, as the design's labels are.
QLabel* addPlainLabel(QWidget& parent, const QString& text, const QRect& geometry, const QFont& font,
                      Wrapping wrapping);

// Brings one advertisement of a panel to the front. The one it covers leaves the tab order, so
// that neither a keyboard user nor a screen reader lands on a link that cannot be seen.
void bringAdvertisementToFront(widgets::LinkLabel& advertisement);

} // namespace ssn::forms
