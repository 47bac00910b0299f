#include "forms/shared_controls.h"

#include "forms/captions.h"
#include "forms/link_label.h"
#include "forms/look.h"
#include "forms/twips.h"
#include "web/mod_help.h"

#include <QAccessible>
#include <QFrame>

namespace ssn::forms {

namespace modHelp = web::modHelp;

namespace {

QFrame* addBorderlessFrame(QWidget& client, const QRect& geometry) {
    auto* frame = new QFrame(&client);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(geometry);
    return frame;
}

LinkLabel* addAdvertisement(QFrame& panel, const QString& caption, int top) {
    auto* label = new LinkLabel(caption, &panel);
    label->setGeometry(twipsRect(120, top, 5985, 615));
    label->setFont(look::verdana(8.25, {.bold = true, .underline = true}));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    look::applyAdvertisementLook(*label);
    return label;
}

} // namespace

SponsorLine addSponsorLine(QWidget& client, int left, int width, platform::UrlOpener& opener) {
    QFrame* frame = addBorderlessFrame(client, twipsRect(left, 0, width, 615));
    auto* label = new LinkLabel(captions::kSponsorLine, frame);
    label->setGeometry(twipsRect(60, 60, width - 120, 495));
    label->setFont(look::verdana(9, {.underline = true}));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QObject::connect(label, &LinkLabel::clicked, label, [&opener] { modHelp::OpenHomePage(opener); });
    return {frame, label};
}

AdvertisementPanel addAdvertisementPanel(QWidget& client, int left, int top, int width,
                                         platform::UrlOpener& opener) {
    QFrame* panel = addBorderlessFrame(client, twipsRect(left, top, width, 855));
    LinkLabel* coBrand = addAdvertisement(*panel, captions::kCoBrandOffer, 160);
    LinkLabel* fullBrand = addAdvertisement(*panel, captions::kFullBrandOffer, 165);
    QObject::connect(coBrand, &LinkLabel::clicked, coBrand, [&opener] { modHelp::OpenCoBrandPage(opener); });
    QObject::connect(fullBrand, &LinkLabel::clicked, fullBrand,
                     [&opener] { modHelp::OpenFullyBrandedPage(opener); });
    BringAdvertisementToFront(*fullBrand);
    return {panel, coBrand, fullBrand};
}

void BringAdvertisementToFront(LinkLabel& advertisement) {
    advertisement.raise();
    const QList<LinkLabel*> pair =
        advertisement.parentWidget()->findChildren<LinkLabel*>(QString(), Qt::FindDirectChildrenOnly);
    for (LinkLabel* label : pair) {
        const bool covered = label->isCovered();
        if (covered && label->hasFocus()) {
            advertisement.setFocus(Qt::OtherFocusReason);
        }
        label->setFocusPolicy(covered ? Qt::NoFocus : Qt::TabFocus);
        // Assistive technology that keeps the states it has read learns that this one changed.
        QAccessible::State changed;
        changed.invisible = true;
        changed.focusable = true;
        QAccessibleStateChangeEvent event(label, changed);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace ssn::forms
