#include "forms/shared_controls.h"

#include "forms/captions.h"
#include "forms/form.h"
#include "forms/twips.h"
#include "web/mod_help.h"
#include "widgets/link_label.h"
#include "widgets/look.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>

namespace ssn::forms {

namespace modHelp = web::modHelp;

namespace {

QFrame* addBorderlessFrame(QWidget& client, const QRect& geometry) {
    auto* frame = new QFrame(&client);
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(geometry);
    return frame;
}

widgets::LinkLabel* addAdvertisement(QFrame& panel, const QString& caption, int top) {
    auto* label = new widgets::LinkLabel(caption, &panel);
    label->setGeometry(twipsRect(120, top, 5985, 615));
    label->setFont(widgets::look::verdana(8.25, {.bold = true, .underline = true}));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    widgets::look::applyAdvertisementLook(*label);
    return label;
}

} // namespace

SponsorLine addSponsorLine(QWidget& client, int left, int width, platform::UrlOpener& opener) {
    QFrame* frame = named("Frame2", addBorderlessFrame(client, twipsRect(left, 0, width, 615)));
    auto* label = named("Label61", new widgets::LinkLabel(captions::kSponsorLine, frame));
    label->setGeometry(twipsRect(60, 60, width - 120, 495));
    label->setFont(widgets::look::verdana(9, {.underline = true}));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QObject::connect(label, &widgets::LinkLabel::clicked, label,
                     [&opener] { modHelp::OpenHomePage(opener); });
    return {frame, label};
}

AdvertisementPanel addAdvertisementPanel(QWidget& client, int left, int top, int width,
                                         platform::UrlOpener& opener) {
    QFrame* panel = named("fraFullBrand", addBorderlessFrame(client, twipsRect(left, top, width, 855)));
    widgets::LinkLabel* coBrand = named("lblCobrand", addAdvertisement(*panel, captions::kCoBrandOffer, 160));
    widgets::LinkLabel* fullBrand =
        named("lblFullBrand", addAdvertisement(*panel, captions::kFullBrandOffer, 165));
    QObject::connect(coBrand, &widgets::LinkLabel::clicked, coBrand,
                     [&opener] { modHelp::OpenCoBrandPage(opener); });
    QObject::connect(fullBrand, &widgets::LinkLabel::clicked, fullBrand,
                     [&opener] { modHelp::OpenFullyBrandedPage(opener); });
    bringAdvertisementToFront(*fullBrand);
    return {panel, coBrand, fullBrand};
}

QLabel* addPlainLabel(QWidget& parent, const QString& text, const QRect& geometry, const QFont& font,
                      Wrapping wrapping) {
    auto* label = new QLabel(text, &parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrapping == Wrapping::Words);
    return label;
}

void bringAdvertisementToFront(widgets::LinkLabel& advertisement) {
    advertisement.raise();
    const QList<widgets::LinkLabel*> pair = advertisement.parentWidget()->findChildren<widgets::LinkLabel*>(
        QString(), Qt::FindDirectChildrenOnly);
    for (widgets::LinkLabel* label : pair) {
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
