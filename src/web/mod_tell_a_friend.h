#pragma once

// The refer-a-friend request: the submit button's checks, the checks of every field against
// emptiness and its placeholder, and the referral URL that is handed to the browser.

#include "platform/platform.h"
#include "web/web_texts.h"

#include <QString>

namespace ssn::web::modTellAFriend {

// The panel's last submitted values and the referral URL last built. The exit screen owns
// one; the values stay as they are after a refused click until the next click.
struct TellAFriendStrings {
    QString strTafName;
    QString strTafEmail;
    QString strTafMessage;
    QString strTafFriendName;
    QString strTafFriendEmail;
    QString strTafUrl;
};

enum class SubmitOutcome {
    Opened,         // the referral URL went to the browser
    AddressRefused, // an e-mail address check showed its message
    FieldRefused,   // a field was empty or still its placeholder
};

// The referral URL of the current values, each value percent-encoded.
QString buildReferralUrl(const TellAFriendStrings& strings);

// Checks the five values, trimmed as the submit click stores them, in order against emptiness
// and their placeholders and shows the first failure's message; else builds strTafUrl and
// opens it.
SubmitOutcome SubmitReferral(TellAFriendStrings& strings, platform::MessageBoxService& messageBox,
                             platform::UrlOpener& opener);

// The whole submit click: read and trim the fields, check the addresses, then SubmitReferral.
SubmitOutcome submitClicked(TellAFriendStrings& strings, const QString& name, const QString& email,
                            const QString& message, const QString& friendName, const QString& friendEmail,
                            platform::MessageBoxService& messageBox, platform::UrlOpener& opener);

} // namespace ssn::web::modTellAFriend
