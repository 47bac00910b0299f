#pragma once

// The sponsor line across the top and the advertisement panel at the bottom, which the
// main window and the result window carry alike.

namespace ssn::platform {
class UrlOpener;
}

class QFrame;
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

// Brings one advertisement of a panel to the front. The one it covers leaves the tab order, so
// that neither a keyboard user nor a screen reader lands on a link that cannot be seen.
void BringAdvertisementToFront(widgets::LinkLabel& advertisement);

} // namespace ssn::forms
