#pragma once

// Captions that several windows show alike.

#include <QString>

namespace ssn::forms::captions {

// The caption the main window, the result window and the About box were designed with.
inline const QString kDesignedWindowCaption = QStringLiteral("VL Subconscious Self Number  v1.90");

// The caption the start-up form and the exit screen set at run time, with one blank.
inline const QString kRunTimeCaption = QStringLiteral("VL Subconscious Self Number v1.90");

inline const QString kSponsorLine = QStringLiteral("The Most Popular Online Zorvic Discussion Board. Best "
                                                   "Resource For Everything Zorvic. Visit Velmora Now");

// A label shows its caption as it stands: one "&" here is the one "&" on screen.
inline const QString kCoBrandOffer = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
    "site's name &  link here. See \"Help\" for details.    Click Here for more info on co-branding.");

inline const QString kFullBrandOffer = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this "
    "software fully branded for your website. Click here for more details.");

} // namespace ssn::forms::captions
