#include "web/mod_tell_a_friend.h"

#include "platform/qt_text.h"
#include "web/page_urls.h"
#include "web/percent_encoding.h"

#include <array>

namespace ssn::web::modTellAFriend {

namespace {

// Every refusal of the panel: the critical icon, one OK button, the program's own caption.
void showRefusal(platform::MessageBoxService& messageBox, const QString& text) {
    static_cast<void>(messageBox.show(platform::CriticalMessage(text)));
}

// Stores the five field texts with their blanks (code 32) trimmed; strTafUrl is left alone.
void readFields(TellAFriendStrings& strings, const QString& name, const QString& email,
                const QString& message, const QString& friendName, const QString& friendEmail) {
    strings.strTafName = platform::trimBlanks(name);
    strings.strTafEmail = platform::trimBlanks(email);
    strings.strTafMessage = platform::trimBlanks(message);
    strings.strTafFriendName = platform::trimBlanks(friendName);
    strings.strTafFriendEmail = platform::trimBlanks(friendEmail);
}

// The message for two addresses that are the same or lack an "@" or a ".", or the empty
// text when both pass. Expects trimmed texts.
QString addressProblem(const QString& email, const QString& friendEmail) {
    if (email == friendEmail) {
        return kMsgDistinctEmailAddresses;
    }
    // An address is taken as proper when it holds an "@" and a "." anywhere, in either order.
    if (!email.contains(u'@') || !friendEmail.contains(u'@')) {
        return kMsgProperEmailAddress;
    }
    if (!email.contains(u'.') || !friendEmail.contains(u'.')) {
        return kMsgProperEmailAddress;
    }
    return {};
}

// Shows addressProblem's message for strTafEmail and strTafFriendEmail, if there is one;
// true when both addresses pass.
bool checkAddresses(const TellAFriendStrings& strings, platform::MessageBoxService& messageBox) {
    const QString problem = addressProblem(strings.strTafEmail, strings.strTafFriendEmail);
    if (problem.isEmpty()) {
        return true;
    }
    showRefusal(messageBox, problem);
    return false;
}

// Hands strTafUrl to the browser; whether it opened is not looked at.
void OpenReferralUrl(const TellAFriendStrings& strings, platform::UrlOpener& opener) {
    static_cast<void>(opener.open(strings.strTafUrl));
}

struct FieldCheck {
    const QString TellAFriendStrings::*value;
    const QString& placeholder;
    const QString& refusal;
};

} // namespace

QString buildReferralUrl(const TellAFriendStrings& strings) {
    return kReferAFriendPageUrl + QStringLiteral("&taf1=") + PercentEncodeQueryValue(strings.strTafName) +
           QStringLiteral("&taf2=") + PercentEncodeQueryValue(strings.strTafEmail) +
           QStringLiteral("&taf3=") + PercentEncodeQueryValue(strings.strTafMessage) +
           QStringLiteral("&taf4=") + PercentEncodeQueryValue(strings.strTafFriendName) +
           QStringLiteral("&taf5=") + PercentEncodeQueryValue(strings.strTafFriendEmail) +
           QStringLiteral("&taf6=") + PercentEncodeQueryValue(kProductFolderUrl);
}

SubmitOutcome SubmitReferral(TellAFriendStrings& strings, platform::MessageBoxService& messageBox,
                             platform::UrlOpener& opener) {
    const std::array<FieldCheck, 5> checks{{
        {&TellAFriendStrings::strTafName, kNamePlaceholder, kMsgEnterYourName},
        {&TellAFriendStrings::strTafEmail, kEmailPlaceholder, kMsgEnterYourEmail},
        {&TellAFriendStrings::strTafMessage, kMessagePlaceholder, kMsgEnterYourMessage},
        {&TellAFriendStrings::strTafFriendName, kFriendNamePlaceholder, kMsgEnterFriendsName},
        {&TellAFriendStrings::strTafFriendEmail, kFriendEmailPlaceholder, kMsgEnterFriendsEmail},
    }};
    for (const FieldCheck& check : checks) {
        // Empty or still the placeholder: the user has given nothing.
        const QString& value = strings.*check.value;
        if (value.isEmpty() || value == check.placeholder) {
            showRefusal(messageBox, check.refusal);
            return SubmitOutcome::FieldRefused;
        }
    }
    strings.strTafUrl = buildReferralUrl(strings);
    OpenReferralUrl(strings, opener);
    return SubmitOutcome::Opened;
}

SubmitOutcome submitClicked(TellAFriendStrings& strings, const QString& name, const QString& email,
                            const QString& message, const QString& friendName, const QString& friendEmail,
                            platform::MessageBoxService& messageBox, platform::UrlOpener& opener) {
    readFields(strings, name, email, message, friendName, friendEmail);
    if (!checkAddresses(strings, messageBox)) {
        return SubmitOutcome::AddressRefused;
    }
    return SubmitReferral(strings, messageBox, opener);
}

} // namespace ssn::web::modTellAFriend
