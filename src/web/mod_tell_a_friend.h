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

// Stores the five field texts with their blanks trimmed; strTafUrl is left alone.
void ReadFields(TellAFriendStrings& strings, const QString& name, const QString& email,
                const QString& message, const QString& friendName, const QString& friendEmail);

// The message for two addresses that are the same or lack an "@" or a ".", or the empty
// text when both pass. Expects trimmed texts.
QString AddressProblem(const QString& email, const QString& friendEmail);

// Shows AddressProblem's message for strTafEmail and strTafFriendEmail, if there is one;
// true when both addresses pass.
bool CheckAddresses(const TellAFriendStrings& strings, platform::MessageBoxService& messageBox);

// The referral URL of the current values, each value percent-encoded.
QString BuildReferralUrl(const TellAFriendStrings& strings);

// Checks the five values in order against emptiness and their placeholders and shows the
// first failure's message; else builds strTafUrl and opens it.
SubmitOutcome SubmitReferral(TellAFriendStrings& strings, platform::MessageBoxService& messageBox,
                             platform::UrlOpener& opener);

// Hands strTafUrl to the browser; whether it opened is not looked at.
void OpenReferralUrl(const TellAFriendStrings& strings, platform::UrlOpener& opener);

// The whole submit click: read and trim the fields, check the addresses, then SubmitReferral.
SubmitOutcome SubmitClicked(TellAFriendStrings& strings, const QString& name, const QString& email,
                            const QString& message, const QString& friendName, const QString& friendEmail,
                            platform::MessageBoxService& messageBox, platform::UrlOpener& opener);

} // namespace ssn::web::modTellAFriend
